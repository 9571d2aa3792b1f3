#include "skin/boxes/SkinComboBox.h"
#include <algorithm>
#include "platform/core/Clock.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Timers.h"
#include "skin/boxes/InnerEdit.h"
#include "skin/boxes/WheelNotches.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

TbsSkinCustomComboBox::TbsSkinCustomComboBox(TComponent* AOwner) : TbsSkinCustomControl(AOwner)
{
    SetTabStop(true);
    // No csClickEvents: the platform never raises its own click for the combo.
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csOpaque, csDoubleClicks, csReplicatable};
    Font().SetName("Arial");
    Font().SetColor(clWindowText);
    Font().SetStyle(0);
    Font().SetHeight(14);
    SetBounds(Left(), Top(), 120, 20);
    FSkinDataName = "combobox";

    FListBox = new TbsPopupListBox(this);
    if (!Designing())
        FListBox->SetParent(this);
    TListBox* inner = FListBox->ListBox;
    inner->SetTabStop(false);
    FListBox->OnListBoxMouseMove = [this](TObject*, TShiftState Shift, int X, int Y) { ListBoxMouseMove(Shift, X, Y); };
    FListBox->OnCheckButtonClick = [this](TObject*) { CloseUp(true); };
    FListBoxWindowProc = inner->WindowProc;
    inner->WindowProc = [this](TMessage& m) { ListBoxWindowProc(m); };
    CalcRects();
}

TbsSkinCustomComboBox::~TbsSkinCustomComboBox()
{
    if (HandleAllocated())
        KillTimer(Handle(), 1);
    FreeEdit();
    if (FListBox) {
        TbsPopupListBox* list = FListBox;
        FListBox = nullptr;
        list->ListBox->WindowProc = FListBoxWindowProc;
        list->OnListBoxMouseMove = nullptr;
        list->OnCheckButtonClick = nullptr;
        delete list;
    }
}

// ------------------------------------------------------------ selection

void TbsSkinCustomComboBox::SetItemIndex(int Value)
{
    FListBox->SetItemIndex(Value);
    const int index = FListBox->ItemIndex();
    if (Items().Count() > 0 && index != -1)
        SetText(Items()[index]);
    FOldItemIndex = index;
    if (!FEdit)
        Repaint();
    if (!ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading)) {
        if (OnClick)
            OnClick(this);
        Change();
    }
}

void TbsSkinCustomComboBox::StepPrior(bool Commit)
{
    int index = FListBox->ItemIndex();
    if (index <= 0)
        return;
    if (Commit)
        SetItemIndex(index - 1);
    else
        FListBox->SetItemIndex(index - 1);
}

void TbsSkinCustomComboBox::StepNext(bool Commit)
{
    int index = FListBox->ItemIndex();
    if (index >= Items().Count() - 1)
        return;
    if (Commit)
        SetItemIndex(index + 1);
    else
        FListBox->SetItemIndex(index + 1);
}

// Paging goes DropDownCount + 1 rows back and DropDownCount - 1 rows on,
// as the list always has; the program's users know it that way.
void TbsSkinCustomComboBox::StepPageUp(bool Commit)
{
    int index = std::max(0, FListBox->ItemIndex() - FDropDownCount - 1);
    if (Commit)
        SetItemIndex(index);
    else
        FListBox->SetItemIndex(index);
}

void TbsSkinCustomComboBox::StepPageDown(bool Commit)
{
    int index = std::min(Items().Count() - 1, FListBox->ItemIndex() + FDropDownCount - 1);
    if (Commit)
        SetItemIndex(index);
    else
        FListBox->SetItemIndex(index);
}

// Prefix search as the list box does it: case-insensitive, after a given
// item with wrap-around, or from the top when After is -1.
int FindItemPrefix(TStrings& Items, const std::string& S, int After)
{
    const int n = Items.Count();
    for (int k = 0; k < n; ++k) {
        const int i = After < 0 ? k : (After + 1 + k) % n;
        if (TTypeAhead::Matches(Items[i], S))
            return i;
    }
    return -1;
}

void TbsSkinCustomComboBox::FindListItem(char32_t Ch)
{
    if (!FListBox)
        return;
    const std::string search = FAutoComplete ? FFilter.Add(Ch, GetTickCount()) : EncodeUtf8(std::u32string(1, Ch));
    const bool single = DecodeUtf8(search).size() == 1;
    const int found = FindItemPrefix(Items(), search, single ? FListBox->ItemIndex() : -1);
    if (found != -1)
        SetItemIndex(found);
}

