#include "skin/controls/SkinOfficeListBox.h"
#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Keys.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/SkinData.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/ImageText.h"
#include "skin/draw/RectUtils.h"
#include "skin/draw/SkinImage.h"

namespace {

constexpr TColor PlainDisabledRow = 0x808080;
constexpr int ScrollBarWidth = 19;

TRect Shrunk(const TRect& R, int D) { return TRect{R.Left + D, R.Top + D, R.Right - D, R.Bottom - D}; }

// A picture of the part Src of Dest, to draw a row over what lies there.
}  // namespace

// ------------------------------------------------------------ items

TbsSkinOfficeItem::TbsSkinOfficeItem(TCollection* Collection) : TCollectionItem(Collection)
{
    if (auto* items = dynamic_cast<TbsSkinOfficeItems*>(Collection); items && items->OfficeListBox)
        Active = Index() == items->OfficeListBox->ItemIndex();
}

void TbsSkinOfficeItem::SetImageIndex(int Value) { FImageIndex = Value; Changed(false); }
void TbsSkinOfficeItem::SetTitle(const std::string& Value) { FTitle = Value; Changed(false); }
void TbsSkinOfficeItem::SetCaption(const std::string& Value) { FCaption = Value; Changed(false); }
void TbsSkinOfficeItem::SetEnabled(bool Value) { FEnabled = Value; Changed(false); }
void TbsSkinOfficeItem::SetHeader(bool Value) { FHeader = Value; Changed(false); }

void TbsSkinOfficeItem::Assign(const TPersistent* Source)
{
    if (auto* s = dynamic_cast<const TbsSkinOfficeItem*>(Source)) {
        FImageIndex = s->FImageIndex;
        FCaption = s->FCaption;
        FTitle = s->FTitle;
        FEnabled = s->FEnabled;
        FHeader = s->FHeader;
        Changed(false);
        return;
    }
    TCollectionItem::Assign(Source);
}

TbsSkinOfficeItems::TbsSkinOfficeItems(TbsSkinOfficeListBox* AListBox)
    : TTypedCollection<TbsSkinOfficeItem>(AListBox), OfficeListBox(AListBox)
{
}

TbsSkinOfficeItem* TbsSkinOfficeItems::Add()
{
    BeginUpdate();
    TbsSkinOfficeItem* item = TTypedCollection<TbsSkinOfficeItem>::Add();
    EndUpdate();
    return item;
}

TbsSkinOfficeItem* TbsSkinOfficeItems::Insert(int Index)
{
    BeginUpdate();
    TbsSkinOfficeItem* item = TTypedCollection<TbsSkinOfficeItem>::Insert(Index);
    EndUpdate();
    return item;
}

void TbsSkinOfficeItems::Update(TCollectionItem* Item)
{
    TTypedCollection<TbsSkinOfficeItem>::Update(Item);
    if (OfficeListBox)
        OfficeListBox->ItemsChanged();
}

// ------------------------------------------------------------ list box

TbsSkinOfficeListBox::TbsSkinOfficeListBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    FControlStyle.Include(csAcceptsControls);
    FControlStyle.Include(csReplicatable);
    FItems = std::make_unique<TbsSkinOfficeItems>(this);
    SetBounds(Left(), Top(), 150, 150);
    FSkinDataName = "listbox";
}

TbsSkinOfficeListBox::~TbsSkinOfficeListBox()
{
    FItems->OfficeListBox = nullptr;
    if (FImages)
        FImages->RemoveFreeNotification(this);
}

void TbsSkinOfficeListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
    if (Operation == opRemove && AComponent == FScrollBar)
        FScrollBar = nullptr;
}

void TbsSkinOfficeListBox::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
}

// The index outlives the rows (Clear, Delete and Add leave it): a row added
// at that index later comes in selected.
void TbsSkinOfficeListBox::ItemsChanged()
{
    if (HandleAllocated())
        Repaint();
    UpdateScrollInfo();
}

void TbsSkinOfficeListBox::SetItems(const TbsSkinOfficeItems& Value)
{
    FItems->Assign(&Value);
    ItemsChanged();
}

TbsSkinOfficeItem* TbsSkinOfficeListBox::Add()
{
    TbsSkinOfficeItem* item = FItems->Add();
    if (HandleAllocated())
        Repaint();
    return item;
}

