#include <algorithm>
#include "platform/core/Exception.h"
#include "platform/core/Thread.h"
#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Paint.h"
#include "platform/ui/Window.h"
#include "platform/gfx/Icon.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "platform/ui/forms/MDIClient.h"

TCustomForm::TCustomForm(TComponent* AOwner, TFormCreation how)
    : TWinControl(AOwner), FIcon(std::make_unique<TIcon>()), FCanvas(std::make_unique<TCanvas>())
{
    if (how == TFormCreation::Stored)
        Loading();
    FFormState.Include(fsCreating);
    FVisible = false;
    FColor = clBtnFace;
    SetParentColor(false);
    FColor = clBtnFace;
    FWidth = 320;
    FHeight = 240;
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
    FIcon->OnChange = [this](TObject*) { IconChanged(); };
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Destroying();
    if (OnDestroy)
        OnDestroy(this);
    if (TMDIClient* client = ParentMDIClient())
        client->RemoveChild(this);
    if (Application->MainForm() == this)
        Application->SetMainForm(nullptr);
    Screen->RemoveForm(this);
    SetMenu(nullptr);
}

void TCustomForm::AfterConstruction()
{
    if (FConstructed)
        return;
    FConstructed = true;
    if (ComponentState().Contains(csLoading)) {
        // Every component exists now: each finishes loading in order of creation, the form last.
        std::vector<TComponent*> loading;
        for (int i = 0; i < ComponentCount(); ++i)
            if (Components(i)->ComponentState().Contains(csLoading))
                loading.push_back(Components(i));
        for (TComponent* c : loading)
            c->Loaded();
        Loaded();
    }
    FFormState.Exclude(fsCreating);
    Realign();
    DoCreate();
    if (FVisible) {
        FVisible = false;
        Show();
    }
}

void TCustomForm::DoCreate()
{
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FMenu)
        FMenu = nullptr;
    if (AComponent == FActiveControl)
        FActiveControl = nullptr;
    if (AComponent == FFocusedControl)
        FFocusedControl = nullptr;
}

// ------------------------------------------------------------ window styles

void TCustomForm::CreateParams(TCreateParams& p)
{
    TWinControl::CreateParams(p);
    bool child = FParent != nullptr;
    p.Style = child ? (WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS) : (WS_CLIPCHILDREN);
    p.ExStyle = 0;
    switch (FBorderStyle) {
    case bsNone:
        if (!child)
            p.Style |= WS_POPUP;
        break;
    case bsSingle:
        p.Style |= WS_CAPTION | WS_BORDER;
        break;
    case bsSizeable:
        p.Style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        p.Style |= (child ? 0 : WS_POPUP) | WS_CAPTION;
        p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        p.Style |= WS_CAPTION;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        p.Style |= WS_CAPTION | WS_THICKFRAME;
        p.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
        p.Style |= WS_SYSMENU;
        if (FBorderStyle == bsSingle || FBorderStyle == bsSizeable) {
            if (FBorderIcons.Contains(biMinimize))
                p.Style |= WS_MINIMIZEBOX;
            if (FBorderIcons.Contains(biMaximize))
                p.Style |= WS_MAXIMIZEBOX;
        }
    }
    if (FFormStyle == fsStayOnTop && !child)
        p.ExStyle |= WS_EX_TOPMOST;
    if (!FEnabled)
        p.Style |= WS_DISABLED;
    p.WndParent = child ? FParent->Handle() : nullptr;
    p.WindowClassStyle = CS_DBLCLKS;
}

void TCustomForm::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FHandle && !FParent && Application->MainForm() == this)
        SetTaskbarWindow(FHandle);
    if (FHandle && FMenu)
        FMenu->FreeNotification(this);
    if (!FIcon->Empty() || !Application->Icon().Empty())
        IconChanged();
}

// Hands the window the picture the desktop shows for it.
void TCustomForm::IconChanged()
{
    if (!FHandle || FParent)
        return;
    const TIcon& icon = FIcon->Empty() ? Application->Icon() : *FIcon;
    SendMessage(FHandle, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon.Empty() ? nullptr : &icon.Bitmap()));
}

