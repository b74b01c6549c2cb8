// What the Column Setup dialog shows for a column, and how its controls land in it.
#pragma once

#include <cstdint>
#include <string>

#include "monitor/grid/view_state.h"

namespace zorvel {

// The type list, in display-type order.
extern const char* const kDisplayTypeNames[4];

constexpr int kNoSelection = -1;

struct ColumnForm {
    int InputSelection = kNoSelection;  // position in the statistic list
    int TypeSelection = kNoSelection;   // position in the type list
    std::string Name;
    std::string Width;  // the edit control's text
    uint32_t Color0 = 0;
    uint32_t Color1 = 0;
};

// The controls for `column`: an input outside the catalogue or a type outside
// the list selects nothing.
ColumnForm ColumnFormOf(const ColumnDef& column, int statisticCount);

// The title a statistic chosen in the list puts into the Name field, replacing
// whatever was typed; null for a position outside the catalogue.
const char* TitleForStatistic(int position, int statisticCount);

// OK's stores, in order: type, input, title (29 characters at most), width
// (kept when the text holds no number) and the two colours.
void ApplyColumnForm(ColumnDef& column, const ColumnForm& form);

// Black or white, whichever reads better on a colour button's face of `face`
// (red in the low byte).
uint32_t CaptionColourOn(uint32_t face);

}  // namespace zorvel
