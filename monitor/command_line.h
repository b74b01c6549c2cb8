#pragma once

namespace zorvel {

// "-F" or "-f" at the very start turns on the simulated source; the rest of the
// text is not looked at.
bool SimulationRequested(const char* commandLine);

}  // namespace zorvel
