#include "skin/menus/MenuBarItems.h"

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMainMenuBar.h"
#include "skin/menus/SkinMenu.h"

namespace {

const unsigned PlainCaptionFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

}  // namespace

// ------------------------------------------------------------ TbsMenuBarObject

TbsMenuBarObject::TbsMenuBarObject(TbsSkinMainMenuBar* AParent, const TbsDataSkinObject* AData) : Parent(AParent)
{
    if (!AData)
        return;
    IDName = AData->IDName;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    DownRect = AData->ActiveSkinRect;
    Morphing = AData->Morphing && !AData->ActiveSkinRect.IsEmpty();
    MorphKind = AData->MorphKind;
    ObjectRect = SkinRect;
    if (TbsSkinData* sd = Parent->SkinData())
        Picture = sd->ActivePicture(AData->ActivePictureIndex);
}

void TbsMenuBarObject::SetMorphKf(double Value) { FMorphKf = std::clamp(Value, 0.0, 1.0); }

bool TbsMenuBarObject::EnableMorphing() const
{
    TbsSkinData* sd = Parent->SkinData();
    return Morphing && sd && !sd->Empty && sd->EnableSkinEffects();
}

bool TbsMenuBarObject::CanMorphing()
{
    // Pressed, it shows its down image: the morph waits for the release.
    if (FDown && !DownRect.IsEmpty())
        return false;
    return (Active && FMorphKf < 1) || (!Active && FMorphKf > 0);
}

void TbsMenuBarObject::DoMorphing()
{
    SetMorphKf(FMorphKf + (Active ? 0.2 : -0.2));
    Parent->DrawObject(this);
}

void TbsMenuBarObject::ReDraw()
{
    if (EnableMorphing())
        Parent->StartMorphTimer();
    else
        Parent->DrawObject(this);
}

void TbsMenuBarObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    ReDraw();
}

void TbsMenuBarObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    ReDraw();
}

// ------------------------------------------------------------ TbsSkinMainMenuBarItem

TbsSkinMainMenuBarItem::TbsSkinMainMenuBarItem(TbsSkinMainMenuBar* AParent, const TbsDataSkinObject* AData,
                                               TMenuItem* AMenuItem)
    : TbsMenuBarObject(AParent, AData), MenuItem(AMenuItem)
{
    if (const auto* d = dynamic_cast<const TbsDataSkinMainMenuItem*>(AData)) {
        FSkinSupport = true;
        FontName = d->FontName;
        FontHeight = d->FontHeight;
        FontStyle = d->FontStyle;
        FontColor = d->FontColor;
        ActiveFontColor = d->ActiveFontColor;
        DownFontColor = d->DownFontColor;
        UnEnabledFontColor = d->UnEnabledFontColor;
        TextRct = d->TextRct;
        DownRect = d->DownRect;
        LO = d->ItemLO;
        RO = d->ItemRO;
        StretchEffect = d->StretchEffect;
        AnimateSkinRect = d->AnimateSkinRect;
        FrameCount = d->FrameCount;
        AnimateInterval = d->AnimateInterval;
        InActiveAnimation = d->InActiveAnimation;
        if (DownRect.IsEmpty())
            DownRect = ActiveSkinRect.IsEmpty() ? SkinRect : ActiveSkinRect;
    }
    OldEnabled = Enabled;
}

bool TbsSkinMainMenuBarItem::HasSubItems() const { return MenuItem && MenuItem->Count() > 0; }

bool TbsSkinMainMenuBarItem::EnableAnimation() const
{
    TbsSkinData* sd = Parent->SkinData();
    return FSkinSupport && sd && !sd->Empty && sd->EnableSkinEffects() && !AnimateSkinRect.IsEmpty() && FrameCount > 0;
}

void TbsSkinMainMenuBarItem::ReDraw()
{
    if (EnableAnimation())
        Parent->StartAnimateTimer(AnimateInterval);
    else
        TbsMenuBarObject::ReDraw();
}

