#include "skin/frame/FormFrame.h"
#include "skin/frame/ClientInActivePanel.h"
#include "skin/frame/LayerBorder.h"
#include "skin/frame/MDITabsBar.h"
#include "skin/frame/QuickButtons.h"
#include "platform/ui/controls/ImageList.h"

#include <algorithm>

#include "platform/core/Exception.h"
#include "platform/gfx/Icon.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/Timer.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/boxes/SkinEdit.h"
#include "skin/data/SkinData.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/LayerWindow.h"
#include "skin/draw/MonitorRects.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/frame/FrameObjects.h"
#include "skin/frame/SkinChangeRelay.h"
#include "skin/menus/SkinMenu.h"

namespace {

void SetCaptionFont(TFont& F, TColor Color)
{
    F.SetName("Arial");
    F.SetHeight(14);
    F.SetStyle(fsBold);
    F.SetColor(Color);
}

}  // namespace

// ------------------------------------------------------------ construction

TbsFormFrame::TbsFormFrame(TComponent* AOwner) : TComponent(AOwner)
{
    FForm = dynamic_cast<TCustomForm*>(AOwner);
    if (!FForm)
        throw EComponentError("Invalid class typecast: the owner of a form frame must be a form");

    FBorderIcons = {TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                    TbsBorderIcon::biRollUp};
    FIsVistaOs = IsWindowsVistaOrLater();
    FIsLayerEnabled = CanUseLayeredWindows();
    SetCaptionFont(FDefCaptionFont, clBtnText);
    SetCaptionFont(FDefInActiveCaptionFont, clBtnShadow);
    FDefMenuItemFont.SetName("Arial");
    FDefMenuItemFont.SetHeight(14);

    FLayerManager = new TbsLayerManager(this);
    FMenuLayerManager = new TbsLayerManager(this);
    MouseTimer = new TTimer(this);
    MorphTimer = new TTimer(this);
    AnimateTimer = new TTimer(this);
    for (auto [timer, interval] : {std::pair{MouseTimer, 50u}, {MorphTimer, 25u}, {AnimateTimer, 25u}}) {
        timer->SetEnabled(false);
        timer->SetInterval(interval);
    }
    MouseTimer->OnTimer = [this](TObject* s) { MouseTimerProc(s); };
    MorphTimer->OnTimer = [this](TObject* s) { MorphTimerProc(s); };
    AnimateTimer->OnTimer = [this](TObject* s) { AnimateTimerProc(s); };

    // The form's own border icons go; its shortcuts pass the frame first.
    FForm->SetBorderIcons({});
    OldShortCut = FForm->OnShortCut;
    FForm->OnShortCut = [this](TMessage& Msg, bool& Handled) { FormShortCut(Msg, Handled); };

    FSysMenu = new TPopupMenu(this);
    FSkinMenu = std::make_unique<TbsSkinMenu>(nullptr, FForm);
    FBorderLayer = std::make_unique<TbsFormLayerBorder>(this);
    FQuickButtons = std::make_unique<TbsQuickButtonItems>(this);
    CreateSysTrayMenu();

    if (!ComponentState().Contains(csDesigning))
        InstallWindowProc();
}

TbsFormFrame::~TbsFormFrame()
{
    UnHookApp();
    ClearObjects();
    // The form outlives its components' destruction only while it is not
    // being destroyed itself; then its procedure and handler are put back.
    if (FForm && !FForm->ComponentState().Contains(csDestroying)) {
        if (OldWindowProc)
            FForm->WindowProc = OldWindowProc;
        FForm->OnShortCut = OldShortCut;
    }
    TComponent* const links[] = {FSystemMenu,    FStatusBar,           FQuickImageList,     FMDITabsBar,
                                 FMainMenuBarComponent, FSkinHintComponent, FTrayIconComponent};
    for (TComponent* c : links)
        if (c)
            c->RemoveFreeNotification(this);
    for (TbsSkinData* sd : {FSD, FMSD})
        if (sd)
            sd->RemoveFreeNotification(this);
}

void TbsFormFrame::InstallWindowProc()
{
    // The form keeps its window; every message from now on passes the frame.
    if (!OldWindowProc)
        OldWindowProc = FForm->WindowProc;
    FForm->WindowProc = [this](TMessage& m) { FormWindowProc(m); };
}

void TbsFormFrame::CallOldWindowProc(TMessage& Message)
{
    if (OldWindowProc)
        OldWindowProc(Message);
}

