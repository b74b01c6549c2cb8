#include "common/whole_file.h"

#include <io.h>
#include <windows.h>

namespace common {

bool CommitStream(std::FILE* stream) {
    return _commit(_fileno(stream)) == 0;
}

bool IsReadOnlyFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MoveOver(const std::string& from, const std::string& to) {
    // Virus scanners hold new files open for a moment; retry those errors briefly.
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        const DWORD error = GetLastError();
        if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) {
            return false;
        }
        Sleep(50);
    }
    return false;
}

}  // namespace common
