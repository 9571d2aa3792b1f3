// Start-up and the settings file: the first start in an empty folder, the
// stored output folder and skin, and where "option.ini" lives.
#include "MainFixture.h"
#include "platform/ui/controls/ExtCtrls.h"

#include <fstream>
#include <sstream>

#include "app/presets/PresetCascade.h"
#include "app/settings/StartupSettings.h"
#include "platform/ui/Input.h"
#include "platform/ui/controls/ComboBox.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/OpenDialog.h"

namespace maintest {
namespace {

std::string ReadText(const std::string& APath)
{
    std::ifstream in(APath);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST_F(MainWindowTest, FirstStartWritesTheDefaultsAndShowsSkinZero)
{
    ASSERT_FALSE(FileExists(SettingsPath()));
    Start();
    const std::string out = Home.Path() + "/Zarvo视频软件/输出";
    EXPECT_EQ(Ini("OutPath", "OutPath"), out);
    EXPECT_TRUE(DirectoryExists(out));
    EXPECT_EQ(Form1->FileOutPutPath, out);
    EXPECT_EQ(Form1->Video_OutPut_Folder_Edit->Text(), out);
    EXPECT_EQ(Ini("Skin", "SetSkin"), "0");
    EXPECT_EQ(Form1->bsSkinData1->SkinIndex(), 0);
    for (auto [key, value] : {std::pair{"Thread_Count", "0"}, {"After_Done", "0"}, {"Show_Preview", "0"},
                              {"Thread_Priority", "3"}, {"Overwrite_File", "1"}})
        EXPECT_EQ(Ini("Options", key), value) << key;
    // Sections in the order of their first write.
    const std::string text = ReadText(SettingsPath());
    EXPECT_LT(text.find("[OutPath]"), text.find("[Skin]"));
    EXPECT_LT(text.find("[Skin]"), text.find("[Options]"));

    EXPECT_EQ(Form1->ClientWidth(), 839);
    EXPECT_EQ(Form1->ClientHeight(), 527);
    EXPECT_EQ(Form1->Caption(), "ZarvoMPG格式转换器");
    // Category item 0 (code 13) with its formats, format 0 and its option lists.
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->ItemIndex(), 0);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->Items().Count(), 15);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox2->Items().Items(0)->ImageIndex(), 13);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->ItemIndex(), 0);
    EXPECT_EQ(Form1->bsSkinOfficeComboBox1->Items().Count(), 11);
    EXPECT_EQ(Form1->Cascade().CurrentKey(), 1400);
    for (TbsSkinComboBox* c : {Form1->bsSkinComboBox1, Form1->bsSkinComboBox2, Form1->bsSkinComboBox9,
                         Form1->bsSkinComboBox3, Form1->bsSkinComboBox10, Form1->bsSkinComboBox4}) {
        EXPECT_GT(c->Items().Count(), 0) << c->Name();
        EXPECT_GE(c->ItemIndex(), 0) << c->Name();
    }
    EXPECT_EQ(Form1->cboScreens->ItemIndex(), 0);
    EXPECT_EQ(Form1->cboScreens->Items()[0], "Panel6");
    EXPECT_EQ(Form1->bsSkinSlider1_down_UP, "UP");
    EXPECT_NE(Form6, nullptr);   // the output settings dialog, made hidden
    EXPECT_FALSE(Form6->Visible());
    EXPECT_EQ(Form1->OpenFilter.rfind("所有文件格式 (*.*)|*.*|", 0), 0u);
    EXPECT_EQ(Form1->OpenDialog2->Filter, Form1->OpenFilter);
    EXPECT_EQ(Form1->OpenDialog1->FilterIndex, 1);
    EXPECT_TRUE(Form1->OpenDialog2->MultiSelection);
    EXPECT_EQ(Form1->OpenFilter.find("Flac无损压缩音频格式\u3000(*.flac)|*.flac|") != std::string::npos, true);
}

TEST_F(MainWindowTest, CommandsOfAnEmptyListAreDisabledAtStart)
{
    Start();
    for (TbsSkinButton* b : {Form1->bsSkinButton7, Form1->bsSkinButton21, Form1->bsSkinButton8, Form1->bsSkinButton2,
                             Form1->bsSkinButton10, Form1->bsSkinButton11})
        EXPECT_FALSE(b->Enabled()) << b->Caption();
    for (TMenuItem* m : {Form1->N13, Form1->N14, Form1->N26, Form1->N7, Form1->N8, Form1->N10, Form1->N11})
        EXPECT_FALSE(m->Enabled()) << m->Caption();
    EXPECT_TRUE(Form1->bsSkinButton11->Visible());
    EXPECT_FALSE(Form1->bsSkinButton12->Visible());
    EXPECT_FALSE(Form1->bsSkinButton9->Visible());
    EXPECT_TRUE(Form1->bsSkinButton19->Enabled());
    EXPECT_EQ(GetFocus(), Form1->lvFiles->Handle()) << "the keyboard starts on the job list";
}

