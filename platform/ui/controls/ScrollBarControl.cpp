#include "platform/ui/controls/ScrollBarControl.h"
#include <algorithm>
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"

namespace {

constexpr UINT_PTR RepeatTimer = 1;
constexpr UINT FirstRepeat = 400;
constexpr UINT NextRepeat = 50;
constexpr int MinThumb = 8;

void RaisedBox(TCanvas& c, TRect r)
{
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    c.Frame3D(r, clBtnFace, cl3DDkShadow, 1);
    c.Frame3D(r, clBtnHighlight, clBtnShadow, 1);
}

}  // namespace

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    FControlStyle = TControlStyle{csFramed, csDoubleClicks, csOpaque};
    FWidth = 121;
    FHeight = GetSystemMetrics(SM_CYHSCROLL);
    FInfo.fMask = SIF_ALL;
    FInfo.nMin = 0;
    FInfo.nMax = 100;
    FInfo.nPage = 0;
    FInfo.nPos = 0;
    SetTabStop(true);
}

void TScrollBar::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.Style |= FKind == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (value == FKind)
        return;
    FKind = value;
    // A new kind turns the bar: width and height swap.
    SetBounds(Left(), Top(), Height(), Width());
    RecreateWnd();
    Invalidate();
}

void TScrollBar::SetPageSize(int value)
{
    SCROLLINFO si;
    si.fMask = SIF_PAGE;
    si.nPage = UINT(std::max(0, value));
    Perform(SBM_SETSCROLLINFO, 1, LPARAM(&si));
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min)
        max = min;
    int old = FInfo.nPos;
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_POS;
    si.nMin = min;
    si.nMax = max;
    si.nPos = position;
    Perform(SBM_SETSCROLLINFO, 1, LPARAM(&si));
    if (FInfo.nPos != old)
        Change();
}

void TScrollBar::Change()
{
    if (!IsLoading() && OnChange)
        OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int& pos)
{
    if (OnScroll)
        OnScroll(this, code, pos);
}

int TScrollBar::MaxPosition() const
{
    return std::max(FInfo.nMin, FInfo.nMax - std::max(int(FInfo.nPage) - 1, 0));
}

// ------------------------------------------------------------------ layout

TScrollBar::TLayout TScrollBar::Layout()
{
    TLayout l;
    TRect c = ClientRect();
    bool vert = FKind == sbVertical;
    int length = vert ? c.Height() : c.Width();
    int arrow = std::min(vert ? c.Width() : c.Height(), length / 2);
    if (vert) {
        l.First = TRect{c.Left, c.Top, c.Right, c.Top + arrow};
        l.Second = TRect{c.Left, c.Bottom - arrow, c.Right, c.Bottom};
        l.Track = TRect{c.Left, l.First.Bottom, c.Right, l.Second.Top};
    } else {
        l.First = TRect{c.Left, c.Top, c.Left + arrow, c.Bottom};
        l.Second = TRect{c.Right - arrow, c.Top, c.Right, c.Bottom};
        l.Track = TRect{l.First.Right, c.Top, l.Second.Left, c.Bottom};
    }
    int range = FInfo.nMax - FInfo.nMin + 1;
    int trackLength = vert ? l.Track.Height() : l.Track.Width();
    if (!Enabled() || range <= 1 || trackLength < MinThumb || (FInfo.nPage && int(FInfo.nPage) >= range))
        return l;
    int thumb = FInfo.nPage ? std::max(MinThumb, int(int64_t(trackLength) * FInfo.nPage / range)) : arrow;
    thumb = std::min(thumb, trackLength);
    int span = std::max(1, MaxPosition() - FInfo.nMin);
    int offset = int(int64_t(trackLength - thumb) * (FInfo.nPos - FInfo.nMin) / span);
    l.Thumb = vert ? TRect{l.Track.Left, l.Track.Top + offset, l.Track.Right, l.Track.Top + offset + thumb}
                   : TRect{l.Track.Left + offset, l.Track.Top, l.Track.Left + offset + thumb, l.Track.Bottom};
    return l;
}

TRect TScrollBar::ArrowRect(bool first)
{
    TLayout l = Layout();
    return first ? l.First : l.Second;
}

TRect TScrollBar::ThumbRect()
{
    return Layout().Thumb;
}

