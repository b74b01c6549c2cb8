#include "common/whole_file.h"

#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

bool CommitStream(std::FILE* stream) {
    return fsync(fileno(stream)) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
    struct stat info;
    // No write bit at all, so that it holds for root too.
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace common
