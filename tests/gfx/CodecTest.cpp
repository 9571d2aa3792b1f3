#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <filesystem>
#include <functional>
#include <gif_lib.h>
#include <png.h>
#include <zlib.h>
#include "platform/core/Stream.h"
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Gif.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Picture.h"
#include "platform/gfx/Png.h"

// The largest single allocation since the last reset: readers must not
// allocate for pixels their input cannot hold.
namespace {
std::atomic<size_t> LargestAllocation{0};
}

void* operator new(size_t n)
{
    size_t seen = LargestAllocation.load();
    while (n > seen && !LargestAllocation.compare_exchange_weak(seen, n)) {
    }
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

using TBytes = std::vector<uint8_t>;

void Put16(TBytes& v, uint32_t x) { v.push_back(uint8_t(x)); v.push_back(uint8_t(x >> 8)); }
void Put32(TBytes& v, uint32_t x) { Put16(v, x & 0xFFFF); Put16(v, x >> 16); }

// A picture with distinct colours in every pixel of its first rows and a few
// repeated ones below, in the given format; 32-bit pixels get varied alpha.
TBitmap TestPicture(int w, int h, TPixelFormat format)
{
    TBitmap b(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            b.SetPixel(x, y, RGB(x * 40 % 256, y * 60 % 256, (x + y) * 25 % 256));
            if (format == pf32bit)
                b.ScanLine(y)[x * 4 + 3] = uint8_t((x * 31 + y * 17) % 256);
        }
    return b;
}

void ExpectSamePixels(const TBitmap& a, const TBitmap& b, int tolerance, const std::string& what, bool alpha = false)
{
    ASSERT_EQ(a.Width(), b.Width()) << what;
    ASSERT_EQ(a.Height(), b.Height()) << what;
    int worst = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x) {
            TColor p = a.GetPixel(x, y), q = b.GetPixel(x, y);
            worst = std::max({worst, std::abs(GetRValue(p) - GetRValue(q)), std::abs(GetGValue(p) - GetGValue(q)),
                              std::abs(GetBValue(p) - GetBValue(q))});
            if (alpha) {
                ASSERT_EQ(a.ScanLine(y)[x * 4 + 3], b.ScanLine(y)[x * 4 + 3]) << what << " alpha at " << x << "," << y;
            }
        }
    EXPECT_LE(worst, tolerance) << what;
}

// A BMP file of palette indices or colours, written here so that every depth
// and compression the reader knows is covered.
TBytes MakeBmp(int w, int h, int bpp, uint32_t compression, bool topDown, const std::vector<uint32_t>& palette,
               const std::function<uint32_t(int, int)>& value)
{
    TBytes pixels;
    if (compression == 1 || compression == 2) {  // RLE8 / RLE4, bottom-up rows of single-index runs
        for (int y = h - 1; y >= 0; --y) {
            int x = 0;
            while (x < w) {
                uint32_t v = value(x, y);
                int n = 1;
                while (x + n < w && n < 255 && value(x + n, y) == v) ++n;
                pixels.push_back(uint8_t(n));
                pixels.push_back(uint8_t(compression == 2 ? (v << 4 | v) : v));
                x += n;
            }
            pixels.push_back(0);
            pixels.push_back(0);
        }
        pixels.push_back(0);
        pixels.push_back(1);
    } else {
        const int stride = ((w * bpp + 31) / 32) * 4;
        for (int r = 0; r < h; ++r) {
            const int y = topDown ? r : h - 1 - r;
            TBytes row(size_t(stride), 0);
            for (int x = 0; x < w; ++x) {
                uint32_t v = value(x, y);
                switch (bpp) {
                case 1: row[size_t(x / 8)] |= uint8_t(v << (7 - x % 8)); break;
                case 4: row[size_t(x / 2)] |= uint8_t(v << (x % 2 ? 0 : 4)); break;
                case 8: row[size_t(x)] = uint8_t(v); break;
                case 16: row[size_t(2 * x)] = uint8_t(v); row[size_t(2 * x + 1)] = uint8_t(v >> 8); break;
                case 24: for (int c = 0; c < 3; ++c) row[size_t(3 * x + c)] = uint8_t(v >> (8 * c)); break;
                case 32: for (int c = 0; c < 4; ++c) row[size_t(4 * x + c)] = uint8_t(v >> (8 * c)); break;
                }
            }
            pixels.insert(pixels.end(), row.begin(), row.end());
        }
    }
    const uint32_t masks = compression == 3 ? 12 : 0;
    const uint32_t offBits = 14 + 40 + masks + uint32_t(palette.size()) * 4;
    TBytes f{'B', 'M'};
    Put32(f, offBits + uint32_t(pixels.size()));
    Put32(f, 0);
    Put32(f, offBits);
    Put32(f, 40);
    Put32(f, uint32_t(w));
    Put32(f, uint32_t(topDown ? -h : h));
    Put16(f, 1);
    Put16(f, uint32_t(bpp));
    Put32(f, compression);
    Put32(f, uint32_t(pixels.size()));
    Put32(f, 0);
    Put32(f, 0);
    Put32(f, uint32_t(palette.size()));
    Put32(f, 0);
    if (compression == 3) {  // 5-6-5
        Put32(f, 0xF800);
        Put32(f, 0x07E0);
        Put32(f, 0x001F);
    }
    for (uint32_t c : palette)
        Put32(f, c);
    f.insert(f.end(), pixels.begin(), pixels.end());
    return f;
}

