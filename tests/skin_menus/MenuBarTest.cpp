// The skinned main menu bar on a framed form: items, merging, overflow, the
// keyboard's menu mode, accelerators and shortcuts, end to end.
#include <filesystem>
#include "MenuFixture.h"
#include "platform/gfx/Picture.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "skin/draw/TextUtils.h"
#include "skin/menus/SkinMainMenuBar.h"

namespace {

// A shown form whose frame has a main menu bar bound to a main menu with
// the application's five kinds of top-level items. The menu is also the
// form's own menu until the frame takes it off at the first show.
class TMenuBar : public TMenuTest {
protected:
    void BeforeShow() override
    {
        Form->SetBounds(100, 100, 500, 300);
        Menu = new TbsSkinMainMenu(Form);
        TMenuItem* file = Sub("文件(&F)");
        Add(file, "打开(&O)", ShortCut('O', false, true, false));
        Add(file, "退出(&X)");
        TMenuItem* edit = Sub("编辑(&E)");
        Add(edit, "剪切(&T)");
        TMenuItem* tools = Sub("&Tools");
        Add(tools, "&Options");
        Add(Menu->Items(), "&Go");
        TMenuItem* help = Sub("帮助(&H)");
        Add(help, "帮助系统", ShortCut(VK_F1, false, false, false));
        Form->SetMenu(Menu);
        Bar = new TbsSkinMainMenuBar(Form);
        Bar->SetParent(Form);
        Bar->SetFormFrame(Frame);
        Bar->SetMainMenu(Menu);
        Frame->SetMainMenuBar(Bar);
    }

    TMenuItem* Sub(const std::string& Caption)
    {
        auto* i = new TMenuItem(Menu);
        i->SetCaption(Caption);
        Menu->Items()->Add(i);
        return i;
    }

