#pragma once

#include "common/alerts.h"
#include "common/win32/dialogs.h"

namespace common {

// The core's messages, shown with AlertBox.
class BoxAlerts : public Alerts {
public:
    void Alert(const std::string& text) override { AlertBox("%s", text.c_str()); }
};

}  // namespace common