TRect TbsSkinMainMenuBarItem::AnimationFrame() const
{
    int n = CurrentFrame - 1;
    TRect r = AnimateSkinRect;
    if (AnimateSkinRect.Height() > SkinRect.Height()) {
        int h = AnimateSkinRect.Height() / FrameCount;
        return TRect{r.Left, r.Top + n * h, r.Right, r.Top + (n + 1) * h};
    }
    int w = AnimateSkinRect.Width() / FrameCount;
    return TRect{r.Left + n * w, r.Top, r.Left + (n + 1) * w, r.Bottom};
}

// The caption's flags in the bar's reading order.
unsigned TbsSkinMainMenuBarItem::CaptionFlags() const { return Parent->DrawTextBiDiModeFlags(PlainCaptionFlags); }

void TbsSkinMainMenuBarItem::DrawCaption(TCanvas& C, TColor Color, bool Selected)
{
    C.Brush().SetStyle(bsClear);
    Parent->SetItemFont(C, this);
    C.Font().SetColor(Color);
    TRect t = TextRct;
    DrawSkinText(C, MenuItem->Caption(), t, CaptionFlags() | DT_CALCRECT);
    t = TRect{TextRct.Left, TextRct.Top, TextRct.Left + t.Width() + 2, TextRct.Bottom};
    if (MenuItem->OnDrawItem) {
        MenuItem->OnDrawItem(this, C, t, Selected);
        return;
    }
    DrawSkinText(C, MenuItem->Caption(), t, CaptionFlags());
}

// The item's face from Src of the skin picture (or, for a transparent bar's
// normal face, what the bar shows under it) with the caption on it.
void TbsSkinMainMenuBarItem::DrawImage(TCanvas& Target, TBitmap& B, const TRect& Src, bool ActiveLook)
{
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (Parent->ItemTransparent && Src == SkinRect) {
        B.SetSize(w, h, false);
        B.Canvas()->CopyRect(TRect{0, 0, w, h}, Target, ObjectRect);
    } else {
        CreateHSkinImage(LO, RO, B, *Picture, Src, w, h, ActiveLook && StretchEffect);
    }
    TColor color;
    if (FDown)
        color = DownFontColor;
    else if (ActiveLook)
        color = ActiveFontColor;
    else
        color = MenuItem->Enabled() ? FontColor : UnEnabledFontColor;
    DrawCaption(*B.Canvas(), color, ActiveLook);
}

void TbsSkinMainMenuBarItem::Draw(TCanvas& Cnvs)
{
    if (!FSkinSupport || !Picture) {
        DefaultDraw(Cnvs);
        return;
    }
    if (SkinRect.IsEmpty() || TextRct.IsEmpty())
        return;
    TBitmap b;
    if (FDown) {
        DrawImage(Cnvs, b, DownRect, true);
    } else if (EnableAnimation() && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        DrawImage(Cnvs, b, AnimationFrame(), true);
    } else if (!EnableMorphing() || (Active && FMorphKf == 1) || (!Active && FMorphKf == 0)) {
        if (Active)
            DrawImage(Cnvs, b, ActiveSkinRect.IsEmpty() ? SkinRect : ActiveSkinRect, true);
        else
            DrawImage(Cnvs, b, SkinRect, false);
    } else {
        TBitmap normal, active;
        DrawImage(Cnvs, normal, SkinRect, false);
        DrawImage(Cnvs, active, ActiveSkinRect, true);
        MorphFaces(normal, active, FMorphKf, MorphKind, b);
    }
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
}

void TbsSkinMainMenuBarItem::DefaultDraw(TCanvas& Cnvs)
{
    const int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b;
    b.SetSize(w, h, false);
    TCanvas& c = *b.Canvas();
    const TRect r{0, 0, w, h};
    if (FDown)
        DrawPlainFace(c, r, PlainHotFrame, PlainDownFill);
    else if (Active)
        DrawPlainFace(c, r, PlainHotFrame, PlainHotFill);
    else
        DrawPlainFace(c, r, clBtnFace, clBtnFace);
    Parent->SetItemFont(c, nullptr);
    if (!MenuItem->Enabled())
        c.Font().SetColor(clBtnShadow);
    c.Brush().SetStyle(bsClear);
    TRect t = FDown ? TRect{1, 1, w + 1, h + 1} : r;
    if (MenuItem->OnDrawItem)
        MenuItem->OnDrawItem(this, c, t, Active);
    else
        DrawSkinText(c, MenuItem->Caption(), t, CaptionFlags());
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
}

