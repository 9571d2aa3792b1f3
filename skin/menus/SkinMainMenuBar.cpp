#include "skin/menus/SkinMainMenuBar.h"

#include <algorithm>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Input.h"
#include "platform/ui/controls/Timer.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"
#include "skin/controls/ControlPaint.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/Marks.h"
#include "skin/draw/ParentImage.h"
#include "skin/draw/SkinImage.h"
#include "skin/draw/TextUtils.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/MenuWindow.h"
#include "skin/menus/SkinMenu.h"

// ------------------------------------------------------------ TbsSkinMainMenu

void TbsSkinMainMenu::SetSkinData(TbsSkinData* Value) { FSD.Set(Value); }

void TbsSkinMainMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMainMenu::Notification(AComponent, Operation);
    FSD.Drop(AComponent, Operation);
}

// ------------------------------------------------------------ the bar

TbsSkinMainMenuBar::TbsSkinMainMenuBar(TComponent* AOwner) : TbsSkinControl(AOwner)
{
    FSkinDataName = "mainmenubar";
    FDefItemFont.SetName("Arial");
    FDefItemFont.SetHeight(14);
    FDefItemFont.SetStyle(0);
    FDefItemFont.SetColor(clBtnText);
    SetAlign(alTop);
    SetBounds(0, 0, 150, FDefaultHeight);
    MouseTimer = NewMenuTimer(50, [this](TObject*) { MouseTimerProc(); });
    MorphTimer = NewMenuTimer(25, [this](TObject*) { MorphTimerProc(); });
    AnimateTimer = NewMenuTimer(25, [this](TObject*) { AnimateTimerProc(); });
}

TbsSkinMainMenuBar::~TbsSkinMainMenuBar()
{
    if (BSF && BSF->MainMenuBar() == this)
        BSF->SetMainMenuBar(nullptr);
    if (FMainMenu)
        FMainMenu->OnChange = nullptr;
    delete MouseTimer;
    delete MorphTimer;
    delete AnimateTimer;
    ClearObjects();
}

void TbsSkinMainMenuBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TbsSkinControl::Notification(AComponent, Operation);
    if (Operation != opRemove)
        return;
    if (AComponent == FMainMenu) {
        FMainMenu = nullptr;
        ClearObjects();
    }
    if (AComponent == FMergeMenu) {
        FMergeMenu = nullptr;
        UpDateItems();
    }
    if (AComponent == BSF)
        BSF = nullptr;
}

void TbsSkinMainMenuBar::SetMainMenu(TMainMenu* Value)
{
    if (FMainMenu) {
        FMainMenu->RemoveFreeNotification(this);
        FMainMenu->OnChange = nullptr;
    }
    FMainMenu = Value;
    if (FMainMenu) {
        FMainMenu->FreeNotification(this);
        // Items added, renamed, hidden or disabled show at once.
        FMainMenu->OnChange = [this](TObject*) { MenuChanged(); };
    }
    CreateMenu();
    Invalidate();
}

void TbsSkinMainMenuBar::SetFormFrame(TbsFormFrame* Value)
{
    if (BSF)
        BSF->RemoveFreeNotification(this);
    BSF = Value;
    if (BSF)
        BSF->FreeNotification(this);
}

void TbsSkinMainMenuBar::Merge(TMainMenu* Menu)
{
    if (FMergeMenu)
        FMergeMenu->RemoveFreeNotification(this);
    FMergeMenu = Menu;
    if (FMergeMenu)
        FMergeMenu->FreeNotification(this);
    UpDateItems();
}

void TbsSkinMainMenuBar::UnMerge() { Merge(nullptr); }

