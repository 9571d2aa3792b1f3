#include "platform/ui/forms/Application.h"
#include <algorithm>
#include "platform/core/Thread.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Timers.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ControlHooks.h"
#include "platform/ui/controls/HintWindow.h"
#include "platform/ui/forms/Dialogs.h"
#include "platform/gfx/Icon.h"

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

namespace {

constexpr int HintShow = 1;
constexpr int HintHide = 2;

// The control whose hint counts at a place: the nearest one up the parent
// chain that shows hints.
TControl* HintTarget(TControl* c)
{
    while (c && !c->ShowHint())
        c = c->Parent();
    return c;
}

}  // namespace

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), FIcon(std::make_unique<TIcon>())
{
    // Forms without an icon of their own show the application's.
    FIcon->OnChange = [](TObject*) {
        for (TCustomForm* f : Screen->FormList())
            f->Perform(CM_ICONCHANGED, 0, 0);
    };
    ControlHooks().ControlDestroyed = [this](TControl* c) {
        if (c == FHintControl) {
            StopHintTimer();
            FHintControl = nullptr;
        }
        if (c == FHintWindow)
            FHintWindow = nullptr;
        if (c == FMainForm)
            FMainForm = nullptr;
        if (Screen && c == Screen->ActiveControl())
            Screen->SetActiveControl(nullptr);
    };
    ControlHooks().MouseEnterLeave = [this](TControl* c, bool entered) {
        // Leaving the hinted control for no other control of ours ends its hint.
        if (!entered && FHintControl && (c == FHintControl || (dynamic_cast<TWinControl*>(c) &&
                                                               static_cast<TWinControl*>(c)->ContainsControl(FHintControl)))) {
            TPoint p;
            GetCursorPos(p);
            TControl* now = FindDragTarget(p, true);
            if (!now || HintTarget(now) != FHintControl) {
                HideHint();
                StopHintTimer();
                FHintControl = nullptr;
            }
        }
    };
}

TApplication::~TApplication()
{
    StopHintTimer();
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FMainForm)
        FMainForm = nullptr;
}

void TApplication::Initialize()
{
    // A back end installed afresh starts a new session of the loop.
    if (!GetMessageHook()) {
        SetMessageHook([this](TMsg& msg) { return MessageHook(msg); });
        FTerminated = false;
        FActive = FAnnouncedActive = false;
        FHintTimer = 0;
        FHintTimerKind = 0;
    }
    if (!GetExceptionHandler())
        SetExceptionHandler([this](std::exception_ptr e) { HandleException(this, e); });
}

void TApplication::Run()
{
    Initialize();
    if (FMainForm && FShowMainForm)
        FMainForm->Show();
    while (!Terminated()) {
        try {
            HandleMessage();
        } catch (...) {
            HandleException(this);  // from the idle handler or a queued call
        }
    }
}

void TApplication::HandleException(TObject* Sender, std::exception_ptr e)
{
    if (!e)
        return;
    auto report = [&](const Exception& x) {
        if (OnException)
            OnException(Sender, x);
        else
            ShowException(x);
    };
    try {
        std::rethrow_exception(e);
    } catch (const Exception& x) {
        report(x);
    } catch (const std::exception& x) {
        report(Exception(x.what()));
    } catch (...) {
        report(Exception("Unknown exception"));
    }
}

void TApplication::ShowException(const Exception& E)
{
    std::string text = E.Message();
    // A sentence ends with a full stop, as the box's other texts do.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    MessageBox(text, FTitle, MB_OK | MB_ICONSTOP);
}

void TApplication::Terminate()
{
    if (!FTerminated)
        PostQuitMessage(0);
    FTerminated = true;
}

bool TApplication::Terminated() const
{
    return FTerminated || QuitReceived();
}

bool TApplication::ProcessMessage()
{
    Initialize();
    TThread::CheckSynchronize(0);
    return ProcessOneMessage();
}

void TApplication::ProcessMessages()
{
    Initialize();
    ProcessWindowMessages();
}

void TApplication::HandleMessage()
{
    if (!ProcessMessage()) {
        Idle();
        if (!Terminated())
            WaitMessage();
    }
}

void TApplication::Idle()
{
    if (OnIdle)
        OnIdle(this);
}

