#include "monitor/dialogs/column_values.h"

#include <cstring>

#include "monitor/dialogs/setup_values.h"
#include "monitor/stats/catalogue.h"

namespace zorvel {
namespace {

constexpr size_t kTitleLimit = 29;
constexpr size_t kWidthTextLimit = 29;

}  // namespace

const char* const kDisplayTypeNames[4] = {"Integer", "On/Off", "Integer(k,m,g)", "hh:mm:ss"};

ColumnForm ColumnFormOf(const ColumnDef& column, int statisticCount) {
    ColumnForm form;
    if (column.Input >= 1 && column.Input <= statisticCount) {
        form.InputSelection = column.Input - 1;
    }
    if (column.Type <= 3) {
        form.TypeSelection = column.Type;
    }
    form.Width = std::to_string(column.Width);
    form.Color0 = column.Color0;
    form.Color1 = column.Color1;
    const void* end = std::memchr(column.Name, '\0', sizeof column.Name);
    form.Name.assign(column.Name, end != nullptr ? static_cast<const char*>(end) : column.Name + sizeof column.Name);
    return form;
}

const char* TitleForStatistic(int position, int statisticCount) {
    return position >= 0 && position < statisticCount ? kStatistics[position].Name : nullptr;
}

void ApplyColumnForm(ColumnDef& column, const ColumnForm& form) {
    // No selection is stored as -1 in 16 bits: a type that shows no text.
    column.Type = static_cast<uint16_t>(form.TypeSelection);
    column.Input = static_cast<uint16_t>(form.InputSelection + 1);
    std::memset(column.Name, 0, sizeof column.Name);
    form.Name.copy(column.Name, kTitleLimit);
    int width = 0;
    if (ScanInteger(form.Width.substr(0, kWidthTextLimit).c_str(), width)) {
        column.Width = static_cast<uint16_t>(width & 0xFFFF);
    }
    column.Color0 = form.Color0;
    column.Color1 = form.Color1;
}

uint32_t CaptionColourOn(uint32_t face) {
    const uint32_t red = face & 0xFF;
    const uint32_t green = (face >> 8) & 0xFF;
    const uint32_t blue = (face >> 16) & 0xFF;
    // Perceived brightness with the usual weights, scaled by 1000.
    const uint32_t brightness = red * 299 + green * 587 + blue * 114;
    return brightness >= 128 * 1000 ? 0x000000 : 0xFFFFFF;
}

}  // namespace zorvel
