#include "XDesktop.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Picture.h"
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/shape.h>

namespace {

int IgnoreError(Display*, XErrorEvent*)
{
    return 0;
}

// Windows of other programs may vanish while we look at them: errors on
// them are no failure (Xlib's default would end the test program).
class TErrorTrap {
public:
    explicit TErrorTrap(Display* display) : FDisplay(display)
    {
        XSync(FDisplay, False);
        FPrevious = XSetErrorHandler(IgnoreError);
    }
    ~TErrorTrap()
    {
        XSync(FDisplay, False);
        XSetErrorHandler(FPrevious);
    }

private:
    Display* FDisplay;
    XErrorHandler FPrevious;
};

} // namespace

TXDesktop::TXDesktop() : FDisplay(XOpenDisplay(nullptr))
{
}

TXDesktop::~TXDesktop()
{
    if (FDisplay)
        XCloseDisplay(FDisplay);
}

void TXDesktop::Sync()
{
    XSync(FDisplay, False);
}

void TXDesktop::MoveTo(int x, int y)
{
    XTestFakeMotionEvent(FDisplay, -1, x, y, CurrentTime);
    Sync();
}

void TXDesktop::Press(int button)
{
    XTestFakeButtonEvent(FDisplay, unsigned(button), True, CurrentTime);
    Sync();
}

void TXDesktop::Release(int button)
{
    XTestFakeButtonEvent(FDisplay, unsigned(button), False, CurrentTime);
    Sync();
}

void TXDesktop::Key(const char* keysym, bool down)
{
    KeyCode code = XKeysymToKeycode(FDisplay, XStringToKeysym(keysym));
    XTestFakeKeyEvent(FDisplay, code, down ? True : False, CurrentTime);
    Sync();
}

void TXDesktop::RequestClose(unsigned long window)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(FDisplay, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(FDisplay, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(FDisplay, window, False, NoEventMask, &e);
    Sync();
}

// What a desktop window manager does to iconify a client: unmap it and
// mark it iconic; de-iconifying maps it again.
void TXDesktop::Iconify(unsigned long window)
{
    long state[2] = {IconicState, None};
    Atom wmState = XInternAtom(FDisplay, "WM_STATE", False);
    XChangeProperty(FDisplay, window, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(state), 2);
    XUnmapWindow(FDisplay, window);
    Sync();
}

void TXDesktop::Deiconify(unsigned long window)
{
    long state[2] = {NormalState, None};
    Atom wmState = XInternAtom(FDisplay, "WM_STATE", False);
    XChangeProperty(FDisplay, window, wmState, wmState, 32, PropModeReplace, reinterpret_cast<unsigned char*>(state), 2);
    XMapWindow(FDisplay, window);
    Sync();
}

void TXDesktop::MoveResize(unsigned long window, const TRect& r)
{
    XMoveResizeWindow(FDisplay, window, r.Left, r.Top, unsigned(r.Width()), unsigned(r.Height()));
    Sync();
}

void TXDesktop::Destroy(unsigned long window)
{
    XDestroyWindow(FDisplay, window);
    Sync();
}

void TXDesktop::AskWindowManager(unsigned long window, const char* message, long data0)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window;
    e.xclient.message_type = XInternAtom(FDisplay, message, False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = data0;
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(FDisplay, DefaultRootWindow(FDisplay), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
    Sync();
}

bool TXDesktop::WindowManagerUp()
{
    TErrorTrap trap(FDisplay);
    auto check = [&](Window w) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Window found = 0;
        if (XGetWindowProperty(FDisplay, w, XInternAtom(FDisplay, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                               XA_WINDOW, &type, &format, &count, &after, &data) == Success &&
            data) {
            if (count == 1)
                found = *reinterpret_cast<Window*>(data);
            XFree(data);
        }
        return found;
    };
    Window w = check(DefaultRootWindow(FDisplay));
    return w && check(w) == w;
}

unsigned long TXDesktop::Frame(unsigned long window)
{
    TErrorTrap trap(FDisplay);
    Window w = window;
    for (;;) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(FDisplay, w, &root, &parent, &children, &count))
            return 0;
        if (children)
            XFree(children);
        if (parent == root)
            return w;
        w = parent;
    }
}

void TXDesktop::Remap(unsigned long window)
{
    XUnmapWindow(FDisplay, window);
    XMapRaised(FDisplay, window);
    Sync();
}

void TXDesktop::ActAsCompositor()
{
    Window owner = XCreateSimpleWindow(FDisplay, DefaultRootWindow(FDisplay), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(FDisplay, XInternAtom(FDisplay, "_NET_WM_CM_S0", False), owner, CurrentTime);
    Sync();
}

bool TXDesktop::SelectionOwned(const char* selection)
{
    return XGetSelectionOwner(FDisplay, XInternAtom(FDisplay, selection, False)) != None;
}

unsigned long TXDesktop::MakeWindow(const TRect& r)
{
    XSetWindowAttributes a{};
    a.override_redirect = False;
    a.background_pixel = 0x0000FF;
    Window w = XCreateWindow(FDisplay, DefaultRootWindow(FDisplay), r.Left, r.Top, unsigned(r.Width()),
                             unsigned(r.Height()), 0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixel, &a);
    XMapRaised(FDisplay, w);
    Sync();
    return w;
}

void TXDesktop::Focus(unsigned long window)
{
    XSetInputFocus(FDisplay, window, RevertToParent, CurrentTime);
    Sync();
}

std::vector<unsigned long> TXDesktop::Stacking()
{
    TErrorTrap trap(FDisplay);
    std::vector<unsigned long> list;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(FDisplay, DefaultRootWindow(FDisplay), &root, &parent, &children, &count))
        return list;
    for (unsigned i = count; i-- > 0;)
        if (Mapped(children[i]))
            list.push_back(children[i]);
    if (children)
        XFree(children);
    return list;
}

