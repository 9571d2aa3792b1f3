#include <gtest/gtest.h>
#include "platform/core/Exception.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinList.h"
#include "SkinTestSupport.h"

namespace {

using TState = std::tuple<unsigned, bool, bool>;   // message, Empty, ChangeSkinDataProcess

std::vector<TState> States(const TMessageRecorder& R) {
    std::vector<TState> out;
    for (const auto& r : R.Log)
        out.emplace_back(r.Msg, r.Empty, r.ChangeSkinDataProcess);
    return out;
}

const std::vector<TState> kLoadSequence = {
    {WM_BEFORECHANGESKINDATA, true, true},
    {WM_CHANGESKINDATA, false, true},
    {WM_AFTERCHANGESKINDATA, false, false},
};

// What a failed load or a stored skin of an unknown version ends with.
const std::vector<TState> kClearedSequence = {
    {WM_BEFORECHANGESKINDATA, true, true},
    {WM_CHANGESKINDATA, true, true},
    {WM_AFTERCHANGESKINDATA, true, false},
};

const char* kMinimalIni =
    "[VERSION]\nskinname=Minimal\n[PICTURES]\npicture=\n[FORMINFO]\nclientrect=1,1,2,2\n"
    "[SKINOBJECTS]\ncount=0\n[SKINCONTROLS]\ncount=1\n0=button:button\n[button]\nskinrect=0,0,1,1\n";

void ExpectCleared(const TbsSkinData& Data) {
    EXPECT_TRUE(Data.Empty);
    EXPECT_FALSE(Data.ChangeSkinDataProcess);
    EXPECT_TRUE(Data.CtrlList.empty());
    EXPECT_TRUE(Data.ObjectList.empty());
    EXPECT_TRUE(Data.FActivePictures.empty());
    EXPECT_EQ(Data.FActivePicturesNames->Count(), 0);
    EXPECT_TRUE(Data.FPicture->Empty());
    EXPECT_TRUE(Data.FMask->Empty());
}

}  // namespace

TEST(SkinData, LoadsASkinFolderAndAnnouncesIt) {
    TTempFolder folder;
    const std::string ini = WriteSampleSkin(folder);
    TMessageRecorder recorder;
    TbsSkinData data(nullptr);
    data.LoadFromFile(ini);

    EXPECT_EQ(States(recorder), kLoadSequence);
    for (const auto& r : recorder.Log) {
        EXPECT_EQ(r.WParam, reinterpret_cast<std::intptr_t>(&data));
        EXPECT_EQ(r.LParam, 1000);
    }
    EXPECT_EQ(recorder.Log[0].Controls, 0) << "old data still present at the first message";
    EXPECT_EQ(recorder.Log[1].Controls, 4) << "complete new data at the second";

    EXPECT_EQ(data.SkinName, "Sample");
    EXPECT_EQ(data.SkinAuthor, "Zarvo");
    EXPECT_EQ(data.FPictureName, "main.bmp");
    EXPECT_TRUE(SamePixels(*data.FPicture, *MakePicture(60, 50, 1)));
    EXPECT_TRUE(SamePixels(*data.FMask, *MakePicture(60, 50, 2)));
    EXPECT_TRUE(data.FInActivePicture->Empty());
    ASSERT_EQ(data.FActivePictures.size(), 2u);
    EXPECT_TRUE(SamePixels(*data.ActivePicture(1), *MakePicture(12, 8, 4)));
    EXPECT_EQ(data.ActivePicture(2), nullptr);
    EXPECT_EQ(data.ActivePicture(-1), nullptr);
    EXPECT_EQ(data.FActivePicturesNames->Text(), "a.bmp\nb.bmp\n");
    EXPECT_EQ(data.StretchType, bsstHorz);
    EXPECT_EQ(data.SkinColors()->cBtnFace(), 12632256u);
    EXPECT_EQ(static_cast<int32_t>(data.SkinColors()->cBtnText()), -16777198);

    ASSERT_EQ(data.GetIndex("caption"), 0);
    EXPECT_EQ(dynamic_cast<TbsDataSkinCaption&>(*data.ObjectList[0]).FontName, "\xE5\xAE\x8B\xE4\xBD\x93");
    EXPECT_EQ(data.GetControlIndex("toolmenubutton"), 1);
    EXPECT_TRUE(dynamic_cast<TbsDataSkinButtonControl*>(data.CtrlList[1].get()));
    EXPECT_EQ(data.GetControlIndex("Button"), -1);
    EXPECT_EQ(data.GetIndex("button"), -1);
}

