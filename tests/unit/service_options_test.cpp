#include "monitor/service/service_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "monitor/service/access_rule.h"
#include "monitor/service/service_events.h"

using namespace zorvel;

namespace {

using Words = std::vector<std::string>;

TEST(ServiceCommandLine, EachVerbTakesItsOwnOptionsAndRefusesTheRest) {
    const struct {
        Words Given;
        const char* Expected;  // what the options read back as, or "refused: ..." with the error's start
    } cases[] = {
        {{"install"}, "install '' TarnelPortMonitor"},
        {{"INSTALL", "C:\\Hall A", "--name", "Hall-A", "--simulated"}, "install 'C:\\Hall A' Hall-A simulated"},
        {{"install", "--no-folder-check", "--account", "localsystem"}, "install '' TarnelPortMonitor unchecked system"},
        {{"uninstall", "--name", "Hall.B"}, "uninstall '' Hall.B"},
        {{"status"}, "status '' TarnelPortMonitor"},
        {{"run", "--name", "X", "--folder", "C:\\f", "--simulated"}, "run 'C:\\f' X simulated"},
        {{}, "refused: no command"},
        {{"restart"}, "refused: unknown command"},
        {{"install", "C:\\a", "C:\\b"}, "refused: \"C:\\b\" is not"},
        {{"start", "--simulated"}, "refused: \"--simulated\" is not"},
        {{"stop", "C:\\a"}, "refused: \"C:\\a\" is not"},
        {{"install", "--name"}, "refused: --name takes"},
        {{"install", "--name", "a b"}, "refused: --name takes"},
        {{"install", "--name", "a\\b"}, "refused: --name takes"},
        {{"install", "--name", std::string(81, 'n')}, "refused: --name takes"},
        {{"install", "--account", "Guest"}, "refused: --account takes"},
        {{"run", "--name", "X"}, "refused: run needs --folder"},
    };
    for (const auto& c : cases) {
        const ParsedServiceCommand parsed = ParseServiceCommand(c.Given);
        std::string got;
        if (!parsed.Options) {
            got = "refused: " + parsed.Error;
        } else {
            const ServiceOptions& o = *parsed.Options;
            const char* verbs[] = {"install", "uninstall", "start", "stop", "status", "run"};
            got = std::string(verbs[static_cast<int>(o.Verb)]) + " '" + o.Folder + "' " + o.Name +
                  (o.Simulated ? " simulated" : "") + (o.FolderCheck ? "" : " unchecked") +
                  (o.Account == ServiceAccount::LocalSystem ? " system" : "");
        }
        EXPECT_EQ(0u, got.find(c.Expected)) << testing::PrintToString(c.Given) << " gave " << got;
    }
}

TEST(ServiceCommandLine, TheServiceManagersLineGivesBackWhatInstallWasGiven) {
    for (const char* folder : {"C:\\TarnelPort\\Hall A", "C:\\", "\\\\server\\share\\hall", "D:\\a\\\\"}) {
        ServiceOptions options;
        options.Verb = ServiceVerb::Run;
        options.Folder = folder;
        options.Name = "Hall-A";
        options.Simulated = true;
        options.FolderCheck = false;
        Words words = SplitCommandLine(ServiceRunLine("C:\\Program Files\\TarnelPort\\zorvel-service.exe", options));
        ASSERT_FALSE(words.empty());
        EXPECT_EQ("C:\\Program Files\\TarnelPort\\zorvel-service.exe", words[0]);
        words.erase(words.begin());
        const ParsedServiceCommand back = ParseServiceCommand(words);
        ASSERT_TRUE(back.Options) << folder << ": " << back.Error;
        EXPECT_EQ(folder, back.Options->Folder);
        EXPECT_EQ("Hall-A", back.Options->Name);
        EXPECT_TRUE(back.Options->Simulated);
        EXPECT_FALSE(back.Options->FolderCheck);
    }
}

TEST(ServiceEvents, EveryKindHasItsLevelAndAMessageOfItsIdInTheMessageTable) {
    const struct {
        EventKind Kind;
        EventLevel Level;
    } kinds[] = {
        {EventKind::Started, EventLevel::Information},      {EventKind::Stopped, EventLevel::Information},
        {EventKind::DriverLost, EventLevel::Error},         {EventKind::DriverBack, EventLevel::Information},
        {EventKind::FileProblem, EventLevel::Error},        {EventKind::ReportFailed, EventLevel::Error},
        {EventKind::ProgramFailed, EventLevel::Error},      {EventKind::FolderUnsafe, EventLevel::Error},
        {EventKind::FolderUnchecked, EventLevel::Warning},  {EventKind::FolderHeld, EventLevel::Error},
    };
    ASSERT_EQ(kLastEventId, sizeof kinds / sizeof kinds[0]);
    std::ifstream in(std::string(TARNEL_SOURCE_DIR) + "/resources/zorvel_service_messages.mc");
    std::stringstream table;
    table << in.rdbuf();
    for (const auto& k : kinds) {
        const int id = static_cast<int>(k.Kind);
        SCOPED_TRACE(id);
        EXPECT_EQ(k.Level, LevelOf(k.Kind));
        // Event Viewer shows the service's own text only through a message of
        // the event's id whose text is its one insertion string.
        const size_t message = table.str().find("MessageId=" + std::to_string(id) + "\n");
        ASSERT_NE(std::string::npos, message);
        const size_t text = table.str().find("Language=English\n", message);
        EXPECT_EQ(text + 17, table.str().find("%1\n.\n", message));
    }

    // The texts a reader of the log sees.
    EXPECT_EQ("TarnelPort Driver Comm. Error. The service keeps its statistics and connects again at every tick.",
              DriverLostEvent("TarnelPort Driver Comm. Error.").Text);
    EXPECT_EQ("Could not write the report C:\\t\\REPORTS/hCOM5.txt: it is already longer than 2,000,000 bytes.",
              ReportFailedEvent("C:\\t\\REPORTS/hCOM5.txt", 3).Text);
    EXPECT_EQ("Could not start the program \"collect.exe\": Access is denied.",
              ProgramFailedEvent("collect.exe", "Access is denied.").Text);
}

TEST(ServiceFolderAccess, OnlyTheTrustedAndTheServiceMayWrite) {
    const AccessEntry admins{"S-1-5-32-544", "BUILTIN\\Administrators", true, false, 0x1F01FF};
    const AccessEntry system{"S-1-5-18", "NT AUTHORITY\\SYSTEM", true, false, 0x1F01FF};
    const AccessEntry service{"S-1-5-19", "NT AUTHORITY\\LOCAL SERVICE", true, false, 0x1301BF};
    const AccessEntry usersRead{"S-1-5-32-545", "BUILTIN\\Users", true, false, 0x1200A9};
    const auto with = [&](std::vector<AccessEntry> more, std::string owner = "S-1-5-32-544") {
        AccessDescription access{owner, owner == "S-1-5-21-1-2-3-1001" ? "HALL\\bob" : "BUILTIN\\Administrators", true,
                                 {admins, system, service, usersRead}};
        access.Entries.insert(access.Entries.end(), more.begin(), more.end());
        return access;
    };
    const struct {
        const char* Name;
        AccessDescription Access;
        const char* Problem;
    } cases[] = {
        {"install's own list", with({}), ""},
        {"users may add files", with({{"S-1-5-32-545", "BUILTIN\\Users", true, false, 0x4}}),
         "BUILTIN\\Users may write to C:\\hall."},
        {"what Wine reports for every file", {"", "", true, {{"S-1-1-0", "Everyone", true, false, 0x1301FF}}},
         "Everyone may write to C:\\hall."},
        {"no list at all", {"S-1-5-32-544", "BUILTIN\\Administrators", false, {}},
         "Everyone may write to C:\\hall: it has no access list."},
        {"an owner may rewrite the list", with({}, "S-1-5-21-1-2-3-1001"),
         "HALL\\bob owns C:\\hall and may change who writes to it."},
        {"a denial is no grant", with({{"S-1-1-0", "Everyone", false, false, 0x1F01FF}}), ""},
        {"for what is made inside only", with({{"S-1-3-0", "CREATOR OWNER", true, true, 0x10000000}}), ""},
        {"taking ownership is writing", with({{"S-1-5-11", "Authenticated Users", true, false, 0x80000}}),
         "Authenticated Users may write to C:\\hall."},
        {"the installer service", with({{"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464",
                                         "NT SERVICE\\TrustedInstaller", true, false, 0x1F01FF}}),
         ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.Problem, OthersWhoMayWrite(c.Access, "S-1-5-19", "C:\\hall")) << c.Name;
    }
    EXPECT_NE("", OthersWhoMayWrite(with({}), "S-1-5-18", "C:\\hall")) << "LocalService is not LocalSystem's account";
}

}  // namespace
