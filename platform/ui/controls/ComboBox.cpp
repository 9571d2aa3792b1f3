#include "platform/ui/controls/ComboBox.h"
#include <algorithm>
#include <cstring>
#include "platform/core/Clock.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/WinConsts.h"

namespace {


DWORD KindStyle(TComboBoxStyle style)
{
    const DWORD kinds[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                           CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    return kinds[style];
}

const char* TextParam(LPARAM l)
{
    return l ? reinterpret_cast<const char*>(l) : "";
}

}  // namespace

// ------------------------------------------------------------ the popup list

TComboListBox::TComboListBox(TCustomComboBox* combo) : TCustomListBox(combo), FCombo(combo)
{
    FVisible = false;
    SetTabStop(false);
    SetBorderStyle(bsNone);
}

void TComboListBox::CreateParams(TCreateParams& p)
{
    TCustomListBox::CreateParams(p);
    DWORD keep = p.Style & (LBS_SORT | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE);
    if (FCombo && FCombo->IsSimple()) {
        p.Style = WS_CHILD | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | keep;
        p.ExStyle = WS_EX_CLIENTEDGE;
        return;
    }
    p.Style = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | keep;
    p.ExStyle = WS_EX_TOOLWINDOW;
    p.WindowClassStyle |= CS_SAVEBITS | CS_DROPSHADOW;
}

// While open the list holds the mouse: a press outside closes it, a
// release on an item after the pointer went over the items chooses it.
void TComboListBox::WndProc(TMessage& m)
{
    if (!FCombo) {          // the combo is going away
        TCustomListBox::WndProc(m);
        return;
    }
    if (FCombo->IsSimple()) {
        SimpleWndProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_MOUSEACTIVATE:
        m.Result = MA_NOACTIVATE;
        return;
    case WM_MOUSEMOVE: {
        TPoint p = LParamToPoint(m.LParam);
        if (ClientRect().Contains(p)) {
            int index = ItemAtPos(p, true);
            if (index >= 0) {
                FMovedIn = true;
                if (index != ItemIndex())
                    Perform(LB_SETCURSEL, WPARAM(index));
            }
        }
        return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        TPoint p = LParamToPoint(m.LParam);
        TPoint screen = ClientToScreen(p);
        TRect window;
        GetWindowRect(FHandle, window);
        if (!window.Contains(screen)) {
            FCombo->CloseList(false);
            return;
        }
        if (!ClientRect().Contains(p)) {
            // The frame or the scroll bar: the bar tracks, then the list takes the mouse again.
            if (m.Msg == WM_LBUTTONDOWN &&
                SendMessage(FHandle, WM_NCHITTEST, 0, PointToLParam(screen)) == HTVSCROLL) {
                DefWindowProc(FHandle, WM_NCLBUTTONDOWN, HTVSCROLL, PointToLParam(screen));
                if (FCombo->FDropped)
                    SetCapture(FHandle);
            }
            return;
        }
        int index = ItemAtPos(p, true);
        if (index >= 0) {
            FMovedIn = true;
            Perform(LB_SETCURSEL, WPARAM(index));
        }
        return;
    }
    case WM_LBUTTONUP: {
        TPoint p = LParamToPoint(m.LParam);
        if (FMovedIn && ClientRect().Contains(p) && ItemAtPos(p, true) >= 0)
            FCombo->CloseList(true);
        return;
    }
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        return;
    case WM_CANCELMODE:
        FCombo->CloseList(false);
        break;
    case CN_DRAWITEM: {
        // Items are the combo's: the combo's parent draws them as ODT_COMBOBOX.
        DRAWITEMSTRUCT dis = *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
        dis.CtlType = ODT_COMBOBOX;
        dis.hwndItem = FCombo->FHandle;
        HWND parent = FCombo->FHandle ? GetParent(FCombo->FHandle) : nullptr;
        if (!parent || !SendMessage(parent, WM_DRAWITEM, 0, LPARAM(&dis)))
            FCombo->Perform(CN_DRAWITEM, 0, LPARAM(&dis));
        m.Result = 1;
        return;
    }
    default:
        break;
    }
    TCustomListBox::WndProc(m);
}

// The always shown list of a simple combo: a click chooses the item at once
// and the keys stay with the edit.
void TComboListBox::SimpleWndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TComboEdit* edit = FCombo->FEdit;
        if (edit && edit->CanFocus() && !edit->Focused())
            edit->SetFocus();
        int index = ItemAtPos(LParamToPoint(m.LParam), true);
        if (index >= 0 && index != FCombo->FItemIndex)
            FCombo->Commit(index, true);
        else if (index >= 0 && edit)
            edit->SelectAll();
        if (index >= 0 && m.Msg == WM_LBUTTONDBLCLK)
            FCombo->Notify(CBN_DBLCLK);
        return;
    }
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        return;
    default:
        break;
    }
    TCustomListBox::WndProc(m);
}

