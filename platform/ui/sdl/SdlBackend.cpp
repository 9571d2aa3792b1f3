#include "platform/ui/sdl/SdlBackend.h"
#include <SDL.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/sdl/SdlTray.h"
#include "platform/ui/sdl/X11Compositor.h"
#include "platform/ui/sdl/X11Desktop.h"
#include "platform/ui/sdl/X11Selections.h"

namespace {

void SetHints()
{
    // Native Wayland can neither place a window nor read the pointer outside
    // it; XWayland can.
    SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
    // Our window manager routes the mouse and holds the capture itself.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Closing windows and signals never end the program behind our back.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // Window surfaces are plain X images: no GL context per window.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_IME_SHOW_UI, "1");
}

SDL_SystemCursor SystemCursorOf(HCURSOR cursor)
{
    switch (cursor) {
    case IDC_IBEAM: return SDL_SYSTEM_CURSOR_IBEAM;
    case IDC_WAIT: return SDL_SYSTEM_CURSOR_WAIT;
    case IDC_APPSTARTING: return SDL_SYSTEM_CURSOR_WAITARROW;
    case IDC_CROSS: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case IDC_SIZENWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case IDC_SIZENESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case IDC_SIZEWE: return SDL_SYSTEM_CURSOR_SIZEWE;
    case IDC_SIZENS: return SDL_SYSTEM_CURSOR_SIZENS;
    case IDC_SIZEALL: return SDL_SYSTEM_CURSOR_SIZEALL;
    case IDC_NO: return SDL_SYSTEM_CURSOR_NO;
    case IDC_HAND: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
    }
}

bool IsPopupKind(TSdlBackend::TWindowKind k)
{
    return k == TSdlBackend::wkPopupMenu || k == TSdlBackend::wkTooltip;
}

bool ContainsNoCase(const std::string& text, const std::string& part)
{
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(),
                          [](char a, char b) { return std::tolower(uint8_t(a)) == std::tolower(uint8_t(b)); });
    return it != text.end();
}

} // namespace

TSdlBackend::TSdlBackend()
{
    SetHints();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw Exception(std::string("Cannot open the desktop: ") + SDL_GetError());
    // SDL's own wake-up (a client message to a window it remembers from an
    // earlier wait) can hit a window destroyed since, which ends the
    // program with an X error: waits and wakes are ours instead.
    FWakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    FAnchor = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (FWakeFd < 0 || !FAnchor) {
        std::string reason = FWakeFd < 0 ? "no event descriptor" : SDL_GetError();
        if (FAnchor)
            SDL_DestroyWindow(FAnchor);
        if (FWakeFd >= 0)
            close(FWakeFd);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        throw Exception("Cannot open the desktop: " + reason);
    }
    // Raw X events carry the pointer's root coordinates.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    // SDL starts with text input on; it is on only while an edit has the focus.
    SDL_StopTextInput();
    TX11Desktop desktop = ProbeX11Desktop();
    FWindowManager = desktop.WindowManager;
    // Translucency follows the compositing manager as it starts and stops.
    FArgbVisual = X11ArgbVisual(FAnchor);
    WatchX11Selection(FAnchor, X11CompositorSelection);
    FCaps.PerPixelAlpha = desktop.Compositor && FArgbVisual;
    FTray = std::make_unique<TSdlTray>(FAnchor);
    FCaps.TrayIcon = FTray->HostPresent();
    FCaps.ConstantAlpha = desktop.Compositor;
    FCaps.WindowShapes = desktop.Shapes;
}

