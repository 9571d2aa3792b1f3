#pragma once
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"

// Test windows of class "Probe" record the messages a test watches as lines
// "<window> <MESSAGE>[(<detail>)]" and can be given handlers per message.
class TWmTest : public ::testing::Test {
protected:
    using THandler = std::function<std::optional<LRESULT>(HWND, WPARAM, LPARAM)>;

    void SetUp() override
    {
        Screen = &UseHeadlessBackend();
        Self() = this;
        WNDCLASS wc;
        wc.lpszClassName = "Probe";
        wc.lpfnWndProc = &TWmTest::Proc;
        wc.hbrBackground = clWhite;
        RegisterClass(wc);
        wc.lpszClassName = "ProbeDbl";
        wc.style = CS_DBLCLKS;
        RegisterClass(wc);
    }

    void TearDown() override
    {
        UseHeadlessBackend();
        UnregisterClass("Probe");
        UnregisterClass("ProbeDbl");
        Self() = nullptr;
    }

    HWND Make(const std::string& name, DWORD style, TRect r, HWND parent = nullptr, DWORD exStyle = 0,
              const std::string& cls = "Probe")
    {
        PendingName = name;     // names the window from its first message on
        HWND h = CreateWindowEx(exStyle, cls, name, style, r.Left, r.Top, r.Width(), r.Height(), parent);
        PendingName.clear();
        Names[h] = name;
        return h;
    }

    void On(HWND h, UINT msg, THandler handler) { Handlers[{h, msg}] = std::move(handler); }
    void Watch(std::initializer_list<UINT> messages) { Watched = messages; Trace.clear(); }
    void Pump() { ProcessWindowMessages(); }
    std::vector<std::string> Take()
    {
        std::vector<std::string> t = std::move(Trace);
        Trace.clear();
        return t;
    }

    static std::string Describe(UINT msg, WPARAM wp, LPARAM lp);

    THeadlessBackend* Screen = nullptr;
    std::map<HWND, std::string> Names;
    std::map<std::pair<HWND, UINT>, THandler> Handlers;
    std::set<UINT> Watched;
    std::vector<std::string> Trace;
    std::string PendingName;

private:
    static TWmTest*& Self()
    {
        static TWmTest* self = nullptr;
        return self;
    }

    static LRESULT Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
    {
        TWmTest* t = Self();
        if (t) {
            if (!t->Names.count(h) && !t->PendingName.empty())
                t->Names[h] = t->PendingName;
            if (t->Watched.count(msg)) {
                auto n = t->Names.find(h);
                t->Trace.push_back((n == t->Names.end() ? std::string("?") : n->second) + " " + Describe(msg, wp, lp));
            }
            auto it = t->Handlers.find({h, msg});
            if (it != t->Handlers.end()) {
                THandler handler = it->second;
                if (std::optional<LRESULT> r = handler(h, wp, lp))
                    return *r;
            }
        }
        return DefWindowProc(h, msg, wp, lp);
    }
};

