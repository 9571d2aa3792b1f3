#pragma once
#include <functional>

class TControl;

// What the application layer wants to hear of every control: a control going
// away (the hint and mouse-control pointers are cleared) and the mouse
// entering or leaving one (the hint machinery).
struct TControlHooks {
    std::function<void(TControl*)> ControlDestroyed;
    std::function<void(TControl*, bool entered)> MouseEnterLeave;
    // The screen's cursor when it overrides every control's (crDefault: none).
    std::function<int()> ScreenCursor;
};

TControlHooks& ControlHooks();
