#pragma once

#include "resources/versions.h"

namespace zorvel {

constexpr const char* kMonitorVersion = ZORVEL_VERSION_TEXT;
constexpr const char* kAboutCaption = "About Zorvel";
constexpr const char* kAboutFormat =
    "Zorvel.exe Port Monitor program, Version %s\n" TARNEL_COPYRIGHT;
constexpr const char* kErrorCaption = "Zorvel - Error";
constexpr const char* kWindowClass = "Zorvel";
constexpr const char* kWindowTitle = "TarnelPort Monitor";

}  // namespace zorvel
