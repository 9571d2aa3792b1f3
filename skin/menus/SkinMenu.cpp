#include "skin/menus/SkinMenu.h"

#include <algorithm>

#include "platform/ui/Input.h"
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/Controls.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinMessages.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/MonitorRects.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/MenuWindow.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"

namespace {

const char* const UtilClassName = "TbsSkinMenuUtil";
constexpr UINT WM_FREECLOSEDMENUS = WM_USER + 1;

}  // namespace

TbsFormFrame* FindSkinForm(TComponent* Component)
{
    if (!Component)
        return nullptr;
    for (int i = 0; i < Component->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TbsFormFrame*>(Component->Components(i)))
            return f;
    return nullptr;
}

bool IsCloseMenuMessage(UINT Msg)
{
    switch (Msg) {
    case WM_MOVE: case WM_SIZE: case WM_ACTIVATE: case WM_KILLFOCUS: case WM_CANCELMODE:
    case WM_MOUSEACTIVATE: case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_PARENTNOTIFY:
        return true;
    default:
        return false;
    }
}

// ------------------------------------------------------------ the engine

TbsSkinMenu::TbsSkinMenu(TComponent* AOwner, TCustomForm* AForm) : TComponent(AOwner), FForm(AForm)
{
    FDefaultMenuItemFont.SetName("Arial");
    FDefaultMenuItemFont.SetStyle(0);
    FDefaultMenuItemFont.SetHeight(14);
    WaitTimer = NewMenuTimer(500, [this](TObject*) {
        WaitTimer->SetEnabled(false);
        if (TbsSkinMenuItem* item = WItem)
            ItemAction(item->Parent, item, true, false);
    });
}

TbsSkinMenu::~TbsSkinMenu()
{
    CloseFrom(0);
    FClosed.clear();
    if (FUtilWindow && IsWindow(FUtilWindow))
        DestroyWindow(FUtilWindow);
    delete WaitTimer;
}

void TbsSkinMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == PopupCtrl)
        PopupCtrl = nullptr;
    if (AComponent == DCtrl)
        DCtrl = nullptr;
    if (AComponent == FAfterCtrl)
        FAfterCtrl = nullptr;
    if (AComponent == SkinData)
        SkinData = nullptr;
}

TRect TbsSkinMenu::GetWorkArea() const
{
    TRect r;
    GetWindowMonitorRect(FForm && FForm->HandleAllocated() ? FForm->Handle() : nullptr, true, r);
    return r;
}

void TbsSkinMenu::SendTo(TControl* Ctrl, UINT Msg)
{
    if (auto* w = dynamic_cast<TWinControl*>(Ctrl); w && w->HandleAllocated())
        SendMessage(w->Handle(), Msg, 0, 0);
    else
        Ctrl->Perform(Msg, 0, 0);
}

void TbsSkinMenu::Popup(TMenuItem* Items, const TRect& R, bool PopupUp, TbsSkinData* ASkinData)
{
    Popup(nullptr, ASkinData, 0, R, Items, PopupUp);
}

void TbsSkinMenu::Popup(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R,
                        TMenuItem* AItem, bool PopupUp)
{
    Popup2(APopupCtrl, ASkinData, StartIndex, R, AItem, nullptr, PopupUp);
}