// The second capture command lies with the other commands off the screen and
// reaches the preview panel; with no picture shown it does nothing.
TEST_F(MainWindowTest, CaptureCommandSitsOffScreenAndReachesThePreview)
{
    Start();
    TButton* capture = Form1->Command("btnCapture");
    ASSERT_NE(capture, nullptr);
    EXPECT_EQ(capture->Caption(), "Capture");
    EXPECT_EQ(capture->Parent(), Form1->Panel3);
    EXPECT_GE(Form1->Panel3->Left(), Form1->ClientWidth());
    EXPECT_TRUE(bool(capture->OnClick)) << "bound by the preview panel";
    capture->Click();
    Pump();
    EXPECT_EQ(Screen->ActiveForm(), Form1) << "no save dialog without a picture";
}

TEST_F(MainWindowTest, StoredSkinIndexIsUsedWhenTheListHasIt)
{
    struct Case {
        const char* Stored;
        int Shown;
        const char* Kept;
    } cases[] = {{"3", 3, "3"}, {"9", 1, "9"}, {"x", 0, "0"}, {"Error", 0, "0"}, {"", 0, "0"}};
    for (const Case& c : cases) {
        WriteIni("OutPath", "OutPath", Home.File("out"));
        WriteIni("Skin", "SetSkin", c.Stored);
        Start();
        EXPECT_EQ(Form1->bsSkinData1->SkinIndex(), c.Shown) << c.Stored;
        EXPECT_EQ(Ini("Skin", "SetSkin"), c.Kept) << c.Stored;
        TearDown();
        SetUp();
    }
}

TEST_F(MainWindowTest, StoredOutputFolderIsCreatedAndNotRewritten)
{
    const std::string stored = Home.File("deep/er/out");
    WriteIni("OutPath", "OutPath", stored);
    Start();
    EXPECT_TRUE(DirectoryExists(stored));
    EXPECT_EQ(Form1->Video_OutPut_Folder_Edit->Text(), stored);
    EXPECT_EQ(Ini("OutPath", "OutPath"), stored);
}

TEST_F(MainWindowTest, OutputFolderErrorCountsAsAbsent)
{
    WriteIni("OutPath", "OutPath", "Error");
    Start();
    EXPECT_EQ(Ini("OutPath", "OutPath"), DefaultOutputFolder());
    EXPECT_EQ(Form1->FileOutPutPath, DefaultOutputFolder());
}

TEST(SettingsLocation, BesideTheProgramWhenWritableElseInTheConfigFolder)
{
    testmedia::TTempFolder program;
    const char* old = std::getenv(TSettingsFile::FolderVariable);
    const std::string saved = old ? old : "";
    unsetenv(TSettingsFile::FolderVariable);
    EXPECT_EQ(TSettingsFile::ChooseLocation(program.Path() + "/"), program.Path() + "/option.ini");
    // A folder nobody can write in, not even root.
    EXPECT_EQ(TSettingsFile::ChooseLocation("/proc/"), ConfigFolder() + "zarvompg/option.ini");
    setenv(TSettingsFile::FolderVariable, program.File("chosen").c_str(), 1);
    EXPECT_EQ(TSettingsFile::ChooseLocation("/proc/"), program.File("chosen") + "/option.ini");
    if (old)
        setenv(TSettingsFile::FolderVariable, saved.c_str(), 1);
    else
        unsetenv(TSettingsFile::FolderVariable);
}

TEST(SettingsFile, ErrorAndEmptyValuesCountAsAbsent)
{
    testmedia::TTempFolder folder;
    TSettingsFile file(folder.File("option.ini"));
    EXPECT_FALSE(file.Read("A", "k").has_value());
    for (const char* absent : {"Error", ""}) {
        file.Write("A", "k", absent);
        EXPECT_FALSE(file.Read("A", "k").has_value()) << absent;
    }
    file.Write("A", "k", "v");
    EXPECT_EQ(file.Read("A", "k"), "v");
}

} // namespace
} // namespace maintest
