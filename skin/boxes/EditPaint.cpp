#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/Paint.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/ButtonFace.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/controls/ControlPaint.h"

// How the skinned edit paints: the frame and drop button in the non-client
// area, the background under the text, the image buttons and the text of a
// disabled edit. The inner edit draws the enabled text transparently on top.

namespace {


void Box(TCanvas& C, const TRect& R, TColor Border, TColor Fill)
{
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Border);
    C.FrameRect(R);
    C.Brush().SetColor(Fill);
    C.FillRect(TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
}

}  // namespace

TRect TbsSkinCustomEdit::StateRect()
{
    return FMouseIn || Focused() ? ActiveSkinRect : SkinRect;
}

void TbsSkinCustomEdit::DrawEditButton(TCanvas& C, const TRect& R)
{
    const TbsDataSkinButtonControl* e = FSD ? FindButtonElement(*FSD, {"editbutton", "resizebutton"}) : nullptr;
    if (!e)
        return;
    DrawButtonFace(C, R, *FSD, *e, FButtonDown && FButtonActive, FButtonActive);
}

void TbsSkinCustomEdit::CreateFrameImage(TBitmap& B, bool ForPrint)
{
    (void)ForPrint;
    GetSkinData();
    CalcRects();
    B.SetSize(Width(), Height(), false);
    B.Fill(clBtnFace);
    TCanvas& c = *B.Canvas();
    if (!Skinned()) {
        const int b = FButtonMode ? Width() - FButtonRect.Left : 0;
        const TRect r{0, 0, Width() - b, Height()};
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBtnShadow);
        c.FrameRect(r);
        c.Brush().SetColor(clBtnFace);
        c.FrameRect(TRect{1, 1, r.Right - 1, r.Bottom - 1});
        c.Brush().SetColor(FDefaultColor);
        c.FillRect(TRect{2, 2, r.Right - 2, r.Bottom - 2});
        if (FButtonMode) {
            if (FButtonDown && FButtonActive)
                Box(c, FButtonRect, PlainHotFrame, PlainDownFill);
            else if (FButtonActive)
                Box(c, FButtonRect, PlainHotFrame, PlainHotFill);
            else
                Box(c, FButtonRect, clBtnShadow, clBtnFace);
        }
        return;
    }
    if (!Picture)
        return;
    const TRect state = StateRect();
    if (FUseSkinFont) {
        CreateHSkinImage(LOffset, ROffset, B, *Picture, state, Width(), RectHeight(state), StretchEffect);
        B.SetSize(Width(), Height(), true);
        if (FButtonMode) {
            TRect src;
            if (!Enabled() && !IsNullRect(UnEnabledButtonRect))
                src = UnEnabledButtonRect;
            else if (FButtonDown && FButtonActive)
                src = DownButtonRect;
            else if (FButtonActive)
                src = ActiveButtonRect;
            if (!IsNullRect(src))
                CopyPiece(B, FButtonRect, *Picture, src);
        }
    } else {
        CreateStretchImage(B, *Picture, state, ClRect, false);
        if (FButtonMode)
            DrawEditButton(c, FButtonRect);
    }
}

void TbsSkinCustomEdit::PaintNC()
{
    if (!HandleAllocated())
        return;
    HDC dc = GetWindowDC(Handle());
    if (!dc)
        return;
    {
        TBitmap frame;
        CreateFrameImage(frame, false);
        TSavedDC saved(dc);
        dc->ExcludeClipRect(FEditRect);
        TCanvas c;
        c.SetHandle(dc);
        c.Draw(0, 0, frame);
        c.SetHandle(nullptr);
    }
    ReleaseDC(Handle(), dc);
    Invalidate();
}

void TbsSkinCustomEdit::PrintFrame(TMessage& Message, bool ClipText)
{
    auto dc = reinterpret_cast<HDC>(Message.WParam);
    Message.Result = ClipText ? PRINTSKINFRAMEEX_KEY : 0;
    if (!dc)
        return;
    TBitmap frame;
    CreateFrameImage(frame, true);
    TSavedDC saved(dc);
    if (ClipText)
        dc->ExcludeClipRect(FEditRect);
    TCanvas c;
    c.SetHandle(dc);
    c.Draw(0, 0, frame);
    c.SetHandle(nullptr);
    Message.Result = ClipText ? PRINTSKINFRAMEEX_KEY : PRINTSKINFRAME_DONE;
}

