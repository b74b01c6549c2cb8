#include "tracer/disk_log.h"

namespace vizo {

std::FILE* OpenSharedStream(const char* path, const char* mode) {
    return std::fopen(path, mode);
}

}  // namespace vizo
