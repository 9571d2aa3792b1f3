#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/jobs/JobControl.h"
#include "app/presets/ComboModels.h"
#include "app/presets/CurrentPreset.h"
#include "platform/ui/forms/Forms.h"

class TbsCompressedSkinList;
class TbsFormFrame;
class TbsSkinButton;
class TbsSkinEdit;
class TbsSkinData;
class TbsResourceStrData;
class TbsSkinComboBox;
class TbsSkinOfficeComboBox;
class TbsSelectSkinDialog;
class TbsSkinOpenDialog;
class TbsSkinSavePictureDialog;
class TbsSkinMessage;
class TbsSkinSelectDirectoryDialog;
class TImageList;
class TbsSkinMainMenu;
class TbsSkinMainMenuBar;
class TbsSkinPageControl;
class TbsSkinTabSheet;
class TbsSkinGroupBox;
class TbsSkinListView;
class TbsSkinMenuSpeedButton;
class TbsSkinPanel;
class TbsSkinScrollBar;
class TbsSkinPopupMenu;
class TbsSkinSlider;
class TbsSkinSpeedButton;
class TbsSkinStdLabel;
class TbsSkinToolBar;
class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TFFConverter;
class TImage;
class TLabel;
class TListBox;
class TMainMenu;
class TMemo;
class TMenuItem;
class TPageControl;
class TPanel;
class TPresetCascade;
class TSavePictureDialog;
class TTabSheet;
class TTrackBar;
class TCascadePresetSource;
class TMainWindowFaces;
class TListViewJobFace;
class TShownJobRow;
class TMainPreviewHost;
class TPreviewPanel;
class TMainOutputHost;

