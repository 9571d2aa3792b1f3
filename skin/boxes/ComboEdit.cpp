#include <algorithm>
#include "platform/core/Clock.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Paint.h"
#include "skin/boxes/InnerEdit.h"
#include "skin/boxes/NumericEdit.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/WheelNotches.h"
#include "skin/draw/RectUtils.h"

// The edit style: an inner edit over the item area, its window procedure
// hooked so that the keys run the list and the text follows the items.

namespace {
int TextLength(const std::string& S)
{
    return int(DecodeUtf8(S).size());
}
}  // namespace

void TbsSkinCustomComboBox::SetStyle(TbsSkinCustomComboBoxStyle Value)
{
    if (Value == FStyle && Designing())
        return;
    FStyle = Value;
    if (Value == bscbEditStyle) {
        const bool fresh = !FEdit;
        CreateEdit();
        if (fresh && !Designing()) {
            if (TabStop()) {
                SetTabStop(false);
                FEdit->SetTabStop(true);
            } else {
                FEdit->SetTabStop(false);
            }
        }
        FEdit->SetText(Text());
        if (Focused())
            FEdit->SetFocus();
    } else if (FEdit) {
        // The tab stop goes back to the combo that gave it to the edit.
        if (FEdit->TabStop())
            SetTabStop(true);
        FreeEdit();
    }
    CalcRects();
    RecreateWnd();
    Repaint();
}

void TbsSkinCustomComboBox::FreeEdit()
{
    if (!FEdit)
        return;
    // Unhooked and forgotten first: the focus moves and the messages of its
    // destruction must not reach a combo that still takes it for whole.
    TbsCustomEdit* edit = FEdit;
    FEdit = nullptr;
    edit->WindowProc = FEditWindowProc;
    edit->OnChange = nullptr;
    edit->OnEditCancelMode = nullptr;
    edit->SetVisible(false);
    delete edit;
}

void TbsSkinCustomComboBox::CreateEdit()
{
    // Applying the edit style again keeps the one edit there is.
    if (FEdit)
        return;
    if (FNumEdit)
        FEdit = new TbsSkinNumEdit(this);
    else
        FEdit = new TbsCustomEdit(this);
    FEdit->SetParent(this);
    FEdit->SetColor(FDefaultColor);
    FEdit->SetHideSelection(FHideSelection);
    FEdit->SetVisible(true);
    FEdit->OnChange = [this](TObject*) { EditChange(); };
    FEditWindowProc = FEdit->WindowProc;
    FEdit->WindowProc = [this](TMessage& m) { EditWindowHook(m); };
    FEdit->OnEditCancelMode = [this](TControl* C) { EditCancelMode(C); };
    FEdit->OnKeyDown = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyDown)
            OnKeyDown(this, Key, Shift);
    };
    FEdit->OnKeyPress = [this](TObject*, char32_t& Key) {
        if (OnKeyPress)
            OnKeyPress(this, Key);
    };
    FEdit->OnKeyUp = [this](TObject*, WORD& Key, TShiftState Shift) {
        if (OnKeyUp)
            OnKeyUp(this, Key, Shift);
    };
    FEdit->SetCharCase(FCharCase);
    if (!Skinned()) {
        FEdit->Font().SetName(Font().Name());
        FEdit->Font().SetStyle(Font().Style());
        FEdit->Font().SetColor(Font().Color());
        FEdit->Font().SetHeight(Font().Height());
    } else {
        FEdit->Font().SetStyle(FontStyle);
        FEdit->Font().SetColor(FontColor);
        FEdit->Font().SetHeight(FontHeight);
        FEdit->Font().SetName(FontName);
    }
    FEdit->SetEditTransparent(Skinned());
    CalcRects();
}

void TbsSkinCustomComboBox::EditChange()
{
    FromEdit = true;
    const std::string text = FEdit->Text();
    if (!text.empty()) {
        const int found = FindItemPrefix(Items(), text, -1);
        if (found != -1) {
            if (FAutoComplete)
                FListBox->SetItemIndex(found);
            else
                FListBox->SetTopIndex(found);
        }
    }
    SetText(text);
    FromEdit = false;
}

