// A view file read, then laid out and painted as the window does after loading
// it, and every column reset from the context menu.
#include <cstring>
#include <vector>

#include "monitor/files/view_file.h"
#include "monitor/grid/changed_cells.h"
#include "monitor/grid/grid_text.h"
#include "monitor/grid/layout.h"
#include "monitor/grid/paint_grid.h"
#include "monitor/stats/catalogue.h"
#include "monitor/stats/statistic_values.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

struct NoScrollBars : zorvel::ScrollBars {
    void SetRange(zorvel::ScrollBar, int) override {}
    void SetPosition(zorvel::ScrollBar, int) override {}
};

struct NullCanvas : zorvel::Canvas {
    void Fill(const zorvel::CellRect&, uint32_t) override {}
    int TextWidth(const std::string& text) override { return 7 * static_cast<int>(text.size()); }
    void Texts(const zorvel::TextPiece* pieces, size_t count, uint32_t) override {
        for (size_t i = 0; i < count; ++i) {
            fuzz::Require(pieces[i].Text->size() < 64, "cell texts stay short");
            fuzz::Require(pieces[i].Clip.Left < pieces[i].Clip.Right && pieces[i].Clip.Top < pieces[i].Clip.Bottom,
                          "a text is drawn only where it can show");
        }
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const int statistics = zorvel::CountStatistics();
    static const auto tables = zorvel::CreatePortTables();  // only zeros are stored into it
    auto view = zorvel::CreateView();
    fuzz::QuietAlerts alerts;
    zorvel::ReadViewFile(*view, fuzz::WriteInput("zorvel.vew", data, size).c_str(), statistics, alerts);
    fuzz::Require(view->ColumnCount >= 1 && view->ColumnCount <= zorvel::kMaxColumns, "column count in range");
    for (int i = 0; i < view->ColumnCount; ++i) {
        fuzz::Require(std::memchr(view->Columns[i].Name, '\0', sizeof view->Columns[i].Name) != nullptr,
                      "column names terminated");
    }
    fuzz::Require(std::memchr(view->Font.Face, '\0', sizeof view->Font.Face) != nullptr, "font face terminated");

    view->GridColumns = static_cast<int16_t>(view->ColumnCount + 1);
    view->ClientWidth = 1920;
    view->ClientHeight = 1080;
    zorvel::LayoutRowsAndColumns(*view, view->Font.Height);
    NoScrollBars bars;
    zorvel::FitToWindow(*view, bars);
    zorvel::ComputeVisibleRange(*view);
    NullCanvas canvas;
    const auto cellText = [&](int row, int column) { return zorvel::GridCellText(*view, *tables, row, column); };
    zorvel::PaintGrid(*view, cellText, canvas, {{0, 0, view->ClientWidth, view->ClientHeight}});
    std::vector<zorvel::CellRect> changed;
    zorvel::ChangedCells(*view, cellText, changed);
    fuzz::Require(zorvel::ChangedCells(*view, cellText, changed) && changed.empty(), "unchanged cells stay unchanged");
    for (int i = 0; i < view->ColumnCount; ++i) {
        zorvel::SetStatistic(*tables, view->GridRows, view->Columns[i].Input, zorvel::kAllPorts, 0);
    }
    return 0;
}
