// Help > Help without a help file opens the guide that ships beside the programs.
#include <gtest/gtest.h>

#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

// While it lives, .html files open with write_marker, which overwrites the file
// it is given: the guide's new text shows what the shell was asked to open. The
// prefix's own association comes back afterwards.
class HtmlOpensWithMarker {
public:
    HtmlOpensWithMarker() {
        char previous[256] = {};
        LONG size = sizeof previous;
        hadPrevious_ = RegQueryValueA(HKEY_CLASSES_ROOT, ".html", previous, &size) == ERROR_SUCCESS;
        previous_ = previous;
        const std::string command = "\"" + e2e::BinFolder() + "\\write_marker.exe\" \"%1\"";
        ok_ = Set(".html", "TarnelGuideTest") && Set("TarnelGuideTest\\shell\\open\\command", command);
    }
    ~HtmlOpensWithMarker() {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, "TarnelGuideTest");
        if (hadPrevious_) {
            Set(".html", previous_);
        } else {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, ".html");
        }
    }
    HtmlOpensWithMarker(const HtmlOpensWithMarker&) = delete;
    HtmlOpensWithMarker& operator=(const HtmlOpensWithMarker&) = delete;
    bool Ok() const { return ok_; }

private:
    static bool Set(const std::string& key, const std::string& value) {
        return RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), static_cast<DWORD>(value.size())) ==
               ERROR_SUCCESS;
    }
    bool ok_ = false;
    bool hadPrevious_ = false;
    std::string previous_;
};

TEST(Help, WithoutAHelpFileOpensTheGuideInTheFolderAboveTheProgram) {
    // The folder plan: the monitor in a folder of its own, the guide in docs\ above it.
    const std::string top = e2e::FreshFolder();
    const std::string own = top + "\\Zorvel";
    ASSERT_TRUE(CreateDirectoryA((top + "\\docs").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(own.c_str(), nullptr));
    const std::string guide = top + "\\docs\\guide.html";
    e2e::WriteFileBytes(guide, "<p>guide</p>");
    ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "\\zorvel.exe").c_str(), (own + "\\zorvel.exe").c_str(), FALSE));
    HtmlOpensWithMarker association;
    ASSERT_TRUE(association.Ok());

    e2e::Program monitor(own + "\\zorvel.exe", "-F", own);
    HWND window = monitor.WaitWindow("Zorvel", "TarnelPort Monitor");
    ASSERT_NE(nullptr, window);
    e2e::PostCommand(window, IDM_HELP);
    EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ReadFileBytes(guide) == "ran\r\n"; })) << "the guide was not opened";
    e2e::PostCommand(window, IDM_EXIT);
    EXPECT_TRUE(monitor.WaitExit());
}

}  // namespace
