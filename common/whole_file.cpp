#include "common/whole_file.h"

#include <cerrno>
#include <cstring>

namespace common {

TextWriteOutcome ReplaceWithText(const std::string& path, const std::string& text) {
    errno = 0;
    const WriteResult result = ReplaceWholeFile(
        path, [&text](std::FILE* out) { return std::fwrite(text.data(), 1, text.size(), out) == text.size(); });
    return {result, result == WriteResult::Ok ? 0 : errno};
}

std::string WriteFailureReason(const std::string& path, const TextWriteOutcome& outcome) {
    if (IsReadOnlyFile(path)) {
        return "the file is marked read-only";
    }
    if (outcome.Error != 0) {
        return std::strerror(outcome.Error);
    }
    // A failed move over the old file, or a close that failed silently, leaves
    // no C library reason.
    return outcome.Result == WriteResult::OpenFailed ? "the file may be in use by another program"
                                                     : "the disk may be full";
}

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
