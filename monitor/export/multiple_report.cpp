#include <optional>

#include "monitor/export/report_readers.h"
#include "monitor/export/report_text.h"
#include "monitor/reports/report_writer.h"
#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

constexpr int kNotExported = -1;

// A line's values after its stamp; "date time\t" of a view without columns holds none.
std::vector<std::string> ValuesOf(const std::vector<std::string>& fields) {
    std::vector<std::string> values(fields.begin() + 1, fields.end());
    if (values.size() == 1 && values.front().empty()) {
        values.clear();
    }
    return values;
}

class MultipleReport {
public:
    MultipleReport(const std::string& source, const std::string& port, Diagnostics& diagnostics)
        : source_(source), port_(port), diagnostics_(diagnostics) {}

    void ReadHeader(const std::string& line) {
        for (const std::string& name : ValuesOf(SplitFields(line, '\t'))) {
            const int position = ColumnPosition(name);
            if (position == -2) {
                diagnostics_.Skip(LineMessage(source_, 1, "no such statistic, its column skipped: " + Excerpt(name)));
            }
            header_.push_back(position < 0 ? kNotExported : position);
        }
    }

    std::optional<PortRow> ReadLine(const std::string& line, int number) {
        if (line.find('\t') == std::string::npos) {
            diagnostics_.Skip(LineMessage(source_, number, "not a report line, skipped: " + Excerpt(line)));
            return std::nullopt;
        }
        const std::vector<std::string> fields = SplitFields(line, '\t');
        const std::vector<std::string> values = ValuesOf(fields);
        const std::vector<int>* positions = PositionsFor(values.size());
        if (positions == nullptr) {
            diagnostics_.Skip(LineMessage(source_, number,
                                          std::to_string(values.size()) + " values where the header names " +
                                              std::to_string(header_.size()) + ", skipped"));
            return std::nullopt;
        }
        PortRow row{port_, fields.front(), {}};
        for (size_t k = 0; k < values.size(); ++k) {
            if ((*positions)[k] != kNotExported) {
                AddStatistic(row.Values, kStatistics[(*positions)[k]].Name, values[k]);
            }
        }
        return row;
    }

private:
    // An hour run and a day run append lines of different shapes under the one
    // header the file got when it was new; the fixed selections have lengths of
    // their own, so such a line is still read by its length.
    const std::vector<int>* PositionsFor(size_t count) {
        if (count == header_.size()) {
            return &header_;
        }
        if (selections_.empty()) {
            for (Selection selection : {Selection::All, Selection::Hour, Selection::Day}) {
                std::vector<int> positions;
                for (int input : SelectionInputs(selection, CountStatistics())) {
                    positions.push_back(input - 1);
                }
                selections_.push_back(positions);
            }
        }
        for (const std::vector<int>& positions : selections_) {
            if (positions.size() == count) {
                return &positions;
            }
        }
        return nullptr;
    }

    const std::string& source_;
    const std::string& port_;
    Diagnostics& diagnostics_;
    std::vector<int> header_;
    std::vector<std::vector<int>> selections_;
};

}  // namespace

void ReadMultipleReport(const std::string& text, const std::string& source, const std::string& port, bool allLines,
                        PortRows& rows, Diagnostics& diagnostics) {
    const std::vector<std::string> lines = SplitLines(text);
    MultipleReport report(source, port, diagnostics);
    report.ReadHeader(lines.front());
    std::vector<int> valueLines;
    for (size_t i = 1; i < lines.size(); ++i) {
        if (!lines[i].empty()) {
            valueLines.push_back(static_cast<int>(i));
        }
    }
    if (valueLines.empty()) {
        diagnostics.Fail(source + ": truncated: the header line and no report line");
        return;
    }
    if (allLines) {
        for (int i : valueLines) {
            if (std::optional<PortRow> row = report.ReadLine(lines[i], i + 1)) {
                rows.Rows.push_back(*row);
            }
        }
        return;
    }
    // Only the latest report counts; older damage is none of this export's business.
    for (auto i = valueLines.rbegin(); i != valueLines.rend(); ++i) {
        if (std::optional<PortRow> row = report.ReadLine(lines[*i], *i + 1)) {
            rows.Rows.push_back(*row);
            return;
        }
    }
}

std::string PortOfReportFile(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::string extension = ".txt";
    if (name.size() > extension.size() &&
        name.compare(name.size() - extension.size(), extension.size(), extension) == 0) {
        name.resize(name.size() - extension.size());
    }
    if (name.size() > 1 && (name[0] == 'h' || name[0] == 'd')) {
        name.erase(0, 1);
    }
    return name;
}

}  // namespace zorvel
