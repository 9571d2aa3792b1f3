#include "platform/shell/ShellFolder.h"
#include "platform/shell/ShellPropertySheet.h"

#include <sys/stat.h>

#include <cerrno>

#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellIcons.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTexts.h"

namespace {

constexpr const char* RootFolderNames[] = {
    "rfDesktop", "rfMyComputer", "rfNetwork", "rfRecycleBin", "rfAppData", "rfCommonDesktopDirectory",
    "rfCommonPrograms", "rfCommonStartMenu", "rfCommonStartup", "rfControlPanel", "rfDesktopDirectory",
    "rfFavorites", "rfFonts", "rfInternet", "rfPersonal", "rfPrinters", "rfPrintHood", "rfPrograms", "rfRecent",
    "rfSendTo", "rfStartMenu", "rfStartup", "rfTemplates"};

std::unique_ptr<TbsShellFolder> GDesktopItem;
bool GCreatingDesktop = false;

// "1,234 KB": whole kilobytes, rounded up, as file lists show sizes.
std::string SizeText(int64_t bytes) {
    const std::string digits = IntToStr((bytes + 1023) / 1024);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped + " KB";
}

std::string MountTypeText(TMountKind kind) {
    switch (kind) {
    case mkRemovable: return ShellText::RemovableDisk;
    case mkOptical: return ShellText::OpticalDisc;
    case mkNetwork: return ShellText::NetworkDrive;
    case mkRam: return ShellText::RamDisk;
    default: return ShellText::LocalDisk;
    }
}

// The identifier a root folder name stands for; false for the names with no
// counterpart here (network neighbourhood, recycle bin, printers, ...).
bool RootFolderID(int index, TItemIDList& id) {
    auto userFolder = [&](TUserFolder which) {
        const auto& folders = ShellEnvironment().UserFolders;
        const auto it = folders.find(which);
        if (it == folders.end())
            return false;
        id = ParseDisplayName(it->second);
        return true;
    };
    switch (index) {
    case rfDesktop: id = {}; return true;
    case rfMyComputer: id = TItemIDList{{ComputerItem()}}; return true;
    case rfPersonal: return userFolder(ufDocuments);
    case rfDesktopDirectory: return userFolder(ufDesktop);
    default: return false;
    }
}

} // namespace

int RootFolderIndex(const std::string& name) {
    for (int i = 0; i < int(std::size(RootFolderNames)); ++i)
        if (SameText(name, RootFolderNames[i]))
            return i;
    return -1;
}

TbsShellFolder* DesktopItem() {
    if (!GDesktopItem) {
        GCreatingDesktop = true;
        GDesktopItem = std::make_unique<TbsShellFolder>(nullptr, TItemIDList{}, DesktopFolder());
        GCreatingDesktop = false;
    }
    return GDesktopItem.get();
}

TbsShellFolder::TbsShellFolder(TbsShellFolder* AParent, const TItemIDList& ID, std::unique_ptr<TNamespaceFolder> SF)
    : FPIDL(ID),
      FFullPIDL(AParent ? IDListJoin(AParent->FFullPIDL, ID) : ID),
      FIShellFolder(std::move(SF)),
      FParentFolder(AParent ? AParent->FFullPIDL : TItemIDList{}) {
    for (TbsShellFolder* p = AParent; p && p->FParent; p = p->FParent)
        ++FLevel;
    FParent = AParent ? AParent : (GCreatingDesktop ? nullptr : DesktopItem());
}

TbsShellFolder::~TbsShellFolder() = default;

TbsShellFolderProperties TbsShellFolder::Properties() const {
    const TShellAttributes a = ShellAttributesOf(FFullPIDL);
    TbsShellFolderProperties p;
    if (a.Contains(saHidden))
        p.Include(fpCut);
    if (a.Contains(saLink))
        p.Include(fpIsLink);
    if (a.Contains(saReadOnly))
        p.Include(fpReadOnly);
    if (a.Contains(saFileSystem))
        p.Include(fpFileSystem);
    if (a.Contains(saFileSystemAncestor))
        p.Include(fpFileSystemAncestor);
    if (a.Contains(saRemovable))
        p.Include(fpRemovable);
    return p;
}

TbsShellFolderCapabilities TbsShellFolder::Capabilities() const {
    const TShellAttributes a = ShellAttributesOf(FFullPIDL);
    TbsShellFolderCapabilities c;
    if (a.Contains(saCanCopy))
        c.Include(fcCanCopy);
    if (a.Contains(saCanDelete))
        c.Include(fcCanDelete);
    if (a.Contains(saFileSystem) && a.Contains(saExists))
        c.Include(fcCanLink);
    if (a.Contains(saCanMove))
        c.Include(fcCanMove);
    if (a.Contains(saCanRename))
        c.Include(fcCanRename);
    if (a.Contains(saDropTarget))
        c.Include(fcDropTarget);
    return c;
}

bool TbsShellFolder::SubFolders() const {
    return ShellAttributesOf(FFullPIDL, true).Contains(saHasSubFolder);
}

bool TbsShellFolder::IsFolder() const {
    return ShellAttributesOf(FFullPIDL).Contains(saFolder);
}

std::string TbsShellFolder::PathName() const {
    return ShellNameOf(FFullPIDL, snForParsing);
}

std::string TbsShellFolder::FullObjectName() const {
    std::string path;
    return ShellPathOfID(FFullPIDL, path) ? path : std::string();
}

std::string TbsShellFolder::DisplayName() const {
    return ShellNameOf(FFullPIDL, snInFolder);
}

bool TbsShellFolder::Rename(const std::string& NewName) {
    if (!Capabilities().Contains(fcCanRename))
        return false;
    const TItemIDList renamed = FParentFolder.SetNameOf(FPIDL, NewName);
    FPIDL = renamed;
    FFullPIDL = IDListJoin(FParentFolder.ID(), renamed);
    FDetails.clear();
    FFindData = {};
    return true;
}