void TbsFormFrame::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    // Every reference to the removed component is cleared, not just the first:
    // one container may serve as both SkinData and MenusSkinData.
    if (AComponent == FSD)
        FSD = nullptr;
    if (AComponent == FMSD)
        FMSD = nullptr;
    if (AComponent == FSystemMenu)
        FSystemMenu = nullptr;
    // The seams are compared by the component taken when they were set: a
    // component being destroyed can no longer be cast to.
    if (AComponent == FMainMenuBarComponent) {
        FMainMenuBar = nullptr;
        FMainMenuBarComponent = nullptr;
    }
    if (AComponent == FMDITabsBar)
        FMDITabsBar = nullptr;
    if (AComponent == FTrayIconComponent) {
        FTrayIcon = nullptr;
        FTrayIconComponent = nullptr;
    }
    if (AComponent == FSkinHintComponent) {
        FSkinHint = nullptr;
        FSkinHintComponent = nullptr;
    }
    if (AComponent == FStatusBar)
        FStatusBar = nullptr;
    if (AComponent == FQuickImageList)
        FQuickImageList = nullptr;
    if (AComponent == FInActivePanel)
        FInActivePanel = nullptr;
    // A child form freed (it left the client's list already; a window
    // destroyed with its form brings no WM_DESTROY to the child's frame).
    if (FMDIChildMaximized)
        MDIChildRestored();
}

// ------------------------------------------------------------ properties

namespace {
template <class T>
void Relink(TComponent* self, T*& field, T* value)
{
    if (field == value)
        return;
    if (field)
        field->RemoveFreeNotification(self);
    field = value;
    if (field)
        field->FreeNotification(self);
}

void RelinkSeam(TComponent* self, auto*& field, TComponent*& component, auto* value)
{
    if (component)
        component->RemoveFreeNotification(self);
    field = value;
    component = dynamic_cast<TComponent*>(value);
    if (component)
        component->FreeNotification(self);
}
}  // namespace

void TbsFormFrame::SetSkinData(TbsSkinData* Value)
{
    Relink(this, FSD, Value);
    if (FSD && !IsMDIChild())
        FSkinnableForm = FSD->SkinnableForm() && !FUseRibbon;
    if (!ComponentState().Contains(csDesigning))
        ApplySkinData();
}

void TbsFormFrame::SetMenusSkinData(TbsSkinData* Value) { Relink(this, FMSD, Value); }
void TbsFormFrame::SetSystemMenu(TPopupMenu* Value) { Relink(this, FSystemMenu, Value); }
void TbsFormFrame::SetStatusBar(TComponent* Value) { Relink(this, FStatusBar, Value); }
void TbsFormFrame::SetQuickImageList(TImageList* Value) { Relink(this, FQuickImageList, Value); }

void TbsFormFrame::SetQuickButtons(const TbsQuickButtonItems& Value) { FQuickButtons->Assign(Value); }

bool TbsFormFrame::HasQuickButtons() const { return FQuickButtons->Count() > 0 && FQuickImageList; }
void TbsFormFrame::SetMDITabsBar(TbsSkinMDITabsBar* Value) { Relink(this, FMDITabsBar, Value); }
void TbsFormFrame::SetMainMenuBar(IbsFrameMenuBar* Value) { RelinkSeam(this, FMainMenuBar, FMainMenuBarComponent, Value); }
void TbsFormFrame::SetSkinHint(IbsFrameHint* Value) { RelinkSeam(this, FSkinHint, FSkinHintComponent, Value); }
void TbsFormFrame::SetTrayIcon(IbsFrameTray* Value) { RelinkSeam(this, FTrayIcon, FTrayIconComponent, Value); }

void TbsFormFrame::SetBorderIcons(TbsBorderIcons Value)
{
    FBorderIcons = Value;
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading))
        return;
    UpdateCaptionButtons();
    RepaintFrame();
}

void TbsFormFrame::SetUseRibbon(bool Value)
{
    FUseRibbon = Value;
    if (Value && !ComponentState().Contains(csDesigning))
        SetSkinnableForm(false);
}

void TbsFormFrame::SetShowIcon(bool Value)
{
    FShowIcon = Value;
    if (!ComponentState().Contains(csDesigning) && !ComponentState().Contains(csLoading))
        RepaintFrame();
}

