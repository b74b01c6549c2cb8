#include "tracer/trace_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "tests/unit/fake_device.h"
#include "tests/unit/recording_alerts.h"
#include "tests/unit/temp_dir.h"

using namespace vizo;

namespace {

// A driver that records each request text and answers with the next reply.
struct ScriptedDriver {
    std::vector<std::string> Requests;
    std::vector<std::string> Replies;

    void Attach(FakeOpener& opener) {
        opener.Reply = [this](uint8_t* bytes, uint32_t) {
            Requests.emplace_back(reinterpret_cast<const char*>(bytes + 16));
            std::string reply;
            if (!Replies.empty()) {
                reply = Replies.front();
                Replies.erase(Replies.begin());
            }
            std::memcpy(bytes + 16, reply.data(), reply.size());
            const uint32_t count = static_cast<uint32_t>(reply.size());
            std::memcpy(bytes + 4, &count, 4);
        };
    }
};

struct TraceCycleTest : ::testing::Test {
    TempDir dir;
    FakeOpener opener;
    RecordingAlerts alerts;
    ScriptedDriver driver;
    TraceBuffer buffer;
    TraceChannel channel{opener, 2, kKindTarnel, alerts};
    TraceScreen screen;
    std::FILE* console = std::tmpfile();
    TracerState state{dir.Path("vizo.log")};

    void SetUp() override { driver.Attach(opener); }
    void TearDown() override { std::fclose(console); }

    void Type(const std::string& keys, TraceCycle& cycle) {
        for (char c : keys) {
            cycle.OnTypedChar(state, c);
        }
    }
    std::string Console() {
        std::rewind(console);
        char text[256] = {};
        const size_t n = std::fread(text, 1, sizeof text - 1, console);
        return std::string(text, n);
    }
    std::string Log() { return dir.Read("vizo.log"); }
};

TEST_F(TraceCycleTest, ATickPollsWithAnEmptyRequestAndShowsAndLogsTheReply) {
    TraceCycle cycle(channel, buffer, screen, false, console, alerts);
    SetDiskLog(state, true);
    driver.Replies = {"port 3: \x1b open\r\n", ""};
    cycle.OnTraceTick(state);
    cycle.OnTraceTick(state);

    EXPECT_EQ((std::vector<std::string>{"", ""}), driver.Requests);
    EXPECT_STREQ("port 3: <1bH> open", screen.Line(0));
    EXPECT_EQ(1, screen.CurrentLine());
    EXPECT_EQ("port 3: \x1b open\r\n", Log()) << "the log takes the driver's bytes as they are";
}

TEST_F(TraceCycleTest, EmptyRepliesAndFailedPollsAddNothing) {
    TraceCycle cycle(channel, buffer, screen, false, console, alerts);
    SetDiskLog(state, true);
    // Text the count does not cover, and text with no byte count returned.
    opener.Reply = [](uint8_t* bytes, uint32_t) {
        std::memcpy(bytes + 16, "\0hidden", 7);
        const uint32_t count = 7;
        std::memcpy(bytes + 4, &count, 4);
    };
    cycle.OnTraceTick(state);
    opener.Returned = [](uint32_t) { return 0u; };
    driver.Attach(opener);
    driver.Replies = {"unseen"};
    cycle.OnTraceTick(state);
    opener.ControlFails = true;
    cycle.OnTraceTick(state);

    EXPECT_STREQ("", screen.Line(0));
    EXPECT_EQ("", Log());
    EXPECT_EQ("Error 3\n", Console());
    EXPECT_EQ((std::vector<std::string>{"Error 6(6H) from ioctl"}), alerts.Shown);
}

// Drivers scripted by the counts their replies claim; each reply holds a letter
// of its own up to the text area, and kFails makes that exchange fail.
TEST_F(TraceCycleTest, ATickPollsAgainAtOnceWhileRepliesAreFullAndLogsThemAllInOrder) {
    constexpr int64_t kFull = kTextLimit;
    constexpr int64_t kFails = -1;
    const struct {
        const char* Driver;
        std::vector<int64_t> Counts;
        size_t Replies;
    } cases[] = {{"always full", std::vector<int64_t>(9, kFull), kPollsPerTick},
                 {"full, full, short", {kFull, kFull, 100, kFull}, 3},
                 {"a count above the limit is full", {20000, 0, kFull}, 2},
                 {"a failed exchange ends the tick", {kFull, kFails, kFull}, 1}};
    TraceCycle cycle(channel, buffer, screen, false, console, alerts);
    SetDiskLog(state, true);
    std::string sent;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Driver);
        size_t next = 0;
        opener.Reply = [&](uint8_t* bytes, uint32_t) {
            const std::string text(static_cast<size_t>(std::min(c.Counts[next], kFull)), static_cast<char>('a' + next));
            std::memcpy(bytes + 16, text.data(), text.size());
            const auto claimed = static_cast<uint32_t>(c.Counts[next]);
            std::memcpy(bytes + 4, &claimed, 4);
            sent += text;
            opener.ControlFails = ++next < c.Counts.size() && c.Counts[next] == kFails;
        };
        cycle.OnTraceTick(state);
        EXPECT_EQ(c.Replies, next);
    }
    EXPECT_EQ(sent, Log());
}

