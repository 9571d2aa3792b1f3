#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/preview/PreviewPanel.h"
#include "platform/ui/HeadlessBackend.h"
#include "tests/media/SampleMedia.h"
#include "tests/media/TempFolder.h"

class TForm;
class TPanel;
class TbsSkinSlider;
class TbsSkinButton;
class TbsSkinPopupMenu;
class TComboBox;
class TLabel;
class TButton;

// The main window as the preview panel sees it: every call recorded.
class TRecordingPreviewHost : public TPreviewHost {
public:
    bool RowSelected = true;
    std::string SettingsFile;
    std::vector<std::string> Log;
    std::vector<std::string> Warnings;  // "caption: text"
    std::vector<std::string> OpenedFolders;
    int Focused = 0;
    std::vector<bool> StayOnTop;
    // Answers of the dialogs: a name, or a cancel when empty.
    std::string ChosenFolder, ChosenPicture;
    int FolderDialogs = 0;

    bool HasSelectedRow() override { return RowSelected; }
    void FocusJobList() override { ++Focused; }
    void AddLog(const std::string& AText) override { Log.push_back(AText); }
    std::string ApplicationTitle() override { return "ZarvoMPG格式转换器"; }
    void ShowWarning(const std::string& AText, const std::string& ACaption) override {
        Warnings.push_back(ACaption + ": " + AText);
    }
    std::string SettingsFileName() override { return SettingsFile; }
    bool SelectFolder(const std::string&, std::string& AFolder) override;
    void OpenFolder(const std::string& AFolder) override { OpenedFolders.push_back(AFolder); }
    bool SavePictureFileName(std::string& AFileName) override;
    void SetStayOnTop(bool AStayOnTop) override { StayOnTop.push_back(AStayOnTop); }
    TControl* FindControlByName(const std::string&) override { return nullptr; }

    int Count(const std::string& ALine) const;
    // The log as one text, for failure messages.
    std::string LogText() const;
};

// A headless form holding the preview group's controls and the player's
// off-screen settings, with the panel bound to them; HOME and the settings
// file lie in a temporary folder.
class PreviewPanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static const testmedia::TSample& Sample(testmedia::TSampleKind AKind);

    void Pump();
    // Serves the main thread until the condition holds; false after the time-out.
    bool WaitFor(const std::function<bool()>& ACondition, int ATimeoutMs = 10000);
    // Waits for the log to hold ACount lines of a state name.
    bool WaitForLog(const std::string& ALine, int ACount = 1, int ATimeoutMs = 10000);
    // Selects a row of this file: what the row selection does.
    void SelectFile(const std::string& AFileName);
    void Click(TControl* AControl, int AX = 5, int AY = 5);
    // The frame number the shown picture spells (-1: none).
    int ShownFrame();
    // The frame shown once the player settled; fails the test when it still
    // moves on (the player is meant to be paused).
    int HeldFrame();
    // The screen's pixel as the form shows it.
    TColor ScreenPixel(int AX, int AY);

    testmedia::TTempFolder Temp;
    std::string SavedHome;
    THeadlessBackend* Backend = nullptr;
    TForm* Form = nullptr;
    TPreviewControls Controls;
    TPanel* Panel6 = nullptr;
    TbsSkinSlider* Slider = nullptr;
    TbsSkinPopupMenu* Menu = nullptr;
    TComboBox* Screens = nullptr;
    TRecordingPreviewHost Host;
    std::unique_ptr<TPreviewPanel> Panel;
};
