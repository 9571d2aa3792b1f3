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

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(hwnd);
    if (!w)
        return 0;
    switch (msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName)
            w->Text = cs->lpszName;
        return 1;
    }
    case WM_NCCALCSIZE: {
        TRect* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<TRect*>(lParam);
        TRect window = *r;
        TRect client = DefaultClientRect(*w, Bounds(0, 0, window.Width(), window.Height()));
        *r = client.Offsetted(window.Left, window.Top);
        return 0;
    }
    case WM_NCHITTEST:
        return DefaultHitTest(*w, LParamToPoint(lParam));
    case WM_NCPAINT:
        DefaultNcPaint(*w);
        return 0;
    case WM_NCACTIVATE:
        if (w->CaptionActive != (wParam != 0)) {
            w->CaptionActive = wParam != 0;
            if (FrameMetrics(w->Style, w->ExStyle).Caption > 0)
                DefaultNcPaint(*w);
        }
        return 1;
    case WM_SETTEXT:
        w->Text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (FrameMetrics(w->Style, w->ExStyle).Caption > 0)
            DefaultNcPaint(*w);
        return 1;
    case WM_GETTEXT: {
        if (wParam == 0 || !lParam)
            return 0;
        size_t n = std::min(w->Text.size(), size_t(wParam) - 1);
        std::memcpy(reinterpret_cast<char*>(lParam), w->Text.data(), n);
        reinterpret_cast<char*>(lParam)[n] = '\0';
        return LRESULT(n);
    }
    case WM_GETTEXTLENGTH:
        return LRESULT(w->Text.size());
    case WM_SETICON: {
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
    case WM_GETICON: {
        // ICON_SMALL2 (2): the small picture, else the big one.
        const auto& icons = w->Icons;
        const TBitmap* icon = wParam == ICON_BIG ? icons[ICON_BIG].get()
                              : wParam == ICON_SMALL ? icons[ICON_SMALL].get()
                              : icons[ICON_SMALL] ? icons[ICON_SMALL].get() : icons[ICON_BIG].get();
        return reinterpret_cast<LRESULT>(icon);
    }
    case WM_ERASEBKGND: {
        TColor background = w->Class->Background;
        if (background == clNone || !wParam)
            return 0;
        auto* dc = reinterpret_cast<TDeviceContext*>(wParam);
        FillRect(*dc, Bounds(0, 0, w->Client.Width(), w->Client.Height()), background);
        return 1;
    }
    case WM_PAINT: {
        if (wParam)
            return 0;   // painting into a given context: nothing of our own to draw
        PAINTSTRUCT ps;
        BeginPaint(hwnd, ps);
        EndPaint(hwnd, ps);
        return 0;
    }
    case WM_PRINT:
        if (wParam)
            PrintInto(m, hwnd, *reinterpret_cast<TDeviceContext*>(wParam), lParam);
        return 0;
    case WM_PRINTCLIENT:
        // The class library paints into a given context through WM_PAINT.
        return m.Send(hwnd, WM_PAINT, wParam, 0);
    case WM_SYNCPAINT:
        return 0;
    case WM_SETREDRAW:
        w->RedrawOff = wParam == 0;
        return 0;
    case WM_WINDOWPOSCHANGED: {
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
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_QUERYENDSESSION:
        return 1;
    case WM_SYSCOMMAND:
        return DefaultSysCommand(hwnd, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        // Only the caption's double click is left to the skinned frame; on
        // buttons, borders and bars the second press acts as a press.
        if (int(wParam) == HTCAPTION || int(wParam) == HTSYSMENU)
            return 0;
        [[fallthrough]];
    case WM_NCLBUTTONDOWN: {
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
    case WM_RBUTTONUP: {
        TPoint p = LParamToPoint(lParam);
        ClientToScreen(hwnd, p);
        m.Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(p.X, p.Y));
        return 0;
    }
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        if (w->IsChild())
            return m.Send(w->Parent, msg, wParam, lParam);
        return 0;
    case WM_SETCURSOR: {
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
    case WM_MOUSEACTIVATE:
        if (w->IsChild()) {
            if (LRESULT r = m.Send(w->Parent, WM_MOUSEACTIVATE, wParam, lParam))
                return r;
        }
        return MA_ACTIVATE;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam))
            SetFocus(hwnd);
        return 0;
    case WM_CANCELMODE:
        if (m.CaptureWnd)
            ReleaseCapture();
        return 0;
    case WM_SYSKEYDOWN: {
        bool alt = (lParam & KF_ALTDOWN_BIT) != 0;
        if (alt && wParam == WPARAM(VK_F4))
            m.Send(Root(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (wParam == WPARAM(VK_F10) && (m.KeyState[VK_SHIFT] & 0x80))
            m.Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
        return 0;
    }
    case WM_SYSKEYUP:
        if ((wParam == WPARAM(VK_MENU) && (lParam & KF_ALONE_BIT)) ||
            (wParam == WPARAM(VK_F10) && !(m.KeyState[VK_SHIFT] & 0x80)))
            m.Send(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
        return 0;
    case WM_SYSCHAR:
        if (lParam & KF_ALTDOWN_BIT)
            m.Send(Root(hwnd), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(wParam));
        return 0;
    case WM_KEYUP:
        if (wParam == WPARAM(VK_APPS))
            m.Send(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(-1, -1));
        return 0;
    default:
        return 0;
    }
}
