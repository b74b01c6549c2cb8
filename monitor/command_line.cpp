#include "monitor/command_line.h"

namespace zorvel {

bool SimulationRequested(const char* commandLine) {
    return commandLine != nullptr && commandLine[0] == '-' && (commandLine[1] == 'F' || commandLine[1] == 'f');
}

}  // namespace zorvel
