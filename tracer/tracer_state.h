// The trace viewer's window state: placement and font kept in vizo.ini, and the
// disk log. The window handle stays with the shell.
#pragma once

#include <string>

#include "common/window_placement.h"
#include "tracer/disk_log.h"

namespace vizo {

constexpr const char* kSettingsFileName = "vizo.ini";
constexpr size_t kFontFaceLimit = 31;

struct TracerState {
    explicit TracerState(std::string logPath = kLogFileName) : Log(std::move(logPath)) {}

    // Outer rectangle of the window, in screen pixels.
    common::WindowRectangle Window = {};
    int ClientWidth = 0;
    int ClientHeight = 0;
    std::string SettingsPath = kSettingsFileName;
    // Kept for the file only: the screen draws with the default font.
    int FontHeight = 0;
    std::string FontFace;
    // The user's choice, as vizo.ini keeps it; the log may have failed to open.
    int LogToDisk = 0;
    DiskLog Log;
};

}  // namespace vizo
