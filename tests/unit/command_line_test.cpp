#include "monitor/command_line.h"

#include <gtest/gtest.h>

using zorvel::SimulationRequested;

TEST(CommandLine, MinusFInEitherCaseTurnsOnTheSimulationWhateverFollows) {
    EXPECT_TRUE(SimulationRequested("-F"));
    EXPECT_TRUE(SimulationRequested("-f"));
    EXPECT_TRUE(SimulationRequested("-Fast and more"));
    EXPECT_TRUE(SimulationRequested("-fx"));
}

TEST(CommandLine, AnythingElseLeavesTheDriver) {
    EXPECT_FALSE(SimulationRequested(""));
    EXPECT_FALSE(SimulationRequested(nullptr));
    EXPECT_FALSE(SimulationRequested("F"));
    EXPECT_FALSE(SimulationRequested("f"));
    EXPECT_FALSE(SimulationRequested("/F"));
    EXPECT_FALSE(SimulationRequested(" -F"));
    EXPECT_FALSE(SimulationRequested("-"));
    EXPECT_FALSE(SimulationRequested("-G"));
}
