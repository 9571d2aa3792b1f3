#include <algorithm>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/boxes/InnerEdit.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/ButtonFace.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/controls/ControlPaint.h"

// The face of the combo box, always drawn whole into the base's off-screen
// bitmap.

namespace {

constexpr int ArrowDown = 4;

void FramedBox(TCanvas& C, const TRect& R, TColor Frame, TColor Fill)
{
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(Frame);
    C.FrameRect(R);
    C.Brush().SetColor(Fill);
    C.FillRect(TRect{R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1});
}

void StateBox(TCanvas& C, const TRect& R, bool Pressed, bool Hot)
{
    if (Pressed)
        FramedBox(C, R, PlainHotFrame, PlainDownFill);
    else if (Hot)
        FramedBox(C, R, PlainHotFrame, PlainHotFill);
    else
        FramedBox(C, R, clBtnShadow, clBtnFace);
}

// The part of Face under R, scaled to W x H.
void FaceCopy(TBitmap& Strip, const TBitmap& Face, const TRect& R, int W, int H)
{
    Strip.SetSize(std::max(1, W), std::max(1, H), false);
    Strip.Canvas()->CopyRect(TRect{0, 0, W, H}, *const_cast<TBitmap&>(Face).Canvas(), R);
}

}  // namespace

int TbsSkinCustomComboBox::ShownIndex()
{
    return IsPopupVisible() ? FOldItemIndex : FListBox->ItemIndex();
}

std::string TbsSkinCustomComboBox::ItemText(int Index)
{
    if (FPaintText)
        return *FPaintText;
    return Index >= 0 && Index < Items().Count() ? Items()[Index] : std::string();
}

bool TbsSkinCustomComboBox::FaceHot()
{
    return (!IsNullRect(ActiveSkinRect) && FMouseIn) || (FEdit && FEdit->Focused()) || Focused();
}

void TbsSkinCustomComboBox::DrawTabbedString(TCanvas& C, const std::string& S, const TRect& T)
{
    DrawTabbedItemText(S, TabWidths(), C, T, 0);
}

// The image and the text of an item into T.
void TbsSkinCustomComboBox::DrawItemContent(TCanvas& C, int Index, TRect T)
{
    if (TImageList* images = Images()) {
        const int image = ImageIndex() >= 0 ? ImageIndex() : Index;
        if (image >= 0 && image < images->Count())
            images->Draw(C, T.Left, T.Top + RectHeight(T) / 2 - images->Height() / 2, image, true);
        T.Left += images->Width() + 2;
    }
    const std::string text = ItemText(Index);
    if (TabWidths().Count() > 0)
        DrawTabbedString(C, text, T);
    else
        TextRectVCenter(C, text, T);
}

void TbsSkinCustomComboBox::DrawButton(TBitmap& B)
{
    TCanvas& C = *B.Canvas();
    const bool pressed = FButton.Down && FButton.MouseIn;
    if (!Skinned()) {
        StateBox(C, FButton.R, pressed, FButton.MouseIn);
        DrawArrow(C, FButton.R, Enabled() ? clBlack : clBtnShadow, ArrowDown);
        return;
    }
    const TRect src = ButtonSource(Enabled(), pressed, FButton.MouseIn);
    if (!IsNullRect(src) && Picture)
        CopyPiece(B, FButton.R, *Picture, src);
}

void TbsSkinCustomComboBox::DrawResizeButton(TCanvas& C)
{
    const TbsDataSkinButtonControl* e =
        FSD ? FindButtonElement(*FSD, {"combobutton", "editbutton", "resizebutton"}) : nullptr;
    if (!e)
        return;
    const bool pressed = FButton.Down && FButton.MouseIn;
    const bool hot = FButton.MouseIn;
    DrawButtonFace(C, FButton.R, *FSD, *e, pressed, hot);
    const TColor color = pressed ? e->DownFontColor : hot ? e->ActiveFontColor : e->FontColor;
    TRect r = FButton.R;
    if (IsNullRect(e->MenuMarkerRect)) {
        if (!Enabled())
            return;
        if (pressed)
            r.Offset(0, 2);
        DrawArrow(C, r, color, ArrowDown);
        return;
    }
    const TRect marker = ComboMenuMarker(*e, pressed, hot);
    if (!Picture)
        return;
    TBitmap m(RectWidth(marker), RectHeight(marker));
    CopyPiece(m, TRect{0, 0, m.Width(), m.Height()}, *Picture, marker);
    m.SetTransparentColor(e->MenuMarkerTransparentColor);
    m.SetTransparent(true);
    C.Draw(r.Left + RectWidth(r) / 2 - m.Width() / 2, r.Top + RectHeight(r) / 2 - m.Height() / 2 + (pressed ? 1 : 0),
           m);
}

