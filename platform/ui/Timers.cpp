#include "platform/ui/Timers.h"
#include <algorithm>
#include "platform/core/Clock.h"
#include "platform/ui/WindowManager.h"

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TTimerProc proc)
{
    auto& m = WM();
    if (hwnd && !m.Alive(hwnd))
        return 0;
    if (!hwnd) {
        bool known = std::any_of(m.Timers.begin(), m.Timers.end(),
                                 [id](const TTimerRecord& t) { return !t.Wnd && t.Id == id; });
        if (!known)
            id = m.NextTimerId++;
    }
    UINT interval = std::max<UINT>(1, elapseMs);
    uint64_t due = GetTickCount64() + interval;
    for (TTimerRecord& t : m.Timers)
        if (t.Wnd == hwnd && t.Id == id) {
            t.Interval = interval;
            t.Due = due;
            t.Proc = std::move(proc);
            return hwnd ? 1 : id;
        }
    m.Timers.push_back(TTimerRecord{hwnd, id, interval, due, std::move(proc), false});
    m.Wake();
    return hwnd ? 1 : id;
}

bool KillTimer(HWND hwnd, UINT_PTR id)
{
    auto& m = WM();
    size_t before = m.Timers.size();
    std::erase_if(m.Timers, [hwnd, id](const TTimerRecord& t) { return t.Wnd == hwnd && t.Id == id; });
    return m.Timers.size() != before;
}

bool TWindowManager::TakeTimer(TMsg& msg, HWND filter, bool remove)
{
    uint64_t now = GetTickCount64();
    TTimerRecord* best = nullptr;
    for (TTimerRecord& t : Timers) {
        if (t.Due > now || (filter && t.Wnd != filter))
            continue;
        if (!best || t.Due < best->Due)
            best = &t;
    }
    if (!best)
        return false;
    msg = TMsg{};
    msg.hwnd = best->Wnd;
    msg.message = WM_TIMER;
    msg.wParam = best->Id;
    msg.lParam = best->Proc ? 1 : 0;
    msg.time = DWORD(now);
    msg.pt = CursorPos;
    // One tick at a time: a late timer does not pile up messages.
    if (remove)
        best->Due = now + best->Interval;
    return true;
}

int64_t TWindowManager::MillisecondsToNextTimer() const
{
    if (Timers.empty())
        return -1;
    uint64_t now = GetTickCount64();
    uint64_t next = UINT64_MAX;
    for (const TTimerRecord& t : Timers)
        next = std::min(next, t.Due);
    return next <= now ? 0 : int64_t(next - now);
}
