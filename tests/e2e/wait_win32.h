// The one way the end-to-end programs wait: polling something observable with
// a bound. Free of GoogleTest, so the screenshot helper shares it.
#pragma once

#include <functional>

#include <windows.h>

namespace e2e {

constexpr DWORD kWaitMs = 15000;

// Polls `condition` until it holds; false when it did not within `ms`. The
// pause between polls ends early when `wake` (a process, say) is signalled,
// after which the condition should hold.
bool WaitFor(const std::function<bool()>& condition, DWORD ms = kWaitMs, DWORD pollMs = 50, HANDLE wake = nullptr);

// A visible top-level window of the process (any process when `processId` is
// 0) whose class is `windowClass` (any when null) and whose title is `title`
// (any when null); null when there is none.
HWND FindVisibleWindow(DWORD processId, const char* windowClass, const char* title);

}  // namespace e2e
