#include "common/win32/time_stamp.h"

#include <windows.h>

namespace common {

void LocalDateTimeStamp(std::string& date, std::string& time) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char dateText[40] = "";
    char timeText[20] = "";
    if (GetDateFormatA(0, DATE_SHORTDATE, &now, nullptr, dateText, sizeof dateText) == 0) {
        dateText[0] = '\0';
    }
    if (GetTimeFormatA(0, TIME_NOSECONDS, &now, nullptr, timeText, sizeof timeText) == 0) {
        timeText[0] = '\0';
    }
    date = dateText;
    time = timeText;
}

}  // namespace common