void TbsSkinMenu::Popup2(TControl* APopupCtrl, TbsSkinData* ASkinData, int StartIndex, const TRect& R,
                         TMenuItem* AItem, TMenuItem* AItem2, bool PopupUp)
{
    FFirst = !FVisible;
    // The replaced menu's opener hears that its menu closed before the new
    // opener is taken.
    if (!FPopupList.empty())
        CloseFrom(0);
    PopupCtrl = APopupCtrl;
    if (PopupCtrl)
        PopupCtrl->FreeNotification(this);
    WorkArea = GetWorkArea();
    if (SkinData && SkinData != ASkinData)
        SkinData->RemoveFreeNotification(this);
    SkinData = ASkinData;
    if (SkinData)
        SkinData->FreeNotification(this);
    // The form's frame holds the settings of its menus.
    if (TbsFormFrame* frame = FindSkinForm(FForm)) {
        AlphaBlend = frame->MenusAlphaBlend();
        AlphaBlendValue = frame->MenusAlphaBlendValue();
        AlphaBlendAnimation = frame->MenusAlphaBlendAnimation();
        MaxMenuItemsInWindow = frame->MaxMenuItemsInWindow();
        FUseSkinFont = frame->UseSkinFontInMenu();
        FDefaultMenuItemHeight = frame->DefMenuItemHeight();
        FDefaultMenuItemFont.Assign(frame->DefMenuItemFont());
    }
    int count = AItem ? AItem->Count() + (AItem2 ? AItem2->Count() : 0) : 0;
    if (AItem && AItem->Count() > 0 && StartIndex < count) {
        FVisible = true;
        if (AItem2)
            OpenPopupWindow2(R, AItem, AItem2, StartIndex, false, PopupUp);
        else
            OpenPopupWindow(R, AItem, StartIndex, false, PopupUp);
        FFirst = false;
        return;
    }
    // Nothing to show: the form leaves the menu mode it entered for it, so
    // that its keys are not held back for a menu that never opened.
    PopupCtrl = nullptr;
    if (FForm && FForm->HandleAllocated())
        SendMessage(FForm->Handle(), WM_CLOSESKINMENU, 0, 0);
}

void TbsSkinMenu::OpenPopupWindow(const TRect& R, TMenuItem* AItem, int StartIndex, bool PopupByItem, bool PopupUp)
{
    OpenPopupWindow2(R, AItem, nullptr, StartIndex, PopupByItem, PopupUp);
}

void TbsSkinMenu::OpenPopupWindow2(const TRect& R, TMenuItem* AItem, TMenuItem* AItem2, int StartIndex,
                                   bool PopupByItem, bool PopupUp)
{
    TbsDataSkinPopupWindow* desc = SkinData && !SkinData->Empty ? SkinData->PopupWindow.get() : nullptr;
    FPopupList.push_back(std::make_unique<TbsSkinPopupWindow>(this, desc));
    TbsSkinPopupWindow* w = FPopupList.back().get();
    if (AItem2)
        w->Show2(R, AItem, AItem2, StartIndex, PopupByItem, PopupUp);
    else
        w->Show(R, AItem, StartIndex, PopupByItem, PopupUp);
    TakeMouse();
}

int TbsSkinMenu::IndexOfPopup(const TbsSkinPopupWindow* Window) const
{
    for (size_t i = 0; i < FPopupList.size(); ++i)
        if (FPopupList[i].get() == Window)
            return int(i);
    return int(FPopupList.size());
}

void TbsSkinMenu::TakeMouse()
{
    // While the menu is open its top window holds the mouse, so that a press
    // anywhere, also outside the program's windows, reaches the menu.
    if (!FPopupList.empty() && FPopupList.back()->Handle())
        SetCapture(FPopupList.back()->Handle());
}

void TbsSkinMenu::FreeClosedWindows()
{
    FClosed.clear();
}

void TbsSkinMenu::CloseFrom(int Level)
{
    Level = std::max(0, Level);
    if (Level < int(FPopupList.size())) {
        HWND capture = GetCapture();
        bool ours = false;
        for (int i = int(FPopupList.size()) - 1; i >= Level; --i) {
            auto w = std::move(FPopupList[size_t(i)]);
            FPopupList.pop_back();
            if (WItem && WItem->Parent == w.get())
                StopWaiting();
            if (w->Handle() && w->Handle() == capture)
                ours = true;
            w->DestroyHandle();
            FClosed.push_back(std::move(w));
        }
        if (ours && Level == 0 && GetCapture() == capture)
            ReleaseCapture();
        // The closed windows may be in the middle of their own handlers.
        if (!FUtilWindow || !IsWindow(FUtilWindow)) {
            WNDCLASS wc;
            if (!GetClassInfo(UtilClassName, wc)) {
                wc.lpszClassName = UtilClassName;
                wc.lpfnWndProc = &DefWindowProc;
                RegisterClass(wc);
            }
            TWndProc proc = [this](HWND h, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
                if (msg == WM_FREECLOSEDMENUS) {
                    FreeClosedWindows();
                    return 0;
                }
                return DefWindowProc(h, msg, wp, lp);
            };
            FUtilWindow = CreateWindowEx(0, UtilClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr, 0, nullptr, proc);
        }
        if (FUtilWindow)
            PostMessage(FUtilWindow, WM_FREECLOSEDMENUS, 0, 0);
        if (Level > 0)
            TakeMouse();
    }
    if (Level != 0)
        return;
    FVisible = false;
    WaitTimer->SetEnabled(false);
    DCtrl = PopupCtrl;
    if (TControl* c = PopupCtrl) {
        PopupCtrl = nullptr;
        SendTo(c, WM_CLOSESKINMENU);
    }
    if (OnMenuClose) {
        TNotifyEvent e = std::move(OnMenuClose);
        OnMenuClose = nullptr;
        e(this);
    }
}

