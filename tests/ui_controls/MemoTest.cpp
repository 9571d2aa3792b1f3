#include "WidgetFixture.h"
#include "platform/gfx/Utf8.h"
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

// The height of a row: a one-line memo's text with a break, second line's top.
static int LineHeightOf(TMemo* m)
{
    TMemo probe(m->Parent());
    probe.SetParent(m->Parent());
    probe.SetText("a\r\nb");
    return GET_Y_LPARAM(SendMessage(probe.Handle(), EM_POSFROMCHAR, 3, 0)) -
           GET_Y_LPARAM(SendMessage(probe.Handle(), EM_POSFROMCHAR, 0, 0));
}

// Rows of a wrapping memo: the client y of each character's row.
static int RowY(TMemo* m, int index)
{
    return GET_Y_LPARAM(SendMessage(m->Handle(), EM_POSFROMCHAR, WPARAM(index), 0));
}

TEST_F(TMemoTest, LongLinesWrapAtWordsAndRewrapWhenResized)
{
    TMemo* m = MakeMemo(90);
    m->SetBounds(10, 10, 130, 90);
    EXPECT_TRUE(m->WordWrap());
    HWND h = m->Handle();
    EXPECT_FALSE(GetWindowLong(h, GWL_STYLE) & ES_AUTOHSCROLL);
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
    m->SetText(words + "\r\nshort");
    // Lines stays the lines as typed.
    ASSERT_EQ(m->Lines().Count(), 2);
    EXPECT_EQ(m->Lines()[0], words);
    EXPECT_EQ(SendMessage(h, EM_GETLINECOUNT, 0, 0), 2);
    int top = RowY(m, 0);
    int rows = LineHeightOf(m);
    ASSERT_GT(rows, 0);
    // Every row starts at a word: the character before a row start is a blank.
    int rowCount = 1;
    int width = m->ClientWidth();
    for (int i = 1; i < int(words.size()); ++i) {
        int y = RowY(m, i);
        int x = GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, WPARAM(i), 0));
        EXPECT_LT(x, width) << "character " << i << " off the right edge";
        if (y != RowY(m, i - 1)) {
            EXPECT_EQ(words[size_t(i) - 1], ' ') << "row broken inside a word at " << i;
            EXPECT_NE(words[size_t(i)], ' ');
            EXPECT_EQ(x, GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0))) << "a row starts at the margin";
            ++rowCount;
        }
    }
    EXPECT_GE(rowCount, 3);
    EXPECT_EQ(RowY(m, int(words.size()) + 2) - top, rowCount * rows) << "\"short\" below the wrapped line";
    // Text is painted on the second row, nothing sideways scrolls.
    EXPECT_TRUE(HasDarkPixel(m, TRect{1, top + rows, 60, top + 2 * rows}));
    // Wider: fewer rows; narrower than a word: the word breaks inside.
    m->SetBounds(10, 10, 380, 90);
    Pump();
    EXPECT_LT(RowY(m, int(words.size()) + 2) - top, rowCount * rows);
    m->SetBounds(10, 10, 30, 200);
    Pump();
    EXPECT_GT(RowY(m, 4), RowY(m, 0)) << "\"alpha\" is wider than the row and breaks inside";
    EXPECT_EQ(m->Lines().Count(), 2);
}

TEST_F(TMemoTest, CaretKeysAndSelectionFollowRows)
{
    TMemo* m = MakeMemo(90);
    m->SetBounds(10, 10, 100, 90);
    const std::string text = "one two three four five six seven eight";
    m->SetText(text);
    m->SetFocus();
    Pump();
    HWND h = m->Handle();
    int rowStart = 0;
    for (int i = 1; i < int(text.size()); ++i)
        if (RowY(m, i) != RowY(m, 0)) {
            rowStart = i;
            break;
        }
    ASSERT_GT(rowStart, 0);
    Chord(VK_CONTROL, VK_HOME);
    // End stops at the end of the first row, the caret stays on that row.
    Key(VK_END);
    EXPECT_EQ(m->SelStart(), rowStart);
    EXPECT_EQ(m->CaretPoint().Y, RowY(m, 0));
    EXPECT_GT(m->CaretPoint().X, GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, WPARAM(rowStart - 2), 0)));
    // Down moves one row, Home goes to its start.
    Key(VK_DOWN);
    EXPECT_GT(m->SelStart(), rowStart);
    Key(VK_HOME);
    EXPECT_EQ(m->SelStart(), rowStart);
    EXPECT_EQ(m->CaretPoint().Y, RowY(m, rowStart));
    Key(VK_UP);
    EXPECT_LT(m->SelStart(), rowStart);
    // A click on the second row places the caret there; typing stays in the one line.
    Click(m, 2, RowY(m, rowStart) + 3);
    EXPECT_EQ(m->SelStart(), rowStart);
    Type("x");
    EXPECT_EQ(m->Lines().Count(), 1);
    EXPECT_EQ(m->Lines()[0], text.substr(0, size_t(rowStart)) + "x" + text.substr(size_t(rowStart)));
    // Selecting across rows highlights both rows.
    m->SetSelStart(0);
    m->SetSelLength(rowStart + 3);
    int lh = RowY(m, rowStart) - RowY(m, 0);
    EXPECT_TRUE(AnyPixel(m, TRect{1, RowY(m, 0), 60, RowY(m, 0) + lh}, ColorToRGB(clHighlight)));
    EXPECT_TRUE(AnyPixel(m, TRect{1, RowY(m, rowStart), 20, RowY(m, rowStart) + lh}, ColorToRGB(clHighlight)));
}

