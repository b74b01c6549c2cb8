// One program of a kind per start folder: two copies there would write the same
// files and drain the same driver queue.
#pragma once

#include <string>

namespace common {

// Longest kernel object name the lock uses; longer folders are named by a hash.
constexpr size_t kLockNameLimit = 200;

// The lock's name: the program's kind and its start folder, folded as Windows
// compares paths (case and the separator), so that "C:\Run" and "c:\run\" meet.
std::string InstanceLockName(const std::string& kind, const std::string& folder);

}  // namespace common
