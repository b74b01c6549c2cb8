#include "monitor/export/input_patterns.h"

#include <windows.h>

namespace zorvel {
namespace {

class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            FindClose(handle_);
        }
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

std::vector<std::string> MatchingFiles(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    FindHandle find(FindFirstFileA(pattern.c_str(), &found));
    if (find.get() == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(find.get(), &found));
    return names;
}

}  // namespace

PatternMatcher SystemPatternMatcher() {
    return MatchingFiles;
}

}  // namespace zorvel
