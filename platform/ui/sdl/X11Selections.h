#pragma once

struct SDL_Window;
struct SDL_SysWMmsg;

// Desktop services on X11 announce themselves by owning a selection named
// for the screen (a compositing manager _NET_WM_CM_S0, a tray host
// _NET_SYSTEM_TRAY_S0). Prefix is the name without the screen number.

// The owner of the screen's selection (0: nobody).
unsigned long X11SelectionOwner(SDL_Window* anchor, const char* prefix);

// Asks the server to tell when the selection changes hands (its owner
// starts or ends); false without the XFixes extension.
bool WatchX11Selection(SDL_Window* anchor, const char* prefix);

// The raw event tells that the selection changed hands.
bool IsX11SelectionChange(const SDL_SysWMmsg* msg, const char* prefix);
