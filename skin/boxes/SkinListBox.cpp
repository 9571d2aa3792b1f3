#include "skin/boxes/SkinListBox.h"
#include <algorithm>
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Scroll.h"
#include "platform/ui/Timers.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlPaint.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

namespace {

constexpr UINT_PTR ListRepeatTimer = 1;
constexpr int PlainBarThickness = 19;

TRect OrSelf(const TRect& R, const TRect& Fallback) { return IsNullRect(R) ? Fallback : R; }

}  // namespace

TbsSkinCustomListBox::TbsSkinCustomListBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable,
                                  csAcceptsControls});
    SetForcebackGround(true);
    SetDrawbackGround(false);
    FTabWidths = std::make_unique<TStringList>();
    FDefaultCaptionFont.SetName("Arial");
    FDefaultCaptionFont.SetHeight(14);
    FDefaultCaptionFont.OnChange = [this](TObject*) {
        if (!Skinned() && FCaptionMode)
            Invalidate();
    };
    Font().SetName("Arial");
    Font().SetHeight(14);
    Font().SetColor(clWindowText);
    Font().SetStyle(0);
    ListBox = new TbsListBox(this);
    ListBox->SkinListBox = this;
    ListBox->SetStyle(lbOwnerDrawFixed);
    ListBox->SetItemHeight(FDefaultItemHeight);
    ListBox->SetParent(this);
    ListBox->SetVisible(true);
    SetBounds(Left(), Top(), 120, 120);
    FSkinDataName = "listbox";
}

TbsSkinCustomListBox::~TbsSkinCustomListBox()
{
    if (HandleAllocated())
        KillTimer(Handle(), ListRepeatTimer);
    FDefaultCaptionFont.OnChange = nullptr;
    ListBox->SkinListBox = nullptr;
    delete FHScrollBar;
    FHScrollBar = nullptr;
    delete FScrollBar;
    FScrollBar = nullptr;
    delete ListBox;
    ListBox = nullptr;
}

void TbsSkinCustomListBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FImages)
        FImages = nullptr;
    if (AComponent == FScrollBar)
        FScrollBar = nullptr;
    if (AComponent == FHScrollBar)
        FHScrollBar = nullptr;
}

// ------------------------------------------------------------------ skin

void TbsSkinCustomListBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    const auto* e = dynamic_cast<const TbsDataSkinListBox*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e)
        return;
    FontName = e->FontName;
    FontStyle = e->FontStyle;
    FontHeight = e->FontHeight;
    SItemRect = e->SItemRect;
    ActiveItemRect = OrSelf(e->ActiveItemRect, SItemRect);
    FocusItemRect = OrSelf(e->FocusItemRect, SItemRect);
    ItemLeftOffset = e->ItemLeftOffset;
    ItemRightOffset = e->ItemRightOffset;
    ItemTextRect = e->ItemTextRect;
    FontColor = e->FontColor;
    ActiveFontColor = e->ActiveFontColor;
    FocusFontColor = e->FocusFontColor;
    CaptionRect = e->CaptionRect;
    CaptionFontName = e->CaptionFontName;
    CaptionFontStyle = e->CaptionFontStyle;
    CaptionFontHeight = e->CaptionFontHeight;
    CaptionFontColor = e->CaptionFontColor;
    UpButtonRect = e->UpButtonRect;
    ActiveUpButtonRect = e->ActiveUpButtonRect;
    DownUpButtonRect = OrSelf(e->DownUpButtonRect, ActiveUpButtonRect);
    DownButtonRect = e->DownButtonRect;
    ActiveDownButtonRect = e->ActiveDownButtonRect;
    DownDownButtonRect = OrSelf(e->DownDownButtonRect, ActiveDownButtonRect);
    CheckButtonRect = e->CheckButtonRect;
    ActiveCheckButtonRect = e->ActiveCheckButtonRect;
    DownCheckButtonRect = OrSelf(e->DownCheckButtonRect, ActiveCheckButtonRect);
    VScrollBarName = e->VScrollBarName;
    HScrollBarName = e->HScrollBarName;
    BothScrollBarName = e->BothScrollBarName;
    ShowFocus = e->ShowFocus;
    DisabledButtonsRect = e->DisabledButtonsRect;
    ButtonsArea = e->ButtonsArea;
}

