#include "monitor/stats/cell_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "monitor/stats/catalogue.h"
#include "monitor/stats/port_sampling.h"
#include "monitor/stats/statistic_values.h"

using namespace zorvel;

namespace {

std::string Format(uint32_t value, int type) {
    std::string text = "untouched";
    FormatCell(value, type, text);
    return text;
}

TEST(CellText, ScaledTypeSwitchesToMAlreadyAtOneHundredThousand) {
    const std::vector<std::pair<uint32_t, const char*>> cases = {
        {0, "0"},
        {999, "999"},
        {1000, " 1.000k"},
        {12345, "12.345k"},
        {99999, "99.999k"},
        {100000, " 0.100M"},
        {999999, " 1.000M"},
        {999999999, "1000.000M"},
        {1000000000, " 1.000G"},
        {4294967295u, " 4.295G"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(text, Format(value, kTypeScaled)) << value;
    }
}

TEST(CellText, DurationTypeHasUnboundedUnpaddedHours) {
    const std::vector<std::pair<uint32_t, const char*>> cases = {
        {0, "0:00:00"},
        {59, "0:00:59"},
        {61, "0:01:01"},
        {3600, "1:00:00"},
        {86400, "24:00:00"},
        {360000, "100:00:00"},
        {4294967295u, "1193046:28:15"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(text, Format(value, kTypeDuration)) << value;
    }
}

TEST(CellText, IntegerIsUnsignedOnOffIsAnyNonZeroAndUnknownTypesLeaveTheTextAlone) {
    EXPECT_EQ("4294967295", Format(4294967295u, kTypeInteger));
    EXPECT_EQ("0", Format(0, kTypeInteger));
    EXPECT_EQ("On", Format(5, kTypeOnOff));
    EXPECT_EQ("Off", Format(0, kTypeOnOff));
    EXPECT_EQ("untouched", Format(5, 4));
    EXPECT_EQ("untouched", Format(5, -1));
}

// The cell texts are written digit by digit; they must stay what printf writes.
TEST(CellText, IntegersDurationsAndSmallScaledValuesReadAsPrintfWritesThem) {
    std::vector<uint32_t> values;
    for (uint32_t value = 0; value < 1100; ++value) {
        values.push_back(value);
    }
    for (uint64_t power = 10; power <= UINT32_MAX; power *= 10) {
        for (uint64_t value : {power - 1, power, power + 1, 60 * power - 1, 3600 * power - 1}) {
            values.push_back(static_cast<uint32_t>(std::min<uint64_t>(value, UINT32_MAX)));
        }
    }
    uint32_t next = 12345;
    for (int i = 0; i < 20000; ++i) {
        next = next * 1664525u + 1013904223u;
        values.push_back(next);
        values.push_back(next >> (i % 32));
    }
    char expected[32];
    for (uint32_t value : values) {
        std::snprintf(expected, sizeof expected, "%u", value);
        ASSERT_EQ(expected, Format(value, kTypeInteger)) << value;
        const uint32_t minutes = value / 60;
        std::snprintf(expected, sizeof expected, "%u:%02u:%02u", minutes / 60, minutes % 60, value % 60);
        ASSERT_EQ(expected, Format(value, kTypeDuration)) << value;
        if (value < 1000) {
            std::snprintf(expected, sizeof expected, "%u", value);
            ASSERT_EQ(expected, Format(value, kTypeScaled)) << value;
        }
    }
}

TEST(Catalogue, HoldsFiftySixNamesInInputOrder) {
    ASSERT_EQ(56, CountStatistics());
    EXPECT_STREQ("CD ", kStatistics[4 - 1].Name);
    EXPECT_STREQ("Errors", kStatistics[11 - 1].Name);
    EXPECT_STREQ("TxTotalRaw", kStatistics[20 - 1].Name);
    EXPECT_STREQ("CDRunTime", kStatistics[43 - 1].Name);
    EXPECT_STREQ("StatusFlags", kStatistics[48 - 1].Name);
    EXPECT_STREQ("ParityErrorsRaw", kStatistics[56 - 1].Name);
}

class StatisticValueTest : public ::testing::Test {
protected:
    // Every byte of every table non-zero, so a reset shows where it wrote.
    StatisticValueTest() {
        auto* bytes = reinterpret_cast<unsigned char*>(tables.get());
        for (size_t i = 0; i < sizeof(PortTables); ++i) {
            bytes[i] = static_cast<unsigned char>(i * 7 % 255 + 1);
        }
    }
    std::string Cell(int input, int type, int port) {
        std::string text;
        CellValue(*tables, input, type, port, text);
        return text;
    }

    std::unique_ptr<PortTables> tables = CreatePortTables();
    static constexpr int kRows = 3;  // two ports and the slot after them
};

TEST_F(StatisticValueTest, SignalsReadTheLiveSlotAndStatusFlagsTheRecord) {
    tables->Counters.Slots[1].PortStatus = kStatusOpen | kStatusCd;
    tables->Records[1].StatusFlags = 0x8000;
    EXPECT_EQ("1 0 0 1 0 0", Cell(1, 0, 1) + " " + Cell(2, 0, 1) + " " + Cell(3, 0, 1) + " " + Cell(4, 0, 1) + " " +
                                 Cell(5, 0, 1) + " " + Cell(6, 0, 1));
    EXPECT_EQ("32768", Cell(48, kTypeInteger, 1));
    EXPECT_EQ("On", Cell(48, kTypeOnOff, 1));
}

TEST_F(StatisticValueTest, ErrorsAreSummedWithoutWrappingAndMillisecondsShowAsSeconds) {
    StatsRecord& r = tables->Records[2];
    r.OverrunErrors = r.FramingErrors = r.ParityErrors = 65535;
    r.CDRunTime = 1999;
    r.CDHourRunTimeWrk = 3600999;
    r.CDHourRunTime = 7;
    EXPECT_EQ("196605", Cell(11, kTypeInteger, 2));
    EXPECT_EQ("1", Cell(43, kTypeInteger, 2));
    EXPECT_EQ("0:00:01", Cell(43, kTypeDuration, 2));
    EXPECT_EQ("1:00:00", Cell(46, kTypeDuration, 2));
    EXPECT_EQ("0:00:07", Cell(44, kTypeDuration, 2));
}

TEST_F(StatisticValueTest, InputsOutsideTheCatalogueShowThePlaceholder) {
    for (int input : {0, 57, -1, 1000}) {
        EXPECT_EQ(kPlaceholderValue, StatisticValue(*tables, input, 0)) << input;
    }
    EXPECT_EQ("12.345k", Cell(0, kTypeScaled, 0));
}

// Each reset must clear exactly what its statistic shows, for that port alone.
TEST_F(StatisticValueTest, ResettingAStatisticClearsWhatItShowsAndNothingElse) {
    const std::vector<int> untouchable = {1, 2, 3, 4, 5, 6, 9, 10, 0, 57, -1};
    for (int input = -1; input <= 57; ++input) {
        PortTables before;
        std::memcpy(&before, tables.get(), sizeof before);
        SetStatistic(*tables, kRows, input, 1, 0);

        const bool ignored = std::find(untouchable.begin(), untouchable.end(), input) != untouchable.end();
        if (!ignored) {
            EXPECT_NE(0u, StatisticValue(before, input, 1)) << input;
            EXPECT_EQ(0u, StatisticValue(*tables, input, 1)) << input;
        }
        size_t changed = 0;
        const auto* was = reinterpret_cast<const unsigned char*>(&before);
        const auto* now = reinterpret_cast<const unsigned char*>(tables.get());
        const auto* ownSlot = reinterpret_cast<const unsigned char*>(&tables->Counters.Slots[1]);
        const auto* ownRecord = reinterpret_cast<const unsigned char*>(&tables->Records[1]);
        for (size_t i = 0; i < sizeof before; ++i) {
            if (was[i] == now[i]) {
                continue;
            }
            ++changed;
            const bool inSlot = now + i >= ownSlot && now + i < ownSlot + sizeof(CounterSlot);
            const bool inRecord = now + i >= ownRecord && now + i < ownRecord + sizeof(StatsRecord);
            EXPECT_TRUE(inSlot || inRecord) << "input " << input << " wrote byte " << i;
        }
        EXPECT_EQ(ignored, changed == 0) << input;
        EXPECT_LE(changed, input == 11 ? 6u : 4u) << input;
        std::memcpy(tables.get(), &before, sizeof before);
    }
}

TEST_F(StatisticValueTest, ResettingErrorsClearsTheThreeSums) {
    SetStatistic(*tables, kRows, 11, 0, 99);
    EXPECT_EQ("0 0 0", Cell(51, 0, 0) + " " + Cell(52, 0, 0) + " " + Cell(53, 0, 0));
}

TEST_F(StatisticValueTest, AllPortsMeansTheGridsRows) {
    SetStatistic(*tables, kRows, 7, kAllPorts, 0);
    EXPECT_EQ("0 0 0", Cell(7, 0, 0) + " " + Cell(7, 0, 1) + " " + Cell(7, 0, 2));
    EXPECT_NE("0", Cell(7, 0, 3));
}

TEST_F(StatisticValueTest, ARawCounterResetLastsOnlyUntilTheNextRead) {
    CounterSlot& slot = tables->Counters.Slots[0];
    StatsRecord& record = tables->Records[0];
    slot.TxTotalRaw = 5000;
    record.TxPrevRaw = 5000;
    SetStatistic(*tables, kRows, 20, 0, 0);
    EXPECT_EQ("0", Cell(20, kTypeInteger, 0));
    EXPECT_EQ(5000u, record.TxPrevRaw);

    slot.TxTotalRaw = 5200;  // the driver's next read
    SamplePort(record, slot, 2000);
    EXPECT_EQ("5200", Cell(20, kTypeInteger, 0));
    EXPECT_EQ(200u, record.TxTickCnt);
}

TEST_F(StatisticValueTest, CarrierTimeTakesMillisecondsUnscaled) {
    SetStatistic(*tables, kRows, 43, 0, 1999);
    SetStatistic(*tables, kRows, 46, 0, 2500);
    EXPECT_EQ(1999u, tables->Records[0].CDRunTime);
    EXPECT_EQ(2500u, tables->Records[0].CDHourRunTimeWrk);
    EXPECT_EQ("0:00:01", Cell(43, kTypeDuration, 0));
}

}  // namespace
