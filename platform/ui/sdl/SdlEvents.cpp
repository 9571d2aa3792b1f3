#include <SDL.h>
#include <poll.h>
#include <unistd.h>
#include <chrono>
#include <algorithm>
#include <climits>
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/sdl/SdlBackend.h"
#include "platform/ui/sdl/SdlKeys.h"
#include "platform/ui/sdl/SdlTray.h"
#include "platform/ui/sdl/X11Tray.h"
#include "platform/ui/sdl/X11Compositor.h"
#include "platform/ui/sdl/X11Selections.h"
#include "platform/ui/sdl/X11Desktop.h"

// SDL events become our input and messages. Pointer input comes from the
// raw X events (root coordinates) and is routed by our own hit testing and
// capture, never by SDL's window id. Changes the desktop makes to a window
// are collected while SDL is pumped and applied afterwards, so window
// procedures never run inside SDL's event queue.

namespace {

bool CanActivate(TWindowRecord* w)
{
    return w && w->Visible() && !w->Minimized && w->Enabled() && !(w->ExStyle & WS_EX_NOACTIVATE);
}

} // namespace

void TSdlBackend::WaitForEvents(int64_t timeoutMs)
{
    SyncWithWindowManager();
    FInPump = true;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max<int64_t>(0, timeoutMs));
    for (bool waited = false;;) {
        SDL_Event ev;
        bool any = false;
        while (SDL_PollEvent(&ev)) {
            HandleEvent(ev);
            any = true;
        }
        if (any || TakeWake() || timeoutMs == 0 || waited)
            break;
        int wait = -1;
        if (timeoutMs > 0) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
            if (left <= 0)
                break;
            wait = int(std::min<int64_t>(left, INT_MAX));
        }
        // Sleeps until X has something for SDL, a wake or the time is up;
        // then SDL is pumped once more.
        WaitReadable(wait);
        waited = wait >= 0 && std::chrono::steady_clock::now() >= deadline;
    }
    TakeWake();
    FInPump = false;
    RunDesktopActions();
}

bool TSdlBackend::TakeWake()
{
    uint64_t count = 0;
    return read(FWakeFd, &count, sizeof(count)) == sizeof(count) && count > 0;
}

void TSdlBackend::WaitReadable(int timeoutMs)
{
    // Events Xlib read already (during some reply) never make the socket readable.
    if (X11EventsQueued(FAnchor))
        return;
    pollfd fds[2] = {{FWakeFd, POLLIN, 0}, {X11ConnectionFd(FAnchor), POLLIN, 0}};
    poll(fds, fds[1].fd >= 0 ? 2 : 1, timeoutMs);
}

void TSdlBackend::RunDesktopActions()
{
    std::vector<std::function<void()>> actions;
    actions.swap(FActions);
    for (auto& action : actions)
        action();
}

void TSdlBackend::HandleEvent(const SDL_Event& ev)
{
    switch (ev.type) {
    case SDL_SYSWMEVENT: {
        if (IsX11SelectionChange(ev.syswm.msg, X11CompositorSelection)) {
            FActions.push_back([this] { CompositorChanged(); });
            break;
        }
        if (IsX11SelectionChange(ev.syswm.msg, X11TraySelection)) {
            FActions.push_back([this] { TrayHostChanged(); });
            break;
        }
        if (FTray->HandleRawEvent(ev.syswm.msg))
            break;
        TX11Pointer p = TranslateX11Pointer(ev.syswm.msg);
        switch (p.Kind) {
        case TX11Pointer::pkMove:
            InjectMouseMove(p.Screen);
            DropMotionTwin();
            break;
        case TX11Pointer::pkButtonDown: InjectMouseButton(p.Button, true, p.Screen); break;
        case TX11Pointer::pkButtonUp: InjectMouseButton(p.Button, false, p.Screen); break;
        case TX11Pointer::pkWheel: InjectMouseWheel(p.WheelDelta, p.Screen); break;
        case TX11Pointer::pkNone: break;
        }
        break;
    }
    case SDL_MOUSEMOTION:
        // A free move (XInput2): relative to the window, which is where we
        // put it. SDL clamps the moves it makes up itself (after a release
        // outside the window) to the window's edge: those are dropped, the
        // crossing events tell where the pointer really went.
        if (TDesktopWindow* d = Desktop(WindowOfId(ev.motion.windowID))) {
            int x = ev.motion.x, y = ev.motion.y;
            if (x > 0 && y > 0 && x < d->Rect.Width() - 1 && y < d->Rect.Height() - 1)
                InjectMouseMove(TPoint{d->Rect.Left + x, d->Rect.Top + y});
        }
        break;
    case SDL_WINDOWEVENT: HandleWindowEvent(ev); break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: HandleKey(ev); break;
    case SDL_TEXTINPUT:
        // Text an input method committed without a key of its own.
        InjectKey(VK_PROCESSKEY, true, ev.text.text);
        InjectKey(VK_PROCESSKEY, false);
        break;
    case SDL_DISPLAYEVENT: FActions.push_back([] { BroadcastDisplayChange(); }); break;
    default: break;        // SDL_QUIT among them: only our own code ends the program
    }
}

