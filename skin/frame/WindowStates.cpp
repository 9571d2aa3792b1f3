#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/ui/Ui.h"
#include "platform/ui/controls/Timer.h"
#include "skin/controls/SkinStatusBar.h"
#include "skin/draw/MonitorRects.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/RectUtils.h"
#include "skin/frame/FormFrame.h"

// A skinned form keeps its own window state: maximizing fills the work area,
// minimizing shrinks the form to its caption and stacks it along the bottom
// of the work area, restoring puts the saved bounds back. Roll-up leaves only
// the caption. A moving form snaps to the work area's edges and to the
// program's other forms.

namespace {
HWND HandleOf(TCustomForm* F) { return F->HandleAllocated() ? F->Handle() : nullptr; }
}  // namespace

void TbsFormFrame::SetWindowState(TWindowState Value)
{
    if (!FSkinnableForm) {
        FForm->SetWindowState(Value);
        return;
    }
    if (Value == FWindowState)
        return;
    const TWindowState old = FWindowState;
    const bool mainForm = Application->MainForm() == FForm;
    if (Value != wsMinimized || !(mainForm || MinimizeDefault))
        FWindowState = Value;
    switch (Value) {
    case wsNormal:
        if (old == wsMaximized && FRollUpState && !FRollUpBeforeMaximize)
            SetRollUpState(false);
        FRollUpBeforeMaximize = false;
        DoNormal();
        break;
    case wsMinimized: DoMinimize(); break;
    case wsMaximized:
        FRollUpBeforeMaximize = FRollUpState;
        DoMaximize();
        break;
    }
}

void TbsFormFrame::DoMinimize()
{
    if (Application->MainForm() == FForm) {
        Application->Minimize();
    } else if (MinimizeDefault) {
        FForm->SetWindowState(wsMinimized);
    } else {
        if (IsNullRect(OldBoundsRect))
            OldBoundsRect = FForm->BoundsRect();
        TPoint p = GetMinimizedPosition();
        FForm->SetBounds(p.X, p.Y, GetMinWidth(), GetMinHeight());
        if (IsMDIChild())
            TellMainForm(WM_MDICHILDRESTORED);
    }
    if (OnMinimize)
        OnMinimize(this);
}

void TbsFormFrame::DoMaximize()
{
    if (IsNullRect(OldBoundsRect))
        OldBoundsRect = FForm->BoundsRect();
    if (IsMDIChild()) {
        // A maximized child fills the client area; its buttons go to the main form's bar.
        MouseTimer->SetEnabled(false);
        UpdateActiveObject(-1, -1, false);
        const TRect area = GetMDIWorkArea();
        const int w = FForm->Width(), h = FForm->Height();
        FForm->SetBounds(0, 0, area.Width(), area.Height());
        if (FForm->Width() == w && FForm->Height() == h)
            ForceResize();
        // The maximized child covers the others: it becomes the active one.
        if (TCustomForm* main = Application->MainForm(); main && main->ClientHandle() && FForm->HandleAllocated())
            SendMessage(main->ClientHandle(), WM_MDIACTIVATE, WPARAM(FForm->Handle()), 0);
        TellMainForm(WM_MDICHILDMAXIMIZED);
        ShowStatusBarGrip(false);
        if (OnMaximize)
            OnMaximize(this);
        return;
    }
    TRect r = FForm->BoundsRect();
    GetWindowMonitorRect(HandleOf(FForm), !MaximizeOnFullScreen, r);
    if (!MaximizeOnFullScreen) {
        // A work area as large as the primary screen means an auto-hidden task
        // bar: one pixel stays free on every side so that it can be reached.
        TRect whole = r;
        GetWindowMonitorRect(HandleOf(FForm), false, whole);
        TRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (r.Width() == whole.Width() && r.Height() == whole.Height() && whole == primary)
            r.Inflate(-1, -1);
    }
    FForm->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    ShowStatusBarGrip(false);
    if (OnMaximize)
        OnMaximize(this);
}

