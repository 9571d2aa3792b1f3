#include "skin/boxes/InnerEdit.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Utf8.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMenu.h"

namespace {

// Posted to itself after a menu command: the menu is freed once the menu
// engine has returned from the command, never inside it.
constexpr UINT WM_FREESYSPOPUPMENU = WM_APP + 0x1B1;

bool IsLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

}  // namespace

TbsCustomEdit::TbsCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner)
{
    FControlStyle.Include(csOpaque);
}

TbsCustomEdit::~TbsCustomEdit() = default;

void TbsCustomEdit::SetEditTransparent(bool Value)
{
    FEditTransparent = Value;
    RecreateWnd();
}

void TbsCustomEdit::CreateParams(TCreateParams& Params)
{
    TCustomMaskEdit::CreateParams(Params);
    Params.Style &= ~WS_BORDER;
    Params.ExStyle &= ~WS_EX_CLIENTEDGE;
    if (FEditTransparent)
        Params.ExStyle |= WS_EX_TRANSPARENT;
    // Multi-line only for the formatting rectangle; line breaks are refused below.
    if (PasswordChar() != 0)
        Params.Style |= ES_PASSWORD;
    else
        Params.Style |= ES_MULTILINE;
}

void TbsCustomEdit::Invalidate()
{
    if (!FEditTransparent) {
        TCustomMaskEdit::Invalidate();
        return;
    }
    if (!Parent() || !HandleAllocated() || !Parent()->HandleAllocated())
        return;
    TPoint tl = Parent()->ScreenToClient(ClientToScreen(TPoint{0, 0}));
    TPoint br = Parent()->ScreenToClient(ClientToScreen(TPoint{ClientWidth(), ClientHeight()}));
    TRect r{tl.X, tl.Y, br.X, br.Y};
    InvalidateRect(Parent()->Handle(), &r, true);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TbsCustomEdit::Change()
{
    TCustomMaskEdit::Change();
    InvalidateIfTransparent();
}

void TbsCustomEdit::WMChar(TMessage& Message)
{
    const auto ch = char32_t(Message.WParam);
    if (ch == 27 || ch == 13) {
        // Never typed: the form's default or cancel button answers them.
        char32_t copy = ch;
        if (OnKeyPress)
            OnKeyPress(this, copy);
        if (TCustomForm* form = GetParentForm())
            form->Perform(CM_DIALOGKEY, Message.WParam, Message.LParam);
        return;
    }
    if (ch == 10)
        return;  // Ctrl+Enter: no line break enters the text
    // Select All and Copy change nothing, so they stay usable in a read-only edit.
    if (FReadOnly && ch != 1 && ch != 3)
        return;
    TCustomMaskEdit::WndProc(Message);
}

// The window is multi-line, so it would keep the breaks: one line only.
void TbsCustomEdit::WMPaste(TMessage&)
{
    std::string text = GetClipboardText();
    size_t cut = 0;
    while (cut < text.size() && !IsLineBreak(text[cut]))
        ++cut;
    text.resize(cut);
    if (text.empty())
        return;
    Perform(EM_REPLACESEL, 1, LPARAM(text.c_str()));
}

void TbsCustomEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CHAR: WMChar(Message); return;
    case WM_KEYDOWN:
        if (FReadOnly && Message.WParam == VK_DELETE)
            return;
        TCustomMaskEdit::WndProc(Message);
        InvalidateIfTransparent();
        return;
    case WM_PASTE:
        if (FReadOnly)
            return;
        WMPaste(Message);
        InvalidateIfTransparent();
        return;
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
        if (FReadOnly)
            return;
        TCustomMaskEdit::WndProc(Message);
        InvalidateIfTransparent();
        return;
    case WM_SETTEXT:
    case WM_MOVE:
    case WM_KILLFOCUS:
        TCustomMaskEdit::WndProc(Message);
        InvalidateIfTransparent();
        return;
    case WM_SETFOCUS:
        TCustomMaskEdit::WndProc(Message);
        InvalidateIfTransparent();
        if (AutoSelect())
            SelectAll();
        return;
    case WM_LBUTTONDOWN:
        TCustomMaskEdit::WndProc(Message);
        FDown = true;
        InvalidateIfTransparent();
        return;
    case WM_MOUSEMOVE:
        TCustomMaskEdit::WndProc(Message);
        if (FDown)
            InvalidateIfTransparent();
        return;
    case WM_LBUTTONUP:
        TCustomMaskEdit::WndProc(Message);
        FDown = false;
        return;
    case WM_SETFONT:
        TCustomMaskEdit::WndProc(Message);
        Perform(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
        return;
    case WM_ERASEBKGND:
        if (FEditTransparent) {
            Invalidate();
            return;
        }
        TCustomMaskEdit::WndProc(Message);
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
        if (FEditTransparent) {
            auto dc = reinterpret_cast<HDC>(Message.WParam);
            dc->SetBkMode(bkTransparent);
            dc->SetTextColor(ColorToRGB(Font().Color()));
            Message.Result = GetStockObject(NULL_BRUSH);
            return;
        }
        TCustomMaskEdit::WndProc(Message);
        return;
    case CM_CANCELMODE:
        TCustomMaskEdit::WndProc(Message);
        if (OnEditCancelMode)
            OnEditCancelMode(reinterpret_cast<TControl*>(Message.LParam));
        return;
    case WM_CONTEXTMENU: WMContextMenu(Message); return;
    case WM_AFTERDISPATCH:
        if (FSysPopupMenu && HandleAllocated()) {
            FFreeMenuPending = true;
            PostMessage(Handle(), WM_FREESYSPOPUPMENU);
        }
        return;
    case WM_FREESYSPOPUPMENU:
        if (FFreeMenuPending)
            FSysPopupMenu.reset();
        FFreeMenuPending = false;
        return;
    default: TCustomMaskEdit::WndProc(Message);
    }
}

