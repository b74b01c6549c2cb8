// Fixed texts and names of the trace viewer.
#pragma once

#include "resources/versions.h"

namespace vizo {

constexpr const char* kWindowClass = "Vizo";
constexpr const char* kWindowTitle = "Vizo Tracer";
constexpr const char* kMenuName = "VIZO";
constexpr const char* kAboutCaption = "About Vizo";
constexpr const char* kVersionText = VIZO_VERSION_TEXT;
constexpr const char* kAboutFormat = "Vizo.exe Trace program, Version %s\n" TARNEL_COPYRIGHT;
constexpr const char* kOptionsText =
    "options>SETUP /options\n"
    "   H - display driver help info\n"
    "   ? - this help\n";
constexpr const char* kNoDriverText = "Could Not connect to driver!";
constexpr const char* kLogClearedText = "Log file cleared.";

}  // namespace vizo
