#include "platform/gfx/Bitmap.h"

#include <algorithm>
#include <cstring>
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Blit.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/PixelOps.h"

namespace {

// Pictures larger than this are refused instead of exhausting memory.
constexpr int64_t MaxPixels = int64_t(1) << 28;

uint8_t Luminance(TColor c)
{
    return uint8_t((GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000);
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height, TPixelFormat format) : FFormat(format)
{
    SetSize(width, height, false);
}

TBitmap::TBitmap(const TBitmap& other) : TGraphic()
{
    *this = other;
}

TBitmap& TBitmap::operator=(const TBitmap& other)
{
    if (this == &other)
        return *this;
    FWidth = other.FWidth;
    FHeight = other.FHeight;
    FStride = other.FStride;
    FFormat = other.FFormat;
    FAlphaFormat = other.FAlphaFormat;
    FTransparentMode = other.FTransparentMode;
    FTransparentColor = other.FTransparentColor;
    FTransparent = other.FTransparent;
    FBits = other.FBits;
    Changed();
    return *this;
}

TBitmap::~TBitmap() = default;

int TBitmap::StrideFor(int width, TPixelFormat format)
{
    int bits = format == pf1bit ? 1 : (format == pf24bit ? 24 : 32);
    return int(((int64_t(width) * bits + 31) / 32) * 4);
}

int TBitmap::BitsPerPixel() const
{
    return FFormat == pf1bit ? 1 : (FFormat == pf24bit ? 24 : 32);
}

void TBitmap::SetSize(int width, int height, bool keepContent)
{
    if (width < 0 || height < 0 || int64_t(width) * height > MaxPixels)
        throw EInvalidGraphicOperation("Bitmap size " + std::to_string(width) + "x" + std::to_string(height) + " is not valid");
    if (width == FWidth && height == FHeight && keepContent)
        return;
    if (width == 0 || height == 0)
        width = height = 0;
    const int stride = StrideFor(width, FFormat);
    // New pixels start white with alpha 0.
    std::vector<uint8_t> bits(size_t(stride) * size_t(height), FFormat == pf32bit ? 0 : 0xFF);
    if (FFormat == pf32bit && height > 0) {
        const uint32_t white = 0x00FFFFFFu;
        for (int x = 0; x < width; ++x)
            std::memcpy(bits.data() + x * 4, &white, 4);
        for (int y = 1; y < height; ++y)
            std::memcpy(bits.data() + size_t(y) * size_t(stride), bits.data(), size_t(stride));
    }
    if (keepContent) {
        const int rows = std::min(height, FHeight);
        const int bytes = std::min(width, FWidth) * BitsPerPixel() / 8;
        for (int y = 0; y < rows; ++y) {
            uint8_t* dst = bits.data() + size_t(y) * size_t(stride);
            const uint8_t* src = FBits.data() + size_t(y) * size_t(FStride);
            std::memcpy(dst, src, size_t(bytes));
            if (FFormat == pf1bit) {
                // The bits of a partly kept last byte.
                int keep = std::min(width, FWidth) & 7;
                if (keep) {
                    uint8_t mask = uint8_t(0xFF00 >> keep);
                    dst[bytes] = uint8_t((src[bytes] & mask) | (dst[bytes] & ~mask));
                }
            }
        }
    }
    FWidth = width;
    FHeight = height;
    FStride = stride;
    FBits.swap(bits);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format)
{
    if (format == FFormat)
        return;
    const bool colours = (FFormat == pf24bit && format == pf32bit) || (FFormat == pf32bit && format == pf24bit);
    if (colours) {
        ConvertColours(format);
        return;
    }
    TBitmap converted(FWidth, FHeight, format);
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* dst = converted.ScanLine(y);
        for (int x = 0; x < FWidth; ++x) {
            if (format == pf1bit) {
                // As the classic colour-to-monochrome copy: white stays white,
                // every other colour turns black.
                TColor c = GetPixel(x, y);
                if (c != clWhite)
                    dst[x >> 3] &= uint8_t(~(0x80 >> (x & 7)));
            } else {
                converted.SetPixel(x, y, GetPixel(x, y));
            }
        }
    }
    FFormat = format;
    FStride = converted.FStride;
    FBits.swap(converted.FBits);
    if (format != pf32bit)
        FAlphaFormat = afIgnored;
    Changed();
}

void TBitmap::ConvertColours(TPixelFormat format)
{
    // Between the two colour formats, row by row, every target byte written
    // once: alpha 0 when widening.
    const int stride = StrideFor(FWidth, format);
    std::vector<uint8_t> bits(size_t(stride) * size_t(FHeight));
    for (int y = 0; y < FHeight; ++y) {
        const uint8_t* src = ScanLine(y);
        uint8_t* dst = bits.data() + size_t(y) * size_t(stride);
        if (format == pf32bit)
            gfx_detail::WidenRun(dst, src, FWidth);
        else
            gfx_detail::NarrowRun(dst, src, FWidth);
    }
    FFormat = format;
    FStride = stride;
    FBits.swap(bits);
    if (format != pf32bit)
        FAlphaFormat = afIgnored;
    Changed();
}

void TBitmap::SetMonochrome(bool value)
{
    if (value)
        SetPixelFormat(pf1bit);
    else if (FFormat == pf1bit)
        SetPixelFormat(pf24bit);
}

uint8_t* TBitmap::ScanLine(int row)
{
    if (row < 0 || row >= FHeight)
        throw EInvalidGraphicOperation("Scan line index out of range");
    return FBits.data() + size_t(row) * size_t(FStride);
}

const uint8_t* TBitmap::ScanLine(int row) const
{
    return const_cast<TBitmap*>(this)->ScanLine(row);
}

TColor TBitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return clNone;
    const uint8_t* p = FBits.data() + size_t(y) * size_t(FStride);
    switch (FFormat) {
    case pf1bit:
        return ((p[x >> 3] >> (7 - (x & 7))) & 1) ? clWhite : clBlack;
    case pf24bit:
        p += x * 3;
        return RGB(p[2], p[1], p[0]);
    case pf32bit:
        p += x * 4;
        return RGB(p[2], p[1], p[0]);
    }
    return clNone;
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    color = ColorToRGB(color);
    uint8_t* p = FBits.data() + size_t(y) * size_t(FStride);
    switch (FFormat) {
    case pf1bit:
        // The nearer of black and white.
        if (Luminance(color) >= 128)
            p[x >> 3] |= uint8_t(0x80 >> (x & 7));
        else
            p[x >> 3] &= uint8_t(~(0x80 >> (x & 7)));
        break;
    case pf24bit:
        p += x * 3;
        p[0] = uint8_t(GetBValue(color));
        p[1] = uint8_t(GetGValue(color));
        p[2] = uint8_t(GetRValue(color));
        break;
    case pf32bit:
        p += x * 4;
        p[0] = uint8_t(GetBValue(color));
        p[1] = uint8_t(GetGValue(color));
        p[2] = uint8_t(GetRValue(color));
        p[3] = 0;
        break;
    }
}

