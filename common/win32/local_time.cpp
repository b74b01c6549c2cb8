#include "common/win32/local_time.h"

#include <windows.h>

namespace common {

LocalTime LocalTimeAt(int64_t unixSeconds) {
    // 100 ns steps since 1601.
    const ULONGLONG ticks = static_cast<ULONGLONG>(unixSeconds + kSecondsFrom1601To1970) * 10000000ULL;
    FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME universal;
    SYSTEMTIME local;
    if (unixSeconds < 0 || !FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
        return {};
    }
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

}  // namespace common
