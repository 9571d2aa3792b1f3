#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

// The plain frame of a window without a skin: borders by style, a caption
// with close, maximise and minimise buttons, client edges and the window's
// own scroll bars.

namespace {

constexpr int ScrollBarSize = 17;
// The id of the repeat timer of a held scroll arrow; window code uses small ids.
constexpr UINT_PTR ScrollRepeatTimer = 0xFFF0;

struct TCaptionButton {
    int Hit;
    TRect Rect;
};

std::vector<TCaptionButton> CaptionButtons(const TWindowRecord& w)
{
    std::vector<TCaptionButton> buttons;
    TFrameMetrics fm = FrameMetrics(w.Style, w.ExStyle);
    if (fm.Caption <= 0 || !(w.Style & WS_SYSMENU))
        return buttons;
    int size = fm.Caption - 4;
    int top = fm.Border + 2;
    int right = w.Width() - fm.Border - 2;
    buttons.push_back({HTCLOSE, Bounds(right - size, top, size, size)});
    right -= size + 2;
    if (!(w.ExStyle & WS_EX_TOOLWINDOW)) {
        if (w.Style & WS_MAXIMIZEBOX) {
            buttons.push_back({HTMAXBUTTON, Bounds(right - size, top, size, size)});
            right -= size;
        }
        if (w.Style & WS_MINIMIZEBOX)
            buttons.push_back({HTMINBUTTON, Bounds(right - size, top, size, size)});
    }
    return buttons;
}

void Edge(TDeviceContext& dc, TRect r, TColor topLeft, TColor bottomRight)
{
    FillRect(dc, Rect(r.Left, r.Top, r.Right, r.Top + 1), ColorToRGB(topLeft));
    FillRect(dc, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), ColorToRGB(topLeft));
    FillRect(dc, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), ColorToRGB(bottomRight));
    FillRect(dc, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), ColorToRGB(bottomRight));
}

void RaisedBox(TDeviceContext& dc, TRect r, bool pressed)
{
    FillRect(dc, r, ColorToRGB(clBtnFace));
    if (pressed) {
        Edge(dc, r, clBtnShadow, clBtnHighlight);
    } else {
        Edge(dc, r, clBtnHighlight, cl3DDkShadow);
        r.Inflate(-1, -1);
        Edge(dc, r, clBtnFace, clBtnShadow);
    }
}

void Line(TDeviceContext& dc, int x1, int y1, int x2, int y2)
{
    MoveTo(dc, x1, y1);
    LineTo(dc, x2, y2);
}

// A window outline with a thick title bar.
void WindowGlyph(TDeviceContext& dc, const TRect& r, TColor color)
{
    FrameRect(dc, r, color);
    FillRect(dc, Rect(r.Left, r.Top, r.Right, r.Top + 2), color);
}

void DrawButtonGlyph(TDeviceContext& dc, int hit, const TRect& r, bool maximized)
{
    TPenData pen;
    pen.Color = ColorToRGB(clBtnText);
    dc.SelectPen(pen);
    int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    int s = std::max(2, r.Width() / 4);
    switch (hit) {
    case HTCLOSE:
        for (int d = 0; d < 2; ++d) {
            Line(dc, cx - s + d, cy - s, cx + s + d, cy + s);
            Line(dc, cx + s - 1 + d, cy - s, cx - s - 1 + d, cy + s);
        }
        break;
    case HTMINBUTTON:
        FillRect(dc, Rect(cx - s, cy + s - 1, cx + s, cy + s + 1), pen.Color);
        break;
    case HTMAXBUTTON:
        if (!maximized) {
            WindowGlyph(dc, Rect(cx - s, cy - s, cx + s + 1, cy + s + 1), pen.Color);
        } else {
            // Restore: a smaller window in front of another, up and to the right.
            WindowGlyph(dc, Rect(cx - s + 2, cy - s, cx + s + 1, cy + s - 1), pen.Color);
            TRect front = Rect(cx - s, cy - s + 3, cx + s - 1, cy + s + 1);
            FillRect(dc, front, ColorToRGB(clBtnFace));
            WindowGlyph(dc, front, pen.Color);
        }
        break;
    }
}

struct TBarLayout {
    TRect Bar, Before, After, Track, Thumb;
};

