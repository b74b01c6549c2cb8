// The export's standard output, byte for byte on every platform.
#pragma once

#include <string>

namespace zorvel {

// False when the bytes did not all get out (a closed pipe, a full disk).
bool WriteStandardOutput(const std::string& bytes);

}  // namespace zorvel
