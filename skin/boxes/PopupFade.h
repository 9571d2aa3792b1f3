#pragma once
#include <cstdint>
#include "platform/ui/WinTypes.h"

// Fades a layered popup window in from alpha 0 to a target on a window timer
// of its own: the caller returns at once, so nothing runs a message loop
// under a control that may be destroyed meanwhile. About fifteen steps of
// Target div 15 (at least 1), the last one clamped to Target.
class TbsPopupFade {
public:
    explicit TbsPopupFade(UINT_PTR TimerId) : FTimerId(TimerId) {}

    // Whether the platform can give a window a constant alpha at all.
    static bool Available();
    void Start(HWND Window, std::uint8_t Target);
    // Runs one step when the timer is ours; answers whether it was.
    bool HandleTimer(HWND Window, UINT_PTR TimerId);
    void Stop(HWND Window);
    bool Running() const { return FRunning; }
    int Steps() const { return FSteps; }

private:
    UINT_PTR FTimerId;
    bool FRunning = false;
    int FAlpha = 0;
    int FStep = 1;
    int FTarget = 255;
    int FSteps = 0;
};
