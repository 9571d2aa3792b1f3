#include "platform/gfx/BmpCodec.h"

#include <cstring>
#include <string>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/PixelOps.h"

using namespace gfx_detail;

namespace {

constexpr uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3;

// A run-length code of two bytes paints at most 255 pixels; pixels the stream
// skips stay index 0. A picture larger than its codes could paint at this rate
// is a broken file, refused before its pixels are allocated.
constexpr int64_t MaxRlePixelsPerByte = 256;

[[noreturn]] void Fail(const std::string& why)
{
    throw EInvalidGraphic("Invalid bitmap: " + why);
}

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
int32_t S32(const uint8_t* p) { return int32_t(U32(p)); }

void Put16(std::vector<uint8_t>& v, uint32_t x) { v.push_back(uint8_t(x)); v.push_back(uint8_t(x >> 8)); }
void Put32(std::vector<uint8_t>& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

// Value of a bit-field mask, scaled to 0..255.
struct TField {
    uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;
    explicit TField(uint32_t mask) : Mask(mask)
    {
        if (!mask)
            return;
        while (!((mask >> Shift) & 1)) ++Shift;
        while (Bits + Shift < 32 && ((mask >> (Shift + Bits)) & 1)) ++Bits;
    }
    uint8_t Get(uint32_t v) const
    {
        if (!Bits)
            return 0;
        uint32_t x = (v & Mask) >> Shift;
        if (Bits >= 8)
            return uint8_t(x >> (Bits - 8));
        uint32_t max = (1u << Bits) - 1;
        return uint8_t((x * 255 + max / 2) / max);
    }
};

struct THeader {
    int Width = 0, Height = 0;
    bool TopDown = false;
    int BitCount = 0;
    uint32_t Compression = BI_RGB;
    std::vector<uint32_t> Palette;  // 0x00RRGGBB
    uint32_t Masks[4] = {0, 0, 0, 0};
};

// Decodes the RLE stream into palette indices, rows top-down; pixels the
// stream skips keep index 0.
std::vector<uint8_t> DecodeRle(const uint8_t* p, const uint8_t* end, const THeader& h)
{
    const int w = h.Width, ht = h.Height;
    std::vector<uint8_t> idx(size_t(w) * size_t(ht), 0);
    int x = 0, y = ht - 1;  // the stream runs bottom-up
    const bool four = h.Compression == BI_RLE4;
    auto put = [&](uint8_t v) {
        if (x < w && y >= 0)
            idx[size_t(y) * size_t(w) + size_t(x)] = v;
        ++x;
    };
    while (true) {
        if (end - p < 2)
            Fail("compressed data is truncated");
        uint8_t count = p[0], value = p[1];
        p += 2;
        if (count) {
            for (int i = 0; i < count; ++i)
                put(four ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            --y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta
            if (end - p < 2)
                Fail("compressed data is truncated");
            x += p[0];
            y -= p[1];
            p += 2;
        } else {  // absolute run
            int n = value;
            size_t bytes = four ? size_t((n + 1) / 2) : size_t(n);
            bytes = (bytes + 1) & ~size_t(1);
            if (size_t(end - p) < bytes)
                Fail("compressed data is truncated");
            for (int i = 0; i < n; ++i)
                put(four ? ((i & 1) ? (p[i / 2] & 0x0F) : (p[i / 2] >> 4)) : p[i]);
            p += bytes;
        }
        if (y < 0)
            break;
    }
    return idx;
}

}  // namespace

void CheckPictureSize(int64_t width, int64_t height, const char* format)
{
    if (width <= 0 || height <= 0)
        throw EInvalidGraphic(std::string("Invalid ") + format + " picture: size " + std::to_string(width) + "x" +
                              std::to_string(height));
    if (width > 65535 || height > 65535 || width * height > MaxPicturePixels)
        throw EInvalidGraphic(std::string("Invalid ") + format + " picture: size " + std::to_string(width) + "x" +
                              std::to_string(height) + " is too large");
}

void DecodeBmp(const uint8_t* data, size_t size, TBitmap& into)
{
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        Fail("not a bitmap file");
    const uint32_t offBits = U32(data + 10);
    if (offBits < 14 + 12 || offBits >= size)
        Fail("pixel data is missing");
    DecodeDib(data + 14, size - 14, offBits - 14, false, into, nullptr);
}

namespace {

// What the info header says beyond THeader: where the palette starts and
// how it is laid out.
struct TDibLayout {
    size_t PaletteStart = 0;
    size_t PaletteEntry = 4;  // core headers use three bytes an entry
    uint32_t ColorsUsed = 0;
};

// The colour masks of a BI_BITFIELDS header: after a 40-byte header, or
// inside a longer one.
size_t ReadDibMasks(const uint8_t* info, uint32_t infoSize, size_t size, THeader& h)
{
    size_t masksAfterHeader = 0;
    if (infoSize == 40) {
        masksAfterHeader = 12;
        if (size < 40 + 12)
            Fail("colour masks are truncated");
    } else if (infoSize < 40 + 12) {
        // A header longer than 40 bytes must hold the three masks itself.
        Fail("colour masks are truncated");
    }
    for (int i = 0; i < 3; ++i)
        h.Masks[i] = U32(info + 40 + 4 * i);
    if (infoSize >= 56)
        h.Masks[3] = U32(info + 52);
    return masksAfterHeader;
}

TDibLayout ReadDibHeader(const uint8_t* info, size_t size, bool icon, THeader& h)
{
    if (size < 12)
        Fail("header is truncated");
    const uint32_t infoSize = U32(info);
    if (infoSize < 12 || infoSize > size)
        Fail("header is truncated");
    TDibLayout layout;
    size_t masksAfterHeader = 0;
    if (infoSize == 12) {  // core header
        h.Width = U16(info + 4);
        h.Height = U16(info + 6);
        h.BitCount = U16(info + 10);
        layout.PaletteEntry = 3;
    } else {
        if (infoSize < 40)
            Fail("header is truncated");
        int32_t height = S32(info + 8);
        h.Width = S32(info + 4);
        h.TopDown = height < 0;
        if (height == INT32_MIN)
            Fail("height is out of range");
        h.Height = height < 0 ? -height : height;
        h.BitCount = U16(info + 14);
        h.Compression = U32(info + 16);
        layout.ColorsUsed = U32(info + 32);
        if (h.Compression == BI_BITFIELDS)
            masksAfterHeader = ReadDibMasks(info, infoSize, size, h);
    }
    if (icon) {
        // Icon images declare the height of colour and mask together.
        h.Height /= 2;
        h.TopDown = false;
    }
    layout.PaletteStart = size_t(infoSize) + masksAfterHeader;
    return layout;
}

void CheckDibFormat(const THeader& h, bool icon)
{
    CheckPictureSize(h.Width, h.Height, "bitmap");
    const int bpp = h.BitCount;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        Fail("unsupported colour depth " + std::to_string(bpp));
    if ((h.Compression == BI_RLE8 && bpp != 8) || (h.Compression == BI_RLE4 && bpp != 4) ||
        (h.Compression == BI_BITFIELDS && bpp != 16 && bpp != 32) || h.Compression > BI_BITFIELDS)
        Fail("unsupported compression " + std::to_string(h.Compression));
    if ((h.TopDown || icon) && (h.Compression == BI_RLE4 || h.Compression == BI_RLE8))
        Fail("compressed bitmaps cannot be top-down");
}

// Reads the palette of a paletted picture; returns its size in bytes.
size_t ReadDibPalette(const uint8_t* dib, size_t size, const TDibLayout& layout, THeader& h)
{
    const int bpp = h.BitCount;
    if (bpp > 8)
        return 0;
    uint32_t count = layout.ColorsUsed ? layout.ColorsUsed : (1u << bpp);
    if (count > (1u << bpp))
        Fail("palette is too large");
    const size_t paletteBytes = count * layout.PaletteEntry;
    if (layout.PaletteStart + paletteBytes > size)
        Fail("palette is truncated");
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* e = dib + layout.PaletteStart + i * layout.PaletteEntry;
        h.Palette.push_back(uint32_t(e[0]) | (uint32_t(e[1]) << 8) | (uint32_t(e[2]) << 16));
    }
    h.Palette.resize(size_t(1) << bpp, 0);
    return paletteBytes;
}

void DecodeRlePixels(const uint8_t* pixels, const uint8_t* end, const THeader& h, TPixelFormat format, TBitmap& into)
{
    // The pixel data is checked against the header before anything is allocated:
    // a header alone may claim 2^26 pixels.
    if (int64_t(h.Width) * h.Height > int64_t(end - pixels) * MaxRlePixelsPerByte)
        Fail("compressed data is too short for the picture's size");
    TBitmap out(h.Width, h.Height, format);
    std::vector<uint8_t> idx = DecodeRle(pixels, end, h);
    for (int y = 0; y < h.Height; ++y) {
        uint8_t* row = out.ScanLine(y);
        for (int x = 0; x < h.Width; ++x)
            WritePixel(pf24bit, row, x, h.Palette[idx[size_t(y) * size_t(h.Width) + size_t(x)]]);
    }
    into = out;
}

// One uncompressed row, as 0xAARRGGBB pixels written in the bitmap's format.
void DecodeDibRow(const uint8_t* src, const THeader& h, const TField (&fields)[4], TPixelFormat format, uint8_t* row)
{
    const TField& red = fields[0];
    const TField& green = fields[1];
    const TField& blue = fields[2];
    const TField& alpha = fields[3];
    for (int x = 0; x < h.Width; ++x) {
        uint32_t px;
        switch (h.BitCount) {
        case 1: px = h.Palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
        case 4: px = h.Palette[(x & 1) ? (src[x >> 1] & 0x0F) : (src[x >> 1] >> 4)]; break;
        case 8: px = h.Palette[src[x]]; break;
        case 16: {
            uint32_t v = U16(src + 2 * x);
            px = uint32_t(blue.Get(v)) | (uint32_t(green.Get(v)) << 8) | (uint32_t(red.Get(v)) << 16);
            break;
        }
        case 24: px = uint32_t(src[3 * x]) | (uint32_t(src[3 * x + 1]) << 8) | (uint32_t(src[3 * x + 2]) << 16); break;
        default: {
            uint32_t v = U32(src + 4 * x);
            px = uint32_t(blue.Get(v)) | (uint32_t(green.Get(v)) << 8) | (uint32_t(red.Get(v)) << 16) |
                 (uint32_t(alpha.Get(v)) << 24);
            break;
        }
        }
        WritePixel(format, row, x, px);
    }
}

// Uncompressed rows; returns the size of the pixel data.
size_t DecodeRawPixels(const uint8_t* pixels, const uint8_t* end, const THeader& h, TPixelFormat format, bool mono,
                       TBitmap& into)
{
    const int bpp = h.BitCount;
    const size_t stride = size_t(((int64_t(h.Width) * bpp + 31) / 32) * 4);
    if (stride * size_t(h.Height) > size_t(end - pixels))
        Fail("pixel data is truncated");
    TBitmap out(h.Width, h.Height, format);
    uint32_t masks[4] = {h.Masks[0], h.Masks[1], h.Masks[2], h.Masks[3]};
    if (h.Compression != BI_BITFIELDS) {
        if (bpp == 16) { masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F; }
        if (bpp == 32) { masks[0] = 0xFF0000; masks[1] = 0xFF00; masks[2] = 0xFF; masks[3] = 0xFF000000; }
    }
    const TField fields[4] = {TField(masks[0]), TField(masks[1]), TField(masks[2]), TField(masks[3])};
    for (int y = 0; y < h.Height; ++y) {
        const uint8_t* src = pixels + stride * size_t(h.TopDown ? y : h.Height - 1 - y);
        uint8_t* row = out.ScanLine(y);
        if (mono)
            std::memcpy(row, src, size_t(out.Stride()));
        else
            DecodeDibRow(src, h, fields, format, row);
    }
    into = out;
    return stride * size_t(h.Height);
}

}  // namespace

void DecodeDib(const uint8_t* dib, size_t size, size_t pixelOffset, bool icon, TBitmap& into, size_t* pixelEnd)
{
    THeader h;
    const TDibLayout layout = ReadDibHeader(dib, size, icon, h);
    CheckDibFormat(h, icon);
    const size_t paletteBytes = ReadDibPalette(dib, size, layout, h);
    if (pixelOffset == SIZE_MAX)
        pixelOffset = layout.PaletteStart + paletteBytes;
    if (pixelOffset >= size)
        Fail("pixel data is missing");
    const uint8_t* pixels = dib + pixelOffset;
    const uint8_t* end = dib + size;

    const bool mono = h.BitCount == 1 && !icon && h.Palette[0] == 0 && h.Palette[1] == 0xFFFFFF;
    const TPixelFormat format = mono ? pf1bit : (h.BitCount == 32 ? pf32bit : pf24bit);
    if (h.Compression == BI_RLE4 || h.Compression == BI_RLE8) {
        DecodeRlePixels(pixels, end, h, format, into);
        return;
    }
    const size_t pixelBytes = DecodeRawPixels(pixels, end, h, format, mono, into);
    if (pixelEnd)
        *pixelEnd = pixelOffset + pixelBytes;
}

std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap)
{
    if (bitmap.Empty())
        throw EInvalidGraphicOperation("Cannot save an empty bitmap");
    const int bpp = bitmap.BitsPerPixel();
    const uint32_t paletteBytes = bpp == 1 ? 8 : 0;
    const uint32_t stride = uint32_t(bitmap.Stride());
    const uint32_t imageBytes = stride * uint32_t(bitmap.Height());
    const uint32_t offBits = 14 + 40 + paletteBytes;
    std::vector<uint8_t> out;
    out.reserve(offBits + imageBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, offBits + imageBytes);
    Put32(out, 0);
    Put32(out, offBits);
    Put32(out, 40);
    Put32(out, uint32_t(bitmap.Width()));
    Put32(out, uint32_t(bitmap.Height()));  // bottom-up, as most readers expect
    Put16(out, 1);
    Put16(out, uint32_t(bpp));
    Put32(out, BI_RGB);
    Put32(out, imageBytes);
    Put32(out, 3780);  // 96 dpi in pixels per metre
    Put32(out, 3780);
    Put32(out, bpp == 1 ? 2 : 0);
    Put32(out, 0);
    if (bpp == 1) {
        Put32(out, 0x000000);
        Put32(out, 0xFFFFFF);
    }
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        const uint8_t* row = bitmap.ScanLine(y);
        out.insert(out.end(), row, row + stride);
    }
    return out;
}
