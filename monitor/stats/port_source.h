// Where the monitor's port list and counters come from: the board's driver or
// the simulated source chosen by -F.
#pragma once

#include "common/driver_wire.h"

namespace zorvel {

enum RequestKind : int { kRequestPortList = TP_REQUEST_PORT_LIST, kRequestCounterRead = TP_REQUEST_COUNTER_READ };

enum RequestStatus : int {
    kStatusOk = 0,
    kStatusOpenFailed = 1,  // also a counter read before any port was listed
    kStatusControlFailed = 3,
    kStatusNoPorts = 4,
};

class PortSource {
public:
    virtual ~PortSource() = default;
    // Fills the port-name table (10) or the live counter table (11); other kinds
    // do nothing and succeed.
    virtual int Request(int kind) = 0;
};

}  // namespace zorvel
