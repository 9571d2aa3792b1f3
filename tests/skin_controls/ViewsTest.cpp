#include <gtest/gtest.h>
#include "platform/ui/MessageLoop.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/CommCtrl.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinListView.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinTreeView.h"
#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

class ViewsTest : public TControlsTest {
protected:
    TbsSkinScrollBar* NewBar(TScrollBarKind Kind)
    {
        auto* b = new TbsSkinScrollBar(Form);
        b->SetParent(Form);
        if (Kind == sbVertical) {
            b->SetKind(sbVertical);
            b->SetSkinDataName("vscrollbar");
            b->SetBounds(320, 10, 19, 200);
        } else {
            b->SetBounds(10, 215, 300, 19);
        }
        return b;
    }

    // The job list's shape: report style, grid lines, row select, read-only,
    // 25 columns of which 18 are hidden (width 0, at most 1), owner data.
    TbsSkinListView* NewJobList(TbsSkinData* Skin, int Rows = 501)
    {
        auto* lv = new TbsSkinListView(Form);
        lv->SetParent(Form);
        lv->SetBounds(10, 10, 300, 200);
        lv->SetViewStyle(vsReport);
        lv->SetGridLines(true);
        lv->SetRowSelect(true);
        lv->SetReadOnly(true);
        lv->SetHeaderSkinDataName("resizetoolbutton");
        const int shown[] = {0, 1, 2, 10, 11, 20, 24};
        lv->Columns().BeginUpdate();
        for (int c = 0; c < 25; ++c) {
            TListColumn* col = lv->Columns().Add();
            col->SetCaption("Column " + std::to_string(c));
            const bool visible = std::find(std::begin(shown), std::end(shown), c) != std::end(shown);
            col->SetWidth(visible ? 60 : 0);
            col->SetMaxWidth(visible ? 0 : 1);
        }
        lv->Columns().EndUpdate();
        lv->SetOwnerData(true);
        lv->OnData = [](TObject*, TListItem* Item) {
            Item->SetCaption("Job " + std::to_string(Item->Index()));
            for (int c = 1; c < 25; ++c)
                Item->SubItems().Add(std::to_string(c));
        };
        lv->Items().SetCount(Rows);
        VBar = NewBar(sbVertical);
        HBar = NewBar(sbHorizontal);
        if (Skin) {
            VBar->SetSkinData(Skin);
            HBar->SetSkinData(Skin);
            lv->SetSkinData(Skin);
        }
        lv->SetVScrollBar(VBar);
        lv->SetHScrollBar(HBar);
        Pump();
        lv->UpDateScrollBars();
        Pump();
        return lv;
    }
    TbsSkinScrollBar* VBar = nullptr;
    TbsSkinScrollBar* HBar = nullptr;
};

TEST_F(ViewsTest, JobListMirrorsItsScrollStateIntoTheBars)
{
    auto* lv = NewJobList(TestSkinData());
    EXPECT_EQ(lv->Color(), TestSkin::ViewBack);
    EXPECT_EQ(lv->Font().Color(), TestSkin::ViewText);
    const int perPage = int(SendMessage(lv->Handle(), LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(perPage, 0);
    EXPECT_TRUE(VBar->Visible());
    EXPECT_EQ(VBar->Max(), 500);
    EXPECT_EQ(VBar->PageSize(), perPage);
    EXPECT_EQ(VBar->LargeChange(), perPage);
    // Seven columns of 60 are wider than the view.
    EXPECT_TRUE(HBar->Visible());
    EXPECT_EQ(HBar->PageSize(), 300);
    EXPECT_TRUE(HBar->Both());

    // Moving the bar scrolls the view by whole rows, with no feedback into the bar.
    VBar->SetPosition(100);
    Pump();
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETTOPINDEX, 0, 0), 100);
    EXPECT_EQ(VBar->Position(), 100);
    VBar->SetPosition(40);
    Pump();
    EXPECT_EQ(SendMessage(lv->Handle(), LVM_GETTOPINDEX, 0, 0), 40);
    HBar->SetPosition(50);
    Pump();
    EXPECT_EQ(GetScrollPos(lv->Handle(), SB_HORZ), 50);

    // Keys move the view; the bar follows.
    lv->SetFocus();
    lv->SetItemIndex(40);
    Backend->KeyDown(VK_END);
    Pump();
    EXPECT_EQ(VBar->Position(), 501 - perPage);
}

