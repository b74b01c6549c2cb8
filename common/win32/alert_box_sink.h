#pragma once

#include "common/alerts.h"

namespace common {

// Alerts shown as the program's plain OK message box.
class AlertBoxSink : public Alerts {
public:
    void Alert(const std::string& text) override;

    // Set while the session ends: nobody is left to press OK, and a box would
    // hold the saves up until the system gives up on the program.
    bool Quiet = false;
};

}  // namespace common
