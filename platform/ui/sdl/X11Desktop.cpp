#include "platform/ui/sdl/X11Desktop.h"
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include "platform/ui/sdl/X11Native.h"
#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

TNative NativeOf(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return {};
    return TNative{info.info.x11.display, info.info.x11.window};
}

namespace {

constexpr int WheelDelta = 120;

int IgnoreXError(Display*, XErrorEvent*)
{
    return 0;
}

// The window named by a window's _NET_SUPPORTING_WM_CHECK, or 0.
Window CheckWindowOf(Display* dpy, Window w)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window found = 0;
    if (XGetWindowProperty(dpy, w, XInternAtom(dpy, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False, XA_WINDOW, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        if (type == XA_WINDOW && count == 1)
            found = *reinterpret_cast<Window*>(data);
        XFree(data);
    }
    return found;
}

// Puts states into an unmapped window's _NET_WM_STATE or takes them out;
// the list keeps the rest of what is there (SDL's above, ours).
void SetStateBeforeMap(const TNative& n, std::initializer_list<const char*> names, bool on)
{
    Atom state = XInternAtom(n.Dpy, "_NET_WM_STATE", False);
    std::vector<Atom> changed;
    for (const char* name : names)
        changed.push_back(XInternAtom(n.Dpy, name, False));
    std::vector<Atom> atoms;
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(n.Dpy, n.Win, state, 0, 64, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success &&
        data) {
        const auto* list = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i)
            if (std::find(changed.begin(), changed.end(), list[i]) == changed.end())
                atoms.push_back(list[i]);
        XFree(data);
    }
    if (on)
        atoms.insert(atoms.end(), changed.begin(), changed.end());
    XChangeProperty(n.Dpy, n.Win, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(atoms.data()),
                    int(atoms.size()));
    XFlush(n.Dpy);
}

} // namespace

TX11Desktop ProbeX11Desktop()
{
    TX11Desktop d;
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy)
        return d;
    int eventBase = 0, errorBase = 0;
    d.Shapes = XShapeQueryExtension(dpy, &eventBase, &errorBase) != 0;
    std::string cm = "_NET_WM_CM_S" + std::to_string(DefaultScreen(dpy));
    d.Compositor = XGetSelectionOwner(dpy, XInternAtom(dpy, cm.c_str(), False)) != None;
    // A running compliant window manager keeps a window in this root
    // property whose own property names itself; one that ended may leave
    // the root's behind, naming a window that is gone.
    Window check = CheckWindowOf(dpy, DefaultRootWindow(dpy));
    if (check) {
        XSync(dpy, False);
        XErrorHandler previous = XSetErrorHandler(IgnoreXError);
        d.WindowManager = CheckWindowOf(dpy, check) == check;
        XSync(dpy, False);
        XSetErrorHandler(previous);
    }
    XCloseDisplay(dpy);
    return d;
}

unsigned long X11WindowOf(SDL_Window* window)
{
    return NativeOf(window).Win;
}

int X11ConnectionFd(SDL_Window* window)
{
    TNative n = NativeOf(window);
    return n.Dpy ? ConnectionNumber(n.Dpy) : -1;
}

bool X11EventsQueued(SDL_Window* window)
{
    TNative n = NativeOf(window);
    return n.Dpy && XEventsQueued(n.Dpy, QueuedAfterFlush) > 0;
}

void SetX11WindowShape(SDL_Window* window, const std::vector<TRect>* rects)
{
    TNative n = NativeOf(window);
    if (!n.Dpy)
        return;
    if (!rects) {
        XShapeCombineMask(n.Dpy, n.Win, ShapeBounding, 0, 0, None, ShapeSet);
    } else {
        std::vector<XRectangle> xr;
        xr.reserve(rects->size());
        for (const TRect& r : *rects)
            xr.push_back(XRectangle{short(r.Left), short(r.Top), (unsigned short)r.Width(), (unsigned short)r.Height()});
        XShapeCombineRectangles(n.Dpy, n.Win, ShapeBounding, 0, 0, xr.data(), int(xr.size()), ShapeSet, YXBanded);
    }
    XFlush(n.Dpy);
}

void SetX11ClickThrough(SDL_Window* window, bool through)
{
    TNative n = NativeOf(window);
    if (!n.Dpy)
        return;
    if (through)
        XShapeCombineRectangles(n.Dpy, n.Win, ShapeInput, 0, 0, nullptr, 0, ShapeSet, Unsorted);
    else
        XShapeCombineMask(n.Dpy, n.Win, ShapeInput, 0, 0, None, ShapeSet);
    XFlush(n.Dpy);
}