void TbsSkinCustomComboBox::EditSelectPrior(bool Commit)
{
    if (ItemIndex() <= 0)
        return;
    SetItemIndex(ItemIndex() - 1);
    if (Commit) {
        SetText(Items()[ItemIndex()]);
        FEdit->SelectAll();
        if (OnClick)
            OnClick(this);
    }
}

void TbsSkinCustomComboBox::EditSelectNext(bool Commit)
{
    if (ItemIndex() >= Items().Count() - 1)
        return;
    FListBox->SetItemIndex(FListBox->ItemIndex() + 1);
    if (Commit) {
        SetText(Items()[ItemIndex()]);
        FEdit->SelectAll();
        if (OnClick)
            OnClick(this);
    }
}

void TbsSkinCustomComboBox::EditAutoComplete()
{
    if (!FListBox || !FEdit)
        return;
    const std::uint32_t now = GetTickCount();
    if (now - FLastTime <= 200)
        return;
    FLastTime = now;
    const std::string typed = Text();
    if (typed.empty())
        return;
    // From the top, also for one character, so the first item that begins
    // with the text wins.
    const int found = FindItemPrefix(Items(), typed, -1);
    if (found == -1)
        return;
    SetItemIndex(found);
    FEdit->SetSelStart(TextLength(typed));
    FEdit->SetSelLength(TextLength(Text()) - TextLength(typed));
}

// Releasing a character or digit key completes the text; other keys, and
// Delete and Backspace among them, never do, and a release never deletes
// the selection (whatever the skin's character set).
void TbsSkinCustomComboBox::EditKeyUp(TMessage& Message)
{
    const WORD key = WORD(Message.WParam);
    FEditWindowProc(Message);
    if (key >= 48 && FAutoComplete && FEdit)
        EditAutoComplete();
}

// A transparent edit shows the face under it: child windows are clipped out
// of the combo's own painting, so the edit's background is drawn here.
void TbsSkinCustomComboBox::PaintFaceUnderEdit(HDC DC)
{
    TBitmap face;
    PrepareFaceBitmap(face, Width(), Height());
    GetSkinData();
    if (Skinned())
        CreateControlSkinImage(face);
    else
        CreateControlDefaultImage(face);
    TCanvas c;
    c.SetHandle(DC);
    c.Draw(-FEdit->Left(), -FEdit->Top(), face);
    c.SetHandle(nullptr);
}

void TbsSkinCustomComboBox::EditWindowHook(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (FEdit->EditTransparent() && Message.WParam) {
            PaintFaceUnderEdit(reinterpret_cast<HDC>(Message.WParam));
            Message.Result = 1;
            return;
        }
        break;
    case WM_PAINT:
        // The paint that follows then erases first, so old text never shows.
        if (FEdit->EditTransparent() && !Message.WParam)
            InvalidateRect(FEdit->Handle(), nullptr, true);
        break;
    case WM_SETFOCUS: TintEditForFocus(ActiveFontColor); break;
    case WM_KILLFOCUS:
        if (IsPopupVisible())
            CloseUp(false);
        TintEditForFocus(FontColor);
        break;
    case WM_KEYDOWN:
        switch (Message.WParam) {
        case VK_RETURN:
            if (IsPopupVisible())
                CloseUp(true);
            break;
        case VK_ESCAPE:
            if (IsPopupVisible())
                CloseUp(false);
            break;
        case VK_PRIOR:
            if (IsPopupVisible())
                StepPageUp(false);
            break;
        case VK_NEXT:
            if (IsPopupVisible())
                StepPageDown(false);
            break;
        case VK_UP: EditSelectPrior(true); return;
        case VK_DOWN: EditSelectNext(true); return;
        default: break;
        }
        break;
    case WM_KEYUP: EditKeyUp(Message); return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (IsPopupVisible())
            CloseUp(false);
        break;
    case WM_MOUSEWHEEL:
        for (int n = TakeWheelNotches(FWheelDelta, short(HIWORD(Message.WParam))); n != 0 && FEdit;
             n -= n > 0 ? 1 : -1) {
            if (n > 0)
                EditSelectPrior(!IsPopupVisible());
            else
                EditSelectNext(!IsPopupVisible());
        }
        break;
    default: break;
    }
    FEditWindowProc(Message);
}
