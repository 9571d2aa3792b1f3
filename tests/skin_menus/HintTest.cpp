// The skinned hint: line separators, sizes, placement in the work area, the
// application's hint machinery and the component's delayed hints.
#include <filesystem>
#include "MenuFixture.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"
#include "skin/controls/SkinControl.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/draw/TextUtils.h"
#include "skin/menus/SkinHint.h"

namespace {

class THint : public TMenuTest {
protected:
    void SetUp() override
    {
        TMenuTest::SetUp();
        Application->SetMainForm(Form);
        Hint = new TbsSkinHint(Form);
    }
    void TearDown() override
    {
        Application->HintWindowClass = nullptr;
        Application->OnShowHint = nullptr;
        TMenuTest::TearDown();
    }
    // The plain text size of Text in the hint's default font.
    TSize PlainText(const std::string& Text)
    {
        TBitmap b(1, 1);
        b.Canvas()->Font().Assign(Hint->DefaultFont());
        TRect r{0, 0, 0, 0};
        DrawSkinText(*b.Canvas(), Text, r, DT_CALCRECT);
        return TSize{r.Width(), r.Height()};
    }
    TRect HintRect(TbsSkinHintWindow* W)
    {
        TRect r;
        GetWindowRect(W->Handle(), r);
        return r;
    }

    // Runs the loop in small steps until Done holds; the virtual time then.
    template <class F>
    uint64_t WaitUntil(F Done)
    {
        for (int i = 0; i < 5000 && !Done(); ++i) {
            Backend->Advance(2);
            Pump();
        }
        EXPECT_TRUE(Done());
        return Backend->Now();
    }

    TbsSkinHint* Hint = nullptr;
};

}  // namespace

TEST_F(THint, LineSeparatorsBecomeSingleLineBreaks)
{
    struct TCase {
        std::string Separator, Text, Expected;
    };
    const std::vector<TCase> cases{
        {"@", "a@b", "a\nb"},
        {"@", "a@@b@", "a\n\nb\n"},
        {"", "a@b", "a@b"},
        {"\n", "a\nb", "a\nb"},     // a separator found in its own replacement still ends
        {"\r\n", "a\r\nb", "a\nb"},
        {"--", "a---b", "a\n-b"},
    };
    for (const TCase& c : cases) {
        Hint->SetLineSeparator(c.Separator);
        EXPECT_EQ(Hint->ReplaceLineSeparators(c.Text), c.Expected) << c.Text;
    }
}

TEST_F(THint, TwoWordsJoinedBySeparatorShowOnTwoLines)
{
    Hint->ActivateHint(TPoint{200, 200}, "a@b");
    Pump();
    ASSERT_TRUE(Hint->IsVisible());
    const TSize one = PlainText("a");
    const TSize two = PlainText("a\nb");
    EXPECT_EQ(two.cy, 2 * one.cy);
    TRect r = HintRect(Hint->HW);
    EXPECT_EQ(r, (TRect{200, 200, 200 + two.cx + 4, 200 + two.cy + 4}));
    EXPECT_EQ(Hint->HW->Caption(), "a\nb");
    // Both words are drawn, one under the other, in the info text colour.
    auto pic = Backend->CaptureWindow(Hint->HW->Handle());
    auto inkRows = [&](int Top, int Bottom) {
        int n = 0;
        for (int y = Top; y < Bottom; ++y)
            for (int x = 2; x < pic->Width() - 2; ++x)
                n += pic->GetPixel(x, y) != ColorToRGB(clInfoBk) ? 1 : 0;
        return n;
    };
    EXPECT_GT(inkRows(2, 2 + one.cy), 0);
    EXPECT_GT(inkRows(2 + one.cy, 2 + 2 * one.cy), 0);
    EXPECT_EQ(pic->GetPixel(0, 0), ColorToRGB(clBtnShadow));
}

TEST_F(THint, StaysInsideTheWorkAreaNearTheCursor)
{
    const TSize s = PlainText("hint");
    const int w = s.cx + 4, h = s.cy + 4;
    struct TCase {
        TPoint P, Expected;
    };
    const std::vector<TCase> cases{
        {{300, 300}, {300, 300}},
        {{WorkArea.Right - w + 1, 300}, {WorkArea.Right - w + 1 - w - 2, 300}},
        {{300, WorkArea.Bottom - 2}, {300, WorkArea.Bottom - 2 - h - 2}},
        {{WorkArea.Right - 3, WorkArea.Bottom - 3}, {WorkArea.Right - 3 - w - 2, WorkArea.Bottom - 3 - h - 2}},
    };
    for (const TCase& c : cases) {
        Hint->ActivateHint(c.P, "hint");
        TRect r = HintRect(Hint->HW);
        EXPECT_EQ(r.TopLeft(), c.Expected) << c.P.X << "," << c.P.Y;
        EXPECT_EQ(r.Width(), w);
    }
    // Centred below or above a rectangle.
    Hint->HW->ActivateHintFromRect(TRect{300, 300, 400, 320}, "hint", false);
    EXPECT_EQ(HintRect(Hint->HW).TopLeft(), (TPoint{350 - w / 2, 320}));
    Hint->HW->ActivateHintFromRect(TRect{300, 300, 400, 320}, "hint", true);
    EXPECT_EQ(HintRect(Hint->HW).TopLeft(), (TPoint{350 - w / 2, 300 - h}));
}

