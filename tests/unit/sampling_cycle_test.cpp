#include "monitor/stats/sampling_cycle.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

using namespace zorvel;

namespace {

struct ScriptedSource : PortSource {
    std::vector<int> Asked;
    int ListStatus = kStatusOk;
    int ReadStatus = kStatusOk;
    int Request(int kind) override {
        Asked.push_back(kind);
        return kind == kRequestPortList ? ListStatus : ReadStatus;
    }
};

struct RecordingHost : SamplingHost {
    std::vector<std::string> Events;
    std::function<void()> WhileBoxOpen;
    void ShowDriverError(const char* text) override {
        Events.push_back(std::string("box ") + text);
        if (WhileBoxOpen) {
            WhileBoxOpen();
        }
    }
    void CloseProgram() override { Events.push_back("close"); }
};

TEST(SamplingCycle, ConnectsOnceThenReadsEveryTick) {
    ScriptedSource source;
    RecordingHost host;
    SamplingCycle cycle(source, host);
    EXPECT_TRUE(cycle.Tick());
    EXPECT_TRUE(cycle.Tick());
    EXPECT_EQ((std::vector<int>{kRequestPortList, kRequestCounterRead, kRequestCounterRead}), source.Asked);
    EXPECT_TRUE(host.Events.empty());
}

TEST(SamplingCycle, ConnectFailureShowsItsBoxThenClosesWithoutReading) {
    ScriptedSource source;
    source.ListStatus = kStatusNoPorts;
    RecordingHost host;
    SamplingCycle cycle(source, host);
    EXPECT_FALSE(cycle.Tick());
    EXPECT_EQ((std::vector<int>{kRequestPortList}), source.Asked);
    EXPECT_EQ((std::vector<std::string>{"box Could not connect to TarnelPort Driver.", "close"}), host.Events);
}

TEST(SamplingCycle, ReadFailureShowsTheCommBoxOnceEvenWhenTicksArriveWhileItIsOpen) {
    ScriptedSource source;
    RecordingHost host;
    SamplingCycle cycle(source, host);
    ASSERT_TRUE(cycle.Tick());
    source.ReadStatus = kStatusControlFailed;
    // Timer messages keep coming while the box is open.
    host.WhileBoxOpen = [&] {
        EXPECT_FALSE(cycle.Tick());
        EXPECT_FALSE(cycle.Tick());
    };
    EXPECT_FALSE(cycle.Tick());
    EXPECT_EQ((std::vector<std::string>{"box TarnelPort Driver Comm. Error.", "close"}), host.Events);
    EXPECT_EQ(3u, source.Asked.size());
}

}  // namespace