TEST(SkinData, LookUpFindsTheFirstOfDuplicateNamesAndSkipsUnknownKinds) {
    TMessageRecorder recorder;
    TbsSkinData data(nullptr);
    const auto stored = StoredSkinOf(PackedIniOnly(
        "[SKINCONTROLS]\ncount=4\n0=button:button\n1=odd:nosuchkind\n2=button:checkradio\n3=broken\n"
        "[SKINOBJECTS]\ncount=1\n0=x:userobject\n"));
    data.LoadCompressedStoredSkin(stored.get());
    ASSERT_EQ(data.CtrlList.size(), 2u);
    EXPECT_EQ(data.GetControlIndex("button"), 0);
    EXPECT_STREQ(data.CtrlList[0]->Kind(), "button");
    EXPECT_STREQ(data.CtrlList[1]->Kind(), "checkradio");
    EXPECT_EQ(data.GetControlIndex("odd"), -1);
    EXPECT_EQ(data.GetIndex("x"), 0);
}

TEST(SkinData, FilesThatAreNotSkinsChangeNothing) {
    TTempFolder folder;
    const std::string ini = WriteSampleSkin(folder);
    TbsSkinData data(nullptr);
    data.LoadFromFile(ini);
    TMessageRecorder recorder;

    std::string text = SampleSkinIni();
    text.replace(text.find("[SKINCONTROLS]"), 14, "[CONTROLS]");
    folder.WriteBytes("other.ini", text);
    data.LoadFromFile(folder.Path("other.ini"));
    data.LoadFromFile(folder.Path("missing.ini"));
    TbsCompressedStoredSkin empty(nullptr);
    data.LoadCompressedStoredSkin(&empty);
    data.LoadCompressedStoredSkin(nullptr);

    EXPECT_TRUE(recorder.Log.empty());
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.CtrlList.size(), 4u);
}

