#pragma once
#include "platform/ui/controls/Controls.h"

// The small window that shows a hint. It never takes the activation; the
// skin layer derives its own kind and installs it as the application's
// hint window class.
class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);

    // The window rectangle (screen) the text needs, at most maxWidth wide.
    virtual TRect CalcHintRect(int maxWidth, const std::string& hint);
    // Shows the hint in rect (screen coordinates).
    virtual void ActivateHint(TRect rect, const std::string& hint);
    void ReleaseHandle();
    bool Active() const { return FActive; }

protected:
    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;
    void Paint() override;

private:
    bool FActive = false;
};