void TComboListBox::SendMeasureItem(MEASUREITEMSTRUCT& mis)
{
    if (!FCombo) {
        TCustomListBox::SendMeasureItem(mis);
        return;
    }
    mis.CtlType = ODT_COMBOBOX;
    mis.hwndItem = FCombo->FHandle;
    HWND parent = FCombo->FHandle ? GetParent(FCombo->FHandle) : nullptr;
    if (!parent || !SendMessage(parent, WM_MEASUREITEM, 0, LPARAM(&mis)))
        FCombo->Perform(CN_MEASUREITEM, 0, LPARAM(&mis));
}

// ------------------------------------------------------------ the edit part

TComboEdit::TComboEdit(TCustomComboBox* combo) : TCustomEdit(combo), FCombo(combo)
{
    SetBorderStyle(bsNone);
}

void TComboEdit::WndProc(TMessage& m)
{
    if (!FCombo) {          // the combo is going away
        TCustomEdit::WndProc(m);
        return;
    }
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (FCombo->KeyForList(WORD(m.WParam), m.Msg == WM_SYSKEYDOWN)) {
            FCombo->HandleKey(WORD(m.WParam), m.Msg == WM_SYSKEYDOWN);
            return;
        }
        break;
    case CM_WANTSPECIALKEY:
        if (FCombo->FDropped && (m.WParam == WPARAM(VK_RETURN) || m.WParam == WPARAM(VK_ESCAPE))) {
            m.Result = 1;
            return;
        }
        break;
    case WM_MOUSEWHEEL:
        FCombo->Perform(m.Msg, m.WParam, m.LParam);
        return;
    case WM_KILLFOCUS:
        if (reinterpret_cast<HWND>(m.WParam) != FCombo->FHandle)
            FCombo->CloseList(false);
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(m);
}

void TComboEdit::Change()
{
    if (FCombo)
        FCombo->EditChanged();
}

void TComboEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (FCombo)
        FCombo->KeyDown(Key, Shift);
    if (Key)
        TCustomEdit::KeyDown(Key, Shift);
}

void TComboEdit::KeyPress(char32_t& Key)
{
    if (FCombo)
        FCombo->KeyPress(Key);
    if (Key)
        TCustomEdit::KeyPress(Key);
    FErasing = Key == 8 || Key == 24 || Key == 127;
}

// ------------------------------------------------------------- the combo box

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItemsList(std::make_unique<TComboBoxStrings>(this)), FCanvas(std::make_unique<TCanvas>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
    FWidth = 145;
    FHeight = 21;
    FColor = clWindow;
    SetParentColor(false);
    FList = new TComboListBox(this);
    FList->SetParent(this);
    SetStyle(csDropDown);       // makes the edit part
}

TCustomComboBox::~TCustomComboBox()
{
    Destroying();
    if (FDropped && FList->HandleAllocated() && GetCapture() == FList->Handle())
        ReleaseCapture();
    FDropped = false;
    // The parts outlive this destructor a little (the control base frees
    // them): they must not call back into a combo that is half gone.
    FList->FCombo = nullptr;
    if (FEdit)
        FEdit->FCombo = nullptr;
}

LRESULT TCustomComboBox::Send(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (FHandle)
        return SendMessage(FHandle, msg, wParam, lParam);
    return Perform(msg, wParam, lParam);
}

void TCustomComboBox::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    p.Style |= KindStyle(FStyle) | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
    if (FSorted)
        p.Style |= CBS_SORT;
    // A simple combo's edit and list carry their own frames.
    if (!IsSimple())
        p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomComboBox::CreateWnd()
{
    TWinControl::CreateWnd();
    PlaceEdit();
}

// ------------------------------------------------------------- properties

