#include "platform/gfx/Draw.h"
#include "platform/ui/Input.h"
#include "platform/ui/WindowManager.h"

// One caret for the program, owned by a window. While shown it is inverted
// into the window's part of the store (no blinking), and taken out again
// before the window paints, so painting never buries or smears it.

namespace {

void Toggle(TWindowManager& m)
{
    auto& c = m.Caret;
    TWindowRecord* w = m.Alive(c.Wnd);
    if (!w)
        return;
    HDC dc = m.MakeDc(w, true, nullptr);
    InvertRect(*dc, Bounds(c.Pos.X, c.Pos.Y, c.Size.cx, c.Size.cy));
    m.Dcs.erase(dc);
    c.Drawn = !c.Drawn;
}

void TakeOut(TWindowManager& m)
{
    if (m.Caret.Drawn)
        Toggle(m);
}

void PutIn(TWindowManager& m)
{
    if (!m.Caret.Drawn && m.Caret.HideCount == 0 && m.Caret.Size.cx > 0 && m.Caret.Size.cy > 0)
        Toggle(m);
}

} // namespace

void HideCaretFor(HWND h)
{
    auto& m = WM();
    if (m.Caret.Wnd && m.Caret.Wnd == h) {
        TakeOut(m);
        ++m.Caret.HideCount;
    }
}

void ShowCaretFor(HWND h)
{
    auto& m = WM();
    if (m.Caret.Wnd && m.Caret.Wnd == h && m.Caret.HideCount > 0 && --m.Caret.HideCount == 0)
        PutIn(m);
}

bool CreateCaret(HWND hwnd, int width, int height)
{
    auto& m = WM();
    if (!m.Alive(hwnd))
        return false;
    DestroyCaret();
    m.Caret = TWindowManager::TCaret{hwnd, TSize{width, height}, TPoint{}, 1, false};
    return true;
}

bool DestroyCaret()
{
    auto& m = WM();
    TakeOut(m);
    m.Caret = TWindowManager::TCaret{};
    return true;
}

bool ShowCaret(HWND hwnd)
{
    auto& c = WM().Caret;
    if (!c.Wnd || (hwnd && hwnd != c.Wnd))
        return false;
    ShowCaretFor(c.Wnd);
    return true;
}

bool HideCaret(HWND hwnd)
{
    auto& c = WM().Caret;
    if (!c.Wnd || (hwnd && hwnd != c.Wnd))
        return false;
    HideCaretFor(c.Wnd);
    return true;
}

bool SetCaretPos(int x, int y)
{
    auto& m = WM();
    if (!m.Caret.Wnd)
        return false;
    bool shown = m.Caret.Drawn;
    TakeOut(m);
    m.Caret.Pos = TPoint{x, y};
    if (shown)
        PutIn(m);
    return true;
}

bool GetCaretPos(TPoint& point)
{
    point = WM().Caret.Pos;
    return WM().Caret.Wnd != nullptr;
}

bool CaretVisible()
{
    const auto& c = WM().Caret;
    return c.Wnd && c.HideCount == 0;
}
