// A report environment with a fixed stamp, adjustable free space, and a record
// of the programs it was asked to start.
#pragma once

#include <string>
#include <vector>

#include "monitor/reports/report_writer.h"

struct FakeReportEnvironment : zorvel::ReportEnvironment {
    double Free = 1e12;
    std::vector<std::string> Started;
    void Stamp(std::string& date, std::string& time) override {
        date = "12/08/26";
        time = "06:00";
    }
    double FreeDiskBytes() override { return Free; }
    void StartProgram(const std::string& commandLine) override { Started.push_back(commandLine); }
    // "path status" of every report file that failed.
    std::vector<std::string> Failed;
    void ReportFailed(const std::string& path, int status) override {
        Failed.push_back(path + " " + std::to_string(status));
    }
};
