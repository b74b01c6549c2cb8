#pragma once

#include <string>
#include <vector>

#include "common/alerts.h"

struct RecordingAlerts : common::Alerts {
    std::vector<std::string> Shown;
    void Alert(const std::string& text) override { Shown.push_back(text); }
};
