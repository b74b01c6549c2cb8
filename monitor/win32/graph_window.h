// A port's graph: its traffic over an hour, a day, a week or 35 days, from
// the history of whichever program samples the folder.
#pragma once

#include <windows.h>

namespace zorvel {

bool RegisterGraphClass(HINSTANCE instance);

// Opens the graph of the port in position `port` of the driver's list, or
// brings its window forward when it is open.
void OpenGraph(int port);

// After a tick: the graphs whose history has gained a minute draw it.
void RefreshGraphs();

// Whether any graph is open: a window onto a service copies the service's
// history only for one.
bool AnyGraphOpen();

// Before the main window goes: each graph closes, leaving its place and range
// in the settings for the saves that follow.
void CloseGraphs();

}  // namespace zorvel
