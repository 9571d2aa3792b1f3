#include "platform/ui/Paint.h"
#include <algorithm>
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowManager.h"

namespace {

enum TChildMode { cmDefault, cmAll, cmNone };

TChildMode ModeOf(UINT flags)
{
    if (flags & RDW_ALLCHILDREN)
        return cmAll;
    if (flags & RDW_NOCHILDREN)
        return cmNone;
    return cmDefault;
}

bool IncludeChildren(const TWindowRecord* w, TChildMode mode)
{
    return mode == cmAll || (mode == cmDefault && !(w->Style & WS_CLIPCHILDREN));
}

TRegion ClientArea(const TWindowRecord* w)
{
    return TRegion(Bounds(0, 0, w->Client.Width(), w->Client.Height()));
}

// Adds a region (client coordinates) to a window's update region and hands
// the parts over its children down to them.
void Invalidate(TWindowManager& m, TWindowRecord* w, const TRegion& clientRgn, bool erase, TChildMode mode)
{
    TRegion r = clientRgn.Intersect(ClientArea(w));
    if (r.IsEmpty())
        return;
    m.PaintRequested();
    w->Update = w->Update.Union(r);
    if (erase)
        w->ErasePending = true;
    if (!IncludeChildren(w, mode))
        return;
    for (HWND ch : w->Children) {
        TWindowRecord* c = m.Find(ch);
        if (!c || !c->Visible() || !r.Intersects(c->Rect))
            continue;
        TRegion part = r.Intersect(c->Rect);
        part.Offset(-c->Rect.Left, -c->Rect.Top);                // child window coordinates
        if (!part.Subtract(TRegion(c->Client)).IsEmpty())
            c->NcPending = true;
        TRegion clientPart = part.Intersect(c->Client);
        clientPart.Offset(-c->Client.Left, -c->Client.Top);
        Invalidate(m, c, clientPart, erase, mode);
    }
}

void Validate(TWindowManager& m, TWindowRecord* w, const TRegion& clientRgn, TChildMode mode)
{
    w->Update = w->Update.Subtract(clientRgn);
    if (!IncludeChildren(w, mode))
        return;
    for (HWND ch : w->Children) {
        TWindowRecord* c = m.Find(ch);
        if (!c)
            continue;
        TRegion part = clientRgn.Intersect(c->Rect);
        part.Offset(-c->Rect.Left - c->Client.Left, -c->Rect.Top - c->Client.Top);
        Validate(m, c, part, mode);
    }
}

bool NeedsPaint(const TWindowRecord* w)
{
    return !w->Update.IsEmpty() || w->NcPending || w->InternalPaint;
}

TWindowRecord* FindPaint(TWindowManager& m, TWindowRecord* w, HWND filter)
{
    if (!w->Visible() || w->RedrawOff)
        return nullptr;
    if (w->PerPixelAlpha) {
        // Its picture comes whole from UpdateLayeredWindow; nothing to paint.
        w->Update = TRegion();
        w->NcPending = w->InternalPaint = false;
        return nullptr;
    }
    if (NeedsPaint(w) && (!filter || filter == w->Handle))
        return w;
    for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it)
        if (TWindowRecord* c = m.Find(*it))
            if (TWindowRecord* found = FindPaint(m, c, filter))
                return found;
    return nullptr;
}

void PaintTree(TWindowManager& m, HWND h, bool children)
{
    TWindowRecord* w = m.Alive(h);
    if (!w || !m.IsShown(w))
        return;
    if (NeedsPaint(w) && !w->RedrawOff)
        m.DeliverPaint(w);
    if (!children || !(w = m.Alive(h)))
        return;
    std::vector<HWND> kids(w->Children.rbegin(), w->Children.rend());
    for (HWND c : kids)
        PaintTree(m, c, true);
}

} // namespace

// ---------------------------------------------------------------- manager

void TWindowManager::AddUpdate(TWindowRecord* w, const TRegion& clientRgn, bool erase, bool children)
{
    Invalidate(*this, w, clientRgn, erase, children ? cmAll : cmNone);
}

void TWindowManager::InvalidateExposed(TWindowRecord* parent, const TRegion& parentClientRgn)
{
    Invalidate(*this, parent, parentClientRgn, true, cmAll);
}

void TWindowManager::BuildPaintOrder()
{
    PaintScan.Order.clear();
    PaintScan.Next = 0;
    PaintScan.BuiltFor = PaintScan.Stamp;
    auto add = [this](auto& self, TWindowRecord* w) -> void {
        if (!w->Visible() || w->RedrawOff)
            return;
        if (w->PerPixelAlpha) {
            // Its picture comes whole from UpdateLayeredWindow; nothing to paint.
            w->Update = TRegion();
            w->NcPending = w->InternalPaint = false;
            return;
        }
        PaintScan.Order.push_back(w->Handle);
        for (auto it = w->Children.rbegin(); it != w->Children.rend(); ++it)
            if (TWindowRecord* c = Find(*it))
                self(self, c);
    };
    for (HWND h : TopLevels)
        if (TWindowRecord* w = Find(h); w && !w->Minimized)
            add(add, w);
}

