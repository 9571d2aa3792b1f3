#include <gtest/gtest.h>
#include "platform/core/Exception.h"
#include "platform/ui/Caps.h"
#include "platform/ui/Input.h"
#include "platform/ui/Keys.h"
#include "platform/ui/Window.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/SkinButton.h"
#include "skin/controls/SkinOfficeComboBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "skin/draw/MonitorRects.h"
#include "skin/draw/RectUtils.h"
#include "tests/skin_controls/ControlsFixture.h"

namespace {

// ------------------------------------------------------------ the list

class OfficeListTest : public TControlsTest {
protected:
    TbsSkinOfficeListBox* NewList(int Rows, int RowHeight = 50, int Height = 205)
    {
        auto* l = new TbsSkinOfficeListBox(Form);
        l->SetParent(Form);
        l->SetBounds(10, 10, 150, Height);
        l->SetItemHeight(RowHeight);
        for (int i = 0; i < Rows; ++i)
            l->Add()->SetCaption("Row " + std::to_string(i));
        Pump();
        return l;
    }
};

TEST_F(OfficeListTest, PlainHeightAndScrollBarFollowTheRows)
{
    auto* l = NewList(4);
    EXPECT_EQ(l->CalcHeight(4), 205);
    EXPECT_EQ(l->ScrollBar(), nullptr);   // four rows of 50 fit 205
    for (int i = 0; i < 11; ++i)
        l->Add()->SetCaption("More");
    ASSERT_NE(l->ScrollBar(), nullptr);
    EXPECT_EQ(l->ScrollBar()->Width(), 19);
    // Selecting the row below the last visible one shows it whole at the bottom.
    l->SetItemIndex(4);
    const TRect items = l->ItemsRect();
    EXPECT_EQ(l->ScrollOffset(), (items.Top + 5 * 50) + items.Top - l->Height() + 1);
    EXPECT_LE(l->Item(4)->ItemRect.Bottom, items.Bottom + 1);
    l->Clear();
    EXPECT_EQ(l->ScrollBar(), nullptr);
    EXPECT_EQ(l->ItemIndex(), 4) << "Clear leaves the index";
}

// The index outlives the rows: Clear, Delete and Add leave it, and the row
// later added at that index comes in selected. Keys walk from the rows there are.
TEST_F(OfficeListTest, ClearDeleteAndAddLeaveTheIndex)
{
    auto* l = NewList(4);
    l->SetItemIndex(2);
    l->Delete(3);
    EXPECT_EQ(l->ItemIndex(), 2);
    l->Clear();
    EXPECT_EQ(l->ItemIndex(), 2);
    std::vector<bool> active;
    for (int i = 0; i < 4; ++i)
        active.push_back(l->Add()->Active);
    EXPECT_EQ(active, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(l->ItemIndex(), 2);

    l->Clear();
    l->Add();
    l->Add();
    l->FindUp();   // from a stale index past the rows: the last row there is
    EXPECT_EQ(l->ItemIndex(), 1);
    l->Clear();
    l->Add();
    l->FindPageUp();   // index 1 with one row
    EXPECT_EQ(l->ItemIndex(), 0);
}

TEST_F(OfficeListTest, GrowingWhileScrolledToTheEndPullsTheRowsDown)
{
    auto* l = NewList(10, 30, 150);
    l->SetItemIndex(9);
    const int scrolled = l->ScrollOffset();
    const int lastBottom = l->Item(9)->ItemRect.Bottom;
    ASSERT_GT(scrolled, 0);
    l->SetBounds(10, 10, 150, 210);
    Pump();
    EXPECT_EQ(l->ScrollOffset(), scrolled - (l->ItemsRect().Bottom - lastBottom));
    EXPECT_EQ(l->Item(9)->ItemRect.Bottom, l->ItemsRect().Bottom);
}

TEST_F(OfficeListTest, KeysSkipHeadersAndDisabledRowsAndPageAcrossAHeader)
{
    auto* l = NewList(0, 30, 150);
    for (int i = 0; i < 12; ++i) {
        auto* item = l->Add();
        item->SetCaption("Row " + std::to_string(i));
        if (i == 0 || i == 6)
            item->SetHeader(true);
    }
    l->Item(3)->SetEnabled(false);
    l->SetItemIndex(2);
    l->FindDown();
    EXPECT_EQ(l->ItemIndex(), 4);   // the disabled row is skipped
    l->FindUp();
    EXPECT_EQ(l->ItemIndex(), 2);
    l->FindUp();
    EXPECT_EQ(l->ItemIndex(), 1);
    l->FindUp();                    // the header above is never chosen
    EXPECT_EQ(l->ItemIndex(), 1);
    l->FindPageDown();              // the page ends at the header: its last row before it
    EXPECT_EQ(l->ItemIndex(), 5);
    l->FindPageDown();              // stops at the first row after the header at 6
    EXPECT_EQ(l->ItemIndex(), 7);
    l->FindPageDown();              // no header: the page's rows plus one, clamped
    EXPECT_EQ(l->ItemIndex(), 11);
    // The mouse never hits a header or a disabled row.
    EXPECT_EQ(l->ItemAtPos(20, l->Item(6)->ItemRect.Top + 5) != -1, true);
    l->SetItemIndex(1);
    EXPECT_EQ(l->ItemAtPos(20, l->Item(3)->ItemRect.Top + 5), -1);
    // Row 1 under a header at row 0 scrolls the header into view too.
    l->SetItemIndex(11);
    l->SetItemIndex(1);
    EXPECT_EQ(l->ScrollOffset(), 0);
}

TEST_F(OfficeListTest, ItemIndexPastTheRowsIsRefusedBeforeAnythingChanges)
{
    auto* l = NewList(3);
    int clicks = 0;
    l->OnItemClick = [&](TObject*) { ++clicks; };
    l->SetItemIndex(1);
    EXPECT_THROW(l->SetItemIndex(3), EListError);
    EXPECT_EQ(l->ItemIndex(), 1);
    EXPECT_TRUE(l->Item(1)->Active);
    EXPECT_EQ(clicks, 1);
    l->SetItemIndex(-1);   // allowed: the old row stays drawn selected
    EXPECT_EQ(l->ItemIndex(), -1);
    EXPECT_TRUE(l->Item(1)->Active);
    EXPECT_EQ(clicks, 1);
}

// ------------------------------------------------------------ the combo

class OfficeComboTest : public TControlsTest {
protected:
    TbsSkinOfficeComboBox* NewCombo(int Rows, TbsSkinData* Skin = nullptr)
    {
        auto* c = new TbsSkinOfficeComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(20, 20, 200, 41);
        if (Skin)
            c->SetSkinData(Skin);
        c->SetListBoxItemHeight(30);
        Fill(c, Rows);
        c->OnClick = [this](TObject*) { Log += "click "; };
        c->OnChange = [this](TObject*) { Log += "change "; };
        c->OnCloseUp = [this](TObject*) { Log += "closeup "; };
        c->OnDropDown = [this](TObject*) { Log += "drop "; };
        Pump();
        return c;
    }
    // The program's refill: clear, add with title, caption and image, then select the first.
    void Fill(TbsSkinOfficeComboBox* c, int Rows)
    {
        c->Items().Clear();
        for (int i = 0; i < Rows; ++i) {
            auto* item = c->Items().Add();
            item->SetTitle("MP4 " + std::to_string(i));
            item->SetCaption("视频 Video " + std::to_string(i));
            item->SetImageIndex(i % 2);
        }
    }
    TPoint RowCentre(TbsSkinOfficeComboBox* c, int Row)
    {
        const TRect r = c->ListBox()->Item(Row)->ItemRect;
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    std::string Log;
};

TEST_F(OfficeComboTest, EveryAssignmentFiresClickThenChangeButNotWhileLoading)
{
    auto* c = NewCombo(0);
    Fill(c, 4);
    EXPECT_EQ(Log, "");   // the collection's changes fire no combo events
    c->SetItemIndex(0);
    EXPECT_EQ(Log, "click change ");
    Log.clear();
    c->SetItemIndex(0);   // the same index again
    EXPECT_EQ(Log, "click change ");
    Log.clear();
    c->SetItemIndex(-1);
    EXPECT_EQ(Log, "click change ");
    EXPECT_EQ(c->ItemIndex(), -1);
    Log.clear();
    EXPECT_THROW(c->SetItemIndex(4), EListError);
    EXPECT_EQ(Log, "");
    c->Loading();
    c->SetItemIndex(2);
    EXPECT_EQ(Log, "");
    EXPECT_EQ(c->ItemIndex(), 2);
    static_cast<TComponent*>(c)->Loaded();
}

TEST_F(OfficeComboTest, UpKeyAndWheelAtTheFirstRowStillReport)
{
    auto* c = NewCombo(4);
    c->SetItemIndex(0);
    c->SetFocus();
    Pump();
    Log.clear();
    Backend->KeyPress(VK_UP);
    Pump();
    EXPECT_EQ(Log, "click change ");
    EXPECT_EQ(c->ItemIndex(), 0);
    Log.clear();
    c->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Log, "click change ");
    EXPECT_EQ(c->ItemIndex(), 0);
    Log.clear();
    Backend->KeyPress(VK_DOWN);
    Pump();
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(Log, "click change ");
}

TEST_F(OfficeComboTest, PopupIsRightAlignedUnderTheComboAndAsHighAsItsRows)
{
    auto* c = NewCombo(15);
    c->SetListBoxItemHeight(50);
    c->SetDropDownCount(4);
    c->SetListBoxWidth(250);
    c->DropDown();
    Pump();
    auto* list = c->ListBox();
    ASSERT_TRUE(c->IsPopupVisible());
    EXPECT_EQ(Log, "drop ");
    EXPECT_EQ(list->Height(), 4 * 50 + 5);
    TRect box;
    GetWindowRect(list->Handle(), box);
    const TPoint bottomRight = c->ClientToScreen(TPoint{c->Width(), c->Height()});
    EXPECT_EQ(box.Right, bottomRight.X);
    EXPECT_EQ(box.Top, bottomRight.Y);
    EXPECT_EQ(box.Width(), 250);
    EXPECT_NE(list->ScrollBar(), nullptr);
    c->CloseUp(false);
    EXPECT_FALSE(c->IsPopupVisible());

    // Near the bottom of the work area it opens above.
    TRect work;
    GetWindowMonitorRect(Form->Handle(), true, work);
    Form->SetBounds(Form->Left(), work.Bottom - 100, Form->Width(), Form->Height());
    Pump();
    c->DropDown();
    Pump();
    GetWindowRect(list->Handle(), box);
    EXPECT_EQ(box.Bottom, c->ClientToScreen(TPoint{0, 0}).Y);
    c->CloseUp(false);

    // No rows: nothing opens and nothing is reported.
    Log.clear();
    c->Items().Clear();
    c->DropDown();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Log, "");
}

TEST_F(OfficeComboTest, PressDragIntoThePopupAndReleaseAccepts)
{
    auto* c = NewCombo(5);
    c->SetItemIndex(1);
    Log.clear();
    Press(c, 100, 20);
    ASSERT_TRUE(c->IsPopupVisible());
    auto* list = c->ListBox();
    const TPoint row = RowCentre(c, 3);
    const TPoint screen = list->ClientToScreen(row);
    Backend->MouseMove(screen.X, screen.Y);
    Pump();
    EXPECT_EQ(c->ItemIndex(), 3);   // highlighted, not yet taken
    Backend->MouseUp(screen.X, screen.Y);
    Pump();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(Log, "drop click change closeup ");

    // Click to open, click to choose; the current row again still reports.
    Log.clear();
    Click(c, 100, 20);
    ASSERT_TRUE(c->IsPopupVisible());
    const TPoint same = list->ClientToScreen(RowCentre(c, 3));
    Backend->MouseMove(same.X, same.Y);
    Pump();
    Backend->MouseDown(same.X, same.Y);
    Pump();
    Backend->MouseUp(same.X, same.Y);
    Pump();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Log, "drop click change closeup ");
}