    std::string ActiveCaption() const
    {
        for (auto& o : Bar->ObjectList)
            if (o->Active || o->FDown)
                return o->MenuItem->Caption();
        return "";
    }
    // The caption of the item whose sub-menu is open, or "".
    std::string OpenCaption() const
    {
        if (!Engine->Visible())
            return "";
        for (auto& o : Bar->ObjectList)
            if (o->FDown)
                return o->MenuItem->Caption();
        return "?";
    }
    void Alt()
    {
        Backend->KeyDown(VK_MENU);
        Backend->KeyUp(VK_MENU);
        Pump();
    }
    void AltKey(int vk, const std::string& Text)
    {
        Backend->KeyDown(VK_MENU);
        Backend->KeyDown(vk, Text);
        Backend->KeyUp(vk);
        Backend->KeyUp(VK_MENU);
        Pump();
    }
    TPoint ItemCentre(int I) const
    {
        TRect r = Bar->Item(I)->ObjectRect;
        return Bar->ClientToScreen(TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }

    TbsSkinMainMenu* Menu = nullptr;
    TbsSkinMainMenuBar* Bar = nullptr;
};

std::vector<std::string> Captions(const TbsSkinMainMenuBar& B)
{
    std::vector<std::string> out;
    for (auto& o : B.ObjectList)
        out.push_back(o->MenuItem->Caption());
    return out;
}

}  // namespace

TEST_F(TMenuBar, ShowsTheVisibleTopLevelItemsAtTheTop)
{
    EXPECT_EQ(Form->Menu(), nullptr);   // the frame took the form's own menu off
    EXPECT_EQ(Captions(*Bar), (std::vector<std::string>{"文件(&F)", "编辑(&E)", "&Tools", "&Go", "帮助(&H)"}));
    EXPECT_EQ(Bar->Height(), 22);
    EXPECT_EQ(Bar->Top(), 0);
    EXPECT_EQ(Bar->Width(), Form->ClientWidth());
    Menu->Items()->Items(2)->SetVisible(false);
    EXPECT_EQ(Bar->ItemCount(), 4);
}

TEST_F(TMenuBar, PlainItemsAreTextWidthPlusTwelveSideBySide)
{
    Form->Repaint();
    Pump();
    TBitmap b;
    b.SetSize(1, 1, false);
    b.Canvas()->Font().Assign(Bar->DefItemFont());
    int left = 2;
    for (int i = 0; i < Bar->ItemCount(); ++i) {
        TRect t{0, 0, 0, 0};
        DrawSkinText(*b.Canvas(), Bar->Item(i)->MenuItem->Caption(), t, DT_SINGLELINE | DT_CALCRECT);
        EXPECT_EQ(Bar->Item(i)->ObjectRect, (TRect{left, 2, left + t.Width() + 12, 20})) << i;
        left = Bar->Item(i)->ObjectRect.Right;
    }
}

TEST_F(TMenuBar, MergeJoinsTheItemsByGroupIndex)
{
    struct TCase {
        std::vector<int> Main, Child;
        std::vector<std::string> Expected;
    };
    const std::vector<TCase> cases{
        {{0, 1, 5}, {1, 3}, {"main0", "child1", "child3", "main5"}},
        {{0, 4}, {}, {"main0", "main4"}},
        {{2, 2, 7}, {0, 7, 7}, {"child0", "main2", "main2", "child7", "child7"}},
    };
    for (const TCase& c : cases) {
        TMainMenu main(nullptr), child(nullptr);
        for (int g : c.Main) {
            auto* i = new TMenuItem(&main);
            i->SetCaption("main" + std::to_string(g));
            i->SetGroupIndex(g);
            main.Items()->Add(i);
        }
        for (int g : c.Child) {
            auto* i = new TMenuItem(&child);
            i->SetCaption("child" + std::to_string(g));
            i->SetGroupIndex(g);
            child.Items()->Add(i);
        }
        Bar->SetScrollMenu(true);
        Bar->SetMainMenu(&main);
        Bar->Merge(&child);
        EXPECT_EQ(Captions(*Bar), c.Expected);
        EXPECT_FALSE(Bar->ScrollMenu());   // a merge switches the overflow marker off
        Bar->UnMerge();
        EXPECT_EQ(int(Bar->ObjectList.size()), int(c.Main.size()));
        Bar->SetMainMenu(nullptr);
    }
    Bar->SetMainMenu(Menu);
}

TEST_F(TMenuBar, ItemsThatDoNotFitHideAndComeBackWithTheirState)
{
    Menu->Items()->Items(3)->SetEnabled(false);
    Bar->CalcItemsRect();
    const int third = Bar->Item(2)->ObjectRect.Right;
    // The third item ends 3 pixels before the items' right edge: with the
    // marker's 5 pixels it no longer fits.
    Form->SetClientWidth(third + 3 + 2);
    Pump();
    Bar->Scroll = false;
    Bar->CalcItemsRect();
    EXPECT_TRUE(Bar->Scroll);
    EXPECT_TRUE(Bar->Item(1)->Visible);
    EXPECT_FALSE(Bar->Item(2)->Visible);
    EXPECT_FALSE(Bar->Item(2)->Enabled);
    Bar->SetScrollMenu(false);
    Bar->CalcItemsRect();
    EXPECT_TRUE(Bar->Item(2)->Visible);
    EXPECT_TRUE(Bar->Item(2)->Enabled);
    EXPECT_FALSE(Bar->Item(3)->Enabled);
    Bar->SetScrollMenu(true);
    Form->SetClientWidth(480);
    Pump();
    Bar->CalcItemsRect();
    for (int i = 0; i < Bar->ItemCount(); ++i)
        EXPECT_TRUE(Bar->Item(i)->Visible) << i;
    EXPECT_FALSE(Bar->Item(3)->Enabled);   // hidden while disabled: stays so
    EXPECT_TRUE(Bar->Item(4)->Enabled);
}

TEST_F(TMenuBar, OverflowMarkerListsTheHiddenItems)
{
    Bar->CalcItemsRect();
    Form->SetClientWidth(Bar->Item(1)->ObjectRect.Right + 10);
    Pump();
    Form->Repaint();
    Pump();
    ASSERT_TRUE(Bar->Scroll);
    TRect m = Bar->MarkerRect();
    TPoint p = Bar->ClientToScreen(TPoint{m.Left + 2, m.Top + 5});
    Backend->Click(p.X, p.Y);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    std::vector<std::string> listed;
    for (auto* i : Top()->Items())
        listed.push_back(i->MenuItem->Caption());
    EXPECT_EQ(listed, (std::vector<std::string>{"&Tools", "&Go", "帮助(&H)"}));
}

TEST_F(TMenuBar, AltAndF10EnterMenuModeArrowsMoveEscLeaves)
{
    for (int vk : {VK_MENU, VK_F10}) {
        SCOPED_TRACE(vk);
        if (vk == VK_MENU) {
            Alt();
        } else {
            Key(VK_F10);
        }
        ASSERT_TRUE(Frame->InMainMenu);
        EXPECT_TRUE(Bar->MenuActive);
        EXPECT_EQ(ActiveCaption(), "文件(&F)");
        Key(VK_RIGHT);
        EXPECT_EQ(ActiveCaption(), "编辑(&E)");
        Key(VK_LEFT);
        Key(VK_LEFT);   // from the first to the last
        EXPECT_EQ(ActiveCaption(), "帮助(&H)");
        Key(VK_RIGHT);   // from the last to the first
        EXPECT_EQ(ActiveCaption(), "文件(&F)");
        Key(VK_DOWN);   // opens the active item's menu below it
        EXPECT_EQ(OpenCaption(), "文件(&F)");
        TRect wr = WindowRect(Top());
        TRect ir = Bar->Item(0)->ObjectRect;
        EXPECT_EQ(wr.Left, Bar->ClientToScreen(TPoint{ir.Left, 0}).X);
        EXPECT_EQ(wr.Top, Bar->ClientToScreen(TPoint{0, ir.Bottom}).Y);
        Key(VK_RIGHT);   // the open menu moves with the active item
        EXPECT_EQ(OpenCaption(), "编辑(&E)");
        EXPECT_EQ(Engine->WindowCount(), 1);
        Key(VK_ESCAPE);   // the menu closes, menu mode stays
        EXPECT_FALSE(Engine->Visible());
        EXPECT_TRUE(Frame->InMainMenu);
        EXPECT_EQ(ActiveCaption(), "编辑(&E)");
        Key(VK_ESCAPE);
        EXPECT_FALSE(Frame->InMainMenu);
        EXPECT_FALSE(Bar->MenuActive);
        EXPECT_EQ(ActiveCaption(), "");
    }
    // Alt again leaves the mode it entered.
    Alt();
    EXPECT_TRUE(Frame->InMainMenu);
    Alt();
    EXPECT_FALSE(Frame->InMainMenu);
}

TEST_F(TMenuBar, KeysKeepTheirChoiceUnderARestingPointer)
{
    TPoint p = ItemCentre(0);
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    Alt();
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Advance(200);
    EXPECT_EQ(ActiveCaption(), "&Tools");
    Key(VK_DOWN);
    Advance(200);
    EXPECT_EQ(OpenCaption(), "&Tools");
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->InMainMenu);
}

