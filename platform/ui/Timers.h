#pragma once
#include "platform/ui/WinTypes.h"

// Timers per window and id. A timer without a window gets a fresh id from
// a range no window uses, so a timer component never meets a window's own
// ids (a form's raw timer 1 and a component's timer stay apart). WM_TIMER is
// made only when the queue is empty and never more than one at a time per
// timer; DispatchMessage calls the timer's procedure when it has one.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TTimerProc proc = {});
bool KillTimer(HWND hwnd, UINT_PTR id);