int TbsSkinCustomListBox::SkinItemHeight() const
{
    const int h = RectHeight(SItemRect);
    return h > 0 ? h : FDefaultItemHeight;
}

void TbsSkinCustomListBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    FStopUpDateHScrollBar = true;
    if (!Skinned()) {
        ListBox->SetItemHeight(FDefaultItemHeight);
        Font().Assign(DefaultFont());
    } else if (FUseSkinItemHeight) {
        ListBox->SetItemHeight(SkinItemHeight());
    }
    SkinBars();
    if (FRowCount != 0)
        SetHeight(CalcHeight(FRowCount));
    CalcRects();
    FStopUpDateHScrollBar = false;
    UpDateScrollBar();
    ListBox->Invalidate();
}

// Gives the bars the skin entries of the list's element; the horizontal bar
// carries the corner marker while a vertical bar stands beside it.
void TbsSkinCustomListBox::SkinBars()
{
    if (FScrollBar) {
        FScrollBar->SetSkinDataName(!Skinned() ? "" : Columns() < 1 ? VScrollBarName : HScrollBarName);
        FScrollBar->SetSkinData(FSD);
    }
    if (FHScrollBar) {
        if (!FScrollBar) {
            FHScrollBar->SetBoth(false);
            FHScrollBar->SetBothSkinDataName(Skinned() ? HScrollBarName : "");
            FHScrollBar->SetSkinDataName(Skinned() ? HScrollBarName : "");
        } else {
            FHScrollBar->SetBothSkinDataName(Skinned() ? BothScrollBarName : "");
            FHScrollBar->SetSkinDataName(Skinned() ? BothScrollBarName : "");
            FHScrollBar->SetBoth(true);
            if (!Skinned())
                FHScrollBar->SetBothMarkerWidth(PlainBarThickness);
        }
        FHScrollBar->SetSkinData(FSD);
    }
}

void TbsSkinCustomListBox::DefaultFontChanged()
{
    if (!Skinned())
        Font().Assign(DefaultFont());
}

// ------------------------------------------------------------------ layout

void TbsSkinCustomListBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    const bool resized = AWidth != Width() || AHeight != Height();
    TbsSkinCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (resized && ListBox && HandleAllocated()) {
        CalcRects();
        UpDateScrollBar();
    }
}

void TbsSkinCustomListBox::CalcRects()
{
    if (!ListBox)
        return;
    const int w = Width(), h = Height();
    int capH = 1;
    if (!Skinned()) {
        capH = FCaptionMode ? FDefaultCaptionHeight : 1;
    } else {
        NewClRect = ClRect;
        NewClRect.Right += w - RectWidth(SkinRect);
        NewClRect.Bottom += h - RectHeight(SkinRect);
    }
    int hbarH = 0;
    if (Columns() == 0 && FHScrollBar && FHScrollBar->Visible()) {
        if (!Skinned()) {
            FHScrollBar->SetBounds(1, h - 20, w - 2, PlainBarThickness);
            hbarH = FHScrollBar->Height() - 1;
        } else {
            const int bh = FHScrollBar->Height();
            FHScrollBar->SetBounds(NewClRect.Left, NewClRect.Bottom - bh, RectWidth(NewClRect), bh);
            hbarH = bh;
        }
    }
    if (FScrollBar && FScrollBar->Visible()) {
        TbsSkinScrollBar& b = *FScrollBar;
        if (!Skinned() && Columns() > 0) {
            b.SetBounds(1, h - 20, w - 2, PlainBarThickness);
            ListRect = TRect{2, capH + 1, w - 2, b.Top()};
        } else if (!Skinned()) {
            b.SetBounds(w - 20, capH, PlainBarThickness, h - 1 - capH - hbarH);
            ListRect = TRect{2, capH + 1, b.Left(), h - 2 - hbarH};
        } else if (Columns() > 0) {
            b.SetBounds(NewClRect.Left, NewClRect.Bottom - b.Height(), RectWidth(NewClRect), b.Height());
            ListRect = NewClRect;
            ListRect.Bottom -= b.Height();
        } else {
            b.SetBounds(NewClRect.Right - b.Width(), NewClRect.Top, b.Width(), RectHeight(NewClRect) - hbarH);
            ListRect = NewClRect;
            ListRect.Right -= b.Width();
            ListRect.Bottom -= hbarH;
        }
    } else if (!Skinned()) {
        ListRect = TRect{2, capH + 1, w - 2, h - 2 - hbarH};
    } else {
        ListRect = NewClRect;
        ListRect.Bottom -= hbarH;
    }
    ListBox->SetBounds(ListRect.Left, ListRect.Top, std::max(0, RectWidth(ListRect)),
                       std::max(0, RectHeight(ListRect)));
}

