#include "skin/draw/AlphaBitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <unordered_map>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "skin/draw/BitmapBlits.h"
#include "skin/draw/ColorModel.h"
#include "skin/draw/RectText.h"

namespace {

// Every alpha bitmap that has pixels, by the surface its device context draws on.
std::unordered_map<const TBitmap*, TbsBitmap*>& Registry() {
    static std::unordered_map<const TBitmap*, TbsBitmap*> registry;
    return registry;
}

// The largest raster we agree to allocate (256 M pixels, 1 GiB).
constexpr std::int64_t MaxPixels = std::int64_t(1) << 28;

TRect Clipped(const TRect& r, int width, int height) {
    return TRect{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, width), std::min(r.Bottom, height)};
}

bool NearColor(TbsColor p, TbsColor c) {
    return std::abs(int(bsRedOf(p)) - int(bsRedOf(c))) < 6 && std::abs(int(bsGreenOf(p)) - int(bsGreenOf(c))) < 6 &&
           std::abs(int(bsBlueOf(p)) - int(bsBlueOf(c))) < 6;
}

}  // namespace

TbsBitmap* FindBitmapByDC(const TDeviceContext& DC) {
    if (!DC.IsMemory() || DC.Surface() == nullptr)
        return nullptr;
    const auto& registry = Registry();
    const auto it = registry.find(DC.Surface());
    return it == registry.end() ? nullptr : it->second;
}

TbsBitmap::TbsBitmap() : FSurface(std::make_unique<TBitmap>()) {
    FSurface->SetPixelFormat(pf32bit);
}

TbsBitmap::~TbsBitmap() {
    if (FRegistered)
        Registry().erase(FSurface.get());
}

void TbsBitmap::SetSize(int AWidth, int AHeight) {
    const int w = std::abs(AWidth), h = std::abs(AHeight);
    if (w == 0 || h == 0 || (w == FWidth && h == FHeight))
        return;
    FBits = nullptr;
    if (static_cast<std::int64_t>(w) * h > MaxPixels) {
        FSurface->FreeImage();
        FWidth = FHeight = 0;
        throw Exception("Can't allocate the DIB handle");
    }
    try {
        FSurface->SetSize(w, h, false);
        FSurface->Fill(clBlack, 0);
    } catch (const std::bad_alloc&) {
        FSurface->FreeImage();
        FWidth = FHeight = 0;
        throw Exception("Can't allocate the DIB handle");
    }
    FBits = reinterpret_cast<TbsColor*>(FSurface->ScanLine(0));
    FWidth = w;
    FHeight = h;
    if (!FRegistered) {
        Registry()[FSurface.get()] = this;
        FRegistered = true;
    }
}

void TbsBitmap::SetPixel(int X, int Y, TbsColor Color) {
    if (FBits != nullptr && X >= 0 && X < FWidth && Y >= 0 && Y < FHeight)
        *PixelPtr(X, Y) = Color;
}

TDeviceContext& TbsBitmap::DC() {
    return *Canvas().Handle();
}

TCanvas& TbsBitmap::Canvas() {
    return *FSurface->Canvas();
}

void TbsBitmap::Clear(TbsColor Color) {
    if (!Empty())
        FillLine(FBits, FWidth * FHeight, Color);
}

void TbsBitmap::SetAlpha(std::uint8_t Alpha) {
    if (!Empty())
        SetLineAlpha(FBits, FWidth * FHeight, Alpha);
}

void TbsBitmap::SetAlpha(std::uint8_t Alpha, const TRect& Rect) {
    if (Rect.Width() == 0 || Rect.Height() == 0)
        return;
    const TRect r = Clipped(Rect, FWidth, FHeight);
    if (!r.IsEmpty())
        SetRectAlpha(View(), r.Left, r.Top, r.Right - 1, r.Bottom - 1, Alpha);
}

void TbsBitmap::CheckingAlphaBlend() {
    CheckingAlphaBlend(TRect{0, 0, FWidth, FHeight});
}