// ------------------------------------------------------------ keyboard and mouse wheel

void TbsSkinCustomComboBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TbsSkinCustomControl::KeyDown(Key, Shift);
    const bool alt = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_RETURN:
        if (IsPopupVisible())
            CloseUp(true);
        break;
    case VK_ESCAPE:
        if (IsPopupVisible())
            CloseUp(false);
        break;
    case VK_PRIOR: StepPageUp(true); break;
    case VK_NEXT: StepPageDown(true); break;
    case VK_LEFT:
    case VK_UP:
        if (alt) {
            if (IsPopupVisible())
                CloseUp(false);
        } else {
            StepPrior(true);
        }
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (alt) {
            if (!IsPopupVisible())
                DropDown();
        } else {
            StepNext(true);
        }
        break;
    default: break;
    }
}

void TbsSkinCustomComboBox::KeyPress(char32_t& Key)
{
    TbsSkinCustomControl::KeyPress(Key);
    if (Key < 32)
        return;
    FindListItem(Key);
}

// ------------------------------------------------------------ messages

void TbsSkinCustomComboBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(Message); break;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    case WM_MOUSEWHEEL: WMMouseWheel(Message); break;
    case WM_SETFOCUS: WMSetFocus(Message); break;
    case WM_KILLFOCUS: WMKillFocus(Message); break;
    case CM_MOUSEENTER: CMMouseEnter(Message); break;
    case CM_MOUSELEAVE: CMMouseLeave(Message); break;
    case CM_ENABLEDCHANGED: CMEnabledChanged(Message); break;
    case CM_CANCELMODE: CMCancelMode(Message); break;
    case WM_SIZE: WMSize(Message); break;
    case WM_TIMER: WMTimer(Message); break;
    case WM_ERASEBKGND: WMEraseBkgnd(Message); break;
    default: TbsSkinCustomControl::WndProc(Message);
    }
}

void TbsSkinCustomComboBox::CMTextChanged(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (FEdit && !FromEdit)
        FEdit->SetText(Text());
    if (OnChange)
        OnChange(this);
    if (FromEdit)
        Change();
}

void TbsSkinCustomComboBox::CMWantSpecialKey(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (Message.WParam == VK_UP || Message.WParam == VK_DOWN || Message.WParam == VK_LEFT ||
        Message.WParam == VK_RIGHT)
        Message.Result = 1;
    // While the list is open, Enter and Esc close it instead of pressing the form's buttons.
    if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && IsPopupVisible())
        Message.Result = 1;
}

void TbsSkinCustomComboBox::WMGetDlgCode(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    // Letters search the items rather than going to the form's accelerators.
    Message.Result |= DLGC_WANTARROWS | DLGC_WANTCHARS;
}

void TbsSkinCustomComboBox::WMMouseWheel(TMessage& Message)
{
    if (FEdit)
        return;
    for (int n = TakeWheelNotches(FWheelDelta, short(HIWORD(Message.WParam))); n != 0; n -= n > 0 ? 1 : -1) {
        if (n > 0)
            StepPrior(!IsPopupVisible());
        else
            StepNext(!IsPopupVisible());
    }
}

void TbsSkinCustomComboBox::WMSetFocus(TMessage& Message)
{
    if (FEdit) {
        FEdit->SetFocus();
        TintEditForFocus(ActiveFontColor);
        return;
    }
    TbsSkinCustomControl::WndProc(Message);
    Repaint();
}

void TbsSkinCustomComboBox::WMKillFocus(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (!FEdit && IsPopupVisible())
        CloseUp(false);
    Repaint();
    if (FEdit)
        TintEditForFocus(FontColor);
}

void TbsSkinCustomComboBox::CMMouseEnter(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    FMouseIn = true;
    ShowHover(ActiveFontColor);
}

void TbsSkinCustomComboBox::CMMouseLeave(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    FMouseIn = false;
    if (FButton.MouseIn) {
        FButton.MouseIn = false;
        Repaint();
    }
    ShowHover(FontColor);
}

bool TbsSkinCustomComboBox::HasActiveLook() const
{
    return Skinned() && !IsNullRect(ActiveSkinRect);
}

