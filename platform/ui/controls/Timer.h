#pragma once
#include <functional>
#include "platform/core/Component.h"
#include "platform/ui/WinTypes.h"

// Raises OnTimer every Interval milliseconds while enabled. Its timer has no
// window, so its id never meets a window's own timer ids.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned v);
    std::function<void(TObject* Sender)> OnTimer;

    // Raises OnTimer now (the window layer calls it on each tick).
    void Timer();

protected:
    void Loaded() override;

private:
    void UpdateTimer();

    bool FEnabled = true;
    unsigned FInterval = 1000;
    UINT_PTR FId = 0;
};