void TbsFormFrame::DoNormal()
{
    MaxRollUpState = false;
    const int w = FForm->Width(), h = FForm->Height();
    // Nothing saved (a state set before any bounds were taken): the form keeps its place.
    if (!IsNullRect(OldBoundsRect)) {
        if (FStartShow) {
            FStartShow = false;
            TPoint p = GetPositionInMonitor(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Width(),
                                            OldBoundsRect.Height());
            FForm->SetBounds(p.X, p.Y, OldBoundsRect.Width(), OldBoundsRect.Height());
        } else {
            if (FBorderLayer && FBorderLayer->Visible())
                FBorderLayer->SetBoundsWithForm3(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Width(),
                                                 OldBoundsRect.Height());
            FForm->SetBounds(OldBoundsRect.Left, OldBoundsRect.Top, OldBoundsRect.Width(), OldBoundsRect.Height());
        }
    }
    MouseTimer->SetEnabled(true);
    if (FForm->Width() == w && FForm->Height() == h)
        ForceResize();
    RepaintFrame();
    FForm->Invalidate();
    if (IsMDIChild())
        TellMainForm(WM_MDICHILDRESTORED);
    OldBoundsRect = TRect{0, 0, 0, 0};
    ShowStatusBarGrip(true);
    if (OnRestore)
        OnRestore(this);
}

void TbsFormFrame::ShowStatusBarGrip(bool Value)
{
    // A maximized form cannot be sized: its status bar shows no grip.
    if (auto* bar = dynamic_cast<TbsSkinStatusBar*>(FStatusBar); bar && bar->SizeGrip())
        bar->SetShowGrip(Value);
}

void TbsFormFrame::TellMainForm(UINT Msg)
{
    if (TCustomForm* main = Application->MainForm(); main && main != FForm && main->HandleAllocated())
        SendMessage(main->Handle(), Msg, 0, 0);
}

TPoint TbsFormFrame::GetMinimizedPosition() const
{
    if (IsMDIChild())
        return GetMDIMinimizedPosition();
    TRect area = FForm->BoundsRect();
    GetWindowMonitorRect(HandleOf(FForm), true, area);
    const int mw = GetMinWidth(), mh = GetMinHeight();   // both at least 1
    auto taken = [&](int x, int y) {
        for (TCustomForm* f : Screen->FormList()) {
            if (f == FForm || f == Application->MainForm() || !f->Visible())
                continue;
            TbsFormFrame* other = GetFormFrame(f);
            if (other && other->WindowState() == wsMinimized && f->Left() == x && f->Top() == y)
                return true;
        }
        return false;
    };
    int x = area.Left, y = area.Bottom - mh;
    while (taken(x, y)) {
        x += mw;
        if (x + mw > area.Right) {
            x = area.Left;
            y -= mh;
        }
        if (y < area.Top)
            return TPoint{area.Left, area.Bottom - mh};
    }
    return TPoint{x, y};
}

