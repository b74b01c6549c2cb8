// The stand-in's answers to the three requests, driven through one buffer as a
// buffered control call hands it over.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "tools/standin/si_standin.h"
#include "tools/standin/si_text.h"

namespace {

constexpr uint64_t kStart = 36000000;  // 10:00:00.000
constexpr uint8_t kUntouched = 0xAA;

struct Exchange {
    SiResult Result;
    uint32_t Written;
    std::vector<uint8_t> Buffer;

    uint32_t Word(size_t at) const { return si_read32(&Buffer[at]); }
    std::string Text() const {
        return std::string(reinterpret_cast<const char*>(&Buffer[16]), std::min<size_t>(Word(4), Written - 16));
    }
};

class StandInTest : public ::testing::Test {
protected:
    void Start(uint32_t ports, const char* names = nullptr) {
        SiConfig config;
        si_config_defaults(&config);
        si_config_set_ports(&config, ports);
        if (names != nullptr) {
            ASSERT_EQ(nullptr, si_config_set_names(&config, names, static_cast<uint32_t>(std::strlen(names))));
        }
        si_standin_start(standIn.get(), &config, kStart);
    }

    // The request in a buffer of `size` bytes filled with a marker; the stand-in
    // may write the first `outLen` of them.
    Exchange Ask(uint32_t code, uint32_t slotSize, uint32_t inLen, uint32_t outLen, const std::string& text = "",
                 uint64_t ms = kStart) {
        Exchange exchange{SI_OK, 0, std::vector<uint8_t>(std::max<uint32_t>(16000, inLen), kUntouched)};
        si_write32(&exchange.Buffer[0], code);
        si_write32(&exchange.Buffer[4], slotSize);
        if (inLen > 16) {
            std::memcpy(&exchange.Buffer[16], text.c_str(), text.size() + 1);
        }
        exchange.Result =
            si_standin_request(standIn.get(), exchange.Buffer.data(), inLen, outLen, ms, &exchange.Written);
        return exchange;
    }

    Exchange Trace(const std::string& text, uint64_t ms = kStart) {
        return Ask(TP_REQUEST_TRACE, TP_TRACE_EXCHANGE_SIZE, TP_TRACE_EXCHANGE_SIZE, TP_TRACE_EXCHANGE_SIZE, text, ms);
    }