int TbsSkinCustomListBox::CalcHeight(int AItemsCount)
{
    int result;
    if (!Skinned())
        result = AItemsCount * ListBox->ItemHeight() + 4 + (FCaptionMode ? FDefaultCaptionHeight : 0);
    else
        result = RectHeight(SkinRect) + AItemsCount * ListBox->ItemHeight() - RectHeight(ClRect);
    if (FHScrollBar)
        result += FHScrollBar->Height();
    return result;
}

// ------------------------------------------------------------------ bars

void TbsSkinCustomListBox::UpDateScrollBar()
{
    if (!ListBox || !ListBox->HandleAllocated() || FInScrollBarChange)
        return;
    const int count = ListBox->Items().Count();
    if (Columns() < 1) {
        if (!FHorizontalExtent || FStopUpDateHScrollBar) {
            if (FHScrollBar && FHScrollBar->Visible())
                HideHScrollBar();
        } else {
            TBitmap measure(1, 1);
            TCanvas& c = *measure.Canvas();
            if (Skinned() && UseSkinFont()) {
                c.Font().SetName(FontName);
                c.Font().SetStyle(FontStyle);
                c.Font().SetHeight(FontHeight);
            } else {
                c.Font().Assign(ListBox->Font());
            }
            int maxW = 0;
            for (int i = 0; i < count; ++i)
                maxW = std::max(maxW, GetItemTextWidth(i, c));
            int pageW = !Skinned() ? ListBox->Width() - 4
                                   : ListBox->Width() - (RectWidth(SItemRect) - RectWidth(ItemTextRect));
            if (FImages)
                pageW -= FImages->Width() + 4;
            if (pageW < maxW) {
                if (!FHScrollBar)
                    ShowHScrollBar();
                FHScrollBar->SetRange(0, maxW, FHScrollBar->Position(), pageW);
                const int step = c.TextWidth("0");
                FHScrollBar->SetSmallChange(step);
                FHScrollBar->SetLargeChange(step);
            } else if (FHScrollBar) {
                HideHScrollBar();
            }
        }
        if (FRowCount >= 1 && FRowCount == count) {
            if (FScrollBar && FScrollBar->Visible())
                HideScrollBar();
            return;
        }
        int min = 0, max = 0;
        GetScrollRange(ListBox->Handle(), SB_VERT, &min, &max);
        const int pos = GetScrollPos(ListBox->Handle(), SB_VERT);
        const int page = ListBox->Height() / ListBox->ItemHeight();
        if (max > min && pos <= max && page < count) {
            if (!FScrollBar)
                ShowScrollBar();
            FScrollBar->SetRange(min, max, pos, page);
            FScrollBar->SetLargeChange(page);
        } else if (FScrollBar && FScrollBar->Visible()) {
            HideScrollBar();
        }
        return;
    }
    int min = 0, max = 0;
    GetScrollRange(ListBox->Handle(), SB_HORZ, &min, &max);
    const int pos = GetScrollPos(ListBox->Handle(), SB_HORZ);
    if (max > min && pos <= max && Columns() <= max && (ListBox->Height() / ListBox->ItemHeight()) * Columns() < count) {
        if (!FScrollBar)
            ShowScrollBar();
        FScrollBar->SetRange(min, max, pos, Columns());
    } else if (FScrollBar && FScrollBar->Visible()) {
        HideScrollBar();
    }
}

