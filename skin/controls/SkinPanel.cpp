#include "skin/controls/SkinPanel.h"
#include <algorithm>
#include "platform/gfx/Text.h"
#include "platform/ui/Messages.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/ParentImage.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

namespace {

// Two frames of a caption bar: the outer pair, then the inner one; each
// shrinks R by one pixel.
void Frame2(TCanvas& C, TRect& R, TColor TopLeft, TColor BottomRight)
{
    C.Frame3D(R, TopLeft, BottomRight, 1);
}

}  // namespace

TbsSkinPanel::TbsSkinPanel(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable};
    SetForcebackGround(true);
    SetBounds(Left(), Top(), 150, 150);
    NewClRect = TRect{};
    FSkinDataName = "panel";
}

void TbsSkinPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FCaptionImageList)
        FCaptionImageList = nullptr;
}

void TbsSkinPanel::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    BGPictureIndex = -1;
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TbsDataSkinPanelControl*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e)
        return;
    CaptionRect = e->CaptionRect;
    Alignment = e->Alignment;
    FontName = e->FontName;
    FontColor = e->FontColor;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    BGPictureIndex = e->BGPictureIndex;
    CheckImageRect = e->CheckImageRect;
    UnCheckImageRect = e->UnCheckImageRect;
    MarkFrameRect = e->MarkFrameRect;
    FrameRect = e->FrameRect;
    FrameTextRect = e->FrameTextRect;
    FrameLeftOffset = e->FrameLeftOffset;
    FrameRightOffset = e->FrameRightOffset;
}

void TbsSkinPanel::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    if (FRealHeight != -1) {
        // Collapse again for the new skin's caption height; the height to
        // restore stays the unrolled one.
        const int restore = FRealHeight;
        FRealHeight = -1;
        DoRollUp(true);
        FRealHeight = restore;
    } else {
        Realign();
    }
}

void TbsSkinPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FIndex == -1)
        Repaint();
}

void TbsSkinPanel::CreateParams(TCreateParams& Params)
{
    TbsSkinCustomControl::CreateParams(Params);
    Params.WindowClassStyle &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TbsSkinPanel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOVE:
        TbsSkinCustomControl::WndProc(Message);
        if (FTransparentMode) {
            Repaint();
            NotifyChildrenParentBackground();
        }
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(Message);
        if (FCaptionMode)
            Repaint();
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(Message);
        Repaint();
        return;
    default:
        TbsSkinCustomControl::WndProc(Message);
    }
}

void TbsSkinPanel::CheckParentBackground()
{
    if (FTransparentMode) {
        Repaint();
        NotifyChildrenParentBackground();
    }
}

void TbsSkinPanel::AdjustClientRect(TRect& R)
{
    TbsSkinCustomControl::AdjustClientRect(R);
    GetSkinData();
    if (FIndex == -1 || Designing()) {
        if (FBorderStyle != TbsSkinBorderStyle::bvNone)
            R = TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1};
        if (FCaptionMode) {
            if (FRibbonStyle)
                R.Bottom = std::max(R.Top, R.Bottom - FDefaultCaptionHeight);
            else
                R.Top = std::min(R.Bottom, R.Top + FDefaultCaptionHeight);
        }
        return;
    }
    const bool keep = (BGPictureIndex != -1 && FSD->ActivePicture(BGPictureIndex)) ||
                      (FBorderStyle == TbsSkinBorderStyle::bvNone && !FCaptionMode && ResizeMode == 1);
    if (keep)
        return;
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    R = NewClRect;
}

TRect TbsSkinPanel::GetSkinClientRect()
{
    TRect r{0, 0, Width(), Height()};
    AdjustClientRect(r);
    return r;
}

void TbsSkinPanel::PaintskinTo(TCanvas& C, int X, int Y)
{
    GetSkinData();
    TBitmap b;
    PrepareFaceBitmap(b, Width(), Height());
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    if (FIndex == -1)
        CreateControlDefaultImage(b);
    else
        CreateControlSkinImage(b);
    C.Draw(X, Y, b);
}

// ------------------------------------------------------------------ setters

void TbsSkinPanel::SetRibbonStyle(bool Value)
{
    if (FRibbonStyle == Value)
        return;
    FRibbonStyle = Value;
    Repaint();
}

void TbsSkinPanel::SetImagePosition(TbsImagePosition Value)
{
    if (FImagePosition == Value)
        return;
    FImagePosition = Value;
    Repaint();
}

