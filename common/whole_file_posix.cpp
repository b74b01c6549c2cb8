#include "common/whole_file.h"

#include <cstdio>
#include <unistd.h>

namespace common {

bool CommitStream(std::FILE* stream) {
    return fsync(fileno(stream)) == 0;
}

bool MoveOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace common
