#include "monitor/grid/paint_grid.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "monitor/grid/changed_cells.h"
#include "monitor/grid/columns.h"
#include "monitor/grid/layout.h"
#include "monitor/grid/font_ink.h"

using namespace zorvel;

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 70;
constexpr int kGlyphHeight = 12;

// Pixels as a device context would hold them, clipped to `Region` as a paint
// is to its update region. A text leaves a pattern that depends on the text, its
// colour, its position and what lay beneath, 7 pixels per character.
struct RasterCanvas : Canvas {
    std::vector<uint32_t> Pixels = std::vector<uint32_t>(kWidth * kHeight, 0x123456);
    std::vector<CellRect> Region{{0, 0, kWidth, kHeight}};
    std::vector<std::string> Drawn;
    std::vector<size_t> PiecesPerCall;

    void Set(const CellRect& rect, const std::function<uint32_t(int, int)>& value) {
        for (const CellRect& clip : Region) {
            for (int y = std::max({rect.Top, clip.Top, 0}); y < std::min({rect.Bottom, clip.Bottom, kHeight}); ++y) {
                for (int x = std::max({rect.Left, clip.Left, 0}); x < std::min({rect.Right, clip.Right, kWidth}); ++x) {
                    Pixels[y * kWidth + x] = value(x, y);
                }
            }
        }
    }
    void Fill(const CellRect& rect, uint32_t colour) override {
        Set(rect, [colour](int, int) { return colour; });
    }
    int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
    void Texts(const TextPiece* pieces, size_t count, uint32_t colour) override {
        PiecesPerCall.push_back(count);
        for (size_t i = 0; i < count; ++i) {
            Text(pieces[i].X, pieces[i].Y, pieces[i].Clip, *pieces[i].Text, colour);
        }
    }
    void Text(int x, int y, const CellRect& clip, const std::string& text, uint32_t colour) {
        Drawn.push_back(text);
        const uint32_t seed = static_cast<uint32_t>(std::hash<std::string>{}(text)) ^ colour;
        const CellRect glyphs{std::max(x, clip.Left), std::max(y, clip.Top), std::min(x + TextWidth(text), clip.Right),
                              std::min(y + kGlyphHeight, clip.Bottom)};
        // Blended with what lies beneath, as smoothed glyphs are: drawn twice shows.
        Set(glyphs, [=](int px, int py) {
            return 0x80000000u | (((seed + 31u * (px - x) + 977u * (py - y)) ^ (7u * Pixels[py * kWidth + px])) >> 1);
        });
    }
};

struct PaintTest : ::testing::Test {
    std::unique_ptr<ViewState> view = CreateView();
    std::map<std::pair<int, int>, std::string> texts;
    CellTextFn cellText = [this](int r, int k) {
        return texts.count({r, k}) ? texts[{r, k}] : "r" + std::to_string(r) + "k" + std::to_string(k);
    };

    // Columns 48, 30, 40 and 60 pixels wide (device column first), rows 20 high.
    void SetUp() override {
        InitColumn(*view, 0, 3);      // "CD ", On/Off
        InitColumn(*view, 1, 8);      // "TxCPSInst", grey zero, blue otherwise
        InitColumn(*view, 2, 42);     // "CDRunTime", hh:mm:ss
        view->Columns[0].Color0 = 0;  // Off not set: white
        view->ColumnCount = 3;
        view->GridColumns = 4;
        view->GridRows = 3;
        LayoutRowsAndColumns(*view, 16);
        view->ColumnPixels[1] = 30;
        view->ColumnPixels[2] = 40;
        view->ColumnPixels[3] = 60;
        view->ClientWidth = kWidth;
        view->ClientHeight = kHeight;
        ComputeVisibleRange(*view);
        texts[{1, 1}] = "On";
        texts[{2, 1}] = "Off";
        texts[{1, 2}] = "0";
        texts[{2, 2}] = "120";
        texts[{1, 3}] = "0:00:00";
        texts[{2, 3}] = "a text much wider than its cell";
    }

