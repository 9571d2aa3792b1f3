#include <algorithm>
#include <cstring>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Draw.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

HCURSOR CursorForHit(int hit)
{
    switch (hit) {
    case HTLEFT:
    case HTRIGHT: return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return IDC_ARROW;
    }
}

HWND Root(HWND h)
{
    HWND r = GetAncestor(h, GA_ROOT);
    return r ? r : h;
}

// Prints a window into a foreign context: frame, background, client, and
// the children at their places, each clipped to its own rectangle.
void PrintInto(TWindowManager& m, HWND h, TDeviceContext& dc, LPARAM flags)
{
    TWindowRecord* w = m.Alive(h);
    if (!w)
        return;
    if ((flags & PRF_CHECKVISIBLE) && !w->Visible())
        return;
    if (flags & PRF_NONCLIENT) {
        TSavedDC saved(dc);
        DrawDefaultFrame(*w, dc);
    }
    TSavedDC saved(dc);
    dc.OffsetViewportOrg(w->Client.Left, w->Client.Top);
    dc.IntersectClipRect(Bounds(0, 0, w->Client.Width(), w->Client.Height()));
    if (flags & PRF_ERASEBKGND)
        m.Send(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc), 0);
    if (flags & PRF_CLIENT)
        m.Send(h, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(&dc), flags);
    if ((flags & PRF_CHILDREN) && (w = m.Alive(h))) {
        std::vector<HWND> kids(w->Children.rbegin(), w->Children.rend());
        for (HWND c : kids) {
            TWindowRecord* cw = m.Alive(c);
            if (!cw || !cw->Visible())
                continue;
            TSavedDC inner(dc);
            dc.IntersectClipRect(cw->Rect);
            dc.OffsetViewportOrg(cw->Rect.Left, cw->Rect.Top);
            m.Send(c, WM_PRINT, reinterpret_cast<WPARAM>(&dc), flags | PRF_NONCLIENT);
        }
    }
}

// The default procedure's handlers, one per message.

LRESULT DefaultNcCreate(TWindowRecord* w, LPARAM lParam)
{
    auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
    if (cs && cs->lpszName)
        w->Text = cs->lpszName;
    return 1;
}

LRESULT DefaultNcCalcSize(TWindowRecord* w, WPARAM wParam, LPARAM lParam)
{
    TRect* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<TRect*>(lParam);
    TRect window = *r;
    TRect client = DefaultClientRect(*w, Bounds(0, 0, window.Width(), window.Height()));
    *r = client.Offsetted(window.Left, window.Top);
    return 0;
}

LRESULT DefaultNcActivate(TWindowRecord* w, WPARAM wParam)
{
    if (w->CaptionActive != (wParam != 0)) {
        w->CaptionActive = wParam != 0;
        if (FrameMetrics(w->Style, w->ExStyle).Caption > 0)
            DefaultNcPaint(*w);
    }
    return 1;
}

LRESULT DefaultSetText(TWindowRecord* w, LPARAM lParam)
{
    w->Text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    if (FrameMetrics(w->Style, w->ExStyle).Caption > 0)
        DefaultNcPaint(*w);
    return 1;
}

LRESULT DefaultGetText(TWindowRecord* w, WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0 || !lParam)
        return 0;
    size_t n = std::min(w->Text.size(), size_t(wParam) - 1);
    std::memcpy(reinterpret_cast<char*>(lParam), w->Text.data(), n);
    reinterpret_cast<char*>(lParam)[n] = '\0';
    return LRESULT(n);
}

LRESULT DefaultSetIcon(TWindowManager& m, TWindowRecord* w, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    // The window keeps a copy; the desktop shows the big picture, else the small one.
    if (wParam != ICON_SMALL && wParam != ICON_BIG)
        return 0;
    // The answer is the previous copy's HICON, kept until the next
    // WM_SETICON of that kind (or the window's end), so it can be set back.
    auto icon = reinterpret_cast<HICON>(lParam);
    auto copy = icon && !icon->Empty() ? std::make_unique<TBitmap>(*icon) : nullptr;
    w->OldIcons[wParam] = std::move(w->Icons[wParam]);
    w->Icons[wParam] = std::move(copy);
    if (!w->IsChild()) {
        const TBitmap* shown = w->Icons[ICON_BIG] ? w->Icons[ICON_BIG].get() : w->Icons[ICON_SMALL].get();
        m.Backend().WindowIconChanged(hwnd, shown);
    }
    return reinterpret_cast<LRESULT>(w->OldIcons[wParam].get());
}

