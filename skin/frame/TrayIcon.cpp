#include "skin/frame/TrayIcon.h"
#include <algorithm>
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Application.h"
#include "skin/data/SkinMessages.h"

namespace {

const char* const TrayWindowClass = "TbsTrayIconWindow";
constexpr UINT TrayIconId = 1;
// The main form's tag while it comes back from the tray (the form frame
// brings it and its layered border to the front and clears the tag).
constexpr intptr_t TrayRestoreTag = -10000;
// The tray's field sizes, less the terminating zero.
constexpr size_t MaxTip = 127, MaxBalloonText = 255, MaxBalloonTitle = 63;

TShiftState AsyncShiftState()
{
    TShiftState s;
    if (GetAsyncKeyState(VK_SHIFT) < 0)
        s.Include(ssShift);
    if (GetAsyncKeyState(VK_MENU) < 0)
        s.Include(ssAlt);
    if (GetAsyncKeyState(VK_CONTROL) < 0)
        s.Include(ssCtrl);
    return s;
}

// The first UTF-8 code points of Text, at most MaxChars of them.
std::string Cut(const std::string& Text, size_t MaxChars)
{
    size_t chars = 0, i = 0;
    while (i < Text.size() && chars < MaxChars) {
        const unsigned char c = static_cast<unsigned char>(Text[i]);
        i += c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        ++chars;
    }
    return Text.substr(0, std::min(i, Text.size()));
}

// Posted to the icon's own window: the main form goes into the tray at start.
constexpr UINT WM_HIDEMAINFORMONSTART = WM_USER + 1;

}  // namespace

TbsTrayIcon::TbsTrayIcon(TComponent* AOwner) : TComponent(AOwner)
{
    WNDCLASS wc;
    if (!GetClassInfo(TrayWindowClass, wc)) {
        wc.lpszClassName = TrayWindowClass;
        wc.lpfnWndProc = &DefWindowProc;
        RegisterClass(wc);
    }
    FHandle = CreateWindowEx(0, TrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, 0, nullptr,
                             [this](HWND h, UINT m, WPARAM w, LPARAM l) { return TrayWndProc(h, m, w, l); });
    FIconData.Wnd = FHandle;
    FIconData.Id = TrayIconId;
    FIconData.CallbackMessage = WM_TRAYICONNOTIFY;

    AnimateTimer = std::make_unique<TTimer>(nullptr);
    AnimateTimer->SetEnabled(false);
    AnimateTimer->SetInterval(FAnimateTimerInterval);
    AnimateTimer->OnTimer = [this](TObject* s) { AnimateTimerProc(s); };
    ClickTimer = std::make_unique<TTimer>(nullptr);
    ClickTimer->SetEnabled(false);
    ClickTimer->SetInterval(GetDoubleClickTime());
    ClickTimer->OnTimer = [this](TObject* s) { ClickTimerProc(s); };

    if (!ComponentState().Contains(csDesigning)) {
        if (FIcon.Empty() && Application && !Application->Icon().Empty())
            FIcon.Assign(Application->Icon());
        HookApp();
        HookParent();
    }
}

TbsTrayIcon::~TbsTrayIcon()
{
    UnhookParent();
    SetDesignPreview(false);
    RemoveIcon();
    UnhookApp();
    ClickTimer.reset();
    AnimateTimer.reset();
    if (FHandle && IsWindow(FHandle))
        DestroyWindow(FHandle);
}

void TbsTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FIconList)
        FIconList = nullptr;
    if (AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TbsTrayIcon::Loaded()
{
    TComponent::Loaded();
    const bool windowedOwner = dynamic_cast<TWinControl*>(Owner()) != nullptr;
    if (windowedOwner && MinimizedOnStart && !ComponentState().Contains(csDesigning)) {
        FIconVisible = true;
        MinimizeToTray = true;
        if (Application)
            Application->SetShowMainForm(false);
    }
    ModifyIcon();
    SetIconVisible(FIconVisible);
}

// ------------------------------------------------------------ the icon

bool TbsTrayIcon::InitIconData()
{
    if (ComponentState().Contains(csDesigning) && !FDesignPreview && !SettingPreview)
        return false;
    FIconData.Icon = FIcon.Empty() ? nullptr : &FIcon.Bitmap();
    FIconData.Tip = !FHint.empty() && FShowHint ? Cut(FHint, MaxTip) : std::string();
    return true;
}

bool TbsTrayIcon::AddIcon()
{
    // The design preview shows the icon without changing the stored visibility.
    if (!SettingPreview)
        FIconVisible = true;
    if ((ComponentState().Contains(csDesigning) && !SettingPreview) || !InitIconData())
        return false;
    // A failed add leaves IconVisible set, as the stored state asks for it;
    // IconShown tells whether the desktop holds the icon.
    if (!FIconShown)
        FIconShown = NotifyTrayIcon(TTrayAction::Add, FIconData);
    return FIconShown;
}

bool TbsTrayIcon::RemoveIcon()
{
    if (!SettingPreview)
        FIconVisible = false;
    if ((ComponentState().Contains(csDesigning) && !SettingPreview) || !InitIconData() || !FIconShown)
        return false;
    FIconShown = false;
    return NotifyTrayIcon(TTrayAction::Delete, FIconData);
}

bool TbsTrayIcon::ModifyIcon()
{
    if (!InitIconData() || !FIconShown)
        return false;
    return NotifyTrayIcon(TTrayAction::Modify, FIconData);
}

bool TbsTrayIcon::ShowBalloonHint(const std::string& Title, const std::string& Text, TbsBalloonHintIcon IconType)
{
    HideBalloonHint();
    FIconData.BalloonText = Cut(Text, MaxBalloonText);
    FIconData.BalloonTitle = Cut(Title, MaxBalloonTitle);
    FIconData.BalloonIcon = static_cast<int>(IconType);
    return ModifyIcon();
}

bool TbsTrayIcon::HideBalloonHint()
{
    FIconData.BalloonText.clear();
    FIconData.BalloonTitle.clear();
    FIconData.BalloonIcon = 0;
    return ModifyIcon();
}

void TbsTrayIcon::SetIcon(const TGraphic& Value)
{
    FIcon.Assign(Value);
    ModifyIcon();
}

void TbsTrayIcon::SetDesignPreview(bool Value)
{
    FDesignPreview = Value;
    SettingPreview = true;
    SetIconVisible(Value);
    SettingPreview = false;
}

void TbsTrayIcon::SetIconVisible(bool Value)
{
    if (Value)
        AddIcon();
    else
        RemoveIcon();
}

void TbsTrayIcon::SetHint(const std::string& Value)
{
    FHint = Value;
    ModifyIcon();
}

void TbsTrayIcon::SetShowHint(bool Value)
{
    FShowHint = Value;
    ModifyIcon();
}

void TbsTrayIcon::SetPopupMenu(TPopupMenu* Value)
{
    if (FPopupMenu)
        FPopupMenu->RemoveFreeNotification(this);
    FPopupMenu = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TbsTrayIcon::SetIconList(TImageList* Value)
{
    if (FIconList)
        FIconList->RemoveFreeNotification(this);
    FIconList = Value;
    if (Value)
        Value->FreeNotification(this);
    SetIconIndex(0);
}

void TbsTrayIcon::SetIconIndex(int Value)
{
    if (FIconList && FIconList->Count() > 0) {
        FIconIndex = std::clamp(Value, 0, FIconList->Count() - 1);
        FIcon.Bitmap().Assign(FIconList->Image(FIconIndex));
    } else {
        FIconIndex = 0;
    }
    ModifyIcon();
}

void TbsTrayIcon::SetCycleIcons(bool Value)
{
    FCycleIcons = Value;
    if (Value)
        SetIconIndex(0);
    AnimateTimer->SetEnabled(Value);
}

void TbsTrayIcon::SetAnimateTimerInterval(unsigned Value)
{
    FAnimateTimerInterval = Value;
    AnimateTimer->SetInterval(Value);
}

// ------------------------------------------------------------ mouse actions

LRESULT TbsTrayIcon::TrayWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_TRAYICONNOTIFY:
        if (Enabled)
            TrayNotify(static_cast<UINT>(LParam));
        return 0;
    case WM_HIDEMAINFORMONSTART:
        if (TCustomForm* main = Application ? Application->MainForm() : nullptr)
            main->Hide();
        return 0;
    case WM_CLOSE:
    case WM_QUERYENDSESSION:
    case WM_QUIT:
        return 1;
    default:
        // A tray host started: an icon that is meant to show but found no
        // tray is added to the new one.
        if (Msg == RegisterWindowMessage("TaskbarCreated")) {
            if (FIconVisible && !FIconShown)
                AddIcon();
            return 0;
        }
        return DefWindowProc(Wnd, Msg, WParam, LParam);
    }
}

