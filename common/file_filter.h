// The file choosers' filters: a description and its patterns, NUL-separated,
// ending with a second NUL.
#pragma once

#include <string>

namespace common {

// "vew" for a filter whose first pattern is "*.vew": what a name typed without
// an extension gets on saving. Empty for "*.*", a mixed pattern or no filter.
std::string FilterDefaultExtension(const char* filter);

}  // namespace common
