// The window's side of a service: the published block read while the service
// writes it, the reader's news, and the requests it sends.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "monitor/service/service_reader.h"
#include "monitor/service/service_requests.h"
#include "monitor/stats/statistic_values.h"

using namespace zorvel;

namespace {

// Every figure of a tick carries the tick's number, so that a mix of two ticks shows.
void FillTick(Publication& publication, uint32_t tick) {
    publication.Status.LastSample = tick;
    publication.Running = 1;
    publication.Names.Slots[0].Name[0] = static_cast<char>('A' + tick % 26);
    for (StatsRecord& record : publication.Records) {
        record.TxTotal = tick;
        record.CDRunTime = tick;
    }
    publication.Counters.Slots[kMaxPorts].TxTotalRaw = tick;
}

bool OneTick(const Publication& publication) {
    const uint32_t tick = static_cast<uint32_t>(publication.Status.LastSample);
    if (publication.Names.Slots[0].Name[0] != static_cast<char>('A' + tick % 26) ||
        publication.Counters.Slots[kMaxPorts].TxTotalRaw != tick) {
        return false;
    }
    for (const StatsRecord& record : publication.Records) {
        if (record.TxTotal != tick || record.CDRunTime != tick) {
            return false;
        }
    }
    return true;
}

TEST(PublishedBlock, AReaderNeverTakesHalfATickWhileTheWriterPublishes) {
    auto block = std::make_unique<PublicationBlock>();
    block->Sequence = 0;
    PublishWith(*block, [](Publication& data) { FillTick(data, 0); });
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (uint32_t tick = 1; tick <= 20000; ++tick) {
            PublishWith(*block, [tick](Publication& data) { FillTick(data, tick); });
        }
        done = true;
    });
    auto taken = std::make_unique<Publication>();
    int reads = 0;
    int torn = 0;
    uint32_t last = 0;
    while (!done || reads == 0) {
        if (!TakePublished(*block, *taken)) {
            continue;
        }
        ++reads;
        torn += OneTick(*taken) ? 0 : 1;
        EXPECT_GE(taken->Status.LastSample, last) << "a tick older than one taken before";
        last = static_cast<uint32_t>(taken->Status.LastSample);
    }
    writer.join();
    EXPECT_EQ(0, torn) << "of " << reads << " reads";
    EXPECT_GT(reads, 0);
}

struct Script : PublicationSource {
    std::vector<int> Ticks;  // a tick to publish; 0: no block; -1: a block that says stopped
    size_t Next = 0;
    bool Take(Publication& publication) override {
        const int step = Ticks[Next++];
        if (step == 0) {
            return false;
        }
        std::memset(&publication, 0, sizeof publication);
        FillTick(publication, static_cast<uint32_t>(step > 0 ? step : 99));
        publication.Running = step > 0 ? 1 : 0;
        publication.Status.PeriodMs = 1000;
        publication.Settings = PublishSettings(ProgramSettings());
        publication.Settings.UpdateTime = 7;
        return true;
    }
};

TEST(ServiceReader, TakesTheFiguresWhileTheServiceRunsAndTellsOnceWhenItStopsAndRunsAgain) {
    Script script;
    script.Ticks = {5, 6, 0, 0, -1, 9, -1};
    auto tables = CreatePortTables();
    ProgramSettings settings;
    settings.Metrics.File = "kept.prom";
    ServiceReader reader(script, *tables, settings);
    const ReaderNews expected[] = {ReaderNews::None,    ReaderNews::None, ReaderNews::Stopped, ReaderNews::None,
                                   ReaderNews::None,    ReaderNews::Running, ReaderNews::Stopped};
    const int64_t shown[] = {5, 6, 6, 6, 6, 9, 9};
    for (size_t i = 0; i < script.Ticks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i], reader.Tick());
        EXPECT_EQ(shown[i], reader.ShownSample());
        EXPECT_EQ(static_cast<uint32_t>(shown[i]), tables->Records[3].TxTotal) << "the last figures kept";
    }
    EXPECT_EQ(7, settings.UpdateTime);
    EXPECT_EQ("kept.prom", settings.Metrics.File) << "the window's own section is not the service's";
    EXPECT_EQ(1000u, reader.PeriodMs());
    EXPECT_EQ("TarnelPort Monitor (service)", ServiceWindowCaption(true, "12:00:00"));
    EXPECT_EQ("TarnelPort Monitor (service) - The TarnelPort Monitor service has stopped; the figures shown are from "
              "12:34:56.",
              ServiceWindowCaption(false, "12:34:56"));
}

TEST(ServiceRequests, TheServiceTakesOnlyWhatItCanMakeSenseOf) {
    ResetPlan all{kAllPorts, {7, 8, 43}};
    ServiceRequest reset = ResetRequest(all);
    auto decoded = DecodeRequest(&reset, sizeof reset);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(RequestCode::Reset, decoded->Code);
    EXPECT_EQ(kAllPorts, decoded->Reset.Port);
    EXPECT_EQ((std::vector<int>{7, 8, 43}), decoded->Reset.Inputs);

    ProgramSettings settings;
    settings.UpdateTime = 5;
    settings.HourMulti = 3;
    settings.HourSpawn = std::string(150, 'h');
    ServiceRequest change = SettingsRequest(RequestCode::TestDay, settings);
    decoded = DecodeRequest(&change, sizeof change);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(RequestCode::TestDay, decoded->Code);
    EXPECT_EQ(5, decoded->Settings.UpdateTime);
    EXPECT_EQ(3, decoded->Settings.HourMulti);
    EXPECT_EQ(std::string(100, 'h'), decoded->Settings.HourSpawn) << "the settings file's own limit";

    const auto spoilt = [&](void (*spoil)(ServiceRequest&)) {
        ServiceRequest request = ResetRequest({3, {7}});
        spoil(request);
        return DecodeRequest(&request, sizeof request).has_value();
    };
    EXPECT_TRUE(spoilt([](ServiceRequest&) {}));
    EXPECT_FALSE(spoilt([](ServiceRequest& r) { r.Code = 9; }));
    EXPECT_FALSE(spoilt([](ServiceRequest& r) { r.Port = kMaxPorts; }));
    EXPECT_FALSE(spoilt([](ServiceRequest& r) { r.Port = -2; }));
    EXPECT_FALSE(spoilt([](ServiceRequest& r) { r.Inputs[0] = 0; }));
    EXPECT_FALSE(spoilt([](ServiceRequest& r) { r.Inputs[0] = 57; }));
    EXPECT_FALSE(spoilt([](ServiceRequest& r) { r.InputCount = kMaxColumns + 1; }));
    EXPECT_FALSE(DecodeRequest(&reset, sizeof reset - 1));
    // Texts without their terminator are cut at their room.
    std::memset(change.Settings.DaySpawn, 'd', sizeof change.Settings.DaySpawn);
    decoded = DecodeRequest(&change, sizeof change);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::string(100, 'd'), decoded->Settings.DaySpawn);

    ServiceReply reply = MakeReply(ReplyOutcome::Done, 2, "collect.exe", std::string(300, 'r'));
    EXPECT_EQ("collect.exe", ReplyCommand(reply));
    EXPECT_EQ(std::string(255, 'r'), ReplyReason(reply));
}

}  // namespace