void TbsTrayIcon::TrayNotify(UINT MouseMessage)
{
    TPoint p;
    GetCursorPos(p);
    const TShiftState shift = AsyncShiftState();
    auto with = [shift](TShiftStateItem b) {
        TShiftState s = shift;
        s.Include(b);
        return s;
    };
    switch (MouseMessage) {
    case WM_MOUSEMOVE:
        MouseMove(shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
        // A click waits one double-click time, so that a double click
        // fires no click.
        ClickTimer->SetEnabled(false);
        ClickTimer->SetEnabled(true);
        MouseDown(mbLeft, with(ssLeft), p.X, p.Y);
        FClickStart = true;
        if (PopupByLeftButton)
            PopupAtCursor();
        break;
    case WM_LBUTTONUP:
        if (FClickStart) {
            FClickReady = true;
            if (!ClickTimer->Enabled()) {
                FClickStart = FClickReady = false;
                Click();
            }
        }
        FClickStart = false;
        MouseUp(mbLeft, with(ssLeft), p.X, p.Y);
        break;
    case WM_LBUTTONDBLCLK:
        FClickReady = false;
        IsDblClick = true;
        DblClick();
        if (FPopupMenu && FPopupMenu->AutoPopup() && !PopupByLeftButton) {
            TMenuItem* items = FPopupMenu->Items();
            for (int i = 0; i < items->Count(); ++i)
                if (items->Items(i)->Default()) {
                    items->Items(i)->Click();
                    break;
                }
        }
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, with(ssRight), p.X, p.Y);
        PopupAtCursor();
        break;
    case WM_RBUTTONUP:
        MouseUp(mbRight, with(ssRight), p.X, p.Y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, with(ssMiddle), p.X, p.Y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, with(ssMiddle), p.X, p.Y);
        break;
    case NIN_BALLOONUSERCLICK:
        if (OnBalloonHintClick)
            OnBalloonHintClick(this);
        break;
    default:
        break;
    }
}

void TbsTrayIcon::ClickTimerProc(TObject*)
{
    ClickTimer->SetEnabled(false);
    if (!IsDblClick && FClickReady) {
        FClickReady = false;
        Click();
    }
    IsDblClick = false;
}

void TbsTrayIcon::PopupAtCursor()
{
    if (!FPopupMenu || !FPopupMenu->AutoPopup())
        return;
    TPoint p;
    if (!GetCursorPos(p))
        return;
    if (Application)
        Application->ProcessMessages();
    if (auto* owner = dynamic_cast<TWinControl*>(Owner()); owner && owner->HandleAllocated())
        SetForegroundWindow(owner->Handle());
    FPopupMenu->SetPopupComponent(this);
    FPopupMenu->Popup(p.X, p.Y);
}

void TbsTrayIcon::Click()
{
    if (OnClick)
        OnClick(this);
}

void TbsTrayIcon::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TbsTrayIcon::Cycle(int NextIndex)
{
    if (OnCycle)
        OnCycle(this, NextIndex);
}

void TbsTrayIcon::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TbsTrayIcon::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TbsTrayIcon::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TbsTrayIcon::AnimateTimerProc(TObject*)
{
    if (!FIconList || FIconList->Count() == 0)
        return;
    const int index = std::min(FIconIndex, FIconList->Count() - 1);
    FIcon.Bitmap().Assign(FIconList->Image(index));
    const int next = index >= FIconList->Count() - 1 ? 0 : index + 1;
    Cycle(next);
    ModifyIcon();
    SetIconIndex(next);
}

bool TbsTrayIcon::BitmapToIcon(const TBitmap& Bitmap, TIcon& Icon, TColor MaskColor)
{
    TImageList list(nullptr, 16, 16);
    list.AddMasked(Bitmap, MaskColor);
    if (list.Count() == 0)
        return false;
    list.GetBitmap(0, Icon.Bitmap());
    return true;
}

// ------------------------------------------------------------ the main form

