#include <time.h>

#include "monitor/export/local_time.h"

namespace zorvel {

// The 32-bit runtime's time_t ends in 2038; the 64-bit call does not.
std::optional<std::tm> LocalTimeOf(int64_t unixSeconds) {
    const __time64_t time = unixSeconds;
    std::tm local{};
    if (_localtime64_s(&local, &time) != 0) {
        return std::nullopt;
    }
    return local;
}

}  // namespace zorvel
