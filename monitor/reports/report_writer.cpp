#include "monitor/reports/report_writer.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "common/disk_space.h"
#include "common/whole_file.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/cell_text.h"

namespace zorvel {
namespace {

struct Entry {
    std::string Name;
    int Input;
    int Type;
};

// Statistic names as reports write them; a view column outside the catalogue
// is written under its input number, next to the placeholder value it shows.
std::string NameOfInput(int input, int statisticCount) {
    if (input >= 1 && input <= statisticCount) {
        return kStatistics[input - 1].Name;
    }
    return "Input" + std::to_string(input);
}

std::vector<Entry> SelectedEntries(const ReportContext& context, Selection selection) {
    std::vector<Entry> entries;
    if (selection == Selection::View) {
        for (int k = 1; k < context.View.GridColumns; ++k) {
            const ColumnDef& column = context.View.Columns[k - 1];
            entries.push_back({NameOfInput(column.Input, context.StatisticCount), column.Input, column.Type});
        }
        return entries;
    }
    for (int input : SelectionInputs(selection, context.StatisticCount)) {
        entries.push_back({kStatistics[input - 1].Name, input, 0});
    }
    return entries;
}

std::string Value(const ReportContext& context, const Entry& entry, int port) {
    std::string text;
    CellValue(context.Tables, entry.Input, entry.Type, port, text);
    return text;
}

// Owns one per-port report file, opened for appending; every write and the
// close are checked.
class ReportFile {
public:
    explicit ReportFile(const std::string& path) : file_(std::fopen(path.c_str(), "ab")) {}
    ~ReportFile() { Close(); }
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    long Length() {
        std::fseek(file_, 0, SEEK_END);
        return std::ftell(file_);
    }
    void Write(const std::string& text) { ok_ = std::fwrite(text.data(), 1, text.size(), file_) == text.size() && ok_; }
    // False when anything written did not reach the file. The flush is checked
    // on its own: some C runtimes' fclose reports success after a failed one.
    bool Close() {
        if (file_ != nullptr) {
            ok_ = ok_ && std::fflush(file_) == 0 && !std::ferror(file_);
            ok_ = std::fclose(file_) == 0 && ok_;
            file_ = nullptr;
        }
        return ok_;
    }

private:
    std::FILE* file_;
    bool ok_ = true;
};

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        text += (i == 0 ? "" : separator) + parts[i];
    }
    return text;
}

// One file for all ports, rewritten whole: through the whole-file replace, so
// that a full disk keeps the previous report instead of half a new one.
int WriteSingle(const ReportContext& context, const std::vector<Entry>& entries, const std::string& path,
                const std::string& stamp) {
    if (context.View.GridRows <= 1) {
        return kReportOk;
    }
    std::string text = "******** RePort, Date:" + stamp + "\r\n\r\n";
    for (int port = 0; port + 1 < context.View.GridRows; ++port) {
        std::vector<std::string> values;
        for (const Entry& entry : entries) {
            values.push_back(entry.Name + "=" + Value(context, entry, port));
        }
        text += "\r\n==== Port:" + PortName(context.Tables.Names.Slots[port]) + "\r\n" + Joined(values, "\r\n") + "\r\n";
    }
    if (common::ReplaceWithText(path, text).Result != common::WriteResult::Ok) {
        context.Environment.ReportFailed(path, kReportFileFailed);
        return kReportFileFailed;
    }
    return kReportOk;
}

// One file per port, each appended a line and closed before the next.
int WriteMultiple(const ReportContext& context, const std::vector<Entry>& entries, const std::string& prefix,
                  const std::string& stamp) {
    for (int port = 0; port + 1 < context.View.GridRows; ++port) {
        const std::string path = prefix + SafeFileStem(PortName(context.Tables.Names.Slots[port])) + ".txt";
        ReportFile file(path);
        if (!file.IsOpen()) {
            context.Environment.ReportFailed(path, kReportFileFailed);
            return kReportFileFailed;
        }
        const long length = file.Length();
        if (length > kReportFileLimit) {
            context.Environment.ReportFailed(path, kReportFileFull);
            return kReportFileFull;
        }
        std::vector<std::string> values;
        for (const Entry& entry : entries) {
            values.push_back(Value(context, entry, port));
        }
        if (length == 0) {
            std::vector<std::string> names;
            for (const Entry& entry : entries) {
                names.push_back(entry.Name);
            }
            file.Write("Time\t" + Joined(names, "\t") + "\r\n");
        }
        file.Write(stamp + "\t" + Joined(values, "\t") + "\r\n");
        if (!file.Close()) {
            context.Environment.ReportFailed(path, kReportFileFailed);
            return kReportFileFailed;
        }
    }
    return kReportOk;
}

}  // namespace

std::vector<int> SelectionInputs(Selection selection, int statisticCount) {
    std::vector<int> inputs;
    for (int input = 1; input <= statisticCount; ++input) {
        const char* name = kStatistics[input - 1].Name;
        const bool wanted = selection == Selection::All ||
                            (selection == Selection::Hour && std::strstr(name, "Hour") != nullptr) ||
                            (selection == Selection::Day &&
                             (std::strstr(name, "Day") != nullptr || std::strstr(name, "Raw") != nullptr));
        if (wanted) {
            inputs.push_back(input);
        }
    }
    return inputs;
}

std::string SafeFileStem(const std::string& name) {
    std::string stem = name;
    for (char& c : stem) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr) {
            c = '_';
        }
    }
    return stem;
}

int WriteReport(const ReportContext& context, Selection selection, Layout layout) {
    std::string date;
    std::string time;
    context.Environment.Stamp(date, time);
    // Exactly the floor still takes a report, where settings need more.
    if (context.Environment.FreeDiskBytes() < common::kMinFreeBytes) {
        return kReportNoSpace;
    }
    const std::vector<Entry> entries = SelectedEntries(context, selection);
    const std::string prefix = context.Folder + "/" + (selection == Selection::Day ? "d" : "h");
    const std::string stamp = date + " " + time;
    return layout == Layout::Single ? WriteSingle(context, entries, prefix + "all.txt", stamp)
                                    : WriteMultiple(context, entries, prefix, stamp);
}

}  // namespace zorvel
