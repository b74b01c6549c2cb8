#include "common/settings_line.h"

#include <gtest/gtest.h>

#include "tests/unit/temp_dir.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using common::SettingsLine;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Trimmed(std::string text) {
    common::TrimSpaces(text.data());
    return text.c_str();
}

std::string Stripped(std::string text) {
    common::StripNonPrintable(text.data());
    return text.c_str();
}

TEST(TrimSpaces, RemovesOnlySpacesAtBothEnds) {
    EXPECT_EQ(Trimmed("  key=a b  "), "key=a b");
    EXPECT_EQ(Trimmed("   "), "");
    EXPECT_EQ(Trimmed(""), "");
    // Tabs and line ends are not blanks here, so the spaces before them stay.
    EXPECT_EQ(Trimmed("  v  \r\n"), "v  \r\n");
    EXPECT_EQ(Trimmed("\t x \t"), "\t x \t");
}

TEST(StripNonPrintable, KeepsOnly0x20To0x7F) {
    EXPECT_EQ(Stripped("\ta\r\nb\x1f"
                       "c\x7f"),
              "abc\x7f");
    EXPECT_EQ(Stripped("Caf\xe9 \x80\xff"
                       "Sans"),
              "Caf Sans");
    EXPECT_EQ(Stripped("\r\n"), "");
}

TEST(CompareKeyword, IgnoresCaseOfAsciiLettersOnly) {
    EXPECT_EQ(common::CompareKeyword("fontface", "FontFace"), 0);
    EXPECT_EQ(common::CompareKeyword("WINDOW", "Window"), 0);
    // Pairs 32 apart that are not letters must not be folded together.
    EXPECT_EQ(common::CompareKeyword("[", "{"), 1);
    EXPECT_EQ(common::CompareKeyword("@", "`"), 1);
    EXPECT_EQ(common::CompareKeyword("\xe9", "\xc9"), 1);
    EXPECT_EQ(common::UpperAscii('z'), 'Z');
    EXPECT_EQ(common::UpperAscii(0xe9), 0xe9);
}

TEST(CompareKeyword, EmptyAndPrefixTextsNeverMatch) {
    EXPECT_EQ(common::CompareKeyword("", ""), 1);
    EXPECT_EQ(common::CompareKeyword("", "Font"), 1);
    EXPECT_EQ(common::CompareKeyword("Font", ""), 1);
    EXPECT_EQ(common::CompareKeyword("Font", "FontFace"), 1);
    EXPECT_EQ(common::CompareKeyword("FontFace", "Font"), 1);
}

TEST(FindKeyword, ReturnsPositionOfFirstMatch) {
    const char* const table[] = {"Window", "Font", "font", nullptr};
    EXPECT_EQ(common::FindKeyword("window", table), 0);
    EXPECT_EQ(common::FindKeyword("FONT", table), 1);
    EXPECT_EQ(common::FindKeyword("Fonts", table), -1);
    EXPECT_EQ(common::FindKeyword("", table), -1);
    const char* const empty[] = {nullptr};
    EXPECT_EQ(common::FindKeyword("Window", empty), -1);
}

TEST(ParseDecimal, AcceptsSpacesMinusAndDigits) {
    struct Case {
        const char* text;
        int value;
        int consumed;
    };
    const Case cases[] = {
        {"  -12x", -12, 5}, {"0", 0, 1},    {"007", 7, 3}, {"42 7", 42, 2}, {"-0", 0, 2}, {"2147483647", INT_MAX, 10},
        {"+12", 0, 0},      {"- 12", 0, 0}, {"abc", 0, 0}, {"   ", 0, 0},   {"", 0, 0},   {"\t5", 0, 0},
    };
    for (const Case& c : cases) {
        int consumed = -1;
        EXPECT_EQ(common::ParseDecimal(c.text, &consumed), c.value) << c.text;
        EXPECT_EQ(consumed, c.consumed) << c.text;
    }
}

TEST(ParseDecimal, WrapsModulo2To32) {
    int consumed = 0;
    EXPECT_EQ(common::ParseDecimal("2147483648", &consumed), INT_MIN);
    EXPECT_EQ(common::ParseDecimal("-2147483648", &consumed), INT_MIN);
    EXPECT_EQ(common::ParseDecimal("4294967295", &consumed), -1);
    EXPECT_EQ(common::ParseDecimal("4294967296", &consumed), 0);
    EXPECT_EQ(common::ParseDecimal("-4294967297", &consumed), -1);
    EXPECT_EQ(common::ParseDecimal("99999999999999999999", &consumed), 1661992959);
    EXPECT_EQ(consumed, 20);
}

TEST(ParseIntList, SeparatorRunsCountAsOne) {
    int v[4] = {-1, -1, -1, -1};
    EXPECT_EQ(common::ParseIntList("10, 20;30 40", v, 4), 4);
    EXPECT_EQ(v[0], 10);
    EXPECT_EQ(v[1], 20);
    EXPECT_EQ(v[2], 30);
    EXPECT_EQ(v[3], 40);

    int w[3] = {-1, -1, -1};
    EXPECT_EQ(common::ParseIntList(" ,;1,,;;-2  ", w, 3), 2);
    EXPECT_EQ(w[0], 1);
    EXPECT_EQ(w[1], -2);
    EXPECT_EQ(w[2], 0);
}

