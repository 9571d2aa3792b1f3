#include "skin/data/PackedSkin.h"
#include <array>
#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"
#include "skin/data/SkinIni.h"

namespace {

constexpr int64_t kBmpFileHeaderSize = 14;
constexpr int64_t kSmallestBmp = kBmpFileHeaderSize + 12;   // file header and the oldest info header

uint32_t LittleEndian32(const uint8_t* P) {
    return uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24;
}

int64_t Remaining(TStream& S) {
    return S.Size() - S.Position();
}

}  // namespace

int32_t ReadPackedInt(TStream& S) {
    std::array<uint8_t, 4> bytes;
    S.ReadBuffer(bytes.data(), 4);
    return static_cast<int32_t>(LittleEndian32(bytes.data()));
}

void WritePackedInt(TStream& S, int32_t Value) {
    const auto v = static_cast<uint32_t>(Value);
    const std::array<uint8_t, 4> bytes = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    S.WriteBuffer(bytes.data(), 4);
}

void ReadPackedPicture(TStream& S, TBitmap& Picture) {
    std::vector<uint8_t> file(kBmpFileHeaderSize);
    S.ReadBuffer(file.data(), kBmpFileHeaderSize);
    if (file[0] != 'B' || file[1] != 'M')
        throw EReadError("A stored skin picture is not a BMP image");
    const int64_t size = LittleEndian32(file.data() + 2);
    if (size < kSmallestBmp || size - kBmpFileHeaderSize > Remaining(S))
        throw EReadError(Format("A stored skin picture declares %d bytes, more than the skin holds", size));
    file.resize(static_cast<size_t>(size));
    S.ReadBuffer(file.data() + kBmpFileHeaderSize, size - kBmpFileHeaderSize);
    Picture.LoadFromBuffer(file.data(), file.size());
}

void WritePackedPicture(TStream& S, const TBitmap& Picture) {
    const std::vector<uint8_t> file = Picture.SaveToBuffer();
    // Readers take the length from the header, so it must be the true length.
    if (file.size() < kSmallestBmp || LittleEndian32(file.data() + 2) != file.size())
        throw EWriteError("A skin picture could not be stored as a BMP image");
    S.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
}

void ReadFlaggedPicture(TStream& S, TBitmap& Picture) {
    uint8_t flag = 0;
    S.ReadBuffer(&flag, 1);
    if (flag == 1) {
        Picture.FreeImage();
        return;
    }
    if (flag != 0)
        throw EReadError(Format("Invalid picture flag %d in a stored skin", flag));
    ReadPackedPicture(S, Picture);
}

void WriteFlaggedPicture(TStream& S, const TBitmap& Picture) {
    const uint8_t flag = Picture.Empty() ? 1 : 0;
    S.WriteBuffer(&flag, 1);
    if (!Picture.Empty())
        WritePackedPicture(S, Picture);
}

std::unique_ptr<TMemIniFile> ReadRemainingIni(TMemoryStream& S) {
    const int64_t start = std::min(S.Position(), S.Size());
    const std::string_view text(reinterpret_cast<const char*>(S.Memory()) + start, static_cast<size_t>(S.Size() - start));
    S.SetPosition(S.Size());
    return SkinIniFromText(text);
}

void WritePackedSkin(TStream& S, const TbsPackedSkinParts& Parts) {
    const TBitmap none;
    WritePackedInt(S, PackedSkinVersion);
    WriteFlaggedPicture(S, Parts.Picture ? *Parts.Picture : none);
    WriteFlaggedPicture(S, Parts.InActivePicture ? *Parts.InActivePicture : none);
    WriteFlaggedPicture(S, Parts.Mask ? *Parts.Mask : none);
    WritePackedInt(S, static_cast<int32_t>(Parts.ActivePictures.size()));
    for (const TBitmap* picture : Parts.ActivePictures)
        WritePackedPicture(S, *picture);
    S.WriteBuffer(Parts.IniText.data(), static_cast<int64_t>(Parts.IniText.size()));
}