TEST_F(OfficeComboTest, EscAndCancelModeRestoreTheOldRowSilently)
{
    auto* c = NewCombo(5);
    auto* other = new TbsSkinButton(Form);
    other->SetParent(Form);
    other->SetBounds(250, 200, 75, 25);
    c->SetItemIndex(1);
    for (int way = 0; way < 2; ++way) {
        Log.clear();
        Click(c, 100, 20);
        ASSERT_TRUE(c->IsPopupVisible());
        const TPoint p = c->ListBox()->ClientToScreen(RowCentre(c, 4));
        Backend->MouseMove(p.X, p.Y);
        Pump();
        EXPECT_EQ(WindowFromPoint(p), c->ListBox()->Handle());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(c->ItemIndex(), 4);
        if (way == 0) {
            Backend->KeyPress(VK_ESCAPE);
            Pump();
        } else {
            Click(other, 10, 10);   // a press on another control of the form
        }
        EXPECT_FALSE(c->IsPopupVisible()) << way;
        EXPECT_EQ(c->ItemIndex(), 1) << way;
        EXPECT_EQ(Log, "drop ") << way;
        c->SetFocus();
        Pump();
    }
    // Cancel mode from the combo's own parts keeps the list open.
    c->DropDown();
    c->Perform(CM_CANCELMODE, 0, LPARAM(static_cast<TControl*>(c->ListBox())));
    EXPECT_TRUE(c->IsPopupVisible());
    c->CloseUp(false);
}

