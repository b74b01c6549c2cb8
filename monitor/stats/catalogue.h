// The statistics a column can show, in catalogue order.
#pragma once

#include <string>

namespace zorvel {

// Ends with a null entry; "CD " keeps its trailing blank.
extern const char* const kStatisticNames[];

// Walks the names to the end marker; counted once at start-up.
int CountStatistics();

// The catalogue position of a statistic name, matched exactly ("CD " with its
// blank), or -1.
int StatisticPosition(const std::string& name);

}  // namespace zorvel
