#include "monitor/grid/columns.h"

#include <gtest/gtest.h>

#include <cstring>

#include "monitor/stats/catalogue.h"

using namespace zorvel;

namespace {

std::vector<std::string> Names(const ViewState& view) {
    std::vector<std::string> names;
    for (int i = 0; i < view.ColumnCount; ++i) {
        names.push_back(view.Columns[i].Name);
    }
    return names;
}

void AddNamed(ViewState& view, const char* name) {
    std::memset(&view.Columns[view.ColumnCount], 0, sizeof(ColumnDef));
    std::strcpy(view.Columns[view.ColumnCount].Name, name);
    ++view.ColumnCount;
}

TEST(Columns, DefaultViewHasOneColumnPerStatisticWithItsDefaults) {
    auto view = CreateView();
    DefaultView(*view, CountStatistics());
    ASSERT_EQ(56, view->ColumnCount);
    const ColumnDef& open = view->Columns[0];
    EXPECT_EQ(1, open.Input);
    EXPECT_EQ(1, open.Type);
    EXPECT_EQ(8, open.Width);
    EXPECT_EQ(Rgb(192, 192, 192), open.Color0);
    EXPECT_EQ(Rgb(128, 128, 192), open.Color1);
    EXPECT_STREQ("CD ", view->Columns[3].Name);
    EXPECT_EQ(6, view->Columns[3].Width);
    EXPECT_EQ(Rgb(128, 192, 128), view->Columns[3].Color1);
    EXPECT_EQ(Rgb(128, 255, 128), view->Columns[5].Color1);
    const ColumnDef& txTotal = view->Columns[6];
    EXPECT_EQ(16, txTotal.Width);
    EXPECT_EQ(2, txTotal.Type);
    EXPECT_EQ(0u, txTotal.Color0 | txTotal.Color1);
    EXPECT_EQ(Rgb(192, 192, 192), view->Columns[9].Color0);
    EXPECT_EQ(0, view->Columns[10].Type);
    for (int s = 42; s <= 46; ++s) {
        EXPECT_EQ(3, view->Columns[s].Type) << view->Columns[s].Name;
    }
    EXPECT_EQ(0, view->Columns[47].Type);
    EXPECT_EQ(56, view->Columns[55].Input);
    EXPECT_EQ(2 * 15, view->Columns[55].Width);  // "ParityErrorsRaw"
}

TEST(Columns, DefaultViewSkipsNamesAlreadyShownComparedExactly) {
    auto view = CreateView();
    AddNamed(*view, "TxTotal");
    AddNamed(*view, "cts");
    DefaultView(*view, CountStatistics());
    EXPECT_EQ(2 + 55, view->ColumnCount);
    const auto names = Names(*view);
    EXPECT_EQ(1, std::count(names.begin(), names.end(), "TxTotal"));
    EXPECT_EQ(1, std::count(names.begin(), names.end(), "CTS"));
}

TEST(Columns, DefaultViewNeverGrowsPastSeventy) {
    auto view = CreateView();
    for (int i = 0; i < 60; ++i) {
        AddNamed(*view, ("mine" + std::to_string(i)).c_str());
    }
    DefaultView(*view, CountStatistics());
    EXPECT_EQ(70, view->ColumnCount);
}

TEST(Columns, InitColumnMinusOneIsAnErrorsColumn) {
    auto view = CreateView();
    view->Columns[0].Calc = 9;
    InitColumn(*view, 0, -1);
    EXPECT_STREQ("Errors", view->Columns[0].Name);
    EXPECT_EQ(11, view->Columns[0].Input);
    EXPECT_EQ(12, view->Columns[0].Width);
    EXPECT_EQ(9, view->Columns[0].Calc);  // left as it was
    EXPECT_EQ(0, view->ColumnCount);
}

TEST(Columns, RemoveThenInsertMovesAColumnThroughThePendingRecord) {
    auto view = CreateView();
    for (const char* name : {"W", "X", "Y", "Z"}) {
        AddNamed(*view, name);
    }
    RemoveColumn(*view, 0);
    EXPECT_EQ((std::vector<std::string>{"X", "Y", "Z"}), Names(*view));
    EXPECT_STREQ("W", view->Columns[3].Name);  // pending just past the last column
    EXPECT_EQ(4, view->GridColumns);
    InsertColumn(*view, 2);
    EXPECT_EQ((std::vector<std::string>{"X", "Y", "W", "Z"}), Names(*view));
    EXPECT_EQ(5, view->GridColumns);
}

TEST(Columns, RemovingTheOnlyColumnLeavesTheDeviceColumn) {
    auto view = CreateView();
    AddNamed(*view, "Only");
    RemoveColumn(*view, 0);
    EXPECT_EQ(0, view->ColumnCount);
    EXPECT_EQ(1, view->GridColumns);
    EXPECT_STREQ("Only", view->Columns[0].Name);
}

TEST(Columns, InsertAtTheFrontAndAtTheEnd) {
    auto view = CreateView();
    AddNamed(*view, "A");
    AddNamed(*view, "B");
    InitColumn(*view, view->ColumnCount, -1);
    InsertColumn(*view, 0);
    InitColumn(*view, view->ColumnCount, 6);
    InsertColumn(*view, view->ColumnCount);
    EXPECT_EQ((std::vector<std::string>{"Errors", "A", "B", "TxTotal"}), Names(*view));
}

}  // namespace
