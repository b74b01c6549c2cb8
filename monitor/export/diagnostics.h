// What went wrong while exporting: a failure stops the export before anything is
// written, a skipped line or value lets it go on with exit code 1.
#pragma once

#include <string>
#include <vector>

namespace zorvel {

class Diagnostics {
public:
    void Fail(const std::string& text) { Add(text, failed_); }
    void Skip(const std::string& text) { Add(text, skipped_); }

    bool Failed() const { return failed_; }
    bool Skipped() const { return skipped_; }
    const std::vector<std::string>& Messages() const { return messages_; }

private:
    void Add(const std::string& text, bool& flag) {
        messages_.push_back(text);
        flag = true;
    }

    std::vector<std::string> messages_;
    bool failed_ = false;
    bool skipped_ = false;
};

}  // namespace zorvel
