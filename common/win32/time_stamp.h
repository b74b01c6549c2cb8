#pragma once

#include <string>

namespace common {

// The local date in the user's short form and the time without seconds; each
// stays empty when it cannot be formatted.
void LocalDateTimeStamp(std::string& date, std::string& time);

}  // namespace common
