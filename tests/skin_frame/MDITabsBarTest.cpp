// The tab bar of child forms: tab layout, dragging a tab to a new place and
// the tabs' close buttons. Our program places no such bar; it is tested on
// forms handed to it directly.
#include <filesystem>
#include "FrameFixture.h"
#include "skin/draw/RectUtils.h"
#include "platform/ui/controls/Menus.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/frame/MDITabsBar.h"
#include "skin/menus/SkinMenu.h"

namespace {

class TMDITabsBarTest : public TFrameTest {
protected:
    void SetUp() override
    {
        TFrameTest::SetUp();
        MakeForm(400, 200);
        Bar = new TbsSkinMDITabsBar(Form);
        Bar->SetParent(Form);
        Bar->BSF = Frame;
        Frame->SetMDITabsBar(Bar);
    }
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        for (TForm* c : Children)
            delete c;
        TFrameTest::TearDown();
    }
    void AddChildren(int n)
    {
        for (int i = 0; i < n; ++i) {
            auto* c = NewForm<TForm>(nullptr, TFormCreation::New);
            c->SetCaption("Doc " + std::to_string(Children.size() + 1));
            c->SetBounds(600, 400, 200, 150);   // clear of the bar: a press shows it
            Children.push_back(c);
            Bar->AddTab(c);
        }
        Bar->CalcTabRects();
    }
    TPoint Screen(int x, int y)
    {
        TPoint p{x, y};
        ClientToScreen(Bar->Handle(), p);
        return p;
    }
    std::vector<std::string> Order()
    {
        std::vector<std::string> o;
        for (int i = 0; i < Bar->TabCount(); ++i)
            o.push_back(Bar->Tabs(i)->Child->Caption());
        return o;
    }

    TbsSkinMDITabsBar* Bar = nullptr;
    std::vector<TForm*> Children;
};

// Three tabs on 315 pixels are 100 wide from x = 15; five on 318 are 60
// wide and the last ends at 318; with MinTabWidth 80 on 250 pixels two of
// four tabs fit.
TEST_F(TMDITabsBarTest, Layout)
{
    Bar->SetBounds(0, 0, 315, 21);
    AddChildren(3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Bar->Tabs(i)->ObjectRect, (TRect{15 + 100 * i, 0, 115 + 100 * i, 21}));
    EXPECT_EQ(Bar->GetTabIndex(115, 10), 0);   // edges belong to the first tab that has them
    EXPECT_EQ(Bar->GetTabIndex(5, 10), -1);

    Bar->SetBounds(0, 0, 318, 21);
    AddChildren(2);
    EXPECT_EQ(Bar->Tabs(0)->ObjectRect.Width(), 60);
    EXPECT_EQ(Bar->Tabs(4)->ObjectRect.Right, 318);

    Bar->SetBounds(0, 0, 250, 21);
    Bar->DeleteTab(Children[4]);
    Bar->MinTabWidth = 80;
    Bar->CalcTabRects();
    EXPECT_EQ(Bar->InVisibleCount(), 2);
    EXPECT_TRUE(Bar->Tabs(1)->Visible);
    EXPECT_FALSE(Bar->Tabs(2)->Visible);
    EXPECT_EQ(Bar->GetCloseSize(), 14);
}

// A tab dragged right past its neighbour's centre takes its place; one
// released before that centre stays.
TEST_F(TMDITabsBarTest, DraggingReorders)
{
    Bar->SetBounds(0, 0, 315, 21);
    AddChildren(3);
    Pump();
    auto drag = [&](int from, int by) {
        const TPoint p = Screen(from, 10);
        Backend->MouseMove(p.X, p.Y);
        Backend->MouseDown(p.X, p.Y);
        Backend->MouseMove(p.X + by / 2, p.Y);
        Backend->MouseMove(p.X + by, p.Y);
        Backend->MouseUp(p.X + by, p.Y);
        Pump();
    };
    drag(60, 30);   // the first tab's right edge stops short of the second's centre
    EXPECT_EQ(Order(), (std::vector<std::string>{"Doc 1", "Doc 2", "Doc 3"}));
    drag(60, 70);
    EXPECT_EQ(Order(), (std::vector<std::string>{"Doc 2", "Doc 1", "Doc 3"}));
}

