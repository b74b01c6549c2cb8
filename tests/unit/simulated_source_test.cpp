#include "monitor/driver/simulated_source.h"

#include <gtest/gtest.h>

using namespace zorvel;

TEST(ClassicRandom, MatchesTheCRuntimeSequenceSeededWithOne) {
    ClassicRandom random;
    EXPECT_EQ(41, random.Next());
    EXPECT_EQ(18467, random.Next());
    EXPECT_EQ(6334, random.Next());
    EXPECT_EQ(26500, random.Next());
}

TEST(SimulatedSource, ListsThirtyTwoPortsCom5ToCom36) {
    auto tables = CreatePortTables();
    SimulatedSource source(*tables);
    EXPECT_EQ(kStatusOk, source.Request(kRequestPortList));
    EXPECT_EQ(32, CountPorts(tables->Names));
    EXPECT_EQ("COM5", PortName(tables->Names.Slots[0]));
    EXPECT_EQ("COM36", PortName(tables->Names.Slots[31]));
}

TEST(SimulatedSource, FirstTwoCounterReadsAreTheSameOnEveryRun) {
    auto tables = CreatePortTables();
    SimulatedSource source(*tables);
    ASSERT_EQ(kStatusOk, source.Request(kRequestPortList));
    ASSERT_EQ(kStatusOk, source.Request(kRequestCounterRead));
    const CounterSlot& first = tables->Counters.Slots[0];
    // 41, 18467, 6334, 26500 masked with 0xFFF, 0xFFF, 3 and 5.
    EXPECT_EQ(41u, first.TxTotalRaw);
    EXPECT_EQ(18467u & 0xFFF, first.RxTotalRaw);
    EXPECT_EQ(6334 & 3, first.TxPkts);
    EXPECT_EQ(26500 & 5, first.RxPkts);
    EXPECT_EQ(kStatusOpen, first.PortStatus);

    ASSERT_EQ(kStatusOk, source.Request(kRequestCounterRead));
    // Twenty-four busy ports draw four numbers each per read.
    ClassicRandom replay;
    uint32_t tx = 0;
    for (int draw = 0; draw < 4 * 24 * 2; ++draw) {
        const int value = replay.Next();
        if (draw % (4 * 24) == 0) {
            tx += static_cast<uint32_t>(value & 0xFFF);
        }
    }
    EXPECT_EQ(tx, tables->Counters.Slots[0].TxTotalRaw);
    for (int slot = 24; slot < 32; ++slot) {
        const CounterSlot& idle = tables->Counters.Slots[slot];
        EXPECT_EQ(0u, idle.TxTotalRaw + idle.RxTotalRaw + idle.PortStatus) << "slot " << slot;
    }
}

TEST(SimulatedSource, ErrorPatternsFollowTheRequestCounter) {
    auto tables = CreatePortTables();
    SimulatedSource source(*tables);
    source.Request(kRequestPortList);  // counter 32
    // Read n advances the counter to 32 + 32n; slot s sees 32 + 32(n-1) + s + 1.
    uint16_t overruns[24] = {};
    uint16_t parities[24] = {};
    for (int read = 1; read <= 40; ++read) {
        source.Request(kRequestCounterRead);
        for (int slot = 0; slot < 24; ++slot) {
            const uint32_t counter = 32u + 32u * (read - 1) + slot + 1;
            overruns[slot] += (counter & 0x75) == 0x70;
            parities[slot] += (counter & 0x375) == 0x305;
        }
    }
    int anyOverrun = 0;
    for (int slot = 0; slot < 24; ++slot) {
        EXPECT_EQ(overruns[slot], tables->Counters.Slots[slot].OverrunErrorsRaw) << "slot " << slot;
        EXPECT_EQ(parities[slot], tables->Counters.Slots[slot].ParityErrorsRaw) << "slot " << slot;
        EXPECT_EQ(0, tables->Counters.Slots[slot].FramingErrorsRaw);
        anyOverrun += overruns[slot];
    }
    EXPECT_GT(anyOverrun, 0);
}