void TbsSkinCustomListBox::ShowScrollBar()
{
    auto* b = new TbsSkinScrollBar(this);
    const bool vertical = Columns() <= 0;
    b->SetKind(vertical ? sbVertical : sbHorizontal);
    if (vertical) {
        // The plain look keeps the bar's own thickness; the list sets its length.
        b->SetDefaultHeight(0);
        b->SetDefaultWidth(PlainBarThickness);
    }
    b->SetBounds(b->Left(), b->Top(), 20, 100);
    b->SetPageSize(0);
    b->SetMin(0);
    b->SetPosition(0);
    b->OnChange = [this](TObject*) { ScrollBarChange(); };
    FScrollBar = b;
    SkinBars();
    b->SetParent(this);
    CalcRects();
    b->SetVisible(true);
    CalcRects();
    Invalidate();
}

void TbsSkinCustomListBox::ShowHScrollBar()
{
    auto* b = new TbsSkinScrollBar(this);
    b->SetKind(sbHorizontal);
    b->SetBounds(b->Left(), b->Top(), 20, 100);
    b->SetPageSize(0);
    b->SetMin(0);
    b->SetPosition(0);
    b->OnChange = [this](TObject*) { HScrollBarChange(); };
    FHScrollBar = b;
    SkinBars();
    b->SetParent(this);
    b->SetVisible(true);
    CalcRects();
    Invalidate();
}

void TbsSkinCustomListBox::HideScrollBar()
{
    TbsSkinScrollBar* b = FScrollBar;
    FScrollBar = nullptr;
    b->SetVisible(false);
    delete b;
    SkinBars();   // the horizontal bar loses its corner marker
    CalcRects();
}

void TbsSkinCustomListBox::HideHScrollBar()
{
    ListBox->SetHorizontalExtentValue(0);
    TbsSkinScrollBar* b = FHScrollBar;
    FHScrollBar = nullptr;
    b->SetVisible(false);
    delete b;
    CalcRects();
    ListBox->Invalidate();
}

// The bar moved the list: the list's answer must not take the bar away
// while the bar is still inside its own change event.
void TbsSkinCustomListBox::ScrollBarChange()
{
    FInScrollBarChange = true;
    SendMessage(ListBox->Handle(), Columns() > 0 ? WM_HSCROLL : WM_VSCROLL,
                MAKEWPARAM(SB_THUMBPOSITION, WORD(FScrollBar->Position())), 0);
    FInScrollBarChange = false;
}

void TbsSkinCustomListBox::HScrollBarChange() { ListBox->SetHorizontalExtentValue(FHScrollBar->Position()); }

// ------------------------------------------------------------------ properties

