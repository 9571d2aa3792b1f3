#include "skin/data/CompressedStoredSkin.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "skin/data/PackedSkin.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinIni.h"
#include "skin/data/SkinText.h"
#include "skin/data/ZlibStreams.h"

namespace {

constexpr int32_t kContainerVersion = 3;

// Reads the container layout from S's position into Into (left empty for an unknown version).
void ReadContainer(TStream& S, TMemoryStream& Into) {
    const int32_t version = ReadPackedInt(S);
    if (version > kContainerVersion)
        return;
    const int32_t size = ReadPackedInt(S);
    const int64_t remaining = S.Size() - S.Position();
    if (size < 0 || size > remaining)
        throw EReadError(Format("A compressed skin declares %d bytes but holds %d", size, remaining));
    if (size > 0)
        Into.CopyFrom(S, size);
    Into.SetPosition(0);
}

}  // namespace

TbsCompressedStoredSkin::TbsCompressedStoredSkin(TComponent* AOwner)
    : TComponent(AOwner), FCompressedStream(std::make_unique<TMemoryStream>()) {}

TbsCompressedStoredSkin::~TbsCompressedStoredSkin() = default;

void TbsCompressedStoredSkin::DeCompressToStream(TStream& S) const {
    DecompressStream(S, *FCompressedStream);
}

void TbsCompressedStoredSkin::Pack(TMemoryStream& Packed) {
    FCompressedStream->Clear();
    CompressStream(Packed, *FCompressedStream);
    FCompressedStream->SetPosition(0);
}

void TbsCompressedStoredSkin::LoadFromSkinData(TbsSkinData* ASkinData) {
    TMemIniFile ini;
    ASkinData->WriteSkinIni(ini);
    TbsPackedSkinParts parts;
    parts.Picture = ASkinData->FPicture.get();
    parts.InActivePicture = ASkinData->FInActivePicture.get();
    parts.Mask = ASkinData->FMask.get();
    for (const auto& picture : ASkinData->FActivePictures)
        parts.ActivePictures.push_back(picture.get());
    parts.IniText = SkinIniToText(ini);
    TMemoryStream packed;
    WritePackedSkin(packed, parts);
    Pack(packed);
}

void TbsCompressedStoredSkin::LoadFromIniFile(const std::string& AFileName) {
    if (!FileExists(AFileName))
        return;
    const std::string text = ReadSkinTextFile(AFileName);
    const auto ini = SkinIniFromText(text);
    if (!IsSkinIni(*ini))
        return;
    const std::string folder = ExtractFilePath(AFileName);
    auto load = [&](const std::string& name) {
        auto picture = std::make_unique<TBitmap>();
        if (!name.empty())
            picture->LoadFromFile(folder + name);
        return picture;
    };
    const auto picture = load(ini->ReadString("PICTURES", "picture", ""));
    const auto inactive = load(ini->ReadString("PICTURES", "inactivepicture", ""));
    const auto mask = load(ini->ReadString("PICTURES", "mask", ""));
    TStringList names;
    ReadStrings(*ini, "PICTURES", "activepictures", names);
    std::vector<std::unique_ptr<TBitmap>> active;
    for (int i = 0; i < names.Count(); ++i)
        active.push_back(load(names[i]));

    TbsPackedSkinParts parts;
    parts.Picture = picture.get();
    parts.InActivePicture = inactive.get();
    parts.Mask = mask.get();
    for (const auto& p : active)
        parts.ActivePictures.push_back(p.get());
    // The file's own lines, stored in the encoding every reader takes.
    TStringList lines;
    lines.SetText(text);
    parts.IniText = SkinLinesToText(lines);
    TMemoryStream packed;
    WritePackedSkin(packed, parts);
    Pack(packed);
}

void TbsCompressedStoredSkin::LoadFromCompressFile(const std::string& AFileName) {
    FCompressedStream->Clear();
    TFileStream file(AFileName, fmOpenRead);
    ReadContainer(file, *FCompressedStream);
}

void TbsCompressedStoredSkin::LoadFromCompressStream(TStream& Stream) {
    FCompressedStream->Clear();
    Stream.SetPosition(0);
    ReadContainer(Stream, *FCompressedStream);
}

void TbsCompressedStoredSkin::SaveToCompressStream(TStream& Stream) const {
    WritePackedInt(Stream, kContainerVersion);
    WritePackedInt(Stream, static_cast<int32_t>(FCompressedStream->Size()));
    if (!Empty())
        Stream.WriteBuffer(FCompressedStream->Memory(), FCompressedStream->Size());
}

void TbsCompressedStoredSkin::SaveToCompressFile(const std::string& AFileName) const {
    if (Empty())
        return;
    TFileStream file(AFileName, fmCreate);
    SaveToCompressStream(file);
}

void PackSkinFile(const std::string& IniFileName, const std::string& SknFileName) {
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(IniFileName);
    if (stored.Empty())
        throw EInvalidOperation(Format("%s is not a skin ini file", IniFileName.c_str()));
    stored.SaveToCompressFile(SknFileName);
}
