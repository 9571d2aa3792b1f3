#include <algorithm>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Timer.h"
#include "skin/data/SkinData.h"
#include "skin/draw/EffectBitmap.h"
#include "skin/draw/MaskRegion.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/QuickButtons.h"
#include "platform/ui/controls/ImageList.h"

// The frame drawn from a skin: the skin's geometry scaled to the form's size,
// the frame objects laid out on it, the four border strips painted with the
// objects drawn into them, hit testing, the window region cut from the mask,
// and the client backgrounds.

namespace {

bool HasSkin(const TbsSkinData* SD) { return SD && !SD->Empty && SD->FPicture && !SD->FPicture->Empty(); }

TbsSkinGeometry Geometry(const TbsSkinData& SD, const TbsFormFrame& F)
{
    TbsSkinGeometry g;
    g.LTPt = SD.LTPoint;
    g.RTPt = SD.RTPoint;
    g.LBPt = SD.LBPoint;
    g.RBPt = SD.RBPoint;
    g.ClRect = SD.ClRect;
    g.NewLTPt = F.NewLTPoint;
    g.NewRTPt = F.NewRTPoint;
    g.NewLBPt = F.NewLBPoint;
    g.NewRBPt = F.NewRBPoint;
    g.NewClRect = F.NewClRect;
    return g;
}

void ApplyInActiveEffect(TbsEffectBmp& E, TbsInActiveEffect Effect)
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

// Left and top edges in, right and bottom edges out.
bool InArea(const TRect& A, TPoint P) { return P.X >= A.Left && P.Y >= A.Top && P.X < A.Right && P.Y < A.Bottom; }

}  // namespace

void TbsFormFrame::CalcSkinRects()
{
    if (!HasSkin(FSD))
        return;
    if (FFormWidth == 0 || FFormHeight == 0) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
    }
    const TbsSkinData& s = *FSD;
    const int pw = s.FPicture->Width(), ph = s.FPicture->Height();
    const int dW = FFormWidth - pw, dH = FFormHeight - ph;
    NewLTPoint = s.LTPoint;
    NewRTPoint = TPoint{s.RTPoint.X + dW, s.RTPoint.Y};
    NewLBPoint = TPoint{s.LBPoint.X, s.LBPoint.Y + dH};
    NewRBPoint = TPoint{s.RBPoint.X + dW, s.RBPoint.Y + dH};
    NewClRect = TRect{s.ClRect.Left, s.ClRect.Top, s.ClRect.Right + dW, s.ClRect.Bottom + dH};
    NewCaptionRect = s.CaptionRect;
    if (!IsNullRect(NewCaptionRect))
        NewCaptionRect.Right += dW;
    NewButtonsRect = s.ButtonsRect;
    if (!IsNullRect(NewButtonsRect) && NewButtonsRect.Left > pw / 2)
        NewButtonsRect = NewButtonsRect.Offsetted(dW, 0);
    NewButtonsInLeft = s.CapButtonsInLeft;
    NewButtonsOffset = s.ButtonsOffset;
    NewHitTestLTPoint = s.HitTestLTPoint;
    NewHitTestRTPoint = TPoint{s.HitTestRTPoint.X + dW, s.HitTestRTPoint.Y};
    NewHitTestLBPoint = TPoint{s.HitTestLBPoint.X, s.HitTestLBPoint.Y + dH};
    NewHitTestRBPoint = TPoint{s.HitTestRBPoint.X + dW, s.HitTestRBPoint.Y + dH};
    NewMaskRectArea = TRect{s.MaskRectArea.Left, s.MaskRectArea.Top, s.MaskRectArea.Right + dW,
                            s.MaskRectArea.Bottom + dH};
}