TEST_F(ViewsTest, ListViewMirrorsNothingWhenTinyAndHidesTheVerticalBarInListStyle)
{
    auto* lv = NewJobList(nullptr);
    EXPECT_EQ(lv->Color(), clWindow);
    lv->SetBounds(10, 10, 5, 200);
    Pump();
    VBar->SetVisible(false);
    lv->UpDateScrollBars();
    EXPECT_EQ(lv->Width(), 5);
    EXPECT_FALSE(VBar->Visible());

    lv->SetBounds(10, 10, 300, 200);
    lv->UpDateScrollBars();
    EXPECT_TRUE(VBar->Visible());
    lv->SetViewStyle(vsList);
    Pump();
    lv->UpDateScrollBars();
    EXPECT_FALSE(VBar->Visible());
    EXPECT_FALSE(HBar->Both());
}

TEST_F(ViewsTest, SkinnedHeaderPaintsAndTracksItsSections)
{
    auto* lv = NewJobList(TestSkinData(), 20);
    HWND header = lv->SkinnedHeader();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(GetClassName(header), "SysHeader32");
    TRect r;
    SendMessage(header, HDM_GETITEMRECT, 1, LPARAM(&r));
    ASSERT_EQ(RectWidth(r), 60);
    auto shot = Capture();
    auto pixel = [&](int x, int y) {
        const TPoint p = Form->ScreenToClient(lv->ClientToScreen(TPoint{x, y}));
        return Capture()->GetPixel(p.X, p.Y);
    };
    // The header's face comes from the test skin's tool button element.
    EXPECT_EQ(pixel(r.Left + 30, 3), TestSkin::Normal);
    // Past the last section: the filler, cut from the same element.
    EXPECT_EQ(pixel(295, 3), TestSkin::Normal);

    const TPoint p = lv->ClientToScreen(TPoint{r.Left + 30, 5});
    Backend->MouseMove(p.X, p.Y);
    Backend->MouseDown(p.X, p.Y);
    Pump();
    EXPECT_EQ(lv->ActiveSection(), 1);
    EXPECT_TRUE(lv->HeaderDown());
    EXPECT_EQ(pixel(r.Left + 30, 3), TestSkin::Down);
    Backend->MouseUp(p.X, p.Y);
    Pump();
    EXPECT_EQ(lv->ActiveSection(), -1);
    EXPECT_FALSE(lv->HeaderDown());
    EXPECT_EQ(pixel(r.Left + 30, 3), TestSkin::Normal);

    // A press on a divider starts a column drag, not a section press.
    const TPoint d = lv->ClientToScreen(TPoint{r.Right - 1, 5});
    Backend->MouseMove(d.X, d.Y);
    Backend->MouseDown(d.X, d.Y);
    Pump();
    EXPECT_TRUE(lv->DividerDown());
    EXPECT_FALSE(lv->HeaderDown());
    Backend->MouseUp(d.X, d.Y);
    Pump();
    EXPECT_FALSE(lv->DividerDown());
    (void)shot;
}

TEST_F(ViewsTest, TreeViewMirrorsRowsAndScrollsFromItsBar)
{
    auto* tv = new TbsSkinTreeView(Form);
    tv->SetParent(Form);
    tv->SetBounds(10, 10, 300, 200);
    auto* v = NewBar(sbVertical);
    tv->SetVScrollBar(v);
    tv->SetSkinData(TestSkinData());
    EXPECT_EQ(tv->Color(), TestSkin::ViewBack);
    // A few nodes: nothing to scroll, the bar stays hidden.
    for (int i = 0; i < 3; ++i)
        tv->Items().Add(nullptr, "Node " + std::to_string(i));
    Pump();
    tv->UpDateScrollBars();
    EXPECT_FALSE(v->Visible());
    for (int i = 3; i < 60; ++i)
        tv->Items().Add(nullptr, "Node " + std::to_string(i));
    Pump();
    tv->UpDateScrollBars();
    EXPECT_TRUE(v->Visible());
    EXPECT_EQ(v->Max(), 59);
    EXPECT_EQ(v->PageSize(), int(SendMessage(tv->Handle(), TVM_GETVISIBLECOUNT, 0, 0)));
    v->SetPosition(20);
    Pump();
    ASSERT_NE(tv->TopItem(), nullptr);
    EXPECT_EQ(tv->TopItem()->Text(), "Node 20");
    EXPECT_EQ(GetScrollPos(tv->Handle(), SB_VERT), 20);

    // Without a skin: the default colour and font.
    tv->SetSkinData(nullptr);
    tv->ChangeSkinData();
    EXPECT_EQ(tv->Color(), clWindow);
    EXPECT_EQ(tv->Font().Name(), "Arial");
}

