// A second copy's one courtesy: the first copy's window, brought forward.
#pragma once

#include <cstdint>
#include <optional>

#include "common/folder_lock.h"

namespace common {

// Restores and raises the top-level window of class `windowClass` that process
// `processId` shows, waiting a little for one that is still starting. Never
// waits on that window itself, so a hung first copy cannot hang this one.
// False when no such window came.
bool BringHolderWindowForward(uint32_t processId, const char* windowClass);

// A window program that found its folder held: it brings the holder's window
// forward when that is a window of its kind on this desktop, and otherwise
// says who holds the folder in a box.
void AnswerSecondCopy(const std::optional<LockHolder>& holder, const char* kind, const char* windowClass);

}  // namespace common
