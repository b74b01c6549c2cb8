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

}  // namespace

std::string FormatJson(const PortRows& rows, bool withTime) {
    Json document;
    document["source"] = rows.Sources.size() == 1 ? Json(rows.Sources.front()) : Json(rows.Sources);
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
    // Port names are the driver's bytes, not always UTF-8; JSON must be.
    return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace zorvel
