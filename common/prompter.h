// Seam for the Yes/No questions a command asks before it acts.
#pragma once

#include <string>

namespace common {

class Prompter {
public:
    virtual ~Prompter() = default;
    // True when the user answered Yes.
    virtual bool AskYesNo(const std::string& question) = 0;
};

}  // namespace common
