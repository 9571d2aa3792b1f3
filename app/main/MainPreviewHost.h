#pragma once
#include <string>

#include "app/preview/PreviewPanel.h"

class TForm;
class TJobList;
class TMainWindowFaces;
class TMemo;
class TSavePictureDialog;
class TbsSkinListView;

// The parts of the main window the preview panel reaches, and no more.
struct TMainPreviewParts {
    TForm& Form;   // its style, and its direct children as the player's screens
    const TJobList& Jobs;
    TbsSkinListView& JobList;
    TMemo& Log;
    TMainWindowFaces& Faces;
    TSavePictureDialog& SavePicture;
};

// What the preview panel reaches of the main window.
class TMainPreviewHost : public TPreviewHost {
public:
    explicit TMainPreviewHost(const TMainPreviewParts& AParts) : FParts(AParts) {}
    bool HasSelectedRow() override;
    void FocusJobList() override;
    void AddLog(const std::string& AText) override;
    std::string ApplicationTitle() override;
    void ShowWarning(const std::string& AText, const std::string& ACaption) override;
    std::string SettingsFileName() override;
    bool SelectFolder(const std::string& ATitle, std::string& AFolder) override;
    void OpenFolder(const std::string& AFolder) override;
    bool SavePictureFileName(std::string& AFileName) override;
    void SetStayOnTop(bool AStayOnTop) override;
    TControl* FindControlByName(const std::string& AName) override;

private:
    TMainPreviewParts FParts;
};