TSdlBackend::~TSdlBackend()
{
    FAwake = false;
    for (auto& [h, d] : FWindows)
        if (d.Window)
            SDL_DestroyWindow(d.Window);
    FWindows.clear();
    for (auto& [id, c] : FCursors)
        SDL_FreeCursor(c);
    FCursors.clear();
    FTray.reset();
    SDL_DestroyWindow(FAnchor);
    close(FWakeFd);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void TSdlBackend::Attached()
{
    FMainThread = std::this_thread::get_id();
    FAwake = true;
}

void TSdlBackend::Detached()
{
    FAwake = false;
    if (FTextInput) {
        SDL_StopTextInput();
        FTextInput = false;
    }
}

std::vector<TMonitor> TSdlBackend::Monitors() const
{
    std::vector<TMonitor> list;
    int n = SDL_GetNumVideoDisplays();
    for (int i = 0; i < n; ++i) {
        SDL_Rect b, u;
        if (SDL_GetDisplayBounds(i, &b) != 0)
            continue;
        if (SDL_GetDisplayUsableBounds(i, &u) != 0)
            u = b;
        TMonitor m;
        m.Bounds = Bounds(b.x, b.y, b.w, b.h);
        m.WorkArea = Bounds(u.x, u.y, u.w, u.h);
        m.Primary = b.x == 0 && b.y == 0;
        list.push_back(m);
    }
    if (list.empty())
        list.push_back(TMonitor{TRect{0, 0, 1024, 768}, TRect{0, 0, 1024, 768}, true});
    if (std::none_of(list.begin(), list.end(), [](const TMonitor& m) { return m.Primary; }))
        list.front().Primary = true;
    return list;
}

TSdlBackend::TWindowKind TSdlBackend::KindOf(DWORD style, DWORD exStyle, const std::string& className)
{
    bool caption = (style & WS_CAPTION) == WS_CAPTION;
    bool tool = (exStyle & WS_EX_TOOLWINDOW) != 0;
    if ((style & WS_POPUP) && !caption && (tool || (exStyle & WS_EX_NOACTIVATE)))
        return ContainsNoCase(className, "hint") ? wkTooltip : wkPopupMenu;
    if (tool && caption)
        return wkUtility;
    return wkForm;
}

TSdlBackend::TDesktopWindow* TSdlBackend::Desktop(HWND h)
{
    auto it = FWindows.find(h);
    return it == FWindows.end() ? nullptr : &it->second;
}

SDL_Window* TSdlBackend::SdlWindow(HWND h) const
{
    auto it = FWindows.find(h);
    return it == FWindows.end() ? nullptr : it->second.Window;
}

unsigned long TSdlBackend::NativeWindow(HWND h) const
{
    return X11WindowOf(SdlWindow(h));
}

HWND TSdlBackend::WindowOfId(uint32_t id) const
{
    for (const auto& [h, d] : FWindows)
        if (d.Id == id)
            return h;
    return nullptr;
}

TSdlBackend::TDesktopWindow& TSdlBackend::Ensure(HWND h)
{
    TDesktopWindow& d = FWindows[h];
    if (d.Window)
        return d;
    TWindowRecord* w = WM().Find(h);
    DWORD style = w ? w->Style : 0, exStyle = w ? w->ExStyle : 0;
    d.Kind = KindOf(style, exStyle, w && w->Class ? w->Class->Name : std::string());
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    switch (d.Kind) {
    case wkUtility: flags |= SDL_WINDOW_UTILITY; break;
    case wkPopupMenu: flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR; break;
    case wkTooltip: flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR; break;
    case wkForm: break;
    }
    // Only the window standing for the program, and those asking for it,
    // are listed in the taskbar (checked again whenever it maps).
    d.Listed = !IsPopupKind(d.Kind) && HasTaskbarEntry(h);
    if (!d.Listed)
        flags |= SDL_WINDOW_SKIP_TASKBAR;
    d.Topmost = (exStyle & WS_EX_TOPMOST) != 0;
    if (d.Topmost && !IsPopupKind(d.Kind))
        flags |= SDL_WINDOW_ALWAYS_ON_TOP;
    d.Rect = w ? w->Rect : TRect{0, 0, 1, 1};
    d.Title = w ? w->Text : std::string();
    // SDL takes the visual of the window it makes from a hint.
    d.Argb = WantsArgb(h);
    if (d.Argb)
        SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(FArgbVisual).c_str());
    d.Window = SDL_CreateWindow(d.Title.c_str(), d.Rect.Left, d.Rect.Top, std::max(1, d.Rect.Width()),
                                std::max(1, d.Rect.Height()), flags);
    if (d.Argb)
        SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, "");
    if (!d.Window) {
        FWindows.erase(h);
        throw Exception(std::string("Cannot create a desktop window: ") + SDL_GetError());
    }
    d.Id = SDL_GetWindowID(d.Window);
    if (w && !IsPopupKind(d.Kind) && (w->Icons[ICON_BIG] || w->Icons[ICON_SMALL]))
        ApplyIcon(d, w->Icons[ICON_BIG] ? w->Icons[ICON_BIG].get() : w->Icons[ICON_SMALL].get());
    return d;
}

