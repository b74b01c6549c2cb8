// history.dat as export rows: one per port and bucket that holds data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "monitor/export/diagnostics.h"
#include "monitor/export/port_rows.h"

namespace zorvel {

// history.dat's size or its tag; the rest of the header is checked on reading,
// so that a damaged history is said to be one.
bool LooksLikeHistory(const std::string& bytes);

// The minute buckets, then the hour buckets, each oldest first and then by
// port. A place counts only when its stamp is the one it stands for in the
// ring that ends at the header's newest minute (an older one is a day or 35
// days stale), and a bucket only when the port was sampled. Ports are named
// as calcs.dat's are. Another size, version or header fails.
void ReadHistoryInput(const std::string& bytes, const std::string& path, const std::vector<std::string>* names,
                      PortRows& rows, Diagnostics& diagnostics);

// ISO 8601 with "Z", of any second from 1970 on.
std::string UtcText(int64_t unixSeconds);

}  // namespace zorvel
