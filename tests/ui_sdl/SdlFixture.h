#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>
#include "XDesktop.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/sdl/SdlBackend.h"

// Real SDL windows on a private X server: the test plays the user through
// XTEST and the desktop through the protocol a window manager speaks, and
// reads back what the server shows. Test windows of class "SdlProbe" log
// their messages and take handlers per message.

using namespace std::chrono_literals;

// Where screenshots of the private display go, to be looked at.
inline std::string RenderPath(const std::string& name)
{
    std::filesystem::path dir(SDL_RENDER_DIR);
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    return (dir / name).string();
}
using TClock = std::chrono::steady_clock;

constexpr TColor FormColor = 0x00FF00;     // green, the same either way round
constexpr DWORD FormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct TLogged {
    HWND Wnd;
    UINT Msg;
    WPARAM W;
    LPARAM L;
};

class SdlDesktop : public ::testing::Test {
protected:
    using THandler = std::function<std::optional<LRESULT>(HWND, WPARAM, LPARAM)>;

    void SetUp() override
    {
        if (std::getenv("ZARVO_NO_XVFB"))
            GTEST_SKIP() << "Xvfb is missing";
        Self() = this;
        Backend = &UseSdlBackend();
        ASSERT_TRUE(X.Open());
        WNDCLASS wc;
        wc.lpszClassName = "SdlProbe";
        wc.lpfnWndProc = &SdlDesktop::Proc;
        wc.hbrBackground = FormColor;
        RegisterClass(wc);
    }

    void TearDown() override
    {
        if (!Backend)
            return;
        UseHeadlessBackend();
        UnregisterClass("SdlProbe");
        Self() = nullptr;
    }

    static SdlDesktop*& Self()
    {
        static SdlDesktop* self = nullptr;
        return self;
    }

    static LRESULT Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
    {
        SdlDesktop* t = Self();
        if (t) {
            t->Log.push_back(TLogged{h, msg, wp, lp});
            auto it = t->Handlers.find({h, msg});
            if (it != t->Handlers.end())
                if (std::optional<LRESULT> r = it->second(h, wp, lp))
                    return *r;
        }
        return DefWindowProc(h, msg, wp, lp);
    }

    HWND Form(const std::string& caption, TRect r)
    {
        HWND h = CreateWindowEx(0, "SdlProbe", caption, FormStyle, r.Left, r.Top, r.Width(), r.Height(), nullptr);
        ShowWindow(h, SW_SHOW);
        return h;
    }

    void On(HWND h, UINT msg, THandler handler) { Handlers[{h, msg}] = std::move(handler); }

    // Runs our loop and SDL's until the condition holds (false after the limit).
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 5000ms)
    {
        auto end = TClock::now() + limit;
        for (;;) {
            ProcessWindowMessages();
            if (done())
                return true;
            if (TClock::now() > end)
                return false;
            Backend->WaitForEvents(10);
        }
    }

    // The form is on the screen where we put it, showing its picture, and
    // holds the keyboard focus.
    void WaitShown(HWND h)
    {
        TRect r;
        GetWindowRect(h, r);
        unsigned long xw = Backend->NativeWindow(h);
        ASSERT_NE(xw, 0u);
        ASSERT_TRUE(PumpUntil([&] { return X.Mapped(xw) && X.Geometry(xw) == r; })) << "window not placed";
    }

    bool Got(HWND h, UINT msg, std::optional<WPARAM> wp = {}) const
    {
        return std::any_of(Log.begin(), Log.end(),
                           [&](const TLogged& l) { return l.Wnd == h && l.Msg == msg && (!wp || l.W == *wp); });
    }

    size_t IndexOf(HWND h, UINT msg, std::optional<WPARAM> wp = {}) const
    {
        for (size_t i = 0; i < Log.size(); ++i)
            if (Log[i].Wnd == h && Log[i].Msg == msg && (!wp || Log[i].W == *wp))
                return i;
        return Log.size();
    }

    TPoint ClientPoint(HWND h, TPoint screen)
    {
        ScreenToClient(h, screen);
        return screen;
    }

    TSdlBackend* Backend = nullptr;
    TXDesktop X;
    std::vector<TLogged> Log;
    std::map<std::pair<HWND, UINT>, THandler> Handlers;
};
