#include <algorithm>
#include <cstring>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

// Copies every rectangle of target (store coordinates) from the same
// rectangle offset by -dx, -dy, in an order that reads each source row or
// column before it is written.
void MovePixels(TBitmap& store, const TRegion& target, int dx, int dy)
{
    const std::vector<TRect>& rects = target.Rects();
    // Moving down (or right within one row) the last rows come first.
    const bool backwards = dy > 0 || (dy == 0 && dx > 0);
    const int bytes = 4;
    auto moveRect = [&](const TRect& r) {
        const size_t length = size_t(r.Width()) * bytes;
        for (int i = 0; i < r.Height(); ++i) {
            const int y = backwards ? r.Bottom - 1 - i : r.Top + i;
            std::memmove(store.ScanLine(y) + r.Left * bytes, store.ScanLine(y - dy) + (r.Left - dx) * bytes, length);
        }
    };
    if (backwards)
        std::for_each(rects.rbegin(), rects.rend(), moveRect);
    else
        std::for_each(rects.begin(), rects.end(), moveRect);
}

}  // namespace

bool ScrollWindow(HWND hwnd, int dx, int dy, const TRect* scrollRect)
{
    auto& m = TWindowManager::Instance();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return false;
    const TRect client = Bounds(0, 0, w->Client.Width(), w->Client.Height());
    const TRegion area(scrollRect ? IntersectRect(*scrollRect, client) : client);
    if (area.IsEmpty() || (dx == 0 && dy == 0) || !m.IsShown(w))
        return true;
    TWindowRecord* top = m.TopLevelOf(w);
    m.EnsureStore(top);
    TPoint origin = m.StoreOrigin(w);
    origin.X += w->Client.Left;
    origin.Y += w->Client.Top;
    const TRegion storeBounds(Bounds(0, 0, top->Store->Width(), top->Store->Height()));
    // What of the area shows, in client coordinates.
    const TRegion shown = m.VisibleRegion(w, true, (w->Style & WS_CLIPCHILDREN) != 0)
                              .Intersect(storeBounds)
                              .Offsetted(-origin.X, -origin.Y)
                              .Intersect(area);
    // Pixels still waiting to be painted are no source; the update moves with them.
    const TRegion pending = w->Update.Intersect(area);
    const TRegion moved = shown.Subtract(pending).Offsetted(dx, dy).Intersect(shown);
    if (!moved.IsEmpty()) {
        MovePixels(*top->Store, moved.Offsetted(origin.X, origin.Y), dx, dy);
        m.MarkDirty(top, moved.Offsetted(origin.X, origin.Y));
    }
    w->Update = w->Update.Subtract(area).Union(pending.Offsetted(dx, dy).Intersect(area));
    const TRegion exposed = area.Subtract(moved);
    InvalidateRgn(hwnd, &exposed, true);
    return true;
}
