// vizo.ini: window placement, font and whether the trace is logged to disk.
#pragma once

#include "common/alerts.h"
#include "tracer/tracer_state.h"

namespace vizo {

// Null path: nothing happens. A missing file clears the placement silently.
// Returns 0.
int LoadTracerSettings(TracerState& state, const char* path, common::Alerts& alerts);

// Null path: the state's settings path. 0 when written; 1 after a message
// when it could not be.
int SaveTracerSettings(TracerState& state, const char* path, common::Alerts& alerts);

}  // namespace vizo
