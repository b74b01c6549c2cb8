// A file in a folder, named with the platform's own separator, so that the
// names the programs say and log read as the user types them.
#pragma once

#include <string>

namespace common {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

inline std::string InFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        return folder + name;
    }
    return folder + kPathSeparator + name;
}

}  // namespace common
