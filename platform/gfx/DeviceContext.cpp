#include "platform/gfx/DeviceContext.h"

#include "platform/gfx/Bitmap.h"

TDeviceContext::TDeviceContext(TBitmap* bitmap) : FSurface(bitmap) {}

std::unique_ptr<TDeviceContext> TDeviceContext::ForWindow(TBitmap* backing, TPoint origin, const TRegion& visible)
{
    auto dc = std::make_unique<TDeviceContext>(backing);
    dc->FIsMemory = false;
    dc->FDeviceOrigin = origin;
    dc->FHasSystemClip = true;
    dc->FSystemClip = visible;
    return dc;
}

TBitmap* TDeviceContext::SelectBitmap(TBitmap* bitmap)
{
    TBitmap* old = FSurface;
    FSurface = bitmap;
    ClipChanged();
    return old;
}

TSelectedBitmap TDeviceContext::SelectedBitmap() const
{
    TSelectedBitmap info;
    if (!FIsMemory || !FSurface || FSurface->Empty())
        return info;
    info.Bits = FSurface->Bits();
    info.Width = FSurface->Width();
    info.Height = FSurface->Height();
    info.BitsPerPixel = FSurface->BitsPerPixel();
    info.Stride = FSurface->Stride();
    info.TopDown = true;
    return info;
}

void TDeviceContext::SetDeviceOrigin(TPoint origin)
{
    FDeviceOrigin = origin;
    ClipChanged();
}

void TDeviceContext::SetSystemClip(const TRegion& visible)
{
    FHasSystemClip = true;
    FSystemClip = visible;
    ClipChanged();
}

int TDeviceContext::SaveDC()
{
    FSaved.push_back(FState);
    return int(FSaved.size());
}

bool TDeviceContext::RestoreDC(int saved)
{
    int level = saved < 0 ? int(FSaved.size()) + 1 + saved : saved;
    if (level < 1 || level > int(FSaved.size()))
        return false;
    FState = FSaved[size_t(level - 1)];
    FSaved.resize(size_t(level - 1));
    ClipChanged();
    return true;
}

TPoint TDeviceContext::SetViewportOrg(int x, int y)
{
    TPoint old = FState.ViewportOrg;
    FState.ViewportOrg = {x, y};
    return old;
}

TPoint TDeviceContext::OffsetViewportOrg(int dx, int dy)
{
    TPoint old = FState.ViewportOrg;
    FState.ViewportOrg = {old.X + dx, old.Y + dy};
    return old;
}

TRegion TDeviceContext::DeviceArea() const
{
    if (FHasSystemClip)
        return FSystemClip;
    if (!FSurface)
        return {};
    return TRegion(TRect{0, 0, FSurface->Width(), FSurface->Height()}.Offsetted(-FDeviceOrigin.X, -FDeviceOrigin.Y));
}

TRegionKind TDeviceContext::CurrentClipKind() const
{
    return RegionKind(FState.HasClip ? FState.ClipRgn.Intersect(DeviceArea()) : DeviceArea());
}

TRegionKind TDeviceContext::IntersectClipRect(const TRect& r)
{
    return CombineClipRect(r, &TRegion::Intersect);
}

TRegionKind TDeviceContext::ExcludeClipRect(const TRect& r)
{
    return CombineClipRect(r, &TRegion::Subtract);
}

TRegionKind TDeviceContext::CombineClipRect(const TRect& r, TRegion (TRegion::*combine)(const TRegion&) const)
{
    TRect device = r.Offsetted(FState.ViewportOrg.X, FState.ViewportOrg.Y);
    FState.ClipRgn = ((FState.HasClip ? FState.ClipRgn : DeviceArea()).*combine)(TRegion(device));
    FState.HasClip = true;
    ClipChanged();
    return CurrentClipKind();
}

TRegionKind TDeviceContext::SelectClipRgn(const TRegion* region)
{
    FState.HasClip = region != nullptr;
    FState.ClipRgn = region ? *region : TRegion();
    ClipChanged();
    return CurrentClipKind();
}

TRegionKind TDeviceContext::OffsetClipRgn(int dx, int dy)
{
    if (FState.HasClip) {
        FState.ClipRgn.Offset(dx, dy);
        ClipChanged();
    }
    return CurrentClipKind();
}

bool TDeviceContext::GetClipRgn(TRegion& region) const
{
    if (!FState.HasClip)
        return false;
    region = FState.ClipRgn;
    return true;
}

TPoint TDeviceContext::SurfaceOffset() const
{
    return {FState.ViewportOrg.X + FDeviceOrigin.X, FState.ViewportOrg.Y + FDeviceOrigin.Y};
}

const TRegion& TDeviceContext::Clip() const
{
    const int w = FSurface ? FSurface->Width() : 0;
    const int h = FSurface ? FSurface->Height() : 0;
    if (FClipValid && w == FClipWidth && h == FClipHeight)
        return FClip;
    TRegion device = FState.HasClip ? FState.ClipRgn : DeviceArea();
    if (FHasSystemClip && FState.HasClip)
        device = device.Intersect(FSystemClip);
    FClip = device.Offsetted(FDeviceOrigin.X, FDeviceOrigin.Y).Intersect(TRect{0, 0, w, h});
    FClipValid = true;
    FClipWidth = w;
    FClipHeight = h;
    return FClip;
}

TRect TDeviceContext::ClipBox() const
{
    TPoint o = SurfaceOffset();
    return Clip().Bounds().Offsetted(-o.X, -o.Y);
}

bool TDeviceContext::PtVisible(TPoint p) const
{
    TPoint o = SurfaceOffset();
    return Clip().Contains({p.X + o.X, p.Y + o.Y});
}

bool TDeviceContext::RectVisible(const TRect& r) const
{
    TPoint o = SurfaceOffset();
    return Clip().Intersects(r.Offsetted(o.X, o.Y));
}

TColor TDeviceContext::SetTextColor(TColor color)
{
    TColor old = FState.TextColor;
    FState.TextColor = color;
    return old;
}

TColor TDeviceContext::SetBkColor(TColor color)
{
    TColor old = FState.BkColor;
    FState.BkColor = color;
    return old;
}

TBkMode TDeviceContext::SetBkMode(TBkMode mode)
{
    TBkMode old = FState.BkMode;
    FState.BkMode = mode;
    return old;
}
