#include "platform/ui/controls/Menus.h"
#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ActnList.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/ImageList.h"

namespace {

UINT GNextCommand = 1;

struct TKeyName {
    WORD Key;
    const char* Name;
};

const TKeyName KeyNames[] = {
    {VK_BACK, "BkSp"}, {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"},  {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},  {VK_END, "End"},     {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};

std::string KeyName(WORD key)
{
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F12)
        return "F" + std::to_string(key - VK_F1 + 1);
    for (const TKeyName& k : KeyNames)
        if (k.Key == key)
            return k.Name;
    return {};
}

bool Usable(const TMenuItem* item)
{
    for (const TMenuItem* i = item; i && i->Parent(); i = i->Parent())
        if (!i->Enabled() || !i->Visible())
            return false;
    return true;
}

TMenuItem* FindIn(TMenuItem* root, const std::function<bool(TMenuItem*)>& match)
{
    for (int i = 0; i < root->Count(); ++i) {
        TMenuItem* item = root->Items(i);
        if (match(item))
            return item;
        if (TMenuItem* found = FindIn(item, match))
            return found;
    }
    return nullptr;
}

}  // namespace

TShortCut ShortCut(WORD key, bool shift, bool ctrl, bool alt)
{
    TShortCut sc = TShortCut(key & 0xFF);
    if (shift) sc |= scShift;
    if (ctrl) sc |= scCtrl;
    if (alt) sc |= scAlt;
    return sc;
}

std::string ShortCutToText(TShortCut sc)
{
    std::string name = KeyName(WORD(sc & 0xFF));
    if (name.empty())
        return {};
    std::string text;
    if (sc & scShift) text += "Shift+";
    if (sc & scCtrl) text += "Ctrl+";
    if (sc & scAlt) text += "Alt+";
    return text + name;
}

TShortCut TextToShortCut(const std::string& text)
{
    TShortCut mods = 0;
    std::string rest = text;
    const std::pair<const char*, TShortCut> prefixes[] = {{"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
    for (bool found = true; found;) {
        found = false;
        for (const auto& [p, bit] : prefixes)
            if (rest.size() >= std::string(p).size() && SameText(rest.substr(0, std::string(p).size()), p)) {
                mods |= bit;
                rest = rest.substr(std::string(p).size());
                found = true;
            }
    }
    for (int key = 1; key < 256; ++key)
        if (!KeyName(WORD(key)).empty() && SameText(KeyName(WORD(key)), rest))
            return TShortCut(mods | key);
    return 0;
}

TShortCut ShortCutFromMessage(const TMessage& m)
{
    WORD key = WORD(m.WParam);
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
        return 0;
    return ShortCut(key, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0);
}

std::string StripHotkey(const std::string& caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&')
                out += '&';
            ++i;
            if (i < caption.size() && caption[i] != '&')
                out += caption[i];
            continue;
        }
        out += caption[i];
    }
    return out;
}

// ------------------------------------------------------------------ TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), FCommand(GNextCommand++)
{
}

TMenuItem::~TMenuItem()
{
    Destroying();
    FActionLink.reset();
    Clear();
    if (FParent)
        FParent->Remove(this);
}

int TMenuItem::MenuIndex() const
{
    if (!FParent)
        return -1;
    auto it = std::find(FParent->FItems.begin(), FParent->FItems.end(), this);
    return int(it - FParent->FItems.begin());
}

void TMenuItem::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item)
{
    if (item->FParent)
        throw EInvalidOperation("Menu item '" + item->Caption() + "' is already in a menu");
    if (index < 0 || index > Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* item)
{
    auto it = std::find(FItems.begin(), FItems.end(), item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    item->FParent = nullptr;
    Changed();
}

void TMenuItem::Delete(int index)
{
    if (index < 0 || index >= Count())
        throw EListError(Format("List index out of bounds (%d)", index));
    TMenuItem* item = FItems[size_t(index)];
    Remove(item);
    delete item;
}

// Items in a menu belong to it, whoever their owner component is.
void TMenuItem::Clear()
{
    while (!FItems.empty())
        Delete(Count() - 1);
}

TMenuItem* TMenuItem::Find(const std::string& caption) const
{
    for (TMenuItem* item : FItems)
        if (SameText(StripHotkey(item->Caption()), StripHotkey(caption)))
            return item;
    return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* i = this;
    while (i->FParent)
        i = i->FParent;
    return i->FMenu;
}

void TMenuItem::SetChecked(bool v)
{
    if (v == FChecked)
        return;
    FChecked = v;
    if (v && FRadioItem && FParent)
        for (TMenuItem* sibling : FParent->FItems)
            if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
                sibling->FChecked = false;
    Changed();
}

void TMenuItem::Click()
{
    if (!FEnabled)
        return;
    // A handler of the item's own wins over the action it is linked to.
    if (!OnClick && FActionLink && FActionLink->Execute())
        return;
    if (FAutoCheck)
        SetChecked(!FChecked || FRadioItem);
    if (OnClick)
        OnClick(this);
}

TAction* TMenuItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TMenuItem::SetAction(TAction* value)
{
    TActionLink::Link(FActionLink, this, [this](TAction* Action, bool CheckDefaults) { ActionChange(Action, CheckDefaults); },
                      value);
}

void TMenuItem::InitiateAction()
{
    if (FActionLink)
        FActionLink->Update();
}

void TMenuItem::ActionChange(TObject* Sender, bool CheckDefaults)
{
    auto* a = dynamic_cast<TAction*>(Sender);
    if (!a)
        return;
    if (!CheckDefaults || FCaption.empty())
        SetCaption(a->Caption());
    if (!CheckDefaults || FEnabled)
        SetEnabled(a->Enabled());
    if (!CheckDefaults || !FChecked)
        SetChecked(a->Checked());
    if (!CheckDefaults || FVisible)
        SetVisible(a->Visible());
    if (!CheckDefaults || FHint.empty())
        SetHint(a->Hint());
    if (!CheckDefaults || FShortCut == 0)
        SetShortCut(a->ShortCut());
    if (!CheckDefaults || FImageIndex == -1)
        SetImageIndex(a->ImageIndex());
}

void TMenuItem::Changed()
{
    if (ComponentState().Contains(csDestroying))
        return;
    if (TMenu* menu = GetParentMenu(); menu && menu->OnChange && !menu->ComponentState().Contains(csLoading))
        menu->OnChange(menu);
}

// ---------------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr))
{
    if (AOwner && AOwner->ComponentState().Contains(csLoading))
        Loading();
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    Destroying();
    FItems->FMenu = nullptr;
}

void TMenu::SetImages(TImageList* v)
{
    if (FImages)
        FImages->RemoveFreeNotification(this);
    FImages = v;
    if (v)
        v->FreeNotification(this);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

TMenuItem* TMenu::FindItem(UINT command) const
{
    return FindIn(FItems.get(), [command](TMenuItem* i) { return i->Command() == command; });
}

TMenuItem* TMenu::FindShortCut(TShortCut sc) const
{
    if (sc == 0)
        return nullptr;
    return FindIn(FItems.get(), [sc](TMenuItem* i) { return i->ShortCut() == sc && Usable(i); });
}

bool TMenu::IsShortCut(TMessage& keyMsg)
{
    const TShortCut sc = ShortCutFromMessage(keyMsg);
    if (sc == 0)
        return false;
    // The actions of the item and of the items above it say first whether
    // it can run now.
    TMenuItem* item = FindIn(FItems.get(), [sc](TMenuItem* i) {
        if (i->ShortCut() != sc)
            return false;
        for (TMenuItem* p = i; p && p->Parent(); p = p->Parent())
            p->InitiateAction();
        return i->ShortCut() == sc && Usable(i);
    });
    if (!item)
        return false;
    item->Click();
    return true;
}

bool TMenu::DispatchCommand(UINT command)
{
    TMenuItem* item = FindItem(command);
    if (!item || !Usable(item))
        return false;
    item->Click();
    return true;
}

bool TMenuItem::RethinkLines()
{
    bool changed = false;
    bool afterItem = false;        // a visible ordinary item came before
    TMenuItem* pendingLine = nullptr;
    for (TMenuItem* item : FItems) {
        if (!item->IsLine()) {
            if (!item->FVisible)
                continue;
            if (pendingLine && !pendingLine->FVisible) {
                pendingLine->FVisible = true;
                changed = true;
            }
            pendingLine = nullptr;
            afterItem = true;
            continue;
        }
        // A line is shown only when an item precedes it and another follows.
        bool keep = afterItem && !pendingLine;
        if (keep)
            pendingLine = item;
        else if (item->FVisible) {
            item->FVisible = false;
            changed = true;
        }
    }
    if (pendingLine && pendingLine->FVisible) {
        pendingLine->FVisible = false;
        changed = true;
    }
    return changed;
}

// ------------------------------------------------------------------ TPopupMenu

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent)
        FPopupComponent = nullptr;
}

namespace {

constexpr int PopupItemHeight = 20;
constexpr int PopupLineHeight = 8;

// The plain popup's list window: one level, items top to bottom, shown at a
// screen point and run as a modal loop until an item is chosen or the list
// is dismissed.
class TPlainPopup {
public:
    // Lays out the visible items; false when there are none.
    bool Layout(TMenuItem& root);
    // The top left corner that keeps the list on the work area.
    TPoint PlaceOnScreen(TPoint at) const;
    bool Create(TPoint at);
    // Shows the list and handles messages until it closes; the chosen item or null.
    TMenuItem* Run();

private:
    int ItemAt(TPoint client) const;
    void Choose(int index);
    void Paint(HDC dc);
    LRESULT Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    // The loop's hook while the list is up: keys go to the list.
    bool Hook(TMsg& msg);
    void KeyDown(WPARAM key);

    std::vector<TMenuItem*> Items;
    std::vector<TRect> Rects;
    int Width = 60;
    int Height = 0;
    int Hot = -1;
    bool Done = false;
    TMenuItem* Chosen = nullptr;
    HWND Wnd = nullptr;
    TMessageHook Previous;
};

bool TPlainPopup::Layout(TMenuItem& root)
{
    int y = 2;
    TBitmap measure(1, 1);
    TCanvas* c = measure.Canvas();
    for (int i = 0; i < root.Count(); ++i) {
        TMenuItem* item = root.Items(i);
        item->InitiateAction();
        if (!item->Visible())
            continue;
        int h = item->IsLine() ? PopupLineHeight : PopupItemHeight;
        Items.push_back(item);
        Rects.push_back(TRect{2, y, 0, y + h});
        y += h;
        std::string sc = ShortCutToText(item->ShortCut());
        Width =
            std::max(Width, c->TextWidth(StripHotkey(item->Caption())) + (sc.empty() ? 0 : c->TextWidth(sc) + 24) + 36);
    }
    for (TRect& r : Rects)
        r.Right = Width - 2;
    Height = y + 2;
    return !Items.empty();
}

TPoint TPlainPopup::PlaceOnScreen(TPoint at) const
{
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromPoint(at, 2), &mi);
    if (at.X + Width > mi.rcWork.Right)
        at.X = std::max(mi.rcWork.Left, at.X - Width);
    if (at.Y + Height > mi.rcWork.Bottom)
        at.Y = std::max(mi.rcWork.Top, at.Y - Height);
    return at;
}

bool TPlainPopup::Create(TPoint at)
{
    WNDCLASS wc;
    if (!GetClassInfo("TPlainPopupList", wc)) {
        wc.lpszClassName = "TPlainPopupList";
        wc.lpfnWndProc = &DefWindowProc;
        wc.style = CS_SAVEBITS | CS_DROPSHADOW;
        wc.hbrBackground = clNone;
        RegisterClass(wc);
    }
    TWndProc proc = [this](HWND h, UINT msg, WPARAM wp, LPARAM lp) { return Proc(h, msg, wp, lp); };
    Wnd = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TPlainPopupList", "", WS_POPUP | WS_BORDER, at.X, at.Y,
                         Width + 2, Height + 2, nullptr, 0, nullptr, proc);
    return Wnd != nullptr;
}

