#include "tracer/trace_screen.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/unit/recording_canvas.h"

using namespace vizo;

namespace {

// Client height that shows `rows` rows.
int HeightFor(int rows) {
    return (rows + 1) * 14 + 4;
}

struct TraceScreenTest : ::testing::Test {
    TraceScreen screen;
    RecordingCanvas canvas;
    void SetUp() override { screen.Attach(&canvas); }
};

TEST_F(TraceScreenTest, LineEndsAndCarriageReturns) {
    screen.Append("abc\r\nxyz", 0);
    EXPECT_STREQ("abc", screen.Line(0));
    EXPECT_STREQ("xyz", screen.Line(1));
    EXPECT_EQ(1, screen.CurrentLine());
    EXPECT_EQ(3, screen.Column());

    screen.Append("\nabc\rX", 0);
    EXPECT_STREQ("X", screen.Line(2));
}

TEST_F(TraceScreenTest, ControlBytesAndBytesAbove0x80AreShownInHex) {
    screen.Append("\x1b|\t|\x7f\x80|\x81|\xe9", 0);
    EXPECT_STREQ("<1bH>|<9H>|\x7f\x80|<81H>|<e9H>", screen.Line(0));
    // A length counts bytes, NULs included.
    screen.Append("\nA\0B", 4);
    EXPECT_STREQ("A<0H>B", screen.Line(1));

    // Every other byte alone, as printf writes it.
    for (int c = 0; c < 256; ++c) {
        if (c == '\n' || c == '\r') {
            continue;
        }
        TraceScreen alone;
        const char byte = static_cast<char>(c);
        alone.Append(&byte, 1);
        char expected[8];
        if (c < 0x20 || c > 0x80) {
            std::snprintf(expected, sizeof expected, "<%xH>", static_cast<unsigned>(c));
        } else {
            std::snprintf(expected, sizeof expected, "%c", c);
        }
        EXPECT_STREQ(expected, alone.Line(0)) << c;
    }
}

TEST_F(TraceScreenTest, LinesWrapAfter86Characters) {
    const std::string full(86, 'w');
    screen.Append((full + "\nnext").c_str(), 0);
    EXPECT_EQ(full, screen.Line(0));
    EXPECT_STREQ("", screen.Line(1));
    EXPECT_STREQ("next", screen.Line(2));

    // A hex form is cut by the wrap like any text.
    screen.Append(("\n" + std::string(84, 'w') + "\x1b").c_str(), 0);
    EXPECT_EQ(std::string(84, 'w') + "<1", screen.Line(3));
    EXPECT_STREQ("bH>", screen.Line(4));
}

TEST_F(TraceScreenTest, TheRingReusesItsOldestLine) {
    for (int i = 0; i < 36; ++i) {
        screen.Append(("L" + std::to_string(i) + "\n").c_str(), 0);
    }
    EXPECT_EQ(1, screen.CurrentLine());
    EXPECT_STREQ("L35", screen.Line(0));
    EXPECT_STREQ("", screen.Line(1));
}

TEST_F(TraceScreenTest, RowsThatFitTheClientHeight) {
    screen.Append("newest", 0);
    screen.Resize(300, 31);
    EXPECT_EQ(0, screen.VisibleRows());
    EXPECT_TRUE(canvas.Drawn.empty());

    screen.Resize(300, 32);
    EXPECT_EQ((std::vector<std::string>{"blank 10,18 300,46", "text 10,18 newest"}), canvas.Drawn);
    screen.Resize(300, 45);
    EXPECT_EQ(1, screen.VisibleRows());

    canvas.Drawn.clear();
    screen.Resize(300, 46);
    // Bottom-up; the bottom row also clears the row below it.
    EXPECT_EQ((std::vector<std::string>{"blank 10,32 300,60", "text 10,32 newest", "blank 10,18 300,32"}),
              canvas.Drawn);
}

TEST_F(TraceScreenTest, RefreshDrawsChangedRowsUntilTheCurrentLineMoves) {
    screen.Resize(200, HeightFor(3));
    screen.Append("one", 0);
    canvas.Drawn.clear();
    screen.Refresh(false);
    EXPECT_EQ((std::vector<std::string>{"blank 10,46 200,74", "text 10,46 one"}), canvas.Drawn);

    canvas.Drawn.clear();
    screen.Refresh(false);
    EXPECT_TRUE(canvas.Drawn.empty()) << "nothing pending";

    screen.Append("\ntwo", 0);
    screen.Refresh(false);
    EXPECT_EQ((std::vector<std::string>{"two", "one"}), canvas.Texts());
    EXPECT_EQ(5u, canvas.Drawn.size()) << "a moved line redraws every row";

    canvas.Drawn.clear();
    screen.Refresh(true);
    EXPECT_EQ(5u, canvas.Drawn.size()) << "a paint request redraws every row";
    EXPECT_FALSE(screen.Changed(screen.CurrentLine()));
}

TEST_F(TraceScreenTest, AWindowTallerThanTheRingShowsItAgainAbove) {
    screen.Append("first\nsecond", 0);
    screen.Resize(200, HeightFor(37));
    EXPECT_EQ((std::vector<std::string>{"second", "first", "second", "first"}), canvas.Texts());
}

TEST_F(TraceScreenTest, ClearEmptiesEveryRowAndStartsAgainAtTheTop) {
    screen.Append("a\nb\nc", 0);
    screen.Resize(200, HeightFor(3));
    canvas.Drawn.clear();
    screen.Clear();
    EXPECT_EQ(3u, canvas.Drawn.size());
    EXPECT_TRUE(canvas.Texts().empty());
    screen.Append("d", 0);
    EXPECT_EQ(0, screen.CurrentLine());
    EXPECT_STREQ("d", screen.Line(0));
}

TEST(TraceScreenDetached, DrawsNothingWithoutACanvas) {
    TraceScreen screen;
    screen.Resize(200, 200);
    screen.Append("text", 0);
    screen.Refresh(true);
    EXPECT_STREQ("text", screen.Line(0));
}

}  // namespace