void TbsFormFrame::SetRollUpState(bool Value)
{
    if (Value == FRollUpState || !FBorderIcons.Contains(TbsBorderIcon::biRollUp) || FWindowState == wsMinimized ||
        (FRollUpState && FWindowState == wsMaximized && !MaxRollUpState))
        return;
    if (FWindowState == wsMaximized)
        MaxRollUpState = Value;
    FRollUpState = Value;
    if (Value) {
        OldHeight = FForm->Height();
        FForm->SetHeight(GetMinHeight());
    } else if (ClientHeight != 0) {
        FForm->SetClientHeight(ClientHeight);
    } else {
        FForm->SetHeight(OldHeight);
    }
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

int TbsFormFrame::RealHeight() const { return FRollUpState ? OldHeight : FForm->Height(); }
void TbsFormFrame::SetRealHeight(int Value) { OldHeight = Value; }

TPoint TbsFormFrame::GetPositionInMonitor(int AX, int AY, int AW, int AH) const
{
    if (PositionInMonitor == bspDefault)
        return TPoint{AX, AY};
    TRect r = FForm->BoundsRect();
    GetWindowMonitorRect(HandleOf(FForm), PositionInMonitor == bspDesktopCenter, r);
    return TPoint{r.Left + r.Width() / 2 - AW / 2, r.Top + r.Height() / 2 - AH / 2};
}

void TbsFormFrame::ApplyPositionInMonitor()
{
    if (PositionInMonitor == bspDefault)
        return;
    TPoint p = GetPositionInMonitor(FForm->Left(), FForm->Top(), FForm->Width(), FForm->Height());
    FForm->SetBounds(p.X, p.Y, FForm->Width(), FForm->Height());
}

void TbsFormFrame::MagneticPosition(int& L, int& T, int W, int H)
{
    const int MS = MagneticSize;
    TRect area = FForm->BoundsRect();
    GetWindowMonitorRect(HandleOf(FForm), true, area);
    TPoint cursor;
    GetCursorPos(cursor);
    // A shown layered border snaps with the form: its outer edges are the ones that stick.
    TRect border{0, 0, 0, 0};
    if (IsLayeredBorderEnabled() && FBorderLayer->Visible())
        border = FBorderLayer->BorderSizes();
    const bool withBorder = border.Left || border.Top || border.Right || border.Bottom;
    if (withBorder) {
        L -= border.Left;
        T -= border.Top;
        W += border.Right;
        H += border.Bottom;
    }

    // The lines each edge may stick to: the work area's, and the facing edges
    // of the program's other visible forms that lie beside this one.
    std::vector<int> lefts{area.Left}, rights{area.Right}, tops{area.Top}, bottoms{area.Bottom};
    for (TCustomForm* f : Screen->FormList()) {
        if (f == FForm || !f->Visible() || !f->HandleAllocated() || IsIconic(f->Handle()))
            continue;
        TRect o = f->BoundsRect();
        if (T < o.Bottom && T + H > o.Top) {
            lefts.push_back(o.Right);
            rights.push_back(o.Left);
        }
        if (L < o.Right && L + W > o.Left) {
            tops.push_back(o.Bottom);
            bottoms.push_back(o.Top);
        }
    }
    // One edge at Pos + Offset: snaps when within MS of a line, stays while the
    // cursor keeps within MS of where it snapped, then follows the cursor.
    auto edge = [MS](int& Pos, int Offset, const std::vector<int>& Lines, bool& Flag, int& Target, int Cursor,
                     int& Down) {
        const int e = Pos + Offset;
        bool near = false;
        int line = Target;
        if (Flag && Target - MS < e && e < Target + MS) {
            near = true;
        } else {
            for (int k : Lines)
                if (k - MS < e && e < k + MS) {
                    near = true;
                    line = k;
                    break;
                }
        }
        if (near && !Flag) {
            Pos = line - Offset;
            Down = Cursor;
            Target = line;
        } else if (Flag && std::abs(Cursor - Down) > MS) {
            Pos = Cursor + Target - Offset - Down;
        } else if (Flag) {
            Pos = Target - Offset;
        }
        Flag = near;
    };
    edge(L, 0, lefts, HMagnetized, FMagnetL, cursor.X, FOnMouseDownCoord.X);
    edge(T, 0, tops, VMagnetized, FMagnetT, cursor.Y, FOnMouseDownCoord.Y);
    edge(L, W, rights, HMagnetized2, FMagnetR, cursor.X, FOnMouseDownCoord.X);
    edge(T, H, bottoms, VMagnetized2, FMagnetB, cursor.Y, FOnMouseDownCoord.Y);
    if (withBorder) {
        if (!HMagnetized2)
            L += border.Left;
        if (!VMagnetized2)
            T += border.Top;
    }
}

void TbsFormFrame::HandleMoving(TMessage& Message)
{
    auto* r = reinterpret_cast<TRect*>(Message.LParam);
    if (!r)
        return;
    if (FSkinnableForm && FWindowState == wsMaximized && !IsMDIChild()) {
        *r = FForm->BoundsRect();
        return;
    }
    if (!Magnetic)
        return;
    int L = r->Left, T = r->Top;
    const int W = r->Width(), H = r->Height();
    MagneticPosition(L, T, W, H);
    *r = TRect{L, T, L + W, T + H};
}
