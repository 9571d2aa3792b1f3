#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "engine/player/Player.h"

class TControl;
class TWinControl;
class TbsSkinCustomSlider;
class TPopupMenu;
class TMenuItem;
class TCustomComboBox;
class TCheckBox;
class TTrackBar;

// What the preview panel needs of the main window, as a narrow face: the
// main form implements it, tests give a recording fake.
class TPreviewHost {
public:
    virtual ~TPreviewHost() = default;
    // A row of the job list is selected.
    virtual bool HasSelectedRow() = 0;
    virtual void FocusJobList() = 0;
    // A line for the log memo.
    virtual void AddLog(const std::string& AText) = 0;
    // The caption of the main window's message boxes.
    virtual std::string ApplicationTitle() = 0;
    virtual void ShowWarning(const std::string& AText, const std::string& ACaption) = 0;
    // The settings file ("option.ini"): the snapshot settings are read from
    // it on every use.
    virtual std::string SettingsFileName() = 0;
    // The shared select-folder dialog, starting at AFolder: false when cancelled.
    virtual bool SelectFolder(const std::string& ATitle, std::string& AFolder) = 0;
    // Lets the desktop open a folder.
    virtual void OpenFolder(const std::string& AFolder) = 0;
    // The picture save dialog: false when cancelled.
    virtual bool SavePictureFileName(std::string& AFileName) = 0;
    // The main window's form style: stay on top or normal.
    virtual void SetStayOnTop(bool AStayOnTop) = 0;
    // The main window's direct windowed child of that name, or null.
    virtual TControl* FindControlByName(const std::string& AName) = 0;
};

// The controls of the group box "视频预览" and the player's settings on the
// off-screen command panel, made by the main form. The panel binds their
// handlers; any of the off-screen ones may be null, and then its start-up
// value counts (screen "Panel6", default drivers, open paused, not on top,
// volume 128). The controls must outlive the panel.
struct TPreviewControls {
    TWinControl* Panel6 = nullptr;  // the screen
    TbsSkinCustomSlider* bsSkinSlider1 = nullptr;
    TControl* bsSkinButton13 = nullptr;  // "播放"
    TControl* bsSkinButton14 = nullptr;  // "暂停"
    TControl* bsSkinButton15 = nullptr;  // "停止"
    TControl* bsSkinButton16 = nullptr;  // "静音", shown while the sound is on
    TControl* bsSkinButton20 = nullptr;  // "静音", shown while muted
    TControl* bsSkinButton22 = nullptr;  // "快照"
    TControl* bsSkinButton23 = nullptr;  // "设置": pops up bsSkinPopupMenu2
    TPopupMenu* bsSkinPopupMenu2 = nullptr;
    TMenuItem* MenuItem1 = nullptr;  // "打开快照目录"
    TMenuItem* MenuItem2 = nullptr;  // "设置快照目录"
    TMenuItem* BMP1 = nullptr;       // "BMP文件"
    TMenuItem* JPG1 = nullptr;       // "JPG文件"
    TMenuItem* GIF1 = nullptr;       // "GIF文件"
    TMenuItem* PNG1 = nullptr;       // "PNG文件"

    TControl* Button31 = nullptr;    // "打开播放视频"
    TControl* btnCapture = nullptr;  // "Capture"
    TCustomComboBox* cboScreens = nullptr;
    TCustomComboBox* cboVideoDriver = nullptr;
    TCustomComboBox* cboAudioDriver = nullptr;
    TCheckBox* chkOpenPaused = nullptr;
    TCheckBox* chkStayOnTop = nullptr;
    TTrackBar* TrackBar2 = nullptr;  // volume
    TControl* Label2 = nullptr;      // duration
    TControl* Label3 = nullptr;      // position
    TCustomComboBox* cboVideo = nullptr;
    TCustomComboBox* cboAudio = nullptr;
    TCustomComboBox* cboSubtitle = nullptr;
};

// The main window's preview player: plays the selected row's file in the
// screen panel, drives it from the buttons and the seek slider, and saves
// the shown picture as a numbered snapshot. Owns the player; lives on the
// main thread, where the player delivers its events.
class TPreviewPanel {
public:
    TPreviewPanel(const TPreviewControls& AControls, TPreviewHost& AHost);
    // Closes the file and unbinds every handler it set.
    ~TPreviewPanel();

    TFFPlayer& FFPlayer() { return *FPlayer; }

    // The file to play; the row selection and the add commands set it, then
    // click Button31.
    const std::string& MovieFileName() const { return FMovieFileName; }
    void SetMovieFileName(const std::string& AFileName) { FMovieFileName = AFileName; }

    // The snapshot folder when the settings file names none.
    static std::string DefaultSnapshotFolder();
    // The library folder handed to LoadAVLib; by default the program's
    // folder followed by "LibAV".
    void SetLibraryPath(const std::string& APath) { FLibraryPath = APath; }

    // Handlers, bound to their controls; public for the main window's
    // commands and for tests.
    void Button31Click();           // open MovieFileName in Panel6
    void bsSkinButton13Click();     // play
    void bsSkinButton14Click();     // pause
    void bsSkinButton15Click();     // stop: reopen at the start, paused
    void bsSkinButton16Click();     // mute
    void bsSkinButton20Click();     // sound on
    void bsSkinSlider1MouseDown();  // hold the slider: pause
    void bsSkinSlider1MouseUp();    // let go: seek there and resume
    void TrackBar2Change();
    void bsSkinButton22Click();  // snapshot
    void bsSkinButton23Click();  // tick the stored picture type
    void MenuItem1Click();       // open the snapshot folder
    void MenuItem2Click();       // choose the snapshot folder
    void PictureTypeClick(const std::string& AType);  // "BMP", "JPG", "GIF" or "PNG"
    void btnCaptureClick();      // save the shown picture through the save dialog

    // A click on the job list: closes the file when no row is selected.
    void lvFilesClick();
    // Other commands close the file (stop, clearing the list, removing the
    // last row); AResetSlider also puts the slider back to 0.
    void StopPlayer(bool AResetSlider = false);
    // The main window moved (WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED).
    void FollowWindowPos();
    // The main window closes: no more events reach it.
    void ClearEvents();

    // "Down" while the seek slider is held, "UP" otherwise.
    const std::string& SliderState() const { return FSliderState; }
    int64_t Duration() const { return FDuration; }

    // The next free snapshot name in AFolder for ABaseName and AExtension
    // (".bmp" …): base_1, base_2, …, the first that does not exist.
    static std::string NextSnapshotName(const std::string& AFolder, const std::string& ABaseName,
                                        const std::string& AExtension);

private:
    void BindHandlers();
    void UnbindHandlers();
    void FFPlayerFileOpen(int64_t ADuration, int AFrameWidth, int AFrameHeight, int& AScreenWidth,
                          int& AScreenHeight);
    void FFPlayerPosition(int64_t APTS);
    void FFPlayerState(TPlayState AState);
    void FillStreamLists();
    std::string SnapshotFolder();
    std::string PictureType();
    void TickPictureType(const std::string& AType);
    bool OpenPaused() const;

    TPreviewControls FControls;
    TPreviewHost& FHost;
    std::unique_ptr<TFFPlayer> FPlayer;
    std::string FMovieFileName;   // T_Movie_PLayer_FileName
    std::string FLibraryPath;
    int64_t FDuration = 0;
    TControl* FScreenControl = nullptr;
    bool FTrackChanging = false;
    std::string FSliderState = "UP";
};
