#include "monitor/files/write_outcome.h"

#include "common/message_text.h"

namespace zorvel {

int ReportWriteOutcome(common::WriteResult result, const char* path, common::Alerts& alerts) {
    switch (result) {
        case common::WriteResult::Ok: return 0;
        case common::WriteResult::OpenFailed:
            alerts.Alert(common::FormatMessageTextF("Could not open %s!", path));
            return 1;
        case common::WriteResult::WriteFailed:
            alerts.Alert(common::FormatMessageTextF("An error occurred while writing the %s file.", path));
            return 1;
    }
    return 1;
}

}  // namespace zorvel
