// The link label: hover colours and glow offset, and which links it opens.
#include "tests/skin_controls/ControlsFixture.h"
#include "skin/controls/SkinLinkLabel.h"

namespace {

TEST(LinkTarget, OnlyWebAndMailLinksAreOpened)
{
    const std::pair<const char*, const char*> cases[] = {
        {"https://example.org/a?b=c", "https://example.org/a?b=c"},
        {"HTTP://example.org", "HTTP://example.org"},
        {"mailto:someone@example.org", "mailto:someone@example.org"},
        {"www.example.org", "https://www.example.org"},
        {"file:///etc/passwd", ""},
        {"javascript:alert(1)", ""},
        {"/usr/bin/xterm", ""},
        {"", ""},
    };
    for (const auto& [url, target] : cases)
        EXPECT_EQ(LinkTargetOf(url), target) << url;
}

class TLinkLabelTest : public TControlsTest {
protected:
    void SetUp() override
    {
        TControlsTest::SetUp();
        FSaved = LinkOpener;
        LinkOpener = [this](const std::string& t) { Opened.push_back(t); };
    }
    void TearDown() override
    {
        LinkOpener = FSaved;
        TControlsTest::TearDown();
    }
    TbsSkinLinkLabel* Make(TbsSkinData* Skin)
    {
        auto* l = new TbsSkinLinkLabel(Form);
        l->SetParent(Form);
        l->SetLeft(20);
        l->SetTop(20);
        l->SetCaption("WWWWWWWW");
        l->SetSkinData(Skin);
        Pump();
        return l;
    }
    // How many pixels of the label have colour C.
    int Count(TControl* c, TColor C)
    {
        TBitmap b = Snapshot(c);
        int n = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                n += b.GetPixel(x, y) == C;
        return n;
    }
    std::vector<std::string> Opened;

private:
    std::function<void(const std::string&)> FSaved;
};

TEST_F(TLinkLabelTest, ClickFiresOnClickThenOpensTheLink)
{
    auto* l = Make(nullptr);
    int clicks = 0;
    l->OnClick = [&](TObject*) { ++clicks; };
    Click(l, 3, 3);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Opened.empty()) << "an empty URL opens nothing";
    l->SetURL("www.example.org");
    Wait(1000, 100);   // not a double click
    Click(l, 3, 3);
    EXPECT_EQ(Opened, std::vector<std::string>{"https://www.example.org"});
    l->SetURL("file:///etc/passwd");
    Wait(1000, 100);
    Click(l, 3, 3);
    EXPECT_EQ(Opened.size(), 1u);
    EXPECT_EQ(clicks, 3);
}

TEST_F(TLinkLabelTest, HoverTakesTheActiveColour)
{
    auto* plain = Make(nullptr);
    EXPECT_EQ(Count(plain, ColorToRGB(clBlue)), 0);
    MoveTo(plain, 3, 3);
    EXPECT_GT(Count(plain, ColorToRGB(clBlue)), 10);
    MoveAway();

    auto* skinned = Make(TestSkinData());
    skinned->SetTop(60);
    Pump();
    EXPECT_NE(skinned->SkinIndex(), -1);
    EXPECT_GT(Count(skinned, TestSkin::LabelText), 10);
    MoveTo(skinned, 3, 3);
    EXPECT_GT(Count(skinned, TestSkin::LabelActive), 10);
    EXPECT_EQ(Count(skinned, TestSkin::LabelText), 0);
}

TEST_F(TLinkLabelTest, GlowKeepsTheTextColourAndLowersTheText)
{
    auto* l = Make(TestSkinData());
    l->SetGlowEffect(true);
    l->SetAutoSize(false);
    l->SetAutoSize(true);
    Pump();
    const int h = l->Height();
    EXPECT_GE(h, 14 + 7);
    // Nothing of the text in the glow offset at the top.
    TBitmap top = Snapshot(l);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < top.Width(); ++x)
            ASSERT_NE(top.GetPixel(x, y), TestSkin::LabelText) << x << "," << y;
    MoveTo(l, 3, 12);
    EXPECT_GT(Count(l, TestSkin::LabelText), 10) << "the text keeps its colour under the glow";
}

TEST_F(TLinkLabelTest, EmptySkinGivesNoElement)
{
    TbsSkinData empty(nullptr);
    auto* l = Make(&empty);
    EXPECT_EQ(l->SkinIndex(), -1);
}

}  // namespace