// The main window "ZarvoMPG格式转换器": menu bar, tool bar, the preview group
// beside the job list, and the pages "常规设置" and "音视频高级设置". The work
// is done by commands, plain buttons on panels beyond the client area; the
// visible controls and menu items click them. The job list and conversion
// (TJobControl) and the preset cascade (TPresetCascade) reach the controls
// through the faces of TMainWindowFaces.
class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* AOwner);
    static constexpr int DesignWidth = 839, DesignHeight = 527;
    ~TForm1() override;

    // ---- state ----
    std::string FileOutPutPath;
    int All_Trant_Number = 0;
    std::string bsSkinSlider1_down_UP;
    std::string T_Movie_PLayer_FileName;
    TCurrentPreset Preset;

    TJobControl& Jobs() { return *FJobs; }
    TPresetCascade& Cascade() { return *FCascade; }
    TFFConverter& FFConv() { return *FConverter; }
    TMainWindowFaces& Faces() { return *FFaces; }
    TPreviewPanel& Preview() { return *FPreview; }
    TMainOutputHost& OutputHost() { return *FOutputHost; }

    // The first direct windowed child with that component name, or nullptr.
    TWinControl* FindControlByName(const std::string& AName) const;
    // Enables the visible controls from the job control's commands.
    void UpdateCommands();

    // ---- skin containers ----
    TbsFormFrame* bsBusinessSkinForm1 = nullptr;
    TbsCompressedSkinList* bsCompressedSkinList1 = nullptr;
    TbsCompressedSkinList* bsCompressedSkinList2 = nullptr;
    TbsSkinData* bsSkinData1 = nullptr;
    TbsSkinData* bsSkinData2 = nullptr;
    TbsResourceStrData* bsResourceStrData1 = nullptr;   // the skin layer's texts, in Chinese

    // ---- menus ----
    TbsSkinMainMenu* MainMenu1 = nullptr;
    TMenuItem *N1 = nullptr, *Item111 = nullptr, *Item121 = nullptr, *N21 = nullptr, *N4 = nullptr;
    TMenuItem *N6 = nullptr, *N111 = nullptr, *N2221 = nullptr, *N13 = nullptr, *N14 = nullptr, *N26 = nullptr;
    TMenuItem *N9 = nullptr, *N7 = nullptr, *N8 = nullptr, *N10 = nullptr, *N11 = nullptr;
    TMenuItem *N22 = nullptr, *N24 = nullptr, *N23 = nullptr;
    TMenuItem *N3 = nullptr, *N15 = nullptr, *N19 = nullptr, *N5 = nullptr;
    TbsSkinPopupMenu* bsSkinPopupMenu1 = nullptr;
    TMenuItem *N11111 = nullptr, *N2222 = nullptr, *N3331 = nullptr;
    TbsSkinPopupMenu* bsSkinPopupMenu2 = nullptr;
    TMenuItem *N27 = nullptr, *N28 = nullptr, *N30 = nullptr;
    TMenuItem *BMP1 = nullptr, *JPG1 = nullptr, *GIF1 = nullptr, *PNG1 = nullptr;

    // ---- the menu bar ----
    TbsSkinMainMenuBar* bsSkinMainMenuBar1 = nullptr;

    // ---- tool bar ----
    TbsSkinToolBar* bsSkinToolBar1 = nullptr;
    TbsSkinMenuSpeedButton* bsSkinMenuSpeedButton1 = nullptr;   // "添加"
    TbsSkinButton* bsSkinButton2 = nullptr;    // "开始"
    TbsSkinButton* bsSkinButton10 = nullptr;   // "停止"
    TbsSkinButton* bsSkinButton11 = nullptr;   // "暂停"
    TbsSkinButton* bsSkinButton12 = nullptr;   // "继续"
    TbsSkinButton* bsSkinButton19 = nullptr;   // "选项"
    TbsSkinButton* bsSkinButton9 = nullptr;    // "皮肤" (hidden)

    // ---- preview group ----
    TbsSkinGroupBox* bsSkinGroupBox1 = nullptr;   // "视频预览"
    TPanel* Panel6 = nullptr;
    TbsSkinSlider* bsSkinSlider1 = nullptr;
    TbsSkinButton* bsSkinButton13 = nullptr;   // "播放"
    TbsSkinButton* bsSkinButton14 = nullptr;   // "暂停"
    TbsSkinButton* bsSkinButton15 = nullptr;   // "停止"
    TbsSkinButton* bsSkinButton16 = nullptr;   // "静音", sound on
    TbsSkinButton* bsSkinButton20 = nullptr;   // "静音", muted
    TbsSkinButton* bsSkinButton22 = nullptr;   // "快照"
    TbsSkinButton* bsSkinButton23 = nullptr;   // "设置"

    // ---- job list panel ----
    TbsSkinPanel* bsSkinPanel1 = nullptr;
    TbsSkinPanel* bsSkinPanel2 = nullptr;           // holds the list and its bars
    TbsSkinScrollBar* bsSkinScrollBar1 = nullptr;   // the list's vertical bar
    TbsSkinScrollBar* bsSkinScrollBar2 = nullptr;   // the list's horizontal bar
    TbsSkinListView* lvFiles = nullptr;
    TbsSkinPanel* bsSkinPanel5 = nullptr;   // covers the empty list
    TbsSkinStdLabel* bsSkinStdLabel5 = nullptr;
    TbsSkinButton* bsSkinButton3 = nullptr;    // "上移"
    TbsSkinButton* bsSkinButton4 = nullptr;    // "下移"
    TbsSkinButton* bsSkinButton21 = nullptr;   // "重命名"
    TbsSkinButton* bsSkinButton7 = nullptr;    // "删除"
    TbsSkinButton* bsSkinButton8 = nullptr;    // "清空"
    TEdit* edt = nullptr;                      // the rename editor

    // ---- setting pages ----
    TbsSkinPageControl* bsSkinPageControl1 = nullptr;
    TbsSkinTabSheet* bsSkinTabSheet1 = nullptr;   // "常规设置"
    TbsSkinStdLabel* bsSkinStdLabel1 = nullptr;
    TImageList* ImageList1 = nullptr;   // category pictures, 48 x 48
    TImageList* ImageList2 = nullptr;   // format pictures, 32 x 32
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox2 = nullptr;   // categories
    TbsSkinStdLabel* bsSkinStdLabel2 = nullptr;
    TbsSkinOfficeComboBox* bsSkinOfficeComboBox1 = nullptr;   // formats
    TbsSkinStdLabel* bsSkinStdLabel3 = nullptr;
    TbsSkinEdit* Video_OutPut_Folder_Edit = nullptr;
    TbsSkinButton* bsSkinButton5 = nullptr;   // "浏览"
    TbsSkinButton* bsSkinButton6 = nullptr;   // "打开"
    TbsSkinTabSheet* bsSkinTabSheet2 = nullptr;   // "音视频高级设置"
    std::array<TbsSkinStdLabel*, 6> OptionLabels{};
    // In fill order: frame size, video bit rate, frame rate, audio bit rate, sample rate, aspect.
    TbsSkinComboBox* bsSkinComboBox1 = nullptr;
    TbsSkinComboBox* bsSkinComboBox2 = nullptr;
    TbsSkinComboBox* bsSkinComboBox9 = nullptr;
    TbsSkinComboBox* bsSkinComboBox3 = nullptr;
    TbsSkinComboBox* bsSkinComboBox10 = nullptr;
    TbsSkinComboBox* bsSkinComboBox4 = nullptr;

    // ---- off-screen panels: commands, picture holders, log, player settings ----
    TPanel* Panel1 = nullptr;
    TPanel* Panel3 = nullptr;
    TPanel* Panel5 = nullptr;
    TMemo* mmoLog = nullptr;
    TListBox* ListBox1 = nullptr;
    TCheckBox* chkThreadMode = nullptr;
    std::array<TImage*, 18> Images{};   // Image4 .. Image17 at their numbers
    TComboBox* cboScreens = nullptr;
    TComboBox* cboVideoDriver = nullptr;
    TComboBox* cboAudioDriver = nullptr;
    TCheckBox* chkOpenPaused = nullptr;
    TCheckBox* chkStayOnTop = nullptr;
    TTrackBar* TrackBar2 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TComboBox* cboVideo = nullptr;
    TComboBox* cboAudio = nullptr;
    TComboBox* cboSubtitle = nullptr;
    TSavePictureDialog* SavePictureDialog1 = nullptr;
    TbsSelectSkinDialog* bsSelectSkinDialog1 = nullptr;
    TbsSkinOpenDialog* OpenDialog1 = nullptr;   // one file
    TbsSkinOpenDialog* OpenDialog2 = nullptr;   // several files
    TbsSkinOpenDialog* bsSkinOpenDialog1 = nullptr;   // kept with its own settings, not shown
    TbsSkinSavePictureDialog* bsSkinSavePictureDialog1 = nullptr;   // kept with its own settings, not shown
    TbsSkinMessage* bsSkinMessage1 = nullptr;   // every message box of the window
    TImageList* ImageList3 = nullptr;   // tool pictures of the tool bar
    TbsSkinSelectDirectoryDialog* bsSkinSelectDirectoryDialog1 = nullptr;   // the folder to add
    TbsSkinSelectDirectoryDialog* bsSkinSelectDirectoryDialog2 = nullptr;   // the output folder

    // Commands by name ("btnAdd", "Button17", ...).
    TButton* Command(const std::string& AName) const;

    // ---- command handlers of this window ----
    void Button16Click(TObject* Sender);   // write the output folder
    void Button17Click(TObject* Sender);   // read the output folder
    void Button3Click(TObject* Sender);    // read the skin index
    void Button4Click(TObject* Sender);    // write the skin index
    void Button20Click(TObject* Sender);   // open the output folder
    void Button21Click(TObject* Sender);   // the open dialogs' filters
    void ChooseOutputFolder();             // "浏览"
    void ChooseSkin();                     // "软件皮肤"
    // Tells the user once which settings the last action could not save, and why.
    void ReportSettingsFailures();
    void FollowMainSkin();
    void ShowOptions();                    // "选项", "转换设置"
    void ShowAbout();                      // "关于软件"
    void RenameSelected(bool AQuiet);      // "重命名", double click

    // ---- seams to parts built elsewhere ----
    // The list became empty: the preview stops.
    std::function<void()> OnListEmptied;
    // The window closes: the player's events are detached.
    std::function<void()> OnClosing;
    // The skin picker: starts at the index, true with the chosen one on OK.
    std::function<bool(int& AIndex)> SkinPicker;
    // The rename editor: starts with the text, true with the new one on OK.
    std::function<bool(std::string& AText)> RenamePrompt;

    // The filter of the open dialogs, and the title.
    std::string OpenFilter;
    static constexpr const char* OpenTitle = "打开文件";