const std::vector<uint32_t> Palette16 = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF,
                                         0x800000, 0x008000, 0x000080, 0x808000, 0x008080, 0x800080, 0x808080, 0xC0C0C0};

TColor PaletteColor(uint32_t index)
{
    uint32_t c = Palette16[index % 16];
    return RGB(int(c >> 16), int((c >> 8) & 0xFF), int(c & 0xFF));
}

TBytes WritePngWithLibpng(int w, int h, uint32_t format, const std::vector<uint8_t>& data, const std::vector<uint8_t>& colormap = {})
{
    png_image image;
    std::memset(&image, 0, sizeof(image));
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(w);
    image.height = png_uint_32(h);
    image.format = format;
    if (!colormap.empty())
        image.colormap_entries = png_uint_32(colormap.size() / 3);
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, data.data(), 0, colormap.empty() ? nullptr : colormap.data());
    TBytes out(size);
    EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, data.data(), 0, colormap.empty() ? nullptr : colormap.data()))
        << image.message;
    out.resize(size);
    return out;
}

int WriteToVector(GifFileType* gif, const GifByteType* data, int n)
{
    auto* v = static_cast<TBytes*>(gif->UserData);
    v->insert(v->end(), data, data + n);
    return n;
}

// A GIF of two frames written with giflib; the first is interlaced and
// smaller than the screen, with a transparent index.
TBytes TwoFrameGif()
{
    TBytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteToVector, &error);
    ColorMapObject* map = GifMakeMapObject(4, nullptr);
    const GifColorType colors[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 0, 0}};
    std::memcpy(map->Colors, colors, sizeof(colors));
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, 6, 10, 2, 0, map);
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = 3;
    GifByteType ext[4];
    EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext);
    EGifPutImageDesc(gif, 1, 1, 4, 8, true, nullptr);
    // Interlaced rows go out in the order 0, 8.. / 4.. / 2, 6.. / 1, 3, 5, 7.
    const int order[] = {0, 4, 2, 6, 1, 3, 5, 7};
    for (int row : order) {
        GifPixelType line[4];
        for (int x = 0; x < 4; ++x)
            line[x] = GifPixelType(x == 3 ? 3 : row % 3);
        EGifPutLine(gif, line, 4);
    }
    EGifPutImageDesc(gif, 0, 0, 6, 10, false, nullptr);
    GifPixelType line[6] = {1, 1, 1, 1, 1, 1};
    for (int y = 0; y < 10; ++y)
        EGifPutLine(gif, line, 6);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return out;
}

// An icon file around raw image entries.
TBytes IconFile(const std::vector<std::pair<int, TBytes>>& entries)
{
    TBytes f;
    Put16(f, 0);
    Put16(f, 1);
    Put16(f, uint32_t(entries.size()));
    uint32_t offset = 6 + 16 * uint32_t(entries.size());
    for (const auto& e : entries) {
        f.push_back(uint8_t(e.first));
        f.push_back(uint8_t(e.first));
        f.push_back(0);
        f.push_back(0);
        Put16(f, 1);
        Put16(f, 0);
        Put32(f, uint32_t(e.second.size()));
        Put32(f, offset);
        offset += uint32_t(e.second.size());
    }
    for (const auto& e : entries)
        f.insert(f.end(), e.second.begin(), e.second.end());
    return f;
}