TBarLayout LayoutBar(const TWindowRecord& w, int bar)
{
    TBarLayout l;
    l.Bar = ScrollBarRect(w, bar);
    bool vert = bar == SB_VERT;
    int length = vert ? l.Bar.Height() : l.Bar.Width();
    int arrow = std::min(ScrollBarSize, length / 2);
    if (vert) {
        l.Before = Rect(l.Bar.Left, l.Bar.Top, l.Bar.Right, l.Bar.Top + arrow);
        l.After = Rect(l.Bar.Left, l.Bar.Bottom - arrow, l.Bar.Right, l.Bar.Bottom);
        l.Track = Rect(l.Bar.Left, l.Before.Bottom, l.Bar.Right, l.After.Top);
    } else {
        l.Before = Rect(l.Bar.Left, l.Bar.Top, l.Bar.Left + arrow, l.Bar.Bottom);
        l.After = Rect(l.Bar.Right - arrow, l.Bar.Top, l.Bar.Right, l.Bar.Bottom);
        l.Track = Rect(l.Before.Right, l.Bar.Top, l.After.Left, l.Bar.Bottom);
    }
    const SCROLLINFO& si = w.Scroll[bar];
    int range = si.nMax - si.nMin + 1;
    int trackLen = vert ? l.Track.Height() : l.Track.Width();
    if (range <= 0 || trackLen < 8 || (si.nPage && int(si.nPage) >= range)) {
        l.Thumb = TRect{};
        return l;
    }
    int thumbLen = si.nPage ? std::max(8, int(int64_t(trackLen) * si.nPage / range)) : ScrollBarSize;
    thumbLen = std::min(thumbLen, trackLen);
    int maxPos = si.nMax - std::max<int>(int(si.nPage) - 1, 0);
    int span = std::max(1, maxPos - si.nMin);
    int offset = int(int64_t(trackLen - thumbLen) * (std::clamp(si.nPos, si.nMin, maxPos) - si.nMin) / span);
    if (vert)
        l.Thumb = Rect(l.Track.Left, l.Track.Top + offset, l.Track.Right, l.Track.Top + offset + thumbLen);
    else
        l.Thumb = Rect(l.Track.Left + offset, l.Track.Top, l.Track.Left + offset + thumbLen, l.Track.Bottom);
    return l;
}

int PosFromThumb(const TWindowRecord& w, int bar, int thumbStart)
{
    TBarLayout l = LayoutBar(w, bar);
    const SCROLLINFO& si = w.Scroll[bar];
    bool vert = bar == SB_VERT;
    int trackLen = vert ? l.Track.Height() : l.Track.Width();
    int thumbLen = vert ? l.Thumb.Height() : l.Thumb.Width();
    int maxPos = si.nMax - std::max<int>(int(si.nPage) - 1, 0);
    int room = std::max(1, trackLen - thumbLen);
    int offset = std::clamp(thumbStart - (vert ? l.Track.Top : l.Track.Left), 0, room);
    return si.nMin + int(int64_t(offset) * (maxPos - si.nMin) / room);
}

} // namespace

TFrameMetrics FrameMetrics(DWORD style, DWORD exStyle)
{
    TFrameMetrics fm;
    if (style & WS_THICKFRAME)
        fm.Border = (style & WS_MAXIMIZE) ? 0 : 4;  // a maximised window cannot be sized: no border on the screen
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        fm.Border = 3;
    else if (style & WS_BORDER)
        fm.Border = 1;
    if ((style & WS_CAPTION) == WS_CAPTION)
        fm.Caption = (exStyle & WS_EX_TOOLWINDOW) ? 16 : 20;
    if (exStyle & WS_EX_CLIENTEDGE)
        fm.Edge = 2;
    else if (exStyle & WS_EX_STATICEDGE)
        fm.Edge = 1;
    if (style & WS_VSCROLL)
        fm.VScroll = ScrollBarSize;
    if (style & WS_HSCROLL)
        fm.HScroll = ScrollBarSize;
    return fm;
}

TRect DefaultClientRect(const TWindowRecord& w, const TRect& windowRect)
{
    TFrameMetrics fm = FrameMetrics(w.Style, w.ExStyle);
    TRect c{windowRect.Left + fm.Border + fm.Edge, windowRect.Top + fm.Border + fm.Caption + fm.Edge,
            windowRect.Right - fm.Border - fm.Edge - fm.VScroll, windowRect.Bottom - fm.Border - fm.Edge - fm.HScroll};
    c.Right = std::max(c.Right, c.Left);
    c.Bottom = std::max(c.Bottom, c.Top);
    return c;
}

