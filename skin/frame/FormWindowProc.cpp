#include "platform/core/Clock.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/MDIClient.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/MonitorRects.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/SkinChangeRelay.h"

// The form window procedure: every message of the form passes here first.
// Order for each message: close open menus on the menu-ending messages, the
// first-phase handler (which may call the saved procedure itself and declare
// the message handled), the saved procedure unless handled, and the second
// phase of the mouse and show messages.

namespace {

TPoint LParamPoint(LPARAM l) { return TPoint{GET_X_LPARAM(l), int(int16_t((l >> 16) & 0xFFFF))}; }

// Layered border, form alpha and the fade tick: the form's own window timer 1.
constexpr UINT_PTR FadeTimerId = 1;
constexpr intptr_t TrayRestoreTag = -10000;

void AddLayered(HWND h)
{
    LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED))
        SetWindowLong(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
}

void RemoveLayered(HWND h)
{
    LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    if (ex & WS_EX_LAYERED)
        SetWindowLong(h, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
}

}  // namespace

void TbsFormFrame::FormWindowProc(TMessage& Message)
{
    Message.Result = 0;
    CloseMenusOnMessage(Message);
    if (!FirstPhase(Message))
        CallOldWindowProc(Message);
    SecondPhase(Message);
}

bool TbsFormFrame::FirstPhase(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_DESTROY: return WMDestroy(Message);
    case WM_SIZE: return WMSize(Message);
    case WM_ACTIVATE: return WMActivate(Message);
    case WM_SETTEXT: return WMSetText(Message);
    case WM_ERASEBKGND: return WMEraseBkgnd(Message);
    case WM_SHOWWINDOW: return WMShowWindow(Message);
    case WM_SETCURSOR: return WMSetCursor(Message);
    case WM_MOUSEACTIVATE: return WMMouseActivate(Message);
    case WM_GETMINMAXINFO: return WMGetMinMaxInfo(Message);
    case WM_WINDOWPOSCHANGED: return WMWindowPosChanged(Message);
    case WM_DWMCOMPOSITIONCHANGED: return WMCompositionChanged(Message);
    case WM_DISPLAYCHANGE: return WMDisplayChange(Message);
    case WM_NCCALCSIZE: return WMNCCalcSize(Message);
    case WM_NCHITTEST: return WMNCHitTest(Message);
    case WM_NCPAINT: return WMNCPaint(Message);
    case WM_NCACTIVATE: return WMNCActivate(Message);
    case WM_SYNCPAINT: return WMSyncPaint(Message);
    case WM_SYSCOMMAND: return WMSysCommand(Message);
    case WM_TIMER: return WMTimer(Message);
    case WM_SIZING: return WMSizing(Message);
    case WM_MOVING: return WMMoving(Message);
    case WM_ENTERSIZEMOVE: return WMEnterSizeMove(Message);
    case WM_EXITSIZEMOVE: return WMExitSizeMove(Message);
    case WM_BEFORECHANGESKINDATA:
    case WM_CHANGESKINDATA:
    case WM_AFTERCHANGESKINDATA:
    case WM_CHANGERESSTRDATA:
    case WM_CHANGEFORMSKINNABLE:
    case WM_CHANGELAYEREDBORDERS: return WMSkinChange(Message);
    case WM_CLOSESKINMENU: return WMCloseSkinMenu(Message);
    case WM_SHOWMAINFORMFROMTRAY: return WMShowMainFormFromTray(Message);
    case WM_QUERYSKINFRAME: return WMQuerySkinFrame(Message);
    case WM_BEGINSMARTEFFECTS: return WMBeginSmartEffects(Message);
    case WM_ENDSMARTEFFECTS: return WMEndSmartEffects(Message);
    case WM_PRINTSKINFRAME: return WMPrintSkinFrame(Message);
    case WM_PRINTSKINFRAMEEX: return WMPrintSkinFrameEx(Message);
    default: return HandleMDIMessage(Message);
    }
}

// ------------------------------------------------------------ first-phase handlers
// Each answers whether the message is handled (the saved procedure is then not called).

bool TbsFormFrame::WMDestroy(TMessage&)
{
    MouseTimer->SetEnabled(false);
    MorphTimer->SetEnabled(false);
    AnimateTimer->SetEnabled(false);
    if (IsMDIChild()) {
        // A child going away leaves the main form's menu, tabs and bar.
        FWindowState = wsNormal;
        DeleteChildFromMenu(FForm);
        DeleteChildFromBar(FForm);
        if (TCustomForm* main = Application->MainForm(); main && main->HandleAllocated())
            SendMessage(main->Handle(), WM_MDICHILDRESTORED, 0, 0);
        UpdateMainMenuBarItems();
        UpdateMDITabsBar();
    }
    return false;
}