void TbsFormFrame::CalcObjectRect(const TRect& R, TRect& Result) const
{
    Result = R;
    if (!HasSkin(FSD))
        return;
    const TbsSkinData& s = *FSD;
    const int pw = s.FPicture->Width(), ph = s.FPicture->Height();
    const TRect LT{0, 0, s.LTPoint.X, s.LTPoint.Y};
    const TRect RT{s.RTPoint.X, 0, pw, s.RTPoint.Y};
    const TRect LB{0, s.LBPoint.Y, s.LBPoint.X, ph};
    const TRect RB{s.RBPoint.X, s.RBPoint.Y, pw, ph};
    const int dx = NewRBPoint.X - s.RBPoint.X, dy = NewRBPoint.Y - s.RBPoint.Y;
    const TPoint tl{R.Left, R.Top}, br{R.Right, R.Bottom};
    if (InArea(LT, tl) && InArea(LT, br)) {
    } else if (InArea(RT, tl) && InArea(RT, br)) {
        Result = R.Offsetted(dx, 0);
    } else if (InArea(LB, tl) && InArea(LB, br)) {
        Result = R.Offsetted(0, dy);
    } else if (InArea(RB, tl) && InArea(RB, br)) {
        Result = R.Offsetted(dx, dy);
    } else if (InArea(LT, tl) && InArea(RB, br)) {
        Result.Right += dx;
        Result.Bottom += dy;
    } else if (InArea(LT, tl) && InArea(RT, br)) {
        Result.Right += dx;
    } else if (InArea(LB, tl) && InArea(RB, br)) {
        Result.Right += dx;
        Result = Result.Offsetted(0, dy);
    } else if (InArea(LT, tl) && InArea(LB, br)) {
        Result.Bottom += dy;
    } else if (InArea(RT, tl) && InArea(RB, br)) {
        Result = Result.Offsetted(dx, 0);
        Result.Bottom += dy;
    }
}

void TbsFormFrame::CalcObjectRects()
{
    for (auto& o : ObjectList)
        if (!o->SkinRectInAPicture)
            CalcObjectRect(o->SkinRect, o->ObjectRect);

    TRect row = !IsNullRect(NewButtonsRect) ? NewButtonsRect : NewCaptionRect;
    if (IsNullRect(row))
        return;
    auto commandOf = [](TbsActiveSkinObject* o, TbsStdCommand& c) {
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o)) {
            c = b->Command;
            return true;
        }
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o)) {
            c = a->Command;
            return true;
        }
        return false;
    };
    auto find = [&](TbsStdCommand want) -> TbsActiveSkinObject* {
        for (auto& o : ObjectList) {
            TbsStdCommand c;
            if (o->Visible && o->SkinRectInAPicture && commandOf(o.get(), c) && c == want)
                return o.get();
        }
        return nullptr;
    };
    auto sizeOf = [&](TbsActiveSkinObject* o) {
        auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o);
        if (b && b->Command == cmSysMenu && FShowIcon)
            return GetSmallIconSize();
        return TSize{o->SkinRect.Width(), o->SkinRect.Height()};
    };
    std::vector<TbsActiveSkinObject*> order;
    for (TbsStdCommand c : {cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray})
        if (auto* o = find(c))
            order.push_back(o);
    for (auto& o : ObjectList) {
        TbsStdCommand c;
        if (o->Visible && o->SkinRectInAPicture && commandOf(o.get(), c) && c == cmDefault)
            order.push_back(o.get());
    }
    TbsActiveSkinObject* caption = nullptr;
    for (auto& o : ObjectList)
        if (dynamic_cast<TbsSkinCaptionObject*>(o.get())) {
            caption = o.get();
            break;
        }
    const int y = row.Top;
    if (!NewButtonsInLeft) {
        int x = row.Right;
        for (auto* o : order) {
            TSize s = sizeOf(o);
            o->ObjectRect = TRect{x - s.cx, y, x, y + s.cy};
            x -= NewButtonsOffset + s.cx;
        }
        if (IsNullRect(NewButtonsRect) && caption)
            caption->ObjectRect.Right = x + NewButtonsOffset;
        x = NewCaptionRect.Left;
        if (auto* sys = find(cmSysMenu)) {
            TSize s = sizeOf(sys);
            int top = NewCaptionRect.Top + NewCaptionRect.Height() / 2 - s.cy / 2;
            sys->ObjectRect = TRect{x, top, x + s.cx, top + s.cy};
            x += NewButtonsOffset + s.cx;
            if (caption)
                caption->ObjectRect.Left = x - NewButtonsOffset;
        }
    } else {
        int x = row.Left;
        for (auto* o : order) {
            TSize s = sizeOf(o);
            o->ObjectRect = TRect{x, y, x + s.cx, y + s.cy};
            x += NewButtonsOffset + s.cx;
        }
        if (IsNullRect(NewButtonsRect)) {
            if (auto* sys = find(cmSysMenu)) {
                TSize s = sizeOf(sys);
                sys->ObjectRect = TRect{x, y, x + s.cx, y + s.cy};
                x += NewButtonsOffset + s.cx;
            }
            if (caption)
                caption->ObjectRect.Left = x + NewButtonsOffset;
        }
    }
}

