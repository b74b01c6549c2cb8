// What the trace viewer takes from its command line and its working directory.
#pragma once

#include <string>

namespace vizo {

struct StartOptions {
    bool TickTrace = false;    // "T": every timer tick prints its number
    bool ShowOptions = false;  // "?": show the options box and end
};

// "-" or "/" followed by a letter; the character after the letter is a
// separator. The scan stops after 80 steps (a character costs one, an option
// two), at the end of the text, or at "?".
StartOptions ScanCommandLine(const char* commandLine);

enum DriverKind : int { kKindUndetermined = 0, kKindKorvex = 1, kKindTarnel = 2 };

// The driver family named by the working directory, in any letter case;
// "KORVEX" wins over "TARNEL".
DriverKind DriverKindFromDirectory(const std::string& directory);

}  // namespace vizo
