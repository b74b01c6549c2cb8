#include "common/win32/local_time.h"
#include "monitor/export/local_time.h"

namespace zorvel {

std::optional<common::LocalTime> PlatformLocalTime(int64_t unixSeconds) {
    const common::LocalTime local = common::LocalTimeAt(unixSeconds);
    if (local.Year == 0) {
        return std::nullopt;
    }
    return local;
}

}  // namespace zorvel
