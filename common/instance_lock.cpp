#include "common/instance_lock.h"

#include <cstdint>
#include <cstdio>

namespace common {

std::string InstanceLockName(const std::string& kind, const std::string& folder) {
    std::string folded;
    for (char c : folder) {
        // A backslash may only separate a namespace from a kernel object's name.
        if (c == '\\' || c == '/') {
            c = '/';
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        folded += c;
    }
    while (folded.size() > 1 && folded.back() == '/' && folded[folded.size() - 2] != ':') {
        folded.pop_back();
    }
    const std::string prefix = "TarnelPort." + kind + ":";
    if (prefix.size() + folded.size() <= kLockNameLimit) {
        return prefix + folded;
    }
    // FNV-1a: the same folder always gives the same name, whatever its length.
    uint64_t hash = 14695981039346656037ull;
    for (char c : folded) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return prefix + "#" + hex;
}

}  // namespace common
