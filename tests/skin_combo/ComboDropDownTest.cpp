#include "platform/ui/Keys.h"
#include "platform/ui/Window.h"
#include "skin/boxes/SkinComboBox.h"
#include "skin/controls/SkinScrollBar.h"
#include "tests/skin_combo/BoxesFixture.h"

namespace {

class ComboDropDownTest : public TBoxesTest {
protected:
    TbsSkinComboBox* NewCombo(int Count, int Top = 10)
    {
        auto* c = new TbsSkinComboBox(Form);
        c->SetParent(Form);
        c->SetBounds(10, Top, 200, 20);
        for (int i = 0; i < Count; ++i)
            c->Items().Add("item" + std::to_string(i));
        c->OnChange = [this](TObject*) { Log("OnChange"); };
        c->OnClick = [this](TObject*) { Log("OnClick"); };
        c->OnDropDown = [this](TObject*) { Log("OnDropDown"); };
        c->OnCloseUp = [this](TObject*) { Log("OnCloseUp"); };
        Pump();
        return c;
    }
    // A point in row Row of the open list, in the combo's client coordinates.
    TPoint RowPoint(TbsSkinComboBox* c, int Row)
    {
        TListBox* inner = c->ListBox()->ListBox;
        TPoint s = inner->ClientToScreen(TPoint{10, Row * inner->ItemHeight() + inner->ItemHeight() / 2});
        return c->ScreenToClient(s);
    }
    TPoint ButtonPoint(TbsSkinComboBox* c)
    {
        const TRect& r = c->Button().R;
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};

TEST_F(ComboDropDownTest, EmptyComboNeverDrops)
{
    auto* c = NewCombo(0);
    c->DropDown();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Joined(), "");
}

TEST_F(ComboDropDownTest, RowsWidthAndPlace)
{
    struct TCase {
        int Count, Rows;
    };
    for (const TCase& k : {TCase{3, 3}, TCase{20, 8}}) {
        auto* c = NewCombo(k.Count);
        c->DropDown();
        ASSERT_TRUE(c->IsPopupVisible());
        EXPECT_EQ(c->ListBox()->RowCount(), k.Rows);
        EXPECT_EQ(c->ListBox()->HasScrollBar(), k.Count > 8);
        TRect r;
        GetWindowRect(c->ListBox()->Handle(), r);
        const TPoint bottomLeft = c->ClientToScreen(TPoint{0, c->Height()});
        EXPECT_EQ(r.TopLeft(), bottomLeft);
        EXPECT_EQ(r.Width(), 200);
        c->CloseUp(false);
        delete c;
    }
    auto* wide = NewCombo(3);
    wide->SetListBoxWidth(300);
    wide->DropDown();
    EXPECT_EQ(wide->ListBox()->Width(), 300);
    EXPECT_EQ(wide->ListBox()->Left(), wide->ClientToScreen(TPoint{0, 0}).X);
}

TEST_F(ComboDropDownTest, OpensAboveWhenTheWorkAreaEndsBelow)
{
    TRect work = Screen->WorkAreaRect();
    Form->SetBounds(50, work.Bottom - 60, 300, 50);
    Pump();
    auto* c = NewCombo(10, 10);
    c->DropDown();
    TRect r;
    GetWindowRect(c->ListBox()->Handle(), r);
    EXPECT_EQ(r.Bottom, c->ClientToScreen(TPoint{0, 0}).Y);
}

TEST_F(ComboDropDownTest, ListStaysInsideTheWorkAreaSideways)
{
    const TRect work = Screen->WorkAreaRect();
    Form->SetBounds(work.Right - 150, 50, 140, 200);
    Pump();
    auto* c = NewCombo(5);
    c->SetBounds(10, 10, 100, 20);
    c->SetListBoxWidth(300);
    c->DropDown();
    TRect r;
    GetWindowRect(c->ListBox()->Handle(), r);
    EXPECT_EQ(r.Right, work.Right);
    c->CloseUp(false);
    // Wider than the work area: its left edge stays on screen.
    c->SetListBoxWidth(work.Width() + 50);
    c->DropDown();
    GetWindowRect(c->ListBox()->Handle(), r);
    EXPECT_EQ(r.Left, work.Left);
}

TEST_F(ComboDropDownTest, LosingTheDesktopFocusClosesTheList)
{
    SetForegroundWindow(Form->Handle());
    auto* c = NewCombo(5);
    c->SetFocus();
    c->SetItemIndex(1);
    c->DropDown();
    Events.clear();
    Backend->ActivateOtherProgram();
    Pump();
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Joined(), "");
    EXPECT_EQ(c->ItemIndex(), 1);
    Backend->ReturnFromOtherProgram();
    Pump();
}