void TApplication::Minimize()
{
    if (FMinimized)
        return;
    FMinimized = true;
    CancelHint();
    FMinimizedForms.clear();
    for (TCustomForm* f : Screen->FormList())
        if (f != FMainForm && !f->Parent() && f->HandleAllocated() && IsWindowVisible(f->Handle())) {
            FMinimizedForms.push_back(f->Handle());
            ShowWindow(f->Handle(), SW_HIDE);
        }
    if (FMainForm && FMainForm->HandleAllocated())
        ShowWindow(FMainForm->Handle(), SW_MINIMIZE);
    if (OnMinimize)
        OnMinimize(this);
}

void TApplication::Restore()
{
    if (!FMinimized)
        return;
    FMinimized = false;
    if (FMainForm && FMainForm->HandleAllocated())
        ShowWindow(FMainForm->Handle(), SW_RESTORE);
    for (HWND h : FMinimizedForms)
        if (IsWindow(h))
            ShowWindow(h, SW_SHOWNOACTIVATE);
    FMinimizedForms.clear();
    if (OnRestore)
        OnRestore(this);
}

void TApplication::ActivateApp(bool active)
{
    // Every top-level window hears of the change: the first one counts.
    if (active == FActive)
        return;
    FActive = active;
    // Raised once the message is handled, for the state then: a change
    // undone meanwhile raises nothing.
    TThread::ForceQueue(nullptr, [this] {
        if (FActive == FAnnouncedActive)
            return;
        FAnnouncedActive = FActive;
        TNotifyEvent event = FActive ? OnActivate : OnDeactivate;
        if (event)
            event(this);
    });
}

void TApplication::SetMainForm(TCustomForm* f)
{
    FMainForm = f;
    // The main form stands for the program in the desktop's taskbar.
    if (!f)
        SetTaskbarWindow(nullptr);
    else if (f->HandleAllocated() && !f->Parent())
        SetTaskbarWindow(f->Handle());
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags)
{
    return ::MessageBox(text, caption.empty() ? FTitle : caption, flags);
}

// The hook every queued message passes before it is dispatched.
bool TApplication::MessageHook(TMsg& msg)
{
    if (OnMessage) {
        bool handled = false;
        OnMessage(msg, handled);
        if (handled)
            return true;
    }
    switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        HintMouseMessage(FindDragTarget(msg.pt, true), msg.pt);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_MOUSEWHEEL:
        CancelHint();
        break;
    default:
        break;
    }
    return IsKeyMsg(msg);
}

// Keys first go to the focused control as CN_ messages: shortcuts of the
// popup and main menus, then dialog keys (Tab, arrows, Enter, Esc) and
// accelerators. A key so taken is not dispatched.
bool TApplication::IsKeyMsg(TMsg& msg)
{
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR &&
        msg.message != WM_SYSCHAR)
        return false;
    TWinControl* target = nullptr;
    for (HWND h = msg.hwnd; h && !target; h = GetParent(h))
        target = TWinControl::FindControl(h);
    if (!target)
        return false;
    return target->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0;
}

// ------------------------------------------------------------------ hints

void TApplication::SetShowHint(bool v)
{
    FShowHint = v;
    if (!v)
        CancelHint();
}

void TApplication::StartHintTimer(int ms, int kind)
{
    StopHintTimer();
    FHintTimerKind = kind;
    FHintTimer = SetTimer(nullptr, 0, UINT(std::max(1, ms)), [this](HWND, UINT, UINT_PTR, DWORD) { HintTimerExpired(); });
}

void TApplication::StopHintTimer()
{
    if (FHintTimer)
        KillTimer(nullptr, FHintTimer);
    FHintTimer = 0;
    FHintTimerKind = 0;
}

void TApplication::HintTimerExpired()
{
    int kind = FHintTimerKind;
    StopHintTimer();
    if (kind == HintShow)
        ShowHintNow();
    else if (kind == HintHide)
        HideHint();
}

