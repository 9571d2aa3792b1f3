#include <set>
#include <unistd.h>
#include "platform/core/Exception.h"
#include "platform/core/FileMask.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/forms/BusyCursor.h"
#include "skin/dialogs/FileBoxes.h"
#include "skin/dialogs/PathRoutines.h"

TbsSkinFileListBox::TbsSkinFileListBox(TComponent* AOwner) : TbsSkinListBox(AOwner)
{
    SetBounds(Left(), Top(), 145, Height());
    FDirectory = NormalizeShellPath(StartDirectory());
    if (FDirectory.empty())
        FDirectory = "/";
    SetMultiSelect(false);
    SetSorted(true);
}

TbsSkinFileListBox::~TbsSkinFileListBox()
{
    if (FDirList)
        FDirList->SetFileList(nullptr);
}

void TbsSkinFileListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinListBox::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FFileEdit)
        FFileEdit = nullptr;
    if (AComponent == FDirList)
        FDirList = nullptr;
    if (AComponent == FFilterCombo)
        FFilterCombo = nullptr;
}

void TbsSkinFileListBox::SetFileEdit(TCustomEdit* Value)
{
    if (FFileEdit)
        FFileEdit->RemoveFreeNotification(this);
    FFileEdit = Value;
    if (FFileEdit) {
        FFileEdit->FreeNotification(this);
        const std::string name = GetSelectedName();
        FFileEdit->SetText(name.empty() ? FMask : name);
    }
}

void TbsSkinFileListBox::SetFilterCombo(TComponent* Value)
{
    if (FFilterCombo)
        FFilterCombo->RemoveFreeNotification(this);
    FFilterCombo = Value;
    if (FFilterCombo)
        FFilterCombo->FreeNotification(this);
}

std::string TbsSkinFileListBox::Drive() const
{
    return FDirList ? FDirList->Drive() : "/";
}

void TbsSkinFileListBox::SetMask(const std::string& Value)
{
    if (Value == FMask)
        return;
    FMask = Value;
    FillFileList();
}

void TbsSkinFileListBox::SetFileType(TbsFileType Value)
{
    if (Value == FFileType)
        return;
    FFileType = Value;
    FillFileList();
}

void TbsSkinFileListBox::ListBoxCreateWnd()
{
    TbsSkinListBox::ListBoxCreateWnd();
    FillFileList();
}

// Which entries a kind set admits: folders only with bsftDirectory, names
// starting with "." only with bsftHidden, read-only files with bsftReadOnly
// or bsftNormal, any other file with bsftNormal.
bool TbsSkinFileListBox::Takes(const std::string& Path, const std::string& Name, bool IsDirectory) const
{
    const bool hidden = !Name.empty() && Name.front() == '.';
    if (hidden && !FFileType.Contains(bsftHidden))
        return false;
    if (IsDirectory)
        return FFileType.Contains(bsftDirectory);
    if (FFileType.Contains(bsftNormal))
        return true;
    if (hidden)
        return true;
    return FFileType.Contains(bsftReadOnly) && ::access(Path.c_str(), W_OK) != 0;
}

namespace {
// An entry landing this far down the sorted list makes the fill a long one.
constexpr int LongListIndex = 100;
}  // namespace

void TbsSkinFileListBox::FillFileList()
{
    if (!ListBox->HandleAllocated())
        return;
    const std::vector<TFolderEntry> entries = ListFolder(FDirectory);   // raises for an unreadable folder
    TStrings& items = Items();
    TBusyCursor busy(false);   // a long list shows the busy cursor while it fills
    items.BeginUpdate();
    items.Clear();
    // An entry matching several patterns is listed once.
    std::set<std::string> taken;
    size_t from = 0;
    while (from <= FMask.size()) {
        const size_t semi = FMask.find(';', from);
        const std::string pattern =
            Trim(FMask.substr(from, semi == std::string::npos ? std::string::npos : semi - from));
        from = semi == std::string::npos ? FMask.size() + 1 : semi + 1;
        if (pattern.empty())
            continue;
        for (const TFolderEntry& e : entries) {
            if (taken.count(e.Name) || !MatchesMask(e.Name, pattern) ||
                !Takes(JoinPath(FDirectory, e.Name), e.Name, e.IsDirectory))
                continue;
            taken.insert(e.Name);
            if (items.Add(e.IsDirectory ? "[" + e.Name + "]" : e.Name) >= LongListIndex)
                busy.Show();
        }
    }
    items.EndUpdate();
    UpDateScrollBar();
    SelectionChanged();
}

void TbsSkinFileListBox::SelectionChanged()
{
    FLastSel = ItemIndex();
    if (FFileEdit) {
        const std::string name = GetSelectedName();
        FFileEdit->SetText(name.empty() ? FMask : name);
        FFileEdit->SelectAll();
    }
    if (OnChange)
        OnChange(this);
}

void TbsSkinFileListBox::ListBoxClick()
{
    TbsSkinListBox::ListBoxClick();
    if (ItemIndex() != FLastSel)
        SelectionChanged();
}

std::string TbsSkinFileListBox::GetSelectedName()
{
    const int i = ItemIndex();
    if (i < 0 || i >= Items().Count() || !Selected(i))
        return {};
    return Items().Get(i);
}

std::string TbsSkinFileListBox::FileName()
{
    const std::string name = GetSelectedName();
    return name.empty() ? std::string() : JoinPath(FDirectory, name);
}

void TbsSkinFileListBox::SelectFileName(const std::string& Name)
{
    if (Name != GetSelectedName()) {
        int found = -1;
        for (int i = 0; i < Items().Count() && found < 0; ++i)
            if (Items().Get(i) == Name)
                found = i;
        SetItemIndex(found);
    }
    SelectionChanged();
}

void TbsSkinFileListBox::ApplyDirectory(const std::string& NewDirectory)
{
    const std::string target = NormalizeShellPath(
        !NewDirectory.empty() && NewDirectory.front() == '/' ? NewDirectory : JoinPath(FDirectory, NewDirectory));
    if (NewDirectory.empty() || target == FDirectory)
        return;
    if (!IsExistingDir(target))
        throw EInOutError(Format("Cannot open the folder \"%s\".", NewDirectory.c_str()));
    FDirectory = target;
    FillFileList();
}

void TbsSkinFileListBox::ApplyFilePath(const std::string& EditText)
{
    if (EditText.empty() || EditText == FileName())
        return;
    std::string drive, dir, file;
    SplitFilePath(EditText, FDirectory, drive, dir, file);
    if (FDirList)
        FDirList->ApplyDirectory(dir);
    else
        ApplyDirectory(dir);
    if (file.find_first_of("*?") != std::string::npos) {
        SetMask(file);
        return;
    }
    if (file.empty())
        return;
    SelectFileName(file);
    if (GetSelectedName().empty() && FileExists(JoinPath(FDirectory, file))) {
        // A file the mask hides: the name becomes the mask.
        SetMask(file);
        SelectFileName(file);
    }
}
