#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Set.h"
#include "platform/shell/ItemIDList.h"

enum TShellObjectType { otFolders, otNonFolders, otHidden };
using TShellObjectTypes = TSet<TShellObjectType>;

// What the namespace knows of an item.
enum TShellAttribute {
    saFolder,              // can be browsed into
    saHasSubFolder,        // holds at least one visible folder (asked for explicitly: it reads the folder)
    saFileSystem,          // has a path
    saFileSystemAncestor,  // a folder that holds file-system items
    saLink,                // a symbolic link
    saReadOnly,            // cannot be written by this user
    saHidden,              // a name starting with "."
    saRemovable,           // a removable or optical mount
    saCanRename,           // a file or folder name (not a virtual folder, home or mount)
    saCanCopy,
    saCanMove,
    saCanDelete,
    saDropTarget,          // a folder that takes files
    saExists               // found on the file system (virtual folders always are)
};
using TShellAttributes = TSet<TShellAttribute>;

// The kinds of name: the one shown in the item's folder, the normal one (the
// same here) and the parsing name (the absolute path; a virtual folder answers
// its display name, which ParseDisplayName takes back).
enum TShellNameFlag { snNormal, snInFolder, snForParsing };

// One folder of the namespace: the Desktop, Computer, home, a mount or any
// folder below. Binding one does no I/O; its operations take identifiers
// relative to it (one item or more) and read the file system when asked.
class TNamespaceFolder {
public:
    explicit TNamespaceFolder(TItemIDList id) : FID(std::move(id)) {}

    const TItemIDList& ID() const { return FID; }

    // The children as one-item relative lists, in the shell order. Listing
    // skips FIFOs, sockets and devices; hidden names come only with otHidden.
    // Raises EShellError when the folder cannot be read.
    std::vector<TItemIDList> EnumObjects(TShellObjectTypes types) const;
    // Whether EnumObjects would give anything; stops at the first item.
    bool HasItems(TShellObjectTypes types) const;
    // The shell order of two relative lists; 0 exactly when they name one item. No I/O.
    int CompareIDs(const TItemIDList& a, const TItemIDList& b) const;
    // The attributes of a relative item. saHasSubFolder is looked for only when
    // withSubFolders is set; it is assumed, never read, on network mounts.
    TShellAttributes GetAttributesOf(const TItemIDList& relative, bool withSubFolders = false) const;
    // Display names are valid UTF-8 (bytes that are not become U+FFFD); the
    // parsing name keeps the path's bytes.
    std::string GetDisplayNameOf(const TItemIDList& relative, TShellNameFlag flag) const;
    // Renames the item's last name in place and answers the new relative list.
    // Refuses empty names, names with "/", "." and "..", items that are not
    // file names, and never replaces an existing item: EShellError
    // "Rename to <name> failed. <reason>".
    TItemIDList SetNameOf(const TItemIDList& relative, const std::string& newName) const;
    // The folder of a relative item, or nullptr when the item is no folder.
    std::unique_ptr<TNamespaceFolder> BindToObject(const TItemIDList& relative) const;

private:
    TItemIDList FID;
};

// The Desktop, root of the namespace.
std::unique_ptr<TNamespaceFolder> DesktopFolder();
// The attributes of an absolute identifier (see GetAttributesOf).
TShellAttributes ShellAttributesOf(const TItemIDList& absolute, bool withSubFolders = false);
// The display name of an absolute identifier.
std::string ShellNameOf(const TItemIDList& absolute, TShellNameFlag flag);