void TbsSkinMainMenuBar::UpDateItems()
{
    CreateMenu();
    Invalidate();
    ActiveObject = OldActiveObject = -1;
    MouseTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::UpDateEnabledItems()
{
    for (auto& o : ObjectList)
        o->Enabled = o->MenuItem->Enabled();
    Invalidate();
}

// A change often comes while an item runs its command or shows its menu
// (an action's update, a handler renaming its item): keeping the same bar
// objects then frees nothing that is still in use.
void TbsSkinMainMenuBar::MenuChanged()
{
    if (FUpdatingActions)
        return;
    std::vector<TMenuItem*> items = BarMenuItems();
    items.erase(std::remove_if(items.begin(), items.end(), [](TMenuItem* m) { return !m->Visible(); }),
                items.end());
    bool same = items.size() == ObjectList.size();
    for (size_t i = 0; same && i < items.size(); ++i)
        same = ObjectList[i]->MenuItem == items[i];
    if (!same) {
        UpDateItems();
        return;
    }
    // An item hidden for lack of room gets its state back when it fits again.
    for (auto& o : ObjectList)
        (o->Visible ? o->Enabled : o->OldEnabled) = o->MenuItem->Enabled();
    Invalidate();
    // As after a rebuild, the pointer's item is looked for again.
    MouseTimer->SetEnabled(true);
}

// A merged menu, else on an MDI form the active child's own main menu.
TMainMenu* TbsSkinMainMenuBar::GetChildMainMenu() const
{
    if (FMergeMenu)
        return FMergeMenu;
    TCustomForm* main = Application->MainForm();
    if (!BSF || BSF->Form()->FormStyle() != fsMDIForm || !main || !main->ActiveMDIChild())
        return nullptr;
    TCustomForm* child = main->ActiveMDIChild();
    for (int i = 0; i < child->ComponentCount(); ++i)
        if (auto* m = dynamic_cast<TMainMenu*>(child->Components(i)))
            return m;
    return nullptr;
}

void TbsSkinMainMenuBar::SetScrollMenu(bool Value)
{
    FScrollMenu = Value;
    Invalidate();
}

void TbsSkinMainMenuBar::SetDefItemFont(const TFont& Value)
{
    FDefItemFont.Assign(Value);
    if (!FSkinSupport)
        Invalidate();
}

void TbsSkinMainMenuBar::SetDefaultWidth(int Value)
{
    FDefaultWidth = Value;
    if (!FSkinSupport && Value > 0)
        SetWidth(Value);
}

void TbsSkinMainMenuBar::SetDefaultHeight(int Value)
{
    FDefaultHeight = Value;
    if (!FSkinSupport && Value > 0)
        SetHeight(Value);
}

void TbsSkinMainMenuBar::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FSkinSupport && SkinRect.Height() > 0)
        AHeight = SkinRect.Height();
    TbsSkinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    Invalidate();
}

TbsSkinMenu* TbsSkinMainMenuBar::MenuEngine() const
{
    return BSF ? dynamic_cast<TbsSkinMenu*>(BSF->SkinMenu()) : nullptr;
}

TbsSkinData* TbsSkinMainMenuBar::MenuSkinData() const
{
    if (FSD)
        return FSD;
    if (BSF)
        return BSF->MenusSkinData() ? BSF->MenusSkinData() : BSF->SkinData();
    return nullptr;
}

TbsSkinMainMenuBarItem* TbsSkinMainMenuBar::Item(int Index) const { return ObjectList[size_t(Index)].get(); }

bool TbsSkinMainMenuBar::Usable(int Index) const
{
    const auto& o = ObjectList[size_t(Index)];
    return o->Enabled && o->Visible;
}

// ------------------------------------------------------------ skin

void TbsSkinMainMenuBar::ReleaseSkinElement()
{
    TbsSkinControl::ReleaseSkinElement();
    Picture = nullptr;
}

void TbsSkinMainMenuBar::SetSkinData(TbsSkinData* Value)
{
    TbsSkinControl::SetSkinData(Value);
    // Without a skin the items and the height go back to the plain look at once.
    if ((!FSD || FSD->Empty) && !Designing())
        ChangeSkinData();
}

