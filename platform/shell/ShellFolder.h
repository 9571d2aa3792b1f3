#pragma once
#include <memory>
#include <string>
#include <vector>

#include "platform/core/DateTime.h"
#include "platform/core/Object.h"
#include "platform/core/Set.h"
#include "platform/shell/ItemIDList.h"
#include "platform/shell/NamespaceFolder.h"
#include "platform/shell/ShellErrors.h"

// A root of a folder control: the name of a TRootFolder value (any letter
// case) or an absolute path.
using TRoot = std::string;

enum TRootFolder {
    rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
    rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
    rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};
// The ordinal of a root folder name (without regard to case), or -1.
int RootFolderIndex(const std::string& name);

enum TbsShellFolderProperty {
    fpCut, fpIsLink, fpReadOnly, fpShared, fpFileSystem, fpFileSystemAncestor, fpRemovable, fpValidate
};
using TbsShellFolderProperties = TSet<TbsShellFolderProperty>;
enum TbsShellFolderCapability { fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet };
using TbsShellFolderCapabilities = TSet<TbsShellFolderCapability>;

// What the details columns show of an item, with the numbers they sort on.
struct TShellFindData {
    bool IsDirectory = false;
    int64_t Size = 0;             // bytes; 0 for folders
    TDateTime Modified = 0;       // local time; 0 when unknown
};

// One item of the namespace for the folder controls and file dialogs: its
// identifier relative to its parent object and from the Desktop, the parent
// object (not owned) and the item's own folder when it is one.
class TbsShellFolder : public TObject {
public:
    // Without a parent the item hangs below DesktopItem(); ID is relative to
    // the parent (to the Desktop without one). SF is the item's folder, or nullptr.
    TbsShellFolder(TbsShellFolder* AParent, const TItemIDList& ID, std::unique_ptr<TNamespaceFolder> SF);
    ~TbsShellFolder() override;

    const TItemIDList& RelativeID() const { return FPIDL; }
    const TItemIDList& AbsoluteID() const { return FFullPIDL; }
    TbsShellFolder* Parent() const { return FParent; }
    // Objects above the parent passed to the constructor: 0 below the Desktop.
    int Level() const { return FLevel; }
    TNamespaceFolder* ShellFolder() const { return FIShellFolder.get(); }
    // The folder RelativeID() is relative to: the parent's, or the Desktop.
    const TNamespaceFolder& ParentShellFolder() const { return FParentFolder; }

    TbsShellFolderProperties Properties() const;
    TbsShellFolderCapabilities Capabilities() const;
    bool SubFolders() const;
    bool IsFolder() const;
    // The parsing name: the path, or the display name of a virtual folder.
    std::string PathName() const;
    // The path; empty for virtual folders.
    std::string FullObjectName() const;
    std::string DisplayName() const;
    // False without the rename capability; EShellError "Rename to %s failed. <reason>"
    // when the file system refuses, and the identifiers stay as they were.
    bool Rename(const std::string& NewName);
    // -1 while no icon provider is installed.
    int ImageIndex(bool LargeIcon) const;
    // Opens the item with the desktop's opener; 0 when it has no path or the
    // opener cannot start, else 1.
    int ExecuteDefault();

    // The texts of columns 1 (size, empty for folders), 2 (type) and 3
    // (modified, local time); kept once loaded. A vanished item gives empty texts.
    void LoadColumnDetails(TbsShellFolder* RootFolder, int ColumnCount);
    // The text of column Index (1 and up); Exception when nothing was loaded.
    std::string DetailText(int Index) const;
    // The numbers behind the texts, valid after LoadColumnDetails.
    const TShellFindData& FindData() const { return FFindData; }
    // Reads the item from the file system; EInvalidPath "Unable to retrieve
    // folder details ..." when it cannot.
    void ReadFindData(TShellFindData& data) const;

private:
    TItemIDList FPIDL;
    TItemIDList FFullPIDL;
    TbsShellFolder* FParent = nullptr;
    std::unique_ptr<TNamespaceFolder> FIShellFolder;
    TNamespaceFolder FParentFolder;
    int FLevel = 0;
    std::vector<std::string> FDetails;
    TShellFindData FFindData;
};

// The unit-wide object of the Desktop, parent of every root object.
TbsShellFolder* DesktopItem();

// The display name of a relative item in folder; empty for a nil folder.
std::string ShellDisplayName(const TNamespaceFolder* folder, const TItemIDList& list, TShellNameFlag flag);
// The folder of a relative item, or nullptr when it is no folder.
std::unique_ptr<TNamespaceFolder> BindShellFolder(const TNamespaceFolder* parent, const TItemIDList& list);
// Whether the folder lists anything of these types; false for a nil folder or one that cannot be read.
bool FolderHasItems(const TNamespaceFolder* folder, TShellObjectTypes types);
// A new object below DesktopItem() for an absolute identifier of a folder;
// EInvalidPath "Error setting path" when it names no folder (never the Desktop instead).
std::unique_ptr<TbsShellFolder> FolderFromIDList(const TItemIDList& list);
// Replaces folder with the root object of NewRoot: rfDesktop, rfMyComputer,
// rfPersonal and rfDesktopDirectory (the user's documents and desktop
// folders) or an absolute path to a folder. On failure NewRoot is set back to
// OldRoot, folder stays as it was and Exception "Error setting path: \"...\"" is raised.
void ResolveRootFolder(std::unique_ptr<TbsShellFolder>& folder, const TRoot& OldRoot, TRoot& NewRoot);
// Runs a verb of an item: "open" opens it, "properties" shows its property sheet.
void InvokeShellVerb(TbsShellFolder* folder, const std::string& verb);
[[noreturn]] void RaiseDetailsError(const TbsShellFolder* folder, int code);

// Implemented by the controls that show an item's menu, to handle verbs themselves.
class IbsVerbHandler {
public:
    virtual ~IbsVerbHandler() = default;
    virtual void ExecuteCommand(const std::string& Verb, bool& Handled) = 0;
    virtual void CommandCompleted(const std::string& Verb, bool Succeeded) = 0;
};
