#include "app/main/MainForm.h"

#include "app/about/AboutForm.h"
#include "app/jobs/JobPreset.h"
#include "app/main/MainFaces.h"
#include "app/main/MainOutputHost.h"
#include "app/main/MainPreviewHost.h"
#include "app/preview/PreviewPanel.h"
#include "app/main/OpenFilter.h"
#include "app/main/ProgramLinks.h"
#include "app/main/ProgramSkins.h"
#include "resources/skins/EmbeddedSkins.h"
#include "app/options/OptionsForm.h"
#include "app/output/SkinComboFaces.h"
#include "app/presets/PresetCascade.h"
#include "app/presets/PresetParameters.h"
#include "app/settings/SettingsFile.h"
#include "app/settings/StartupSettings.h"
#include "engine/log/Logger.h"
#include "engine/task/FFConverter.h"
#include "platform/core/Clock.h"
#include "platform/core/Path.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ListView.h"
#include "skin/boxes/SkinEdit.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Dialogs.h"
#include "skin/controls/SkinToolBar.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinSlider.h"
#include "skin/menus/SkinMenu.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/SkinPicker.h"
#include "skin/menus/SkinMainMenuBar.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinPanel.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FormFrame.h"

TForm1* Form1 = nullptr;

namespace {

// The client sizes of the main window, the about and the options dialogs
// again, after a skin change.
void FitProgramForms()
{
    if (Form1)
        FitClientSize(*Form1, TForm1::DesignWidth, TForm1::DesignHeight);
    if (Form2)
        FitClientSize(*Form2, TForm2::DesignWidth, TForm2::DesignHeight);
    if (Form5)
        FitClientSize(*Form5, TForm5::DesignWidth, TForm5::DesignHeight);
}

}   // namespace

TForm1::~TForm1()
{
    // The logic holds references to controls and faces: it goes first.
    FPreview.reset();
    if (TFFLogger* logger = GetFFLogger())
        logger->OnLog = nullptr;
    FJobs.reset();
    FPresetSource.reset();
    FCascade.reset();
}

TButton* TForm1::AddCommand(TPanel* APanel, const std::string& AName, const std::string& ACaption,
                            std::function<void()> AHandler)
{
    const int index = static_cast<int>(FCommands.size());
    TButton* b = new TButton(this);
    b->Loading();
    b->SetName(AName);
    b->SetParent(APanel);
    b->SetBounds(4 + (index % 2) * 96, 4 + (index / 2) * 28, 92, 25);
    b->SetCaption(ACaption);
    if (AHandler)
        b->OnClick = [AHandler](TObject*) { AHandler(); };
    FCommands.push_back(b);
    return b;
}

TButton* TForm1::Command(const std::string& AName) const
{
    for (TButton* b : FCommands)
        if (b->Name() == AName)
            return b;
    return nullptr;
}

void TForm1::SetGlyphFor(TbsSkinButton* AButton, bool AEnabled)
{
    struct TGlyphs {
        TbsSkinButton* Button;
        int On, Off;
    } glyphs[] = {{bsSkinButton7, 15, 14}, {bsSkinButton21, 16, 17}, {bsSkinButton8, 13, 12}, {bsSkinButton2, 5, 4},
                  {bsSkinButton10, 11, 10}, {bsSkinButton11, 7, 6},  {bsSkinButton12, 9, 8}};
    for (const TGlyphs& g : glyphs)
        if (g.Button == AButton) {
            AButton->SetGlyph(Images[AEnabled ? g.On : g.Off]->Picture().Bitmap());
            AButton->SetEnabled(AEnabled);
            if (AButton->Parent() == static_cast<TWinControl*>(bsSkinToolBar1))
                AButton->RefreshButton();
            return;
        }
    AButton->SetEnabled(AEnabled);
}

void TForm1::UpdateCommands()
{
    const TJobCommands c = FJobs->Commands();
    SetGlyphFor(bsSkinButton7, c.Remove);
    SetGlyphFor(bsSkinButton21, c.Rename);
    SetGlyphFor(bsSkinButton8, c.Clear);
    SetGlyphFor(bsSkinButton2, c.Start);
    SetGlyphFor(bsSkinButton10, c.Stop);
    SetGlyphFor(bsSkinButton11, c.Pause);
    SetGlyphFor(bsSkinButton12, c.Resume);
    const bool paused = FJobs->State() == TJobState::Paused;
    bsSkinButton11->SetVisible(!paused);
    bsSkinButton12->SetVisible(paused);
    N13->SetEnabled(c.Remove);
    N14->SetEnabled(c.Clear);
    N26->SetEnabled(c.Rename);
    N7->SetEnabled(c.Start);
    N8->SetEnabled(c.Stop);
    N10->SetEnabled(c.Pause);
    N11->SetEnabled(c.Resume);
    for (TbsSkinButton* b : {bsSkinButton3, bsSkinButton4})
        b->SetEnabled(c.Move);
    N111->SetEnabled(c.Move);
    N2221->SetEnabled(c.Move);
    bsSkinMenuSpeedButton1->SetEnabled(c.Add);
    for (TMenuItem* item : {Item111, Item121, N21})
        item->SetEnabled(c.Add);
    bsSkinButton5->SetEnabled(c.Settings);
    if (FCascade->Locked() == c.Settings)
        FCascade->SetLocked(!c.Settings);
}

void TForm1::Button16Click(TObject*)
{
    WriteOutputFolder(ProgramSettings(), FileOutPutPath);
    ReportSettingsFailures();
}

