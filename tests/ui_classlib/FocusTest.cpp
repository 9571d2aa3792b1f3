#include "ClassLibFixture.h"
#include "platform/ui/controls/ComboBox.h"

class TFocusTest : public TClassLibTest {
protected:
    // Three buttons and a check box in a row; the check box is second in tab order.
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Form = MakeForm(50, 50, 400, 200, false);
        Form->SetName("Form");
        const char* names[] = {"A", "B", "C"};
        for (int i = 0; i < 3; ++i) {
            auto* b = new TButton(Form);
            b->SetName(names[i]);
            b->SetCaption(names[i]);
            b->SetBounds(10 + i * 90, 10, 80, 25);
            b->SetParent(Form);
            b->OnEnter = [this](TObject* s) { Log.push_back("enter " + static_cast<TComponent*>(s)->Name()); };
            b->OnExit = [this](TObject* s) { Log.push_back("exit " + static_cast<TComponent*>(s)->Name()); };
            Buttons.push_back(b);
        }
        Check = new TCheckBox(Form);
        Check->SetName("Check");
        Check->SetBounds(10, 60, 100, 20);
        Check->SetParent(Form);
        Check->SetTabOrder(1);
        Form->Show();
        Pump();
    }

    std::string Focused() const
    {
        TWinControl* c = TWinControl::FindControl(GetFocus());
        return c ? c->Name() : "?";
    }

    TForm* Form = nullptr;
    std::vector<TButton*> Buttons;
    TCheckBox* Check = nullptr;
    std::vector<std::string> Log;
};

TEST_F(TFocusTest, ActivationFocusesTheFirstTabStopAndTabWalksTheTabOrder)
{
    EXPECT_EQ(Focused(), "A");
    EXPECT_EQ(Form->ActiveControl(), Buttons[0]);
    const char* expected[] = {"Check", "B", "C", "A"};
    for (const char* name : expected) {
        Key(VK_TAB);
        EXPECT_EQ(Focused(), name);
    }
    Backend->KeyDown(VK_SHIFT);
    Key(VK_TAB);
    Backend->KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Focused(), "C");
    EXPECT_EQ(Screen->ActiveControl(), Buttons[2]);
}

TEST_F(TFocusTest, AFreedControlLeavesItsParentsTabOrder)
{
    // A combo box dropping its edit frees a windowed child while the parent lives.
    auto* combo = new TComboBox(Form);
    combo->SetParent(Form);
    combo->SetStyle(csDropDownList);
    delete Buttons[0];
    Buttons.erase(Buttons.begin());
    for (TWinControl* w : Form->GetTabOrderList())
        EXPECT_NE(w, nullptr);
    EXPECT_EQ(combo->GetTabOrderList().size(), 1u) << "only the list is left";
    EXPECT_EQ(Check->TabOrder(), 0);
    Form->Hide();
    Form->Show();  // activation walks the tab order
    Pump();
    EXPECT_EQ(Focused(), "Check");
}

TEST_F(TFocusTest, TabSkipsControlsThatCannotTakeTheFocus)
{
    Check->SetEnabled(false);
    Buttons[1]->SetTabStop(false);
    Key(VK_TAB);
    EXPECT_EQ(Focused(), "C");
    Buttons[2]->SetVisible(false);
    EXPECT_EQ(Focused(), "Form") << "hiding the focused control moves the focus off it";
}

TEST_F(TFocusTest, ADestroyedControlLeavesTheTabOrder)
{
    delete Buttons[1];
    EXPECT_EQ(Form->GetTabOrderList(), (std::vector<TWinControl*>{Buttons[0], Check, Buttons[2]}));
    const char* expected[] = {"Check", "C", "A"};
    for (const char* name : expected) {
        Key(VK_TAB);
        EXPECT_EQ(Focused(), name);
    }
}

TEST_F(TFocusTest, EnterAndExitComeInOrderAndFocusChangeReachesEveryControl)
{
    Log.clear();
    int changes = 0;
    TControl* lastSender = nullptr;
    Buttons[2]->WindowProc = [&, inner = Buttons[2]->WindowProc](TMessage& m) {
        if (m.Msg == CM_FOCUSCHANGED) {
            ++changes;
            lastSender = reinterpret_cast<TControl*>(m.LParam);
        }
        inner(m);
    };
    Buttons[1]->SetFocus();
    EXPECT_EQ(Log, (std::vector<std::string>{"exit A", "enter B"}));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(lastSender, Buttons[1]);
}

TEST_F(TFocusTest, PressingAControlSendsCancelModeToTheActiveControlWithTheSender)
{
    TControl* sender = nullptr;
    Buttons[0]->WindowProc = [&, inner = Buttons[0]->WindowProc](TMessage& m) {
        if (m.Msg == CM_CANCELMODE)
            sender = reinterpret_cast<TControl*>(m.LParam);
        inner(m);
    };
    auto* label = new TLabel(Form);
    label->SetCaption("label");
    label->SetBounds(10, 120, 60, 20);
    label->SetParent(Form);
    Click(label, 2, 2);
    EXPECT_EQ(sender, label);
}

TEST_F(TFocusTest, EnterRunsTheDefaultButtonAndEscTheCancelButton)
{
    std::vector<std::string> clicks;
    for (TButton* b : Buttons)
        b->OnClick = [&clicks](TObject* s) { clicks.push_back(static_cast<TComponent*>(s)->Name()); };
    Buttons[2]->SetDefault(true);
    Buttons[1]->SetCancel(true);
    Check->SetFocus();
    Key(VK_RETURN);
    Key(VK_ESCAPE);
    // A focused button answers Enter itself.
    Buttons[0]->SetFocus();
    Key(VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<std::string>{"C", "B", "A"}));
}

