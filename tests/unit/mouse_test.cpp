#include "monitor/grid/mouse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "monitor/grid/columns.h"
#include "monitor/grid/hit_commands.h"
#include "monitor/grid/layout.h"
#include "resources/zorvel_ids.h"

using namespace zorvel;

namespace {

struct RecordingHost : MouseHost {
    std::vector<int> Pointers;
    int Relayouts = 0;
    std::vector<std::vector<PopupItem>> Popups;
    int PopupX = -1;
    int PopupY = -1;
    void SetPointer(int cursorMode) override { Pointers.push_back(cursorMode); }
    void ApplyFont() override { ++Relayouts; }
    void ShowPopup(const std::vector<PopupItem>& items, int x, int y) override {
        Popups.push_back(items);
        PopupX = x;
        PopupY = y;
    }
};

std::string Labels(const std::vector<PopupItem>& items) {
    std::string labels;
    for (const PopupItem& item : items) {
        labels += (labels.empty() ? "" : " ") + std::string(item.Label);
    }
    return labels;
}

// Columns W X Y Z of 16 units at a line height of 16: the device column spans
// x 0..48 and each column 64 pixels after it; every row is 20 pixels high.
struct MouseTest : ::testing::Test {
    std::unique_ptr<ViewState> view = CreateView();
    RecordingHost host;

    void SetUp() override {
        for (const char* name : {"W", "X", "Y", "Z"}) {
            AddColumn(name);
        }
        view->GridRows = 4;
        view->ClientWidth = 1000;
        view->ClientHeight = 500;
        Relayout();
    }
    void AddColumn(const char* name) {
        ColumnDef& column = view->Columns[view->ColumnCount++];
        std::memset(&column, 0, sizeof column);
        std::strcpy(column.Name, name);
        column.Width = 16;
        view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);
    }
    void Relayout() {
        LayoutRowsAndColumns(*view, 16);
        ComputeVisibleRange(*view);
    }
    int Button(MouseMessage message, int x, int y) {
        view->PointerX = x;
        view->PointerY = y;
        return MouseButton(*view, message, host);
    }
    // A header press in the middle of grid column `from`, released over `to`.
    void Drag(int from, int to) {
        Button(MouseMessage::LeftDown, 48 + 64 * (from - 1) + 30, 10);
        Button(MouseMessage::LeftUp, 48 + 64 * (to - 1) + 30, 10);
    }
    std::string Order() const {
        std::string order;
        for (int i = 0; i < view->ColumnCount; ++i) {
            order += view->Columns[i].Name;
        }
        return order;
    }
};

TEST_F(MouseTest, APressNearTheRightBorderResizesAndFurtherLeftMoves) {
    // Grid column 1 spans x 49..113 and its border lies at 112.
    EXPECT_EQ(0, Button(MouseMessage::LeftDown, 109, 30));
    EXPECT_EQ(kResizeDrag, view->DragMode);
    EXPECT_EQ(1, view->DragColumn);
    EXPECT_EQ(109, view->DragStartX);
    EXPECT_EQ(1, view->HitColumn);
    EXPECT_EQ(1, view->HitRow);
    EXPECT_EQ(std::vector<int>{kSizeCursor}, host.Pointers);

    Button(MouseMessage::LeftDown, 102, 30);
    EXPECT_EQ(kMoveDrag, view->DragMode);
    EXPECT_EQ(kMoveCursor, host.Pointers.back());

    Button(MouseMessage::LeftDown, 107, 30);
    EXPECT_EQ(kResizeDrag, view->DragMode);
    Button(MouseMessage::LeftDown, 106, 30);
    EXPECT_EQ(kMoveDrag, view->DragMode);
    // One pixel past the border still grips the column on its left.
    Button(MouseMessage::LeftDown, 113, 30);
    EXPECT_EQ(1, view->DragColumn);
    EXPECT_EQ(kResizeDrag, view->DragMode);
    Button(MouseMessage::LeftDown, 114, 30);
    EXPECT_EQ(2, view->DragColumn);
    EXPECT_EQ(kMoveDrag, view->DragMode);
}

TEST_F(MouseTest, AResizeAddsFourUnitsPerLineHeightTruncatedAndKeptWithin1To60) {
    const auto resize = [this](int column, int dx) {
        for (int i = 0; i < view->ColumnCount; ++i) {
            view->Columns[i].Width = 16;
        }
        Relayout();
        const int border = 48 + 64 * column;
        Button(MouseMessage::LeftDown, border - 3, 10);
        Button(MouseMessage::LeftUp, border - 3 + dx, 10);
        return static_cast<int>(view->Columns[column - 1].Width);
    };
    EXPECT_EQ(26, resize(1, 40));
    EXPECT_EQ(kNoDrag, view->DragMode);
    EXPECT_EQ(kArrowCursor, host.Pointers.back());
    EXPECT_EQ(1, host.Relayouts);
    EXPECT_EQ(15, resize(1, -6));  // -1.5 units: toward zero, not down
    EXPECT_EQ(17, resize(1, 7));
    EXPECT_EQ(1, resize(4, -300));
    EXPECT_EQ(60, resize(1, 190));
}