    // What each cell drew before: a framed rectangle, then its text.
    RasterCanvas FramedCells() {
        RasterCanvas canvas;
        int x = 0;
        for (int slot = view->FirstColumn; slot < view->EndColumn; ++slot) {
            const int k = slot == view->FirstColumn ? 0 : slot;
            int y = 0;
            for (int rowSlot = view->FirstRow; rowSlot < view->EndRow; ++rowSlot) {
                const int r = rowSlot == view->FirstRow ? 0 : rowSlot;
                const int w = view->ColumnPixels[k];
                const int h = view->RowPixels[r];
                const std::string text = cellText(r, k);
                const CellLook look = LookOf(*view, r, k, text);
                canvas.Fill({x, y, x + w + 1, y + h + 1}, kBlack);
                canvas.Fill({x + 1, y + 1, x + w, y + h}, look.Background);
                const CellRect clip{x + 1, y + 1, x + w - 1, y + h - 1};
                canvas.Text(look.Centred ? (clip.Left + clip.Right - canvas.TextWidth(text)) / 2 : clip.Left, clip.Top,
                            clip, text, look.Colour);
                y += h;
            }
            x += view->ColumnPixels[k];
        }
        return canvas;
    }
};

TEST_F(PaintTest, ColoursFollowTypeAndText) {
    struct Case {
        int Row, Column;
        const char* Text;
        CellLook Look;
    } cases[] = {
        {0, 0, "Device", {kWhite, kHeaderText, false}},
        {0, 1, "CD ", {kWhite, kHeaderText, false}},
        {1, 0, "COM1", {kWhite, kHeaderText, false}},
        {1, 1, "On", {Rgb(128, 192, 128), 0, true}},
        {2, 1, "Off", {kWhite, 0, true}},  // Off with Color0 unset
        {1, 2, "0", {kWhite, Rgb(192, 192, 192), false}},
        {2, 2, "120", {kWhite, Rgb(128, 128, 192), false}},
        {1, 3, "0:00:00", {kWhite, 0, false}},  // run time: always Color1, here unset
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Text);
        const CellLook look = LookOf(*view, c.Row, c.Column, c.Text);
        EXPECT_EQ(c.Look.Background, look.Background);
        EXPECT_EQ(c.Look.Colour, look.Colour);
        EXPECT_EQ(c.Look.Centred, look.Centred);
    }
}

// Lines drawn once, white filled once and only the other backgrounds filled per
// cell make the picture framed cells made, in any area and scrolled.
TEST_F(PaintTest, AnyAreaShowsWhatFramedCellsShowed) {
    struct Case {
        int FirstColumn, FirstRow;
        CellRect Area;
    } cases[] = {
        {0, 0, {0, 0, kWidth, kHeight}}, {0, 0, {48, 20, 49, 21}},        {0, 0, {60, 30, 130, 41}},
        {0, 0, {79, 21, 118, 40}},       {1, 0, {0, 0, kWidth, kHeight}}, {1, 1, {10, 5, 150, 45}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.FirstColumn) + "," + std::to_string(c.FirstRow) + " " +
                     std::to_string(c.Area.Left) + "," + std::to_string(c.Area.Top));
        view->FirstColumn = static_cast<int16_t>(c.FirstColumn);
        view->FirstRow = static_cast<int16_t>(c.FirstRow);
        ComputeVisibleRange(*view);
        const RasterCanvas expected = FramedCells();
        RasterCanvas canvas;
        canvas.Region = {c.Area};
        PaintGrid(*view, cellText, canvas, {c.Area});
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const bool inside = x >= c.Area.Left && x < c.Area.Right && y >= c.Area.Top && y < c.Area.Bottom;
                const bool grid = x <= 178 && y <= (c.FirstRow == 0 ? 60 : 40);
                ASSERT_EQ(inside && grid ? expected.Pixels[y * kWidth + x] : 0x123456u, canvas.Pixels[y * kWidth + x])
                    << "at " << x << "," << y;
            }
        }
    }
}

// A paint's update region comes in rectangles that may cut through a cell.
TEST_F(PaintTest, ACellPaintedInSlicesShowsWhatOnePaintShows) {
    RasterCanvas whole;
    PaintGrid(*view, cellText, whole, {{0, 0, kWidth, kHeight}});
    RasterCanvas sliced;
    sliced.Region = {{0, 0, kWidth, 30}, {0, 30, 100, kHeight}, {100, 30, kWidth, kHeight}};
    PaintGrid(*view, cellText, sliced, sliced.Region);
    EXPECT_EQ(whole.Pixels, sliced.Pixels);
}