void TbsBitmap::CheckingAlphaBlend(const TRect& ARect) {
    FAlphaBlend = false;
    const TRect r = Clipped(ARect, FWidth, FHeight);
    for (int y = r.Top; y < r.Bottom && !FAlphaBlend; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const std::uint8_t a = bsAlphaOf(*PixelPtr(x, y));
            if (a != 0 && a != 255) {
                FAlphaBlend = true;
                break;
            }
        }
}

void TbsBitmap::CheckingTransparent(TbsColor Color) {
    CheckingTransparent(TRect{0, 0, FWidth, FHeight}, Color);
}

void TbsBitmap::CheckingTransparent(const TRect& ARect, TbsColor Color) {
    FTransparent = false;
    const TRect r = Clipped(ARect, FWidth, FHeight);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            TbsColor& p = *PixelPtr(x, y);
            if (NearColor(p, Color)) {
                p = bsKeyColor;
                FTransparent = true;
            }
        }
}

std::unique_ptr<TbsBitmapLink> TbsBitmap::GetBitmapLink(const TRect& Rect) {
    auto link = std::make_unique<TbsBitmapLink>();
    link->SetImage(this);
    link->SetName(FName);
    link->SetRect(Rect);
    return link;
}

std::unique_ptr<TbsBitmapLink> TbsBitmap::GetBitmapLink(const std::string& Rect) {
    TRect r;
    StrToRectDef(Rect, r);
    return GetBitmapLink(r);
}

void TbsBitmap::ChangeBitmapBrightness(int DeltaBrightness) {
    ChangePixelsBrightness(View(), DeltaBrightness);
}

void TbsBitmap::SetBitmapHue(int Hue) {
    SetPixelsHue(View(), Hue);
}

void TbsBitmap::ChangeBitmapSat(int DeltaSat) {
    ChangePixelsSat(View(), DeltaSat);
}

void TbsBitmap::ChangeBitmapHue(int DeltaHue) {
    ChangePixelsHue(View(), DeltaHue);
}

// ---- drawing ---------------------------------------------------------------

void TbsBitmap::Draw(TDeviceContext& DC, const TRect& DstRect, const TRect& SrcRect) const {
    if (Empty())
        return;
    if (TbsBitmap* target = FindBitmapByDC(DC)) {
        const TPoint offset = DC.SurfaceOffset();
        Draw(*target, DstRect.Offsetted(offset.X, offset.Y), SrcRect);
        return;
    }
    auto routine = FAlphaBlend ? BlendToDC : FTransparent ? KeyToDC : StretchToDC;
    routine(DC, DstRect.Left, DstRect.Top, DstRect.Width(), DstRect.Height(), *this, SrcRect.Left, SrcRect.Top,
            SrcRect.Width(), SrcRect.Height());
}

void TbsBitmap::Draw(TbsBitmap& Target, const TRect& DstRect, const TRect& SrcRect) const {
    auto routine = FAlphaBlend ? BlendBitmapRect : FTransparent ? KeyBitmapRect : CopyBitmapRect;
    routine(Target, DstRect, DstRect, *this, SrcRect);
}

void TbsBitmap::Draw(TDeviceContext& DC, int X, int Y) const {
    Draw(DC, TRect{X, Y, X + FWidth, Y + FHeight}, TRect{0, 0, FWidth, FHeight});
}

void TbsBitmap::Draw(TDeviceContext& DC, int X, int Y, const TRect& SrcRect) const {
    Draw(DC, TRect{X, Y, X + SrcRect.Width(), Y + SrcRect.Height()}, SrcRect);
}

void TbsBitmap::Draw(TDeviceContext& DC, const TRect& DstRect) const {
    Draw(DC, DstRect, TRect{0, 0, FWidth, FHeight});
}

void TbsBitmap::Draw(TCanvas& Canvas, int X, int Y) const {
    Draw(*Canvas.Handle(), X, Y);
}

void TbsBitmap::Draw(TCanvas& Canvas, int X, int Y, const TRect& SrcRect) const {
    Draw(*Canvas.Handle(), X, Y, SrcRect);
}

void TbsBitmap::Draw(TCanvas& Canvas, const TRect& DstRect) const {
    Draw(*Canvas.Handle(), DstRect);
}