void TbsSkinCustomComboBox::DrawDefaultBody(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    const TRect r{0, 0, Width(), Height()};
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(r);
    c.Brush().SetColor(clBtnShadow);
    c.FrameRect(r);
    c.Brush().SetColor(FDefaultColor);
    c.FillRect(TRect{2, 2, Width() - 2, Height() - 2});
    DrawButton(B);
}

void TbsSkinCustomComboBox::CreateControlDefaultImage(TBitmap& B)
{
    CalcRects();
    if (FToolButtonStyle) {
        CreateToolButtonDefaultImage(B);
        return;
    }
    DrawDefaultBody(B);
    if (!FEdit)
        DrawDefaultItem(*B.Canvas());
}

void TbsSkinCustomComboBox::DrawDefaultItem(TCanvas& C)
{
    if (RectWidth(FCBItem.R) <= 0 || RectHeight(FCBItem.R) <= 0)
        return;
    TBitmap b(RectWidth(FCBItem.R), RectHeight(FCBItem.R));
    TCanvas& c = *b.Canvas();
    c.Font().SetName(Font().Name());
    c.Font().SetStyle(Font().Style());
    c.Font().SetHeight(Font().Height());
    c.Font().SetCharset(TextCharset());
    const bool focused = Focused();
    c.Brush().SetStyle(bsSolid);
    if (focused) {
        c.Brush().SetColor(clHighlight);
        c.Font().SetColor(clHighlightText);
        FCBItem.State = TOwnerDrawState{odFocused};
    } else {
        c.Brush().SetColor(FDefaultColor);
        c.Font().SetColor(DefaultFont().Color());
        FCBItem.State = TOwnerDrawState{};
    }
    const TRect all{0, 0, b.Width(), b.Height()};
    c.FillRect(all);
    const TRect t{2, 0, b.Width() - 2, b.Height()};
    const int index = ShownIndex();
    if ((index >= 0 && index < Items().Count()) || FPaintText) {
        if (OnComboBoxDrawItem && !FPaintText) {
            OnComboBoxDrawItem(c, index, b.Width(), b.Height(), t, FCBItem.State);
        } else {
            c.Brush().SetStyle(bsClear);
            DrawItemContent(c, index, t);
        }
    }
    if (focused)
        DrawDottedFocusRect(c, all);
    C.Draw(FCBItem.R.Left, FCBItem.R.Top, b);
}

void TbsSkinCustomComboBox::DrawSkinBody(TBitmap& B, bool NormalOnly)
{
    TCanvas& c = *B.Canvas();
    const bool hot = !NormalOnly && FaceHot() && !IsNullRect(ActiveSkinRect);
    if (FUseSkinSize) {
        if (hot && Picture)
            CreateHSkinImage(LTPt.X, RectWidth(ActiveSkinRect) - RTPt.X, B, *Picture, ActiveSkinRect, Width(),
                             RectHeight(ActiveSkinRect), StretchEffect);
        else
            TbsSkinCustomControl::CreateControlSkinImage(B);
        B.SetSize(Width(), Height(), true);
        DrawButton(B);
    } else {
        if (Picture)
            CreateStretchImage(B, *Picture, hot ? ActiveSkinRect : SkinRect, ClRect, true);
        DrawResizeButton(c);
    }
}

void TbsSkinCustomComboBox::CreateControlSkinImage(TBitmap& B)
{
    CalcRects();
    if (FToolButtonStyle) {
        CreateToolButtonSkinImage(B);
        return;
    }
    DrawSkinBody(B, false);
    if (FEdit)
        return;
    if (FUseSkinSize)
        DrawSkinItem(*B.Canvas(), B);
    else
        DrawResizeSkinItem(*B.Canvas(), B);
}

void TbsSkinCustomComboBox::ApplyItemFont(TCanvas& C, bool Focused)
{
    if (UseSkinFont()) {
        C.Font().SetName(FontName);
        C.Font().SetStyle(FontStyle);
        C.Font().SetHeight(FontHeight);
    } else {
        C.Font().Assign(DefaultFont());
    }
    C.Font().SetCharset(TextCharset());
    if (!Enabled())
        C.Font().SetColor(GetDisabledFontColor());
    else if (Focused)
        C.Font().SetColor(FocusFontColor);
    else if (FMouseIn && !IsNullRect(ActiveSkinRect))
        C.Font().SetColor(ActiveFontColor);
    else
        C.Font().SetColor(FontColor);
}

