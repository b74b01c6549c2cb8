#include "common/help_target.h"

namespace common {

HelpTarget ChooseHelpTarget(const std::string& programFolder, const std::string& helpFile,
                            const std::function<bool(const std::string&)>& fileExists) {
    // The help call itself looks in the current folder, so a help file there counts too.
    if (fileExists(helpFile) || fileExists(programFolder + "\\" + helpFile)) {
        return {false, helpFile};
    }
    std::string folder = programFolder;
    for (int level = 0; level < 2 && !folder.empty(); ++level) {
        const std::string guide = folder + "\\docs\\guide.html";
        if (fileExists(guide)) {
            return {true, guide};
        }
        const size_t cut = folder.find_last_of("\\/");
        // A drive's root ("C:") has no folder above it.
        if (cut == std::string::npos) {
            break;
        }
        folder.resize(cut);
    }
    return {false, helpFile};
}

}  // namespace common
