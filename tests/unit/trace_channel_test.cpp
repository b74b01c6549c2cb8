#include "tracer/trace_channel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/unit/fake_device.h"
#include "tests/unit/recording_alerts.h"

using namespace vizo;

namespace {

constexpr uint32_t kNt = 2;
constexpr uint32_t kWin95 = 1;
const std::string kTarnel = "\\\\.\\tarnel";
const std::string kKorvex = "\\\\.\\korvexa";

// Writes `text` as the reply with `count` at offset 4.
std::function<void(uint8_t*, uint32_t)> ReplyWith(const std::string& text, uint32_t count) {
    return [text, count](uint8_t* buffer, uint32_t) {
        std::memcpy(buffer + 16, text.data(), text.size());
        std::memcpy(buffer + 4, &count, 4);
    };
}

struct TraceChannelTest : ::testing::Test {
    FakeOpener opener;
    RecordingAlerts alerts;
    TraceBuffer buffer;
    uint32_t returned = 99;
};

TEST_F(TraceChannelTest, NtExchangeSendsTheRequestAndTerminatesTheReplyAfterItsCount) {
    std::string seen;
    uint32_t code = 0, size = 0;
    opener.Reply = [&](uint8_t* bytes, uint32_t outSize) {
        std::memcpy(&code, bytes, 4);
        std::memcpy(&size, bytes + 4, 4);
        seen = reinterpret_cast<const char*>(bytes + 16);
        ReplyWith("port 1 open\r\nXYZ", 13)(bytes, outSize);
    };
    opener.Returned = [](uint32_t) { return 29u; };
    TraceChannel channel(opener, kNt, kKindTarnel, alerts);
    buffer.SetRequest("help\r");

    ASSERT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    EXPECT_EQ(13u, code);
    EXPECT_EQ(10100u, size);
    EXPECT_EQ("help\r", seen);
    EXPECT_EQ(29u, returned);
    EXPECT_STREQ("port 1 open\r\n", buffer.Text());
    EXPECT_EQ(13u, buffer.ReplyCount());

    ASSERT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    ASSERT_EQ((std::vector<std::string>{"open " + kTarnel, "control " + kTarnel, "control " + kTarnel}), opener.Log());
    EXPECT_EQ(0xC0000000u, opener.Calls[0].Access);
    EXPECT_EQ(3u, opener.Calls[0].Share);
    EXPECT_EQ(0x1B2010u, opener.Calls[1].Code);
    EXPECT_EQ(10100u, opener.Calls[1].InSize);
    EXPECT_EQ(10100u, opener.Calls[1].OutSize);
    EXPECT_TRUE(alerts.Shown.empty());
}

TEST_F(TraceChannelTest, ReplyCountsAreBoundedByTheTextArea) {
    opener.Reply = [](uint8_t* bytes, uint32_t size) {
        std::memset(bytes + 16, 'A', size - 16);
        const uint32_t count = 0xFFFFFFF0u;
        std::memcpy(bytes + 4, &count, 4);
    };
    TraceChannel channel(opener, kNt, kKindTarnel, alerts);
    ASSERT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    EXPECT_EQ(10084u, buffer.ReplyCount());
    EXPECT_EQ(10084u, std::strlen(buffer.Text()));

    opener.Reply = ReplyWith("stale text", 0);
    ASSERT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    EXPECT_STREQ("", buffer.Text());
}

TEST_F(TraceChannelTest, DeviceChosenByDriverKind) {
    {
        TraceChannel channel(opener, kNt, kKindKorvex, alerts);
        EXPECT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    }
    EXPECT_EQ("open " + kKorvex, opener.Log()[0]);

    // Undetermined: the Korvex device is reached after Tarnel fails, silently.
    opener.Calls.clear();
    opener.Missing.insert(kTarnel);
    TraceChannel channel(opener, kNt, kKindUndetermined, alerts);
    EXPECT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    EXPECT_EQ((std::vector<std::string>{"open " + kTarnel, "open " + kKorvex, "control " + kKorvex}), opener.Log());
    EXPECT_TRUE(alerts.Shown.empty());
}

TEST_F(TraceChannelTest, OpenFailuresAreReportedAndRetriedAtTheNextExchange) {
    opener.Missing = {kTarnel, kKorvex};
    TraceChannel undetermined(opener, kNt, kKindUndetermined, alerts);
    EXPECT_EQ(kExchangeNoDriver, undetermined.Exchange(buffer, returned));
    EXPECT_EQ(0u, returned);

    opener.OpenError = 5;
    TraceChannel tarnel(opener, kNt, kKindTarnel, alerts);
    EXPECT_EQ(kExchangeNoDriver, tarnel.Exchange(buffer, returned));
    opener.Missing.clear();
    EXPECT_EQ(kExchangeOk, tarnel.Exchange(buffer, returned));

    EXPECT_EQ((std::vector<std::string>{"Could not open driver", "Could not open file: \\\\.\\tarnel, error:5"}),
              alerts.Shown);
}

// A driver that is stopped and started again: the dead handle is closed, each
// later exchange opens the driver anew, and an outage shows one box however
// many exchanges fail in it, those inside the box's own message loop included.
TEST_F(TraceChannelTest, AnOutageShowsOneBoxAndTheDriverIsOpenedAgainUntilItAnswers) {
    struct ReentrantAlerts : common::Alerts {
        std::vector<std::string> Shown;
        std::function<void()> WhileOpen;
        void Alert(const std::string& text) override {
            Shown.push_back(text);
            if (WhileOpen) {
                auto inner = std::move(WhileOpen);
                inner();
            }
        }
    } boxes;
    TraceChannel channel(opener, kNt, kKindTarnel, boxes);
    ASSERT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    EXPECT_FALSE(channel.TakeReconnected());
    opener.Calls.clear();

    opener.ControlFails = true;
    int innerResults = 0;
    boxes.WhileOpen = [&] {
        uint32_t r = 0;
        innerResults += channel.Exchange(buffer, r);
        opener.Missing = {kTarnel};
        innerResults += channel.Exchange(buffer, r);
    };
    EXPECT_EQ(kExchangeFailed, channel.Exchange(buffer, returned));
    EXPECT_EQ(0u, returned);
    EXPECT_EQ(kExchangeFailed + kExchangeNoDriver, innerResults);
    EXPECT_EQ(kExchangeNoDriver, channel.Exchange(buffer, returned));
    EXPECT_EQ((std::vector<std::string>{"Error 6(6H) from ioctl"}), boxes.Shown);

    opener.Missing.clear();
    opener.ControlFails = false;
    EXPECT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    EXPECT_TRUE(channel.TakeReconnected());
    EXPECT_FALSE(channel.TakeReconnected());
    const std::string control = "control " + kTarnel, close = "close " + kTarnel, open = "open " + kTarnel;
    EXPECT_EQ((std::vector<std::string>{control, close, open, control, close, open, open, open, control}),
              opener.Log());

    // The next outage has a box of its own.
    opener.ControlFails = true;
    opener.ControlError = 1167;
    EXPECT_EQ(kExchangeFailed, channel.Exchange(buffer, returned));
    EXPECT_EQ((std::vector<std::string>{"Error 6(6H) from ioctl", "Error 1167(48fH) from ioctl"}), boxes.Shown);
}

TEST_F(TraceChannelTest, Win95OpensTheVxdBetweenTwoOpensOfCom5WhateverTheKind) {
    TraceChannel channel(opener, kWin95, kKindKorvex, alerts);
    ASSERT_EQ(kExchangeOk, channel.Exchange(buffer, returned));
    EXPECT_EQ((std::vector<std::string>{"open \\\\.\\COM5", "open \\\\.\\tarnelpt.vxd", "close \\\\.\\COM5",
                                        "open \\\\.\\COM5", "close \\\\.\\COM5", "control \\\\.\\tarnelpt.vxd"}),
              opener.Log());
    EXPECT_EQ(3u, opener.Calls[0].Share);
    EXPECT_EQ(3u, opener.Calls[1].Share);
    EXPECT_EQ(1u, opener.Calls[3].Share);
    EXPECT_EQ(0x101u, opener.Calls.back().Code);
}

TEST_F(TraceChannelTest, Win95WithoutTheVxdReportsItsPathAndReleasesCom5) {
    opener.Missing.insert("\\\\.\\tarnelpt.vxd");
    TraceChannel channel(opener, kWin95, kKindTarnel, alerts);
    EXPECT_EQ(kExchangeNoDriver, channel.Exchange(buffer, returned));
    EXPECT_EQ("close \\\\.\\COM5", opener.Log().back());
    EXPECT_EQ((std::vector<std::string>{"Could not open file: \\\\.\\tarnelpt.vxd, error:2"}), alerts.Shown);
}

}  // namespace
