#pragma once
#include <cstdint>
#include "platform/gfx/Geometry.h"

struct SDL_Window;
struct SDL_SysWMmsg;

// The notification area on X11: a tray host owns the _NET_SYSTEM_TRAY_S<screen>
// selection (see X11Selections.h) and embeds the icon windows programs ask it
// to dock (SYSTEM_TRAY_REQUEST_DOCK, then XEmbed). An icon window is a plain X
// window of ours beside SDL's; its events reach us through SDL's raw events.
inline constexpr const char* X11TraySelection = "_NET_SYSTEM_TRAY_S";

// An unmapped icon window (size x size until the host sizes it) that tells
// its embedder to map it.
unsigned long MakeX11TrayWindow(SDL_Window* anchor, int size);
void DestroyX11TrayWindow(SDL_Window* anchor, unsigned long window);

// Asks the host to embed the window; takes it out of whatever holds it
// (back to the root, unmapped).
void DockX11TrayWindow(SDL_Window* anchor, unsigned long host, unsigned long window);
void UndockX11TrayWindow(SDL_Window* anchor, unsigned long window);

// Paints a picture (straight-alpha BGRA, rows of width * 4 bytes) centred
// over the host's background showing through the window.
void PaintX11TrayWindow(SDL_Window* anchor, unsigned long window, const uint8_t* bgra, int width, int height);

// The window's rectangle on the screen (empty when it is gone or unmapped).
TRect X11TrayWindowRect(SDL_Window* anchor, unsigned long window);

// What a raw event means for an icon window (or any window of ours that
// SDL does not know, like the balloon's).
struct TX11TrayEvent {
    enum TKind { teNone, tePress, teRelease, teMotion, teEnter, teLeave, teExpose, teResized, teEmbedded, teUnembedded };
    TKind Kind = teNone;
    unsigned long Window = 0;
    int Button = -1;                       // 0 left, 1 right, 2 middle, -1 another
    TPoint Screen;
    unsigned long Time = 0;                // the server's time of a press, in ms
    TSize Size;
};
TX11TrayEvent TranslateX11TrayEvent(const SDL_SysWMmsg* msg);