void TSdlBackend::Place(HWND, TDesktopWindow& d, const TRect& r)
{
    if (r.Width() != d.Rect.Width() || r.Height() != d.Rect.Height())
        SDL_SetWindowSize(d.Window, std::max(1, r.Width()), std::max(1, r.Height()));
    if (r.Left != d.Rect.Left || r.Top != d.Rect.Top)
        SDL_SetWindowPosition(d.Window, r.Left, r.Top);
    d.Rect = r;
}

void TSdlBackend::WindowShown(HWND h, const TRect& screenRect, bool activating)
{
    TDesktopWindow& d = Ensure(h);
    Place(h, d, screenRect);
    SyncClickThrough(h, d);
    if (KeepOffScreen(d)) {
        d.Shown = d.Hidden = true;
        return;
    }
    d.Hidden = false;
    Uint32 flags = SDL_GetWindowFlags(d.Window);
    if (flags & SDL_WINDOW_MINIMIZED)
        SDL_RestoreWindow(d.Window);
    if (!(flags & SDL_WINDOW_SHOWN) || !d.Shown) {
        if (!IsPopupKind(d.Kind)) {
            SetOwnerBeforeMap(h, d);
            SyncTaskbarEntry(h, d);
            // A window shown without activation asks the window manager
            // not to give it the focus either.
            if (FWindowManager)
                SetX11FocusOnMap(d.Window, activating);
        }
        SDL_ShowWindow(d.Window);
        // Without a desktop window manager SDL gives every window it shows
        // the keyboard, menus and hints included: it stays with our active
        // window (a window being activated gets it when that is synced).
        if (!FWindowManager)
            if (TDesktopWindow* active = Desktop(WM().ActiveWnd); active && active != &d && active->Window && active->Shown)
                SDL_SetWindowInputFocus(active->Window);
    }
    d.Shown = true;
    d.IconifiedByDesktop = false;
    d.Surface = nullptr;                   // a fresh map shows the whole store
    // X maps a window on top of the others: put back whatever we keep above it.
    std::erase(FStacked, h);
    FStacked.insert(FStacked.begin(), h);
    MirrorStacking(WM().TopLevels);
}

// An owned window stays above its owner on the desktop. A form has no
// owner of ours, but one shown while our active window is disabled is the
// modal window that window waits for (ShowModal disables the others first).
void TSdlBackend::SetOwnerBeforeMap(HWND h, TDesktopWindow& d)
{
    auto& m = WM();
    TWindowRecord* w = m.Find(h);
    HWND owner = w ? w->Owner : nullptr;
    TWindowRecord* active = m.Find(m.ActiveWnd);
    bool waiting = active && m.ActiveWnd != h && !active->Enabled();
    if (!owner && waiting)
        owner = m.ActiveWnd;
    TDesktopWindow* o = Desktop(owner);
    bool usable = o && o->Window && !IsPopupKind(o->Kind);
    TWindowRecord* ow = usable ? m.Find(owner) : nullptr;
    SetX11Owner(d.Window, usable ? o->Window : nullptr, ow && !ow->Enabled());
}

// Which windows the taskbar lists changes with the window standing for the
// program (the main form made or made anew) and with styles.
void TSdlBackend::SyncTaskbarEntry(HWND h, TDesktopWindow& d)
{
    bool listed = !IsPopupKind(d.Kind) && HasTaskbarEntry(h);
    if (listed == d.Listed || IsPopupKind(d.Kind))
        return;
    d.Listed = listed;
    SetX11TaskbarEntry(d.Window, listed, FWindowManager && d.Shown);
}

void TSdlBackend::WindowHidden(HWND h)
{
    TDesktopWindow* d = Desktop(h);
    if (!d || !d->Window)
        return;
    TWindowRecord* w = WM().Find(h);
    // Minimising asks the desktop to iconify; without a desktop window
    // manager nobody could bring an iconified window back, so it is hidden.
    if (w && w->Minimized && !IsPopupKind(d->Kind) && FWindowManager)
        SDL_MinimizeWindow(d->Window);
    else
        SDL_HideWindow(d->Window);
    d->Shown = d->Hidden = false;
    std::erase(FStacked, h);
}

void TSdlBackend::WindowMoved(HWND h, const TRect& screenRect)
{
    if (TDesktopWindow* d = Desktop(h); d && d->Window)
        Place(h, *d, screenRect);
}

void TSdlBackend::WindowDestroyed(HWND h)
{
    auto it = FWindows.find(h);
    if (it == FWindows.end())
        return;
    if (it->second.Window)
        SDL_DestroyWindow(it->second.Window);
    FWindows.erase(it);
    std::erase(FStacked, h);
    if (FSyncedActive == h)
        FSyncedActive = nullptr;
}

