#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Backend.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// The notification area of the X desktop for the SDL back end. Each icon is
// an X window of ours that the tray host embeds; its mouse actions go to the
// icon's window as its callback message, as the desktop's own tray would
// send them (a second press within the double-click time and distance is a
// double click). The tip shows while the pointer rests on the icon and the
// balloon as a small window of ours beside it. Icons are kept while no host
// runs: they dock again as soon as one starts (the program's windows are
// told "TaskbarCreated" too, for icons that could not be added meanwhile).
class TSdlTray {
public:
    explicit TSdlTray(SDL_Window* anchor);
    ~TSdlTray();

    bool HostPresent() const { return FHost != 0; }
    // Looks at the host again; true when another one (or none) holds the tray.
    bool HostChanged();
    bool Notify(TTrayAction action, const TTrayIconInfo& info);

    // A raw X event for one of the tray's windows (consumed: true).
    bool HandleRawEvent(const SDL_SysWMmsg* msg);
    // SDL reports one of its windows exposed: the tip or balloon repaints.
    void Exposed(uint32_t windowId);

    // For tests: the icon's window, whether the host holds it, and the
    // balloon's and tip's desktop windows while shown (else 0).
    unsigned long IconWindow(HWND wnd, UINT id) const;
    bool Docked(HWND wnd, UINT id) const;
    unsigned long BalloonWindow() const;
    unsigned long TipWindow() const;

private:
    struct TIcon {
        TTrayIconInfo Info;                // Icon cleared: the caller's picture may not outlive the call
        TBitmap Picture;
        unsigned long Window = 0;
        bool Docked = false;
        TSize Size{0, 0};
        unsigned long LastPress = 0;       // server time of the last press that may start a double click
        int LastButton = -1;
        TPoint LastPoint;
    };
    struct TNote {                         // the tip or the balloon
        SDL_Window* Window = nullptr;
        TBitmap Picture;
        std::pair<HWND, UINT> Of{nullptr, 0};
    };
    using TKey = std::pair<HWND, UINT>;

    void Dock(TIcon& icon);
    void Paint(TIcon& icon);
    void Mouse(TIcon& icon, int kind, int button, TPoint screen, unsigned long time);
    void ShowTip(TIcon& icon, TPoint at);
    void SyncBalloon(TIcon& icon);
    void ShowNote(TNote& note, const TIcon& icon, TPoint near);
    void HideNote(TNote& note);
    void PresentNote(TNote& note);
    TIcon* IconOfWindow(unsigned long window);

    SDL_Window* FAnchor;
    unsigned long FHost = 0;
    std::map<TKey, TIcon> FIcons;
    TNote FTip, FBalloon;
};