bool TbsFormFrame::WMSize(TMessage& Message)
{
    HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false;
    if (FSizeMove && FFullDrag) {
        if (!FLogoBitMap.Empty())
            FForm->Invalidate();
        return false;
    }
    HandleSize(Message);
    return true;
}

bool TbsFormFrame::WMActivate(TMessage& Message)
{
    if (!FSkinnableForm)
        return false;
    CallOldWindowProc(Message);
    RepaintFrame();
    if (IsMDIChild() && FWindowState == wsMaximized) {
        UpdateCaptionActiveState(false);
    } else {
        ResetObjectsState();
        UpdateCaptionActiveState(true);
    }
    if (IsMDIForm())
        UpdateMainMenuBarItems();
    return true;
}

bool TbsFormFrame::WMSetText(TMessage& Message)
{
    if (!FSkinnableForm)
        return false;
    CallOldWindowProc(Message);
    if (FrameShown())
        RepaintFrame();
    if (IsMDIChild()) {
        UpDateChildCaptionInMenu(FForm);
        RefreshMDIBarTab(FForm);
    }
    return true;
}

bool TbsFormFrame::WMEraseBkgnd(TMessage& Message)
{
    auto dc = reinterpret_cast<HDC>(Message.WParam);
    // An MDI form's client window paints the background its children stand on.
    if (IsMDIForm() && !FClientInActiveDraw) {
        Message.Result = 0;
        return true;
    }
    if (!FSkinSupport)
        PaintBGDefault(dc);
    else if (FUseRibbon && FSD->MDIBGPictureIndex != -1)
        PaintBG3(dc);
    else if (FSD->BGPictureIndex == -1)
        PaintBG(dc);
    else
        PaintBG2(dc);
    Message.Result = 0;
    return true;
}

bool TbsFormFrame::WMShowWindow(TMessage& Message)
{
    if (Message.WParam != 0) {
        HandleShowBefore(Message);
    } else if (FSkinnableForm) {
        HideLayerManagers();
        if (IsMDIChild()) {
            DeleteChildFromMenu(FForm);
            DeleteChildFromBar(FForm);
            if (FWindowState == wsMaximized)
                TellMainForm(WM_MDICHILDRESTORED);
        }
        if (FBorderLayer && FBorderLayer->Visible() && FIsVistaOs)
            AddLayered(FForm->Handle());
    }
    return false;
}

bool TbsFormFrame::WMSetCursor(TMessage& Message)
{
    if (FSkinnableForm && UseFormCursorInNCArea) {
        int hit = int(int16_t(Message.LParam & 0xFFFF));
        bool keep = hit == HTCLIENT || (hit >= HTLEFT && hit <= HTBOTTOMRIGHT);
        if (!keep)
            Message.LParam = (Message.LParam & ~LPARAM(0xFFFF)) | HTCLIENT;
    }
    return false;
}

bool TbsFormFrame::WMMouseActivate(TMessage&)
{
    // A press on the active child of a main form that has just come back
    // to the front: the child's caption takes the active look again.
    if (!FSkinnableForm || !IsMDIChild() || FFormActive)
        return false;
    TCustomForm* main = Application->MainForm();
    if (main && main->ActiveMDIChild() == FForm) {
        FFormActive = true;
        UpdateCaptionActiveState(FWindowState != wsMaximized);
    }
    return false;
}

bool TbsFormFrame::WMGetMinMaxInfo(TMessage& Message)
{
    if (FSkinnableForm) {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(Message.LParam);
        mmi->ptMinTrackSize = TPoint{GetMinWidth(), GetMinHeight()};
        mmi->ptMaxTrackSize = TPoint{GetMaxWidth(), GetMaxHeight()};
    }
    return false;
}

bool TbsFormFrame::WMWindowPosChanged(TMessage& Message)
{
    HandleWindowPosChanged(Message);
    return false;
}

bool TbsFormFrame::WMCompositionChanged(TMessage& Message)
{
    // The desktop gained or lost translucent windows: the layered
    // border comes or goes with them.
    FIsLayerEnabled = CanUseLayeredWindows();
    TMessage changed = Message;
    changed.Msg = WM_CHANGELAYEREDBORDERS;
    HandleSkinMessage(changed);
    return false;
}

