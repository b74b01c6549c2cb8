#pragma once

namespace common {

// The message-box caption and help file of the program the common code is linked into.
struct AppIdentity {
    const char* Caption;
    const char* HelpFile;
};

// Defined once by each program.
extern const AppIdentity kAppIdentity;

}  // namespace common