void TbsFormFrame::PaintNCSkin(HDC ADC, bool AUseExternalDC)
{
    if (!HasSkin(FSD) || FSD->ChangeSkinDataProcess)
        return;
    if (FFormWidth == 0 || FFormHeight == 0) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
    }
    if (FFormWidth < GetMinWidth() || FFormHeight < GetMinHeight())
        return;
    CalcSkinRects();
    CalcObjectRects();
    const bool active = GetFormActive();
    const TBitmap& pic = !active && FSD->FInActivePicture && !FSD->FInActivePicture->Empty()
                             ? *FSD->FInActivePicture
                             : *FSD->FPicture;
    TBitmap left, top, right, bottom;
    TbsSkinGeometry g = Geometry(*FSD, *this);
    CreateSkinBorderImages(g, left, top, right, bottom, pic, TRect{0, 0, pic.Width(), pic.Height()}, FFormWidth,
                           FFormHeight, FSD->LeftStretch, FSD->TopStretch, FSD->RightStretch, FSD->BottomStretch);
    for (auto& o : ObjectList) {
        if (!o->Visible)
            continue;
        if (o->ObjectRect.Bottom <= NewClRect.Top) {
            if (!top.Empty())
                o->Draw(*top.Canvas(), false);
        } else if (!bottom.Empty()) {
            TRect saved = o->ObjectRect;
            o->ObjectRect = saved.Offsetted(0, -NewClRect.Bottom);
            o->Draw(*bottom.Canvas(), false);
            o->ObjectRect = saved;
        }
    }

    HDC dc = AUseExternalDC ? ADC : (FForm->HandleAllocated() ? GetWindowDC(FForm->Handle()) : nullptr);
    if (!dc)
        return;
    int saved = dc->SaveDC();
    if (NewClRect.Bottom > NewClRect.Top)
        dc->ExcludeClipRect(NewClRect);
    const int topH = top.Height();
    struct TPlace {
        TBitmap* B;
        int X, Y;
    } places[] = {{&top, 0, 0},
                  {&left, 0, topH},
                  {&right, FFormWidth - right.Width(), topH},
                  {&bottom, 0, FFormHeight - bottom.Height()}};
    const bool effect = !active && FSD->AutoRenderingInActiveImage;
    TCanvas c;
    c.SetHandle(dc);
    for (auto& p : places) {
        if (p.B->Empty())
            continue;
        if (effect) {
            TbsEffectBmp e(*p.B);
            ApplyInActiveEffect(e, FSD->InActiveEffect);
            e.Draw(*dc, p.X, p.Y);
        } else {
            c.Draw(p.X, p.Y, *p.B);
        }
    }
    c.SetHandle(nullptr);
    dc->RestoreDC(saved);
    if (!AUseExternalDC)
        ReleaseDC(FForm->Handle(), dc);
}

bool TbsFormFrame::PointInMask(TPoint P) const
{
    const TRect& a = NewMaskRectArea;
    if (a.Contains(P))
        return true;
    auto black = [](const TBitmap& B, int x, int y) {
        if (x < 0 || y < 0 || x >= B.Width() || y >= B.Height())
            return false;
        return (B.GetPixel(x, y) & 0xFFFFFF) == 0;
    };
    if (P.Y <= a.Top)
        return black(RMTop, P.X, P.Y);
    if (P.Y >= a.Bottom)
        return black(RMBottom, P.X, P.Y - a.Bottom);
    if (P.X <= a.Left)
        return black(RMLeft, P.X, P.Y - a.Top);
    return black(RMRight, P.X - a.Right, P.Y - a.Top);
}