// With a hot or focused look in the skin, the edit's text takes Color as
// the focus comes or goes, and the face shows the change.
void TbsSkinCustomComboBox::TintEditForFocus(TColor Color)
{
    if (!HasActiveLook())
        return;
    FEdit->Font().SetColor(Color);
    Invalidate();
}

// The mouse came or went: an unfocused edit takes the skin's font colour for
// it, and a face with a hot look shows it or drops it.
void TbsSkinCustomComboBox::ShowHover(TColor EditFontColor)
{
    if (HasActiveLook() && FEdit && !FEdit->Focused())
        FEdit->Font().SetColor(EditFontColor);
    if (HasActiveLook() || FToolButtonStyle)
        Invalidate();
}

void TbsSkinCustomComboBox::CMEnabledChanged(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (FEdit) {
        if (Enabled())
            FEdit->Font().SetColor(Skinned() ? FontColor : DefaultFont().Color());
        else
            FEdit->Font().SetColor(GetDisabledFontColor());
        FEdit->SetEnabled(Enabled());
    }
    Repaint();
}

void TbsSkinCustomComboBox::CMCancelMode(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    CancelFrom(reinterpret_cast<TControl*>(Message.LParam));
}

void TbsSkinCustomComboBox::WMSize(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    CalcRects();
}

// While the mouse holds the list open past its edge, each tick steps one row
// up (TimerMode 1) or down (2).
void TbsSkinCustomComboBox::WMTimer(TMessage& Message)
{
    TbsSkinCustomControl::WndProc(Message);
    if (TimerMode == 1 && FListBox->ItemIndex() > 0)
        FListBox->SetItemIndex(FListBox->ItemIndex() - 1);
    else if (TimerMode == 2 && FListBox->ItemIndex() < Items().Count() - 1)
        FListBox->SetItemIndex(FListBox->ItemIndex() + 1);
}

void TbsSkinCustomComboBox::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
    if (FromWMPaint)
        return;
    // Someone else asks for our picture in its context.
    if (Message.WParam) {
        PaintFaceTo(reinterpret_cast<HDC>(Message.WParam));
        if (FEdit)
            FEdit->PaintTo(reinterpret_cast<HDC>(Message.WParam), FEdit->Left(), FEdit->Top());
    }
}

// ------------------------------------------------------------ skin and layout

int TbsSkinCustomComboBox::TextCharset()
{
    if (FSD && FSD->ResourceStrData())
        return FSD->ResourceStrData()->CharSet();
    return DefaultFont().Charset();
}

TColor TbsSkinCustomComboBox::GetDisabledFontColor()
{
    if (!Skinned())
        return clGrayText;
    int i = FSD->GetControlIndex("edit");
    if (i != -1)
        if (auto* e = dynamic_cast<const TbsDataSkinEditControl*>(FSD->CtrlList[size_t(i)].get()))
            return e->DisabledFontColor;
    return clGrayText;
}

void TbsSkinCustomComboBox::GetSkinData()
{
    TbsSkinCustomControl::GetSkinData();
    if (FIndex == -1)
        return;
    if (auto* e = dynamic_cast<const TbsDataSkinComboBox*>(FSD->CtrlList[size_t(FIndex)].get()))
        ReadComboLook(*e);
}

void TbsSkinCustomComboBox::CalcRects()
{
    if (!Skinned() || FToolButtonStyle) {
        FButton.R = TRect{Width() - 19, 2, Width() - 2, Height() - 2};
        FCBItem.R = TRect{2, 2, FButton.R.Left - 1, Height() - 2};
    } else {
        const int dw = Width() - RectWidth(SkinRect);
        FButton.R = BtnRect;
        if (BtnRect.Left >= RectWidth(SkinRect) - RTPt.X)
            FButton.R.Offset(dw, 0);
        FCBItem.R = ClRect;
        FCBItem.R.Right += dw;
        if (!FUseSkinSize) {
            const int dh = Height() - RectHeight(SkinRect);
            FCBItem.R.Bottom += dh;
            FButton.R.Bottom += dh;
        }
    }
    if (FEdit) {
        TBitmap measure(1, 1);
        measure.Canvas()->Font().Assign(FEdit->Font());
        const int h = measure.Canvas()->TextHeight("Wg");
        FEdit->SetBounds(FCBItem.R.Left, FCBItem.R.Top + RectHeight(FCBItem.R) / 2 - h / 2, RectWidth(FCBItem.R), h);
    }
}

