#include "monitor/grid/paint_grid.h"

#include <gtest/gtest.h>

#include "monitor/grid/columns.h"
#include "monitor/grid/layout.h"

using namespace zorvel;

namespace {

struct Drawn {
    CellRect Rect;
    uint32_t Background;
    uint32_t Colour;
    std::string Text;
    bool Centred;
};

struct RecordingCanvas : Canvas {
    std::vector<Drawn> Cells;
    void FramedCell(const CellRect& rect, uint32_t background) override {
        Cells.push_back({rect, background, 0, "", false});
    }
    void CellText(const CellRect& rect, const std::string& text, uint32_t colour, bool centred) override {
        Drawn& last = Cells.back();
        EXPECT_EQ(last.Rect.Left + 1, rect.Left);
        EXPECT_EQ(last.Rect.Bottom - 2, rect.Bottom);
        last.Colour = colour;
        last.Text = text;
        last.Centred = centred;
    }
};

struct PaintTest : ::testing::Test {
    std::unique_ptr<ViewState> view = CreateView();
    RecordingCanvas canvas;
    std::map<std::pair<int, int>, std::string> texts;

    void SetUp() override {
        InitColumn(*view, 0, 3);      // "CD ", On/Off
        InitColumn(*view, 1, 8);      // "TxCPSInst", grey zero, blue otherwise
        InitColumn(*view, 2, 42);     // "CDRunTime", hh:mm:ss
        view->Columns[0].Color0 = 0;  // Off not set: white
        view->ColumnCount = 3;
        view->GridColumns = 4;
        view->GridRows = 3;
        LayoutRowsAndColumns(*view, 16);
        view->EndColumn = 4;
        view->EndRow = 3;
    }
    void Paint() {
        PaintGrid(
            *view,
            [this](int r, int k) {
                return texts.count({r, k}) ? texts[{r, k}] : "r" + std::to_string(r);
            },
            canvas);
    }
    const Drawn& At(int slotColumn, int slotRow) { return canvas.Cells[slotColumn * 3 + slotRow]; }
};

TEST_F(PaintTest, ColoursFollowTypeAndText) {
    texts[{1, 1}] = "On";
    texts[{2, 1}] = "Off";
    texts[{1, 2}] = "0";
    texts[{2, 2}] = "120";
    texts[{1, 3}] = "0:00:00";
    Paint();
    ASSERT_EQ(12u, canvas.Cells.size());
    EXPECT_EQ(kWhite, At(0, 0).Background);
    EXPECT_EQ(kHeaderText, At(0, 1).Colour);
    EXPECT_EQ(kHeaderText, At(1, 0).Colour);
    EXPECT_EQ(Rgb(128, 192, 128), At(1, 1).Background);
    EXPECT_TRUE(At(1, 1).Centred);
    EXPECT_EQ(0u, At(1, 1).Colour);
    EXPECT_EQ(kWhite, At(1, 2).Background);  // Off with Color0 unset
    EXPECT_EQ(Rgb(192, 192, 192), At(2, 1).Colour);
    EXPECT_EQ(Rgb(128, 128, 192), At(2, 2).Colour);
    EXPECT_FALSE(At(2, 2).Centred);
    EXPECT_EQ(kWhite, At(2, 2).Background);
    EXPECT_EQ(0u, At(3, 1).Colour);  // run time: always Color1, here unset
}

TEST_F(PaintTest, CellsShareFrameLinesAndStepByTheirPixels) {
    Paint();
    EXPECT_EQ(0, At(0, 0).Rect.Left);
    EXPECT_EQ(49, At(0, 0).Rect.Right);
    EXPECT_EQ(21, At(0, 0).Rect.Bottom);
    EXPECT_EQ(48, At(1, 0).Rect.Left);
    EXPECT_EQ(20, At(0, 1).Rect.Top);
}

TEST_F(PaintTest, ScrollingRightHidesColumnOneButKeepsTheDeviceColumn) {
    view->FirstColumn = 1;
    Paint();
    ASSERT_EQ(9u, canvas.Cells.size());
    EXPECT_EQ("r0", At(0, 0).Text);
    EXPECT_EQ(0, At(0, 0).Rect.Left);
    // The slot after the device column shows grid column 2.
    EXPECT_EQ(48, At(1, 0).Rect.Left);
    EXPECT_EQ(48 + 1 + view->ColumnPixels[2], At(1, 0).Rect.Right);
}

}  // namespace
