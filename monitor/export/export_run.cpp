#include "monitor/export/export_run.h"

#include <filesystem>

#include "common/whole_file.h"
#include "monitor/export/export_formats.h"
#include "monitor/export/input_file.h"
#include "monitor/export/output_name.h"

namespace zorvel {
namespace {

std::string Format(const ExportOptions& options, const PortRows& rows, Diagnostics& diagnostics) {
    if (!rows.Histories.empty()) {
        return options.Format == ExportFormat::Json ? FormatHistoryJson(rows) : FormatHistoryCsv(rows);
    }
    switch (options.Format) {
        case ExportFormat::Csv: return FormatCsv(rows, options.AllLines);
        case ExportFormat::Json: return FormatJson(rows, options.AllLines);
        case ExportFormat::Prometheus: return FormatPrometheus(rows, options.Board, diagnostics);
        case ExportFormat::Table: break;
    }
    return FormatTable(rows, options.AllLines);
}

bool OptionsFit(const ExportOptions& options, Diagnostics& diagnostics) {
    const bool prometheus = options.Format == ExportFormat::Prometheus;
    if (options.Board && !prometheus) {
        diagnostics.Fail("--board labels Prometheus samples; it needs --format prometheus");
    }
    if (options.AllLines && prometheus) {
        diagnostics.Fail("--all-lines does not go with --format prometheus, which takes one sample per port");
    }
    if (options.Inputs.empty()) {
        diagnostics.Fail("no input: name a report file or calcs.dat");
    }
    return !diagnostics.Failed();
}

// A history's rows are a port's buckets, not ports: they share no columns with
// the other inputs' rows, and a Prometheus sample or a table column per port
// would hold one bucket of thousands.
bool HistoryFits(const ExportOptions& options, const PortRows& rows, Diagnostics& diagnostics) {
    if (rows.Histories.empty()) {
        return true;
    }
    const std::string& history = rows.Histories.front();
    if (rows.Histories.size() != rows.Sources.size()) {
        diagnostics.Fail(history + ": a history is exported on its own, without reports or calcs.dat");
    } else if (options.Format != ExportFormat::Csv && options.Format != ExportFormat::Json) {
        diagnostics.Fail(history + ": a history is exported with --format csv or json only");
    }
    return !diagnostics.Failed();
}

int Finish(const Diagnostics& diagnostics, std::vector<std::string>& messages) {
    messages.insert(messages.end(), diagnostics.Messages().begin(), diagnostics.Messages().end());
    if (diagnostics.Failed()) {
        return kExportFailed;
    }
    return diagnostics.Skipped() ? kExportLinesSkipped : kExportOk;
}

// Why the output cannot be written at all, found before anything is written:
// on Windows a device name would even send the data to the device.
std::string OutputProblem(const std::string& path) {
    const std::string device = ReservedDeviceName(path);
    if (!device.empty()) {
        return device + " is a reserved device name on Windows, with any extension; choose another name";
    }
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        return "it is a folder; name a file in it";
    }
    return "";
}

void WriteOutput(const std::string& path, const std::string& text, Diagnostics& diagnostics) {
    const std::string problem = OutputProblem(path);
    if (!problem.empty()) {
        diagnostics.Fail(path + ": cannot be created or replaced: " + problem);
        return;
    }
    const common::TextWriteOutcome written = common::ReplaceWithText(path, text);
    if (written.Result == common::WriteResult::OpenFailed) {
        diagnostics.Fail(path + ": cannot be created or replaced: " + common::WriteFailureReason(path, written));
    } else if (written.Result == common::WriteResult::WriteFailed) {
        diagnostics.Fail(path + ": could not be written completely; the previous file is kept");
    }
}

}  // namespace

int RunExport(const ExportOptions& options, std::string& standardOutput, std::vector<std::string>& messages) {
    Diagnostics diagnostics;
    if (!OptionsFit(options, diagnostics)) {
        return Finish(diagnostics, messages);
    }
    std::vector<std::string> names;
    ReadOptions reading;
    reading.AllLines = options.AllLines;
    if (options.NamesFile) {
        if (!ReadNamesFile(*options.NamesFile, names, diagnostics)) {
            return Finish(diagnostics, messages);
        }
        reading.Names = &names;
    }
    PortRows rows;
    // Every input is read even after a failure, so one run names every bad file.
    for (const std::string& input : ExpandInputs(options.Inputs, options.Patterns, diagnostics)) {
        ReadInput(input, reading, rows, diagnostics);
    }
    if (diagnostics.Failed() || !HistoryFits(options, rows, diagnostics)) {
        return Finish(diagnostics, messages);
    }
    const std::string text = Format(options, rows, diagnostics);
    if (!options.Output) {
        standardOutput = text;
        return Finish(diagnostics, messages);
    }
    WriteOutput(*options.Output, text, diagnostics);
    return Finish(diagnostics, messages);
}

}  // namespace zorvel