void TbsSkinMainMenuBar::GetSkinData()
{
    TbsSkinControl::GetSkinData();
    const auto* e = FIndex == -1 ? nullptr
                                 : dynamic_cast<const TbsDataSkinMainMenuBar*>(FSD->CtrlList[size_t(FIndex)].get());
    if (!e) {
        FIndex = -1;
        Picture = nullptr;
        return;
    }
    SkinRect = e->SkinRect;
    ItemsRect = e->ItemsRect;
    MenuBarItem = e->MenuBarItem;
    MaxButton = e->MaxButton;
    MinButton = e->MinButton;
    SysMenuButton = e->SysMenuButton;
    CloseButton = e->CloseButton;
    TrackMarkColor = e->TrackMarkColor;
    TrackMarkActiveColor = e->TrackMarkActiveColor;
    Picture = FSD->ActivePicture(e->PictureIndex);
    StretchEffect = e->StretchEffect;
    ItemTransparent = e->ItemTransparent;
}

void TbsSkinMainMenuBar::BeforeChangeSkinData()
{
    FSkinSupport = false;
    TbsSkinControl::BeforeChangeSkinData();
    ClearObjects();
}

void TbsSkinMainMenuBar::ChangeSkinData()
{
    GetSkinData();
    FSkinSupport = FIndex != -1 && Picture;
    CreateMenu();
    if (FSkinSupport)
        SetHeight(SkinRect.Height());
    else if (FDefaultHeight > 0)
        SetHeight(FDefaultHeight);
    Invalidate();
}

// ------------------------------------------------------------ items

void TbsSkinMainMenuBar::ClearObjects()
{
    ObjectList.clear();
    DeleteMDIButtons();
    ActiveObject = OldActiveObject = MouseCaptureObject = -1;
}

std::vector<TMenuItem*> TbsSkinMainMenuBar::BarMenuItems() const
{
    std::vector<TMenuItem*> items;
    if (!FMainMenu)
        return items;
    TMainMenu* child = GetChildMainMenu();
    TMenuItem* root = FMainMenu->Items();
    if (!child) {
        for (int i = 0; i < root->Count(); ++i)
            items.push_back(root->Items(i));
        return items;
    }
    TMenuItem* childRoot = child->Items();
    for (int i = 0; i < root->Count(); ++i) {
        bool taken = false;
        for (int j = 0; j < childRoot->Count() && !taken; ++j)
            taken = childRoot->Items(j)->GroupIndex() == root->Items(i)->GroupIndex();
        if (!taken)
            items.push_back(root->Items(i));
    }
    for (int j = 0; j < childRoot->Count(); ++j)
        items.push_back(childRoot->Items(j));
    // Items of one group keep the order they were collected in.
    std::stable_sort(items.begin(), items.end(),
                     [](TMenuItem* a, TMenuItem* b) { return a->GroupIndex() < b->GroupIndex(); });
    return items;
}

void TbsSkinMainMenuBar::CreateMenu()
{
    ClearObjects();
    if (!FMainMenu)
        return;
    const TbsDataSkinObject* data = nullptr;
    if (FSD && !FSD->Empty && FSkinSupport) {
        int i = FSD->GetIndex(MenuBarItem);
        if (i != -1)
            data = FSD->ObjectList[size_t(i)].get();
    }
    ChildMenuIn = GetChildMainMenu() != nullptr;
    if (ChildMenuIn)
        FScrollMenu = false;
    std::vector<TMenuItem*> items = BarMenuItems();
    // The items' actions decide what the bar shows, before it is built.
    FUpdatingActions = true;
    for (TMenuItem* m : items)
        m->InitiateAction();
    FUpdatingActions = false;
    for (TMenuItem* m : items) {
        if (!m->Visible())
            continue;
        auto item = std::make_unique<TbsSkinMainMenuBarItem>(this, data, m);
        item->IDName = m->Name();
        item->Enabled = m->Enabled();
        item->OldEnabled = item->Enabled;
        ObjectList.push_back(std::move(item));
    }
    // The buttons take the current skin's descriptions too.
    if (FMDIChildMax) {
        CreateMDIButtons();
        ApplyMDIBorderIcons();
    }
}