void TbsSkinMenu::Hide()
{
    CloseFrom(0);
    StopWaiting();
    if (FForm && FForm->HandleAllocated())
        SendMessage(FForm->Handle(), WM_CLOSESKINMENU, 0, 0);
}

void TbsSkinMenu::StopWaiting()
{
    WaitTimer->SetEnabled(false);
    WItem = nullptr;
}

void TbsSkinMenu::StopWaitingFor(TbsSkinMenuItem* Item)
{
    if (WItem == Item)
        StopWaiting();
}

void TbsSkinMenu::CloseAbove(TbsSkinPopupWindow* Window, int Levels)
{
    int level = IndexOfPopup(Window);
    if (int(FPopupList.size()) > level + Levels)
        FPopupList[size_t(level + 1)]->CloseChildMenus();
}

void TbsSkinMenu::ItemAction(TbsSkinPopupWindow* Window, TbsSkinMenuItem* Item, bool Click, bool Kb)
{
    TMenuItem* mi = Item->MenuItem;
    int level = IndexOfPopup(Window);
    auto closeAbove = [&] {
        if (level < int(FPopupList.size()) - 1)
            CloseFrom(level + 1);
    };
    auto dispatch = [](TMenuItem* m) {
        if (TMenu* menu = m->GetParentMenu())
            menu->DispatchCommand(m->Command());
        else
            m->Click();
    };
    if (mi->Count() == 0) {
        StopWaiting();
        if (!Click) {
            closeAbove();
            return;
        }
        // The windows and the item go first; the command may free the form.
        Hide();
        // The opener is told after the command, unless the command freed it.
        FAfterCtrl = DCtrl;
        DCtrl = nullptr;
        if (FAfterCtrl)
            FAfterCtrl->FreeNotification(this);
        std::weak_ptr<bool> alive = FAlive;
        dispatch(mi);
        if (alive.expired())
            return;
        if (TControl* after = FAfterCtrl) {
            FAfterCtrl = nullptr;
            SendTo(after, WM_AFTERDISPATCH);
        }
        return;
    }
    if (!Click) {
        if (Kb)
            return;
        StopWaiting();
        closeAbove();
        WItem = Item;
        WaitTimer->SetEnabled(true);
        return;
    }
    std::weak_ptr<bool> alive = FAlive;
    dispatch(mi);
    if (alive.expired() || IndexOfPopup(Window) == int(FPopupList.size()))
        return;
    StopWaiting();
    closeAbove();
    Item->Down = true;
    TRect wr;
    GetWindowRect(Window->Handle(), wr);
    TRect r = Item->ObjectRect;
    r.Offset(wr.Left, wr.Top);
    OpenPopupWindow(r, mi, 0, true, false);
}

bool TbsSkinMenu::TopSelectedHasSubItems() const
{
    if (FPopupList.empty())
        return false;
    TbsSkinMenuItem* item = FPopupList.back()->ActiveMenuItem();
    return item && item->MenuItem->Count() > 0;
}

void TbsSkinMenu::PopupKeyDown(int Key)
{
    if (!FPopupList.empty())
        FPopupList.back()->PopupKeyDown(Key);
}

