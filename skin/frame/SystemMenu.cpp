// The frame's system menu, tray menu, shortcuts and caption-button hints:
// what the system caption used to give, shown with the skinned menus.
#include <functional>

#include "platform/ui/Ui.h"
#include "platform/ui/controls/Menus.h"
#include "platform/ui/forms/Application.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/frame/FormFrame.h"
#include "skin/frame/FrameObjects.h"
#include "skin/menus/SkinMenu.h"

namespace {

// The names of the built-in items, which the menus draw with the caption-button glyphs.
const char* const BuiltInNames[] = {"BSF_MINITEM", "BSF_MAXITEM", "BSF_CLOSE", "BSF_MINTOTRAY", "BSF_ROLLUP",
                                    "BSF_RESTORE"};

bool IsBuiltIn(const TMenuItem* Item)
{
    for (const char* n : BuiltInNames)
        if (Item->Name() == n)
            return true;
    return false;
}

}  // namespace

std::string TbsFormFrame::FrameText(const std::string& Key, const std::string& BuiltIn) const
{
    if (FSD && FSD->ResourceStrData()) {
        std::string s = FSD->ResourceStrData()->GetResStr(Key);
        if (!s.empty())
            return s;
    }
    return BuiltIn;
}

TMenuItem* TbsFormFrame::NewSysItem(const std::string& Name, const std::string& Key, const std::string& BuiltIn,
                                    std::function<void()> Click)
{
    // Unowned: the menus own their items, and the own and the user's system
    // menu may both hold an item of each name.
    auto* item = new TMenuItem(nullptr);
    item->SetName(Name);
    item->SetCaption(Key.empty() ? BuiltIn : FrameText(Key, BuiltIn));
    item->OnClick = [Click](TObject*) { Click(); };
    return item;
}

TMenuItem* TbsFormFrame::GetSystemMenuItems()
{
    // The items are rebuilt: a menu still showing the old ones closes first.
    if (FSkinMenu && FSkinMenu->Visible())
        FSkinMenu->Hide();
    if (FSystemMenu) {
        UpdateUserSystemMenu();
        return FSystemMenu->Items();
    }
    CreateSysMenu();
    return FSysMenu->Items();
}

void TbsFormFrame::CreateSysMenu()
{
    TMenuItem* root = FSysMenu->Items();
    root->Clear();
    TWindowState s = FWindowState;
    int added = 0;
    auto add = [&](TMenuItem* item) {
        root->Add(item);
        ++added;
    };
    if (s != wsMinimized && FBorderIcons.Contains(TbsBorderIcon::biMinimize))
        add(NewSysItem("BSF_MINITEM", "MI_MINCAPTION", "Mi&nimize", [this] {
            if (AlwaysMinimizeToTray)
                MinimizeToTray();
            else
                SetWindowState(wsMinimized);
        }));
    if (s != wsMaximized && FBorderIcons.Contains(TbsBorderIcon::biMaximize))
        add(NewSysItem("BSF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize", [this] { SetWindowState(wsMaximized); }));
    auto restore = [this] {
        if (MaxRollUpState || (FRollUpState && FWindowState == wsNormal))
            SetRollUpState(false);
        else
            SetWindowState(wsNormal);
    };
    if (s != wsNormal || FRollUpState)
        add(NewSysItem("BSF_RESTORE", "MI_RESTORECAPTION", "&Restore", restore));
    if ((!IsMDIChild() || s != wsMaximized) && !FRollUpState && s != wsMinimized &&
        FBorderIcons.Contains(TbsBorderIcon::biRollUp))
        add(NewSysItem("BSF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp", [this] { SetRollUpState(true); }));
    if (FBorderIcons.Contains(TbsBorderIcon::biMinimizeToTray))
        add(NewSysItem("BSF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray", [this] { MinimizeToTray(); }));
    if (added > 0)
        root->Add(NewSysItem("", "", "-", [] {}));
    TMenuItem* close = NewSysItem("BSF_CLOSE", "MI_CLOSECAPTION", "&Close", [this] { FForm->Close(); });
    close->SetShortCut(IsMDIChild() ? ShortCut(VK_F4, false, true, false) : ShortCut(VK_F4, false, false, true));
    root->Add(close);
}

