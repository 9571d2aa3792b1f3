// Speed buttons and the menu speed button: states, groups, captions,
// tool-bar images, and the menu tracking released only by WM_CLOSESKINMENU.
#include "tests/skin_controls/ControlsFixture.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/controls/ControlHost.h"
#include "skin/controls/MenuLinks.h"
#include "skin/controls/SkinMenuSpeedButton.h"
#include "skin/controls/SkinSpeedButton.h"

namespace {

// Records every popup instead of opening a menu.
class TRecordingMenu : public TbsButtonPopupMenu {
public:
    void PopupFromRect2(TControl* Opener, const TRect& R, bool) override { Popups.push_back({Opener, R}); }
    std::vector<std::pair<TControl*, TRect>> Popups;
};

class TRecordingImagesMenu : public TbsButtonImagesMenu {
public:
    bool HasSelectedItem() const override { return false; }
    int SelectedImageIndex() const override { return -1; }
    std::string SelectedCaption() const override { return {}; }
    TImageList* Images() const override { return nullptr; }
    void PopupFromRect(const TRect&) override { ++Popups; }
    int Popups = 0;
};

class TBar : public TCustomControl, public TbsSkinControlHost {
public:
    using TCustomControl::TCustomControl;
    bool AdjustControls() const override { return false; }
    TRect GetSkinClientRect() override { return ClientRect(); }
    TImageList* Images() const override { return FImages; }
    TImageList* HotImages() const override { return nullptr; }
    TImageList* DisabledImages() const override { return FDisabled; }
    TImageList* FImages = nullptr;
    TImageList* FDisabled = nullptr;
};

class TSpeedTest : public TButtonsTest {
protected:
    template <class T>
    T* Make(TbsSkinData* Skin, int X = 20, int Y = 20, TWinControl* Parent = nullptr)
    {
        return Place<T>(Skin, X, Y, 60, Parent);
    }
};

TEST_F(TSpeedTest, SkinnedFacePerState)
{
    auto* b = Make<TbsSkinSpeedButton>(StillSkin());
    EXPECT_EQ(PixelOf(b, 30, 15), TestSkin::Normal);
    MoveTo(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 30, 15), TestSkin::Active);
    Press(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 30, 15), TestSkin::Down);
    Release(b, 5, 5);
    EXPECT_EQ(ClicksOf(b), 1);
    MoveAway();
    b->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelOf(b, 30, 15), TestSkin::Disabled);
    MoveTo(b, 5, 5);
    EXPECT_FALSE(b->MouseIn()) << "a disabled button never becomes hot";
}

TEST_F(TSpeedTest, FlatButtonShowsTheBarAtRest)
{
    auto* b = Make<TbsSkinSpeedButton>(StillSkin());
    b->SetFlat(true);
    Pump();
    EXPECT_TRUE(b->Transparent());
    EXPECT_EQ(PixelOf(b, 30, 15), RGB(240, 240, 240));
    MoveTo(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 30, 15), TestSkin::Active);
    Press(b, 5, 5);
    EXPECT_EQ(PixelOf(b, 30, 15), TestSkin::Down);
    Release(b, 5, 5);
}

TEST_F(TSpeedTest, GroupButtonsReleaseEachOtherAtMouseDown)
{
    auto* a = Make<TbsSkinSpeedButton>(nullptr, 10);
    auto* b = Make<TbsSkinSpeedButton>(nullptr, 80);
    a->SetGroupIndex(1);
    b->SetGroupIndex(1);
    a->SetDown(true);
    Press(b);
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(ClicksOf(b), 1);
    Release(b);
    EXPECT_EQ(ClicksOf(b), 1);
}

TEST_F(TSpeedTest, ShowCaptionSwitchesTheWidth)
{
    auto* b = Make<TbsSkinSpeedButton>(nullptr);
    b->SetWidthWithCaption(60);
    b->SetWidthWithoutCaption(25);
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 25);
    b->SetWidth(40);
    b->SetShowCaption(false);
    EXPECT_EQ(b->Width(), 40) << "the same value again does nothing";
    b->SetShowCaption(true);
    EXPECT_EQ(b->Width(), 60);
}

