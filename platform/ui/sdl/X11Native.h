#pragma once
// Only for the files of the desktop back end that use Xlib themselves (they
// are compiled outside unity batches: Xlib's macros clash with our names).
#include <X11/Xlib.h>

struct SDL_Window;

// SDL's X connection and the X window behind an SDL window (null and 0 when
// it is not an X11 window).
struct TNative {
    Display* Dpy = nullptr;
    Window Win = 0;
};
TNative NativeOf(SDL_Window* window);

// Runs an X call that may fail harmlessly (a window another program owns
// may be gone): errors are swallowed until the server answered.
template <typename F> void IgnoringXErrors(Display* dpy, F call)
{
    XSync(dpy, False);
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    call();
    XSync(dpy, False);
    XSetErrorHandler(previous);
}
