#include <gtest/gtest.h>
#include "platform/core/Exception.h"
#include "skin/data/SkinList.h"
#include "SkinTestSupport.h"

namespace {

std::string Inflate(const TbsCompressedStoredSkin& Stored) {
    TMemoryStream packed;
    Stored.DeCompressToStream(packed);
    return Contents(packed);
}

std::string IniTextOf(TbsSkinData& Data) {
    TMemIniFile ini;
    Data.WriteSkinIni(ini);
    return ini.Text();
}

void ExpectSameSkin(TbsSkinData& A, TbsSkinData& B) {
    EXPECT_EQ(IniTextOf(A), IniTextOf(B));
    EXPECT_TRUE(SamePixels(*A.FPicture, *B.FPicture));
    EXPECT_TRUE(SamePixels(*A.FInActivePicture, *B.FInActivePicture));
    EXPECT_TRUE(SamePixels(*A.FMask, *B.FMask));
    ASSERT_EQ(A.FActivePictures.size(), B.FActivePictures.size());
    for (size_t i = 0; i < A.FActivePictures.size(); ++i)
        EXPECT_TRUE(SamePixels(*A.FActivePictures[i], *B.FActivePictures[i])) << i;
}

}  // namespace

TEST(CompressedSkins, APackedSkinFolderLoadsAsTheFolderDoes) {
    TTempFolder folder;
    const std::string ini = WriteSampleSkin(folder);
    PackSkinFile(ini, folder.Path("sample.skn"));

    TbsSkinData fromFolder(nullptr), fromSkn(nullptr);
    fromFolder.LoadFromFile(ini);
    TMessageRecorder recorder;
    fromSkn.LoadFromCompressedFile(folder.Path("sample.skn"));
    EXPECT_EQ(recorder.Messages(),
              (std::vector<unsigned>{WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA}));
    EXPECT_FALSE(fromSkn.Empty);
    ExpectSameSkin(fromFolder, fromSkn);

    // And a container saved as a compressed skin comes back the same.
    fromFolder.SaveToCompressedFile(folder.Path("saved.skn"));
    TbsSkinData again(nullptr);
    again.LoadFromCompressedFile(folder.Path("saved.skn"));
    ExpectSameSkin(fromFolder, again);
}

TEST(CompressedSkins, Utf16IniTextSurvivesPacking) {
    // The sample as UTF-16LE with its mark (its text holds only 1- and 3-byte UTF-8 sequences).
    const std::string utf8 = SampleSkinIni();
    std::string utf16 = "\xFF\xFE";
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        uint32_t cp = b;
        if (b >= 0xE0) {
            cp = (b & 0x0F) << 12 | (static_cast<uint8_t>(utf8[i + 1]) & 0x3F) << 6 | (static_cast<uint8_t>(utf8[i + 2]) & 0x3F);
            i += 3;
        } else {
            i += 1;
        }
        utf16 += static_cast<char>(cp & 0xFF);
        utf16 += static_cast<char>(cp >> 8);
    }
    TTempFolder folder;
    PackSkinFile(WriteSampleSkin(folder, utf16), folder.Path("u.skn"));
    TbsSkinData data(nullptr);
    data.LoadFromCompressedFile(folder.Path("u.skn"));
    EXPECT_EQ(data.SkinName, "Sample");
    ASSERT_EQ(data.ObjectList.size(), 3u);
    EXPECT_EQ(dynamic_cast<TbsDataSkinCaption&>(*data.ObjectList[0]).FontName, "\xE5\xAE\x8B\xE4\xBD\x93");
    EXPECT_EQ(data.CtrlList.size(), 4u);
}

TEST(CompressedSkins, ByteLayouts) {
    TbsSkinData empty(nullptr);
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromSkinData(&empty);
    const std::string packed = Inflate(stored);
    EXPECT_EQ(packed.substr(0, 11), PackedInt(3) + "\x01\x01\x01" + PackedInt(0));
    EXPECT_EQ(packed.substr(11, 18), "[VERSION]\r\nver=1\r\n");
    EXPECT_NE(packed.find("\r\n\r\n[PICTURES]\r\n"), std::string::npos) << "an empty line after each section";

    const std::string zlib = Contents(*stored.CompressedStream());
    EXPECT_EQ(static_cast<uint8_t>(zlib[0]), 0x78);
    EXPECT_EQ(static_cast<uint8_t>(zlib[1]), 0xDA);

    TbsCompressedStoredSkin twice(nullptr);
    twice.LoadFromSkinData(&empty);
    EXPECT_EQ(Contents(*twice.CompressedStream()), zlib) << "packing is deterministic";

    TMemoryStream block;
    stored.SaveToCompressStream(block);
    EXPECT_EQ(Contents(block).substr(0, 8), PackedInt(3) + PackedInt(static_cast<int32_t>(zlib.size())));

    TbsCompressedStoredSkin none(nullptr);
    TMemoryStream emptyBlock;
    none.SaveToCompressStream(emptyBlock);
    EXPECT_EQ(Contents(emptyBlock), std::string("\x03\0\0\0\0\0\0\0", 8));
    TbsCompressedStoredSkin readBack(nullptr);
    readBack.LoadFromCompressStream(emptyBlock);
    EXPECT_TRUE(readBack.Empty());

    TTempFolder folder;
    none.SaveToCompressFile(folder.Path("none.skn"));
    EXPECT_FALSE(std::filesystem::exists(folder.Path("none.skn")));

    TbsSkinData cleared(nullptr);
    cleared.LoadCompressedStoredSkin(&stored);
    EXPECT_FALSE(cleared.Empty);
    EXPECT_TRUE(cleared.FActivePictures.empty());
}

