#pragma once
#include <string>

class TCanvas;

// Path routines of the file boxes over POSIX paths. The "drive" of a path is
// the mount it lies in, named by its mount point; the root "/" is the drive
// part of every path that is split. Nothing here changes the process's
// current directory: relative paths resolve against a given base folder.

// True when Name can be read and is a directory; false for an empty name.
bool IsExistingDir(const std::string& Name);
// Dir + Name with one "/" between them; Name alone for an empty Dir.
std::string JoinPath(const std::string& Dir, const std::string& Name);
// One shortening step of a folder path: "/a/b/c/" becomes "/.../b/c/",
// then "/.../c/", then "/.../"; "/" becomes empty.
void DropFirstDir(std::string& Path);
// FileName shortened with ".../" until Canvas draws it at most MaxLen wide:
// "/a/b/f" -> "/.../b/f" -> "/.../f" -> ".../f" -> "f"; a fitting name stays.
std::string FitPathToWidth(const std::string& FileName, TCanvas& Canvas, int MaxLen);
// "[" + the mount point's last name + "]" ("[/]" for the root).
std::string DriveVolumeLabel(const std::string& MountPoint);
// A network mount's source ("//server/share"), else its volume label.
std::string DriveDisplayName(const std::string& MountPoint);
// Splits Path (relative ones against BaseDir) into the drive part "/", the
// folder and the file part. A final part without wildcards that is no file
// must be a folder and joins the folder part. Raises EInOutError when the
// folder part, or such a final part, is not an existing folder.
void SplitFilePath(const std::string& Path, const std::string& BaseDir, std::string& Drive, std::string& DirPart,
                   std::string& FilePart);
// The mount that holds Path: the longest mount point that is Path or a
// parent of it ("/" when no other does).
std::string MountOfPath(const std::string& Path);
// The number of "/" in S: the depth of a folder path.
int SlashCount(const std::string& S);
