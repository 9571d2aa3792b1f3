#include <filesystem>
#include <fstream>

#include "platform/core/IniFile.h"
#include "platform/core/Path.h"
#include "platform/gfx/Picture.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/Menus.h"
#include "tests/app_preview/PreviewFixture.h"
#include "tests/media/FramePattern.h"

using namespace testmedia;

namespace {

class PreviewSnapshotTest : public PreviewPanelTest {
protected:
    std::string Setting(const std::string& AKey) {
        TIniFile ini(Host.SettingsFile);
        return ini.ReadString("SnapShot", AKey, "");
    }
    void SetSetting(const std::string& AKey, const std::string& AValue) {
        TIniFile ini(Host.SettingsFile);
        ini.WriteString("SnapShot", AKey, AValue);
    }
    // Opens the clip and shows a picture other than the first.
    void ShowFrame(int AFrame) {
        SelectFile(Sample(TSampleKind::AllIntra).Path);
        ASSERT_TRUE(WaitForLog("Pause"));
        Panel->FFPlayer().Seek(int64_t(AFrame) * 40000, {}, true);
        ASSERT_TRUE(WaitFor([&] { return ShownFrame() == AFrame; })) << ShownFrame();
    }
    std::string Ticked() {
        std::string ticked;
        for (TMenuItem* item : {Controls.BMP1, Controls.JPG1, Controls.GIF1, Controls.PNG1})
            if (item->Checked())
                ticked += item->Caption();
        return ticked;
    }
    std::string DefaultFolder() { return Temp.Path() + "/Zarvo视频软件/快照"; }
};

}  // namespace

TEST_F(PreviewSnapshotTest, EachTypeWritesAValidPictureOfTheShownFrameUnderTheFirstFreeNumber) {
    ShowFrame(7);
    const TBitmap* frame = Panel->FFPlayer().CurrentFrame();
    const struct {
        TMenuItem* Item;
        const char* Type;
        const char* Ext;
    } types[] = {{Controls.BMP1, "BMP", ".bmp"},
                 {Controls.JPG1, "JPG", ".jpg"},
                 {Controls.GIF1, "GIF", ".gif"},
                 {Controls.PNG1, "PNG", ".png"}};
    for (const auto& t : types) {
        t.Item->Click();
        EXPECT_EQ(Setting("Picture"), t.Type);
        EXPECT_EQ(Ticked(), t.Item->Caption()) << "one radio item ticked";
        for (int n = 1; n <= 2; ++n) {
            Click(Controls.bsSkinButton22);
            const std::string name = DefaultFolder() + "/intra_" + std::to_string(n) + t.Ext;
            ASSERT_TRUE(FileExists(name)) << name;
            TPicture picture;
            picture.LoadFromFile(name);
            ASSERT_EQ(picture.Width(), frame->Width()) << name;
            ASSERT_EQ(picture.Height(), frame->Height()) << name;
            TBitmap bitmap;
            picture.Graphic()->AssignTo(bitmap);
            bitmap.SetPixelFormat(pf24bit);
            EXPECT_EQ(ReadFrameNumberFromBGR(bitmap.Width(), bitmap.Height(),
                                             [&](int y) { return bitmap.ScanLine(y); }),
                      7)
                << name;
        }
    }
    // A freed number is taken again, and nothing is overwritten.
    std::filesystem::remove(DefaultFolder() + "/intra_1.png");
    const auto before = std::filesystem::last_write_time(DefaultFolder() + "/intra_2.png");
    Click(Controls.bsSkinButton22);
    EXPECT_TRUE(FileExists(DefaultFolder() + "/intra_1.png"));
    EXPECT_FALSE(FileExists(DefaultFolder() + "/intra_3.png"));
    EXPECT_EQ(std::filesystem::last_write_time(DefaultFolder() + "/intra_2.png"), before);
    EXPECT_TRUE(Host.Warnings.empty());
}

