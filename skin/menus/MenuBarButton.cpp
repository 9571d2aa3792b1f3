#include "skin/menus/MenuBarButton.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/draw/Marks.h"
#include "skin/draw/SkinImage.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/FrameObjects.h"
#include "skin/menus/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"

namespace {

// The frame of the maximized MDI child of the bar's form, nullptr when none.
TbsFormFrame* MaximizedChildFrame(TbsSkinMainMenuBar* Bar)
{
    TbsFormFrame* frame = Bar->FormFrame();
    if (!frame)
        return nullptr;
    TCustomForm* child = frame->GetMaximizedMDIChild();
    return child ? GetFormFrame(child) : nullptr;
}

}  // namespace

TbsSkinMainMenuBarButton::TbsSkinMainMenuBarButton(TbsSkinMainMenuBar* AParent, const TbsDataSkinObject* AData,
                                                   TbsStdCommand ACommand)
    : TbsMenuBarObject(AParent, AData), Command(ACommand)
{
    if (const auto* d = dynamic_cast<const TbsDataSkinStdButton*>(AData)) {
        FSkinSupport = true;
        Command = d->Command;
        DownRect = d->DownRect;
    }
}

void TbsSkinMainMenuBarButton::Draw(TCanvas& Cnvs)
{
    if (!Skinned()) {
        DefaultDraw(Cnvs);
        return;
    }
    const bool transition = (Active && FMorphKf != 1) || (!Active && FMorphKf != 0);
    if (FDown && FMouseIn && !DownRect.IsEmpty()) {
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, CopyOut(*Picture, DownRect));
    } else if (EnableMorphing() && transition) {
        TBitmap face;
        MorphFaces(CopyOut(*Picture, SkinRect), CopyOut(*Picture, ActiveSkinRect), FMorphKf, MorphKind, face);
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, face);
    } else {
        const TRect& source = Active && !ActiveSkinRect.IsEmpty() ? ActiveSkinRect : SkinRect;
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, CopyOut(*Picture, source));
    }
}

void TbsSkinMainMenuBarButton::DefaultDraw(TCanvas& Cnvs)
{
    TbsGlyphProc glyph = nullptr;
    switch (Command) {
    case cmClose: glyph = DrawCloseGlyph; break;
    case cmMaximize: glyph = DrawRestoreGlyph; break;   // the child is maximized: this button restores it
    case cmMinimize: glyph = DrawMinimizeGlyph; break;
    case cmSysMenu: glyph = DrawSysMenuGlyph; break;
    default: break;
    }
    DrawPlainCaptionButton(Cnvs, ObjectRect, FMouseIn, FDown, Enabled, glyph);
}

void TbsSkinMainMenuBarButton::MouseEnter()
{
    if (PressedSysMenu()) {
        // Its menu is open over it: nothing to show until the menu closes.
        FMouseIn = true;
        Active = true;
    } else if (FDown && EnableMorphing()) {
        FMouseIn = true;
        Active = true;
        Parent->DrawObject(this);
    } else {
        TbsMenuBarObject::MouseEnter();
    }
}

void TbsSkinMainMenuBarButton::MouseLeave()
{
    if (PressedSysMenu()) {
        FMouseIn = false;
        Active = false;
        // Held at the active image; it morphs back once its menu closes.
        if (EnableMorphing())
            FMorphKf = 1;
    } else if (FDown && EnableMorphing()) {
        FMouseIn = false;
        Active = false;
        Parent->DrawObject(this);
    } else {
        TbsMenuBarObject::MouseLeave();
    }
}

void TbsSkinMainMenuBarButton::MouseDown(int /*X*/, int /*Y*/, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || FDown)
        return;
    FDown = true;
    if (EnableMorphing() && !DownRect.IsEmpty())
        FMorphKf = 1;
    Parent->DrawObject(this);
    if (Command == cmSysMenu)
        ButtonClick();
}

void TbsSkinMainMenuBarButton::MouseUp(int /*X*/, int /*Y*/, TMouseButton Button)
{
    // The system-menu button stays down while its menu is open.
    if (!Enabled || Button != mbLeft || Command == cmSysMenu)
        return;
    FDown = false;
    Parent->DrawObject(this);
    if (EnableMorphing())
        ReDraw();
    if (Active)
        ButtonClick();
}

void TbsSkinMainMenuBarButton::DblClick()
{
    TbsFormFrame* child = MaximizedChildFrame(Parent);
    if (Command != cmSysMenu || !child)
        return;
    if (TbsSkinMenu* engine = Parent->MenuEngine())
        engine->Hide();
    Parent->FormFrame()->SkinMenuClose();
    child->Form()->Close();
}

void TbsSkinMainMenuBarButton::ButtonClick()
{
    TbsFormFrame* child = MaximizedChildFrame(Parent);
    if (!child)
        return;
    switch (Command) {
    case cmClose: child->Form()->Close(); break;
    case cmMaximize: child->SetWindowState(wsNormal); break;
    case cmMinimize: child->SetWindowState(wsMinimized); break;
    case cmSysMenu: {
        Parent->Invalidate();
        TbsFormFrame* frame = Parent->FormFrame();
        TbsSkinMenu* engine = Parent->MenuEngine();
        TMenuItem* items = child->GetSystemMenuItems();
        if (!engine || !items || items->Count() == 0) {
            // No menu will report its closing: the button comes up at once.
            FDown = false;
            Parent->DrawObject(this);
            break;
        }
        const TPoint tl = Parent->ClientToScreen(TPoint{ObjectRect.Left, ObjectRect.Top});
        const TRect r{tl.X, tl.Y, tl.X + ObjectRect.Width(), tl.Y + ObjectRect.Height()};
        frame->SkinMenuOpen();
        engine->Popup(Parent, frame->MenusSkinData() ? frame->MenusSkinData() : frame->SkinData(), 0, r, items,
                      Parent->PopupToUp());
        break;
    }
    default: break;
    }
}
