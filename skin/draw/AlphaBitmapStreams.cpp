#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"
#include "skin/draw/AlphaBitmap.h"
#include "skin/draw/StreamStrings.h"

namespace {

// Sizes in streams come from files: refuse what the rest of the stream cannot hold.
void RequireBytes(TStream& Stream, std::int64_t bytes, const char* what) {
    if (bytes < 0 || bytes > Stream.Size() - Stream.Position())
        throw EReadError(std::string(what) + " does not fit the stream");
}

constexpr std::int64_t MaxPcxPixels = std::int64_t(1) << 26;
constexpr std::int64_t MaxPcxBytesPerInputByte = 64;

// The 16 colours of the classic display palette, as red, green, blue.
constexpr std::uint8_t SystemPalette16[16][3] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};

}  // namespace

void TbsBitmap::SaveToStream(TStream& Stream) const {
    WriteStreamString(Stream, FName);
    WriteStreamInt32(Stream, FWidth);
    WriteStreamInt32(Stream, FHeight);
    if (!Empty())
        Stream.WriteBuffer(FBits, static_cast<std::int64_t>(FWidth) * FHeight * 4);
}

void TbsBitmap::LoadFromStream(TStream& Stream) {
    ReadStreamString(Stream, FName);
    const std::int64_t w = ReadStreamInt32(Stream);
    std::int64_t h = ReadStreamInt32(Stream);
    const bool bottomUp = h <= 0;
    h = h < 0 ? -h : h;
    if (w < 0)
        throw EReadError("Negative bitmap width in stream");
    if (w == 0 || h == 0)
        return;
    RequireBytes(Stream, w * h * 4, "Bitmap pixels");
    SetSize(static_cast<int>(w), static_cast<int>(h));
    if (FWidth != w || FHeight != h)
        return;
    Stream.ReadBuffer(FBits, w * h * 4);
    if (bottomUp)
        FlipVert();
}

void TbsBitmap::LoadFromPcxStream(TStream& Stream) {
    std::uint8_t header[128];
    RequireBytes(Stream, 128, "PCX header");
    Stream.ReadBuffer(header, 128);
    if (header[0] != 10 && header[0] != 205)
        return;
    auto u16 = [&](int at) { return header[at] | header[at + 1] << 8; };
    const int version = header[1], encoding = header[2], planes = header[65];
    const int xmin = u16(4), ymin = u16(6), xmax = u16(8), ymax = u16(10), bytesPerLine = u16(66);
    if (xmax < xmin || ymax < ymin)
        throw EReadError("PCX picture with a negative size");
    const int width = xmax - xmin + 1, height = ymax - ymin + 1;
    const std::int64_t lineSize = static_cast<std::int64_t>(planes) * bytesPerLine;
    if (static_cast<std::int64_t>(width) * height > MaxPcxPixels || lineSize * height > 4 * MaxPcxPixels)
        throw EReadError("PCX picture too large");

    std::uint8_t palette[256][3] = {};
    const std::int64_t afterHeader = Stream.Position();
    // A run-length byte pair fills at most 63 bytes: a header claiming more
    // rows or pixels than the rest of the file could fill is refused before
    // anything is allocated.
    if (lineSize < 1 || std::max<std::int64_t>(lineSize, width) * height >
                            MaxPcxBytesPerInputByte * (Stream.Size() - afterHeader))
        throw EReadError("PCX picture larger than its data");
    if (version == 3) {
        std::memcpy(palette, SystemPalette16, sizeof SystemPalette16);
    } else {
        if (Stream.Size() - afterHeader < 769)
            throw EReadError("PCX picture without room for its palette");
        Stream.Seek(-769, soEnd);
        std::uint8_t lead;
        Stream.ReadBuffer(&lead, 1);
        Stream.ReadBuffer(palette, 768);
        Stream.SetPosition(afterHeader);
    }

    // Rows of lineSize bytes; a short stream leaves the rest of the rows zero.
    std::vector<std::uint8_t> data(static_cast<std::size_t>(lineSize * height), 0);
    std::vector<std::uint8_t> rest(static_cast<std::size_t>(Stream.Size() - afterHeader));
    if (!rest.empty())
        Stream.ReadBuffer(rest.data(), static_cast<std::int64_t>(rest.size()));
    if (encoding == 1) {
        std::size_t in = 0, out = 0;
        while (in < rest.size() && out < data.size()) {
            const std::uint8_t b = rest[in++];
            if (b < 192) {
                data[out++] = b;
                continue;
            }
            if (in >= rest.size())
                break;
            const std::uint8_t value = rest[in++];
            const std::size_t count = std::min<std::size_t>(b & 63, data.size() - out);
            std::fill_n(data.begin() + static_cast<std::ptrdiff_t>(out), count, value);
            out += count;
        }
    } else {
        std::copy_n(rest.begin(), std::min(rest.size(), data.size()), data.begin());
    }

    TBitmap picture(width, height, pf24bit);
    const int copied = static_cast<int>(std::min<std::int64_t>(width, lineSize));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = data.data() + static_cast<std::size_t>(lineSize) * y;
        std::uint8_t* to = picture.ScanLine(y);
        for (int x = 0; x < copied; ++x) {
            to[3 * x] = palette[row[x]][2];
            to[3 * x + 1] = palette[row[x]][1];
            to[3 * x + 2] = palette[row[x]][0];
        }
    }
    Assign(picture);
}

void TbsBitmapLink::LoadFromStream(TStream& Stream) {
    ReadStreamString(Stream, FName);
    FRect.Left = ReadStreamInt32(Stream);
    FRect.Top = ReadStreamInt32(Stream);
    FRect.Right = ReadStreamInt32(Stream);
    FRect.Bottom = ReadStreamInt32(Stream);
}

void TbsBitmapLink::SaveToStream(TStream& Stream) const {
    WriteStreamString(Stream, FName);
    WriteStreamInt32(Stream, FRect.Left);
    WriteStreamInt32(Stream, FRect.Top);
    WriteStreamInt32(Stream, FRect.Right);
    WriteStreamInt32(Stream, FRect.Bottom);
}
