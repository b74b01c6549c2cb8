#include "tracer/settings_file.h"

#include <cstdio>

#include "common/message_text.h"
#include "common/settings_line.h"
#include "common/settings_reader.h"
#include "common/whole_file.h"
#include "common/write_outcome.h"

namespace vizo {
namespace {

const char* const kSections[] = {"program", nullptr};
enum Key { kWindow, kFontHeight, kFontFace, kLogToDisk };
const char* const kKeys[] = {"Window", "FontHeight", "FontFace", "LogToDisk", nullptr};

class TracerSettingsHandler : public common::SettingsReaderHandler {
public:
    TracerSettingsHandler(TracerState& state, common::Alerts& alerts) : state_(state), alerts_(alerts) {}

    const char* const* SectionTable() const override { return kSections; }
    const char* const* KeyTable(int) const override { return kKeys; }

    void OnEntry(int, int key, const char*, char* value) override {
        switch (key) {
            case kWindow: state_.Window = common::WindowRectangleValue(value); break;
            case kFontHeight: state_.FontHeight = common::IntValue(value); break;
            case kFontFace: state_.FontFace = std::string(value).substr(0, kFontFaceLimit); break;
            case kLogToDisk: state_.LogToDisk = common::IntValue(value); break;
            default: break;
        }
    }

    void OnBadKey(int, const char* key, const char* value) override {
        alerts_.Alert(common::FormatMessageTextF("Bad program section key:%s, val:%s", key, value));
    }

private:
    TracerState& state_;
    common::Alerts& alerts_;
};

}  // namespace

int LoadTracerSettings(TracerState& state, const char* path, common::Alerts& alerts) {
    if (path == nullptr) {
        return 0;
    }
    state.SettingsPath = path;
    TracerSettingsHandler handler(state, alerts);
    if (!common::ReadSectionedFile(path, handler)) {
        state.Window = {};
    }
    return 0;
}

int SaveTracerSettings(TracerState& state, const char* path, common::Alerts& alerts) {
    if (path != nullptr) {
        state.SettingsPath = path;
    }
    const common::WriteResult result = common::ReplaceWholeFile(state.SettingsPath, [&state](std::FILE* out) {
        return std::fprintf(out,
                            ";---- Velmora Program Configuration File.\r\n\r\n"
                            "[program]\r\n"
                            "window=%d,%d,%d,%d\r\n"
                            "FontHeight=%d\r\n"
                            "FontFace=%s\r\n"
                            "LogToDisk=%d\r\n"
                            "\r\n",
                            state.Window.Left, state.Window.Top, state.Window.Width, state.Window.Height, state.FontHeight, state.FontFace.c_str(),
                            state.LogToDisk) > 0;
    });
    return common::ReportWriteOutcome(result, state.SettingsPath.c_str(), alerts);
}

}  // namespace vizo
