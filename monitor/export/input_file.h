// One INPUT of the export: a report of either layout, calcs.dat or history.dat,
// told apart by what the file holds.
#pragma once

#include <string>
#include <vector>

#include "monitor/export/diagnostics.h"
#include "monitor/export/port_rows.h"

namespace zorvel {

struct ReadOptions {
    bool AllLines = false;
    // Port names for calcs.dat and history.dat, from --names; none when not given.
    const std::vector<std::string>* Names = nullptr;
};

// Appends the file's rows. A missing, unreadable, cut or unknown file fails with
// a message naming it.
void ReadInput(const std::string& path, const ReadOptions& options, PortRows& rows, Diagnostics& diagnostics);

// One name a line, at most one per statistics record.
bool ReadNamesFile(const std::string& path, std::vector<std::string>& names, Diagnostics& diagnostics);

// The whole file; false, with a message, when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::string& bytes, Diagnostics& diagnostics);

}  // namespace zorvel