void TCustomComboBox::SetItemIndex(int value)
{
    if (ItemIndex() != value)
        Send(CB_SETCURSEL, WPARAM(value));
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
    if (value == FStyle && (FEdit != nullptr) == HasEdit())
        return;
    bool simpleChanges = (value == csSimple) != IsSimple();
    if (simpleChanges)
        CloseList(false);
    FStyle = value;
    if (!HasEdit() && FEdit) {
        delete FEdit;
        FEdit = nullptr;
    } else if (HasEdit() && !FEdit) {
        FEdit = new TComboEdit(this);
        FEdit->SetParent(this);
        FEdit->SetText(FItemIndex >= 0 ? FList->Items()[FItemIndex] : FText);
    }
    // With an edit, the edit is the tab stop, so tabbing backwards never lands on the box again.
    SetTabStop(!HasEdit());
    if (FEdit)
        FEdit->SetTabStop(true);
    FList->SetStyle(value == csOwnerDrawFixed ? lbOwnerDrawFixed
                    : value == csOwnerDrawVariable ? lbOwnerDrawVariable : lbStandard);
    if (!HasEdit())
        FText = CurrentText();
    UpdateStyle(0, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE);
    UpdateStyle(KindStyle(value), 0);
    if (simpleChanges) {
        // The list turns from a popup into a child or back, the frame moves.
        FList->SetVisible(false);
        RecreateWnd();
        FList->RecreateWnd();
    }
    PlaceEdit();
    Invalidate();
}

void TCustomComboBox::SetSorted(bool value)
{
    FSorted = value;
    FList->SetSorted(value);
}

void TCustomComboBox::SetItemHeight(int value)
{
    if (value > 0 && FStyle == csOwnerDrawVariable) {
        // The height items have until their owner answers otherwise.
        FItemHeight = value;
        FList->SetItemHeight(value);
        return;
    }
    Send(CB_SETITEMHEIGHT, 0, LPARAM(value));
}

void TCustomComboBox::SetMaxLength(int value)
{
    Send(CB_LIMITTEXT, WPARAM(std::max(0, value)));
}

int TCustomComboBox::SelStart()
{
    return FEdit ? FEdit->SelStart() : 0;
}

void TCustomComboBox::SetSelStart(int value)
{
    if (FEdit)
        FEdit->SetSelStart(value);
}

int TCustomComboBox::SelLength()
{
    return FEdit ? FEdit->SelLength() : 0;
}

void TCustomComboBox::SetSelLength(int value)
{
    if (FEdit)
        FEdit->SetSelLength(value);
}

void TCustomComboBox::SelectAll()
{
    if (FEdit)
        FEdit->SelectAll();
}

void TCustomComboBox::Change()
{
    if (!IsLoading() && OnChange)
        OnChange(this);
}

