#include "common/file_filter.h"

#include <cstring>

namespace common {

std::string FilterDefaultExtension(const char* filter) {
    if (filter == nullptr || *filter == '\0') {
        return "";
    }
    // The first pattern follows the first description's terminator.
    const char* pattern = filter + std::strlen(filter) + 1;
    const char* end = std::strchr(pattern, ';');
    const std::string first(pattern, end != nullptr ? end : pattern + std::strlen(pattern));
    if (first.compare(0, 2, "*.") != 0 || first.size() == 2 || first.find_first_of("*?.", 2) != std::string::npos) {
        return "";
    }
    return first.substr(2);
}

}  // namespace common