    std::unique_ptr<SiStandIn> standIn = std::make_unique<SiStandIn>();
};

TEST_F(StandInTest, NothingIsWrittenPastTheOutputLengthNorOnARefusal) {
    Start(130);
    for (uint32_t code : {TP_REQUEST_PORT_LIST, TP_REQUEST_COUNTER_READ, TP_REQUEST_TRACE}) {
        const uint32_t slot = code == TP_REQUEST_PORT_LIST ? 12 : code == TP_REQUEST_COUNTER_READ ? 20 : 10100;
        for (uint32_t outLen = 0; outLen <= 3000; outLen += 7) {
            const Exchange e = Ask(code, slot, 16, outLen);
            const uint32_t limit = e.Result == SI_OK ? outLen : 16;
            const size_t first =
                std::find_if(e.Buffer.begin() + limit, e.Buffer.end(), [](uint8_t b) { return b != kUntouched; }) -
                e.Buffer.begin();
            ASSERT_EQ(e.Buffer.size(), first) << "request " << code << ", output " << outLen;
            ASSERT_LE(e.Written, outLen);
            if (e.Result != SI_OK) {
                ASSERT_EQ(0u, e.Written);
                ASSERT_EQ(code, e.Word(0)) << "the header of a refused request is left alone";
            }
        }
    }
}

TEST_F(StandInTest, MalformedRequestsAreRefused) {
    Start(8);
    EXPECT_EQ(SI_SHORT_INPUT, Ask(TP_REQUEST_PORT_LIST, 12, 15, 1560).Result);
    EXPECT_EQ(SI_SHORT_INPUT, Ask(TP_REQUEST_TRACE, 10100, 0, 10100).Result);
    EXPECT_EQ(SI_SHORT_OUTPUT, Ask(TP_REQUEST_PORT_LIST, 12, 16, 27).Result);
    EXPECT_EQ(SI_SHORT_OUTPUT, Ask(TP_REQUEST_COUNTER_READ, 20, 16, 35).Result);
    EXPECT_EQ(SI_SHORT_OUTPUT, Ask(TP_REQUEST_TRACE, 10100, 16, 15).Result);
    EXPECT_EQ(SI_BAD_REQUEST, Ask(TP_REQUEST_PORT_LIST, 20, 16, 1560).Result);
    EXPECT_EQ(SI_BAD_REQUEST, Ask(TP_REQUEST_COUNTER_READ, 12, 16, 200).Result);
    EXPECT_EQ(SI_BAD_REQUEST, Ask(12, 12, 16, 200).Result);
    EXPECT_EQ(SI_OK, Ask(TP_REQUEST_COUNTER_READ, 20, 16, 36).Result);
}

TEST_F(StandInTest, PortListFillsWholeSlotsAndEndsWithAnEmptyOne) {
    Start(3, "ABCDEFGHIJKL,B");
    Exchange e = Ask(TP_REQUEST_PORT_LIST, 12, 1560, 1560);
    ASSERT_EQ(SI_OK, e.Result);
    EXPECT_EQ(16u + 4 * 12, e.Written);
    // Twelve characters fill the slot with no terminator.
    EXPECT_EQ("ABCDEFGHIJKL", std::string(reinterpret_cast<char*>(&e.Buffer[16]), 12));
    EXPECT_STREQ("B", reinterpret_cast<char*>(&e.Buffer[28]));
    EXPECT_STREQ("COM7", reinterpret_cast<char*>(&e.Buffer[40]));
    EXPECT_EQ(std::vector<uint8_t>(12, 0), std::vector<uint8_t>(e.Buffer.begin() + 52, e.Buffer.begin() + 64));

    Start(0);
    e = Ask(TP_REQUEST_PORT_LIST, 12, 1560, 1560);
    EXPECT_EQ(28u, e.Written);
    EXPECT_EQ(0, e.Buffer[16]);

    // 1560 bytes hold 128 slots: the names that fit, without the empty slot.
    Start(130);
    e = Ask(TP_REQUEST_PORT_LIST, 12, 1560, 1560);
    EXPECT_EQ(16u + 128 * 12, e.Written);
    EXPECT_STREQ("COM132", reinterpret_cast<char*>(&e.Buffer[16 + 127 * 12]));
}

TEST_F(StandInTest, CounterReadCopiesTheLiveSlotsInPortOrder) {
    Start(130);
    Ask(TP_REQUEST_TRACE, 10100, 16, 10100, "", kStart + 5000);
    // As the monitor asks for 128 ports: room for 129 slots and 4 bytes.
    const Exchange e = Ask(TP_REQUEST_COUNTER_READ, 20, 2600, 2600, "", kStart + 5000);
    ASSERT_EQ(SI_OK, e.Result);
    EXPECT_EQ(16u + 129 * 20, e.Written);
    for (int port : {0, 1, 128}) {
        EXPECT_EQ(0, std::memcmp(&standIn->traffic.port[port].counters, &e.Buffer[16 + 20 * port], 20)) << port;
    }
    EXPECT_GT(e.Word(16), 5u * 90000) << "port 1 runs near the line rate";
}

TEST_F(StandInTest, FailMakesTheNextRequestsOfAnyKindFail) {
    Start(8);
    EXPECT_NE(std::string::npos, Trace("fail 2\r").Text().find("ok: the next 2 requests fail"));
    EXPECT_EQ(SI_FAILED_ON_DEMAND, Ask(TP_REQUEST_COUNTER_READ, 20, 200, 200).Result);
    const Exchange failed = Trace("");
    EXPECT_EQ(SI_FAILED_ON_DEMAND, failed.Result);
    EXPECT_EQ(TP_TRACE_EXCHANGE_SIZE, failed.Word(4));
    EXPECT_EQ(SI_OK, Ask(TP_REQUEST_COUNTER_READ, 20, 200, 200).Result);
    const std::string stats = Trace("stats\r").Text();
    EXPECT_NE(std::string::npos, stats.find("request 11 served=1 refused=0 failed=1 in=200 out=200")) << stats;
    EXPECT_NE(std::string::npos, stats.find("request 11 failed on demand")) << stats;
}

TEST_F(StandInTest, CommandLinesEndInACarriageReturn) {
    Start(8);
    Trace("");
    EXPECT_EQ("", Trace("help").Text());
    const Exchange help = Trace("H\bhelp\r");
    EXPECT_EQ(0u, help.Text().find("commands:\r\n")) << help.Text();
    EXPECT_EQ(help.Written - 16, help.Word(4));
    EXPECT_EQ("error: unknown command; help lists them\r\n", Trace("launch\r").Text());
    EXPECT_EQ("", Trace("\r").Text());
}

TEST_F(StandInTest, BurstAndCountShapeTheNextReplyOnly) {
    Start(8);
    Trace("");
    EXPECT_EQ("ok: the next reply carries 300 bytes\r\n", Trace("burst 300\r").Text());
    const Exchange burst = Trace("");
    ASSERT_EQ(300u, burst.Word(4));
    const std::string text = burst.Text();
    EXPECT_EQ(std::string::npos, text.find('\0'));
    EXPECT_NE(std::string::npos, text.find('\r'));
    EXPECT_NE(std::string::npos, text.find('\x1B'));
    EXPECT_NE(std::string::npos, text.find('\xFF'));
    EXPECT_EQ(0u, Trace("").Word(4));

    Trace("burst 10084\r");
    EXPECT_EQ(100u - 16, Ask(TP_REQUEST_TRACE, 10100, 16, 100).Word(4)) << "cut to the caller's room";

    Trace("count 20000\r");
    const Exchange claimed = Trace("ports\r");
    EXPECT_EQ(20000u, claimed.Word(4));
    EXPECT_EQ(0u,
              std::string(reinterpret_cast<const char*>(&claimed.Buffer[16]), claimed.Written - 16).find("1   COM5"));
    EXPECT_NE(20000u, Trace("").Word(4));
}

TEST_F(StandInTest, ResetZeroesTheCountersAndCdOverridesTheSchedule) {
    Start(8);
    Trace("", kStart + 3000);
    Trace("reset\r", kStart + 3000);
    const Exchange e = Ask(TP_REQUEST_COUNTER_READ, 20, 200, 200, "", kStart + 3000);
    EXPECT_EQ(0u, e.Word(16));
    EXPECT_EQ(TP_STATUS_OPEN | TP_STATUS_DTR | TP_STATUS_RTS | TP_STATUS_CD | TP_STATUS_DSR | TP_STATUS_CTS,
              static_cast<uint32_t>(e.Buffer[16 + 18] | e.Buffer[16 + 19] << 8));
    EXPECT_GT(standIn->traffic.port[0].lifetimeTx, 2u * 90000) << "the lifetime count survives a reset";

    EXPECT_NE(std::string::npos,
              Trace("cd com5 off\r", kStart + 3000).Text().find("COM5 CD off\r\nok: COM5 CD forced off"));
    EXPECT_EQ(0, si_traffic_carrier(&standIn->traffic, 0));
    Trace("cd 1 auto\r", kStart + 3000);
    EXPECT_EQ(1, si_traffic_carrier(&standIn->traffic, 0));
    EXPECT_EQ("error: no such port; ports lists them\r\n", Trace("cd 9 on\r", kStart + 3000).Text());
}

// The numbers of the flood lines in `text`, each line checked for its length.
std::vector<uint64_t> FloodNumbers(const std::string& text) {
    std::vector<uint64_t> numbers;
    for (size_t at = text.find("flood "); at != std::string::npos; at = text.find("flood ", at + 1)) {
        numbers.push_back(std::stoull(text.substr(at + 6, 8)));
        EXPECT_EQ(std::string(32, ' ') + "\r\n", text.substr(at + 14, 34)) << numbers.back();
    }
    return numbers;
}

TEST_F(StandInTest, FloodLinesComeAtTheirRateAndWhatTheFullQueueDropsIsCounted) {
    Start(0);  // no ports, so no events between the lines
    Trace("");
    EXPECT_EQ("ok: 4800 bytes a second of numbered lines\r\n", Trace("flood 4800\r").Text());
    const std::vector<uint64_t> second = FloodNumbers(Trace("", kStart + 1005).Text());
    EXPECT_EQ(100u, second.size());
    EXPECT_EQ(100u, second.back());
    EXPECT_EQ(std::vector<uint64_t>{101}, FloodNumbers(Trace("flood 100000\r", kStart + 1010).Text()))
        << "the 5 ms left over count";
    // A second unpolled: 2,083 lines, of which the queue holds the last 682.
    std::string all;
    for (std::string text = "-"; !text.empty(); all += text) {
        text = Trace("", kStart + 2010).Text();
    }
    const std::vector<uint64_t> kept = FloodNumbers(all);
    EXPECT_EQ(682u, kept.size());
    EXPECT_EQ(101u + 2083, kept.back());
    Trace("flood 0\r", kStart + 2010);
    const std::string stats = Trace("stats\r", kStart + 9000).Text();
    EXPECT_NE(std::string::npos, stats.find(" dropped=67248 flood=0\r\n")) << stats;
}

TEST_F(StandInTest, TextBeyondOneReplyWaitsForTheNext) {
    Start(130);
    Trace("");
    std::string all = Trace("ports\r").Text();  // about 17,000 bytes
    for (int i = 0; i < 2; ++i) {
        all += Trace("").Text();
    }
    EXPECT_EQ(130u, static_cast<size_t>(std::count(all.begin(), all.end(), '\n')));
    EXPECT_NE(std::string::npos, all.find("130 COM134 "));
}

}  // namespace
