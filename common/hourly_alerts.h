// A fault that comes and goes (a file that fails, works and fails again, a
// driver that drops in and out) would show a box each time it comes back.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/alerts.h"

namespace common {

// One cause's boxes, at most one an hour; those held back are counted, and the
// next box that shows says how many there were.
class HourlyAlerts : public Alerts {
public:
    // `nowMs` is a millisecond count that never goes back.
    HourlyAlerts(Alerts& boxes, std::function<uint64_t()> nowMs) : boxes_(boxes), nowMs_(std::move(nowMs)) {}

    void Alert(const std::string& text) override;

    uint32_t HeldBack() const { return heldBack_; }

private:
    Alerts& boxes_;
    std::function<uint64_t()> nowMs_;
    bool shown_ = false;
    uint64_t shownAt_ = 0;
    uint32_t heldBack_ = 0;
};

}  // namespace common
