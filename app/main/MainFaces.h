#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/jobs/JobFaces.h"
#include "app/jobs/JobList.h"
#include "app/presets/ComboModels.h"

class TComboBox;
class TControl;
class TCustomListView;
class TbsSkinPanel;

// An option combo of the main window as the preset cascade sees it. The shown
// text is kept here, so that clearing the list keeps it, and OnChange is
// raised only when a set index or a user's pick changes that text.
class TComboOptionFace : public TOptionComboModel {
public:
    explicit TComboOptionFace(TComboBox& ACombo);
    void ClearItems() override;
    void AddItem(const std::string& AText) override;
    int ItemCount() const override;
    std::string Item(int AIndex) const override;
    int ItemIndex() const override;
    void SetItemIndex(int AIndex) override;
    std::string Text() const override { return FText; }
    bool Enabled() const override;
    void SetEnabled(bool AEnabled) override;

private:
    void Picked();
    TComboBox& FCombo;
    std::string FText;
    bool FSetting = false;
};

// The category or format list: items with title, description and picture;
// every set index, and every pick of the user, raises OnChange.
class TComboPresetListFace : public TPresetListComboModel {
public:
    explicit TComboPresetListFace(TComboBox& ACombo);
    void ClearItems() override;
    void AddItem(const TPresetListItem& AItem) override;
    int ItemCount() const override { return static_cast<int>(FItems.size()); }
    TPresetListItem Item(int AIndex) const override;
    int ItemIndex() const override;
    void SetItemIndex(int AIndex) override;
    bool Enabled() const override;
    void SetEnabled(bool AEnabled) override;

private:
    TComboBox& FCombo;
    std::vector<TPresetListItem> FItems;
    bool FSetting = false;
};

// The job list view: shows the rows of the job control's list; the
// placeholder panel covers the view while the list is empty.
class TListViewJobFace : public TJobListView {
public:
    TListViewJobFace(TCustomListView& AView, TControl& APlaceholder) : FView(AView), FPlaceholder(APlaceholder) {}
    void SetList(const TJobList* AList) { FList = AList; }
    void RowsChanged() override;
    void RowChanged(int ARow) override;
    void SelectionChanged(int ARow) override;
    void FocusList() override;
    // True while the face itself selects a row, so the view's select event is not a user's.
    bool Selecting() const { return FSelecting; }

private:
    void Fill(int ARow);
    TCustomListView& FView;
    TControl& FPlaceholder;
    const TJobList* FList = nullptr;
    bool FSelecting = false;
};

// The faces the main window gives its logic. The message box, the file
// dialogs and the after-done actions forward to replaceable parts, so that
// tests put fakes in their place.
class TMainWindowFaces : public TMessageBoxFace, public TJobDialogs, public TAfterDoneActions {
public:
    TMainWindowFaces();
    ~TMainWindowFaces() override;

    void ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind) override;
    bool OpenFile(std::string& AFileName) override;
    bool OpenFiles(std::vector<std::string>& AFileNames) override;
    bool SelectFolder(std::string& AFolder) override;
    void OpenFolder(const std::string& AFolder) override;
    void PowerOff() override;
    void PlayPromptSound() override;

    std::unique_ptr<TMessageBoxFace> Messages;
    std::unique_ptr<TJobDialogs> Dialogs;
    std::unique_ptr<TAfterDoneActions> AfterDone;
};

// The plain message box of the platform.
class TPlainMessageBox : public TMessageBoxFace {
public:
    void ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind) override;
};

// File and folder choice until the skinned dialogs take over: answers with
// what is queued in it, else as a cancel.
class TQueuedDialogs : public TJobDialogs {
public:
    bool OpenFile(std::string& AFileName) override;
    bool OpenFiles(std::vector<std::string>& AFileNames) override;
    bool SelectFolder(std::string& AFolder) override;
    std::vector<std::vector<std::string>> Answers;   // front first

private:
    bool Next(std::vector<std::string>& AOut);
};