void RaiseX11Windows(const std::vector<SDL_Window*>& bottomFirst)
{
    Display* dpy = nullptr;
    for (SDL_Window* window : bottomFirst) {
        TNative n = NativeOf(window);
        if (!n.Dpy)
            continue;
        XRaiseWindow(n.Dpy, n.Win);
        dpy = n.Dpy;
    }
    if (dpy)
        XFlush(dpy);
}

void SetX11Owner(SDL_Window* window, SDL_Window* owner, bool modal)
{
    TNative n = NativeOf(window);
    if (!n.Dpy)
        return;
    TNative o = NativeOf(owner);
    if (o.Win)
        XSetTransientForHint(n.Dpy, n.Win, o.Win);
    else
        XDeleteProperty(n.Dpy, n.Win, XA_WM_TRANSIENT_FOR);
    SetStateBeforeMap(n, {"_NET_WM_STATE_MODAL"}, modal && o.Win);
}

void SetX11TaskbarEntry(SDL_Window* window, bool entry, bool askWindowManager)
{
    TNative n = NativeOf(window);
    if (!n.Dpy)
        return;
    if (!askWindowManager) {
        SetStateBeforeMap(n, {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"}, !entry);
        return;
    }
    // A managed window's state belongs to the window manager: it is asked.
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = n.Win;
    e.xclient.message_type = XInternAtom(n.Dpy, "_NET_WM_STATE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = entry ? 0 : 1;   // remove, add
    e.xclient.data.l[1] = long(XInternAtom(n.Dpy, "_NET_WM_STATE_SKIP_TASKBAR", False));
    e.xclient.data.l[2] = long(XInternAtom(n.Dpy, "_NET_WM_STATE_SKIP_PAGER", False));
    e.xclient.data.l[3] = 1;               // from a normal program
    XSendEvent(n.Dpy, DefaultRootWindow(n.Dpy), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    XFlush(n.Dpy);
}

void SetX11FocusOnMap(SDL_Window* window, bool focus)
{
    TNative n = NativeOf(window);
    if (!n.Dpy)
        return;
    Atom userTime = XInternAtom(n.Dpy, "_NET_WM_USER_TIME", False);
    if (focus) {
        XDeleteProperty(n.Dpy, n.Win, userTime);
    } else {
        long never = 0;
        XChangeProperty(n.Dpy, n.Win, userTime, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&never), 1);
    }
    XFlush(n.Dpy);
}

void ClearX11WindowIcon(SDL_Window* window)
{
    TNative n = NativeOf(window);
    if (!n.Dpy)
        return;
    XDeleteProperty(n.Dpy, n.Win, XInternAtom(n.Dpy, "_NET_WM_ICON", False));
    XFlush(n.Dpy);
}

void X11Bell(SDL_Window* window)
{
    TNative n = NativeOf(window);
    if (!n.Dpy)
        return;
    XBell(n.Dpy, 0);
    XFlush(n.Dpy);
}

TX11Pointer TranslateX11Pointer(const SDL_SysWMmsg* msg)
{
    TX11Pointer p;
    if (!msg || msg->subsystem != SDL_SYSWM_X11)
        return p;
    const XEvent& e = msg->msg.x11.event;
    switch (e.type) {
    case MotionNotify:
        p.Kind = TX11Pointer::pkMove;
        p.Screen = TPoint{e.xmotion.x_root, e.xmotion.y_root};
        break;
    case EnterNotify:
    case LeaveNotify:
        // Crossing into, out of or between our windows (also when a grab
        // ends): where the pointer is now.
        p.Kind = TX11Pointer::pkMove;
        p.Screen = TPoint{e.xcrossing.x_root, e.xcrossing.y_root};
        break;
    case ButtonPress:
    case ButtonRelease: {
        bool down = e.type == ButtonPress;
        p.Screen = TPoint{e.xbutton.x_root, e.xbutton.y_root};
        switch (e.xbutton.button) {
        case Button1: p.Kind = down ? TX11Pointer::pkButtonDown : TX11Pointer::pkButtonUp; p.Button = 0; break;
        case Button2: p.Kind = down ? TX11Pointer::pkButtonDown : TX11Pointer::pkButtonUp; p.Button = 2; break;
        case Button3: p.Kind = down ? TX11Pointer::pkButtonDown : TX11Pointer::pkButtonUp; p.Button = 1; break;
        case Button4:
        case Button5:
            if (down) {
                p.Kind = TX11Pointer::pkWheel;
                p.WheelDelta = e.xbutton.button == Button4 ? WheelDelta : -WheelDelta;
            }
            break;
        default: break;     // horizontal wheel and extra buttons: not used
        }
        break;
    }
    default: break;
    }
    return p;
}
