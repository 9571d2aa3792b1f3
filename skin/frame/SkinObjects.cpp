#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBitmap.h"
#include "skin/draw/GlowText.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/FrameObjects.h"
#include "skin/frame/QuickButtons.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/data/ControlDescriptions.h"

// The frame objects made from a skin's descriptions: the caption, the strip
// animations, and the maker that picks the class for each description.

TbsActiveSkinObject* MakeSkinFrameObject(TbsFormFrame* Frame, TbsDataSkinObject* Data)
{
    if (!Data)
        return nullptr;
    if (auto* s = dynamic_cast<TbsDataSkinStdButton*>(Data))
        return new TbsSkinStdButtonObject(Frame, Data, s->Command);
    if (dynamic_cast<TbsDataSkinButton*>(Data))
        return new TbsSkinButtonObject(Frame, Data);
    if (dynamic_cast<TbsDataSkinCaption*>(Data))
        return new TbsSkinCaptionObject(Frame, Data);
    if (dynamic_cast<TbsDataSkinAnimate*>(Data))
        return new TbsSkinAnimateObject(Frame, Data);
    if (dynamic_cast<TbsDataUserObject*>(Data))
        return new TbsUserObject(Frame, Data);
    return nullptr;
}

namespace {
void ApplyEffect(TbsEffectBmp& E, TbsInActiveEffect Effect)
{
    switch (Effect) {
    case ieBrightness: E.ChangeBrightness(0.5); break;
    case ieDarkness: E.ChangeDarkness(0.3); break;
    case ieGrayScale: E.GrayScale(); break;
    case ieNoise: E.AddMonoNoise(50); break;
    case ieSplitBlur: E.SplitBlur(1); break;
    case ieInvert: E.Invert(); break;
    default: break;
    }
}

TRect ScreenRectOf(TbsFormFrame* Frame, const TRect& R)
{
    TRect wr;
    if (!Frame->Form()->HandleAllocated() || !GetWindowRect(Frame->Form()->Handle(), wr))
        wr = Frame->Form()->BoundsRect();
    return R.Offsetted(wr.Left, wr.Top);
}
}  // namespace

// ------------------------------------------------------------ TbsSkinAnimateObject

TbsSkinAnimateObject::TbsSkinAnimateObject(TbsFormFrame* AParent, TbsDataSkinObject* AData)
    : TbsActiveSkinObject(AParent, AData)
{
    auto* d = dynamic_cast<TbsDataSkinAnimate*>(AData);
    if (!d)
        return;
    TimerInterval = std::max(d->TimerInterval, 25);
    CountFrames = std::max(d->CountFrames, 1);
    Cycle = d->Cycle;
    ButtonStyle = d->ButtonStyle;
    Command = d->Command;
    DownSkinRect = d->DownSkinRect;
    RestoreRect = d->RestoreRect;
    RestoreActiveRect = d->RestoreActiveRect;
    RestoreInActiveRect = d->RestoreInActiveRect;
    RestoreDownRect = d->RestoreDownRect;
    RestoreHint = d->RestoreHint;
    FTempHint = d->Hint;
}

bool TbsSkinAnimateObject::InRestoreState() const
{
    switch (Command) {
    case cmMaximize: return Parent->WindowState() == wsMaximized;
    case cmMinimize: return Parent->WindowState() == wsMinimized;
    case cmRollUp: return Parent->RollUpState();
    default: return false;
    }
}

TRect TbsSkinAnimateObject::FrameRect(int N, const TRect& Base, const TRect& First) const
{
    int w = Base.Width();
    return TRect{First.Left + (N - 1) * w, First.Top, First.Left + N * w, First.Top + Base.Height()};
}

void TbsSkinAnimateObject::ShowLayer() { TbsActiveSkinObject::ShowLayer(); }

void TbsSkinAnimateObject::HideLayer() { TbsActiveSkinObject::HideLayer(); }

