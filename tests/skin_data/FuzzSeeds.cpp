// Writes the fuzzers' seed corpora from the program's own skins, at build time:
//   <skin folder>     a small skin (tiny pictures, the full ini text of our
//                     first skin) as a compressed skin file and as a packed skin
//   <picture folder>  a cut of a skin picture as BMP (24-bit, 32-bit, RLE8),
//                     PNG, JPEG, GIF, ICO and PCX
// Small seeds keep the fuzzers fast; the real ini text shows them every section.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Gif.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/PackedSkin.h"
#include "skin/data/ZlibStreams.h"

namespace {

void WriteFile(const std::string& Name, const void* Data, size_t Size) {
    TFileStream out(Name, fmCreate);
    out.WriteBuffer(Data, static_cast<int64_t>(Size));
}

void WriteFile(const std::string& Name, const std::vector<uint8_t>& Data) {
    WriteFile(Name, Data.data(), Data.size());
}

// The packed skin inside an embedded compressed skin.
void Unpack(const TEmbeddedSkin& Skin, TMemoryStream& Packed) {
    TMemoryStream skn;
    skn.WriteBuffer(Skin.Data, static_cast<int64_t>(Skin.Size));
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromCompressStream(skn);
    stored.DeCompressToStream(Packed);
    Packed.SetPosition(0);
}

TBitmap Cut(const TBitmap& From, int W, int H, TPixelFormat Format) {
    TBitmap to(W, H, Format);
    TBitmap source(From);
    source.SetPixelFormat(Format);
    const int bytes = Format == pf32bit ? 4 : 3;
    for (int y = 0; y < H && y < source.Height(); ++y)
        for (int x = 0; x < W * bytes && x < source.Width() * bytes; ++x)
            to.ScanLine(y)[x] = source.ScanLine(y)[x];
    return to;
}

void Put16(std::vector<uint8_t>& V, unsigned X) {
    V.push_back(uint8_t(X));
    V.push_back(uint8_t(X >> 8));
}
void Put32(std::vector<uint8_t>& V, unsigned X) {
    Put16(V, X & 0xFFFF);
    Put16(V, X >> 16);
}

// An 8-bit run-length BMP: a grey ramp palette, each row one run.
std::vector<uint8_t> Rle8Bmp(int W, int H) {
    std::vector<uint8_t> pixels;
    for (int y = 0; y < H; ++y) {
        pixels.push_back(uint8_t(W));
        pixels.push_back(uint8_t(y * 16));
        pixels.push_back(0);
        pixels.push_back(0);
    }
    pixels.push_back(0);
    pixels.push_back(1);
    std::vector<uint8_t> out = {'B', 'M'};
    const unsigned offBits = 14 + 40 + 256 * 4;
    Put32(out, offBits + unsigned(pixels.size()));
    Put32(out, 0);
    Put32(out, offBits);
    for (unsigned v : {40u, unsigned(W), unsigned(H)})
        Put32(out, v);
    Put16(out, 1);
    Put16(out, 8);
    for (unsigned v : {1u, unsigned(pixels.size()), 3780u, 3780u, 0u, 0u})
        Put32(out, v);
    for (unsigned i = 0; i < 256; ++i)
        Put32(out, i * 0x010101);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

// An 8-bit run-length PCX picture with its 256-colour palette at the end.
std::vector<uint8_t> Pcx8(int W, int H) {
    std::vector<uint8_t> out(128, 0);
    out[0] = 10;
    out[1] = 5;
    out[2] = 1;
    out[3] = 8;
    out[8] = uint8_t(W - 1);
    out[10] = uint8_t(H - 1);
    out[65] = 1;
    out[66] = uint8_t(W);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; x += 2) {
            out.push_back(0xC2);   // a run of two
            out.push_back(uint8_t(x * 8 + y));
        }
    out.push_back(12);
    for (int i = 0; i < 256; ++i) {
        out.push_back(uint8_t(i));
        out.push_back(uint8_t(255 - i));
        out.push_back(uint8_t(i / 2));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds <skin seed folder> <picture seed folder>\n");
        return 2;
    }
    try {
        const std::string skins = argv[1], pictures = argv[2];
        // The first skin's ini text with tiny pictures: whole skins would
        // slow every run down to their megabyte of pictures.
        TMemoryStream packed;
        Unpack(MainSkins()[0], packed);
        ReadPackedInt(packed);
        TBitmap main, inactive, mask;
        ReadFlaggedPicture(packed, main);
        ReadFlaggedPicture(packed, inactive);
        ReadFlaggedPicture(packed, mask);
        const int32_t count = ReadPackedInt(packed);
        TBitmap first, skipped;
        for (int32_t i = 0; i < count; ++i)
            ReadPackedPicture(packed, i == 0 ? first : skipped);
        std::string ini(static_cast<size_t>(packed.Size() - packed.Position()), '\0');
        packed.ReadBuffer(ini.data(), static_cast<int64_t>(ini.size()));
        const TBitmap tiny = Cut(first.Empty() ? main : first, 8, 6, pf24bit);
        TMemoryStream small;
        TbsPackedSkinParts parts;
        parts.Picture = &tiny;
        parts.Mask = &tiny;
        parts.ActivePictures = {&tiny, &tiny};
        parts.IniText = ini;
        WritePackedSkin(small, parts);
        WriteFile(skins + "/small.packed", small.Memory(), static_cast<size_t>(small.Size()));
        TbsCompressedStoredSkin stored(nullptr);
        CompressStream(small, *stored.CompressedStream());
        TMemoryStream skn;
        stored.SaveToCompressStream(skn);
        WriteFile(skins + "/small.skn", skn.Memory(), static_cast<size_t>(skn.Size()));

        const TBitmap cut24 = Cut(first.Empty() ? main : first, 24, 16, pf24bit);
        const TBitmap cut32 = Cut(first.Empty() ? main : first, 16, 12, pf32bit);
        WriteFile(pictures + "/cut24.bmp", cut24.SaveToBuffer());
        WriteFile(pictures + "/cut32.bmp", cut32.SaveToBuffer());
        WriteFile(pictures + "/ramp-rle8.bmp", Rle8Bmp(12, 8));
        WriteFile(pictures + "/ramp.pcx", Pcx8(12, 8));
        TPngImage png;
        png.Assign(cut32);
        WriteFile(pictures + "/cut.png", png.SaveToBuffer());
        TJPEGImage jpeg;
        jpeg.Assign(cut24);
        WriteFile(pictures + "/cut.jpg", jpeg.SaveToBuffer());
        TGIFImage gif;
        gif.Assign(cut24);
        WriteFile(pictures + "/cut.gif", gif.SaveToBuffer());
        TIcon icon;
        icon.Assign(cut32);
        WriteFile(pictures + "/cut.ico", icon.SaveToBuffer());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", e.what());
        return 1;
    }
    return 0;
}
