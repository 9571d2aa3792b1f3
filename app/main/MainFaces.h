#pragma once
#include <memory>
#include <string>
#include <vector>

#include "app/jobs/JobFaces.h"
#include "app/jobs/JobList.h"
#include "app/presets/ComboModels.h"
#include "platform/core/Object.h"

class TControl;
class TCustomListView;
class TbsSkinPanel;
class TbsSkinData;
class TbsSkinMessage;
class TbsSkinOpenDialog;
class TbsSkinSelectDirectoryDialog;

// An option combo of the main window as the preset cascade sees it. The shown
// text is kept here, so that clearing the list keeps it, and OnChange is
// raised only when a set index or a user's pick changes that text.
template <class TCombo>
class TComboOptionFace : public TOptionComboModel {
public:
    explicit TComboOptionFace(TCombo& ACombo) : FCombo(ACombo)
    {
        FCombo.OnChange = [this](TObject*) { Picked(); };
    }
    void ClearItems() override
    {
        FSetting = true;
        FCombo.Items().Clear();
        FSetting = false;
    }
    void AddItem(const std::string& AText) override { FCombo.Items().Add(AText); }
    int ItemCount() const override { return FCombo.Items().Count(); }
    std::string Item(int AIndex) const override
    {
        return AIndex >= 0 && AIndex < ItemCount() ? FCombo.Items()[AIndex] : std::string();
    }
    int ItemIndex() const override { return FCombo.ItemIndex(); }
    void SetItemIndex(int AIndex) override
    {
        FSetting = true;
        FCombo.SetItemIndex(AIndex);
        FSetting = false;
        if (AIndex >= 0 && AIndex < ItemCount())
            Show(Item(AIndex));
    }
    std::string Text() const override { return FText; }
    bool Enabled() const override { return FCombo.Enabled(); }
    void SetEnabled(bool AEnabled) override { FCombo.SetEnabled(AEnabled); }

private:
    void Picked()
    {
        if (!FSetting && FCombo.ItemIndex() >= 0)
            Show(Item(FCombo.ItemIndex()));
    }
    void Show(const std::string& AText)
    {
        if (AText == FText)
            return;
        FText = AText;
        if (OnChange)
            OnChange();
    }
    TCombo& FCombo;
    std::string FText;
    bool FSetting = false;
};

// The category or format list: items with title, description and picture;
// every set index, and every pick of the user, raises OnChange.
template <class TCombo>
class TComboPresetListFace : public TPresetListComboModel {
public:
    explicit TComboPresetListFace(TCombo& ACombo) : FCombo(ACombo)
    {
        FCombo.OnChange = [this](TObject*) {
            if (!FSetting && OnChange)
                OnChange();
        };
    }
    void ClearItems() override
    {
        FSetting = true;
        FItems.clear();
        FCombo.Items().Clear();
        FSetting = false;
    }
    void AddItem(const TPresetListItem& AItem) override
    {
        FItems.push_back(AItem);
        FCombo.Items().Add(AItem.Title);
    }
    int ItemCount() const override { return static_cast<int>(FItems.size()); }
    TPresetListItem Item(int AIndex) const override
    {
        return AIndex >= 0 && AIndex < ItemCount() ? FItems[AIndex] : TPresetListItem();
    }
    int ItemIndex() const override { return FCombo.ItemIndex(); }
    void SetItemIndex(int AIndex) override
    {
        FSetting = true;
        FCombo.SetItemIndex(AIndex);
        FSetting = false;
        if (OnChange)
            OnChange();
    }
    bool Enabled() const override { return FCombo.Enabled(); }
    void SetEnabled(bool AEnabled) override { FCombo.SetEnabled(AEnabled); }

private:
    TCombo& FCombo;
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

// A job row as the preset cascade writes it: every change of a column shows
// in the list at once (a format change renames the output file's extension).
class TShownJobRow : public TPresetJobRow {
public:
    explicit TShownJobRow(TJobListView& AView) : FView(AView) {}
    // One object serves every call, so a pointer the cascade still holds stays valid.
    TShownJobRow* Show(TPresetJobRow* ARow, int AIndex)
    {
        FRow = ARow;
        FIndex = AIndex;
        return ARow ? this : nullptr;
    }
    std::string SubItem(int AColumn) const override { return FRow ? FRow->SubItem(AColumn) : std::string(); }
    void SetSubItem(int AColumn, const std::string& AText) override
    {
        if (!FRow || FRow->SubItem(AColumn) == AText)
            return;
        FRow->SetSubItem(AColumn, AText);
        FView.RowChanged(FIndex);
    }

private:
    TJobListView& FView;
    TPresetJobRow* FRow = nullptr;
    int FIndex = -1;
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
    bool SelectOutputFolder(std::string& AFolder) override;
    void OpenFolder(const std::string& AFolder) override;
    void PowerOff() override;
    void PlayPromptSound() override;

    std::unique_ptr<TMessageBoxFace> Messages;
    std::unique_ptr<TJobDialogs> Dialogs;
    std::unique_ptr<TAfterDoneActions> AfterDone;
};

// The skinned message box in the main window's skin, centred on the screen.
class TSkinnedMessageBox : public TMessageBoxFace {
public:
    // Shows through the window's own message component; without one (before
    // the window is built) through a plain one.
    explicit TSkinnedMessageBox(TbsSkinMessage* ABox) : FBox(ABox) {}
    void ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind) override;

private:
    TbsSkinMessage* FBox;
};

// File and folder choice through the main window's skinned dialogs: one
// file, several files, the folder to add and the output folder. Each folder
// dialog starts at the folder chosen last in it.
class TSkinnedDialogs : public TJobDialogs {
public:
    TSkinnedDialogs(TbsSkinOpenDialog& AOne, TbsSkinOpenDialog& AMany, TbsSkinSelectDirectoryDialog& AFolder,
                    TbsSkinSelectDirectoryDialog& AOutputFolder)
        : FOne(AOne), FMany(AMany), FFolder(AFolder), FOutputFolder(AOutputFolder) {}
    bool OpenFile(std::string& AFileName) override;
    bool OpenFiles(std::vector<std::string>& AFileNames) override;
    bool SelectFolder(std::string& AFolder) override;
    bool SelectOutputFolder(std::string& AFolder) override;

private:
    TbsSkinOpenDialog& FOne;
    TbsSkinOpenDialog& FMany;
    TbsSkinSelectDirectoryDialog& FFolder;
    TbsSkinSelectDirectoryDialog& FOutputFolder;
};

// File and folder choice for tests: answers with
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
