// The monitor's real driver path, against the stand-in driver loaded into
// Wine's kernel: connecting, ticking, the driver's failures and odd port lists.
// The stand-in tells what it was asked ("stats") and what it counted ("ports").
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <vector>

#include "common/driver_wire.h"
#include "monitor/stats/port_tables.h"
#include "monitor/stats/statistics_file.h"
#include "resources/zorvel_ids.h"
#include "tests/e2e/harness_win32.h"

namespace {

using e2e::kMonitor;
using zorvel::kStatisticsFileSize;
// The monitor samples every 2 seconds.
constexpr DWORD kTicksWaitMs = 12000;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

// The number after " key=" in the first line that starts with `start`; -1 when absent.
long long Field(const std::string& text, const std::string& start, const std::string& key) {
    for (const std::string& line : Lines(text)) {
        const size_t at = line.find(" " + key + "=");
        if (line.compare(0, start.size(), start) == 0 && at != std::string::npos) {
            return std::stoll(line.substr(at + key.size() + 2));
        }
    }
    return -1;
}

std::vector<zorvel::StatsRecord> ReadRecords(const std::string& path) {
    const std::string bytes = e2e::ReadFileBytes(path);
    std::vector<zorvel::StatsRecord> records(bytes.size() / sizeof(zorvel::StatsRecord));
    std::memcpy(records.data(), bytes.data(), records.size() * sizeof(zorvel::StatsRecord));
    return records;
}

// Every test starts with a fresh stand-in of its own configuration: the
// suite's one started again, or one installed for the test, after which the
// suite's one is put back.
class StandInBench : public ::testing::Test {
protected:
    void Install(uint32_t ports, const std::string& names = "", const std::string& links = "tarnel") {
        standin::Settings settings;
        settings.Ports = ports;
        settings.Names = names;
        settings.Links = links;
        const standin::Settings suites;
        if (!changed_ && ports == suites.Ports && names == suites.Names && links == suites.Links) {
            ASSERT_EQ("", e2e::RestartStandIn());
            return;
        }
        changed_ = true;
        ASSERT_EQ("", e2e::InstallStandIn(settings));
    }

    void TearDown() override {
        if (changed_) {
            EXPECT_EQ("", e2e::InstallStandIn());
        }
    }

    bool changed_ = false;

    std::string Send(const std::string& line) {
        std::string reply;
        EXPECT_EQ("", standin::Send("", line, reply)) << line;
        return reply;
    }

    long long Stat(int request, const char* key) {
        return Field(Send("stats"), "request " + std::to_string(request) + " ", key);
    }

    // True once the stand-in has answered `count` counter reads in all.
    bool WaitCounterReads(long long count) {
        long long served = 0;
        if (!e2e::WaitFor([&] { return (served = Stat(TP_REQUEST_COUNTER_READ, "served")) >= count; }, kTicksWaitMs,
                          100)) {
            ADD_FAILURE() << "the monitor made " << served << " counter reads, not " << count << ", within "
                          << kTicksWaitMs << " ms";
            return false;
        }
        return true;
    }
};

class MonitorOnStandIn : public StandInBench {
protected:
    HWND StartMonitor(e2e::Program& monitor) { return monitor.WaitMainWindow(); }

    // Ends the monitor with its own Exit command, which leaves calcs.dat behind.
    void ExitMonitor(e2e::Program& monitor, HWND window, const std::string& folder) {
        e2e::PostCommand(window, IDM_EXIT);
        DWORD code = 1;
        ASSERT_TRUE(monitor.WaitExit(&code));
        EXPECT_EQ(0u, code);
        EXPECT_EQ(static_cast<long long>(kStatisticsFileSize), e2e::FileSize(folder + "\\calcs.dat"));
    }
};

TEST_F(MonitorOnStandIn, EightPortsConnectAndTick) {
    Install(8);
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(kMonitor, "", folder);
    HWND window = StartMonitor(monitor);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitCounterReads(3));

    const std::string stats = Send("stats");
    EXPECT_EQ(1, Field(stats, "request 10 ", "served")) << stats;
    EXPECT_EQ(1560, Field(stats, "request 10 ", "out")) << stats;
    // Eight ports and two spare slots of 20 bytes each.
    EXPECT_EQ(200, Field(stats, "request 11 ", "in")) << stats;
    EXPECT_EQ(200, Field(stats, "request 11 ", "out")) << stats;
    EXPECT_EQ(0, Field(stats, "request 11 ", "refused") + Field(stats, "request 11 ", "failed")) << stats;
    ExitMonitor(monitor, window, folder);