TEST_F(THint, SkinAddsItsMarginsToTheTextSize)
{
    TLoadedSkin skin;
    skin.Load(0);
    Hint->SetSkinData(&skin.Data);
    const TbsDataSkinHintWindow& d = *skin.Data.HintWindow;
    const TBitmap* pic = skin.Data.ActivePicture(d.WindowPictureIndex);
    ASSERT_NE(pic, nullptr);
    Hint->ActivateHint(TPoint{100, 100}, "a much longer hint@b");
    TBitmap b(1, 1);
    b.Canvas()->Font().SetName(d.FontName);
    b.Canvas()->Font().SetHeight(d.FontHeight);
    b.Canvas()->Font().SetStyle(d.FontStyle);
    TRect t{0, 0, 0, 0};
    DrawSkinText(*b.Canvas(), "a much longer hint\nb", t, DT_CALCRECT);
    TRect r = HintRect(Hint->HW);
    EXPECT_EQ(r.Width(), t.Width() + d.ClRect.Left + (pic->Width() - d.ClRect.Right) + 5);
    EXPECT_EQ(r.Height(), t.Height() + d.ClRect.Top + (pic->Height() - d.ClRect.Bottom));
    Hint->HideHint();
    Hint->SetSkinData(nullptr);
}

TEST_F(THint, DelayedHintWaitsShowsAtTheCursorAndHides)
{
    Application->SetHintPause(400);
    Application->SetHintHidePause(1000);
    Backend->MouseMove(250, 150);
    Pump();
    uint64_t start = Backend->Now();
    Hint->ActivateHint2("later");
    uint64_t shown = WaitUntil([&] { return Hint->IsVisible(); });
    EXPECT_GE(shown - start, 400u);
    EXPECT_LT(shown - start, 440u);
    EXPECT_EQ(HintRect(Hint->HW).TopLeft(), (TPoint{250, 150 + Hint->GetCursorHeightMargin()}));
    uint64_t hidden = WaitUntil([&] { return !Hint->IsVisible(); });
    EXPECT_GE(hidden - shown, 1000u);
    EXPECT_LT(hidden - shown, 1040u);
    // Hiding a hint that is not shown only cancels the one waiting.
    Hint->ActivateHint2("never");
    Hint->HideHint();
    Advance(600);
    EXPECT_FALSE(Hint->IsVisible());
}

TEST_F(THint, ApplicationHintsUseTheSkinnedWindowWithItsPauses)
{
    EXPECT_EQ(Application->HintShortPause(), 100);
    Application->SetHintPause(300);
    Application->SetHintHidePause(800);
    auto* a = new TbsSkinControl(Form);
    a->SetParent(Form);
    a->SetBounds(10, 10, 80, 30);
    a->SetHint("a@b");
    a->SetShowHint(true);
    auto* other = new TbsSkinControl(Form);
    other->SetParent(Form);
    other->SetBounds(150, 10, 80, 30);
    other->SetHint("other");
    other->SetShowHint(true);
    Pump();
    auto shownWith = [&](const std::string& Text) {
        auto* w = dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow());
        return w && w->Visible() && w->Caption() == Text;
    };
    TPoint p = a->ClientToScreen(TPoint{20, 10});
    uint64_t start = Backend->Now();
    Backend->MouseMove(p.X, p.Y);
    uint64_t shown = WaitUntil([&] { return shownWith("a\nb"); });
    EXPECT_GE(shown - start, 300u);
    EXPECT_LT(shown - start, 340u);
    auto* w = dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Height(), PlainText("a\nb").cy + 4);
    EXPECT_EQ(w->Top(), p.Y + 20);
    // Moving on to the next control while a hint shows takes the short pause.
    TPoint q = other->ClientToScreen(TPoint{20, 10});
    start = Backend->Now();
    Backend->MouseMove(q.X, q.Y);
    shown = WaitUntil([&] { return shownWith("other"); });
    EXPECT_GE(shown - start, 100u);
    EXPECT_LT(shown - start, 140u);
    uint64_t hidden = WaitUntil([&] { return !w->Visible(); });
    EXPECT_GE(hidden - shown, 800u);
    EXPECT_LT(hidden - shown, 840u);
}

