#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "platform/gfx/Geometry.h"

struct _XDisplay;

// The test's own connection to the X server: it plays the user (synthetic
// input through XTEST) and the desktop (close requests, iconify, restore),
// and reads what the server shows.
class TXDesktop {
public:
    TXDesktop();
    ~TXDesktop();
    TXDesktop(const TXDesktop&) = delete;
    TXDesktop& operator=(const TXDesktop&) = delete;
    bool Open() const { return FDisplay != nullptr; }

    // The user.
    void MoveTo(int x, int y);
    void Press(int button = 1);
    void Release(int button = 1);
    void Key(const char* keysym, bool down);        // "a", "Return", "F4"
    void Type(const char* keysym) { Key(keysym, true); Key(keysym, false); }

    // The desktop.
    void RequestClose(unsigned long window);        // title bar, Alt+F4, task bar
    void Iconify(unsigned long window);
    void Deiconify(unsigned long window);
    void MoveResize(unsigned long window, const TRect& r);   // a window manager placing a window
    void Destroy(unsigned long window);
    void Remap(unsigned long window);
    // A taskbar or pager asking the window manager (a client message to the
    // root): "_NET_ACTIVE_WINDOW", "_NET_CLOSE_WINDOW", "WM_CHANGE_STATE".
    void AskWindowManager(unsigned long window, const char* message, long data0 = 0);
    bool WindowManagerUp();                         // a compliant window manager runs
    unsigned long Frame(unsigned long window);      // the child of the root that holds it
    void ActAsCompositor();                         // owns _NET_WM_CM_S0 while the connection lasts
    bool SelectionOwned(const char* selection);     // "_NET_WM_CM_S0", "_NET_SYSTEM_TRAY_S0"

    // Another program: a plain window of this connection, given the focus.
    unsigned long MakeWindow(const TRect& r);
    void Focus(unsigned long window);

    // What the server shows.
    TRect Geometry(unsigned long window);           // screen rectangle
    bool Mapped(unsigned long window);
    bool OverrideRedirect(unsigned long window);
    unsigned long FocusWindow();
    std::vector<unsigned long> Stacking();          // mapped children of the root, top first
    unsigned long FindMapped(const std::string& title);  // a mapped top-level window by _NET_WM_NAME, or 0
    std::string Utf8Property(unsigned long window, const char* name);
    long CardinalProperty(unsigned long window, const char* name);   // -1 when absent
    unsigned long TransientFor(unsigned long window);                 // 0 when none
    bool HasState(unsigned long window, const char* state);           // in _NET_WM_STATE
    std::vector<uint32_t> CardinalList(unsigned long window, const char* name);  // empty when absent
    uint32_t Pixel(int x, int y);                   // 0xRRGGBB from the screen
    void SaveScreen(const std::string& fileName);   // the whole screen as a picture (format by extension)
    // Bounding (or input) shape, window coordinates.
    std::vector<TRect> Shape(unsigned long window, bool input = false);
    void Sync();

private:
    _XDisplay* FDisplay = nullptr;
};
