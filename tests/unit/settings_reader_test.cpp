#include "common/settings_reader.h"

#include <gtest/gtest.h>

#include "tests/unit/temp_dir.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Events = std::vector<std::string>;

enum State { kNone, kProgram, kWindow, kNotes, kCell };
const char* const kSections[] = {"program", "window", "notes", nullptr};
const char* const kProgramKeys[] = {"UpdateTime", "HourSpawn", nullptr};
const char* const kWindowKeys[] = {"Window", "FontFace", nullptr};
const char* const kCellKeys[] = {"Width", nullptr};

// Records every callback as text. "[Cell<title>]" sections get a state of
// their own, the way a view file's column sections do.
class RecordingHandler : public common::SettingsReaderHandler {
public:
    Events events;

    const char* const* SectionTable() const override { return kSections; }

    int OnSection(const char* name) override {
        if (std::strncmp(name, "Cell", 4) == 0) {
            events.push_back(std::string("column ") + (name + 4));
            return kCell;
        }
        return SettingsReaderHandler::OnSection(name);
    }

    const char* const* KeyTable(int state) const override {
        switch (state) {
            case kProgram: return kProgramKeys;
            case kWindow: return kWindowKeys;
            case kCell: return kCellKeys;
            default: return nullptr;  // [notes] takes no entries
        }
    }

    void OnEntry(int state, int key_index, const char* key, char* value) override {
        events.push_back("entry " + std::to_string(state) + " " + std::to_string(key_index) + " " + key + "=" + value);
    }

    void OnBadKey(int state, const char* key, const char* value) override {
        events.push_back("bad " + std::to_string(state) + " " + key + "=" + value);
    }
};

Events Read(const std::string& path) {
    RecordingHandler handler;
    EXPECT_TRUE(common::ReadSectionedFile(path.c_str(), handler)) << path;
    return handler.events;
}

TEST(ReadSectionedFile, DispatchesEntriesOfKnownSectionsOnly) {
    TempDir dir;
    const std::string path = dir.Write("zorvel.ini",
                                       ";---- settings\r\n"
                                       "UpdateTime=9\r\n"  // before any section
                                       "[program] ; comment\r\n"
                                       "updatetime=5\r\n"
                                       "key = 5\r\n"
                                       "=7\r\n"
                                       "HOURSPAWN=run.bat\r\n"
                                       "[ program]\r\n"  // not a known name
                                       "UpdateTime=8\r\n"
                                       "Nonsense=1\r\n"
                                       "[notes]\r\n"  // known, takes no entries
                                       "Anything=1\r\n"
                                       "[window]\r\n"
                                       "Window=1,2;3\r\n");
    EXPECT_EQ(Read(path), (Events{
                              "entry 1 0 updatetime=5",
                              "bad 1 key = 5",
                              "bad 1 =7",
                              "entry 1 1 HOURSPAWN=run.bat",
                              "entry 2 0 Window=1,2",
                          }));
}

TEST(ReadSectionedFile, AcceptsAnyLineEndAndKeepsBlanksBeforeIt) {
    TempDir dir;
    const std::string path = dir.Write("vizo.ini",
                                       "[window]\nFontFace=Lucida  \r\n\tFontFace=Caf\xe9\n"
                                       "[program]\nHourSpawn=last  ");
    EXPECT_EQ(Read(path), (Events{
                              "entry 2 1 FontFace=Lucida  ",
                              "entry 2 1 FontFace=Caf",
                              "entry 1 1 HourSpawn=last",
                          }));
}

TEST(ReadSectionedFile, LongLinesArriveIn199CharacterPieces) {
    TempDir dir;
    const std::string head = "HourSpawn=" + std::string(189, 'x');  // 199
    const std::string tail = "UpdateTime=" + std::string(40, '7');  // 51
    const std::string exact = "HourSpawn=" + std::string(189, 'y');
    const std::string path = dir.Write("long.ini", "[program]\r\n" + head + tail + "\r\n" + exact + "\n");
    const Events events = Read(path);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], "entry 1 1 " + head);
    EXPECT_EQ(events[1], "entry 1 0 " + tail);
    // Exactly 199 characters: the line feed comes alone and is ignored.
    EXPECT_EQ(events[2], "entry 1 1 " + exact);
}

TEST(ReadSectionedFile, HandlerDecidesStateOfUnlistedSections) {
    TempDir dir;
    const std::string path = dir.Write("zorvel.vew",
                                       "[CellTx Total]\r\nwidth=80\r\nColor0=1\r\n"
                                       "[window]\r\nWidth=5\r\n");
    EXPECT_EQ(Read(path), (Events{
                              "column Tx Total",
                              "entry 4 0 width=80",
                              "bad 4 Color0=1",
                              "bad 2 Width=5",
                          }));
}

TEST(ReadSectionedFile, EachFileStartsOutsideAnySection) {
    TempDir dir;
    const std::string first = dir.Write("a.ini", "[program]\r\n");
    const std::string second = dir.Write("b.ini", "UpdateTime=3\r\n");
    RecordingHandler handler;
    ASSERT_TRUE(common::ReadSectionedFile(first.c_str(), handler));
    ASSERT_TRUE(common::ReadSectionedFile(second.c_str(), handler));
    EXPECT_TRUE(handler.events.empty());
}

TEST(ReadSectionedFile, MissingFileIsReportedWithoutCallbacks) {
    TempDir dir;
    RecordingHandler handler;
    const std::string path = dir.Write("present.ini", "") + ".missing";
    EXPECT_FALSE(common::ReadSectionedFile(path.c_str(), handler));
    EXPECT_TRUE(handler.events.empty());
}

}  // namespace
