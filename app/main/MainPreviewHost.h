#pragma once
#include <string>

#include "app/preview/PreviewPanel.h"

class TForm1;

// What the preview panel reaches of the main window.
class TMainPreviewHost : public TPreviewHost {
public:
    explicit TMainPreviewHost(TForm1& AForm) : FForm(AForm) {}
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
    TForm1& FForm;
};
