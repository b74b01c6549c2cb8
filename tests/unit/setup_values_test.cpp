#include "monitor/dialogs/setup_values.h"
#include "monitor/dialogs/test_result.h"

#include <gtest/gtest.h>

using namespace zorvel;

namespace {

int UpdateTimeAfter(const char* typed, int before = 2) {
    ProgramSettings settings;
    settings.UpdateTime = before;
    SetupInput input;
    input.UpdateTime = typed;
    ApplySetupInput(settings, input);
    return settings.UpdateTime;
}

TEST(SetupValues, UpdateTimeIsCorrectedAsTheDialogPromises) {
    EXPECT_EQ(1, UpdateTimeAfter("0"));
    EXPECT_EQ(1, UpdateTimeAfter("-5"));
    EXPECT_EQ(90, UpdateTimeAfter("90"));
    EXPECT_EQ(60, UpdateTimeAfter("91"));
    EXPECT_EQ(7, UpdateTimeAfter("abc", 7));
    EXPECT_EQ(7, UpdateTimeAfter("", 7));
    EXPECT_EQ(15, UpdateTimeAfter("15s"));
    EXPECT_EQ(12, UpdateTimeAfter("  +12"));
    EXPECT_EQ(60, UpdateTimeAfter("99999999999999999999"));
    EXPECT_EQ(1, UpdateTimeAfter("-99999999999999999999"));
}

TEST(SetupValues, ListPositionsAndSpawnTextsAreStored) {
    ProgramSettings settings;
    SetupInput input;
    input.HourMulti = 2;
    input.HourSingle = -1;
    input.DayMulti = 3;
    input.DaySingle = 1;
    input.HourSpawn = std::string(120, 'h');
    input.DaySpawn = "mail.exe";
    input.UpdateTime = "5";
    ApplySetupInput(settings, input);
    EXPECT_EQ(2, settings.HourMulti);
    EXPECT_EQ(-1, settings.HourSingle);
    EXPECT_EQ(3, settings.DayMulti);
    EXPECT_EQ(1, settings.DaySingle);
    EXPECT_EQ(std::string(100, 'h'), settings.HourSpawn);
    EXPECT_EQ("mail.exe", settings.DaySpawn);
    EXPECT_EQ(5, settings.UpdateTime);
}

}  // namespace

namespace {

TEST(TestResult, TheReportsResultComesFirstAndAProgramThatDidNotStartIsNamed) {
    EXPECT_EQ("Done.", zorvel::TestResultText(0, "", ""));
    EXPECT_EQ("Error reported:2", zorvel::TestResultText(2, "", ""));
    EXPECT_EQ(
        "Error reported:1\n\nThe external program could not be started:\nzorvel-export.exe --output x.prom "
        "calcs.dat\nFile not found.",
        zorvel::TestResultText(1, "zorvel-export.exe --output x.prom calcs.dat", "File not found."));
}

}  // namespace
