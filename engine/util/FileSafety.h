#pragma once
#include <string>

// What keeps a conversion clear of the user's own files: comparing two names
// by the file they reach, and checking an output folder without touching any
// file in it.

// Whether two names reach one file: by device and inode when both exist (so
// symbolic links, "..", "." and hard links all count), else by their resolved
// absolute paths.
bool SameFile(const std::string& AName1, const std::string& AName2);

// Whether a file may be written in the folder: a uniquely named probe file is
// created there (never replacing anything) and removed at once. 0 when it can,
// else the system's error number.
int CheckFolderWritable(const std::string& AFolder);

// The system's text of an error number: "No space left on device".
std::string SystemErrorText(int AErrno);
