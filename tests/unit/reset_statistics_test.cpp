#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "monitor/grid/columns.h"
#include "monitor/grid/hit_commands.h"

using namespace zorvel;

namespace {

struct ScriptedPrompter : common::Prompter {
    bool Answer = true;
    std::vector<std::string> Asked;
    bool AskYesNo(const std::string& question) override {
        Asked.push_back(question);
        return Answer;
    }
};

// Columns TxTotal, CTS, TxCPSInst, RxTotal over three ports (rows 1 to 3).
struct ResetTest : ::testing::Test {
    std::unique_ptr<PortTables> tables = CreatePortTables();
    std::unique_ptr<ViewState> view = CreateView();
    ScriptedPrompter prompter;

    void SetUp() override {
        for (int statistic : {6, 1, 8, 7}) {
            InitColumn(*view, view->ColumnCount++, statistic);
        }
        view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);
        view->GridRows = 4;
        for (int port = 0; port < 4; ++port) {
            StatsRecord& record = tables->Records[port];
            record.TxTotal = 100 + port;
            record.RxTotal = 200 + port;
            record.RxMinCnt = 300 + port;
            record.TxCPSInst = 400 + port;
            tables->Counters.Slots[port].PortStatus = kStatusCts;
        }
    }
    void ResetAt(int column, int row) {
        view->HitColumn = column;
        view->HitRow = row;
        if (const auto plan = PlanHitReset(*view, prompter)) {
            ApplyReset(*tables, view->GridRows, *plan);
        }
    }
    // TxTotal and RxTotal of each port, "tx/rx" joined by blanks.
    std::string Totals() const {
        std::string totals;
        for (int port = 0; port < 4; ++port) {
            totals += (port ? " " : "") + std::to_string(tables->Records[port].TxTotal) + "/" +
                      std::to_string(tables->Records[port].RxTotal);
        }
        return totals;
    }
    bool OnlyTotalsChanged(const PortTables& before) {
        for (int port = 0; port < 4; ++port) {
            StatsRecord now = tables->Records[port];
            now.TxTotal = before.Records[port].TxTotal;
            now.RxTotal = before.Records[port].RxTotal;
            if (std::memcmp(&now, &before.Records[port], sizeof now) != 0) {
                return false;
            }
        }
        return std::memcmp(&tables->Counters, &before.Counters, sizeof before.Counters) == 0;
    }
};

TEST_F(ResetTest, ACellIsResetAtOnceForItsPortAlone) {
    ResetAt(1, 2);
    EXPECT_TRUE(prompter.Asked.empty());
    EXPECT_EQ("100/200 0/201 102/202 103/203", Totals());
}

TEST_F(ResetTest, AColumnHeaderAsksAndResetsThatStatisticForEveryRow) {
    ResetAt(4, 0);
    EXPECT_EQ(std::vector<std::string>{"Reset Column?"}, prompter.Asked);
    // The slot after the last port belongs to the grid's rows as well.
    EXPECT_EQ("100/0 101/0 102/0 103/0", Totals());
}

TEST_F(ResetTest, APortsDeviceCellAsksAndResetsEveryColumnForThatPort) {
    PortTables before;
    std::memcpy(&before, tables.get(), sizeof before);
    ResetAt(0, 3);
    EXPECT_EQ(std::vector<std::string>{"Reset Port?"}, prompter.Asked);
    EXPECT_EQ("100/200 101/201 0/0 103/203", Totals());
    EXPECT_TRUE(OnlyTotalsChanged(before));
}

TEST_F(ResetTest, TheCornerAsksResetAllWhichCoversTheFirstAndTheLastColumn) {
    PortTables before;
    std::memcpy(&before, tables.get(), sizeof before);
    ResetAt(0, 0);
    EXPECT_EQ(std::vector<std::string>{"Reset All?"}, prompter.Asked);
    EXPECT_EQ("0/0 0/0 0/0 0/0", Totals());
    // Signals and instantaneous rates are shown but never cleared; nor is
    // anything no column shows.
    EXPECT_TRUE(OnlyTotalsChanged(before));
}

TEST_F(ResetTest, AnsweringNoChangesNothing) {
    prompter.Answer = false;
    const std::string totals = Totals();
    for (auto [column, row] : {std::pair{0, 0}, {0, 1}, {1, 0}}) {
        ResetAt(column, row);
    }
    EXPECT_EQ(3u, prompter.Asked.size());
    EXPECT_EQ(totals, Totals());
}

TEST_F(ResetTest, SignalAndRateColumnsClearNothing) {
    PortTables before;
    std::memcpy(&before, tables.get(), sizeof before);
    ResetAt(2, 0);
    ResetAt(3, 0);
    ResetAt(3, 1);
    EXPECT_EQ(0, std::memcmp(&before, tables.get(), sizeof before));
}

TEST_F(ResetTest, AHitPastTheLastColumnResetsNothingAndAsksNothing) {
    view->ColumnCount = 2;
    view->GridColumns = 3;
    ResetAt(4, 0);
    ResetAt(3, 1);
    EXPECT_TRUE(prompter.Asked.empty());
    EXPECT_EQ("100/200 101/201 102/202 103/203", Totals());
}

}  // namespace
