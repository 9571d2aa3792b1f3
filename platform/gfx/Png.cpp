#include "platform/gfx/Png.h"

#include <cstring>
#include <png.h>
#include "platform/gfx/BmpCodec.h"

namespace {

// libpng's simplified interface reports errors through the image record,
// so no error path has to jump over C++ frames.
struct TPngImageRecord {
    png_image Image;
    TPngImageRecord()
    {
        std::memset(&Image, 0, sizeof(Image));
        Image.version = PNG_IMAGE_VERSION;
    }
    ~TPngImageRecord() { png_image_free(&Image); }
};

}  // namespace

void TPngImage::LoadFromBuffer(const uint8_t* data, size_t size)
{
    TPngImageRecord png;
    if (!png_image_begin_read_from_memory(&png.Image, data, size))
        throw EInvalidGraphic(std::string("Invalid PNG picture: ") + png.Image.message);
    CheckPictureSize(png.Image.width, png.Image.height, "PNG");
    const bool alpha = png.Image.format & PNG_FORMAT_FLAG_ALPHA;
    png.Image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    TBitmap pixels(int(png.Image.width), int(png.Image.height), alpha ? pf32bit : pf24bit);
    if (!png_image_finish_read(&png.Image, nullptr, pixels.Bits(), pixels.Stride(), nullptr))
        throw EInvalidGraphic(std::string("Invalid PNG picture: ") + png.Image.message);
    if (alpha)
        pixels.SetAlphaFormat(afDefined);
    SetPixels(pixels);
}

std::vector<uint8_t> TPngImage::SaveToBuffer() const
{
    if (Empty())
        throw EInvalidGraphicOperation("Cannot save an empty PNG picture");
    TBitmap pixels = FBitmap;
    if (pixels.PixelFormat() == pf32bit && !HasAlpha())
        pixels.SetPixelFormat(pf24bit);
    const bool alpha = pixels.PixelFormat() == pf32bit;
    TPngImageRecord png;
    png.Image.width = png_uint_32(pixels.Width());
    png.Image.height = png_uint_32(pixels.Height());
    png.Image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    if (alpha && pixels.AlphaFormat() == afPremultiplied) {
        // Files hold straight alpha.
        for (int y = 0; y < pixels.Height(); ++y) {
            uint8_t* row = pixels.ScanLine(y);
            for (int x = 0; x < pixels.Width(); ++x) {
                uint8_t* p = row + x * 4;
                if (p[3] == 0)
                    continue;
                for (int c = 0; c < 3; ++c)
                    p[c] = uint8_t(std::min(255, (p[c] * 255 + p[3] / 2) / p[3]));
            }
        }
    }
    png_alloc_size_t bytes = 0;
    if (!png_image_write_to_memory(&png.Image, nullptr, &bytes, 0, pixels.Bits(), pixels.Stride(), nullptr))
        throw EInvalidGraphic(std::string("Cannot write PNG picture: ") + png.Image.message);
    std::vector<uint8_t> out(bytes);
    if (!png_image_write_to_memory(&png.Image, out.data(), &bytes, 0, pixels.Bits(), pixels.Stride(), nullptr))
        throw EInvalidGraphic(std::string("Cannot write PNG picture: ") + png.Image.message);
    out.resize(bytes);
    return out;
}

TPngTransparencyMode TPngImage::TransparencyMode() const
{
    if (!HasAlpha())
        return ptmNone;
    bool anyTransparent = false;
    for (int y = 0; y < Height(); ++y) {
        const uint8_t* row = FBitmap.ScanLine(y);
        for (int x = 0; x < Width(); ++x) {
            uint8_t a = row[x * 4 + 3];
            if (a != 0 && a != 255)
                return ptmPartial;
            anyTransparent |= a == 0;
        }
    }
    return anyTransparent ? ptmBit : ptmNone;
}

TColor TPngImage::TransparentColor() const
{
    if (!HasAlpha())
        return clNone;
    for (int y = 0; y < Height(); ++y)
        for (int x = 0; x < Width(); ++x)
            if (FBitmap.ScanLine(y)[x * 4 + 3] == 0)
                return FBitmap.GetPixel(x, y);
    return clNone;
}

void TPngImage::CreateAlpha()
{
    if (HasAlpha() || Empty())
        return;
    FBitmap.SetPixelFormat(pf32bit);
    for (int y = 0; y < Height(); ++y) {
        uint8_t* row = FBitmap.ScanLine(y);
        for (int x = 0; x < Width(); ++x)
            row[x * 4 + 3] = 255;
    }
    FBitmap.SetAlphaFormat(afDefined);
    Changed();
}

uint8_t TPngImage::AlphaAt(int x, int y) const
{
    if (!HasAlpha() || x < 0 || y < 0 || x >= Width() || y >= Height())
        return 255;
    return FBitmap.ScanLine(y)[x * 4 + 3];
}

void TPngImage::SetAlphaAt(int x, int y, uint8_t alpha)
{
    if (x < 0 || y < 0 || x >= Width() || y >= Height())
        return;
    CreateAlpha();
    FBitmap.ScanLine(y)[x * 4 + 3] = alpha;
}