int TbsShellFolder::ImageIndex(bool LargeIcon) const {
    return ShellIconIndex(FFullPIDL, LargeIcon, false);
}

int TbsShellFolder::ExecuteDefault() {
    std::string path;
    const auto& opener = ShellEnvironment().Opener;
    if (!ShellPathOfID(FFullPIDL, path) || !opener)
        return 0;
    try {
        opener(path);
    } catch (const Exception&) {
        return 0;
    }
    return 1;
}

void TbsShellFolder::ReadFindData(TShellFindData& data) const {
    std::string path;
    if (!ShellPathOfID(FFullPIDL, path))
        RaiseDetailsError(this, ENOENT);
    data = {};
    if (const TMountEntry* m = MountAt(path); m && m->Kind == mkNetwork) {
        data.IsDirectory = true;  // never statted
        return;
    }
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0)
        RaiseDetailsError(this, errno);
    data.IsDirectory = S_ISDIR(st.st_mode);
    data.Size = data.IsDirectory ? 0 : int64_t(st.st_size);
    const time_t seconds = st.st_mtim.tv_sec;
    data.Modified = UnixToDateTime(int64_t(seconds) - int64_t(LocalTimeZoneBiasMinutes(seconds)) * 60);
}

void TbsShellFolder::LoadColumnDetails(TbsShellFolder* /*RootFolder*/, int ColumnCount) {
    if (ColumnCount <= 0 || int(FDetails.size()) >= ColumnCount)
        return;
    std::vector<std::string> texts(3);
    const TShellIdItem* last = FFullPIDL.Empty() ? nullptr : &FFullPIDL.Items.back();
    FFindData = {};
    if (!last || last->Kind == ikHome || last->Kind == ikComputer) {
        texts[1] = ShellText::SystemFolder;
        FFindData.IsDirectory = true;
    } else if (last->Kind == ikMount) {
        const TMountEntry* m = MountAt(last->Name);
        texts[1] = MountTypeText(m ? m->Kind : mkFixed);
        FFindData.IsDirectory = true;
    } else {
        try {
            ReadFindData(FFindData);
            const std::string ext = ExtractFileExt(last->Name);
            texts[0] = FFindData.IsDirectory ? "" : SizeText(FFindData.Size);
            texts[1] = FFindData.IsDirectory ? ShellText::Folder
                       : ext.size() > 1 && ext != last->Name ? Format(ShellText::FileOfType, UpperCase(ext.substr(1)))
                                                              : ShellText::File;
            texts[2] = FormatDateTime("yyyy-mm-dd hh:nn", FFindData.Modified);
        } catch (const EInvalidPath&) {
            // Gone since it was listed: a list being painted shows empty details.
            FFindData = {};
        }
    }
    texts.resize(std::max<size_t>(texts.size(), size_t(ColumnCount)));
    texts.resize(size_t(ColumnCount));
    FDetails = std::move(texts);
}

std::string TbsShellFolder::DetailText(int Index) const {
    if (FDetails.empty())
        throw Exception(Format(ShellText::MissingLoadColumnDetails, DisplayName()));
    if (Index < 1 || Index > int(FDetails.size()))
        return "";
    return FDetails[size_t(Index - 1)];
}

std::string ShellDisplayName(const TNamespaceFolder* folder, const TItemIDList& list, TShellNameFlag flag) {
    return folder ? folder->GetDisplayNameOf(list, flag) : std::string();
}

std::unique_ptr<TNamespaceFolder> BindShellFolder(const TNamespaceFolder* parent, const TItemIDList& list) {
    return parent ? parent->BindToObject(list) : DesktopFolder()->BindToObject(list);
}

bool FolderHasItems(const TNamespaceFolder* folder, TShellObjectTypes types) {
    if (!folder)
        return false;
    try {
        return folder->HasItems(types);
    } catch (const Exception&) {
        return false;
    }
}

std::unique_ptr<TbsShellFolder> FolderFromIDList(const TItemIDList& list) {
    const TShellAttributes a = ShellAttributesOf(list);
    if (!a.Contains(saFolder) || !a.Contains(saExists))
        throw EInvalidPath(Format(ShellText::ErrorSettingPath, ShellNameOf(list, snForParsing)));
    return std::make_unique<TbsShellFolder>(DesktopItem(), list, std::make_unique<TNamespaceFolder>(list));
}

void ResolveRootFolder(std::unique_ptr<TbsShellFolder>& folder, const TRoot& OldRoot, TRoot& NewRoot) {
    std::unique_ptr<TbsShellFolder> resolved;
    try {
        TItemIDList id;
        const int index = RootFolderIndex(NewRoot);
        if (index >= 0 ? RootFolderID(index, id) : !NewRoot.empty()) {
            if (index < 0)
                id = ParseDisplayName(NewRoot);
            resolved = FolderFromIDList(id);
        }
    } catch (const Exception&) {
        resolved.reset();
    }
    if (!resolved) {
        const std::string message = Format(ShellText::ErrorSettingPath, NewRoot);
        NewRoot = OldRoot;
        throw EInvalidPath(message);
    }
    folder = std::move(resolved);
}

void InvokeShellVerb(TbsShellFolder* folder, const std::string& verb) {
    if (folder && SameText(verb, "open"))
        folder->ExecuteDefault();
    else if (folder && SameText(verb, "properties"))
        ShowShellPropertySheet(*folder);
}

void RaiseDetailsError(const TbsShellFolder* folder, int code) {
    throw EInvalidPath(Format(ShellText::DetailsFailed, folder ? folder->DisplayName() : std::string(), code));
}
