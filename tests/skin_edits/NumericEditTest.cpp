#include "skin/boxes/NumericEdit.h"
#include "platform/ui/Keys.h"
#include "tests/skin_combo/BoxesFixture.h"

namespace {

class NumericEditTest : public TBoxesTest {
protected:
    TbsSkinNumEdit* NewEdit(const std::string& Text = "")
    {
        auto* e = new TbsSkinNumEdit(Form);
        e->SetParent(Form);
        e->SetBounds(10, 10, 100, 20);
        e->SetText(Text);
        e->SetFocus();
        e->SetSelStart(int(Text.size()));
        e->OnUpClick = [this](TObject*) { Log("up"); };
        e->OnDownClick = [this](TObject*) { Log("down"); };
        Pump();
        return e;
    }
    void Type(const std::string& S)
    {
        for (char ch : S)
            Key(0, std::string(1, ch));
    }
};

TEST_F(NumericEditTest, FiltersTypedCharacters)
{
    struct TCase {
        std::string Start, Typed;
        bool Float;
        std::string Expected;
        int Beeps;
    };
    const TCase cases[] = {
        {"", "12a", false, "12", 1}, {"-5", "-", false, "-5", 1},
        {"5", "-", false, "5-", 0},  // wherever the caret stands
        {"", "1.5", true, "1.5", 0}, {"1.5", ".", true, "1.5", 1},
        {"", "1.5", false, "15", 1},
    };
    for (const auto& c : cases) {
        auto* e = NewEdit(c.Start);
        e->Float = c.Float;
        const int before = Backend->BeepCount();
        Type(c.Typed);
        EXPECT_EQ(e->Text(), c.Expected) << c.Start << " + " << c.Typed;
        EXPECT_EQ(Backend->BeepCount() - before, c.Beeps) << c.Start << " + " << c.Typed;
        delete e;
    }
}

TEST_F(NumericEditTest, DisabledEditorRefusesEverythingButStillSteps)
{
    auto* e = NewEdit("12");
    e->SetEditorEnabled(false);
    Type("3-");
    Key(VK_BACK);
    EXPECT_EQ(e->Text(), "12");
    Key(VK_UP);
    Key(VK_DOWN);
    EXPECT_EQ(Joined(), "up down");
}

TEST_F(NumericEditTest, ArrowsAndWheelStep)
{
    auto* e = NewEdit("1");
    int keyDowns = 0;
    e->OnKeyDown = [&](TObject*, WORD&, TShiftState) { ++keyDowns; };
    e->OnUpClick = nullptr;
    Key(VK_UP);
    EXPECT_EQ(keyDowns, 0);
    EXPECT_EQ(e->Text(), "1");
    e->OnUpClick = [this](TObject*) { Log("up"); };
    const TPoint p = At(e, 5, 5);
    Backend->Wheel(120, p.X, p.Y);  // away from the user
    Pump();
    Backend->Wheel(-120, p.X, p.Y);
    Pump();
    EXPECT_EQ(Joined(), "up down");
    // Half notches add up to one step.
    Backend->Wheel(60, p.X, p.Y);
    Pump();
    EXPECT_EQ(Joined(), "up down");
    Backend->Wheel(60, p.X, p.Y);
    Pump();
    EXPECT_EQ(Joined(), "up down up");
}

TEST_F(NumericEditTest, PasteIsNotFiltered)
{
    auto* e = NewEdit("");
    Backend->SetClipboardText("x1");
    e->Perform(WM_PASTE);
    EXPECT_EQ(e->Text(), "x1");
}

}  // namespace