void TbsBitmap::Draw(TCanvas& Canvas, const TRect& DstRect, const TRect& SrcRect) const {
    Draw(*Canvas.Handle(), DstRect, SrcRect);
}

void TbsBitmap::Draw(TbsBitmap& Target, int X, int Y) const {
    Draw(Target, TRect{X, Y, X + FWidth, Y + FHeight}, TRect{0, 0, FWidth, FHeight});
}

void TbsBitmap::Draw(TbsBitmap& Target, int X, int Y, const TRect& SrcRect) const {
    Draw(Target, TRect{X, Y, X + SrcRect.Width(), Y + SrcRect.Height()}, SrcRect);
}

void TbsBitmap::Draw(TbsBitmap& Target, const TRect& DstRect) const {
    Draw(Target, DstRect, TRect{0, 0, FWidth, FHeight});
}

// ---- tiles -----------------------------------------------------------------

template <typename TDrawTile>
void TbsBitmap::LayTiles(const TRect& DstRect, const TRect& SrcRect, TDrawTile&& DrawOne) const {
    const int tw = SrcRect.Width(), th = SrcRect.Height();
    if (tw <= 0 || th <= 0 || DstRect.IsEmpty())
        return;
    const int cols = DstRect.Width() / tw + (DstRect.Width() % tw != 0);
    const int rows = DstRect.Height() / th + (DstRect.Height() % th != 0);
    for (int i = 0; i < cols; ++i)
        for (int j = 0; j < rows; ++j) {
            const TRect tile = IntersectRect(
                TRect{DstRect.Left + i * tw, DstRect.Top + j * th, DstRect.Left + (i + 1) * tw, DstRect.Top + (j + 1) * th},
                DstRect);
            if (tile.IsEmpty())
                break;
            DrawOne(tile, TRect{SrcRect.Left, SrcRect.Top, SrcRect.Left + tile.Width(), SrcRect.Top + tile.Height()});
        }
}

void TbsBitmap::DrawTile(TDeviceContext& DC, const TRect& Tile, const TRect& SrcRect, bool Direct) const {
    if (Direct) {
        int w, h, bits;
        if (TbsColor* pixels = GetDCBits(DC, w, h, bits)) {
            const TPoint offset = DC.SurfaceOffset();
            const TRect tile = Tile.Offsetted(offset.X, offset.Y);
            auto routine = FAlphaBlend ? BlendToDIB : FTransparent ? KeyToDIB : CopyToDIB;
            routine(pixels, tile, tile, w, h, *this, SrcRect);
            return;
        }
    }
    Draw(DC, Tile, SrcRect);
}

void TbsBitmap::Tile(TDeviceContext& DC, const TRect& DstRect, const TRect& SrcRect) const {
    if (Empty())
        return;
    const bool direct = FindBitmapByDC(DC) == nullptr;
    LayTiles(DstRect, SrcRect, [&](const TRect& tile, const TRect& src) { DrawTile(DC, tile, src, direct); });
}

void TbsBitmap::Tile(TCanvas& Canvas, const TRect& DstRect, const TRect& SrcRect) const {
    Tile(*Canvas.Handle(), DstRect, SrcRect);
}

void TbsBitmap::Tile(TbsBitmap& Target, const TRect& DstRect, const TRect& SrcRect) const {
    if (Empty())
        return;
    LayTiles(DstRect, SrcRect, [&](const TRect& tile, const TRect& src) { Draw(Target, tile, src); });
}

