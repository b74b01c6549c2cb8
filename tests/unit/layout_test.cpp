#include "monitor/grid/layout.h"

#include <gtest/gtest.h>

#include <cstring>

#include "monitor/grid/columns.h"
#include "monitor/stats/catalogue.h"

using namespace zorvel;

namespace {

struct RecordingBars : ScrollBars {
    int Range[2] = {-1, -1};
    int Position[2] = {-1, -1};
    void SetRange(ScrollBar bar, int maximum) override { Range[static_cast<int>(bar)] = maximum; }
    void SetPosition(ScrollBar bar, int position) override { Position[static_cast<int>(bar)] = position; }
};
constexpr int H = 0;
constexpr int V = 1;

struct LayoutTest : ::testing::Test {
    std::unique_ptr<ViewState> view = CreateView();
    RecordingBars bars;

    // The default view over 32 ports, laid out at a line height of 16.
    void SetUp() override {
        DefaultView(*view, CountStatistics());
        view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);
        view->GridRows = 33;
        LayoutRowsAndColumns(*view, 16);
    }
};

TEST_F(LayoutTest, LineHeight16GivesTheDocumentedPixels) {
    EXPECT_EQ(16, view->LineHeight);
    EXPECT_EQ(48, view->ColumnPixels[0]);
    EXPECT_EQ(20, view->RowPixels[0]);
    EXPECT_EQ(20, view->RowPixels[32]);
    EXPECT_EQ(64, view->ColumnPixels[7]);  // TxTotal, width 16
}

TEST_F(LayoutTest, LineHeightsOutside5To40Become16) {
    LayoutRowsAndColumns(*view, 50);
    EXPECT_EQ(16, view->LineHeight);
    LayoutRowsAndColumns(*view, 4);
    EXPECT_EQ(16, view->LineHeight);
    LayoutRowsAndColumns(*view, 40);
    EXPECT_EQ(40, view->LineHeight);
    EXPECT_EQ(44, view->RowPixels[1]);
}

TEST_F(LayoutTest, WidthZeroBecomesTwiceTheNameAndIsStoredBack) {
    view->Columns[6].Width = 0;
    LayoutRowsAndColumns(*view, 16);
    EXPECT_EQ(14, view->Columns[6].Width);
    EXPECT_EQ(56, view->ColumnPixels[7]);
}

TEST_F(LayoutTest, AnAbsurdWidthIsDrawnClampedButKeptAsStored) {
    view->Columns[0].Width = 65535;
    LayoutRowsAndColumns(*view, 40);
    EXPECT_EQ(65535, view->ColumnPixels[1]);
    EXPECT_EQ(65535, view->Columns[0].Width);
}

TEST_F(LayoutTest, AGridThatFitsHidesBothBarsAndReturnsToTheStart) {
    view->FirstRow = 5;
    view->FirstColumn = 3;
    view->ClientWidth = 100000;
    view->ClientHeight = 100000;
    EXPECT_EQ(1, FitToWindow(*view, bars));
    EXPECT_EQ(0, bars.Range[H]);
    EXPECT_EQ(0, bars.Range[V]);
    EXPECT_EQ(0, view->FirstRow);
    EXPECT_EQ(0, view->FirstColumn);
    EXPECT_EQ(33 * 20, view->TotalHeight);
    EXPECT_EQ(view->GridRows, view->EndRow);
    EXPECT_EQ(view->GridColumns, view->EndColumn);
    EXPECT_EQ(0, FitToWindow(*view, bars));
}

TEST_F(LayoutTest, ThumbsArePercentagesOfTheSlack) {
    view->ClientWidth = 400;
    view->ClientHeight = 200;  // 660 pixels of rows: slack 460
    FitToWindow(*view, bars);
    EXPECT_EQ(100, bars.Range[V]);
    view->FirstRow = 10;  // 200 pixels scrolled
    ClampScroll(*view, bars);
    EXPECT_EQ(200, view->ScrolledHeight);
    EXPECT_EQ(200 * 100 / 460, bars.Position[V]);
    view->FirstRow = 500;
    ClampScroll(*view, bars);
    EXPECT_EQ(32, view->FirstRow);
    EXPECT_EQ(460, view->ScrolledHeight);
    EXPECT_EQ(100, bars.Position[V]);
}

TEST_F(LayoutTest, VisibleRangeCountsSlotsWhoseTopIsInside) {
    view->ClientHeight = 45;  // header 0..20, rows at 20 and 40 start inside
    ComputeVisibleRange(*view);
    EXPECT_EQ(3, view->EndRow);
    view->FirstRow = 10;  // header then rows 11, 12
    ComputeVisibleRange(*view);
    EXPECT_EQ(13, view->EndRow);
}

