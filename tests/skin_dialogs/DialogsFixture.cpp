#include "tests/skin_dialogs/DialogsFixture.h"
#include "skin/data/SkinFormLink.h"

void TDialogsTest::SetUp()
{
    TControlsTest::SetUp();
    BindSkinFormLinkToScreen();
}

void TDialogsTest::TearDown()
{
    FTimer.reset();
    TControlsTest::TearDown();
    SetSkinFormLink({});
}

void TDialogsTest::WhenShown(std::function<void()> Step, int Ms)
{
    FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(UINT(Ms));
    FTimer->OnTimer = [this, Step](TObject*) {
        FTimer->SetEnabled(false);
        Step();
    };
    FTimer->SetEnabled(true);
}

void TDialogsTest::PressKey(int Vk)
{
    Backend->KeyPress(Vk);
    Pump();
}

void TDialogsTest::ClickAt(TControl* C, int X, int Y)
{
    const TPoint p = C->ClientToScreen(TPoint{X, Y});
    Backend->MouseMove(p.X, p.Y);
    Backend->Click(p.X, p.Y);
    Pump();
}

std::string TDialogsTest::TextOfWidth(int Width, int FontHeight)
{
    TBitmap b(1, 1);
    TCanvas& c = *b.Canvas();
    c.Font().SetName("Arial");
    c.Font().SetHeight(FontHeight);
    for (int wide = 0; wide < 40; ++wide)
        for (int narrow = 0; narrow < 60; ++narrow) {
            const std::string s = std::string(size_t(wide), 'W') + std::string(size_t(narrow), 'i');
            if (c.TextWidth(s) == Width)
                return s;
        }
    return {};
}