void TbsSkinCustomComboBox::DrawSkinItem(TCanvas& C, const TBitmap& Face)
{
    if (RectWidth(FCBItem.R) <= 0)
        return;
    const int w = RectWidth(FCBItem.R);
    int h = RectHeight(SItemRect);
    if (h <= 0)
        h = RectHeight(FocusItemRect);
    if (h <= 0)
        h = RectHeight(FCBItem.R);
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsNullRect(ActiveSkinRect) && !IsNullRect(ActiveItemRect);
    FCBItem.State = focused ? TOwnerDrawState{odFocused} : TOwnerDrawState{};
    TBitmap strip;
    auto cut = [&](const TRect& R, bool Stretch) {
        if (IsNullRect(R) || !Picture)
            FaceCopy(strip, Face, FCBItem.R, w, h);
        else
            CreateHSkinImage(ItemLeftOffset, ItemRightOffset, strip, *Picture, R, w, RectHeight(R), Stretch);
    };
    if (focused)
        cut(FocusItemRect, FocusItemStretchEffect);
    else if (hot)
        cut(ActiveItemRect, ItemStretchEffect);
    else
        cut(SItemRect, ItemStretchEffect);
    TRect t = ItemTextRect;
    t.Right += w - (IsNullRect(SItemRect) ? RectWidth(ClRect) : RectWidth(SItemRect));
    if (IsNullRect(SItemRect) && IsNullRect(ItemTextRect))
        t = TRect{0, 0, w, strip.Height()};
    TCanvas& c = *strip.Canvas();
    ApplyItemFont(c, focused);
    const int index = ShownIndex();
    if ((index >= 0 && index < Items().Count()) || FPaintText) {
        if (OnComboBoxDrawItem && !FPaintText) {
            OnComboBoxDrawItem(c, index, strip.Width(), strip.Height(), t, FCBItem.State);
        } else {
            if (focused && ShowFocus)
                DrawDottedFocusRect(c, TRect{0, 0, strip.Width(), strip.Height()});
            c.Brush().SetStyle(bsClear);
            DrawItemContent(c, index, t);
        }
    }
    C.Draw(FCBItem.R.Left, FCBItem.R.Top, strip);
}

void TbsSkinCustomComboBox::DrawResizeSkinItem(TCanvas& C, const TBitmap& Face)
{
    const int w = RectWidth(FCBItem.R), h = RectHeight(FCBItem.R);
    if (w <= 0 || h <= 0)
        return;
    const bool focused = Focused();
    const bool hot = FMouseIn && !IsNullRect(ActiveSkinRect);
    FCBItem.State = focused ? TOwnerDrawState{odFocused} : TOwnerDrawState{};
    TBitmap strip(w, h);
    auto corrected = [&](const TRect& Item, bool Shrink) {
        TRect r = ItemTextRect;
        if (Shrink)
            r = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        if (RectWidth(SItemRect) > RectWidth(Item))
            r.Right -= RectWidth(SItemRect) - RectWidth(Item);
        if (RectHeight(SItemRect) > RectHeight(Item))
            r.Top -= RectHeight(SItemRect) - RectHeight(Item);
        return r;
    };
    auto cut = [&](const TRect& Item, const TRect& Client) {
        if (IsNullRect(Item) || !Picture)
            FaceCopy(strip, Face, FCBItem.R, w, h);
        else
            CreateStretchImage(strip, *Picture, Item, Client, true);
    };
    if (focused && !IsNullRect(FocusItemRect))
        cut(FocusItemRect, corrected(FocusItemRect, true));
    else if (!focused && hot && !IsNullRect(ActiveItemRect))
        cut(ActiveItemRect, corrected(ActiveItemRect, false));
    else
        cut(SItemRect, ItemTextRect);
    TRect t = ItemTextRect;
    t.Right += w - (IsNullRect(SItemRect) ? RectWidth(ClRect) : RectWidth(SItemRect));
    t.Bottom += Height() - RectHeight(SkinRect);
    if (IsNullRect(SItemRect) && IsNullRect(ItemTextRect))
        t = TRect{0, 0, w, h};
    TCanvas& c = *strip.Canvas();
    ApplyItemFont(c, focused);
    const int index = ShownIndex();
    if ((index >= 0 && index < Items().Count()) || FPaintText) {
        if (OnComboBoxDrawItem && !FPaintText) {
            OnComboBoxDrawItem(c, index, w, h, t, FCBItem.State);
        } else {
            if (focused && ShowFocus)
                DrawDottedFocusRect(c, TRect{0, 0, w, h});
            c.Brush().SetStyle(bsClear);
            DrawItemContent(c, index, t);
        }
    }
    C.Draw(FCBItem.R.Left, FCBItem.R.Top, strip);
}