TEST_F(OfficeComboTest, DraggingBelowTheListScrollsItEvery25Ms)
{
    auto* c = NewCombo(15);
    c->SetDropDownCount(4);
    c->SetItemIndex(0);
    Log.clear();
    Press(c, 100, 20);
    auto* list = c->ListBox();
    ASSERT_NE(list->ScrollBar(), nullptr);
    const TPoint inside = list->ClientToScreen(TPoint{40, 40});
    Backend->MouseMove(inside.X, inside.Y);
    Pump();
    const int first = c->ItemIndex();
    const TPoint below = list->ClientToScreen(TPoint{40, list->Height() + 20});
    Backend->MouseMove(below.X, below.Y);
    Pump();
    Wait(60);
    EXPECT_EQ(c->ItemIndex(), first + 2);
    Wait(1000);
    EXPECT_EQ(c->ItemIndex(), 14);
    // Released away from the list: cancelled, the old row back, nothing reported.
    Backend->MouseUp(below.X, below.Y);
    Pump();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 0);
    EXPECT_EQ(Log, "drop ");
}

TEST_F(OfficeComboTest, AltArrowsOpenAndCancelEnterAccepts)
{
    auto* c = NewCombo(5);
    c->SetItemIndex(2);
    c->SetFocus();
    Pump();
    Log.clear();
    Backend->KeyDown(VK_MENU);
    Backend->KeyPress(VK_DOWN);
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_TRUE(c->IsPopupVisible());
    Backend->KeyDown(VK_MENU);
    Backend->KeyPress(VK_UP);
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Log, "drop ");
    c->DropDown();
    Backend->KeyPress(VK_DOWN);   // arrows commit even while open
    Pump();
    EXPECT_EQ(c->ItemIndex(), 3);
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Log, "drop drop click change click change closeup ");
}