// A 24-bit icon image of size n: red left half, green right half; the AND
// mask clears the top row.
TBytes Icon24WithMask(int n)
{
    TBytes d;
    Put32(d, 40);
    Put32(d, uint32_t(n));
    Put32(d, uint32_t(n * 2));
    Put16(d, 1);
    Put16(d, 24);
    for (int i = 0; i < 6; ++i) Put32(d, 0);
    const int stride = ((n * 24 + 31) / 32) * 4, maskStride = ((n + 31) / 32) * 4;
    for (int y = n - 1; y >= 0; --y) {
        TBytes row(size_t(stride), 0);
        for (int x = 0; x < n; ++x)
            row[size_t(3 * x + (x < n / 2 ? 2 : 1))] = 255;
        d.insert(d.end(), row.begin(), row.end());
    }
    for (int y = n - 1; y >= 0; --y) {
        TBytes row(size_t(maskStride), y == 0 ? 0xFF : 0x00);
        d.insert(d.end(), row.begin(), row.end());
    }
    return d;
}

}  // namespace

TEST(Bmp, RoundTripsEveryDepthItWrites)
{
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap original = TestPicture(7, 5, format), loaded;
        DecodeBmp(EncodeBmp(original).data(), EncodeBmp(original).size(), loaded);
        EXPECT_EQ(loaded.PixelFormat(), format);
        ExpectSamePixels(original, loaded, 0, "format " + std::to_string(format), format == pf32bit);
    }
    TBitmap mono(13, 3, pf1bit);
    mono.SetPixel(3, 1, clBlack);
    mono.SetPixel(12, 2, clBlack);
    TBitmap loaded;
    TBytes file = EncodeBmp(mono);
    DecodeBmp(file.data(), file.size(), loaded);
    EXPECT_EQ(loaded.PixelFormat(), pf1bit);
    ExpectSamePixels(mono, loaded, 0, "monochrome");
}

TEST(Bmp, ReadsEveryDepthCompressionAndOrientation)
{
    auto index = [](int x, int y) { return uint32_t((x + 2 * y) % 16); };
    auto rgb555 = [](int x, int y) { return uint32_t(((x * 3) & 31) << 10 | ((y * 5) & 31) << 5 | 7); };
    auto rgb565 = [](int x, int y) { return uint32_t(((x * 3) & 31) << 11 | ((y * 9) & 63) << 5 | 31); };
    auto rgb = [](int x, int y) { return uint32_t(x * 30) << 16 | uint32_t(y * 40) << 8 | 0x55; };
    const std::vector<uint32_t> mono = {0x000000, 0xFFFFFF}, duo = {0x0000FF, 0x00FF00};
    const struct {
        const char* name;
        int bpp;
        uint32_t compression;
        bool topDown;
        std::vector<uint32_t> palette;
        std::function<uint32_t(int, int)> value;
        std::function<TColor(int, int)> expected;
    } cases[] = {
        {"1 bit", 1, 0, false, duo, [](int x, int y) { return uint32_t((x + y) % 2); },
         [](int x, int y) { return (x + y) % 2 ? clLime : clBlue; }},
        {"1 bit black and white", 1, 0, true, mono, [](int x, int) { return uint32_t(x % 2); },
         [](int x, int) { return x % 2 ? clWhite : clBlack; }},
        {"4 bits", 4, 0, false, Palette16, index, [&](int x, int y) { return PaletteColor(index(x, y)); }},
        {"4 bits RLE", 4, 2, false, Palette16, index, [&](int x, int y) { return PaletteColor(index(x, y)); }},
        {"8 bits", 8, 0, true, Palette16, index, [&](int x, int y) { return PaletteColor(index(x, y)); }},
        {"8 bits RLE", 8, 1, false, Palette16, [](int x, int) { return uint32_t(x < 5 ? 2 : 9); },
         [](int x, int) { return PaletteColor(x < 5 ? 2 : 9); }},
        {"16 bits 5-5-5", 16, 0, false, {}, rgb555,
         [&](int x, int y) {
             uint32_t v = rgb555(x, y);
             auto up = [](uint32_t c) { return int((c * 255 + 15) / 31); };
             return RGB(up(v >> 10 & 31), up(v >> 5 & 31), up(v & 31));
         }},
        {"16 bits 5-6-5", 16, 3, true, {}, rgb565,
         [&](int x, int y) {
             uint32_t v = rgb565(x, y);
             return RGB(int(((v >> 11 & 31) * 255 + 15) / 31), int(((v >> 5 & 63) * 255 + 31) / 63), int(((v & 31) * 255 + 15) / 31));
         }},
        {"24 bits", 24, 0, true, {}, rgb, [&](int x, int y) { return PixelToColor(rgb(x, y)); }},
        {"32 bits", 32, 0, false, {}, rgb, [&](int x, int y) { return PixelToColor(rgb(x, y)); }},
    };
    for (const auto& c : cases) {
        const int w = 9, h = 4;
        TBytes file = MakeBmp(w, h, c.bpp, c.compression, c.topDown, c.palette, c.value);
        TBitmap b;
        ASSERT_NO_THROW(b.LoadFromBuffer(file)) << c.name;
        ASSERT_EQ(b.Width(), w) << c.name;
        ASSERT_EQ(b.Height(), h) << c.name;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ASSERT_EQ(b.GetPixel(x, y), c.expected(x, y)) << c.name << " at " << x << "," << y;
    }
}

