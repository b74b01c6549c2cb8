#include "common/win32/alert_box_sink.h"

#include "common/win32/dialogs.h"

namespace common {

void AlertBoxSink::Alert(const std::string& text) {
    if (!Quiet) {
        AlertBox("%s", text.c_str());
    }
}

}  // namespace common
