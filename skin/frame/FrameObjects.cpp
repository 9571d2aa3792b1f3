#include "skin/frame/FrameObjects.h"

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/ui/Ui.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBitmap.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/Marks.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/frame/FormFrame.h"
#include "skin/controls/ControlPaint.h"

namespace {
TbsFrameObjectMaker& Maker()
{
    static TbsFrameObjectMaker maker = &MakeSkinFrameObject;
    return maker;
}


// The menu a button drops opens below the object's rectangle on the screen.
TRect ObjectScreenRect(TbsFormFrame* Frame, const TRect& R)
{
    TRect wr;
    if (!Frame->Form()->HandleAllocated() || !GetWindowRect(Frame->Form()->Handle(), wr))
        wr = Frame->Form()->BoundsRect();
    return R.Offsetted(wr.Left, wr.Top);
}
}  // namespace

void SetFrameObjectMaker(TbsFrameObjectMaker M) { Maker() = M ? M : &MakeSkinFrameObject; }
TbsFrameObjectMaker FrameObjectMaker() { return Maker(); }

TbsFormFrame* GetFormFrame(TCustomForm* AForm)
{
    if (!AForm)
        return nullptr;
    for (int i = 0; i < AForm->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TbsFormFrame*>(AForm->Components(i)))
            return f;
    return nullptr;
}

TbsFormFrame* GetActiveMDIChildSkinForm()
{
    TCustomForm* main = Application->MainForm();
    TCustomForm* active = main ? main->ActiveMDIChild() : nullptr;
    return active ? GetFormFrame(active) : nullptr;
}

TbsFormFrame* GetMaximizedMDIChildSkinForm()
{
    TCustomForm* main = Application->MainForm();
    for (int i = 0; main && i < main->MDIChildCount(); ++i)
        if (TbsFormFrame* f = GetFormFrame(main->MDIChildren(i)); f && f->WindowState() == wsMaximized)
            return f;
    return nullptr;
}

// ------------------------------------------------------------ TbsActiveSkinObject

TbsActiveSkinObject::TbsActiveSkinObject(TbsFormFrame* AParent, TbsDataSkinObject* AData)
    : Parent(AParent), FData(AData)
{
    SD = AParent->SkinData();
    if (!AData)
        return;
    IDName = AData->IDName;
    Hint = AData->Hint;
    SkinRectInAPicture = AData->SkinRectInAPicture;
    SkinRect = AData->SkinRect;
    ActiveSkinRect = AData->ActiveSkinRect;
    InActiveSkinRect = AData->InActiveSkinRect;
    Morphing = AData->Morphing;
    MorphKind = AData->MorphKind;
    GlowLayerPictureIndex = AData->GlowLayerPictureIndex;
    GlowLayerMaskPictureIndex = AData->GlowLayerMaskPictureIndex;
    GlowLayerOffsetX = AData->GlowLayerOffsetX;
    GlowLayerOffsetY = AData->GlowLayerOffsetY;
    GlowLayerAlphaBlendValue = AData->GlowLayerAlphaBlendValue;
    if (SD) {
        ActivePicture = SD->ActivePicture(AData->ActivePictureIndex);
        ActiveMaskPicture = SD->ActivePicture(AData->ActiveMaskPictureIndex);
        Picture = SD->FPicture.get();
    }
    if (!ActivePicture)
        ActiveSkinRect = TRect{0, 0, 0, 0};
    if (IsNullRect(ActiveSkinRect))
        Morphing = false;
    ObjectRect = SkinRect;
}

bool TbsActiveSkinObject::SkinReady() const { return SD && !SD->Empty; }

bool TbsActiveSkinObject::PointInObject(int X, int Y)
{
    if (!SkinReady() || !ActiveMaskPicture)
        return true;
    if (X < 0 || Y < 0 || X >= ActiveMaskPicture->Width() || Y >= ActiveMaskPicture->Height())
        return false;
    return (ActiveMaskPicture->GetPixel(X, Y) & 0xFFFFFF) == 0;
}

