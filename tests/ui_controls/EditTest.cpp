#include "WidgetFixture.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/ui/controls/Edit.h"

class TEditTest : public TWidgetTest {
protected:
    TEdit* MakeEdit(int x = 10, int y = 10, int w = 200, int h = 24)
    {
        auto* e = new TEdit(Form);
        e->SetBounds(x, y, w, h);
        e->SetParent(Form);
        e->SetFocus();
        Pump();
        return e;
    }
};

// An edit made multi-line by its creation parameters, as the skin layer's
// inner edit does to use a formatting rectangle.
class TMultiLineEdit : public TEdit {
public:
    using TEdit::TEdit;

protected:
    void CreateParams(TCreateParams& p) override
    {
        TEdit::CreateParams(p);
        p.Style |= ES_MULTILINE;
    }
};

TEST_F(TEditTest, TypingSelectionClipboardAndUndo)
{
    TEdit* e = MakeEdit();
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    Type("hello world");
    EXPECT_EQ(e->Text(), "hello world");
    EXPECT_EQ(changes, 11);
    // Shift+Ctrl+Left selects the last word, Ctrl+C copies it.
    Backend->KeyDown(VK_SHIFT);
    Chord(VK_CONTROL, VK_LEFT);
    Backend->KeyUp(VK_SHIFT);
    EXPECT_EQ(e->SelText(), "world");
    Chord(VK_CONTROL, 'C');
    EXPECT_EQ(GetClipboardText(), "world");
    // Home, then Ctrl+V pastes in front; Ctrl+Z takes the paste back, a second Ctrl+Z redoes it.
    Key(VK_HOME);
    Chord(VK_CONTROL, 'V');
    EXPECT_EQ(e->Text(), "worldhello world");
    EXPECT_EQ(e->SelStart(), 5);
    Chord(VK_CONTROL, 'Z');
    EXPECT_EQ(e->Text(), "hello world");
    Chord(VK_CONTROL, 'Z');
    EXPECT_EQ(e->Text(), "worldhello world");
    // Shift+End and Ctrl+X cut; Backspace and Delete edit one character.
    e->SetSelStart(5);
    Backend->KeyDown(VK_SHIFT);
    Key(VK_END);
    Backend->KeyUp(VK_SHIFT);
    Chord(VK_CONTROL, 'X');
    EXPECT_EQ(e->Text(), "world");
    EXPECT_EQ(GetClipboardText(), "hello world");
    Key(VK_BACK);
    Key(VK_HOME);
    Key(VK_DELETE);
    EXPECT_EQ(e->Text(), "orl");
    EXPECT_TRUE(e->Modified());
    // Setting the text empties the undo and raises OnChange once.
    changes = 0;
    e->SetText("abc");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(e->CanUndo());
    EXPECT_EQ(e->SelStart(), 0);
}

TEST_F(TEditTest, TypedWordsMakeOneUndoStepAndCaretMovesEndIt)
{
    TEdit* e = MakeEdit();
    Type("abc");
    Key(VK_LEFT);
    Type("x");
    Chord(VK_CONTROL, 'Z');
    EXPECT_EQ(e->Text(), "abc");
    Chord(VK_CONTROL, 'Z');
    EXPECT_EQ(e->Text(), "abxc");
}

TEST_F(TEditTest, MouseSetsTheCaretDragsASelectionAndDoubleClickTakesAWord)
{
    TEdit* e = MakeEdit();
    e->SetText("alpha beta gamma");
    int x6 = GET_X_LPARAM(SendMessage(e->Handle(), EM_POSFROMCHAR, 6, 0));
    int x10 = GET_X_LPARAM(SendMessage(e->Handle(), EM_POSFROMCHAR, 10, 0));
    Click(e, x6, 8);
    EXPECT_EQ(e->SelStart(), 6);
    EXPECT_EQ(e->SelLength(), 0);
    Advance(1000);      // no double click
    TPoint from = At(e, x6, 8), to = At(e, x10, 8);
    Backend->MouseDown(from.X, from.Y);
    Backend->MouseMove(to.X, to.Y);
    Backend->MouseUp(to.X, to.Y);
    Pump();
    EXPECT_EQ(e->SelText(), "beta");
    Advance(1000);
    DoubleClick(e, x10 + 12, 8);
    EXPECT_EQ(e->SelText(), "gamma");
    // A word in the middle takes the blanks after it, as the classic edit does.
    Advance(1000);
    DoubleClick(e, x6 + 3, 8);
    EXPECT_EQ(e->SelText(), "beta ");
}

TEST_F(TEditTest, ChineseTextFromTheInputMethodGoesInAtTheCaretAndTheCaretFollows)
{
    TEdit* e = MakeEdit();
    Type("ab");
    Key(VK_LEFT);
    Backend->KeyPress(VK_PROCESSKEY, "中文");
    Pump();
    EXPECT_EQ(e->Text(), "a中文b");
    EXPECT_EQ(e->SelStart(), 3);
    TPoint caret;
    ASSERT_TRUE(GetCaretPos(caret));
    EXPECT_EQ(caret.X, e->CaretPoint().X);
    EXPECT_EQ(caret.X, GET_X_LPARAM(SendMessage(e->Handle(), EM_POSFROMCHAR, 3, 0)));
    EXPECT_GT(caret.X, GET_X_LPARAM(SendMessage(e->Handle(), EM_POSFROMCHAR, 1, 0)) + 10);
}