void TbsSkinPanel::SetCaptionImageIndex(int Value)
{
    if (FCaptionImageIndex == Value)
        return;
    FCaptionImageIndex = Value;
    Repaint();
}

void TbsSkinPanel::SetCaptionImageList(TImageList* Value)
{
    if (FCaptionImageList)
        FCaptionImageList->RemoveFreeNotification(this);
    FCaptionImageList = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TbsSkinPanel::SetTransparentMode(bool Value)
{
    if (FTransparentMode == Value)
        return;
    FTransparentMode = Value;
    Repaint();
    if (!Designing() && !IsLoading())
        NotifyChildrenParentBackground();
}

void TbsSkinPanel::SetCheckedMode(bool Value)
{
    FCheckedMode = Value;
    Repaint();
}

void TbsSkinPanel::SetNumGlyphs(int Value)
{
    FNumGlyphs = std::clamp(Value, 1, 2);
    Repaint();
}

void TbsSkinPanel::SetSpacing(int Value)
{
    FSpacing = Value;
    Repaint();
}

void TbsSkinPanel::SetGlyph(const TBitmap& Value)
{
    FGlyph.Assign(Value);
    Repaint();
}

void TbsSkinPanel::SetChecked(bool Value)
{
    FChecked = Value;
    if (FCheckedMode)
        Repaint();
    if (FAutoEnabledControls && FCheckedMode)
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetEnabled(FChecked);
    if (OnChecked)
        OnChecked(this);
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment Value)
{
    FDefaultAlignment = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TbsSkinPanel::SetRollUpMode(bool Value)
{
    FRollUpMode = Value;
    if (FIndex == -1 && FCaptionMode)
        Repaint();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (FIndex == -1 && FCaptionMode) {
        Repaint();
        Realign();
    }
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle Value)
{
    FBorderStyle = Value;
    if (FIndex == -1) {
        Repaint();
        Realign();
    }
}

void TbsSkinPanel::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    Repaint();
    Realign();
}

// ------------------------------------------------------------------ roll-up

void TbsSkinPanel::SetRollUpState(bool Value)
{
    if (FRollUpState == Value)
        return;
    TSizeConstraints& c = Constraints();
    if (!FRollUpMode) {
        SetConstraints(TSizeConstraints{FCMinWidth, FCMinHeight, FCMaxWidth, FCMaxHeight});
        FRollUpState = false;
        return;
    }
    // The saved limits are kept from the first roll; a roll-down must not
    // overwrite them with the cleared ones.
    if (c.MaxWidth || c.MinWidth || c.MaxHeight || c.MinHeight) {
        FCMaxWidth = c.MaxWidth;
        FCMinWidth = c.MinWidth;
        FCMaxHeight = c.MaxHeight;
        FCMinHeight = c.MinHeight;
    }
    SetConstraints(TSizeConstraints{});
    FRollUpState = Value;
    DoRollUp(Value);
    if (OnChangeRollUpState)
        OnChangeRollUpState(this);
}

void TbsSkinPanel::DoRollUp(bool ARollUp)
{
    FInChangingRollUp = true;
    if (ARollUp) {
        if (FRealHeight == -1) {
            FRealHeight = Height();
            // A new skin collapses a rolled-up panel again: alignment is
            // held once, so that the roll-down gives it back.
            if (!FAlignHeld) {
                DisableAlign();
                FAlignHeld = true;
            }
            for (int i = 0; i < ControlCount(); ++i)
                Controls(i)->SetVisible(false);
            GetSkinData();
            if (FIndex == -1) {
                SetHeight(FDefaultCaptionHeight + 1);
            } else {
                int w = Width(), h = Height();
                FitSizeToSkin(w, h);
                SetHeight(Height() - RectHeight(NewClRect));
            }
        }
    } else if (FRealHeight != -1) {
        SetHeight(FRealHeight);
        FRealHeight = -1;
        for (int i = 0; i < ControlCount(); ++i)
            Controls(i)->SetVisible(true);
        if (FAlignHeld) {
            FAlignHeld = false;
            EnableAlign();
        }
    }
    FInChangingRollUp = false;
}

void TbsSkinPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if ((FRollUpMode || FCheckedMode) && FCaptionMode && Button == mbLeft) {
        bool hit;
        auto inside = [&](const TRect& r) { return X >= r.Left && X <= r.Right && Y >= r.Top && Y <= r.Bottom; };
        if (FIndex != -1)
            hit = (!IsNullRect(NewCaptionRect) && inside(NewCaptionRect)) ||
                  (!IsNullRect(NewRollUpMarkerRect) && inside(NewRollUpMarkerRect));
        else if (FRibbonStyle)   // the bar is drawn at the bottom: the click goes where it is seen
            hit = inside(TRect{1, Height() - FDefaultCaptionHeight - 1, Width() - 1, Height() - 1});
        else
            hit = inside(TRect{1, 1, Width() - 1, FDefaultCaptionHeight});
        if (hit) {
            if (FCheckedMode)
                SetChecked(!FChecked);
            if (FRollUpMode)
                SetRollUpState(!FRollUpState);
        }
    }
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}