TEST(Png, RoundTripsWithAndWithoutAlpha)
{
    TPngImage png;
    png.Assign(TestPicture(9, 6, pf24bit));
    TPngImage loaded;
    loaded.LoadFromBuffer(png.SaveToBuffer());
    EXPECT_FALSE(loaded.HasAlpha());
    EXPECT_EQ(loaded.TransparencyMode(), ptmNone);
    ExpectSamePixels(png.Bitmap(), loaded.Bitmap(), 0, "RGB");

    TBitmap withAlpha = TestPicture(9, 6, pf32bit);
    for (int y = 0; y < 6; ++y)  // straight alpha: opaque-enough pixels keep their colours exactly
        for (int x = 0; x < 9; ++x)
            withAlpha.ScanLine(y)[x * 4 + 3] = uint8_t(y < 3 ? 255 : 0);
    withAlpha.SetAlphaFormat(afDefined);
    png.Assign(withAlpha);
    loaded.LoadFromBuffer(png.SaveToBuffer());
    EXPECT_TRUE(loaded.HasAlpha());
    EXPECT_EQ(loaded.TransparencyMode(), ptmBit);
    EXPECT_EQ(loaded.AlphaAt(0, 0), 255);
    EXPECT_EQ(loaded.AlphaAt(0, 5), 0);
    for (int x = 0; x < 9; ++x)
        EXPECT_EQ(loaded.Bitmap().GetPixel(x, 1), withAlpha.GetPixel(x, 1));
    loaded.SetAlphaAt(1, 1, 100);
    EXPECT_EQ(loaded.TransparencyMode(), ptmPartial);
}

TEST(Png, ReadsEveryColourType)
{
    const int w = 4, h = 2;
    const std::vector<uint8_t> grey = {0, 85, 170, 255, 255, 170, 85, 0};
    const std::vector<uint8_t> greyAlpha = {0, 255, 85, 255, 170, 0, 255, 255, 255, 255, 170, 255, 85, 255, 0, 0};
    const std::vector<uint8_t> colormap = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    const std::vector<uint8_t> indices = {0, 1, 2, 0, 2, 1, 0, 1};
    std::vector<uint8_t> rgb16(size_t(w * h * 3 * 2));
    for (size_t i = 0; i < rgb16.size(); i += 2)
        rgb16[i] = rgb16[i + 1] = (i / 6) % 2 ? 0xFF : 0x00;  // 16-bit linear black and white
    const struct { const char* name; TBytes file; std::function<TColor(int, int)> expected; int transparentX; } cases[] = {
        {"grey", WritePngWithLibpng(w, h, PNG_FORMAT_GRAY, grey),
         [&](int x, int y) { int v = grey[size_t(y * w + x)]; return RGB(v, v, v); }, -1},
        {"grey with alpha", WritePngWithLibpng(w, h, PNG_FORMAT_GA, greyAlpha),
         [&](int x, int y) { int v = greyAlpha[size_t(2 * (y * w + x))]; return RGB(v, v, v); }, 2},
        {"palette", WritePngWithLibpng(w, h, PNG_FORMAT_RGB_COLORMAP, indices, colormap),
         [&](int x, int y) { const uint8_t* c = &colormap[3 * indices[size_t(y * w + x)]]; return RGB(c[0], c[1], c[2]); }, -1},
        {"16 bits", WritePngWithLibpng(w, h, PNG_FORMAT_LINEAR_RGB, rgb16),
         [&](int x, int y) { return ((y * w + x) % 2) ? clWhite : clBlack; }, -1},
    };
    for (const auto& c : cases) {
        TPngImage png;
        ASSERT_NO_THROW(png.LoadFromBuffer(c.file)) << c.name;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (c.transparentX == x && y == 0) {
                    EXPECT_EQ(png.AlphaAt(x, y), 0) << c.name;
                    continue;
                }
                EXPECT_EQ(png.Bitmap().GetPixel(x, y), c.expected(x, y)) << c.name << " at " << x << "," << y;
            }
    }
}