TRect ScrollBarRect(const TWindowRecord& w, int bar)
{
    TFrameMetrics fm = FrameMetrics(w.Style, w.ExStyle);
    TRect inner{fm.Border + fm.Edge, fm.Border + fm.Caption + fm.Edge, w.Width() - fm.Border - fm.Edge,
                w.Height() - fm.Border - fm.Edge};
    if (bar == SB_VERT && fm.VScroll)
        return Rect(inner.Right - fm.VScroll, inner.Top, inner.Right, inner.Bottom - fm.HScroll);
    if (bar == SB_HORZ && fm.HScroll)
        return Rect(inner.Left, inner.Bottom - fm.HScroll, inner.Right - fm.VScroll, inner.Bottom);
    return TRect{};
}

int DefaultHitTest(TWindowRecord& w, TPoint screen)
{
    TPoint o = WM().ScreenOrigin(&w);
    TPoint p{screen.X - o.X, screen.Y - o.Y};
    int width = w.Width(), height = w.Height();
    if (!Bounds(0, 0, width, height).Contains(p))
        return HTNOWHERE;
    if (w.Client.Contains(p))
        return HTCLIENT;
    if (ScrollBarRect(w, SB_VERT).Contains(p))
        return HTVSCROLL;
    if (ScrollBarRect(w, SB_HORZ).Contains(p))
        return HTHSCROLL;
    TFrameMetrics fm = FrameMetrics(w.Style, w.ExStyle);
    bool inBorder = p.X < fm.Border || p.Y < fm.Border || p.X >= width - fm.Border || p.Y >= height - fm.Border;
    if (inBorder) {
        if (!(w.Style & WS_THICKFRAME) || w.Maximized)
            return HTBORDER;
        int corner = std::max(fm.Border, fm.Caption > 0 ? fm.Border + fm.Caption : 16);
        bool left = p.X < corner, right = p.X >= width - corner;
        bool top = p.Y < corner, bottom = p.Y >= height - corner;
        if (p.Y < fm.Border)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (p.Y >= height - fm.Border)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (p.X < fm.Border)
            return top ? HTTOPLEFT : bottom ? HTBOTTOMLEFT : HTLEFT;
        return top ? HTTOPRIGHT : bottom ? HTBOTTOMRIGHT : HTRIGHT;
    }
    if (fm.Caption > 0 && p.Y < fm.Border + fm.Caption) {
        for (const TCaptionButton& b : CaptionButtons(w))
            if (b.Rect.Contains(p))
                return b.Hit;
        if ((w.Style & WS_SYSMENU) && !(w.ExStyle & WS_EX_TOOLWINDOW) && p.X < fm.Border + fm.Caption)
            return HTSYSMENU;
        return HTCAPTION;
    }
    return HTBORDER;
}

void DrawScrollBars(TWindowRecord& w, TDeviceContext& dc)
{
    for (int bar : {SB_HORZ, SB_VERT}) {
        TBarLayout l = LayoutBar(w, bar);
        if (l.Bar.IsEmpty())
            continue;
        FillRect(dc, l.Bar, ColorToRGB(clScrollBar));
        RaisedBox(dc, l.Before, false);
        RaisedBox(dc, l.After, false);
        if (!l.Thumb.IsEmpty())
            RaisedBox(dc, l.Thumb, false);
        // Arrow glyphs: small triangles of lines.
        TColor c = ColorToRGB(clBtnText);
        for (int part = 0; part < 2; ++part) {
            const TRect& r = part == 0 ? l.Before : l.After;
            int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
            for (int i = 0; i < 4; ++i) {
                int s = part == 0 ? i : 3 - i;
                if (bar == SB_VERT)
                    FillRect(dc, Rect(cx - s, cy - 2 + i, cx + s + 1, cy - 1 + i), c);
                else
                    FillRect(dc, Rect(cx - 2 + i, cy - s, cx - 1 + i, cy + s + 1), c);
            }
        }
    }
    TFrameMetrics fm = FrameMetrics(w.Style, w.ExStyle);
    if (fm.VScroll && fm.HScroll) {
        TRect v = ScrollBarRect(w, SB_VERT), h = ScrollBarRect(w, SB_HORZ);
        FillRect(dc, Rect(v.Left, h.Top, v.Right, h.Bottom), ColorToRGB(clBtnFace));
    }
}

