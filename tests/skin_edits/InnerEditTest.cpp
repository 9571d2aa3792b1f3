#include "skin/boxes/InnerEdit.h"
#include <functional>
#include "platform/ui/controls/Menus.h"
#include "platform/ui/controls/StdCtrls.h"
#include "platform/ui/Keys.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinFormLink.h"
#include "skin/data/SkinMessages.h"
#include "skin/frame/FormFrame.h"
#include "skin/menus/SkinMenu.h"
#include "skin/menus/SkinMenuItem.h"
#include "skin/menus/SkinPopupWindow.h"
#include "tests/skin_combo/BoxesFixture.h"

namespace {

class InnerEditTest : public TBoxesTest {
protected:
    TbsCustomEdit* NewEdit(const std::string& Text = "")
    {
        auto* e = new TbsCustomEdit(Form);
        e->SetParent(Form);
        e->SetBounds(10, 10, 150, 20);
        e->SetText(Text);
        e->SetFocus();
        Pump();
        return e;
    }
    void Chord(int Modifier, int Vk)
    {
        Backend->KeyDown(Modifier);
        Backend->KeyPress(Vk);
        Backend->KeyUp(Modifier);
        Pump();
    }
    std::vector<std::string> Captions(TbsCustomEdit* e)
    {
        std::vector<std::string> out;
        TMenuItem* items = e->SysPopupMenu()->Items();
        for (int i = 0; i < items->Count(); ++i)
            out.push_back(items->Items(i)->Caption() + (items->Items(i)->Enabled() ? "" : "(off)"));
        return out;
    }
};

TEST_F(InnerEditTest, ReadOnlyHoldsOnEveryEditingPath)
{
    struct TCase {
        const char* Name;
        std::function<void(TbsCustomEdit*)> Act;
    };
    const TCase cases[] = {
        {"typing", [this](TbsCustomEdit*) { Key('X', "x"); }},
        {"input method", [this](TbsCustomEdit*) { Key(0, "中文"); }},
        {"backspace", [this](TbsCustomEdit*) { Key(VK_BACK); }},
        {"delete", [this](TbsCustomEdit*) { Key(VK_DELETE); }},
        {"shift+delete", [this](TbsCustomEdit*) { Chord(VK_SHIFT, VK_DELETE); }},
        {"shift+insert", [this](TbsCustomEdit*) { Chord(VK_SHIFT, VK_INSERT); }},
        {"ctrl+v", [this](TbsCustomEdit*) { Chord(VK_CONTROL, 'V'); }},
        {"ctrl+x", [this](TbsCustomEdit*) { Chord(VK_CONTROL, 'X'); }},
        {"ctrl+z", [this](TbsCustomEdit*) { Chord(VK_CONTROL, 'Z'); }},
        {"WM_CUT", [](TbsCustomEdit* e) { e->Perform(WM_CUT); }},
        {"WM_PASTE", [](TbsCustomEdit* e) { e->Perform(WM_PASTE); }},
        {"WM_CLEAR", [](TbsCustomEdit* e) { e->Perform(WM_CLEAR); }},
        {"WM_UNDO", [](TbsCustomEdit* e) { e->Perform(WM_UNDO); }},
    };
    Backend->SetClipboardText("pasted");
    for (const auto& c : cases) {
        auto* e = NewEdit("abcd");
        // One undoable change first, so undo would have something to do.
        e->SelectAll();
        e->SetSelText("abcd");
        e->SetReadOnly(true);
        e->SetSelStart(1);
        e->SetSelLength(2);
        c.Act(e);
        EXPECT_EQ(e->Text(), "abcd") << c.Name;
        delete e;
    }
    // Copy changes nothing, so it still works.
    auto* e = NewEdit("abcd");
    e->SetReadOnly(true);
    e->SelectAll();
    Chord(VK_CONTROL, 'C');
    EXPECT_EQ(Backend->ClipboardText(), "abcd");
}

TEST_F(InnerEditTest, EscAndEnterGoToTheFormAndNeverIntoTheText)
{
    auto* ok = new TButton(Form);
    ok->SetParent(Form);
    ok->SetBounds(200, 10, 60, 24);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    auto* e = NewEdit("ab");
    e->SetReadOnly(true);
    std::string keys;
    e->OnKeyPress = [&](TObject*, char32_t& Key) {
        keys += Key == 13 ? "Enter " : Key == 27 ? "Esc " : "other ";
        Key = 'z';  // ignored: a copy was handed out
    };
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    EXPECT_EQ(keys, "Enter Esc ");
    EXPECT_EQ(clicks, 1);
    e->SetReadOnly(false);
    e->SetSelStart(2);
    Key(VK_RETURN);
    Chord(VK_CONTROL, VK_RETURN);
    EXPECT_EQ(e->Text(), "ab");
    EXPECT_EQ(e->LineCount(), 1);
}

TEST_F(InnerEditTest, PasteKeepsTheTextUpToTheFirstBreak)
{
    for (const char* clip : {"a\nb", "a\r\nb", "a\rb"}) {
        auto* e = NewEdit("");
        Backend->SetClipboardText(clip);
        Chord(VK_CONTROL, 'V');
        EXPECT_EQ(e->Text(), "a") << clip;
        delete e;
    }
    auto* e = NewEdit("x");
    Backend->SetClipboardText("\nb");
    e->Perform(WM_PASTE);
    EXPECT_EQ(e->Text(), "x");
}

TEST_F(InnerEditTest, TypesChineseAndHandlesSelectionAndClipboard)
{
    auto* e = NewEdit("");
    Key(0, "视频转换");
    Key('A', "a");
    EXPECT_EQ(e->Text(), "视频转换a");
    e->SetSelStart(0);
    e->SetSelLength(2);
    EXPECT_EQ(e->SelText(), "视频");
    Chord(VK_CONTROL, 'X');
    EXPECT_EQ(Backend->ClipboardText(), "视频");
    EXPECT_EQ(e->Text(), "转换a");
    e->SetSelStart(3);
    Chord(VK_CONTROL, 'V');
    EXPECT_EQ(e->Text(), "转换a视频");
    Chord(VK_CONTROL, 'Z');
    EXPECT_EQ(e->Text(), "转换a");
}

TEST_F(InnerEditTest, ContextMenuEnablesItsCommands)
{
    auto* e = NewEdit("abcd");
    Backend->SetClipboardText("x");
    e->SetSelStart(0);
    e->SetSelLength(3);
    e->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    EXPECT_EQ(Captions(e),
              (std::vector<std::string>{"Undo(off)", "-", "Cut", "Copy", "Paste", "Delete", "-", "Select All"}));
    e->SelectAll();
    Backend->SetClipboardText("");
    e->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    EXPECT_EQ(Captions(e), (std::vector<std::string>{"Undo(off)", "-", "Cut", "Copy", "Paste(off)", "Delete", "-",
                                                     "Select All(off)"}));
    e->SetReadOnly(true);
    Backend->SetClipboardText("x");
    e->SetSelStart(0);
    e->SetSelLength(1);
    e->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(Captions(e), (std::vector<std::string>{"Undo(off)", "-", "Cut(off)", "Copy", "Paste(off)", "Delete(off)",
                                                     "-", "Select All"}));
    // The commands act on the edit.
    e->SetReadOnly(false);
    e->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(20, 20));
    e->SysPopupMenu()->Items()->Items(5)->Click();
    EXPECT_EQ(e->Text(), "bcd");
}

