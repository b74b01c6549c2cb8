#include "monitor/grid/grid_copy.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "monitor/grid/columns.h"

using namespace zorvel;

namespace {

// Columns TxTotal (k, M, G) and CTS (On/Off) over the ports COM5 to COM7.
struct GridCopyTest : ::testing::Test {
    std::unique_ptr<PortTables> tables = CreatePortTables();
    std::unique_ptr<ViewState> view = CreateView();

    void SetUp() override {
        InitColumn(*view, view->ColumnCount++, 6);
        InitColumn(*view, view->ColumnCount++, 1);
        view->GridColumns = 3;
        SetRowCount(*view, 3);
        const uint32_t totals[] = {1500, 7, 123456};
        for (int port = 0; port < 3; ++port) {
            std::strcpy(tables->Names.Slots[port].Name, ("COM" + std::to_string(port + 5)).c_str());
            tables->Records[port].TxTotal = totals[port];
        }
        tables->Counters.Slots[1].PortStatus = kStatusCts;
    }
};

const std::string kHeader = "Device\tTxTotal\tCTS\r\n";
const std::string kAllPorts = "COM5\t 1.500k\tOff\r\nCOM6\t7\tOn\r\nCOM7\t 0.123M\tOff\r\n";

TEST_F(GridCopyTest, TheHeaderLeadsTheHitPortsRowOrEveryPortsRow) {
    const struct {
        int hitColumn;
        int hitRow;
        std::string rows;
    } cases[] = {
        {0, 1, "COM5\t 1.500k\tOff\r\n"},
        {1, 3, "COM7\t 0.123M\tOff\r\n"},
        {2, 0, kAllPorts},
        {1, 4, kAllPorts},  // left from a time with more ports
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("hit column " + std::to_string(c.hitColumn) + ", row " + std::to_string(c.hitRow));
        view->HitColumn = c.hitColumn;
        view->HitRow = c.hitRow;
        EXPECT_EQ(kHeader + c.rows, GridCopyText(*view, *tables));
    }
}

TEST_F(GridCopyTest, TabsAndLineBreaksInNamesBecomeBlanksSoEveryRowKeepsItsCells) {
    std::strcpy(tables->Names.Slots[1].Name, "A\tB\r\nC");
    std::strcpy(view->Columns[1].Name, "C\nT\tS\r");
    view->HitRow = 2;
    EXPECT_EQ("Device\tTxTotal\tC T S \r\nA B  C\t7\tOn\r\n", GridCopyText(*view, *tables));
}

}  // namespace