// Only cells in the parts are asked for; a row's texts of one colour come in
// one call however many parts they lie in.
TEST_F(PaintTest, OnlyTheCellsInThePartsAreDrawnARowAtATime) {
    view->FirstColumn = 1;
    ComputeVisibleRange(*view);
    RasterCanvas canvas;
    PaintGrid(*view, cellText, canvas, {{50, 21, 60, 30}});
    EXPECT_EQ(std::vector<std::string>{"0"}, canvas.Drawn);  // row 1 of grid column 2

    view->FirstColumn = 0;
    ComputeVisibleRange(*view);
    canvas = RasterCanvas();
    canvas.Region = {{49, 21, 78, 40}, {119, 21, 178, 40}, {0, 41, 10, 60}};  // row 1: On and 0:00:00; a header
    PaintGrid(*view, cellText, canvas, canvas.Region);
    EXPECT_EQ((std::vector<std::string>{"On", "0:00:00", "r2k0"}), canvas.Drawn);
    EXPECT_EQ((std::vector<size_t>{2, 1}), canvas.PiecesPerCall);
}

// The cells a tick repaints are those whose text or colours changed, neighbours
// joined, and repainting them leaves the picture a full paint draws.
TEST_F(PaintTest, TicksRepaintExactlyTheChangedCells) {
    RasterCanvas screen;
    PaintGrid(*view, cellText, screen, {{0, 0, kWidth, kHeight}});
    std::vector<CellRect> changed;
    EXPECT_FALSE(ChangedCells(*view, cellText, changed));
    EXPECT_TRUE(changed.empty());
    const CellRect signal{49, 21, 78, 40};     // row 1, column 1
    const CellRect rate{79, 21, 118, 40};      // row 1, column 2
    const CellRect runTime{119, 41, 178, 60};  // row 2, column 3
    struct Tick {
        std::map<std::pair<int, int>, std::string> Texts;
        std::vector<CellRect> Changed;
    } ticks[] = {
        {{{{1, 2}, "7"}}, {rate}},  // grey zero to a blue figure
        {{{{1, 1}, "Off"}, {{2, 3}, "0:00:01"}}, {signal, runTime}},
        {{{{1, 1}, "Off"}}, {}},  // set again, unchanged
        {{{{1, 2}, "0"}, {{1, 1}, "On"}}, {{49, 21, 118, 40}}},  // side by side: one rectangle
        {{{{1, 2}, "5"}, {{2, 2}, "6"}, {{1, 3}, "0:00:02"}, {{2, 3}, "0:00:03"}}, {{79, 21, 178, 60}}},
        {{{{1, 2}, "7"}, {{2, 2}, "8"}, {{1, 3}, "0:00:04"}, {{2, 1}, "On"}},
         {{49, 41, 78, 60}, {79, 21, 118, 60}, {119, 21, 178, 40}}},
    };
    for (const Tick& tick : ticks) {
        SCOPED_TRACE(tick.Texts.begin()->second);
        for (const auto& text : tick.Texts) {
            texts[text.first] = text.second;
        }
        changed.clear();
        ASSERT_TRUE(ChangedCells(*view, cellText, changed));
        ASSERT_EQ(tick.Changed.size(), changed.size());
        for (size_t i = 0; i < changed.size(); ++i) {
            EXPECT_EQ(tick.Changed[i].Left, changed[i].Left);
            EXPECT_EQ(tick.Changed[i].Top, changed[i].Top);
            EXPECT_EQ(tick.Changed[i].Right, changed[i].Right);
            EXPECT_EQ(tick.Changed[i].Bottom, changed[i].Bottom);
        }
        screen.Region = changed;
        PaintGrid(*view, cellText, screen, changed);
        RasterCanvas full;
        PaintGrid(*view, cellText, full, {{0, 0, kWidth, kHeight}});
        EXPECT_EQ(full.Pixels, screen.Pixels);
    }
    // A scroll or a new layout leaves nothing to compare with.
    view->FirstRow = 1;
    ComputeVisibleRange(*view);
    EXPECT_FALSE(ChangedCells(*view, cellText, changed));
    EXPECT_TRUE(ChangedCells(*view, cellText, changed));
    LayoutRowsAndColumns(*view, 16);
    EXPECT_FALSE(ChangedCells(*view, cellText, changed));
}

