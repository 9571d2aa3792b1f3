#include <gtest/gtest.h>
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinPageControl.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

class PageControlTest : public TControlsTest {
protected:
    TbsSkinPageControl* NewPages(TbsSkinData* Skin, int Count, const TRect& Bounds = TRect{10, 10, 310, 210})
    {
        auto* pc = new TbsSkinPageControl(Form);
        pc->SetParent(Form);
        pc->SetBounds(Bounds.Left, Bounds.Top, RectWidth(Bounds), RectHeight(Bounds));
        for (int i = 0; i < Count; ++i) {
            auto* s = new TbsSkinTabSheet(Form);
            s->SetCaption("页面 Page " + std::to_string(i + 1));
            s->SetPageControl(pc);
        }
        if (Skin)
            pc->SetSkinData(Skin);
        pc->OnChange = [this](TObject*) { ++Changes; };
        Pump();
        return pc;
    }
    TPoint TabCentre(TbsSkinPageControl* pc, int i)
    {
        const TRect r = pc->GetTabRect(i);
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    void ClickTab(TbsSkinPageControl* pc, int i)
    {
        const TPoint p = TabCentre(pc, i);
        Click(pc, p.X, p.Y);
    }
    const TbsDataSkinTabControl* TabEntry(TbsSkinData* Skin)
    {
        return dynamic_cast<const TbsDataSkinTabControl*>(Skin->CtrlList[size_t(Skin->GetControlIndex("tab"))].get());
    }
    int Changes = 0;
};

TEST_F(PageControlTest, ProgramsThreePageControlsSwitchPagesInTheSkinsPageArea)
{
    TbsSkinData* skin = BaseSkinData();
    const TbsDataSkinTabControl* e = TabEntry(skin);
    ASSERT_NE(e, nullptr);
    TbsSkinPageControl* pcs[] = {NewPages(skin, 3, TRect{5, 5, 385, 135}), NewPages(skin, 3, TRect{5, 140, 195, 290}),
                                 NewPages(skin, 2, TRect{200, 140, 390, 290})};
    const int tabH = RectHeight(e->TabRect);
    const int RB = RectWidth(e->SkinRect) - e->ClRect.Right, BB = RectHeight(e->SkinRect) - e->ClRect.Bottom;
    for (TbsSkinPageControl* pc : pcs) {
        EXPECT_EQ(pc->SkinIndex(), skin->GetControlIndex("tab"));
        EXPECT_EQ(pc->TabHeight(), tabH);
        // The page area: the client less the tab strip, inset by the skin's borders.
        const TRect page = pc->ActivePage()->BoundsRect();
        EXPECT_EQ(page, (TRect{e->ClRect.Left, tabH + e->ClRect.Top, pc->ClientWidth() - RB, pc->ClientHeight() - BB}));
        // The tab strip lies in the band of the tab height at the top.
        EXPECT_EQ(pc->GetTabRect(0).Top, 0);
        EXPECT_EQ(pc->GetTabRect(0).Bottom, tabH);
    }
    TbsSkinPageControl* pc = pcs[0];
    ClickTab(pc, 2);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    EXPECT_EQ(Changes, 1);
    EXPECT_TRUE(pc->Pages(2)->Visible());
    EXPECT_FALSE(pc->Pages(0)->Visible());
    // The sheet shows the client part of the tab element.
    const TBitmap* picture = skin->ActivePicture(e->PictureIndex);
    const TColor client = picture->GetPixel(e->SkinRect.Left + e->ClRect.Left + 5, e->SkinRect.Top + e->ClRect.Top + 5);
    EXPECT_EQ(PixelOf(pc->Pages(2), 20, 20), client);
}

TEST_F(PageControlTest, PlainPageAreaAndTabsFollowTheDefaultHeight)
{
    auto* pc = NewPages(nullptr, 3);
    EXPECT_EQ(pc->TabHeight(), 20);
    pc->SetDefaultItemHeight(24);
    EXPECT_EQ(pc->TabHeight(), 24);
    pc->SetDefaultItemHeight(20);
    EXPECT_EQ(pc->ActivePage()->BoundsRect(), (TRect{1, 21, pc->ClientWidth() - 1, pc->ClientHeight() - 1}));
    EXPECT_EQ(PixelOf(pc, 0, 20), ColorToRGB(clBtnShadow));
    ClickTab(pc, 1);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
}

TEST_F(PageControlTest, ChangingVetoKeepsThePage)
{
    auto* pc = NewPages(BaseSkinData(), 3);
    bool allow = false;
    int asked = 0;
    pc->OnChanging = [&](TObject*, bool& Allow) {
        ++asked;
        Allow = allow;
    };
    ClickTab(pc, 1);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_EQ(Changes, 0);
    allow = true;
    ClickTab(pc, 1);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
    EXPECT_EQ(Changes, 1);
}

TEST_F(PageControlTest, HiddenTabsAndHidingTheStrip)
{
    auto* pc = NewPages(BaseSkinData(), 4);
    const int h = pc->TabHeight();
    pc->Pages(1)->SetTabVisible(false);
    EXPECT_EQ(pc->TabCount(), 3);
    ClickTab(pc, 1);   // the second shown tab is the third page
    EXPECT_EQ(pc->ActivePageIndex(), 2);

    pc->SetMultiLine(true);
    pc->HideTabs();
    pc->HideTabs();
    EXPECT_TRUE(pc->TabsHidden());
    EXPECT_EQ(pc->TabHeight(), 1);
    EXPECT_FALSE(pc->MultiLine());
    pc->ShowTabs();
    EXPECT_FALSE(pc->TabsHidden());
    EXPECT_EQ(pc->TabHeight(), h);
    EXPECT_TRUE(pc->MultiLine());
    EXPECT_EQ(pc->TabPosition(), tpTop);
}

TEST_F(PageControlTest, OverflowingRowGetsTheSpinButtonScroller)
{
    auto* pc = NewPages(BaseSkinData(), 8, TRect{10, 10, 210, 160});
    TbsSkinUpDown* ud = pc->UpDownControl();
    ASSERT_NE(ud, nullptr);
    EXPECT_EQ(ud->Width(), 40);
    EXPECT_EQ(ud->Height(), 20);
    EXPECT_EQ(ud->Left(), pc->Width() - 40);
    EXPECT_EQ(ud->Top(), 0);
    EXPECT_EQ(ud->SkinDataName(), "hupdown");
    EXPECT_EQ(ud->Max(), pc->GetHiddenTabCount());
    EXPECT_EQ(ud->Position(), 0);

    // The right button scrolls the row by one tab on release.
    Click(ud, 30, 10);
    EXPECT_EQ(pc->FirstVisibleTab(), 1);
    EXPECT_EQ(pc->GetScrolledTabCount(), 1);
    // Held, it repeats after 500 ms and then every 100 ms, up to the last tab.
    Press(ud, 30, 10);
    Wait(500);
    EXPECT_EQ(pc->FirstVisibleTab(), 1);
    Wait(110);
    EXPECT_EQ(pc->FirstVisibleTab(), 2);
    // Off the button and back: every 50 ms.
    MoveTo(ud, 5, 10);
    Wait(200);
    EXPECT_EQ(pc->FirstVisibleTab(), 2);
    MoveTo(ud, 30, 10);
    Wait(55);
    EXPECT_EQ(pc->FirstVisibleTab(), 3);
    Release(ud, 30, 10);
    EXPECT_EQ(pc->FirstVisibleTab(), 4);
    Click(ud, 5, 10);
    EXPECT_EQ(pc->FirstVisibleTab(), 3);

    // Wide enough again: the scroller goes.
    pc->SetBounds(10, 10, 1200, 150);
    Pump();
    EXPECT_EQ(pc->UpDownControl(), nullptr);
    pc->SetBounds(10, 10, 200, 150);
    Pump();
    EXPECT_NE(pc->UpDownControl(), nullptr);
    pc->SetMultiLine(true);
    pc->SetBounds(10, 10, 201, 150);
    Pump();
    EXPECT_EQ(pc->UpDownControl(), nullptr);
}

TEST_F(PageControlTest, CloseButtonsCloseTheirOwnTabEvenAfterAVeto)
{
    for (TbsSkinData* skin : {BaseSkinData(), static_cast<TbsSkinData*>(nullptr)}) {
        auto* pc = NewPages(skin, 3);
        const int before = RectWidth(pc->GetTabRect(1));
        pc->SetShowCloseButtons(true);
        Pump();
        EXPECT_EQ(pc->TabImageSize().cx, 1 + pc->CloseSize());
        EXPECT_EQ(RectWidth(pc->GetTabRect(1)), before + pc->CloseSize());
        pc->OnChanging = [](TObject*, bool& Allow) { Allow = false; };
        std::vector<TTabSheet*> closing;
        int after = 0;
        bool canClose = true;
        pc->OnClose = [&](TObject* Page, bool& CanClose) {
            closing.push_back(dynamic_cast<TTabSheet*>(Page));
            CanClose = canClose;
        };
        pc->OnAfterClose = [&](TObject*) { ++after; };
        auto* sheet = dynamic_cast<TbsSkinTabSheet*>(pc->Pages(1));
        MoveTo(pc, TabCentre(pc, 1).X, TabCentre(pc, 1).Y);
        const TRect tab = pc->GetTabRect(1);
        TRect button = sheet->ButtonRect;
        ASSERT_FALSE(IsNullRect(button)) << (skin ? "skinned" : "plain");
        button.Offset(tab.Left, tab.Top);
        const int bx = (button.Left + button.Right) / 2, by = (button.Top + button.Bottom) / 2;
        EXPECT_LE(button.Right, tab.Right);
        EXPECT_GE(button.Left, tab.Right - pc->CloseSize() - 2 - 3 - 1);

        // Refused first: the page stays.
        canClose = false;
        Click(pc, bx, by);
        ASSERT_EQ(closing.size(), 1u);
        EXPECT_EQ(closing[0], sheet);
        EXPECT_TRUE(sheet->TabVisible());
        EXPECT_EQ(pc->ActivePageIndex(), 0);   // the switch was vetoed
        // Then allowed: the clicked tab's page closes, not the active one.
        canClose = true;
        Click(pc, bx, by);
        ASSERT_EQ(closing.size(), 2u);
        EXPECT_EQ(closing[1], sheet);
        EXPECT_FALSE(sheet->TabVisible());
        EXPECT_EQ(pc->ActivePageIndex(), 0);
        EXPECT_EQ(pc->TabCount(), 2);
        EXPECT_EQ(after, 1);
        // With FreeOnClose the page goes away.
        pc->SetFreeOnClose(true);
        const TPoint c2 = TabCentre(pc, 1);
        MoveTo(pc, c2.X, c2.Y);
        auto* third = dynamic_cast<TbsSkinTabSheet*>(pc->Pages(2));
        TRect b3 = third->ButtonRect;
        b3.Offset(pc->GetTabRect(1).Left, pc->GetTabRect(1).Top);
        Click(pc, (b3.Left + b3.Right) / 2, (b3.Top + b3.Bottom) / 2);
        EXPECT_EQ(pc->PageCount(), 2);
        delete pc;
    }
}

TEST_F(PageControlTest, CentredTabsNeedATabWidth)
{
    auto* pc = NewPages(nullptr, 2);
    pc->SetTabsInCenter(true);
    EXPECT_FALSE(pc->TabsInCenter());
    EXPECT_EQ(pc->GetTabsOffset(), 0);
    pc->SetTabWidth(60);
    pc->SetTabsInCenter(true);
    EXPECT_TRUE(pc->TabsInCenter());
    EXPECT_EQ(pc->GetTabsOffset(), pc->Width() / 2 - 60);
    ClickTab(pc, 1);
    EXPECT_EQ(pc->ActivePageIndex(), 1);
}

TEST_F(PageControlTest, WallPaperBeatsTheSkin)
{
    auto* pc = NewPages(BaseSkinData(), 2);
    auto* sheet = dynamic_cast<TbsSkinTabSheet*>(pc->ActivePage());
    TBitmap paper(8, 8);
    paper.Fill(RGB(10, 200, 30));
    sheet->SetWallPaper(paper);
    Pump();
    EXPECT_EQ(PixelOf(sheet, 13, 13), RGB(10, 200, 30));
}

}  // namespace
