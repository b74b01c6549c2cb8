// One sampling tick: runs on every timer message and once at window creation.
#pragma once

#include "monitor/driver/port_source.h"

namespace zorvel {

constexpr const char* kConnectErrorText = "Could not connect to TarnelPort Driver.";
constexpr const char* kCommErrorText = "TarnelPort Driver Comm. Error.";

// What a tick needs from the window side.
class SamplingHost {
public:
    virtual ~SamplingHost() = default;
    // A modal error box; timer messages keep arriving while it is open.
    virtual void ShowDriverError(const char* text) = 0;
    // Destroys the main window, which ends the program through its exit sequence.
    virtual void CloseProgram() = 0;
};

class SamplingCycle {
public:
    SamplingCycle(PortSource& source, SamplingHost& host) : source_(source), host_(host) {}

    // False when the driver was lost and the program is closing.
    bool Tick();

private:
    bool Fail(const char* text);

    PortSource& source_;
    SamplingHost& host_;
    bool connected_ = false;
    bool closing_ = false;
    bool errorBoxOpen_ = false;
};

}  // namespace zorvel
