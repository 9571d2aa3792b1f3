#include "skin/boxes/InnerListBox.h"
#include <algorithm>
#include <climits>
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Messages.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/boxes/SkinListBox.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/Marks.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"

namespace {

constexpr int MaxTabStops = 10;

}  // namespace

int DigitsToInt(const std::string& S)
{
    if (S.empty())
        return 0;
    long long value = 0;
    for (char ch : S) {
        if (ch < '0' || ch > '9')
            return 0;
        value = value * 10 + (ch - '0');
        if (value > INT_MAX)
            return 0;   // a stop beyond any item is no stop
    }
    return int(value);
}

std::vector<int> TabStopsOf(const TStrings& TabWidths)
{
    std::vector<int> stops;
    const int n = std::min(TabWidths.Count(), MaxTabStops);
    for (int i = 0; i < n; ++i)
        stops.push_back(DigitsToInt(TabWidths.Get(i)));
    return stops;
}

void DrawTabbedItemText(const std::string& S, const TStrings& TabWidths, TCanvas& Canvas, const TRect& R, int Indent)
{
    const int y = R.Top + RectHeight(R) / 2 - Canvas.TextHeight(S) / 2;
    Canvas.TabbedTextOut(R.Left + Indent + 2, y, S, TabStopsOf(TabWidths), 0);
}

// ------------------------------------------------------------------ TbsListBox

TbsListBox::TbsListBox(TComponent* AOwner) : TListBox(AOwner)
{
    SetBorderStyle(bsNone);
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks});
}

void TbsListBox::CreateParams(TCreateParams& Params)
{
    TListBox::CreateParams(Params);
    Params.Style &= ~DWORD(WS_BORDER);
    Params.ExStyle &= ~DWORD(WS_EX_CLIENTEDGE);
    Params.WindowClassStyle = CS_DBLCLKS;
    Params.Style |= WS_TABSTOP;
}

void TbsListBox::CreateWnd()
{
    TListBox::CreateWnd();
    if (SkinListBox)
        SkinListBox->ListBoxCreateWnd();
}

void TbsListBox::SetHorizontalExtentValue(int Value)
{
    FHorizontalExtentValue = std::max(0, Value);
    Invalidate();
}

void TbsListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const int oldWidth = Width();
    TListBox::SetBounds(ALeft, ATop, AWidth, AHeight);
    // Narrowing keeps the right end of the text where it was.
    if (oldWidth != Width() && FHorizontalExtentValue > 0)
        SetHorizontalExtentValue(FHorizontalExtentValue + oldWidth - Width());
}

// ------------------------------------------------------------------ painting

void TbsListBox::PaintWindow(HDC dc)
{
    if (Width() <= 0 || Height() <= 0 || !SkinListBox)
        return;
    TSavedDC saved(dc);
    TCanvas c;
    c.SetHandle(dc);
    if (Columns() <= 0)
        PaintItems(c);
    else
        PaintColumns(c);
}

TOwnerDrawState TbsListBox::GetItemDrawState(int Index)
{
    if (Index == ItemIndex()) {
        TOwnerDrawState s{odSelected};
        if (Focused())
            s.Include(odFocused);
        return s;
    }
    if (SelCount() >= 1 && Selected(Index))
        return TOwnerDrawState{odSelected};
    return TOwnerDrawState{};
}

void TbsListBox::PaintItems(TCanvas& C)
{
    const int count = Items().Count();
    const int top = TopIndex();
    const int last = std::min(top + Height() / ItemHeight(), count - 1);
    int bottom = 0;
    for (int i = top; count > 0 && i <= last; ++i) {
        const TRect r = ItemRect(i);
        DrawItemLook(C, i, GetItemDrawState(i), r);
        bottom = r.Bottom;
    }
    if (bottom >= Height())
        return;
    SkinListBox->GetSkinData();
    if (!SkinListBox->Skinned()) {
        C.Brush().SetStyle(bsSolid);
        C.Brush().SetColor(clWindow);
        C.FillRect(TRect{0, bottom, Width(), Height()});
    } else {
        PaintSkinBackground(C, Width(), Height() - bottom, 0, bottom);
    }
}

