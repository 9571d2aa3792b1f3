#include "platform/ui/sdl/X11Tray.h"
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <algorithm>
#include "platform/ui/sdl/X11Native.h"

namespace {

constexpr long SystemTrayRequestDock = 0;
constexpr long XEmbedMapped = 1;

int ButtonOf(unsigned int button)
{
    switch (button) {
    case Button1: return 0;
    case Button2: return 2;
    case Button3: return 1;
    default: return -1;
    }
}

} // namespace

unsigned long MakeX11TrayWindow(SDL_Window* anchor, int size)
{
    TNative n = NativeOf(anchor);
    if (!n.Dpy)
        return 0;
    XSetWindowAttributes a{};
    // The host's own background shows where the icon is transparent.
    a.background_pixmap = ParentRelative;
    a.event_mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask |
                   ExposureMask | StructureNotifyMask;
    Window w = XCreateWindow(n.Dpy, DefaultRootWindow(n.Dpy), 0, 0, unsigned(std::max(1, size)),
                             unsigned(std::max(1, size)), 0, CopyFromParent, InputOutput, CopyFromParent,
                             CWBackPixmap | CWEventMask, &a);
    long info[2] = {0, XEmbedMapped};     // version 0, mapped once embedded
    Atom xembed = XInternAtom(n.Dpy, "_XEMBED_INFO", False);
    XChangeProperty(n.Dpy, w, xembed, xembed, 32, PropModeReplace, reinterpret_cast<unsigned char*>(info), 2);
    XStoreName(n.Dpy, w, "tray icon");
    // Hosts size the icon from its size hints (none: a pixel).
    XSizeHints hints{};
    hints.flags = PMinSize | PBaseSize;
    hints.min_width = hints.min_height = hints.base_width = hints.base_height = std::max(1, size);
    XSetWMNormalHints(n.Dpy, w, &hints);
    XFlush(n.Dpy);
    return w;
}

void DestroyX11TrayWindow(SDL_Window* anchor, unsigned long window)
{
    TNative n = NativeOf(anchor);
    if (!n.Dpy || !window)
        return;
    IgnoringXErrors(n.Dpy, [&] { XDestroyWindow(n.Dpy, window); });
}

