// The Prometheus text exposition (format 0.0.4) of the catalogue's figures: the
// one writer behind zorvel-export's prometheus format and the monitor's file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace zorvel {

// Where a family's samples come from: one row per port.
class MetricRows {
public:
    virtual ~MetricRows() = default;
    virtual size_t RowCount() const = 0;
    virtual const std::string& PortName(size_t row) const = 0;
    // The row's value of catalogue statistic `statistic` as a plain unsigned
    // decimal, written into `scratch` or pointing at text the rows keep; none
    // when the row has no such value.
    virtual std::optional<std::string_view> Value(int statistic, size_t row, char (&scratch)[16]) const = 0;
};

// True when every byte of `text` belongs to a well-formed UTF-8 sequence.
bool IsUtf8(const std::string& text);

// The label pairs a board adds before "port", as `board="..."`, or nothing.
std::string BoardLabel(const std::optional<std::string>& board);

// Appends every catalogue family that has a sample, in catalogue order, with
// its HELP and TYPE lines; each sample is labelled with `boardLabel` and its
// port. A sample may appear only once, so a port's second row for one family is
// left out; the names of such ports are returned.
std::set<std::string> AppendStatisticFamilies(std::string& text, const MetricRows& rows, const std::string& boardLabel);

// Appends one gauge family with a single sample labelled only with `boardLabel`.
void AppendGauge(std::string& text, const char* name, const char* help, const std::string& boardLabel,
                 int64_t value);

}  // namespace zorvel
