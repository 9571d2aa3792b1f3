#include "skin/menus/MenuWindow.h"

#include <utility>

#include "platform/ui/controls/Timer.h"
#include "skin/draw/LayerWindow.h"

HWND CreateMenuWindow(const char* ClassName, TWndProc Proc, int X, int Y, int Width, int Height)
{
    WNDCLASS wc;
    if (!GetClassInfo(ClassName, wc)) {
        wc.lpszClassName = ClassName;
        wc.lpfnWndProc = &DefWindowProc;
        wc.style = CS_SAVEBITS | CS_DROPSHADOW;
        wc.hbrBackground = clNone;
        RegisterClass(wc);
    }
    return CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName, "", WS_POPUP, X, Y, Width, Height, nullptr, 0,
                          nullptr, std::move(Proc));
}

void MakeMenuWindowLayered(HWND Handle, std::uint8_t Alpha)
{
    SetWindowLong(Handle, GWL_EXSTYLE, GetWindowLong(Handle, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAlpha(Handle, Alpha);
}

TTimer* NewMenuTimer(unsigned Interval, std::function<void(TObject* Sender)> OnTimer)
{
    auto* timer = new TTimer(nullptr);
    timer->SetEnabled(false);
    timer->SetInterval(Interval);
    timer->OnTimer = std::move(OnTimer);
    return timer;
}
