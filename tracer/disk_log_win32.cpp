#include "tracer/disk_log.h"

#include <share.h>

namespace vizo {

// Readers are welcome; a second writer (another copy of the viewer in the same
// folder) is refused, so that two copies do not overwrite each other's text.
std::FILE* OpenSharedStream(const char* path, const char* mode) {
    return _fsopen(path, mode, _SH_DENYWR);
}

}  // namespace vizo