TEST_F(TMenuBar, MenuModeRunsTheChosenCommand)
{
    Alt();
    Key(VK_RIGHT);
    Key(VK_RETURN);
    EXPECT_EQ(OpenCaption(), "编辑(&E)");
    Key(VK_RETURN);
    EXPECT_EQ(Trace, (TTrace{"form.close", "click 剪切(&T)"}));
    EXPECT_FALSE(Engine->Visible());
    EXPECT_FALSE(Bar->MenuActive);
    // A command item on the bar runs at once and ends menu mode.
    Trace.clear();
    Alt();
    Key(VK_LEFT);
    Key(VK_LEFT);
    EXPECT_EQ(ActiveCaption(), "&Go");
    Key(VK_RETURN);
    EXPECT_EQ(Trace, (TTrace{"click &Go"}));
    EXPECT_FALSE(Frame->InMainMenu);
}

TEST_F(TMenuBar, AltLetterOpensOrRunsItsItem)
{
    AltKey('E', "e");
    EXPECT_EQ(OpenCaption(), "编辑(&E)");
    EXPECT_TRUE(Frame->InMainMenu);
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Frame->InMainMenu);
    AltKey('G', "g");
    EXPECT_EQ(Trace, (TTrace{"click &Go"}));
    EXPECT_FALSE(Engine->Visible());
    // A letter no item carries does nothing.
    Trace.clear();
    AltKey('Q', "q");
    EXPECT_TRUE(Trace.empty());
    EXPECT_FALSE(Engine->Visible());
}

