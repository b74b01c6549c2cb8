#include "common/win32/dialogs.h"

#include <commdlg.h>
#include <shellapi.h>
#include <cstdarg>
#include <vector>

#include "common/app_identity.h"
#include "common/file_filter.h"
#include "common/help_target.h"
#include "common/message_text.h"

namespace common {

int PromptBox(UINT style, const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = FormatMessageText(format, args);
    va_end(args);
    return MessageBoxA(nullptr, text.c_str(), kAppIdentity.Caption, style);
}

void AlertBox(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    const std::string text = FormatMessageText(format, args);
    va_end(args);
    MessageBoxA(nullptr, text.c_str(), kAppIdentity.Caption, MB_OK);
}

void AlertBoxText(const std::string& text) {
    MessageBoxA(nullptr, text.c_str(), kAppIdentity.Caption, MB_OK);
}

int PickFileName(HWND owner, bool save, std::string& fileName, const char* initialDir, const char* filter) {
    static const char kAllFiles[] = "All Files (*.*)\0*.*\0";
    // Room for any path the chooser may return, not just 80 characters.
    std::vector<char> buffer(MAX_PATH * 4, '\0');
    fileName.copy(buffer.data(), buffer.size() - 1);

    OPENFILENAMEA ofn;
    ZeroMemory(&ofn, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter != nullptr ? filter : kAllFiles;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = initialDir;
    // A name typed without an extension gets the filter's, so Open lists it.
    const std::string extension = FilterDefaultExtension(filter);
    if (save && !extension.empty()) {
        ofn.lpstrDefExt = extension.c_str();
    }
    if (save) {
        ofn.lpstrTitle = "Save a File";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_SHOWHELP;
    } else {
        ofn.lpstrTitle = "Open a File";
        ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    }
    const BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (chosen != TRUE) {
        return 1;
    }
    fileName = buffer.data();
    return 0;
}

int PickColour(HWND owner, COLORREF& colour) {
    COLORREF custom[16] = {};
    CHOOSECOLORA cc;
    ZeroMemory(&cc, sizeof cc);
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = colour;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_PREVENTFULLOPEN;
    if (ChooseColorA(&cc) == TRUE) {
        colour = cc.rgbResult;
    }
    InvalidateRect(owner, nullptr, TRUE);
    return 0;
}

int PickFont(HWND owner, COLORREF& colour, LOGFONTA& font) {
    CHOOSEFONTA cf;
    ZeroMemory(&cf, sizeof cf);
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner;
    cf.lpLogFont = &font;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
    cf.rgbColors = colour;
    cf.nFontType = SCREEN_FONTTYPE;
    if (ChooseFontA(&cf) != TRUE) {
        return 1;
    }
    colour = cf.rgbColors;
    return 0;
}

void OffsetToScreen(HWND window, POINT& point) {
    RECT outer;
    GetWindowRect(window, &outer);
    const int frame = GetSystemMetrics(SM_CXFRAME);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    point.x += outer.left + frame;
    point.y += outer.top + caption + frame - 1;
}

namespace {

std::string ProgramFolder() {
    std::vector<char> path(MAX_PATH * 4, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string folder(path.data(), length < path.size() ? length : 0);
    const size_t cut = folder.find_last_of("\\/");
    return cut == std::string::npos ? "" : folder.substr(0, cut);
}

bool IsFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

int OpenHelpTopic(int context) {
    const HelpTarget target = ChooseHelpTarget(ProgramFolder(), kAppIdentity.HelpFile, IsFile);
    // ShellExecute's result above 32 means the browser was started.
    if (target.Guide && reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", target.Path.c_str(), nullptr, nullptr,
                                                                SW_SHOWNORMAL)) > 32) {
        return 0;
    }
    char name[40];
    lstrcpynA(name, kAppIdentity.HelpFile, sizeof name);
    WinHelpA(GetFocus(), name, HELP_CONTEXT, static_cast<ULONG_PTR>(context));
    return 0;
}

}  // namespace common