// ------------------------------------------------------------ mouse and menus

void TbsSkinMainMenuBarItem::MouseEnter()
{
    for (int i = 0; i < Parent->ItemCount(); ++i) {
        TbsSkinMainMenuBarItem* other = Parent->Item(i);
        if (other != this && other->FDown) {
            // The open menu moves over to this item.
            other->SetItemDown(false);
            Active = true;
            FMouseIn = true;
            if (EnableMorphing())
                FMorphKf = 1;
            SetItemDown(true);
            return;
        }
    }
    for (int i = 0; i < Parent->ItemCount(); ++i) {
        TbsSkinMainMenuBarItem* other = Parent->Item(i);
        if (other != this && other->Active)
            other->MouseLeave();
    }
    FMouseIn = true;
    Active = true;
    ReDraw();
    if (Parent->OnItemMouseEnter)
        Parent->OnItemMouseEnter(MenuItem);
    Parent->SetHint(MenuItem->Hint());
}

void TbsSkinMainMenuBarItem::MouseLeave()
{
    Active = false;
    FMouseIn = false;
    if (EnableAnimation() && !InActiveAnimation) {
        CurrentFrame = 0;
        Parent->DrawObject(this);
    }
    if (EnableMorphing() && FDown)
        FMorphKf = 0;
    ReDraw();
    if (Parent->OnItemMouseLeave)
        Parent->OnItemMouseLeave(MenuItem);
}

void TbsSkinMainMenuBarItem::MouseDown(int /*X*/, int /*Y*/, TMouseButton Button)
{
    TbsFormFrame* frame = Parent->FormFrame();
    if (!Enabled || !frame || Button != mbLeft)
        return;
    if (HasSubItems()) {
        Parent->MenuActive = true;
        SetItemDown(true);
        return;
    }
    if (frame->InMainMenu)
        frame->MainMenuExit();
    frame->InMenu = false;
    if (EnableMorphing())
        ReDraw();
    else
        Parent->DrawObject(this);
    // The command may free the bar (it may close the form): nothing after it.
    if (TMenu* menu = MenuItem->GetParentMenu())
        menu->DispatchCommand(MenuItem->Command());
}

void TbsSkinMainMenuBarItem::SetItemDown(bool Value)
{
    if (Value) {
        FDown = true;
        FMorphKf = 1;
        Parent->DrawObject(this);
        TbsFormFrame* frame = Parent->FormFrame();
        if (frame && !frame->InMainMenu && frame->OnMainMenuEnter)
            frame->OnMainMenuEnter(Parent);
        TrackMenu();
        return;
    }
    FDown = false;
    Active = false;
    if (EnableAnimation()) {
        if (InActiveAnimation) {
            CurrentFrame = FrameCount + 1;
            ReDraw();
        } else {
            CurrentFrame = 0;
            Parent->DrawObject(this);
        }
    } else if (EnableMorphing()) {
        FMorphKf = 1;
        ReDraw();
    } else {
        Parent->DrawObject(this);
    }
}

void TbsSkinMainMenuBarItem::TrackMenu()
{
    TbsFormFrame* frame = Parent->FormFrame();
    TbsSkinMenu* engine = Parent->MenuEngine();
    if (!frame || !engine)
        return;
    TPoint p = Parent->ClientToScreen(TPoint{ObjectRect.Left, ObjectRect.Top});
    TRect r{p.X, p.Y, p.X + ObjectRect.Width(), p.Y + ObjectRect.Height()};
    frame->SkinMenuOpen();
    frame->InMainMenu = true;
    engine->Popup(Parent, Parent->MenuSkinData(), 0, r, MenuItem, Parent->PopupToUp());
}
