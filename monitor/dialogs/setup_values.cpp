#include "monitor/dialogs/setup_values.h"

#include <cctype>
#include <climits>

#include "monitor/files/settings_file.h"

namespace zorvel {

const char* const kHourChoices[4] = {"None", "Hour Data", "All Data", "View Data"};
const char* const kDayChoices[4] = {"None", "Day Data", "All Data", "View Data"};

bool ScanInteger(const char* text, int& value) {
    while (std::isspace(static_cast<unsigned char>(*text))) {
        ++text;
    }
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') {
        ++text;
    }
    if (!std::isdigit(static_cast<unsigned char>(*text))) {
        return false;
    }
    long long magnitude = 0;
    for (; std::isdigit(static_cast<unsigned char>(*text)); ++text) {
        if (magnitude <= INT_MAX) {
            magnitude = magnitude * 10 + (*text - '0');
        }
    }
    if (negative) {
        value = magnitude > INT_MAX ? INT_MIN : static_cast<int>(-magnitude);
    } else {
        value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
    }
    return true;
}

void ApplySetupInput(ProgramSettings& settings, const SetupInput& input) {
    settings.HourMulti = input.HourMulti;
    settings.HourSingle = input.HourSingle;
    settings.DayMulti = input.DayMulti;
    settings.DaySingle = input.DaySingle;
    settings.HourSpawn = input.HourSpawn.substr(0, kSpawnLimit);
    settings.DaySpawn = input.DaySpawn.substr(0, kSpawnLimit);
    int seconds = 0;
    if (!ScanInteger(input.UpdateTime.substr(0, 29).c_str(), seconds)) {
        return;
    }
    if (seconds > 90) {
        seconds = 60;
    }
    if (seconds <= 0) {
        seconds = 1;
    }
    settings.UpdateTime = seconds;
}

}  // namespace zorvel