void TSdlBackend::ZOrderChanged(const std::vector<HWND>& topFirst)
{
    for (HWND h : topFirst) {
        TDesktopWindow* d = Desktop(h);
        TWindowRecord* w = WM().Find(h);
        if (!d || !d->Window || !w || IsPopupKind(d->Kind))
            continue;
        bool topmost = (w->ExStyle & WS_EX_TOPMOST) != 0;
        if (topmost != d->Topmost) {
            SDL_SetWindowAlwaysOnTop(d->Window, topmost ? SDL_TRUE : SDL_FALSE);
            d->Topmost = topmost;
        }
    }
    MirrorStacking(topFirst);
}

// X stacks our windows as we do: topmost ones over the rest, owned windows
// over their owner, menus and hints over everything. A desktop window
// manager does part of that by itself (transient and "above" windows), but
// without one, and for override-redirect popups always, the stacking is
// ours to make. The windows above the lowest one whose place changed are
// raised from the bottom up; the bottom part that kept its order stays put.
void TSdlBackend::MirrorStacking(const std::vector<HWND>& topFirst)
{
    std::vector<HWND> shown;
    for (HWND h : topFirst)
        if (TDesktopWindow* d = Desktop(h); d && d->Window && d->Shown && !d->IconifiedByDesktop)
            shown.push_back(h);      // a raise could bring an iconified window back
    std::erase_if(FStacked, [&](HWND h) { return std::find(shown.begin(), shown.end(), h) == shown.end(); });
    size_t same = 0;
    while (same < shown.size() && same < FStacked.size() &&
           shown[shown.size() - 1 - same] == FStacked[FStacked.size() - 1 - same])
        ++same;
    std::vector<SDL_Window*> raise;
    for (size_t i = shown.size() - same; i-- > 0;)
        raise.push_back(Desktop(shown[i])->Window);
    RaiseX11Windows(raise);
    FStacked = std::move(shown);
}

void TSdlBackend::WindowIconChanged(HWND h, const TBitmap* icon)
{
    if (TDesktopWindow* d = Desktop(h); d && d->Window && !IsPopupKind(d->Kind))
        ApplyIcon(*d, icon);
}

// The desktop takes icons as straight-alpha ARGB; a picture without alpha is opaque.
void TSdlBackend::ApplyIcon(TDesktopWindow& d, const TBitmap* icon)
{
    if (!icon || icon->Empty()) {
        ClearX11WindowIcon(d.Window);    // SDL cannot take an icon away
        return;
    }
    TBitmap pixels(*icon);
    TAlphaFormat alpha = pixels.PixelFormat() == pf32bit ? pixels.AlphaFormat() : afIgnored;
    pixels.SetPixelFormat(pf32bit);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, pixels.Width(), pixels.Height(), 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface)
        return;
    for (int y = 0; y < pixels.Height(); ++y) {
        const uint8_t* src = pixels.ScanLine(y);
        auto* dst = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < pixels.Width(); ++x, src += 4, dst += 4) {
            uint8_t a = alpha == afIgnored ? 255 : src[3];
            for (int c = 0; c < 3; ++c)
                dst[c] = alpha == afPremultiplied && a ? uint8_t(std::min(255, src[c] * 255 / a)) : src[c];
            dst[3] = a;
        }
    }
    SDL_SetWindowIcon(d.Window, surface);
    SDL_FreeSurface(surface);
}

// A layered window marked transparent takes no mouse input here, as in our
// own hit testing: the desktop hands it to the window beneath, ours or not.
void TSdlBackend::SyncClickThrough(HWND h, TDesktopWindow& d)
{
    TWindowRecord* w = WM().Find(h);
    bool through = w && (w->ExStyle & WS_EX_LAYERED) && (w->ExStyle & WS_EX_TRANSPARENT);
    if (through == d.ClickThrough || !FCaps.WindowShapes)
        return;
    d.ClickThrough = through;
    SetX11ClickThrough(d.Window, through);
}

void TSdlBackend::ApplyShape(TDesktopWindow& d, const TRegion* shape)
{
    if (!FCaps.WindowShapes)
        return;
    if (!shape) {
        if (d.Shaped)
            SetX11WindowShape(d.Window, nullptr);
        d.Shaped = false;
        d.ShapeRects.clear();
        return;
    }
    if (d.Shaped && d.ShapeRects == shape->Rects())
        return;
    d.ShapeRects = shape->Rects();
    d.Shaped = true;
    SetX11WindowShape(d.Window, &d.ShapeRects);
}

