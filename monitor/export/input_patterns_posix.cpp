#include "monitor/export/input_patterns.h"

namespace zorvel {

PatternMatcher SystemPatternMatcher() {
    return {};
}

}  // namespace zorvel