bool TbsFormFrame::WMDisplayChange(TMessage&)
{
    if (FForm->BorderStyle() != bsNone && (GetMaxWidth() < FForm->Width() || GetMaxHeight() < FForm->Height()))
        ForceResize();
    return false;
}

bool TbsFormFrame::WMNCCalcSize(TMessage& Message)
{
    if (!FSkinnableForm)
        return false;
    HandleNCCalcSize(Message);
    return true;
}

bool TbsFormFrame::WMNCHitTest(TMessage& Message)
{
    if (!FSkinnableForm)
        return false;
    TPoint p = ScreenToFrame(LParamPoint(Message.LParam));
    Message.Result = FSkinSupport ? NCHitTestSkin(p) : NCHitTestDefault(p);
    if (!MouseTimer->Enabled() && Message.Result == HTOBJECT) {
        UpdateActiveObject(p.X, p.Y, true);
        MouseTimer->SetEnabled(true);
    }
    return true;
}

bool TbsFormFrame::WMNCPaint(TMessage&)
{
    if (!FSkinnableForm)
        return false;
    if (FrameShown()) {
        if (FSkinSupport)
            PaintNCSkin(nullptr, false);
        else if (!FStopPainting)
            PaintNCDefault(nullptr, false);
    }
    return true;
}

bool TbsFormFrame::WMNCActivate(TMessage& Message)
{
    if (!FSkinnableForm)
        return false;
    HandleNCActivate(Message);
    return true;
}

bool TbsFormFrame::WMSyncPaint(TMessage& Message)
{
    if (!FSkinnableForm || !FRollUpState)
        return false;
    RepaintFrame();
    Message.Result = 0;
    return true;
}

bool TbsFormFrame::WMSysCommand(TMessage& Message)
{
    if ((Message.WParam & 0xFFF0) == SC_RESTORE) {
        if (OnRestore)
            OnRestore(this);
        return false;
    }
    // Alt and F10 put the skinned menu bar into menu mode instead of the
    // system's menu loop; a plain form without a bar keeps the default.
    if ((Message.WParam & 0xFFF0) == SC_KEYMENU && (FSkinnableForm || FMainMenuBar)) {
        if (!InMainMenu) {
            if (FSkinMenu && FSkinMenu->Visible())
                SkinMenuClose();
            if (FMainMenuBar)
                FMainMenuBar->EnterMenuMode();
        } else {
            MainMenuExit();
        }
        return true;
    }
    return false;
}

bool TbsFormFrame::WMTimer(TMessage& Message)
{
    if (Message.WParam == FadeTimerId)
        HandleFadeTimer();
    return false;
}

bool TbsFormFrame::WMSizing(TMessage& Message)
{
    HMagnetized = VMagnetized = HMagnetized2 = VMagnetized2 = false;
    if (!(FSizeMove && FFullDrag))
        return false;
    HandleSizing(Message);
    return true;
}

bool TbsFormFrame::WMMoving(TMessage& Message)
{
    HandleMoving(Message);
    return false;
}

bool TbsFormFrame::WMEnterSizeMove(TMessage&)
{
    if (FSkinnableForm) {
        ResetObjectsState();
        MouseTimer->SetEnabled(false);
        ActiveObject = MouseCaptureObject = -1;
        FSizeMove = true;
        FFullDrag = true;   // our move and size loop always drags the whole window
    }
    return false;
}

bool TbsFormFrame::WMExitSizeMove(TMessage&)
{
    if (!FSkinnableForm)
        return false;
    if (FSizing && (FForm->Width() != FFormWidth || FForm->Height() != FFormHeight)) {
        FFormLeft = FForm->Left();
        FFormTop = FForm->Top();
        FFormWidth = FForm->Width();
        FFormHeight = FForm->Height();
        UpdateSkinFrame();
    }
    FSizing = FSizeMove = false;
    MouseTimer->SetEnabled(false);
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
    if (FSkinSupport)
        RepaintFrame();
    if (IsLayeredBorderEnabled())
        FBorderLayer->SetBoundsWithForm();
    return false;
}

bool TbsFormFrame::WMSkinChange(TMessage& Message)
{
    HandleSkinMessage(Message);
    return false;
}

