#include "platform/ui/controls/Timer.h"
#include "platform/ui/Timers.h"

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner)
{
    if (AOwner && AOwner->ComponentState().Contains(csLoading))
        Loading();
    UpdateTimer();
}

TTimer::~TTimer()
{
    Destroying();
    if (FId)
        KillTimer(nullptr, FId);
}

void TTimer::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned v)
{
    if (v == FInterval)
        return;
    FInterval = v;
    UpdateTimer();
}

void TTimer::Loaded()
{
    TComponent::Loaded();
    UpdateTimer();
}

// Restarts the count: a changed interval or a re-enabled timer starts afresh.
void TTimer::UpdateTimer()
{
    if (FId) {
        KillTimer(nullptr, FId);
        FId = 0;
    }
    if (FEnabled && FInterval > 0 && !ComponentState().Contains(csLoading))
        FId = SetTimer(nullptr, 0, FInterval, [this](HWND, UINT, UINT_PTR, DWORD) { Timer(); });
}

void TTimer::Timer()
{
    if (OnTimer && !ComponentState().Contains(csDestroying))
        OnTimer(this);
}
