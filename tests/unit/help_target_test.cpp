// Where Help leads and which extension the save chooser adds.
#include <gtest/gtest.h>

#include <set>

#include "common/file_filter.h"
#include "common/help_target.h"

namespace {

TEST(HelpTarget, TheHelpFileFirstThenTheGuideBesideOrAboveThenTheHelpCallAsBefore) {
    const std::string folder = "C:\\TarnelPort\\Zorvel";
    const struct {
        std::set<std::string> Files;
        bool Guide;
        std::string Path;
    } cases[] = {
        {{"C:\\TarnelPort\\Zorvel\\zorvel.hlp", "C:\\TarnelPort\\Zorvel\\docs\\guide.html"}, false, "zorvel.hlp"},
        {{"zorvel.hlp", "C:\\TarnelPort\\docs\\guide.html"}, false, "zorvel.hlp"},
        {{"C:\\TarnelPort\\Zorvel\\docs\\guide.html", "C:\\TarnelPort\\docs\\guide.html"},
         true,
         "C:\\TarnelPort\\Zorvel\\docs\\guide.html"},
        {{"C:\\TarnelPort\\docs\\guide.html"}, true, "C:\\TarnelPort\\docs\\guide.html"},
        {{"C:\\docs\\guide.html"}, false, "zorvel.hlp"},
        {{}, false, "zorvel.hlp"},
    };
    for (const auto& c : cases) {
        const common::HelpTarget target = common::ChooseHelpTarget(
            folder, "zorvel.hlp", [&c](const std::string& path) { return c.Files.count(path) > 0; });
        EXPECT_EQ(c.Guide, target.Guide) << *c.Files.begin();
        EXPECT_EQ(c.Path, target.Path);
    }
    const common::HelpTarget root = common::ChooseHelpTarget(
        "C:", "vizo.hlp", [](const std::string& path) { return path == "C:\\docs\\guide.html"; });
    EXPECT_TRUE(root.Guide);
    EXPECT_EQ("C:\\docs\\guide.html", root.Path);
}

TEST(FileFilter, TheFirstPatternsExtensionIsTheDefault) {
    const struct {
        const char* Filter;
        const char* Extension;
    } cases[] = {
        {"View Files (*.vew)\0*.vew\0All Files (*.*)\0*.*\0", "vew"},
        {"Views\0*.vew;*.old\0", "vew"},
        {"All Files (*.*)\0*.*\0", ""},
        {"Reports\0h*.txt\0", ""},
        {"Any\0*\0", ""},
        {nullptr, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Extension, common::FilterDefaultExtension(c.Filter)) << (c.Filter ? c.Filter : "null");
    }
}

}  // namespace
