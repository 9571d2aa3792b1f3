// The menu engine with synthetic input: placement, scrolling, keys, sub-menus,
// the notices to the opener and the form, and closing from outside.
#include "MenuFixture.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "skin/data/ObjectDescriptions.h"
#include "skin/draw/PlatformCaps.h"
#include "skin/draw/TextUtils.h"

namespace {

class TMenuEngine : public TMenuTest {
protected:
    // A popup menu owned by the form, items "A".."<n>".
    TbsSkinPopupMenu* MakeMenu(int n)
    {
        auto* m = new TbsSkinPopupMenu(Form);
        for (int i = 0; i < n; ++i)
            Add(m->Items(), std::string(1, char('A' + i)));
        return m;
    }
};

TEST_F(TMenuEngine, DropsDownBelowTheAnchorAndAboveItNearTheBottom)
{
    TbsSkinPopupMenu* m = MakeMenu(3);
    struct Case {
        TRect Anchor;
        bool Below;
    };
    const Case cases[] = {
        {TRect{200, 200, 260, 220}, true},
        {TRect{200, WorkArea.Bottom - 30, 260, WorkArea.Bottom - 10}, false},
    };
    for (const Case& c : cases) {
        m->PopupFromRect(c.Anchor, false);
        Pump();
        ASSERT_TRUE(Engine->Visible());
        TRect r = WindowRect(Top());
        if (c.Below)
            EXPECT_EQ(r.Top, c.Anchor.Bottom);
        else
            EXPECT_EQ(r.Bottom, c.Anchor.Top);
        EXPECT_EQ(r.Left, c.Anchor.Left);
        // Plain height: three items of 20 and a border of 4.
        EXPECT_EQ(r.Height(), 3 * 20 + 4);
        Engine->Hide();
        Pump();
    }
    // At the right edge the menu is moved left into the work area.
    m->Popup(WorkArea.Right - 5, 200);
    Pump();
    EXPECT_EQ(WindowRect(Top()).Right, WorkArea.Right);
    Engine->Hide();
}

TEST_F(TMenuEngine, SubMenuWithoutRoomOnTheRightOpensOnTheLeft)
{
    TbsSkinPopupMenu* m = MakeMenu(2);
    Add(m->Items()->Items(1), "Inner");
    for (int x : {200, WorkArea.Right - 60}) {
        m->Popup(x, 200);
        Pump();
        Key(VK_DOWN);
        Key(VK_RIGHT);
        ASSERT_EQ(Engine->WindowCount(), 2);
        TRect parent = WindowRect(Engine->PopupWindow(0));
        TRect child = WindowRect(Engine->PopupWindow(1));
        TRect item = Engine->PopupWindow(0)->Items()[1]->ObjectRect;
        if (x == 200)
            EXPECT_EQ(child.Left, parent.Left + item.Right + 1);
        else
            EXPECT_EQ(child.Right, parent.Left + item.Left - 1);
        // The first item of the sub-menu is level with its parent item.
        EXPECT_EQ(child.Top + Engine->PopupWindow(1)->NewItemsRect.Top, parent.Top + item.Top);
        Engine->Hide();
        Pump();
    }
}

TEST_F(TMenuEngine, TallMenuFillsTheWorkAreaWithScrollBands)
{
    TbsSkinPopupMenu* m = MakeMenu(1);
    for (int i = 0; i < WorkArea.Height() / 20 + 5; ++i)
        Add(m->Items(), "Item " + std::to_string(i));
    m->PopupFromRect(TRect{200, 300, 240, 320}, false);
    Pump();
    TbsSkinPopupWindow* w = Top();
    TRect r = WindowRect(w);
    EXPECT_TRUE(w->Scroll);
    EXPECT_EQ(r.Top, WorkArea.Top);
    EXPECT_EQ(r.Height(), WorkArea.Height());
    EXPECT_EQ(r.Left, 241);   // beside the anchor
    Engine->Hide();
}

TEST_F(TMenuEngine, MaxItemsInWindowScrollsTheRest)
{
    Frame->SetMaxMenuItemsInWindow(5);
    TbsSkinPopupMenu* m = MakeMenu(8);
    m->Popup(200, 200);
    Pump();
    TbsSkinPopupWindow* w = Top();
    EXPECT_TRUE(w->Scroll && w->Scroll2);
    EXPECT_EQ(w->VisibleCount, 5);
    EXPECT_EQ(w->Height(), 5 * 20 + 4 + 20);
    EXPECT_FALSE(w->Items()[5]->FVisible);
    // The menu bar's list of two sources behaves alike.
    TMenuItem extra(nullptr);
    Engine->Popup2(nullptr, nullptr, 0, TRect{200, 200, 200, 200}, m->Items(), &extra, false);
    Pump();
    EXPECT_EQ(Top()->VisibleCount, 5);
    EXPECT_EQ(Top()->Height(), 5 * 20 + 6 + 20);

    // Down through the items scrolls; from the last item it wraps to the first.
    w = Top();
    for (int i = 0; i < 7; ++i) {
        Engine->PopupKeyDown(VK_DOWN);
    }
    EXPECT_EQ(w->ActiveItem, 7);
    EXPECT_EQ(w->VisibleStartIndex, 3);
    EXPECT_TRUE(w->Items()[7]->FVisible);
    Engine->PopupKeyDown(VK_DOWN);
    EXPECT_EQ(w->ActiveItem, 0);
    EXPECT_EQ(w->VisibleStartIndex, 0);

    // Resting on the lower band scrolls one item every 100 ms until the end.
    TRect wr = WindowRect(w);
    Backend->MouseMove(wr.Left + 20, wr.Top + w->NewItemsRect.Bottom - 5);
    Pump();
    EXPECT_EQ(w->ScrollCode, 2);
    Advance(1000);
    EXPECT_EQ(w->VisibleStartIndex, 3);
    EXPECT_EQ(w->ScrollCode, 0);
    Engine->Hide();
}

TEST_F(TMenuEngine, KeysMoveSkipAndWrap)
{
    TbsSkinPopupMenu* m = MakeMenu(4);
    m->Items()->Items(1)->SetEnabled(false);
    m->Items()->Items(3)->SetEnabled(false);
    m->Popup(200, 200);
    Pump();
    TbsSkinPopupWindow* w = Top();
    EXPECT_EQ(w->ActiveItem, 0);
    Key(VK_DOWN);   // skips the disabled item
    EXPECT_EQ(w->ActiveItem, 2);
    Key(VK_DOWN);   // nothing usable after it: no wrap from a middle item
    EXPECT_EQ(w->ActiveItem, 2);
    Key(VK_UP);
    EXPECT_EQ(w->ActiveItem, 0);
    Key(VK_LEFT);   // the only window: nothing
    EXPECT_TRUE(Engine->Visible());
    Key(VK_ESCAPE);
    EXPECT_FALSE(Engine->Visible());
    EXPECT_TRUE(Trace.empty());
    EXPECT_FALSE(Frame->InMenu);
}

TEST_F(TMenuEngine, SubMenusOpenOnKeysAndAfterAMouseRest)
{
    TbsSkinPopupMenu* m = MakeMenu(3);
    Add(m->Items()->Items(1), "Inner 1");
    Add(m->Items()->Items(1), "Inner 2");
    m->Popup(200, 200);
    Pump();
    TbsSkinPopupWindow* w = Top();
    Key(VK_DOWN);   // the keyboard alone never opens a sub-menu
    Advance(700);
    EXPECT_EQ(Engine->WindowCount(), 1);
    Key(VK_RIGHT);
    ASSERT_EQ(Engine->WindowCount(), 2);
    EXPECT_TRUE(w->Items()[1]->Down);
    Key(VK_ESCAPE);   // closes only the sub-menu and releases its item
    EXPECT_EQ(Engine->WindowCount(), 1);
    EXPECT_FALSE(w->Items()[1]->Down);
    Key(VK_RETURN);
    EXPECT_EQ(Engine->WindowCount(), 2);
    Key(VK_LEFT);
    EXPECT_EQ(Engine->WindowCount(), 1);

    // The mouse: resting on the item opens it after 500 ms, not before.
    TPoint o = ItemPoint(w, 0);
    Backend->MouseMove(o.X, o.Y);
    Pump();
    TPoint p = ItemPoint(w, 1);
    Backend->MouseMove(p.X, p.Y);
    Pump();
    Advance(300);
    EXPECT_EQ(Engine->WindowCount(), 1);
    Advance(300);
    EXPECT_EQ(Engine->WindowCount(), 2);
    // Moving onto a plain item closes the sub-menu.
    TPoint q = ItemPoint(w, 2);
    Backend->MouseMove(q.X, q.Y);
    Pump();
    EXPECT_EQ(Engine->WindowCount(), 1);
    Engine->Hide();
}

TEST_F(TMenuEngine, CommandNoticesComeInOrder)
{
    auto* opener = new TOpener(Form, Trace);
    opener->SetParent(Form);
    opener->SetBounds(10, 10, 50, 20);
    TbsSkinPopupMenu* m = MakeMenu(2);
    m->Items()->Items(1)->OnClick = [this](TObject*) { Trace.push_back("command"); };
    int closes = 0;
    m->OnMenuClose = [&](TObject*) { ++closes; };
    // Without a skin the point variant for a control shows nothing.
    m->Popup2(opener, 200, 200);
    Pump();
    EXPECT_FALSE(Engine->Visible());
    m->PopupFromRect2(opener, TRect{200, 200, 200, 200}, false);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    Trace.clear();
    // A click: the release over the item runs it.
    TPoint p = ItemPoint(Top(), 1);
    Backend->MouseMove(p.X, p.Y);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_FALSE(Engine->Visible());
    EXPECT_EQ(Trace, (TTrace{"opener.close", "form.close", "command", "opener.after"}));
    EXPECT_EQ(closes, 1);

    // Escape and a press on the bare desktop close without AFTERDISPATCH.
    for (int way = 0; way < 3; ++way) {
        m->PopupFromRect2(opener, TRect{200, 200, 200, 200}, false);
        Pump();
        ASSERT_TRUE(Engine->Visible());
        Trace.clear();
        if (way == 0)
            Key(VK_ESCAPE);
        else if (way == 1)
            Backend->Click(WorkArea.Right - 3, WorkArea.Bottom - 3);
        else
            Backend->ActivateOtherProgram();
        Pump();
        EXPECT_FALSE(Engine->Visible()) << way;
        ASSERT_FALSE(Trace.empty()) << way;
        EXPECT_EQ(Trace.front(), "opener.close") << way;
        EXPECT_EQ(std::count(Trace.begin(), Trace.end(), "opener.after"), 0) << way;
        EXPECT_EQ(closes, 2 + way);
        EXPECT_EQ(GetCapture(), nullptr);
        if (way == 2)
            Backend->ReturnFromOtherProgram();
        Pump();
    }
}

TEST_F(TMenuEngine, ANewMenuTellsTheOldOpener)
{
    TTrace first, second;
    auto* a = new TOpener(Form, first);
    auto* b = new TOpener(Form, second);
    a->SetParent(Form);
    b->SetParent(Form);
    TbsSkinPopupMenu* m = MakeMenu(2);
    m->PopupFromRect2(a, TRect{200, 200, 200, 200}, false);
    Pump();
    m->PopupFromRect2(b, TRect{220, 220, 220, 220}, false);
    Pump();
    EXPECT_EQ(first, (TTrace{"opener.close"}));
    EXPECT_TRUE(second.empty());
    Engine->Hide();
    EXPECT_EQ(second, (TTrace{"opener.close"}));
}

TEST_F(TMenuEngine, NothingToShowClosesTheOpenMenu)
{
    TbsSkinPopupMenu* m = MakeMenu(2);
    m->Popup(200, 200);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    TMenuItem empty(nullptr);
    Engine->Popup(nullptr, nullptr, 0, TRect{10, 10, 10, 10}, &empty, false);
    EXPECT_FALSE(Engine->Visible());
    Engine->Popup(nullptr, nullptr, 2, TRect{10, 10, 10, 10}, m->Items(), false);
    EXPECT_FALSE(Engine->Visible());
    Pump();
    EXPECT_FALSE(Frame->InMenu);
}

TEST_F(TMenuEngine, AcceleratorRunsItsItem)
{
    TbsSkinPopupMenu* m = MakeMenu(0);
    Add(m->Items(), "&Open");
    Add(m->Items(), "E&xit");
    m->Popup(200, 200);
    Pump();
    Key('X');
    EXPECT_FALSE(Engine->Visible());
    EXPECT_EQ(Trace.back(), "click E&xit");
}

TEST_F(TMenuEngine, ItemKindsFollowTheirCaption)
{
    TMenuItem root(nullptr);
    struct Case {
        std::string Caption;
        bool Enabled, Divider, Header;
    };
    const Case cases[] = {
        {"-", false, true, false},  {"-x-", false, false, true}, {"-x-", true, false, false},
        {"", true, false, false},   {"Open", true, false, false},
    };
    TbsSkinPopupMenu* m = MakeMenu(0);
    m->SetAutoLineReduction(false);
    for (const Case& c : cases)
        Add(m->Items(), c.Caption)->SetEnabled(c.Enabled);
    m->Popup(200, 200);
    Pump();
    TbsSkinPopupWindow* w = Top();
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(w->Items()[i]->IsDivider(), cases[i].Divider) << i;
        EXPECT_EQ(w->Items()[i]->IsHeader(), cases[i].Header) << i;
    }
    Engine->Hide();
}

