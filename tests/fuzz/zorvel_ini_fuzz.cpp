// zorvel.ini as read at start-up and after File Open.
#include "monitor/files/settings_file.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zorvel::ProgramSettings settings;
    fuzz::QuietAlerts alerts;
    fuzz::Require(zorvel::ReadSettingsFile(fuzz::WriteInput("zorvel.ini", data, size).c_str(), settings, alerts) == 0,
                  "an existing file is read");
    fuzz::Require(settings.HourSpawn.size() <= zorvel::kSpawnLimit && settings.DaySpawn.size() <= zorvel::kSpawnLimit,
                  "spawn lines cut to their limit");
    zorvel::SampleIntervalMs(settings.UpdateTime);
    return 0;
}
