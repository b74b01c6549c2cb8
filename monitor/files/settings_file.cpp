#include "monitor/files/settings_file.h"

#include <cstdio>

#include "common/message_text.h"
#include "common/settings_line.h"
#include "common/settings_reader.h"
#include "common/whole_file.h"
#include "common/write_outcome.h"

namespace zorvel {
namespace {

const char* const kSections[] = {"program", "metrics", "graph", nullptr};
enum Section { kNoSection, kProgram, kMetrics, kGraph };
enum Key { kUpdateTime, kHourSingle, kHourMulti, kHourSpawn, kDaySingle, kDayMulti, kDaySpawn };
const char* const kKeys[] = {"UpdateTime", "HourSingle", "HourMulti", "HourSpawn",
                             "DaySingle",  "DayMulti",   "DaySpawn",  nullptr};
enum MetricsKey { kFile, kBoard, kFamilies };
const char* const kMetricsKeys[] = {"File", "Board", "Families", nullptr};
// In MetricFamilies order.
const char* const kFamiliesValues[] = {"all", "counters", nullptr};
enum GraphKey { kGraphWindow, kGraphRange };
const char* const kGraphKeys[] = {"window", "Range", nullptr};

// A File line holds a whole path, and Windows paths reach 32,767 characters.
constexpr size_t kLineLimit = 32768 + 16;

class SettingsHandler : public common::SettingsReaderHandler {
public:
    SettingsHandler(ProgramSettings& settings, common::Alerts& alerts) : settings_(settings), alerts_(alerts) {}

    const char* const* SectionTable() const override { return kSections; }
    const char* const* KeyTable(int section) const override {
        return section == kMetrics ? kMetricsKeys : section == kGraph ? kGraphKeys : kKeys;
    }
    // A board named in the system's code page, or a path with such letters.
    bool KeepsBeyondAscii(int section) const override { return section == kMetrics; }

    int OnSection(const char* name) override {
        const int section = common::SectionStateFromTable(name, kSections);
        if (section == kMetrics) {
            settings_.Metrics.Present = true;
        }
        if (section == kGraph) {
            settings_.Graph.Present = true;
        }
        return section;
    }

    void OnEntry(int section, int key, const char*, char* value) override {
        if (section == kGraph) {
            ReadGraphEntry(key, value);
            return;
        }
        if (section == kMetrics) {
            ReadMetricsEntry(key, value);
            return;
        }
        switch (key) {
            case kUpdateTime: settings_.UpdateTime = common::IntValue(value); break;
            case kHourSingle: settings_.HourSingle = common::IntValue(value); break;
            case kHourMulti: settings_.HourMulti = common::IntValue(value); break;
            case kHourSpawn: settings_.HourSpawn = Text(value); break;
            case kDaySingle: settings_.DaySingle = common::IntValue(value); break;
            case kDayMulti: settings_.DayMulti = common::IntValue(value); break;
            case kDaySpawn: settings_.DaySpawn = Text(value); break;
            default: break;
        }
    }

    // Other keys of the monitor's own sections are left for later versions.
    void OnBadKey(int section, const char* key, const char* value) override {
        if (section == kMetrics || section == kGraph) {
            return;
        }
        alerts_.Alert(common::FormatMessageTextF("Bad program section key:%s, val:%s", key, value));
    }

private:
    static std::string Text(const char* value) { return std::string(value).substr(0, kSpawnLimit); }

    void ReadMetricsEntry(int key, const char* value) {
        switch (key) {
            case kFile: settings_.Metrics.File = value; break;
            case kBoard: settings_.Metrics.Board = std::string(value).substr(0, kBoardLimit); break;
            // A value this version does not know keeps the whole file: nothing
            // a reader of it expects goes missing.
            case kFamilies: {
                const int choice = common::FindKeyword(value, kFamiliesValues);
                settings_.Metrics.Families = choice < 0 ? MetricFamilies::All : static_cast<MetricFamilies>(choice);
                break;
            }
            default: break;
        }
    }

    void ReadGraphEntry(int key, const char* value) {
        if (key == kGraphRange) {
            const int range = common::IntValue(value);
            settings_.Graph.Range = range >= 1 && range <= 4 ? range : settings_.Graph.Range;
            return;
        }
        int numbers[4] = {};
        if (common::ParseIntList(value, numbers, 4) == 4) {
            settings_.Graph.Window = {numbers[0], numbers[1], numbers[2], numbers[3]};
        }
    }

    ProgramSettings& settings_;
    common::Alerts& alerts_;
};

bool WriteLine(std::FILE* out, const char* key, const std::string& text) {
    return text.empty() || std::fprintf(out, "%s=%s\r\n", key, text.c_str()) > 0;
}

}  // namespace

int ReadSettingsFile(const char* path, ProgramSettings& settings, common::Alerts& alerts) {
    SettingsHandler handler(settings, alerts);
    if (!common::ReadSectionedFile(path, handler, kLineLimit)) {
        settings.UpdateTime = 2;
        return 1;
    }
    return 0;
}

int WriteSettingsFile(const char* path, const ProgramSettings& settings, common::Alerts& alerts) {
    const common::WriteResult result = common::ReplaceWholeFile(path, [&settings](std::FILE* out) {
        bool ok = std::fprintf(out, "[program]\r\nUpdateTime=%d\r\n", settings.UpdateTime) > 0;
        ok = common::WriteIntSetting(out, "HourSingle", settings.HourSingle) && ok;
        ok = common::WriteIntSetting(out, "HourMulti", settings.HourMulti) && ok;
        ok = WriteLine(out, "HourSpawn", settings.HourSpawn) && ok;
        ok = common::WriteIntSetting(out, "DaySingle", settings.DaySingle) && ok;
        ok = common::WriteIntSetting(out, "DayMulti", settings.DayMulti) && ok;
        ok = WriteLine(out, "DaySpawn", settings.DaySpawn) && ok;
        if (settings.Metrics.Present) {
            ok = std::fputs("[metrics]\r\n", out) >= 0 && ok;
            ok = WriteLine(out, "File", settings.Metrics.File) && ok;
            ok = WriteLine(out, "Board", settings.Metrics.Board) && ok;
            if (settings.Metrics.Families) {
                ok = WriteLine(out, "Families", kFamiliesValues[static_cast<int>(*settings.Metrics.Families)]) && ok;
            }
        }
        if (settings.Graph.Present) {
            const common::WindowRectangle& w = settings.Graph.Window;
            ok = std::fprintf(out, "[graph]\r\nwindow=%d,%d,%d,%d\r\nRange=%d\r\n", w.Left, w.Top, w.Width, w.Height,
                              settings.Graph.Range) > 0 &&
                 ok;
        }
        return ok;
    });
    return common::ReportWriteOutcome(result, path, alerts);
}

}  // namespace zorvel
