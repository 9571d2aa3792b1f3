#include <algorithm>
#include <cstring>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

bool SetLayeredWindowAttributes(HWND hwnd, TColor /*key*/, BYTE alpha, DWORD flags)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w || w->IsChild() || !(w->ExStyle & WS_EX_LAYERED) || !m.Backend().Caps().ConstantAlpha)
        return false;
    if (flags & LWA_ALPHA)
        w->Alpha = alpha;
    w->PerPixelAlpha = false;
    if (w->Store)
        m.MarkDirty(w, TRegion(Bounds(0, 0, w->Width(), w->Height())));
    return true;
}

bool GetLayeredWindowAttributes(HWND hwnd, TColor* key, BYTE* alpha, DWORD* flags)
{
    TWindowRecord* w = WM().Alive(hwnd);
    if (!w || !(w->ExStyle & WS_EX_LAYERED))
        return false;
    if (key)
        *key = clNone;
    if (alpha)
        *alpha = w->Alpha;
    if (flags)
        *flags = LWA_ALPHA;
    return true;
}

// The window's picture comes from the source context's bitmap; with
// AC_SRC_ALPHA its alpha channel (premultiplied) shapes the window.
bool UpdateLayeredWindow(HWND hwnd, HDC /*dst*/, const TPoint* position, const TSize* size, HDC src,
                         const TPoint* srcPoint, TColor /*key*/, const BLENDFUNCTION* blend, DWORD flags)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w || w->IsChild() || !(w->ExStyle & WS_EX_LAYERED))
        return false;
    bool perPixel = blend && (blend->AlphaFormat & AC_SRC_ALPHA) && (flags & ULW_ALPHA);
    if (perPixel ? !m.Backend().Caps().PerPixelAlpha : !m.Backend().Caps().ConstantAlpha)
        return false;
    if (position || size) {
        TRect r = w->Rect;
        int x = position ? position->X : r.Left, y = position ? position->Y : r.Top;
        int cx = size ? size->cx : r.Width(), cy = size ? size->cy : r.Height();
        SetWindowPos(hwnd, nullptr, x, y, cx, cy,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW | (position ? 0u : SWP_NOMOVE) | (size ? 0u : SWP_NOSIZE));
        if (!(w = m.Alive(hwnd)))
            return false;
    }
    w->Alpha = blend ? blend->SourceConstantAlpha : 255;
    w->PerPixelAlpha = perPixel;
    m.EnsureStore(w);
    if (src && src->Surface()) {
        const TBitmap& sb = *src->Surface();
        TPoint offset = src->SurfaceOffset();
        int sx = (srcPoint ? srcPoint->X : 0) + offset.X, sy = (srcPoint ? srcPoint->Y : 0) + offset.Y;
        TBitmap& store = *w->Store;
        int width = std::min(store.Width(), sb.Width() - sx), height = std::min(store.Height(), sb.Height() - sy);
        bool src32 = sb.PixelFormat() == pf32bit;
        for (int y = 0; y < height && sx >= 0 && sy >= 0; ++y) {
            const uint8_t* s = sb.ScanLine(sy + y);
            uint8_t* d = store.ScanLine(y);
            for (int x = 0; x < width; ++x) {
                const uint8_t* px = s + (sx + x) * (src32 ? 4 : 3);
                d[x * 4 + 0] = px[0];
                d[x * 4 + 1] = px[1];
                d[x * 4 + 2] = px[2];
                d[x * 4 + 3] = src32 && perPixel ? px[3] : 255;
            }
        }
    }
    w->Update = TRegion();
    w->ErasePending = false;
    m.MarkDirty(w, TRegion(Bounds(0, 0, w->Width(), w->Height())));
    return true;
}
