// The options and about dialogs, the skin choice, the output folder and the
// small commands, driven through the main window's buttons and menu items.
#include "MainFixture.h"

#include "app/main/ProgramLinks.h"
#include "engine/task/FFConverter.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/TabControl.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinCheckRadioBox.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FormFrame.h"

namespace maintest {
namespace {

// What the options dialog shows, in one record for comparing.
struct TShown {
    int Priority, Thread, AfterDone, Overwrite;
    bool Preview;
    bool operator==(const TShown&) const = default;
};

template <size_t N>
int Checked(const std::array<TbsSkinCheckRadioBox*, N>& ABoxes)
{
    for (size_t i = 0; i < N; ++i)
        if (ABoxes[i]->Checked())
            return int(i);
    return -1;
}

TShown Shown()
{
    return {Checked(Form5->PriorityBoxes), Form5->bsSkinComboBox2->ItemIndex(), Checked(Form5->AfterDoneBoxes),
            Checked(Form5->OverwriteBoxes), Form5->chkPreview->Checked()};
}

class OptionsTest : public MainWindowTest {
protected:
    // Opens the dialog with AOpen, clicks the boxes of AChoice (thread item
    // through the list) and leaves with AButton.
    void Choose(std::function<void()> AOpen, const TShown& AChoice, TbsSkinButton* (*AButton)())
    {
        WhenModal(Form5, [this, AChoice, AButton] {
            ClickOn(Form5->PriorityBoxes[AChoice.Priority]);
            Form5->bsSkinComboBox2->SetItemIndex(AChoice.Thread);
            Form5->bsSkinPageControl1->SetActivePageIndex(1);
            Pump();
            ClickOn(Form5->AfterDoneBoxes[AChoice.AfterDone]);
            ClickOn(Form5->OverwriteBoxes[AChoice.Overwrite]);
            Form5->bsSkinPageControl1->SetActivePageIndex(0);
            Pump();
            if (Form5->chkPreview->Checked() != AChoice.Preview)
                ClickOn(Form5->chkPreview);
            EXPECT_EQ(Shown(), AChoice);
            ClickOn(AButton());
        });
        AOpen();
        Pump();
        EXPECT_FALSE(Form5->Visible());
    }
};

TEST_F(OptionsTest, OkKeepsEveryChoiceInTheSettingsFile)
{
    Start();
    const TShown choice{1, 3, 2, 0, true};
    Choose([this] { ClickOn(Form1->bsSkinButton19); }, choice, [] { return Form5->bsSkinButton1; });
    EXPECT_EQ(Shown(), choice);
    EXPECT_EQ(Ini("Options", "Thread_Priority"), "1");
    EXPECT_EQ(Ini("Options", "Thread_Count"), "4");
    EXPECT_EQ(Ini("Options", "After_Done"), "2");
    EXPECT_EQ(Ini("Options", "Overwrite_File"), "0");
    EXPECT_EQ(Ini("Options", "Show_Preview"), "1");
    EXPECT_TRUE(Form1->FFConv().Preview());
    // What the job control reads at the moment of use.
    const TJobOptions o = Form1->Jobs().Options();
    EXPECT_EQ(o.Priority, tpLowest);
    EXPECT_EQ(o.ThreadCount, "4");
    EXPECT_EQ(o.AfterDone, TAfterDone::PlaySound);
    EXPECT_TRUE(o.Overwrite);

    // The next start shows the same.
    TearDown();
    SetUp();
    Start();
    EXPECT_EQ(Shown(), choice);
    EXPECT_TRUE(Form1->FFConv().Preview());
}

TEST_F(OptionsTest, CancelRestoresEveryControlAndWritesNothing)
{
    Start();
    const TShown before = Shown();
    const std::string file = Ini("Options", "Thread_Priority") + Ini("Options", "Show_Preview");
    Choose([] { Form1->N24->Click(); }, TShown{0, 18, 1, 0, true}, [] { return Form5->bsSkinButton2; });
    EXPECT_EQ(Shown(), before);
    EXPECT_FALSE(Form1->FFConv().Preview());   // the live-preview box acted at once and was undone
    EXPECT_EQ(Ini("Options", "Thread_Priority") + Ini("Options", "Show_Preview"), file);
    EXPECT_EQ(Form1->Jobs().Options().Priority, tpNormal);
}

TEST_F(OptionsTest, StoredValuesAreLoadedOrReplacedByDefaults)
{
    struct Case {
        const char* Key;
        const char* Stored;
        const char* Written;
        std::function<bool()> Shows;
    } cases[] = {
        {"After_Done", "7", "0", [] { return Form5->AfterDoneBoxes[0]->Checked(); }},
        {"After_Done", "3", "3", [] { return Form5->AfterDoneBoxes[3]->Checked(); }},
        {"Thread_Count", "4", "4", [] { return Form5->ThreadCountText() == "4"; }},
        {"Thread_Count", "0", "0", [] { return Form5->ThreadCountText() == "1"; }},
        {"Thread_Count", "abc", "0", [] { return Form5->ThreadCountText() == "1"; }},
        {"Thread_Priority", "0", "0", [] { return Form5->Priority() == tpIdle; }},
        {"Overwrite_File", "x", "1", [] { return !Form5->OverwriteFiles(); }},
        {"Show_Preview", "1", "1", [] { return Form5->LivePreview() && Form1->FFConv().Preview(); }},
    };
    for (const Case& c : cases) {
        WriteIni("OutPath", "OutPath", Home.File("out"));
        WriteIni("Options", c.Key, c.Stored);
        Start();
        EXPECT_TRUE(c.Shows()) << c.Key << "=" << c.Stored;
        EXPECT_EQ(Ini("Options", c.Key), c.Written) << c.Key << "=" << c.Stored;
        TearDown();
        SetUp();
    }
}

TEST_F(MainWindowTest, SkinChoiceReskinsEveryFormAndIsWritten)
{
    Start();
    auto before = Backend->CaptureWindow(Form1->Handle());
    int offered = -1;
    Form1->SkinPicker = [&](int& AIndex) {
        offered = AIndex;
        AIndex = 5;
        return true;
    };
    Form1->N23->Click();
    Pump();
    EXPECT_EQ(offered, 0);
    EXPECT_EQ(Form1->bsSkinData1->SkinIndex(), 5);
    EXPECT_EQ(Ini("Skin", "SetSkin"), "5");
    for (TForm* f : std::initializer_list<TForm*>{Form1, Form2, Form5}) {
        auto* frame = dynamic_cast<TbsFormFrame*>(f->FindComponent("bsBusinessSkinForm1"));
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(frame->SkinData(), Form1->bsSkinData1) << f->Name();
    }
    auto after = Backend->CaptureWindow(Form1->Handle());
    ASSERT_EQ(before->Width(), after->Width());
    int differing = 0;
    for (int y = 0; y < before->Height(); y += 4)
        for (int x = 0; x < before->Width(); x += 4)
            differing += before->GetPixel(x, y) != after->GetPixel(x, y);
    EXPECT_GT(differing, 1000);

    // A cancelled choice writes the index in use again.
    WriteIni("Skin", "SetSkin", "2");
    Form1->SkinPicker = [](int&) { return false; };
    Form1->N23->Click();
    EXPECT_EQ(Form1->bsSkinData1->SkinIndex(), 5);
    EXPECT_EQ(Ini("Skin", "SetSkin"), "5");

    // The next start shows it.
    TearDown();
    SetUp();
    WriteIni("Skin", "SetSkin", "5");
    Start();
    EXPECT_EQ(Form1->bsSkinData1->SkinIndex(), 5);
}

TEST_F(MainWindowTest, OutputFolderIsChosenAndWrittenOnlyOnOk)
{
    Start();
    const std::string first = Form1->FileOutPutPath;
    const std::string chosen = Home.File("chosen");
    ForceDirectories(chosen);

    // Cancelled, or a folder that does not exist: nothing changes.
    ClickOn(Form1->bsSkinButton5);
    Dialogs->Answers.push_back({Home.File("missing")});
    ClickOn(Form1->bsSkinButton5);
    EXPECT_EQ(Form1->FileOutPutPath, first);
    EXPECT_EQ(Ini("OutPath", "OutPath"), first);

    Dialogs->Answers.push_back({chosen});
    ClickOn(Form1->bsSkinButton5);
    EXPECT_EQ(Form1->FileOutPutPath, chosen);
    EXPECT_EQ(Form1->Video_OutPut_Folder_Edit->Text(), chosen);
    EXPECT_EQ(Ini("OutPath", "OutPath"), chosen);
    EXPECT_EQ(Form1->Jobs().Options().OutputFolder, chosen);
}

TEST_F(MainWindowTest, HelpAndFolderOpenThroughTheOpener)
{
    std::vector<std::string> opened;
    auto saved = DocumentOpener;
    DocumentOpener = [&](const std::string& ATarget) { opened.push_back(ATarget); };
    Start();
    ClickOn(Form1->bsSkinButton6);   // "打开"
    Form1->N19->Click();             // "官方网站"
    SetForegroundWindow(Form1->Handle());
    Backend->KeyPress(VK_F1);        // "帮助系统"
    Pump();
    DocumentOpener = saved;
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened[0], Form1->FileOutPutPath);
    EXPECT_EQ(opened[1], HelpPageFile());
    EXPECT_EQ(opened[2], HelpPageFile());
}

TEST_F(MainWindowTest, AboutDialogShowsNameVersionAndClosesOnOk)
{
    Start();
    bool shown = false;
    WhenModal(Form2, [&] {
        shown = Form2->Visible();
        EXPECT_EQ(Form2->Caption(), "关于软件");
        EXPECT_EQ(Form2->ClientWidth(), 338);
        EXPECT_EQ(Form2->ClientHeight(), 267);
        ClickOn(Form2->bsSkinButton1);
    });
    Form1->N5->Click();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Form2->Visible());
}

TEST_F(MainWindowTest, ExitClosesTheWindow)
{
    Start();
    bool asked = false;
    Form1->OnClosing = [&] { asked = true; };
    Form1->N4->Click();
    Pump();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(Application->Terminated() || !Form1->Visible());
}

} // namespace
} // namespace maintest
