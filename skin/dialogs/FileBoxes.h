#pragma once
#include <string>
#include "platform/core/Set.h"
#include "platform/gfx/Bitmap.h"
#include "skin/boxes/SkinListBox.h"

class TCustomEdit;
class TbsSkinStdLabel;
class TbsSkinFileListBox;

enum TbsFileAttr { bsftReadOnly, bsftHidden, bsftSystem, bsftVolumeID, bsftDirectory, bsftArchive, bsftNormal };
using TbsFileType = TSet<TbsFileAttr>;
enum TTextCase { tcLowerCase, tcUpperCase };

// The current folder as an indented chain from the root (opened folders),
// the folder itself, then its sub-folders. Opening an item moves there; the
// linked file box and label follow. The folder is the box's own: the
// process's current directory is never changed.
class TbsSkinDirectoryListBox : public TbsSkinListBox {
public:
    explicit TbsSkinDirectoryListBox(TComponent* AOwner);
    ~TbsSkinDirectoryListBox() override;

    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value) { ApplyDirectory(Value); }
    // The mount the folder lies in ("/" for the root's own files).
    std::string Drive() const;
    // Moves to a mount's mount point (a drive box's choice).
    void SetDrive(const std::string& MountPoint) { SwitchDrive(MountPoint); }
    TbsSkinFileListBox* FileList() const { return FFileList; }
    void SetFileList(TbsSkinFileListBox* Value);
    TbsSkinStdLabel* DirLabel() const { return FDirLabel; }
    void SetDirLabel(TbsSkinStdLabel* Value);
    // A drive box links itself here; it follows the box onto another mount.
    TComponent* DriveCombo() const { return FDriveCombo; }
    void SetDriveCombo(TComponent* Value);
    bool PreserveCase() const { return true; }
    bool CaseSensitive() const { return true; }

    // The folder an item stands for; empty beyond the items.
    std::string GetItemPath(int Index);
    void OpenCurrent();
    void Update();
    std::string DisplayCase(const std::string& S) const { return S; }
    // File names compare byte by byte on POSIX file systems.
    int FileCompareText(const std::string& A, const std::string& B) const { return A.compare(B); }
    // The item of the current folder.
    int CurrentIndex() const { return FCurrentIndex; }
    // Pixels an item is indented by.
    int ItemIndent(int Index);

    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    int GetItemTextWidth(int Index, TCanvas& C) override;
    void ListBoxDblClick() override;
    void ListBoxKeyPress(char32_t& Key) override;
    void ListBoxCreateWnd() override;
    virtual void ApplyDirectory(const std::string& Value);
    virtual void DirectoryChanged();
    virtual void LoadFolderBitmaps();
    virtual void FillFolderList();

private:
    friend class TbsSkinFileListBox;
    void EnterDirectory(const std::string& Dir);
    void SwitchDrive(const std::string& MountPoint);
    void ShowDirLabel();
    void DrawFolderItem(TCanvas& C, int Index, int ItemWidth, int ItemHeight, TRect TxtRect, TOwnerDrawState State);
    const TBitmap* GlyphOf(int Index) const;
    // The network mount the folder lies in, empty for local folders.
    std::string NetworkRoot() const;

    TbsSkinFileListBox* FFileList = nullptr;   // not owned: cleared on removal
    TComponent* FDriveCombo = nullptr;          // not owned: cleared on removal
    TbsSkinStdLabel* FDirLabel = nullptr;       // not owned: cleared on removal
    TBitmap ClosedBMP, OpenedBMP, CurrentBMP;
    std::string FDirectory;
    int FCurrentIndex = 0;
    bool FInSetDir = false;   // a folder on another mount is being entered
    int FSubfolderStart = 0;
};

// The entries of a folder that match a mask (";"-separated patterns, letter
// case ignored, "*.*" every name) and a set of kinds; folders show as
// "[name]" when asked for. The linked edit shows the selected name.
class TbsSkinFileListBox : public TbsSkinListBox {
public:
    explicit TbsSkinFileListBox(TComponent* AOwner);
    ~TbsSkinFileListBox() override;

    const std::string& Directory() const { return FDirectory; }
    void SetDirectory(const std::string& Value) { ApplyDirectory(Value); }
    std::string Drive() const;
    const std::string& Mask() const { return FMask; }
    void SetMask(const std::string& Value);
    TbsFileType FileType() const { return FFileType; }
    void SetFileType(TbsFileType Value);
    TCustomEdit* FileEdit() const { return FFileEdit; }
    void SetFileEdit(TCustomEdit* Value);
    TbsSkinDirectoryListBox* DirList() const { return FDirList; }
    // A filter box links itself here.
    TComponent* FilterCombo() const { return FFilterCombo; }
    void SetFilterCombo(TComponent* Value);

    // The full path of the selected entry, empty without one.
    std::string FileName();
    void SetFileName(const std::string& Value) { ApplyFilePath(Value); }
    // Applies a typed text: a folder moves there, a mask filters, a name selects.
    void ApplyFilePath(const std::string& EditText);
    void Update() { FillFileList(); }

    TNotifyEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void ListBoxClick() override;
    void ListBoxCreateWnd() override;
    virtual void SelectionChanged();
    virtual void FillFileList();
    virtual void ApplyDirectory(const std::string& NewDirectory);

private:
    friend class TbsSkinDirectoryListBox;
    std::string GetSelectedName();
    void SelectFileName(const std::string& Name);
    bool Takes(const std::string& Path, const std::string& Name, bool IsDirectory) const;

    std::string FDirectory;
    std::string FMask = "*.*";
    TbsFileType FFileType{bsftNormal};
    TCustomEdit* FFileEdit = nullptr;            // not owned: cleared on removal
    TbsSkinDirectoryListBox* FDirList = nullptr; // not owned: cleared on removal
    TComponent* FFilterCombo = nullptr;          // not owned: cleared on removal
    int FLastSel = -1;
};

// The process's current directory, read once for a box's start.
std::string StartDirectory();
