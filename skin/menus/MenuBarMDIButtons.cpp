#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/SkinData.h"
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
    const bool skinned = FIndex != -1 && FSD && !FSD->Empty;
    const std::pair<TbsStdCommand, const std::string*> order[] = {
        {cmSysMenu, &SysMenuButton}, {cmClose, &CloseButton}, {cmMaximize, &MaxButton}, {cmMinimize, &MinButton}};
    for (auto [command, name] : order) {
        TMDIButton b{command};
        if (skinned) {
            b.IDName = *name;
            // The bar's entry names each button's description in the skin's object list.
            for (const auto& d : FSD->ObjectList)
                if (auto* sb = dynamic_cast<const TbsDataSkinStdButton*>(d.get()); sb && d->IDName == *name) {
                    b.Command = sb->Command;
                    b.SkinRect = sb->SkinRect;
                    b.ActiveSkinRect = sb->ActiveSkinRect;
                    b.DownRect = sb->DownRect;
                    b.ButtonPicture = FSD->ActivePicture(sb->ActivePictureIndex);
                    b.SkinSupport = b.ButtonPicture && !b.SkinRect.IsEmpty();
                    break;
                }
        }
        MDIButtons.push_back(b);
    }
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
    const int rowH = NewItemsRect.Height();
    for (TMDIButton& b : MDIButtons) {
        // A skinned button keeps its picture's size, centred in the row; a
        // plain one is a square of the row's height.
        const int w = b.SkinSupport ? b.SkinRect.Width() : rowH;
        const int h = b.SkinSupport ? b.SkinRect.Height() : rowH;
        const int top = b.SkinSupport ? NewItemsRect.Top + rowH / 2 - h / 2 : NewItemsRect.Top;
        if (b.Command == cmSysMenu) {
            b.Rect = TRect{NewItemsRect.Left, top, NewItemsRect.Left + w, top + h};
            NewItemsRect.Left += w + 2;
        } else {
            b.Rect = TRect{NewItemsRect.Right - w, top, NewItemsRect.Right, top + h};
            NewItemsRect.Right -= w + 2;
        }
    }
}

void TbsSkinMainMenuBar::TestMDIButtons(int X, int Y)
{
    const int hit = MDIButtonAt(X, Y);
    for (size_t i = 0; i < MDIButtons.size(); ++i)
        if (MDIButtons[i].MouseIn != (int(i) == hit)) {
            MDIButtons[i].MouseIn = int(i) == hit;
            Invalidate();
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
        if (b.Rect.IsEmpty())
            continue;
        if (!b.SkinSupport) {
            DrawPlainMDIButton(C, b);
            continue;
        }
        // Pressed under the pointer: the down image; hovered: the active one.
        TRect source = b.SkinRect;
        if (b.Down && b.MouseIn && !b.DownRect.IsEmpty())
            source = b.DownRect;
        else if ((b.MouseIn || b.Down) && b.Enabled && !b.ActiveSkinRect.IsEmpty())
            source = b.ActiveSkinRect;
        C.CopyRect(b.Rect, *const_cast<TBitmap*>(b.ButtonPicture)->Canvas(), source);
    }
}

void TbsSkinMainMenuBar::DrawPlainMDIButton(TCanvas& C, const TMDIButton& b)
{
    const TRect r = b.Rect;
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