TEST_F(TMemoTest, WrappedRowsScrollVertically)
{
    TMemo* m = MakeMemo(60);
    m->SetScrollBars(ssVertical);
    std::string text;
    for (int i = 0; i < 12; ++i)
        text += "word" + std::to_string(i) + " filler text ";
    m->SetText(text);
    m->SetFocus();
    Pump();
    HWND h = m->Handle();
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(h, SB_VERT, si));
    EXPECT_EQ(m->Lines().Count(), 1);
    EXPECT_GT(si.nMax + 1, int(si.nPage)) << "the one line wraps into more rows than fit";
    Chord(VK_CONTROL, VK_END);
    EXPECT_EQ(m->TopLine(), si.nMax + 1 - int(si.nPage));
    EXPECT_GE(RowY(m, int(text.size())), 0);
    SendMessage(h, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(m->TopLine(), 0);
    EXPECT_FALSE(GetWindowLong(h, GWL_STYLE) & WS_HSCROLL);
}

TEST_F(TMemoTest, ChineseTextWrapsPerCharacter)
{
    TMemo* m = MakeMemo(120);
    m->SetBounds(10, 10, 60, 120);
    const std::u32string han = U"视频格式转换器把文件转换成另一种格式";
    m->SetText(EncodeUtf8(han));
    Pump();
    HWND h = m->Handle();
    int width = m->ClientWidth();
    int rows = 1;
    for (int i = 1; i < int(han.size()); ++i) {
        if (RowY(m, i) != RowY(m, i - 1))
            ++rows;
        // A character's right edge stays inside the row.
        EXPECT_LE(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, WPARAM(i), 0)), width);
    }
    EXPECT_GE(rows, 3);
    // The first row is filled: its last character reaches past half the width.
    int firstRowEnd = 1;
    while (RowY(m, firstRowEnd) == RowY(m, 0))
        ++firstRowEnd;
    EXPECT_GT(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, WPARAM(firstRowEnd - 1), 0)), width / 3);
    // A full stop where the second row would begin goes down with the
    // character before it; sideways scrolling stays off.
    std::u32string stop = han;
    stop[size_t(firstRowEnd)] = U'。';
    m->SetText(EncodeUtf8(stop));
    Pump();
    EXPECT_EQ(RowY(m, firstRowEnd - 1), RowY(m, firstRowEnd)) << "the full stop starts no row";
    EXPECT_GT(RowY(m, firstRowEnd - 1), RowY(m, 0));
    int left = GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0));
    SendMessage(h, EM_LINESCROLL, 5, 0);
    SendMessage(h, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0)), left);
}

TEST_F(TMemoTest, WithoutWordWrapLinesScrollSideways)
{
    TMemo* m = MakeMemo(90);
    m->SetWordWrap(false);
    const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa";
    m->SetText(words);
    m->SetFocus();
    Pump();
    HWND h = m->Handle();
    EXPECT_TRUE(GetWindowLong(h, GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(RowY(m, int(words.size()) - 1), RowY(m, 0));
    Chord(VK_CONTROL, VK_END);
    EXPECT_LT(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0)), 0) << "scrolled to show the caret";
}

// Edits re-lay only the lines from the one they start in: after each edit the
// lines, the text and every character's place match a memo given the whole
// text at once.
TEST_F(TMemoTest, EditsKeepLinesRowsAndTextInStepWithTheWholeText)
{
    TMemo* m = MakeMemo(120);
    TMemo* fresh = MakeMemo(120);
    m->SetBounds(10, 10, 130, 120);
    fresh->SetBounds(10, 140, 130, 120);
    m->SetText("alpha beta gamma delta epsilon\r\n中文的一行文字很长很长很长很长\nshort\r\nlast line");
    struct TEdit {
        const char* What;
        int Start, Length;
        std::string Insert;
    };
    const TEdit edits[] = {
        {"append a line", -1, 0, "appended words that wrap over rows\r\n"},
        {"insert at the start", 0, 0, "前"},
        {"join two lines", 31, 3, " "},
        {"split a line", 6, 1, "\r\n"},
        {"replace across lines", 10, 25, "x\ny"},
        {"delete to the end", 20, -1, ""},
        {"type into an empty tail", -1, 0, "α\r\n\r\nβ"},
    };
    for (const TEdit& e : edits) {
        const int count = int(DecodeUtf8(m->Text()).size());
        m->SetSelStart(e.Start < 0 ? count : e.Start);
        m->SetSelLength(e.Length < 0 ? count : e.Length);
        m->SetSelText(e.Insert);
        fresh->SetText(m->Text());
        SendMessage(m->Handle(), WM_VSCROLL, SB_TOP, 0);
        Pump();
        SCOPED_TRACE(e.What);
        EXPECT_EQ(m->Lines().Text(), fresh->Lines().Text());
        ASSERT_EQ(SendMessage(m->Handle(), EM_GETLINECOUNT, 0, 0), SendMessage(fresh->Handle(), EM_GETLINECOUNT, 0, 0));
        const int chars = int(DecodeUtf8(m->Text()).size());
        for (int i = 0; i <= chars; ++i)
            ASSERT_EQ(SendMessage(m->Handle(), EM_POSFROMCHAR, WPARAM(i), 0),
                      SendMessage(fresh->Handle(), EM_POSFROMCHAR, WPARAM(i), 0)) << "character " << i;
    }
    // Undo after a typed change brings the text before it back, lines and all.
    const std::string before = m->Text();
    m->SetFocus();
    Type("zz");
    m->Undo();
    EXPECT_EQ(m->Text(), before);
    fresh->SetText(before);
    EXPECT_EQ(SendMessage(m->Handle(), EM_GETLINECOUNT, 0, 0), SendMessage(fresh->Handle(), EM_GETLINECOUNT, 0, 0));
}
