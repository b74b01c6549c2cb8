#include <cstdio>

#include <fcntl.h>
#include <io.h>

#include "monitor/export/standard_output.h"

namespace zorvel {

bool WriteStandardOutput(const std::string& bytes) {
    // In text mode every LF would gain a CR: CSV lines would end in CR CR LF and
    // the Prometheus format, which wants bare LF, would not parse.
    _setmode(_fileno(stdout), _O_BINARY);
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

}  // namespace zorvel