TbsSkinOfficeItem* TbsSkinOfficeListBox::Insert(int Index)
{
    TbsSkinOfficeItem* item = FItems->Insert(Index);
    if (HandleAllocated())
        Repaint();
    return item;
}

void TbsSkinOfficeListBox::Delete(int Index)
{
    FItems->Delete(Index);
    ItemsChanged();
}

void TbsSkinOfficeListBox::Clear()
{
    FItems->Clear();
    ItemsChanged();
}

void TbsSkinOfficeListBox::SetShowItemTitles(bool Value)
{
    if (Value == FShowItemTitles)
        return;
    FShowItemTitles = Value;
    ItemsChanged();
}

void TbsSkinOfficeListBox::SetItemHeight(int Value)
{
    if (Value == FItemHeight || Value <= 0)
        return;
    FItemHeight = Value;
    ItemsChanged();
}

void TbsSkinOfficeListBox::SetHeaderHeight(int Value)
{
    if (Value == FHeaderHeight || Value <= 0)
        return;
    FHeaderHeight = Value;
    ItemsChanged();
}

void TbsSkinOfficeListBox::SetShowLines(bool Value)
{
    if (Value == FShowLines)
        return;
    FShowLines = Value;
    ItemsChanged();
}

// ------------------------------------------------------------ selection

void TbsSkinOfficeListBox::MarkActive(int Index)
{
    for (int i = 0; i < Count(); ++i)
        Item(i)->Active = i == Index;
}

void TbsSkinOfficeListBox::SetItemIndex(int Value)
{
    if (Value >= Count())
        throw EListError("Item index out of bounds (" + std::to_string(Value) + ")");
    FItemIndex = Value;
    if (Value < 0) {
        if (HandleAllocated())
            Repaint();
        return;
    }
    MarkActive(Value);
    if (HandleAllocated())
        Repaint();
    ScrollToItem(Value);
    if (Designing())
        return;
    TbsSkinOfficeItem* item = Item(Value);
    if (item->OnClick)
        item->OnClick(this);
    if (OnItemClick)
        OnItemClick(this);
}

void TbsSkinOfficeListBox::HighlightItem(int Index)
{
    if (Index >= Count())
        return;
    FItemIndex = Index;
    if (Index >= 0)
        MarkActive(Index);
    if (HandleAllocated())
        Repaint();
    if (Index >= 0)
        ScrollToItem(Index);
}

int TbsSkinOfficeListBox::ItemAtPos(int X, int Y)
{
    CalcItemRects();
    for (int i = 0; i < Count(); ++i)
        if (PtInRect(Item(i)->ItemRect, TPoint{X, Y}) && Item(i)->Enabled())
            return i;
    return -1;
}

int TbsSkinOfficeListBox::CalcHeight(int ACount)
{
    GetSkinData();
    const int n = std::min(ACount, Count());
    if (FIndex == -1)
        return n * FItemHeight + 5;
    int w = Width(), h = Height();
    FitSizeToSkin(w, h);
    return n * FItemHeight + Height() - RectHeight(NewClRect) + 1;
}

bool TbsSkinOfficeListBox::Selectable(int Index) const
{
    return Item(Index)->Enabled() && !Item(Index)->Header();
}

void TbsSkinOfficeListBox::FindUp()
{
    if (FItemIndex < 1)
        return;
    for (int i = std::min(FItemIndex, Count()) - 1; i >= 0; --i)
        if (Selectable(i)) {
            SetItemIndex(i);
            return;
        }
}

void TbsSkinOfficeListBox::FindDown()
{
    const int start = FItemIndex < 0 ? 0 : FItemIndex + 1;
    for (int i = start; i < Count(); ++i)
        if (Selectable(i)) {
            SetItemIndex(i);
            return;
        }
}

void TbsSkinOfficeListBox::FindPageUp()
{
    if (FItemIndex >= 1 && Count() > 0)
        FindPage(std::min(FItemIndex, Count()) - 1, -1);
}

void TbsSkinOfficeListBox::FindPageDown()
{
    const int i = FItemIndex < 0 ? 0 : FItemIndex + 1;
    if (i < Count())
        FindPage(i, 1);
}