// ------------------------------------------------------------------ looks

int TbsSkinPanel::CaptionPictureWidth() const
{
    if (FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
        FCaptionImageIndex < FCaptionImageList->Count())
        return FCaptionImageList->Width();
    if (!FGlyph.Empty())
        return FGlyph.Width() / FNumGlyphs;
    return 0;
}

int TbsSkinPanel::CaptionPictureHeight() const
{
    if (FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
        FCaptionImageIndex < FCaptionImageList->Count())
        return FCaptionImageList->Height();
    return FGlyph.Empty() ? 0 : FGlyph.Height();
}

void TbsSkinPanel::DrawCaptionPicture(TCanvas& C, int X, int Y)
{
    if (FGlyph.Empty() && FCaptionImageList && FCaptionImageIndex >= 0 &&
        FCaptionImageIndex < FCaptionImageList->Count())
        FCaptionImageList->Draw(C, X, Y, FCaptionImageIndex, Enabled());
    else if (!FGlyph.Empty())
        DrawGlyph(C, X, Y, FGlyph, FNumGlyphs, (!Enabled() && FNumGlyphs == 2) ? 2 : 1);
}

void TbsSkinPanel::CreateControlDefaultImage(TBitmap& B)
{
    TbsSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas& c = *B.Canvas();
    const int w = Width(), h = Height();
    TRect r{0, 0, w, h};
    switch (FBorderStyle) {
    case TbsSkinBorderStyle::bvFrame:
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(r);
        break;
    case TbsSkinBorderStyle::bvRaised: Frame2(c, r, clBtnHighlight, clBtnShadow); break;
    case TbsSkinBorderStyle::bvLowered: Frame2(c, r, clBtnShadow, clBtnHighlight); break;
    case TbsSkinBorderStyle::bvNone: break;
    }
    if (!FCaptionMode)
        return;
    const int ch = FDefaultCaptionHeight;
    TRect cr;
    if (FBorderStyle != TbsSkinBorderStyle::bvNone) {
        cr = FRibbonStyle ? TRect{1, h - ch - 1, w - 1, h - 1} : TRect{1, 1, w - 1, ch};
        Frame2(c, cr, clBtnShadow, clBtnHighlight);
        Frame2(c, cr, clBtnHighlight, clBtnShadow);
    } else {
        cr = FRibbonStyle ? TRect{0, h - ch, w, h} : TRect{0, 0, w, ch};
        Frame2(c, cr, clBtnShadow, clBtnShadow);
        Frame2(c, cr, clBtnHighlight, clBtnFace);
    }
    if (FCheckedMode)
        cr.Left += 20;
    if (FRollUpMode)
        cr.Right -= 10;

    c.Font().Assign(DefaultFont());
    c.Font().SetCharset(ControlCharset(FSD, DefaultFont()));
    const std::string& text = Caption();
    const int th = c.TextHeight(text.empty() ? "A" : text);
    const int y = cr.Top + RectHeight(cr) / 2 - th / 2;
    const int glyphW = FGlyph.Empty() ? 0 : FGlyph.Width() / FNumGlyphs + FSpacing;
    const int contentW = c.TextWidth(text) + glyphW;
    int x = cr.Left + 2;
    if (FDefaultAlignment == taRightJustify)
        x = cr.Right - contentW;
    else if (FDefaultAlignment == taCenter)
        x = cr.Left + 2 + RectWidth(cr) / 2 - contentW / 2;

    if (FCheckedMode) {
        const TRect box{5, cr.Top + RectHeight(cr) / 2 - 7, 19, cr.Top + RectHeight(cr) / 2 + 7};
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(box);
        if (FChecked)
            DrawCheckMark(c, box.Left + 3, box.Top + 2, clBtnText);
    }
    const int pw = CaptionPictureWidth();
    if (pw > 0) {
        DrawCaptionPicture(c, x, cr.Top + RectHeight(cr) / 2 - CaptionPictureHeight() / 2);
        x += pw + FSpacing;
    }
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(Enabled() ? clBtnText : clBtnShadow);
    c.TextRect(cr, x, y, text);
    c.Brush().SetStyle(bsSolid);
    if (FRollUpMode)
        DrawArrow(c, TRect{cr.Right, cr.Top, cr.Right + 10, cr.Bottom}, clBtnText, FRollUpState ? 4 : 3);
}

