#include "ClassLibFixture.h"
#include "platform/ui/controls/HintWindow.h"
#include "platform/ui/controls/Menus.h"

class TInputTest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Form = MakeForm(100, 100, 300, 200);
        Panel = new TPanel(Form);
        Panel->SetName("Panel");
        Panel->SetBounds(10, 10, 200, 150);
        Panel->SetParent(Form);
        Label = new TLabel(Form);
        Label->SetName("Label");
        Label->SetAutoSize(false);
        Label->SetBounds(20, 20, 80, 30);
        Label->SetParent(Panel);
        Pump();
    }
    TForm* Form = nullptr;
    TPanel* Panel = nullptr;
    TLabel* Label = nullptr;
};

TEST_F(TInputTest, ClicksAndDoubleClicksFollowTheClassicRules)
{
    auto* button = new TButton(Form);
    button->SetBounds(220, 10, 70, 25);
    button->SetParent(Form);
    for (TControl* c : std::initializer_list<TControl*>{Label, button}) {
        std::vector<std::string> log;
        c->OnClick = [&](TObject*) { log.push_back("click"); };
        c->OnDblClick = [&](TObject*) { log.push_back("dblclick"); };
        c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState s, int x, int y) {
            log.push_back(std::string(s.Contains(ssDouble) ? "down2 " : "down ") + std::to_string(x) + "," + std::to_string(y));
        };
        Click(c, 5, 6);
        Click(c, 5, 6);
        EXPECT_EQ(log, (std::vector<std::string>{"down 5,6", "click", "dblclick", "down2 5,6"})) << c->ClassName();
        // A press released outside is no click.
        log.clear();
        Advance(1000);
        TPoint in = At(c, 5, 6), out = At(c, -30, -30);
        Backend->MouseDown(in.X, in.Y);
        Backend->MouseMove(out.X, out.Y);
        Backend->MouseUp(out.X, out.Y);
        Pump();
        EXPECT_EQ(log, (std::vector<std::string>{"down 5,6"})) << c->ClassName();
        Advance(1000);
    }
}

TEST_F(TInputTest, MouseEnterAndLeaveAreRaisedAndRelayedToTheParent)
{
    std::vector<std::string> log;
    for (TControl* c : std::initializer_list<TControl*>{Label, Panel}) {
        c->OnMouseEnter = [&log](TObject* s) { log.push_back("enter " + static_cast<TComponent*>(s)->Name()); };
        c->OnMouseLeave = [&log](TObject* s) { log.push_back("leave " + static_cast<TComponent*>(s)->Name()); };
    }
    std::vector<TControl*> relayed;
    Panel->WindowProc = [&, inner = Panel->WindowProc](TMessage& m) {
        if (m.Msg == CM_MOUSEENTER && m.LParam)
            relayed.push_back(reinterpret_cast<TControl*>(m.LParam));
        inner(m);
    };
    MoveTo(Panel, 150, 100);
    MoveTo(Label, 5, 5);
    MoveTo(Panel, 150, 100);
    MoveTo(Form, 280, 180);
    EXPECT_EQ(log, (std::vector<std::string>{"enter Panel", "enter Label", "leave Label", "leave Panel"}));
    EXPECT_EQ(relayed, (std::vector<TControl*>{Label}));
}

TEST_F(TInputTest, ShortcutsReachTheMainMenuAfterOnShortCut)
{
    auto* menu = new TMainMenu(Form);
    auto* file = new TMenuItem(Form);
    file->SetCaption("&File");
    menu->Items()->Add(file);
    auto* open = new TMenuItem(Form);
    open->SetCaption("&Open");
    open->SetShortCut(ShortCut('O', false, true, false));
    file->Add(open);
    auto* help = new TMenuItem(Form);
    help->SetShortCut(ShortCut(VK_F1, false, false, false));
    menu->Items()->Add(help);
    Form->SetMenu(menu);
    std::vector<std::string> log;
    open->OnClick = [&](TObject*) { log.push_back("open"); };
    help->OnClick = [&](TObject*) { log.push_back("help"); };
    bool swallowF1 = false;
    Form->OnShortCut = [&](TMessage& m, bool& handled) {
        if (m.WParam == WPARAM(VK_F1) && swallowF1) {
            log.push_back("form F1");
            handled = true;
        }
    };
    Backend->KeyDown(VK_CONTROL);
    Key('O');
    Backend->KeyUp(VK_CONTROL);
    Key(VK_F1);
    swallowF1 = true;
    Key(VK_F1);
    open->SetEnabled(false);
    Backend->KeyDown(VK_CONTROL);
    Key('O');
    Backend->KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"open", "help", "form F1"}));
    EXPECT_TRUE(menu->DispatchCommand(help->Command()));
    EXPECT_FALSE(menu->DispatchCommand(open->Command()));
}

TEST_F(TInputTest, ShortCutTextsUseTheClassicNames)
{
    const std::pair<TShortCut, const char*> cases[] = {
        {ShortCut(VK_F4, false, true, false), "Ctrl+F4"}, {ShortCut(VK_F4, false, false, true), "Alt+F4"},
        {ShortCut(VK_F1, false, false, false), "F1"},     {ShortCut('A', true, true, false), "Shift+Ctrl+A"},
        {ShortCut(VK_DELETE, false, false, false), "Del"}, {0, ""},
    };
    for (const auto& [sc, text] : cases) {
        EXPECT_EQ(ShortCutToText(sc), text);
        if (sc) {
            EXPECT_EQ(TextToShortCut(text), sc) << text;
        }
    }
}

