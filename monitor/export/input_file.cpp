#include "monitor/export/input_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "monitor/export/history_input.h"
#include "monitor/export/report_readers.h"
#include "monitor/export/report_text.h"
#include "monitor/export/statistics_input.h"
#include "monitor/stats/statistics_file.h"

namespace zorvel {
namespace {

bool StartsWith(const std::string& text, const char* start) {
    return text.compare(0, std::strlen(start), start) == 0;
}

class File {
public:
    explicit File(const std::string& path) : file_(std::fopen(path.c_str(), "rb")) {}
    ~File() {
        if (file_ != nullptr) {
            std::fclose(file_);
        }
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    std::FILE* get() const { return file_; }

private:
    std::FILE* file_;
};

// Windows refuses to open a folder ("Permission denied") and POSIX fails its
// first read ("Is a directory"): neither says what is wrong.
bool IsFolder(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

const char kFolderMessage[] = ": is a folder, not a report or calcs.dat; name the files in it";

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes, Diagnostics& diagnostics) {
    File file(path);
    if (file.get() == nullptr) {
        if (IsFolder(path)) {
            diagnostics.Fail(path + kFolderMessage);
            return false;
        }
        diagnostics.Fail(
            path + (errno == ENOENT ? ": no such file" : ": cannot be opened: " + std::string(std::strerror(errno))));
        return false;
    }
    bytes.clear();
    char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, got);
    }
    if (std::ferror(file.get())) {
        diagnostics.Fail(path +
                         (IsFolder(path) ? kFolderMessage : ": cannot be read: " + std::string(std::strerror(errno))));
        return false;
    }
    return true;
}

bool ReadNamesFile(const std::string& path, std::vector<std::string>& names, Diagnostics& diagnostics) {
    std::string text;
    if (!ReadWholeFile(path, text, diagnostics)) {
        return false;
    }
    names = SplitLines(text);
    if (names.size() > static_cast<size_t>(kPortSlots)) {
        diagnostics.Fail(path + ": " + std::to_string(names.size()) + " names, calcs.dat holds " +
                         std::to_string(kPortSlots) + " ports");
        return false;
    }
    return true;
}

void ReadInput(const std::string& path, const ReadOptions& options, PortRows& rows, Diagnostics& diagnostics) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes, diagnostics)) {
        return;
    }
    rows.Sources.push_back(path);
    const bool single = StartsWith(bytes, kSingleReportStart);
    if (single || StartsWith(bytes, kMultipleReportStart)) {
        // The monitor ends every line, so a report without a final line end was cut.
        if (bytes.back() != '\n') {
            diagnostics.Fail(path + ": truncated: its last line has no line end");
        } else if (single) {
            ReadSingleReport(bytes, path, rows, diagnostics);
        } else {
            ReadMultipleReport(bytes, path, PortOfReportFile(path), options.AllLines, rows, diagnostics);
        }
        return;
    }
    if (LooksLikeHistory(bytes)) {
        ReadHistoryInput(bytes, path, options.Names, rows, diagnostics);
        return;
    }
    if (bytes.size() == kStatisticsFileSize) {
        ReadStatisticsInput(path, options.Names, rows);
        return;
    }
    if (bytes.empty()) {
        diagnostics.Fail(path + ": empty, neither a report nor calcs.dat");
    } else if (bytes.find('\0') != std::string::npos) {
        diagnostics.Fail(path + ": " + std::to_string(bytes.size()) + " bytes of binary data, calcs.dat holds " +
                         std::to_string(kStatisticsFileSize) + ": truncated or not a statistics file");
    } else {
        diagnostics.Fail(path + ": neither a report (no report header) nor calcs.dat (not " +
                         std::to_string(kStatisticsFileSize) + " bytes)");
    }
}

}  // namespace zorvel
