// Seam for the plain OK message boxes the file readers and writers show.
#pragma once

#include <string>

namespace common {

class Alerts {
public:
    virtual ~Alerts() = default;
    virtual void Alert(const std::string& text) = 0;
};

}  // namespace common