TEST_F(TFocusTest, AcceleratorsFocusTheLabelsControlAndClickButtons)
{
    auto* label = new TLabel(Form);
    label->SetCaption("&Name");
    label->SetFocusControl(Buttons[2]);
    label->SetBounds(10, 150, 60, 20);
    label->SetParent(Form);
    Buttons[1]->SetCaption("&Go");
    int goClicks = 0;
    Buttons[1]->OnClick = [&](TObject*) { ++goClicks; };
    Backend->KeyDown(VK_MENU);
    Backend->KeyPress('N', "n");
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(Focused(), "C");
    Backend->KeyDown(VK_MENU);
    Backend->KeyPress('G', "g");
    Backend->KeyUp(VK_MENU);
    Pump();
    EXPECT_EQ(goClicks, 1);
}

TEST_F(TFocusTest, KeyPreviewLetsTheFormSeeAndTakeKeysFirst)
{
    std::vector<std::string> log;
    Form->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
        log.push_back("form " + std::to_string(key));
        if (key == VK_F2)
            key = 0;
    };
    Buttons[0]->OnKeyDown = [&](TObject*, WORD& key, TShiftState) { log.push_back("button " + std::to_string(key)); };
    Key(VK_F2);
    Form->SetKeyPreview(true);
    Key(VK_F3);
    Key(VK_F2);
    EXPECT_EQ(log, (std::vector<std::string>{"button 113", "form 114", "button 114", "form 113"}));
}

TEST_F(TFocusTest, TextSetOnTheWindowBecomesTheControlsText)
{
    int changes = 0;
    Buttons[0]->WindowProc = [&, inner = Buttons[0]->WindowProc](TMessage& m) {
        if (m.Msg == CM_TEXTCHANGED)
            ++changes;
        inner(m);
    };
    SetWindowText(Buttons[0]->Handle(), "outside");
    EXPECT_EQ(Buttons[0]->Caption(), "outside");
    Buttons[0]->SetCaption("inside");
    EXPECT_EQ(GetWindowText(Buttons[0]->Handle()), "inside");
    EXPECT_EQ(changes, 2);
}

TEST_F(TFocusTest, RecreatingAWindowKeepsTextStateAndFocus)
{
    Buttons[1]->SetFocus();
    HWND before = Buttons[1]->Handle();
    Buttons[1]->SetCaption("kept");
    Buttons[1]->RecreateWnd();
    EXPECT_NE(Buttons[1]->Handle(), before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(GetWindowText(Buttons[1]->Handle()), "kept");
    EXPECT_EQ(Focused(), "B");
    EXPECT_EQ(Buttons[1]->BoundsRect(), Bounds(100, 10, 80, 25));
}

// Each control's focus rectangle sits on a column that is otherwise plain
// background (below and above a button's edges): a button 4 pixels in, a check or radio box just before its
// text, a track bar 1 pixel in. A cue is any pixel of that column that is
// not the background.
TEST_F(TClassLibTest, OnlyTheFocusedControlShowsItsFocusCueAsTheFocusMoves)
{
    TForm* form = MakeForm(50, 50, 400, 200, false);
    auto* button = new TButton(form);
    button->SetBounds(10, 10, 80, 25);
    auto* check = new TCheckBox(form);
    check->SetCaption("Check");
    check->SetBounds(10, 50, 100, 20);
    auto* radio = new TRadioButton(form);
    radio->SetCaption("Radio");
    radio->SetBounds(10, 80, 100, 20);
    auto* track = new TTrackBar(form);
    track->SetBounds(10, 110, 150, 45);
    track->SetPosition(5);
    struct TCue {
        TWinControl* Control;
        const char* Name;
        int Column;
    };
    const TCue cues[] = {{button, "button", 4}, {check, "check", 16}, {radio, "radio", 16}, {track, "track", 1}};
    for (const TCue& c : cues)
        c.Control->SetParent(form);
    form->Show();
    Pump();
    auto showsCue = [&](const TCue& c) {
        auto shot = Backend->CaptureWindow(form->Handle());
        TRect w;
        GetWindowRect(form->Handle(), w);
        TColor back = ColorToRGB(c.Control == button ? clBtnFace : c.Control->Color());
        for (int y = 3; y < c.Control->Height() - 3; ++y) {  // inside a button's edges
            TPoint p = At(c.Control, c.Column, y);
            if ((shot->GetPixel(p.X - w.Left, p.Y - w.Top) & 0xFFFFFF) != back)
                return true;
        }
        return false;
    };
    auto expectCueOnlyOn = [&](TWinControl* focused, const char* step) {
        ASSERT_EQ(TWinControl::FindControl(GetFocus()), focused) << step;
        for (const TCue& c : cues)
            EXPECT_EQ(showsCue(c), c.Control == focused) << c.Name << " after " << step;
    };
    expectCueOnlyOn(button, "showing the form");
    Key(VK_TAB);
    expectCueOnlyOn(check, "tab");
    Key(VK_TAB);
    expectCueOnlyOn(radio, "tab");
    Key(VK_TAB);
    expectCueOnlyOn(track, "tab");
    Click(button, 40, 20);
    expectCueOnlyOn(button, "a click on the button");
    Click(check, 5, 10);
    expectCueOnlyOn(check, "a click on the check box");
    Key(VK_TAB);
    expectCueOnlyOn(radio, "tab from the clicked check box");
}

TEST_F(TFocusTest, ADeletedControlLeavesTheTabOrder)
{
    delete Check;
    Check = nullptr;
    const char* expected[] = {"B", "C", "A"};
    for (const char* name : expected) {
        Key(VK_TAB);
        EXPECT_EQ(Focused(), name);
    }
}
