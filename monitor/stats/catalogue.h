// The statistics a column can show, in catalogue order.
#pragma once

namespace zorvel {

// Ends with a null entry; "CD " keeps its trailing blank.
extern const char* const kStatisticNames[];

// Walks the names to the end marker; counted once at start-up.
int CountStatistics();

}  // namespace zorvel
