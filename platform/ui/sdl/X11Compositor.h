#pragma once

struct SDL_Window;

// Translucent windows on X11: a window made on a 32-bit visual with an alpha
// channel is blended with what lies beneath by the compositing manager, the
// owner of the _NET_WM_CM_S<screen> selection (see X11Selections.h). Without
// one the server shows such a window's colour channels as they are.
inline constexpr const char* X11CompositorSelection = "_NET_WM_CM_S";

// The id of a 32-bit TrueColor visual with alpha on the default screen of
// the window's connection (0: the server has none).
unsigned long X11ArgbVisual(SDL_Window* anchor);
