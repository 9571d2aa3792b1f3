#include "skin/draw/PopupFade.h"
#include <algorithm>
#include "platform/ui/Caps.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Timer.h"
#include "skin/draw/LayerWindow.h"

namespace {
constexpr unsigned StepInterval = 6;   // more than 5 ms between steps
}

TbsPopupFade::TbsPopupFade() : FTimer(std::make_unique<TTimer>(nullptr))
{
    FTimer->SetEnabled(false);
    FTimer->SetInterval(StepInterval);
    FTimer->OnTimer = [this](TObject*) { Step(); };
}

TbsPopupFade::~TbsPopupFade()
{
    FTimer->OnTimer = nullptr;
    FTimer->SetEnabled(false);
}

bool TbsPopupFade::Start(HWND Window, std::uint8_t Target)
{
    Stop();
    if (!PlatformCaps().ConstantAlpha || !Window)
        return false;
    FWindow = Window;
    FTarget = Target;
    FAlpha = 0;
    SetLayeredWindowAlpha(FWindow, 0);
    FTimer->SetEnabled(true);
    return true;
}

void TbsPopupFade::Stop() { FTimer->SetEnabled(false); }

bool TbsPopupFade::Running() const { return FTimer->Enabled(); }

void TbsPopupFade::Step()
{
    if (!IsWindow(FWindow)) {
        Stop();
        return;
    }
    FAlpha = std::min(FAlpha + StepOf(FTarget), FTarget);
    SetLayeredWindowAlpha(FWindow, std::uint8_t(FAlpha));
    if (FAlpha >= FTarget)
        Stop();
    if (OnStep)
        OnStep(FAlpha);
}
