#include "platform/ui/controls/InplaceEdit.h"
#include "platform/ui/Ui.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner)
{
    FVisible = false;
}

void TInplaceEdit::Start(const TRect& r, const std::string& text)
{
    SetText(text);
    FEditing = true;
    SetBoundsRect(r);
    SetVisible(true);
    BringToFront();
    if (HandleAllocated())
        ::SetFocus(Handle());
    SelectAll();
}

void TInplaceEdit::Finish(bool accept)
{
    if (!FEditing)
        return;
    FEditing = false;
    bool hadFocus = Focused();
    std::string text = HandleAllocated() ? GetWindowText(Handle()) : Text();
    SetVisible(false);
    if (hadFocus && Parent() && Parent()->HandleAllocated())
        ::SetFocus(Parent()->Handle());
    if (OnDone)
        OnDone(accept, text);
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomEdit::KeyDown(Key, Shift);
    if (Key == VK_RETURN || Key == VK_ESCAPE) {
        bool accept = Key == VK_RETURN;
        Key = 0;
        Finish(accept);
    }
}

void TInplaceEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        TCustomEdit::WndProc(m);
        m.Result |= DLGC_WANTALLKEYS;     // Enter and Escape end the edit, not the dialog
        return;
    case WM_KILLFOCUS:
        TCustomEdit::WndProc(m);
        Finish(true);
        return;
    case WM_CHAR:
        if (!FEditing && (m.WParam == '\r' || m.WParam == 27))
            return;                        // the character of the key that ended the edit
        break;
    default:
        break;
    }
    TCustomEdit::WndProc(m);
}