void TbsSkinCustomComboBox::FitSizeToSkin(int& AWidth, int& AHeight)
{
    if (FUseSkinSize) {
        TbsSkinCustomControl::FitSizeToSkin(AWidth, AHeight);
        return;
    }
    NewLTPoint = LTPt;
    NewRTPoint = TPoint{RTPt.X + AWidth - RectWidth(SkinRect), RTPt.Y};
    NewClRect = ClRect;
    NewClRect.Right += AWidth - RectWidth(SkinRect);
}

void TbsSkinCustomComboBox::UpdateSkinRegion()
{
    if (FUseSkinSize)
        TbsSkinCustomControl::UpdateSkinRegion();
}

void TbsSkinCustomComboBox::ChangeSkinData()
{
    TbsSkinCustomControl::ChangeSkinData();
    CalcRects();
    if (FEdit) {
        if (Skinned() && UseSkinFont()) {
            FEdit->Font().SetStyle(FontStyle);
            FEdit->Font().SetHeight(FontHeight);
            FEdit->Font().SetName(FontName);
            FEdit->Font().SetColor(FontColor);
        } else {
            FEdit->Font().Assign(DefaultFont());
            if (Skinned())
                FEdit->Font().SetColor(FontColor);
        }
        if (HasActiveLook() && (FEdit->Focused() || FMouseIn))
            FEdit->Font().SetColor(ActiveFontColor);
        FEdit->Font().SetCharset(TextCharset());
        FEdit->SetEditTransparent(Skinned());
        if (!Enabled())
            FEdit->Font().SetColor(GetDisabledFontColor());
    }
    Repaint();
    FListBox->SetSkinDataName(Skinned() ? ListBoxName : std::string());
    FListBox->SetSkinData(FSD);
    CalcRects();
    if (FEdit && Skinned()) {
        int w = Width(), h = Height();
        FitSizeToSkin(w, h);
        if (w != Width() || h != Height())
            SetBounds(Left(), Top(), w, h);
    }
}

void TbsSkinCustomComboBox::Invalidate()
{
    TbsSkinCustomControl::Invalidate();
    if (Skinned() && FEdit)
        FEdit->Invalidate();
}

void TbsSkinCustomComboBox::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinCustomControl::Notification(AComponent, Operation);
}

void TbsSkinCustomComboBox::DefaultFontChanged()
{
    Font().Assign(DefaultFont());
}

// ------------------------------------------------------------ setters

void TbsSkinCustomComboBox::SetToolButtonStyle(bool Value)
{
    if (Value == FToolButtonStyle)
        return;
    FToolButtonStyle = Value;
    if (Value) {
        SetStyle(bscbFixedStyle);
        FUseSkinSize = false;
    }
    CalcRects();
    Repaint();
}

void TbsSkinCustomComboBox::SetCharCase(TEditCharCase Value)
{
    FCharCase = Value;
    if (FEdit)
        FEdit->SetCharCase(Value);
}

void TbsSkinCustomComboBox::SetDefaultColor(TColor Value)
{
    FDefaultColor = Value;
    if (!Skinned()) {
        Invalidate();
        if (FEdit)
            FEdit->SetColor(Value);
    }
}

void TbsSkinCustomComboBox::SetImages(TImageList* Value)
{
    FListBox->SetImages(Value);
    Repaint();
}

void TbsSkinCustomComboBox::SetImageIndex(int Value)
{
    FListBox->SetImageIndex(Value);
    Repaint();
}

void TbsSkinCustomComboBox::SetTabWidths(const TStrings& Value)
{
    FListBox->SetTabWidths(Value);
    Repaint();
}

int TbsSkinCustomComboBox::SelStart()
{
    return FEdit ? FEdit->SelStart() : 0;
}
void TbsSkinCustomComboBox::SetSelStart(int Value)
{
    if (FEdit)
        FEdit->SetSelStart(Value);
}
int TbsSkinCustomComboBox::SelLength()
{
    return FEdit ? FEdit->SelLength() : 0;
}
void TbsSkinCustomComboBox::SetSelLength(int Value)
{
    if (FEdit)
        FEdit->SetSelLength(Value);
}