void TbsFormFrame::SetAlphaBlend(bool Value)
{
    if (Value == FAlphaBlend)
        return;
    FAlphaBlend = Value;
    if (!ComponentState().Empty() || !CanUseLayeredWindows())
        return;
    HWND h = FForm->Handle();
    LONG_PTR ex = GetWindowLong(h, GWL_EXSTYLE);
    if (Value) {
        if (!(ex & WS_EX_LAYERED))
            SetWindowLong(h, GWL_EXSTYLE, ex | WS_EX_LAYERED);
        SetLayeredWindowAlpha(h, std::uint8_t(FAlphaBlendValue));
    } else if (ex & WS_EX_LAYERED) {
        SetWindowLong(h, GWL_EXSTYLE, ex & ~LONG_PTR(WS_EX_LAYERED));
    }
}

void TbsFormFrame::SetAlphaBlendValue(int Value)
{
    Value = std::clamp(Value, 0, 255);
    if (Value == FAlphaBlendValue)
        return;
    FAlphaBlendValue = Value;
    if (FAlphaBlend && ComponentState().Empty() && CanUseLayeredWindows())
        SetLayeredWindowAlpha(FForm->Handle(), std::uint8_t(Value));
}

void TbsFormFrame::SetDefCaptionFont(const TFont& Value)
{
    FDefCaptionFont.Assign(Value);
    if (ComponentState().Empty() && !FSkinSupport)
        RepaintFrame();
}

void TbsFormFrame::SetDefInActiveCaptionFont(const TFont& Value)
{
    FDefInActiveCaptionFont.Assign(Value);
    if (ComponentState().Empty() && !FSkinSupport)
        RepaintFrame();
}

void TbsFormFrame::SetMaxMenuItemsInWindow(int Value)
{
    if (Value >= 0)
        FMaxMenuItemsInWindow = Value;
}

void TbsFormFrame::SetDefMenuItemHeight(int Value)
{
    if (Value > 0)
        FDefMenuItemHeight = Value;
}

// ------------------------------------------------------------ small operations

bool TbsFormFrame::GetFormActive() const
{
    if (PreviewMode)
        return true;
    if (IsMDIChild() || IsMDIForm())
        return FFormActive;
    return FForm->Active();
}

bool TbsFormFrame::CanResize() const
{
    TBorderStyle bs = FForm->BorderStyle();
    return AlwaysResize || bs == bsSizeable || bs == bsSizeToolWin;
}

bool TbsFormFrame::FrameShown() const
{
    return FForm->BorderStyle() != bsNone && !(IsMDIChild() && FWindowState == wsMaximized);
}

void TbsFormFrame::RepaintFrame()
{
    if (FForm->HandleAllocated())
        SendMessage(FForm->Handle(), WM_NCPAINT, 0, 0);
}

void TbsFormFrame::ClearObjects()
{
    ObjectList.clear();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

int TbsFormFrame::GetIndex(const std::string& AIDName) const
{
    for (size_t i = 0; i < ObjectList.size(); ++i)
        if (ObjectList[i]->IDName == AIDName)
            return int(i);
    return -1;
}

void TbsFormFrame::SetEnabled(const std::string& AIDName, bool Value)
{
    int i = GetIndex(AIDName);
    if (i >= 0)
        ObjectList[size_t(i)]->Enabled = Value;
}

void TbsFormFrame::UserObjectDraw(const std::string& AIDName)
{
    // User objects come with the skinned frame's objects; a plain frame has none.
    int i = GetIndex(AIDName);
    if (i >= 0 && FSkinSupport)
        DrawSkinObject(ObjectList[size_t(i)].get());
}

void TbsFormFrame::ResetObjectsState()
{
    // The caption's Active is the form's activation, not the mouse's: it stays.
    // Animations go back to their first frame.
    for (auto& o : ObjectList) {
        o->FMouseIn = false;
        if (dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            continue;
        o->Active = false;
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()))
            a->FFrame = 1;
        else
            o->FMorphKf = 0;
    }
}

void TbsFormFrame::SetFormStyle(TFormStyle FS)
{
    if (FS != fsNormal && FS != fsStayOnTop)
        return;
    FForm->SetFormStyle(FS);
    ChangeControlsSkinData(nullptr, FForm);
}

void TbsFormFrame::SetFormBorderStyle(TBorderStyle BS)
{
    FForm->SetBorderStyle(BS);
    ChangeControlsSkinData(nullptr, FForm);
}