int TScrollBar::PosFromThumb(int thumbStart)
{
    TLayout l = Layout();
    bool vert = FKind == sbVertical;
    int trackLength = vert ? l.Track.Height() : l.Track.Width();
    int thumb = vert ? l.Thumb.Height() : l.Thumb.Width();
    int room = std::max(1, trackLength - thumb);
    int offset = std::clamp(thumbStart - (vert ? l.Track.Top : l.Track.Left), 0, room);
    return FInfo.nMin + int((int64_t(offset) * (MaxPosition() - FInfo.nMin) + room / 2) / room);
}

TScrollBar::TPart TScrollBar::PartAt(TPoint p)
{
    TLayout l = Layout();
    if (l.First.Contains(p))
        return ptFirstArrow;
    if (l.Second.Contains(p))
        return ptSecondArrow;
    if (l.Thumb.IsEmpty() || !l.Track.Contains(p))
        return ptNone;
    if (l.Thumb.Contains(p))
        return ptThumb;
    bool before = FKind == sbVertical ? p.Y < l.Thumb.Top : p.X < l.Thumb.Left;
    return before ? ptTrackBefore : ptTrackAfter;
}

// ------------------------------------------------------------------ input

void TScrollBar::Report(int code, int pos)
{
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    UINT msg = FKind == sbHorizontal ? WM_HSCROLL : WM_VSCROLL;
    if (parent)
        SendMessage(parent, msg, MAKEWPARAM(code, pos), LPARAM(FHandle));
    else
        Perform(CN_BASE + msg, MAKEWPARAM(code, pos), LPARAM(FHandle));
}

// One step of a held arrow or track; the track stops once the thumb
// reaches the pointer.
void TScrollBar::Step()
{
    switch (FPressed) {
    case ptFirstArrow:
        if (ArrowRect(true).Contains(FMouse))
            Report(SB_LINEUP, 0);
        break;
    case ptSecondArrow:
        if (ArrowRect(false).Contains(FMouse))
            Report(SB_LINEDOWN, 0);
        break;
    case ptTrackBefore:
        if (PartAt(FMouse) == ptTrackBefore)
            Report(SB_PAGEUP, 0);
        break;
    case ptTrackAfter:
        if (PartAt(FMouse) == ptTrackAfter)
            Report(SB_PAGEDOWN, 0);
        break;
    default:
        break;
    }
}

void TScrollBar::StopTracking()
{
    if (FPressed == ptNone)
        return;
    if (FPressed == ptThumb)
        Report(SB_THUMBPOSITION, FInfo.nTrackPos);
    FPressed = ptNone;
    if (FHandle) {
        KillTimer(FHandle, RepeatTimer);
        if (GetCapture() == FHandle)
            ReleaseCapture();
    }
    Report(SB_ENDSCROLL, 0);
    Invalidate();
}

// What the parent reflects back: the new position by the code, offered to
// OnScroll, then taken.
void TScrollBar::DoScroll(WPARAM wParam)
{
    int code = LOWORD(wParam);
    int pos = FInfo.nPos;
    TScrollCode sc;
    switch (code) {
    case SB_LINEUP: pos -= FSmallChange; sc = scLineUp; break;
    case SB_LINEDOWN: pos += FSmallChange; sc = scLineDown; break;
    case SB_PAGEUP: pos -= FLargeChange; sc = scPageUp; break;
    case SB_PAGEDOWN: pos += FLargeChange; sc = scPageDown; break;
    // While the thumb is dragged the full position is the track position;
    // from elsewhere it is the high word.
    case SB_THUMBPOSITION: pos = FPressed == ptThumb ? FInfo.nTrackPos : HIWORD(wParam); sc = scPosition; break;
    case SB_THUMBTRACK: pos = FPressed == ptThumb ? FInfo.nTrackPos : HIWORD(wParam); sc = scTrack; break;
    case SB_TOP: pos = FInfo.nMin; sc = scTop; break;
    case SB_BOTTOM: pos = MaxPosition(); sc = scBottom; break;
    default: sc = scEndScroll; break;
    }
    pos = std::clamp(pos, FInfo.nMin, MaxPosition());
    Scroll(sc, pos);
    if (sc != scEndScroll)
        SetPosition(pos);
}