class THintTest : public TInputTest {
protected:
    void SetUp() override
    {
        TInputTest::SetUp();
        Label->SetHint("Short|Long text");
        Label->SetShowHint(true);
        Other = new TButton(Form);
        Other->SetHint("Other");
        Other->SetShowHint(true);
        Other->SetBounds(220, 10, 70, 25);
        Other->SetParent(Form);
        Pump();
    }
    bool HintVisible() const
    {
        THintWindow* w = Application->HintWindow();
        return w && w->HandleAllocated() && IsWindowVisible(w->Handle());
    }
    TButton* Other = nullptr;
};

TEST_F(THintTest, TheHintShowsAfterThePauseAndHidesAfterTheHidePause)
{
    MoveTo(Label, 5, 5);
    EXPECT_EQ(Application->Hint, "Long text");
    Advance(Application->HintPause() - 10);
    EXPECT_FALSE(HintVisible());
    Advance(20);
    ASSERT_TRUE(HintVisible());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Short");
    TRect r;
    GetWindowRect(Application->HintWindow()->Handle(), r);
    TPoint cursor = At(Label, 5, 5);
    EXPECT_EQ(r.Left, cursor.X);
    EXPECT_GT(r.Top, cursor.Y);
    // A one-pixel frame around the tip colour.
    auto shot = Backend->CaptureWindow(Application->HintWindow()->Handle());
    for (TPoint p : {TPoint{0, 0}, TPoint{r.Width() - 1, r.Height() / 2}, TPoint{r.Width() / 2, r.Height() - 1}})
        EXPECT_EQ(shot->GetPixel(p.X, p.Y) & 0xFFFFFF, ColorToRGB(clWindowFrame)) << p.X << "," << p.Y;
    EXPECT_EQ(shot->GetPixel(1, 1) & 0xFFFFFF, ColorToRGB(clInfoBk));
    Advance(Application->HintHidePause() - 20);
    EXPECT_TRUE(HintVisible());
    Advance(40);
    EXPECT_FALSE(HintVisible());
}

TEST_F(THintTest, MovingToAnotherHintedControlUsesTheShortPause)
{
    MoveTo(Label, 5, 5);
    Advance(Application->HintPause() + 10);
    ASSERT_TRUE(HintVisible());
    MoveTo(Other, 5, 5);
    EXPECT_FALSE(HintVisible());
    Advance(Application->HintShortPause() + 10);
    ASSERT_TRUE(HintVisible());
    EXPECT_EQ(Application->HintWindow()->Caption(), "Other");
    // A press cancels it; the next hint waits the full pause again.
    Click(Other, 5, 5);
    EXPECT_FALSE(HintVisible());
}

TEST_F(THintTest, OnShowHintMayChangeTheTextOrRefuse)
{
    bool allow = true;
    TControl* seen = nullptr;
    Application->OnShowHint = [&](std::string& text, bool& canShow, THintInfo& info) {
        seen = info.HintControl;
        text = "changed";
        canShow = allow;
    };
    MoveTo(Label, 5, 5);
    Advance(Application->HintPause() + 10);
    EXPECT_EQ(seen, Label);
    ASSERT_TRUE(HintVisible());
    EXPECT_EQ(Application->HintWindow()->Caption(), "changed");
    Application->CancelHint();
    allow = false;
    MoveTo(Form, 280, 180);
    MoveTo(Other, 5, 5);
    Advance(Application->HintPause() + 10);
    EXPECT_FALSE(HintVisible());
    Application->OnShowHint = nullptr;
}

TEST_F(TInputTest, PopupMenuRunsTheChosenItemAndRightClickOpensIt)
{
    auto* popup = new TPopupMenu(Form);
    std::vector<std::string> log;
    const char* captions[] = {"&One", "-", "&Two"};
    for (const char* c : captions) {
        auto* item = new TMenuItem(Form);
        item->SetCaption(c);
        item->OnClick = [&log, c](TObject*) { log.push_back(c); };
        popup->Items()->Add(item);
    }
    popup->OnPopup = [&](TObject*) { log.push_back("popup"); };
    Label->SetPopupMenu(popup);
    // The third row (after a line) of a list opened at the right click.
    TPoint p = At(Label, 5, 5);
    Backend->MouseDown(p.X, p.Y, 1);
    Backend->MouseUp(p.X, p.Y, 1);
    Backend->MouseMove(p.X + 30, p.Y + 2 + 20 + 8 + 10);
    Backend->MouseDown(p.X + 30, p.Y + 2 + 20 + 8 + 10);
    Backend->MouseUp(p.X + 30, p.Y + 2 + 20 + 8 + 10);
    Pump();
    EXPECT_EQ(log, (std::vector<std::string>{"popup", "&Two"}));
    EXPECT_EQ(popup->PopupComponent(), Label);
    // Esc dismisses without a choice.
    log.clear();
    Backend->KeyPress(VK_ESCAPE);
    popup->Popup(p.X, p.Y);
    EXPECT_EQ(log, (std::vector<std::string>{"popup"}));
    EXPECT_EQ(popup->LastChosen(), nullptr);
}
