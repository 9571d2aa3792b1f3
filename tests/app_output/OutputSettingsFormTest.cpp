// The output settings dialog as a form of the headless screen: created hidden with its
// effects on the main window, refilled by picks in a shown dialog, OK and Cancel, and a
// picture of it in our base skin (renders/output_settings_dialog.png).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/output/OutputSettingsForm.h"
#include "platform/core/Stream.h"
#include "platform/gfx/Png.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Application.h"
#include "resources/skins/EmbeddedSkins.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/data/CompressedStoredSkin.h"
#include "skin/data/SkinData.h"

namespace {

class THost : public TOutputSettingsHost {
public:
    TCurrentPreset& CurrentPreset() override { return Preset; }
    void SetAllTrantNumber(int key) override { AllTrantNumber = key; }
    void ClearClipTimes() override { ++ClipTimesCleared; }
    std::string OutputFolder() const override { return "/videos/out"; }
    bool OutputNameTaken(const std::string&) const override { return false; }

    TCurrentPreset Preset;
    int AllTrantNumber = -7;
    int ClipTimesCleared = 0;
};

class TOverwrite : public TOverwriteChoice {
public:
    bool OverwriteOutputFiles() const override { return true; }
};

std::vector<std::string> Texts(TbsSkinComboBox* combo) {
    std::vector<std::string> texts;
    for (int i = 0; i < combo->Items().Count(); ++i)
        texts.push_back(combo->Items()[i]);
    return texts;
}

class OutputSettingsFormTest : public testing::Test {
protected:
    void SetUp() override {
        Backend = &UseHeadlessBackend();
        Application->Initialize();
        Host.Preset.Video_AddFileName = "/videos/clip.mkv";
        Host.Preset.Video_DisableVideo = true;
        Host.Preset.Video_FrameSize = "old";
    }
    void TearDown() override {
        delete Form;
        Skin.reset();
        Stored.reset();
        UseHeadlessBackend();
    }
    TbsSkinData* BaseSkin() {
        const TEmbeddedSkin& skin = MainSkins()[0];
        Stored = std::make_unique<TbsCompressedStoredSkin>(nullptr);
        TMemoryStream data;
        data.Write(skin.Data, static_cast<int64_t>(skin.Size));
        Stored->LoadFromCompressStream(data);
        Skin = std::make_unique<TbsSkinData>(nullptr);
        Skin->LoadCompressedStoredSkin(Stored.get());
        return Skin.get();
    }
    void Create(TbsSkinData* skin = nullptr) { Form = CreateOutputSettingsForm(nullptr, Host, Overwrite, skin); }
    void Pump() { Application->ProcessMessages(); }
    void Click(TControl* c) {
        const TPoint p = c->ClientToScreen(TPoint{c->Width() / 2, c->Height() / 2});
        Backend->MouseMove(p.X, p.Y);
        Pump();
        Backend->MouseDown(p.X, p.Y);
        Pump();
        Backend->MouseUp(p.X, p.Y);
        Pump();
    }
    std::vector<std::string> Shown() {
        std::vector<std::string> texts;
        for (TbsSkinComboBox* c : {Form->bsSkinComboBox1, Form->bsSkinComboBox2, Form->bsSkinComboBox9,
                                   Form->bsSkinComboBox3, Form->bsSkinComboBox10, Form->bsSkinComboBox4})
            texts.push_back(c->Text());
        return texts;
    }

    THeadlessBackend* Backend = nullptr;
    THost Host;
    TOverwrite Overwrite;
    std::unique_ptr<TbsCompressedStoredSkin> Stored;
    std::unique_ptr<TbsSkinData> Skin;
    TOutputSettingsForm* Form = nullptr;
};

}  // namespace

