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

void TForm1::WireLogic()
{
    FConverter = std::make_unique<TFFConverter>(nullptr);
    FFaces = std::make_unique<TMainWindowFaces>();
    FFaces->Messages = std::make_unique<TSkinnedMessageBox>(bsSkinMessage1);
    FFaces->Dialogs = std::make_unique<TSkinnedDialogs>(*OpenDialog1, *OpenDialog2, *bsSkinSelectDirectoryDialog1,
                                                        *bsSkinSelectDirectoryDialog2);
    auto* categories = new TSkinPresetListCombo(*bsSkinOfficeComboBox2);
    auto* formats = new TSkinPresetListCombo(*bsSkinOfficeComboBox1);
    FCategoryFace.reset(categories);
    FFormatFace.reset(formats);
    TbsSkinComboBox* combos[] = {bsSkinComboBox1, bsSkinComboBox2, bsSkinComboBox9,
                           bsSkinComboBox3, bsSkinComboBox10, bsSkinComboBox4};
    std::array<TOptionComboModel*, OptionKindCount> options{};
    for (int i = 0; i < OptionKindCount; ++i) {
        FOptionFaces[i] = std::make_unique<TComboOptionFace<TbsSkinComboBox>>(*combos[i]);
        options[i] = FOptionFaces[i].get();
    }
    FCascade = std::make_unique<TPresetCascade>(*categories, *formats, options, Preset);
    FCascade->ApplyPresetParameters = [this](int AKey, TCurrentPreset& APreset, TPresetJobRow* ARow) {
        All_Trant_Number = AKey;
        ApplyPresetParameters(AKey, APreset);
        if (ARow) {
            const auto columns = PresetRowColumns(APreset);
            for (int i = 0; i < 14; ++i)
                ARow->SetSubItem(11 + i, columns[i]);
        }
    };
    FListFace = std::make_unique<TListViewJobFace>(*lvFiles, *bsSkinPanel5);
    FPresetSource = std::make_unique<TCascadePresetSource>(*FCascade, Preset);
    FJobs = std::make_unique<TJobControl>(*FConverter, *FListFace, *FPresetSource, *FFaces, *FFaces, *FFaces);
    FListFace->SetList(&FJobs->List());
    FShownRow = std::make_unique<TShownJobRow>(*FListFace);
    FCascade->SelectedRow = [this]() -> TPresetJobRow* {
        const int index = FJobs->List().Selected();
        return FShownRow->Show(index < 0 ? nullptr : &FJobs->List().Row(index), index);
    };
    FCascade->FocusJobList = [this] { FListFace->FocusList(); };
    FCascade->OnRowRestored = [this](TPresetJobRow& ARow) {
        T_Movie_PLayer_FileName = ARow.SubItem(0);
        if (FPreview)
            FPreview->SetMovieFileName(T_Movie_PLayer_FileName);
        // Opening stops the file before and serves messages meanwhile: a
        // selection that comes in then opens its file once this open is done.
        if (FOpeningPreview) {
            FPreviewPending = true;
            return;
        }
        FOpeningPreview = true;
        struct TDone {
            bool& Flag;
            ~TDone() { Flag = false; }
        } done{FOpeningPreview};
        do {
            FPreviewPending = false;
            Command("Button31")->Click();
        } while (FPreviewPending);
    };
    FJobs->Options = [this] {
        TJobOptions o;
        o.OutputFolder = Video_OutPut_Folder_Edit->Text();
        if (Form5) {
            o.Overwrite = Form5->OverwriteFiles();
            o.ThreadMode = Form5->ThreadMode();
            o.ThreadCount = Form5->ThreadCountText();
            o.Priority = Form5->Priority();
            o.AfterDone = Form5->AfterDone();
        }
        return o;
    };
    FJobs->OnLog = [this](const std::string& ALine) { mmoLog->Lines().Add(ALine); };
    FJobs->OnRowSelected = [this](int) {
        FCascade->SelectRow();
        Command("Button9")->Click();
    };
    FJobs->OnListEmptied = [this] {
        if (OnListEmptied)
            OnListEmptied();
    };
    FJobs->OnCommandsChanged = [this] { UpdateCommands(); };
    SkinPicker = [this](int& AIndex) {
        if (!bsSelectSkinDialog1->Execute(AIndex))
            return false;
        AIndex = bsSelectSkinDialog1->SelectedSkinIndex();
        return true;
    };
    if (TFFLogger* logger = GetFFLogger())
        logger->OnLog = [this](TObject*, TLogThreadID AThread, TLogLevel ALevel, const std::string& AMessage) {
            FJobs->EngineLog(static_cast<uint32_t>(AThread), static_cast<int>(ALevel), AMessage);
        };

    lvFiles->OnSelectItem = [this](TObject*, TListItem* AItem, bool ASelected) {
        if (FListFace->Selecting() || !AItem)
            return;
        if (ASelected)
            FJobs->SelectRow(AItem->Index());
        else if (!lvFiles->Selected())
            FJobs->List().SetSelected(-1);   // what the list shows is what the commands use
    };
    lvFiles->OnDblClick = [this](TObject*) { RenameSelected(true); };
    lvFiles->OnMouseMove = [this](TObject*, TShiftState, int X, int Y) {
        std::string hint;
        if (TListItem* top = lvFiles->TopItem())
            for (int i = top->Index(); i < lvFiles->Items().Count() && i <= top->Index() + lvFiles->VisibleRowCount(); ++i)
                if (lvFiles->Items()[i]->DisplayRect(drBounds).Contains(TPoint{X, Y}))
                    hint = lvFiles->Items()[i]->Caption();
        lvFiles->SetHint(hint);
    };
    edt->OnKeyDown = [this](TObject*, WORD& AKey, TShiftState) {
        if (AKey == VK_RETURN || AKey == VK_ESCAPE) {
            const bool accept = AKey == VK_RETURN;
            AKey = 0;
            FinishRename(accept);
        }
    };
    edt->OnExit = [this](TObject*) { FinishRename(true); };

    // The commands: plain buttons beyond the client area.
    auto jobs = [this](void (TJobControl::*AStep)()) { return [this, AStep] { (FJobs.get()->*AStep)(); }; };
    AddCommand(Panel1, "btnAdd", "Open添加一个文件", [this] {
        FJobs->AddFile();
        Command("Button9")->Click();
    });
    AddCommand(Panel1, "Button8", "打开多个文件", [this] {
        FJobs->AddFiles();
        Command("Button9")->Click();
    });
    AddCommand(Panel1, "Button12", "添加整个目录", [this] {
        FJobs->AddFolder();
        Command("Button9")->Click();
    });
    AddCommand(Panel1, "btnRemove", "Remove", jobs(&TJobControl::Remove));
    AddCommand(Panel1, "btnClear", "Clear", jobs(&TJobControl::Clear));
    // Each job keeps its own records from its add on, so no slot needs freeing.
    AddCommand(Panel1, "Button15", "初始化数值", nullptr);
    AddCommand(Panel1, "btnStart", "Start", [this] { FJobs->Start(); });
    // The engine's tasks are built from the rows at every start.
    AddCommand(Panel1, "button28", "新添加", nullptr);
    AddCommand(Panel1, "btnStop", "Stop", jobs(&TJobControl::Stop));
    AddCommand(Panel1, "btnPause", "Pause", jobs(&TJobControl::Pause));
    AddCommand(Panel1, "btnResume", "Resume", jobs(&TJobControl::Resume));
    AddCommand(Panel1, "Button22", "工作中设置为不能", [this] { FCascade->SetLocked(true); });
    AddCommand(Panel1, "Button23", "工作完成设置为能", [this] { FCascade->SetLocked(false); });
    AddCommand(Panel1, "Button25", "关机", [this] { FFaces->PowerOff(); });
    AddCommand(Panel1, "Button29", " 播放提示音", [this] { FFaces->PlayPromptSound(); });
    AddCommand(Panel1, "Button20", "转换后打开文件夹", [this] { Button20Click(this); });
    AddCommand(Panel3, "Button16", "写ini文件", [this] { Button16Click(this); });
    AddCommand(Panel3, "Button17", "读ini文件", [this] { Button17Click(this); });
    AddCommand(Panel3, "Button3", "读入皮肤ini", [this] { Button3Click(this); });
    AddCommand(Panel3, "Button4", "写入皮肤ini", [this] { Button4Click(this); });
    AddCommand(Panel3, "Button21", "OpenDialog1", [this] { Button21Click(this); });
    AddCommand(Panel3, "Button2", "添加combox", [this] { FCascade->RefillFormats(); });
    AddCommand(Panel3, "Button5", "根据combox添加数据", [this] {
        if (FCascade->ApplyPresetParameters)
            FCascade->ApplyPresetParameters(FCascade->CurrentKey(), Preset, nullptr);
    });
    AddCommand(Panel3, "Button6", "初始化数据", [this] { Preset.Reset(); });
    AddCommand(Panel3, "Button13", "确认预置选项数据", [this] { FCascade->ReadOptions(); });
    AddCommand(Panel3, "Button18", "根据combox添加预设选项", [this] { FCascade->FillOptionLists(); });
    AddCommand(Panel3, "Button31", "打开播放视频", nullptr);   // bound by the preview panel
    AddCommand(Panel3, "btnCapture", "Capture", nullptr);      // bound by the preview panel
    AddCommand(Panel3, "Button9", "播放视频", nullptr);
    AddCommand(Panel3, "Button11", "onchange用", nullptr);
    AddCommand(Panel3, "Button24", "刷新皮肤", nullptr);
    AddCommand(Panel3, "Button1", "help", [] { OpenHelpPage(); });
    AddCommand(Panel3, "Button14", "添加", nullptr);
    AddCommand(Panel3, "Button26", "Button26", [this] { ShowOptions(); });

    // The preview group's controls belong to the preview panel.
    TPreviewControls preview;
    preview.Panel6 = Panel6;
    preview.bsSkinSlider1 = bsSkinSlider1;
    preview.bsSkinButton13 = bsSkinButton13;
    preview.bsSkinButton14 = bsSkinButton14;
    preview.bsSkinButton15 = bsSkinButton15;
    preview.bsSkinButton16 = bsSkinButton16;
    preview.bsSkinButton20 = bsSkinButton20;
    preview.bsSkinButton22 = bsSkinButton22;
    preview.bsSkinButton23 = bsSkinButton23;
    preview.bsSkinPopupMenu2 = bsSkinPopupMenu2;
    preview.MenuItem1 = N27;
    preview.MenuItem2 = N28;
    preview.BMP1 = BMP1;
    preview.JPG1 = JPG1;
    preview.GIF1 = GIF1;
    preview.PNG1 = PNG1;
    preview.Button31 = Command("Button31");
    preview.btnCapture = Command("btnCapture");
    preview.cboScreens = cboScreens;
    preview.cboVideoDriver = cboVideoDriver;
    preview.cboAudioDriver = cboAudioDriver;
    preview.chkOpenPaused = chkOpenPaused;
    preview.chkStayOnTop = chkStayOnTop;
    preview.TrackBar2 = TrackBar2;
    preview.Label2 = Label2;
    preview.Label3 = Label3;
    preview.cboVideo = cboVideo;
    preview.cboAudio = cboAudio;
    preview.cboSubtitle = cboSubtitle;
    FPreviewHost = std::make_unique<TMainPreviewHost>(*this);
    FOutputHost = std::make_unique<TMainOutputHost>(*this);
    FPreview = std::make_unique<TPreviewPanel>(preview, *FPreviewHost);
    OnListEmptied = [this] { FPreview->StopPlayer(true); };
    // The preview stops with the conversion, and the engine's threads get a
    // second to let go of the files before the tasks are deleted.
    FJobs->OnEngineStopped = [this] {
        FPreview->StopPlayer();
        Sleep(1000);
    };
    OnClosing = [this] { FPreview->ClearEvents(); };
    lvFiles->OnClick = [this](TObject*) { FPreview->lvFilesClick(); };

    // The visible controls and menu items click the commands.
    auto click = [this](const char* AName) { return [this, AName](TObject*) { Command(AName)->Click(); }; };
    Item111->OnClick = N11111->OnClick = click("btnAdd");
    Item121->OnClick = N2222->OnClick = click("Button8");
    N21->OnClick = N3331->OnClick = click("Button12");
    N4->OnClick = [this](TObject*) { Close(); };
    bsSkinButton3->OnClick = N111->OnClick = [this](TObject*) { FJobs->MoveUp(); };
    bsSkinButton4->OnClick = N2221->OnClick = [this](TObject*) { FJobs->MoveDown(); };
    bsSkinButton7->OnClick = N13->OnClick = click("btnRemove");
    bsSkinButton8->OnClick = N14->OnClick = click("btnClear");
    bsSkinButton21->OnClick = N26->OnClick = [this](TObject*) { RenameSelected(false); };
    bsSkinButton2->OnClick = N7->OnClick = click("btnStart");
    bsSkinButton10->OnClick = N8->OnClick = click("btnStop");
    bsSkinButton11->OnClick = N10->OnClick = click("btnPause");
    bsSkinButton12->OnClick = N11->OnClick = click("btnResume");
    bsSkinButton19->OnClick = N24->OnClick = [this](TObject*) { ShowOptions(); };
    bsSkinButton9->OnClick = N23->OnClick = [this](TObject*) { ChooseSkin(); };
    N15->OnClick = [](TObject*) { OpenHelpPage(); };
    N19->OnClick = [](TObject*) { OpenHelpPage(); };
    N5->OnClick = [this](TObject*) { ShowAbout(); };
    bsSkinButton5->OnClick = [this](TObject*) { ChooseOutputFolder(); };
    bsSkinButton6->OnClick = [this](TObject*) {
        Command("Button20")->Click();
        FListFace->FocusList();
    };
    Video_OutPut_Folder_Edit->OnClick = [this](TObject*) { FListFace->FocusList(); };
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

TWinControl* TForm1::FindControlByName(const std::string& AName) const
{
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(Controls(i)); w && w->Name() == AName)
            return w;
    return nullptr;
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
