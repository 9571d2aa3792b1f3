#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "platform/ui/Backend.h"

struct SDL_Window;
struct SDL_Surface;
struct SDL_Cursor;
union SDL_Event;
class TSdlTray;

// The back end of the real desktop: every shown top-level window of ours is
// an SDL window on X11 (under Wayland through XWayland, which alone lets a
// program place windows and read the pointer anywhere). Forms are borderless
// (our frame draws the decoration), captioned tool windows are utility
// windows, and caption-less popup tool windows (menus, hints, drop-downs)
// are override-redirect popups: placed exactly and never focused by the
// desktop, so opening one leaves its form active.
//
// The process has one SDL instance; this back end starts its video subsystem
// and stops only that, so the audio subsystem of the player and the prompt
// sound runs on. Only the main thread pumps SDL events.
class TSdlBackend : public TBackend {
public:
    TSdlBackend();
    ~TSdlBackend() override;

    // Starts SDL's video subsystem on X11; throws Exception when there is no
    // usable display.
    void Attached() override;
    void Detached() override;

    const TPlatformCaps& Caps() const override { return FCaps; }
    std::vector<TMonitor> Monitors() const override;

    void WindowShown(HWND h, const TRect& screenRect, bool activating) override;
    void WindowHidden(HWND h) override;
    void WindowMoved(HWND h, const TRect& screenRect) override;
    void WindowDestroyed(HWND h) override;
    void ZOrderChanged(const std::vector<HWND>& topFirst) override;
    void WindowIconChanged(HWND h, const TBitmap* icon) override;
    void Present(const TPresentInfo& info) override;

    void SetCursorShape(HCURSOR cursor) override;
    void CaptureChanged(bool captured) override;

    void WaitForEvents(int64_t timeoutMs) override;
    void Wake() override;

    bool TrayIcon(TTrayAction action, const TTrayIconInfo& info) override;

    void Beep(UINT type) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;

    // The desktop window of one of ours (null or 0 while it has none).
    SDL_Window* SdlWindow(HWND h) const;
    unsigned long NativeWindow(HWND h) const;
    bool TextInputOn() const { return FTextInput; }
    bool WindowManagerRunning() const { return FWindowManager; }
    TSdlTray& Tray() { return *FTray; }

    enum TWindowKind { wkForm, wkUtility, wkPopupMenu, wkTooltip };
    static TWindowKind KindOf(DWORD style, DWORD exStyle, const std::string& className);

private:
    struct TDesktopWindow {
        SDL_Window* Window = nullptr;
        uint32_t Id = 0;
        TWindowKind Kind = wkForm;
        TRect Rect;                        // where we last put it
        SDL_Surface* Surface = nullptr;    // the surface last presented into
        std::string Title;
        bool Topmost = false;
        bool Shown = false;
        bool Shaped = false;
        std::vector<TRect> ShapeRects;
        BYTE Alpha = 255;
        bool IconifiedByDesktop = false;   // the desktop iconified it: its de-iconify restores
        bool Listed = true;                // has a taskbar entry
        bool Argb = false;                 // made on the 32-bit visual: per-pixel alpha
        bool Hidden = false;               // shown by us, kept off the screen while nothing composites it
        bool ClickThrough = false;         // the pointer passes to what lies beneath
    };

    TDesktopWindow* Desktop(HWND h);
    TDesktopWindow& Ensure(HWND h);
    HWND WindowOfId(uint32_t id) const;
    void Place(HWND h, TDesktopWindow& d, const TRect& r);
    void SetOwnerBeforeMap(HWND h, TDesktopWindow& d);
    void SyncTaskbarEntry(HWND h, TDesktopWindow& d);
    void ApplyShape(TDesktopWindow& d, const TRegion* shape);
    void SyncClickThrough(HWND h, TDesktopWindow& d);
    void ApplyIcon(TDesktopWindow& d, const TBitmap* icon);
    void MirrorStacking(const std::vector<HWND>& topFirst);

    // Translucent windows (SdlLayered.cpp).
    bool WantsArgb(HWND h) const;
    TDesktopWindow& Remake(HWND h);
    bool KeepOffScreen(const TDesktopWindow& d) const { return d.Argb && !FCaps.PerPixelAlpha; }
    void CompositorChanged();
    void CopyPremultiplied(const TPresentInfo& info, SDL_Surface* surface, const TRect& r) const;
    void TrayHostChanged();

    // Events (SdlEvents.cpp).
    void HandleEvent(const SDL_Event& ev);
    void HandleWindowEvent(const SDL_Event& ev);
    void HandleKey(const SDL_Event& ev);
    void DropMotionTwin();
    void SyncWithWindowManager();
    bool TakeWake();
    void WaitReadable(int timeoutMs);
    void RunDesktopActions();

    TPlatformCaps FCaps;
    unsigned long FArgbVisual = 0;         // the server's 32-bit visual with alpha (0: none)
    bool FStarted = false;
    bool FWindowManager = false;
    std::map<HWND, TDesktopWindow> FWindows;
    std::map<int, SDL_Cursor*> FCursors;
    std::thread::id FMainThread;
    std::atomic<bool> FAwake{false};       // events flow: Wake may signal
    int FWakeFd = -1;                      // eventfd: Wake counts, the wait drains
    SDL_Window* FAnchor = nullptr;         // never shown: reaches SDL's X connection without a window of ours
    bool FInPump = false;
    bool FTextInput = false;
    HWND FSyncedActive = nullptr;
    std::vector<HWND> FStacked;            // our mapped windows as X stacks them, top first
    std::vector<std::function<void()>> FActions;   // desktop changes, run after the pump
    std::unique_ptr<TSdlTray> FTray;
};

// Installs the SDL back end (all windows of the previous back end are
// destroyed) and returns it. Throws Exception when no display can be opened.
TSdlBackend& UseSdlBackend();