protected:
    void DoShow() override;
    bool IsShortCut(TMessage& AKeyMsg) override;

private:
    void BuildMenus();
    void BuildToolBar();
    void BuildPreviewGroup();
    void BuildJobPanel();
    void BuildPages();
    void BuildOffScreenPanels();
    void WireLogic();
    TButton* AddCommand(TPanel* APanel, const std::string& AName, const std::string& ACaption,
                        std::function<void()> AHandler);
    void SetGlyphFor(TbsSkinButton* AButton, bool AEnabled);
    void FormCreate(TObject* Sender);
    bool FormCloseQuery();
    void FillScreens();
    void FinishRename(bool AAccept);

    std::unique_ptr<TFFConverter> FConverter;
    std::unique_ptr<TMainWindowFaces> FFaces;
    std::unique_ptr<TPresetListComboModel> FCategoryFace;
    std::unique_ptr<TPresetListComboModel> FFormatFace;
    std::array<std::unique_ptr<TOptionComboModel>, 6> FOptionFaces;
    std::unique_ptr<TListViewJobFace> FListFace;
    std::unique_ptr<TPresetCascade> FCascade;
    std::unique_ptr<TCascadePresetSource> FPresetSource;
    std::unique_ptr<TJobControl> FJobs;
    std::unique_ptr<TMainPreviewHost> FPreviewHost;
    std::unique_ptr<TPreviewPanel> FPreview;
    std::unique_ptr<TMainOutputHost> FOutputHost;
    std::vector<TButton*> FCommands;
    bool FRenameQuiet = false;
    bool FFinishingRename = false;
    bool FOpeningPreview = false;   // the preview opens a row's file
    bool FPreviewPending = false;   // another row was selected meanwhile
    std::unique_ptr<TShownJobRow> FShownRow;   // the selected row as the preset cascade writes it
};

extern TForm1* Form1;