void TbsSkinMainMenuBar::SetItemFont(TCanvas& Canvas, const TbsSkinMainMenuBarItem* Item) const
{
    bool skinned = Item && Item->FSkinSupport && FUseSkinFont;
    ApplyControlFont(Canvas, FSD, skinned, skinned ? Item->FontName : "", skinned ? Item->FontHeight : 0,
                     skinned ? Item->FontStyle : 0, FDefItemFont);
}

int TbsSkinMainMenuBar::ItemTextWidth(const TbsSkinMainMenuBarItem* I)
{
    TBitmap b;
    b.SetSize(1, 1, false);
    SetItemFont(*b.Canvas(), I && I->FSkinSupport && I->Picture ? I : nullptr);
    TRect r{0, 0, 0, 0};
    DrawSkinText(*b.Canvas(), I->MenuItem->Caption(), r, DT_SINGLELINE | DT_CALCRECT);
    return r.Width();
}

void TbsSkinMainMenuBar::CalcItemsRect()
{
    if (FSkinSupport)
        NewItemsRect = TRect{ItemsRect.Left, ItemsRect.Top, Width() - (SkinRect.Width() - ItemsRect.Right),
                             ItemsRect.Bottom};
    else
        NewItemsRect = TRect{2, 2, Width() - 2, Height() - 2};
    PlaceMDIButtons();
    const int limit = FScrollMenu ? NewItemsRect.Right - 5 : NewItemsRect.Right;
    int left = NewItemsRect.Left;
    for (auto& o : ObjectList) {
        const int tw = ItemTextWidth(o.get());
        if (o->FSkinSupport && o->Picture) {
            int w = o->SkinRect.Width() - o->TextRct.Width() + tw + 2;
            o->ObjectRect = TRect{left, NewItemsRect.Top, left + w, NewItemsRect.Top + o->SkinRect.Height()};
        } else {
            o->ObjectRect = TRect{left, NewItemsRect.Top, left + tw + 12, NewItemsRect.Bottom};
        }
        if (o->ObjectRect.Right > limit) {
            Scroll = true;
            if (o->Visible) {
                o->Visible = false;
                o->OldEnabled = o->Enabled;
                o->Enabled = false;
            }
        } else if (!o->Visible) {
            o->Visible = true;
            o->Enabled = o->OldEnabled;
        }
        left = o->ObjectRect.Right > 0 ? o->ObjectRect.Right : NewItemsRect.Left;
    }
    // A right-to-left bar runs from the right end (the overflow marker at
    // the left): the same layout, mirrored in the items row.
    if (UseRightToLeftAlignment())
        for (auto& o : ObjectList) {
            const int w = o->ObjectRect.Width();
            o->ObjectRect.Left = NewItemsRect.Left + NewItemsRect.Right - o->ObjectRect.Right;
            o->ObjectRect.Right = o->ObjectRect.Left + w;
        }
}

int TbsSkinMainMenuBar::ShownItemCount() const
{
    int n = 0;
    for (auto& o : ObjectList)
        n += o->Visible ? 1 : 0;
    return n;
}

TRect TbsSkinMainMenuBar::MarkerRect() const
{
    if (UseRightToLeftAlignment())
        return TRect{NewItemsRect.Left, NewItemsRect.Top, NewItemsRect.Left + 5, NewItemsRect.Bottom};
    return TRect{NewItemsRect.Right - 5, NewItemsRect.Top, NewItemsRect.Right, NewItemsRect.Bottom};
}

// ------------------------------------------------------------ painting

void TbsSkinMainMenuBar::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
        if (!Designing()) {
            if (OnMouseEnter)
                OnMouseEnter(this);
            MouseTimer->SetEnabled(true);
        }
        break;
    case CM_MOUSELEAVE:
        if (!Designing()) {
            if (OnMouseLeave)
                OnMouseLeave(this);
            if (!MenuActive) {
                MouseTimer->SetEnabled(false);
                TestActive(-1, -1);
            }
        }
        break;
    case WM_MOVE:
        if (FSkinSupport && FSD && FSD->MainMenuBarTransparent && Align() == alNone)
            Invalidate();
        break;
    case WM_CLOSESKINMENU:
        WMCloseSkinMenu();
        break;
    case WM_CHECKPARENTBG:
        if (FSkinSupport && FSD && FSD->MainMenuBarTransparent)
            Invalidate();
        return;
    default:
        break;
    }
    TbsSkinControl::WndProc(Message);
}

