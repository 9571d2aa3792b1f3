#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include <png.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/draw/PngImage.h"
#include "skin/draw/PngImageList.h"

namespace {

// A PNG file written with libpng: rows of samples as the colour type and
// depth want them (16-bit samples big-endian), an optional palette and tRNS.
struct TPngSpec {
    int ColorType = PNG_COLOR_TYPE_RGB;
    int Depth = 8;
    int Width = 0, Height = 0;
    std::vector<std::vector<uint8_t>> Rows;
    std::vector<png_color> Palette;
    std::vector<uint8_t> PaletteAlpha;          // tRNS of a palette
    bool HasTransparentColor = false;
    png_color_16 TransparentColor{};            // tRNS of grey or RGB
};

void WriteChunk(png_structp png, png_bytep data, png_size_t length)
{
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

std::vector<uint8_t> EncodePng(const TPngSpec& spec)
{
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        ADD_FAILURE() << "libpng could not write the test picture";
        return {};
    }
    png_set_write_fn(png, &out, WriteChunk, nullptr);
    png_set_IHDR(png, info, png_uint_32(spec.Width), png_uint_32(spec.Height), spec.Depth, spec.ColorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec.Palette.empty())
        png_set_PLTE(png, info, spec.Palette.data(), int(spec.Palette.size()));
    if (!spec.PaletteAlpha.empty())
        png_set_tRNS(png, info, spec.PaletteAlpha.data(), int(spec.PaletteAlpha.size()), nullptr);
    if (spec.HasTransparentColor)
        png_set_tRNS(png, info, nullptr, 0, &spec.TransparentColor);
    png_write_info(png, info);
    for (const auto& row : spec.Rows)
        png_write_row(png, row.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

TbsPngImage LoadPng(const TPngSpec& spec)
{
    TbsPngImage png;
    png.LoadFromBuffer(EncodePng(spec));
    return png;
}

// 8-bit samples, one row per vector.
TPngSpec Spec(int colorType, int width, std::vector<std::vector<uint8_t>> rows, int depth = 8)
{
    TPngSpec spec;
    spec.ColorType = colorType;
    spec.Depth = depth;
    spec.Width = width;
    spec.Height = int(rows.size());
    spec.Rows = std::move(rows);
    return spec;
}

struct TPixel { int x, y; TColor color; int alpha; };

// A picture, the pixels it decodes to, and the alphas a disabled copy gets.
struct TColorTypeCase {
    std::string name;
    TPngSpec spec;
    int colorType, depth;
    std::vector<TPixel> pixels;
    std::vector<int> disabledAlphas;   // at the same pixels
};

std::vector<TColorTypeCase> ColorTypeCases()
{
    std::vector<TColorTypeCase> cases;
    cases.push_back({"grey", Spec(PNG_COLOR_TYPE_GRAY, 3, {{0, 128, 255}}), 0, 8,
                     {{0, 0, RGB(0, 0, 0), 255}, {1, 0, RGB(128, 128, 128), 255}, {2, 0, RGB(255, 255, 255), 255}},
                     {127, 127, 127}});
    TPngSpec greyKey = Spec(PNG_COLOR_TYPE_GRAY, 2, {{7, 200}});
    greyKey.HasTransparentColor = true;
    greyKey.TransparentColor.gray = 7;
    cases.push_back({"grey with a transparent grey", greyKey, 0, 8,
                     {{0, 0, RGB(7, 7, 7), 0}, {1, 0, RGB(200, 200, 200), 255}}, {0, 127}});
    cases.push_back({"grey 4-bit", Spec(PNG_COLOR_TYPE_GRAY, 2, {{0xF0}}, 4), 0, 4,
                     {{0, 0, RGB(255, 255, 255), 255}, {1, 0, RGB(0, 0, 0), 255}}, {127, 127}});
    cases.push_back({"grey 16-bit", Spec(PNG_COLOR_TYPE_GRAY, 2, {{0xFF, 0xFF, 0x00, 0x00}}, 16), 0, 16,
                     {{0, 0, RGB(255, 255, 255), 255}, {1, 0, RGB(0, 0, 0), 255}}, {127, 127}});
    cases.push_back({"grey with alpha", Spec(PNG_COLOR_TYPE_GRAY_ALPHA, 3, {{50, 255, 90, 100, 10, 0}}), 4, 8,
                     {{0, 0, RGB(50, 50, 50), 255}, {1, 0, RGB(90, 90, 90), 100}, {2, 0, RGB(10, 10, 10), 0}},
                     {128, 50, 0}});

    TPngSpec palette = Spec(PNG_COLOR_TYPE_PALETTE, 3, {{0, 1, 2}});
    palette.Palette = {{255, 0, 255}, {255, 0, 0}, {0, 0, 255}};
    palette.PaletteAlpha = {0};
    cases.push_back({"palette with a transparent entry", palette, 3, 8,
                     {{0, 0, RGB(255, 0, 255), 0}, {1, 0, RGB(255, 0, 0), 255}, {2, 0, RGB(0, 0, 255), 255}},
                     {0, 127, 127}});
    TPngSpec partial = palette;
    partial.PaletteAlpha = {0, 128};
    cases.push_back({"palette with a translucent entry", partial, 3, 8,
                     {{0, 0, RGB(255, 0, 255), 0}, {1, 0, RGB(255, 0, 0), 128}, {2, 0, RGB(0, 0, 255), 255}},
                     {0, 64, 127}});
    TPngSpec palette2 = Spec(PNG_COLOR_TYPE_PALETTE, 4, {{0x1B}}, 2);
    palette2.Palette = {{0, 0, 0}, {255, 255, 255}, {0, 255, 0}, {10, 20, 30}};
    cases.push_back({"palette 2-bit", palette2, 3, 2,
                     {{0, 0, RGB(0, 0, 0), 255}, {1, 0, RGB(255, 255, 255), 255}, {3, 0, RGB(10, 20, 30), 255}},
                     {127, 127, 127}});

    cases.push_back({"RGB", Spec(PNG_COLOR_TYPE_RGB, 2, {{255, 0, 0, 1, 2, 3}}), 2, 8,
                     {{0, 0, RGB(255, 0, 0), 255}, {1, 0, RGB(1, 2, 3), 255}}, {128, 128}});
    TPngSpec rgbKey = Spec(PNG_COLOR_TYPE_RGB, 2, {{255, 0, 0, 1, 2, 3}});
    rgbKey.HasTransparentColor = true;
    rgbKey.TransparentColor.red = 1;
    rgbKey.TransparentColor.green = 2;
    rgbKey.TransparentColor.blue = 3;
    cases.push_back({"RGB with a transparent colour", rgbKey, 2, 8,
                     {{0, 0, RGB(255, 0, 0), 255}, {1, 0, RGB(1, 2, 3), 0}}, {128, 0}});
    cases.push_back({"RGB 16-bit", Spec(PNG_COLOR_TYPE_RGB, 1, {{0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF}}, 16), 2, 16,
                     {{0, 0, RGB(255, 0, 255), 255}}, {128}});
    // Alpha 1 and 3 scale to 0.5 and 1.5: halves go to the even neighbour.
    cases.push_back({"RGBA", Spec(PNG_COLOR_TYPE_RGB_ALPHA, 5, {{10, 20, 30, 255, 10, 20, 30, 128, 0, 0, 0, 0,
                                                                  9, 9, 9, 1, 9, 9, 9, 3}}), 6, 8,
                     {{0, 0, RGB(10, 20, 30), 255}, {1, 0, RGB(10, 20, 30), 128}, {2, 0, RGB(0, 0, 0), 0},
                      {3, 0, RGB(9, 9, 9), 1}, {4, 0, RGB(9, 9, 9), 3}},
                     {128, 64, 0, 0, 2}});
    cases.push_back({"RGBA 16-bit", Spec(PNG_COLOR_TYPE_RGB_ALPHA, 2, {{0xFF, 0xFF, 0, 0, 0, 0, 0xFF, 0xFF,
                                                                        0, 0, 0, 0, 0, 0, 0, 0}}, 16), 6, 16,
                     {{0, 0, RGB(255, 0, 0), 255}, {1, 0, RGB(0, 0, 0), 0}}, {128, 0}});
    return cases;
}

TColor ColorAt(const TbsPngImage& png, int x, int y)
{
    return png.Bitmap().GetPixel(x, y) & 0xFFFFFF;
}

// A white 24-bit canvas to draw on.
TBitmap WhitePage(int w, int h)
{
    TBitmap page(w, h, pf24bit);
    page.Fill(clWhite);
    return page;
}

// Four pixels: opaque red, transparent, half-transparent blue, opaque green.
std::vector<uint8_t> QuadPng()
{
    return EncodePng(Spec(PNG_COLOR_TYPE_RGB_ALPHA, 2, {{255, 0, 0, 255, 0, 0, 0, 0}, {0, 0, 255, 128, 0, 255, 0, 255}}));
}

// One opaque colour all over.
TbsPngImage SolidPng(uint8_t r, uint8_t g, uint8_t b)
{
    return LoadPng(Spec(PNG_COLOR_TYPE_RGB, 2, {{r, g, b, r, g, b}, {r, g, b, r, g, b}}));
}

void ExpectNear(TColor actual, TColor expected, const std::string& what)
{
    EXPECT_NEAR(int(GetRValue(actual)), int(GetRValue(expected)), 1) << what;
    EXPECT_NEAR(int(GetGValue(actual)), int(GetGValue(expected)), 1) << what;
    EXPECT_NEAR(int(GetBValue(actual)), int(GetBValue(expected)), 1) << what;
}

} // namespace

TEST(PngImage, LoadsEveryColourTypeAndScalesItsAlphaForTheDisabledLook)
{
    for (const TColorTypeCase& c : ColorTypeCases()) {
        TbsPngImage png = LoadPng(c.spec);
        EXPECT_EQ(png.ColorType(), c.colorType) << c.name;
        EXPECT_EQ(png.BitDepth(), c.depth) << c.name;
        for (const TPixel& p : c.pixels) {
            EXPECT_EQ(ColorAt(png, p.x, p.y), p.color) << c.name << " at " << p.x;
            EXPECT_EQ(png.AlphaAt(p.x, p.y), p.alpha) << c.name << " at " << p.x;
        }
        TbsPngImage disabled;
        disabled.Assign(png);
        EXPECT_EQ(disabled.ColorType(), c.colorType) << c.name;
        ScalePngAlpha(disabled, 127);
        EXPECT_EQ(disabled.ColorType(), COLOR_RGBALPHA) << c.name;
        for (size_t i = 0; i < c.pixels.size(); ++i) {
            const TPixel& p = c.pixels[i];
            EXPECT_EQ(ColorAt(disabled, p.x, p.y), p.color) << c.name << " at " << p.x;
            EXPECT_EQ(disabled.AlphaAt(p.x, p.y), c.disabledAlphas[i]) << c.name << " at " << p.x;
        }
        // The original stays as it was.
        EXPECT_EQ(png.AlphaAt(c.pixels[0].x, c.pixels[0].y), c.pixels[0].alpha) << c.name;
    }
}

TEST(PngImage, RejectsWhatIsNotAPng)
{
    TbsPngImage png;
    std::vector<uint8_t> bytes = QuadPng();
    bytes.resize(30);
    EXPECT_THROW(png.LoadFromBuffer(bytes), EInvalidGraphic);
    const std::vector<uint8_t> text{'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    EXPECT_THROW(png.LoadFromBuffer(text), EInvalidGraphic);
}

class TPngImageListTest : public ::testing::Test {
protected:
    TbsPngImageList List{nullptr};

    TbsPngImageItem* AddPng(const TbsPngImage& png)
    {
        TbsPngImageItem* item = List.PngImages().Add();
        item->SetPngImage(png);
        return item;
    }
    void ExpectCounts(int n)
    {
        EXPECT_EQ(List.PngImages().Count(), n);
        EXPECT_EQ(List.Count(), n);
    }
    // The colour index draws at the page's (0, 0).
    TColor DrawnColor(int index, bool enabled = true)
    {
        TBitmap page = WhitePage(4, 4);
        List.Draw(*page.Canvas(), 0, 0, index, enabled);
        return page.GetPixel(0, 0) & 0xFFFFFF;
    }
};

TEST_F(TPngImageListTest, DrawsEnabledAndDisabledPicturesWithTheirAlpha)
{
    List.SetPngWidth(2);
    List.SetPngHeight(2);
    TbsPngImage quad;
    quad.LoadFromBuffer(QuadPng());
    AddPng(quad);
    TBitmap page = WhitePage(8, 8);
    List.Draw(*page.Canvas(), 3, 4, 0, true);
    EXPECT_EQ(page.GetPixel(3, 4) & 0xFFFFFF, RGB(255, 0, 0));
    EXPECT_EQ(page.GetPixel(4, 4) & 0xFFFFFF, RGB(255, 255, 255));
    ExpectNear(page.GetPixel(3, 5), RGB(127, 127, 255), "half blue");
    EXPECT_EQ(page.GetPixel(4, 5) & 0xFFFFFF, RGB(0, 255, 0));
    EXPECT_EQ(page.GetPixel(2, 4) & 0xFFFFFF, RGB(255, 255, 255));
    EXPECT_EQ(page.GetPixel(5, 4) & 0xFFFFFF, RGB(255, 255, 255));

    // Disabled: opaque red at alpha 128, the half blue at 64.
    TBitmap grey = WhitePage(8, 8);
    List.Draw(*grey.Canvas(), 3, 4, 0, false);
    ExpectNear(grey.GetPixel(3, 4), RGB(255, 127, 127), "disabled red");
    EXPECT_EQ(grey.GetPixel(4, 4) & 0xFFFFFF, RGB(255, 255, 255));
    ExpectNear(grey.GetPixel(3, 5), RGB(191, 191, 255), "disabled half blue");
    // The stored picture is untouched by the disabled drawing.
    EXPECT_EQ(List.PngImages().Items(0)->PngImage().AlphaAt(0, 0), 255);
}

TEST_F(TPngImageListTest, DisabledPalettePictureShowsAtAlpha127)
{
    List.SetPngWidth(2);
    List.SetPngHeight(1);
    TPngSpec palette = Spec(PNG_COLOR_TYPE_PALETTE, 2, {{0, 1}});
    palette.Palette = {{255, 0, 255}, {0, 0, 0}};
    palette.PaletteAlpha = {0};
    AddPng(LoadPng(palette));
    TBitmap page = WhitePage(2, 1);
    List.Draw(*page.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(page.GetPixel(0, 0) & 0xFFFFFF, RGB(255, 255, 255));
    ExpectNear(page.GetPixel(1, 0), RGB(128, 128, 128), "black at 127");
}

TEST_F(TPngImageListTest, InsertsDeletesAndReplacesKeepingBothCountsEqual)
{
    AddPng(SolidPng(255, 0, 0));
    AddPng(SolidPng(0, 255, 0));
    ExpectCounts(2);
    EXPECT_EQ(List.PngImages().Items(1)->Name(), "PngImage1");
    EXPECT_EQ(List.PngImages().Items(1)->DisplayName(), "PngImage1");
    EXPECT_EQ(List.Image(0).Width(), List.Width());
    EXPECT_EQ(List.Image(0).Height(), List.Height());

    List.PngImages().Insert(1)->SetPngImage(SolidPng(0, 0, 255));
    ExpectCounts(3);
    EXPECT_EQ(DrawnColor(0), RGB(255, 0, 0));
    EXPECT_EQ(DrawnColor(1), RGB(0, 0, 255));
    EXPECT_EQ(DrawnColor(2), RGB(0, 255, 0));

    List.PngImages().Delete(0);
    ExpectCounts(2);
    EXPECT_EQ(DrawnColor(0), RGB(0, 0, 255));

    List.PngImages().Items(1)->SetPngImage(SolidPng(10, 20, 30));
    ExpectCounts(2);
    EXPECT_EQ(DrawnColor(1), RGB(10, 20, 30));

    delete List.PngImages().Items(0);
    ExpectCounts(1);
    EXPECT_EQ(DrawnColor(0), RGB(10, 20, 30));
    TBitmap page = WhitePage(4, 4);
    EXPECT_THROW(List.Draw(*page.Canvas(), 0, 0, 1, true), EListError);
}

TEST_F(TPngImageListTest, ANewSizeEmptiesTheListExceptWhileLoading)
{
    AddPng(SolidPng(255, 0, 0));
    AddPng(SolidPng(0, 255, 0));
    List.SetPngWidth(16);                     // unchanged: kept
    ExpectCounts(2);
    List.SetPngWidth(10);
    ExpectCounts(0);

    AddPng(SolidPng(255, 0, 0));
    List.Loading();
    List.SetPngHeight(10);
    List.Loaded();
    ExpectCounts(1);
    EXPECT_EQ(List.Image(0).Height(), 10);
    EXPECT_EQ(DrawnColor(0), RGB(255, 0, 0));
}

TEST_F(TPngImageListTest, CopyingTheCollectionCopiesPicturesAndNames)
{
    AddPng(SolidPng(255, 0, 0))->SetName("Red");
    AddPng(SolidPng(0, 255, 0));
    TbsPngImageList other(nullptr);
    other.SetPngImages(List.PngImages());
    EXPECT_EQ(other.Count(), 2);
    EXPECT_EQ(other.PngImages().Items(0)->Name(), "Red");
    TBitmap page = WhitePage(4, 4);
    other.Draw(*page.Canvas(), 0, 0, 1, true);
    EXPECT_EQ(page.GetPixel(0, 0) & 0xFFFFFF, RGB(0, 255, 0));
}
