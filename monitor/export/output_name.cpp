#include "monitor/export/output_name.h"

#include <cctype>

namespace zorvel {

std::string ReservedDeviceName(const std::string& path) {
    const size_t start = path.find_last_of("\\/:");
    std::string stem = path.substr(start == std::string::npos ? 0 : start + 1);
    // Windows drops trailing spaces before the extension too: "nul .txt" is NUL.
    stem = stem.substr(0, stem.find('.'));
    stem = stem.substr(0, stem.find_last_not_of(' ') + 1);
    for (char& c : stem) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") {
        return stem;
    }
    const bool numbered = stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0);
    return numbered && stem[3] >= '1' && stem[3] <= '9' ? stem : "";
}

}  // namespace zorvel