TWindowRecord* TWindowManager::NextToPaint(HWND filter)
{
    if (!filter) {
        if (PaintScan.BuiltFor != PaintScan.Stamp)
            BuildPaintOrder();
        for (; PaintScan.Next < PaintScan.Order.size(); ++PaintScan.Next)
            if (TWindowRecord* w = Find(PaintScan.Order[PaintScan.Next]); w && NeedsPaint(w))
                return w;
        // Nothing left in order; the full search below still has the last
        // word, so a request that went unannounced is painted all the same.
    }
    for (HWND h : TopLevels) {
        TWindowRecord* w = Find(h);
        if (!w || w->Minimized)
            continue;
        if (TWindowRecord* found = FindPaint(*this, w, filter)) {
            PaintRequested();
            return found;
        }
    }
    return nullptr;
}

void TWindowManager::DeliverPaint(TWindowRecord* w)
{
    HWND h = w->Handle;
    HideCaretFor(h);
    struct TShowAfter {
        HWND H;
        ~TShowAfter() { ShowCaretFor(H); }
    } showAfter{h};
    if (w->NcPending) {
        w->NcPending = false;
        Send(h, WM_NCPAINT, 1, 0);
        if (!(w = Alive(h)))
            return;
    }
    if (w->ErasePending && !w->Update.IsEmpty()) {
        w->ErasePending = false;
        TRegion area = w->Update;
        HDC dc = MakeDc(w, true, &area);
        LRESULT erased = Send(h, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        Dcs.erase(dc);
        if (!(w = Alive(h)))
            return;
        w->EraseFailed = erased == 0;
    }
    if (!w->Update.IsEmpty() || w->InternalPaint) {
        TRegion before = w->Update;
        w->BeganPaint = false;
        w->InPaint = true;
        Send(h, WM_PAINT, 0, 0);
        if (!(w = Alive(h)))
            return;
        w->InPaint = false;
        // A procedure that ignores WM_PAINT would be asked again forever.
        if (!w->BeganPaint) {
            w->Update = w->Update.Subtract(before);
            w->InternalPaint = false;
        }
    }
}

void TWindowManager::EnsureStore(TWindowRecord* top)
{
    if (!top)
        return;
    // A window may be asked to be huge; its surface stays within reason.
    constexpr int MaxSide = 4096;
    int width = std::clamp(top->Width(), 1, MaxSide), height = std::clamp(top->Height(), 1, MaxSide);
    if (!top->Store) {
        top->Store = std::make_unique<TBitmap>(width, height, pf32bit);
        top->Dirty = TRegion(Bounds(0, 0, width, height));
    } else if (top->Store->Width() != width || top->Store->Height() != height) {
        top->Store->SetSize(width, height);
        top->Dirty = TRegion(Bounds(0, 0, width, height));
    }
}

void TWindowManager::MarkDirty(TWindowRecord* top, const TRegion& storeRgn)
{
    if (top && !storeRgn.IsEmpty())
        top->Dirty = top->Dirty.Union(storeRgn);
}

HDC TWindowManager::MakeDc(TWindowRecord* w, bool client, const TRegion* limit)
{
    TWindowRecord* top = TopLevelOf(w);
    EnsureStore(top);
    TRegion visible = VisibleRegion(w, client, (w->Style & WS_CLIPCHILDREN) != 0);
    TPoint origin = StoreOrigin(w);
    if (client) {
        origin.X += w->Client.Left;
        origin.Y += w->Client.Top;
    }
    if (limit)
        visible = visible.Intersect(limit->Offsetted(origin.X, origin.Y));
    MarkDirty(top, visible);
    auto dc = TDeviceContext::ForWindow(top->Store.get(), origin, visible.Offsetted(-origin.X, -origin.Y));
    HDC handle = dc.get();
    Dcs[handle] = TDcRecord{std::move(dc), w->Handle};
    return handle;
}

void TWindowManager::PresentAll()
{
    for (HWND h : TopLevels) {
        TWindowRecord* w = Find(h);
        if (!w || w->Dirty.IsEmpty() || !IsShown(w) || !w->Store)
            continue;
        TPresentInfo info;
        info.Wnd = h;
        info.ScreenRect = w->Rect;
        info.Store = w->Store.get();
        info.Dirty = w->Dirty.Intersect(TRegion(Bounds(0, 0, w->Width(), w->Height())));
        info.Alpha = (w->ExStyle & WS_EX_LAYERED) ? w->Alpha : 255;
        info.PerPixelAlpha = w->PerPixelAlpha;
        info.Shape = w->Shape.get();
        w->Dirty = TRegion();
        Backend().Present(info);
    }
}

// ------------------------------------------------------------ invalidation

bool RedrawWindow(HWND hwnd, const TRect* rect, const TRegion* region, UINT flags)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return false;
    TRegion area = region ? *region : rect ? TRegion(*rect) : ClientArea(w);
    TChildMode mode = ModeOf(flags);
    if (flags & RDW_INVALIDATE) {
        if (m.IsShown(w)) {
            Invalidate(m, w, area, (flags & RDW_ERASE) != 0, mode);
            if (flags & RDW_FRAME)
                w->NcPending = true;
            if (flags & RDW_INTERNALPAINT)
                w->InternalPaint = true;
            m.PaintRequested();
        }
    }
    if (flags & RDW_VALIDATE) {
        Validate(m, w, area, mode);
        if (flags & RDW_NOFRAME)
            w->NcPending = false;
        if (flags & RDW_NOERASE)
            w->ErasePending = false;
        if (flags & RDW_NOINTERNALPAINT)
            w->InternalPaint = false;
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW))
        PaintTree(m, hwnd, mode != cmNone);
    return true;
}