void TbsListBox::PaintColumns(TCanvas& C)
{
    const int count = Items().Count();
    const int top = TopIndex();
    const int last = std::min(top + (Height() / ItemHeight()) * Columns(), count - 1);
    for (int i = top; count > 0 && i <= last; ++i)
        DrawItemLook(C, i, GetItemDrawState(i), ItemRect(i));
}

void TbsListBox::PaintBackground(HDC DC)
{
    if (!SkinListBox)
        return;
    TCanvas c;
    c.SetHandle(DC);
    SkinListBox->GetSkinData();
    if (!SkinListBox->Skinned()) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clWindow);
        c.FillRect(TRect{0, 0, Width(), Height()});
    } else {
        PaintSkinBackground(c, Width(), Height(), 0, 0);
    }
}

// The skin's client picture tiled from (X, Y); the last tiles are cut.
void TbsListBox::PaintSkinBackground(TCanvas& C, int W, int H, int X, int Y)
{
    if (W <= 0 || H <= 0)
        return;
    const TbsSkinCustomListBox& o = *SkinListBox;
    const int cw = RectWidth(o.ClRect), ch = RectHeight(o.ClRect);
    TBitmap b(W, H);
    b.Fill(clWindow);
    if (o.Picture && cw > 0 && ch > 0) {
        for (int i = 0; i <= W / cw; ++i)
            for (int j = 0; j <= H / ch; ++j) {
                const int ox = std::max(0, cw * (i + 1) - W), oy = std::max(0, ch * (j + 1) - H);
                if (cw - ox <= 0 || ch - oy <= 0)
                    continue;
                CopyPiece(b, TRect{cw * i, ch * j, cw * (i + 1) - ox, ch * (j + 1) - oy}, *o.Picture,
                          TRect{o.SkinRect.Left + o.ClRect.Left, o.SkinRect.Top + o.ClRect.Top,
                                o.SkinRect.Left + o.ClRect.Right - ox, o.SkinRect.Top + o.ClRect.Bottom - oy});
            }
    }
    C.Draw(X, Y, b);
}

void TbsListBox::DrawItemLook(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect)
{
    if (!SkinListBox || Index < 0 || Index > Items().Count() - 1)
        return;
    if (!SkinListBox->Skinned())
        DrawDefaultItem(C, Index, State, Rect);
    else if (IsNullRect(SkinListBox->SItemRect))
        DrawDefaultItem(C, Index, State, Rect);   // a skin without item pictures
    else if (SkinListBox->UseSkinItemHeight())
        DrawSkinItem(C, Index, State, Rect);
    else
        DrawStretchSkinItem(C, Index, State, Rect);
}

void TbsListBox::DrawItemContent(TCanvas& C, int Index, TOwnerDrawState State, const TRect& TxtRect, int ItemWidth,
                                 int ItemHeight, bool Skinned)
{
    TbsSkinCustomListBox& o = *SkinListBox;
    if (o.OnDrawItem) {
        o.OnDrawItem(C, Index, ItemWidth, ItemHeight, TxtRect, State);
        return;
    }
    if (Skinned && State.Contains(odFocused) && o.ShowFocus) {
        C.Brush().SetStyle(bsSolid);
        if (o.SkinData() && o.SkinData()->SkinColors())
            C.Brush().SetColor(o.SkinData()->SkinColors()->cBtnFace());
        DrawDottedFocusRect(C, C.ClipRect());
        C.Brush().SetStyle(bsClear);
    }
    int indent = 0;
    if (o.Images()) {
        const int img = o.ImageIndex() < 0 ? Index : o.ImageIndex();
        if (img < o.Images()->Count())
            o.Images()->Draw(C, TxtRect.Left - FHorizontalExtentValue,
                             TxtRect.Top + RectHeight(TxtRect) / 2 - o.Images()->Height() / 2, img, true);
        indent = o.Images()->Width() + 2;
    }
    C.Brush().SetStyle(bsClear);
    const std::string text = Items().Get(Index);
    if (o.TabWidths().Count() > 0 && Columns() == 0)
        DrawTabbedItemText(text, o.TabWidths(), C, TxtRect, indent);
    else
        TextRectVCenterIndent(C, text, TxtRect, indent - FHorizontalExtentValue);
}