void TbsSkinCustomListBox::SetItems(const TStrings& Value)
{
    ListBox->Items().Assign(&Value);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::Clear()
{
    ListBox->Clear();
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetSorted(bool Value)
{
    if (FScrollBar)
        HideScrollBar();
    ListBox->SetSorted(Value);
}

void TbsSkinCustomListBox::SetColumns(int Value)
{
    ListBox->SetColumns(Value);
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetShowCaptionButtons(bool Value)
{
    if (Value == FShowCaptionButtons)
        return;
    FShowCaptionButtons = Value;
    Invalidate();
}

void TbsSkinCustomListBox::SetTabWidths(const TStrings& Value)
{
    FTabWidths->Assign(&Value);
    if (FTabWidths->Count() > 0)
        ListBox->Invalidate();
}

void TbsSkinCustomListBox::SetHorizontalExtent(bool Value)
{
    FHorizontalExtent = Value;
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetRowCount(int Value)
{
    FRowCount = Value;
    if (FRowCount != 0)
        SetHeight(CalcHeight(FRowCount));
    UpDateScrollBar();
}

void TbsSkinCustomListBox::SetGlyph(const TBitmap& Value)
{
    FGlyph.Assign(Value);
    Invalidate();
}

void TbsSkinCustomListBox::SetNumGlyphs(int Value)
{
    FNumGlyphs = Value;
    Invalidate();
}

void TbsSkinCustomListBox::SetSpacing(int Value)
{
    FSpacing = Value;
    Invalidate();
}

void TbsSkinCustomListBox::SetImages(TImageList* Value)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = Value;
    if (FImages)
        FImages->FreeNotification(this);
    ListBox->Invalidate();
}

void TbsSkinCustomListBox::SetImageIndex(int Value)
{
    FImageIndex = Value;
    ListBox->Invalidate();
}

void TbsSkinCustomListBox::SetCaptionMode(bool Value)
{
    FCaptionMode = Value;
    if (!Skinned()) {
        CalcRects();
        Invalidate();
    }
}

void TbsSkinCustomListBox::SetDefaultCaptionHeight(int Value)
{
    FDefaultCaptionHeight = Value;
    if (!Skinned() && FCaptionMode) {
        CalcRects();
        Invalidate();
    }
}

void TbsSkinCustomListBox::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    if (FCaptionMode)
        Invalidate();
}

void TbsSkinCustomListBox::SetDefaultItemHeight(int Value)
{
    FDefaultItemHeight = Value;
    if (!Skinned() || !FUseSkinItemHeight)
        ListBox->SetItemHeight(Value);
}

// ------------------------------------------------------------------ hooks

int TbsSkinCustomListBox::GetItemTextWidth(int Index, TCanvas& C) { return C.TextWidth(Items().Get(Index)); }

void TbsSkinCustomListBox::ListBoxMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseDown)
        OnListBoxMouseDown(this, Button, Shift, X, Y);
}

void TbsSkinCustomListBox::ListBoxMouseMove(TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseMove)
        OnListBoxMouseMove(this, Shift, X, Y);
}

void TbsSkinCustomListBox::ListBoxMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnListBoxMouseUp)
        OnListBoxMouseUp(this, Button, Shift, X, Y);
}

void TbsSkinCustomListBox::ListBoxClick()
{
    if (OnListBoxClick)
        OnListBoxClick(this);
}

void TbsSkinCustomListBox::ListBoxDblClick()
{
    if (OnListBoxDblClick)
        OnListBoxDblClick(this);
}

void TbsSkinCustomListBox::ListBoxKeyDown(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyDown)
        OnListBoxKeyDown(this, Key, Shift);
}

void TbsSkinCustomListBox::ListBoxKeyUp(WORD& Key, TShiftState Shift)
{
    if (OnListBoxKeyUp)
        OnListBoxKeyUp(this, Key, Shift);
}

void TbsSkinCustomListBox::ListBoxKeyPress(char32_t& Key)
{
    if (OnListBoxKeyPress)
        OnListBoxKeyPress(this, Key);
}

// ------------------------------------------------------------------ messages

void TbsSkinCustomListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SIZE:
        TbsSkinCustomControl::WndProc(Message);
        CalcRects();
        UpDateScrollBar();
        if (FScrollBar)
            FScrollBar->Invalidate();
        return;
    case WM_TIMER:
        TbsSkinCustomControl::WndProc(Message);
        if (Message.WParam == ListRepeatTimer)
            TimerStep();
        return;
    case CM_MOUSEENTER:
        TbsSkinCustomControl::WndProc(Message);
        TestActive(-1, -1);
        return;
    case CM_MOUSELEAVE:
        TbsSkinCustomControl::WndProc(Message);
        // Leaving for a child control pauses a running repeat like leaving
        // the button does.
        if (ButtonsActive()) {
            for (int i = 0; i < 3; ++i)
                if (Buttons[i].MouseIn)
                    ButtonLeave(i);
            ActiveButton = -1;
        }
        return;
    case CM_TEXTCHANGED:
        TbsSkinCustomControl::WndProc(Message);
        if (FCaptionMode)
            Invalidate();
        return;
    case CM_ENABLEDCHANGED:
        TbsSkinCustomControl::WndProc(Message);
        Invalidate();
        return;
    default: TbsSkinCustomControl::WndProc(Message);
    }
}
