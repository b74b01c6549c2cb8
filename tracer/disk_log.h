// vizo.log: a copy of the driver's trace text, rewritten from its start once it
// has grown beyond 200,000 bytes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace vizo {

constexpr const char* kLogFileName = "vizo.log";
constexpr long kLogWrapBytes = 200000;

class DiskLog {
public:
    explicit DiskLog(std::string path) : path_(std::move(path)) {}
    ~DiskLog() { Close(); }
    DiskLog(const DiskLog&) = delete;
    DiskLog& operator=(const DiskLog&) = delete;

    bool IsOpen() const { return file_ != nullptr; }

    // Opens for writing at the end, creating the file when missing and keeping
    // what it holds. False when it cannot be opened.
    bool Open();
    // Empties the file; it stays open for writing only when keepOpen is set.
    bool Recreate(bool keepOpen);
    void Close();

    // Writes and flushes, so that readers see the text at once. A write or
    // flush that fails closes the log, so that it can be opened afresh later.
    void Write(const char* bytes, size_t count);

    // True once after a write or flush failed.
    bool TakeFailure();

private:
    void WrapIfBeyond();

    std::string path_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Platform half: opens a stream that other programs may read while this one
// writes it.
std::FILE* OpenSharedStream(const char* path, const char* mode);

}  // namespace vizo