TEST(ParseIntList, StopSlotIsZeroedAndLaterSlotsUntouched) {
    int v[4] = {-1, -1, -1, -1};
    EXPECT_EQ(common::ParseIntList("1,2", v, 4), 2);
    EXPECT_EQ(v[2], 0);
    EXPECT_EQ(v[3], -1);

    int w[3] = {-1, -1, -1};
    EXPECT_EQ(common::ParseIntList("1x2", w, 3), 1);
    EXPECT_EQ(w[0], 1);
    EXPECT_EQ(w[1], 0);
    EXPECT_EQ(w[2], -1);

    int e[2] = {-1, -1};
    EXPECT_EQ(common::ParseIntList("", e, 2), 0);
    EXPECT_EQ(e[0], 0);
    EXPECT_EQ(e[1], -1);
}

TEST(ParseIntList, NeverWritesPastN) {
    int v[3] = {-1, -1, -1};
    EXPECT_EQ(common::ParseIntList("5 6 7", v, 2), 2);
    EXPECT_EQ(v[1], 6);
    EXPECT_EQ(v[2], -1);
    EXPECT_EQ(common::ParseIntList("5", v, 0), 0);
}

TEST(WriteIntSetting, WritesNonZeroValuesWithCrLf) {
    TempDir dir;
    const fs::path path = fs::path(dir.Path("out.ini"));
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(common::WriteIntSetting(f, "UpdateTime", 5));
    EXPECT_TRUE(common::WriteIntSetting(f, "HourSingle", 0));
    EXPECT_TRUE(common::WriteIntSetting(f, "Offset", INT_MIN));
    ASSERT_EQ(std::fclose(f), 0);
    EXPECT_EQ(ReadBytes(path), "UpdateTime=5\r\nOffset=-2147483648\r\n");
}

TEST(WriteIntSetting, ReportsAFailedWrite) {
    TempDir dir;
    const fs::path path = fs::path(dir.Path("readonly.ini"));
    std::ofstream(path) << "x";
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_FALSE(common::WriteIntSetting(f, "UpdateTime", 5));
    std::fclose(f);
}

struct Split {
    SettingsLine::Kind kind;
    std::string first;
    std::string second;
};

Split SplitOf(std::string text) {
    const SettingsLine line = common::SplitSettingsLine(text.data());
    return {line.kind, line.name_or_key ? line.name_or_key : "<null>", line.value ? line.value : "<null>"};
}

void ExpectEntry(const char* text, const char* key, const char* value) {
    const Split s = SplitOf(text);
    EXPECT_EQ(s.kind, SettingsLine::Entry) << text;
    EXPECT_EQ(s.first, key) << text;
    EXPECT_EQ(s.second, value) << text;
}

void ExpectSection(const char* text, const char* name) {
    const Split s = SplitOf(text);
    EXPECT_EQ(s.kind, SettingsLine::Section) << text;
    EXPECT_EQ(s.first, name) << text;
}

void ExpectIgnored(const char* text) {
    EXPECT_EQ(SplitOf(text).kind, SettingsLine::Ignore) << text;
}

TEST(SplitSettingsLine, TrimsBeforeStrippingLineEnds) {
    ExpectEntry("  key=value  \r\n", "key", "value  ");
    ExpectEntry("  key=value  ", "key", "value");
    ExpectEntry("key=value\n", "key", "value");
}

TEST(SplitSettingsLine, KeyAndValueAreTakenUnchanged) {
    ExpectEntry("key = 5\r\n", "key ", " 5");
    ExpectEntry("=5\r\n", "", "5");
    ExpectEntry("LogToDisk=\r\n", "LogToDisk", "");
    ExpectEntry("Cmd=a=b\r\n", "Cmd", "a=b");
    // The tab goes, but the blank after it was not at the start when trimming.
    ExpectEntry("\t key=1\r\n", " key", "1");
    ExpectEntry("FontFace=Caf\xe9 Sans\r\n", "FontFace", "Caf Sans");
}

TEST(SplitSettingsLine, CommentRunsToEndOfLine) {
    ExpectEntry("Window=1;2\r\n", "Window", "1");
    ExpectIgnored(";---- settings\r\n");
    ExpectIgnored("  ; key=1\r\n");
    ExpectIgnored("key;=1\r\n");
}

TEST(SplitSettingsLine, SectionNameEndsAtBracket) {
    ExpectSection("[program] ; comment\r\n", "program");
    ExpectSection("[ program]\r\n", " program");
    ExpectSection("[program\r\n", "program");
    ExpectSection("[Cell Tx Total]x=1\r\n", "Cell Tx Total");
    ExpectSection("[]\r\n", "");
}

TEST(SplitSettingsLine, IgnoresBlankAndKeylessLines) {
    ExpectIgnored("");
    ExpectIgnored("\r\n");
    ExpectIgnored("   \r\n");
    ExpectIgnored("just text\r\n");
}

}  // namespace
