#include "skin/boxes/PopupFade.h"
#include <algorithm>
#include "platform/ui/Caps.h"
#include "platform/ui/Timers.h"
#include "skin/draw/LayerWindow.h"

namespace {
// Just above the 5 ms the steps are paced by.
constexpr UINT FadeInterval = 6;
}  // namespace

bool TbsPopupFade::Available()
{
    return PlatformCaps().ConstantAlpha;
}

void TbsPopupFade::Start(HWND Window, std::uint8_t Target)
{
    FTarget = Target;
    FStep = std::max(1, int(Target) / 15);
    FAlpha = 0;
    FSteps = 0;
    FRunning = true;
    SetLayeredWindowAlpha(Window, 0);
    SetTimer(Window, FTimerId, FadeInterval);
}

bool TbsPopupFade::HandleTimer(HWND Window, UINT_PTR TimerId)
{
    if (TimerId != FTimerId)
        return false;
    if (!FRunning) {
        KillTimer(Window, FTimerId);
        return true;
    }
    FAlpha = std::min(FAlpha + FStep, FTarget);
    ++FSteps;
    SetLayeredWindowAlpha(Window, std::uint8_t(FAlpha));
    if (FAlpha >= FTarget)
        Stop(Window);
    return true;
}

void TbsPopupFade::Stop(HWND Window)
{
    FRunning = false;
    if (Window)
        KillTimer(Window, FTimerId);
}