HWND TbsFormFrame::FindStayOnTopFormHandle() const
{
    for (TCustomForm* f : Screen->FormList())
        if (f->Visible() && f->FormStyle() == fsStayOnTop)
            return f->Handle();
    return nullptr;
}

void TbsFormFrame::DoPaintEvent(const std::string& IDName, TCanvas& Canvas, const TRect& ObjectRect)
{
    if (OnPaintEvent)
        OnPaintEvent(IDName, Canvas, ObjectRect);
}
void TbsFormFrame::DoMouseUpEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseUpEvent)
        OnMouseUpEvent(IDName, X, Y, R, B);
}
void TbsFormFrame::DoMouseDownEvent(const std::string& IDName, int X, int Y, const TRect& R, TMouseButton B)
{
    if (OnMouseDownEvent)
        OnMouseDownEvent(IDName, X, Y, R, B);
}
void TbsFormFrame::DoMouseMoveEvent(const std::string& IDName, int X, int Y, const TRect& R)
{
    if (OnMouseMoveEvent)
        OnMouseMoveEvent(IDName, X, Y, R);
}
void TbsFormFrame::DoMouseEnterEvent(const std::string& IDName)
{
    if (OnMouseEnterEvent)
        OnMouseEnterEvent(IDName);
}
void TbsFormFrame::DoMouseLeaveEvent(const std::string& IDName)
{
    if (OnMouseLeaveEvent)
        OnMouseLeaveEvent(IDName);
}

// ------------------------------------------------------------ size limits

int TbsFormFrame::GetMinWidth() const
{
    bool minimized = FWindowState == wsMinimized;
    int result;
    if (!FSkinSupport || !FSD || !FSD->FPicture) {
        result = MinWidth > 0 ? MinWidth : 120;
    } else {
        int pictureWidth = FSD->FPicture->Width();
        if (pictureWidth < MinWidth && !minimized)
            result = MinWidth;
        else if (FSD->FormMinWidth > 0)
            result = (FSD->FormMinWidth >= MinWidth || minimized) ? FSD->FormMinWidth : MinWidth;
        else
            result = pictureWidth;
    }
    return std::max(result, 1);   // a zero minimum would stall the minimized stacking
}

int TbsFormFrame::GetMinHeight() const
{
    int h;
    if (FSkinSupport && FSD && FSD->FPicture)
        h = FSD->FPicture->Height() - FSD->ClRect.Height();
    else
        h = GetDefCaptionHeight() + 6;
    int result = (h < MinHeight && !FRollUpState && FWindowState != wsMinimized) ? MinHeight : h;
    return std::max(result, 1);
}

int TbsFormFrame::GetMaxWidth() const
{
    // Zero or a negative value means the monitor: a negative maximum would
    // reach the window manager as a negative tracking size.
    if (MaxWidth > 0)
        return MaxWidth;
    TRect r;
    GetWindowMonitorRect(FForm->HandleAllocated() ? FForm->Handle() : nullptr, !MaximizeOnFullScreen, r);
    return r.Width();
}

int TbsFormFrame::GetMaxHeight() const
{
    if (MaxHeight > 0)
        return MaxHeight;
    TRect r;
    GetWindowMonitorRect(FForm->HandleAllocated() ? FForm->Handle() : nullptr, !MaximizeOnFullScreen, r);
    return r.Height();
}

void TbsFormFrame::ForceResize()
{
    int w = FForm->Width();
    if (w - 1 < GetMinWidth())
        FForm->SetWidth(w + 1);
    else
        FForm->SetWidth(w - 1);
    FForm->SetWidth(w);
}

void TbsFormFrame::ShowClientInActiveEffect()
{
    HideClientInActiveEffect();
    FInActivePanel = new TbsClientInActivePanel(this);
    // The snapshot of an MDI form needs its background painted meanwhile.
    FClientInActiveDraw = true;
    FInActivePanel->ShowPanel(FForm, ClientInActiveEffectType);
    FClientInActiveDraw = false;
}

void TbsFormFrame::HideClientInActiveEffect()
{
    if (!FInActivePanel)
        return;
    FInActivePanel->HidePanel();
    delete FInActivePanel;
    FInActivePanel = nullptr;
}

void TbsFormFrame::MinimizeToTray()
{
    // Without a tray that can show the icon, the form is minimized plainly:
    // hiding it into an absent icon would leave no way back.
    if (FTrayIcon) {
        FTrayIcon->ShowIcon();
        if (FTrayIcon->IconShown()) {
            FForm->Hide();
            if (OnMinimizeToTray)
                OnMinimizeToTray(this);
            return;
        }
    }
    SetWindowState(wsMinimized);
}

