#include "app/main/MainForm.h"

#include "app/jobs/JobPreset.h"
#include "app/main/MainFaces.h"
#include "app/main/MainOutputHost.h"
#include "app/main/MainPreviewHost.h"
#include "app/main/ProgramLinks.h"
#include "app/options/OptionsForm.h"
#include "app/output/SkinComboFaces.h"
#include "app/preview/PreviewPanel.h"
#include "app/presets/PresetCascade.h"
#include "app/presets/PresetParameters.h"
#include "engine/log/Logger.h"
#include "engine/task/FFConverter.h"
#include "platform/core/Clock.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/controls/Memo.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/forms/Dialogs.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinPanel.h"
#include "skin/controls/SkinSlider.h"
#include "skin/dialogs/OpenDialog.h"
#include "skin/dialogs/SkinPicker.h"
#include "skin/menus/SkinMenu.h"

// The window's logic, made once its controls are built: the faces the job
// control and the preset cascade reach the controls through, the job
// control, the commands, the preview panel, and the visible controls that
// click the commands.
void TForm1::WireLogic()
{
    MakeFaces();
    MakeCascade();
    MakeJobControl();
    LinkCascadeToJobs();
    WireJobControl();
    WireJobListEvents();
    AddCommands();
    MakePreview();
    WireVisibleControls();
}

// The engine, the message boxes and dialogs, and the faces of the preset lists
// and option combos.
void TForm1::MakeFaces()
{
    FConverter = std::make_unique<TFFConverter>(nullptr);
    FFaces = std::make_unique<TMainWindowFaces>();
    FFaces->Messages = std::make_unique<TSkinnedMessageBox>(bsSkinMessage1);
    FFaces->Dialogs = std::make_unique<TSkinnedDialogs>(*OpenDialog1, *OpenDialog2, *bsSkinSelectDirectoryDialog1,
                                                        *bsSkinSelectDirectoryDialog2);
    FCategoryFace = std::make_unique<TSkinPresetListCombo>(*bsSkinOfficeComboBox2);
    FFormatFace = std::make_unique<TSkinPresetListCombo>(*bsSkinOfficeComboBox1);
    TbsSkinComboBox* combos[] = {bsSkinComboBox1, bsSkinComboBox2,  bsSkinComboBox9,
                                 bsSkinComboBox3, bsSkinComboBox10, bsSkinComboBox4};
    for (int i = 0; i < OptionKindCount; ++i)
        FOptionFaces[i] = std::make_unique<TComboOptionFace<TbsSkinComboBox>>(*combos[i]);
}

// Choosing a preset applies its parameters, and to a selected row its columns.
void TForm1::MakeCascade()
{
    std::array<TOptionComboModel*, OptionKindCount> options{};
    for (int i = 0; i < OptionKindCount; ++i)
        options[i] = FOptionFaces[i].get();
    FCascade = std::make_unique<TPresetCascade>(*FCategoryFace, *FFormatFace, options, Preset);
    FCascade->ApplyPresetParameters = [this](int AKey, TCurrentPreset& APreset, TPresetJobRow* ARow) {
        All_Trant_Number = AKey;
        ApplyPresetParameters(AKey, APreset);
        if (ARow) {
            const auto columns = PresetRowColumns(APreset);
            for (int i = 0; i < 14; ++i)
                ARow->SetSubItem(11 + i, columns[i]);
        }
    };
}

void TForm1::MakeJobControl()
{
    FListFace = std::make_unique<TListViewJobFace>(*lvFiles, *bsSkinPanel5);
    FPresetSource = std::make_unique<TCascadePresetSource>(*FCascade, Preset);
    FJobs = std::make_unique<TJobControl>(*FConverter, *FListFace, *FPresetSource, *FFaces, *FFaces, *FFaces);
    FListFace->SetList(&FJobs->List());
    FShownRow = std::make_unique<TShownJobRow>(*FListFace);
    // The output settings dialog checks its names against the jobs' outputs.
    FOutputHost = std::make_unique<TMainOutputHost>(
        TMainOutputParts{Preset, All_Trant_Number, *Video_OutPut_Folder_Edit, FJobs->List()});
}

// The cascade shows the selected row, and a restored row opens in the preview.
void TForm1::LinkCascadeToJobs()
{
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
}

// The job control reads the options dialog and reports to the window; the
// engine's log goes through it.
void TForm1::WireJobControl()
{
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
    if (TFFLogger* logger = GetFFLogger())
        logger->OnLog = [this](TObject*, TLogThreadID AThread, TLogLevel ALevel, const std::string& AMessage) {
            FJobs->EngineLog(static_cast<uint32_t>(AThread), static_cast<int>(ALevel), AMessage);
        };
}

// Selecting, double-clicking and hovering over the job list; the rename editor.
void TForm1::WireJobListEvents()
{
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
}

// The commands: plain buttons beyond the client area.
void TForm1::AddCommands()
{
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
}

// The preview group's controls belong to the preview panel.
void TForm1::MakePreview()
{
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
    FPreviewHost = std::make_unique<TMainPreviewHost>(
        TMainPreviewParts{*this, FJobs->List(), *lvFiles, *mmoLog, *FFaces, *SavePictureDialog1});
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
}

// The visible controls and menu items click the commands; the skin button
// opens the skin picker.
void TForm1::WireVisibleControls()
{
    SkinPicker = [this](int& AIndex) {
        if (!bsSelectSkinDialog1->Execute(AIndex))
            return false;
        AIndex = bsSelectSkinDialog1->SelectedSkinIndex();
        return true;
    };
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