void TApplication::HintMouseMessage(TControl* control, TPoint screen)
{
    TControl* target = HintTarget(control);
    std::string longHint = target ? GetLongHint(target->Hint()) : std::string();
    if (longHint != Hint) {
        Hint = longHint;
        if (OnHint)
            OnHint(this);
    }
    if (!FShowHint)
        return;
    if (target && target == FHintControl) {
        // Same control: a shown hint stays while the cursor keeps to its rectangle.
        if (FHintShown && !FHintCursorRect.Contains(screen)) {
            HideHint();
            StartHintTimer(FHintShortPause, HintShow);
        }
        return;
    }
    bool quick = FHintShown || FHintActive;
    HideHint();
    FHintControl = target;
    if (!target || GetShortHint(target->Hint()).empty()) {
        FHintActive = false;
        return;
    }
    StartHintTimer(quick ? FHintShortPause : FHintPause, HintShow);
}

void TApplication::ActivateHint()
{
    StopHintTimer();
    ShowHintNow();
}

void TApplication::ShowHintNow()
{
    TControl* c = FHintControl;
    if (!c || !c->Showing() || !FShowHint)
        return;
    TPoint cursor;
    GetCursorPos(cursor);
    THintInfo info;
    info.HintControl = c;
    info.CursorPos = c->ScreenToClient(cursor);
    info.CursorRect = c->ClientRect();
    info.HintPos = TPoint{cursor.X, cursor.Y + 20};
    info.HintMaxWidth = Screen->Width();
    info.HintColor = FHintColor;
    info.HideTimeout = FHintHidePause;
    info.HintStr = GetShortHint(c->Hint());
    bool canShow = c->Perform(CM_HINTSHOW, 0, LPARAM(&info)) == 0;
    if (canShow && OnShowHint)
        OnShowHint(info.HintStr, canShow, info);
    if (!canShow || info.HintStr.empty())
        return;
    if (!FHintWindow) {
        FHintWindow = HintWindowClass ? HintWindowClass(this) : new THintWindow(this);
        FHintWindow->FreeNotification(this);
    }
    FHintWindow->SetColor(info.HintColor);
    TRect r = FHintWindow->CalcHintRect(info.HintMaxWidth, info.HintStr);
    r.Offset(info.HintPos.X, info.HintPos.Y);
    FHintWindow->ActivateHint(r, info.HintStr);
    FHintShown = true;
    FHintActive = true;
    TPoint origin = c->ClientToScreen(TPoint{0, 0});
    FHintCursorRect = info.CursorRect.Offsetted(origin.X, origin.Y);
    if (info.HideTimeout > 0)
        StartHintTimer(info.HideTimeout, HintHide);
}

void TApplication::HideHint()
{
    if (FHintTimerKind == HintHide)
        StopHintTimer();
    if (FHintWindow && FHintShown)
        FHintWindow->ReleaseHandle();
    FHintShown = false;
}

void TApplication::CancelHint()
{
    StopHintTimer();
    HideHint();
    FHintActive = false;
    FHintControl = nullptr;
}

// ------------------------------------------------------------------ TScreen

TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner)
{
    ControlHooks().ScreenCursor = [this] { return FCursor; };
}

void TScreen::AddForm(TCustomForm* f)
{
    FForms.push_back(f);
}

void TScreen::RemoveForm(TCustomForm* f)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), f), FForms.end());
    if (FActiveForm == f)
        SetActiveForm(nullptr);
    if (FActiveControl && FActiveControl->GetParentForm() == f)
        FActiveControl = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* f)
{
    if (f == FActiveForm)
        return;
    FActiveForm = f;
    if (OnActiveFormChange)
        OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* c)
{
    if (c == FActiveControl)
        return;
    FActiveControl = c;
    if (OnActiveControlChange)
        OnActiveControlChange(this);
}

void TScreen::SetCursor(TCursor value)
{
    FCursor = value;
    ::SetCursor(CursorShape(value));
}

int TScreen::Width() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return GetSystemMetrics(SM_CYSCREEN);
}

TRect TScreen::WorkAreaRect() const
{
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromPoint(TPoint{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return mi.rcWork;
}

int TScreen::MonitorCount() const
{
    return GetSystemMetrics(SM_CMONITORS);
}

TRect TScreen::MonitorRect(int index) const
{
    (void)index;
    MONITORINFO mi;
    GetMonitorInfo(MonitorFromPoint(TPoint{0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return mi.rcMonitor;
}

TPoint TScreen::CursorPos() const
{
    TPoint p;
    GetCursorPos(p);
    return p;
}