void TbsSkinPanel::CreateControlSkinImage(TBitmap& B)
{
    if (FBorderStyle == TbsSkinBorderStyle::bvNone && !FCaptionMode && !StretchEffect && ResizeMode == 1) {
        // The client part alone, tiled; the last tiles are cut.
        if (!Picture)
            return;
        const TRect src{SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                        SkinRect.Top + ClRect.Bottom};
        const int w = RectWidth(src), h = RectHeight(src);
        if (w <= 0 || h <= 0)
            return;
        TBitmap tile(w, h);
        CopyPiece(tile, TRect{0, 0, w, h}, *Picture, src);
        for (int x = 0; x < B.Width(); x += w)
            for (int y = 0; y < B.Height(); y += h)
                B.Canvas()->Draw(x, y, tile);
        return;
    }
    TbsSkinCustomControl::CreateControlSkinImage(B);
    if (ResizeMode < 1)
        NewCaptionRect = CaptionRect;
    else if (!FTransparentMode)
        MapSkinRect(CaptionRect, NewCaptionRect);
    if (!Caption().empty() && !IsNullRect(CaptionRect))
        DrawSkinCaption(*B.Canvas());
}

void TbsSkinPanel::DrawSkinCaption(TCanvas& C)
{
    TRect n = NewCaptionRect;
    if (FRollUpMode)
        n.Right -= 12;
    int checkW = 0;
    if (FCheckedMode && Picture) {
        const TRect& src = FChecked ? CheckImageRect : UnCheckImageRect;
        if (!IsNullRect(src)) {
            TBitmap mark(RectWidth(src), RectHeight(src));
            CopyPiece(mark, TRect{0, 0, mark.Width(), mark.Height()}, *Picture, src);
            mark.SetTransparent(true);
            C.Draw(n.Left, n.Top + RectHeight(n) / 2 - mark.Height() / 2, mark);
            checkW = mark.Width();
            n.Left += checkW + 2;
        }
    }
    ApplyControlFont(C, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    C.Font().SetColor(FontColor);
    const std::string& text = Caption();
    const int tw = C.TextWidth(text), th = C.TextHeight(text);
    const int y = n.Top + RectHeight(n) / 2 - th / 2;
    const int pw = CaptionPictureWidth();
    const int glyphW = FGlyph.Empty() ? 0 : FGlyph.Width() / FNumGlyphs + FSpacing;
    const int contentW = tw + glyphW;
    int x = n.Left;
    if (Alignment == taRightJustify)
        x = n.Right - contentW;
    else if (Alignment == taCenter)
        x = n.Left + RectWidth(n) / 2 - contentW / 2;

    int picX = -1;
    const int picY = n.Top + RectHeight(n) / 2 - CaptionPictureHeight() / 2;
    if (pw > 0) {
        if (FImagePosition == bsipLeft) {
            picX = n.Left + 2;
            const int minX = picX + pw + FSpacing;
            x = minX;
            if (Alignment == taRightJustify)
                x = std::max(minX, n.Right - tw);
            else if (Alignment == taCenter)
                x = std::max(minX, n.Left + RectWidth(n) / 2 - tw / 2);
        } else {
            picX = x;
            x += pw + FSpacing;
        }
    }

    if (FRollUpMode) {
        const TRect m{n.Right, n.Top, n.Right + 10, n.Bottom};
        NewRollUpMarkerRect = m;
        if (!IsNullRect(MarkFrameRect) && Picture) {
            TBitmap mark(RectWidth(MarkFrameRect), RectHeight(MarkFrameRect));
            CopyPiece(mark, TRect{0, 0, mark.Width(), mark.Height()}, *Picture, MarkFrameRect);
            C.Draw(m.Left, CaptionRect.Top, mark);
        }
        DrawArrow(C, m, FontColor, FRollUpState ? 4 : 3);
    } else {
        NewRollUpMarkerRect = TRect{};
    }

    if (!IsNullRect(FrameRect) && Picture) {
        const int d = RectWidth(FrameRect) - RectWidth(FrameTextRect);
        TBitmap strip;
        CreateHSkinImage(FrameLeftOffset, FrameRightOffset, strip, *Picture, FrameRect, d + tw,
                         RectHeight(FrameRect), false);
        int f;
        if (Alignment == taRightJustify) {
            f = x - d;
            if (picX >= 0)
                picX -= d;
            x = FrameTextRect.Left + f;
        } else if (Alignment == taCenter) {
            f = x - FrameTextRect.Left - 2;
            if (picX >= 0)
                picX -= FrameTextRect.Left;
            x -= 2;
        } else {
            f = x;
            x = FrameTextRect.Left + x;
        }
        C.Draw(f, CaptionRect.Top, strip);
    }
    C.Brush().SetStyle(bsClear);
    C.TextRect(n, x, y, text);
    C.Brush().SetStyle(bsSolid);
    if (picX >= 0)
        DrawCaptionPicture(C, picX, picY);
}

void TbsSkinPanel::PaintTransparentFrame(TCanvas& C)
{
    const TbsSkinColors* colors = FSD->SkinColors();
    const TColor shadow = colors ? colors->cBtnShadow() : clBtnShadow;
    ApplyControlFont(C, FSD, UseSkinFont(), FontName, FontHeight, FontStyle, DefaultFont());
    const std::string& text = Caption();
    const int th = C.TextHeight(text.empty() ? "A" : text);
    NewCaptionRect = TRect{5, 0, Width(), th + 5};
    int x = 5;
    if (FCheckedMode && Picture) {
        const TRect& src = FChecked ? CheckImageRect : UnCheckImageRect;
        if (!IsNullRect(src)) {
            TBitmap mark(RectWidth(src), RectHeight(src));
            CopyPiece(mark, TRect{0, 0, mark.Width(), mark.Height()}, *Picture, src);
            mark.SetTransparent(true);
            C.Draw(5, RectHeight(NewCaptionRect) / 2 - mark.Height() / 2, mark);
            x = mark.Width() + 10;
        }
    }
    const int pw = CaptionPictureWidth();
    if (pw > 0) {
        DrawCaptionPicture(C, x, RectHeight(NewCaptionRect) / 2 - CaptionPictureHeight() / 2);
        x += pw + 2;
    }
    // The group caption takes the plain labels' colour of the skin.
    TColor textColor = colors ? colors->cBtnText() : clBtnText;
    const int li = FSD->GetControlIndex("stdlabel");
    if (li != -1)
        if (const auto* l = dynamic_cast<const TbsDataSkinStdLabelControl*>(FSD->CtrlList[size_t(li)].get()))
            textColor = l->FontColor;
    const TRect t{x, 0, Width(), th + 5};
    TRect e = t;
    C.DrawText(text, e, DT_SINGLELINE | DT_VCENTER | DT_CALCRECT);
    C.Brush().SetStyle(bsClear);
    C.Font().SetColor(textColor);
    TRect tr = t;
    C.DrawText(text, tr, DT_SINGLELINE | DT_VCENTER);
    int lineStart = t.Left + RectWidth(e) + 3;
    if (FRollUpMode) {
        DrawArrow(C, TRect{t.Left + RectWidth(e) + 3, t.Top, t.Left + RectWidth(e) + 10, t.Bottom}, textColor,
                  FRollUpState ? 4 : 3);
        lineStart = t.Left + RectWidth(e) + 12;
    }
    const int mid = RectHeight(t) / 2;
    C.Pen().SetColor(shadow);
    C.MoveTo(lineStart, mid);
    C.LineTo(Width(), mid);
    C.MoveTo(0, mid);
    C.LineTo(4, mid);
    C.MoveTo(Width() - 1, mid);
    C.LineTo(Width() - 1, Height() - 1);
    C.LineTo(0, Height() - 1);
    C.LineTo(0, mid);
    C.Brush().SetStyle(bsSolid);
}

void TbsSkinPanel::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    const bool skinned = FIndex != -1;
    if (skinned && FTransparentMode) {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        TBitmap b(Width(), Height());
        DrawParentImage(this, *b.Canvas());
        if (!FCaptionMode) {
            if (FBorderStyle != TbsSkinBorderStyle::bvNone) {
                const TbsSkinColors* colors = FSD->SkinColors();
                b.Canvas()->Brush().SetColor(colors ? colors->cBtnShadow() : clBtnShadow);
                b.Canvas()->FrameRect(TRect{0, 0, Width(), Height()});
            }
        } else {
            PaintTransparentFrame(*b.Canvas());
        }
        PaintClient(*b.Canvas());
        Canvas().Draw(0, 0, b);
        return;
    }
    if (!skinned || (!ForcebackGround() && StretchEffect)) {
        TbsSkinCustomControl::Paint();
        return;
    }
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    TCanvas& c = Canvas();
    if (FBorderStyle == TbsSkinBorderStyle::bvNone && !FCaptionMode && ResizeMode == 1 && ForcebackGround()) {
        if (!Picture)
            return;
        const TRect src{SkinRect.Left + ClRect.Left, SkinRect.Top + ClRect.Top, SkinRect.Left + ClRect.Right,
                        SkinRect.Top + ClRect.Bottom};
        const int tw = RectWidth(src), th = RectHeight(src);
        if (tw <= 0 || th <= 0)
            return;
        TBitmap tile(tw, th);
        CopyPiece(tile, TRect{0, 0, tw, th}, *Picture, src);
        if (StretchEffect && StretchType == bsstFull) {
            c.StretchDraw(TRect{0, 0, Width(), Height()}, tile);
        } else if (StretchEffect && StretchType == bsstHorz) {
            TBitmap col(tw, Height());
            col.Canvas()->StretchDraw(TRect{0, 0, tw, Height()}, tile);
            for (int x = 0; x < Width(); x += tw)
                c.Draw(x, 0, col);
        } else if (StretchEffect && StretchType == bsstVert) {
            TBitmap row(Width(), th);
            row.Canvas()->StretchDraw(TRect{0, 0, Width(), th}, tile);
            for (int y = 0; y < Height(); y += th)
                c.Draw(0, y, row);
        } else {
            for (int i = 0; i <= Width() / tw; ++i)
                for (int j = 0; j <= Height() / th; ++j)
                    c.Draw(i * tw, j * th, tile);
        }
        return;
    }
    if (BGPictureIndex != -1) {
        if (TBitmap* bg = FSD->ActivePicture(BGPictureIndex); bg && !bg->Empty()) {
            const int pw = bg->Width(), ph = bg->Height();
            if (StretchEffect && StretchType == bsstFull) {
                c.StretchDraw(NewClRect, *bg);
            } else if (StretchEffect && StretchType == bsstHorz) {
                TBitmap col(pw, Height());
                col.Canvas()->StretchDraw(TRect{0, 0, pw, Height()}, *bg);
                for (int x = 0; x < Width(); x += pw)
                    c.Draw(x, 0, col);
            } else if (StretchEffect && StretchType == bsstVert) {
                TBitmap row(Width(), ph);
                row.Canvas()->StretchDraw(TRect{0, 0, Width(), ph}, *bg);
                for (int y = 0; y < Height(); y += ph)
                    c.Draw(0, y, row);
            } else {
                for (int x = 0; x < Width(); x += pw)
                    for (int y = 0; y < Height(); y += ph)
                        c.Draw(x, y, *bg);
            }
            return;
        }
    }
    TbsSkinCustomControl::Paint();
}