// ----------------------------------------------------------------- painting

void TScrollBar::PaintWindow(HDC dc)
{
    TCanvas c;
    c.SetHandle(dc);
    TLayout l = Layout();
    c.Brush().SetColor(clScrollBar);
    c.FillRect(ClientRect());
    if (FPressed == ptTrackBefore || FPressed == ptTrackAfter) {
        // The held part of the track shows dark.
        TRect held = l.Track;
        if (!l.Thumb.IsEmpty()) {
            bool before = FPressed == ptTrackBefore;
            if (FKind == sbVertical)
                held = before ? TRect{held.Left, held.Top, held.Right, l.Thumb.Top}
                              : TRect{held.Left, l.Thumb.Bottom, held.Right, held.Bottom};
            else
                held = before ? TRect{held.Left, held.Top, l.Thumb.Left, held.Bottom}
                              : TRect{l.Thumb.Right, held.Top, held.Right, held.Bottom};
        }
        c.Brush().SetColor(cl3DDkShadow);
        c.FillRect(held);
    }
    RaisedBox(c, l.First);
    RaisedBox(c, l.Second);
    if (!l.Thumb.IsEmpty())
        RaisedBox(c, l.Thumb);
    TColor glyph = ColorToRGB(Enabled() ? clBtnText : clGrayText);
    for (int part = 0; part < 2; ++part) {
        const TRect& r = part == 0 ? l.First : l.Second;
        int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
        for (int i = 0; i < 4; ++i) {
            int s = part == 0 ? i : 3 - i;
            if (FKind == sbVertical)
                FillRect(*dc, TRect{cx - s, cy - 2 + i, cx + s + 1, cy - 1 + i}, glyph);
            else
                FillRect(*dc, TRect{cx - 2 + i, cy - s, cx - 1 + i, cy + s + 1}, glyph);
        }
    }
    if (Focused() && !l.Thumb.IsEmpty()) {
        TRect f = l.Thumb;
        f.Inflate(-3, -3);
        c.DrawFocusRect(f);
    }
}

// ----------------------------------------------------------------- messages

void TScrollBar::WndProc(TMessage& m)
{
    TWinControl::WndProc(m);
    if (m.Msg == WM_MOUSEMOVE && FPressed != ptNone) {
        FMouse = LParamToPoint(m.LParam);
        if (FPressed == ptThumb) {
            int start = (FKind == sbVertical ? FMouse.Y : FMouse.X) - FGrab;
            int pos = PosFromThumb(start);
            if (pos != FInfo.nTrackPos) {
                FInfo.nTrackPos = pos;
                Report(SB_THUMBTRACK, pos);
            }
        }
    }
}

void TScrollBar::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: WMLButtonDown(m); break;
    case WM_TIMER: WMTimer(m); break;
    case WM_LBUTTONUP: StopTracking(); break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE: WMCaptureLost(m); break;
    case WM_KEYDOWN: WMKeyDown(m); break;
    case CN_HSCROLL:
    case CN_VSCROLL: DoScroll(m.WParam); break;
    case SBM_SETSCROLLINFO: SBMSetScrollInfo(m); break;
    case SBM_GETSCROLLINFO: SBMGetScrollInfo(m); break;
    case SBM_SETPOS: SBMSetPos(m); break;
    case SBM_GETPOS: m.Result = FInfo.nPos; break;
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: SBMSetRange(m); break;
    case SBM_GETRANGE: SBMGetRange(m); break;
    default: TWinControl::DefaultHandler(m); break;
    }
}

// A press on an arrow or the track steps at once and then repeats; on the
// thumb it starts a drag.
void TScrollBar::WMLButtonDown(TMessage& m)
{
    if (FHandle && TabStop() && GetFocus() != FHandle && CanFocus())
        SetFocus();
    FMouse = LParamToPoint(m.LParam);
    FPressed = PartAt(FMouse);
    if (FPressed == ptNone || !FHandle)
        return;
    SetCapture(FHandle);
    if (FPressed == ptThumb) {
        TRect thumb = ThumbRect();
        FGrab = FKind == sbVertical ? FMouse.Y - thumb.Top : FMouse.X - thumb.Left;
        FInfo.nTrackPos = FInfo.nPos;
    } else {
        Step();
        SetTimer(FHandle, RepeatTimer, FirstRepeat);
    }
    Invalidate();
}