void TbsBitmap::TileClip(TDeviceContext& DC, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const {
    if (Empty())
        return;
    LayTiles(DstRect, SrcRect, [&](const TRect& tile, const TRect& src) {
        if (DstClip.IsEmpty() || !IntersectRect(tile, DstClip).IsEmpty())
            Draw(DC, tile, src);
    });
}

void TbsBitmap::TileClip(TCanvas& Canvas, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const {
    TileClip(*Canvas.Handle(), DstRect, DstClip, SrcRect);
}

// ---- pixel compositions ----------------------------------------------------

void TbsBitmap::MergeDraw(const TbsBitmap& Bitmap, int X, int Y, const TRect& SrcRect) {
    if (Empty() || Bitmap.Empty())
        return;
    const TRect src = Clipped(SrcRect, Bitmap.Width(), Bitmap.Height());
    // Both ends are clipped: source pixels that map outside this bitmap are
    // left out instead of wrapping into neighbouring rows.
    const int dx = X - src.Left, dy = Y - src.Top;
    const int left = std::max(src.Left, -dx), top = std::max(src.Top, -dy);
    const int right = std::min(src.Right, FWidth - dx), bottom = std::min(src.Bottom, FHeight - dy);
    for (int b = top; b < bottom; ++b) {
        const TbsColor* from = Bitmap.Bits() + static_cast<std::ptrdiff_t>(b) * Bitmap.Width();
        TbsColor* to = ScanLine(b + dy) + dx;
        for (int a = left; a < right; ++a) {
            const std::uint8_t alpha = bsAlphaOf(to[a]);
            if (alpha == 0)
                to[a] = from[a];
            else if (alpha < 255)
                to[a] = BlendPixel(to[a], from[a]);
        }
    }
}

void TbsBitmap::FillRect(const TRect& R, TbsColor Color) {
    const TRect r = Clipped(R, FWidth, FHeight);
    if (Empty() || r.IsEmpty())
        return;
    if (FAlphaBlend) {
        std::vector<TbsColor> line(static_cast<std::size_t>(r.Width()), Color);
        for (int y = r.Top; y < r.Bottom; ++y)
            BlendLine(line.data(), ScanLine(y) + r.Left, r.Width());
    } else {
        FillPixelRect(View(), r.Left, r.Top, r.Right - 1, r.Bottom - 1, Color);
    }
}

void TbsBitmap::DrawGraphic(const TGraphic& Graphic, const TRect& DstRect) {
    if (Empty())
        return;
    constexpr TColor magenta = RGB(255, 0, 255);
    TBitmap temp(FWidth, FHeight, pf32bit);
    temp.Fill(magenta, 0);
    Graphic.Draw(*temp.Canvas(), DstRect);
    for (int y = 0; y < FHeight; ++y) {
        const TbsColor* from = reinterpret_cast<const TbsColor*>(temp.ScanLine(y));
        TbsColor* to = ScanLine(y);
        for (int x = 0; x < FWidth; ++x)
            if ((from[x] & 0xFFFFFF) != 0xFF00FF)
                to[x] = from[x];
    }
}

void TbsBitmap::FlipVert() {
    for (int i = 0; i < FHeight / 2; ++i)
        std::swap_ranges(ScanLine(i), ScanLine(i) + FWidth, ScanLine(FHeight - 1 - i));
}

void TbsBitmap::ReflectionDivided(int Divisor) {
    if (Empty())
        return;
    FlipVert();
    double f = 1.0;
    for (int y = 0; y < FHeight; ++y, f -= 2.0 / FHeight) {
        TbsColor* row = ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            const int a = bsAlphaOf(row[x]);
            if (a == 0)
                continue;
            const int alpha = std::max(0, RoundEven(f * a)) / Divisor;
            row[x] = (row[x] & 0xFFFFFF) | (static_cast<TbsColor>(alpha) << 24);
        }
    }
}

void TbsBitmap::Reflection() {
    ReflectionDivided(3);
}

void TbsBitmap::Reflection2() {
    ReflectionDivided(4);
}

void TbsBitmap::Reflection3() {
    ReflectionDivided(2);
}

// ---- transfers -------------------------------------------------------------

void TbsBitmap::Assign(const TbsBitmap& Source) {
    if (&Source == this)
        return;
    SetSize(Source.Width(), Source.Height());
    if (Empty() || Source.Empty())
        return;
    MoveLine(Source.Bits(), FBits, FWidth * FHeight);
    FName = Source.FName;
    FTransparent = Source.FTransparent;
    FAlphaBlend = Source.FAlphaBlend;
}

void TbsBitmap::Assign(const TGraphic& Source) {
    SetSize(Source.Width(), Source.Height());
    if (Empty())
        return;
    if (const auto* bitmap = dynamic_cast<const TBitmap*>(&Source)) {
        if (bitmap->PixelFormat() == pf32bit) {
            for (int y = 0; y < FHeight; ++y)
                std::memcpy(ScanLine(y), bitmap->ScanLine(y), static_cast<std::size_t>(FWidth) * 4);
            CheckingAlphaBlend();
            return;
        }
        BitBlt(DC(), 0, 0, FWidth, FHeight, *bitmap, 0, 0);
    } else {
        DrawGraphic(Source, TRect{0, 0, FWidth, FHeight});
    }
    SetAlpha(255);
}

void TbsBitmap::AssignTo(TBitmap& Dest) {
    Dest.SetPixelFormat(pf32bit);
    Dest.SetSize(FWidth, FHeight);
    Draw(*Dest.Canvas(), 0, 0);
}

// ---- links -----------------------------------------------------------------

void TbsBitmapLink::Assign(const TbsBitmapLink& Source) {
    FImage = Source.FImage;
    FRect = Source.FRect;
    FName = Source.FName;
    FMasked = Source.FMasked;
    FMaskedBorder = Source.FMaskedBorder;
    FMaskedAngles = Source.FMaskedAngles;
}

bool TbsBitmapLink::Assigned() const {
    return FImage != nullptr && static_cast<std::int64_t>(FRect.Width()) * FRect.Height() > 0;
}

void TbsBitmapLink::Draw(TbsBitmap& Bitmap, int X, int Y) const {
    if (FImage != nullptr && !FImage->Empty() && FRect.Width() > 0 && FRect.Height() > 0)
        FImage->Draw(Bitmap, X, Y, FRect);
}

void TbsBitmapLink::Draw(TCanvas& Canvas, int X, int Y) const {
    if (FImage != nullptr && !FImage->Empty() && FRect.Width() > 0 && FRect.Height() > 0)
        FImage->Draw(Canvas, X, Y, FRect);
}

void TbsBitmapLink::CheckingMasked() {
    CheckingMasked(TRect{0, 0, 0, 0});
}

void TbsBitmapLink::CheckingMasked(const TRect& Margin) {
    FMasked = FMaskedBorder = FMaskedAngles = false;
    if (FImage == nullptr)
        return;
    auto masked = [&](int x, int y) {
        const TbsColor p = x >= 0 && y >= 0 && x < FImage->Width() && y < FImage->Height()
                               ? FImage->Bits()[static_cast<std::ptrdiff_t>(y) * FImage->Width() + x]
                               : 0;
        return p != 0x33333333 && ((p & 0xFFFFFFFF) == bsKeyColor || bsAlphaOf(p) < 255);
    };
    const bool zeroMargin = Margin.Left == 0 && Margin.Top == 0 && Margin.Right == 0 && Margin.Bottom == 0;
    // The bands are measured inside the link, so its own width and height
    // close them (not its position in the sheet).
    const int R = FRect.Width(), B = FRect.Height();
    const int ML = Margin.Left, MT = Margin.Top, MR = Margin.Right, MB = Margin.Bottom;
    const TRect angles[] = {{0, 0, ML, MT}, {R - MR, 0, R, MT}, {R - MR, B - MB, R, B}, {0, B - MB, ML, B}};
    const TRect border[] = {{ML, 0, R - MR, MT}, {ML, B - MB, R - MR, B}, {0, MT, ML, B - MB}, {R - MR, MT, R, B - MB}};
    const TRect inside{ML, MT, R - MR, B - MB};
    for (int y = FRect.Top; y < FRect.Bottom; ++y)
        for (int x = FRect.Left; x < FRect.Right; ++x) {
            if (!masked(x, y))
                continue;
            if (zeroMargin) {
                FMasked = true;
                return;
            }
            const TPoint p{x - FRect.Left, y - FRect.Top};
            for (const TRect& r : angles)
                FMaskedAngles = FMaskedAngles || r.Contains(p);
            for (const TRect& r : border)
                FMaskedBorder = FMaskedBorder || r.Contains(p);
            FMasked = FMasked || inside.Contains(p);
        }
}
