#include <cstdlib>

#include <nlohmann/json.hpp>

#include "monitor/export/export_formats.h"
#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

using Json = nlohmann::ordered_json;

Json Text(const std::optional<std::string>& text) {
    return text ? Json(*text) : Json(nullptr);
}

Json Source(const PortRows& rows) {
    return rows.Sources.size() == 1 ? Json(rows.Sources.front()) : Json(rows.Sources);
}

// Port names, the driver's or --names's bytes, are not always UTF-8; JSON must be.
std::string Dump(const Json& json, int indent) {
    return json.dump(indent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::string FormatJson(const PortRows& rows, bool withTime) {
    Json document;
    document["source"] = Source(rows);
    document["stamp"] = Text(CommonStamp(rows));
    document["ports"] = Json::array();
    for (const PortRow& row : rows.Rows) {
        Json port;
        port["name"] = row.Name;
        if (withTime) {
            port["time"] = Text(row.Stamp);
        }
        Json statistics = Json::object();
        for (const auto& [s, text] : row.Values) {
            statistics[kStatistics[s].Name] =
                IsIntegerText(text) ? Json(std::strtoull(text.c_str(), nullptr, 10)) : Json(text);
        }
        port["statistics"] = statistics;
        document["ports"].push_back(port);
    }
    return Dump(document, 2) + "\n";
}

// A bucket a line: a day of minutes is 1,440 of them for each port.
std::string FormatHistoryJson(const PortRows& rows) {
    std::string text = "{\n  \"source\": " + Dump(Source(rows), -1) + ",\n  \"buckets\": [";
    const char* separator = "\n    ";
    for (const HistoryRow& row : rows.History) {
        Json bucket;
        bucket["port"] = row.Port;
        bucket["bucket"] = row.Bucket;
        bucket["start_utc"] = row.Start;
        bucket["start_local"] = Text(row.LocalStart);
        bucket["tx"] = row.Tx;
        bucket["rx"] = row.Rx;
        bucket["errors"] = row.Errors;
        bucket["carrier"] = row.Carrier ? 1 : 0;
        text += separator + Dump(bucket, -1);
        separator = ",\n    ";
    }
    return text + (rows.History.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace zorvel
