#pragma once
#include <string>
#include <vector>
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"

// The pictures built into the program: drawn at build time and embedded, and
// found here by name (case-insensitive) or number. Nothing is read from disk.
//
// Names:
// - button glyphs "Image4" .. "Image17" and the about picture "Image1";
// - the BS_ bitmaps of sliders, file boxes and file dialogs ("BS_HTB", "BS_BACK", ...);
// - icons at a size, stored as <name>_<size>: "MAINICON" (16, 32, 48), the
//   message-box icons "ICON_HAND", "ICON_QUESTION", "ICON_EXCLAMATION",
//   "ICON_ASTERISK" (16, 32), the shell icons "SHELL_FOLDER" ... (16, 32) and
//   the category pictures "CATEGORY_<code>" (48 in the category list, 32 in
//   the format list);
// - picture lists "CATEGORIES" (35 pictures, 48 x 48) and "FORMATS" (35, 32 x 32),
//   picture index = category code.

// How a picture is transparent: not at all, by its bottom-left key colour
// (24-bit, TransparentMode tmAuto), or by its alpha channel (32-bit, afDefined).
enum TResTransparency { rtOpaque, rtKeyed, rtAlpha };

struct TResPictureInfo {
    std::string Name;
    int Width = 0;
    int Height = 0;
    TResTransparency Transparency = rtOpaque;
};

// A name or number the program carries no picture for.
class EResNotFound : public Exception {
public:
    using Exception::Exception;
};

// The system icon numbers of the message box.
constexpr int IconHand = 32513;         // error
constexpr int IconQuestion = 32514;     // confirmation
constexpr int IconExclamation = 32515;  // warning
constexpr int IconAsterisk = 32516;     // information

// False, with Picture untouched, for an unknown name.
bool FindResBitmap(const std::string& Name, TBitmap& Picture);
// Raises EResNotFound for an unknown name.
TBitmap LoadResBitmap(const std::string& Name);
bool ResBitmapExists(const std::string& Name);

// An icon at a size in pixels: Name + "_" + Size ("SHELL_FOLDER", 16 is
// "SHELL_FOLDER_16"). Raises EResNotFound when that size is not carried.
TBitmap LoadResIcon(const std::string& Name, int Size);
// The message-box icons by number (IconHand .. IconAsterisk).
TBitmap LoadResIcon(int Id, int Size = 32);

// A picture list's pictures in order; raises EResNotFound for an unknown list.
std::vector<TBitmap> LoadResPictureList(const std::string& Name);

// Everything carried, for catalogues and checks.
std::vector<TResPictureInfo> ResPictures();
std::vector<std::string> ResPictureLists();
