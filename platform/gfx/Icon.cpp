#include "platform/gfx/Icon.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Png.h"

namespace {

[[noreturn]] void Fail(const std::string& why)
{
    throw EInvalidGraphic("Invalid icon: " + why);
}

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24); }
uint32_t U32Be(const uint8_t* p) { return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]); }
void Put16(std::vector<uint8_t>& v, uint32_t x) { v.push_back(uint8_t(x)); v.push_back(uint8_t(x >> 8)); }
void Put32(std::vector<uint8_t>& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

const uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

struct TEntry {
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    bool Png = false;
    int64_t Area = 0;
    int Depth = 0;
};

TBitmap DecodeEntry(const TEntry& e)
{
    if (e.Png) {
        TPngImage png;
        png.LoadFromBuffer(e.Data, e.Size);
        TBitmap b = png.Bitmap();
        if (b.PixelFormat() != pf32bit) {
            b.SetPixelFormat(pf32bit);
            for (int y = 0; y < b.Height(); ++y)
                for (int x = 0; x < b.Width(); ++x)
                    b.ScanLine(y)[x * 4 + 3] = 255;
        }
        b.SetAlphaFormat(afDefined);
        return b;
    }
    TBitmap colour;
    size_t pixelEnd = 0;
    DecodeDib(e.Data, e.Size, SIZE_MAX, true, colour, &pixelEnd);
    const bool hadAlpha = colour.PixelFormat() == pf32bit;
    bool anyAlpha = false;
    if (hadAlpha)
        for (int y = 0; y < colour.Height() && !anyAlpha; ++y)
            for (int x = 0; x < colour.Width() && !anyAlpha; ++x)
                anyAlpha = colour.ScanLine(y)[x * 4 + 3] != 0;
    if (!hadAlpha)
        colour.SetPixelFormat(pf32bit);
    const int w = colour.Width(), h = colour.Height();
    const size_t maskStride = size_t((w + 31) / 32) * 4;
    const bool haveMask = pixelEnd + maskStride * size_t(h) <= e.Size;
    if (!haveMask && !anyAlpha)
        Fail("the mask is truncated");
    for (int y = 0; y < h; ++y) {
        uint8_t* row = colour.ScanLine(y);
        const uint8_t* mask = haveMask ? e.Data + pixelEnd + maskStride * size_t(h - 1 - y) : nullptr;
        for (int x = 0; x < w; ++x) {
            if (anyAlpha)
                continue;  // 32-bit images carry their own alpha
            bool clear = (mask[x >> 3] >> (7 - (x & 7))) & 1;
            row[x * 4 + 3] = clear ? 0 : 255;
        }
    }
    colour.SetAlphaFormat(afDefined);
    return colour;
}

}  // namespace

void TIcon::LoadFromBuffer(const uint8_t* data, size_t size)
{
    if (size < 6 || U16(data) != 0 || (U16(data + 2) != 1 && U16(data + 2) != 2))
        Fail("not an icon file");
    const int count = U16(data + 4);
    if (count == 0)
        Fail("it holds no image");
    if (6 + size_t(count) * 16 > size)
        Fail("the directory is truncated");
    TEntry best;
    for (int i = 0; i < count; ++i) {
        const uint8_t* d = data + 6 + i * 16;
        const uint32_t bytes = U32(d + 8), offset = U32(d + 12);
        if (offset >= size || bytes > size - offset || bytes < 12)
            Fail("image " + std::to_string(i) + " lies outside the file");
        TEntry e;
        e.Data = data + offset;
        e.Size = bytes;
        e.Png = bytes >= 24 && std::memcmp(e.Data, PngSignature, 8) == 0;
        if (e.Png) {
            // A PNG size is below 2^31 a side; a larger one must not overflow the product.
            e.Area = std::min<int64_t>(U32Be(e.Data + 16), INT32_MAX) * std::min<int64_t>(U32Be(e.Data + 20), INT32_MAX);
            e.Depth = 32;
        } else {
            const uint32_t infoSize = U32(e.Data);
            if (infoSize >= 40 && bytes >= 40) {
                e.Area = int64_t(int32_t(U32(e.Data + 4))) * (int64_t(int32_t(U32(e.Data + 8))) / 2);
                e.Depth = U16(e.Data + 14);
            }
        }
        if (!best.Data || e.Area > best.Area || (e.Area == best.Area && e.Depth > best.Depth))
            best = e;
    }
    TBitmap pixels = DecodeEntry(best);
    SetPixels(pixels);
}

std::vector<uint8_t> TIcon::SaveToBuffer() const
{
    if (Empty())
        throw EInvalidGraphicOperation("Cannot save an empty icon");
    const int w = Width(), h = Height();
    if (w > 256 || h > 256)
        throw EInvalidGraphicOperation("Icons are at most 256 pixels wide and high");
    TBitmap pixels = FBitmap;
    const bool alpha = HasAlpha();
    if (pixels.PixelFormat() != pf32bit)
        pixels.SetPixelFormat(pf32bit);
    const uint32_t maskStride = uint32_t((w + 31) / 32) * 4;
    const uint32_t imageBytes = 40 + uint32_t(w) * 4 * uint32_t(h) + maskStride * uint32_t(h);
    std::vector<uint8_t> out;
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    out.push_back(uint8_t(w == 256 ? 0 : w));
    out.push_back(uint8_t(h == 256 ? 0 : h));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, imageBytes);
    Put32(out, 6 + 16);
    Put32(out, 40);
    Put32(out, uint32_t(w));
    Put32(out, uint32_t(h * 2));
    Put16(out, 1);
    Put16(out, 32);
    for (int i = 0; i < 6; ++i)
        Put32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const uint8_t* row = pixels.ScanLine(y);
        for (int x = 0; x < w; ++x) {
            out.insert(out.end(), row + x * 4, row + x * 4 + 3);
            out.push_back(alpha ? row[x * 4 + 3] : 255);
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        std::vector<uint8_t> mask(maskStride, 0);
        const uint8_t* row = pixels.ScanLine(y);
        for (int x = 0; x < w; ++x)
            if (alpha && row[x * 4 + 3] < 128)
                mask[size_t(x >> 3)] |= uint8_t(0x80 >> (x & 7));
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}
