#pragma once
#include <functional>
#include "platform/ui/WinTypes.h"

class TWinControl;
class TbsShellFolder;
class IbsVerbHandler;
class TbsSkinPopupMenu;

// The item menu of the shell controls: a skinned popup with two verbs, "open"
// (the desktop's opener) and "rename". The verb goes to the control's
// IbsVerbHandler first; what it leaves unhandled runs on the item the control
// has selected when the verb is chosen (the menu may outlive the item it was
// opened on).
class TbsShellContextMenu {
public:
    using TSelectedFolder = std::function<TbsShellFolder*()>;
    TbsShellContextMenu(TWinControl* Control, IbsVerbHandler* Handler, TSelectedFolder Selected);

    // Opens the menu at a screen point; false when there is nothing to act on
    // or no skinned menu engine on the control's form.
    bool Show(int X, int Y);
    // Opens the menu where a WM_CONTEXTMENU's LParam points, or over the
    // control's centre when the keyboard asked for it (-1, -1).
    bool ShowForMessage(LPARAM LParam);
    // Runs a verb as a menu click would.
    void RunVerb(const char* Verb);
    TbsSkinPopupMenu* Menu() const { return FMenu; }

private:
    TWinControl* FControl;
    IbsVerbHandler* FHandler;
    TSelectedFolder FSelected;
    TbsSkinPopupMenu* FMenu = nullptr;   // owned by the control
};

// The texts of the two verbs.
namespace ShellMenuText {
inline constexpr const char* Open = "打开";
inline constexpr const char* Rename = "重命名";
}  // namespace ShellMenuText