    // Port 1 runs near the line rate; port 8 stays idle.
    const std::vector<zorvel::StatsRecord> records = ReadRecords(folder + "\\calcs.dat");
    ASSERT_EQ(130u, records.size());
    EXPECT_GT(records[0].TxTotal, 0u);
    EXPECT_EQ(zorvel::kStatusOpen, records[0].StatusFlags & zorvel::kStatusOpen);
    EXPECT_EQ(0u, records[7].TxTotal + records[7].RxTotal);
}

TEST_F(MonitorOnStandIn, RepeatedFailedCounterReadsShowOneBoxAndEndThroughTheExitSequence) {
    Install(8);
    const std::string folder = e2e::FreshFolder();
    const std::string metrics = folder + "\\zorvel.prom";
    e2e::WriteFileBytes(folder + "\\zorvel.ini", "[metrics]\r\nFile=zorvel.prom\r\n");
    e2e::Program monitor(kMonitor, "", folder);
    HWND window = StartMonitor(monitor);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitCounterReads(2));

    // Nothing else may talk to the stand-in until the monitor's next read.
    EXPECT_NE(std::string::npos, Send("fail 3").find("ok: the next 3 requests fail"));
    ASSERT_NE(nullptr, monitor.WaitDialog("Zorvel - Error", kTicksWaitMs));
    // A collector learns of it while the box still waits for someone.
    EXPECT_TRUE(e2e::WaitFor([&] {
        const std::string text = e2e::ReadFileBytes(metrics);
        return text.find("\nzorvel_driver_up 0\n") != std::string::npos && text.find("\nzorvel_up 1\n") != std::string::npos;
    })) << e2e::ReadFileBytes(metrics);
    // Ticks go on while the box is open; a tick that read again would meet the
    // next failure and wait on a box of its own.
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_TRUE(e2e::RunTick(window)) << "tick " << tick << " waits on a second box";
    }
    EXPECT_EQ(std::vector<std::string>{"TarnelPort Driver Comm. Error."},
              monitor.AnswerBoxesUntilExit("Zorvel - Error"));
    EXPECT_EQ(static_cast<long long>(kStatisticsFileSize), e2e::FileSize(folder + "\\calcs.dat"));
    EXPECT_NE(std::string::npos, e2e::ReadFileBytes(metrics).find("\nzorvel_up 0\n"));
}

TEST_F(MonitorOnStandIn, NoPortsOrAFailingPortListIsAConnectError) {
    struct Case {
        uint32_t Ports;
        const char* Before;
        const char* Key;
    };
    for (const Case& c : {Case{0, nullptr, "served"}, Case{8, "fail 1", "failed"}}) {
        Install(c.Ports);
        if (c.Before != nullptr) {
            Send(c.Before);
        }
        const std::string folder = e2e::FreshFolder();
        e2e::Program monitor(kMonitor, "", folder);
        EXPECT_EQ(std::vector<std::string>{"Could not connect to TarnelPort Driver."},
                  monitor.AnswerBoxesUntilExit("Zorvel - Error"))
            << c.Ports << " ports";
        EXPECT_EQ(1, Stat(TP_REQUEST_PORT_LIST, c.Key)) << c.Ports << " ports";
        EXPECT_EQ(0, Stat(TP_REQUEST_COUNTER_READ, "served")) << c.Ports << " ports";
        EXPECT_EQ(static_cast<long long>(kStatisticsFileSize), e2e::FileSize(folder + "\\calcs.dat")) << "saved before the box";
    }
}

TEST_F(MonitorOnStandIn, OfMorePortsThanItHoldsTheMonitorTakes128) {
    for (uint32_t ports : {128u, 130u}) {
        Install(ports);
        const std::string folder = e2e::FreshFolder();
        e2e::Program monitor(kMonitor, "", folder);
        HWND window = StartMonitor(monitor);
        ASSERT_NE(nullptr, window);
        ASSERT_TRUE(WaitCounterReads(2));
        // (128 + 2) slots of 20 bytes: the monitor counted 128 ports.
        EXPECT_EQ(2600, Stat(TP_REQUEST_COUNTER_READ, "out")) << ports;
        ExitMonitor(monitor, window, folder);
        const std::vector<zorvel::StatsRecord> records = ReadRecords(folder + "\\calcs.dat");
        EXPECT_GT(records[0].TxTotal, 0u) << ports;
        EXPECT_EQ(0u, records[129].TxTotal) << ports << ": no port behind the 129th slot";
    }
}