int TbsFormFrame::NCHitTestSkin(TPoint P)
{
    if (!HasSkin(FSD))
        return NCHitTestDefault(P);
    CalcSkinRects();
    auto onCaption = [&] {
        for (auto& o : ObjectList)
            if (dynamic_cast<TbsSkinCaptionObject*>(o.get()) && o->ObjectRect.Contains(P)) {
                // The quick-button strip at the caption's left is no caption.
                if (!HasQuickButtons())
                    return true;
                TRect r = o->ObjectRect;
                r.Left += FQuickButtons->Count() * (FQuickImageList->Width() + 8);
                return r.Contains(P);
            }
        return false;
    };
    if (FRollUpState || FWindowState == wsMinimized)
        return onCaption() ? HTCAPTION : HTOBJECT;
    if (ActiveObject != -1 && !onCaption() && !NewClRect.Contains(P) && !FSizeMove)
        return HTOBJECT;
    if (FWindowState != wsMaximized && CanResize()) {
        const int W = FForm->Width(), H = FForm->Height(), b = FSD->BorderW;
        const TPoint probes[] = {{P.X - b, P.Y}, {P.X, P.Y - b}, {P.X + b, P.Y}, {P.X, P.Y + b}};
        bool border = false;
        const bool masked = FSD->FMask && !FSD->FMask->Empty();
        if (!masked) {
            const TRect whole{0, 0, W, H};
            for (TPoint q : probes)
                border = border || !whole.Contains(q);
        } else if (!NewMaskRectArea.Contains(P)) {
            for (TPoint q : probes)
                border = border || !PointInMask(q);
        }
        if (border) {
            if (P.X <= NewHitTestLTPoint.X && P.Y <= NewHitTestLTPoint.Y)
                return HTTOPLEFT;
            if (P.X >= NewHitTestRTPoint.X && P.Y <= NewHitTestRTPoint.Y)
                return HTTOPRIGHT;
            if (P.X <= NewHitTestLBPoint.X && P.Y >= NewHitTestLBPoint.Y)
                return HTBOTTOMLEFT;
            if (P.X >= NewHitTestRBPoint.X && P.Y >= NewHitTestRBPoint.Y)
                return HTBOTTOMRIGHT;
            if (TRect{NewHitTestLTPoint.X, 0, NewHitTestRTPoint.X, NewClRect.Top}.Contains(P))
                return HTTOP;
            if (TRect{NewHitTestLBPoint.X, NewClRect.Bottom, NewHitTestRBPoint.X, H}.Contains(P))
                return HTBOTTOM;
            if (TRect{0, NewHitTestLTPoint.Y, NewClRect.Left, NewHitTestLBPoint.Y}.Contains(P))
                return HTLEFT;
            if (TRect{NewClRect.Right, NewHitTestRTPoint.Y, W, NewHitTestRBPoint.Y}.Contains(P))
                return HTRIGHT;
        }
    }
    if (NewClRect.Contains(P))
        return HTCLIENT;
    return onCaption() ? HTCAPTION : HTOBJECT;
}

// ------------------------------------------------------------ region

void TbsFormFrame::UpdateFormRegion()
{
    if (!FForm->HandleAllocated())
        return;
    HWND h = FForm->Handle();
    if (FFormWidth == 0 || FFormHeight == 0) {
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
    }
    if (!FSkinnableForm || FForm->BorderStyle() == bsNone) {
        if (FRgn) {
            SetWindowRgn(h, nullptr, true);
            FRgn = false;
        }
        return;
    }
    const TRect whole{0, 0, FFormWidth, FFormHeight};
    if (!HasSkin(FSD)) {
        for (TBitmap* b : {&RMTop, &RMBottom, &RMLeft, &RMRight})
            b->FreeImage();
        SetRegion(TRegion(whole));
        return;
    }
    // A maximized MDI child shows no frame: nothing of it is cut away.
    if (!FSD->FMask || FSD->FMask->Empty() || (IsMDIChild() && FWindowState == wsMaximized)) {
        SetRegion(TRegion(whole));
        return;
    }
    CalcSkinRects();
    TbsSkinGeometry g = Geometry(*FSD, *this);
    CreateSkinBorderMasks(g, *FSD->FMask, RMTop, RMLeft, RMRight, RMBottom, FFormWidth, FFormHeight);
    const TRect& a = NewMaskRectArea;
    TRegion rgn(a);
    auto unite = [&](const TBitmap& strip, bool present, int x, int y) {
        if (present && !strip.Empty())
            rgn = rgn.Union(TRegion::FromRects(MaskToRects(strip, x, y)));
    };
    unite(RMTop, RMTop.Height() > 0, 0, 0);
    unite(RMBottom, RMBottom.Height() > 0, 0, a.Bottom);
    unite(RMLeft, RMLeft.Width() > 0, 0, a.Top);
    unite(RMRight, RMRight.Width() > 0, a.Right, a.Top);
    SetRegion(rgn);
}