TEST_F(OutputSettingsFormTest, CreationLeavesItHiddenAndSetsTheKeyAndTheVideoSwitchOfTheMainWindow) {
    Create();
    Pump();
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Form->Caption(), "设置选项");
    EXPECT_EQ(Form->ClientWidth(), 958);
    EXPECT_EQ(Form->ClientHeight(), 474);
    EXPECT_EQ(Host.AllTrantNumber, 100);
    EXPECT_FALSE(Host.Preset.Video_DisableVideo);
    EXPECT_EQ(Host.Preset.Video_FrameSize, "old") << "nothing else of the preset is written";
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, "");

    EXPECT_EQ(Form->bsSkinOfficeComboBox2->Items().Count(), 12);
    EXPECT_EQ(Form->bsSkinOfficeComboBox2->ItemIndex(), 0);
    EXPECT_EQ(Form->bsSkinOfficeComboBox2->Items().Items(0)->Caption(), "常用视频");
    EXPECT_EQ(Form->bsSkinOfficeComboBox2->Items().Items(11)->Caption(), "Flash视频");
    EXPECT_EQ(Form->bsSkinOfficeComboBox2->Items().Items(11)->ImageIndex(), 11);
    ASSERT_EQ(Form->bsSkinOfficeComboBox1->Items().Count(), 15);
    EXPECT_EQ(Form->bsSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Form->bsSkinOfficeComboBox1->Items().Items(0)->Title(), "AVI - 音频视频交错格式(*.avi)");
    EXPECT_EQ(Shown(), (std::vector<std::string>{"保持原分辨率", "816 kbps", "25.00", "128 kbps", "44100",
                                                 "保持原视频模式"}));
    EXPECT_EQ(Form->bsSkinComboBox1->Items().Count(), 28);
    EXPECT_EQ(Form->ImageList1->Count(), 12);
}

TEST_F(OutputSettingsFormTest, PicksInAShownDialogRefillTheFormatsAndTheOptions) {
    Create();
    Form->Show();
    Pump();
    // A category: its formats, format 0 chosen, and that format's options.
    Form->bsSkinOfficeComboBox2->SetItemIndex(2);
    EXPECT_EQ(Form->bsSkinOfficeComboBox1->Items().Count(), 10);
    EXPECT_EQ(Form->bsSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Host.AllTrantNumber, 300);
    // A format of the audio category: the four video combos show "no video" and are disabled.
    Form->bsSkinOfficeComboBox2->SetItemIndex(1);
    Form->bsSkinOfficeComboBox1->SetItemIndex(12);
    EXPECT_EQ(Host.AllTrantNumber, 212);
    EXPECT_EQ(Shown()[3], "7.4 kbps");
    EXPECT_EQ(Texts(Form->bsSkinComboBox10), std::vector<std::string>{"8000"});
    for (TbsSkinComboBox* c : {Form->bsSkinComboBox1, Form->bsSkinComboBox2, Form->bsSkinComboBox9,
                               Form->bsSkinComboBox4})
        EXPECT_FALSE(c->Enabled());
    EXPECT_TRUE(Form->bsSkinComboBox3->Enabled());
    // The same format again still refills.
    Host.AllTrantNumber = 0;
    Form->bsSkinOfficeComboBox1->SetItemIndex(12);
    EXPECT_EQ(Host.AllTrantNumber, 212);
}