void TbsSkinMainMenuBar::Paint()
{
    if (Width() <= 0 || Height() <= 0)
        return;
    PaintBar(Canvas());
}

void TbsSkinMainMenuBar::PaintBar(TCanvas& Canvas)
{
    GetSkinData();
    FSkinSupport = FIndex != -1 && Picture;
    TBitmap b;
    b.SetSize(Width(), Height(), false);
    TCanvas& c = *b.Canvas();
    if (!FSkinSupport) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clBtnFace);
        c.FillRect(TRect{0, 0, Width(), Height()});
    } else if (FSD->MainMenuBarTransparent) {
        DrawParentImage(this, c);
    } else {
        TBitmap back;
        CreateHSkinImage(ItemsRect.Left, SkinRect.Width() - ItemsRect.Right, back, *Picture, SkinRect, Width(),
                         Height(), StretchEffect);
        c.Draw(0, 0, back);
    }
    Scroll = false;
    CalcItemsRect();
    for (auto& o : ObjectList)
        if (o->Visible)
            o->Draw(c);
    DrawMDIButtons(c);
    if (Scroll && FScrollMenu)
        DrawMarker(c);
    Canvas.Draw(0, 0, b);
}

void TbsSkinMainMenuBar::DrawMarker(TCanvas& Canvas)
{
    TColor color;
    if (FSkinSupport)
        color = MarkerActive ? TrackMarkActiveColor : TrackMarkColor;
    else
        color = MarkerActive ? clBtnText : clBtnShadow;
    DrawArrow(Canvas, MarkerRect(), color, UseRightToLeftAlignment() ? 1 : 2);
}

// A single object changed: the bar repaints from its off-screen picture.
void TbsSkinMainMenuBar::DrawObject(TbsMenuBarObject* /*O*/) { Invalidate(); }

// ------------------------------------------------------------ timers

void TbsSkinMainMenuBar::StartMorphTimer() { MorphTimer->SetEnabled(true); }

void TbsSkinMainMenuBar::StartAnimateTimer(int Interval)
{
    AnimateTimer->SetInterval(unsigned(std::max(1, Interval)));
    AnimateTimer->SetEnabled(true);
}

void TbsSkinMainMenuBar::MorphTimerProc()
{
    bool any = false;
    auto step = [&any](TbsMenuBarObject& o) {
        if (o.EnableMorphing() && o.CanMorphing()) {
            o.DoMorphing();
            any = true;
        }
    };
    for (auto& b : MDIButtons)
        step(*b);
    for (auto& o : ObjectList)
        step(*o);
    if (!any)
        MorphTimer->SetEnabled(false);
}

void TbsSkinMainMenuBar::AnimateTimerProc()
{
    bool any = false;
    for (auto& o : ObjectList) {
        if (!o->EnableAnimation())
            continue;
        if (o->Active && o->CurrentFrame <= o->FrameCount) {
            ++o->CurrentFrame;
            any = true;
            DrawObject(o.get());
        } else if (!o->Active && o->CurrentFrame > 0) {
            --o->CurrentFrame;
            any = true;
            DrawObject(o.get());
        }
    }
    if (!any)
        AnimateTimer->SetEnabled(false);
}

void TbsSkinMainMenuBar::MouseTimerProc()
{

    TPoint p;
    GetCursorPos(p);
    p = ScreenToClient(p);
    if (p.X < 0 || p.Y < 0 || p.X > Width() || p.Y > Height()) {
        // In menu mode the open menu holds the mouse, so the bar keeps
        // polling: the pointer may come back to another item.
        if (!MenuActive)
            MouseTimer->SetEnabled(false);
        TestActive(-1, -1);
    } else {
        TestActive(p.X, p.Y);
    }
}

// ------------------------------------------------------------ mouse