// --------------------------------------------------------------- paint panel

TbsSkinPaintPanel::TbsSkinPaintPanel(TComponent* AOwner) : TbsSkinPanel(AOwner) { SetForcebackGround(false); }

void TbsSkinPaintPanel::PaintClient(TCanvas& Canvas)
{
    if (OnPanelPaint)
        OnPanelPaint(Canvas, GetSkinClientRect());
}

void TbsSkinPaintPanel::CreateControlDefaultImage(TBitmap& B)
{
    TbsSkinPanel::CreateControlDefaultImage(B);
    if (OnPanelPaint)
        OnPanelPaint(*B.Canvas(), GetSkinClientRect());
}

void TbsSkinPaintPanel::CreateControlSkinImage(TBitmap& B)
{
    TbsSkinPanel::CreateControlSkinImage(B);
    if (OnPanelPaint)
        OnPanelPaint(*B.Canvas(), GetSkinClientRect());
}

void TbsSkinPaintPanel::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_ERASEBKGND && !FromWMPaint) {
        PaintFaceTo(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    }
    TbsSkinPanel::WndProc(Message);
}

// ------------------------------------------------------------------ group box

TbsSkinGroupBox::TbsSkinGroupBox(TComponent* AOwner) : TbsSkinPanel(AOwner)
{
    FSkinDataName = "groupbox";
    SetCaptionMode(true);
}

void TbsSkinGroupBox::GetSkinData()
{
    TbsSkinPanel::GetSkinData();
    if (FIndex != -1 && ClRect.Bottom < CaptionRect.Top)
        SetForcebackGround(false);
}