void TbsSkinAnimateObject::Draw(TCanvas& Cnvs, bool)
{
    if (!SkinReady())
        return;
    bool restore = !IsNullRect(RestoreRect) && InRestoreState();
    const TRect& skin = restore ? RestoreRect : SkinRect;
    const TRect& active = restore ? RestoreActiveRect : ActiveSkinRect;
    const TRect& down = restore ? RestoreDownRect : DownSkinRect;
    const TRect& inactive = restore ? RestoreInActiveRect : InActiveSkinRect;
    if (FMenuTracking) {
        if (!IsNullRect(down)) {
            DrawPiece(Cnvs, ActivePicture, down);
            return;
        }
        FFrame = CountFrames;
        DrawPiece(Cnvs, ActivePicture, FrameRect(FFrame, skin, active));
    } else if (!Parent->GetFormActive() && !IsNullRect(inactive)) {
        DrawPiece(Cnvs, ActivePicture, inactive);
    } else if (FDown && FMouseIn && !IsNullRect(down)) {
        DrawPiece(Cnvs, ActivePicture, down);
    } else {
        DrawPiece(Cnvs, ActivePicture, FrameRect(FFrame, skin, active));
    }
}

void TbsSkinAnimateObject::SetFrame(int Value)
{
    if (Increment && Value > CountFrames)
        Value = 1;
    else if (!Increment && Value <= 0)
        Value = CountFrames;
    FFrame = Value;
    Redraw();
}

void TbsSkinAnimateObject::ChangeFrame()
{
    if (FInc < TimerInterval) {
        FInc += 25;
        return;
    }
    if (Increment) {
        SetFrame(FFrame + 1);
        if (!Cycle && FFrame == CountFrames)
            Active = false;
    } else {
        SetFrame(FFrame - 1);
        if (FFrame == 1)
            Active = false;
    }
    FInc = 25;
}

void TbsSkinAnimateObject::Start()
{
    FInc = 25;
    FFrame = 1;
    Active = true;
    Parent->AnimateTimer->SetEnabled(true);
}

void TbsSkinAnimateObject::Stop()
{
    SetFrame(1);
    Active = false;
    FInc = 25;
}

// A button-style strip plays forward on entering and back on leaving; a
// pressed face with its own picture just shows again.
void TbsSkinAnimateObject::PlayHover(bool Forward)
{
    if (!ButtonStyle)
        return;
    Active = true;
    Increment = Forward;
    if (FDown && !IsNullRect(DownSkinRect))
        Redraw();
    else
        Parent->AnimateTimer->SetEnabled(true);
}

void TbsSkinAnimateObject::MouseEnter()
{
    if (Command != cmDefault)
        Hint = !RestoreHint.empty() && InRestoreState() ? RestoreHint : FTempHint;
    FMouseIn = true;
    if (FMenuTracking)
        return;
    PlayHover(true);
    Parent->DoMouseEnterEvent(IDName);
    ShowLayer();
}

void TbsSkinAnimateObject::MouseLeave()
{
    if (!FMouseIn)
        return;
    FMouseIn = false;
    if (FMenuTracking)
        return;
    PlayHover(false);
    Parent->DoMouseLeaveEvent(IDName);
    HideLayer();
}

void TbsSkinAnimateObject::MouseDown(int X, int Y, TMouseButton Button)
{
    TbsActiveSkinObject::MouseDown(X, Y, Button);
    if (!IsNullRect(DownSkinRect) && Button == mbLeft) {
        FFrame = CountFrames;
        FDown = true;
        Redraw();
    }
    if (Command == cmSysMenu && ButtonStyle && Button == mbLeft && FMouseIn)
        ButtonClick();
}

void TbsSkinAnimateObject::MouseUp(int X, int Y, TMouseButton Button)
{
    TbsActiveSkinObject::MouseUp(X, Y, Button);
    if (FMenuTracking)
        return;
    if (!IsNullRect(DownSkinRect) && Button == mbLeft) {
        FDown = false;
        Redraw();
        Parent->AnimateTimer->SetEnabled(true);
    }
    if (Command != cmSysMenu && ButtonStyle && Button == mbLeft && FMouseIn)
        ButtonClick();
}

