#include "platform/shell/NamespaceFolder.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>

#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Utf8.h"
#include "platform/shell/ShellErrors.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/shell/ShellTexts.h"

namespace {

using TItemSink = std::function<bool(TShellIdItem&&)>;  // false stops the listing

std::string ChildPath(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

bool IsNetworkMountPoint(const std::string& path) {
    const TMountEntry* m = MountAt(path);
    return m && m->Kind == mkNetwork;
}

// Lists a folder through the core's scan, which tells kinds by the directory
// entry and stats only links and unknown types; a network mount point is taken
// for a folder unstatted, as its server may not answer. FIFOs, sockets and
// devices are left out (a FIFO named like a video would block a probe).
void ListFileSystemFolder(const std::string& path, TShellObjectTypes types, const TItemSink& sink) {
    try {
        ScanFolder(path, false, [&](const TFolderEntry& e) {
            if (e.Kind == fekSpecial)
                return true;
            if (e.Name[0] == '.' && !types.Contains(otHidden))
                return true;
            if (!types.Contains(e.IsDirectory ? otFolders : otNonFolders))
                return true;
            return sink(NameItem(e.Name, e.IsDirectory));
        }, IsNetworkMountPoint);
    } catch (const EInOutError& e) {
        throw EShellError(e.Message());
    }
}

void ListChildren(const TItemIDList& id, TShellObjectTypes types, const TItemSink& sink) {
    if (id.Empty()) {
        if (types.Contains(otFolders) && sink(HomeItem()))
            sink(ComputerItem());
        return;
    }
    if (id.Items.size() == 1 && id.Items[0].Kind == ikComputer) {
        RefreshShellMounts();
        if (types.Contains(otFolders))
            for (const auto& m : ShellMounts())
                if (!sink(MountItem(m.MountPoint)))
                    return;
        return;
    }
    std::string path;
    if (!ShellPathOfID(id, path))
        throw EShellError("The item is not a folder of the namespace");
    ListFileSystemFolder(path, types, sink);
}

// Reads entries until the first visible folder.
bool ScanForSubFolder(const std::string& path) {
    bool found = false;
    try {
        ScanFolder(path, false, [&](const TFolderEntry& e) {
            found = e.Name[0] != '.' && e.IsDirectory;
            return !found;
        }, IsNetworkMountPoint);
    } catch (const EInOutError&) {
        return false;
    }
    return found;
}

TShellAttributes FolderAttributes(const std::string& path, bool withSubFolders) {
    TShellAttributes a{saFolder, saFileSystem, saFileSystemAncestor, saDropTarget, saExists};
    if (withSubFolders && (NetworkMountOf(path) || ScanForSubFolder(path)))
        a.Include(saHasSubFolder);
    return a;
}

std::string LossyUtf8(const std::string& bytes) {
    return EncodeUtf8(DecodeUtf8(bytes));
}

std::string RenameRefusal(const std::string& newName, const std::string& reason) {
    return Format(ShellText::RenameFailed, newName) + ". " + reason;
}

} // namespace

TShellAttributes ShellAttributesOf(const TItemIDList& absolute, bool withSubFolders) {
    if (absolute.Empty() || (absolute.Items.size() == 1 && absolute.Items[0].Kind == ikComputer)) {
        TShellAttributes a{saFolder, saFileSystemAncestor, saExists};
        if (withSubFolders)
            a.Include(saHasSubFolder);
        return a;
    }
    std::string path;
    if (!ShellPathOfID(absolute, path))
        return {};
    const TShellIdItem& last = absolute.Items.back();
    if (last.Kind == ikMount || IsNetworkMountPoint(path)) {
        // Known from the mount table: no stat, so a silent server cannot hang us.
        const TMountEntry* m = MountAt(path);
        TShellAttributes a{saFolder, saFileSystem, saFileSystemAncestor, saDropTarget, saExists};
        if (m && (m->Kind == mkRemovable || m->Kind == mkOptical))
            a.Include(saRemovable);
        if (withSubFolders && (!m || m->Kind == mkNetwork || ScanForSubFolder(path)))
            a.Include(saHasSubFolder);
        return a;
    }
    TShellAttributes a{saFileSystem};
    const bool isName = last.Kind == ikName;
    if (isName && last.Name[0] == '.')
        a.Include(saHidden);
    struct stat lst{};
    if (::lstat(path.c_str(), &lst) != 0)
        return a;
    a.Include(saExists);
    if (isName)
        a = a + TShellAttributes{saCanRename, saCanCopy, saCanMove, saCanDelete};
    struct stat st{};
    if (S_ISLNK(lst.st_mode)) {
        a.Include(saLink);
        if (::stat(path.c_str(), &st) != 0)
            return a;  // a dangling link
    } else {
        st = lst;
    }
    if (S_ISDIR(st.st_mode))
        a = a + FolderAttributes(path, withSubFolders);
    if (::access(path.c_str(), W_OK) != 0)
        a.Include(saReadOnly);
    return a;
}

std::string ShellNameOf(const TItemIDList& absolute, TShellNameFlag flag) {
    std::string path;
    if (flag == snForParsing && ShellPathOfID(absolute, path))
        return path;
    if (absolute.Empty())
        return ShellText::Desktop;
    const TShellIdItem& last = absolute.Items.back();
    switch (last.Kind) {
    case ikHome: return ShellText::Home;
    case ikComputer: return ShellText::Computer;
    case ikMount:
        if (const TMountEntry* m = MountAt(last.Name))
            return LossyUtf8(m->DisplayName());
        return LossyUtf8(last.Name);
    default: return LossyUtf8(last.Name);
    }
}

std::unique_ptr<TNamespaceFolder> DesktopFolder() {
    return std::make_unique<TNamespaceFolder>(TItemIDList{});
}

std::vector<TItemIDList> TNamespaceFolder::EnumObjects(TShellObjectTypes types) const {
    std::vector<TShellIdItem> items;
    ListChildren(FID, types, [&](TShellIdItem&& item) {
        items.push_back(std::move(item));
        return true;
    });
    std::stable_sort(items.begin(), items.end(),
                     [](const TShellIdItem& a, const TShellIdItem& b) { return CompareShellItems(a, b) < 0; });
    std::vector<TItemIDList> lists;
    lists.reserve(items.size());
    for (auto& item : items)
        lists.push_back(TItemIDList{{std::move(item)}});
    return lists;
}

bool TNamespaceFolder::HasItems(TShellObjectTypes types) const {
    bool any = false;
    ListChildren(FID, types, [&](TShellIdItem&&) {
        any = true;
        return false;
    });
    return any;
}

int TNamespaceFolder::CompareIDs(const TItemIDList& a, const TItemIDList& b) const {
    if (IDListsEqual(IDListJoin(FID, a), IDListJoin(FID, b)))
        return 0;
    const size_t n = std::min(a.Items.size(), b.Items.size());
    for (size_t i = 0; i < n; ++i)
        if (const int c = CompareShellItems(a.Items[i], b.Items[i]); c != 0)
            return c;
    return a.Items.size() < b.Items.size() ? -1 : 1;
}

TShellAttributes TNamespaceFolder::GetAttributesOf(const TItemIDList& relative, bool withSubFolders) const {
    return ShellAttributesOf(IDListJoin(FID, relative), withSubFolders);
}

std::string TNamespaceFolder::GetDisplayNameOf(const TItemIDList& relative, TShellNameFlag flag) const {
    return ShellNameOf(IDListJoin(FID, relative), flag);
}

TItemIDList TNamespaceFolder::SetNameOf(const TItemIDList& relative, const std::string& newName) const {
    const TItemIDList absolute = IDListJoin(FID, relative);
    std::string path;
    if (absolute.Empty() || absolute.Items.back().Kind != ikName || !ShellPathOfID(absolute, path) ||
        IsNetworkMountPoint(path) || MountAt(path))
        throw EShellError(RenameRefusal(newName, Format("\"%s\" cannot be renamed", ShellNameOf(absolute, snNormal))));
    if (newName.empty())
        throw EShellError(RenameRefusal(newName, "The name is empty"));
    if (newName.find('/') != std::string::npos)
        throw EShellError(RenameRefusal(newName, "A name cannot contain \"/\""));
    if (newName == "." || newName == ".." || newName.find('\0') != std::string::npos)
        throw EShellError(RenameRefusal(newName, Format("\"%s\" is not a valid name", newName)));
    TItemIDList renamed = relative;
    if (renamed.Empty())
        throw EShellError(RenameRefusal(newName, "Nothing to rename"));
    if (renamed.Items.back().Name == newName)
        return renamed;
    const std::string target = ChildPath(ExtractFileDir(path), newName);
    // Never replaces: the kernel checks and renames in one step where the file
    // system allows it; elsewhere a check just before the rename must do.
    int rc = ::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE);
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
        struct stat st{};
        if (::lstat(target.c_str(), &st) == 0) {
            errno = EEXIST;
        } else {
            rc = ::rename(path.c_str(), target.c_str());
        }
    }
    if (rc != 0) {
        const int error = errno;
        if (error == EEXIST || error == ENOTEMPTY)
            throw EShellError(RenameRefusal(newName, Format("An item named \"%s\" already exists", LossyUtf8(newName))));
        throw EShellError(RenameRefusal(newName, SysErrorMessage(error)));
    }
    renamed.Items.back().Name = newName;
    return renamed;
}

std::unique_ptr<TNamespaceFolder> TNamespaceFolder::BindToObject(const TItemIDList& relative) const {
    TItemIDList absolute = IDListJoin(FID, relative);
    if (!ShellAttributesOf(absolute).Contains(saFolder))
        return nullptr;
    return std::make_unique<TNamespaceFolder>(std::move(absolute));
}