TEST_F(LayoutTest, ClientHeightZeroKeepsThePreviousEndPlusOne) {
    view->ClientHeight = 0;
    view->EndRow = 7;
    ComputeVisibleRange(*view);
    EXPECT_EQ(8, view->EndRow);
    view->EndRow = 33;
    ComputeVisibleRange(*view);
    EXPECT_EQ(33, view->EndRow);
}

TEST_F(LayoutTest, ScrollSteps) {
    view->GridRows = 21;
    view->FirstRow = 4;
    view->EndRow = 9;
    EXPECT_TRUE(ScrollStep(*view, ScrollBar::Vertical, 5, 50));
    EXPECT_EQ(10, view->FirstRow);
    EXPECT_TRUE(ScrollStep(*view, ScrollBar::Vertical, 3, 0));
    EXPECT_EQ(9, view->FirstRow);
    view->EndRow = 15;
    EXPECT_TRUE(ScrollStep(*view, ScrollBar::Vertical, 2, 0));
    EXPECT_EQ(3, view->FirstRow);
    EXPECT_TRUE(ScrollStep(*view, ScrollBar::Vertical, 0, 0));
    EXPECT_EQ(2, view->FirstRow);
    EXPECT_TRUE(ScrollStep(*view, ScrollBar::Horizontal, 1, 0));
    EXPECT_EQ(1, view->FirstColumn);
    EXPECT_FALSE(ScrollStep(*view, ScrollBar::Vertical, 4, 77));  // thumb position: nothing
    EXPECT_FALSE(ScrollStep(*view, ScrollBar::Vertical, 8, 0));
    EXPECT_EQ(2, view->FirstRow);
}

// Layout changes that come without a size message: the bars follow at once.
void TwoColumns(ViewState& view) {
    view.ColumnCount = 2;
    view.GridColumns = 3;
}
void AllColumns(ViewState& view) {
    DefaultView(view, CountStatistics());
    view.GridColumns = static_cast<int16_t>(view.ColumnCount + 1);
}
void NinePorts(ViewState& view) { view.GridRows = 10; }  // and the header row
void ThirtyTwoPorts(ViewState& view) { view.GridRows = 33; }
void LargerFont(ViewState& view) { view.LineHeight = 40; }

struct RefitCase {
    const char* name;
    void (*before)(ViewState&);
    void (*change)(ViewState&);
    int horizontalRange;
    int verticalRange;
};

TEST_F(LayoutTest, ColumnFontAndPortChangesRefitTheBarsWithoutASizeMessage) {
    const RefitCase cases[] = {
        {"two columns, then the default view", TwoColumns, AllColumns, 100, 100},
        {"the default view, then two columns", AllColumns, TwoColumns, 0, 100},
        {"nine ports, then thirty-two", NinePorts, ThirtyTwoPorts, 100, 100},
        {"thirty-two ports, then nine", ThirtyTwoPorts, NinePorts, 100, 0},
        {"nine ports, then a larger font", NinePorts, LargerFont, 100, 100},
    };
    for (const RefitCase& c : cases) {
        SCOPED_TRACE(c.name);
        AllColumns(*view);
        ThirtyTwoPorts(*view);
        c.before(*view);
        LayoutRowsAndColumns(*view, 16);
        view->ClientWidth = 600;
        view->ClientHeight = 400;
        FitToWindow(*view, bars);
        view->FirstColumn = 2;
        view->FirstRow = 2;
        ClampScroll(*view, bars);

        c.change(*view);
        LayoutRowsAndColumns(*view, view->LineHeight);
        RefitToClient(*view, bars);
        EXPECT_EQ(c.horizontalRange, bars.Range[H]);
        EXPECT_EQ(c.verticalRange, bars.Range[V]);
        if (c.horizontalRange == 0) {
            EXPECT_EQ(0, view->FirstColumn);
            EXPECT_EQ(0, view->ScrolledWidth);
            EXPECT_EQ(view->GridColumns, view->EndColumn);
        }
        if (c.verticalRange == 0) {
            EXPECT_EQ(0, view->FirstRow);
            EXPECT_EQ(view->GridRows, view->EndRow);
        }
    }
}

TEST_F(LayoutTest, RefitBeforeTheFirstSizeMessageLeavesTheBarsAlone) {
    EXPECT_EQ(0, RefitToClient(*view, bars));
    EXPECT_EQ(-1, bars.Range[H]);
    EXPECT_EQ(-1, bars.Range[V]);
}

}  // namespace