TEST_F(TMenuEngine, BadPictureIndexLeavesTheSkinAlone)
{
    TLoadedSkin s;
    s.Load(0);
    TbsDataSkinMenuItem* mi = nullptr;
    for (auto& o : s.Data.ObjectList)
        if ((mi = dynamic_cast<TbsDataSkinMenuItem*>(o.get())))
            break;
    ASSERT_NE(mi, nullptr);
    TRect skinRect = mi->SkinRect;
    mi->ActivePictureIndex = 99;
    TbsSkinPopupMenu* m = MakeMenu(3);
    m->SetSkinData(&s.Data);
    m->Popup(200, 200);
    Pump();
    TbsSkinPopupWindow* w = Top();
    EXPECT_EQ(mi->SkinRect, skinRect);
    EXPECT_EQ(w->Items()[0]->MI, nullptr);   // drawn plainly
    EXPECT_EQ(w->Items()[0]->ObjectRect.Height(), skinRect.Height());
    Engine->Hide();
}

}  // namespace

namespace {

class TLayeredMenu : public TMenuEngine {
protected:
    TLayeredMenu() { Config.Caps.PerPixelAlpha = true; }
};

TEST_F(TLayeredMenu, FirstWindowFadesInToTheMenusAlpha)
{
    ASSERT_TRUE(CanUseLayeredWindows());
    Frame->SetMenusAlphaBlend(true);
    Frame->SetMenusAlphaBlendAnimation(true);
    Frame->SetMenusAlphaBlendValue(200);
    TbsSkinPopupMenu* m = MakeMenu(2);
    Add(m->Items()->Items(0), "Inner");
    m->Popup(200, 200);
    Pump();
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Top()->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 200);
    Key(VK_RIGHT);   // a sub-menu gets the alpha at once
    ASSERT_EQ(Engine->WindowCount(), 2);
    ASSERT_TRUE(GetLayeredWindowAttributes(Top()->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 200);
    Engine->Hide();
}

}  // namespace

