#include "common/folder_lock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using common::LockHolder;
using common::LockState;

TEST(FolderLock, TheLineNamesKindProcessAndComputerAndReadsBack) {
    const LockHolder holder{"zorvel", 4120, "HALL-A", ""};
    const std::string line = common::FormatLockLine(holder);
    EXPECT_EQ("zorvel 4120 HALL-A\r\n", line);
    const auto back = common::ParseLockLine(line);
    ASSERT_TRUE(back);
    EXPECT_EQ("zorvel", back->Kind);
    EXPECT_EQ(4120u, back->ProcessId);
    EXPECT_EQ("HALL-A", back->Computer);
    EXPECT_TRUE(common::ParseLockLine("zorvel 7\n")) << "a computer without a name";
    const LockHolder service{"zorvel-service", 88, "HALL-A", "TarnelPortMonitor"};
    EXPECT_EQ("zorvel-service 88 HALL-A TarnelPortMonitor\r\n", common::FormatLockLine(service));
    EXPECT_EQ("TarnelPortMonitor", common::ParseLockLine(common::FormatLockLine(service))->Service);
    EXPECT_TRUE(common::ShowsServiceFigures(service, "HALL-A"));
    EXPECT_FALSE(common::ShowsServiceFigures(service, "HALL-B")) << "another computer's service, over a share";
    EXPECT_FALSE(common::ShowsServiceFigures(holder, "HALL-A")) << "a window program shows no figures to others";

    // Half written, or not a holder's line at all: nobody can be named.
    for (const char* bad : {"", "zorvel 4120 HALL-A", "zorvel\r\n", "zorvel x12 HALL-A\r\n", "zorvel 12x HALL\r\n",
                            "zorvel 99999999999 HALL\r\n", "zorvel 1 HALL service extra\r\n", "\r\n"}) {
        EXPECT_FALSE(common::ParseLockLine(bad)) << bad;
    }
}

TEST(FolderLock, AnOpenThatFailsOnSharingOrOnAccessToAnExistingFileMeansHeld) {
    const struct {
        bool Opened;
        uint32_t Error;
        bool Exists;
        LockState State;
    } cases[] = {
        // A file a crashed holder left opens like a new one: taken over.
        {true, 0, true, LockState::Taken},
        {false, 32, true, LockState::Held},
        {false, 33, true, LockState::Held},
        // An elevated holder's file may refuse this user outright.
        {false, 5, true, LockState::Held},
        // No file, and none may be made: a read-only folder that nobody can hold.
        {false, 5, false, LockState::Unlockable},
        {false, 19, false, LockState::Unlockable},
        {false, 3, false, LockState::Unlockable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "error " << c.Error << (c.Exists ? ", file there" : ""));
        EXPECT_EQ(c.State, common::LockStateAfterOpen(c.Opened, c.Error, c.Exists));
    }
}

TEST(FolderLock, OnlyAWindowOfTheSameKindOnThisDesktopIsBroughtForwardOtherwiseABoxNamesTheProcess) {
    const LockHolder window{"zorvel", 12, "HALL-A", ""};
    EXPECT_TRUE(common::BringsHolderForward(window, "zorvel", "HALL-A", true));
    EXPECT_FALSE(common::BringsHolderForward(window, "zorvel", "HALL-A", false)) << "another user's session";
    EXPECT_FALSE(common::BringsHolderForward(window, "zorvel", "HALL-B", true)) << "a share's other computer";
    EXPECT_FALSE(common::BringsHolderForward({"zorvel", 12, "", ""}, "zorvel", "", true)) << "no name to compare";
    EXPECT_FALSE(common::BringsHolderForward({"zorvel-service", 12, "HALL-A", ""}, "zorvel", "HALL-A", true));

    EXPECT_EQ("The TarnelPort monitor already runs for this folder (process 12).", common::MonitorHeldText(window));
    EXPECT_EQ("The TarnelPort monitor already runs for this folder.", common::MonitorHeldText(std::nullopt));
    EXPECT_EQ("The TarnelPort Monitor service samples this folder (process 12). Stop the service to run the monitor "
              "here.",
              common::MonitorHeldText(common::LockHolder{"zorvel-service", 12, "HALL-A", ""}));
    EXPECT_EQ("The TarnelPort trace viewer already runs for this driver (process 7).", common::TracerHeldText(7u));
}

TEST(FolderLock, TheViewersLockIsNamedAfterTheDeviceAsWindowsComparesIt) {
    const std::string name = common::TracerLockName("\\\\.\\tarnel");
    EXPECT_EQ("TarnelPort.vizo://./tarnel", name);
    EXPECT_EQ(name, common::TracerLockName("\\\\.\\TARNEL"));
    EXPECT_NE(name, common::TracerLockName("\\\\.\\korvexa"));
}

}  // namespace
