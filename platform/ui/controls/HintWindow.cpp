#include "platform/ui/controls/HintWindow.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clInfoBk);
    Font().SetColor(clInfoText);
    FVisible = false;
}

void THintWindow::CreateParams(TCreateParams& p)
{
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    p.WindowClassStyle = CS_SAVEBITS;
    p.WndParent = nullptr;
}

TRect THintWindow::CalcHintRect(int maxWidth, const std::string& hint)
{
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    c->Font().Assign(Font());
    TRect r{0, 0, maxWidth > 0 ? maxWidth : 300, 0};
    c->DrawText(hint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void THintWindow::ActivateHint(TRect rect, const std::string& hint)
{
    SetCaption(hint);
    // Keep it on the monitor.
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromPoint(rect.TopLeft(), 2), &mi);
    if (rect.Right > mi.rcMonitor.Right) rect.Offset(mi.rcMonitor.Right - rect.Right, 0);
    if (rect.Left < mi.rcMonitor.Left) rect.Offset(mi.rcMonitor.Left - rect.Left, 0);
    if (rect.Bottom > mi.rcMonitor.Bottom) rect.Offset(0, mi.rcMonitor.Bottom - rect.Bottom);
    if (rect.Top < mi.rcMonitor.Top) rect.Offset(0, mi.rcMonitor.Top - rect.Top);
    SetBoundsRect(rect);
    HWND h = Handle();
    SetWindowPos(h, HWND_TOPMOST, rect.Left, rect.Top, rect.Width(), rect.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FVisible = true;
    FActive = true;
    Invalidate();
}

void THintWindow::ReleaseHandle()
{
    FActive = false;
    FVisible = false;
    if (HandleAllocated())
        ShowWindow(FHandle, SW_HIDE);
}

void THintWindow::WndProc(TMessage& m)
{
    if (m.Msg == WM_MOUSEACTIVATE) {
        m.Result = MA_NOACTIVATE;
        return;
    }
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::WndProc(m);
}

void THintWindow::Paint()
{
    TRect r = ClientRect();
    Canvas().Brush().SetColor(Color());
    Canvas().FillRect(r);
    r.Inflate(-2, -1);
    Canvas().Brush().SetStyle(bsClear);
    Canvas().Font().SetColor(Font().Color());
    Canvas().DrawText(Caption(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}
