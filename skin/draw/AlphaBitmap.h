#pragma once
#include <memory>
#include <string>

#include "platform/gfx/Geometry.h"
#include "skin/draw/PixelRoutines.h"

class TBitmap;
class TCanvas;
class TDeviceContext;
class TGraphic;
class TStream;
class TbsBitmapLink;

// The skin layer's 32-bit raster with a per-pixel alpha channel. Its pixels
// live in a 32-bit surface of the graphics library (top-down rows without
// gaps), so the canvas can draw into it while the pixel routines read and
// write the pixels directly. Drawing it blends by the pixels' alpha
// (AlphaBlend), leaves key-coloured holes (Transparent) or copies.
class TbsBitmap {
public:
    TbsBitmap();
    ~TbsBitmap();
    TbsBitmap(const TbsBitmap&) = delete;
    TbsBitmap& operator=(const TbsBitmap&) = delete;

    // Both values are taken as absolute values; a zero or an unchanged size
    // does nothing. A new size starts all zero (black, transparent).
    void SetSize(int AWidth, int AHeight);
    bool Empty() const { return FBits == nullptr; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TbsColor* Bits() { return FBits; }
    const TbsColor* Bits() const { return FBits; }
    TbsPixelView View() const { return TbsPixelView{FBits, FWidth, FHeight}; }
    TbsColor* ScanLine(int Y) { return FBits + static_cast<std::ptrdiff_t>(Y) * FWidth; }
    TbsColor* PixelPtr(int X, int Y) { return ScanLine(Y) + X; }
    void SetPixel(int X, int Y, TbsColor Color);

    // The surface the pixels live in, its device context and canvas.
    TBitmap& Surface() { return *FSurface; }
    const TBitmap& Surface() const { return *FSurface; }
    TDeviceContext& DC();
    TCanvas& Canvas();

    bool AlphaBlend() const { return FAlphaBlend; }
    void SetAlphaBlend(bool Value) { FAlphaBlend = Value; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value) { FTransparent = Value; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    bool NewFormat() const { return FNewFormat; }
    void SetNewFormat(bool Value) { FNewFormat = Value; }

    void Clear(TbsColor Color);
    void SetAlpha(std::uint8_t Alpha);
    void SetAlpha(std::uint8_t Alpha, const TRect& Rect);
    // AlphaBlend := some pixel has an alpha other than 0 and 255.
    void CheckingAlphaBlend();
    void CheckingAlphaBlend(const TRect& ARect);
    // Pixels within 5 of Color in red, green and blue become the key colour
    // with alpha 0; Transparent tells whether there were any. Color is read
    // as a pixel value (red in bits 16-23).
    void CheckingTransparent(TbsColor Color);
    void CheckingTransparent(const TRect& ARect, TbsColor Color);

    std::unique_ptr<TbsBitmapLink> GetBitmapLink(const TRect& Rect);
    std::unique_ptr<TbsBitmapLink> GetBitmapLink(const std::string& Rect);

    // Colour adjustments of the visible (alpha not 0) pixels.
    void ChangeBitmapBrightness(int DeltaBrightness);
    void SetBitmapHue(int Hue);
    void ChangeBitmapSat(int DeltaSat);
    void ChangeBitmapHue(int DeltaHue);

    // Drawing onto a device context, a canvas or another alpha bitmap: the
    // whole bitmap at X, Y; the part SrcRect at X, Y; the whole bitmap
    // stretched into DstRect; the part SrcRect stretched into DstRect.
    void Draw(TDeviceContext& DC, int X, int Y) const;
    void Draw(TDeviceContext& DC, int X, int Y, const TRect& SrcRect) const;
    void Draw(TDeviceContext& DC, const TRect& DstRect) const;
    void Draw(TDeviceContext& DC, const TRect& DstRect, const TRect& SrcRect) const;
    void Draw(TCanvas& Canvas, int X, int Y) const;
    void Draw(TCanvas& Canvas, int X, int Y, const TRect& SrcRect) const;
    void Draw(TCanvas& Canvas, const TRect& DstRect) const;
    void Draw(TCanvas& Canvas, const TRect& DstRect, const TRect& SrcRect) const;
    void Draw(TbsBitmap& Target, int X, int Y) const;
    void Draw(TbsBitmap& Target, int X, int Y, const TRect& SrcRect) const;
    void Draw(TbsBitmap& Target, const TRect& DstRect) const;
    void Draw(TbsBitmap& Target, const TRect& DstRect, const TRect& SrcRect) const;

    // Repeats the SrcRect part over DstRect; a part of zero size draws nothing.
    void Tile(TDeviceContext& DC, const TRect& DstRect, const TRect& SrcRect) const;
    void Tile(TCanvas& Canvas, const TRect& DstRect, const TRect& SrcRect) const;
    void Tile(TbsBitmap& Target, const TRect& DstRect, const TRect& SrcRect) const;
    // Draws only the whole tiles that meet DstClip (all of them when it is empty).
    void TileClip(TDeviceContext& DC, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const;
    void TileClip(TCanvas& Canvas, const TRect& DstRect, const TRect& DstClip, const TRect& SrcRect) const;

    // Puts Bitmap's SrcRect under this bitmap's translucent pixels at X, Y.
    void MergeDraw(const TbsBitmap& Bitmap, int X, int Y, const TRect& SrcRect);
    // Draws Graphic into DstRect, keeping the pixels it does not cover.
    void DrawGraphic(const TGraphic& Graphic, const TRect& DstRect);
    // Fills R (blending when AlphaBlend is on).
    void FillRect(const TRect& R, TbsColor Color);
    // Mirror images fading downwards; the alpha is divided by 3, 4 and 2.
    void Reflection();
    void Reflection2();
    void Reflection3();
    void FlipVert();

    void Assign(const TbsBitmap& Source);
    // A 32-bit bitmap keeps its alpha; other pictures become opaque.
    void Assign(const TGraphic& Source);
    // Dest becomes a 32-bit bitmap of this size with this bitmap drawn on it.
    void AssignTo(TBitmap& Dest);

    // Name, Int32 width, Int32 height, then the pixels top row first. A
    // height of 0 or below marks rows stored from the bottom. Sizes the
    // stream cannot hold are refused.
    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;
    // An 8-bit run-length or raw PCX picture.
    void LoadFromPcxStream(TStream& Stream);

private:
    void DrawTile(TDeviceContext& DC, const TRect& Tile, const TRect& SrcRect, bool Direct) const;
    template <typename TDrawTile>
    void LayTiles(const TRect& DstRect, const TRect& SrcRect, TDrawTile&& DrawOne) const;
    void ReflectionDivided(int Divisor);

    TbsColor* FBits = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::string FName;
    std::unique_ptr<TBitmap> FSurface;
    bool FAlphaBlend = false;
    bool FTransparent = false;
    bool FNewFormat = false;
    bool FRegistered = false;
};

// The registered alpha bitmap whose surface DC draws into, or nullptr.
// Drawing onto such a DC becomes a pixel operation between the two bitmaps.
TbsBitmap* FindBitmapByDC(const TDeviceContext& DC);

// A named rectangle in an alpha bitmap (a sprite in a sheet).
class TbsBitmapLink {
public:
    TbsBitmapLink() = default;

    void Assign(const TbsBitmapLink& Source);
    TbsBitmap* Image() const { return FImage; }
    void SetImage(TbsBitmap* Value) { FImage = Value; }
    const TRect& Rect() const { return FRect; }
    void SetRect(const TRect& Value) { FRect = Value; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }
    bool Assigned() const;
    bool Masked() const { return FMasked; }
    bool MaskedBorder() const { return FMaskedBorder; }
    bool MaskedAngles() const { return FMaskedAngles; }

    // Draws the linked part at X, Y when there is one.
    void Draw(TbsBitmap& Bitmap, int X, int Y) const;
    void Draw(TCanvas& Canvas, int X, int Y) const;

    // Which parts of the link hold transparent pixels: with a zero margin the
    // whole rectangle (Masked); otherwise the corners (MaskedAngles), the
    // border bands (MaskedBorder) and the inside (Masked) the margin cuts out.
    void CheckingMasked();
    void CheckingMasked(const TRect& Margin);

    void LoadFromStream(TStream& Stream);
    void SaveToStream(TStream& Stream) const;

private:
    TbsBitmap* FImage = nullptr;  // not owned
    TRect FRect;
    std::string FName;
    bool FMaskedBorder = false;
    bool FMaskedAngles = false;
    bool FMasked = false;
};
