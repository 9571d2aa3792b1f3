#include "platform/ui/controls/InplaceEdit.h"
#include <algorithm>
#include "platform/gfx/Text.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/Ui.h"

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csCaptureMouse, csOpaque};
    FVisible = false;
    FColor = clWindow;
}

void TInplaceEdit::Start(const TRect& r, const std::string& text)
{
    FText = DecodeUtf8(text);
    FAnchor = 0;
    FCaret = int(FText.size());
    FEditing = true;
    SetBoundsRect(r);
    SetVisible(true);
    BringToFront();
    if (HandleAllocated())
        ::SetFocus(Handle());
    Invalidate();
}

void TInplaceEdit::Finish(bool accept)
{
    if (!FEditing)
        return;
    FEditing = false;
    bool hadFocus = Focused();
    std::string text = EncodeUtf8(FText);
    SetVisible(false);
    if (hadFocus && Parent() && Parent()->HandleAllocated())
        ::SetFocus(Parent()->Handle());
    if (OnDone)
        OnDone(accept, text);
}

void TInplaceEdit::DeleteSelection()
{
    int a = std::min(FAnchor, FCaret), b = std::max(FAnchor, FCaret);
    FText.erase(size_t(a), size_t(b - a));
    FCaret = FAnchor = a;
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    int n = int(FText.size());
    bool shift = Shift.Contains(ssShift);
    switch (Key) {
    case VK_RETURN: Key = 0; Finish(true); return;
    case VK_ESCAPE: Key = 0; Finish(false); return;
    case VK_LEFT: FCaret = std::max(0, FCaret - 1); break;
    case VK_RIGHT: FCaret = std::min(n, FCaret + 1); break;
    case VK_HOME: FCaret = 0; break;
    case VK_END: FCaret = n; break;
    case VK_DELETE:
        if (FAnchor == FCaret && FCaret < n)
            ++FCaret;
        DeleteSelection();
        Invalidate();
        Key = 0;
        return;
    default:
        return;
    }
    if (!shift)
        FAnchor = FCaret;
    Key = 0;
    Invalidate();
}

void TInplaceEdit::KeyPress(char32_t& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key == 0 || Key == U'\r' || Key == 27)
        return;
    if (Key == 8) {
        if (FAnchor == FCaret && FCaret > 0)
            --FCaret;
        DeleteSelection();
    } else if (Key >= 32) {
        DeleteSelection();
        FText.insert(FText.begin() + FCaret, Key);
        FAnchor = ++FCaret;
    }
    Invalidate();
}

void TInplaceEdit::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTALLKEYS | DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_KILLFOCUS:
        TCustomControl::WndProc(m);
        Finish(true);
        return;
    case WM_LBUTTONDOWN:
        if (HandleAllocated())
            ::SetFocus(Handle());
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TInplaceEdit::Paint()
{
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    c.Brush().SetColor(clWindow);
    c.FillRect(r);
    c.Brush().SetColor(clWindowFrame);
    c.FrameRect(r);
    c.Font().Assign(Font());
    auto width = [&](int from, int to) {
        return c.TextWidth(EncodeUtf8(FText.substr(size_t(from), size_t(to - from))));
    };
    int x = 3, y = (r.Height() - c.TextHeight("Wg")) / 2;
    int a = std::min(FAnchor, FCaret), b = std::max(FAnchor, FCaret);
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clWindowText);
    c.TextOut(x, y, EncodeUtf8(FText));
    if (a < b) {
        TRect sel{x + width(0, a), 2, x + width(0, b), r.Bottom - 2};
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clHighlight);
        c.FillRect(sel);
        c.Brush().SetStyle(bsClear);
        c.Font().SetColor(clHighlightText);
        c.TextOut(sel.Left, y, EncodeUtf8(FText.substr(size_t(a), size_t(b - a))));
    }
    if (Focused()) {
        int cx = x + width(0, FCaret);
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clWindowText);
        c.FillRect(TRect{cx, 2, cx + 1, r.Bottom - 2});
    }
}