TEST(SkinData, AFailedLoadEndsClearedWithTheClosingMessages) {
    TTempFolder folder;
    const std::string ini = WriteSampleSkin(folder);
    std::string badRect = SampleSkinIni();
    badRect.replace(badRect.find("clientrect=5,18,55,45"), 21, "clientrect=1,2");
    const struct {
        const char* Name;
        std::function<void()> Break;
    } cases[] = {
        {"broken picture", [&] { folder.WriteBytes("b.bmp", "BM not a picture"); }},
        {"missing picture", [&] { std::filesystem::remove(folder.Path("b.bmp")); }},
        {"broken rect", [&] { folder.WriteBytes("skin.ini", badRect); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteSampleSkin(folder);
        TbsSkinData data(nullptr);
        data.LoadFromFile(ini);
        c.Break();
        TMessageRecorder recorder;
        EXPECT_THROW(data.LoadFromFile(ini), Exception);
        EXPECT_EQ(States(recorder), kClearedSequence);
        EXPECT_EQ(recorder.Log[0].Controls, 4);
        EXPECT_EQ(recorder.Log[1].Controls, 0) << "nothing half-loaded is left at the change message";
        ExpectCleared(data);
    }
}

TEST(SkinData, StoredSkinVersions) {
    TMessageRecorder recorder;
    TbsSkinData data(nullptr);

    const auto v4 = StoredSkinOf(PackedIniOnly(kMinimalIni, 4));
    data.LoadCompressedStoredSkin(v4.get());
    EXPECT_EQ(States(recorder), kClearedSequence);
    ExpectCleared(data);

    // Version 2 carries two more pictures after the mask; they are read and dropped.
    const std::string v2 = PackedInt(2) + "\x01\x01\x01" + std::string(1, '\0') + PackedPicture(*MakePicture(3, 3, 9)) +
                           "\x01" + PackedInt(1) + PackedPicture(*MakePicture(4, 2, 5)) + kMinimalIni;
    recorder.Log.clear();
    data.LoadCompressedStoredSkin(StoredSkinOf(v2).get());
    EXPECT_EQ(States(recorder), kLoadSequence);
    ASSERT_EQ(data.FActivePictures.size(), 1u);
    EXPECT_TRUE(SamePixels(*data.FActivePictures[0], *MakePicture(4, 2, 5)));
    EXPECT_EQ(data.SkinName, "Minimal");
    EXPECT_EQ(data.CtrlList.size(), 1u);

    // No section is required inside a stored skin.
    data.LoadCompressedStoredSkin(StoredSkinOf(PackedIniOnly("[VERSION]\nskinname=Bare\n")).get());
    EXPECT_FALSE(data.Empty);
    EXPECT_EQ(data.SkinName, "Bare");
    EXPECT_TRUE(data.CtrlList.empty());
    EXPECT_EQ(data.LayerFrame->PictureIndex, -1);
}

TEST(SkinData, AStoredSkinInflatingBeyondTheBoundIsRefusedAsAFailedLoad) {
    // A few kilobytes of zlib data whose ini text ends in blanks past the bound.
    std::string text = kMinimalIni;
    text.resize(static_cast<size_t>(MaxInflatedSkinSize) + 1, ' ');
    const auto stored = StoredSkinOf(PackedIniOnly(text));
    ASSERT_LT(stored->CompressedStream()->Size(), 100000);
    TMessageRecorder recorder;
    TbsSkinData data(nullptr);
    EXPECT_THROW(data.LoadCompressedStoredSkin(stored.get()), EDecompressionError);
    EXPECT_EQ(States(recorder), kClearedSequence);
    ExpectCleared(data);

    // Up to the bound a skin still loads, blanks and all.
    text.resize(static_cast<size_t>(MaxInflatedSkinSize) - 16 - 1);
    recorder.Log.clear();
    data.LoadCompressedStoredSkin(StoredSkinOf(PackedIniOnly(text)).get());
    EXPECT_EQ(States(recorder), kLoadSequence);
    EXPECT_EQ(data.CtrlList.size(), 1u);
}

TEST(SkinData, StoredIniTextIsReadInEveryEncoding) {
    const std::string utf8 = std::string("[VERSION]\r\nskinname=\xE7\x9A\xAE\r\n");
    std::string utf16le = "\xFF\xFE", utf16be = "\xFE\xFF";
    for (char c : std::string("[VERSION]\r\nskinname=")) {
        utf16le += std::string{c, '\0'};
        utf16be += std::string{'\0', c};
    }
    utf16le += "\xAE\x76";   // U+76AE
    utf16be += "\x76\xAE";
    const std::pair<const char*, std::string> cases[] = {
        {"UTF-8", utf8}, {"UTF-8 with its mark", "\xEF\xBB\xBF" + utf8}, {"UTF-16LE", utf16le}, {"UTF-16BE", utf16be}};
    for (const auto& [name, text] : cases) {
        TbsSkinData data(nullptr);
        data.LoadCompressedStoredSkin(StoredSkinOf(PackedIniOnly(text)).get());
        EXPECT_EQ(data.SkinName, "\xE7\x9A\xAE") << name;
    }
}

TEST(SkinData, FormInfoRules) {
    struct TCase {
        const char* Name;
        const char* Ini;
        std::function<void(const TbsSkinData&)> Check;
    };
    const TCase cases[] = {
        {"mask, empty mask area", "[PICTURES]\nmask=m.bmp\n[FORMINFO]\nclientrect=5,6,50,60\n",
         [](const TbsSkinData& d) { EXPECT_EQ(d.MaskRectArea, Rect(5, 6, 50, 60)); }},
        {"mask, area widened", "[PICTURES]\nmask=m.bmp\n[FORMINFO]\nclientrect=5,6,50,60\nmaskrectarea=1,10,40,70\n",
         [](const TbsSkinData& d) { EXPECT_EQ(d.MaskRectArea, Rect(1, 6, 50, 70)); }},
        {"mask, hit-test points",
         "[PICTURES]\nmask=m.bmp\n[FORMINFO]\nlefttoppoint=7,8\nrighttoppoint=20,8\nclientrect=0,0,90,90\n"
         "hittestlefttoppoint=0,5\nhittestrighttoppoint=3,4\n",
         [](const TbsSkinData& d) {
             EXPECT_EQ(d.HitTestLTPoint, Point(7, 8));
             EXPECT_EQ(d.HitTestRTPoint, Point(3, 4));
             EXPECT_EQ(d.HitTestLBPoint, d.LBPoint);
         }},
        {"no mask", "[FORMINFO]\nclientrect=5,6,50,60\nhittestlefttoppoint=0,5\nlefttoppoint=7,8\n",
         [](const TbsSkinData& d) {
             EXPECT_EQ(d.MaskRectArea, TRect{});
             EXPECT_EQ(d.HitTestLTPoint, Point(0, 5));
         }},
        {"corners moved into the client rect",
         "[FORMINFO]\nclientrect=5,6,50,60\nlefttoppoint=1,2\nrighttoppoint=70,1\nleftbottompoint=2,80\n"
         "rightbottompoint=100,100\n",
         [](const TbsSkinData& d) {
             EXPECT_EQ(d.LTPoint, Point(5, 6));
             EXPECT_EQ(d.RTPoint, Point(50, 6));
             EXPECT_EQ(d.LBPoint, Point(5, 60));
             EXPECT_EQ(d.RBPoint, Point(50, 60));
         }},
        {"no middle, no clamping", "[FORMINFO]\nclientrect=5,6,50,60\nlefttoppoint=1,2\nrightbottompoint=1,100\n",
         [](const TbsSkinData& d) {
             EXPECT_EQ(d.LTPoint, Point(1, 2));
             EXPECT_EQ(d.RBPoint, Point(1, 100));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TbsSkinData data(nullptr);
        data.LoadCompressedStoredSkin(StoredSkinOf(PackedIniOnly(c.Ini)).get());
        c.Check(data);
    }
}

TEST(SkinData, ClearSkinAnnouncesTheEmptySkin) {
    TMessageRecorder recorder;
    TbsSkinData data(nullptr);
    data.LoadCompressedStoredSkin(StoredSkinOf(PackedIniOnly(kMinimalIni)).get());
    recorder.Log.clear();
    data.ClearSkin();
    EXPECT_EQ(States(recorder), (std::vector<TState>{{WM_BEFORECHANGESKINDATA, true, false},
                                                     {WM_CHANGESKINDATA, true, false},
                                                     {WM_AFTERCHANGESKINDATA, true, false}}));
    ASSERT_EQ(recorder.Log.size(), 3u);
    EXPECT_EQ(recorder.Log[0].Controls, 1) << "the old descriptions still exist at the first message";
    EXPECT_EQ(recorder.Log[1].Controls, 0);
    ExpectCleared(data);
}

TEST(SkinData, MessagesReachTheFormsInTheirOrder) {
    TMessageRecorder recorder;
    recorder.Forms = {{1, "TForm1"}, {2, "TbsFormLayerWindow"}, {3, "TForm2"}, {4, "TForm3"}};
    TComponent ownerForm(nullptr);
    recorder.OwnerForms = {{&ownerForm, 3}};
    TbsSkinData& data = *new TbsSkinData(&ownerForm);   // owned and freed by the form
    const std::string layerSkin = std::string(kMinimalIni) + "[LAYERFRAME]\npictureindex=0\n";
    const auto stored = StoredSkinOf(PackedIniOnly(layerSkin));

    data.SetShowLayeredBorders(false);
    EXPECT_EQ(recorder.Targets(), (std::vector<TbsFormHandle>{3, 1, 4})) << "owner first, then the walk";
    recorder.Log.clear();

    data.SetShowLayeredBorders(true);
    EXPECT_EQ(recorder.Targets(), (std::vector<TbsFormHandle>{1, 3, 4})) << "no layer frame: forwards";
    recorder.Log.clear();

    data.LoadCompressedStoredSkin(stored.get());
    // The first message still sees the old skin (no layer frame); the later ones the new one.
    EXPECT_EQ(recorder.Targets(), (std::vector<TbsFormHandle>{1, 3, 4, 4, 3, 1, 4, 3, 1}));
    EXPECT_EQ(recorder.Messages()[3], WM_CHANGESKINDATA);
    recorder.Log.clear();

    TbsSkinData orphan(nullptr);
    orphan.SetShowLayeredBorders(false);
    EXPECT_EQ(recorder.Targets(), (std::vector<TbsFormHandle>{1, 3, 4}));
    EXPECT_EQ(recorder.Messages(), (std::vector<unsigned>(3, WM_CHANGELAYEREDBORDERS)));
}

TEST(SkinData, SwitchesAnnounceOnlyChangesAndNotWhileLoading) {
    TMessageRecorder recorder;
    TbsSkinData data(nullptr);
    TbsResourceStrData table(nullptr);
    data.SetSkinnableForm(true);
    data.SetShowLayeredBorders(true);
    EXPECT_TRUE(recorder.Log.empty());

    data.Loading();
    data.SetSkinnableForm(false);
    data.SetShowLayeredBorders(false);
    EXPECT_TRUE(recorder.Log.empty());
    data.SetResourceStrData(&table);
    EXPECT_EQ(recorder.Messages(), std::vector<unsigned>{WM_CHANGERESSTRDATA});
    data.Loaded();

    recorder.Log.clear();
    data.SetSkinnableForm(true);
    data.SetShowLayeredBorders(true);
    data.SetResourceStrData(nullptr);
    EXPECT_EQ(recorder.Messages(),
              (std::vector<unsigned>{WM_CHANGEFORMSKINNABLE, WM_CHANGELAYEREDBORDERS, WM_CHANGERESSTRDATA}));
}

TEST(SkinData, StartUpSelectsTheStoredIndexOnceTheListIsSet) {
    TMessageRecorder recorder;
    TComponent form(nullptr);
    auto* list = new TbsCompressedSkinList(&form);
    for (const char* name : {"Zero", "One", "Two"}) {
        const auto stored = StoredSkinOf(PackedIniOnly(std::string("[VERSION]\nskinname=") + name + "\n"));
        TMemoryStream block;
        stored->SaveToCompressStream(block);
        list->Skins()->Add()->ReadSkin(block);
    }
    list->Skins()->Add();   // an item without a stored skin
    auto* data = new TbsSkinData(&form);

    // Built in code, as stored form data would apply it: the index first, then the list.
    data->SetSkinIndex(1);
    EXPECT_TRUE(recorder.Log.empty());
    data->SetSkinList(list);
    EXPECT_EQ(recorder.Log.size(), 3u);
    EXPECT_EQ(data->SkinName, "One");

    recorder.Log.clear();
    data->SetSkinIndex(1);   // the index from the settings, equal: no second load
    EXPECT_TRUE(recorder.Log.empty());
    data->SetSkinIndex(2);
    EXPECT_EQ(data->SkinName, "Two");
    EXPECT_EQ(recorder.Log.size(), 3u);

    recorder.Log.clear();
    for (int outside : {-1, 4, 100}) {
        data->SetSkinIndex(outside);
        EXPECT_EQ(data->SkinIndex(), 2) << outside;
    }
    data->SetSkinIndex(3);   // the item without data: selected, nothing loaded
    EXPECT_EQ(data->SkinIndex(), 3);
    EXPECT_TRUE(recorder.Log.empty());
    EXPECT_EQ(data->SkinName, "Two");

    delete list;   // the container forgets the list it pointed at
    EXPECT_EQ(data->SkinList(), nullptr);
    data->SetSkinIndex(-1);
    EXPECT_EQ(data->SkinIndex(), -1);
}

TEST(SkinData, SavedIniKeepsOtherSectionsAndReloadsEqual) {
    TTempFolder folder;
    TbsSkinData data(nullptr);
    data.LoadFromFile(WriteSampleSkin(folder));

    folder.WriteBytes("saved.ini", "[MINE]\nkeep=1\n[VERSION]\nskinname=old\n");
    data.SaveToFile(folder.Path("saved.ini"));
    const std::string saved = folder.ReadBytes("saved.ini");
    EXPECT_NE(saved.find("[MINE]\r\nkeep=1\r\n"), std::string::npos);
    EXPECT_NE(saved.find("[VERSION]\r\nver=1\r\nskinname=Sample\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\n0=caption:caption\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\n1=toolmenubutton:menubutton\r\n"), std::string::npos);
    EXPECT_EQ(saved.find("\xEF\xBB\xBF"), std::string::npos);

    TbsSkinData reloaded(nullptr);
    reloaded.LoadFromFile(folder.Path("saved.ini"));
    TMemIniFile a, b;
    data.WriteSkinIni(a);
    reloaded.WriteSkinIni(b);
    EXPECT_EQ(a.Text(), b.Text());

    data.ClearSkin();
    data.SaveToFile(folder.Path("cleared.ini"));
    const auto cleared = LoadSkinIniFile(folder.Path("cleared.ini"));
    EXPECT_TRUE(cleared->ValueExists("PICTURES", "picture"));
    EXPECT_EQ(cleared->ReadString("PICTURES", "picture", "?"), "");
    EXPECT_EQ(cleared->ReadString("PICTURES", "activepicturescount", "?"), "0");
}

TEST(SkinData, StoreToDiskWritesPicturesUnderTheirBaseNamesOnly) {
    TTempFolder source, target;
    TbsSkinData data(nullptr);
    data.LoadFromFile(WriteSampleSkin(source));
    data.FActivePicturesNames->Put(0, "../escaped.bmp");
    std::filesystem::create_directory(target.Path("out"));
    data.StoreToDisk(target.Path("out/skin.ini"));
    EXPECT_TRUE(std::filesystem::exists(target.Path("out/escaped.bmp")));
    EXPECT_FALSE(std::filesystem::exists(target.Path("escaped.bmp")));
    EXPECT_TRUE(std::filesystem::exists(target.Path("out/main.bmp")));
    EXPECT_TRUE(std::filesystem::exists(target.Path("out/mask.bmp")));

}

TEST(SkinData, ActivePicturesAreAddedAndDeletedByPosition) {
    TTempFolder folder;
    WriteSampleSkin(folder);
    TbsSkinData data(nullptr);
    data.AddBitMap(folder.Path("a.bmp"));
    data.AddBitMap(folder.Path("b.bmp"));
    EXPECT_THROW(data.AddBitMap(folder.Path("none.bmp")), Exception);
    EXPECT_EQ(data.FActivePicturesNames->Text(), "a.bmp\nb.bmp\n");
    EXPECT_THROW(data.DeleteBitMap(2), EListError);
    EXPECT_THROW(data.DeleteBitMap(-1), EListError);
    data.DeleteBitMap(0);
    ASSERT_EQ(data.FActivePictures.size(), 1u);
    EXPECT_TRUE(SamePixels(*data.FActivePictures[0], *MakePicture(12, 8, 4)));
    EXPECT_EQ(data.FActivePicturesNames->Text(), "b.bmp\n");
}