void TbsActiveSkinObject::ShowLayer()
{
    if (!SkinReady() || GlowLayerPictureIndex == -1 || !CanUseLayeredWindows() ||
        !SD->ShowCaptionButtonGlowFrames())
        return;
    TBitmap* glow = SD->ActivePicture(GlowLayerPictureIndex);
    TBitmap* mask = SD->ActivePicture(GlowLayerMaskPictureIndex);
    if (!glow || !mask)
        return;
    TRect r = ObjectScreenRect(Parent, ObjectRect);
    Parent->FLayerManager->Show(r.Left - GlowLayerOffsetX, r.Top - GlowLayerOffsetY, *glow, *mask,
                                GlowLayerAlphaBlendValue);
}

void TbsActiveSkinObject::HideLayer()
{
    if (Parent->FLayerManager->IsVisible())
        Parent->FLayerManager->Hide();
}

bool TbsActiveSkinObject::CanMorphing()
{
    return (Active && FMorphKf < 1) || (!Active && FMorphKf > 0);
}

bool TbsActiveSkinObject::EnableMorphing() const
{
    return Morphing && SkinReady() && SD->EnableSkinEffects();
}

void TbsActiveSkinObject::ReDraw()
{
    if (EnableMorphing())
        Parent->MorphTimer->SetEnabled(true);
    else
        Redraw();
}

void TbsActiveSkinObject::DoMorphing()
{
    SetMorphKf(Active ? FMorphKf + 0.2 : FMorphKf - 0.2);
    Redraw();
}

void TbsActiveSkinObject::SetMorphKf(double Value) { FMorphKf = std::clamp(Value, 0.0, 1.0); }

void TbsActiveSkinObject::Redraw() { Parent->DrawSkinObject(this); }

void TbsActiveSkinObject::DrawPiece(TCanvas& Cnvs, const TBitmap* Pic, const TRect& Src)
{
    int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (!Pic || w <= 0 || h <= 0 || IsNullRect(Src))
        return;
    TBitmap b(w, h);
    CopyPiece(b, TRect{0, 0, w, h}, *Pic, Src);
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
}

void TbsActiveSkinObject::DrawMorph(TCanvas& Cnvs, const TBitmap& NormalPic, const TRect& Normal,
                                    const TBitmap& ActivePic, const TRect& ActiveR)
{
    int w = ObjectRect.Width(), h = ObjectRect.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap a(w, h), b(w, h);
    CopyPiece(a, TRect{0, 0, w, h}, NormalPic, Normal);
    CopyPiece(b, TRect{0, 0, w, h}, ActivePic, ActiveR);
    TbsEffectBmp ea(a), eb(b);
    switch (MorphKind) {
    case mkGradient: ea.MorphGrad(eb, FMorphKf); break;
    case mkLeftGradient: ea.MorphLeftGrad(eb, FMorphKf); break;
    case mkRightGradient: ea.MorphRightGrad(eb, FMorphKf); break;
    case mkLeftSlide: ea.MorphLeftSlide(eb, FMorphKf); break;
    case mkRightSlide: ea.MorphRightSlide(eb, FMorphKf); break;
    case mkPush: ea.MorphPush(eb, FMorphKf); break;
    default: ea.Morph(eb, FMorphKf); break;
    }
    ea.AssignTo(a);
    Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, a);
}

void TbsActiveSkinObject::Draw(TCanvas& Cnvs, bool UpDate)
{
    if (!SkinReady())
        return;
    bool transition = (Active && FMorphKf != 1) || (!Active && FMorphKf != 0);
    if (Enabled && !Parent->GetFormActive() && !IsNullRect(InActiveSkinRect))
        DrawPiece(Cnvs, ActivePicture, InActiveSkinRect);
    else if (EnableMorphing() && transition && NormalPicture() && ActivePicture)
        DrawMorph(Cnvs, *NormalPicture(), SkinRect, *ActivePicture, ActiveSkinRect);
    else if (Active && !IsNullRect(ActiveSkinRect))
        DrawPiece(Cnvs, ActivePicture, ActiveSkinRect);
    else if (UpDate || SkinRectInAPicture)
        DrawPiece(Cnvs, NormalPicture(), SkinRect);
}

void TbsActiveSkinObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    Parent->DoMouseEnterEvent(IDName);
    ShowLayer();
}

void TbsActiveSkinObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    if (!IsNullRect(ActiveSkinRect))
        ReDraw();
    Parent->DoMouseLeaveEvent(IDName);
    HideLayer();
}

void TbsActiveSkinObject::MouseDown(int X, int Y, TMouseButton Button)
{
    Parent->DoMouseDownEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (FMouseIn)
        Parent->DoMouseUpEvent(IDName, X, Y, ObjectRect, Button);
}

void TbsActiveSkinObject::MouseMove(int X, int Y)
{
    Parent->DoMouseMoveEvent(IDName, X, Y, ObjectRect);
}

void TbsActiveSkinObject::DblClick() {}

// ------------------------------------------------------------ TbsUserObject

void TbsUserObject::Draw(TCanvas& Cnvs, bool) { Parent->DoPaintEvent(IDName, Cnvs, ObjectRect); }

// ------------------------------------------------------------ TbsSkinButtonObject

TbsSkinButtonObject::TbsSkinButtonObject(TbsFormFrame* AParent, TbsDataSkinObject* AData)
    : TbsActiveSkinObject(AParent, AData)
{
    if (auto* d = dynamic_cast<TbsDataSkinButton*>(AData)) {
        DownRect = d->DownRect;
        DisableSkinRect = d->DisableSkinRect;
    }
}

void TbsSkinButtonObject::SetDown(bool Value)
{
    FDown = Value;
    if (EnableMorphing() && Active)
        FMorphKf = 1;
    Redraw();
    if (EnableMorphing() && !FDown)
        ReDraw();
}

bool TbsSkinButtonObject::CanMorphing()
{
    if (MenuItem && FDown)
        return false;
    return TbsActiveSkinObject::CanMorphing();
}

void TbsSkinButtonObject::Draw(TCanvas& Cnvs, bool UpDate)
{
    if (!SkinReady())
        return;
    if (!Enabled && !IsNullRect(DisableSkinRect))
        DrawPiece(Cnvs, ActivePicture, DisableSkinRect);
    else if (FDown && FMouseIn && !IsNullRect(DownRect))
        DrawPiece(Cnvs, ActivePicture, DownRect);
    else
        TbsActiveSkinObject::Draw(Cnvs, UpDate);
}

void TbsSkinButtonObject::MouseDown(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && !FDown) {
        SetDown(true);
        TrackMenu();
    }
    TbsActiveSkinObject::MouseDown(X, Y, Button);
}

void TbsSkinButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    if (!Enabled)
        return;
    if (Button == mbLeft && FDown && !MenuItem)
        SetDown(false);
    TbsActiveSkinObject::MouseUp(X, Y, Button);
}

void TbsSkinButtonObject::MouseEnter()
{
    FMouseIn = true;
    Active = true;
    if (!FDown || IsNullRect(DownRect)) {
        if (!IsNullRect(ActiveSkinRect))
            ReDraw();
        if (MenuItem)
            ShowLayer();
    } else {
        if (EnableMorphing())
            FMorphKf = 1;
        Redraw();
    }
    Parent->DoMouseEnterEvent(IDName);
    if (!MenuItem)
        ShowLayer();
}

void TbsSkinButtonObject::MouseLeave()
{
    FMouseIn = false;
    Active = false;
    if (!MenuItem || !FDown) {
        if (MenuItem)
            HideLayer();
        Redraw();
        ReDraw();
    }
    Parent->DoMouseLeaveEvent(IDName);
    if (!MenuItem)
        HideLayer();
}

void TbsSkinButtonObject::TrackMenu()
{
    if (!MenuItem || MenuItem->Count() == 0)
        return;
    Parent->PopupSkinMenu1(MenuItem, ObjectScreenRect(Parent, ObjectRect), FPopupUp);
}

// ------------------------------------------------------------ TbsSkinStdButtonObject

