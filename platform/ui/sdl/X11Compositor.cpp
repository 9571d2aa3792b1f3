#include "platform/ui/sdl/X11Compositor.h"
#include <SDL.h>
#include <X11/Xutil.h>
#include "platform/ui/sdl/X11Native.h"

unsigned long X11ArgbVisual(SDL_Window* anchor)
{
    TNative n = NativeOf(anchor);
    if (!n.Dpy)
        return 0;
    XVisualInfo want{};
    want.screen = DefaultScreen(n.Dpy);
    want.depth = 32;
    want.c_class = TrueColor;
    int count = 0;
    XVisualInfo* list = XGetVisualInfo(n.Dpy, VisualScreenMask | VisualDepthMask | VisualClassMask, &want, &count);
    unsigned long found = 0;
    for (int i = 0; i < count && !found; ++i)
        // Colour in the low 24 bits, so the rest is alpha (the layout our
        // surfaces are written in).
        if (list[i].red_mask == 0xFF0000 && list[i].green_mask == 0xFF00 && list[i].blue_mask == 0xFF)
            found = list[i].visualid;
    if (list)
        XFree(list);
    return found;
}
