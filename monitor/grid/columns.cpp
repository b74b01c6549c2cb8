#include "monitor/grid/columns.h"

#include <cstring>

#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

constexpr int kErrorsStatistic = 10;
constexpr uint32_t kGrey = Rgb(192, 192, 192);
constexpr uint32_t kBlue = Rgb(128, 128, 192);
constexpr uint32_t kLightGreen = Rgb(128, 192, 128);
constexpr uint32_t kBrightGreen = Rgb(128, 255, 128);

// Colours of the signals and of the two instantaneous rates (statistics 0 to 9);
// the totals in between keep none.
struct DefaultColours {
    uint32_t Off;
    uint32_t On;
};
constexpr DefaultColours kColours[] = {
    {kGrey, kBlue},
    {kGrey, kLightGreen},
    {kGrey, kLightGreen},
    {kGrey, kLightGreen},
    {kGrey, kBrightGreen},
    {kGrey, kBrightGreen},
    {0, 0},
    {0, 0},
    {kGrey, kBlue},
    {kGrey, kBlue},
};

}  // namespace

void InitColumn(ViewState& view, int position, int statistic) {
    if (statistic == -1) {
        statistic = kErrorsStatistic;
    }
    ColumnDef& column = view.Columns[position];
    column.Input = static_cast<uint16_t>(statistic + 1);
    column.Color0 = 0;
    column.Color1 = 0;
    column.Type = statistic < 6 ? 1 : 0;
    std::memset(column.Name, 0, sizeof column.Name);
    std::strncpy(column.Name, kStatistics[statistic].Name, sizeof column.Name - 1);
    if (std::strstr(column.Name, "RunTime") != nullptr) {
        column.Type = 3;
    }
    column.Width = static_cast<uint16_t>(2 * std::strlen(column.Name));
    if (statistic == 6 || statistic == 7) {
        column.Width = 16;
        column.Type = 2;
    } else if (statistic < static_cast<int>(sizeof kColours / sizeof kColours[0])) {
        column.Color0 = kColours[statistic].Off;
        column.Color1 = kColours[statistic].On;
    }
}

void DefaultView(ViewState& view, int statisticCount) {
    const int count = statisticCount < kMaxColumns ? statisticCount : kMaxColumns;
    for (int statistic = 0; statistic < count; ++statistic) {
        bool shown = false;
        for (int i = 0; i < view.ColumnCount && !shown; ++i) {
            shown = std::strcmp(view.Columns[i].Name, kStatistics[statistic].Name) == 0;
        }
        if (!shown && view.ColumnCount < kMaxColumns) {
            InitColumn(view, view.ColumnCount, statistic);
            ++view.ColumnCount;
        }
    }
}

int InsertColumn(ViewState& view, int position) {
    const int count = view.ColumnCount;
    view.Columns[count + 1] = view.Columns[count];
    for (int i = count - 1; i >= position; --i) {
        view.Columns[i + 1] = view.Columns[i];
    }
    ++view.ColumnCount;
    view.Columns[position] = view.Columns[view.ColumnCount];
    view.GridColumns = static_cast<int16_t>(view.ColumnCount + 1);
    return 0;
}

int RemoveColumn(ViewState& view, int position) {
    const int count = view.ColumnCount;
    view.Columns[count] = view.Columns[position];
    for (int i = position; i < count; ++i) {
        view.Columns[i] = view.Columns[i + 1];
    }
    --view.ColumnCount;
    view.GridColumns = static_cast<int16_t>(view.ColumnCount + 1);
    return 0;
}

}  // namespace zorvel