void DockX11TrayWindow(SDL_Window* anchor, unsigned long host, unsigned long window)
{
    TNative n = NativeOf(anchor);
    if (!n.Dpy || !host || !window)
        return;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = host;
    e.xclient.message_type = XInternAtom(n.Dpy, "_NET_SYSTEM_TRAY_OPCODE", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = CurrentTime;
    e.xclient.data.l[1] = SystemTrayRequestDock;
    e.xclient.data.l[2] = long(window);
    // The host may have gone meanwhile.
    IgnoringXErrors(n.Dpy, [&] { XSendEvent(n.Dpy, host, False, NoEventMask, &e); });
}

void UndockX11TrayWindow(SDL_Window* anchor, unsigned long window)
{
    TNative n = NativeOf(anchor);
    if (!n.Dpy || !window)
        return;
    IgnoringXErrors(n.Dpy, [&] {
        XUnmapWindow(n.Dpy, window);
        XReparentWindow(n.Dpy, window, DefaultRootWindow(n.Dpy), 0, 0);
    });
}

void PaintX11TrayWindow(SDL_Window* anchor, unsigned long window, const uint8_t* bgra, int width, int height)
{
    TNative n = NativeOf(anchor);
    if (!n.Dpy || !window)
        return;
    IgnoringXErrors(n.Dpy, [&] {
        XWindowAttributes wa;
        if (!XGetWindowAttributes(n.Dpy, window, &wa) || wa.map_state != IsViewable)
            return;
        XClearWindow(n.Dpy, window);
        XImage* image = XGetImage(n.Dpy, window, 0, 0, unsigned(wa.width), unsigned(wa.height), AllPlanes, ZPixmap);
        if (!image)
            return;
        int left = (wa.width - width) / 2, top = (wa.height - height) / 2;
        const unsigned long rm = image->red_mask, gm = image->green_mask, bm = image->blue_mask;
        auto shiftOf = [](unsigned long mask) { int s = 0; while (mask && !(mask & 1)) { mask >>= 1; ++s; } return s; };
        const int rs = shiftOf(rm), gs = shiftOf(gm), bs = shiftOf(bm);
        for (int y = 0; y < height; ++y) {
            int wy = top + y;
            if (wy < 0 || wy >= wa.height)
                continue;
            for (int x = 0; x < width; ++x) {
                int wx = left + x;
                if (wx < 0 || wx >= wa.width)
                    continue;
                const uint8_t* p = bgra + (size_t(y) * width + x) * 4;
                unsigned long under = XGetPixel(image, wx, wy);
                int a = p[3];
                auto mix = [a](int over, int back) { return (over * a + back * (255 - a)) / 255; };
                unsigned long r = mix(p[2], int((under & rm) >> rs)), g = mix(p[1], int((under & gm) >> gs)),
                              b = mix(p[0], int((under & bm) >> bs));
                XPutPixel(image, wx, wy, (r << rs) | (g << gs) | (b << bs));
            }
        }
        GC gc = XCreateGC(n.Dpy, window, 0, nullptr);
        XPutImage(n.Dpy, window, gc, image, 0, 0, 0, 0, unsigned(wa.width), unsigned(wa.height));
        XFreeGC(n.Dpy, gc);
        XDestroyImage(image);
    });
}

TRect X11TrayWindowRect(SDL_Window* anchor, unsigned long window)
{
    TNative n = NativeOf(anchor);
    TRect r;
    if (!n.Dpy || !window)
        return r;
    IgnoringXErrors(n.Dpy, [&] {
        XWindowAttributes wa;
        Window child = 0;
        int x = 0, y = 0;
        if (XGetWindowAttributes(n.Dpy, window, &wa) && wa.map_state == IsViewable &&
            XTranslateCoordinates(n.Dpy, window, DefaultRootWindow(n.Dpy), 0, 0, &x, &y, &child))
            r = Bounds(x, y, wa.width, wa.height);
    });
    return r;
}

TX11TrayEvent TranslateX11TrayEvent(const SDL_SysWMmsg* msg)
{
    TX11TrayEvent t;
    if (!msg || msg->subsystem != SDL_SYSWM_X11)
        return t;
    const XEvent& e = msg->msg.x11.event;
    t.Window = e.xany.window;
    switch (e.type) {
    case ButtonPress:
    case ButtonRelease:
        t.Kind = e.type == ButtonPress ? TX11TrayEvent::tePress : TX11TrayEvent::teRelease;
        t.Button = ButtonOf(e.xbutton.button);
        t.Screen = TPoint{e.xbutton.x_root, e.xbutton.y_root};
        t.Time = e.xbutton.time;
        break;
    case MotionNotify:
        t.Kind = TX11TrayEvent::teMotion;
        t.Screen = TPoint{e.xmotion.x_root, e.xmotion.y_root};
        break;
    case EnterNotify:
    case LeaveNotify:
        t.Kind = e.type == EnterNotify ? TX11TrayEvent::teEnter : TX11TrayEvent::teLeave;
        t.Screen = TPoint{e.xcrossing.x_root, e.xcrossing.y_root};
        break;
    case Expose:
        if (e.xexpose.count == 0)
            t.Kind = TX11TrayEvent::teExpose;
        break;
    case ConfigureNotify:
        t.Window = e.xconfigure.window;
        t.Kind = TX11TrayEvent::teResized;
        t.Size = TSize{e.xconfigure.width, e.xconfigure.height};
        break;
    case ReparentNotify:
        t.Window = e.xreparent.window;
        t.Kind = e.xreparent.parent == DefaultRootWindow(e.xreparent.display) ? TX11TrayEvent::teUnembedded
                                                                               : TX11TrayEvent::teEmbedded;
        break;
    default: break;
    }
    return t;
}