void TCustomForm::SetBorderStyle(TBorderStyle value)
{
    if (value == FBorderStyle)
        return;
    FBorderStyle = value;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (value == FBorderIcons)
        return;
    FBorderIcons = value;
    RecreateWnd();
}

void TCustomForm::SetFormStyle(TFormStyle value)
{
    if (value == FFormStyle)
        return;
    if (value == fsMDIChild)
        BecomeMDIChild();   // raises without an MDI main form, style unchanged
    FFormStyle = value;
    if (value == fsMDIForm)
        BecomeMDIForm();
    if (value == fsMDIForm || value == fsMDIChild)
        return;
    if (FHandle && !FParent)
        SetWindowPos(FHandle, value == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetWindowState(TWindowState value)
{
    if (TMDIClient* client = ParentMDIClient()) {
        FWindowState = value;
        client->SetChildState(this, value);
        return;
    }
    FWindowState = value;
    if (FHandle && FVisible) {
        const int cmd[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ShowWindow(FHandle, cmd[value]);
    }
}

void TCustomForm::SetMenu(TMainMenu* value)
{
    if (FMenu)
        FMenu->RemoveFreeNotification(this);
    FMenu = value;
    if (value)
        value->FreeNotification(this);
}

bool TCustomForm::Showing() const
{
    if (FParent)
        return FVisible && TWinControl::Showing();
    return FHandle && IsWindowVisible(FHandle);
}

TPoint TCustomForm::ClientOrigin() const
{
    if (FHandle)
        return TWinControl::ClientOrigin();
    TPoint p = FParent ? FParent->ClientOrigin() : TPoint{0, 0};
    return TPoint{p.X + FLeft, p.Y + FTop};
}

void TCustomForm::PaintWindow(HDC dc)
{
    if (!OnPaint)
        return;
    FCanvas->SetHandle(dc);
    FCanvas->Font().Assign(FFont);
    FCanvas->Brush().SetColor(FColor);
    OnPaint(this);
    FCanvas->SetHandle(nullptr);
}

// --------------------------------------------------------- show and close

void TCustomForm::PlaceOnFirstShow()
{
    if (FPlaced || FParent)
        return;
    FPlaced = true;
    TCustomForm* centreOn = nullptr;
    switch (FPosition) {
    case poMainFormCenter:
        centreOn = Application->MainForm();
        break;
    case poOwnerFormCenter:
        centreOn = dynamic_cast<TCustomForm*>(Owner());
        break;
    default:
        break;
    }
    if (centreOn == this || (centreOn && !centreOn->Visible()))
        centreOn = nullptr;
    if (FPosition == poScreenCenter || FPosition == poDesktopCenter ||
        ((FPosition == poMainFormCenter || FPosition == poOwnerFormCenter) && !centreOn)) {
        SetBounds((Screen->Width() - FWidth) / 2, (Screen->Height() - FHeight) / 2, FWidth, FHeight);
    } else if (centreOn) {
        TRect o = centreOn->BoundsRect();
        SetBounds(o.Left + (o.Width() - FWidth) / 2, o.Top + (o.Height() - FHeight) / 2, FWidth, FHeight);
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (TMDIClient* client = ParentMDIClient()) {
        client->Activate(this);
        return;
    }
    if (FHandle && !FParent) {
        BringWindowToTop(FHandle);
        SetActiveWindow(FHandle);
    }
}

void TCustomForm::VisibleChanging()
{
    if (FFormState.Contains(fsModal) && FVisible)
        throw EInvalidOperation("Cannot change Visible in OnShow or OnHide");
}

// Forms show and hide with activation (embedded ones as plain children).
void TCustomForm::ApplyVisibility()
{
    if (FFormState.Contains(fsCreating))
        return;
    if (FVisible) {
        HandleNeeded();
        PlaceOnFirstShow();
        DoShow();
        if (!FVisible)
            return;
        if (FParent) {
            ShowWindow(FHandle, SW_SHOWNOACTIVATE);
        } else {
            const int cmd[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
            ShowWindow(FHandle, cmd[FWindowState]);
        }
    } else if (FHandle) {
        DoHide();
        ShowWindow(FHandle, SW_HIDE);
    }
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close()
{
    if (FFormState.Contains(fsModal)) {
        FModalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
    }
}

void TCustomForm::Release()
{
    if (FHandle)
        PostMessage(FHandle, CM_RELEASE);
    else
        TThread::ForceQueue(nullptr, [this] { delete this; });
}

void TCustomForm::CloseModal()
{
    TCloseAction action = caNone;
    if (CloseQuery()) {
        action = caHide;
        DoClose(action);
    }
    if (action == caNone)
        FModalResult = mrNone;
}

TModalResult TCustomForm::ShowModal()
{
    if (FVisible || !FEnabled || FFormState.Contains(fsModal) || FParent)
        throw EInvalidOperation("Cannot make a visible window modal");
    Application->Initialize();
    if (GetCapture())
        ReleaseCapture();
    HWND previous = GetActiveWindow();
    if (previous)
        SendMessage(previous, WM_CANCELMODE);
    if (TCustomForm* active = Screen->ActiveForm())
        active->SendCancelMode(nullptr);
    FFormState.Include(fsModal);
    Application->CancelHint();
    // Every other enabled, visible top-level form waits.
    std::vector<HWND> disabled;
    for (TCustomForm* f : Screen->FormList())
        if (f != this && f->HandleAllocated() && !f->Parent() && IsWindowEnabled(f->FHandle)) {
            EnableWindow(f->FHandle, false);
            disabled.push_back(f->FHandle);
        }
    FModalResult = mrNone;
    try {
        Show();
        do {
            Application->HandleMessage();
            if (Application->Terminated())
                FModalResult = mrCancel;
            else if (FModalResult != mrNone)
                CloseModal();
        } while (FModalResult == mrNone);
    } catch (...) {
        for (HWND h : disabled)
            if (IsWindow(h))
                EnableWindow(h, true);
        FFormState.Exclude(fsModal);
        throw;
    }
    for (HWND h : disabled)
        if (IsWindow(h))
            EnableWindow(h, true);
    if (IsWindow(previous) && IsWindowVisible(previous))
        SetActiveWindow(previous);
    FFormState.Exclude(fsModal);
    Hide();
    if (IsWindow(previous) && IsWindowVisible(previous))
        SetActiveWindow(previous);
    return FModalResult;
}

// ----------------------------------------------------------- focus handling

void TCustomForm::SetActiveControl(TWinControl* c)
{
    if (c && (c == this || !ContainsControl(c)))
        throw EInvalidOperation("Cannot focus a control that is not on the form");
    FActiveControl = c;
    if (c && FActive && FHandle && c->CanFocus())
        ::SetFocus(c->Handle());
}

void TCustomForm::FocusControl(TWinControl* c)
{
    if (!c->CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    FActiveControl = c;
    if (FHandle && IsWindowVisible(FHandle)) {
        if (GetActiveWindow() != FHandle && !FParent)
            SetActiveWindow(FHandle);
        ::SetFocus(c->Handle());
    }
}

bool TCustomForm::SetFocusedControl(TWinControl* c)
{
    if (c == FFocusedControl) {
        FActiveControl = c;
        return true;
    }
    TWinControl* old = FFocusedControl;
    FFocusedControl = c;
    FActiveControl = c;
    if (old)
        old->Perform(CM_EXIT);
    c->Perform(CM_ENTER);
    Perform(CM_FOCUSCHANGED, 0, LPARAM(c));
    Screen->SetActiveControl(c);
    return true;
}

void TCustomForm::DefocusControl(TWinControl* c, bool removing)
{
    if (FActiveControl && c->ContainsControl(FActiveControl)) {
        TWinControl* parent = c->Parent();
        FActiveControl = (removing || !parent || parent == this) ? nullptr : parent;
    }
    if (FFocusedControl && c->ContainsControl(FFocusedControl)) {
        bool hadFocus = FFocusedControl->Focused();
        FFocusedControl = nullptr;
        if (hadFocus && FHandle && !ComponentState().Contains(csDestroying))
            ::SetFocus(FHandle);
    }
    // A control going away must not stay the screen's active control.
    if (removing && Screen && Screen->ActiveControl() && c->ContainsControl(Screen->ActiveControl()))
        Screen->SetActiveControl(nullptr);
}

void TCustomForm::SendCancelMode(TControl* Sender)
{
    if (FActiveControl && FActiveControl != Sender)
        FActiveControl->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
}

void TCustomForm::SelectFirst()
{
    if (TWinControl* c = FindNextControl(nullptr, true, true, false))
        c->SetFocus();
}

bool TCustomForm::IsShortCut(TMessage& keyMsg)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(keyMsg, handled);
    return handled || (FMenu && FMenu->IsShortCut(keyMsg));
}

void TCustomForm::HandleActivate(bool active)
{
    FActive = active;
    if (active) {
        Screen->SetActiveForm(this);
        if (FActiveControl && FActiveControl->CanFocus())
            ::SetFocus(FActiveControl->Handle());
        else if (TWinControl* first = FindNextControl(nullptr, true, true, false))
            ::SetFocus(first->Handle());
        else
            ::SetFocus(FHandle);
        if (OnActivate)
            OnActivate(this);
    } else {
        if (OnDeactivate)
            OnDeactivate(this);
    }
}

void TCustomForm::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_ACTIVATE:
        HandleActivate(LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam));
        return;
    case WM_ACTIVATEAPP:
        Application->ActivateApp(m.WParam != 0);
        DefaultHandler(m);
        return;
    case WM_SETFOCUS:
        // The form's own window got the focus: hand it on to the active control.
        if (FActiveControl && FActiveControl->CanFocus() && FActiveControl->HandleAllocated() && !FParent) {
            ::SetFocus(FActiveControl->Handle());
            return;
        }
        DefaultHandler(m);
        return;
    case WM_CLOSE:
        Close();
        return;
    case WM_SYSCOMMAND:
        // The main form stands for the program: minimising it (caption
        // button, desktop iconify) minimises the application with all its
        // forms, and restoring it then restores them all.
        if (Application->MainForm() == this && !FParent) {
            UINT command = UINT(m.WParam) & 0xFFF0;
            if (command == SC_MINIMIZE) {
                Application->Minimize();
                return;
            }
            if (command == SC_RESTORE && Application->Minimized()) {
                Application->Restore();
                return;
            }
        }
        TWinControl::WndProc(m);
        return;
    case WM_SIZE:
        if (m.WParam == SIZE_MINIMIZED)
            FWindowState = wsMinimized;
        else if (m.WParam == SIZE_MAXIMIZED)
            FWindowState = wsMaximized;
        else
            FWindowState = wsNormal;
        TWinControl::WndProc(m);
        return;
    case CM_ICONCHANGED:
        IconChanged();
        return;
    case CM_RELEASE:
        TThread::ForceQueue(nullptr, [this] { delete this; });
        return;
    case CM_VISIBLECHANGED:
        ApplyVisibility();
        return;
    case CM_TEXTCHANGED:
        if (FHandle)
            SetWindowText(FHandle, FText);
        return;
    case CM_DIALOGKEY: {
        TShiftState shift = KeyboardStateToShiftState();
        if (!shift.Contains(ssAlt) && !shift.Contains(ssCtrl)) {
            switch (int(m.WParam)) {
            case VK_TAB:
                SelectNext(FActiveControl, !shift.Contains(ssShift), true);
                m.Result = 1;
                return;
            case VK_LEFT:
            case VK_RIGHT:
            case VK_UP:
            case VK_DOWN:
                if (FActiveControl && FActiveControl->Parent()) {
                    bool forward = m.WParam == WPARAM(VK_RIGHT) || m.WParam == WPARAM(VK_DOWN);
                    FActiveControl->Parent()->SelectNext(FActiveControl, forward, false);
                    m.Result = 1;
                    return;
                }
                break;
            default:
                break;
            }
        }
        TWinControl::WndProc(m);
        return;
    }
    default:
        TWinControl::WndProc(m);
        return;
    }
}