TMenuItem* TPlainPopup::Run()
{
    ShowWindow(Wnd, SW_SHOWNOACTIVATE);
    SetCapture(Wnd);
    Previous = SetMessageHook([this](TMsg& msg) { return Hook(msg); });
    while (!Done && !QuitReceived()) {
        if (!ProcessOneMessage())
            WaitMessage();
    }
    SetMessageHook(Previous);
    if (GetCapture() == Wnd)
        ReleaseCapture();
    DestroyWindow(Wnd);
    return Chosen;
}

int TPlainPopup::ItemAt(TPoint client) const
{
    for (size_t i = 0; i < Rects.size(); ++i)
        if (Rects[i].Contains(client) && !Items[i]->IsLine())
            return int(i);
    return -1;
}

void TPlainPopup::Choose(int index)
{
    if (index >= 0 && Items[size_t(index)]->Enabled())
        Chosen = Items[size_t(index)];
    Done = true;
}

void TPlainPopup::Paint(HDC dc)
{
    TCanvas c;
    c.SetHandle(dc);
    TRect client;
    GetClientRect(Wnd, client);
    c.Brush().SetColor(clMenu);
    c.FillRect(client);
    for (size_t i = 0; i < Items.size(); ++i) {
        TMenuItem* item = Items[i];
        TRect r = Rects[i];
        if (item->IsLine()) {
            c.Pen().SetColor(clBtnShadow);
            c.MoveTo(r.Left + 2, r.Top + 3);
            c.LineTo(r.Right - 2, r.Top + 3);
            continue;
        }
        bool hot = int(i) == Hot && item->Enabled();
        if (hot) {
            c.Brush().SetColor(clHighlight);
            c.FillRect(r);
        }
        c.Brush().SetStyle(bsClear);
        c.Font().SetColor(!item->Enabled() ? clGrayText : hot ? clHighlightText : clMenuText);
        if (item->Default())
            c.Font().SetStyle(fsBold);
        else
            c.Font().SetStyle(0);
        if (item->Checked())
            c.TextOut(r.Left + 4, r.Top + 3, item->RadioItem() ? "\xE2\x80\xA2" : "\xE2\x9C\x93");
        TRect tr{r.Left + 20, r.Top, r.Right - 8, r.Bottom};
        c.DrawText(item->Caption(), tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        std::string sc = ShortCutToText(item->ShortCut());
        if (!sc.empty())
            c.DrawText(sc, tr, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
    c.SetHandle(nullptr);
}

LRESULT TPlainPopup::Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        Paint(dc);
        EndPaint(h, ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE: {
        int hot = ItemAt(LParamToPoint(lp));
        if (hot != Hot) {
            Hot = hot;
            InvalidateRect(h, nullptr, false);
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        TPoint pt = LParamToPoint(lp);
        TRect client;
        GetClientRect(h, client);
        if (client.Contains(pt)) {
            int i = ItemAt(pt);
            if (i >= 0)
                Choose(i);
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
        TRect client;
        GetClientRect(h, client);
        if (!client.Contains(LParamToPoint(lp)))
            Done = true;  // a press outside dismisses the menu
        return 0;
    }
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE: Done = true; return 0;
    default: return DefWindowProc(h, msg, wp, lp);
    }
}

bool TPlainPopup::Hook(TMsg& msg)
{
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        KeyDown(msg.wParam);
        return true;
    }
    if (msg.message == WM_CHAR || msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP || msg.message == WM_SYSCHAR)
        return true;
    return Previous ? Previous(msg) : false;
}

void TPlainPopup::KeyDown(WPARAM key)
{
    int n = int(Items.size());
    switch (int(key)) {
    case VK_ESCAPE: Done = true; break;
    case VK_RETURN: Choose(Hot); break;
    case VK_DOWN:
    case VK_UP:
        for (int step = 0; step < n; ++step) {
            Hot = key == WPARAM(VK_DOWN) ? (Hot + 1) % n : (Hot - 1 + n) % n;
            if (!Items[size_t(Hot)]->IsLine())
                break;
        }
        InvalidateRect(Wnd, nullptr, false);
        break;
    default: break;
    }
}

}  // namespace

void TPopupMenu::Popup(int X, int Y)
{
    FLastChosen = nullptr;
    if (OnPopup)
        OnPopup(this);
    TPlainPopup popup;
    if (!popup.Layout(*Items()) || !popup.Create(popup.PlaceOnScreen(TPoint{X, Y})))
        return;
    FLastChosen = popup.Run();
    if (FLastChosen)
        FLastChosen->Click();
}
