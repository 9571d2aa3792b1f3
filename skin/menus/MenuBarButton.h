#pragma once
#include "skin/menus/MenuBarItems.h"

// One of a maximized MDI child's caption buttons on the main menu bar:
// system menu, close, restore or minimize. Its images come from the skin's
// button description that the bar's entry names, morphing towards the
// active image under the pointer; without a description (or its picture) it
// takes the plain look of the frame's caption buttons.
class TbsSkinMainMenuBarButton : public TbsMenuBarObject {
public:
    TbsSkinMainMenuBarButton(TbsSkinMainMenuBar* AParent, const TbsDataSkinObject* AData, TbsStdCommand ACommand);

    // Drawn from the skin: a description with a picture and an image.
    bool Skinned() const { return FSkinSupport && Picture && !SkinRect.IsEmpty(); }

    void Draw(TCanvas& Cnvs) override;
    void MouseDown(int X, int Y, TMouseButton Button) override;
    void MouseUp(int X, int Y, TMouseButton Button) override;
    void DblClick() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void DefaultDraw(TCanvas& Cnvs);
    // Runs the command on the maximized child. Closing or restoring the
    // child takes the bar's buttons away, this one too: nothing may follow.
    void ButtonClick();

    bool FSkinSupport = false;
    TbsStdCommand Command;

private:
    bool PressedSysMenu() const { return FDown && Command == cmSysMenu; }
};
