#pragma once
#include <string>
#include "platform/gfx/Geometry.h"

class TbsSkinData;
class TControl;
class TMainMenu;
class TMenuItem;
struct TMessage;

// What the form frame needs of the parts that sit around it: the skinned menu
// engine, the main menu bar, the object hint, the tray icon and the layered
// border. Each is a narrow interface so that the frame is complete without
// them; the menus, hint, tray and border plug in behind these faces.

// The frame's skinned popup-menu engine (one per form, owned by the frame).
class IbsFrameMenuEngine {
public:
    virtual ~IbsFrameMenuEngine() = default;
    virtual bool Visible() const = 0;
    virtual void Hide() = 0;
    // Opens Items below R (above with PopupUp) with the given skin.
    virtual void Popup(TMenuItem* Items, const TRect& R, bool PopupUp, TbsSkinData* SkinData) = 0;
    // The same for another form's menu: Opener is told when the menu closes.
    virtual void PopupFor(TControl* Opener, TMenuItem* Items, const TRect& R, bool PopupUp, TbsSkinData* SkinData)
    {
        (void)Opener;
        Popup(Items, R, PopupUp, SkinData);
    }
    // A key for the topmost popup window of the open menu.
    virtual void PopupKeyDown(int Key) = 0;
    // The number of popup windows open.
    virtual int WindowCount() const = 0;
    // Whether the topmost popup window's selected item opens a sub-menu.
    virtual bool TopSelectedHasSubItems() const = 0;
};

// The skinned main menu bar of a form.
class IbsFrameMenuBar {
public:
    virtual ~IbsFrameMenuBar() = default;
    // Keyboard menu mode: sets the frame's InMainMenu and hooks the application.
    virtual void EnterMenuMode() = 0;
    virtual void LeaveMenuMode() = 0;
    virtual void ReleaseDownItem() = 0;
    virtual bool ProcessAccelerator(int Key) = 0;
    virtual void PriorMainMenuItem() = 0;
    virtual void NextMainMenuItem() = 0;
    virtual bool OpenActiveItem() = 0;
    // Runs the item of the bar's menus whose shortcut the key message is: the
    // form's own menu is taken off once the bar shows it.
    virtual bool IsShortCut(TMessage& /*Msg*/) { return false; }
    // The active MDI child's main menu merged into the bar, nullptr when none.
    virtual TMainMenu* ChildMainMenu() const { return nullptr; }
    // An MDI child of the bar's form was maximized: its caption buttons join
    // the bar; restored (or gone): they follow or leave.
    virtual void MDIChildMaximize() {}
    virtual void MDIChildRestore() {}
    // The active child changed: a merged child menu is built again.
    virtual void UpdateChildMenu() {}
};

// The skinned hint window used for frame-object hints.
class IbsFrameHint {
public:
    virtual ~IbsFrameHint() = default;
    virtual void HideHint() = 0;
    virtual void ActivateHint2(const std::string& Text) = 0;
};

// The notification-area icon of a form.
class IbsFrameTray {
public:
    virtual ~IbsFrameTray() = default;
    virtual bool IconVisible() const = 0;
    // Whether the desktop holds the icon now (it may have no tray at all).
    virtual bool IconShown() const { return IconVisible(); }
    virtual void ShowIcon() = 0;
    virtual void HideIcon() = 0;
};

// The translucent border windows drawn around a skinned form.
class IbsLayeredBorder {
public:
    virtual ~IbsLayeredBorder() = default;
    virtual bool Visible() const = 0;
    virtual void Hide() = 0;
    // The border's own active look, applied at its next redraw.
    virtual void SetActiveFlag(bool Active) = 0;
    virtual void SetActive(bool Active, bool Redraw) = 0;
    virtual void ShowWithForm() = 0;
    virtual void ShowWithFormAnimation() = 0;
    virtual void SetBoundsWithForm() = 0;
    virtual void SetBoundsWithForm3(int Left, int Top, int Width, int Height) = 0;
    virtual void MoveWithForm2(int Left, int Top) = 0;
    virtual void CheckFormAlpha(int Alpha, bool Redraw) = 0;
    // Prepares the border for the current skin and form.
    virtual void InitFrame() = 0;
    // How far the border reaches past the form on each side (Left, Top,
    // Right, Bottom thicknesses); empty when it has no border rectangle.
    virtual TRect BorderSizes() const { return TRect{0, 0, 0, 0}; }
};
