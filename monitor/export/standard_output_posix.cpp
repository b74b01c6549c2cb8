#include <cstdio>

#include "monitor/export/standard_output.h"

namespace zorvel {

bool WriteStandardOutput(const std::string& bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

}  // namespace zorvel
