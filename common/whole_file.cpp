#include "common/whole_file.h"

namespace common {

WriteResult ReplaceWholeFile(const std::string& path, const std::function<bool(std::FILE*)>& writer) {
    // A rename replaces a read-only file on some systems, where opening it for
    // writing would have been refused: the user marked it to be kept.
    if (IsReadOnlyFile(path)) {
        return WriteResult::OpenFailed;
    }
    const std::string temp = path + ".tmp";
    std::FILE* stream = std::fopen(temp.c_str(), "wb");
    if (stream == nullptr) {
        return WriteResult::OpenFailed;
    }
    bool ok = writer(stream);
    ok = ok && std::fflush(stream) == 0 && !std::ferror(stream);
    ok = ok && CommitStream(stream);
    // A full disk may only show at the close, so the close counts as a write.
    ok = (std::fclose(stream) == 0) && ok;
    if (!ok) {
        std::remove(temp.c_str());
        return WriteResult::WriteFailed;
    }
    // The old file being held open elsewhere is the likeliest cause here.
    if (!MoveOver(temp, path)) {
        std::remove(temp.c_str());
        return WriteResult::OpenFailed;
    }
    return WriteResult::Ok;
}

}  // namespace common