TEST(CompressedSkins, ContainerVersionsAndFilesThatAreNotSkins) {
    TTempFolder folder;
    const std::string ini = WriteSampleSkin(folder);
    TbsCompressedStoredSkin stored(nullptr);
    stored.LoadFromIniFile(ini);
    ASSERT_FALSE(stored.Empty());
    const std::string before = Contents(*stored.CompressedStream());

    std::string noObjects = SampleSkinIni();
    noObjects.replace(noObjects.find("[SKINOBJECTS]"), 13, "[OBJECTS]");
    folder.WriteBytes("no.ini", noObjects);
    stored.LoadFromIniFile(folder.Path("no.ini"));
    stored.LoadFromIniFile(folder.Path("missing.ini"));
    EXPECT_EQ(Contents(*stored.CompressedStream()), before);
    EXPECT_THROW(PackSkinFile(folder.Path("no.ini"), folder.Path("no.skn")), EInvalidOperation);

    folder.WriteBytes("v4.skn", PackedInt(4) + PackedInt(static_cast<int32_t>(before.size())) + before);
    stored.LoadFromCompressFile(folder.Path("v4.skn"));
    EXPECT_TRUE(stored.Empty());
    TMessageRecorder recorder;
    TbsSkinData data(nullptr);
    data.LoadFromCompressedFile(folder.Path("v4.skn"));
    EXPECT_TRUE(recorder.Log.empty());
    EXPECT_THROW(data.LoadFromCompressedFile(folder.Path("missing.skn")), EFOpenError);
    EXPECT_TRUE(recorder.Log.empty());
}

TEST(CompressedSkins, SkinListItems) {
    TbsCompressedSkinList list(nullptr);
    list.Skins()->Add();
    list.Skins()->Add();
    TbsSkinListItem* third = list.Skins()->Add();
    EXPECT_EQ(third->Name(), "bsSkin2");
    EXPECT_EQ(third->SkinList(), &list);
    EXPECT_TRUE(third->Skin()->Empty());
    third->SetName("蓝色");
    third->SetFileName("a.ini");   // stored only
    EXPECT_TRUE(third->Skin()->Empty());
    EXPECT_THROW(list.Skins()->Items(3), EListError);

    TbsSkinData empty(nullptr);
    third->Skin()->LoadFromSkinData(&empty);
    TbsCompressedSkinList copy(nullptr);
    copy.SetSkins(*list.Skins());
    ASSERT_EQ(copy.Skins()->Count(), 3);
    EXPECT_EQ(copy.Skins()->Items(2)->Name(), "蓝色");
    EXPECT_EQ(Contents(*copy.Skins()->Items(2)->Skin()->CompressedStream()),
              Contents(*third->Skin()->CompressedStream()));
}