void TbsFormFrame::SetRegion(const TRegion& Rgn)
{
    // Setting a region repaints the whole window; the same region again is left alone.
    TRegion current;
    if (FRgn && GetWindowRgn(FForm->Handle(), current) != rkError && current == Rgn)
        return;
    SetWindowRgn(FForm->Handle(), new TRegion(Rgn), true);
    FRgn = true;
    FRgnChanged = true;
}

void TbsFormFrame::UpdateSkinFrame()
{
    if (ComponentState().Contains(csDesigning) || !HasSkin(FSD))
        return;
    if (FSkinnableForm) {
        CalcSkinRects();
        CalcObjectRects();
    }
    FRgnChanged = false;
    UpdateFormRegion();
    if (!FRgnChanged && FSkinnableForm && FForm->BorderStyle() != bsNone)
        RepaintFrame();
    if (FSD->StretchEffect && FForm->HandleAllocated()) {
        FForm->Invalidate();
        CheckControlsParentBackground();
    }
}

void TbsFormFrame::CheckControlsParentBackground()
{
    // Children that show the form through a transparent look re-read the
    // stretched background, which has just changed with the size.
    for (int i = 0; i < FForm->ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(FForm->Controls(i)); w && w->HandleAllocated())
            SendMessage(w->Handle(), WM_CHECKPARENTBG, 0, 0);
}

// ------------------------------------------------------------ objects and captions

void TbsFormFrame::DrawSkinObject(TbsActiveSkinObject* AObject)
{
    if (!FSkinSupport) {
        // Without a skin the caption bitmap holds the buttons: the whole frame is redrawn.
        RepaintFrame();
        return;
    }
    if (!AObject || FForm->BorderStyle() == bsNone || !FForm->HandleAllocated() || !FrameShown())
        return;
    HDC dc = GetWindowDC(FForm->Handle());
    if (!dc)
        return;
    TCanvas c;
    c.SetHandle(dc);
    AObject->Draw(c, true);
    c.SetHandle(nullptr);
    ReleaseDC(FForm->Handle(), dc);
}

void TbsFormFrame::UpdateCaptionActiveState(bool Animate)
{
    const bool active = GetFormActive();
    for (auto& o : ObjectList) {
        auto* c = dynamic_cast<TbsSkinCaptionObject*>(o.get());
        if (!c || c->Active == active)
            continue;
        c->Active = active;
        if (Animate) {
            if (c->EnableAnimation()) {
                c->FIncTime = 25;
                c->CurrentFrame = active ? 1 : (c->InActiveAnimation ? c->FrameCount : 0);
                AnimateTimer->SetEnabled(true);
            }
            if (FForm->HandleAllocated() && FrameShown())
                SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
            if (c->EnableMorphing())
                MorphTimer->SetEnabled(true);
        } else if (c->EnableMorphing()) {
            c->SetMorphKf(active ? 1 : 0);
        }
        break;
    }
    TNotifyEvent& ev = active ? OnActivate : OnDeActivate;
    if (ev)
        ev(this);
}

void TbsFormFrame::MorphTimerProc(TObject*)
{
    bool any = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto* o = ObjectList[i].get();
        if (o->EnableMorphing() && o->CanMorphing()) {
            o->DoMorphing();
            any = true;
        }
    }
    if (!any)
        MorphTimer->SetEnabled(false);
}

void TbsFormFrame::AnimateTimerProc(TObject*)
{
    bool any = false;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto* o = ObjectList[i].get();
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o)) {
            if (a->Active && (!a->FDown || IsNullRect(a->DownSkinRect))) {
                a->ChangeFrame();
                any = true;
            }
        } else if (auto* c = dynamic_cast<TbsSkinCaptionObject*>(o); c && c->EnableAnimation()) {
            bool running = c->Active ? c->CurrentFrame <= c->FrameCount : c->CurrentFrame > 0;
            if (!running)
                continue;
            any = true;
            if (c->FIncTime < c->AnimateInterval) {
                c->FIncTime += 25;
                continue;
            }
            c->CurrentFrame += c->Active ? 1 : -1;
            c->FIncTime = 25;
            DrawSkinObject(c);
        }
    }
    if (!any)
        AnimateTimer->SetEnabled(false);
}

