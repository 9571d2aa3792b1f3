#include <SDL.h>
#include <string>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/sdl/SdlBackend.h"
#include "platform/ui/sdl/X11Compositor.h"
#include "platform/ui/sdl/X11Selections.h"

// Translucent windows on the desktop. A window the window manager marks
// per-pixel layered is made on the server's 32-bit visual and its surface
// carries premultiplied alpha, which the compositing manager blends with
// what lies beneath; whole-window alpha of the other windows is the
// window's opacity property. Both need a compositing manager: when it
// stops, the capabilities drop, per-pixel windows leave the screen (the
// server would show their colours unblended) and every window is told, so
// that forms take their plain path; when one starts, all comes back.

bool TSdlBackend::WantsArgb(HWND h) const
{
    if (!FArgbVisual)
        return false;
    TWindowRecord* w = WM().Find(h);
    return w && (w->ExStyle & WS_EX_LAYERED) && w->PerPixelAlpha;
}

// A window that became per-pixel layered after its desktop window was made
// gets a new one on the 32-bit visual (the visual of an X window is fixed).
TSdlBackend::TDesktopWindow& TSdlBackend::Remake(HWND h)
{
    TDesktopWindow& old = FWindows[h];
    bool shown = old.Shown;
    TRect rect = old.Rect;
    WindowDestroyed(h);
    Ensure(h);
    if (shown)
        WindowShown(h, rect, false);
    return FWindows[h];
}

void TSdlBackend::CompositorChanged()
{
    bool running = X11SelectionOwner(FAnchor, X11CompositorSelection) != 0;
    if (running == FCaps.ConstantAlpha)
        return;
    FCaps.ConstantAlpha = running;
    FCaps.PerPixelAlpha = running && FArgbVisual;
    auto& m = WM();
    for (auto& [h, d] : FWindows) {
        if (!d.Window)
            continue;
        d.Surface = nullptr;
        if (d.Argb && d.Shown && KeepOffScreen(d) && !d.Hidden) {
            SDL_HideWindow(d.Window);
            d.Hidden = true;
        } else if (d.Hidden && !KeepOffScreen(d)) {
            SDL_ShowWindow(d.Window);
            d.Hidden = false;
        }
        if (TWindowRecord* w = m.Alive(h); w && w->Store)
            m.MarkDirty(w, TRegion(Bounds(0, 0, w->Width(), w->Height())));
    }
    MirrorStacking(m.TopLevels);
    BroadcastCapsChange();
}

// Our store holds premultiplied colour with its alpha for a per-pixel
// window (opaque otherwise); the window's constant alpha scales both, as
// the compositor reads the surface as premultiplied ARGB.
void TSdlBackend::CopyPremultiplied(const TPresentInfo& info, SDL_Surface* surface, const TRect& r) const
{
    const TBitmap& store = *info.Store;
    const int alpha = info.Alpha;
    for (int y = r.Top; y < r.Bottom; ++y) {
        const uint8_t* src = store.ScanLine(y) + r.Left * 4;
        auto* dst = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch) + r.Left;
        for (int x = r.Left; x < r.Right; ++x, src += 4, ++dst) {
            uint32_t a = (info.PerPixelAlpha ? src[3] : 255u) * alpha / 255;
            uint32_t rr = src[2] * alpha / 255, g = src[1] * alpha / 255, b = src[0] * alpha / 255;
            *dst = a << 24 | rr << 16 | g << 8 | b;
        }
    }
}
