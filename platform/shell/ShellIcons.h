#pragma once
#include <functional>
#include <string>

#include "platform/gfx/Bitmap.h"
#include "platform/shell/ItemIDList.h"

class TImageList;

// The namespace's icons, in the fixed order of their indexes in both image lists.
enum TShellIcon {
    siFolder, siFolderOpen, siHome, siDesktop, siComputer, siDisk, siRemovable, siOptical, siNetwork,
    siFile, siFileVideo, siFileAudio, siFileImage, siFileText, siFileArchive, siFileProgram,
    siCount
};

// The picture name of an icon ("SHELL_FOLDER", ...), as the program's picture library knows it.
const char* ShellIconName(TShellIcon icon);
// The icon of a file by its extension (".mp4" is a video, ".zip" an archive, ...).
TShellIcon FileIconOf(const std::string& fileName);

// Gives the picture of a name at a size (16 or 32) as a 32-bit bitmap with
// alpha, or an empty bitmap when it has none. The program installs its
// picture library here once; this layer cannot link it.
using TShellIconProvider = std::function<TBitmap(const std::string& name, int size)>;
// Installs (or, empty, removes) the provider; the image lists are filled again.
void SetShellIconProvider(TShellIconProvider provider);
bool HasShellIconProvider();

// The two image lists, 16 and 32 pixels, one picture per TShellIcon at its
// index; nullptr while no provider is installed. Owned by the namespace: the
// same objects for the whole run.
TImageList* ShellImageList(bool large);
// The index of an icon in both lists, or -1 when the provider gave no picture
// for it (or none is installed).
int ShellIconImageIndex(TShellIcon icon);
// The icon of an item: the virtual folders and mounts their own, folders
// (open or closed), files by extension.
TShellIcon ShellIconOf(const TItemIDList& absolute, bool open);
// Its index in the image lists, or -1.
int ShellIconIndex(const TItemIDList& absolute, bool large, bool open);