TEST_F(OfficeComboTest, ClearedWhileAnIndexWasSetThenCancelledDoesNotThrow)
{
    auto* c = NewCombo(5);
    c->SetItemIndex(4);
    c->Items().Clear();
    EXPECT_EQ(c->ItemIndex(), 4) << "Clear leaves the index";
    Fill(c, 2);
    EXPECT_FALSE(c->ListBox()->Item(0)->Active);
    EXPECT_FALSE(c->ListBox()->Item(1)->Active);
    Log.clear();
    c->DropDown();
    EXPECT_NO_THROW(c->CloseUp(false));
    EXPECT_EQ(c->ItemIndex(), 4) << "an index past the rows is not put back";
    EXPECT_EQ(Log, "drop ");
}

TEST_F(OfficeComboTest, FadeRunsTo200InStepsOf13)
{
    auto* c = NewCombo(3);
    c->SetAlphaBlend(true);
    c->SetAlphaBlendValue(200);
    c->SetAlphaBlendAnimation(true);
    auto alpha = [&] {
        BYTE a = 0;
        GetLayeredWindowAttributes(c->ListBox()->Handle(), nullptr, &a, nullptr);
        return int(a);
    };
    c->DropDown();
    EXPECT_EQ(alpha(), 0);
    std::vector<int> seen;
    for (int i = 0; i < 100 && c->ListBox()->Fade().Running(); ++i) {
        Wait(1, 1);
        if (alpha() != 0 && (seen.empty() || seen.back() != alpha()))
            seen.push_back(alpha());
    }
    ASSERT_EQ(seen.size(), 16u);
    for (size_t i = 0; i + 1 < seen.size(); ++i)
        EXPECT_EQ(seen[i], int(13 * (i + 1)));
    EXPECT_EQ(seen.back(), 200);
    // Every drop starts again from 0; closing stops a fade under way.
    c->CloseUp(false);
    c->DropDown();
    EXPECT_EQ(alpha(), 0);
    Wait(20);
    c->CloseUp(false);
    const int stopped = alpha();
    EXPECT_LT(stopped, 200);
    Wait(100);
    EXPECT_EQ(alpha(), stopped);
    EXPECT_FALSE(c->ListBox()->Fade().Running());

    // Without whole-window alpha the list simply shows.
    TPlatformCaps caps = PlatformCaps();
    caps.ConstantAlpha = false;
    Backend->SetCaps(caps);
    c->DropDown();
    EXPECT_TRUE(c->IsPopupVisible());
    EXPECT_FALSE(c->ListBox()->Fade().Running());
    c->CloseUp(false);
}

TEST_F(OfficeComboTest, SkinWithoutTheComboKeepsThePopupsElementName)
{
    auto* c = NewCombo(3, BaseSkinData());
    EXPECT_EQ(c->ListBox()->SkinDataName(), "listbox");
    c->SetSkinData(TestSkinData());   // has no "combobox"
    EXPECT_EQ(c->ListBox()->SkinDataName(), "");
    c->SetSkinData(BaseSkinData());
    EXPECT_EQ(c->ListBox()->SkinDataName(), "listbox");
    EXPECT_EQ(c->ListBoxSkinDataName(), "listbox");
}

}  // namespace