void TbsFormFrame::UpdateUserSystemMenu()
{
    if (!UseDefaultSysMenu)
        return;
    TMenuItem* root = FSystemMenu->Items();
    for (bool found = true; found;) {
        found = false;
        for (int i = 0; i < root->Count(); ++i)
            if (IsBuiltIn(root->Items(i))) {
                root->Delete(i);
                found = true;
                break;
            }
    }
    TWindowState s = FWindowState;
    if (FBorderIcons.Contains(TbsBorderIcon::biMinimizeToTray))
        root->Insert(0, NewSysItem("BSF_MINTOTRAY", "MI_MINTOTRAYCAPTION", "Minimize to &Tray",
                                   [this] { MinimizeToTray(); }));
    if ((!IsMDIChild() || s != wsMaximized) && !FRollUpState && s != wsMinimized &&
        FBorderIcons.Contains(TbsBorderIcon::biRollUp))
        root->Insert(0, NewSysItem("BSF_ROLLUP", "MI_ROLLUPCAPTION", "Ro&llUp", [this] { SetRollUpState(true); }));
    if (s != wsMaximized && FBorderIcons.Contains(TbsBorderIcon::biMaximize))
        root->Insert(0, NewSysItem("BSF_MAXITEM", "MI_MAXCAPTION", "Ma&ximize",
                                   [this] { SetWindowState(wsMaximized); }));
    if (s != wsNormal || FRollUpState)
        root->Insert(0, NewSysItem("BSF_RESTORE", "MI_RESTORECAPTION", "&Restore", [this] {
                         if (MaxRollUpState || (FRollUpState && FWindowState == wsNormal))
                             SetRollUpState(false);
                         else
                             SetWindowState(wsNormal);
                     }));
    if (s != wsMinimized && FBorderIcons.Contains(TbsBorderIcon::biMinimize))
        root->Insert(0, NewSysItem("BSF_MINITEM", "MI_MINCAPTION", "Mi&nimize", [this] {
                         if (AlwaysMinimizeToTray)
                             MinimizeToTray();
                         else
                             SetWindowState(wsMinimized);
                     }));
    TMenuItem* close = NewSysItem("BSF_CLOSE", "MI_CLOSECAPTION", "&Close", [this] { FForm->Close(); });
    close->SetShortCut(IsMDIChild() ? ShortCut(VK_F4, false, true, false) : ShortCut(VK_F4, false, false, true));
    root->Add(close);
}

void TbsFormFrame::PopupSystemMenu(TPoint P)
{
    PopupSystemMenuFromRect(TRect{P.X, P.Y, P.X, P.Y});
}

void TbsFormFrame::PopupSystemMenuFromRect(const TRect& R)
{
    TMenuItem* items = GetSystemMenuItems();
    if (!IsMDIChild()) {
        PopupSkinMenu1(items, R, false);
        return;
    }
    // A child's menu is shown by the main form's menu engine, above the
    // client window that clips the child; the child hears when it closes.
    TbsFormFrame* main = MainFrame();
    if (!main || main == this || !main->FSkinMenu)
        return;
    SkinMenuOpen();
    main->FSkinMenu->PopupFor(FForm, items, R, false, main->FMSD ? main->FMSD : main->FSD);
}

void TbsFormFrame::PopupSysMenuFromButton()
{
    for (auto& o : ObjectList) {
        TbsStdCommand command = cmDefault;
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get()))
            command = b->Command;
        else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get()))
            command = a->Command;
        if (command != cmSysMenu || !o->Enabled)
            continue;
        TRect r = o->ObjectRect;
        if (IsMDIChild() && FForm->Parent()) {
            // Frame to client coordinates, then to the screen.
            r.Offset(-(FSkinSupport ? NewClRect.Left : 3), -(FSkinSupport ? NewClRect.Top : GetDefCaptionHeight() + 3));
            const TPoint origin = FForm->ClientToScreen(TPoint{0, 0});
            r.Offset(origin.X, origin.Y);
        } else {
            r.Offset(FForm->Left(), FForm->Top());
        }
        PopupSystemMenuFromRect(r);
        return;
    }
}