void DrawDefaultFrame(TWindowRecord& w, TDeviceContext& dc)
{
    TFrameMetrics fm = FrameMetrics(w.Style, w.ExStyle);
    TRect r = Bounds(0, 0, w.Width(), w.Height());
    if (fm.Border == 1) {
        FrameRect(dc, r, ColorToRGB(clWindowFrame));
    } else if (fm.Border > 1) {
        FillRect(dc, r, ColorToRGB(clBtnFace));
        Edge(dc, r, cl3DLight, cl3DDkShadow);
        TRect in = r;
        in.Inflate(-1, -1);
        Edge(dc, in, clBtnHighlight, clBtnShadow);
    }
    if (fm.Caption > 0) {
        TRect cap{fm.Border, fm.Border, w.Width() - fm.Border, fm.Border + fm.Caption - 1};
        FillRect(dc, cap, ColorToRGB(w.CaptionActive ? clActiveCaption : clInactiveCaption));
        FillRect(dc, Rect(cap.Left, cap.Bottom, cap.Right, cap.Bottom + 1), ColorToRGB(clBtnFace));
        std::vector<TCaptionButton> buttons = CaptionButtons(w);
        int textRight = buttons.empty() ? cap.Right - 2 : buttons.back().Rect.Left - 2;
        TRect textRect{cap.Left + 4, cap.Top, textRight, cap.Bottom};
        TFontData font;
        font.Name = "Tahoma";
        font.Height = -11;
        font.Style = fsBold;
        dc.SelectFont(font);
        dc.SetBkMode(bkTransparent);
        dc.SetTextColor(ColorToRGB(w.CaptionActive ? clCaptionText : clInactiveCaptionText));
        if (!textRect.IsEmpty() && !w.Text.empty()) {
            try {
                DrawText(dc, w.Text, textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
            } catch (const Exception&) {
                // No usable font: the frame is still drawn, without its caption text.
            }
        }
        for (const TCaptionButton& b : buttons) {
            RaisedBox(dc, b.Rect, w.PressedNcButton == b.Hit);
            DrawButtonGlyph(dc, b.Hit, b.Rect, w.Maximized);
        }
    }
    if (fm.Edge > 0) {
        TRect e{fm.Border, fm.Border + fm.Caption, w.Width() - fm.Border, w.Height() - fm.Border};
        Edge(dc, e, clBtnShadow, clBtnHighlight);
        if (fm.Edge > 1) {
            e.Inflate(-1, -1);
            Edge(dc, e, cl3DDkShadow, cl3DLight);
        }
    }
    DrawScrollBars(w, dc);
}

void DefaultNcPaint(TWindowRecord& w)
{
    auto& m = WM();
    if (!m.IsShown(&w))
        return;
    if (w.Client == Bounds(0, 0, w.Width(), w.Height()))
        return;     // no frame to draw
    HDC dc = GetWindowDC(w.Handle);
    if (!dc)
        return;
    dc->ExcludeClipRect(w.Client);
    DrawDefaultFrame(w, *dc);
    ReleaseDC(w.Handle, dc);
}

// ---------------------------------------------------------- system commands

LRESULT DefaultSysCommand(HWND h, WPARAM wp, LPARAM lp)
{
    auto& m = WM();
    UINT command = UINT(wp) & 0xFFF0;
    switch (command) {
    case SC_MOVE:
    case SC_SIZE: {
        TPoint start = lp ? LParamToPoint(lp) : m.CursorPos;
        RunMoveSizeLoop(h, UINT(wp), start);
        return 0;
    }
    case SC_CLOSE:
        m.Send(h, WM_CLOSE);
        return 0;
    case SC_MINIMIZE:
        ShowWindow(h, SW_MINIMIZE);
        return 0;
    case SC_MAXIMIZE:
        ShowWindow(h, SW_MAXIMIZE);
        return 0;
    case SC_RESTORE:
        ShowWindow(h, SW_RESTORE);
        return 0;
    default:
        return 0;       // SC_KEYMENU and the rest: the skinned frame handles them
    }
}

static void ClampToMinMax(HWND h, TRect& r, int edge)
{
    auto& m = WM();
    MINMAXINFO mmi;
    mmi.ptMinTrackSize = TPoint{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = TPoint{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    mmi.ptMaxSize = TPoint{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    m.Send(h, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    int width = std::clamp(r.Width(), mmi.ptMinTrackSize.X, std::max(mmi.ptMinTrackSize.X, mmi.ptMaxTrackSize.X));
    int height = std::clamp(r.Height(), mmi.ptMinTrackSize.Y, std::max(mmi.ptMinTrackSize.Y, mmi.ptMaxTrackSize.Y));
    bool fromLeft = edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
    bool fromTop = edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
    if (fromLeft)
        r.Left = r.Right - width;
    else
        r.Right = r.Left + width;
    if (fromTop)
        r.Top = r.Bottom - height;
    else
        r.Bottom = r.Top + height;
}

// What a gesture's handler makes of one message of its capture loop.
enum class TGestureStep {
    Handled,   // taken; the loop goes on
    Stop,      // the gesture ends
    Abort,     // the window went away: the caller returns at once
    Pass,      // not the gesture's: mouse messages are swallowed, others dispatched
};

// The modal loop of a gesture that holds the mouse: runs while H keeps the
// capture and lives, handing each message first to Handle. A quit message is
// posted again and ends the loop. Answers false when the handler aborted.
template <class THandler>
bool RunCaptureLoop(TWindowManager& m, HWND h, THandler&& Handle)
{
    for (;;) {
        if (m.CaptureWnd != h || !m.Alive(h))
            return true;
        TMsg msg;
        if (!GetMessage(msg, nullptr, 0, 0)) {
            PostQuitMessage(int(msg.wParam));
            return true;
        }
        switch (Handle(msg)) {
        case TGestureStep::Handled: continue;
        case TGestureStep::Stop: return true;
        case TGestureStep::Abort: return false;
        case TGestureStep::Pass: break;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
            continue;   // the gesture owns the mouse
        TranslateMessage(msg);
        DispatchMessage(msg);
    }
}

// Our own modal move or size loop, in full-drag mode: it holds the mouse,
// moves or sizes the window with every mouse move (WM_MOVING / WM_SIZING,
// min-max clamping, then the position change) and ends on release, Enter,
// Escape (back to the start), or when the capture is taken away.
void RunMoveSizeLoop(HWND h, UINT command, TPoint start)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(h);
    if (!w || w->Minimized)
        return;
    bool move = (command & 0xFFF0) == SC_MOVE;
    int edge = move ? 0 : int(command & 0x000F);
    if (!move && (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT))
        return;
    const TRect orig = w->Rect;
    SetCapture(h);
    m.Send(h, WM_ENTERSIZEMOVE);
    bool cancel = false;
    const bool stayed = RunCaptureLoop(m, h, [&](const TMsg& msg) {
        if (!m.Alive(h))
            return TGestureStep::Abort;
        if (msg.message == WM_MOUSEMOVE && msg.hwnd == h) {
            int dx = msg.pt.X - start.X, dy = msg.pt.Y - start.Y;
            TRect r = orig;
            if (move) {
                r.Offset(dx, dy);
                m.Send(h, WM_MOVING, 0, reinterpret_cast<LPARAM>(&r));
            } else {
                if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) r.Left += dx;
                if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT) r.Right += dx;
                if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) r.Top += dy;
                if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT) r.Bottom += dy;
                m.Send(h, WM_SIZING, WPARAM(edge), reinterpret_cast<LPARAM>(&r));
                ClampToMinMax(h, r, edge);
            }
            SetWindowPos(h, nullptr, r.Left, r.Top, r.Width(), r.Height(),
                         SWP_NOZORDER | SWP_NOACTIVATE | (move ? SWP_NOSIZE : 0u));
            return TGestureStep::Handled;
        }
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP)
            return TGestureStep::Stop;
        if (msg.message == WM_KEYDOWN && (msg.wParam == WPARAM(VK_ESCAPE) || msg.wParam == WPARAM(VK_RETURN))) {
            cancel = msg.wParam == WPARAM(VK_ESCAPE);
            return TGestureStep::Stop;
        }
        return TGestureStep::Pass;
    });
    if (!stayed)
        return;
    if (cancel && m.Alive(h))
        SetWindowPos(h, nullptr, orig.Left, orig.Top, orig.Width(), orig.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (m.CaptureWnd == h)
        ReleaseCapture();
    if (m.Alive(h))
        m.Send(h, WM_EXITSIZEMOVE);
}

// A caption button acts when the button is released over it.
void TrackFrameButton(HWND h, int hit)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(h);
    if (!w)
        return;
    w->PressedNcButton = hit;
    DefaultNcPaint(*w);
    SetCapture(h);
    bool fire = false;
    RunCaptureLoop(m, h, [&](const TMsg& msg) {
        if (msg.message != WM_LBUTTONUP)
            return TGestureStep::Pass;
        if (TWindowRecord* again = m.Alive(h))
            fire = DefaultHitTest(*again, msg.pt) == hit;
        return TGestureStep::Stop;
    });
    if (m.CaptureWnd == h)
        ReleaseCapture();
    if (!(w = m.Alive(h)))
        return;
    w->PressedNcButton = 0;
    DefaultNcPaint(*w);
    if (!fire)
        return;
    UINT command = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE : w->Maximized ? SC_RESTORE : SC_MAXIMIZE;
    m.Send(h, WM_SYSCOMMAND, command, 0);
}