// A press on a close button closes the tab's form only when released on it.
TEST_F(TMDITabsBarTest, CloseButtons)
{
    Bar->SetBounds(0, 0, 315, 21);
    Bar->SetShowCloseButtons(true);
    AddChildren(2);
    Children[0]->Show();
    Pump();
    const TbsMDITab& t = *Bar->Tabs(0);
    ASSERT_FALSE(IsNullRect(t.ButtonRect));
    const TPoint b = Screen(t.ObjectRect.Left + t.ButtonRect.Left + 5, t.ObjectRect.Top + t.ButtonRect.Top + 5);
    Backend->MouseMove(b.X, b.Y);
    Backend->MouseDown(b.X, b.Y);
    Backend->MouseMove(b.X - 40, b.Y);
    Backend->MouseUp(b.X - 40, b.Y);
    Pump();
    EXPECT_TRUE(Children[0]->Visible());

    Backend->MouseMove(b.X, b.Y);
    Backend->MouseDown(b.X, b.Y);
    Backend->MouseUp(b.X, b.Y);
    Pump();
    EXPECT_FALSE(Children[0]->Visible());

    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveWindowPicture(Form->Handle(), std::string(FRAME_RENDER_DIR) + "/mdi_tabs_plain.png");
}

// A right-to-left form's tab bar reads its captions right to left; a
// caption stays centred on its tab, as centred text does in either order.
TEST_F(TMDITabsBarTest, RightToLeftCaptionsStayCentred)
{
    Bar->SetBounds(0, 0, 315, 21);
    Bar->SetShowCloseButtons(true);
    AddChildren(3);
    auto inkColumns = [this] {
        Bar->Repaint();
        Pump();
        auto pic = Backend->CaptureWindow(Form->Handle());
        TRect wr, br;
        GetWindowRect(Form->Handle(), wr);
        GetWindowRect(Bar->Handle(), br);
        const TRect t = Bar->Tabs(1)->ObjectRect;
        std::vector<int> cols;
        for (int x = t.Left; x < t.Right - 20; ++x)   // the caption, not the close button
            for (int y = t.Top; y < t.Bottom; ++y) {
                TColor c = pic->GetPixel(br.Left - wr.Left + x, br.Top - wr.Top + y);
                if (GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60) {
                    cols.push_back(x);
                    break;
                }
            }
        return cols;
    };
    const std::vector<int> leftToRight = inkColumns();
    ASSERT_FALSE(leftToRight.empty());
    Form->SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(Bar->UseRightToLeftReading());
    EXPECT_EQ(inkColumns(), leftToRight);
    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveWindowPicture(Form->Handle(), std::string(FRAME_RENDER_DIR) + "/mdi_tabs_rtl.png");
}

// The list button comes with the first tab and lists every tab; the button
// of hidden tabs comes when tabs no longer fit, and its items show them.
TEST_F(TMDITabsBarTest, ListButtons)
{
    Bar->SetBounds(0, 0, 250, 21);
    EXPECT_EQ(Bar->ListButton(), nullptr);
    AddChildren(4);
    ASSERT_NE(Bar->ListButton(), nullptr);
    EXPECT_EQ(Bar->HideListButton(), nullptr);
    Children[2]->SetName("Third");
    Bar->MinTabWidth = 80;
    Bar->Repaint();
    Pump();
    ASSERT_NE(Bar->HideListButton(), nullptr);

    Bar->FillListMenu();
    EXPECT_EQ(Bar->ListMenu()->Items()->Count(), 4);
    Bar->FillHideListMenu();
    TMenuItem* hidden = Bar->HideListMenu()->Items();
    ASSERT_EQ(hidden->Count(), 2);
    EXPECT_EQ(hidden->Items(0)->Name(), "Third_BSFCHILDITEMBARHIDE");
    EXPECT_EQ(hidden->Items(0)->Caption(), "Doc 3");
    EXPECT_FALSE(Children[2]->Visible());
    hidden->Items(0)->Click();
    EXPECT_TRUE(Children[2]->Visible());

    for (TForm* c : Children)
        Bar->DeleteTab(c);
    Pump();
    EXPECT_EQ(Bar->ListButton(), nullptr);
    EXPECT_EQ(Bar->HideListButton(), nullptr);
}

}  // namespace
