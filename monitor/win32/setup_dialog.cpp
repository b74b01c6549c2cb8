#include "monitor/win32/setup_dialog.h"

#include <vector>

#include "common/win32/dialogs.h"
#include "monitor/dialogs/setup_values.h"
#include "monitor/dialogs/test_result.h"
#include "monitor/files/settings_file.h"
#include "monitor/reports/report_runs.h"
#include "monitor/win32/checked_start.h"
#include "monitor/win32/dialog_text.h"
#include "monitor/win32/monitor_app.h"
#include "resources/zorvel_ids.h"

namespace zorvel {
namespace {

struct SetupContext {
    const ViewState& View;
    ProgramSettings Scratch;
};

void FillChoices(HWND dialog, int id, const char* const (&choices)[4], int selected) {
    SendDlgItemMessageA(dialog, id, CB_RESETCONTENT, 0, 0);
    for (const char* choice : choices) {
        SendDlgItemMessageA(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    }
    // A choice outside the list leaves it without a selection.
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, selected >= 0 && selected <= 3 ? selected : -1, 0);
}

void Initialise(HWND dialog, const ProgramSettings& settings) {
    SetDlgItemInt(dialog, IDC_UPDATE_TIME, static_cast<UINT>(settings.UpdateTime), TRUE);
    FillChoices(dialog, IDC_HOUR_MULTI, kHourChoices, settings.HourMulti);
    FillChoices(dialog, IDC_HOUR_SINGLE, kHourChoices, settings.HourSingle);
    SendDlgItemMessageA(dialog, IDC_HOUR_SPAWN, EM_LIMITTEXT, kSpawnLimit, 0);
    SetDlgItemTextA(dialog, IDC_HOUR_SPAWN, settings.HourSpawn.c_str());
    FillChoices(dialog, IDC_DAY_MULTI, kDayChoices, settings.DayMulti);
    FillChoices(dialog, IDC_DAY_SINGLE, kDayChoices, settings.DaySingle);
    SendDlgItemMessageA(dialog, IDC_DAY_SPAWN, EM_LIMITTEXT, kSpawnLimit, 0);
    SetDlgItemTextA(dialog, IDC_DAY_SPAWN, settings.DaySpawn.c_str());
}

int Selected(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

void ReadSetupControls(HWND dialog, ProgramSettings& settings) {
    SetupInput input;
    input.HourMulti = Selected(dialog, IDC_HOUR_MULTI);
    input.HourSingle = Selected(dialog, IDC_HOUR_SINGLE);
    input.DayMulti = Selected(dialog, IDC_DAY_MULTI);
    input.DaySingle = Selected(dialog, IDC_DAY_SINGLE);
    input.HourSpawn = DialogItemText(dialog, IDC_HOUR_SPAWN);
    input.DaySpawn = DialogItemText(dialog, IDC_DAY_SPAWN);
    input.UpdateTime = DialogItemText(dialog, IDC_UPDATE_TIME);
    ApplySetupInput(settings, input);
}

void TestReports(HWND dialog, SetupContext& context, bool hour) {
    ReadSetupControls(dialog, context.Scratch);
    if (g_app.ShowsService()) {
        // The service's reports, with the dialog's choices as they stand.
        ServiceReply reply;
        if (AskService(g_app.ServiceName,
                       SettingsRequest(hour ? RequestCode::TestHour : RequestCode::TestDay, context.Scratch), reply)) {
            common::AlertBoxText(TestResultText(reply.ReportStatus, ReplyCommand(reply), ReplyReason(reply)));
        }
        return;
    }
    CheckedStartEnvironment environment;
    const ReportContext reports{context.View, *g_app.Tables, g_app.StatisticCount, environment};
    const int status = hour ? RunHourReports(reports, context.Scratch) : RunDayReports(reports, context.Scratch);
    common::AlertBoxText(TestResultText(status, environment.FailedCommand(), environment.Reason()));
}

// OK: the window's own settings, or the service's, which it saves.
void Accept(HWND dialog) {
    if (!g_app.ShowsService()) {
        ReadSetupControls(dialog, g_app.Settings);
        return;
    }
    ProgramSettings changed = g_app.Settings;
    ReadSetupControls(dialog, changed);
    ServiceReply reply;
    if (AskService(g_app.ServiceName, SettingsRequest(RequestCode::Settings, changed), reply)) {
        g_app.Settings = changed;
    }
}

INT_PTR CALLBACK SetupProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* context = reinterpret_cast<SetupContext*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            context = reinterpret_cast<SetupContext*>(lParam);
            context->Scratch = g_app.Settings;
            Initialise(dialog, g_app.Settings);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    Accept(dialog);
                    EndDialog(dialog, IDOK);
                    return TRUE;
                case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
                case IDC_HOUR_TEST: TestReports(dialog, *context, true); return TRUE;
                case IDC_DAY_TEST: TestReports(dialog, *context, false); return TRUE;
                case IDC_SETUP_HELP: common::OpenHelpTopic(2); return TRUE;
                default: return FALSE;
            }
        default: return FALSE;
    }
}

}  // namespace

void RunSetupDialog(HWND owner, const ViewState& view) {
    SetupContext context{view, g_app.Settings};
    DialogBoxParamA(g_app.Instance, "CONFIGDLG", owner, SetupProc, reinterpret_cast<LPARAM>(&context));
}

}  // namespace zorvel