TEST_F(OutputSettingsFormTest, AUserPicksACategoryAndAFormatFromTheLists) {
    Create(BaseSkin());
    Form->Show();
    Pump();
    // Open a list with a click, choose a row with another.
    auto pick = [&](TbsSkinOfficeComboBox* combo, int row) {
        Click(combo);
        ASSERT_TRUE(combo->IsPopupVisible());
        combo->ListBox()->CalcItemRects();
        const TRect r = combo->ListBox()->Item(row)->ItemRect;
        const TPoint p = combo->ListBox()->ClientToScreen(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
        Backend->MouseMove(p.X, p.Y);
        Pump();
        Backend->MouseDown(p.X, p.Y);
        Pump();
        Backend->MouseUp(p.X, p.Y);
        Pump();
        EXPECT_FALSE(combo->IsPopupVisible());
    };
    pick(Form->bsSkinOfficeComboBox2, 2);  // "HD视频"
    EXPECT_EQ(Form->bsSkinOfficeComboBox2->ItemIndex(), 2);
    EXPECT_EQ(Form->bsSkinOfficeComboBox1->Items().Count(), 10);
    EXPECT_EQ(Form->bsSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Host.AllTrantNumber, 300);
    pick(Form->bsSkinOfficeComboBox1, 1);
    EXPECT_EQ(Host.AllTrantNumber, 301);
}

TEST_F(OutputSettingsFormTest, OkWritesThePresetAndTheChosenValuesAndHides) {
    Create();
    Form->Show();
    Pump();
    Form->bsSkinComboBox2->SetItemIndex(Form->bsSkinComboBox2->Items().IndexOf("2000 kbps"));
    Click(Form->bsSkinButton2);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, "/videos/out/clip.avi");
    EXPECT_EQ(Host.Preset.Video_VideoBitrate, 2000000) << "the combo wins over the row";
    EXPECT_EQ(Host.Preset.Video_FrameSize, "");
    EXPECT_EQ(Host.Preset.Video_FrameRate, "25.00");
    EXPECT_EQ(Host.Preset.Video_AudioSampleRate, "44100");
    EXPECT_EQ(Host.Preset.Video_AddFileName, "/videos/clip.mkv");
}

TEST_F(OutputSettingsFormTest, CancelHidesAndChangesNothing) {
    Create();
    Form->Show();
    Pump();
    const TCurrentPreset before = Host.Preset;
    Form->bsSkinOfficeComboBox2->SetItemIndex(0);  // refills, as a pick would
    Host.AllTrantNumber = -1;
    Click(Form->bsSkinButton3);
    EXPECT_FALSE(Form->Visible());
    EXPECT_EQ(Host.AllTrantNumber, -1);
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, before.Video_OutPutFileName);
    EXPECT_EQ(Host.Preset.Video_FrameSize, before.Video_FrameSize);
    EXPECT_EQ(Host.Preset.Video_VideoBitrate, before.Video_VideoBitrate);
}

TEST_F(OutputSettingsFormTest, TheHiddenButtonsRunTheirParts) {
    Create();
    Form->Show();
    Pump();
    Form->Button5->Click();
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, "/videos/out/clip.avi");
    Form->Button6->Click();
    EXPECT_EQ(Host.Preset.Video_OutPutFileName, "");
    EXPECT_EQ(Host.Preset.Video_AudioVolume, "256");
    EXPECT_EQ(Host.ClipTimesCleared, 1);
    EXPECT_EQ(Host.Preset.Video_AddFileName, "/videos/clip.mkv");
    Form->Button13->Click();
    EXPECT_EQ(Host.Preset.Video_VideoBitrate, 816000);
    EXPECT_TRUE(Form->Visible()) << "only OK and Cancel close";
}

TEST_F(OutputSettingsFormTest, RendersInOurBaseSkin) {
    Create(BaseSkin());
    Form->SetLeft(0);
    Form->SetTop(0);
    Form->Show();
    Pump();
    std::unique_ptr<TBitmap> picture = Backend->CaptureWindow(Form->Handle());
    ASSERT_TRUE(picture);
    const std::string dir = APP_OUTPUT_RENDER_DIR;
    std::filesystem::create_directories(dir);
    TPngImage png;
    png.Assign(*picture);
    png.SaveToFile(dir + "/output_settings_dialog.png");
    // The skinned frame is wider than the client area; the OK button is drawn by the skin.
    EXPECT_GT(picture->Width(), 958);
    const TPoint ok = Form->bsSkinButton2->ClientToScreen(TPoint{5, 12});
    EXPECT_NE(picture->GetPixel(ok.X - Form->Left(), ok.Y - Form->Top()) & 0xFFFFFF,
              picture->GetPixel(ok.X - Form->Left(), ok.Y - Form->Top() - 20) & 0xFFFFFF);
}
