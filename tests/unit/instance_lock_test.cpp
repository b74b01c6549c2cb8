#include "common/instance_lock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(InstanceLock, OneNamePerKindAndFolderAsWindowsComparesFolders) {
    const std::string name = common::InstanceLockName("zorvel", "C:\\TarnelPort\\Hall A");
    EXPECT_EQ("TarnelPort.zorvel:c:/tarnelport/hall a", name);
    for (const char* same : {"c:\\tarnelport\\hall a", "C:\\TARNELPORT\\HALL A\\", "C:/TarnelPort/Hall A/"}) {
        EXPECT_EQ(name, common::InstanceLockName("zorvel", same)) << same;
    }
    for (const char* other : {"C:\\TarnelPort\\Hall B", "C:\\TarnelPort", "D:\\TarnelPort\\Hall A"}) {
        EXPECT_NE(name, common::InstanceLockName("zorvel", other)) << other;
    }
    EXPECT_NE(name, common::InstanceLockName("vizo", "C:\\TarnelPort\\Hall A"));
    EXPECT_EQ("TarnelPort.vizo:c:/", common::InstanceLockName("vizo", "C:\\"));
}

TEST(InstanceLock, LongFoldersGetAShortNameThatStillTellsThemApart) {
    const std::string deep = "C:\\" + std::string(300, 'd');
    const std::string name = common::InstanceLockName("zorvel", deep);
    EXPECT_LE(name.size(), common::kLockNameLimit);
    EXPECT_EQ(name, common::InstanceLockName("zorvel", "c:\\" + std::string(300, 'D') + "\\"));
    EXPECT_NE(name, common::InstanceLockName("zorvel", deep + "e"));
    EXPECT_NE(name, common::InstanceLockName("vizo", deep));
    EXPECT_EQ(std::string::npos, name.find('\\'));
}

}  // namespace