bool TbsFormFrame::WMCloseSkinMenu(TMessage&)
{
    SkinMenuClose();
    return false;
}

bool TbsFormFrame::WMShowMainFormFromTray(TMessage&)
{
    if (FForm->Tag() == TrayRestoreTag) {
        if (IsLayeredBorderEnabled()) {
            SetForegroundWindow(FForm->Handle());
            if (HWND top = FindStayOnTopFormHandle())
                SetForegroundWindow(top);
        }
        FForm->SetTag(0);
    }
    return false;
}

bool TbsFormFrame::WMQuerySkinFrame(TMessage& Message)
{
    Message.Result = FSkinnableForm || !FIsVistaOs ? QUERYSKINFRAME_SKINNABLE : QUERYSKINFRAME_PLAIN;
    return true;
}

bool TbsFormFrame::WMBeginSmartEffects(TMessage&)
{
    FSmartEffectsShow = true;
    return false;
}

bool TbsFormFrame::WMEndSmartEffects(TMessage&)
{
    if (FSmartEffectsShow) {
        FSmartEffectsShow = false;
        if ((FForm->Visible() || FForm->Tag() == TrayRestoreTag) && IsLayeredBorderEnabled()) {
            Application->ProcessMessages();
            FBorderLayer->SetActiveFlag(true);
            FBorderLayer->ShowWithFormAnimation();
        }
    }
    return false;
}

