#include "common/disk_space.h"

#include <gtest/gtest.h>

TEST(DiskSpace, LargeDrivesAreNotWrappedAt32Bits) {
    // 8 sectors of 512 bytes, 2,000,000 free clusters: 8,192,000,000 bytes.
    EXPECT_DOUBLE_EQ(8192000000.0, common::FreeBytesFromGeometry(8, 512, 2000000));
    EXPECT_DOUBLE_EQ(4096.0 * 4294967295.0, common::FreeBytesFromGeometry(8, 512, 0xFFFFFFFFu));
}

TEST(DiskSpace, ExactlyTwoMillionBytesIsNotEnough) {
    EXPECT_FALSE(common::EnoughFreeSpace(2000000.0));
    EXPECT_TRUE(common::EnoughFreeSpace(2000001.0));
    EXPECT_FALSE(common::EnoughFreeSpace(0.0));
}

TEST(DiskSpace, AnUnknownDriveCountsAsEnoughSoNothingIsSilentlyDropped) {
    EXPECT_TRUE(common::EnoughFreeSpace(common::FreeBytesWhenUnknown()));
}
