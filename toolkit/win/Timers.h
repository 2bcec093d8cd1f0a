#pragma once
// Window timers: a timer falls due when its interval has passed on the
// clock, is delivered as WM_TIMER when the thread next retrieves messages
// (at most one WM_TIMER per timer however late), and re-arms from the time
// it was delivered.

#include <optional>

#include "toolkit/base/Handles.h"

// Intervals below this are raised to it.
constexpr UINT USER_TIMER_MINIMUM = 10;

// With a window, Id names the timer (an existing one is replaced); without
// one, a new id is chosen and answered. Procedure, when given, is called by
// DispatchMessage instead of the window procedure.
UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT interval, TIMERPROC procedure);
bool KillTimer(HWND window, UINT_PTR id);

// Milliseconds until the calling thread's next timer is due, if it has one.
std::optional<uint64_t> MillisecondsToNextTimer();