TbsSkinStdButtonObject::TbsSkinStdButtonObject(TbsFormFrame* AParent, TbsDataSkinObject* AData,
                                               TbsStdCommand ACommand)
    : TbsSkinButtonObject(AParent, AData), Command(ACommand), FSkinSupport(AData != nullptr)
{
    if (auto* d = dynamic_cast<TbsDataSkinStdButton*>(AData)) {
        Command = d->Command;
        RestoreRect = d->RestoreRect;
        RestoreActiveRect = d->RestoreActiveRect;
        RestoreInActiveRect = d->RestoreInActiveRect;
        RestoreDownRect = d->RestoreDownRect;
        RestoreHint = d->RestoreHint;
    }
    FTempHint = Hint;
}

bool TbsSkinStdButtonObject::ShowsFormIcon() const
{
    return Command == cmSysMenu && Parent->ShowIcon() && FSkinSupport && SkinRectInAPicture;
}

bool TbsSkinStdButtonObject::InRestoreState() const
{
    switch (Command) {
    case cmMaximize: return Parent->WindowState() == wsMaximized;
    case cmMinimize: return Parent->WindowState() == wsMinimized;
    case cmRollUp: return Parent->RollUpState();
    default: return false;
    }
}

bool TbsSkinStdButtonObject::PointInObject(int X, int Y)
{
    if (ShowsFormIcon())
        return true;
    return TbsSkinButtonObject::PointInObject(X, Y);
}

void TbsSkinStdButtonObject::ShowLayer()
{
    if (!ShowsFormIcon())
        TbsSkinButtonObject::ShowLayer();
}

void TbsSkinStdButtonObject::HideLayer()
{
    if (!ShowsFormIcon())
        TbsSkinButtonObject::HideLayer();
}

bool TbsSkinStdButtonObject::CanMorphing()
{
    if (ShowsFormIcon())
        return false;
    return TbsSkinButtonObject::CanMorphing();
}

void TbsSkinStdButtonObject::Draw(TCanvas& Cnvs, bool UpDate)
{
    if (!FSkinSupport) {
        DefaultDraw(Cnvs);
        return;
    }
    if (!SkinReady())
        return;
    if (ShowsFormIcon()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        FMorphKf = 0;
        return;
    }
    bool restore = InRestoreState() && !IsNullRect(RestoreRect);
    bool inactive = !Parent->GetFormActive();
    if (!Enabled || (inactive && !IsNullRect(InActiveSkinRect) && !restore) || !restore) {
        TbsSkinButtonObject::Draw(Cnvs, UpDate);
        return;
    }
    bool transition = (Active && FMorphKf != 1) || (!Active && FMorphKf != 0);
    if (!Parent->FFormActive && !IsNullRect(RestoreInActiveRect))
        DrawPiece(Cnvs, ActivePicture, RestoreInActiveRect);
    else if (FDown && FMouseIn && !IsNullRect(RestoreDownRect))
        DrawPiece(Cnvs, ActivePicture, RestoreDownRect);
    else if (EnableMorphing() && transition && ActivePicture && !IsNullRect(RestoreActiveRect))
        DrawMorph(Cnvs, *ActivePicture, RestoreRect, *ActivePicture, RestoreActiveRect);
    else if (Active && !IsNullRect(RestoreActiveRect))
        DrawPiece(Cnvs, ActivePicture, RestoreActiveRect);
    else
        DrawPiece(Cnvs, ActivePicture, RestoreRect);
}

void TbsSkinStdButtonObject::DefaultDraw(TCanvas& Cnvs)
{
    if (Command == cmSysMenu && Parent->ShowIcon()) {
        Parent->DrawFormIcon(Cnvs, ObjectRect.Left, ObjectRect.Top);
        return;
    }
    const TWindowState state = Parent->WindowState();
    TbsGlyphProc glyph = nullptr;
    switch (Command) {
    case cmClose: glyph = DrawCloseGlyph; break;
    case cmMaximize: glyph = state == wsMaximized ? DrawRestoreGlyph : DrawMaximizeGlyph; break;
    case cmMinimize: glyph = state == wsMinimized ? DrawRestoreGlyph : DrawMinimizeGlyph; break;
    case cmSysMenu: glyph = DrawSysMenuGlyph; break;
    case cmRollUp: glyph = Parent->RollUpState() ? DrawRollDownGlyph : DrawRollUpGlyph; break;
    case cmMinimizeToTray: glyph = DrawMinimizeToTrayGlyph; break;
    case cmDefault: break;
    }
    DrawPlainCaptionButton(Cnvs, ObjectRect, FMouseIn, FDown, Enabled, glyph);
}

