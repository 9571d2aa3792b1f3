#include "engine/player/PlayerWindow.h"

#include <mutex>

#include "platform/gfx/Blit.h"
#include "platform/gfx/Draw.h"
#include "platform/ui/Ui.h"

namespace {

constexpr const char* OwnWindowClass = "TPlayerWindow";

} // namespace

struct TPlayerWindow::TBinding {
    TCustomPlayer* Player = nullptr;
    HWND Window = nullptr;
    bool Own = false;
    bool Active = true;               // main thread only
    TWndProc Original;                // the host's procedure, or the default one
    UINT RepaintMessage = 0, ClosedMessage = 0;
    WPARAM Serial = 0;                // tells this binding's posts from an earlier one's
    std::atomic<bool> RepaintPending{false};
    bool FullScreen = false;
    LONG_PTR WindowStyle = 0;         // the own window's frame and place out of full screen
    TRect WindowPlace{0, 0, 0, 0};

    LRESULT Handle(HWND h, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Paint(HWND h);
    void Release();
};

// The procedure installed on the window; it knows its binding, so that the
// binding can tell whether it is still the topmost procedure.
struct TPlayerWindow::TProcedure {
    std::shared_ptr<TBinding> Binding;
    LRESULT operator()(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) const {
        return Binding->Handle(h, msg, wParam, lParam);
    }
};

LRESULT TPlayerWindow::TBinding::Handle(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    // A binding released while another procedure sits above it only passes messages on.
    if (!Active)
        return CallWindowProc(Original, h, msg, wParam, lParam);
    if (msg == RepaintMessage && wParam == Serial) {
        RepaintPending = false;
        InvalidateRect(h, nullptr, false);
        return 0;
    }
    if (msg == ClosedMessage && wParam == Serial) {
        Release();
        return 0;
    }
    switch (msg) {
    case WM_CLOSE:
        // A host is never closed under the player; the own window closes the file.
        if (Own)
            Player->Stop(false);
        return 0;
    case WM_ERASEBKGND: {
        std::lock_guard<std::mutex> lock(Player->SurfaceLock());
        if (!Player->Surface().Empty())
            return 1;  // the picture covers the client area
        break;
    }
    case WM_PAINT:
        if (Paint(h))
            return 0;
        break;
    case WM_SIZE: {
        const LRESULT result = CallWindowProc(Original, h, msg, wParam, lParam);
        if (LOWORD(lParam) > 0 && HIWORD(lParam) > 0)
            Player->ScreenResized(LOWORD(lParam), HIWORD(lParam));
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        SetFocus(h);
        break;
    default:
        break;
    }
    return CallWindowProc(Original, h, msg, wParam, lParam);
}

// Paints the surface, black beyond it; false when there is no picture, so
// that the window paints as itself.
bool TPlayerWindow::TBinding::Paint(HWND h) {
    std::unique_lock<std::mutex> lock(Player->SurfaceLock());
    const TBitmap& surface = Player->Surface();
    if (surface.Empty())
        return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, ps);
    if (dc) {
        TRect client;
        GetClientRect(h, client);
        BitBlt(*dc, 0, 0, surface.Width(), surface.Height(), surface, 0, 0);
        if (client.Right > surface.Width())
            FillRect(*dc, TRect{surface.Width(), 0, client.Right, client.Bottom}, clBlack);
        if (client.Bottom > surface.Height())
            FillRect(*dc, TRect{0, surface.Height(), surface.Width(), client.Bottom}, clBlack);
    }
    lock.unlock();
    EndPaint(h, ps);
    return true;
}

void TPlayerWindow::TBinding::Release() {
    if (!Active)
        return;
    Active = false;
    if (!IsWindow(Window))
        return;
    if (Own) {
        DestroyWindow(Window);
        return;
    }
    // Put the host's procedure back unless another one was installed above
    // ours since; ours then stays below it, passing everything on.
    TWndProc current = GetWindowProc(Window);
    const TProcedure* ours = current.target<TProcedure>();
    if (ours && ours->Binding.get() == this)
        SetWindowProc(Window, Original);
    InvalidateRect(Window, nullptr, true);
}

TPlayerWindow::TPlayerWindow(TCustomPlayer& APlayer, HWND AHost, int AWidth, int AHeight)
    : FBinding(std::make_shared<TBinding>()) {
    TBinding& b = *FBinding;
    b.Player = &APlayer;
    b.RepaintMessage = RegisterWindowMessage("ZarvoPlayerRepaint");
    b.ClosedMessage = RegisterWindowMessage("ZarvoPlayerClosed");
    static std::atomic<WPARAM> serials{0};
    b.Serial = ++serials;
    if (AHost) {
        b.Window = AHost;
        b.Original = SetWindowProc(AHost, TProcedure{FBinding});
        return;
    }
    b.Own = true;
    WNDCLASS wc;
    if (!GetClassInfo(OwnWindowClass, wc)) {
        wc.lpszClassName = OwnWindowClass;
        wc.lpfnWndProc = DefWindowProc;
        wc.hCursor = IDC_ARROW;
        wc.hbrBackground = clBlack;
        RegisterClass(wc);
    }
    b.Original = DefWindowProc;
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    b.Window = CreateWindowEx(0, OwnWindowClass, Caption, WS_OVERLAPPEDWINDOW, 0, 0, AWidth, AHeight, nullptr, 0,
                              nullptr, TProcedure{FBinding});
    if (!b.Window)
        return;
    // The frame around the wanted client area, centred on the screen.
    TRect window, client;
    GetWindowRect(b.Window, window);
    GetClientRect(b.Window, client);
    const int w = AWidth + window.Width() - client.Width(), h = AHeight + window.Height() - client.Height();
    SetWindowPos(b.Window, nullptr, (screenW - w) / 2, (screenH - h) / 2, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(b.Window, SW_SHOW);
}

TPlayerWindow::~TPlayerWindow() { Release(); }

void TPlayerWindow::SetFullScreen(bool AFullScreen) {
    TBinding& b = *FBinding;
    if (!b.Own || !b.Active || !IsWindow(b.Window) || b.FullScreen == AFullScreen)
        return;
    b.FullScreen = AFullScreen;
    if (AFullScreen) {
        b.WindowStyle = GetWindowLong(b.Window, GWL_STYLE);
        GetWindowRect(b.Window, b.WindowPlace);
        MONITORINFO monitor;
        if (!GetMonitorInfo(MonitorFromWindow(b.Window, MONITOR_DEFAULTTONEAREST), &monitor))
            monitor.rcMonitor = TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const TRect& area = monitor.rcMonitor;
        SetWindowLong(b.Window, GWL_STYLE, (b.WindowStyle & ~LONG_PTR(WS_OVERLAPPEDWINDOW)) | WS_POPUP);
        SetWindowPos(b.Window, HWND_TOPMOST, area.Left, area.Top, area.Width(), area.Height(), SWP_FRAMECHANGED);
    } else {
        const TRect& place = b.WindowPlace;
        SetWindowLong(b.Window, GWL_STYLE, b.WindowStyle);
        SetWindowPos(b.Window, HWND_NOTOPMOST, place.Left, place.Top, place.Width(), place.Height(),
                     SWP_FRAMECHANGED | SWP_NOACTIVATE);
    }
}

HWND TPlayerWindow::Handle() const { return FBinding->Window; }
bool TPlayerWindow::OwnWindow() const { return FBinding->Own; }
void TPlayerWindow::Release() { FBinding->Release(); }

void TPlayerWindow::GetClientSize(int& AWidth, int& AHeight) {
    TRect client;
    if (!GetClientRect(FBinding->Window, client))
        client = TRect{0, 0, 0, 0};
    AWidth = client.Width();
    AHeight = client.Height();
}

// The player's threads: one repaint waits in the queue at most.
void TPlayerWindow::SurfaceChanged() {
    if (!FBinding->RepaintPending.exchange(true))
        PostMessage(FBinding->Window, FBinding->RepaintMessage, FBinding->Serial, 0);
}

void TPlayerWindow::SurfaceCleared() { PostMessage(FBinding->Window, FBinding->ClosedMessage, FBinding->Serial, 0); }
