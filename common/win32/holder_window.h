// A second copy's one courtesy: the first copy's window, brought forward.
#pragma once

#include <cstdint>

namespace common {

// Restores and raises the top-level window of class `windowClass` that process
// `processId` shows, waiting a little for one that is still starting. Never
// waits on that window itself, so a hung first copy cannot hang this one.
// False when no such window came.
bool BringHolderWindowForward(uint32_t processId, const char* windowClass);

}  // namespace common