void TbsSkinMainMenuBar::TestActive(int X, int Y)
{
    TestMDIButtons(X, Y);
    OldActiveObject = ActiveObject;
    int hit = -1;
    for (int i = 0; i < int(ObjectList.size()) && hit == -1; ++i)
        if (ObjectList[size_t(i)]->Enabled && ObjectList[size_t(i)]->ObjectRect.Contains(TPoint{X, Y}))
            hit = i;
    if ((MouseCaptureObject != -1 && hit != MouseCaptureObject) || ButtonCaptureObject != -1)
        hit = -1;
    if (hit == -1 && MenuActive && OldActiveObject != -1)
        hit = OldActiveObject;
    ActiveObject = hit;
    if (OldActiveObject != ActiveObject) {
        if (OldActiveObject != -1 && OldActiveObject < int(ObjectList.size()) && Usable(OldActiveObject))
            ObjectList[size_t(OldActiveObject)]->MouseLeave();
        if (ActiveObject != -1 && Usable(ActiveObject))
            ObjectList[size_t(ActiveObject)]->MouseEnter();
    }
    if (Scroll && FScrollMenu) {
        bool in = MarkerRect().Contains(TPoint{X, Y});
        if (in != MarkerActive) {
            MarkerActive = in;
            Invalidate();
        }
    }
}

void TbsSkinMainMenuBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TbsSkinControl::MouseDown(Button, Shift, X, Y);
    if (MDIButtonsMouseDown(Button, Shift, X, Y))
        return;
    TestActive(X, Y);
    if (ActiveObject != -1 && ObjectList[size_t(ActiveObject)]->ObjectRect.Contains(TPoint{X, Y})) {
        MouseCaptureObject = ActiveObject;
        TbsSkinMainMenuBarItem* o = ObjectList[size_t(ActiveObject)].get();
        if (!o->HasSubItems()) {
            // The command may free the bar (it may close the form).
            o->MouseDown(X, Y, Button);
            return;
        }
        o->MouseDown(X, Y, Button);
        // The open menu holds the mouse from here: the release never comes
        // to the bar, and the pointer may move on to another item.
        if (TbsSkinMenu* engine = MenuEngine(); engine && engine->Visible())
            MouseCaptureObject = -1;
    } else if (Scroll && FScrollMenu && MarkerRect().Contains(TPoint{X, Y})) {
        PopupHiddenItems();
    }
}

void TbsSkinMainMenuBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (MDIButtonsMouseUp(Button, X, Y)) {
        TbsSkinControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    if (MouseCaptureObject != -1 && MouseCaptureObject < int(ObjectList.size())) {
        int i = MouseCaptureObject;
        MouseCaptureObject = -1;
        ObjectList[size_t(i)]->MouseUp(X, Y, Button);
    }
    MouseCaptureObject = -1;
    TbsSkinControl::MouseUp(Button, Shift, X, Y);
}

void TbsSkinMainMenuBar::MouseMove(TShiftState Shift, int X, int Y)
{
    MouseTimer->SetEnabled(true);
    TbsSkinControl::MouseMove(Shift, X, Y);
}

void TbsSkinMainMenuBar::PopupHiddenItems()
{
    TbsSkinMenu* engine = MenuEngine();
    if (!BSF || !engine || !FMainMenu)
        return;
    const int n = ShownItemCount();
    TRect m = MarkerRect();
    TPoint p = ClientToScreen(TPoint{m.Left, m.Top});
    TRect r{p.X, p.Y, p.X + m.Width(), p.Y + m.Height()};
    BSF->SkinMenuOpen();
    if (TMainMenu* child = GetChildMainMenu())
        engine->Popup2(this, MenuSkinData(), n, r, child->Items(), FMainMenu->Items(), false);
    else
        engine->Popup(this, MenuSkinData(), n, r, FMainMenu->Items(), false);
}

// ------------------------------------------------------------ keyboard menu mode

