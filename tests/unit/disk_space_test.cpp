#include "common/disk_space.h"

#include <gtest/gtest.h>

TEST(DiskSpace, ExactlyTwoMillionBytesIsNotEnough) {
    EXPECT_FALSE(common::EnoughFreeSpace(2000000.0));
    EXPECT_TRUE(common::EnoughFreeSpace(2000001.0));
    EXPECT_FALSE(common::EnoughFreeSpace(0.0));
}

TEST(DiskSpace, AnUnknownDriveCountsAsEnoughSoNothingIsSilentlyDropped) {
    EXPECT_TRUE(common::EnoughFreeSpace(common::FreeBytesWhenUnknown()));
}