void TbsSkinAnimateObject::DblClick()
{
    if (Command == cmSysMenu)
        Parent->Form()->Close();
}

void TbsSkinAnimateObject::ButtonClick()
{
    if (RunFrameCommand(*Parent, Command))
        return;
    // The system menu, or the menu the application linked (TrackMenu skips none).
    if (Command == cmSysMenu)
        MenuItem = Parent->GetSystemMenuItems();
    TrackMenu();
}

void TbsSkinAnimateObject::TrackMenu()
{
    if (!MenuItem || MenuItem->Count() == 0 || !Parent->SkinMenu())
        return;
    FMenuTracking = true;
    Parent->PopupSkinMenu1(MenuItem, ScreenRectOf(Parent, ObjectRect), FPopupUp);
}

// ------------------------------------------------------------ TbsSkinCaptionObject

TbsSkinCaptionObject::TbsSkinCaptionObject(TbsFormFrame* AParent, TbsDataSkinObject* AData)
    : TbsActiveSkinObject(AParent, AData)
{
    auto* d = dynamic_cast<TbsDataSkinCaption*>(AData);
    if (!d)
        return;
    FontName = d->FontName;
    FontStyle = int(d->FontStyle);
    FontHeight = d->FontHeight;
    FontColor = d->FontColor;
    ActiveFontColor = d->ActiveFontColor;
    ShadowColor = d->ShadowColor;
    ActiveShadowColor = d->ActiveShadowColor;
    Shadow = d->Shadow;
    LightColor = d->LightColor;
    ActiveLightColor = d->ActiveLightColor;
    Light = d->Light;
    Alignment = d->Alignment;
    TextRct = d->TextRct;
    FrameRect = d->FrameRect;
    ActiveFrameRect = d->ActiveFrameRect;
    FrameTextRect = d->FrameTextRect;
    FrameLeftOffset = d->FrameLeftOffset;
    FrameRightOffset = d->FrameRightOffset;
    StretchEffect = d->StretchEffect;
    FullFrame = d->FullFrame;
    AnimateSkinRect = d->AnimateSkinRect;
    FrameCount = d->FrameCount;
    AnimateInterval = d->AnimateInterval;
    InActiveAnimation = d->InActiveAnimation;
    VistaGlowEffect = d->VistaGlowEffect;
    VistaGlowInActiveEffect = d->VistaGlowInActiveEffect;
    GlowEffect = d->GlowEffect;
    GlowInActiveEffect = d->GlowInActiveEffect;
    GlowSize = d->GlowSize;
    GlowColor = d->GlowColor;
    GlowActiveColor = d->GlowActiveColor;
    GlowOffset = d->GlowOffset;
    ReflectionEffect = d->ReflectionEffect;
    ReflectionColor = d->ReflectionColor;
    ReflectionActiveColor = d->ReflectionActiveColor;
    ReflectionOffset = d->ReflectionOffset;
}

bool TbsSkinCaptionObject::EnableAnimation() const
{
    return SkinReady() && SD->EnableSkinEffects() && !IsNullRect(AnimateSkinRect) && FrameCount > 0;
}

void TbsSkinCaptionObject::RepaintNC()
{
    if (Parent->Form()->HandleAllocated())
        SendMessage(Parent->Form()->Handle(), WM_NCPAINT, 0, 0);
}

void TbsSkinCaptionObject::ApplyInActiveEffect(TBitmap& B)
{
    if (!SD->AutoRenderingInActiveImage)
        return;
    TbsEffectBmp e(B);
    ApplyEffect(e, SD->InActiveEffect);
    e.AssignTo(B);
}

void TbsSkinCaptionObject::ComposeImage(TBitmap& B, const TBitmap& Pic, const TRect& Src, bool ActiveLook)
{
    int w = ObjectRect.Width(), h = ObjectRect.Height();
    B.SetSize(w, h, false);
    int lo = std::max(SD->LTPoint.X - SkinRect.Left, 0);
    int ro = std::max(SkinRect.Right - SD->RTPoint.X, 0);
    if (lo != 0 || ro != 0)
        CreateHSkinImage(lo, ro, B, Pic, Src, w, h, StretchEffect);
    else
        CopyPiece(B, TRect{0, 0, w, h}, Pic, Src);
    DrawCaptionText(*B.Canvas(), TPoint{0, 0}, ActiveLook);
}

