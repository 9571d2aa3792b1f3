#pragma once
#include <cstdint>
#include <vector>
#include "platform/gfx/Geometry.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// What the X desktop offers, asked once when the back end starts.
struct TX11Desktop {
    bool Shapes = false;                   // the shape extension is there
    bool Compositor = false;               // someone owns _NET_WM_CM_S<screen>
    bool WindowManager = false;            // a desktop window manager announces itself
};
TX11Desktop ProbeX11Desktop();

// The X window behind an SDL window (0 when it is not an X11 window).
unsigned long X11WindowOf(SDL_Window* window);

// The socket of the X connection SDL reads its events from (-1 without X),
// and whether Xlib holds events SDL has not taken yet (after a flush).
int X11ConnectionFd(SDL_Window* window);
bool X11EventsQueued(SDL_Window* window);

// Cuts the desktop window to a set of rectangles (window coordinates);
// null gives the whole rectangle back.
void SetX11WindowShape(SDL_Window* window, const std::vector<TRect>* rects);

// Lets the pointer pass through the window to whatever lies beneath (an
// empty input shape), or takes it again.
void SetX11ClickThrough(SDL_Window* window, bool through);

// Raises the windows in turn, so the last ends on top. A raise names no
// sibling, so a window manager that reparented the windows gets it as a
// request of its own instead of an error.
void RaiseX11Windows(const std::vector<SDL_Window*>& bottomFirst);

// Keeps a window above its owner on the desktop (null: it has none) and
// tells the window manager whether the owner waits for it (modal). Meant for
// a window about to be mapped: window managers read both when it maps.
void SetX11Owner(SDL_Window* window, SDL_Window* owner, bool modal);

// Whether the desktop's taskbar (and pager) lists the window. A window
// about to be mapped (or any without a window manager) has its state set;
// a mapped one under a window manager has it asked for.
void SetX11TaskbarEntry(SDL_Window* window, bool entry, bool askWindowManager);

// Whether the window manager gives the window the focus when it maps
// (no: _NET_WM_USER_TIME 0, as for a window shown without activation).
void SetX11FocusOnMap(SDL_Window* window, bool focus);

// Takes the desktop window's icon away (_NET_WM_ICON).
void ClearX11WindowIcon(SDL_Window* window);

void X11Bell(SDL_Window* window);

// Pointer input read from the raw X event, in root (screen) coordinates:
// SDL's own mouse events are relative to a window whose position may
// already have changed again while the move loop runs. Buttons, the wheel,
// crossings and every move while the pointer is grabbed (a press, our
// capture) come this way; SDL takes free moves through XInput2, without
// root coordinates.
struct TX11Pointer {
    enum TKind { pkNone, pkMove, pkButtonDown, pkButtonUp, pkWheel };
    TKind Kind = pkNone;
    TPoint Screen;
    int Button = 0;                        // 0 left, 1 right, 2 middle
    int WheelDelta = 0;                    // in WHEEL_DELTA units
};
TX11Pointer TranslateX11Pointer(const SDL_SysWMmsg* msg);
