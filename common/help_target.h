// What Help opens: the program's own help file where it has one, else the
// guide that ships beside the programs.
#pragma once

#include <functional>
#include <string>

namespace common {

struct HelpTarget {
    bool Guide = false;  // open Path in the user's browser; else hand Path to the help call
    std::string Path;
};

// `programFolder` is the folder of the running program, without a final
// separator. The help file there or in the current folder wins; then docs\guide.html in that folder or
// the one above (the ZIP's layout); failing both, the help file as before.
HelpTarget ChooseHelpTarget(const std::string& programFolder, const std::string& helpFile,
                            const std::function<bool(const std::string&)>& fileExists);

}  // namespace common
