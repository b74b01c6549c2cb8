#pragma once

namespace zorvel {

constexpr const char* kMonitorVersion = "1.04";
constexpr const char* kAboutCaption = "About Zorvel";
constexpr const char* kAboutFormat =
    "Zorvel.exe Port Monitor program, Version %s\n"
    "Copyright (c) 2026 the TarnelPort tools developers";
constexpr const char* kErrorCaption = "Zorvel - Error";
constexpr const char* kWindowClass = "Zorvel";
constexpr const char* kWindowTitle = "TarnelPort Monitor";

}  // namespace zorvel