bool InvalidateRect(HWND hwnd, const TRect* rect, bool erase)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool InvalidateRgn(HWND hwnd, const TRegion* region, bool erase)
{
    return RedrawWindow(hwnd, nullptr, region, RDW_INVALIDATE | (erase ? RDW_ERASE : 0u));
}

bool ValidateRect(HWND hwnd, const TRect* rect)
{
    return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool ValidateRgn(HWND hwnd, const TRegion* region)
{
    return RedrawWindow(hwnd, nullptr, region, RDW_VALIDATE | RDW_NOCHILDREN);
}

bool UpdateWindow(HWND hwnd)
{
    auto& m = WM();
    if (!m.Alive(hwnd))
        return false;
    PaintTree(m, hwnd, true);
    m.PresentAll();
    return true;
}

bool GetUpdateRect(HWND hwnd, TRect* rect, bool erase)
{
    TRegion r;
    int kind = GetUpdateRgn(hwnd, r, erase);
    if (rect)
        *rect = r.Bounds();
    return kind > rkNull;
}

int GetUpdateRgn(HWND hwnd, TRegion& region, bool erase)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    if (!w)
        return rkError;
    region = w->Update;
    if (erase && w->ErasePending && !w->Update.IsEmpty()) {
        w->ErasePending = false;
        TRegion area = w->Update;
        HDC dc = m.MakeDc(w, true, &area);
        m.Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        m.Dcs.erase(dc);
    }
    return RegionKind(region);
}

// -------------------------------------------------------------- contexts

HDC BeginPaint(HWND hwnd, PAINTSTRUCT& ps)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    ps = PAINTSTRUCT{};
    if (!w)
        return nullptr;
    if (w->NcPending) {
        w->NcPending = false;
        m.Send(hwnd, WM_NCPAINT, 1, 0);
        if (!(w = m.Alive(hwnd)))
            return nullptr;
    }
    HideCaretFor(hwnd);
    TRegion area = w->Update;
    w->Update = TRegion();
    w->InternalPaint = false;
    w->BeganPaint = true;
    if (w->ErasePending && !area.IsEmpty()) {
        w->ErasePending = false;
        HDC edc = m.MakeDc(w, true, &area);
        LRESULT erased = m.Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(edc), 0);
        m.Dcs.erase(edc);
        if (!(w = m.Alive(hwnd)))
            return nullptr;
        w->EraseFailed = erased == 0;
    }
    ps.fErase = w->EraseFailed ? 1 : 0;
    w->EraseFailed = false;
    ps.hdc = m.MakeDc(w, true, &area);
    ps.rcPaint = area.Bounds();
    return ps.hdc;
}

bool EndPaint(HWND hwnd, const PAINTSTRUCT& ps)
{
    bool released = ReleaseDC(hwnd, ps.hdc) != 0;
    ShowCaretFor(hwnd);
    return released;
}

HDC GetDC(HWND hwnd)
{
    auto& m = WM();
    if (!hwnd) {
        static TBitmap screen(1, 1, pf32bit);
        auto dc = std::make_unique<TDeviceContext>(&screen);
        HDC handle = dc.get();
        m.Dcs[handle] = TWindowManager::TDcRecord{std::move(dc), nullptr};
        return handle;
    }
    TWindowRecord* w = m.Alive(hwnd);
    return w ? m.MakeDc(w, true, nullptr) : nullptr;
}

HDC GetWindowDC(HWND hwnd)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(hwnd);
    return w ? m.MakeDc(w, false, nullptr) : nullptr;
}

int ReleaseDC(HWND /*hwnd*/, HDC dc)
{
    return WM().Dcs.erase(dc) ? 1 : 0;
}

bool PrintWindow(HWND hwnd, HDC dc, LPARAM prfFlags)
{
    auto& m = WM();
    if (!m.Alive(hwnd) || !dc)
        return false;
    m.Send(hwnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), prfFlags);
    return true;
}

void FlushWindows()
{
    auto& m = WM();
    for (HWND h : std::vector<HWND>(m.TopLevels))
        PaintTree(m, h, true);
    m.PresentAll();
}

const TBitmap* WindowSurface(HWND topLevel)
{
    auto& m = WM();
    TWindowRecord* w = m.Alive(topLevel);
    if (!w)
        return nullptr;
    w = m.TopLevelOf(w);
    PaintTree(m, w->Handle, true);
    if (!(w = m.Alive(w->Handle)))
        return nullptr;
    m.EnsureStore(w);
    return w->Store.get();
}
