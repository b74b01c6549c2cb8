// vizo.ini as the trace viewer reads it at start-up.
#include "tracer/settings_file.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vizo::TracerState state(fuzz::ScratchPath("vizo.log"));
    fuzz::QuietAlerts alerts;
    vizo::LoadTracerSettings(state, fuzz::WriteInput("vizo.ini", data, size).c_str(), alerts);
    fuzz::Require(state.FontFace.size() <= vizo::kFontFaceLimit, "font face cut to its limit");
    fuzz::Require(!state.Log.IsOpen(), "reading the settings opens no log");
    return 0;
}
