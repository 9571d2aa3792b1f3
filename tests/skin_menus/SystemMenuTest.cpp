// The frame's skinned system menu, tray menu, shortcuts and caption-button hints.
#include "MenuFixture.h"
#include "skin/frame/FrameObjects.h"

namespace {

class TFakeTray : public IbsFrameTray {
public:
    bool IconVisible() const override { return Shown; }
    void ShowIcon() override { Shown = true; }
    void HideIcon() override { Shown = false; }
    bool Shown = false;
};

class TSystemMenu : public TMenuTest {
protected:
    static std::vector<std::string> Names(TMenuItem* Root)
    {
        std::vector<std::string> out;
        for (int i = 0; i < Root->Count(); ++i)
            out.push_back(Root->Items(i)->Caption() == "-" ? "-" : Root->Items(i)->Name());
        return out;
    }
    // Chooses the item of the open menu whose name is Name with the keys.
    void Choose(const std::string& Name)
    {
        TbsSkinPopupWindow* w = Top();
        ASSERT_NE(w, nullptr);
        for (int guard = 0; guard < 10 && w->ActiveMenuItem()->MenuItem->Name() != Name; ++guard)
            Key(VK_DOWN);
        ASSERT_EQ(w->ActiveMenuItem()->MenuItem->Name(), Name);
        Key(VK_RETURN);
    }
};

TEST_F(TSystemMenu, ItemsFollowTheWindowState)
{
    using V = std::vector<std::string>;
    Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize, TbsBorderIcon::biMaximize,
                           TbsBorderIcon::biRollUp, TbsBorderIcon::biMinimizeToTray});
    EXPECT_EQ(Names(Frame->GetSystemMenuItems()),
              (V{"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "BSF_MINTOTRAY", "-", "BSF_CLOSE"}));
    Frame->SetWindowState(wsMaximized);
    Pump();
    EXPECT_EQ(Names(Frame->GetSystemMenuItems()),
              (V{"BSF_MINITEM", "BSF_RESTORE", "BSF_ROLLUP", "BSF_MINTOTRAY", "-", "BSF_CLOSE"}));
    Frame->SetWindowState(wsNormal);
    Frame->SetRollUpState(true);
    Pump();
    EXPECT_EQ(Names(Frame->GetSystemMenuItems()),
              (V{"BSF_MINITEM", "BSF_MAXITEM", "BSF_RESTORE", "BSF_MINTOTRAY", "-", "BSF_CLOSE"}));
    Frame->SetRollUpState(false);
    Frame->SetWindowState(wsMinimized);
    Pump();
    EXPECT_EQ(Names(Frame->GetSystemMenuItems()), (V{"BSF_MAXITEM", "BSF_RESTORE", "BSF_MINTOTRAY", "-", "BSF_CLOSE"}));
    Frame->SetWindowState(wsNormal);
    Frame->SetBorderIcons({});
    Pump();
    EXPECT_EQ(Names(Frame->GetSystemMenuItems()), (V{"BSF_CLOSE"}));
    TMenuItem* close = Frame->GetSystemMenuItems()->Items(0);
    EXPECT_EQ(close->Caption(), "&Close");
    EXPECT_EQ(ShortCutToText(close->ShortCut()), "Alt+F4");
}

TEST_F(TSystemMenu, UserMenuKeepsItsItemsBetweenTheBuiltIns)
{
    using V = std::vector<std::string>;
    auto* user = new TPopupMenu(Form);
    for (const char* n : {"UserA", "UserB"}) {
        auto* i = new TMenuItem(nullptr);
        i->SetName(n);
        i->SetCaption(n);
        user->Items()->Add(i);
    }
    Frame->SetSystemMenu(user);
    for (int round = 0; round < 2; ++round)
        EXPECT_EQ(Names(Frame->GetSystemMenuItems()),
                  (V{"BSF_MINITEM", "BSF_MAXITEM", "BSF_ROLLUP", "UserA", "UserB", "BSF_CLOSE"}));
}

TEST_F(TSystemMenu, CommandsRunFromTheSkinnedMenu)
{
    struct Case {
        std::string Item;
        TWindowState State;
        bool RolledUp;
    };
    const Case cases[] = {
        {"BSF_MAXITEM", wsMaximized, false},
        {"BSF_RESTORE", wsNormal, false},
        {"BSF_ROLLUP", wsNormal, true},
        {"BSF_RESTORE", wsNormal, false},
        {"BSF_MINITEM", wsMinimized, false},
    };
    for (const Case& c : cases) {
        Frame->PopupSystemMenuFromRect(TRect{200, 200, 200, 200});
        Pump();
        ASSERT_TRUE(Engine->Visible()) << c.Item;
        Choose(c.Item);
        Pump();
        EXPECT_FALSE(Engine->Visible());
        EXPECT_EQ(Frame->WindowState(), c.State) << c.Item;
        EXPECT_EQ(Frame->RollUpState(), c.RolledUp) << c.Item;
    }
    Frame->SetWindowState(wsNormal);
    Pump();
    // A right click on the caption opens it at the cursor.
    TRect wr;
    GetWindowRect(Form->Handle(), wr);
    Backend->Click(wr.Left + 60, wr.Top + 10, 1);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    EXPECT_EQ(WindowRect(Top()).Top, wr.Top + 10);
    bool closed = false;
    Form->OnClose = [&](TObject*, TCloseAction& a) {
        closed = true;
        a = caHide;
    };
    Choose("BSF_CLOSE");
    EXPECT_TRUE(closed);
}

TEST_F(TSystemMenu, AltSpaceOpensBelowTheSystemMenuButton)
{
    int i = Frame->GetIndex("sysmenubutton");
    ASSERT_NE(i, -1);
    TRect button = Frame->ObjectList[size_t(i)]->ObjectRect;
    Backend->KeyDown(VK_MENU);
    Backend->KeyDown(VK_SPACE);
    Backend->KeyUp(VK_SPACE);
    Backend->KeyUp(VK_MENU);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    EXPECT_EQ(WindowRect(Top()).Top, Form->Top() + button.Bottom);
    EXPECT_EQ(WindowRect(Top()).Left, Form->Left() + button.Left);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Engine->Visible());

    Frame->DisableSystemMenu = true;
    Frame->UpdateCaptionButtons();
    Backend->KeyDown(VK_MENU);
    Backend->KeyDown(VK_SPACE);
    Backend->KeyUp(VK_SPACE);
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_FALSE(Engine->Visible());
}

TEST_F(TSystemMenu, ShortcutsReachTheirItems)
{
    auto* main = new TMainMenu(Form);
    TMenuItem* file = Add(main->Items(), "&File");
    Add(file, "&Help", ShortCut(VK_F1, false, false, false));
    Add(file, "&Close tab", ShortCut(VK_F4, false, true, false));
    Form->SetMenu(main);
    EXPECT_EQ(ShortCutToText(file->Items(0)->ShortCut()), "F1");
    EXPECT_EQ(ShortCutToText(file->Items(1)->ShortCut()), "Ctrl+F4");
    Key(VK_F1);
    Backend->KeyDown(VK_CONTROL);
    Key(VK_F4);
    Backend->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(Trace, (TTrace{"click &Help", "click &Close tab"}));
}

TEST_F(TSystemMenu, TrayMenuRestoresTheForm)
{
    TMenuItem* root = Frame->SysTrayMenu()->Items();
    ASSERT_EQ(root->Count(), 3);
    EXPECT_EQ(root->Items(0)->Caption(), "&Restore");
    EXPECT_EQ(root->Items(0)->Name(), "TRAY_BSF_RESTORE");
    EXPECT_EQ(root->Items(1)->Caption(), "-");
    EXPECT_EQ(ShortCutToText(root->Items(2)->ShortCut()), "Alt+F4");

    TFakeTray tray;
    Frame->SetTrayIcon(&tray);
    Frame->MinimizeToTray();
    Pump();
    EXPECT_TRUE(tray.Shown);
    EXPECT_FALSE(Form->Visible());
    Frame->SysTrayMenu()->Popup(300, 300);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    // The form is hidden and has no keys: the mouse chooses.
    TPoint p = ItemPoint(Top(), 0);
    Backend->MouseMove(p.X, p.Y);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_TRUE(Form->Visible());
    EXPECT_FALSE(tray.Shown);
    Frame->SetTrayIcon(nullptr);
}

TEST_F(TSystemMenu, CaptionButtonsTakeTheDefaultHints)
{
    TLoadedSkin s;
    s.Load(0);
    Frame->SetSkinData(&s.Data);
    Pump();
    int found = 0;
    for (auto& o : Frame->ObjectList)
        if (auto* b = dynamic_cast<TbsSkinStdButtonObject*>(o.get())) {
            if (b->Command == cmClose) {
                EXPECT_EQ(b->Hint, "Close");
                ++found;
            }
            if (b->Command == cmMinimize) {
                EXPECT_EQ(b->Hint, "Minimize");
                EXPECT_EQ(b->RestoreHint, "Restore");
                ++found;
            }
        }
    EXPECT_EQ(found, 2);
    Frame->SetSkinData(nullptr);
}

TEST_F(TSystemMenu, LinkMenuGivesAnObjectItsMenu)
{
    auto* menu = new TPopupMenu(Form);
    Frame->LinkMenu("nosuchbutton", menu, false);   // nothing happens
    Frame->LinkMenu("rollupbutton", menu, true);
    auto* b = dynamic_cast<TbsSkinButtonObject*>(Frame->ObjectList[size_t(Frame->GetIndex("rollupbutton"))].get());
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->MenuItem, menu->Items());
    EXPECT_TRUE(b->FPopupUp);
}