void TSdlBackend::Present(const TPresentInfo& info)
{
    if (!info.Store)
        return;
    TDesktopWindow* made = &Ensure(info.Wnd);
    if (info.PerPixelAlpha && !made->Argb && FCaps.PerPixelAlpha)
        made = &Remake(info.Wnd);
    TDesktopWindow& d = *made;
    ApplyShape(d, info.Shape);
    if (d.Argb && info.Alpha != d.Alpha) {
        d.Alpha = info.Alpha;              // in the pixels: all of them change
        d.Surface = nullptr;
    } else if (!d.Argb && FCaps.ConstantAlpha && info.Alpha != d.Alpha) {
        SDL_SetWindowOpacity(d.Window, info.Alpha / 255.0f);
        d.Alpha = info.Alpha;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(d.Window);
    if (!surface)
        return;
    const TBitmap& store = *info.Store;
    TRect bounds = Bounds(0, 0, std::min(surface->w, store.Width()), std::min(surface->h, store.Height()));
    TRegion dirty = surface != d.Surface ? TRegion(bounds) : info.Dirty.Intersect(TRegion(bounds));
    d.Surface = surface;
    if (dirty.IsEmpty())
        return;
    int pitch = store.Width() * 4;
    std::vector<SDL_Rect> rects;
    rects.reserve(dirty.Rects().size());
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    bool premultiply = d.Argb && surface->format->format == SDL_PIXELFORMAT_ARGB8888;
    for (const TRect& r : dirty.Rects()) {
        rects.push_back(SDL_Rect{r.Left, r.Top, r.Width(), r.Height()});
        if (premultiply) {
            CopyPremultiplied(info, surface, r);
            continue;
        }
        const uint8_t* src = store.ScanLine(r.Top) + r.Left * 4;
        uint8_t* dst = static_cast<uint8_t*>(surface->pixels) + r.Top * surface->pitch + r.Left * surface->format->BytesPerPixel;
        SDL_ConvertPixels(r.Width(), r.Height(), SDL_PIXELFORMAT_ARGB8888, src, pitch, surface->format->format, dst,
                          surface->pitch);
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurfaceRects(d.Window, rects.data(), int(rects.size()));
}

void TSdlBackend::SetCursorShape(HCURSOR cursor)
{
    SDL_SystemCursor id = SystemCursorOf(cursor);
    SDL_Cursor*& c = FCursors[int(id)];
    if (!c)
        c = SDL_CreateSystemCursor(id);
    if (c)
        SDL_SetCursor(c);
}

void TSdlBackend::CaptureChanged(bool captured)
{
    // Holds the pointer for our capture also outside our windows; fails
    // harmlessly when none of our windows has the keyboard focus.
    SDL_CaptureMouse(captured ? SDL_TRUE : SDL_FALSE);
}

void TSdlBackend::Wake()
{
    if (!FAwake)
        return;
    // The main thread inside the pump looks at its queues when it returns.
    if (std::this_thread::get_id() == FMainThread && FInPump)
        return;
    uint64_t one = 1;
    [[maybe_unused]] ssize_t n = write(FWakeFd, &one, sizeof(one));   // only fails when the count is full
}

bool TSdlBackend::TrayIcon(TTrayAction action, const TTrayIconInfo& info)
{
    return FTray->Notify(action, info);
}

// A tray host started, ended or took over: icons dock again by themselves,
// and the program's windows hear "TaskbarCreated" for icons added meanwhile.
void TSdlBackend::TrayHostChanged()
{
    if (!FTray->HostChanged())
        return;
    FCaps.TrayIcon = FTray->HostPresent();
    if (FCaps.TrayIcon)
        BroadcastTaskbarCreated();
}

void TSdlBackend::Beep(UINT)
{
    for (auto& [h, d] : FWindows)
        if (d.Window) {
            X11Bell(d.Window);
            return;
        }
}

std::string TSdlBackend::ClipboardText()
{
    char* text = SDL_GetClipboardText();
    std::string result = text ? text : "";
    SDL_free(text);
    return result;
}

void TSdlBackend::SetClipboardText(const std::string& text)
{
    SDL_SetClipboardText(text.c_str());
}

TSdlBackend& UseSdlBackend()
{
    auto backend = std::make_unique<TSdlBackend>();
    TSdlBackend& ref = *backend;
    InstallBackend(std::move(backend));
    return ref;
}