void TbsFormFrame::FormShortCut(TMessage& Msg, bool& Handled)
{
    if (OnShortCut) {
        OnShortCut(Msg, Handled);
        if (Handled)
            return;
    }
    bool altAlone = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
    int key = int(Msg.WParam & 0xFFFF);
    if (altAlone && key == VK_SPACE) {
        PopupSysMenuFromButton();
        FInShortCut = false;
        Handled = true;
        return;
    }
    if (FMainMenuBar) {
        if (altAlone && key != VK_F4 && FMainMenuBar->ProcessAccelerator(key)) {
            Handled = true;
            return;
        }
        // The form asks once per key, so a repeated shortcut runs each time.
        FInShortCut = FMainMenuBar->IsShortCut(Msg);
        Handled = FInShortCut;
        if (Handled)
            return;
        // Then the menu of the active MDI child, merged into the bar.
        if (TMainMenu* child = FMainMenuBar->ChildMainMenu()) {
            if (altAlone && FMainMenuBar->ProcessAccelerator(key)) {
                Handled = true;
                return;
            }
            FInShortCut = child->IsShortCut(Msg);
            Handled = FInShortCut;
            if (Handled)
                return;
        }
    }
    // The handler the form had before the frame came keeps its turn.
    if (OldShortCut)
        OldShortCut(Msg, Handled);
}

// ------------------------------------------------------------ tray menu

void TbsFormFrame::CreateSysTrayMenu()
{
    auto* menu = new TbsSkinPopupMenu(this);
    menu->SetComponentForm(FForm);
    menu->SetSkinComponent(this);
    FSysTrayMenu = menu;
    TMenuItem* root = menu->Items();
    root->Add(NewSysItem("TRAY_BSF_RESTORE", "MI_RESTORECAPTION", "&Restore", [this] { RestoreFromTray(); }));
    root->Add(NewSysItem("", "", "-", [] {}));
    TMenuItem* close = NewSysItem("TRAY_BSF_CLOSE", "MI_CLOSECAPTION", "&Close", [this] { FForm->Close(); });
    close->SetShortCut(IsMDIChild() ? ShortCut(VK_F4, false, true, false) : ShortCut(VK_F4, false, false, true));
    root->Add(close);
}

void TbsFormFrame::RestoreFromTray()
{
    if (!FTrayIcon)
        return;
    FForm->Show();
    if (FWindowState == wsMinimized)
        SetWindowState(wsNormal);
    Application->Restore();
    if (!AlwaysShowInTray)
        FTrayIcon->HideIcon();
    if (OnRestoreFromTray)
        OnRestoreFromTray(this);
}

// ------------------------------------------------------------ caption-button hints

void TbsFormFrame::UpdateObjectHints()
{
    if (!UseDefaultObjectHint || !FSD)
        return;
    auto text = [this](TbsStdCommand c, bool& known) {
        known = true;
        switch (c) {
        case cmClose: return FrameText("CLOSEBUTTON_HINT", "Close");
        case cmMaximize: return FrameText("MAXBUTTON_HINT", "Maximize");
        case cmMinimize: return FrameText("MINBUTTON_HINT", "Minimize");
        case cmSysMenu: return FrameText("MENUBUTTON_HINT", "System menu");
        case cmRollUp: return FrameText("ROLLUPBUTTON_HINT", "Roll Up");
        case cmMinimizeToTray: return FrameText("TRAYBUTTON_HINT", "Minimize to Tray");
        default: known = false; return std::string();
        }
    };
    std::string restore = FrameText("RESTORE_HINT", "Restore");
    for (auto& o : ObjectList) {
        bool known = false;
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) {
            std::string t = text(b->Command, known);
            if (known) {
                b->Hint = t;
                b->FTempHint = t;
            }
            b->RestoreHint = restore;
        } else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o.get())) {
            std::string t = text(a->Command, known);
            if (known) {
                a->Hint = t;
                a->FTempHint = t;
            }
            a->RestoreHint = restore;
        }
    }
}

// ------------------------------------------------------------ linked menus and shadow

void TbsFormFrame::LinkMenu(const std::string& AIDName, TPopupMenu* AMenu, bool APopupUp)
{
    int i = GetIndex(AIDName);
    if (i == -1 || !AMenu)
        return;
    TbsActiveSkinObject* o = ObjectList[size_t(i)].get();
    if (auto* b = dynamic_cast<TbsSkinButtonObject*>(o)) {
        b->MenuItem = AMenu->Items();
        b->FPopupUp = APopupUp;
    } else if (auto* a = dynamic_cast<TbsSkinAnimateObject*>(o); a && a->ButtonStyle) {
        a->MenuItem = AMenu->Items();
        a->FPopupUp = APopupUp;
    }
}

void TbsFormFrame::EnableShadow(bool AShowShadow, bool AHideFormBefore)
{
    // Our windows draw no class shadow; the state is kept for the callers.
    if (!FIsLayerEnabled || AShowShadow == FHaveShadow)
        return;
    FHaveShadow = AShowShadow;
    (void)AHideFormBefore;
}
