#include "common/hourly_alerts.h"

namespace common {
namespace {

constexpr uint64_t kHourMs = 3600000;

}  // namespace

void HourlyAlerts::Alert(const std::string& text) {
    const uint64_t now = nowMs_();
    if (shown_ && now - shownAt_ < kHourMs) {
        ++heldBack_;
        return;
    }
    // Taken before the box: ticks go on inside its message loop.
    shown_ = true;
    shownAt_ = now;
    const uint32_t heldBack = heldBack_;
    heldBack_ = 0;
    if (heldBack == 0) {
        boxes_.Alert(text);
        return;
    }
    boxes_.Alert(text + "\n\nThis has happened " + std::to_string(heldBack) +
                 (heldBack == 1 ? " more time" : " more times") + " since the last message.");
}

}  // namespace common
