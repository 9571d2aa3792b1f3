#include "platform/gfx/Gif.h"

#include <cstring>
#include <memory>
#include <gif_lib.h>
#include "platform/gfx/BmpCodec.h"
#include "platform/gfx/Quantizer.h"

namespace {

struct TReader {
    const uint8_t* Data;
    size_t Size;
    size_t Position = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* buffer, int count)
{
    auto* r = static_cast<TReader*>(gif->UserData);
    size_t n = std::min(size_t(count < 0 ? 0 : count), r->Size - r->Position);
    if (n)
        std::memcpy(buffer, r->Data + r->Position, n);
    r->Position += n;
    return int(n);
}

int WriteBytes(GifFileType* gif, const GifByteType* buffer, int count)
{
    auto* out = static_cast<std::vector<uint8_t>*>(gif->UserData);
    out->insert(out->end(), buffer, buffer + count);
    return count;
}

[[noreturn]] void Fail(int error)
{
    const char* text = GifErrorString(error);
    throw EInvalidGraphic(std::string("Invalid GIF picture: ") + (text ? text : "unknown error"));
}

struct TCloseReader {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

}  // namespace

void TGIFImage::LoadFromBuffer(const uint8_t* data, size_t size)
{
    TReader reader{data, size};
    int error = 0;
    std::unique_ptr<GifFileType, TCloseReader> gif(DGifOpen(&reader, ReadBytes, &error));
    if (!gif)
        Fail(error);
    CheckPictureSize(gif->SWidth, gif->SHeight, "GIF");
    const int w = gif->SWidth, h = gif->SHeight;
    // A logical screen the file could never describe is damage, not a picture:
    // an LZW code of at least a byte and a half stands for at most 4096 pixels,
    // so allow that for every byte, sixteen times over, before allocating it.
    if (int64_t(w) * h > int64_t(size) * 4096 * 16)
        throw EInvalidGraphic("Invalid GIF picture: its screen of " + std::to_string(w) + "x" + std::to_string(h) +
                              " is larger than its data could fill");
    int transparent = -1;
    while (true) {
        GifRecordType type;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
            Fail(gif->Error);
        if (type == TERMINATE_RECORD_TYPE)
            throw EInvalidGraphic("Invalid GIF picture: it holds no image");
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* ext = nullptr;
            if (DGifGetExtension(gif.get(), &code, &ext) == GIF_ERROR)
                Fail(gif->Error);
            if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4 && (ext[1] & 1))
                transparent = ext[4];
            while (ext) {
                if (DGifGetExtensionNext(gif.get(), &ext) == GIF_ERROR)
                    Fail(gif->Error);
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
            Fail(gif->Error);
        const GifImageDesc& desc = gif->Image;
        CheckPictureSize(desc.Width, desc.Height, "GIF");
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || !map->Colors)
            throw EInvalidGraphic("Invalid GIF picture: it has no colour table");

        TBitmap pixels(w, h, transparent >= 0 ? pf32bit : pf24bit);
        if (transparent >= 0) {
            pixels.Fill(clBlack, 0);
        } else {
            TColor background = clBlack;
            if (gif->SColorMap && gif->SBackGroundColor < gif->SColorMap->ColorCount) {
                const GifColorType& c = gif->SColorMap->Colors[gif->SBackGroundColor];
                background = RGB(c.Red, c.Green, c.Blue);
            }
            pixels.Fill(background);
        }
        std::vector<GifPixelType> line(size_t(desc.Width));
        auto putRow = [&](int row) {
            if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR)
                Fail(gif->Error);
            const int y = desc.Top + row;
            if (y < 0 || y >= h)
                return;
            uint8_t* target = pixels.ScanLine(y);
            const int bpp = transparent >= 0 ? 4 : 3;
            for (int i = 0; i < desc.Width; ++i) {
                const int x = desc.Left + i;
                const int index = line[size_t(i)];
                if (x < 0 || x >= w || index == transparent)
                    continue;
                uint8_t* p = target + x * bpp;
                if (index < map->ColorCount) {
                    const GifColorType& c = map->Colors[index];
                    p[0] = c.Blue;
                    p[1] = c.Green;
                    p[2] = c.Red;
                } else {
                    p[0] = p[1] = p[2] = 0;
                }
                if (bpp == 4)
                    p[3] = 255;
            }
        };
        if (desc.Interlace) {
            const int start[] = {0, 4, 2, 1}, step[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int row = start[pass]; row < desc.Height; row += step[pass])
                    putRow(row);
        } else {
            for (int row = 0; row < desc.Height; ++row)
                putRow(row);
        }
        if (transparent >= 0)
            pixels.SetAlphaFormat(afDefined);
        SetPixels(pixels);
        return;
    }
}

std::vector<uint8_t> TGIFImage::SaveToBuffer() const
{
    if (Empty())
        throw EInvalidGraphicOperation("Cannot save an empty GIF picture");
    const int w = Width(), h = Height();
    // Which pixels become the transparent index.
    std::vector<bool> clear;
    if (HasAlpha()) {
        clear.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                clear[size_t(y) * size_t(w) + size_t(x)] = FBitmap.ScanLine(y)[x * 4 + 3] < 128;
    } else if (FTransparent) {
        const TColor key = FTransparentColor == clDefault ? FBitmap.GetPixel(0, h - 1) : ColorToRGB(FTransparentColor);
        clear.resize(size_t(w) * size_t(h));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                clear[size_t(y) * size_t(w) + size_t(x)] = FBitmap.GetPixel(x, y) == key;
    }
    const bool transparent = !clear.empty();
    TPalette palette = QuantizeColors(FBitmap, transparent ? 255 : 256, clear);
    const int used = int(palette.Colors.size()) + (transparent ? 1 : 0);
    int mapSize = 2, bits = 1;
    while (mapSize < used) {
        mapSize *= 2;
        ++bits;
    }
    const int transparentIndex = transparent ? int(palette.Colors.size()) : -1;

    std::vector<uint8_t> out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, WriteBytes, &error);
    if (!gif)
        Fail(error);
    ColorMapObject* map = GifMakeMapObject(mapSize, nullptr);
    for (int i = 0; i < mapSize; ++i) {
        uint32_t c = i < int(palette.Colors.size()) ? palette.Colors[size_t(i)] : 0;
        map->Colors[i].Red = GifByteType(c >> 16);
        map->Colors[i].Green = GifByteType(c >> 8);
        map->Colors[i].Blue = GifByteType(c);
    }
    bool ok = true;
    EGifSetGifVersion(gif, true);
    ok = ok && EGifPutScreenDesc(gif, w, h, bits, 0, map) != GIF_ERROR;
    if (ok && transparent) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.TransparentColor = transparentIndex;
        GifByteType ext[4];
        EGifGCBToExtension(&gcb, ext);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) != GIF_ERROR;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) != GIF_ERROR;
    std::vector<GifPixelType> line(static_cast<size_t>(w));
    for (int y = 0; ok && y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (transparent && clear[size_t(y) * size_t(w) + size_t(x)])
                line[size_t(x)] = GifPixelType(transparentIndex);
            else
                line[size_t(x)] = palette.Nearest(ColorToPixel(FBitmap.GetPixel(x, y)));
        }
        ok = EGifPutLine(gif, line.data(), w) != GIF_ERROR;
    }
    const int lastError = gif->Error;
    if (EGifCloseFile(gif, &error) == GIF_ERROR && ok) {
        ok = false;
    }
    GifFreeMapObject(map);
    if (!ok)
        Fail(lastError ? lastError : error);
    return out;
}