// Walks a page from From in Step's direction: the first selectable item past
// a header wins, else the last enabled item walked over.
void TbsSkinOfficeListBox::FindPage(int From, int Step)
{
    CalcItemRects();
    const int n = std::max(1, RectHeight(FItemsRect) / FItemHeight);
    const int last = Step < 0 ? std::max(From - n, 0) : std::min(From + n, Count() - 1);
    bool headerPassed = false;
    int candidate = -1;
    for (int j = From; Step < 0 ? j >= last : j <= last; j += Step) {
        if (headerPassed && Selectable(j)) {
            SetItemIndex(j);
            return;
        }
        if (Item(j)->Header())
            headerPassed = true;
        else if (Item(j)->Enabled())
            candidate = j;
    }
    if (candidate != -1)
        SetItemIndex(candidate);
}

// ------------------------------------------------------------ layout and scrolling

void TbsSkinOfficeListBox::CalcItemRects()
{
    GetSkinData();
    FRealMax = 0;
    if (FIndex == -1) {
        FItemsRect = TRect{2, 2, Width() - 2, Height() - 2};
    } else {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        FItemsRect = NewClRect;
    }
    if (FScrollBar)
        FItemsRect.Right -= FScrollBar->Width();
    int y = FItemsRect.Top;
    for (int i = 0; i < Count(); ++i) {
        TbsSkinOfficeItem* item = Item(i);
        const int h = item->Header() ? FHeaderHeight : FItemHeight;
        item->ItemRect = TRect{FItemsRect.Left, y - FScrollOffset, FItemsRect.Right, y + h - FScrollOffset};
        y += h;
        const TRect& r = item->ItemRect;
        item->IsVisible = RectTopOrBottomInRect(r, FItemsRect) ||
                          (r.Top <= FItemsRect.Top && r.Bottom >= FItemsRect.Bottom);
        if (item->IsVisible)
            FRealMax = r.Bottom;
    }
    FMax = y;
}

void TbsSkinOfficeListBox::GetScrollInfo(int& Min, int& Max, int& Page, int& Position)
{
    CalcItemRects();
    Min = 0;
    Max = FMax - FItemsRect.Top;
    Page = RectHeight(FItemsRect);
    if (Page >= Max)
        Max = Page = 0;
    Position = FScrollOffset;
}

void TbsSkinOfficeListBox::UpdateScrollInfo()
{
    int min = 0, max = 0, page = 0, pos = 0;
    GetScrollInfo(min, max, page, pos);
    if (max != 0) {
        if (!FScrollBar)
            ShowScrollbar();
        GetScrollInfo(min, max, page, pos);
        if (max == 0) {
            HideScrollBar();
            return;
        }
        FScrollBar->SetRange(min, max, pos, page);
        FScrollBar->SetLargeChange(page);
    } else if (FScrollBar) {
        HideScrollBar();
    }
}

void TbsSkinOfficeListBox::ShowScrollbar()
{
    FScrollBar = new TbsSkinScrollBar(this);
    FScrollBar->SetVisible(false);
    FScrollBar->SetDefaultHeight(0);
    FScrollBar->SetDefaultWidth(ScrollBarWidth);
    FScrollBar->SetSmallChange(FItemHeight);
    FScrollBar->SetLargeChange(FItemHeight);
    FScrollBar->SetSkinDataName("vscrollbar");
    FScrollBar->SetKind(sbVertical);
    FScrollBar->SetBounds(0, 0, ScrollBarWidth, std::max(1, Height() - 4));
    FScrollBar->SetParent(this);
    FScrollBar->SetSkinData(FSD);
    FScrollBar->OnChange = [this](TObject*) { Scroll(FScrollBar->Position()); };
    AdjustScrollBar();
    FScrollBar->SetVisible(true);
    if (HandleAllocated())
        Repaint();
}

void TbsSkinOfficeListBox::HideScrollBar()
{
    TbsSkinScrollBar* bar = FScrollBar;
    FScrollBar = nullptr;
    bar->SetVisible(false);
    delete bar;
    FScrollOffset = 0;
    if (HandleAllocated())
        Repaint();
}

void TbsSkinOfficeListBox::AdjustScrollBar()
{
    if (!FScrollBar)
        return;
    GetSkinData();
    TRect r{2, 2, Width() - 2, Height() - 2};
    if (FIndex != -1) {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        r = NewClRect;
    }
    FScrollBar->SetBounds(r.Right - FScrollBar->Width(), r.Top, FScrollBar->Width(), RectHeight(r));
}

