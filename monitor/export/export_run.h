// One run of zorvel-export, from parsed options to the output and exit code.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "monitor/export/input_patterns.h"

namespace zorvel {

enum class ExportFormat { Table, Csv, Json, Prometheus };

struct ExportOptions {
    ExportFormat Format = ExportFormat::Table;
    std::optional<std::string> Output;
    std::optional<std::string> NamesFile;
    std::optional<std::string> Board;
    bool AllLines = false;
    std::vector<std::string> Inputs;
    // Expands wildcards in Inputs; none leaves them as they are.
    PatternMatcher Patterns;
};

enum ExportStatus : int {
    kExportOk = 0,
    kExportLinesSkipped = 1,  // written, without the lines or values noted
    kExportFailed = 2,        // nothing written
};

// Reads every input, then writes the output to Options.Output (replaced whole,
// so a reader never sees half of it) or into `standardOutput`. `messages` gets
// one line per problem.
int RunExport(const ExportOptions& options, std::string& standardOutput, std::vector<std::string>& messages);

}  // namespace zorvel
