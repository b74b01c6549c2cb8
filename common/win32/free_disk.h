#pragma once

#include <string>

namespace common {

// Bytes this user may still write on the volume that holds `folder`.
double FreeDiskBytes(const std::string& folder);

}  // namespace common