#include "skin/controls/SkinMenuSpeedButton.h"

namespace {

// A menu speed button opens its skinned popup menu below itself and is
// released when the menu reports that it closed.
TEST_F(TMenuEngine, MenuSpeedButtonOpensItsPopupMenu)
{
    TbsSkinPopupMenu* m = MakeMenu(2);
    auto* button = new TbsSkinMenuSpeedButton(Form);
    button->SetParent(Form);
    button->SetBounds(20, 20, 60, 24);
    button->SetSkinPopupMenu(m);
    Pump();
    TPoint p = button->ClientToScreen(TPoint{30, 12});
    Backend->MouseMove(p.X, p.Y);
    Backend->MouseDown(p.X, p.Y);
    Backend->MouseUp(p.X, p.Y);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    EXPECT_TRUE(button->MenuTracked());
    TPoint corner = button->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(WindowRect(Top()).Top, corner.Y + 24);
    EXPECT_EQ(WindowRect(Top()).Left, corner.X);
    Key(VK_ESCAPE);
    EXPECT_FALSE(Engine->Visible());
    EXPECT_FALSE(button->MenuTracked());
}

}  // namespace

namespace {

// Lines at the ends and doubled lines are tidied away before a menu shows,
// unless the menu asks for its lines as they are.
TEST_F(TMenuEngine, LinesAreTidiedBeforeShowing)
{
    TbsSkinPopupMenu* m = MakeMenu(0);
    for (const char* c : {"-", "A", "-", "-", "B", "-"})
        Add(m->Items(), c);
    m->Popup(200, 200);
    Pump();
    std::vector<std::string> shown;
    for (TbsSkinMenuItem* i : Top()->Items())
        shown.push_back(i->MenuItem->Caption());
    EXPECT_EQ(shown, (std::vector<std::string>{"A", "-", "B"}));
    Engine->Hide();
    Pump();
    for (int i = 0; i < m->Items()->Count(); ++i)
        m->Items()->Items(i)->SetVisible(true);
    m->SetAutoLineReduction(false);
    m->Popup(200, 200);
    Pump();
    EXPECT_EQ(Top()->Items().size(), 6u);
    Engine->Hide();
}

}  // namespace