// The header painted into a context that came with the message: the
// sections and the filler, and the context stays the caller's.
TEST_F(ViewsTest, HeaderPrintsIntoAGivenContext)
{
    auto* lv = NewJobList(TestSkinData(), 5);
    ASSERT_NE(lv->SkinnedHeader(), nullptr);
    TRect wr;
    GetWindowRect(lv->SkinnedHeader(), wr);
    TBitmap b(RectWidth(wr), RectHeight(wr));
    b.Fill(RGB(1, 2, 3));
    SendMessage(lv->Handle(), WM_PRINTSKINHEADER, WPARAM(b.Canvas()->Handle()), 0);
    EXPECT_EQ(b.GetPixel(30, 3), TestSkin::Normal);
    EXPECT_EQ(b.GetPixel(RectWidth(wr) - 3, 3), TestSkin::Normal);   // the filler
    // The context is still usable afterwards.
    b.Canvas()->Brush().SetColor(RGB(9, 9, 9));
    b.Canvas()->FillRect(TRect{0, 0, 2, 2});
    EXPECT_EQ(b.GetPixel(1, 1), RGB(9, 9, 9));

    // Without a skin the header draws plain.
    lv->SetSkinData(nullptr);
    lv->ChangeSkinData();
    b.Fill(RGB(1, 2, 3));
    SendMessage(lv->Handle(), WM_PRINTSKINHEADER, WPARAM(b.Canvas()->Handle()), 0);
    EXPECT_EQ(b.GetPixel(30, 5), ColorToRGB(clBtnFace));
    EXPECT_EQ(b.GetPixel(0, 5), ColorToRGB(clBtnShadow));
}

// The form's skin change reaches the views through the relay walk.
TEST_F(ViewsTest, SkinChangeReachesTheViews)
{
    auto* lv = NewJobList(nullptr, 5);
    auto* tv = new TbsSkinTreeView(Form);
    tv->SetParent(Form);
    tv->SetBounds(10, 240, 100, 50);
    EXPECT_EQ(lv->Color(), clWindow);
    TbsSkinData* skin = TestSkinData();
    for (TControl* c : {static_cast<TControl*>(lv), static_cast<TControl*>(tv)})
        ASSERT_NE(dynamic_cast<IbsSkinChangeTarget*>(c), nullptr);
    lv->SetSkinData(skin);
    tv->SetSkinData(skin);
    lv->SetColor(clRed);
    tv->SetColor(clRed);
    ChangeControlsSkinData(skin, Form);
    EXPECT_EQ(lv->Color(), TestSkin::ViewBack);
    EXPECT_EQ(tv->Color(), TestSkin::ViewBack);
    EXPECT_EQ(tv->Font().Color(), TestSkin::ViewText);
}

// Header captions with a column image: a caption that fits follows the
// column's alignment; one cut with "..." starts at the left whatever the
// alignment, the image first.
TEST_F(ViewsTest, HeaderCaptionWithImageIsLeftAlignedWhenCut)
{
    auto* lv = NewJobList(nullptr, 3);
    auto* images = new TImageList(Form, 16, 16);
    TBitmap red(16, 16);
    red.Fill(RGB(255, 0, 0));
    images->Add(red);
    lv->SetSmallImages(images);
    TListColumn* col = lv->Columns()[0];
    col->SetAlignment(taRightJustify);
    col->SetImageIndex(0);
    TRect wr;
    GetWindowRect(lv->SkinnedHeader(), wr);
    TBitmap b(RectWidth(wr), RectHeight(wr));
    const int mid = RectHeight(wr) / 2;
    auto print = [&] {
        b.Fill(RGB(1, 2, 3));
        SendMessage(lv->Handle(), WM_PRINTSKINHEADER, WPARAM(b.Canvas()->Handle()), 0);
    };
    col->SetCaption("A caption far too long for sixty pixels");
    print();
    EXPECT_EQ(b.GetPixel(5 + 8, mid), RGB(255, 0, 0));
    col->SetCaption("A");
    print();
    EXPECT_NE(b.GetPixel(5 + 8, mid), RGB(255, 0, 0));
    bool found = false;
    for (int x = 20; x < 55; ++x)
        found |= b.GetPixel(x, mid) == RGB(255, 0, 0);
    EXPECT_TRUE(found);
}

}  // namespace