void TbsSkinCaptionObject::Draw(TCanvas& Cnvs, bool)
{
    if (!SkinReady() || ObjectRect.Width() <= 0 || ObjectRect.Height() <= 0)
        return;
    TBitmap b;
    if (EnableAnimation() && ActivePicture && CurrentFrame >= 1 && CurrentFrame <= FrameCount) {
        TRect fr;
        if (AnimateSkinRect.Height() > SkinRect.Height()) {
            int fh = AnimateSkinRect.Height() / FrameCount;
            fr = TRect{AnimateSkinRect.Left, AnimateSkinRect.Top + fh * (CurrentFrame - 1), AnimateSkinRect.Right,
                       AnimateSkinRect.Top + fh * CurrentFrame};
        } else {
            int fw = AnimateSkinRect.Width() / FrameCount;
            fr = TRect{AnimateSkinRect.Left + fw * (CurrentFrame - 1), AnimateSkinRect.Top,
                       AnimateSkinRect.Left + fw * CurrentFrame, AnimateSkinRect.Bottom};
        }
        ComposeImage(b, *ActivePicture, fr, !Active);
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
    } else if (((FMorphKf > 0 && !Active) || (FMorphKf < 1 && Active)) && EnableMorphing() && Picture &&
               ActivePicture) {
        TBitmap a;
        ComposeImage(b, *Picture, SkinRect, false);
        ComposeImage(a, *ActivePicture, ActiveSkinRect, true);
        TbsEffectBmp eb(b), ea(a);
        eb.Morph(ea, FMorphKf);
        eb.AssignTo(b);
        if (!Active)
            ApplyInActiveEffect(b);
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
    } else if (IsNullRect(ActiveSkinRect) || (!Active && !EnableMorphing() && !StretchEffect && !EnableAnimation())) {
        DrawCaptionText(Cnvs, TPoint{ObjectRect.Left, ObjectRect.Top}, Active);
    } else if (!Active && Picture) {
        ComposeImage(b, *Picture, SkinRect, false);
        ApplyInActiveEffect(b);
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
    } else if (ActivePicture) {
        ComposeImage(b, *ActivePicture, ActiveSkinRect, true);
        Cnvs.Draw(ObjectRect.Left, ObjectRect.Top, b);
    }
    if (Parent->HasQuickButtons())
        DrawQuickButtons(Cnvs);
}

void TbsSkinCaptionObject::DrawQuickButtons(TCanvas& Cnvs)
{
    TImageList* il = Parent->QuickImageList();
    TbsQuickButtonItems& items = Parent->QuickButtons();
    int x = ObjectRect.Left;
    const int y = ObjectRect.Height() / 2 + ObjectRect.Top - il->Height() / 2 - 2;
    // The hovered face: the skin's quick-button element, else its small tool button.
    TbsDataSkinButtonControl* face = nullptr;
    for (const char* name : {"officequickbutton", "resizetoolbutton"}) {
        int i = SD->GetControlIndex(name);
        if (i >= 0 && (face = dynamic_cast<TbsDataSkinButtonControl*>(SD->CtrlList[size_t(i)].get())))
            break;
    }
    const TBitmap* facePicture = face ? SD->ActivePicture(face->PictureIndex) : nullptr;
    for (int n = 0; n < items.Count(); ++n) {
        TbsQuickButtonItem& item = items.Items(n);
        if (!item.Visible())
            continue;
        item.ItemRect = TRect{x, y, x + il->Width() + 4, y + il->Height() + 4};
        x += il->Width() + 8;
        const TRect& r = item.ItemRect;
        if (item.Active && facePicture) {
            TRect src = item.Down && !IsNullRect(face->DownSkinRect) ? face->DownSkinRect : face->ActiveSkinRect;
            if (IsNullRect(src))
                src = face->SkinRect;
            TBitmap b(r.Width(), r.Height());
            CreateStretchImage(b, *facePicture, src, face->ClRect, true);
            Cnvs.Draw(r.Left, r.Top, b);
        }
        if (item.ImageIndex() >= 0 && item.ImageIndex() < il->Count())
            il->Draw(Cnvs, r.Left + (r.Width() - il->Width()) / 2, r.Top + (r.Height() - il->Height()) / 2,
                     item.ImageIndex(), item.Enabled());
    }
}

