#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "platform/gfx/Geometry.h"
#include "platform/gfx/Region.h"
#include "platform/ui/Caps.h"
#include "platform/ui/WinTypes.h"

class TBitmap;

// A notification-area icon. Its mouse actions come back to Wnd as
// CallbackMessage with wParam Id and lParam the mouse message
// (WM_LBUTTONDOWN ... WM_MBUTTONUP) or NIN_BALLOONUSERCLICK.
struct TTrayIconInfo {
    HWND Wnd = nullptr;
    UINT Id = 0;
    UINT CallbackMessage = 0;
    const TBitmap* Icon = nullptr;         // null: no picture
    std::string Tip;
    // A balloon hint shown from the icon (empty text: none).
    std::string BalloonTitle;
    std::string BalloonText;
    int BalloonIcon = 0;                   // 0 none, 1 information, 2 warning, 3 error
};
enum class TTrayAction { Add, Modify, Delete };

struct TMonitor {
    TRect Bounds;
    TRect WorkArea;
    bool Primary = false;
};

// What a top-level window looks like to the back end when it is presented.
struct TPresentInfo {
    HWND Wnd = nullptr;
    TRect ScreenRect;                      // where the window lies on the screen
    const TBitmap* Store = nullptr;        // the composed window, 32-bit
    TRegion Dirty;                         // store coordinates changed since the last present
    BYTE Alpha = 255;                      // constant alpha of a layered window
    bool PerPixelAlpha = false;
    const TRegion* Shape = nullptr;        // window region (window coordinates) or null
};

// A back end shows top-level windows and turns its events into input for the
// window manager (TWindowManager's Inject calls via the Input.h functions).
// Everything but Wake is called on the main thread.
class TBackend {
public:
    virtual ~TBackend() = default;

    // Called when the window manager takes the back end into use and when it
    // lets it go (a test back end installs and removes its clock there).
    virtual void Attached() {}
    virtual void Detached() {}

    virtual const TPlatformCaps& Caps() const = 0;
    virtual std::vector<TMonitor> Monitors() const = 0;

    // Top-level windows and popups: shown, hidden, moved, restacked, destroyed.
    // activating: the window becomes the active one as it shows.
    virtual void WindowShown(HWND, const TRect& /*screenRect*/, bool /*activating*/) {}
    virtual void WindowHidden(HWND) {}
    virtual void WindowMoved(HWND, const TRect& /*screenRect*/) {}
    virtual void WindowDestroyed(HWND) {}
    virtual void ZOrderChanged(const std::vector<HWND>& /*topFirst*/) {}
    // The picture the desktop shows for a top-level window changed (null: none).
    virtual void WindowIconChanged(HWND, const TBitmap* /*icon*/) {}
    // Shows the changed part of a composed window.
    virtual void Present(const TPresentInfo& info) = 0;

    virtual void SetCursorShape(HCURSOR) {}
    virtual void CaptureChanged(bool /*captured*/) {}

    // Blocks until input arrives, Wake is called or timeoutMs passes
    // (negative: no limit). Input found meanwhile is injected.
    virtual void WaitForEvents(int64_t timeoutMs) = 0;
    // The loop found nothing to do (a busy wait polls): a virtual clock may step.
    virtual void QueueIdle() {}
    // Any thread: ends a wait.
    virtual void Wake() = 0;

    // Adds, changes or removes a notification-area icon; false where the
    // desktop has no tray (Caps().TrayIcon) or the icon is unknown.
    virtual bool TrayIcon(TTrayAction /*action*/, const TTrayIconInfo& /*info*/) { return false; }

    virtual void Beep(UINT /*type*/) {}
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
};