LRESULT DefaultGetIcon(TWindowRecord* w, WPARAM wParam)
{
    // ICON_SMALL2 (2): the small picture, else the big one.
    const auto& icons = w->Icons;
    const TBitmap* icon = wParam == ICON_BIG     ? icons[ICON_BIG].get()
                          : wParam == ICON_SMALL ? icons[ICON_SMALL].get()
                          : icons[ICON_SMALL]    ? icons[ICON_SMALL].get()
                                                 : icons[ICON_BIG].get();
    return reinterpret_cast<LRESULT>(icon);
}

LRESULT DefaultEraseBackground(TWindowRecord* w, WPARAM wParam)
{
    TColor background = w->Class->Background;
    if (background == clNone || !wParam)
        return 0;
    auto* dc = reinterpret_cast<TDeviceContext*>(wParam);
    FillRect(*dc, Bounds(0, 0, w->Client.Width(), w->Client.Height()), background);
    return 1;
}

LRESULT DefaultPaint(HWND hwnd, WPARAM wParam)
{
    if (wParam)
        return 0;  // painting into a given context: nothing of our own to draw
    PAINTSTRUCT ps;
    BeginPaint(hwnd, ps);
    EndPaint(hwnd, ps);
    return 0;
}

LRESULT DefaultPrint(TWindowManager& m, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (wParam)
        PrintInto(m, hwnd, *reinterpret_cast<TDeviceContext*>(wParam), lParam);
    return 0;
}

LRESULT DefaultPrintClient(TWindowManager& m, HWND hwnd, WPARAM wParam)
{
    // The class library paints into a given context through WM_PAINT.
    return m.Send(hwnd, WM_PAINT, wParam, 0);
}

LRESULT DefaultWindowPosChanged(TWindowManager& m, TWindowRecord* w, HWND hwnd, LPARAM lParam)
{
    auto* wp = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!(wp->flags & SWP_NOMOVE)) {
        TPoint origin{w->Rect.Left + w->Client.Left, w->Rect.Top + w->Client.Top};
        m.Send(hwnd, WM_MOVE, 0, MAKELPARAM(origin.X, origin.Y));
    }
    if (!(wp->flags & SWP_NOSIZE) && (w = m.Find(hwnd))) {
        int kind = w->Maximized ? SIZE_MAXIMIZED : w->Minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
        m.Send(hwnd, WM_SIZE, WPARAM(kind), MAKELPARAM(w->Client.Width(), w->Client.Height()));
    }
    return 0;
}

LRESULT DefaultNcLeftButtonDown(TWindowManager& m, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    int hit = int(wParam);
    if (hit == HTCAPTION)
        m.Send(hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION, lParam);
    else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
        m.Send(hwnd, WM_SYSCOMMAND, SC_SIZE + WPARAM(hit - HTLEFT + WMSZ_LEFT), lParam);
    else if (hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON)
        TrackFrameButton(hwnd, hit);
    else if (hit == HTVSCROLL || hit == HTHSCROLL)
        TrackScrollBar(hwnd, hit, LParamToPoint(lParam));
    return 0;
}

LRESULT DefaultNcLeftButtonDoubleClick(TWindowManager& m, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    // Only the caption's double click is left to the skinned frame; on
    // buttons, borders and bars the second press acts as a press.
    if (int(wParam) == HTCAPTION || int(wParam) == HTSYSMENU)
        return 0;
    return DefaultNcLeftButtonDown(m, hwnd, wParam, lParam);
}

LRESULT DefaultRightButtonUp(TWindowManager& m, HWND hwnd, LPARAM lParam)
{
    TPoint p = LParamToPoint(lParam);
    ClientToScreen(hwnd, p);
    m.Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.X, p.Y));
    return 0;
}

LRESULT DefaultPassToParent(TWindowManager& m, TWindowRecord* w, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (w->IsChild())
        return m.Send(w->Parent, msg, wParam, lParam);
    return 0;
}

LRESULT DefaultSetCursorForHit(TWindowManager& m, TWindowRecord* w, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    int hit = int(short(LOWORD(lParam)));
    HWND under = reinterpret_cast<HWND>(wParam);
    bool sizing = hit >= HTLEFT && hit <= HTBOTTOMRIGHT;
    // The parent has the first say, except over a sizing border.
    if (w->IsChild() && !sizing && m.Send(w->Parent, WM_SETCURSOR, wParam, lParam))
        return 1;
    if (under != hwnd)
        return 0;
    if (hit == HTERROR) {
        if (HIWORD(lParam) == WM_LBUTTONDOWN || HIWORD(lParam) == WM_RBUTTONDOWN)
            m.Backend().Beep(0);
        return 0;
    }
    if (hit == HTCLIENT) {
        HCURSOR c = w->Class->Cursor;
        SetCursor(c ? c : IDC_ARROW);
        return c ? 1 : 0;
    }
    SetCursor(CursorForHit(hit));
    return 1;
}

