#pragma once

#include "common/alerts.h"

namespace common {

// Alerts shown as the program's plain OK message box.
class AlertBoxSink : public Alerts {
public:
    void Alert(const std::string& text) override;
};

}  // namespace common