void TbsCustomEdit::CreateSysPopupMenu()
{
    FSysPopupMenu.reset();
    FFreeMenuPending = false;
    FSysPopupMenu = std::make_unique<TbsSkinPopupMenu>(this);
    TCustomForm* form = GetParentForm();
    if (form && form->FormStyle() == fsMDIChild && Application->MainForm())
        form = Application->MainForm();
    FSysPopupMenu->SetComponentForm(form);

    // Captions from the string table of the form's skin when it has one.
    TbsResourceStrData* table = nullptr;
    if (TCustomForm* top = GetParentForm())
        if (TbsFormFrame* frame = FindSkinForm(top))
            if (frame->SkinData())
                table = frame->SkinData()->ResourceStrData();
    auto caption = [table](const char* key) { return table ? table->GetResStr(key) : BuiltInResStr(key); };

    const int start = SelStart(), length = SelLength();
    const bool selection = length > 0;
    const bool all = start == 0 && start + length == int(DisplayText().size());
    const bool clipboard = !GetClipboardText().empty();
    struct TItemSpec {
        const char* Key;
        bool Enabled;
        std::function<void()> Action;
    };
    const TItemSpec items[] = {
        {"EDIT_UNDO", CanUndo(), [this] { Undo(); }},
        {nullptr, true, {}},
        {"EDIT_CUT", selection && !FReadOnly, [this] { CutToClipboard(); }},
        {"EDIT_COPY", selection, [this] { CopyToClipboard(); }},
        {"EDIT_PASTE", clipboard && !FReadOnly, [this] { PasteFromClipboard(); }},
        {"EDIT_DELETE", selection && !FReadOnly, [this] { ClearSelection(); }},
        {nullptr, true, {}},
        {"EDIT_SELECTALL", !all, [this] { SelectAll(); }},
    };
    for (const auto& entry : items) {
        auto* item = new TMenuItem(FSysPopupMenu.get());
        item->SetCaption(entry.Key ? caption(entry.Key) : std::string("-"));
        item->SetEnabled(entry.Enabled);
        if (entry.Action)
            item->OnClick = [action = entry.Action](TObject*) { action(); };
        FSysPopupMenu->Items()->Add(item);
    }
}

void TbsCustomEdit::WMContextMenu(TMessage& Message)
{
    if (PopupMenu()) {
        TCustomMaskEdit::WndProc(Message);
        return;
    }
    CreateSysPopupMenu();
    int x = short(LOWORD(Message.LParam));
    int y = short(HIWORD(Message.LParam));
    if (x < 0 || y < 0) {
        TPoint origin = ClientToScreen(TPoint{0, 0});
        x = origin.X + Width() / 2;
        y = origin.Y + Height() / 2;
    }
    FSysPopupMenu->Popup2(this, x, y);
    Message.Result = 1;
}
