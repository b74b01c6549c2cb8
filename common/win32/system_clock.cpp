#include "common/win32/system_clock.h"

#include <windows.h>

#include "common/win32/local_time.h"

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
    // 100 ns steps since 1601; the C runtime's 32-bit time ends in 2038.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<int64_t>(ticks / 10000000ULL) - kSecondsFrom1601To1970;
}

uint64_t SteadyMilliseconds() {
    return GetTickCount64();
}

}  // namespace common
