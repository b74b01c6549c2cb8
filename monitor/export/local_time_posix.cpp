#include "monitor/export/local_time.h"

namespace zorvel {

std::optional<std::tm> LocalTimeOf(int64_t unixSeconds) {
    const std::time_t time = static_cast<std::time_t>(unixSeconds);
    std::tm local{};
    if (localtime_r(&time, &local) == nullptr) {
        return std::nullopt;
    }
    return local;
}

}  // namespace zorvel
