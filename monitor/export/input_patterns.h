// Wildcards in the export's inputs. cmd hands "REPORTS\hCOM1*.txt" over as it
// is typed, leaving the expansion to the program; POSIX shells expand first.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "monitor/export/diagnostics.h"

namespace zorvel {

// The names (without folder) of the files, not folders, that a pattern matches.
using PatternMatcher = std::function<std::vector<std::string>(const std::string& pattern)>;

// Each input with * or ? becomes the files it matches, in name order, each with
// the pattern's folder; a pattern that matches nothing fails naming it. With
// no matcher the inputs stay as they are.
std::vector<std::string> ExpandInputs(const std::vector<std::string>& inputs, const PatternMatcher& matcher,
                                      Diagnostics& diagnostics);

// The system's own matching on Windows; none elsewhere, where the shell expands.
PatternMatcher SystemPatternMatcher();

}  // namespace zorvel
