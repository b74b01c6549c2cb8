// calcs.dat moves between the 32-bit and the 64-bit monitor unchanged: the
// records are the same bytes in both builds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "monitor/stats/port_tables.h"
#include "monitor/stats/statistics_file.h"
#include "tests/e2e/harness_win32.h"

namespace {

using zorvel::StatsRecord;

constexpr int kSimulatedPorts = 32;
constexpr size_t kFileSize = zorvel::kStatisticsFileSize;

// The 32-bit build's programs, beside this build's folder as the presets lay them out.
std::string ThirtyTwoBitMonitor() {
    return e2e::BinFolder() + "\\..\\..\\windows\\bin\\zorvel.exe";
}

// Every byte set, so a field read at a wrong offset or width would show;
// the simulated ports' carrier runs are counts the simulation never changes.
std::string Seed() {
    std::string bytes(kFileSize, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 7 + 3) % 251);
    }
    for (int port = 0; port < kSimulatedPorts; ++port) {
        StatsRecord record;
        std::memcpy(&record, &bytes[port * sizeof record], sizeof record);
        record.TxTotal = 1000u * static_cast<uint32_t>(port);
        record.CDRuns = 500u + static_cast<uint32_t>(port);
        std::memcpy(&bytes[port * sizeof record], &record, sizeof record);
    }
    return bytes;
}

StatsRecord RecordOf(const std::string& bytes, int port) {
    StatsRecord record;
    std::memcpy(&record, &bytes[static_cast<size_t>(port) * sizeof record], sizeof record);
    return record;
}

// Starts the monitor on the simulated source in `folder` and ends it through Exit.
std::string RunOnce(const std::string& exe, const std::string& folder) {
    const e2e::Kind kind = {exe.c_str(), e2e::kMonitor.WindowClass, e2e::kMonitor.Title, e2e::kMonitor.BoxCaption,
                            e2e::kMonitor.ExitCommand};
    EXPECT_EQ(std::vector<std::string>{}, e2e::RunProgram(kind, "-F", folder));
    return e2e::ReadFileBytes(folder + "\\calcs.dat");
}

TEST(CalcsDatBetweenBuilds, AThirtyTwoBitFileLoadsInTheSixtyFourBitBuildAndBack) {
    static_assert(sizeof(void*) == 8, "built for the 64-bit build only");
    if (!e2e::FileExists(ThirtyTwoBitMonitor())) {
        GTEST_SKIP() << "no 32-bit build at " << ThirtyTwoBitMonitor() << ": build the windows preset first";
    }
    const std::string folder = e2e::FreshFolder();
    const std::string seed = Seed();
    e2e::WriteFileBytes(folder + "\\calcs.dat", seed);

    const std::string runs[] = {ThirtyTwoBitMonitor(), "zorvel.exe", ThirtyTwoBitMonitor()};
    std::string before = seed;
    for (const std::string& exe : runs) {
        SCOPED_TRACE(exe);
        const std::string after = RunOnce(exe, folder);
        ASSERT_EQ(kFileSize, after.size());
        // Slots past the ports and the one after them are carried byte for byte.
        const size_t carried = (kSimulatedPorts + 1) * sizeof(StatsRecord);
        EXPECT_TRUE(after.compare(carried, std::string::npos, seed, carried, std::string::npos) == 0);
        for (int port = 0; port < kSimulatedPorts; ++port) {
            EXPECT_EQ(500u + static_cast<uint32_t>(port), RecordOf(after, port).CDRuns) << "port " << port;
            EXPECT_GE(RecordOf(after, port).TxTotal, RecordOf(before, port).TxTotal) << "port " << port;
        }
        before = after;
    }
}

}  // namespace