void TCustomComboBox::Select()
{
    if (IsLoading())
        return;
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::DropDown()
{
    if (!IsLoading() && OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::CloseUp()
{
    if (!IsLoading() && OnCloseUp)
        OnCloseUp(this);
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index >= 0 && Index < FList->Items().Count())
        FCanvas->TextOut(Rect.Left + 2, Rect.Top, FList->Items()[Index]);
}

void TCustomComboBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

// ------------------------------------------------------------------ parts

TRect TCustomComboBox::ButtonRect()
{
    TRect c = ClientRect();
    return TRect{std::max(c.Left, c.Right - GetSystemMetrics(SM_CXVSCROLL)), c.Top, c.Right, c.Bottom};
}

std::string TCustomComboBox::CurrentText()
{
    if (FEdit)
        return FEdit->Text();
    return FItemIndex >= 0 && FItemIndex < FList->Items().Count() ? FList->Items()[FItemIndex] : std::string();
}

void TCustomComboBox::PlaceEdit()
{
    // Placed once the box has its window: before that the edit could not
    // measure itself without a parent window.
    if (!FEdit || !FHandle)
        return;
    TRect c = ClientRect();
    if (IsSimple()) {
        // The edit inside a sunken frame at the top, the list below it.
        int editHeight = std::min(SimpleEditHeight(), c.Height());
        FEdit->SetBounds(2, 2, std::max(0, c.Width() - 4), std::max(0, editHeight - 4));
        FList->SetBounds(0, editHeight, c.Width(), std::max(0, c.Height() - editHeight));
        FList->SetVisible(true);
        FList->Perform(LB_SETCURSEL, WPARAM(FItemIndex));
        return;
    }
    int right = c.Right - GetSystemMetrics(SM_CXVSCROLL);
    FEdit->SetBounds(1, 1, std::max(0, right - 1), std::max(0, c.Height() - 2));
}

void TCustomComboBox::Notify(WORD code)
{
    HWND parent = FHandle ? GetParent(FHandle) : nullptr;
    if (parent)
        SendMessage(parent, WM_COMMAND, MAKEWPARAM(int(GetWindowLong(FHandle, GWL_ID)), code), LPARAM(FHandle));
}

void TCustomComboBox::Commit(int index, bool notify)
{
    int count = FList->Items().Count();
    FItemIndex = index >= 0 && index < count ? index : -1;
    if (FEdit) {
        FSettingText = true;
        FEdit->SetText(FItemIndex >= 0 ? FList->Items()[FItemIndex] : std::string());
        FSettingText = false;
        if (FEdit->Focused())
            FEdit->SelectAll();
    }
    FText = CurrentText();
    if (IsSimple())
        FList->Perform(LB_SETCURSEL, WPARAM(FItemIndex));
    Invalidate();
    if (notify)
        Notify(CBN_SELCHANGE);
}

void TCustomComboBox::EditChanged()
{
    if (FSettingText)
        return;
    FText = FEdit->Text();
    // Typing at the end completes with the first item that starts so; the
    // completed part stays selected, so the next character replaces it.
    int typed = FEdit->SelStart();
    if (FAutoComplete && !FEdit->FErasing && !FText.empty() && FEdit->SelLength() == 0 &&
        typed == int(DecodeUtf8(FText).size())) {
        int found = int(FList->Perform(LB_FINDSTRING, WPARAM(-1), LPARAM(FText.c_str())));
        if (found >= 0) {
            std::string item = FList->Items()[found];
            int length = int(DecodeUtf8(item).size());
            if (length > typed) {
                FSettingText = true;
                FEdit->SetText(FText + EncodeUtf8(DecodeUtf8(item).substr(size_t(typed))));
                FEdit->SetSelStart(typed);
                FEdit->SetSelLength(length - typed);
                FSettingText = false;
                FText = FEdit->Text();
            }
        }
    }
    if (IsSimple()) {
        // The list follows the text: the first item it starts is chosen and shown.
        int found = FText.empty() ? -1 : int(FList->Perform(LB_FINDSTRING, WPARAM(-1), LPARAM(FText.c_str())));
        FItemIndex = found;
        FList->Perform(LB_SETCURSEL, WPARAM(found));
    }
    Notify(CBN_EDITCHANGE);
}

// The list opens below the box, or above it when the work area ends first,
// and never leaves the work area sideways.
void TCustomComboBox::OpenList()
{
    if (FDropped || !FHandle || IsSimple())
        return;
    Notify(CBN_DROPDOWN);
    int count = FList->Items().Count();
    int rows = std::clamp(std::min(FDropDownCount, count), 1, std::max(1, FDropDownCount));
    int height = 2;
    if (FStyle == csOwnerDrawVariable && count > 0) {
        // As many items as the count asks for, each as high as its owner said.
        for (int i = 0; i < rows; ++i)
            height += int(FList->Perform(LB_GETITEMHEIGHT, WPARAM(i)));
    } else {
        height += rows * FList->ItemHeight();
    }
    TRect box;
    GetWindowRect(FHandle, box);
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromWindow(FHandle, MONITOR_DEFAULTTONEAREST), &mi);
    const TRect& work = mi.rcWork;
    int width = box.Width();
    int x = std::clamp(box.Left, work.Left, std::max(work.Left, work.Right - width));
    int y = box.Bottom;
    if (y + height > work.Bottom) {
        if (box.Top - height >= work.Top)
            y = box.Top - height;
        else
            height = std::max(FList->ItemHeight() + 2, work.Bottom - y);
    }
    FList->SetBounds(x, y, width, height);
    // An edit style's text may be typed or set freely: the list marks the item equal to it.
    int marked = FItemIndex;
    if (FEdit)
        marked = int(FList->Perform(LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(CurrentText().c_str())));
    FList->Perform(LB_SETCURSEL, WPARAM(marked));
    FList->FMovedIn = false;
    FDropped = true;
    FList->SetVisible(true);
    SetWindowPos(FList->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(FList->Handle());
    Invalidate();
}

void TCustomComboBox::CloseList(bool accept)
{
    if (!FDropped)
        return;
    FDropped = false;
    int chosen = int(FList->Perform(LB_GETCURSEL));
    if (FList->HandleAllocated() && GetCapture() == FList->Handle())
        ReleaseCapture();
    FList->SetVisible(false);
    Notify(accept ? CBN_SELENDOK : CBN_SELENDCANCEL);
    Notify(CBN_CLOSEUP);
    if (accept && chosen >= 0 && chosen != FItemIndex)
        Commit(chosen, true);
    Invalidate();
}

bool TCustomComboBox::KeyForList(WORD key, bool alt)
{
    switch (key) {
    case VK_UP:
    case VK_DOWN:
        return true;
    case VK_F4:
        return !alt;
    case VK_PRIOR:
    case VK_NEXT:
        return !alt;
    case VK_RETURN:
    case VK_ESCAPE:
        return FDropped;
    default:
        return false;
    }
}

void TCustomComboBox::HandleKey(WORD key, bool alt)
{
    if ((alt && (key == VK_DOWN || key == VK_UP)) || (key == VK_F4 && !alt)) {
        if (FDropped)
            CloseList(true);
        else
            OpenList();
        return;
    }
    int count = FList->Items().Count();
    if (FDropped && key == VK_RETURN) {
        CloseList(true);
        return;
    }
    if (FDropped && key == VK_ESCAPE) {
        CloseList(false);
        return;
    }
    if (count == 0)
        return;
    int page = std::max(1, std::min(FDropDownCount, count) - 1);
    int cur = FDropped ? int(FList->Perform(LB_GETCURSEL)) : FItemIndex;
    int target;
    switch (key) {
    case VK_UP: case VK_LEFT: target = cur - 1; break;
    case VK_DOWN: case VK_RIGHT: target = cur + 1; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    case VK_PRIOR: target = cur - page; break;
    case VK_NEXT: target = cur + page; break;
    default: return;
    }
    if (cur < 0)
        target = key == VK_END ? count - 1 : 0;
    target = std::clamp(target, 0, count - 1);
    if (FDropped)
        FList->Perform(LB_SETCURSEL, WPARAM(target));
    else if (target != FItemIndex)
        Commit(target, true);
}

void TCustomComboBox::TypeAhead(char32_t ch)
{
    int count = FList->Items().Count();
    if (ch < 32 || count == 0)
        return;
    std::string prefix = FSearch.Add(ch, GetTickCount());
    int cur = FDropped ? int(FList->Perform(LB_GETCURSEL)) : FItemIndex;
    int start = FSearch.Fresh() ? cur : cur - 1;
    int found = int(FList->Perform(LB_FINDSTRING, WPARAM(start), LPARAM(prefix.c_str())));
    if (found < 0 || found == cur)
        return;
    if (FDropped)
        FList->Perform(LB_SETCURSEL, WPARAM(found));
    else
        Commit(found, true);
}

// --------------------------------------------------------------- painting

void TCustomComboBox::PaintWindow(HDC dc)
{
    TRect c = ClientRect();
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Brush().SetColor(Enabled() ? FColor : clBtnFace);
    canvas.FillRect(c);
    if (IsSimple()) {
        TRect frame{c.Left, c.Top, c.Right, c.Top + std::min(SimpleEditHeight(), c.Height())};
        canvas.Frame3D(frame, clBtnShadow, clBtnHighlight, 1);
        canvas.Frame3D(frame, cl3DDkShadow, clBtnFace, 1);
        return;
    }
    TRect b = ButtonRect();
    TRect face = b;
    if (FDropped) {
        canvas.Brush().SetColor(clBtnShadow);
        canvas.FrameRect(face);
        face.Inflate(-1, -1);
    } else {
        canvas.Frame3D(face, clBtnFace, cl3DDkShadow, 1);
        canvas.Frame3D(face, clBtnHighlight, clBtnShadow, 1);
    }
    canvas.Brush().SetColor(clBtnFace);
    canvas.FillRect(face);
    int cx = (b.Left + b.Right) / 2 + (FDropped ? 1 : 0), cy = (b.Top + b.Bottom) / 2 + (FDropped ? 1 : 0);
    TColor arrow = Enabled() ? clBtnText : clGrayText;
    canvas.Brush().SetColor(arrow);
    canvas.Pen().SetColor(arrow);
    canvas.Polygon({TPoint{cx - 4, cy - 2}, TPoint{cx + 4, cy - 2}, TPoint{cx, cy + 2}});
    if (FEdit)
        return;
    TRect text{c.Left + 1, c.Top + 1, b.Left - 1, c.Bottom - 1};
    bool focused = FHandle && GetFocus() == FHandle;
    if (FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable) {
        DRAWITEMSTRUCT dis;
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = UINT(FItemIndex);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = ODS_COMBOBOXEDIT | (focused && !FDropped ? ODS_SELECTED | ODS_FOCUS : 0) |
                        (Enabled() ? 0 : ODS_DISABLED);
        dis.hwndItem = FHandle;
        dis.hDC = dc;
        dis.rcItem = text;
        dis.itemData = FItemIndex >= 0 ? UINT_PTR(FList->Perform(LB_GETITEMDATA, WPARAM(FItemIndex))) : 0;
        TSavedDC saved(dc);
        dc->IntersectClipRect(text);
        HWND parent = GetParent(FHandle);
        if (!parent || !SendMessage(parent, WM_DRAWITEM, 0, LPARAM(&dis)))
            Perform(CN_DRAWITEM, 0, LPARAM(&dis));
        return;
    }
    canvas.Font().Assign(FFont);
    if (!Enabled())
        canvas.Font().SetColor(clGrayText);
    if (focused && !FDropped) {
        canvas.Brush().SetColor(clHighlight);
        canvas.FillRect(text);
        canvas.Font().SetColor(clHighlightText);
    }
    canvas.Brush().SetStyle(bsClear);
    std::string shown = CurrentText();
    int y = text.Top + (text.Height() - canvas.TextHeight("Wg")) / 2;
    canvas.TextRect(text, text.Left + 2, y, shown);
    if (focused && !FDropped)
        canvas.DrawFocusRect(text);
}

// --------------------------------------------------------------- messages

void TCustomComboBox::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_SETTEXT:
        DefaultHandler(m);
        return;
    case CM_TEXTCHANGED:
        // The text written from code reaches the box as WM_SETTEXT.
        if (FText != CurrentText()) {
            std::string wanted = FText;
            Send(WM_SETTEXT, 0, LPARAM(wanted.c_str()));
        }
        Invalidate();
        return;
    case CM_WANTSPECIALKEY:
        if (FDropped && (m.WParam == WPARAM(VK_RETURN) || m.WParam == WPARAM(VK_ESCAPE))) {
            m.Result = 1;
            return;
        }
        break;
    case CM_CANCELMODE: {
        auto* sender = reinterpret_cast<TControl*>(m.LParam);
        if (sender != this && sender != FList && sender != FEdit)
            CloseList(false);
        break;
    }
    case CM_ENABLEDCHANGED:
        if (FEdit)
            FEdit->SetEnabled(Enabled());
        if (!Enabled())
            CloseList(false);
        break;
    default:
        break;
    }
    TWinControl::WndProc(m);
    if (m.Msg == WM_SIZE)
        PlaceEdit();
}

