#include <ctime>

#include "monitor/export/local_time.h"

namespace zorvel {

std::optional<common::LocalTime> PlatformLocalTime(int64_t unixSeconds) {
    const std::time_t time = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr || local.tm_year + 1900 > 0xFFFF) {
        return std::nullopt;
    }
    return common::LocalTime{static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint16_t>(local.tm_mon + 1),
                             static_cast<uint16_t>(local.tm_mday),        static_cast<uint16_t>(local.tm_hour),
                             static_cast<uint16_t>(local.tm_min),         static_cast<uint16_t>(local.tm_sec)};
}

}  // namespace zorvel