void TbsSkinCustomEdit::PaintEditBackground(TCanvas& C)
{
    const int w = RectWidth(FEditRect), h = RectHeight(FEditRect);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    if (!Skinned() || !Picture) {
        b.Fill(FDefaultColor);
        C.Draw(0, 0, b);
        return;
    }
    const TRect state = StateRect();
    const TRect r{state.Left + ClRect.Left, state.Top + ClRect.Top, state.Left + ClRect.Right,
                  state.Top + ClRect.Bottom};
    const int l = std::max(0, LOffset - ClRect.Left);
    const int rc = std::max(0, ClRect.Right + ROffset - RectWidth(SkinRect));
    CreateHSkinImage(l, rc, b, *Picture, r, w, RectHeight(ClRect), StretchEffect);
    if (FUseSkinFont)
        C.Draw(0, 0, b);
    else
        C.StretchDraw(TRect{0, 0, w, h}, b);
}

void TbsSkinCustomEdit::DrawImages(TCanvas& C)
{
    if (!FImages)
        return;
    UpdateImageButtons(false);
    auto draw = [&](const TbsCBButtonX& B, int Normal, int Hot, int Down) {
        if (Normal < 0 || Normal >= FImages->Count())
            return;
        const TRect& r = B.R;
        const int y = std::max(r.Top, r.Top + RectHeight(r) / 2 - FImages->Height() / 2);
        int index = Normal;
        if (B.Down && B.MouseIn && Down >= 0 && Down < FImages->Count())
            index = Down;
        else if (B.MouseIn && Hot >= 0 && Hot < FImages->Count())
            index = Hot;
        FImages->Draw(C, r.Left, y, index, Enabled());
    };
    draw(FLeftButton, FLeftImageIndex, LeftImageHotIndex, LeftImageDownIndex);
    draw(FRightButton, FRightImageIndex, RightImageHotIndex, RightImageDownIndex);
}

void TbsSkinCustomEdit::DrawDisabledText(HDC DC)
{
    TCanvas c;
    c.SetHandle(DC);
    c.Brush().SetStyle(bsClear);
    if (Skinned() && FUseSkinFont) {
        c.Font().SetName(FontName);
        c.Font().SetHeight(FontHeight);
        c.Font().SetStyle(FontStyle);
        c.Font().SetColor(DisabledFontColor);
    } else {
        c.Font().Assign(FDefaultFont);
        c.Font().SetColor(Skinned() ? DisabledFontColor : clGrayText);
    }
    c.Font().SetCharset(TextCharset());
    const TRect r{0, 0, RectWidth(FEditRect), RectHeight(FEditRect)};
    const std::string text = PasswordChar() ? std::string() : Text();
    const int tw = c.TextWidth(text);
    int x = 2;
    if (Alignment() == taRightJustify)
        x = r.Right - 1 - tw;
    else if (Alignment() == taCenter)
        x = RectWidth(r) / 2 - tw / 2;
    c.TextRect(r, x, 0, text);
    c.SetHandle(nullptr);
}

void TbsSkinCustomEdit::PaintWindow(HDC dc)
{
    GetSkinData();
    CalcRects();
    {
        TCanvas c;
        c.SetHandle(dc);
        PaintEditBackground(c);
        DrawImages(c);
        c.SetHandle(nullptr);
    }
    if (Enabled())
        TbsCustomEdit::PaintWindow(dc);
    else
        DrawDisabledText(dc);
}

void TbsSkinCustomEdit::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    CalcRects();
    TBitmap b(Width(), Height());
    b.Fill(clBtnFace);
    TCanvas& c = *b.Canvas();
    if (!Skinned()) {
        CreateFrameImage(b, true);
    } else if (FUseSkinFont) {
        if (Picture)
            CreateHSkinImage(LOffset, ROffset, b, *Picture, SkinRect, Width(), RectHeight(SkinRect), StretchEffect);
        b.SetSize(Width(), Height(), true);
    } else {
        if (Picture)
            CreateStretchImage(b, *Picture, SkinRect, ClRect, true);
        if (FButtonMode)
            DrawEditButton(c, FButtonRect);
    }
    c.Brush().SetStyle(bsClear);
    if (Skinned() && FUseSkinFont) {
        c.Font().SetName(FontName);
        c.Font().SetHeight(FontHeight);
        c.Font().SetColor(FontColor);
        c.Font().SetStyle(FontStyle);
    } else {
        c.Font().Assign(FDefaultFont);
    }
    c.Font().SetCharset(TextCharset());
    TRect r = FEditRect;
    if (FImages) {
        if (FLeftImageIndex >= 0)
            r.Left += FImages->Width() + 2;
        if (FRightImageIndex >= 0)
            r.Right -= FImages->Width() + 2;
    }
    const int tw = c.TextWidth(AText);
    int x = r.Left + 2;
    if (Alignment() == taRightJustify)
        x = r.Right - tw;
    else if (Alignment() == taCenter)
        x = r.Left + 2 + RectWidth(r) / 2 - tw / 2;
    c.TextRect(r, x, r.Top, AText);
    C.Draw(X, Y, b);
}