void TbsSkinOfficeListBox::Scroll(int AScrollOffset)
{
    FScrollOffset = AScrollOffset;
    if (HandleAllocated())
        Repaint();
    UpdateScrollInfo();
}

void TbsSkinOfficeListBox::ScrollToItem(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    CalcItemRects();
    const TRect r = Item(Index)->ItemRect;
    TRect u = r;
    u.Offset(0, FScrollOffset);
    if (r.Top <= FItemsRect.Top) {
        FScrollOffset = Index == 1 && Item(0)->Header() ? 0 : u.Top - FItemsRect.Top;
        CalcItemRects();
        Invalidate();
    } else if (r.Bottom >= FItemsRect.Bottom) {
        FScrollOffset = u.Bottom + FItemsRect.Top - Height() + 1;
        CalcItemRects();
        Invalidate();
    }
    UpdateScrollInfo();
}

// ------------------------------------------------------------ input

void TbsSkinOfficeListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (Button == mbLeft && i != -1 && !Item(i)->Header()) {
        HighlightItem(i);
        FMouseDown = true;
        FMouseActive = i;
    }
}

void TbsSkinOfficeListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i != -1 && !Item(i)->Header() && i != FMouseActive && (FMouseDown || FMouseMoveChangeIndex)) {
        HighlightItem(i);
        FMouseActive = i;
    }
}

void TbsSkinOfficeListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseDown = false;
    const int i = ItemAtPos(X, Y);
    if (Button == mbLeft && i != -1 && !Item(i)->Header())
        SetItemIndex(i);
}

void TbsSkinOfficeListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TbsSkinCustomControl::KeyDown(Key, Shift);
    switch (Key) {
    case VK_NEXT: FindPageDown(); break;
    case VK_PRIOR: FindPageUp(); break;
    case VK_UP:
    case VK_LEFT: FindUp(); break;
    case VK_DOWN:
    case VK_RIGHT: FindDown(); break;
    default: break;
    }
}

void TbsSkinOfficeListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(Message);
        SizeChanged();
        return;
    case WM_MOUSEWHEEL:
        if (FScrollBar) {
            const int delta = GET_WHEEL_DELTA_WPARAM(Message.WParam);
            FScrollBar->SetPosition(FScrollBar->Position() +
                                    (delta < 0 ? FScrollBar->SmallChange() : -FScrollBar->SmallChange()));
        }
        Message.Result = 1;
        return;
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS;
        return;
    case CM_FOCUSCHANGED:
        TbsSkinCustomControl::WndProc(Message);
        if (HandleAllocated())
            Repaint();
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!Designing() && !Focused() && CanFocus() && TabStop()) {
            FClicksDisabled = true;
            SetFocus();
            FClicksDisabled = false;
            if (!Focused())
                return;
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled)
            return;
        break;
    case WM_ERASEBKGND:
        if (!FromWMPaint && Message.WParam)
            PaintFaceTo(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    default: break;
    }
    TbsSkinCustomControl::WndProc(Message);
}

void TbsSkinOfficeListBox::SizeChanged()
{
    if (FOldHeight != -1 && FOldHeight != Height()) {
        CalcItemRects();
        // Grown while scrolled to the end: pull the rows down so nothing empty shows below them.
        if (FItemsRect.Bottom >= FRealMax && FScrollOffset > 0) {
            FScrollOffset = std::max(0, FScrollOffset - (FItemsRect.Bottom - FRealMax));
            CalcItemRects();
            Invalidate();
        }
    }
    AdjustScrollBar();
    UpdateScrollInfo();
    FOldHeight = Height();
}

// The window's size message can come before the new height is known.
void TbsSkinOfficeListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool resized = AWidth != Width() || AHeight != Height();
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized && FItems)
        SizeChanged();
}

void TbsSkinOfficeListBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    if (FSD && !FSD->Empty) {
        {
            const int e = FSD->GetControlIndex("edit");
            const auto* edit = e == -1 ? nullptr : dynamic_cast<const TbsDataSkinEditControl*>(FSD->CtrlList[size_t(e)].get());
            FDisabledFontColor = edit ? edit->DisabledFontColor : FSD->SkinColors()->cBtnShadow();
        }
    }
    if (FScrollBar) {
        FScrollBar->SetSkinData(FSD);
        AdjustScrollBar();
    }
    CalcItemRects();
    UpdateScrollInfo();
    if (HandleAllocated())
        Repaint();
}

