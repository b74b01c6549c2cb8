#include "monitor/stats/statistics_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "tests/unit/temp_dir.h"

using namespace zorvel;

namespace {

std::string Pattern(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i * 7 + 1);
    }
    return bytes;
}

bool AllZeroFrom(const StatsRecord* records, size_t offset) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(records);
    for (size_t i = offset; i < kStatisticsFileSize; ++i) {
        if (bytes[i] != 0) {
            return false;
        }
    }
    return true;
}

TEST(StatisticsFile, MissingFileLeavesRecordsZero) {
    TempDir dir;
    auto tables = CreatePortTables();
    LoadStatistics(dir.Path("calcs.dat").c_str(), tables->Records);
    EXPECT_TRUE(AllZeroFrom(tables->Records, 0));
}

TEST(StatisticsFile, ShortFileFillsFromTheStartAndLeavesTheRestZero) {
    TempDir dir;
    const std::string bytes = Pattern(448 + 5);  // two records and a piece of the third
    auto tables = CreatePortTables();
    LoadStatistics(dir.Write("calcs.dat", bytes).c_str(), tables->Records);
    EXPECT_EQ(0, std::memcmp(bytes.data(), tables->Records, bytes.size()));
    EXPECT_TRUE(AllZeroFrom(tables->Records, bytes.size()));
}

TEST(StatisticsFile, LongFileIsReadOnlyAsFarAs130Records) {
    TempDir dir;
    const std::string bytes = Pattern(kStatisticsFileSize + 1000);
    auto tables = CreatePortTables();
    tables->Names.Slots[0].Name[0] = 'X';  // the table right after the records must stay untouched
    LoadStatistics(dir.Write("calcs.dat", bytes).c_str(), tables->Records);
    EXPECT_EQ(0, std::memcmp(bytes.data(), tables->Records, kStatisticsFileSize));
    EXPECT_EQ('X', tables->Names.Slots[0].Name[0]);
}

TEST(StatisticsFile, SaveWritesTheRecordsAndNothingElse) {
    TempDir dir;
    auto tables = CreatePortTables();
    tables->Records[0].TxTotal = 0x11223344;
    tables->Records[129].ParityPrevRaw = 0xABCD;
    ASSERT_EQ(common::WriteResult::Ok, SaveStatistics(dir.Path("calcs.dat").c_str(), tables->Records));

    const std::string saved = dir.Read("calcs.dat");
    ASSERT_EQ(29120u, saved.size());
    EXPECT_EQ(std::string("\x44\x33\x22\x11", 4), saved.substr(16, 4));
    EXPECT_EQ(std::string("\xCD\xAB", 2), saved.substr(29118, 2));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("calcs.dat.tmp")));

    auto reloaded = CreatePortTables();
    LoadStatistics(dir.Path("calcs.dat").c_str(), reloaded->Records);
    EXPECT_EQ(0, std::memcmp(tables->Records, reloaded->Records, kStatisticsFileSize));
}

TEST(StatisticsFile, FailedSaveLeavesTheOldFileIntact) {
    TempDir dir;
    const std::string old = Pattern(kStatisticsFileSize);
    const std::string path = dir.Write("calcs.dat", old);
    // A folder in the temporary's place makes the write fail before anything is replaced.
    std::filesystem::create_directory(path + ".tmp");
    auto tables = CreatePortTables();
    EXPECT_EQ(common::WriteResult::OpenFailed, SaveStatistics(path.c_str(), tables->Records));
    EXPECT_EQ(old, dir.Read("calcs.dat"));
}

}  // namespace