TEST(Jpeg, RoundTripsWithinTheLossOfItsQuality)
{
    TBitmap smooth(32, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            smooth.SetPixel(x, y, RGB(x * 8, 128, y * 16));
    TJPEGImage jpeg;
    jpeg.Assign(smooth);
    jpeg.SetCompressionQuality(95);
    const TBytes good = jpeg.SaveToBuffer();
    TJPEGImage loaded;
    loaded.LoadFromBuffer(good);
    ExpectSamePixels(smooth, loaded.Bitmap(), 12, "quality 95");

    jpeg.SetCompressionQuality(10);
    EXPECT_LT(jpeg.SaveToBuffer().size(), good.size()) << "a lower quality gives a smaller file";

    jpeg.SetCompressionQuality(90);
    jpeg.SetGrayscale(true);
    loaded.LoadFromBuffer(jpeg.SaveToBuffer());
    TColor c = loaded.Bitmap().GetPixel(5, 5);
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_EQ(GetGValue(c), GetBValue(c));

    TJPEGImage fromAlpha;
    fromAlpha.Assign(TestPicture(8, 8, pf32bit));
    fromAlpha.SetProgressiveEncoding(true);
    loaded.LoadFromBuffer(fromAlpha.SaveToBuffer());
    EXPECT_EQ(loaded.Width(), 8);
}

TEST(Gif, RoundTripsFewColoursExactlyAndQuantisesMany)
{
    TBitmap few = TestPicture(5, 4, pf24bit);
    TGIFImage gif;
    gif.Assign(few);
    TGIFImage loaded;
    loaded.LoadFromBuffer(gif.SaveToBuffer());
    ExpectSamePixels(few, loaded.Bitmap(), 0, "up to 256 colours");

    TBitmap many(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            many.SetPixel(x, y, RGB(x * 4, y * 4, (x + y) * 2));
    gif.Assign(many);
    loaded.LoadFromBuffer(gif.SaveToBuffer());
    ExpectSamePixels(many, loaded.Bitmap(), 24, "4096 colours in a 256-colour palette");

    // Alpha becomes the transparent index.
    TBitmap alpha = TestPicture(4, 4, pf32bit);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            alpha.ScanLine(y)[x * 4 + 3] = x == 0 ? 0 : 255;
    alpha.SetAlphaFormat(afDefined);
    gif.Assign(alpha);
    loaded.LoadFromBuffer(gif.SaveToBuffer());
    ASSERT_TRUE(loaded.HasAlpha());
    EXPECT_EQ(loaded.Bitmap().ScanLine(2)[3], 0);
    EXPECT_EQ(loaded.Bitmap().ScanLine(2)[7], 255);
    EXPECT_EQ(loaded.Bitmap().GetPixel(1, 2), alpha.GetPixel(1, 2));

    // A key colour with Transparent set.
    TBitmap keyed(3, 1);
    keyed.SetPixel(0, 0, clFuchsia);
    keyed.SetPixel(1, 0, clRed);
    keyed.SetPixel(2, 0, clFuchsia);
    gif.Assign(keyed);
    gif.SetTransparent(true);
    gif.SetTransparentColor(clFuchsia);
    loaded.LoadFromBuffer(gif.SaveToBuffer());
    ASSERT_TRUE(loaded.HasAlpha());
    EXPECT_EQ(loaded.Bitmap().ScanLine(0)[3], 0);
    EXPECT_EQ(loaded.Bitmap().ScanLine(0)[7], 255);
}

TEST(Gif, ReadsTheFirstFrameOnItsScreen)
{
    TBytes file = TwoFrameGif();
    TGIFImage gif;
    gif.LoadFromBuffer(file);
    ASSERT_EQ(gif.Width(), 6);
    ASSERT_EQ(gif.Height(), 10);
    ASSERT_TRUE(gif.HasAlpha());
    const TColor colours[] = {clRed, clLime, clBlue};
    const TBitmap& b = gif.Bitmap();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inFrame = x >= 1 && x < 4 && y >= 1 && y < 9;  // column 4 holds the transparent index
            const uint8_t alpha = b.ScanLine(y)[x * 4 + 3];
            EXPECT_EQ(alpha, inFrame ? 255 : 0) << x << "," << y;
            if (inFrame) {
                EXPECT_EQ(b.GetPixel(x, y), colours[(y - 1) % 3]) << "row order undone at " << x << "," << y;
            }
        }
}

TEST(Gif, RefusesAScreenItsDataCouldNeverFill)
{
    // A 211-byte file found by the picture fuzzer: a 24x16 frame on a logical
    // screen of 1048x57600, which took 180 MB and seconds to fill with its background.
    TBytes file = TwoFrameGif();
    file[8] = 0x00;
    file[9] = 0xE1;  // screen height 57600
    file[6] = 0x18;
    file[7] = 0x04;  // screen width 1048
    TGIFImage gif;
    try {
        gif.LoadFromBuffer(file);
        FAIL() << "a screen far beyond the data was read";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(std::string(e.what()).find("larger than its data could fill"), std::string::npos) << e.what();
    }
    // The screen of a small real picture stays readable.
    TGIFImage small;
    small.LoadFromBuffer(TwoFrameGif());
    EXPECT_EQ(small.Width(), 6);
}

TEST(Icon, ReadsTheBestImageInEveryForm)
{
    // 32-bit with alpha, written by us.
    TBitmap source = TestPicture(16, 16, pf32bit);
    source.SetAlphaFormat(afDefined);
    TIcon icon;
    icon.Assign(source);
    TIcon loaded;
    loaded.LoadFromBuffer(icon.SaveToBuffer());
    ExpectSamePixels(source, loaded.Bitmap(), 0, "32-bit icon", true);

    // A 24-bit image with an AND mask, beside a smaller one: the larger wins.
    TBytes file = IconFile({{16, Icon24WithMask(16)}, {32, Icon24WithMask(32)}, {8, Icon24WithMask(8)}});
    loaded.LoadFromBuffer(file);
    ASSERT_EQ(loaded.Width(), 32);
    EXPECT_EQ(loaded.Bitmap().GetPixel(0, 5), clRed);
    EXPECT_EQ(loaded.Bitmap().GetPixel(31, 5), clLime);
    EXPECT_EQ(loaded.Bitmap().ScanLine(0)[3], 0) << "masked top row";
    EXPECT_EQ(loaded.Bitmap().ScanLine(5)[3], 255);

    // A PNG image inside an icon.
    TPngImage png;
    png.Assign(TestPicture(20, 20, pf24bit));
    loaded.LoadFromBuffer(IconFile({{20, png.SaveToBuffer()}}));
    ExpectSamePixels(png.Bitmap(), loaded.Bitmap(), 0, "PNG icon");
}

TEST(Codecs, BrokenFilesRaiseAClearError)
{
    TBitmap picture = TestPicture(16, 16, pf24bit);
    TPngImage png;
    png.Assign(picture);
    TJPEGImage jpeg;
    jpeg.Assign(picture);
    TGIFImage gif;
    gif.Assign(picture);
    TIcon icon;
    icon.Assign(picture);
    const TBytes bmpFile = EncodeBmp(picture), pngFile = png.SaveToBuffer(), jpegFile = jpeg.SaveToBuffer(),
                 gifFile = gif.SaveToBuffer(), icoFile = icon.SaveToBuffer();

    auto patched = [](TBytes file, size_t at, std::initializer_list<uint8_t> bytes) {
        size_t i = at;
        for (uint8_t b : bytes)
            file[i++] = b;
        return file;
    };
    auto truncated = [](const TBytes& file, size_t keep) { return TBytes(file.begin(), file.begin() + ptrdiff_t(keep)); };
    auto pngWithSize = [&](uint32_t w, uint32_t h) {
        TBytes f = pngFile;
        const uint8_t be[8] = {uint8_t(w >> 24), uint8_t(w >> 16), uint8_t(w >> 8), uint8_t(w),
                               uint8_t(h >> 24), uint8_t(h >> 16), uint8_t(h >> 8), uint8_t(h)};
        std::memcpy(&f[16], be, 8);
        uint32_t crc = uint32_t(crc32(0, &f[12], 17));
        const uint8_t c[4] = {uint8_t(crc >> 24), uint8_t(crc >> 16), uint8_t(crc >> 8), uint8_t(crc)};
        std::memcpy(&f[29], c, 4);
        return f;
    };
    auto jpegSof = [&]() {
        for (size_t i = 2; i + 1 < jpegFile.size(); ++i)
            if (jpegFile[i] == 0xFF && jpegFile[i + 1] == 0xC0)
                return i;
        return size_t(0);
    };
    const size_t sof = jpegSof();
    ASSERT_GT(sof, 0u);

    const struct { const char* name; std::function<std::unique_ptr<TGraphic>()> make; TBytes file; } cases[] = {
        {"empty bmp", [] { return std::make_unique<TBitmap>(); }, {}},
        {"truncated bmp", [] { return std::make_unique<TBitmap>(); }, truncated(bmpFile, bmpFile.size() / 2)},
        {"bmp header only", [] { return std::make_unique<TBitmap>(); }, truncated(bmpFile, 30)},
        {"bmp of width 0", [] { return std::make_unique<TBitmap>(); }, patched(bmpFile, 18, {0, 0, 0, 0})},
        {"bmp of huge size", [] { return std::make_unique<TBitmap>(); }, patched(bmpFile, 18, {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0})},
        {"bmp of 0 bits", [] { return std::make_unique<TBitmap>(); }, patched(bmpFile, 28, {0, 0})},
        {"bmp with pixels past its end", [] { return std::make_unique<TBitmap>(); }, patched(bmpFile, 10, {0xFF, 0xFF, 0, 0})},
        {"bmp with a huge palette", [] { return std::make_unique<TBitmap>(); },
         patched(MakeBmp(4, 4, 8, 0, false, Palette16, [](int, int) { return 0u; }), 46, {0, 0, 1, 0})},
        {"rle bmp cut short", [] { return std::make_unique<TBitmap>(); },
         [&] { TBytes f = MakeBmp(40, 4, 8, 1, false, Palette16, [](int x, int) { return uint32_t(x % 3); }); return truncated(f, f.size() - 30); }()},
        // Found by the picture fuzzer: a 42-byte header claiming bit-field masks
        // it has no room for, at the very end of the file.
        {"bmp whose header is too short for its masks", [] { return std::make_unique<TBitmap>(); },
         TBytes{'B', 'M', 0xB6, 0x44, 0, 0, 0, 0, 0, 0, 0x35, 0, 0, 0, 0x2A, 0, 0, 0, 0x18, 0, 0, 0, 0x10, 0,
                0, 0, 1, 0, 16, 0, 3, 0, 0, 0, 0, 0, 0, 0xA2, 0xD5, 0xE3, 0x09, 0x4A, 0, 0xFF, 0xFF, 0xFC, 0, 0,
                0x5B, 0x0E, 0, 0, 0, 0, 0, 0, 0, 0x29, 0, 0, 0}},
        {"empty png", [] { return std::make_unique<TPngImage>(); }, {}},
        {"truncated png", [] { return std::make_unique<TPngImage>(); }, truncated(pngFile, pngFile.size() - 20)},
        {"png of huge size", [] { return std::make_unique<TPngImage>(); }, pngWithSize(60000, 60000)},
        {"png of width 0", [] { return std::make_unique<TPngImage>(); }, pngWithSize(0, 16)},
        {"png with a broken checksum", [] { return std::make_unique<TPngImage>(); }, patched(pngFile, 29, {0, 0, 0, 0})},
        {"empty jpeg", [] { return std::make_unique<TJPEGImage>(); }, {}},
        {"truncated jpeg", [] { return std::make_unique<TJPEGImage>(); }, truncated(jpegFile, jpegFile.size() / 2)},
        {"jpeg header only", [] { return std::make_unique<TJPEGImage>(); }, truncated(jpegFile, sof + 4)},
        {"jpeg of huge size", [] { return std::make_unique<TJPEGImage>(); }, patched(jpegFile, sof + 5, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"jpeg of width 0", [] { return std::make_unique<TJPEGImage>(); }, patched(jpegFile, sof + 7, {0, 0})},
        {"empty gif", [] { return std::make_unique<TGIFImage>(); }, {}},
        {"truncated gif", [] { return std::make_unique<TGIFImage>(); }, truncated(gifFile, gifFile.size() / 2)},
        {"gif without image", [] { return std::make_unique<TGIFImage>(); }, [&] { TBytes f = truncated(gifFile, 13 + 3 * 256); f.push_back(0x3B); return f; }()},
        {"gif of huge size", [] { return std::make_unique<TGIFImage>(); }, patched(gifFile, 6, {0xFF, 0xFF, 0xFF, 0xFF})},
        {"gif of width 0", [] { return std::make_unique<TGIFImage>(); }, patched(gifFile, 6, {0, 0})},
        {"empty icon", [] { return std::make_unique<TIcon>(); }, {}},
        {"truncated icon", [] { return std::make_unique<TIcon>(); }, truncated(icoFile, icoFile.size() / 2)},
        {"icon entry outside the file", [] { return std::make_unique<TIcon>(); }, patched(icoFile, 18, {0xFF, 0xFF, 0, 0})},
        {"icon of huge size", [] { return std::make_unique<TIcon>(); }, patched(icoFile, 22 + 4, {0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0})},
        {"icon without images", [] { return std::make_unique<TIcon>(); }, patched(icoFile, 4, {0, 0})},
        {"icon of a png claiming 2^32 - 1 pixels a side", [] { return std::make_unique<TIcon>(); }, [] {
             TBytes f = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 40, 0, 0, 0, 22, 0, 0, 0,
                         0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
             f.insert(f.end(), 8, 0xFF);
             f.resize(22 + 40, 0);
             return f;
         }()},
    };
    for (const auto& c : cases) {
        auto graphic = c.make();
        try {
            graphic->LoadFromBuffer(c.file);
            ADD_FAILURE() << c.name << " loaded";
        } catch (const EInvalidGraphic& e) {
            EXPECT_FALSE(e.Message().empty()) << c.name;
        } catch (const std::exception& e) {
            ADD_FAILURE() << c.name << " raised another error: " << e.what();
        }
    }
}

TEST(Bmp, SmallFilesClaimingHugeSizesAreRefusedBeforeAllocating)
{
    // A 58-byte file: headers of an 8192 x 8192 picture and four bytes of pixels.
    auto header = [](uint32_t compression, int bpp, const TBytes& pixels) {
        const uint32_t paletteBytes = bpp <= 8 ? 4u << bpp : 0;
        TBytes f = {'B', 'M'};
        Put32(f, uint32_t(14 + 40 + paletteBytes + pixels.size()));
        Put32(f, 0);
        Put32(f, 14 + 40 + paletteBytes);
        for (uint32_t v : {40u, 8192u, 8192u})
            Put32(f, v);
        Put16(f, 1);
        Put16(f, uint16_t(bpp));
        for (uint32_t v : {compression, uint32_t(pixels.size()), 0u, 0u, 0u, 0u})
            Put32(f, v);
        f.resize(f.size() + paletteBytes, 0);
        f.insert(f.end(), pixels.begin(), pixels.end());
        return f;
    };
    const struct { const char* name; TBytes file; } cases[] = {
        {"uncompressed 24-bit", header(0, 24, {1, 2, 3, 4})},
        {"uncompressed 32-bit", header(0, 32, {1, 2, 3, 4})},
        {"RLE8 ending at once", header(1, 8, {0, 1})},
        {"RLE4 of one run", header(2, 4, {255, 0x12, 0, 1})},
    };
    ASSERT_EQ(cases[0].file.size(), 58u);
    for (const auto& c : cases) {
        TBitmap picture;
        LargestAllocation = 0;
        EXPECT_THROW(picture.LoadFromBuffer(c.file), EInvalidGraphic) << c.name;
        EXPECT_LT(LargestAllocation.load(), size_t(1) << 20) << c.name;
    }
    // A run-length picture whose codes fill it still loads.
    const TBytes filled = MakeBmp(1000, 3, 8, 1, false, Palette16, [](int x, int) { return uint32_t(x / 300); });
    TBitmap picture;
    picture.LoadFromBuffer(filled);
    EXPECT_EQ(picture.Width(), 1000);
    EXPECT_EQ(picture.GetPixel(999, 2), PaletteColor(3));
}

TEST(Picture, ChoosesTheKindByExtensionOnLoadAndSave)
{
    const auto dir = std::filesystem::temp_directory_path() / ("gfx_picture_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    TPicture picture;
    picture.Bitmap().Assign(TestPicture(8, 8, pf24bit));
    const struct { const char* name; std::string magic; const char* kind; } cases[] = {
        {"a.bmp", "BM", "TBitmap"}, {"b.PNG", "\x89PNG", "TPngImage"}, {"c.jpg", "\xFF\xD8", "TJPEGImage"},
        {"d.jpeg", "\xFF\xD8", "TJPEGImage"}, {"e.gif", "GIF8", "TGIFImage"}, {"f.ico", std::string("\0\0\1\0", 4), "TIcon"},
    };
    for (const auto& c : cases) {
        const std::string file = (dir / c.name).string();
        picture.SaveToFile(file);
        TFileStream stream(file, fmOpenRead);
        char head[4] = {};
        stream.Read(head, 4);
        EXPECT_EQ(std::string(head, c.magic.size()), c.magic) << c.name;
        TPicture back;
        back.LoadFromFile(file);
        ASSERT_NE(back.Graphic(), nullptr);
        EXPECT_EQ(back.Graphic()->ClassName(), c.kind) << c.name;
        EXPECT_EQ(back.Width(), 8) << c.name;
    }
    EXPECT_THROW(picture.SaveToFile((dir / "x.tiff").string()), EInvalidGraphic);
    EXPECT_THROW(picture.LoadFromFile((dir / "missing.png").string()), EFOpenError);
    std::filesystem::remove_all(dir);
}

TEST(Picture, PicturesWithAlphaBlendWhenDrawn)
{
    TBitmap straight(2, 1, pf32bit);
    straight.Fill(clBlue, 255);
    straight.ScanLine(0)[3] = 0;    // first pixel transparent
    straight.ScanLine(0)[7] = 128;  // second half transparent
    straight.SetAlphaFormat(afDefined);
    TPngImage png;
    png.Assign(straight);
    TBitmap target(2, 1);
    target.Fill(clRed);
    target.Canvas()->Draw(0, 0, png);
    EXPECT_EQ(target.GetPixel(0, 0), clRed);
    EXPECT_EQ(target.GetPixel(1, 0), RGB(127, 0, 128));
}