TEST_F(TEditTest, AFilteringSubclassThatDropsCharactersAndPastesKeepsTheText)
{
    struct TCase { const char* name; bool raw; };
    for (TCase c : {TCase{"WindowProc", false}, TCase{"window procedure", true}}) {
        TEdit* e = MakeEdit();
        e->SetText("keep");
        SetClipboardText("pasted");
        if (c.raw) {
            HWND h = e->Handle();
            auto previous = std::make_shared<TWndProc>();
            *previous = SetWindowProc(h, [previous](HWND w, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
                if (msg == WM_CHAR || msg == WM_PASTE)
                    return 0;
                return CallWindowProc(*previous, w, msg, wp, lp);
            });
        } else {
            auto inner = e->WindowProc;
            e->WindowProc = [inner](TMessage& m) {
                if (m.Msg != WM_CHAR && m.Msg != WM_PASTE)
                    inner(m);
            };
        }
        e->SetSelStart(4);
        Type("xy");
        Key(VK_BACK);
        Chord(VK_CONTROL, 'V');
        Chord(VK_SHIFT, VK_INSERT);
        e->PasteFromClipboard();
        EXPECT_EQ(e->Text(), "keep") << c.name;
        // What the subclass lets through still works.
        Key(VK_HOME);
        Key(VK_DELETE);
        EXPECT_EQ(e->Text(), "eep") << c.name;
        delete e;
    }
}

TEST_F(TEditTest, AReadOnlyEditRefusesEveryChangeButCopies)
{
    TEdit* e = MakeEdit();
    e->SetText("fixed");
    e->SetReadOnly(true);
    SetClipboardText("other");
    e->SelectAll();
    Type("zz");
    Key(VK_BACK);
    Key(VK_DELETE);
    Chord(VK_CONTROL, 'V');
    Chord(VK_CONTROL, 'X');
    for (UINT msg : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO})
        SendMessage(e->Handle(), msg, 0, 0);
    EXPECT_EQ(e->Text(), "fixed");
    Chord(VK_CONTROL, 'C');
    EXPECT_EQ(GetClipboardText(), "fixed");
    // Code may still replace the text.
    e->SetText("new");
    EXPECT_EQ(e->Text(), "new");
}

TEST_F(TEditTest, MaxLengthCharCaseAndPasswordShapeWhatGoesIn)
{
    TEdit* e = MakeEdit();
    e->SetMaxLength(4);
    Type("abcdef");
    EXPECT_EQ(e->Text(), "abcd");
    e->SetText("");
    e->SetMaxLength(0);
    e->SetCharCase(ecUpperCase);
    Type("mixed 1");
    EXPECT_EQ(e->Text(), "MIXED 1");
    e->SetCharCase(ecNormal);
    e->SetPasswordChar(U'*');
    e->SelectAll();
    SetClipboardText("before");
    Chord(VK_CONTROL, 'C');
    EXPECT_EQ(GetClipboardText(), "before") << "a password is never copied";
    EXPECT_EQ(e->DisplayText(), U"*******");
    // A single-line edit takes pasted text up to the first line break.
    e->SetPasswordChar(0);
    e->SetText("");
    SetClipboardText("one\r\ntwo");
    e->PasteFromClipboard();
    EXPECT_EQ(e->Text(), "one");
    Key(VK_RETURN);
    EXPECT_EQ(e->Text(), "one");
}

TEST_F(TEditTest, MarginsAndTheFormattingRectanglePlaceTheText)
{
    auto* e = new TMultiLineEdit(Form);
    e->SetBounds(10, 10, 200, 24);
    e->SetBorderStyle(bsNone);
    e->SetParent(Form);
    e->SetText("text");
    HWND h = e->Handle();
    SendMessage(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(2, 0));
    EXPECT_EQ(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0)), 2);
    // A font change resets the margins, as the classic edit does.
    e->Font().SetHeight(16);
    EXPECT_EQ(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0)), 1);
    TRect r{20, 3, 150, 20};
    SendMessage(h, EM_SETRECT, 0, LPARAM(&r));
    TRect got;
    SendMessage(h, EM_GETRECT, 0, LPARAM(&got));
    EXPECT_EQ(got, r);
    LRESULT at = SendMessage(h, EM_POSFROMCHAR, 0, 0);
    EXPECT_EQ(GET_X_LPARAM(at), 20);
    EXPECT_EQ(GET_Y_LPARAM(at), 3);
    // One line of a multi-line edit still behaves as a single line.
    e->SetFocus();
    Key(VK_END);
    Key(VK_DOWN);
    EXPECT_EQ(e->SelStart(), 4);
    EXPECT_EQ(SendMessage(h, EM_GETLINECOUNT, 0, 0), 1);

    // Right and centred text sits against the right edge or in the middle.
    e->SetText("ab");
    TRect full{0, 0, 200, 20};
    SendMessage(h, EM_SETRECT, 0, LPARAM(&full));
    int left = GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0));
    int width = GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 2, 0)) - left;
    e->SetAlignment(taRightJustify);
    EXPECT_EQ(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 2, 0)), 199);
    e->SetAlignment(taCenter);
    EXPECT_EQ(GET_X_LPARAM(SendMessage(h, EM_POSFROMCHAR, 0, 0)), (200 - width) / 2);

    // A single-line edit ignores a formatting rectangle.
    TEdit* single = MakeEdit(10, 50);
    single->SetText("x");
    SendMessage(single->Handle(), EM_SETRECT, 0, LPARAM(&r));
    EXPECT_EQ(GET_X_LPARAM(SendMessage(single->Handle(), EM_POSFROMCHAR, 0, 0)), 1);
}