TEST_F(ComboDropDownTest, PressOnButtonDragToItemAndReleaseAccepts)
{
    auto* c = NewCombo(5);
    c->SetItemIndex(0);
    Events.clear();
    const TPoint b = ButtonPoint(c);
    Press(c, b.X, b.Y);
    ASSERT_TRUE(c->IsPopupVisible());
    EXPECT_EQ(Joined(), "OnDropDown");
    const TPoint row3 = RowPoint(c, 3);
    MoveTo(c, row3.X, row3.Y);
    Release(c, row3.X, row3.Y);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 3);
    EXPECT_EQ(c->Text(), "item3");
    EXPECT_EQ(Joined(), "OnDropDown OnChange OnClick OnCloseUp");
}

TEST_F(ComboDropDownTest, ClickOnButtonLeavesListOpenAndSecondClickClosesSilently)
{
    auto* c = NewCombo(5);
    c->SetItemIndex(1);
    Events.clear();
    const TPoint b = ButtonPoint(c);
    Click(c, b.X, b.Y);
    EXPECT_TRUE(c->IsPopupVisible());
    Click(c, b.X, b.Y);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(Joined(), "OnDropDown");
    EXPECT_EQ(c->ItemIndex(), 1);
}

TEST_F(ComboDropDownTest, ClickOnAnItemAccepts)
{
    auto* c = NewCombo(5);
    c->DropDown();
    Events.clear();
    const TPoint row = RowPoint(c, 2);
    Click(c, row.X, row.Y);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(Joined(), "OnChange OnClick OnCloseUp");
}

TEST_F(ComboDropDownTest, DragOutOfTheListAndReleaseAwayCancels)
{
    auto* c = NewCombo(5);
    c->SetItemIndex(1);
    c->DropDown();
    Events.clear();
    const TPoint row = RowPoint(c, 3);
    Press(c, row.X, row.Y);
    MoveTo(c, row.X + 250, row.Y);
    Release(c, row.X + 250, row.Y);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 1);
    EXPECT_EQ(Joined(), "");
}

TEST_F(ComboDropDownTest, RightAndMiddleClicksInTheListChangeNothing)
{
    auto* c = NewCombo(5);
    c->SetItemIndex(1);
    c->DropDown();
    Events.clear();
    const TPoint row = RowPoint(c, 3);
    MoveTo(c, row.X, row.Y);  // hot tracking moves the list's selection only
    Click(c, row.X, row.Y, 1);
    Click(c, row.X, row.Y, 2);
    EXPECT_TRUE(c->IsPopupVisible());
    EXPECT_EQ(Joined(), "");
    EXPECT_EQ(c->Text(), "item1");
    Key(VK_ESCAPE);
}

TEST_F(ComboDropDownTest, DraggingBelowAScrollingListStepsEvery25ms)
{
    auto* c = NewCombo(20);
    c->SetItemIndex(0);
    c->DropDown();
    const TPoint row = RowPoint(c, 1);
    Press(c, row.X, row.Y);
    EXPECT_EQ(c->ListBox()->ItemIndex(), 1);
    const TPoint below = RowPoint(c, 10);
    MoveTo(c, below.X, below.Y);
    Wait(100, 25);
    const int moved = c->ListBox()->ItemIndex();
    EXPECT_GE(moved, 4);
    EXPECT_LE(moved, 6);
    Wait(1000, 25);
    EXPECT_EQ(c->ListBox()->ItemIndex(), 19);
    // Back inside: scrolling stops and the row under the pointer is taken.
    const TPoint inside = RowPoint(c, 2);
    MoveTo(c, inside.X, inside.Y);
    const int tracked = c->ListBox()->ItemIndex();
    Wait(200, 25);
    EXPECT_EQ(c->ListBox()->ItemIndex(), tracked);
    Release(c, inside.X, inside.Y);
    EXPECT_EQ(c->ItemIndex(), tracked);
}