TEST_F(TMenuEngine, WidthFollowsTheWidestCaptionAndShortcut)
{
    TbsSkinPopupMenu* m = MakeMenu(0);
    Add(m->Items(), "Short");
    Add(m->Items(), "&Open file", ShortCut('O', false, true, false));
    m->Popup(200, 200);
    Pump();
    TBitmap b(1, 1);
    b.Canvas()->Font().Assign(Engine->DefaultMenuItemFont());
    TRect t{0, 0, 0, 0};
    DrawSkinText(*b.Canvas(), "&Open file  Ctrl+O", t, DT_CALCRECT | DT_SINGLELINE);
    // Caption + shortcut + 2, the glyph column (19) and 19 more, + 10 plainly.
    EXPECT_EQ(Top()->Width(), t.Width() + 2 + 19 + 19 + 10);
    EXPECT_EQ(Top()->GlyphWidth, 19);
    Engine->Hide();
}

TEST_F(TMenuEngine, PopupMenusFindTheirFormsFrame)
{
    TLoadedSkin skin;
    skin.Load(1);
    Frame->SetSkinData(&skin.Data);
    // Owned by a component of the form: found through the owner's owner, and
    // the frame's skin is taken and kept.
    TComponent holder(Form);
    auto* m = new TbsSkinPopupMenu(&holder);
    Add(m->Items(), "A");
    m->Popup(200, 200);
    Pump();
    EXPECT_TRUE(Engine->Visible());
    EXPECT_EQ(m->SkinData(), &skin.Data);
    EXPECT_EQ(m->PopupPoint(), (TPoint{200, 200}));
    Engine->Hide();
    Frame->SetSkinData(nullptr);
    EXPECT_EQ(m->SkinData(), &skin.Data);
    m->SetSkinData(nullptr);
    // Without a form above it nothing is shown.
    TbsSkinPopupMenu orphan(nullptr);
    Add(orphan.Items(), "B");
    orphan.Popup(200, 200);
    Pump();
    EXPECT_FALSE(Engine->Visible());
    TComponent loose(nullptr);
    auto* n = new TbsSkinPopupMenu(&loose);
    Add(n->Items(), "C");
    n->Popup(200, 200);
    Pump();
    EXPECT_FALSE(Engine->Visible());
    delete m;
}

TEST_F(TMenuEngine, PopupPictureWithoutItemDescriptionIsNoSkin)
{
    TLoadedSkin skin;
    skin.Load(0);
    TbsSkinPopupMenu* m = MakeMenu(3);
    m->SetSkinData(&skin.Data);
    m->Popup(200, 200);
    Pump();
    ASSERT_TRUE(Top()->Skinned());
    Engine->Hide();
    std::erase_if(skin.Data.ObjectList,
                  [](const auto& d) { return dynamic_cast<TbsDataSkinMenuItem*>(d.get()) != nullptr; });
    m->Popup(200, 200);
    Pump();
    ASSERT_TRUE(Engine->Visible());
    EXPECT_FALSE(Top()->Skinned());
    EXPECT_EQ(Top()->Items()[0]->ObjectRect.Height(), 20);
    Engine->Hide();
    m->SetSkinData(nullptr);
}