void TScrollBar::WMTimer(TMessage& m)
{
    if (m.WParam != RepeatTimer || FPressed == ptNone) {
        TWinControl::DefaultHandler(m);
        return;
    }
    SetTimer(FHandle, RepeatTimer, NextRepeat);
    Step();
}

// Another window took the capture: the press ends here.
void TScrollBar::WMCaptureLost(TMessage& m)
{
    if (FPressed != ptNone && reinterpret_cast<HWND>(m.LParam) != FHandle)
        StopTracking();
    TWinControl::DefaultHandler(m);
}

// The scroll code of a key along this bar's direction, or -1.
int TScrollBar::KeyScrollCode(WPARAM key) const
{
    const bool vert = FKind == sbVertical;
    switch (int(key)) {
    case VK_LEFT: return vert ? -1 : SB_LINEUP;
    case VK_UP: return vert ? SB_LINEUP : -1;
    case VK_RIGHT: return vert ? -1 : SB_LINEDOWN;
    case VK_DOWN: return vert ? SB_LINEDOWN : -1;
    case VK_PRIOR: return SB_PAGEUP;
    case VK_NEXT: return SB_PAGEDOWN;
    case VK_HOME: return SB_TOP;
    case VK_END: return SB_BOTTOM;
    default: return -1;
    }
}

void TScrollBar::WMKeyDown(TMessage& m)
{
    const int code = KeyScrollCode(m.WParam);
    if (code < 0) {
        TWinControl::DefaultHandler(m);
        return;
    }
    Report(code, 0);
    Report(SB_ENDSCROLL, 0);
}

void TScrollBar::SBMSetScrollInfo(TMessage& m)
{
    const auto* si = reinterpret_cast<const SCROLLINFO*>(m.LParam);
    if (si->fMask & SIF_RANGE) {
        FInfo.nMin = si->nMin;
        FInfo.nMax = std::max(si->nMin, si->nMax);
    }
    if (si->fMask & SIF_PAGE)
        FInfo.nPage = std::min<UINT>(si->nPage, UINT(FInfo.nMax - FInfo.nMin + 1));
    if (si->fMask & SIF_POS)
        FInfo.nPos = si->nPos;
    FInfo.nPos = std::clamp(FInfo.nPos, FInfo.nMin, MaxPosition());
    if (m.WParam)
        Invalidate();
    m.Result = FInfo.nPos;
}

// While the thumb is dragged the track position is the drag's; else the position.
void TScrollBar::SBMGetScrollInfo(TMessage& m)
{
    auto* si = reinterpret_cast<SCROLLINFO*>(m.LParam);
    UINT mask = si->fMask;
    if (mask & SIF_RANGE) {
        si->nMin = FInfo.nMin;
        si->nMax = FInfo.nMax;
    }
    if (mask & SIF_PAGE)
        si->nPage = FInfo.nPage;
    if (mask & SIF_POS)
        si->nPos = FInfo.nPos;
    if (mask & SIF_TRACKPOS)
        si->nTrackPos = FPressed == ptThumb ? FInfo.nTrackPos : FInfo.nPos;
    m.Result = 1;
}

void TScrollBar::SBMSetPos(TMessage& m)
{
    int old = FInfo.nPos;
    FInfo.nPos = std::clamp(int(m.WParam), FInfo.nMin, MaxPosition());
    if (m.LParam)
        Invalidate();
    m.Result = old;
}

void TScrollBar::SBMSetRange(TMessage& m)
{
    FInfo.nMin = int(m.WParam);
    FInfo.nMax = std::max(FInfo.nMin, int(m.LParam));
    FInfo.nPos = std::clamp(FInfo.nPos, FInfo.nMin, MaxPosition());
    if (m.Msg == SBM_SETRANGEREDRAW)
        Invalidate();
    m.Result = FInfo.nPos;
}

void TScrollBar::SBMGetRange(TMessage& m)
{
    if (m.WParam)
        *reinterpret_cast<int*>(m.WParam) = FInfo.nMin;
    if (m.LParam)
        *reinterpret_cast<int*>(m.LParam) = FInfo.nMax;
}
