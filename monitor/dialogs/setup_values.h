// What the Program Setup dialog reads from its controls, and how it lands in the settings.
#pragma once

#include <string>

#include "monitor/program_settings.h"

namespace zorvel {

extern const char* const kHourChoices[4];
extern const char* const kDayChoices[4];

struct SetupInput {
    int HourMulti = -1;  // list positions; -1 when nothing is selected
    int HourSingle = -1;
    int DayMulti = -1;
    int DaySingle = -1;
    std::string HourSpawn;
    std::string DaySpawn;
    std::string UpdateTime;  // the edit control's text
};

// Reads a decimal integer as "%d" would: blanks skipped, an optional sign, digits.
// False when there is no number; one too large for an int is taken as its limit.
bool ScanInteger(const char* text, int& value);

// Stores the dialog's values: spawn texts cut to the settings file's limit, an
// update time above 90 taken as 60 and one of 0 or below as 1, and an update
// time without a number left as it was.
void ApplySetupInput(ProgramSettings& settings, const SetupInput& input);

}  // namespace zorvel