void TCustomComboBox::DefaultHandler(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (m.Msg == WM_KEYDOWN || KeyForList(WORD(m.WParam), true)) {
            HandleKey(WORD(m.WParam), m.Msg == WM_SYSKEYDOWN);
            return;
        }
        break;
    case WM_CHAR: WMChar(m); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: WMLButtonDown(m); return;
    case WM_SETFOCUS: WMSetFocus(m); return;
    case WM_KILLFOCUS: WMKillFocus(m); return;
    case WM_MOUSEWHEEL: WMMouseWheel(m); return;
    case WM_SETTEXT: WMSetText(m); return;
    case WM_GETTEXT: WMGetText(m); return;
    case WM_GETTEXTLENGTH: m.Result = LRESULT(CurrentText().size()); return;
    case CN_COMMAND: CNCommand(m); return;
    case CN_MEASUREITEM: CNMeasureItem(m); return;
    case CN_DRAWITEM: CNDrawItem(m); return;
    // ------------------------------------------------------ CB_ requests
    case CB_ADDSTRING:
    case CB_INSERTSTRING: CBAddString(m); return;
    case CB_DELETESTRING: CBDeleteString(m); return;
    case CB_RESETCONTENT: CBResetContent(m); return;
    case CB_GETCOUNT: m.Result = FList->Perform(LB_GETCOUNT); return;
    case CB_GETLBTEXT: m.Result = FList->Perform(LB_GETTEXT, m.WParam, m.LParam); return;
    case CB_GETLBTEXTLEN: m.Result = FList->Perform(LB_GETTEXTLEN, m.WParam); return;
    case CB_GETITEMDATA: m.Result = FList->Perform(LB_GETITEMDATA, m.WParam); return;
    case CB_SETITEMDATA: m.Result = FList->Perform(LB_SETITEMDATA, m.WParam, m.LParam); return;
    case CB_FINDSTRING: m.Result = FList->Perform(LB_FINDSTRING, m.WParam, m.LParam); return;
    case CB_FINDSTRINGEXACT: m.Result = FList->Perform(LB_FINDSTRINGEXACT, m.WParam, m.LParam); return;
    case CB_SELECTSTRING: CBSelectString(m); return;
    case CB_SETCURSEL: CBSetCurSel(m); return;
    case CB_GETCURSEL: m.Result = FItemIndex; return;
    case CB_SHOWDROPDOWN: CBShowDropDown(m); return;
    case CB_GETDROPPEDSTATE: m.Result = FDropped ? 1 : 0; return;
    case CB_SETITEMHEIGHT: CBSetItemHeight(m); return;
    case CB_GETITEMHEIGHT: CBGetItemHeight(m); return;
    case CB_LIMITTEXT: CBLimitText(m); return;
    case CB_GETEDITSEL: m.Result = FEdit ? FEdit->Perform(EM_GETSEL, m.WParam, m.LParam) : CB_ERR; return;
    case CB_SETEDITSEL: CBSetEditSel(m); return;
    default: break;
    }
    TWinControl::DefaultHandler(m);
}