void TbsSkinCaptionObject::CheckQuickButtons(int X, int Y)
{
    TbsQuickButtonItems& items = Parent->QuickButtons();
    OldActiveQuickButton = ActiveQuickButton;
    ActiveQuickButton = -1;
    for (int n = 0; n < items.Count(); ++n) {
        const TbsQuickButtonItem& item = items.Items(n);
        if (item.Enabled() && item.Visible() && item.ItemRect.Contains(TPoint{X, Y})) {
            ActiveQuickButton = n;
            break;
        }
    }
    bool changed = false;
    for (int n = 0; n < items.Count(); ++n) {
        const bool active = n == ActiveQuickButton;
        if (items.Items(n).Active != active) {
            items.Items(n).Active = active;
            changed = true;
        }
    }
    if (ActiveQuickButton != OldActiveQuickButton || changed)
        RepaintNC();
    IbsFrameHint* hint = Parent->SkinHint();
    if (!hint || !Parent->QuickButtonsShowHint)
        return;
    if (ActiveQuickButton != OldActiveQuickButton && ActiveQuickButton != -1 &&
        !items.Items(ActiveQuickButton).Hint.empty())
        hint->ActivateHint2(items.Items(ActiveQuickButton).Hint);
    else if (changed && ActiveQuickButton == -1)
        hint->HideHint();
}