TEST_F(THint, AFreedComponentLeavesNothingBehind)
{
    Application->SetHintPause(100);
    auto* a = new TbsSkinControl(Form);
    a->SetParent(Form);
    a->SetBounds(10, 10, 80, 30);
    a->SetHint("tip");
    a->SetShowHint(true);
    TPoint p = a->ClientToScreen(TPoint{20, 10});
    Backend->MouseMove(p.X, p.Y);
    Advance(200);
    auto* w = dynamic_cast<TbsSkinHintWindow*>(Application->HintWindow());
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->Visible());
    delete Hint;
    Hint = nullptr;
    EXPECT_FALSE(Application->OnShowHint);
    EXPECT_FALSE(w->Visible());
    // Without an active component on the main form the skinned window shows nothing.
    Backend->MouseMove(p.X + 100, p.Y + 100);
    Advance(50);
    Backend->MouseMove(p.X, p.Y);
    Advance(300);
    EXPECT_FALSE(w->Visible());
}

TEST_F(THint, SkinnedControlsGiveTheirTitle)
{
    auto* a = new TbsSkinControl(Form);
    a->SetParent(Form);
    a->SetBounds(10, 10, 80, 30);
    a->HintTitle = "Title";
    THintInfo info;
    info.HintControl = a;
    std::string s = "text";
    bool can = true;
    Application->OnShowHint(s, can, info);
    EXPECT_EQ(Hint->FHintTitle, "Title");
    Hint->HW->ActivateHint(TRect{100, 100, 100, 100}, "text");
    EXPECT_TRUE(Hint->HW->AExtendedStyle);
    const TSize text = PlainText("text");
    TBitmap b(1, 1);
    b.Canvas()->Font().Assign(Hint->DefaultFont());
    TRect t{0, 0, 0, 0};
    DrawSkinText(*b.Canvas(), "Title", t, DT_CALCRECT);
    EXPECT_EQ(Hint->HW->Height(), text.cy + t.Height() + 10 + 4);
}

namespace {

class THintRender : public THint, public ::testing::WithParamInterface<int> {};

}  // namespace

// A two-line hint and a hint with a title, plain and in each of our skins.
TEST_P(THintRender, TwoLinesAndTitle)
{
    const int skin = GetParam();
    TLoadedSkin s;
    if (skin >= 0) {
        s.Load(skin);
        Hint->SetSkinData(&s.Data);
    }
    std::filesystem::path dir(MENU_RENDER_DIR);
    std::filesystem::create_directories(dir);
    const std::string name = skin >= 0 ? "skin" + std::to_string(skin) : std::string("plain");
    Hint->ActivateHint(TPoint{200, 200}, "转换列表中的文件@Convert the files of the list");
    Pump();
    ASSERT_TRUE(Hint->IsVisible());
    Backend->SaveWindowPicture(Hint->HW->Handle(), (dir / (name + "_hint.png")).string());
    Hint->ActivateHintEx(TPoint{200, 200}, "开始", "开始转换@Start converting", 0, nullptr);
    Pump();
    Backend->SaveWindowPicture(Hint->HW->Handle(), (dir / (name + "_hint_title.png")).string());
    Hint->HideHint();
    EXPECT_FALSE(Hint->IsVisible());
    Hint->SetSkinData(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Skins, THintRender, ::testing::Values(-1, 0, 1, 2, 3, 4, 5, 6));

namespace {

class TLayeredHint : public THint {
protected:
    TLayeredHint() { Config.Caps.PerPixelAlpha = true; }
};

}  // namespace

TEST_F(TLayeredHint, AlphaFollowsTheComponentAndFadesIn)
{
    Hint->AlphaBlend = true;
    Hint->AlphaBlendValue = 180;
    Hint->AlphaBlendAnimation = true;
    uint64_t start = Backend->Now();
    Hint->ActivateHint(TPoint{100, 100}, "fade");
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(Hint->HW->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 180);
    EXPECT_GE(Backend->Now() - start, 15u * 3);   // 15 steps, each after more than 3 ms
    // Without the fade the value is applied at once; 0 makes the hint invisible.
    Hint->AlphaBlendAnimation = false;
    Hint->AlphaBlendValue = 0;
    Hint->ActivateHint(TPoint{100, 100}, "none");
    ASSERT_TRUE(GetLayeredWindowAttributes(Hint->HW->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 0);
    // Switching alpha off takes the layered style away again.
    Hint->AlphaBlend = false;
    Hint->ActivateHint(TPoint{100, 100}, "solid");
    EXPECT_EQ(GetWindowLong(Hint->HW->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    Hint->HideHint();
}
