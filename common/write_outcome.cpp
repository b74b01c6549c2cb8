#include "common/write_outcome.h"

#include "common/message_text.h"

namespace common {

int ReportWriteOutcome(WriteResult result, const char* path, Alerts& alerts) {
    switch (result) {
        case WriteResult::Ok: return 0;
        case WriteResult::OpenFailed: alerts.Alert(FormatMessageTextF("Could not open %s!", path)); return 1;
        case WriteResult::WriteFailed:
            alerts.Alert(FormatMessageTextF("An error occurred while writing the %s file.", path));
            return 1;
    }
    return 1;
}

}  // namespace common