TEST_F(TEditTest, ColoursComeFromTheColourMessagesAndANullBrushLeavesTheBackground)
{
    TEdit* e = MakeEdit(10, 10, 200, 24);
    e->SetText("Wide text");
    Key(VK_END);
    EXPECT_EQ(PixelAt(e, 190, 10), ColorToRGB(clWindow));
    EXPECT_TRUE(HasDarkPixel(e, TRect{1, 0, 60, 18}));

    // A subclass that paints its own background and answers with the null
    // brush: the edit draws only its text.
    auto inner = e->WindowProc;
    e->WindowProc = [inner, e](TMessage& m) {
        if (m.Msg == CN_CTLCOLOREDIT) {
            auto* dc = reinterpret_cast<HDC>(m.WParam);
            dc->SetBkMode(bkTransparent);
            dc->SetTextColor(clBlack);
            m.Result = GetStockObject(NULL_BRUSH);
            return;
        }
        if (m.Msg == WM_PAINT && m.WParam == 0) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(e->Handle(), ps);
            TCanvas c;
            c.SetHandle(dc);
            c.Brush().SetColor(clRed);
            c.FillRect(e->ClientRect());
            TMessage paint{WM_PAINT, WPARAM(dc), 0, 0};
            inner(paint);
            EndPaint(e->Handle(), ps);
            return;
        }
        inner(m);
    };
    e->Invalidate();
    EXPECT_EQ(PixelAt(e, 190, 10), clRed);
    EXPECT_TRUE(HasDarkPixel(e, TRect{1, 0, 60, 18}));
    // The selection shows in the highlight colour while focused, and after
    // the focus leaves only without HideSelection.
    e->SelectAll();
    EXPECT_TRUE(AnyPixel(e, TRect{1, 0, 60, 18}, ColorToRGB(clHighlight)));
    TEdit* other = MakeEdit(10, 50);
    EXPECT_TRUE(other->Focused());
    EXPECT_FALSE(AnyPixel(e, TRect{1, 0, 60, 18}, ColorToRGB(clHighlight)));
    e->SetHideSelection(false);
    EXPECT_TRUE(AnyPixel(e, TRect{1, 0, 60, 18}, ColorToRGB(clHighlight)));
}

TEST_F(TEditTest, AutoSelectTakesAllTextWhenTabbedInto)
{
    auto* first = MakeEdit(10, 10);
    TEdit* e = MakeEdit(10, 50);
    e->SetText("select me");
    first->SetFocus();
    Pump();
    Key(VK_TAB);
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->SelLength(), 9);
}
TEST_F(TEditTest, DeletingTheFocusedEditLeavesNoStaleActiveControl)
{
    TEdit* e = MakeEdit();
    ASSERT_EQ(Screen->ActiveControl(), e);
    delete e;
    EXPECT_EQ(Screen->ActiveControl(), nullptr);
}

TEST_F(TEditTest, TheContextMenuOffersWhatWouldDoSomethingAndSendsTheMessages)
{
    TEdit* e = MakeEdit();
    e->SetText("abcd");
    e->SetSelStart(0);
    e->SetSelLength(3);
    SetClipboardText("");
    std::vector<UINT> seen;
    auto inner = e->WindowProc;
    e->WindowProc = [&seen, inner](TMessage& m) {
        if (m.Msg == WM_CUT || m.Msg == WM_COPY || m.Msg == WM_PASTE || m.Msg == WM_CLEAR)
            seen.push_back(m.Msg);
        inner(m);
    };
    // Down steps over the separator and the disabled Undo is never chosen:
    // Undo, Cut, Copy, then Enter takes Copy.
    TPoint p = At(e, 20, 8);
    Backend->Click(p.X, p.Y, 1);
    for (int i = 0; i < 3; ++i)
        Backend->KeyPress(VK_DOWN);
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_COPY}));
    EXPECT_EQ(GetClipboardText(), "abc");
    // The menu key opens it too; Delete clears the selection.
    seen.clear();
    Backend->KeyPress(VK_APPS);
    for (int i = 0; i < 5; ++i)
        Backend->KeyPress(VK_DOWN);
    Backend->KeyPress(VK_RETURN);
    Pump();
    EXPECT_EQ(seen, (std::vector<UINT>{WM_CLEAR}));
    EXPECT_EQ(e->Text(), "d");
}