TEST_F(TMenuBar, ShortcutsReachTheBarsMenuAfterTheFormLostIt)
{
    ASSERT_EQ(Form->Menu(), nullptr);
    Key(VK_F1);
    Key(VK_F1);
    Backend->KeyDown(VK_CONTROL);
    Key('O');
    Backend->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(Trace, (TTrace{"click 帮助系统", "click 帮助系统", "click 打开(&O)"}));
    // Alt+F4 is never a menu accelerator: it asks the form to close.
    Trace.clear();
    Form->OnCloseQuery = [this](TObject*, bool& CanClose) {
        Trace.push_back("close query");
        CanClose = false;
    };
    Backend->KeyDown(VK_MENU);
    Key(VK_F4);
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(Trace, (TTrace{"close query"}));
    Form->OnCloseQuery = nullptr;
}

TEST_F(TMenuBar, MouseOpensMovesAndClosesTheMenus)
{
    TPoint p = ItemCentre(0);
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    EXPECT_EQ(ActiveCaption(), "文件(&F)");
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(OpenCaption(), "文件(&F)");
    EXPECT_TRUE(Frame->InMainMenu);
    // Resting on the neighbour moves the open menu there.
    p = ItemCentre(1);
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    EXPECT_EQ(OpenCaption(), "编辑(&E)");
    // A press outside closes it and ends menu mode.
    Backend->Click(p.X, p.Y + 150);
    Pump();
    EXPECT_FALSE(Engine->Visible());
    EXPECT_FALSE(Bar->MenuActive);
}

TEST_F(TMenuBar, SkinGivesTheBarItsHeightAndItemsTheirImages)
{
    TLoadedSkin skin;
    skin.Load(0);
    Bar->SetSkinData(&skin.Data);
    Pump();
    ASSERT_TRUE(Bar->FSkinSupport);
    EXPECT_EQ(Bar->Height(), Bar->SkinRect.Height());
    Bar->CalcItemsRect();
    const auto& first = *Bar->Item(0);
    EXPECT_TRUE(first.FSkinSupport);
    EXPECT_EQ(first.ObjectRect.Left, Bar->ItemsRect.Left);
    EXPECT_EQ(first.ObjectRect.Height(), first.SkinRect.Height());
    EXPECT_EQ(first.ObjectRect.Width(), first.SkinRect.Width() - first.TextRct.Width() + Bar->ItemTextWidth(&first) + 2);
    Bar->SetSkinData(nullptr);
    EXPECT_EQ(Bar->Height(), 22);
    EXPECT_FALSE(Bar->Item(0)->FSkinSupport);
}

TEST_F(TMenuBar, SkinnedItemsMorphTowardsTheirHoverImage)
{
    TLoadedSkin skin;
    skin.Load(2);
    Bar->SetSkinData(&skin.Data);
    Pump();
    ASSERT_TRUE(Bar->Item(1)->EnableMorphing());
    TPoint p = ItemCentre(1);
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    EXPECT_TRUE(Bar->Item(1)->Active);
    EXPECT_LT(Bar->Item(1)->MorphKf(), 1.0);
    Advance(200);
    EXPECT_EQ(Bar->Item(1)->MorphKf(), 1.0);
    // Leaving the bar morphs it back.
    Backend->MouseMove(p.X, p.Y + 150);
    Advance(300);
    EXPECT_FALSE(Bar->Item(1)->Active);
    EXPECT_EQ(Bar->Item(1)->MorphKf(), 0.0);
    Bar->SetSkinData(nullptr);
}

TEST_F(TMenuBar, AnimatedItemsStepThroughTheirFrames)
{
    TLoadedSkin skin;
    skin.Load(1);
    Bar->SetSkinData(&skin.Data);
    Pump();
    TbsSkinMainMenuBarItem& item = *Bar->Item(1);
    // Three frames side by side: the item's own three images.
    item.AnimateSkinRect = TRect{item.SkinRect.Left, item.SkinRect.Top, item.SkinRect.Left + 3 * item.SkinRect.Width(),
                                 item.SkinRect.Bottom};
    item.FrameCount = 3;
    item.AnimateInterval = 30;
    ASSERT_TRUE(item.EnableAnimation());
    TPoint p = ItemCentre(1);
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    ASSERT_TRUE(item.Active);
    Advance(300);
    EXPECT_EQ(item.CurrentFrame, 4);   // ran past the last frame and stopped
    Form->Repaint();
    Pump();
    // Leaving drops back to the first image at once.
    Backend->MouseMove(p.X, p.Y + 150);
    Advance(100);
    EXPECT_FALSE(item.Active);
    EXPECT_EQ(item.CurrentFrame, 0);
    Bar->SetSkinData(nullptr);
}