void TbsSkinMainMenuBar::EnterMenuMode()
{
    MenuActive = true;
    int target = -1;
    for (int i = 0; i < int(ObjectList.size()) && target == -1; ++i)
        if (ObjectList[size_t(i)]->Active)
            target = i;
    if (target == -1 && !ObjectList.empty())
        target = 0;
    // The keys move the hot item without touching the mouse's ActiveObject,
    // so a pointer resting on the bar does not pull the choice back.
    if (target != -1)
        ObjectList[size_t(target)]->MouseEnter();
    MouseTimer->SetEnabled(true);
    if (BSF) {
        BSF->HookApp();
        BSF->InMainMenu = true;
        if (BSF->OnMainMenuEnter)
            BSF->OnMainMenuEnter(this);
    }
}

bool TbsSkinMainMenuBar::ProcessAccelerator(int Key)
{
    if (!BSF || ObjectList.empty() || !BSF->Form() || !BSF->Form()->Visible())
        return false;
    TbsSkinMenu* engine = MenuEngine();
    for (int i = 0; i < int(ObjectList.size()); ++i) {
        TbsSkinMainMenuBarItem* o = ObjectList[size_t(i)].get();
        if (!Usable(i) || !IsAccel(char32_t(Key), o->MenuItem->Caption()))
            continue;
        o->MouseEnter();
        if (!(engine && engine->Visible()) || !o->HasSubItems())
            o->MouseDown(0, 0, mbLeft);
        return true;
    }
    return false;
}

void TbsSkinMainMenuBar::NextMainMenuItem()
{
    const int n = int(ObjectList.size());
    int current = -1;
    for (int i = 0; i < n && current == -1; ++i)
        if (Usable(i) && (ObjectList[size_t(i)]->Active || ObjectList[size_t(i)]->FDown))
            current = i;
    int next = -1;
    for (int k = 1; k <= n && next == -1; ++k) {
        int i = (std::max(current, -1) + k) % n;
        if (Usable(i))
            next = i;
    }
    if (next == -1 || next == current)
        return;
    if (current != -1)
        ObjectList[size_t(current)]->MouseLeave();
    ObjectList[size_t(next)]->MouseEnter();
}

void TbsSkinMainMenuBar::PriorMainMenuItem()
{
    const int n = int(ObjectList.size());
    int current = -1;
    for (int i = 0; i < n && current == -1; ++i)
        if (Usable(i) && (ObjectList[size_t(i)]->Active || ObjectList[size_t(i)]->FDown))
            current = i;
    int prior = -1;
    for (int k = 1; k <= n && prior == -1; ++k) {
        int i = ((current == -1 ? 0 : current) - k + 2 * n) % n;
        if (Usable(i))
            prior = i;
    }
    if (prior == -1 || prior == current)
        return;
    if (current != -1)
        ObjectList[size_t(current)]->MouseLeave();
    ObjectList[size_t(prior)]->MouseEnter();
}

bool TbsSkinMainMenuBar::OpenActiveItem()
{
    TbsSkinMenu* engine = MenuEngine();
    const bool open = engine && engine->Visible();
    for (auto& o : ObjectList)
        if ((o->FDown && !o->HasSubItems()) || (o->Active && !open)) {
            o->Active = false;
            o->MouseDown(0, 0, mbLeft);
            return true;
        }
    return false;
}

void TbsSkinMainMenuBar::ReleaseDownItem()
{
    for (auto& o : ObjectList)
        if (o->FDown) {
            o->FDown = false;
            o->Active = true;
            DrawObject(o.get());
            return;
        }
}

void TbsSkinMainMenuBar::LeaveMenuMode()
{
    MenuActive = false;
    for (auto& o : ObjectList)
        if (o->FDown || o->Active) {
            o->FMouseIn = false;
            o->Active = false;
            o->FDown = false;
            if (!o->EnableAnimation() || o->InActiveAnimation) {
                o->ReDraw();
            } else {
                o->CurrentFrame = 0;
                DrawObject(o.get());
            }
            break;
        }
    ActiveObject = OldActiveObject = -1;
}

bool TbsSkinMainMenuBar::IsShortCut(TMessage& Msg)
{
    return FMainMenu && FMainMenu->IsShortCut(Msg);
}