// ------------------------------------------------ the default handler's handlers

void TCustomComboBox::WMChar(TMessage& m)
{
    if (!FEdit)
        TypeAhead(char32_t(m.WParam));
}

void TCustomComboBox::WMLButtonDown(TMessage& m)
{
    if (FHandle && GetFocus() != FHandle && CanFocus())
        SetFocus();
    TPoint p = LParamToPoint(m.LParam);
    if (FDropped)
        CloseList(false);
    else if (!FEdit || (!IsSimple() && ButtonRect().Contains(p)))
        OpenList();
}

void TCustomComboBox::WMSetFocus(TMessage&)
{
    if (FEdit && FEdit->CanFocus()) {
        FEdit->SetFocus();
        return;
    }
    Invalidate();
    Notify(CBN_SETFOCUS);
}

void TCustomComboBox::WMKillFocus(TMessage& m)
{
    if (!FEdit || reinterpret_cast<HWND>(m.WParam) != (FEdit->HandleAllocated() ? FEdit->Handle() : nullptr))
        CloseList(false);
    Invalidate();
    Notify(CBN_KILLFOCUS);
}

void TCustomComboBox::WMMouseWheel(TMessage& m)
{
    if (FDropped)
        FList->Perform(m.Msg, m.WParam, m.LParam);
    else
        HandleKey(GET_WHEEL_DELTA_WPARAM(m.WParam) > 0 ? VK_UP : VK_DOWN, false);
    m.Result = 1;
}

