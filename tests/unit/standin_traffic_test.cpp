// The stand-in's traffic model: what each kind of port carries and signals, and
// how the counters move with time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "tools/standin/si_traffic.h"

namespace {

struct Seen {
    uint64_t Ms;
    uint32_t Port;
    SiEvent Event;
};

void Record(void* context, uint64_t ms, uint32_t port, SiEvent event) {
    static_cast<std::vector<Seen>*>(context)->push_back({ms, port, event});
}

std::unique_ptr<SiTraffic> Started(uint32_t ports, uint32_t seed = 1) {
    auto traffic = std::make_unique<SiTraffic>();
    si_traffic_start(traffic.get(), ports, seed, 0);
    return traffic;
}

size_t CountOf(const std::vector<Seen>& seen, uint32_t port, SiEvent event) {
    return static_cast<size_t>(
        std::count_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.Port == port && s.Event == event; }));
}

TEST(StandInTraffic, EachKindCarriesAndSignalsAsAPortOfThatKind) {
    auto traffic = Started(8);
    si_traffic_advance(traffic.get(), 10000, nullptr, nullptr);
    const TpCounterSlot& line = traffic->port[0].counters;
    EXPECT_GE(line.TxTotalRaw, 10u * (SI_LINE_RATE_CPS - 1200));
    EXPECT_LE(line.TxTotalRaw, 10u * SI_LINE_RATE_CPS);
    EXPECT_EQ(line.TxTotalRaw / SI_PACKET_SIZE, line.TxPkts);
    EXPECT_GT(traffic->port[1].counters.RxTotalRaw, 0u);
    for (uint32_t idle : {3u, 7u}) {
        EXPECT_EQ(0u, traffic->port[idle].counters.TxTotalRaw + traffic->port[idle].counters.RxTotalRaw) << idle;
    }
    EXPECT_EQ(0u, traffic->port[3].counters.PortStatus) << "closed";
    EXPECT_EQ(TP_STATUS_OPEN | TP_STATUS_DTR | TP_STATUS_RTS, traffic->port[7].counters.PortStatus) << "idle";
}

TEST(StandInTraffic, CountsDoNotDependOnHowOftenTheyAreRead) {
    auto once = Started(8, 7);
    auto often = Started(8, 7);
    si_traffic_advance(once.get(), 95000, nullptr, nullptr);
    for (uint64_t ms = 13; ms < 95000; ms += 13) {
        si_traffic_advance(often.get(), ms, nullptr, nullptr);
    }
    si_traffic_advance(often.get(), 95000, nullptr, nullptr);
    for (uint32_t port = 0; port < 8; ++port) {
        EXPECT_EQ(0, std::memcmp(&once->port[port].counters, &often->port[port].counters, sizeof(TpCounterSlot)))
            << port;
    }
    auto other = Started(8, 8);
    si_traffic_advance(other.get(), 95000, nullptr, nullptr);
    EXPECT_NE(once->port[1].counters.TxTotalRaw, other->port[1].counters.TxTotalRaw) << "the seed matters";
}

TEST(StandInTraffic, CarrierComesAndGoesAndErrorsTurnUpNowAndThen) {
    auto traffic = Started(8);
    std::vector<Seen> seen;
    si_traffic_advance(traffic.get(), 600000, Record, &seen);
    for (uint32_t modem : {2u, 6u}) {
        EXPECT_GE(CountOf(seen, modem, SI_EVENT_CD_ON), 3u) << modem;
        EXPECT_GE(CountOf(seen, modem, SI_EVENT_CD_OFF), 3u) << modem;
    }
    EXPECT_GE(CountOf(seen, 4, SI_EVENT_OPENED), 3u) << "a session port";
    const TpCounterSlot& line = traffic->port[0].counters;
    EXPECT_EQ(CountOf(seen, 0, SI_EVENT_OVERRUN), line.OverrunErrorsRaw);
    EXPECT_GT(line.OverrunErrorsRaw, 10u);
    EXPECT_LT(line.OverrunErrorsRaw, 60u);
    EXPECT_EQ(0u, CountOf(seen, 3, SI_EVENT_PARITY) + CountOf(seen, 7, SI_EVENT_FRAMING))
        << "no errors without traffic";
    for (size_t i = 1; i < seen.size(); ++i) {
        ASSERT_LE(seen[i - 1].Ms, seen[i].Ms);
        ASSERT_EQ(0u, seen[i].Ms % 1000);
    }
}

TEST(StandInTraffic, CountersWrapAndAClockThatJumpsIsTamed) {
    auto traffic = Started(8);
    TpCounterSlot& line = traffic->port[0].counters;
    line.TxTotalRaw = 0xFFFFFFFFu - 1000;
    line.TxPkts = 0xFFFF;
    line.OverrunErrorsRaw = 0xFFFF;
    si_traffic_advance(traffic.get(), 1000, nullptr, nullptr);
    EXPECT_LT(line.TxTotalRaw, SI_LINE_RATE_CPS);
    EXPECT_LT(line.TxPkts, 2000u);

    si_traffic_advance(traffic.get(), 500, nullptr, nullptr);
    const uint32_t before = line.TxTotalRaw;
    si_traffic_advance(traffic.get(), 500, nullptr, nullptr);
    EXPECT_EQ(before, line.TxTotalRaw) << "going back counts nothing";
    si_traffic_advance(traffic.get(), 500 + 3600000, nullptr, nullptr);
    EXPECT_LE(line.TxTotalRaw - before, (SI_CATCH_UP_MS / 1000) * SI_LINE_RATE_CPS)
        << "an hour's gap counts as ten minutes";
}

TEST(StandInTraffic, ResetAndForcedCarrier) {
    auto traffic = Started(8);
    si_traffic_advance(traffic.get(), 5000, nullptr, nullptr);
    const uint16_t status = traffic->port[1].counters.PortStatus;
    si_traffic_reset(traffic.get());
    EXPECT_EQ(0u, traffic->port[1].counters.TxTotalRaw);
    EXPECT_EQ(status, traffic->port[1].counters.PortStatus);
    EXPECT_GT(traffic->port[1].lifetimeTx, 0u);

    si_traffic_force_carrier(traffic.get(), 1, 0);
    EXPECT_EQ(0, traffic->port[1].counters.PortStatus & TP_STATUS_CD);
    si_traffic_advance(traffic.get(), 9000, nullptr, nullptr);
    EXPECT_EQ(0u, traffic->port[1].counters.TxTotalRaw) << "no traffic without carrier";
    si_traffic_force_carrier(traffic.get(), 7, 1);
    EXPECT_EQ(TP_STATUS_CD, traffic->port[7].counters.PortStatus & TP_STATUS_CD);
}

}  // namespace
