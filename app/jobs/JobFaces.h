#pragma once
#include <string>
#include <vector>

// What the job control needs of the main window, as narrow faces: the real
// skinned controls implement them, tests give recording fakes.

// The job list view. It shows the rows of the control's TJobList and reads
// their texts there; the control tells it what changed.
class TJobListView {
public:
    virtual ~TJobListView() = default;
    // Rows were added, removed, moved or cleared: show the list anew (the
    // placeholder covers an empty list).
    virtual void RowsChanged() = 0;
    // The texts of one row changed.
    virtual void RowChanged(int ARow) = 0;
    // The selected row changed; -1 for none.
    virtual void SelectionChanged(int ARow) = 0;
    virtual void FocusList() = 0;
};

enum class TMessageKind { Information, Warning };

// A modal message box with an OK button.
class TMessageBoxFace {
public:
    virtual ~TMessageBoxFace() = default;
    virtual void ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind AKind) = 0;
};

// The open dialogs: false when cancelled.
class TJobDialogs {
public:
    virtual ~TJobDialogs() = default;
    virtual bool OpenFile(std::string& AFileName) = 0;
    virtual bool OpenFiles(std::vector<std::string>& AFileNames) = 0;  // in the order chosen
    virtual bool SelectFolder(std::string& AFolder) = 0;
    // The output folder: a dialog of its own, with its own memory.
    virtual bool SelectOutputFolder(std::string& AFolder) { return SelectFolder(AFolder); }
};

// The actions after all files are done.
class TAfterDoneActions {
public:
    virtual ~TAfterDoneActions() = default;
    virtual void OpenFolder(const std::string& AFolder) = 0;
    virtual void PowerOff() = 0;
    virtual void PlayPromptSound() = 0;
};