TEST_F(ComboDropDownTest, CancelModeFromAnotherControlCancelsButNotFromTheList)
{
    auto* c = NewCombo(5);
    auto* other = new TbsSkinComboBox(Form);
    other->SetParent(Form);
    other->SetBounds(10, 200, 100, 20);
    c->SetFocus();
    c->DropDown();
    c->Perform(CM_CANCELMODE, 0, LPARAM(c->ListBox()->ListBox));
    EXPECT_TRUE(c->IsPopupVisible());
    c->Perform(CM_CANCELMODE, 0, LPARAM(other));
    EXPECT_FALSE(c->IsPopupVisible());
    c->DropDown();
    c->Perform(CM_CANCELMODE, 0, 0);
    EXPECT_FALSE(c->IsPopupVisible());
    // A press on the form itself.
    c->DropDown();
    Click(Form, 300, 250);
    EXPECT_FALSE(c->IsPopupVisible());
}

TEST_F(ComboDropDownTest, PressingTheListsOwnScrollBarKeepsItOpen)
{
    auto* c = NewCombo(20);
    c->SetFocus();
    c->SetItemIndex(0);
    Events.clear();
    c->DropDown();
    ASSERT_NE(c->ListBox()->ScrollBar(), nullptr);
    TControl* bar = c->ListBox()->ScrollBar();
    const TPoint p = bar->ClientToScreen(TPoint{bar->Width() / 2, bar->Height() - 5});
    Backend->MouseMove(p.X, p.Y);
    Pump();
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_TRUE(c->IsPopupVisible());
    EXPECT_GT(c->ListBox()->TopIndex(), 0);
    EXPECT_TRUE(Form->Active());
    EXPECT_EQ(Joined(), "OnDropDown");
    Key(VK_ESCAPE);
}

TEST_F(ComboDropDownTest, FixedStyleDownWhileOpenCommitsAndEscapeKeepsIt)
{
    auto* c = NewCombo(5);
    c->SetFocus();
    c->SetItemIndex(1);
    c->DropDown();
    Events.clear();
    Key(VK_DOWN);
    EXPECT_EQ(Joined(), "OnChange OnClick");
    Key(VK_ESCAPE);
    EXPECT_FALSE(c->IsPopupVisible());
    EXPECT_EQ(c->ItemIndex(), 2);
    EXPECT_EQ(c->Text(), "item2");
}

TEST_F(ComboDropDownTest, AcceptWithoutSelectionStillFiresCloseUp)
{
    auto* c = NewCombo(5);
    c->DropDown();
    Events.clear();
    c->CloseUp(true);
    EXPECT_EQ(Joined(), "OnCloseUp");
    EXPECT_EQ(c->ItemIndex(), -1);
}

TEST_F(ComboDropDownTest, TranslucentListShowsAtOnceOrFadesInOnATimer)
{
    auto* c = NewCombo(5);
    c->SetAlphaBlend(true);
    c->SetAlphaBlendValue(180);
    c->DropDown();
    BYTE alpha = 0;
    GetLayeredWindowAttributes(c->ListBox()->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 180);
    c->CloseUp(false);

    c->SetAlphaBlendValue(200);
    c->SetAlphaBlendAnimation(true);
    c->DropDown();
    GetLayeredWindowAttributes(c->ListBox()->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 0);
    Wait(300);
    GetLayeredWindowAttributes(c->ListBox()->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(c->ListBox()->FadeSteps(), 16);  // 13 a step, the last one clamped
    c->CloseUp(false);

    // Off and on again: the freshly layered window gets its alpha back.
    c->SetAlphaBlendAnimation(false);
    c->SetAlphaBlend(false);
    c->DropDown();
    c->CloseUp(false);
    c->SetAlphaBlend(true);
    c->DropDown();
    GetLayeredWindowAttributes(c->ListBox()->Handle(), nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 200);
    c->CloseUp(false);

    // Without whole-window alpha the list just shows, opaque.
    TPlatformCaps caps = Backend->Caps();
    caps.ConstantAlpha = false;
    Backend->SetCaps(caps);
    auto* opaque = NewCombo(5);
    opaque->SetAlphaBlend(true);
    opaque->SetAlphaBlendAnimation(true);
    opaque->SetAlphaBlendValue(200);
    opaque->DropDown();
    EXPECT_TRUE(opaque->IsPopupVisible());
    EXPECT_FALSE(GetWindowLong(opaque->ListBox()->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(ComboDropDownTest, DestroyingTheComboWhileFadingIsSafe)
{
    auto* c = NewCombo(5);
    c->SetAlphaBlend(true);
    c->SetAlphaBlendAnimation(true);
    c->SetAlphaBlendValue(200);
    c->DropDown();
    Wait(20);
    delete c;
    Wait(200);
    SUCCEED();
}

}  // namespace