void TbsSkinCaptionObject::DrawCaptionText(TCanvas& C, TPoint Offset, bool ActiveLook)
{
    if (Parent->OnCaptionPaint) {
        Parent->OnCaptionPaint(C, ObjectRect, ActiveLook);
        return;
    }
    std::string title = Parent->CaptionText();
    if (title.empty() || IsNullRect(TextRct))
        return;
    TRect tr = TextRct;
    const bool quick = Parent->HasQuickButtons();
    if (quick)
        tr.Left += Parent->QuickButtons().Count() * (Parent->QuickImageList()->Width() + 8);
    tr.Right = ObjectRect.Width() - (SkinRect.Width() - TextRct.Right);
    if (!IsNullRect(FrameRect)) {
        tr.Top += FrameTextRect.Top;
        tr.Left += FrameTextRect.Left;
        tr.Right -= FrameRect.Width() - FrameTextRect.Right;
    }
    C.Font().SetName(FontName);
    C.Font().SetStyle(TFontStyles(FontStyle));
    C.Font().SetHeight(FontHeight);
    TColor color = ActiveLook ? ActiveFontColor : FontColor;
    C.Font().SetColor(color);
    if (SD->ResourceStrData())
        C.Font().SetCharset(SD->ResourceStrData()->CharSet());
    else
        C.Font().SetCharset(Parent->DefCaptionFont().Charset());
    FitTextToWidthW(C, title, tr.Width());
    int tw = CalcTextWidthW(C, title), th = CalcTextHeightW(C, title);
    int y = tr.Height() / 2 - th / 2 + tr.Top;
    int x;
    switch (quick ? taCenter : Alignment) {
    case taLeftJustify: x = tr.Left; break;
    case taRightJustify: x = tr.Right - tw; break;
    default: x = tr.Width() / 2 - tw / 2 + tr.Left; break;
    }
    x += Offset.X;
    y += Offset.Y;
    C.Brush().SetStyle(bsClear);

    if (!IsNullRect(FrameRect) && ActivePicture) {
        TRect fr = ActiveLook && !IsNullRect(ActiveFrameRect) ? ActiveFrameRect : FrameRect;
        int w = FullFrame ? ObjectRect.Width() - 2 * SD->ButtonsOffset
                          : FrameRect.Width() + tw - FrameTextRect.Width();
        if (w > 0) {
            TBitmap f;
            CreateHSkinImage(FrameLeftOffset, FrameRightOffset, f, *ActivePicture, fr, w, FrameRect.Height(), false);
            int fx = FullFrame ? Offset.X + SD->ButtonsOffset : x - FrameTextRect.Left;
            C.Draw(fx, y - FrameTextRect.Top, f);
        }
    }
    auto drawAt = [&](int px, int py, TColor c) {
        C.Font().SetColor(c);
        TRect r{px, py, px + tw, py + th};
        DrawSkinText(C, title, r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    };
    if (Light)
        drawAt(x - 1, y - 1, ActiveLook ? ActiveLightColor : LightColor);
    if (Shadow)
        drawAt(x + 1, y + 1, ActiveLook ? ActiveShadowColor : ShadowColor);
    C.Font().SetColor(color);
    TRect r{x, y, x + tw, y + th};
    const unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (ReflectionEffect)
        DrawReflectionText(C, r, title, flags, ReflectionOffset, ActiveLook ? ReflectionActiveColor : ReflectionColor);
    else if (VistaGlowEffect && (ActiveLook || VistaGlowInActiveEffect))
        DrawVistaGlowText(C, r, title, flags, ActiveLook ? GlowActiveColor : GlowColor);
    else if (GlowEffect && (ActiveLook || GlowInActiveEffect))
        DrawGlowText(C, r, title, flags, GlowOffset, ActiveLook ? GlowActiveColor : GlowColor, GlowSize);
    else
        DrawSkinText(C, title, r, flags);
    C.Brush().SetStyle(bsSolid);
}

bool TbsSkinCaptionObject::HitQuickButton(int X, int Y)
{
    if (!Parent->HasQuickButtons())
        return false;
    CheckQuickButtons(X, Y);
    return ActiveQuickButton != -1;
}

void TbsSkinCaptionObject::MouseDown(int X, int Y, TMouseButton Button)
{
    Parent->DoMouseDownEvent(IDName, X, Y, ObjectRect, Button);
    if (!HitQuickButton(X, Y))
        return;
    TbsQuickButtonItems& items = Parent->QuickButtons();
    for (int n = 0; n < items.Count(); ++n) {
        items.Items(n).Down = n == ActiveQuickButton;
        if (n != ActiveQuickButton)
            items.Items(n).Active = false;
    }
    RepaintNC();
    if (Parent->QuickButtonsShowHint && Parent->SkinHint())
        Parent->SkinHint()->HideHint();
}

void TbsSkinCaptionObject::MouseUp(int X, int Y, TMouseButton Button)
{
    Parent->DoMouseUpEvent(IDName, X, Y, ObjectRect, Button);
    if (!HitQuickButton(X, Y))
        return;
    TbsQuickButtonItems& items = Parent->QuickButtons();
    for (int n = 0; n < items.Count(); ++n)
        items.Items(n).Down = false;
    RepaintNC();
    // Read before the handler runs: it may change the buttons.
    TNotifyEvent click = items.Items(ActiveQuickButton).OnClick;
    if (click)
        click(this);
}

void TbsSkinCaptionObject::MouseMove(int X, int Y)
{
    Parent->DoMouseMoveEvent(IDName, X, Y, ObjectRect);
    if (Parent->HasQuickButtons())
        CheckQuickButtons(X, Y);
}

// The caption's Active follows the form, not the mouse.
void TbsSkinCaptionObject::MouseEnter()
{
    FMouseIn = true;
    Parent->DoMouseEnterEvent(IDName);
}

void TbsSkinCaptionObject::MouseLeave()
{
    FMouseIn = false;
    Parent->DoMouseLeaveEvent(IDName);
    if (Parent->HasQuickButtons()) {
        ActiveQuickButton = OldActiveQuickButton = -1;
        CheckQuickButtons(-1, -1);
    }
}
