// zorvel-export: the monitor's statistics out of its report files, calcs.dat and history.dat.
#include <cstdio>
#include <map>

#include <CLI/CLI.hpp>

#include "monitor/export/export_run.h"
#include "monitor/export/standard_output.h"

namespace {

const std::map<std::string, zorvel::ExportFormat> kFormats = {
    {"csv", zorvel::ExportFormat::Csv},
    {"json", zorvel::ExportFormat::Json},
    {"prometheus", zorvel::ExportFormat::Prometheus},
    {"table", zorvel::ExportFormat::Table},
};

void PrintMessage(const std::string& message) {
    std::fprintf(stderr, "zorvel-export: %s\n", message.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Exports the port statistics of the monitor's report files (either layout) and of calcs.dat, or the "
        "minute and hour buckets of history.dat.",
        "zorvel-export"};
    // The same command line on every platform: "/" starts a path, never an option.
    app.allow_windows_style_options(false);
    zorvel::ExportOptions options;
    std::string format = "table";
    std::string output;
    std::string names;
    std::string board;
    app.add_option("--format", format, "csv, json, prometheus or table (default)")
        ->check(CLI::IsMember({"csv", "json", "prometheus", "table"}));
    CLI::Option* outputOption =
        app.add_option("--output", output, "write FILE instead of the standard output, replacing it whole")
            ->type_name("FILE");
    CLI::Option* namesOption =
        app.add_option("--names", names, "port names for calcs.dat and history.dat, one a line")->type_name("FILE");
    CLI::Option* boardOption =
        app.add_option("--board", board, "a board label on every Prometheus sample")->type_name("NAME");
    app.add_flag("--all-lines", options.AllLines, "every line of a per-port report, not only the last");
    app.add_option("INPUT", options.Inputs, "report files and calcs.dat, or history.dat")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : zorvel::kExportFailed;
    }
    options.Format = kFormats.at(format);
    options.Patterns = zorvel::SystemPatternMatcher();
    if (*outputOption) {
        options.Output = output;
    }
    if (*namesOption) {
        options.NamesFile = names;
    }
    if (*boardOption) {
        options.Board = board;
    }

    std::string text;
    std::vector<std::string> messages;
    const int status = zorvel::RunExport(options, text, messages);
    for (const std::string& message : messages) {
        PrintMessage(message);
    }
    if (status != zorvel::kExportFailed && !zorvel::WriteStandardOutput(text)) {
        PrintMessage("the standard output could not be written");
        return zorvel::kExportFailed;
    }
    return status;
}