void TbsSkinMenu::MouseMessage(UINT Msg, TPoint Screen)
{
    TbsSkinPopupWindow* target = nullptr;
    for (int i = int(FPopupList.size()) - 1; i >= 0 && !target; --i) {
        TRect wr;
        HWND h = FPopupList[size_t(i)]->Handle();
        if (h && GetWindowRect(h, wr) && wr.Contains(Screen))
            target = FPopupList[size_t(i)].get();
    }
    switch (Msg) {
    case WM_MOUSEMOVE: {
        std::vector<TbsSkinPopupWindow*> windows;
        for (auto& w : FPopupList)
            windows.push_back(w.get());
        for (TbsSkinPopupWindow* w : windows)
            if (IndexOfPopup(w) < int(FPopupList.size()))
                w->MouseTimerProc();
        break;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        if (target) {
            TRect wr;
            GetWindowRect(target->Handle(), wr);
            target->MouseUp(Msg == WM_LBUTTONUP, Screen.X - wr.Left, Screen.Y - wr.Top);
        }
        break;
    default:
        // A press outside the menu cancels it as any cancel mode of the form does.
        if (!target) {
            if (FForm && FForm->HandleAllocated())
                SendMessage(FForm->Handle(), WM_CANCELMODE, 0, 0);
            if (FVisible)
                Hide();
        }
        break;
    }
}

// ------------------------------------------------------------ the popup menu component

TbsSkinPopupMenu::TbsSkinPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

void TbsSkinPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TPopupMenu::Notification(AComponent, Operation);
    if (FSD.Drop(AComponent, Operation) || Operation != opRemove)
        return;
    if (AComponent == FSkinComponent)
        FSkinComponent = nullptr;
    if (AComponent == FComponentForm)
        FComponentForm = nullptr;
}

void TbsSkinPopupMenu::SetSkinData(TbsSkinData* Value) { FSD.Set(Value); }

TbsFormFrame* TbsSkinPopupMenu::FindFrame() const
{
    if (FSkinComponent)
        return dynamic_cast<TbsFormFrame*>(FSkinComponent);
    if (FComponentForm)
        return FindSkinForm(FComponentForm);
    TComponent* owner = Owner();
    TCustomForm* form = dynamic_cast<TCustomForm*>(owner);
    if (!form && owner)
        form = dynamic_cast<TCustomForm*>(owner->Owner());
    if (!form)
        return nullptr;
    if (form->FormStyle() == fsMDIChild && Application->MainForm())
        return FindSkinForm(Application->MainForm());
    return FindSkinForm(form);
}

void TbsSkinPopupMenu::DoPopup(TControl* ACtrl, const TRect& R, bool APopupUp, bool NeedSkin)
{
    if (OnPopup)
        OnPopup(this);
    TbsFormFrame* frame = FindFrame();
    if (frame && !FSD)
        const_cast<TbsSkinPopupMenu*>(this)->SetSkinData(frame->MenusSkinData() ? frame->MenusSkinData()
                                                                                : frame->SkinData());
    if (!frame || (NeedSkin && !FSD))
        return;
    auto* engine = dynamic_cast<TbsSkinMenu*>(frame->SkinMenu());
    if (!engine)
        return;
    if (engine->Visible())
        frame->SkinMenuClose();
    FPopupPoint = TPoint{R.Left, R.Top};
    frame->SkinMenuOpen();
    engine->Popup(ACtrl, FSD, 0, R, Items(), APopupUp);
    if (OnMenuClose && engine->Visible())
        engine->OnMenuClose = OnMenuClose;
}

void TbsSkinPopupMenu::Popup(int X, int Y) { DoPopup(nullptr, TRect{X, Y, X, Y}, false, false); }

void TbsSkinPopupMenu::PopupFromRect(const TRect& R, bool APopupUp) { DoPopup(nullptr, R, APopupUp, false); }

void TbsSkinPopupMenu::Popup2(TControl* ACtrl, int X, int Y) { DoPopup(ACtrl, TRect{X, Y, X, Y}, false, true); }

void TbsSkinPopupMenu::PopupFromRect2(TControl* ACtrl, const TRect& R, bool APopupUp)
{
    DoPopup(ACtrl, R, APopupUp, false);
}
