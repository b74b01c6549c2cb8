// Local time from the C library, as the platform's zone (or TZ where set) has it.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace zorvel {

// None where the library has no answer (the Windows runtime stops at 3000).
std::optional<std::tm> LocalTimeOf(int64_t unixSeconds);

}  // namespace zorvel
