// Help without a help file opens the guide that ships beside the programs.
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

// What the system sends a window on F1, before the window's default handling
// turns it into WM_HELP; the headers do not name it.
constexpr UINT kKeyF1 = 0x004D;

TEST(Help, WithoutAHelpFileOpensTheGuideInTheFolderAboveTheProgram) {
    // The monitor through Help > Help, the trace viewer through F1, which once
    // asked a help viewer that today's Windows no longer has.
    const struct {
        const e2e::Kind& Kind;
        const char* Arguments;
        const char* OwnFolder;  // the viewer finds its driver by its folder's name
        UINT Message;
        WPARAM Parameter;
    } ways[] = {{e2e::kMonitor, "-F", "Zorvel", WM_COMMAND, IDM_HELP}, {e2e::kTracer, "", "tarnel", kKeyF1, 0}};
    // The viewer needs a driver to open its window; this suite has none of its own.
    ASSERT_EQ("", e2e::InstallStandIn());
    struct RemoveAtEnd {
        ~RemoveAtEnd() { EXPECT_EQ("", standin::Remove()); }
    } removeAtEnd;
    HtmlOpensWithMarker association;
    ASSERT_TRUE(association.Ok());
    for (const auto& way : ways) {
        SCOPED_TRACE(way.Kind.Exe);
        // The folder plan: a program in a folder of its own, the guide in docs\ above it.
        const std::string top = e2e::FreshFolder() + "\\" + way.Kind.WindowClass;
        const std::string own = top + "\\" + way.OwnFolder;
        ASSERT_TRUE(CreateDirectoryA(top.c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA((top + "\\docs").c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(own.c_str(), nullptr));
        const std::string guide = top + "\\docs\\guide.html";
        e2e::WriteFileBytes(guide, "<p>guide</p>");
        const std::string exe = own + "\\" + way.Kind.Exe;
        ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "\\" + way.Kind.Exe).c_str(), exe.c_str(), FALSE));

        e2e::Program program(exe, way.Arguments, own);
        HWND window = program.WaitWindow(way.Kind.WindowClass, way.Kind.Title);
        ASSERT_NE(nullptr, window);
        PostMessageA(window, way.Message, way.Parameter, 0);
        EXPECT_TRUE(e2e::WaitFor([&] { return e2e::ReadFileBytes(guide) == "ran\r\n"; })) << "the guide was not opened";
        e2e::PostCommand(window, way.Kind.ExitCommand);
        EXPECT_TRUE(program.WaitExit());
    }
}

}  // namespace
