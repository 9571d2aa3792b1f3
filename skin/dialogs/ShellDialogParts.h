#pragma once
#include <string>

#include "platform/gfx/Bitmap.h"

class TbsSkinData;
class TbsFormFrame;
class TbsSkinDialogComponent;

// Pieces the select-folder, open/save and picture dialogs share.
namespace ShellDialogParts {

// A user-visible text of the dialogs: the control skin's table, else the built-in English.
std::string DialogText(const TbsSkinData* CtrlSkinData, const std::string& Key);
// A 16x16 glyph of the program's pictures ("BS_NEWFOLDER", ...); empty when missing.
TBitmap Glyph(const std::string& Name);
// Client size: the asked one (or the default when 0 or less), raised to the
// frame's minimum when the frame has a skin.
void FitClientSize(int& Width, int& Height, int DefaultWidth, int DefaultHeight, const TbsFormFrame& Frame);
// The frame of a dialog's form: no caption buttons, the component's skins
// (the controls' skin for its menus), minimum size and translucency.
void SetUpFrame(TbsFormFrame& Frame, const TbsSkinDialogComponent& Dialog, int MinWidth, int MinHeight,
                bool AlphaBlend, int AlphaBlendValue, bool AlphaBlendAnimation);
// A regular file (a FIFO or device is none).
bool IsRegularFile(const std::string& Path);

}  // namespace ShellDialogParts
