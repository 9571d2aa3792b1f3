#include "WidgetFixture.h"
#include "platform/ui/controls/Memo.h"

class TMemoTest : public TWidgetTest {
protected:
    TMemo* MakeMemo(int h = 90)
    {
        auto* m = new TMemo(Form);
        m->SetBounds(10, 10, 200, h);
        m->SetParent(Form);
        Pump();
        return m;
    }
};

TEST_F(TMemoTest, LinesReadAndWriteTheText)
{
    auto* m = new TMemo(Form);      // before it has a window, too
    m->Lines().Add("one");
    m->SetParent(Form);
    m->Lines().Add("two");
    m->Lines().Add("three");
    EXPECT_EQ(m->Text(), "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(m->Lines().Count(), 3);
    m->Lines().Insert(1, "inserted");
    m->Lines().Delete(0);
    m->Lines().SetStrings(2, "THREE");
    EXPECT_EQ(m->Lines().CommaText(), "inserted,two,THREE");
    m->SetText("a\nb");
    EXPECT_EQ(m->Lines().Count(), 2);
    EXPECT_EQ(m->Lines()[1], "b");
    m->Lines().Add("c");
    EXPECT_EQ(m->Text(), "a\nb\r\nc");
    m->Lines().Delete(2);
    EXPECT_EQ(m->Text(), "a\nb");
    EXPECT_THROW(m->Lines().Delete(5), EListError);
    m->Lines().Clear();
    EXPECT_EQ(m->Lines().Count(), 0);
}

TEST_F(TMemoTest, EnterAndTabAreTypedOrLeftToTheDialog)
{
    TMemo* m = MakeMemo();
    auto* next = new TEdit(Form);
    next->SetBounds(10, 150, 100, 21);
    next->SetParent(Form);
    m->SetFocus();
    Pump();
    Type("ab");
    Key(VK_RETURN);
    Type("cd");
    EXPECT_EQ(m->Text(), "ab\r\ncd");
    // Up keeps the column; Home and Ctrl+End move within lines and the text.
    Key(VK_UP);
    EXPECT_EQ(m->SelStart(), 2);
    Chord(VK_CONTROL, VK_END);
    EXPECT_EQ(m->SelStart(), 6);
    m->SetWantReturns(false);
    Key(VK_RETURN);
    EXPECT_EQ(m->Text(), "ab\r\ncd");
    Key(VK_TAB);
    EXPECT_TRUE(next->Focused()) << "without WantTabs, Tab moves on";
    m->SetWantTabs(true);
    m->SetFocus();
    Pump();
    Key(VK_TAB);
    EXPECT_TRUE(m->Focused());
    EXPECT_EQ(m->Text(), "ab\r\ncd\t");
}

TEST_F(TMemoTest, ScrollingFollowsTheCaretAndTheScrollBar)
{
    TMemo* m = MakeMemo(90);
    m->SetScrollBars(ssVertical);
    for (int i = 0; i < 20; ++i)
        m->Lines().Add("line " + std::to_string(i));
    m->SetFocus();
    Pump();
    HWND h = m->Handle();
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, si));
    int visible = int(si.nPage);
    EXPECT_GT(visible, 2);
    EXPECT_EQ(si.nMax, 20);       // twenty lines and the empty one after the last break
    Chord(VK_CONTROL, VK_END);
    EXPECT_EQ(m->TopLine(), 21 - visible);
    EXPECT_EQ(GetScrollPos(h, SB_VERT), 21 - visible);
    SendMessage(h, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(m->TopLine(), 0);
    SendMessage(h, WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessage(h, WM_VSCROLL, SB_PAGEDOWN, 0);
    EXPECT_EQ(m->TopLine(), 1 + visible);
    // The first line shown is painted at the top.
    int lineHeight = GET_Y_LPARAM(SendMessage(h, EM_POSFROMCHAR, WPARAM(m->Lines()[0].size() + 2), 0)) -
                     GET_Y_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0));
    EXPECT_GT(lineHeight, 0);
    EXPECT_TRUE(HasDarkPixel(m, TRect{1, 0, 60, lineHeight}));
}
