#include "common/win32/system_clock.h"

#include <ctime>

#include <windows.h>

namespace common {

uint32_t SystemClock::TickCount() {
    return GetTickCount();
}

LocalTime SystemClock::Now() {
    SYSTEMTIME time;
    GetLocalTime(&time);
    return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

int64_t SystemClock::UnixSeconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

uint64_t SteadyMilliseconds() {
    return GetTickCount64();
}

}  // namespace common