void TCustomComboBox::WMSetText(TMessage& m)
{
    std::string text = TextParam(m.LParam);
    if (FEdit) {
        FSettingText = true;
        FEdit->SetText(text);
        FSettingText = false;
    } else {
        int found = int(FList->Perform(LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str())));
        if (found >= 0 || text.empty())
            Commit(found, false);
    }
    FText = CurrentText();
    Invalidate();
    m.Result = 1;
}

void TCustomComboBox::WMGetText(TMessage& m)
{
    std::string text = CurrentText();
    if (m.WParam == 0 || !m.LParam) {
        m.Result = 0;
        return;
    }
    size_t n = std::min(text.size(), size_t(m.WParam) - 1);
    std::memcpy(reinterpret_cast<char*>(m.LParam), text.data(), n);
    reinterpret_cast<char*>(m.LParam)[n] = '\0';
    m.Result = LRESULT(n);
}

void TCustomComboBox::CNCommand(TMessage& m)
{
    switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE:
        Click();
        Select();
        break;
    case CBN_EDITCHANGE: Change(); break;
    case CBN_DROPDOWN: DropDown(); break;
    case CBN_CLOSEUP: CloseUp(); break;
    default: break;
    }
}

void TCustomComboBox::CNMeasureItem(TMessage& m)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    int h = FItemHeight;
    if (FStyle == csOwnerDrawVariable)
        MeasureItem(int(mis->itemID), h);
    mis->itemHeight = UINT(h);
    m.Result = 1;
}