// ------------------------------------------------------------ hover tracking

void TbsFormFrame::MouseTimerProc(TObject*)
{
    if (!GetFormActive())
        return;
    TPoint p;
    GetCursorPos(p);
    HWND under = WindowFromPoint(p);
    if (!FForm->HandleAllocated() || under != FForm->Handle()) {
        MouseTimer->SetEnabled(false);
        UpdateActiveObject(-1, -1, false);
        return;
    }
    if (FSizeMove || FBorderLayerChangeSize) {
        MouseTimer->SetEnabled(false);
        return;
    }
    TPoint f = ScreenToFrame(p);
    TRect client = FSkinSupport ? NewClRect
                                : TRect{3, GetDefCaptionHeight() + 3, FForm->Width() - 3, FForm->Height() - 3};
    if (!client.Contains(f))
        UpdateActiveObject(f.X, f.Y, true);
    else if (ActiveObject != -1)
        UpdateActiveObject(-1, -1, true);
}

void TbsFormFrame::UpdateActiveObject(int X, int Y, bool AActivate)
{
    if (ObjectList.empty() || !GetFormActive() || FSizeMove || FBorderLayerChangeSize || PreviewMode ||
        FForm->BorderStyle() == bsNone)
        return;
    OldActiveObject = ActiveObject;
    int hit = -1;
    for (size_t i = 0; i < ObjectList.size(); ++i) {
        auto& o = *ObjectList[i];
        if (o.Enabled && o.Visible && o.ObjectRect.Contains(TPoint{X, Y}) &&
            o.PointInObject(X - o.ObjectRect.Left, Y - o.ObjectRect.Top)) {
            hit = int(i);
            break;
        }
    }
    ActiveObject = AActivate ? hit : -1;
    if (MouseCaptureObject != -1 && MouseCaptureObject != hit && hit != -1)
        ActiveObject = -1;
    if (ActiveObject >= int(ObjectList.size()))
        ActiveObject = -1;
    if (ActiveObject == OldActiveObject)
        return;
    if (OldActiveObject >= 0 && OldActiveObject < int(ObjectList.size())) {
        auto& old = *ObjectList[size_t(OldActiveObject)];
        if (old.Enabled && old.Visible) {
            old.MouseLeave();
            if (ShowObjectHint && FSkinHint && !old.Hint.empty())
                FSkinHint->HideHint();
        }
    }
    if (ActiveObject >= 0) {
        auto& now = *ObjectList[size_t(ActiveObject)];
        if (now.Enabled && now.Visible) {
            now.MouseEnter();
            if (ShowObjectHint && FSkinHint && !now.Hint.empty())
                FSkinHint->ActivateHint2(now.Hint);
        }
    }
}

void TbsFormFrame::ObjectsMouseMove(int X, int Y)
{
    int i = MouseCaptureObject != -1 ? MouseCaptureObject : ActiveObject;
    if (i >= 0 && i < int(ObjectList.size()))
        ObjectList[size_t(i)]->MouseMove(X, Y);
}

void TbsFormFrame::ObjectsDblClick()
{
    if (ActiveObject >= 0 && ActiveObject < int(ObjectList.size()))
        ObjectList[size_t(ActiveObject)]->DblClick();
}

void TbsFormFrame::ObjectsMouseDown(TMouseButton Button, int X, int Y)
{
    if (ActiveObject < 0 || ActiveObject >= int(ObjectList.size()))
        return;
    // The caption keeps the mouse free: its release over the frame reaches
    // its quick buttons with the point, and a drag starts the move loop.
    if (!dynamic_cast<TbsSkinCaptionObject*>(ObjectList[size_t(ActiveObject)].get()))
        SetCapture(FForm->Handle());
    MouseCaptureObject = ActiveObject;
    ObjectList[size_t(ActiveObject)]->MouseDown(X, Y, Button);
}

void TbsFormFrame::ObjectsMouseUp(TMouseButton Button, int X, int Y)
{
    if (MouseCaptureObject < 0 || MouseCaptureObject >= int(ObjectList.size())) {
        MouseCaptureObject = -1;
        return;
    }
    int i = MouseCaptureObject;
    if (!dynamic_cast<TbsSkinCaptionObject*>(ObjectList[size_t(i)].get()))
        ReleaseCapture();
    MouseCaptureObject = -1;
    // The object may close the form: nothing of the frame is touched after it.
    ObjectList[size_t(i)]->MouseUp(X, Y, Button);
}

