#include "platform/ui/sdl/X11Selections.h"
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/extensions/Xfixes.h>
#include <string>
#include "platform/ui/sdl/X11Native.h"

namespace {

int FFixesEventBase = -1;

Atom SelectionAtom(Display* dpy, const char* prefix)
{
    std::string name = prefix + std::to_string(DefaultScreen(dpy));
    return XInternAtom(dpy, name.c_str(), False);
}

} // namespace

unsigned long X11SelectionOwner(SDL_Window* anchor, const char* prefix)
{
    TNative n = NativeOf(anchor);
    return n.Dpy ? XGetSelectionOwner(n.Dpy, SelectionAtom(n.Dpy, prefix)) : 0;
}

bool WatchX11Selection(SDL_Window* anchor, const char* prefix)
{
    TNative n = NativeOf(anchor);
    if (!n.Dpy)
        return false;
    if (FFixesEventBase < 0) {
        int errorBase = 0, major = 1, minor = 0;
        if (!XFixesQueryExtension(n.Dpy, &FFixesEventBase, &errorBase)) {
            FFixesEventBase = -1;
            return false;
        }
        XFixesQueryVersion(n.Dpy, &major, &minor);
    }
    XFixesSelectSelectionInput(n.Dpy, DefaultRootWindow(n.Dpy), SelectionAtom(n.Dpy, prefix),
                               XFixesSetSelectionOwnerNotifyMask | XFixesSelectionWindowDestroyNotifyMask |
                                   XFixesSelectionClientCloseNotifyMask);
    XFlush(n.Dpy);
    return true;
}

bool IsX11SelectionChange(const SDL_SysWMmsg* msg, const char* prefix)
{
    if (!msg || msg->subsystem != SDL_SYSWM_X11 || FFixesEventBase < 0)
        return false;
    const XEvent& e = msg->msg.x11.event;
    if (e.type != FFixesEventBase + XFixesSelectionNotify)
        return false;
    const auto& s = reinterpret_cast<const XFixesSelectionNotifyEvent&>(e);
    return s.selection == SelectionAtom(s.display, prefix);
}