TEST_F(MouseTest, AMovedColumnLandsJustBeforeTheOneItWasDroppedOn) {
    Drag(1, 3);
    EXPECT_EQ("XWYZ", Order());
    EXPECT_EQ(2, view->HitColumn);  // W's new place
    EXPECT_EQ(5, view->GridColumns);
    EXPECT_EQ(1, host.Relayouts);

    Drag(4, 2);  // Z onto W, which now is the second column
    EXPECT_EQ("XZWY", Order());
    EXPECT_EQ(2, view->HitColumn);

    Drag(1, 2);  // onto its right-hand neighbour: no change
    EXPECT_EQ("XZWY", Order());
}

TEST_F(MouseTest, ZDroppedOnXGivesWZXY) {
    Drag(4, 2);
    EXPECT_EQ("WZXY", Order());
}

TEST_F(MouseTest, MovesOntoItselfOrTheDeviceColumnOrAt70ColumnsAreRefused) {
    Drag(2, 2);
    Button(MouseMessage::LeftDown, 48 + 30, 10);
    Button(MouseMessage::LeftUp, 20, 10);
    EXPECT_EQ("WXYZ", Order());
    EXPECT_EQ(0, host.Relayouts);
    EXPECT_EQ(kNoDrag, view->DragMode);

    while (view->ColumnCount < kMaxColumns) {
        AddColumn("n");
    }
    Relayout();
    Drag(1, 3);
    EXPECT_EQ(0, host.Relayouts);
    EXPECT_EQ("WXYZ", Order().substr(0, 4));
    // Widths can still change.
    Button(MouseMessage::LeftDown, 48 + 64 - 3, 10);
    Button(MouseMessage::LeftUp, 48 + 64 - 3 + 16, 10);
    EXPECT_EQ(20, view->Columns[0].Width);
}

TEST_F(MouseTest, APressOnTheDeviceColumnRecordsTheCellButStartsNoDrag) {
    EXPECT_EQ(1, Button(MouseMessage::LeftDown, 20, 50));
    EXPECT_EQ(0, view->HitColumn);
    EXPECT_EQ(2, view->HitRow);
    EXPECT_EQ(kNoDrag, view->DragMode);
    EXPECT_EQ(0, view->DragColumn);
    EXPECT_TRUE(host.Pointers.empty());
    EXPECT_EQ(1, Button(MouseMessage::LeftUp, 20, 50));
    EXPECT_EQ(0, host.Relayouts);
}

TEST_F(MouseTest, AReleaseOutsideEveryCellLeavesTheDragPending) {
    Button(MouseMessage::LeftDown, 48 + 30, 10);
    EXPECT_EQ(1, Button(MouseMessage::LeftUp, 48 + 30, 0));           // above the header
    EXPECT_EQ(1, Button(MouseMessage::LeftUp, 48 + 30, 81));          // below the last row
    EXPECT_EQ(1, Button(MouseMessage::LeftUp, 48 + 4 * 64 + 2, 10));  // right of the grid
    EXPECT_EQ(kMoveDrag, view->DragMode);
    EXPECT_EQ("WXYZ", Order());
    // Every button meanwhile shows the arrow again.
    EXPECT_EQ((std::vector<int>{kMoveCursor, kArrowCursor, kArrowCursor, kArrowCursor}), host.Pointers);

    EXPECT_EQ(0, Button(MouseMessage::LeftUp, 48 + 2 * 64 + 30, 30));
    EXPECT_EQ("XWYZ", Order());
    EXPECT_EQ(kNoDrag, view->DragMode);
}

TEST_F(MouseTest, APendingDragWhoseColumnWasRemovedIsDropped) {
    Button(MouseMessage::LeftDown, 48 + 3 * 64 + 30, 10);  // Z
    Button(MouseMessage::LeftUp, 48 + 30, 0);
    view->HitColumn = 2;
    ASSERT_EQ(0, RemoveHitColumn(*view));
    Relayout();

    Button(MouseMessage::LeftUp, 48 + 30, 10);
    EXPECT_EQ("WYZ", Order());
    EXPECT_EQ(kNoDrag, view->DragMode);
    EXPECT_EQ(0, host.Relayouts);
}