// The window's own scroll bar: arrows and pages send one step per press,
// the thumb sends SB_THUMBTRACK while dragged and SB_THUMBPOSITION at the
// end; SB_ENDSCROLL closes every gesture. The window moves its position.
void TrackScrollBar(HWND h, int hit, TPoint start)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(h);
    if (!w)
        return;
    int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
    UINT msgId = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    TPoint o = m.ScreenOrigin(w);
    TPoint p{start.X - o.X, start.Y - o.Y};
    TBarLayout l = LayoutBar(*w, bar);
    bool vert = bar == SB_VERT;
    int code = -1;
    bool thumb = false;
    if (l.Before.Contains(p)) code = SB_LINEUP;
    else if (l.After.Contains(p)) code = SB_LINEDOWN;
    else if (l.Thumb.Contains(p)) thumb = true;
    else if (l.Track.Contains(p)) code = (vert ? p.Y < l.Thumb.Top : p.X < l.Thumb.Left) ? SB_PAGEUP : SB_PAGEDOWN;
    else return;
    if (code >= 0) {
        m.Send(h, msgId, WPARAM(code), 0);
        SetTimer(h, ScrollRepeatTimer, 400);
    }
    if (!(w = m.Alive(h)))
        return;
    int grab = thumb ? (vert ? p.Y - l.Thumb.Top : p.X - l.Thumb.Left) : 0;
    int lastPos = w->Scroll[bar].nPos;
    SetCapture(h);
    RunCaptureLoop(m, h, [&](const TMsg& msg) {
        if (msg.message == WM_LBUTTONUP)
            return TGestureStep::Stop;
        if (msg.message == WM_TIMER && msg.hwnd == h && msg.wParam == ScrollRepeatTimer) {
            // Held on an arrow or the track: repeat, on the track only until
            // the thumb has come under the mouse.
            if (!(w = m.Alive(h)))
                return TGestureStep::Stop;
            TBarLayout now = LayoutBar(*w, bar);
            TPoint q{m.CursorPos.X - o.X, m.CursorPos.Y - o.Y};
            int at = vert ? q.Y : q.X;
            bool repeat = code == SB_LINEUP ? now.Before.Contains(q)
                        : code == SB_LINEDOWN ? now.After.Contains(q)
                        : code == SB_PAGEUP ? now.Track.Contains(q) && at < (vert ? now.Thumb.Top : now.Thumb.Left)
                        : now.Track.Contains(q) && at >= (vert ? now.Thumb.Bottom : now.Thumb.Right);
            if (repeat)
                m.Send(h, msgId, WPARAM(code), 0);
            SetTimer(h, ScrollRepeatTimer, 50);
            return TGestureStep::Handled;
        }
        if (msg.message == WM_MOUSEMOVE && thumb) {
            if (!(w = m.Alive(h)))
                return TGestureStep::Stop;
            TPoint q{msg.pt.X - o.X, msg.pt.Y - o.Y};
            int pos = PosFromThumb(*w, bar, (vert ? q.Y : q.X) - grab);
            if (pos != lastPos) {
                lastPos = pos;
                w->Scroll[bar].nTrackPos = pos;
                m.Send(h, msgId, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
            }
            return TGestureStep::Handled;
        }
        return TGestureStep::Pass;
    });
    KillTimer(h, ScrollRepeatTimer);
    if (m.CaptureWnd == h)
        ReleaseCapture();
    if (!m.Alive(h))
        return;
    if (thumb)
        m.Send(h, msgId, MAKEWPARAM(SB_THUMBPOSITION, lastPos), 0);
    m.Send(h, msgId, SB_ENDSCROLL, 0);
}