// ------------------------------------------------------------ shortcuts and menus

void TbsFormFrame::SkinMenuOpen()
{
    if (!InMainMenu)
        HookApp();
    if (!InMenu) {
        InMenu = true;
        if (OnSkinMenuOpen)
            OnSkinMenuOpen(this);
    }
}

void TbsFormFrame::HookApp()
{
    if (FInAppHook)
        return;
    OldAppMessage = Application->OnMessage;
    Application->OnMessage = [this](TMsg& Msg, bool& Handled) { MenuMessageFilter(Msg, Handled); };
    FInAppHook = true;
}

void TbsFormFrame::UnHookApp()
{
    if (!FInAppHook)
        return;
    FInAppHook = false;
    Application->OnMessage = OldAppMessage;
    OldAppMessage = nullptr;
}

void TbsFormFrame::MenuMessageFilter(TMsg& Msg, bool& Handled)
{
    if (Msg.message == WM_KEYDOWN) {
        MenuKeyDown(Msg);
        Msg.message = WM_NULL;
        Handled = true;
    } else if (Msg.message == WM_MOUSEWHEEL) {
        Msg.message = WM_NULL;
        Handled = true;
    }
}

void TbsFormFrame::MenuKeyDown(TMsg& Msg)
{
    // A child's menu shown by the main form's engine takes its keys there.
    if (IsMDIChild())
        if (TbsFormFrame* main = MainFrame(); main && main != this &&
                                              (main->InMenu || main->InMainMenu || (main->FSkinMenu && main->FSkinMenu->Visible()))) {
            main->MenuKeyDown(Msg);
            return;
        }
    int key = int(Msg.wParam & 0xFFFF);
    bool menuOpen = FSkinMenu && FSkinMenu->Visible();
    if (InMainMenu && FMainMenuBar && FMainMenuBar->ProcessAccelerator(key))
        return;
    if (key == VK_ESCAPE && InMainMenu && !menuOpen) {
        MainMenuExit();
        return;
    }
    if (key == VK_LEFT && InMainMenu && (!menuOpen || FSkinMenu->WindowCount() <= 1)) {
        if (FMainMenuBar)
            FMainMenuBar->PriorMainMenuItem();
        return;
    }
    if (key == VK_RIGHT && InMainMenu && (!menuOpen || !FSkinMenu->TopSelectedHasSubItems())) {
        if (FMainMenuBar)
            FMainMenuBar->NextMainMenuItem();
        return;
    }
    if (key == VK_RETURN || key == VK_DOWN) {
        if (InMainMenu && FMainMenuBar && FMainMenuBar->OpenActiveItem())
            return;
        if (menuOpen)
            FSkinMenu->PopupKeyDown(key);
        return;
    }
    if (menuOpen)
        FSkinMenu->PopupKeyDown(key);
    if (key == VK_ESCAPE && !(FSkinMenu && FSkinMenu->Visible())) {
        if (InMainMenu)
            MainMenuSkinMenuClose();
        else
            SkinMenuClose();
    }
}

void TbsFormFrame::CloseMenusOnMessage(const TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE:
    case WM_MOUSEACTIVATE: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
        break;
    default:
        return;
    }
    if (ShowObjectHint && FSkinHint)
        FSkinHint->HideHint();
    // An open menu of this frame closes; on a shown MDI form without one,
    // a menu of the active child (its system menu, say) closes instead.
    auto closeOpenMenu = [](TbsFormFrame* F) {
        if (F->FSkinMenu && F->FSkinMenu->Visible())
            F->FSkinMenu->Hide();
        else if (F->InMenu)
            F->SkinMenuClose();
        else
            return false;
        return true;
    };
    bool menuOpen = FSkinMenu && FSkinMenu->Visible();
    if (!InMainMenu || InMenu) {
        if (!closeOpenMenu(this) && IsMDIForm() && FForm->Visible())
            if (TbsFormFrame* child = GetActiveMDIChildSkinForm(); child && child != this)
                closeOpenMenu(child);
    } else if (!menuOpen) {
        MainMenuExit();
    }
    CancelMDIFormDropDowns();
}

