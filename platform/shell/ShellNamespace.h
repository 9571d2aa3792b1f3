#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/shell/ItemIDList.h"
#include "platform/shell/MountTable.h"

// The user folders of the desktop's user-dirs settings that the namespace knows.
enum TUserFolder { ufDesktop, ufDocuments, ufMusic, ufPictures, ufVideos };

// Everything the namespace takes from the machine. Tests and renders install
// their own, so that nothing depends on the machine they run on.
struct TShellEnvironment {
    std::string HomeFolder;                              // absolute
    std::string UserName;                                // for /run/media/<user>
    std::map<TUserFolder, std::string> UserFolders;      // only the folders that are set up
    std::function<std::vector<TMountEntry>()> ReadMounts;  // read again whenever Computer is listed
    std::function<void(const std::string& path)> Opener;   // opens a file or folder for the user
};

// Home from core, the user folders from user-dirs.dirs, the mounts from
// /proc/self/mountinfo, the core's opener.
TShellEnvironment SystemShellEnvironment();
// Installs the environment (paths are normalised); the mount table is read again.
void SetShellEnvironment(TShellEnvironment env);
// The installed environment; the system's until one is installed.
const TShellEnvironment& ShellEnvironment();
// The mounts as last read; Computer's listing reads them again.
const std::vector<TMountEntry>& ShellMounts();
void RefreshShellMounts();

// Lexical normal form of an absolute path: no "//", "." or "..", no trailing
// "/" (except "/"); empty for a relative or empty path. No I/O.
std::string NormalizeShellPath(const std::string& path);
// The file-system path of an absolute identifier; false for the virtual
// folders (Desktop, Computer) and for lists that name nothing.
bool ShellPathOfID(const TItemIDList& id, std::string& path);
// The identifier of an absolute path: under the home folder through Home,
// else through Computer and the longest mount that holds it. Also takes the
// parsing names of the virtual folders. Raises EInvalidPath ("Error setting
// path") for a relative or empty text. Lexical: no I/O.
TItemIDList ParseDisplayName(const std::string& text);
// Same virtual item or same lexical path; never any I/O.
bool IDListsEqual(const TItemIDList& a, const TItemIDList& b);
// The shell order of two items of one folder: Home before Computer, "/" before
// other mounts, folders before files, then names without regard to ASCII
// case, then byte by byte.
int CompareShellItems(const TShellIdItem& a, const TShellIdItem& b);

// The listed mount whose mount point is exactly path, or nullptr.
const TMountEntry* MountAt(const std::string& path);
// The network mount that path lies in (or is), or nullptr. Such paths are never
// scanned for sub-folders, and a network mount point is never statted.
const TMountEntry* NetworkMountOf(const std::string& path);