void TbsTrayIcon::ShowMainForm()
{
    if (!dynamic_cast<TWinControl*>(Owner()) || !Application || !Application->MainForm())
        return;
    TCustomForm* form = Application->MainForm();
    if (Application->Minimized())
        Application->Restore();
    form->Show();
    if (form->WindowState() == wsMinimized)
        form->SetWindowState(wsNormal);
    form->SetTag(TrayRestoreTag);
    if (form->HandleAllocated())
        PostMessage(form->Handle(), WM_SHOWMAINFORMFROMTRAY, 0, 0);
}

void TbsTrayIcon::HideMainForm()
{
    if (!dynamic_cast<TWinControl*>(Owner()) || !Application || !Application->MainForm())
        return;
    TCustomForm* form = Application->MainForm();
    form->Hide();
    form->SetTag(TrayRestoreTag);
}

void TbsTrayIcon::DoMinimizeToTray()
{
    // Only into an icon the desktop shows: the icon is the way back.
    if (!AddIcon())
        return;
    HideMainForm();
}

void TbsTrayIcon::HookApp()
{
    if (!Application || FHookAlive)
        return;
    // The hook stays in the chain after this icon goes (another icon may
    // have hooked after it); it then only passes the call on.
    FHookAlive = std::make_shared<bool>(true);
    TNotifyEvent previous = Application->OnMinimize;
    std::shared_ptr<bool> alive = FHookAlive;
    Application->OnMinimize = [this, alive, previous](TObject* Sender) {
        if (*alive && MinimizeToTray)
            DoMinimizeToTray();
        if (previous)
            previous(Sender);
    };
}

void TbsTrayIcon::HookParent()
{
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (!owner)
        return;
    // The hook stays in the form's chain after this icon goes (another
    // subclass may have come after it) and then only passes messages on.
    FOwnerHookAlive = std::make_shared<bool>(true);
    std::shared_ptr<bool> alive = FOwnerHookAlive;
    auto previous = owner->WindowProc;
    owner->WindowProc = [this, alive, previous](TMessage& m) {
        if (*alive)
            ParentWndProc(m);
        previous(m);
        // The program has no window of its own beside its forms: the first
        // position change of the owner form stands for it.
        if (*alive && m.Msg == WM_WINDOWPOSCHANGED && SettingMDIForm)
            OwnerPositionChanged();
    };
}

void TbsTrayIcon::UnhookParent()
{
    if (FOwnerHookAlive)
        *FOwnerHookAlive = false;
    FOwnerHookAlive.reset();
}

void TbsTrayIcon::ParentWndProc(const TMessage& Message)
{
    if (Message.Msg == WM_ACTIVATE)
        OwnerActivated(Message);
    else if (Message.Msg == WM_SHOWWINDOW && Message.WParam != 0 && Message.LParam == 0)
        OwnerShown();
}

void TbsTrayIcon::OwnerActivated(const TMessage& Message)
{
    const unsigned how = LOWORD(Message.WParam);
    TWinControl* active = Screen ? Screen->ActiveControl() : nullptr;
    if ((how != WA_ACTIVE && how != WA_CLICKACTIVE) || !active || !active->HandleAllocated() || !active->CanFocus())
        return;
    // Coming back from a window other than the control's own container, the
    // keys go to the control that had them.
    TWinControl* container = active->Parent() ? active->Parent() : active;
    if (!container->HandleAllocated() || container->Handle() != reinterpret_cast<HWND>(Message.LParam))
        SetFocus(active->Handle());
}

void TbsTrayIcon::OwnerShown()
{
    // Shown again (from the tray, or by another program), the form comes to
    // the front with the program: a minimized program is restored first.
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (Application && Application->Minimized())
        Application->Restore();
    if (owner && owner->HandleAllocated())
        SetForegroundWindow(owner->Handle());
}

void TbsTrayIcon::OwnerPositionChanged()
{
    // Only a change that comes with the main form on the screen counts.
    TCustomForm* main = Application ? Application->MainForm() : nullptr;
    if (!main || !main->Visible())
        return;
    SettingMDIForm = false;
    // A multi-document main form comes up whatever the application was told
    // (its children need it shown): started in the tray, it goes at once.
    // The hiding waits until the showing that moved the form has ended.
    if (main->FormStyle() == fsMDIForm && MinimizedOnStart)
        PostMessage(FHandle, WM_HIDEMAINFORMONSTART, 0, 0);
}

void TbsTrayIcon::UnhookApp()
{
    if (FHookAlive)
        *FHookAlive = false;
    FHookAlive.reset();
}