TEST_F(TMenuBar, ItemsFollowTheirMenuItems)
{
    // Disabling a top-level item shows at once; a disabled item neither lights nor opens.
    Menu->Items()->Items(1)->SetEnabled(false);
    EXPECT_FALSE(Bar->Item(1)->Enabled);
    TPoint p = ItemCentre(1);
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_FALSE(Engine->Visible());
    EXPECT_EQ(ActiveCaption(), "");
    Menu->Items()->Items(1)->SetEnabled(true);
    // An item may draw itself.
    std::vector<bool> selected;
    Menu->Items()->Items(2)->OnDrawItem = [&](TObject* Sender, TCanvas& C, const TRect& R, bool Selected) {
        EXPECT_NE(dynamic_cast<TbsSkinMainMenuBarItem*>(Sender), nullptr);
        EXPECT_GT(R.Width(), 0);
        C.Brush().SetColor(clRed);
        C.FillRect(R);
        selected.push_back(Selected);
    };
    Form->Repaint();
    Pump();
    ASSERT_FALSE(selected.empty());
    EXPECT_FALSE(selected.back());
    auto pic = Backend->CaptureWindow(Form->Handle());
    TPoint c = Form->ScreenToClient(ItemCentre(2));
    TPoint o = Form->ClientToScreen(TPoint{0, 0});
    TRect wr;
    GetWindowRect(Form->Handle(), wr);
    EXPECT_EQ(pic->GetPixel(c.X + o.X - wr.Left, c.Y + o.Y - wr.Top), ColorToRGB(clRed));
    Menu->Items()->Items(2)->OnDrawItem = nullptr;
}

namespace {

// The bar with its first menu open, plain and in each of our skins, saved
// for a person to look at.
class TBarRender : public TMenuBar, public ::testing::WithParamInterface<int> {};

}  // namespace

TEST_P(TBarRender, BarWithAnOpenMenu)
{
    const int skin = GetParam();
    TLoadedSkin s;
    if (skin >= 0) {
        s.Load(skin);
        Frame->SetSkinData(&s.Data);
        Bar->SetSkinData(&s.Data);
    }
    Pump();
    Alt();
    Key(VK_DOWN);
    Advance(200);
    ASSERT_EQ(OpenCaption(), "文件(&F)");
    EXPECT_EQ(Bar->FSkinSupport, skin >= 0);
    TRect fr, pr = WindowRect(Top());
    GetWindowRect(Form->Handle(), fr);
    auto screen = Backend->CaptureScreen();
    TRect area{fr.Left, fr.Top, std::max(fr.Right, pr.Right), std::max(pr.Bottom + 20, fr.Top + 160)};
    TBitmap out;
    out.SetSize(area.Width(), area.Height(), false);
    out.Canvas()->CopyRect(TRect{0, 0, area.Width(), area.Height()}, *screen->Canvas(), area);
    std::filesystem::path dir(MENU_RENDER_DIR);
    std::filesystem::create_directories(dir);
    TPicture picture;
    picture.SetGraphic(&out);
    picture.SaveToFile((dir / ((skin >= 0 ? "skin" + std::to_string(skin) : std::string("plain")) + "_bar.png")).string());
    // The open item is drawn down: the plain look's pressed fill.
    if (skin < 0) {
        TRect ir = Bar->Item(0)->ObjectRect;
        TPoint p = Bar->ClientToScreen(TPoint{ir.Left + 2, ir.Top + 2});
        EXPECT_EQ(screen->GetPixel(p.X, p.Y), TColor(0xB59385));
    }
    Key(VK_ESCAPE);
    Key(VK_ESCAPE);
    Bar->SetSkinData(nullptr);
    Frame->SetSkinData(nullptr);
    Pump();
}

INSTANTIATE_TEST_SUITE_P(Skins, TBarRender, ::testing::Values(-1, 0, 1, 2, 3, 4, 5, 6));
