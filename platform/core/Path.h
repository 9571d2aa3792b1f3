#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// File names are POSIX paths, passed byte-exact; "/" is the only delimiter.
constexpr char PathDelim = '/';

std::string ExtractFileName(const std::string& path);   // after the last "/"
std::string ExtractFilePath(const std::string& path);   // up to and including the last "/"
std::string ExtractFileDir(const std::string& path);    // the same without the trailing "/" (but "/" stays)
std::string ExtractFileExt(const std::string& path);    // from the last "." of the name, "" when none
std::string ChangeFileExt(const std::string& path, const std::string& ext);
std::string IncludeTrailingPathDelimiter(const std::string& path);
std::string ExcludeTrailingPathDelimiter(const std::string& path);  // "/" stays "/"

bool FileExists(const std::string& path);        // exists and is not a directory
bool DirectoryExists(const std::string& path);
// Creates the folder and every missing parent; true when it exists afterwards.
bool ForceDirectories(const std::string& dir);
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& oldName, const std::string& newName);
// Size in bytes by stat, -1 when the file does not exist.
int64_t FileSizeByName(const std::string& path);

// What a folder entry is. A link counts as what it points to; a dangling link
// is a file, so that it still shows and can be renamed or removed.
enum TFolderEntryKind { fekFile, fekDirectory, fekSpecial /* FIFO, socket or device */ };

struct TFolderEntry {
    std::string Name;
    bool IsDirectory = false;
    int64_t Size = 0;                   // 0 for folders
    TFolderEntryKind Kind = fekFile;
    int64_t Modified = 0;               // Unix seconds of the last write; 0 when unknown
};
// The entries of one folder (not recursive), hidden ones included, "." and ".."
// left out, sorted by name. Raises EInOutError when the folder cannot be read.
std::vector<TFolderEntry> ListFolder(const std::string& dir);

// Visits the entries of one folder in directory order until Visit answers
// false. Without details only Name, IsDirectory and Kind are set, and an entry
// is statted only when the directory entry does not tell its kind (links,
// unknown types); IsStatSkipped(path) may veto even that (a mount point of a
// server that may not answer is then taken for a folder). Raises EInOutError
// when the folder cannot be read.
void ScanFolder(const std::string& dir, bool details, const std::function<bool(const TFolderEntry&)>& Visit,
                const std::function<bool(const std::string& path)>& IsStatSkipped = {});

// Folders of the program and the user, each ending in "/".
std::string ProgramFolder();   // the folder of the running executable
std::string HomeFolder();      // $HOME, else the password entry
std::string ConfigFolder();    // $XDG_CONFIG_HOME, else ~/.config/
std::string CacheFolder();     // $XDG_CACHE_HOME, else ~/.cache/
