#include "monitor/driver/driver_link.h"

#include <gtest/gtest.h>

#include "tests/unit/fake_device.h"

using namespace zorvel;

namespace {

// Fills the port list reply with `count` names "P0", "P1", ...
std::function<void(uint8_t*, uint32_t)> NamesReply(int count) {
    return [count](uint8_t* buffer, uint32_t size) {
        for (int i = 0; i < count && 16u + 12u * (i + 1) <= size; ++i) {
            std::snprintf(reinterpret_cast<char*>(buffer + 16 + 12 * i), 12, "P%d", i);
        }
    };
}

struct DriverLinkTest : ::testing::Test {
    std::unique_ptr<PortTables> tables = CreatePortTables();
    FakeOpener opener;
};

TEST_F(DriverLinkTest, NtOpensTarnelOnceWithNoAccessAndUsesItsCode) {
    opener.Reply = NamesReply(5);
    DriverLink link(opener, common::kPlatformNt, *tables);
    ASSERT_EQ(kStatusOk, link.Request(kRequestPortList));
    ASSERT_EQ(kStatusOk, link.Request(kRequestCounterRead));

    ASSERT_EQ((std::vector<std::string>{"open \\\\.\\tarnel", "control \\\\.\\tarnel", "control \\\\.\\tarnel"}),
              opener.Log());
    EXPECT_EQ(0u, opener.Calls[0].Access);
    EXPECT_EQ(0u, opener.Calls[0].Share);
    EXPECT_EQ(0x1B2010u, opener.Calls[1].Code);
    EXPECT_EQ(1560u, opener.Calls[1].InSize);
    EXPECT_EQ(1560u, opener.Calls[1].OutSize);
    // Header and five ports, with 24 bytes to spare.
    EXPECT_EQ(140u, opener.Calls[2].InSize);
    EXPECT_EQ(140u, opener.Calls[2].OutSize);
    EXPECT_EQ(11u, tables->Counters.Header.Code);
    EXPECT_EQ(20u, tables->Counters.Header.SlotSize);
    EXPECT_EQ(10u, tables->Names.Header.Code);
    EXPECT_EQ(12u, tables->Names.Header.SlotSize);
    EXPECT_EQ(5, link.PortCount());

    link.Close();
    EXPECT_EQ("close \\\\.\\tarnel", opener.Log().back());
}

TEST_F(DriverLinkTest, StatusesForEachFailure) {
    {
        opener.Missing.insert("\\\\.\\tarnel");
        DriverLink link(opener, common::kPlatformNt, *tables);
        EXPECT_EQ(kStatusOpenFailed, link.Request(kRequestPortList));
        EXPECT_EQ(kStatusOpenFailed, link.Request(kRequestCounterRead));
        opener.Missing.clear();
    }
    {
        opener.ControlFails = true;
        DriverLink link(opener, common::kPlatformNt, *tables);
        EXPECT_EQ(kStatusControlFailed, link.Request(kRequestPortList));
        opener.ControlFails = false;
    }
    {
        opener.Reply = NamesReply(0);
        DriverLink link(opener, common::kPlatformNt, *tables);
        EXPECT_EQ(kStatusNoPorts, link.Request(kRequestPortList));
        EXPECT_EQ(0, link.PortCount());
        // No ports: the counter read is refused without asking the driver.
        const size_t calls = opener.Calls.size();
        EXPECT_EQ(kStatusOpenFailed, link.Request(kRequestCounterRead));
        EXPECT_EQ(calls, opener.Calls.size());
    }
    {
        opener.Reply = NamesReply(3);
        DriverLink link(opener, common::kPlatformNt, *tables);
        ASSERT_EQ(kStatusOk, link.Request(kRequestPortList));
        opener.ControlFails = true;
        EXPECT_EQ(kStatusControlFailed, link.Request(kRequestCounterRead));
    }
}

TEST_F(DriverLinkTest, OtherKindsDoNothing) {
    DriverLink link(opener, common::kPlatformNt, *tables);
    EXPECT_EQ(kStatusOk, link.Request(13));
    EXPECT_TRUE(opener.Calls.empty());
}

TEST_F(DriverLinkTest, ListClearsTheFirstSlotSoAStaleListIsNotTakenForAnswer) {
    std::snprintf(tables->Names.Slots[0].Name, 12, "OLD");
    DriverLink link(opener, common::kPlatformNt, *tables);
    EXPECT_EQ(kStatusNoPorts, link.Request(kRequestPortList));
}

TEST_F(DriverLinkTest, MoreThan128NamesCountAs128AndUnterminatedNamesStayInTheirSlot) {
    opener.Reply = [](uint8_t* buffer, uint32_t size) {
        // Every byte of every slot the buffer holds is a name character: no terminators at all.
        std::memset(buffer + 16, 'A', size - 16);
    };
    DriverLink link(opener, common::kPlatformNt, *tables);
    ASSERT_EQ(kStatusOk, link.Request(kRequestPortList));
    EXPECT_EQ(128, link.PortCount());
    EXPECT_EQ(std::string(11, 'A'), PortName(tables->Names.Slots[0]));
    ASSERT_EQ(kStatusOk, link.Request(kRequestCounterRead));
    EXPECT_EQ(130u * 20u, opener.Calls.back().InSize);
}

TEST_F(DriverLinkTest, Win95OpensTheVxdBetweenTwoOpensOfCom5) {
    opener.Reply = NamesReply(2);
    DriverLink link(opener, 1, *tables);
    ASSERT_EQ(kStatusOk, link.Request(kRequestPortList));
    EXPECT_EQ((std::vector<std::string>{"open \\\\.\\COM5", "open \\\\.\\tarnelpt.vxd", "close \\\\.\\COM5",
                                        "open \\\\.\\COM5", "close \\\\.\\COM5", "control \\\\.\\tarnelpt.vxd"}),
              opener.Log());
    EXPECT_EQ(0xC0000000u, opener.Calls[0].Access);
    EXPECT_EQ(0u, opener.Calls[0].Share);
    EXPECT_EQ(0u, opener.Calls[1].Access);
    EXPECT_EQ(0x101u, opener.Calls.back().Code);
}

TEST_F(DriverLinkTest, Win95WithoutCom5StillConnects) {
    opener.Reply = NamesReply(2);
    opener.Missing.insert("\\\\.\\COM5");
    DriverLink link(opener, 1, *tables);
    ASSERT_EQ(kStatusOk, link.Request(kRequestPortList));
    EXPECT_EQ((std::vector<std::string>{"open \\\\.\\COM5", "open \\\\.\\tarnelpt.vxd", "control \\\\.\\tarnelpt.vxd"}),
              opener.Log());
}

TEST_F(DriverLinkTest, Win95MissingVxdFailsAndReleasesCom5) {
    opener.Missing.insert("\\\\.\\tarnelpt.vxd");
    DriverLink link(opener, 1, *tables);
    EXPECT_EQ(kStatusOpenFailed, link.Request(kRequestPortList));
    EXPECT_EQ("close \\\\.\\COM5", opener.Log().back());
}

}  // namespace
