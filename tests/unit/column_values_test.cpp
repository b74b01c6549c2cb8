#include "monitor/dialogs/column_values.h"

#include <gtest/gtest.h>

#include <cstring>

#include "monitor/grid/columns.h"
#include "monitor/stats/catalogue.h"

using namespace zorvel;

namespace {

struct ColumnValuesTest : ::testing::Test {
    std::unique_ptr<ViewState> view = CreateView();
    ColumnDef& column = view->Columns[0];
    const int statistics = CountStatistics();

    void SetUp() override {
        InitColumn(*view, 0, 6);  // "TxTotal"
        column.Calc = 7;
        column.Color0 = 0x010203;
        column.Color1 = 0x040506;
    }
    uint16_t WidthAfter(const char* typed) {
        ColumnForm form = ColumnFormOf(column, statistics);
        form.Width = typed;
        ApplyColumnForm(column, form);
        return column.Width;
    }
};

TEST_F(ColumnValuesTest, OkWithoutChangesStoresTheSameColumn) {
    const ColumnForm form = ColumnFormOf(column, statistics);
    EXPECT_EQ(6, form.InputSelection);
    EXPECT_EQ(2, form.TypeSelection);
    EXPECT_EQ("16", form.Width);
    EXPECT_EQ("TxTotal", form.Name);
    const ColumnDef before = column;
    ApplyColumnForm(column, form);
    EXPECT_EQ(0, std::memcmp(&before, &column, sizeof column));
}

TEST_F(ColumnValuesTest, OutOfRangeInputAndTypeSelectNothingAndOkStoresThatAs0And65535) {
    for (uint16_t input : {0, 57, 65535}) {
        column.Input = input;
        EXPECT_EQ(kNoSelection, ColumnFormOf(column, statistics).InputSelection) << input;
    }
    column.Input = 56;
    EXPECT_EQ(55, ColumnFormOf(column, statistics).InputSelection);
    column.Type = 4;
    EXPECT_EQ(kNoSelection, ColumnFormOf(column, statistics).TypeSelection);
    column.Type = 3;
    EXPECT_EQ(3, ColumnFormOf(column, statistics).TypeSelection);

    ColumnForm form = ColumnFormOf(column, statistics);
    form.InputSelection = kNoSelection;
    form.TypeSelection = kNoSelection;
    ApplyColumnForm(column, form);
    EXPECT_EQ(0, column.Input);
    EXPECT_EQ(65535, column.Type);
    EXPECT_EQ(7, column.Calc);
}

TEST_F(ColumnValuesTest, TheWidthIsReadAsADecimalAndKeptWhenThereIsNone) {
    EXPECT_EQ(25, WidthAfter("25x"));
    EXPECT_EQ(25, WidthAfter("abc"));
    EXPECT_EQ(25, WidthAfter(""));
    EXPECT_EQ(0, WidthAfter("0"));
    EXPECT_EQ(12, WidthAfter("  +12"));
    EXPECT_EQ(65535, WidthAfter("-1"));
    EXPECT_EQ(70000 & 0xFFFF, WidthAfter("70000"));
    // Only the first 29 characters are read.
    EXPECT_EQ(70000 & 0xFFFF, WidthAfter((std::string(29, ' ') + "9").c_str()));
}

TEST_F(ColumnValuesTest, TheTitleIsCutTo29Characters) {
    ColumnForm form = ColumnFormOf(column, statistics);
    form.Name = "abcdefghijklmnopqrstuvwxyz0123";
    ApplyColumnForm(column, form);
    EXPECT_STREQ("abcdefghijklmnopqrstuvwxyz012", column.Name);
    form.Name = "";
    ApplyColumnForm(column, form);
    EXPECT_STREQ("", column.Name);
}

TEST_F(ColumnValuesTest, AChosenStatisticGivesItsNameAndATitleTypedAfterwardsWins) {
    EXPECT_STREQ("TxTotal", TitleForStatistic(6, statistics));
    EXPECT_STREQ("CD ", TitleForStatistic(3, statistics));
    EXPECT_EQ(nullptr, TitleForStatistic(-1, statistics));
    EXPECT_EQ(nullptr, TitleForStatistic(statistics, statistics));

    ColumnForm form = ColumnFormOf(column, statistics);
    form.InputSelection = 39;
    form.Name = "Carrier runs";
    ApplyColumnForm(column, form);
    EXPECT_EQ(40, column.Input);
    EXPECT_STREQ("Carrier runs", column.Name);
}

TEST(ColourButtonCaption, ContrastsWithTheFace) {
    struct Case {
        uint32_t Face;
        uint32_t Caption;
    };
    // Red in the low byte: pure blue is dark, pure yellow light.
    const Case cases[] = {
        {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0xFF0000, 0xFFFFFF}, {0x00FFFF, 0x000000},
        {0x0000FF, 0xFFFFFF}, {0x00FF00, 0x000000}, {0x808080, 0x000000}, {0x7F7F7F, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Caption, CaptionColourOn(c.Face)) << std::hex << c.Face;
    }
}

}  // namespace