TEST_F(TraceCycleTest, TickNumbersFillEightToALineAfterTheFirstSeven) {
    TraceCycle cycle(channel, buffer, screen, true, console, alerts);
    for (int i = 0; i < 23; ++i) {
        cycle.OnTraceTick(state);
    }
    EXPECT_STREQ("tick-1 tick-2 tick-3 tick-4 tick-5 tick-6 tick-7 ", screen.Line(0));
    EXPECT_STREQ("tick-8 tick-9 tick-10 tick-11 tick-12 tick-13 tick-14 tick-15 ", screen.Line(1));
    EXPECT_EQ(3, screen.CurrentLine());
    EXPECT_EQ(0, screen.Column());
}

TEST_F(TraceCycleTest, TypedLinesAreEchoedAndEnterSendsThem) {
    TraceCycle cycle(channel, buffer, screen, false, console, alerts);
    Type("H\bS", cycle);
    EXPECT_STREQ("H<8H>S", screen.Line(0));
    EXPECT_EQ("S", cycle.TypedLine());

    driver.Replies = {"ok\r\n"};
    Type("\r", cycle);
    Type("\b\r", cycle);
    EXPECT_EQ((std::vector<std::string>{"S\r", "\r"}), driver.Requests) << "backspace on an empty line";
    EXPECT_STREQ("ok", screen.Line(0)) << "the reply starts at column 0 of the same row";
    EXPECT_STREQ("", buffer.Text()) << "the request text is emptied after the exchange";
}

TEST_F(TraceCycleTest, ALineHoldsAtMost122Characters) {
    TraceCycle cycle(channel, buffer, screen, false, console, alerts);
    Type(std::string(130, 'a'), cycle);
    EXPECT_EQ(std::string(122, 'a'), cycle.TypedLine());
    EXPECT_EQ(std::string(36, 'a'), screen.Line(1)) << "dropped characters are not echoed";
    Type("\b\x01\r", cycle);
    ASSERT_EQ(1u, driver.Requests.size());
    EXPECT_EQ(std::string(121, 'a') + "\x01\r", driver.Requests[0]);
}

TEST_F(TraceCycleTest, ATickInsideTheTypedLinesErrorBoxSkipsItsExchange) {
    struct TickingAlerts : common::Alerts {
        std::function<void()> OnShow;
        void Alert(const std::string&) override { OnShow(); }
    } boxes;
    TraceChannel failing(opener, 2, kKindTarnel, boxes);
    TraceCycle cycle(failing, buffer, screen, true, console, alerts);
    boxes.OnShow = [&] { cycle.OnTraceTick(state); };
    opener.ControlFails = true;
    Type("x\r", cycle);

    const auto calls = opener.Log();
    EXPECT_EQ(1, std::count(calls.begin(), calls.end(), "control \\\\.\\tarnel"));
    EXPECT_STREQ("tick-1 ", screen.Line(0)) << "the tick number is still shown";
}