inline std::string TWmTest::Describe(UINT msg, WPARAM wp, LPARAM lp)
{
    static const std::map<UINT, std::string> names = {
        {WM_CREATE, "CREATE"}, {WM_DESTROY, "DESTROY"}, {WM_NCDESTROY, "NCDESTROY"}, {WM_MOVE, "MOVE"}, {WM_SIZE, "SIZE"},
        {WM_ACTIVATE, "ACTIVATE"}, {WM_SETFOCUS, "SETFOCUS"}, {WM_KILLFOCUS, "KILLFOCUS"},
        {WM_PAINT, "PAINT"}, {WM_CLOSE, "CLOSE"}, {WM_ERASEBKGND, "ERASEBKGND"}, {WM_SHOWWINDOW, "SHOWWINDOW"},
        {WM_CANCELMODE, "CANCELMODE"}, {WM_SETCURSOR, "SETCURSOR"}, {WM_MOUSEACTIVATE, "MOUSEACTIVATE"},
        {WM_GETMINMAXINFO, "GETMINMAXINFO"}, {WM_WINDOWPOSCHANGING, "WINDOWPOSCHANGING"},
        {WM_WINDOWPOSCHANGED, "WINDOWPOSCHANGED"}, {WM_CONTEXTMENU, "CONTEXTMENU"}, {WM_NCCREATE, "NCCREATE"},
        {WM_NCCALCSIZE, "NCCALCSIZE"}, {WM_NCHITTEST, "NCHITTEST"}, {WM_NCPAINT, "NCPAINT"},
        {WM_NCACTIVATE, "NCACTIVATE"}, {WM_NCMOUSEMOVE, "NCMOUSEMOVE"}, {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"},
        {WM_NCLBUTTONUP, "NCLBUTTONUP"}, {WM_NCLBUTTONDBLCLK, "NCLBUTTONDBLCLK"}, {WM_NCRBUTTONUP, "NCRBUTTONUP"},
        {WM_KEYDOWN, "KEYDOWN"}, {WM_KEYUP, "KEYUP"}, {WM_CHAR, "CHAR"}, {WM_SYSKEYDOWN, "SYSKEYDOWN"},
        {WM_SYSKEYUP, "SYSKEYUP"}, {WM_SYSCHAR, "SYSCHAR"}, {WM_SYSCOMMAND, "SYSCOMMAND"}, {WM_TIMER, "TIMER"},
        {WM_HSCROLL, "HSCROLL"}, {WM_VSCROLL, "VSCROLL"}, {WM_MOUSEMOVE, "MOUSEMOVE"},
        {WM_LBUTTONDOWN, "LBUTTONDOWN"}, {WM_LBUTTONUP, "LBUTTONUP"}, {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "RBUTTONDOWN"}, {WM_RBUTTONUP, "RBUTTONUP"}, {WM_MOUSEWHEEL, "MOUSEWHEEL"},
        {WM_PARENTNOTIFY, "PARENTNOTIFY"}, {WM_SIZING, "SIZING"}, {WM_CAPTURECHANGED, "CAPTURECHANGED"},
        {WM_MOVING, "MOVING"}, {WM_ENTERSIZEMOVE, "ENTERSIZEMOVE"}, {WM_EXITSIZEMOVE, "EXITSIZEMOVE"},
        {WM_MOUSELEAVE, "MOUSELEAVE"}, {CM_MOUSEENTER, "CM_MOUSEENTER"}, {CM_MOUSELEAVE, "CM_MOUSELEAVE"},
        {WM_USER, "USER"}, {WM_USER + 1, "USER+1"}, {WM_STYLECHANGING, "STYLECHANGING"},
        {WM_STYLECHANGED, "STYLECHANGED"}, {WM_ENABLE, "ENABLE"}, {WM_ACTIVATEAPP, "ACTIVATEAPP"}};
    auto it = names.find(msg);
    std::string s = it == names.end() ? std::to_string(msg) : it->second;
    switch (msg) {
    case WM_SHOWWINDOW:
    case WM_NCACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_ENABLE:
        return s + "(" + std::to_string(wp) + ")";
    case WM_ACTIVATE:
        return s + "(" + std::to_string(LOWORD(wp)) + ")";
    case WM_SYSCOMMAND:
        return s + "(" + std::to_string(wp & 0xFFF0) + "," + std::to_string(lp) + ")";
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_TIMER:
        return s + "(" + std::to_string(wp) + ")";
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_SIZING:
        return s + "(" + std::to_string(wp) + ")";
    case WM_SIZE:
    case WM_MOVE:
        return s + "(" + std::to_string(GET_X_LPARAM(lp)) + "," + std::to_string(GET_Y_LPARAM(lp)) + ")";
    case WM_CONTEXTMENU:
        return s + "(" + std::to_string(GET_X_LPARAM(lp)) + "," + std::to_string(GET_Y_LPARAM(lp)) + ")";
    case WM_PARENTNOTIFY:
        return s + "(" + std::to_string(LOWORD(wp)) + ")";
    case WM_MOUSEWHEEL:
        return s + "(" + std::to_string(GET_WHEEL_DELTA_WPARAM(wp)) + ")";
    case WM_VSCROLL:
    case WM_HSCROLL:
        return s + "(" + std::to_string(LOWORD(wp)) + "," + std::to_string(HIWORD(wp)) + ")";
    default:
        return s;
    }
}

// The colour of a picture's pixel as 0x00BBGGRR (24- or 32-bit pictures).
inline TColor PixelAt(const TBitmap& b, int x, int y)
{
    return b.GetPixel(x, y) & 0xFFFFFF;
}