TEST_F(TSystemMenu, CaptionButtonsFollowBorderIconsAndTheCustomObjectEvent)
{
    auto& o = *Frame->ObjectList[size_t(Frame->GetIndex("rollupbutton"))];
    auto* b = dynamic_cast<TbsSkinStdButtonObject*>(&o);
    ASSERT_NE(b, nullptr);
    Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biRollUp});
    EXPECT_TRUE(b->Enabled);
    Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu});
    EXPECT_FALSE(b->Enabled);
    EXPECT_EQ(b->Visible, !b->SkinRectInAPicture);
    // A button of the application's own: hidden unless the event shows it.
    b->Command = cmDefault;
    b->Visible = true;
    Frame->UpdateCaptionButtons();
    EXPECT_FALSE(b->Visible);
    std::vector<std::string> asked;
    Frame->OnActivateCustomObject = [&](const std::string& Name, bool& Visible) {
        asked.push_back(Name);
        Visible = true;
    };
    Frame->UpdateCaptionButtons();
    EXPECT_TRUE(b->Visible);
    EXPECT_EQ(asked, (std::vector<std::string>{"rollupbutton"}));
    // Hidden caption buttons are all disabled.
    Frame->HideCaptionButtons = true;
    Frame->UpdateCaptionButtons();
    for (auto& x : Frame->ObjectList)
        if (dynamic_cast<TbsSkinStdButtonObject*>(x.get())) {
            EXPECT_FALSE(x->Enabled) << x->IDName;
        }
    Frame->HideCaptionButtons = false;
    Frame->OnActivateCustomObject = nullptr;
    b->Command = cmRollUp;
    Frame->UpdateCaptionButtons();
}

}  // namespace