// Broken compressed skins, packed skins and pictures. Every case must end in
// an exception: never a crash, an out-of-bounds access (the sanitizer build
// runs this) or an endless loop.
TEST(CompressedSkins, CorruptedInputGivesAClearError) {
    TTempFolder folder;
    const std::string ini = WriteSampleSkin(folder);
    PackSkinFile(ini, folder.Path("good.skn"));
    const std::string skn = folder.ReadBytes("good.skn");
    const std::string zlib = skn.substr(8);
    const auto sknWith = [&](int32_t Size, const std::string& Data) { return PackedInt(3) + PackedInt(Size) + Data; };
    const auto deflate = [](const std::string& Packed) {
        TMemoryStream source, out;
        source.WriteBuffer(Packed.data(), static_cast<int64_t>(Packed.size()));
        CompressStream(source, out);
        return std::string(reinterpret_cast<const char*>(out.Memory()), static_cast<size_t>(out.Size()));
    };
    const auto packedSkn = [&](const std::string& Packed) {
        const std::string z = deflate(Packed);
        return sknWith(static_cast<int32_t>(z.size()), z);
    };

    const std::string picture = PackedPicture(*MakePicture(5, 4, 1));
    const auto withSize = [&](uint32_t Size) {
        std::string p = picture;
        for (int i = 0; i < 4; ++i)
            p[2 + i] = static_cast<char>(Size >> (8 * i));
        return p;
    };
    std::string hugeDims = picture;   // an info header that promises a huge raster
    hugeDims[18] = hugeDims[19] = hugeDims[20] = '\x7F';
    hugeDims[22] = hugeDims[23] = hugeDims[24] = '\x7F';
    const std::string flags = "\x01\x01\x01";
    const std::string ini0 = "[VERSION]\r\nskinname=x\r\n";
    std::string badZlib = zlib;
    badZlib[zlib.size() / 2] ^= 0x5A;
    badZlib[zlib.size() / 2 + 3] ^= 0x5A;

    const struct {
        const char* Name;
        std::string Skn;
        bool Announced;   // the error comes after the load began, so the closing messages went out
    } cases[] = {
        {"file cut in the header", skn.substr(0, 6), false},
        {"data shorter than its size", skn.substr(0, skn.size() - 10), false},
        {"negative size", sknWith(-5, zlib), false},
        {"huge size", sknWith(0x7FFFFFFF, zlib), false},
        {"zlib stream cut short", sknWith(static_cast<int32_t>(zlib.size() / 2), zlib.substr(0, zlib.size() / 2)), true},
        {"bad zlib data", sknWith(static_cast<int32_t>(badZlib.size()), badZlib), true},
        {"not zlib at all", sknWith(12, "hello world!"), true},
        {"packed skin ends after the version", packedSkn(PackedInt(3)), true},
        {"packed skin ends in the version", packedSkn("\x03\x00"), true},
        {"bad picture flag", packedSkn(PackedInt(3) + "\x07"), true},
        {"picture cut short", packedSkn(PackedInt(3) + std::string(1, '\0') + picture.substr(0, 30)), true},
        {"picture size beyond the data", packedSkn(PackedInt(3) + std::string(1, '\0') + withSize(1u << 30) + ini0), true},
        {"picture size below a header", packedSkn(PackedInt(3) + std::string(1, '\0') + withSize(5) + ini0), true},
        {"picture size negative", packedSkn(PackedInt(3) + std::string(1, '\0') + withSize(0xFFFFFFF0u) + ini0), true},
        {"picture without its mark", packedSkn(PackedInt(3) + std::string(1, '\0') + "XY" + picture.substr(2) + ini0), true},
        {"picture of huge dimensions", packedSkn(PackedInt(3) + std::string(1, '\0') + hugeDims + ini0), true},
        {"negative picture count", packedSkn(PackedInt(3) + flags + PackedInt(-1) + ini0), true},
        {"huge picture count", packedSkn(PackedInt(3) + flags + PackedInt(0x7FFFFFFF) + picture + ini0), true},
        {"huge list count in the ini",
         packedSkn(PackedIniOnly("[SKINCONTROLS]\r\ncount=2000000000\r\n0=button:button\r\n")), true},
        {"bad rect in the ini", packedSkn(PackedIniOnly("[FORMINFO]\r\nclientrect=1,2\r\n")), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        folder.WriteBytes("bad.skn", c.Skn);
        TbsSkinData data(nullptr);
        data.LoadFromFile(ini);
        TMessageRecorder recorder;
        EXPECT_THROW(data.LoadFromCompressedFile(folder.Path("bad.skn")), Exception);
        if (c.Announced) {
            EXPECT_EQ(recorder.Messages(),
                      (std::vector<unsigned>{WM_BEFORECHANGESKINDATA, WM_CHANGESKINDATA, WM_AFTERCHANGESKINDATA}));
            EXPECT_TRUE(data.Empty);
            EXPECT_FALSE(data.ChangeSkinDataProcess);
            EXPECT_TRUE(data.CtrlList.empty());
        } else {
            EXPECT_TRUE(recorder.Log.empty());
            EXPECT_FALSE(data.Empty) << "the skin before stays";
        }
    }

    // Bytes after the zlib stream inside the data are ignored.
    const std::string trailing = zlib + "trailing bytes";
    folder.WriteBytes("trailing.skn", sknWith(static_cast<int32_t>(trailing.size()), trailing));
    TbsSkinData data(nullptr);
    data.LoadFromCompressedFile(folder.Path("trailing.skn"));
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.CtrlList.size(), 4u);
}