TEST_F(TSpeedTest, RepeatWhileHeld)
{
    auto* b = Make<TbsSkinSpeedButton>(nullptr);
    b->SetRepeatMode(true);
    b->SetRepeatInterval(50);
    std::vector<uint64_t> at;
    b->OnClick = [&](TObject*) { at.push_back(Backend->Now()); };
    Press(b);
    const uint64_t pressed = Backend->Now();
    Wait(620);
    ASSERT_EQ(at.size(), 3u);
    EXPECT_NEAR(double(at[0] - pressed), 500, 12);
    EXPECT_NEAR(double(at[2] - at[1]), 50, 12);
    Release(b);
    EXPECT_EQ(at.size(), 4u);
    EXPECT_FALSE(b->RepeatRunning());
}

TEST_F(TSpeedTest, DisabledImageOfTheBarIsDrawnAsItIs)
{
    auto* bar = new TBar(Form);
    bar->SetParent(Form);
    bar->SetBounds(0, 0, 300, 40);
    TImageList images(nullptr, 10, 10), disabled(nullptr, 10, 10);
    TBitmap red(10, 10), blue(10, 10);
    red.Fill(RGB(255, 0, 0));
    blue.Fill(RGB(0, 0, 255));
    images.Add(red);
    disabled.Add(blue);
    bar->FImages = &images;
    bar->FDisabled = &disabled;
    auto* b = Make<TbsSkinSpeedButton>(nullptr, 10, 5, bar);
    b->SetImageIndex(0);
    Pump();
    EXPECT_EQ(PixelOf(b, 30, 15), RGB(255, 0, 0));
    b->SetEnabled(false);
    Pump();
    EXPECT_EQ(PixelOf(b, 30, 15), RGB(0, 0, 255)) << "not greyed a second time";
}

TEST_F(TSpeedTest, MenuButtonAsTheProgramUsesIt)
{
    TRecordingMenu menu;
    auto* b = Make<TbsSkinMenuSpeedButton>(BaseSkinData());
    b->SetSkinDataName("resizetoolbutton");
    b->SetSkinPopupMenu(&menu);
    int shown = 0, hidden = 0;
    b->OnShowTrackMenu = [&](TObject*) { ++shown; };
    b->OnHideTrackMenu = [&](TObject*) { ++hidden; };
    Press(b, 10, 10);
    ASSERT_EQ(menu.Popups.size(), 1u);
    EXPECT_EQ(menu.Popups[0].first, b);
    const TPoint origin = b->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(menu.Popups[0].second, TRect(origin.X, origin.Y, origin.X + b->Width(), origin.Y + b->Height()));
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(b->MenuTracked());
    EXPECT_TRUE(b->Down());
    Release(b, 10, 10);
    MoveAway();
    EXPECT_TRUE(b->Down()) << "released only by the menu";
    EXPECT_TRUE(Clicks.empty());
    b->Perform(WM_CLOSESKINMENU);
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MenuTracked());
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(hidden, 1);
    b->Perform(WM_CLOSESKINMENU);
    EXPECT_EQ(hidden, 1);
}

TEST_F(TSpeedTest, MenuButtonTrackModeAndMissingMenu)
{
    auto* b = Make<TbsSkinMenuSpeedButton>(nullptr);
    Click(b, 10, 10);
    EXPECT_FALSE(b->MenuTracked()) << "no menu: an ordinary speed button";
    EXPECT_EQ(ClicksOf(b), 1);

    TRecordingMenu menu;
    TRecordingImagesMenu images;
    b->SetSkinPopupMenu(&menu);
    b->SetTrackButtonMode(true);
    Click(b, 10, 10);
    EXPECT_EQ(ClicksOf(b), 2) << "left of the strip: a click on release";
    EXPECT_TRUE(menu.Popups.empty());

    int shown = 0;
    b->OnShowTrackMenu = [&](TObject*) { ++shown; };
    b->SetSkinImagesMenu(&images);
    Press(b, 52, 10);
    EXPECT_TRUE(b->MenuTracked());
    EXPECT_EQ(menu.Popups.size(), 1u);
    EXPECT_EQ(images.Popups, 1);
    EXPECT_EQ(shown, 2) << "both menus open";
    Release(b, 52, 10);
    ASSERT_TRUE(images.OnInternalMenuClose);
    images.OnInternalMenuClose();
    EXPECT_FALSE(b->Down());
    EXPECT_FALSE(b->MenuTracked());
}

TEST_F(TSpeedTest, NewStyleNamesTheResizeElement)
{
    auto* b = Make<TbsSkinMenuSpeedButton>(nullptr);
    b->SetSkinDataName("custom");
    b->SetNewStyle(false);
    EXPECT_EQ(b->SkinDataName(), "custom");
    b->SetNewStyle(true);
    EXPECT_EQ(b->SkinDataName(), "resizetoolbutton");
}

}  // namespace
