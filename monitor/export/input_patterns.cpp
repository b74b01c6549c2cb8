#include "monitor/export/input_patterns.h"

#include <algorithm>

namespace zorvel {

std::vector<std::string> ExpandInputs(const std::vector<std::string>& inputs, const PatternMatcher& matcher,
                                      Diagnostics& diagnostics) {
    std::vector<std::string> expanded;
    for (const std::string& input : inputs) {
        if (!matcher || input.find_first_of("*?") == std::string::npos) {
            expanded.push_back(input);
            continue;
        }
        std::vector<std::string> names = matcher(input);
        if (names.empty()) {
            diagnostics.Fail(input + ": no file matches");
            continue;
        }
        std::sort(names.begin(), names.end());
        const size_t cut = input.find_last_of("\\/:");
        const std::string folder = cut == std::string::npos ? "" : input.substr(0, cut + 1);
        for (const std::string& name : names) {
            expanded.push_back(folder + name);
        }
    }
    return expanded;
}

}  // namespace zorvel