void DrawPlainCaptionButton(TCanvas& Cnvs, const TRect& R, bool MouseIn, bool Down, bool Enabled, TbsGlyphProc Glyph)
{
    const int w = R.Width(), h = R.Height();
    if (w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    TCanvas& c = *b.Canvas();
    if (MouseIn) {
        c.Brush().SetColor(PlainHotFrame);
        c.FillRect(TRect{0, 0, w, h});
        c.Brush().SetColor(Down ? PlainDownFill : PlainHotFill);
        c.FillRect(TRect{1, 1, w - 1, h - 1});
    } else {
        c.Brush().SetColor(clBtnFace);
        c.FillRect(TRect{0, 0, w, h});
    }
    const bool pressed = Down && MouseIn;
    if (Glyph)
        Glyph(c, w / 2 - 5 + (pressed ? 1 : 0), h / 2 - 4 + (pressed ? 1 : 0), Enabled ? clBtnText : clBtnShadow);
    Cnvs.Draw(R.Left, R.Top, b);
}

bool RunFrameCommand(TbsFormFrame& Frame, TbsStdCommand Command)
{
    switch (Command) {
    case cmClose:
        Frame.UpdateActiveObject(-1, -1, false);
        Frame.Form()->Close();
        return true;
    case cmMaximize:
        Frame.UpdateActiveObject(-1, -1, false);
        Frame.SetWindowState(Frame.WindowState() == wsMaximized ? wsNormal : wsMaximized);
        return true;
    case cmMinimize:
        Frame.UpdateActiveObject(-1, -1, false);
        if (Frame.AlwaysMinimizeToTray)
            Frame.MinimizeToTray();
        else
            Frame.SetWindowState(Frame.WindowState() == wsMinimized ? wsNormal : wsMinimized);
        return true;
    case cmMinimizeToTray:
        Frame.UpdateActiveObject(-1, -1, false);
        Frame.MinimizeToTray();
        return true;
    case cmRollUp: Frame.SetRollUpState(!Frame.RollUpState()); return true;
    case cmSysMenu:
    case cmDefault: break;
    }
    return false;
}

void TbsSkinStdButtonObject::ButtonClick() { RunFrameCommand(*Parent, Command); }

void TbsSkinStdButtonObject::MouseEnter()
{
    if (Command != cmDefault)
        Hint = !RestoreHint.empty() && InRestoreState() ? RestoreHint : FTempHint;
    TbsSkinButtonObject::MouseEnter();
}

// A standard button fires no object events of its own. The system menu
// opens from its button with the skinned menus.
void TbsSkinStdButtonObject::MouseDown(int, int, TMouseButton Button)
{
    if (!Enabled || Button != mbLeft || FDown)
        return;
    SetDown(true);
    if (Command == cmSysMenu) {
        TMenuItem* items = Parent->GetSystemMenuItems();
        // Without a menu to open the button is released like any other.
        MenuItem = items && items->Count() > 0 && Parent->SkinMenu() ? items : nullptr;
        TrackMenu();
    }
}

void TbsSkinStdButtonObject::MouseUp(int X, int Y, TMouseButton Button)
{
    bool click = Active && Button == mbLeft;
    // Close releases first: its click may free the form with this object.
    if (Command == cmClose) {
        TbsSkinButtonObject::MouseUp(X, Y, Button);
        if (click)
            ButtonClick();
    } else {
        if (click)
            ButtonClick();
        TbsSkinButtonObject::MouseUp(X, Y, Button);
    }
}

void TbsSkinStdButtonObject::DblClick()
{
    if (Command == cmSysMenu)
        Parent->Form()->Close();
}
