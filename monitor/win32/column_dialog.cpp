#include "monitor/win32/column_dialog.h"

#include "common/win32/dialogs.h"
#include "common/win32/scoped.h"
#include "monitor/dialogs/column_values.h"
#include "monitor/stats/catalogue.h"
#include "monitor/win32/dialog_text.h"
#include "monitor/win32/monitor_app.h"
#include "resources/zorvel_ids.h"

namespace zorvel {
namespace {

constexpr int kHelpContext = 3;

struct ColumnContext {
    ColumnDef& Column;
    int StatisticCount;
    COLORREF Colours[2];  // the working colours; the column gets them only on OK
};

// Fills a list with `count` names, the i-th given by `name(i)`.
template <typename NameOf>
void FillList(HWND dialog, int id, int count, int selected, NameOf name) {
    SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name(i)));
    }
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void Initialise(HWND dialog, ColumnContext& context) {
    const ColumnForm form = ColumnFormOf(context.Column, context.StatisticCount);
    FillList(dialog, IDC_CELL_INPUT, context.StatisticCount, form.InputSelection,
             [](int i) { return kStatistics[i].Name; });
    FillList(dialog, IDC_CELL_TYPE, 4, form.TypeSelection, [](int i) { return kDisplayTypeNames[i]; });
    SetDlgItemTextA(dialog, IDC_CELL_WIDTH, form.Width.c_str());
    context.Colours[0] = form.Color0;
    context.Colours[1] = form.Color1;
    SetDlgItemTextA(dialog, IDC_CELL_NAME, form.Name.c_str());
}

int Selected(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

void StoreControls(HWND dialog, const ColumnContext& context) {
    ColumnForm form;
    form.TypeSelection = Selected(dialog, IDC_CELL_TYPE);
    form.InputSelection = Selected(dialog, IDC_CELL_INPUT);
    form.Name = DialogItemText(dialog, IDC_CELL_NAME);
    form.Width = DialogItemText(dialog, IDC_CELL_WIDTH);
    form.Color0 = context.Colours[0];
    form.Color1 = context.Colours[1];
    ApplyColumnForm(context.Column, form);
}

void OnStatisticChosen(HWND dialog, const ColumnContext& context) {
    const char* title = TitleForStatistic(Selected(dialog, IDC_CELL_INPUT), context.StatisticCount);
    if (title != nullptr) {
        SetDlgItemTextA(dialog, IDC_CELL_NAME, title);
    }
}

// The colour buttons are owner-drawn: a plain button paints its face over any
// swatch drawn for it, so the chosen colour would never show. The face is the
// rounded swatch of the working colour inside a push button's frame.
void DrawColourButton(const DRAWITEMSTRUCT& item, const ColumnContext& context) {
    const COLORREF face = context.Colours[item.CtlID == IDC_CELL_COLOR0 ? 0 : 1];
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    HDC dc = item.hDC;
    RECT frame = item.rcItem;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    RECT inside = item.rcItem;
    InflateRect(&inside, -3, -3);
    if (pressed) {
        OffsetRect(&inside, 1, 1);
    }
    {
        const common::BrushObject brush(CreateSolidBrush(face));
        const common::ScopedSelection withBrush(dc, brush.Get());
        const common::ScopedSelection withPen(dc, GetStockObject(NULL_PEN));
        RoundRect(dc, inside.left, inside.top, inside.right + 1, inside.bottom + 1, 8, 8);
    }

    char caption[16] = {};
    GetWindowTextA(item.hwndItem, caption, sizeof caption);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF previousText = SetTextColor(dc, CaptionColourOn(face));
    DrawTextA(dc, caption, -1, &inside, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetTextColor(dc, previousText);
    SetBkMode(dc, previousMode);
    if ((item.itemState & ODS_FOCUS) != 0) {
        InflateRect(&inside, -1, -1);
        DrawFocusRect(dc, &inside);
    }
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item, const ColumnContext& context) {
    if (item.CtlType != ODT_BUTTON || (item.CtlID != IDC_CELL_COLOR0 && item.CtlID != IDC_CELL_COLOR1)) {
        return FALSE;
    }
    DrawColourButton(item, context);
    return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam, ColumnContext& context) {
    switch (LOWORD(wParam)) {
        case IDOK:
            StoreControls(dialog, context);
            EndDialog(dialog, 0);
            return TRUE;
        case IDCANCEL: EndDialog(dialog, 0); return TRUE;
        case IDC_CELL_INPUT:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                OnStatisticChosen(dialog, context);
            }
            return TRUE;
        case IDC_CELL_COLOR0: common::PickColour(dialog, context.Colours[0]); return TRUE;
        case IDC_CELL_COLOR1: common::PickColour(dialog, context.Colours[1]); return TRUE;
        case IDC_CELL_HELP: common::OpenHelpTopic(kHelpContext); return TRUE;
        default: return FALSE;
    }
}

INT_PTR CALLBACK ColumnProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* context = reinterpret_cast<ColumnContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            Initialise(dialog, *reinterpret_cast<ColumnContext*>(lParam));
            // No default focus is asked for.
            return FALSE;
        case WM_COMMAND: return context != nullptr ? OnCommand(dialog, wParam, *context) : FALSE;
        case WM_DRAWITEM:
            return context != nullptr ? OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), *context)
                                      : FALSE;
        default: return FALSE;
    }
}

}  // namespace

void RunColumnDialog(HWND owner, ColumnDef& column, int statisticCount) {
    ColumnContext context{column, statisticCount, {}};
    DialogBoxParamA(g_app.Instance, "CELLDLG", owner, ColumnProc, reinterpret_cast<LPARAM>(&context));
}

}  // namespace zorvel
