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
                return texts.count({r, k}) ? texts[{r, k}] : "r" + std::to_string(r) + "k" + std::to_string(k);
            },
            canvas, area);
    }
    CellRect area{0, 0, 10000, 10000};
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
    EXPECT_EQ("r0k0", At(0, 0).Text);
    EXPECT_EQ(0, At(0, 0).Rect.Left);
    // The slot after the device column shows grid column 2.
    EXPECT_EQ(48, At(1, 0).Rect.Left);
    EXPECT_EQ(48 + 1 + view->ColumnPixels[2], At(1, 0).Rect.Right);
}

// Columns 48, 30, 40 and 60 pixels wide (device column first), rows 20 high;
// a cell also owns the frame line it shares with the next one.
struct AreaTest : PaintTest {
    void SetUp() override {
        PaintTest::SetUp();
        view->ColumnPixels[1] = 30;
        view->ColumnPixels[2] = 40;
        view->ColumnPixels[3] = 60;
    }
};

TEST_F(AreaTest, CellsMeetingARectangle) {    struct Case {
        int FirstColumn, FirstRow;
        CellRect Area;
        SlotSpan Columns, Rows;
    } cases[] = {
        {0, 0, {0, 0, 10000, 10000}, {0, 4, 0, 178}, {0, 3, 0, 60}},  // the whole grid
        {0, 0, {0, 0, 1, 1}, {0, 1, 0, 48}, {0, 1, 0, 20}},          // the header corner
        {0, 0, {48, 20, 49, 21}, {0, 2, 0, 78}, {0, 2, 0, 40}},      // a shared frame line
        {0, 0, {49, 21, 50, 22}, {1, 2, 48, 78}, {1, 2, 20, 40}},    // inside one cell
        {0, 0, {60, 30, 130, 41}, {1, 4, 48, 178}, {1, 3, 20, 60}},   // partial cells
        {0, 0, {30, 30, 30, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}},      // empty
        {0, 0, {500, 0, 600, 20}, {0, 0, 0, 0}, {0, 1, 0, 20}},     // right of the grid
        {1, 0, {50, 0, 60, 10}, {2, 3, 48, 88}, {0, 1, 0, 20}},      // scrolled right: slot 1 is the device column
        {1, 1, {0, 0, 10, 25}, {1, 2, 0, 48}, {1, 3, 0, 40}},        // scrolled both ways: the headers
    };
    for (const Case& c : cases) {
        view->FirstColumn = static_cast<int16_t>(c.FirstColumn);
        view->FirstRow = static_cast<int16_t>(c.FirstRow);
        const CellSpan span = CellsMeeting(*view, c.Area);
        const auto text = [](const SlotSpan& s) {
            return std::to_string(s.First) + ".." + std::to_string(s.End) + "@" + std::to_string(s.Offset) + "-" +
                   std::to_string(s.Reach);
        };
        const auto shown = [&](const SlotSpan& s) { return s.First == s.End ? std::string("none") : text(s); };
        SCOPED_TRACE(std::to_string(c.Area.Left) + "," + std::to_string(c.Area.Top) + " " +
                     std::to_string(c.Area.Right) + "," + std::to_string(c.Area.Bottom));
        if (c.Columns.First == c.Columns.End || c.Rows.First == c.Rows.End) {
            EXPECT_TRUE(span.Columns.First == span.Columns.End || span.Rows.First == span.Rows.End)
                << shown(span.Columns) << " " << shown(span.Rows);
        } else {
            EXPECT_EQ(text(c.Columns), shown(span.Columns));
            EXPECT_EQ(text(c.Rows), shown(span.Rows));
        }
    }
}

TEST_F(AreaTest, OnlyTheCellsMeetingTheAreaArePaintedInPlace) {
    view->FirstColumn = 1;
    area = {50, 21, 60, 30};
    Paint();
    ASSERT_EQ(1u, canvas.Cells.size());
    EXPECT_EQ("r1k2", canvas.Cells[0].Text);
    EXPECT_EQ(48, canvas.Cells[0].Rect.Left);
    EXPECT_EQ(20, canvas.Cells[0].Rect.Top);
    EXPECT_EQ(48 + 40 + 1, canvas.Cells[0].Rect.Right);
}

}  // namespace