TEST_F(TraceCycleTest, AFailedLogWriteIsSaidOnceAndTheNextPollOpensTheLogAgain) {
    TraceCycle cycle(channel, buffer, screen, false, console, alerts);
    // A log on a device that takes no byte, until the link is removed.
    std::filesystem::create_symlink("/dev/full", dir.Path("vizo.log"));
    SetDiskLog(state, true);
    driver.Replies = {"one\r\n", "two\r\n", "three\r\n", "four\r\n"};
    cycle.OnTraceTick(state);
    cycle.OnTraceTick(state);
    std::filesystem::remove(dir.Path("vizo.log"));
    cycle.OnTraceTick(state);
    cycle.OnTraceTick(state);
    EXPECT_EQ((std::vector<std::string>{"An error occurred while writing the vizo.log file."}), alerts.Shown);
    EXPECT_EQ("three\r\nfour\r\n", Log());
    EXPECT_EQ(1, state.LogToDisk) << "the user's choice stays for vizo.ini";
}

TEST_F(TraceCycleTest, ALongLogIsOverwrittenFromItsStartAndNeverShortened) {
    dir.Write("vizo.log", std::string(250000, '.'));
    SetDiskLog(state, true);
    state.Log.Write("NEW", 3);
    SetDiskLog(state, false);
    const std::string log = Log();
    EXPECT_EQ(250000u, log.size());
    EXPECT_EQ("NEW..", log.substr(0, 5));

    // Writing past 200,000 bytes sends the next text to the start.
    dir.Write("vizo.log", std::string(199990, '.'));
    SetDiskLog(state, true);
    state.Log.Write("0123456789abcdefghij", 20);
    state.Log.Write("AFTER", 5);
    SetDiskLog(state, false);
    EXPECT_EQ(200010u, Log().size());
    EXPECT_EQ("AFTER", Log().substr(0, 5));
    EXPECT_EQ("ij", Log().substr(200008));
}

TEST_F(TraceCycleTest, OpeningTheLogKeepsItsContentAndAFailedOpenKeepsTheUsersChoice) {
    dir.Write("vizo.log", "old\r\n");
    EXPECT_TRUE(SetDiskLog(state, true));
    WriteStartBanner(state, "08.12.2026", "14:05");
    EXPECT_EQ(1, state.LogToDisk);
    EXPECT_EQ("old\r\n===========> 08.12.2026 14:05 <==========\r\n", Log());

    TracerState nowhere(dir.Path("missing/vizo.log"));
    EXPECT_FALSE(SetDiskLog(nowhere, true));
    EXPECT_EQ(1, nowhere.LogToDisk) << "vizo.ini keeps logging on for the next start";
    WriteStartBanner(nowhere, "d", "t");
    EXPECT_FALSE(std::filesystem::exists(dir.Path("missing")));
    EXPECT_TRUE(SetDiskLog(nowhere, false));
    EXPECT_EQ(0, nowhere.LogToDisk);
}

TEST_F(TraceCycleTest, ClearDiskLogEmptiesTheFileAndKeepsLoggingAsItWas) {
    dir.Write("vizo.log", "old text");
    EXPECT_TRUE(ClearDiskLog(state));
    EXPECT_EQ(0, state.LogToDisk);
    EXPECT_FALSE(state.Log.IsOpen());
    EXPECT_EQ("", Log());

    dir.Write("vizo.log", "old text");
    SetDiskLog(state, true);
    EXPECT_TRUE(ClearDiskLog(state));
    EXPECT_EQ(1, state.LogToDisk);
    state.Log.Write("new", 3);
    EXPECT_EQ("new", Log());

    TracerState nowhere(dir.Path("missing/vizo.log"));
    EXPECT_FALSE(ClearDiskLog(nowhere));
}

TEST_F(TraceCycleTest, AfterAnOutageTheMarkerComesBeforeTheFirstReplyOnce) {
    TraceCycle cycle(channel, buffer, screen, false, console, alerts);
    cycle.OnReconnect([](TracerState& s) { s.Log.Write("[back]", 6); });
    SetDiskLog(state, true);
    driver.Replies = {"before\r\n"};
    cycle.OnTraceTick(state);
    opener.ControlFails = true;
    cycle.OnTraceTick(state);
    cycle.OnTraceTick(state);
    opener.ControlFails = false;
    driver.Replies = {"after\r\n", "later\r\n"};
    cycle.OnTraceTick(state);
    cycle.OnTraceTick(state);
    EXPECT_EQ("before\r\n[back]after\r\nlater\r\n", Log());
    EXPECT_EQ((std::vector<std::string>{"Error 6(6H) from ioctl"}), alerts.Shown);
}

}  // namespace