bool TbsFormFrame::WMPrintSkinFrame(TMessage& Message)
{
    if (!FSkinnableForm)
        return false;
    if (Message.WParam && FrameShown()) {
        PrintFrame(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = PRINTSKINFRAME_DONE;
    }
    return true;
}

bool TbsFormFrame::WMPrintSkinFrameEx(TMessage& Message)
{
    if (!FSkinnableForm || Message.LParam != PRINTSKINFRAMEEX_KEY)
        return false;
    if (Message.WParam && FrameShown())
        PrintFrame(reinterpret_cast<HDC>(Message.WParam));
    Message.Result = PRINTSKINFRAMEEX_KEY;
    return true;
}

// ------------------------------------------------------------ second phase

void TbsFormFrame::SecondPhase(TMessage& Message)
{
    const bool skinnable = FSkinnableForm;
    switch (Message.Msg) {
    case WM_SHOWWINDOW:
        HandleShowAfter(Message);
        break;
    case WM_NCMOUSEMOVE:
        if (skinnable) {
            TPoint p = ScreenToFrame(LParamPoint(Message.LParam));
            ObjectsMouseMove(p.X, p.Y);
        }
        break;
    case WM_NCLBUTTONDOWN:
        if (!skinnable)
            break;
        if (FSizeMove) {
            FSizeMove = false;
            break;
        } else {
            TPoint p = ScreenToFrame(LParamPoint(Message.LParam));
            UpdateActiveObject(p.X, p.Y, true);
            ObjectsMouseDown(mbLeft, p.X, p.Y);
            if (Message.WParam == HTCAPTION)
                MouseCaptureObject = -1;
        }
        break;
    case WM_NCLBUTTONUP:
    case WM_NCRBUTTONUP:
        if (skinnable) {
            TPoint p = ScreenToFrame(LParamPoint(Message.LParam));
            ObjectsMouseUp(Message.Msg == WM_NCLBUTTONUP ? mbLeft : mbRight, p.X, p.Y);
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        if (skinnable) {
            TPoint p = ScreenToFrame(LParamPoint(Message.LParam));
            UpdateActiveObject(p.X, p.Y, true);
            ObjectsMouseDown(mbLeft, p.X, p.Y);
            ObjectsDblClick();
            if (Message.WParam == HTCAPTION) {
                HandleCaptionDblClick();
                MouseCaptureObject = -1;
            }
        }
        break;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
        if (skinnable) {
            TPoint p = ScreenToFrame(LParamPoint(Message.LParam));
            UpdateActiveObject(p.X, p.Y, true);
            ObjectsMouseDown(mbRight, p.X, p.Y);
            if (Message.WParam == HTCAPTION) {
                MouseCaptureObject = -1;
                if (Message.Msg == WM_NCRBUTTONDOWN && !DisableSystemMenu)
                    PopupSystemMenu(LParamPoint(Message.LParam));
            }
        }
        break;
    case WM_LBUTTONUP:
        ObjectsMouseUp(mbLeft, -1, -1);
        break;
    case WM_RBUTTONUP:
        ObjectsMouseUp(mbRight, -1, -1);
        break;
    default:
        break;
    }
}

void TbsFormFrame::HandleCaptionDblClick()
{
    bool resizable = CanResize();
    if (resizable && FWindowState == wsMinimized)
        SetWindowState(wsNormal);
    else if (resizable && FWindowState != wsMaximized && !FRollUpState &&
             FBorderIcons.Contains(TbsBorderIcon::biMaximize))
        SetWindowState(wsMaximized);
    else if (resizable && FWindowState == wsMaximized)
        SetWindowState(wsNormal);
    else
        SetRollUpState(!FRollUpState);
}

void TbsFormFrame::HandleSize(TMessage& Message)
{
    if (!FBorderLayerChangeSize) {
        CallOldWindowProc(Message);
        // The window's own rectangle: the form's bounds follow only after this message.
        TRect r;
        if (GetWindowRect(FForm->Handle(), r)) {
            FFormWidth = r.Width();
            FFormHeight = r.Height();
        }
    }
    if (!FSkinSupport) {
        if (FSkinnableForm) {
            UpdateFormRegion();
            RepaintFrame();
        }
    } else if (FSD && FSkinnableForm && GetMinWidth() <= FFormWidth && GetMinHeight() <= FFormHeight) {
        if (IsLayeredBorderEnabled()) {
            if (FBorderLayerChangeSize)
                FBorderLayer->SetBoundsWithForm3(FFormLeft, FFormTop, FFormWidth, FFormHeight);
            else
                FBorderLayer->SetBoundsWithForm();
        }
        UpdateSkinFrame();
    }
    if (FBorderLayerChangeSize)
        CallOldWindowProc(Message);
    if (FAlphaBlend && FAlphaBlendValue != 255 && CanUseLayeredWindows()) {
        RepaintFrame();
        FForm->Invalidate();
    }
    if (!FLogoBitMap.Empty() && !IsMDIForm())
        FForm->Invalidate();
}

void TbsFormFrame::HandleSizing(TMessage& Message)
{
    FSizing = true;
    FBorderLayerChangeSize = false;
    CallOldWindowProc(Message);
    auto* r = reinterpret_cast<TRect*>(Message.LParam);
    FFormWidth = r->Width();
    FFormHeight = r->Height();
    if (!FSD || (FSD->Empty && FSkinnableForm)) {
        UpdateFormRegion();
    } else if (FSkinnableForm && GetMinWidth() <= FForm->Width() && GetMinHeight() <= FForm->Height() &&
               (FForm->Width() != FFormWidth || FForm->Height() != FFormHeight)) {
        if (IsLayeredBorderEnabled() && FFormLeft == FOldFormLeft && FFormTop == FOldFormTop)
            FBorderLayer->SetBoundsWithForm3(FFormLeft, FFormTop, FFormWidth, FFormHeight);
        FOldFormLeft = FFormLeft;
        FOldFormTop = FFormTop;
        UpdateSkinFrame();
    }
}

void TbsFormFrame::HandleWindowPosChanged(TMessage& Message)
{
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    if (!pos)
        return;
    if ((pos->flags & SWP_HIDEWINDOW) && FBorderLayer && FBorderLayer->Visible() && FIsVistaOs)
        AddLayered(FForm->Handle());
    FFormLeft = pos->x;
    FFormTop = pos->y;
    if (!FSizing && FBorderLayerChangeSize) {
        FFormWidth = pos->cx;
        FFormHeight = pos->cy;
    }
    if (FSizing && (FForm->Top() != FFormTop || FForm->Left() != FFormLeft) && IsLayeredBorderEnabled())
        FBorderLayer->SetBoundsWithForm3(FFormLeft, FFormTop, FFormWidth, FFormHeight);
    if (!FSizing && !FBorderLayerChangeSize) {
        if (IsLayeredBorderEnabled())
            FBorderLayer->MoveWithForm2(FFormLeft, FFormTop);
        FOldFormLeft = FFormLeft;
        FOldFormTop = FFormTop;
    }
}

void TbsFormFrame::HandleNCCalcSize(TMessage& Message)
{
    TRect* r = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                              : reinterpret_cast<TRect*>(Message.LParam);
    if (FrameShown()) {
        if (FSkinSupport && FSD->FPicture) {
            FFormWidth = r->Width();
            FFormHeight = r->Height();
            CalcSkinRects();
            const TRect& cl = FSD->ClRect;
            r->Left += cl.Left;
            r->Top += cl.Top;
            r->Right -= FSD->FPicture->Width() - cl.Right;
            r->Bottom -= FSD->FPicture->Height() - cl.Bottom;
        } else {
            r->Left += 3;
            r->Top += GetDefCaptionHeight() + 3;
            r->Right -= 3;
            r->Bottom -= 3;
        }
        r->Right = std::max(r->Right, r->Left);
        r->Bottom = std::max(r->Bottom, r->Top);
    }
    Message.Result = 0;
}

void TbsFormFrame::HandleNCActivate(TMessage& Message)
{
    FBorderLayerChangeSize = false;
    if (FSkinMenu && FSkinMenu->Visible())
        FSkinMenu->Hide();
    HideLayerManagers();
    FFormActive = Message.WParam != 0;
    if (!FFormActive)
        UpdateActiveObject(-1, -1, false);
    if ((IsMDIForm() && !FIsVistaOs) || IsMDIChild()) {
        // The client window keeps its own activation bookkeeping.
        CallOldWindowProc(Message);
        if (IsMDIChild())
            FForm->Invalidate();
    } else {
        Message.Result = 1;   // the window layer draws no caption of its own for a framed form
    }
    if (FrameShown()) {
        RepaintFrame();
        UpdateCaptionActiveState(true);
    } else {
        UpdateCaptionActiveState(false);
    }
    // A maximized child's buttons live on the main form's menu bar: they follow its activation.
    if (IsMDIChild() && FWindowState == wsMaximized)
        if (TCustomForm* main = Application->MainForm(); main && main != FForm && main->HandleAllocated())
            main->Perform(WM_NCPAINT, 0, 0);
    if (FForm->Visible() && ClientInActiveEffect) {
        if (FFormActive)
            HideClientInActiveEffect();
        else
            ShowClientInActiveEffect();
    }
    if (IsMDIChild()) {
        UpdateMainMenuBarItems();
        UpdateMDITabsBar();
        UpDateChildActiveInMenu();
    }
    if (FForm->Visible()) {
        if (IsLayeredBorderEnabled())
            FBorderLayer->SetActive(FFormActive, true);
    } else if (FForm->Tag() != TrayRestoreTag && IsLayeredBorderEnabled()) {
        FBorderLayer->Hide();
    }
}

void TbsFormFrame::HandleShowBefore(TMessage&)
{
    if (FStartShow) {
        if (PositionInMonitor == bspDefault) {
            FStartShow = false;
        } else if (FWindowState == wsNormal) {
            FStartShow = false;
            ApplyPositionInMonitor();
        }
    }
    HWND h = FForm->Handle();
    auto prepareFade = [&] {
        AddLayered(h);
        SetLayeredWindowAlpha(h, 0);
        if (IsLayeredBorderEnabled() && (FForm->Visible() || FForm->Tag() == TrayRestoreTag)) {
            FBorderLayer->CheckFormAlpha(0, false);
            FBorderLayer->ShowWithForm();
        }
        SetTimer(h, FadeTimerId, 1);
    };
    if (FSkinnableForm) {
        if (FSD && FSD->AnimationForAllWindows() && FAlphaBlendValue == 0)
            FAlphaBlendValue = 255;
        if (AlphaFadeRequested() || NeedLayeredShowTimer())
            prepareFade();
        if (IsMDIForm())
            SubclassMDIClient();
        ForceResize();
        if (IsMDIChild()) {
            AddChildToMenu(FForm);
            AddChildToBar(FForm);
            // The main frame hears when this form is freed; shown again
            // maximized, the form takes its buttons back.
            if (TbsFormFrame* main = MainFrame(); main && main != this)
                FForm->FreeNotification(main);
            if (FWindowState == wsMaximized)
                TellMainForm(WM_MDICHILDMAXIMIZED);
        }
        if (FForm->Menu())
            FForm->SetMenu(nullptr);   // the skinned menu bar shows the menus
    } else {
        if (IsMDIForm() && FForm->MDIClient()) {
            SubclassMDIClient();
            ForceResize();
        }
        if (AlphaFadeRequested())
            prepareFade();
    }
}

void TbsFormFrame::HandleShowAfter(TMessage& Message)
{
    if (Message.WParam != 0) {
        bool skinAnimation = FSD && FSD->AnimationForAllWindows();
        if (CanUseLayeredWindows() && !AlphaBlendAnimation && !FAlphaBlend && !NeedLayeredShowTimer() &&
            !skinAnimation && (FForm->Visible() || FForm->Tag() == TrayRestoreTag) && IsLayeredBorderEnabled()) {
            Application->ProcessMessages();
            FBorderLayer->SetActiveFlag(true);
            FBorderLayer->ShowWithForm();
        }
    } else if (IsLayeredBorderEnabled()) {
        FBorderLayer->Hide();
    }
}

void TbsFormFrame::HandleFadeTimer()
{
    HWND h = FForm->Handle();
    bool borderOn = IsLayeredBorderEnabled();
    if (NeedLayeredShowTimer()) {
        KillTimer(h, FadeTimerId);
        RemoveLayered(h);
        if (borderOn && (FForm->Visible() || FForm->Tag() == TrayRestoreTag)) {
            FBorderLayer->SetActiveFlag(FForm->Active());
            FBorderLayer->CheckFormAlpha(255, true);
        }
        return;
    }
    if (!AlphaFadeRequested())
        return;
    KillTimer(h, FadeTimerId);
    if (borderOn)
        FBorderLayer->SetActiveFlag(FForm->Active());
    bool skinAnimation = FSD && FSD->AnimationForAllWindows();
    int target = (AlphaBlendAnimation || skinAnimation) && !FAlphaBlend ? 255 : FAlphaBlendValue;
    if (AlphaBlendAnimation || skinAnimation) {
        int step = std::max(target / 15, 1);
        Application->ProcessMessages();
        int alpha = 0;
        uint32_t last = 0;
        while (alpha < target) {
            uint32_t now = GetTickCount();
            if (now - last > 5) {
                last = now;
                alpha = std::min(alpha + step, target);
                SetLayeredWindowAlpha(h, std::uint8_t(alpha));
                if (borderOn)
                    FBorderLayer->CheckFormAlpha(alpha, true);
            }
            Sleep(1);   // the clock moves on; the loop never spins a core
        }
    } else if (target != 255) {
        SetLayeredWindowAlpha(h, std::uint8_t(FAlphaBlendValue));
        if (borderOn)
            FBorderLayer->CheckFormAlpha(FAlphaBlendValue, true);
    }
    if (target == 255) {
        RemoveLayered(h);
        if (borderOn)
            FBorderLayer->CheckFormAlpha(255, true);
    }
}

void TbsFormFrame::HandleSkinMessage(TMessage& Message)
{
    auto* sender = reinterpret_cast<TbsSkinData*>(Message.WParam);
    switch (Message.Msg) {
    case WM_BEFORECHANGESKINDATA:
        if (!sender || sender != FSD)
            return;
        FStopPainting = true;
        FSkinSupport = false;
        MouseTimer->SetEnabled(false);
        MorphTimer->SetEnabled(false);
        AnimateTimer->SetEnabled(false);
        ClearObjects();
        BeforeChangeControlsSkinData(sender, FForm);
        if (OnBeforeChangeSkinData)
            OnBeforeChangeSkinData(this);
        return;
    case WM_CHANGESKINDATA:
        FStopPainting = false;
        if (sender && sender == FSD)
            ApplySkinData();
        ChangeControlsSkinData(sender, FForm);
        return;
    case WM_AFTERCHANGESKINDATA:
        if (sender && sender == FSD && IsMDIForm())
            RefreshMDIChildren();
        if (OnAfterChangeSkinData)
            OnAfterChangeSkinData(this);
        return;
    case WM_CHANGERESSTRDATA:
        UpdateObjectHints();
        return;
    case WM_CHANGEFORMSKINNABLE:
        if (!FUseRibbon && FSD && sender == FSD && !IsMDIChild())
            SetSkinnableForm(FSD->SkinnableForm());
        return;
    case WM_CHANGELAYEREDBORDERS:
        if (IsLayeredBorderEnabled()) {
            if (FForm->Visible() && !FBorderLayer->Visible()) {
                FBorderLayer->SetActiveFlag(FFormActive);
                FBorderLayer->ShowWithForm();
                FForm->Show();
            }
        } else if (FBorderLayer && FBorderLayer->Visible()) {
            FBorderLayer->Hide();
        }
        return;
    default:
        return;
    }
}

void TbsFormFrame::PrintFrame(HDC DC)
{
    if (FSkinSupport)
        PaintNCSkin(DC, true);
    else
        PaintNCDefault(DC, true);
}