void TbsListBox::DrawDefaultItem(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect)
{
    TbsSkinCustomListBox& o = *SkinListBox;
    const int w = RectWidth(Rect), h = RectHeight(Rect);
    if (w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    TCanvas& c = *b.Canvas();
    c.Font().Assign(o.Font());
    c.Font().SetCharset(ControlCharset(o.SkinData(), o.DefaultFont()));
    c.Brush().SetStyle(bsSolid);
    if (State.Contains(odSelected)) {
        c.Brush().SetColor(clHighlight);
        c.Font().SetColor(clHighlightText);
    } else {
        c.Brush().SetColor(clWindow);
        c.Font().SetColor(o.Font().Color());
    }
    c.FillRect(TRect{0, 0, w, h});
    DrawItemContent(c, Index, State, TRect{2, 0, w - 2, h}, w, h, false);
    if (State.Contains(odFocused))
        c.DrawFocusRect(TRect{0, 0, w, h});
    C.Draw(Rect.Left, Rect.Top, b);
}

void TbsListBox::DrawStretchSkinItem(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect)
{
    TbsSkinCustomListBox& o = *SkinListBox;
    const int w = RectWidth(Rect), h = RectHeight(Rect);
    if (!o.Picture || w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    const TRect& source = State.Contains(odFocused)    ? o.FocusItemRect
                          : State.Contains(odSelected) ? o.ActiveItemRect
                                                       : o.SItemRect;
    TRect corners = o.ItemTextRect;
    corners.Inflate(-1, -1);
    CreateStretchImage(b, *o.Picture, source, corners, true);
    TRect txt = o.ItemTextRect;
    txt.Right += w - RectWidth(o.SItemRect);
    txt.Bottom += h - RectHeight(o.SItemRect);
    TCanvas& c = *b.Canvas();
    ApplyControlFont(c, o.SkinData(), o.UseSkinFont(), o.FontName, o.FontHeight, o.FontStyle, o.DefaultFont());
    c.Font().SetColor(State.Contains(odFocused)    ? o.FocusFontColor
                      : State.Contains(odSelected) ? o.ActiveFontColor
                                                   : o.FontColor);
    c.Brush().SetStyle(bsClear);
    DrawItemContent(c, Index, State, txt, w, RectHeight(o.SItemRect), true);
    C.Draw(Rect.Left, Rect.Top, b);
}

void TbsListBox::DrawSkinItem(TCanvas& C, int Index, TOwnerDrawState State, const TRect& Rect)
{
    TbsSkinCustomListBox& o = *SkinListBox;
    const int w = RectWidth(Rect), h = RectHeight(o.SItemRect);
    if (!o.Picture || w <= 0 || h <= 0)
        return;
    TBitmap b(w, h);
    TCanvas& c = *b.Canvas();
    const bool focused = State.Contains(odFocused), selected = State.Contains(odSelected);
    if (focused && !selected) {
        CreateHSkinImage(o.ItemLeftOffset, o.ItemRightOffset, b, *o.Picture, o.SItemRect, w, h, o.StretchEffect);
        DrawDottedFocusRect(c, TRect{0, 0, w, h});
    } else if (focused) {
        CreateHSkinImage(o.ItemLeftOffset, o.ItemRightOffset, b, *o.Picture, o.FocusItemRect, w, h, o.StretchEffect);
    } else if (selected) {
        CreateHSkinImage(o.ItemLeftOffset, o.ItemRightOffset, b, *o.Picture, o.ActiveItemRect, w, h, o.StretchEffect);
    } else {
        CreateHSkinImage(o.ItemLeftOffset, o.ItemRightOffset, b, *o.Picture, o.SItemRect, w, h, false);
    }
    TRect txt = o.ItemTextRect;
    txt.Right += w - RectWidth(o.SItemRect);
    ApplyControlFont(c, o.SkinData(), o.UseSkinFont(), o.FontName, o.FontHeight, o.FontStyle, o.DefaultFont());
    c.Font().SetColor(focused && selected ? o.FocusFontColor : selected ? o.ActiveFontColor : o.FontColor);
    c.Brush().SetStyle(bsClear);
    DrawItemContent(c, Index, State, txt, w, h, true);
    C.Draw(Rect.Left, Rect.Top, b);
}

// ------------------------------------------------------------------ events

void TbsListBox::Click()
{
    if (SkinListBox)
        SkinListBox->ListBoxClick();
    TListBox::Click();
}

void TbsListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseDown(Button, Shift, X, Y);
    TListBox::MouseDown(Button, Shift, X, Y);
}

void TbsListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseMove(Shift, X, Y);
    TListBox::MouseMove(Shift, X, Y);
}

void TbsListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (SkinListBox)
        SkinListBox->ListBoxMouseUp(Button, Shift, X, Y);
    TListBox::MouseUp(Button, Shift, X, Y);
}

void TbsListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    if (SkinListBox) {
        SkinListBox->ListBoxKeyDown(Key, Shift);
        if (TbsSkinScrollBar* h = SkinListBox->HScrollBar()) {
            if (Key == VK_LEFT) {
                h->SetPosition(h->Position() - h->SmallChange());
                Key = 0;
            } else if (Key == VK_RIGHT) {
                h->SetPosition(h->Position() + h->SmallChange());
                Key = 0;
            }
        }
    }
    TListBox::KeyDown(Key, Shift);
}

// Key-up goes to the owner as key-down does, so its key-up event is reachable.
void TbsListBox::KeyUp(WORD& Key, TShiftState Shift)
{
    if (SkinListBox)
        SkinListBox->ListBoxKeyUp(Key, Shift);
    TListBox::KeyUp(Key, Shift);
}

void TbsListBox::KeyPress(char32_t& Key)
{
    if (SkinListBox)
        SkinListBox->ListBoxKeyPress(Key);
    TListBox::KeyPress(Key);
}

void TbsListBox::DoEnter()
{
    if (SkinListBox)
        SkinListBox->ListBoxEnter();
    TListBox::DoEnter();
}

void TbsListBox::DoExit()
{
    if (SkinListBox)
        SkinListBox->ListBoxExit();
    TListBox::DoExit();
}

// ------------------------------------------------------------------ messages

void TbsListBox::HandleWheel(TMessage& Message)
{
    if (!SkinListBox)
        return;
    const bool away = GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0;
    if (SkinListBox->ScrollBar()) {
        SendMessage(Handle(), WM_VSCROLL, MAKEWPARAM(away ? SB_LINEUP : SB_LINEDOWN, 0), 0);
        SkinListBox->UpDateScrollBar();
    } else if (TbsSkinScrollBar* h = SkinListBox->HScrollBar()) {
        h->SetPosition(h->Position() + (away ? -h->SmallChange() : h->SmallChange()));
    }
}

void TbsListBox::WndProc(TMessage& Message)
{
    if (SkinListBox) {
        bool callInherited = true;
        SkinListBox->ListBoxWProc(Message, callInherited);
        if (!callInherited)
            return;
    }
    switch (Message.Msg) {
    case WM_NCCALCSIZE:   // no frame and no native bars: the client is the window
        Message.Result = 0;
        return;
    case WM_NCPAINT:
        return;
    case WM_PRINTSKINFRAME:
        Message.Result = PRINTSKINFRAME_DONE;
        return;
    case WM_ERASEBKGND:
        if (Width() > 0 && Height() > 0)
            PaintBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        if (SkinListBox)
            SkinListBox->UpDateScrollBar();
        return;
    case CN_DRAWITEM: {
        const auto& dis = *reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
        TCanvas& c = Canvas();
        TDeviceContext* previous = c.Handle();
        c.SetHandle(dis.hDC);
        c.Font().Assign(Font());
        DrawItemLook(c, int(dis.itemID), OwnerDrawState(dis.itemState), dis.rcItem);
        c.SetHandle(previous);
        Message.Result = 1;
        return;
    }
    case WM_PRINTLISTBACKGROUND:
        if (Items().Count() == 0 && Message.LParam == PRINTSKINFRAMEEX_KEY) {
            if (Message.WParam)
                PaintBackground(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = PRINTSKINFRAMEEX_KEY;
        }
        return;
    default: break;
    }
    TListBox::WndProc(Message);
    switch (Message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    // The native list moved without repainting the background first: the
    // bars follow at once rather than at the next erase.
    case LB_RESETCONTENT:
    case LB_SETTOPINDEX:
    case LB_SETCURSEL:
    case LB_SETCARETINDEX:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_LBUTTONUP:
        if (SkinListBox)
            SkinListBox->UpDateScrollBar();
        break;
    case WM_LBUTTONDBLCLK:
        if (SkinListBox)
            SkinListBox->ListBoxDblClick();
        break;
    case WM_MOUSEWHEEL: HandleWheel(Message); break;
    default: break;
    }
}