// ------------------------------------------------------------ painting

void TbsSkinOfficeListBox::CreateControlDefaultImage(TBitmap& B)
{
    TCanvas& c = *B.Canvas();
    TRect r{0, 0, Width(), Height()};
    c.Frame3D(r, clBtnShadow, clBtnShadow, 1);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWindow);
    c.FillRect(TRect{1, 1, Width() - 1, Height() - 1});
    CalcItemRects();
    DrawItems(B);
}

void TbsSkinOfficeListBox::CreateControlSkinImage(TBitmap& B)
{
    TbsSkinCustomControl::CreateControlSkinImage(B);
    CalcItemRects();
    DrawItems(B);
}

// Every visible row, each drawn on a picture of its own so that it stays
// inside itself and inside the items rectangle.
void TbsSkinOfficeListBox::DrawItems(TBitmap& Face)
{
    if (IsNullRect(FItemsRect))
        return;
    TBitmap area = CopyOut(Face, FItemsRect);
    for (int i = 0; i < Count(); ++i) {
        TbsSkinOfficeItem* item = Item(i);
        if (!item->IsVisible)
            continue;
        TRect r = item->ItemRect;
        r.Offset(-FItemsRect.Left, -FItemsRect.Top);
        TBitmap row = CopyOut(area, r);
        if (row.Empty())
            continue;
        if (FIndex == -1)
            DefaultDrawItem(i, row);
        else
            SkinDrawItem(i, row);
        area.Canvas()->Draw(r.Left, r.Top, row);
    }
    Face.Canvas()->Draw(FItemsRect.Left, FItemsRect.Top, area);
}

void TbsSkinOfficeListBox::DrawItemContent(int Index, TCanvas& C, TRect R, unsigned CaptionFlags)
{
    TbsSkinOfficeItem* item = Item(Index);
    C.Brush().SetStyle(bsClear);
    if (!item->Title().empty() && FShowItemTitles) {
        const TFontStyles style = C.Font().Style();
        C.Font().SetStyle(style | fsBold);
        TRect t{R.Left, R.Top, R.Right, R.Top + C.TextHeight("Wg")};
        C.DrawText(item->Title(), t, 0);
        R.Top = t.Bottom;
        C.Font().SetStyle(style);
    }
    if (FImages && item->ImageIndex() >= 0 && item->ImageIndex() < FImages->Count()) {
        DrawImageAndTextLeft(C, R, 0, 2, blGlyphLeft, item->Caption(), item->ImageIndex(), FImages, false,
                             item->Enabled(), false, 0);
        return;
    }
    if (FShowItemTitles)
        R.Left += 10;
    TRect m{0, 0, RectWidth(R), 0};
    C.DrawText(item->Caption(), m, DT_CALCRECT | DT_WORDBREAK);
    const int y = std::max(R.Top, R.Top + RectHeight(R) / 2 - RectHeight(m) / 2);
    TRect t{R.Left, y, R.Left + RectWidth(m), y + RectHeight(m)};
    C.DrawText(item->Caption(), t, CaptionFlags);
}

