#pragma once
#include "platform/gfx/Geometry.h"
#include "platform/ui/WinTypes.h"
#include "skin/boxes/BoxButtons.h"

// The drop button of a combo and the press that opens its list, shared by the
// edit combo and the office picker: a press on the button (or the face)
// opens the list or closes an open one; a press that went on over the list
// and was let go there accepts the row under it.
class TbsDropButtonPress {
protected:
    virtual ~TbsDropButtonPress() = default;

    // What the combo does for it.
    virtual bool DropListShown() const = 0;
    virtual void OpenDropList() = 0;
    virtual void CloseDropList(bool Accept) = 0;
    // The list's window, or none before it exists.
    virtual HWND DropListWindow() const = 0;
    virtual void RepaintDropButton() = 0;

    // The button (or face) is pressed with the left button.
    void PressDropButton();
    // The mouse moved to P over the combo: the button shows whether it is under it.
    void HoverDropButton(TPoint P);
    // The mouse is let go: a press that went on over the list closes it,
    // accepting the row when let go over the list.
    void EndListPress();
    // ... and the button comes up.
    void ReleaseDropButton();

    TbsCBButtonX FButton;
    bool FLBDown = false;   // a press on the combo still holds the mouse for the list
    bool WasInLB = false;   // ... and has been over the list
};