void TBitmap::Fill(TColor color, uint8_t alpha)
{
    color = ColorToRGB(color);
    // Colour pixels: the first row is filled, the others copy it.
    for (int y = 0; y < FHeight; ++y) {
        uint8_t* row = ScanLine(y);
        if (y > 0 && FFormat != pf1bit) {
            std::memcpy(row, ScanLine(0), size_t(FWidth) * (FFormat == pf32bit ? 4 : 3));
            continue;
        }
        if (FFormat == pf32bit) {
            uint32_t px = ColorToPixel(color, alpha);
            for (int x = 0; x < FWidth; ++x)
                std::memcpy(row + x * 4, &px, 4);
        } else if (FFormat == pf24bit) {
            for (int x = 0; x < FWidth; ++x) {
                row[x * 3] = uint8_t(GetBValue(color));
                row[x * 3 + 1] = uint8_t(GetGValue(color));
                row[x * 3 + 2] = uint8_t(GetRValue(color));
            }
        } else {
            std::memset(row, Luminance(color) >= 128 ? 0xFF : 0x00, size_t(FStride));
        }
    }
    Changed();
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed)
        return FTransparentColor;
    if (Empty())
        return clDefault;
    return GetPixel(0, FHeight - 1);
}

void TBitmap::SetTransparentColor(TColor color)
{
    FTransparentColor = color;
    FTransparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

TCanvas* TBitmap::Canvas()
{
    if (!FCanvas) {
        FDC = std::make_unique<TDeviceContext>(this);
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->SetHandle(FDC.get());
    }
    return FCanvas.get();
}

void TBitmap::Assign(const TGraphic& source)
{
    if (&source == this)
        return;
    if (auto bitmap = dynamic_cast<const TBitmap*>(&source)) {
        *this = *bitmap;
        return;
    }
    source.AssignTo(*this);
    Changed();
}

void TBitmap::AssignTo(TBitmap& target) const
{
    target = *this;
}

void TBitmap::Draw(TCanvas& canvas, const TRect& dest) const
{
    if (Empty() || !canvas.Handle())
        return;
    TDeviceContext& dc = *canvas.Handle();
    const TRect src{0, 0, FWidth, FHeight};
    if (FTransparent)
        TransparentBlt(dc, dest, *this, src, TransparentColor());
    else if (FFormat == pf32bit && FAlphaFormat != afIgnored)
        AlphaBlend(dc, dest, *this, src, TBlendFunction{255, true}, FAlphaFormat == afDefined);
    else
        StretchBlt(dc, dest, *this, src);
}

void TBitmap::LoadFromBuffer(const uint8_t* data, size_t size)
{
    TBitmap loaded;
    DecodeBmp(data, size, loaded);
    *this = loaded;
}

std::vector<uint8_t> TBitmap::SaveToBuffer() const
{
    return EncodeBmp(*this);
}