void TCustomComboBox::CNDrawItem(TMessage& m)
{
    PaintReflectedItem(*FCanvas, FFont, FColor, *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam),
                       [this](int i, TRect r, TOwnerDrawState st) { DrawItem(i, r, st); });
    m.Result = 1;
}

void TCustomComboBox::CBAddString(TMessage& m)
{
    LRESULT r = m.Msg == CB_ADDSTRING ? FList->Perform(LB_ADDSTRING, 0, m.LParam)
                                      : FList->Perform(LB_INSERTSTRING, m.WParam, m.LParam);
    if (r >= 0 && FItemIndex >= 0 && r <= FItemIndex)
        ++FItemIndex;
    m.Result = r;
}

void TCustomComboBox::CBDeleteString(TMessage& m)
{
    int index = int(m.WParam);
    LRESULT r = FList->Perform(LB_DELETESTRING, m.WParam);
    if (r >= 0) {
        if (index == FItemIndex) {
            FItemIndex = -1;
            if (!FEdit)
                FText.clear();
            Invalidate();
        } else if (index < FItemIndex) {
            --FItemIndex;
        }
    }
    m.Result = r;
}

void TCustomComboBox::CBResetContent(TMessage&)
{
    FList->Perform(LB_RESETCONTENT);
    FItemIndex = -1;
    if (!FEdit)
        FText.clear();
    Invalidate();
}

void TCustomComboBox::CBSelectString(TMessage& m)
{
    int found = int(FList->Perform(LB_FINDSTRING, m.WParam, m.LParam));
    if (found >= 0)
        Commit(found, false);
    m.Result = found;
}

void TCustomComboBox::CBSetCurSel(TMessage& m)
{
    int index = int(m.WParam);
    Commit(index, false);
    m.Result = FItemIndex >= 0 ? FItemIndex : CB_ERR;
}

void TCustomComboBox::CBShowDropDown(TMessage& m)
{
    if (m.WParam)
        OpenList();
    else
        CloseList(false);
    m.Result = 1;
}

void TCustomComboBox::CBSetItemHeight(TMessage& m)
{
    int index = int(m.WParam);
    if (int(m.LParam) <= 0) {
        m.Result = CB_ERR;
        return;
    }
    if (FStyle == csOwnerDrawVariable && index >= 0) {
        m.Result = FList->Perform(LB_SETITEMHEIGHT, WPARAM(index), m.LParam);
    } else if (index >= 0) {
        FItemHeight = int(m.LParam);
        FList->SetItemHeight(FItemHeight);
        FList->Perform(LB_SETITEMHEIGHT, 0, m.LParam);
    }
}

void TCustomComboBox::CBGetItemHeight(TMessage& m)
{
    int index = int(m.WParam);
    m.Result = index < 0                       ? (FHandle ? ClientRect().Height() : FHeight)
               : FStyle == csOwnerDrawVariable ? FList->Perform(LB_GETITEMHEIGHT, WPARAM(index))
                                               : FList->ItemHeight();
}

void TCustomComboBox::CBLimitText(TMessage& m)
{
    FMaxLength = int(m.WParam);
    if (FEdit)
        FEdit->SetMaxLength(FMaxLength);
    m.Result = 1;
}

void TCustomComboBox::CBSetEditSel(TMessage& m)
{
    if (FEdit)
        FEdit->Perform(EM_SETSEL, WPARAM(GET_X_LPARAM(m.LParam)), LPARAM(GET_Y_LPARAM(m.LParam)));
    m.Result = FEdit ? 1 : CB_ERR;
}
