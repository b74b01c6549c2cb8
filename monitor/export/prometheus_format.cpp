#include "monitor/export/export_formats.h"
#include "monitor/stats/metric_text.h"

namespace zorvel {
namespace {

// A report's texts that are not plain numbers (scaled, on/off, h:mm:ss) have no sample.
class ReportRows : public MetricRows {
public:
    explicit ReportRows(const PortRows& rows) : rows_(rows) {}
    size_t RowCount() const override { return rows_.Rows.size(); }
    const std::string& PortName(size_t row) const override { return rows_.Rows[row].Name; }
    std::optional<std::string_view> Value(int statistic, size_t row, char (&)[16]) const override {
        const auto& values = rows_.Rows[row].Values;
        const auto value = values.find(statistic);
        if (value == values.end() || !IsIntegerText(value->second)) {
            return std::nullopt;
        }
        return std::string_view(value->second);
    }

private:
    const PortRows& rows_;
};

}  // namespace

std::string FormatPrometheus(const PortRows& rows, const std::optional<std::string>& board, Diagnostics& diagnostics) {
    std::string text;
    for (const std::string& port : AppendStatisticFamilies(text, ReportRows(rows), BoardLabel(board))) {
        diagnostics.Skip("port \"" + port +
                         "\" has values of one statistic from more than one row; only the first is "
                         "exported");
    }
    return text;
}

}  // namespace zorvel
