// The skinned list box's faces: frame, caption with its glyph, and the
// three caption buttons with their auto-repeat.
#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Timers.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

namespace {

constexpr UINT_PTR CaptionRepeatTimer = 1;
constexpr int FirstRepeatDelay = 500;
constexpr int RepeatPeriod = 100;
constexpr int ReEnterRepeatPeriod = 50;

}  // namespace

int TbsSkinCustomListBox::CaptionWidth(TCanvas& C)
{
    int w = C.TextWidth(Caption());
    if (!FGlyph.Empty())
        w += FGlyph.Width() / std::max(1, FNumGlyphs) + FSpacing;
    return w;
}

void TbsSkinCustomListBox::CreateControlDefaultImage(TBitmap& B)
{
    TbsSkinCustomControl::CreateControlDefaultImage(B);
    TCanvas& c = *B.Canvas();
    const int w = Width();
    int a = 0;
    if (ButtonsActive()) {
        a = std::min(17, FDefaultCaptionHeight - 3);
        Buttons[0].R = TRect{w - a - 2, 2, w - 2, a + 1};
        Buttons[1].R = TRect{Buttons[0].R.Left - a, 2, Buttons[0].R.Left, a + 1};
        Buttons[2].R = TRect{Buttons[1].R.Left - a, 2, Buttons[1].R.Left, a + 1};
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(TRect{0, 0, w, Height()});
    if (!FCaptionMode)
        return;
    const TRect r = ButtonsActive() ? TRect{3, 2, w - 3 * a - 3, FDefaultCaptionHeight - 2}
                                    : TRect{3, 2, w - 2, FDefaultCaptionHeight - 2};
    c.Font().Assign(FDefaultCaptionFont);
    if (FSD && FSD->ResourceStrData())
        c.Font().SetCharset(ControlCharset(FSD, FDefaultCaptionFont));
    const int cw = CaptionWidth(c);
    int x = r.Left;
    if (FAlignment == taRightJustify)
        x = r.Right - cw;
    else if (FAlignment == taCenter)
        x = r.Left + RectWidth(r) / 2 - cw / 2;
    const int y = (FDefaultCaptionHeight - 2) / 2 - c.TextHeight("Wg") / 2;
    int glyphX = x, glyphY = 0, glyphNum = 1;
    if (!FGlyph.Empty()) {
        glyphY = r.Top + RectHeight(r) / 2 - FGlyph.Height() / 2 - 1;
        if (FNumGlyphs == 0)
            FNumGlyphs = 1;
        x += FGlyph.Width() / FNumGlyphs + FSpacing;
        if (!Enabled() && FNumGlyphs == 2)
            glyphNum = 2;
    }
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.TextRect(r, x, y, Caption());
    if (!FGlyph.Empty())
        DrawGlyph(c, glyphX, glyphY, FGlyph, FNumGlyphs, glyphNum);
    c.Pen().SetColor(clBtnShadow);
    c.MoveTo(1, FDefaultCaptionHeight - 1);
    c.LineTo(w - 1, FDefaultCaptionHeight - 1);
    if (ButtonsActive())
        for (int i = 0; i < 3; ++i)
            DrawButton(c, i);
}

// A skin rectangle placed for the current size: right of a corner it follows
// the right edge, below the top corner the bottom edge.
TRect TbsSkinCustomListBox::AnchorSkinRect(const TRect& R) const
{
    TRect result = R;
    const int dw = Width() - RectWidth(SkinRect), dh = Height() - RectHeight(SkinRect);
    int x = RTPt.X;
    if (R.Top > LTPt.Y) {
        result.Offset(0, dh);
        x = RBPt.X;
    }
    if (R.Left > x)
        result.Offset(dw, 0);
    return result;
}

void TbsSkinCustomListBox::CreateControlSkinImage(TBitmap& B)
{
    TbsSkinCustomControl::CreateControlSkinImage(B);
    TCanvas& c = *B.Canvas();
    const int dw = Width() - RectWidth(SkinRect), dh = Height() - RectHeight(SkinRect);
    if (!FShowCaptionButtons && !IsNullRect(UpButtonRect) && Picture) {
        if (!IsNullRect(DisabledButtonsRect)) {
            CopyPiece(B, ButtonsArea.Offsetted(dw, 0), *Picture,
                      DisabledButtonsRect);
        } else if (ClRect.Top > 1 && NewRTPoint.X > NewLTPoint.X) {
            TBitmap strip(NewRTPoint.X - NewLTPoint.X, ClRect.Top - 1);
            CopyPiece(strip, TRect{0, 0, strip.Width(), strip.Height()}, B,
                      TRect{NewLTPoint.X, 0, NewRTPoint.X, ClRect.Top - 1});
            c.StretchDraw(TRect{NewLTPoint.X, 0, UpButtonRect.Right + dw, ClRect.Top - 1}, strip);
        }
    }
    NewClRect = ClRect;
    NewClRect.Right += dw;
    NewClRect.Bottom += dh;
    if (!FCaptionMode)
        return;
    NewCaptionRect = CaptionRect;
    if (FShowCaptionButtons) {
        if (CaptionRect.Right >= RTPt.X)
            NewCaptionRect.Right += dw;
        Buttons[0].R = AnchorSkinRect(UpButtonRect);
        Buttons[1].R = AnchorSkinRect(DownButtonRect);
        Buttons[2].R = AnchorSkinRect(CheckButtonRect);
    } else {
        NewCaptionRect.Right = Width() - CaptionRect.Left;
        for (auto& b : Buttons)
            b.R = TRect{};
    }
    if (!IsNullRect(CaptionRect)) {
        c.Font().SetName(CaptionFontName);
        c.Font().SetHeight(CaptionFontHeight);
        c.Font().SetColor(CaptionFontColor);
        c.Font().SetStyle(CaptionFontStyle);
        c.Font().SetCharset(ControlCharset(FSD, FDefaultCaptionFont));
        const TRect& r = NewCaptionRect;
        const int cw = CaptionWidth(c);
        const int y = r.Top + RectHeight(r) / 2 - c.TextHeight("Wg") / 2;
        int x = r.Left + 2;
        if (FAlignment == taRightJustify)
            x = r.Right - cw - 2;
        else if (FAlignment == taCenter)
            x = r.Left + 2 + RectWidth(r) / 2 - cw / 2;
        c.Brush().SetStyle(bsClear);
        const int glyphX = x;
        if (!FGlyph.Empty() && FNumGlyphs > 0)
            x += FGlyph.Width() / FNumGlyphs + FSpacing;
        c.TextRect(r, x, y, Caption());
        if (!FGlyph.Empty() && FNumGlyphs > 0)
            DrawGlyph(c, glyphX, r.Top + RectHeight(r) / 2 - FGlyph.Height() / 2, FGlyph, FNumGlyphs,
                      !Enabled() && FNumGlyphs == 2 ? 2 : 1);
    }
    if (FShowCaptionButtons)
        for (int i = 0; i < 3; ++i)
            DrawButton(c, i);
}

// ------------------------------------------------------------------ buttons

void TbsSkinCustomListBox::DrawButton(TCanvas& C, int I)
{
    const TbsCBButtonX& b = Buttons[I];
    if (!Skinned()) {
        if (b.Down && b.MouseIn)
            DrawPlainFace(C, b.R, PlainHotFrame, PlainDownFill);
        else if (b.MouseIn)
            DrawPlainFace(C, b.R, PlainHotFrame, PlainHotFill);
        else {
            C.Brush().SetStyle(bsSolid);
            C.Brush().SetColor(clBtnFace);
            C.FillRect(b.R);
        }
        if (I == 0)
            DrawArrow(C, b.R, clBlack, 3);
        else if (I == 1)
            DrawArrow(C, b.R, clBlack, 4);
        else
            DrawCheckMark(C, b.R.Left + 4, b.R.Top + 4, clBlack);
        return;
    }
    if (IsNullRect(b.R) || !Picture)
        return;
    const TRect places[3] = {UpButtonRect, DownButtonRect, CheckButtonRect};
    const TRect downs[3] = {DownUpButtonRect, DownDownButtonRect, DownCheckButtonRect};
    const TRect actives[3] = {ActiveUpButtonRect, ActiveDownButtonRect, ActiveCheckButtonRect};
    TRect source;
    if (b.Down && b.MouseIn)
        source = downs[I];
    else if (b.MouseIn)
        source = actives[I];
    if (IsNullRect(source))
        source = places[I].Offsetted(SkinRect.Left, SkinRect.Top);
    TBitmap piece(RectWidth(b.R), RectHeight(b.R));
    CopyPiece(piece, TRect{0, 0, piece.Width(), piece.Height()}, *Picture, source);
    C.Draw(b.R.Left, b.R.Top, piece);
}

void TbsSkinCustomListBox::RedrawButton(int I)
{
    if (HandleAllocated())
        InvalidateRect(Handle(), &Buttons[I].R, false);
}

void TbsSkinCustomListBox::TestActive(int X, int Y)
{
    if (!ButtonsActive())
        return;
    if (Skinned() && IsNullRect(UpButtonRect) && IsNullRect(DownButtonRect))
        return;
    OldActiveButton = ActiveButton;
    ActiveButton = -1;
    for (int i = 0; i < 3; ++i)
        if (PtInRect(Buttons[i].R, TPoint{X, Y})) {
            ActiveButton = i;
            break;
        }
    if (CaptureButton != -1 && ActiveButton != CaptureButton)
        ActiveButton = -1;
    if (ActiveButton == OldActiveButton)
        return;
    if (OldActiveButton != -1)
        ButtonLeave(OldActiveButton);
    if (ActiveButton != -1)
        ButtonEnter(ActiveButton);
}

void TbsSkinCustomListBox::ButtonEnter(int I)
{
    Buttons[I].MouseIn = true;
    RedrawButton(I);
    if (TimerMode != 0 && Buttons[I].Down)
        StartTimer(ReEnterRepeatPeriod);
}

void TbsSkinCustomListBox::ButtonLeave(int I)
{
    Buttons[I].MouseIn = false;
    RedrawButton(I);
    if (TimerMode != 0 && Buttons[I].Down && HandleAllocated())
        KillTimer(Handle(), CaptionRepeatTimer);
}

void TbsSkinCustomListBox::ButtonDown(int I)
{
    Buttons[I].MouseIn = true;
    Buttons[I].Down = true;
    RedrawButton(I);
    const TNotifyEvent* events[3] = {&OnUpButtonClick, &OnDownButtonClick, &OnCheckButtonClick};
    if (*events[I])
        return;
    TimerMode = I == 0 ? 1 : I == 1 ? 2 : 0;
    if (I < 2) {
        WaitMode = true;
        StartTimer(FirstRepeatDelay);
    }
}

// Released over the button: its event, or the default move. Released away
// it does nothing more; steps already made by the repeat stand.
void TbsSkinCustomListBox::ButtonUp(int I)
{
    Buttons[I].Down = false;
    if (I != ActiveButton)
        Buttons[I].MouseIn = false;
    RedrawButton(I);
    StopTimer();
    if (I != ActiveButton)
        return;
    const TNotifyEvent events[3] = {OnUpButtonClick, OnDownButtonClick, OnCheckButtonClick};
    if (events[I]) {
        events[I](this);
        return;
    }
    if (I == 0)
        MoveUp();
    else if (I == 1)
        MoveDown();
    else
        ListBox->Click();
}

void TbsSkinCustomListBox::MoveUp()
{
    if (ItemIndex() > 0)
        SetItemIndex(ItemIndex() - 1);
}

void TbsSkinCustomListBox::MoveDown()
{
    if (ItemIndex() < Items().Count() - 1)
        SetItemIndex(ItemIndex() + 1);
}

void TbsSkinCustomListBox::StartTimer(int Ms)
{
    if (HandleAllocated())
        SetTimer(Handle(), CaptionRepeatTimer, UINT(Ms));
}

void TbsSkinCustomListBox::StopTimer()
{
    if (HandleAllocated())
        KillTimer(Handle(), CaptionRepeatTimer);
    TimerMode = 0;
    WaitMode = false;
}

void TbsSkinCustomListBox::TimerStep()
{
    if (WaitMode) {
        WaitMode = false;
        StartTimer(RepeatPeriod);
    } else if (TimerMode == 1) {
        MoveUp();
    } else if (TimerMode == 2) {
        MoveDown();
    }
}

void TbsSkinCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && ButtonsActive()) {
        TestActive(X, Y);
        if (ActiveButton != -1) {
            CaptureButton = ActiveButton;
            ButtonDown(ActiveButton);
        }
    }
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
}

void TbsSkinCustomListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
    TestActive(X, Y);
}

void TbsSkinCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (CaptureButton != -1) {
        const int captured = CaptureButton;
        CaptureButton = -1;
        TestActive(X, Y);
        ButtonUp(captured);
    }
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
}