TEST_F(MonitorOnStandIn, AResetDriverAddsNothingAtThatTick) {
    Install(8);
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(kMonitor, "", folder);
    HWND window = StartMonitor(monitor);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitCounterReads(2));
    const long long readsBefore = Stat(TP_REQUEST_COUNTER_READ, "served");
    EXPECT_NE(std::string::npos, Send("reset").find("ok: every counter back to 0"));
    ASSERT_TRUE(WaitCounterReads(readsBefore + 2));
    ExitMonitor(monitor, window, folder);

    // Counters that went down must not come out as a wrapped difference: no
    // total can exceed what the port carried since the stand-in started.
    const std::string ports = Send("ports");
    const std::vector<zorvel::StatsRecord> records = ReadRecords(folder + "\\calcs.dat");
    ASSERT_EQ(130u, records.size());
    for (int port = 0; port < 8; ++port) {
        const std::string line = std::to_string(port + 1) + " ";
        const long long lifeTx = Field(ports, line, "lifetx");
        const long long lifeRx = Field(ports, line, "liferx");
        ASSERT_GE(lifeTx, 0) << ports;
        EXPECT_LE(records[port].TxTotal, lifeTx) << "port " << port;
        EXPECT_LE(records[port].RxTotal, lifeRx) << "port " << port;
    }
    EXPECT_LT(Field(ports, "1 ", "tx"), Field(ports, "1 ", "lifetx")) << "the reset took effect\n" << ports;
    EXPECT_GT(records[0].TxTotal, 0u) << "traffic before and after the reset was counted";
}

TEST_F(MonitorOnStandIn, ATwelveCharacterNameLeavesTheNextSlotItsOwn) {
    Install(2, "ABCDEFGHIJKL,SECOND");
    const std::string folder = e2e::FreshFolder();
    e2e::Program monitor(kMonitor, "", folder);
    HWND window = StartMonitor(monitor);
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitCounterReads(2));
    EXPECT_EQ(80, Stat(TP_REQUEST_COUNTER_READ, "out")) << "two ports";

    // The per-port report files are named after the ports as the monitor read them.
    e2e::PostCommand(window, IDM_CONFIG);
    HWND setup = monitor.WaitDialog("Program Setup");
    ASSERT_NE(nullptr, setup);
    e2e::SelectListEntry(setup, IDC_HOUR_MULTI, 2);
    e2e::PressButton(setup, IDC_HOUR_TEST);
    HWND done = monitor.WaitDialog("TarnelPort Monitor");
    ASSERT_NE(nullptr, done);
    EXPECT_EQ("Done.", e2e::ControlText(done, e2e::kMessageBoxTextId));
    e2e::PressButton(done, IDOK);
    e2e::PressButton(setup, IDCANCEL);
    EXPECT_TRUE(e2e::FileExists(folder + "\\REPORTS\\hABCDEFGHIJK.txt"));
    EXPECT_TRUE(e2e::FileExists(folder + "\\REPORTS\\hSECOND.txt"));
    ExitMonitor(monitor, window, folder);
}