// ------------------------------------------------------------ client backgrounds

namespace {
// T tiled or stretched over the client as the skin's stretch settings say.
void PaintTile(TCanvas& C, const TBitmap& T, bool Stretch, TbsStretchType Type, int ClientW, int ClientH, int FrameW,
               int FrameH)
{
    const int tw = T.Width(), th = T.Height();
    if (tw <= 0 || th <= 0 || ClientW <= 0 || ClientH <= 0)
        return;
    if (Stretch) {
        switch (Type) {
        case bsstFull: C.StretchDraw(TRect{0, 0, FrameW, FrameH}, T); break;
        case bsstHorz:
            for (int i = 0; i <= FrameW / tw; ++i)
                C.StretchDraw(TRect{i * tw, 0, (i + 1) * tw, FrameH}, T);
            break;
        case bsstVert:
            for (int j = 0; j <= FrameH / th; ++j)
                C.StretchDraw(TRect{0, j * th, FrameW, (j + 1) * th}, T);
            break;
        default: break;
        }
        return;
    }
    for (int j = 0; j <= ClientH / th; ++j)
        for (int i = 0; i <= ClientW / tw; ++i)
            C.Draw(i * tw, j * th, T);
}
}  // namespace

void TbsFormFrame::PaintBG(HDC DC)
{
    if (!DC || !HasSkin(FSD)) {
        PaintBGDefault(DC);
        return;
    }
    TRect client = FForm->ClientRect();
    if (IsNullRect(FSD->ClRect)) {
        FillRect(*DC, client, clBtnFace);
        return;
    }
    TBitmap t(FSD->ClRect.Width(), FSD->ClRect.Height());
    CopyPiece(t, TRect{0, 0, t.Width(), t.Height()}, *FSD->FPicture, FSD->ClRect);
    TCanvas c;
    c.SetHandle(DC);
    PaintTile(c, t, FSD->StretchEffect, FSD->StretchType, client.Width(), client.Height(), FFormWidth, FFormHeight);
    if (!FLogoBitMap.Empty()) {
        int x = std::max(client.Width() / 2 - FLogoBitMap.Width() / 2, 0);
        int y = std::max(client.Height() / 2 - FLogoBitMap.Height() / 2, 0);
        TBitmap logo(FLogoBitMap);
        logo.SetTransparent(LogoBitMapTransparent);
        c.Draw(x, y, logo);
    }
    c.SetHandle(nullptr);
}

void TbsFormFrame::PaintBG2(HDC DC) { PaintBG3Like(DC, FSD ? FSD->BGPictureIndex : -1, false); }

void TbsFormFrame::PaintBG3(HDC DC) { PaintBG3Like(DC, FSD ? FSD->MDIBGPictureIndex : -1, true); }

void TbsFormFrame::PaintBG3Like(HDC DC, int Index, bool MDI)
{
    if (!DC || !HasSkin(FSD))
        return;
    const TBitmap* t = FSD->ActivePicture(Index);
    if (!t || t->Empty()) {
        PaintBG(DC);
        return;
    }
    TRect client = FForm->ClientRect();
    TCanvas c;
    c.SetHandle(DC);
    PaintTile(c, *t, MDI ? FSD->MDIBGStretchEffect : FSD->StretchEffect,
              MDI ? FSD->MDIBGStretchType : FSD->StretchType, client.Width(), client.Height(), FFormWidth,
              FFormHeight);
    if (!FLogoBitMap.Empty()) {
        int x = std::max(client.Width() / 2 - FLogoBitMap.Width() / 2, 0);
        int y = std::max(client.Height() / 2 - FLogoBitMap.Height() / 2, 0);
        TBitmap logo(FLogoBitMap);
        logo.SetTransparent(LogoBitMapTransparent);
        c.Draw(x, y, logo);
    }
    c.SetHandle(nullptr);
}