LRESULT DefaultMouseActivate(TWindowManager& m, TWindowRecord* w, WPARAM wParam, LPARAM lParam)
{
    if (w->IsChild()) {
        if (LRESULT r = m.Send(w->Parent, WM_MOUSEACTIVATE, wParam, lParam))
            return r;
    }
    return MA_ACTIVATE;
}

LRESULT DefaultActivate(HWND hwnd, WPARAM wParam)
{
    if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
        SetFocus(hwnd);
    return 0;
}

LRESULT DefaultCancelMode(TWindowManager& m)
{
    if (m.CaptureWnd)
        ReleaseCapture();
    return 0;
}

LRESULT DefaultSysKeyDown(TWindowManager& m, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    bool alt = (lParam & KF_ALTDOWN_BIT) != 0;
    if (alt && wParam == WPARAM(VK_F4))
        m.Send(Root(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
    else if (wParam == WPARAM(VK_F10) && (m.KeyState[VK_SHIFT] & 0x80))
        m.Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
    return 0;
}

LRESULT DefaultSysKeyUp(TWindowManager& m, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if ((wParam == WPARAM(VK_MENU) && (lParam & KF_ALONE_BIT)) ||
        (wParam == WPARAM(VK_F10) && !(m.KeyState[VK_SHIFT] & 0x80)))
        m.Send(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
    return 0;
}

LRESULT DefaultSysChar(TWindowManager& m, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (lParam & KF_ALTDOWN_BIT)
        m.Send(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
    return 0;
}

LRESULT DefaultKeyUp(TWindowManager& m, HWND hwnd, WPARAM wParam)
{
    if (wParam == WPARAM(VK_APPS))
        m.Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
    return 0;
}

}  // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE: return DefaultNcCreate(w, lParam);
    case WM_NCCALCSIZE: return DefaultNcCalcSize(w, wParam, lParam);
    case WM_NCHITTEST: return DefaultHitTest(*w, LParamToPoint(lParam));
    case WM_NCPAINT: DefaultNcPaint(*w); return 0;
    case WM_NCACTIVATE: return DefaultNcActivate(w, wParam);
    case WM_SETTEXT: return DefaultSetText(w, lParam);
    case WM_GETTEXT: return DefaultGetText(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return LRESULT(w->Text.size());
    case WM_SETICON: return DefaultSetIcon(m, w, hwnd, wParam, lParam);
    case WM_GETICON: return DefaultGetIcon(w, wParam);
    case WM_ERASEBKGND: return DefaultEraseBackground(w, wParam);
    case WM_PAINT: return DefaultPaint(hwnd, wParam);
    case WM_PRINT: return DefaultPrint(m, hwnd, wParam, lParam);
    case WM_PRINTCLIENT: return DefaultPrintClient(m, hwnd, wParam);
    case WM_SYNCPAINT: return 0;
    case WM_SETREDRAW:
        w->RedrawOff = wParam == 0;
        m.PaintRequested();
        return 0;
    case WM_WINDOWPOSCHANGED: return DefaultWindowPosChanged(m, w, hwnd, lParam);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_QUERYENDSESSION: return 1;
    case WM_SYSCOMMAND: return DefaultSysCommand(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return DefaultNcLeftButtonDoubleClick(m, hwnd, wParam, lParam);
    case WM_NCLBUTTONDOWN: return DefaultNcLeftButtonDown(m, hwnd, wParam, lParam);
    case WM_RBUTTONUP: return DefaultRightButtonUp(m, hwnd, lParam);
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: return DefaultPassToParent(m, w, msg, wParam, lParam);
    case WM_SETCURSOR: return DefaultSetCursorForHit(m, w, hwnd, wParam, lParam);
    case WM_MOUSEACTIVATE: return DefaultMouseActivate(m, w, wParam, lParam);
    case WM_ACTIVATE: return DefaultActivate(hwnd, wParam);
    case WM_CANCELMODE: return DefaultCancelMode(m);
    case WM_SYSKEYDOWN: return DefaultSysKeyDown(m, hwnd, wParam, lParam);
    case WM_SYSKEYUP: return DefaultSysKeyUp(m, hwnd, wParam, lParam);
    case WM_SYSCHAR: return DefaultSysChar(m, hwnd, wParam, lParam);
    case WM_KEYUP: return DefaultKeyUp(m, hwnd, wParam);
    default: return 0;
    }
}
