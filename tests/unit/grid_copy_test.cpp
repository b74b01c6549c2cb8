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
        for (int statistic : {6, 1}) {
            InitColumn(*view, view->ColumnCount++, statistic);
        }
        view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);
        const uint32_t totals[] = {1500, 7, 123456};
        for (int port = 0; port < 3; ++port) {
            Name(port, ("COM" + std::to_string(port + 5)).c_str());
            tables->Records[port].TxTotal = totals[port];
        }
        tables->Counters.Slots[1].PortStatus = kStatusCts;
        SetRowCount(*view, 3);
    }
    void Name(int port, const char* name) { std::strcpy(tables->Names.Slots[port].Name, name); }
};

constexpr char kHeader[] = "Device\tTxTotal\tCTS\r\n";
constexpr char kCom5[] = "COM5\t 1.500k\tOff\r\n";
constexpr char kCom6[] = "COM6\t7\tOn\r\n";
constexpr char kCom7[] = "COM7\t 0.123M\tOff\r\n";

TEST_F(GridCopyTest, TheHeaderLeadsTheHitPortsRowOrEveryPortsRow) {
    const struct {
        int hitColumn;
        int hitRow;
        std::string text;
    } cases[] = {
        {2, 2, std::string(kHeader) + kCom6},
        {0, 1, std::string(kHeader) + kCom5},
        {1, 3, std::string(kHeader) + kCom7},
        {0, 0, std::string(kHeader) + kCom5 + kCom6 + kCom7},
        {2, 0, std::string(kHeader) + kCom5 + kCom6 + kCom7},
        // Left from a time with more ports.
        {1, 4, std::string(kHeader) + kCom5 + kCom6 + kCom7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("hit column " + std::to_string(c.hitColumn) + ", row " + std::to_string(c.hitRow));
        view->HitColumn = c.hitColumn;
        view->HitRow = c.hitRow;
        EXPECT_EQ(c.text, GridCopyText(*view, *tables));
    }
}

TEST_F(GridCopyTest, TabsAndLineBreaksInNamesBecomeBlanksSoEveryRowKeepsItsCells) {
    Name(1, "A\tB\r\nC");
    std::strcpy(view->Columns[1].Name, "C\nT\tS\r");
    EXPECT_EQ(std::string("Device\tTxTotal\tC T S \r\n") + kCom5 + "A B  C\t7\tOn\r\n" + kCom7,
              GridCopyText(*view, *tables));
}

TEST_F(GridCopyTest, WithoutColumnsOnlyTheDeviceColumnIsCopied) {
    view->ColumnCount = 0;
    view->GridColumns = 1;
    EXPECT_EQ("Device\r\nCOM5\r\nCOM6\r\nCOM7\r\n", GridCopyText(*view, *tables));
}

}  // namespace