void TbsSkinOfficeListBox::DefaultDrawItem(int Index, TBitmap& Row)
{
    TbsSkinOfficeItem* item = Item(Index);
    TCanvas& C = *Row.Canvas();
    const int W = Row.Width(), H = Row.Height();
    TColor fill = clWindow, text = item->Enabled() ? clWindowText : PlainDisabledRow;
    if (item->Header()) {
        fill = clBtnShadow;
        text = clBtnHighlight;
    } else if (item->Active) {
        fill = clHighlight;
        text = clHighlightText;
    }
    C.Font().Assign(DefaultFont());
    C.Font().SetColor(text);
    C.Brush().SetStyle(bsSolid);
    C.Brush().SetColor(fill);
    C.FillRect(TRect{0, 0, W, H});
    TRect R = Shrunk(TRect{0, 0, W, H}, 2);
    C.Brush().SetStyle(bsClear);
    if (item->Header()) {
        C.DrawText(item->Caption(), R, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    if (OnDrawItem) {
        OnDrawItem(C, Index, TRect{0, 0, W, H});
    } else {
        DrawItemContent(Index, C, R, DT_WORDBREAK);
        if (FShowLines) {
            C.Pen().SetColor(clBtnFace);
            C.MoveTo(0, H - 1);
            C.LineTo(W, H - 1);
        }
    }
    if (item->Active && Focused()) {
        C.Brush().SetStyle(bsSolid);
        C.DrawFocusRect(TRect{0, 0, W, H});
    }
}

void TbsSkinOfficeListBox::ApplyFont(TCanvas& C, const TbsDataSkinListBox* E)
{
    if (UseSkinFont() && E) {
        C.Font().SetName(E->FontName);
        C.Font().SetHeight(E->FontHeight);
        C.Font().SetStyle(E->FontStyle);
    } else {
        C.Font().Assign(DefaultFont());
    }
}

void TbsSkinOfficeListBox::SkinDrawItem(int Index, TBitmap& Row)
{
    TbsSkinOfficeItem* item = Item(Index);
    if (item->Header()) {
        SkinDrawHeaderItem(Index, Row);
        return;
    }
    TCanvas& C = *Row.Canvas();
    const int li = FSD->GetControlIndex("listbox");
    const auto* e = li == -1 ? nullptr : dynamic_cast<const TbsDataSkinListBox*>(FSD->CtrlList[size_t(li)].get());
    if (!e)
        return;
    TBitmap* bmp = &Row;
    const int W = Row.Width(), H = Row.Height();
    if (e->FontColor == FDisabledFontColor && e->FontColor == 0)
        FDisabledFontColor = 0x808080;
    ApplyFont(C, e);
    TColor text = FSkinDataName == "listbox" || FSkinDataName == "memo" ? e->FontColor
                                                                         : FSD->SkinColors()->cBtnText();
    if (!item->Enabled())
        text = FDisabledFontColor;
    const TBitmap* picture = FSD->ActivePicture(e->PictureIndex);
    if (item->Active && item->Enabled()) {
        const TRect src = Focused() ? e->FocusItemRect : e->ActiveItemRect;
        if (picture && !IsNullRect(src))
            CreateStretchImage(*bmp, *picture, src, e->ItemTextRect, true);
        C.Font().SetColor(Focused() ? e->FocusFontColor : e->ActiveFontColor);
        const TRect R{2, 2, W - 2, H - 2};
        if (OnDrawItem)
            OnDrawItem(C, Index, R);
        else
            DrawItemContent(Index, C, R, DT_EXPANDTABS | DT_WORDBREAK);
        return;
    }
    C.Font().SetColor(text);
    const TRect R{2, 2, W - 2, H - 2};
    if (OnDrawItem)
        OnDrawItem(C, Index, R);
    else
        DrawItemContent(Index, C, R, DT_EXPANDTABS | DT_WORDBREAK);
    if (FShowLines) {
        C.Pen().SetColor(FSD->SkinColors()->cBtnShadow());
        C.MoveTo(0, H - 1);
        C.LineTo(W, H - 1);
    }
}

void TbsSkinOfficeListBox::SkinDrawHeaderItem(int Index, TBitmap& Row)
{
    TCanvas& C = *Row.Canvas();
    int hi = FSD->GetControlIndex("menuheader");
    if (hi == -1)
        hi = FSD->GetControlIndex("label");
    const auto* e = hi == -1 ? nullptr : dynamic_cast<const TbsDataSkinLabelControl*>(FSD->CtrlList[size_t(hi)].get());
    if (!e)
        return;
    TBitmap* bmp = &Row;
    if (const TBitmap* picture = FSD->ActivePicture(e->PictureIndex); picture && !IsNullRect(e->SkinRect))
        CreateStretchImage(*bmp, *picture, e->SkinRect, e->ClRect, true);
    C.Font().SetName(e->FontName);
    C.Font().SetHeight(e->FontHeight);
    C.Font().SetStyle(e->FontStyle);
    C.Font().SetColor(e->FontColor);
    C.Brush().SetStyle(bsClear);
    TRect r{1, 1, bmp->Width() - 1, bmp->Height() - 1};
    C.DrawText(Item(Index)->Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
