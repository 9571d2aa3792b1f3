#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include "platform/ui/WinTypes.h"

class TTimer;

// Fades a drop-down window in to a constant alpha: from 0 in steps of
// Target div 15 (at least 1) more than 5 ms apart, the last step ending
// exactly at Target. Driven by a timer, so messages keep flowing; a new
// Start restarts it, Stop (and destruction) ends it where it is.
class TbsPopupFade {
public:
    TbsPopupFade();
    ~TbsPopupFade();

    // Sets the window's alpha to 0 and starts; where whole-window alpha is
    // unavailable nothing happens and false is returned.
    bool Start(HWND Window, std::uint8_t Target);
    void Stop();
    bool Running() const;
    int Alpha() const { return FAlpha; }
    static int StepOf(int Target) { return Target / 15 > 1 ? Target / 15 : 1; }

    // Told after every step with the alpha just set (tests watch the steps).
    std::function<void(int Alpha)> OnStep;

private:
    void Step();

    std::unique_ptr<TTimer> FTimer;
    HWND FWindow = nullptr;
    int FAlpha = 0, FTarget = 0;
};
