#include "platform/gfx/Canvas.h"
#include "platform/ui/forms/Application.h"
#include "skin/draw/Marks.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/FrameObjects.h"
#include "skin/menus/SkinMainMenuBar.h"

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
    MDIButtons.clear();
    for (TbsStdCommand c : {cmSysMenu, cmClose, cmMaximize, cmMinimize})
        MDIButtons.push_back(TMDIButton{c});
}

void TbsSkinMainMenuBar::ApplyMDIBorderIcons()
{
    TbsFormFrame* child = MaximizedChildFrame(BSF);
    if (!child)
        return;
    const TbsBorderIcons icons = child->BorderIcons();
    for (TMDIButton& b : MDIButtons)
        b.Enabled = !(b.Command == cmMinimize && !icons.Contains(TbsBorderIcon::biMinimize)) &&
                    !(b.Command == cmSysMenu && !icons.Contains(TbsBorderIcon::biSystemMenu));
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
        MDIButtons.clear();
        ActiveObject = MouseCaptureObject = -1;
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
    const int size = NewItemsRect.Height();   // squares of the row's height
    for (TMDIButton& b : MDIButtons) {
        if (b.Command == cmSysMenu) {
            b.Rect = TRect{NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Left + size, NewItemsRect.Bottom};
            NewItemsRect.Left += size + 2;
        } else {
            b.Rect = TRect{NewItemsRect.Right - size, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Bottom};
            NewItemsRect.Right -= size + 2;
        }
    }
}

int TbsSkinMainMenuBar::MDIButtonAt(int X, int Y) const
{
    for (size_t i = 0; i < MDIButtons.size(); ++i)
        if (MDIButtons[i].Enabled && MDIButtons[i].Rect.Contains(TPoint{X, Y}))
            return int(i);
    return -1;
}

void TbsSkinMainMenuBar::DrawMDIButtons(TCanvas& C)
{
    for (const TMDIButton& b : MDIButtons) {
        TRect r = b.Rect;
        if (r.IsEmpty())
            continue;
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(clBtnFace);
        C.FillRect(r);
        TRect edge = r;
        if (b.Down)
            C.Frame3D(edge, clBtnShadow, clBtnHighlight, 1);
        else
            C.Frame3D(edge, clBtnHighlight, clBtnShadow, 1);
        const TColor ink = b.Enabled ? clBtnText : clBtnShadow;
        const int cx = (r.Left + r.Right) / 2 + (b.Down ? 1 : 0), cy = (r.Top + r.Bottom) / 2 + (b.Down ? 1 : 0);
        C.Brush().SetColor(ink);
        switch (b.Command) {
        case cmClose: DrawCloseGlyph(C, cx - 4, cy - 4, ink); break;
        case cmMinimize: C.FillRect(TRect{cx - 4, cy + 2, cx + 4, cy + 4}); break;
        case cmMaximize:   // restore: two overlapping windows
            C.FrameRect(TRect{cx - 2, cy - 5, cx + 5, cy + 1});
            C.Brush().SetColor(clBtnFace);
            C.FillRect(TRect{cx - 5, cy - 2, cx + 2, cy + 4});
            C.Brush().SetColor(ink);
            C.FrameRect(TRect{cx - 5, cy - 2, cx + 2, cy + 4});
            C.FillRect(TRect{cx - 5, cy - 2, cx + 2, cy - 1});
            break;
        default:   // the system menu: a small window
            C.FrameRect(TRect{cx - 5, cy - 4, cx + 5, cy + 4});
            C.FillRect(TRect{cx - 5, cy - 4, cx + 5, cy - 2});
            break;
        }
    }
}

void TbsSkinMainMenuBar::MDIButtonClick(const TMDIButton& Button)
{
    TbsFormFrame* child = MaximizedChildFrame(BSF);
    if (!child)
        return;
    switch (Button.Command) {
    case cmClose: child->Form()->Close(); break;
    case cmMaximize: child->SetWindowState(wsNormal); break;
    case cmMinimize: child->SetWindowState(wsMinimized); break;
    case cmSysMenu:
        if (TMenuItem* items = child->GetSystemMenuItems()) {
            const TPoint tl = ClientToScreen(TPoint{Button.Rect.Left, Button.Rect.Top});
            BSF->PopupSkinMenu1(items, TRect{tl.X, tl.Y, tl.X + Button.Rect.Width(), tl.Y + Button.Rect.Height()},
                                PopupToUp());
        }
        break;
    default: break;
    }
}