// A row's texts are joined only where the one clipped call leaves every
// character's ink where its own call would.
TEST(JoinTexts, JoinsOnlyWhatStaysInsideItsCells) {
    FontInk font{};
    font.fill({true, 0, 6, 7});
    font['j'] = {true, -1, 5, 6};  // ink left of its origin
    font['W'] = {true, 0, 9, 8};   // ink past its advance
    const std::string ab = "ab", c = "c", aaa = "aaa", w = "aW", j = "ja", j1 = "j",
                      w1 = "W", wide = "\xE9";
    struct Case {
        const char* Name;
        std::vector<TextPiece> Pieces;
        const char* Chars;  // nullptr: not joined
        std::vector<int> Advances;
    } cases[] = {
        {"side by side", {{1, 0, {1, 0, 20, 9}, &ab}, {22, 0, {20, 0, 40, 9}, &c}}, "abc", {7, 14, 7}},
        {"centred second", {{1, 0, {1, 0, 20, 9}, &c}, {27, 0, {21, 0, 40, 9}, &ab}}, "cab", {26, 7, 7}},
        {"a pixel to spare", {{1, 0, {1, 0, 22, 9}, &aaa}, {23, 0, {22, 0, 40, 9}, &c}}, "aaac", {7, 7, 8, 7}},
        {"no pixel to spare", {{1, 0, {1, 0, 21, 9}, &aaa}, {23, 0, {22, 0, 40, 9}, &c}}, nullptr, {}},
        {"overhang past", {{1, 0, {1, 0, 17, 9}, &w}, {20, 0, {19, 0, 40, 9}, &c}}, nullptr, {}},
        {"overhang inside", {{1, 0, {1, 0, 18, 9}, &w}, {20, 0, {19, 0, 40, 9}, &c}}, "aWc", {7, 12, 7}},
        {"ink at the left edge", {{1, 0, {1, 0, 10, 9}, &c}, {12, 0, {11, 0, 30, 9}, &j}}, "cja", {11, 6, 7}},
        {"ink before its cell", {{1, 0, {1, 0, 10, 9}, &c}, {11, 0, {11, 0, 30, 9}, &j}}, nullptr, {}},
        {"outer edges clipped as alone", {{1, 0, {1, 0, 10, 9}, &j1}, {12, 0, {11, 0, 20, 9}, &w1}}, "jW", {11, 8}},
        {"beyond ASCII", {{1, 0, {1, 0, 10, 9}, &c}, {11, 0, {11, 0, 30, 9}, &wide}}, nullptr, {}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.Name);
        std::string chars;
        std::vector<int> advances;
        const bool joined = JoinTexts(t.Pieces.data(), t.Pieces.size(), font, chars, advances);
        ASSERT_EQ(t.Chars != nullptr, joined);
        if (joined) {
            EXPECT_EQ(t.Chars, chars);
            EXPECT_EQ(t.Advances, advances);
        }
    }
}

TEST_F(PaintTest, CellsMeetingARectangle) {
    struct Case {
        int FirstColumn, FirstRow;
        CellRect Area;
        SlotSpan Columns, Rows;
    } cases[] = {
        {0, 0, {0, 0, 10000, 10000}, {0, 4, 0, 178}, {0, 3, 0, 60}},  // the whole grid
        {0, 0, {0, 0, 1, 1}, {0, 1, 0, 48}, {0, 1, 0, 20}},           // the header corner
        {0, 0, {48, 20, 49, 21}, {0, 2, 0, 78}, {0, 2, 0, 40}},       // a shared frame line
        {0, 0, {49, 21, 50, 22}, {1, 2, 48, 78}, {1, 2, 20, 40}},     // inside one cell
        {0, 0, {60, 30, 130, 41}, {1, 4, 48, 178}, {1, 3, 20, 60}},   // partial cells
        {0, 0, {30, 30, 30, 50}, {0, 0, 0, 0}, {0, 0, 0, 0}},         // empty
        {0, 0, {500, 0, 600, 20}, {0, 0, 0, 0}, {0, 1, 0, 20}},       // right of the grid
        {1, 0, {50, 0, 60, 10}, {2, 3, 48, 88}, {0, 1, 0, 20}},       // scrolled right: slot 1 is the device column
        {1, 1, {0, 0, 10, 25}, {1, 2, 0, 48}, {1, 3, 0, 40}},         // scrolled both ways: the headers
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

}  // namespace