// SDL turns a core motion or crossing into a mouse motion of its own (for
// a crossing clamped to the window) right behind the raw event: we have
// that move already, in root coordinates.
void TSdlBackend::DropMotionTwin()
{
    SDL_Event next[4];
    int n = SDL_PeepEvents(next, 4, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    for (int i = 0; i < n; ++i) {
        if (next[i].type == SDL_MOUSEMOTION) {
            SDL_PeepEvents(next, 1, SDL_GETEVENT, SDL_MOUSEMOTION, SDL_MOUSEMOTION);
            return;
        }
        if (next[i].type != SDL_WINDOWEVENT)
            return;
    }
}

void TSdlBackend::HandleKey(const SDL_Event& ev)
{
    int vk = VirtualKeyOf(ev.key.keysym);
    if (!vk)
        return;
    if (ev.type == SDL_KEYUP) {
        InjectKey(vk, false);
        return;
    }
    // With text input on, SDL queues the key's text right behind the key:
    // it travels with the key-down and becomes its characters.
    std::string text;
    SDL_Event next;
    if (FTextInput && SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
        next.type == SDL_TEXTINPUT && SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1)
        text = next.text.text;
    InjectKey(vk, true, text);
}

void TSdlBackend::HandleWindowEvent(const SDL_Event& ev)
{
    HWND h = WindowOfId(ev.window.windowID);
    TDesktopWindow* d = Desktop(h);
    if (!h || !d) {
        if (ev.window.event == SDL_WINDOWEVENT_EXPOSED)
            FTray->Exposed(ev.window.windowID);    // the tip or the balloon
        return;
    }
    bool popup = d->Kind == wkPopupMenu || d->Kind == wkTooltip;
    switch (ev.window.event) {
    case SDL_WINDOWEVENT_CLOSE:
        // Title bar, Alt+F4 or the task bar: the window decides (close query).
        if (!popup)
            PostMessage(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_MOVED: {
        TPoint p{ev.window.data1, ev.window.data2};
        if (p.X == d->Rect.Left && p.Y == d->Rect.Top)
            break;
        d->Rect = Bounds(p.X, p.Y, d->Rect.Width(), d->Rect.Height());
        FActions.push_back([h, p] {
            TWindowRecord* w = WM().Alive(h);
            if (w && WM().IsShown(w) && (w->Rect.Left != p.X || w->Rect.Top != p.Y))
                SetWindowPos(h, nullptr, p.X, p.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
        break;
    }
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
        TSize s{ev.window.data1, ev.window.data2};
        if (s.cx == d->Rect.Width() && s.cy == d->Rect.Height())
            break;
        d->Rect = Bounds(d->Rect.Left, d->Rect.Top, s.cx, s.cy);
        FActions.push_back([h, s] {
            TWindowRecord* w = WM().Alive(h);
            if (w && WM().IsShown(w) && (w->Width() != s.cx || w->Height() != s.cy))
                SetWindowPos(h, nullptr, 0, 0, s.cx, s.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
        break;
    }
    case SDL_WINDOWEVENT_MINIMIZED: {
        TWindowRecord* w = WM().Find(h);
        if (popup || !d->Shown || !w || !w->Visible() || w->Minimized)
            break;      // our own hiding or minimising
        d->IconifiedByDesktop = true;
        PostMessage(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        break;
    }
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED: {
        TWindowRecord* w = WM().Find(h);
        bool iconified = d->IconifiedByDesktop;
        d->IconifiedByDesktop = false;
        if (popup || !w || !(w->Minimized || (iconified && !w->Visible())))
            break;
        // The map of an earlier show of ours, reported after we hid the
        // window again (minimised into the tray at once): no restore.
        if (!(SDL_GetWindowFlags(d->Window) & SDL_WINDOW_SHOWN))
            break;
        PostMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
        break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
        // The store is whole: the desktop gets its picture again.
        d->Surface = nullptr;
        FActions.push_back([h] {
            if (TWindowRecord* w = WM().Alive(h); w && w->Store)
                WM().MarkDirty(w, TRegion(Bounds(0, 0, w->Width(), w->Height())));
        });
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (popup)
            break;
        FActions.push_back([this, h] {
            auto& m = WM();
            TWindowRecord* w = m.Alive(h);
            if (!w || m.ActiveWnd == h)
                return;
            if (CanActivate(w))
                m.Activate(h, WA_ACTIVE);
            else
                FSyncedActive = nullptr;   // a disabled owner: its modal window comes back up
        });
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        // Focus moving between two of our windows is a loss and a gain in
        // one go: only a loss of our active window after which no window
        // of ours holds the keyboard is the program losing the desktop.
        if (!popup)
            FActions.push_back([h] {
                if (!SDL_GetKeyboardFocus() && WM().ActiveWnd == h)
                    WM().ActivateNone();
            });
        break;
    default: break;
    }
}

void TSdlBackend::SyncWithWindowManager()
{
    auto& m = WM();
    for (auto& [h, d] : FWindows) {
        TWindowRecord* w = m.Find(h);
        if (w && d.Window && w->Text != d.Title) {
            d.Title = w->Text;
            SDL_SetWindowTitle(d.Window, d.Title.c_str());
        }
        if (w && d.Window)
            SyncTaskbarEntry(h, d);
    }
    if (m.ActiveWnd != FSyncedActive) {
        FSyncedActive = m.ActiveWnd;
        TDesktopWindow* d = Desktop(FSyncedActive);
        if (d && d->Window && d->Shown && !d->IconifiedByDesktop && d->Kind != wkPopupMenu && d->Kind != wkTooltip) {
            if (FWindowManager) {
                // Asks the window manager to activate it, which raises it
                // also above our windows that belong over it: put those back.
                SDL_RaiseWindow(d->Window);
                std::erase(FStacked, FSyncedActive);
                FStacked.insert(FStacked.begin(), FSyncedActive);
                MirrorStacking(m.TopLevels);
            } else {
                // Nobody else hands out the focus; activating restacked it already.
                SDL_SetWindowInputFocus(d->Window);
            }
        }
    }
    // Text input (and with it the input method) only while an edit with a
    // caret has the focus, so that keys meant for lists stay keys.
    HWND caret = m.Caret.Wnd;
    TWindowRecord* cw = caret && caret == m.FocusWnd ? m.Alive(caret) : nullptr;
    TWindowRecord* top = cw ? m.TopLevelOf(cw) : nullptr;
    bool want = top && Desktop(top->Handle);
    if (want) {
        TPoint o = m.ClientScreenOrigin(cw);
        SDL_Rect r{o.X + m.Caret.Pos.X - top->Rect.Left, o.Y + m.Caret.Pos.Y - top->Rect.Top,
                   std::max(1, m.Caret.Size.cx), std::max(1, m.Caret.Size.cy)};
        SDL_SetTextInputRect(&r);
    }
    if (want != FTextInput) {
        FTextInput = want;
        if (want)
            SDL_StartTextInput();
        else
            SDL_StopTextInput();
    }
}