TEST_F(MouseTest, TheHitTestFollowsTheScrolledSlots) {
    view->FirstColumn = 2;
    view->FirstRow = 1;
    ComputeVisibleRange(*view);
    // The device column and the header stay; the next slots show grid column 3 and row 2.
    Button(MouseMessage::RightDown, 48 + 10, 30);
    EXPECT_EQ(3, view->HitColumn);
    EXPECT_EQ(2, view->HitRow);
    Button(MouseMessage::RightDown, 10, 10);
    EXPECT_EQ(0, view->HitColumn);
    EXPECT_EQ(0, view->HitRow);
}

TEST_F(MouseTest, TheRightButtonRecordsTheCellDownAndShowsThePopupUp) {
    EXPECT_EQ(0, Button(MouseMessage::RightDown, 48 + 64 + 30, 50));
    EXPECT_EQ(2, view->HitColumn);
    EXPECT_EQ(2, view->HitRow);
    EXPECT_TRUE(host.Popups.empty());

    EXPECT_EQ(0, Button(MouseMessage::RightUp, 48 + 64 + 31, 51));
    ASSERT_EQ(1u, host.Popups.size());
    EXPECT_EQ("Remove Properties Reset Add &Graph", Labels(host.Popups[0]));
    std::vector<int> commands;
    for (const PopupItem& item : host.Popups[0]) {
        commands.push_back(item.Command);
    }
    EXPECT_EQ((std::vector<int>{IDM_REMOVE, IDM_PROPERTIES, IDM_RESET, IDM_ADD, IDM_GRAPH_PORT}), commands);
    EXPECT_EQ(48 + 64 + 31, host.PopupX);
    EXPECT_EQ(51, host.PopupY);

    EXPECT_EQ(1, Button(MouseMessage::RightUp, 48 + 4 * 64 + 10, 51));
    EXPECT_EQ(1u, host.Popups.size());
}

TEST_F(MouseTest, ThePopupOffersWhatTheHitCellAndTheColumnCountAllow) {
    Button(MouseMessage::RightUp, 20, 30);  // a port's device cell
    EXPECT_EQ("Reset Add &Graph", Labels(host.Popups.back()));

    view->HitColumn = 3;
    while (view->ColumnCount < kMaxColumns) {
        AddColumn("n");
    }
    EXPECT_EQ("Remove Properties Reset &Graph", Labels(PopupItems(*view)));

    view->ColumnCount = 0;
    view->HitColumn = 0;
    EXPECT_EQ("Add &Graph", Labels(PopupItems(*view)));
    view->HitRow = 0;
    EXPECT_EQ("Add", Labels(PopupItems(*view))) << "the header row is no port";
}

TEST_F(MouseTest, AddInsertsAnErrorsColumnAfterTheHitColumnAndNamesIt) {
    view->HitColumn = 3;
    ASSERT_EQ(0, AddColumnAfterHit(*view));
    EXPECT_EQ("WXYErrorsZ", Order());
    EXPECT_EQ(4, view->HitColumn);
    EXPECT_EQ(11, view->Columns[3].Input);
    EXPECT_EQ(6, view->GridColumns);
    EXPECT_EQ(&view->Columns[3], HitColumnDef(*view));

    view->HitColumn = 0;
    AddColumnAfterHit(*view);
    EXPECT_EQ("ErrorsWXYErrorsZ", Order());
    EXPECT_EQ(1, view->HitColumn);

    view->HitColumn = view->ColumnCount;
    AddColumnAfterHit(*view);
    EXPECT_EQ("ErrorsWXYErrorsZErrors", Order());

    while (view->ColumnCount < kMaxColumns) {
        AddColumn("n");
    }
    EXPECT_EQ(1, AddColumnAfterHit(*view));
    EXPECT_EQ(kMaxColumns, view->ColumnCount);
}

TEST_F(MouseTest, RemoveAndPropertiesActOnlyOnAColumnThatExists) {
    view->HitColumn = 2;
    ASSERT_EQ(0, RemoveHitColumn(*view));
    EXPECT_EQ("WYZ", Order());
    EXPECT_EQ(4, view->GridColumns);

    view->HitColumn = 0;
    EXPECT_EQ(1, RemoveHitColumn(*view));
    EXPECT_EQ(nullptr, HitColumnDef(*view));
    view->HitColumn = 4;  // the column that was last before the removal
    EXPECT_EQ(1, RemoveHitColumn(*view));
    EXPECT_EQ(nullptr, HitColumnDef(*view));
    EXPECT_EQ("WYZ", Order());
}

}  // namespace