void TbsSkinCustomComboBox::DrawToolItem(TCanvas& C, TRect T)
{
    const int index = ShownIndex();
    if (!((index >= 0 && index < Items().Count()) || FPaintText))
        return;
    C.Brush().SetStyle(bsClear);
    if (OnComboBoxDrawItem && !FPaintText)
        OnComboBoxDrawItem(C, index, Width(), Height(), T, FCBItem.State);
    else
        DrawItemContent(C, index, T);
}

void TbsSkinCustomComboBox::CreateToolButtonDefaultImage(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    StateBox(c, TRect{0, 0, Width(), Height()}, FDropDown, FMouseIn || Focused());
    TRect t{2, 2, Width() - 17, Height() - 2};
    TRect a{Width() - 15, 0, Width(), Height()};
    if (FDropDown) {
        t.Offset(2, 2);
        t.Right -= 2;
        t.Bottom -= 2;
        a.Left += 2;
        a.Top += 2;
    }
    c.Font().Assign(DefaultFont());
    DrawToolItem(c, t);
    DrawDownArrowMark(c, a, c.Font().Color());
}

void TbsSkinCustomComboBox::CreateToolButtonSkinImage(TBitmap& B)
{
    const TbsDataSkinButtonControl* e = FSD ? FindButtonElement(*FSD, {"resizetoolbutton", "resizebutton"}) : nullptr;
    if (!e)
        return;
    TCanvas& c = *B.Canvas();
    const bool hot = FMouseIn || Focused();
    TRect face = FDropDown ? e->DownSkinRect : hot ? e->ActiveSkinRect : e->SkinRect;
    if (IsNullRect(face))
        face = e->SkinRect;
    // The state is chosen above; draw that rectangle as the normal face.
    TbsDataSkinButtonControl state = *e;
    state.SkinRect = face;
    state.ActiveSkinRect = TRect{};
    state.DownSkinRect = TRect{};
    DrawButtonFace(c, TRect{0, 0, Width(), Height()}, *FSD, state, false, false);
    TRect t{2, 2, Width() - 17, Height() - 2};
    TRect a{Width() - 15, 0, Width(), Height()};
    if (FDropDown) {
        t.Left += 2;
        t.Top += 2;
        a.Left += 2;
        a.Top += 2;
    }
    if (UseSkinFont()) {
        c.Font().SetName(e->FontName);
        c.Font().SetStyle(e->FontStyle);
        c.Font().SetHeight(e->FontHeight);
    } else {
        c.Font().Assign(DefaultFont());
    }
    c.Font().SetCharset(TextCharset());
    c.Font().SetColor(!Enabled()  ? e->DisabledFontColor
                      : FDropDown ? e->DownFontColor
                      : hot       ? e->ActiveFontColor
                                  : e->FontColor);
    DrawToolItem(c, t);
    if (!IsNullRect(e->MenuMarkerRect) && Picture) {
        const TRect marker = ComboMenuMarker(*e, FDropDown, FMouseIn);
        TBitmap m(RectWidth(marker), RectHeight(marker));
        CopyPiece(m, TRect{0, 0, m.Width(), m.Height()}, *Picture, marker);
        m.SetTransparentColor(e->MenuMarkerTransparentColor);
        m.SetTransparent(true);
        c.Draw(a.Left + RectWidth(a) / 2 - m.Width() / 2, a.Top + RectHeight(a) / 2 - m.Height() / 2, m);
    } else {
        DrawDownArrowMark(c, a, FDropDown ? e->DownFontColor : c.Font().Color());
    }
}

void TbsSkinCustomComboBox::PaintSkinTo(TCanvas& C, int X, int Y, const std::string& AText)
{
    if (Width() <= 0 || Height() <= 0)
        return;
    GetSkinData();
    CalcRects();
    TBitmap b(Width(), Height());
    b.Fill(clBtnFace);
    // The text is handed to the painters: Text and its events stay untouched.
    FPaintText = AText;
    if (FToolButtonStyle) {
        if (Skinned())
            CreateToolButtonSkinImage(b);
        else
            CreateToolButtonDefaultImage(b);
    } else {
        TCanvas& c = *b.Canvas();
        if (!Skinned()) {
            DrawDefaultBody(b);
            c.Font().Assign(DefaultFont());
        } else {
            DrawSkinBody(b, true);
            c.Font().SetStyle(FontStyle);
            c.Font().SetColor(FontColor);
            c.Font().SetHeight(FontHeight);
            c.Font().SetName(FontName);
        }
        c.Font().SetCharset(TextCharset());
        c.Brush().SetStyle(bsClear);
        if (TabWidths().Count() > 0)
            DrawTabbedString(c, AText, FCBItem.R);
        else
            TextRectVCenter(c, AText, FCBItem.R);
    }
    FPaintText.reset();
    C.Draw(X, Y, b);
}
