#include <algorithm>
#include <unistd.h>
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellNamespace.h"
#include "resources/pictures/ResourcePictures.h"
#include "skin/controls/SkinLabels.h"
#include "skin/dialogs/DriveComboBox.h"
#include "skin/dialogs/FileBoxes.h"
#include "skin/dialogs/PathRoutines.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/TextUtils.h"

std::string StartDirectory()
{
    std::string buffer(4096, '\0');
    if (!::getcwd(buffer.data(), buffer.size()))
        return HomeFolder();
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

TbsSkinDirectoryListBox::TbsSkinDirectoryListBox(TComponent* AOwner) : TbsSkinListBox(AOwner)
{
    OnDrawItem = [this](TCanvas& C, int Index, int W, int H, TRect R, TOwnerDrawState S) {
        DrawFolderItem(C, Index, W, H, R, S);
    };
    SetBounds(Left(), Top(), 145, Height());
    SetSorted(false);
    LoadFolderBitmaps();
    FDirectory = NormalizeShellPath(StartDirectory());
    if (FDirectory.empty())
        FDirectory = "/";
}

TbsSkinDirectoryListBox::~TbsSkinDirectoryListBox() { SetFileList(nullptr); }

void TbsSkinDirectoryListBox::LoadFolderBitmaps()
{
    for (auto [bitmap, name] : {std::pair{&ClosedBMP, "BS_CLOSEDFOLDER"}, std::pair{&OpenedBMP, "BS_OPENFOLDER"},
                                std::pair{&CurrentBMP, "BS_CURRENTFOLDER"}}) {
        FindResBitmap(name, *bitmap);
        bitmap->SetTransparent(true);
    }
}

void TbsSkinDirectoryListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinListBox::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FFileList)
        FFileList = nullptr;
    if (AComponent == FDirLabel)
        FDirLabel = nullptr;
    if (AComponent == FDriveCombo)
        FDriveCombo = nullptr;
}

void TbsSkinDirectoryListBox::SetFileList(TbsSkinFileListBox* Value)
{
    if (FFileList) {
        FFileList->FDirList = nullptr;
        FFileList->RemoveFreeNotification(this);
    }
    FFileList = Value;
    if (FFileList) {
        FFileList->FDirList = this;
        FFileList->FreeNotification(this);
    }
}

void TbsSkinDirectoryListBox::SetDirLabel(TbsSkinStdLabel* Value)
{
    if (FDirLabel)
        FDirLabel->RemoveFreeNotification(this);
    FDirLabel = Value;
    if (FDirLabel)
        FDirLabel->FreeNotification(this);
    ShowDirLabel();
}

void TbsSkinDirectoryListBox::SetDriveCombo(TComponent* Value)
{
    if (FDriveCombo)
        FDriveCombo->RemoveFreeNotification(this);
    FDriveCombo = Value;
    if (FDriveCombo)
        FDriveCombo->FreeNotification(this);
}

std::string TbsSkinDirectoryListBox::Drive() const { return MountOfPath(FDirectory); }

std::string TbsSkinDirectoryListBox::NetworkRoot() const
{
    const TMountEntry* m = NetworkMountOf(FDirectory);
    return m ? m->MountPoint : std::string();
}

// ------------------------------------------------------------------ filling

void TbsSkinDirectoryListBox::ListBoxCreateWnd()
{
    TbsSkinListBox::ListBoxCreateWnd();
    FillFolderList();
}