unsigned long TXDesktop::FindMapped(const std::string& title)
{
    TErrorTrap trap(FDisplay);
    for (unsigned long w : Stacking())
        if (Utf8Property(w, "_NET_WM_NAME") == title)
            return w;
    return 0;
}

TRect TXDesktop::Geometry(unsigned long window)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(FDisplay, window, &a))
        return TRect{};
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(FDisplay, window, DefaultRootWindow(FDisplay), 0, 0, &x, &y, &child);
    return Bounds(x, y, a.width, a.height);
}

bool TXDesktop::Mapped(unsigned long window)
{
    XWindowAttributes a{};
    return XGetWindowAttributes(FDisplay, window, &a) && a.map_state == IsViewable;
}

bool TXDesktop::OverrideRedirect(unsigned long window)
{
    XWindowAttributes a{};
    return XGetWindowAttributes(FDisplay, window, &a) && a.override_redirect;
}

unsigned long TXDesktop::FocusWindow()
{
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(FDisplay, &focus, &revert);
    return focus;
}

std::string TXDesktop::Utf8Property(unsigned long window, const char* name)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(FDisplay, window, XInternAtom(FDisplay, name, False), 0, 1024, False,
                           XInternAtom(FDisplay, "UTF8_STRING", False), &type, &format, &count, &after, &data) == Success &&
        data) {
        value.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return value;
}

long TXDesktop::CardinalProperty(unsigned long window, const char* name)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long value = -1;
    if (XGetWindowProperty(FDisplay, window, XInternAtom(FDisplay, name, False), 0, 1, False, XA_CARDINAL, &type,
                           &format, &count, &after, &data) == Success &&
        data) {
        if (count == 1)
            value = long(*reinterpret_cast<unsigned long*>(data) & 0xFFFFFFFFul);
        XFree(data);
    }
    return value;
}

unsigned long TXDesktop::TransientFor(unsigned long window)
{
    Window owner = 0;
    return XGetTransientForHint(FDisplay, window, &owner) ? owner : 0;
}

bool TXDesktop::HasState(unsigned long window, const char* state)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    Atom wanted = XInternAtom(FDisplay, state, False);
    if (XGetWindowProperty(FDisplay, window, XInternAtom(FDisplay, "_NET_WM_STATE", False), 0, 64, False, XA_ATOM,
                           &type, &format, &count, &after, &data) == Success &&
        data) {
        const auto* atoms = reinterpret_cast<const Atom*>(data);
        for (unsigned long i = 0; i < count; ++i)
            found = found || atoms[i] == wanted;
        XFree(data);
    }
    return found;
}

std::vector<uint32_t> TXDesktop::CardinalList(unsigned long window, const char* name)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<uint32_t> list;
    if (XGetWindowProperty(FDisplay, window, XInternAtom(FDisplay, name, False), 0, 1 << 20, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        data) {
        // Format-32 items arrive as longs.
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        for (unsigned long i = 0; i < count; ++i)
            list.push_back(uint32_t(items[i] & 0xFFFFFFFFul));
        XFree(data);
    }
    return list;
}

uint32_t TXDesktop::Pixel(int x, int y)
{
    XImage* image = XGetImage(FDisplay, DefaultRootWindow(FDisplay), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image)
        return 0xFFFFFFFF;
    uint32_t p = uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFF;
    XDestroyImage(image);
    return p;
}

void TXDesktop::SaveScreen(const std::string& fileName)
{
    XWindowAttributes a{};
    Window root = DefaultRootWindow(FDisplay);
    XGetWindowAttributes(FDisplay, root, &a);
    XImage* image = XGetImage(FDisplay, root, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
    if (!image)
        return;
    TBitmap picture(a.width, a.height, pf24bit);
    for (int y = 0; y < a.height; ++y) {
        uint8_t* row = picture.ScanLine(y);
        for (int x = 0; x < a.width; ++x) {
            unsigned long p = XGetPixel(image, x, y);
            row[x * 3 + 0] = uint8_t(p);
            row[x * 3 + 1] = uint8_t(p >> 8);
            row[x * 3 + 2] = uint8_t(p >> 16);
        }
    }
    XDestroyImage(image);
    TPicture file;
    file.SetGraphic(&picture);
    file.SaveToFile(fileName);
}

std::vector<TRect> TXDesktop::Shape(unsigned long window, bool input)
{
    std::vector<TRect> list;
    int count = 0, ordering = 0;
    XRectangle* rects = XShapeGetRectangles(FDisplay, window, input ? ShapeInput : ShapeBounding, &count, &ordering);
    for (int i = 0; i < count; ++i)
        list.push_back(Bounds(rects[i].x, rects[i].y, rects[i].width, rects[i].height));
    if (rects)
        XFree(rects);
    return list;
}