TEST_F(InnerEditTest, MenuIsFreedAfterItsCommandReturns)
{
    auto* e = NewEdit("abcd");
    e->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(20, 20));
    ASSERT_NE(e->SysPopupMenu(), nullptr);
    e->Perform(WM_AFTERDISPATCH);
    EXPECT_NE(e->SysPopupMenu(), nullptr);  // still alive inside the menu engine's call
    Pump();
    EXPECT_EQ(e->SysPopupMenu(), nullptr);
}

TEST_F(InnerEditTest, SkinnedMenuFromTheKeyboardRunsACommandAndIsFreedAfterwards)
{
    BindSkinFormLinkToScreen();
    auto* form = NewForm<TForm>(nullptr, TFormCreation::New);
    form->SetBounds(60, 60, 300, 200);
    auto* frame = new TbsFormFrame(form);
    frame->SetSkinData(BaseSkinData());
    TbsResourceStrData table(nullptr);
    TStringList lines;
    lines.Add("EDIT_CUT=剪切");
    lines.Add("EDIT_SELECTALL=全选");
    table.SetResStrings(lines);
    BaseSkinData()->SetResourceStrData(&table);
    auto* e = new TbsCustomEdit(form);
    e->SetParent(form);
    e->SetBounds(10, 10, 150, 20);
    e->SetText("abcd");
    form->Show();
    SetForegroundWindow(form->Handle());
    e->SetFocus();
    Pump();
    e->SetSelStart(0);
    e->SetSelLength(1);
    e->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    ASSERT_NE(e->SysPopupMenu(), nullptr);
    // The menu key opens the menu at the middle of the edit.
    const TPoint origin = e->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(e->SysPopupMenu()->PopupPoint(), (TPoint{origin.X + e->Width() / 2, origin.Y + e->Height() / 2}));
    // A table without a key gives an empty caption.
    EXPECT_EQ(Captions(e), (std::vector<std::string>{"(off)", "-", "剪切", "", "(off)", "", "-", "全选"}));
    auto* engine = dynamic_cast<TbsSkinMenu*>(frame->SkinMenu());
    ASSERT_NE(engine, nullptr);
    EXPECT_TRUE(engine->Visible());
    Backend->SetClipboardText("");
    ASSERT_EQ(engine->WindowCount(), 1);
    TbsSkinPopupWindow* w = engine->PopupWindow(0);
    TRect wr;
    GetWindowRect(w->Handle(), wr);
    const TRect cut = w->Items()[2]->ObjectRect;
    const TPoint p{wr.Left + (cut.Left + cut.Right) / 2, wr.Top + (cut.Top + cut.Bottom) / 2};
    Backend->MouseMove(p.X, p.Y);
    Pump();
    Backend->Click(p.X, p.Y);
    for (int i = 0; i < 4; ++i)
        Pump();
    EXPECT_EQ(e->Text(), "bcd");
    EXPECT_EQ(Backend->ClipboardText(), "a");
    EXPECT_EQ(e->SysPopupMenu(), nullptr);
    BaseSkinData()->SetResourceStrData(nullptr);
    delete form;
    Pump();
    SetSkinFormLink({});
}

TEST_F(InnerEditTest, OwnPopupMenuReplacesTheSystemMenu)
{
    auto* e = NewEdit("abcd");
    auto* own = new TPopupMenu(Form);
    e->SetPopupMenu(own);
    e->Perform(WM_CONTEXTMENU, 0, MAKELPARAM(20, 20));
    EXPECT_EQ(e->SysPopupMenu(), nullptr);
}

TEST_F(InnerEditTest, WindowStylesAndMargin)
{
    auto* e = NewEdit("abc");
    LONG_PTR style = GetWindowLong(e->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_MULTILINE);
    EXPECT_FALSE(style & ES_PASSWORD);
    EXPECT_FALSE(style & WS_BORDER);
    e->SetPasswordChar('*');
    e->RecreateWnd();
    style = GetWindowLong(e->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_PASSWORD);
    EXPECT_FALSE(style & ES_MULTILINE);
    e->Font().SetHeight(20);
    Pump();
    EXPECT_EQ(LOWORD(e->Perform(EM_GETMARGINS)), 2);
    e->SetEditTransparent(true);
    EXPECT_EQ(e->Text(), "abc");
    EXPECT_TRUE(GetWindowLong(e->Handle(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
}

}  // namespace