// Raw requests through Wine's I/O manager, as any program would send them.
class StandInDevice : public StandInBench {
protected:
    HANDLE Open(const char* link) {
        const std::string path = std::string("\\\\.\\") + link;
        return CreateFileA(path.c_str(), 0, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }

    // A port-list request in a 2000-byte block marked with 0xAA.
    BOOL ListPorts(HANDLE device, DWORD code, DWORD inSize, DWORD outSize, std::vector<uint8_t>& block) {
        block.assign(2000, 0xAA);
        TpRequestHeader header = {TP_REQUEST_PORT_LIST, TP_NAME_SLOT_SIZE, {}};
        std::memcpy(block.data(), &header, sizeof header);
        DWORD returned = 0;
        return DeviceIoControl(device, code, block.data(), inSize, block.data(), outSize, &returned, nullptr);
    }
};

TEST_F(StandInDevice, BothCodesAnswerAndShortBuffersAreRefused) {
    Install(3, "ABCDEFGHIJKL", "tarnel,korvexa");
    HANDLE device = Open("korvexa");
    ASSERT_NE(INVALID_HANDLE_VALUE, device) << GetLastError();
    std::vector<uint8_t> block;
    for (DWORD code : {TP_CONTROL_CODE_NT, TP_CONTROL_CODE_95}) {
        ASSERT_TRUE(ListPorts(device, code, 1560, 1560, block)) << code << ": " << GetLastError();
        EXPECT_EQ("ABCDEFGHIJKLCOM6", std::string(reinterpret_cast<char*>(&block[16]), 16)) << code;
        EXPECT_EQ(std::vector<uint8_t>(12, 0), std::vector<uint8_t>(&block[52], &block[64])) << code;
        EXPECT_EQ(0xAA, block[64]) << code;
    }
    EXPECT_FALSE(ListPorts(device, TP_CONTROL_CODE_NT, 1560, 27, block));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
    EXPECT_EQ(0xAA, block[16]) << "a refused request leaves the buffer alone";
    EXPECT_FALSE(ListPorts(device, TP_CONTROL_CODE_NT, 8, 1560, block));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_FALSE(ListPorts(device, 0x1B2014, 1560, 1560, block));
    CloseHandle(device);
}

TEST_F(StandInDevice, OnlyTheConfiguredLinksExist) {
    Install(1, "", "korvexa");
    HANDLE korvexa = Open("korvexa");
    EXPECT_NE(INVALID_HANDLE_VALUE, korvexa);
    CloseHandle(korvexa);
    EXPECT_EQ(INVALID_HANDLE_VALUE, Open("tarnel"));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
}

using StandInControl = StandInBench;

TEST_F(StandInControl, AByHandSessionWithTheControlProgram) {
    changed_ = true;
    // This test program is 32-bit, on a 64-bit system.
    char windows[MAX_PATH];
    ASSERT_NE(0u, GetSystemWindowsDirectoryA(windows, MAX_PATH));
    const std::string copy = std::string(windows) + "\\Sysnative\\drivers\\" + standin::kDriverFile;
    // Gone after the install, the source cannot be what the start below loads.
    const std::string source = e2e::FreshFolder() + "\\any.sys";
    ASSERT_TRUE(CopyFileA((e2e::BinFolder() + "\\" + standin::kDriverFile).c_str(), source.c_str(), FALSE));
    std::string out;
    ASSERT_EQ(0, e2e::RunConsole("standin_ctl.exe",
                                 "install --names P1,P2,P3 --links korvexa --seed 9 --driver \"" + source + "\"", out))
        << out;
    EXPECT_EQ("stand-in running: 3 ports, links korvexa\r\n", out);
    ASSERT_TRUE(DeleteFileA(source.c_str()));
    EXPECT_TRUE(e2e::FileExists(copy));
    ASSERT_EQ(0, e2e::RunConsole("standin_ctl.exe", "send help", out)) << out;
    EXPECT_NE(std::string::npos, out.find("stand-in started: 3 ports, seed 9")) << out;
    EXPECT_NE(std::string::npos, out.find("  burst N ")) << out;
    ASSERT_EQ(0, e2e::RunConsole("standin_ctl.exe", "send --link korvexa cd p2 off", out)) << out;
    EXPECT_NE(std::string::npos, out.find("ok: P2 CD forced off")) << out;
    EXPECT_EQ(0, e2e::RunConsole("standin_ctl.exe", "send nonsense", out)) << out;
    EXPECT_EQ("error: unknown command; help lists them\r\n", out);

    EXPECT_EQ(0, e2e::RunConsole("standin_ctl.exe", "stop", out)) << out;
    EXPECT_EQ(1, e2e::RunConsole("standin_ctl.exe", "send help", out)) << out;
    EXPECT_EQ(0, e2e::RunConsole("standin_ctl.exe", "start", out)) << out;
    EXPECT_NE(std::string::npos, (e2e::RunConsole("standin_ctl.exe", "send", out), out).find("started: 3 ports"));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(0, e2e::RunConsole("standin_ctl.exe", "remove", out)) << out;
        EXPECT_EQ("stand-in removed\r\n", out);
    }
    EXPECT_FALSE(e2e::FileExists(copy));
    EXPECT_EQ(2, e2e::RunConsole("standin_ctl.exe", "install --ports", out));
    EXPECT_EQ(1, e2e::RunConsole("standin_ctl.exe", "install --names ABCDEFGHIJKLM", out));
    EXPECT_NE(std::string::npos, out.find("longer than 12 characters")) << out;
}

}  // namespace