void TbsFormFrame::CancelMDIFormDropDowns()
{
    if (!ComponentState().Empty() || !IsMDIForm() || !FForm->Visible())
        return;
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        auto* box = dynamic_cast<TWinControl*>(FForm->Components(i));
        if (!box || !(dynamic_cast<TbsSkinCustomComboBox*>(box) || dynamic_cast<TbsSkinCustomEdit*>(box)))
            continue;
        if (box->Visible() && box->Enabled() && box->HandleAllocated())
            SendMessage(box->Handle(), CM_CANCELMODE, 0, 0);
    }
}

void TbsFormFrame::MainMenuExit()
{
    InMainMenu = false;
    if (FSkinMenu && FSkinMenu->Visible())
        FSkinMenu->Hide();
    if (FMainMenuBar)
        FMainMenuBar->LeaveMenuMode();
    UnHookApp();
    if (OnMainMenuExit)
        OnMainMenuExit(this);
}

void TbsFormFrame::MainMenuSkinMenuClose()
{
    InMenu = false;
    if (FMainMenuBar)
        FMainMenuBar->ReleaseDownItem();
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
}

void TbsFormFrame::SkinMenuClose()
{
    if (FMenuLayerManager->IsVisible())
        FMenuLayerManager->Hide();
    InMenu = false;
    ReleaseMenuObject();
    UnHookApp();
    if (OnSkinMenuClose)
        OnSkinMenuClose(this);
    if (InMainMenu) {
        InMainMenu = false;
        if (FMainMenuBar)
            FMainMenuBar->LeaveMenuMode();
        if (OnMainMenuExit)
            OnMainMenuExit(this);
    }
}

void TbsFormFrame::ReleaseMenuObject()
{
    // The object whose menu just closed: a button pops up, an animation plays
    // back from its last frame and takes hover again.
    for (auto& o : ObjectList) {
        if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o.get()); b && b->MenuItem && b->FDown) {
            b->SetDown(false);
            return;
        }
        if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()); a && a->MenuItem && a->FMenuTracking) {
            a->Active = true;
            a->FFrame = a->CountFrames;
            a->FDown = false;
            a->FMenuTracking = false;
            a->Increment = false;
            if (!AnimateTimer->Enabled())
                AnimateTimer->SetEnabled(true);
            return;
        }
    }
}

void TbsFormFrame::PopupSkinMenu(TMenuItem* Menu, TPoint P)
{
    PopupSkinMenu1(Menu, TRect{P.X, P.Y, P.X, P.Y}, false);
}

void TbsFormFrame::PopupSkinMenu1(TMenuItem* Menu, const TRect& R, bool PopupUp)
{
    SkinMenuOpen();
    if (FSkinMenu)
        FSkinMenu->Popup(Menu, R, PopupUp, FMSD ? FMSD : FSD);
}

void TbsFormFrame::DoPopupMenu(TPopupMenu* Menu, int X, int Y)
{
    if (Menu->OnPopup)
        Menu->OnPopup(Menu);
    if (FSkinMenu && FSkinMenu->Visible())
        SkinMenuClose();
    SkinMenuOpen();
    if (FSkinMenu)
        FSkinMenu->Popup(Menu->Items(), TRect{X, Y, X, Y}, false, FSD);
}

// ------------------------------------------------------------ the form icon

TSize TbsFormFrame::GetSmallIconSize()
{
    int w = GetSystemMetrics(SM_CXSMICON);
    int h = GetSystemMetrics(SM_CYSMICON);
    if (w == 0)
        w = GetSystemMetrics(SM_CXSIZE);
    if (h == 0)
        h = GetSystemMetrics(SM_CYSIZE);
    return TSize{w, h};
}

const TBitmap* TbsFormFrame::CreateFormIcon()
{
    if (FIcon)
        return FIcon.get();
    const TIcon* source = !FForm->Icon().Empty() ? &FForm->Icon() : &Application->Icon();
    if (source->Empty())
        return nullptr;
    // A copy of the picture; DrawFormIcon scales it to the small icon size
    // and blends it by its alpha.
    FIcon = std::make_unique<TBitmap>(source->Bitmap());
    return FIcon.get();
}

void TbsFormFrame::DrawFormIcon(TCanvas& Canvas, int X, int Y)
{
    if (const TBitmap* icon = CreateFormIcon()) {
        TSize size = GetSmallIconSize();
        icon->Draw(Canvas, Bounds(X, Y, size.cx, size.cy));
    }
}
