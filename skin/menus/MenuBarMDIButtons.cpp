#include "platform/gfx/Canvas.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/SkinData.h"
#include "platform/ui/forms/Application.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"

// While an MDI child of the bar's form is maximized it has no frame of its
// own: its system-menu, close, restore and minimize buttons sit on the bar.

namespace {
// The frame of the maximized child, nullptr when none.
TbsFormFrame* MaximizedChildFrame(TbsFormFrame* BarFrame)
{
    if (!BarFrame)
        return nullptr;
    TCustomForm* child = BarFrame->GetMaximizedMDIChild();
    return child ? GetFormFrame(child) : nullptr;
}
}  // namespace

void TbsSkinMainMenuBar::CreateMDIButtons()
{
    DeleteMDIButtons();
    const bool skinned = FIndex != -1 && FSD && !FSD->Empty;
    struct TSlot {
        TbsStdCommand Command;
        const std::string* SkinName;
        const char* PlainName;
    };
    const TSlot order[] = {{cmSysMenu, &SysMenuButton, "SysMenuButton"},
                           {cmClose, &CloseButton, "CloseButton"},
                           {cmMaximize, &MaxButton, "MaxButton"},
                           {cmMinimize, &MinButton, "MinButton"}};
    for (const TSlot& slot : order) {
        // The bar's entry names each button's description in the skin's
        // object list; a missing one gives the plain look.
        const TbsDataSkinObject* data = nullptr;
        if (skinned)
            for (const auto& d : FSD->ObjectList)
                if (dynamic_cast<const TbsDataSkinStdButton*>(d.get()) && d->IDName == *slot.SkinName) {
                    data = d.get();
                    break;
                }
        auto button = std::make_unique<TbsSkinMainMenuBarButton>(this, data, slot.Command);
        button->IDName = skinned ? *slot.SkinName : slot.PlainName;
        MDIButtons.push_back(std::move(button));
    }
}

void TbsSkinMainMenuBar::DeleteMDIButtons()
{
    MDIButtons.clear();
    ActiveButton = ButtonCaptureObject = -1;
}

void TbsSkinMainMenuBar::ApplyMDIBorderIcons()
{
    TbsFormFrame* child = MaximizedChildFrame(BSF);
    if (!child)
        return;
    const TbsBorderIcons icons = child->BorderIcons();
    for (auto& b : MDIButtons)
        b->Enabled = !(b->Command == cmMinimize && !icons.Contains(TbsBorderIcon::biMinimize)) &&
                     !(b->Command == cmSysMenu && !icons.Contains(TbsBorderIcon::biSystemMenu));
}

void TbsSkinMainMenuBar::MDIChildMaximize()
{
    if (FMDIChildMax)
        return;
    FMDIChildMax = true;
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    CreateMDIButtons();
    ApplyMDIBorderIcons();
    Invalidate();
}

void TbsSkinMainMenuBar::MDIChildRestore()
{
    if (!FMDIChildMax)
        return;
    if (!MaximizedChildFrame(BSF)) {
        FMDIChildMax = false;
        DeleteMDIButtons();
        Invalidate();
        return;
    }
    ApplyMDIBorderIcons();
    Invalidate();
}

void TbsSkinMainMenuBar::UpdateChildMenu()
{
    if (ChildMenuIn || GetChildMainMenu())
        UpDateItems();
}

void TbsSkinMainMenuBar::PlaceMDIButtons()
{
    if (!FMDIChildMax || MDIButtons.size() != 4)
        return;
    const int rowH = NewItemsRect.Height();
    for (auto& b : MDIButtons) {
        // A skinned button keeps its picture's size, centred in the row; a
        // plain one is a square of the row's height.
        const bool skinned = b->Skinned();
        const int w = skinned ? b->SkinRect.Width() : rowH;
        const int h = skinned ? b->SkinRect.Height() : rowH;
        const int top = skinned ? NewItemsRect.Top + rowH / 2 - h / 2 : NewItemsRect.Top;
        if (b->Command == cmSysMenu) {
            b->ObjectRect = TRect{NewItemsRect.Left, top, NewItemsRect.Left + w, top + h};
            NewItemsRect.Left += w + 2;
        } else {
            b->ObjectRect = TRect{NewItemsRect.Right - w, top, NewItemsRect.Right, top + h};
            NewItemsRect.Right -= w + 2;
        }
    }
}

void TbsSkinMainMenuBar::DrawMDIButtons(TCanvas& C)
{
    for (auto& b : MDIButtons)
        if (!b->ObjectRect.IsEmpty())
            b->Draw(C);
}

void TbsSkinMainMenuBar::TestMDIButtons(int X, int Y)
{
    int hit = MDIButtonAt(X, Y);
    // A pressed button or item holds the mouse: nothing else lights up.
    if ((ButtonCaptureObject != -1 && hit != ButtonCaptureObject) || MouseCaptureObject != -1)
        hit = -1;
    if (hit == ActiveButton)
        return;
    const int old = ActiveButton;
    ActiveButton = hit;
    if (old != -1 && old < ButtonsCount() && MDIButtons[size_t(old)]->Enabled)
        MDIButtons[size_t(old)]->MouseLeave();
    if (hit != -1)
        MDIButtons[size_t(hit)]->MouseEnter();
}

int TbsSkinMainMenuBar::MDIButtonAt(int X, int Y) const
{
    for (size_t i = 0; i < MDIButtons.size(); ++i)
        if (MDIButtons[i]->Enabled && MDIButtons[i]->ObjectRect.Contains(TPoint{X, Y}))
            return int(i);
    return -1;
}

bool TbsSkinMainMenuBar::MDIButtonsMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TestMDIButtons(X, Y);
    if (ActiveButton == -1)
        return false;
    const int pressed = ButtonCaptureObject = ActiveButton;
    MDIButtons[size_t(pressed)]->MouseDown(X, Y, Button);
    // The system menu opened from its button holds the mouse from here.
    if (TbsSkinMenu* engine = MenuEngine(); engine && engine->Visible())
        ButtonCaptureObject = -1;
    // The press may have rebuilt the buttons: look the button up again.
    if (Shift.Contains(ssDouble) && pressed < ButtonsCount())
        MDIButtons[size_t(pressed)]->DblClick();   // may close the child and take the buttons away
    return true;
}

bool TbsSkinMainMenuBar::MDIButtonsMouseUp(TMouseButton Button, int X, int Y)
{
    if (ButtonCaptureObject == -1 || ButtonCaptureObject >= ButtonsCount())
        return false;
    // Released outside, the button is no longer active and does not click.
    TestMDIButtons(X, Y);
    TbsSkinMainMenuBarButton* b = MDIButtons[size_t(ButtonCaptureObject)].get();
    ButtonCaptureObject = -1;
    b->MouseUp(X, Y, Button);   // its click may take the buttons away
    return true;
}

void TbsSkinMainMenuBar::WMCloseSkinMenu()
{
    for (int i = 0; i < ButtonsCount(); ++i) {
        TbsSkinMainMenuBarButton* b = MDIButtons[size_t(i)].get();
        if (!b->FDown || b->Command != cmSysMenu)
            continue;
        b->FDown = false;
        if (i != ActiveButton) {
            b->FMouseIn = false;
            b->Active = false;
        }
        b->ReDraw();
    }
}