void TForm1::ReportSettingsFailures()
{
    const std::string report = ProgramSettings().TakeFailureReport();
    if (!report.empty())
        Faces().ShowMessage(report, ApplicationTitle, TMessageKind::Warning);
}

void TForm1::Button17Click(TObject*)
{
    FileOutPutPath = ReadOutputFolder(ProgramSettings());
    Video_OutPut_Folder_Edit->SetText(FileOutPutPath);
}

void TForm1::Button3Click(TObject*)
{
    if (std::optional<int> index = ReadSkinIndex(ProgramSettings()))
        bsSkinData1->SetSkinIndex(*index);
    FollowMainSkin();
    FitProgramForms();
}

// The tool bar's skin is light or dark as the main skin is.
void TForm1::FollowMainSkin()
{
    const int toolBar = ToolBarSkinFor(bsSkinData1->SkinIndex());
    if (bsSkinData2->SkinIndex() != toolBar)
        bsSkinData2->SetSkinIndex(toolBar);
}

void TForm1::Button4Click(TObject*)
{
    WriteSkinIndex(ProgramSettings(), bsSkinData1->SkinIndex());
    ReportSettingsFailures();
}

void TForm1::Button20Click(TObject*) { OpenQuietly(Video_OutPut_Folder_Edit->Text()); }

void TForm1::Button21Click(TObject*)
{
    OpenFilter = OpenDialogFilter();
    for (TbsSkinOpenDialog* d : {OpenDialog1, OpenDialog2}) {
        d->Filter = OpenFilter;
        d->FilterIndex = 1;
    }
}

void TForm1::ChooseOutputFolder()
{
    std::string folder = FileOutPutPath;
    if (FFaces->SelectOutputFolder(folder) && DirectoryExists(folder)) {
        FileOutPutPath = folder;
        Video_OutPut_Folder_Edit->SetText(folder);
        Command("Button16")->Click();
    }
    FListFace->FocusList();
}

void TForm1::ChooseSkin()
{
    int index = bsSkinData1->SkinIndex();
    if (SkinPicker && SkinPicker(index)) {
        bsSkinData1->SetSkinIndex(index);
        FollowMainSkin();
        FitProgramForms();
    }
    Command("Button4")->Click();
}

void TForm1::ShowOptions()
{
    if (Form5)
        Form5->Execute();
    ReportSettingsFailures();
}

void TForm1::ShowAbout()
{
    if (Form2)
        Form2->ShowModal();
}

void TForm1::RenameSelected(bool AQuiet)
{
    if (!FJobs->List().SelectedRow()) {
        if (!AQuiet)
            FJobs->Rename("", false);
        return;
    }
    std::string text = FJobs->RenameText();
    if (RenamePrompt) {
        if (RenamePrompt(text))
            FJobs->Rename(text, AQuiet);
        return;
    }
    // The editor sits over the row's output name (column 3).
    TListItem* item = lvFiles->Selected();
    if (!item)
        return;
    int left = 2;
    for (int c = 0; c < 3; ++c)
        left += lvFiles->Columns().Items(c)->Width();
    edt->SetBounds(left, item->Top(), lvFiles->Columns().Items(3)->Width(), 20);
    edt->SetText(text);
    edt->Show();
    edt->SetFocus();
    FRenameQuiet = AQuiet;
}

// Return and the focus leaving the editor take the name; an empty name keeps
// the editor shown. Escape leaves the name as it was.
void TForm1::FinishRename(bool AAccept)
{
    if (!edt->Visible() || FFinishingRename)
        return;
    if (AAccept && edt->Text().empty())
        return;
    FFinishingRename = true;
    edt->Hide();
    if (AAccept)
        FJobs->Rename(edt->Text(), FRenameQuiet);
    FFinishingRename = false;
    FListFace->FocusList();
}

void TForm1::FillScreens()
{
    cboScreens->Items().Clear();
    cboScreens->Items().Add("Panel6");
    for (int order = 0;; ++order) {
        TWinControl* found = nullptr;
        for (int i = 0; i < ControlCount() && !found; ++i)
            if (auto* w = dynamic_cast<TWinControl*>(Controls(i)); w && w->TabOrder() == order)
                found = w;
        if (!found)
            break;
        cboScreens->Items().Add(found->Name());
    }
    cboScreens->SetItemIndex(0);
}

void TForm1::FormCreate(TObject*)
{
    Command("Button15")->Click();
    Command("Button17")->Click();
    Command("Button21")->Click();
    Command("Button3")->Click();
    TPresetCascade::FillCategoryList(*FCategoryFace);
    Command("Button2")->Click();
    FillScreens();
    SavePictureDialog1->SetOptions(
        {ofOverwritePrompt, ofHideReadOnly, ofExtensionDifferent, ofPathMustExist, ofEnableSizing});
    SavePictureDialog1->SetFilter("Bitmaps (*.bmp)|*.bmp|JPEG Image File |*.jpg;*.jpeg");
    SavePictureDialog1->SetDefaultExt("bmp");
    bsSkinSlider1_down_UP = "UP";
    UpdateCommands();
}

bool TForm1::FormCloseQuery()
{
    if (OnClosing)
        OnClosing();
    if (TFFLogger* logger = GetFFLogger())
        logger->OnLog = nullptr;
    FJobs->Shutdown();
    return true;
}

bool TForm1::IsShortCut(TMessage& AKeyMsg)
{
    if (MainMenu1 && MainMenu1->IsShortCut(AKeyMsg))
        return true;
    return TForm::IsShortCut(AKeyMsg);
}

void TForm1::DoShow()
{
    FitClientSize(*this, DesignWidth, DesignHeight);
    TForm::DoShow();
}
