#include "tracer/disk_log.h"

namespace vizo {

bool DiskLog::Open() {
    if (file_ != nullptr) {
        return true;
    }
    // Not append mode: the write position has to be able to go back to the start.
    file_ = OpenSharedStream(path_.c_str(), "r+b");
    if (file_ == nullptr) {
        file_ = OpenSharedStream(path_.c_str(), "w+b");
    }
    if (file_ == nullptr) {
        return false;
    }
    std::fseek(file_, 0, SEEK_END);
    WrapIfBeyond();
    return true;
}

bool DiskLog::Recreate(bool keepOpen) {
    Close();
    file_ = OpenSharedStream(path_.c_str(), "wb");
    if (file_ == nullptr) {
        return false;
    }
    if (!keepOpen) {
        Close();
    }
    return true;
}

void DiskLog::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

void DiskLog::Write(const char* bytes, size_t count) {
    if (file_ == nullptr) {
        return;
    }
    if (std::fwrite(bytes, 1, count, file_) != count || std::fflush(file_) != 0) {
        Close();
        failed_ = true;
        return;
    }
    WrapIfBeyond();
}

bool DiskLog::TakeFailure() {
    const bool failed = failed_;
    failed_ = false;
    return failed;
}

void DiskLog::WrapIfBeyond() {
    if (std::ftell(file_) > kLogWrapBytes) {
        std::fseek(file_, 0, SEEK_SET);
    }
}

}  // namespace vizo
