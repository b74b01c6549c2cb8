#pragma once

namespace common {

// True when the thread's token (the client's, while a server impersonates it)
// is a member of the Administrators group with that membership in force.
bool IsAdministrator();

}  // namespace common