void TbsSkinDirectoryListBox::FillFolderList()
{
    if (!ListBox->HandleAllocated())
        return;
    FStopUpDateHScrollBar = true;
    TStrings& items = Items();
    items.BeginUpdate();
    items.Clear();
    // The chain from the root (or a network mount, shown by its source) down.
    std::string rest = FDirectory;
    const std::string network = NetworkRoot();
    if (!network.empty()) {
        items.AddObject(DriveDisplayName(network), &OpenedBMP);
        rest = FDirectory.substr(network.size());
    } else {
        items.AddObject("/", FDirectory == "/" ? &CurrentBMP : &OpenedBMP);
    }
    if (!rest.empty() && rest.front() == '/')
        rest.erase(0, 1);
    size_t from = 0;
    while (!rest.empty() && from < rest.size()) {
        const size_t slash = rest.find('/', from);
        const std::string part = rest.substr(from, slash == std::string::npos ? std::string::npos : slash - from);
        const bool last = slash == std::string::npos;
        items.AddObject(part, last ? &CurrentBMP : &OpenedBMP);
        from = last ? rest.size() : slash + 1;
    }
    if (!network.empty() && rest.empty())
        items.PutObject(0, &CurrentBMP);
    FCurrentIndex = items.Count() - 1;
    FSubfolderStart = items.Count();
    std::vector<std::string> subfolders;
    try {
        for (const TFolderEntry& e : ListFolder(FDirectory))
            if (e.IsDirectory && !e.Name.empty() && e.Name.front() != '.')
                subfolders.push_back(e.Name);
    } catch (const EInOutError&) {
        // An unreadable folder shows its chain without sub-folders.
    }
    std::stable_sort(subfolders.begin(), subfolders.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    for (const std::string& name : subfolders)
        items.AddObject(name, &ClosedBMP);
    items.EndUpdate();
    FStopUpDateHScrollBar = false;
    SetItemIndex(FCurrentIndex);
    UpDateScrollBar();
}

void TbsSkinDirectoryListBox::Update()
{
    FillFolderList();
    DirectoryChanged();
}

// ------------------------------------------------------------------ moving

std::string TbsSkinDirectoryListBox::GetItemPath(int Index)
{
    if (Index < 0 || Index >= Items().Count())
        return {};
    if (Index >= FSubfolderStart)
        return JoinPath(FDirectory, Items().Get(Index));
    if (Index == FCurrentIndex)
        return FDirectory;
    const std::string network = NetworkRoot();
    if (Index == 0)
        return network.empty() ? "/" : network;
    // An ancestor: the folder path up to its own name.
    const std::string base = network.empty() ? "/" : network + "/";
    std::string path = base;
    for (int i = 1; i <= Index; ++i)
        path = JoinPath(path, Items().Get(i));
    return path;
}

void TbsSkinDirectoryListBox::OpenCurrent() { ApplyDirectory(GetItemPath(ItemIndex())); }

void TbsSkinDirectoryListBox::ListBoxDblClick()
{
    TbsSkinListBox::ListBoxDblClick();
    OpenCurrent();
}

void TbsSkinDirectoryListBox::ListBoxKeyPress(char32_t& Key)
{
    TbsSkinListBox::ListBoxKeyPress(Key);
    if (Key == U'\r')
        OpenCurrent();
}

void TbsSkinDirectoryListBox::ApplyDirectory(const std::string& Value)
{
    if (Value.empty() || FileCompareText(Value, FDirectory) == 0)
        return;
    std::string drive, dir, file;
    SplitFilePath(Value, FDirectory, drive, dir, file);
    // Onto another mount: a linked drive box follows (and moves this box
    // there), else the box moves itself; the folder is entered after.
    const std::string mount = MountOfPath(dir);
    if (mount != Drive()) {
        FInSetDir = true;
        try {
            if (auto* drives = dynamic_cast<TbsSkinDriveComboBox*>(FDriveCombo))
                drives->SetDrive(mount);
            else
                SwitchDrive(mount);
        } catch (...) {
            FInSetDir = false;
            throw;
        }
        FInSetDir = false;
    }
    EnterDirectory(dir);
}

void TbsSkinDirectoryListBox::EnterDirectory(const std::string& Dir)
{
    const std::string target = NormalizeShellPath(Dir.front() == '/' ? Dir : JoinPath(FDirectory, Dir));
    if (!IsExistingDir(target))
        throw EInOutError(Format("Cannot open the folder \"%s\".", Dir.c_str()));
    FDirectory = target;
    FillFolderList();
    DirectoryChanged();
}

void TbsSkinDirectoryListBox::SwitchDrive(const std::string& MountPoint)
{
    if (MountPoint.empty() || MountPoint == Drive())
        return;
    // A drive that cannot be entered shows the old folder again.
    if (IsExistingDir(MountPoint))
        FDirectory = NormalizeShellPath(MountPoint);
    if (FInSetDir)
        return;   // the folder asked for is entered next
    FillFolderList();
    DirectoryChanged();
}

void TbsSkinDirectoryListBox::DirectoryChanged()
{
    if (FFileList)
        FFileList->ApplyDirectory(FDirectory);
    ShowDirLabel();
    if (OnChange)
        OnChange(this);
}

void TbsSkinDirectoryListBox::ShowDirLabel()
{
    if (!FDirLabel)
        return;
    TBitmap measure(1, 1);
    TCanvas& c = *measure.Canvas();
    c.Font().Assign(FDirLabel->Font());
    const int width = FDirLabel->AutoSize() ? Width() : FDirLabel->Width();
    FDirLabel->SetCaption(FitPathToWidth(FDirectory, c, width));
}

// ------------------------------------------------------------------ drawing

int TbsSkinDirectoryListBox::ItemIndent(int Index)
{
    if (Index >= FSubfolderStart)
        return SlashCount(FDirectory) * 4 + 6;
    return Index * 4 + 2;
}

const TBitmap* TbsSkinDirectoryListBox::GlyphOf(int Index) const
{
    auto* self = const_cast<TbsSkinDirectoryListBox*>(this);
    if (Index < 0 || Index >= self->Items().Count())
        return nullptr;
    return dynamic_cast<const TBitmap*>(self->Items().GetObject(Index));
}

void TbsSkinDirectoryListBox::DrawFolderItem(TCanvas& C, int Index, int, int, TRect TxtRect, TOwnerDrawState)
{
    const int indent = ItemIndent(Index);
    const TBitmap* glyph = GlyphOf(Index);
    const int gw = glyph && !glyph->Empty() ? glyph->Width() : 16;
    const int offset = ListBox->HorizontalExtentValue();
    if (glyph && !glyph->Empty())
        C.Draw(TxtRect.Left + indent - offset, (TxtRect.Top + TxtRect.Bottom - glyph->Height()) / 2, *glyph);
    C.Brush().SetStyle(bsClear);
    TextRectVCenterIndent(C, Items().Get(Index), TxtRect, gw + indent - offset + 4);
}

int TbsSkinDirectoryListBox::GetItemTextWidth(int Index, TCanvas& C)
{
    const int w = TbsSkinListBox::GetItemTextWidth(Index, C);
    const TBitmap* glyph = GlyphOf(Index);
    if (!glyph || glyph->Empty())
        return w + Index * 4 + 22;
    return glyph->Width() + w + ItemIndent(Index) + 4;
}