TEST_F(PreviewSnapshotTest, TheFirstSnapshotWritesTheDefaultsAndNothingShownWritesNoFile) {
    ASSERT_FALSE(FileExists(Host.SettingsFile));
    Panel->bsSkinButton22Click();  // no file open
    EXPECT_EQ(Setting("Dir"), DefaultFolder());
    EXPECT_EQ(Setting("Picture"), "BMP");
    EXPECT_TRUE(DirectoryExists(DefaultFolder()));
    EXPECT_TRUE(std::filesystem::is_empty(DefaultFolder()));
    EXPECT_TRUE(Host.Warnings.empty());
}

TEST_F(PreviewSnapshotTest, AnUnknownTypeIsRewrittenAsBmp) {
    const char* stored[] = {"jpg", "Error", "", "TIFF"};
    for (const char* value : stored) {
        SetSetting("Picture", value);
        Controls.PNG1->SetChecked(true);
        Controls.BMP1->SetChecked(false);
        Panel->bsSkinButton23Click();
        EXPECT_EQ(Setting("Picture"), "BMP") << value;
        EXPECT_EQ(Ticked(), "BMP文件") << value;
    }
    SetSetting("Picture", "GIF");
    Panel->bsSkinButton23Click();
    EXPECT_EQ(Ticked(), "GIF文件");
    EXPECT_EQ(Setting("Picture"), "GIF");
}

TEST_F(PreviewSnapshotTest, AStoredFolderIsMadeWhenMissingAndUsed) {
    const std::string folder = Temp.File("shots/deep");
    SetSetting("Dir", folder);
    ShowFrame(3);
    Panel->bsSkinButton22Click();
    EXPECT_TRUE(FileExists(folder + "/intra_1.bmp"));
    EXPECT_EQ(Setting("Dir"), folder) << "not rewritten";

    Controls.MenuItem1->Click();
    ASSERT_EQ(Host.OpenedFolders.size(), 1u);
    EXPECT_EQ(Host.OpenedFolders[0], folder);
}

TEST_F(PreviewSnapshotTest, AFailedWriteIsReportedInAWarningBox) {
    // The folder's place is taken by a file: it cannot be made, the write fails.
    std::ofstream(Temp.File("blocked")) << "x";
    SetSetting("Dir", Temp.File("blocked"));
    ShowFrame(2);
    Panel->bsSkinButton22Click();
    ASSERT_EQ(Host.Warnings.size(), 1u);
    EXPECT_EQ(Host.Warnings[0].rfind("ZarvoMPG格式转换器: ", 0), 0u) << Host.Warnings[0];
}

TEST_F(PreviewSnapshotTest, ChoosingTheFolderWritesOnlyAConfirmedExistingFolder) {
    SetSetting("Dir", Temp.Path());
    Host.ChosenFolder = "";  // cancelled
    Controls.MenuItem2->Click();
    EXPECT_EQ(Host.FolderDialogs, 1);
    EXPECT_EQ(Setting("Dir"), Temp.Path());

    Host.ChosenFolder = Temp.File("not-there");
    Controls.MenuItem2->Click();
    EXPECT_EQ(Setting("Dir"), Temp.Path());

    std::filesystem::create_directory(Temp.File("chosen"));
    Host.ChosenFolder = Temp.File("chosen");
    Controls.MenuItem2->Click();
    EXPECT_EQ(Setting("Dir"), Temp.File("chosen"));
}

TEST_F(PreviewSnapshotTest, CaptureWritesABitmapForABmpNameAndAJpegOtherwise) {
    ShowFrame(4);
    const struct {
        const char* Name;
        uint8_t First;
    } cases[] = {{"a.BMP", 'B'}, {"b.bmp", 'B'}, {"c.jpg", 0xFF}, {"d.png", 0xFF}};
    for (const auto& c : cases) {
        Host.ChosenPicture = Temp.File(c.Name);
        Controls.btnCapture ? Controls.btnCapture->Click() : Panel->btnCaptureClick();
        std::ifstream in(Host.ChosenPicture, std::ios::binary);
        ASSERT_TRUE(in) << c.Name;
        EXPECT_EQ(uint8_t(in.get()), c.First) << c.Name;
    }
    Host.ChosenPicture = "";  // cancelled
    Panel->btnCaptureClick();
    EXPECT_TRUE(Host.Warnings.empty());
}
