#include <algorithm>

#include "platform/core/SysUtils.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/ExtCtrls.h"
#include "skin/controls/SkinSlider.h"
#include "tests/app_preview/PreviewFixture.h"

using namespace testmedia;

namespace {

double Seconds(TControl* ALabel) {
    return std::stod(ALabel->Caption());
}

}  // namespace

TEST_F(PreviewPanelTest, SelectingARowPlaysItPausedOnItsFirstPictureInTheScreen) {
    const TSample& clip = Sample(TSampleKind::AllIntra);
    SelectFile(clip.Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Panel->FFPlayer().LastErrMsg();
    EXPECT_EQ(Host.Count("Play"), 1) << "opened paused: psPlay, then psPause";
    EXPECT_EQ(Panel->FFPlayer().ScreenHandle(), Panel6->Handle());
    EXPECT_EQ(Panel->FFPlayer().ScreenWidth(), 240) << "the output takes the screen control's size";
    EXPECT_EQ(Panel->FFPlayer().ScreenHeight(), 145);
    EXPECT_TRUE(std::find(Host.Log.begin(), Host.Log.end(), "duration: 2.000000, frame size: 160x120") !=
                Host.Log.end());
    EXPECT_EQ(Controls.Label2->Caption(), "2.000000");
    EXPECT_EQ(Seconds(Controls.Label3), 0);
    EXPECT_EQ(Panel->Duration(), clip.Plan.Video[0].DurationUS());
    EXPECT_EQ(Slider->MaxValue(), 241) << "one step per pixel";
    EXPECT_EQ(Slider->Increment(), 5);
    EXPECT_EQ(Slider->Value(), 0);

    // A picture of the start stands in the middle of the dark screen, and
    // stays there.
    ASSERT_TRUE(WaitFor([&] { return ShownFrame() >= 0; }));
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(120, 72) != RGB(16, 16, 16); }));
    EXPECT_LE(HeldFrame(), 1);

    // The stream lists: one video stream plays, so its list is disabled.
    ASSERT_EQ(Controls.cboVideo->Items().Count(), 1);
    EXPECT_EQ(Controls.cboVideo->Items()[0], "Video#0");
    EXPECT_FALSE(Controls.cboVideo->Enabled());
    EXPECT_EQ(Controls.cboAudio->Items().Count(), 0);
    EXPECT_FALSE(Controls.cboSubtitle->Enabled());
}

TEST_F(PreviewPanelTest, AFailedOpenGoesToTheLog) {
    SelectFile(Temp.File("missing.mp4"));
    ASSERT_FALSE(Host.Log.empty());
    EXPECT_EQ(Host.Log.back(), Panel->FFPlayer().LastErrMsg());
    EXPECT_FALSE(Panel->FFPlayer().FileOpened());

    EXPECT_EQ(Host.Count("Play"), 0);
}

TEST_F(PreviewPanelTest, PlayPauseStopAndMuteButtons) {
    SelectFile(Sample(TSampleKind::AllIntra).Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Host.LogText();
    HeldFrame();  // a user's click comes after the first picture is up

    // "播放" resumes: the position label and the slider move on.
    Click(Controls.bsSkinButton13);
    ASSERT_TRUE(WaitForLog("Resume")) << Host.LogText();
    ASSERT_TRUE(WaitFor([&] { return Seconds(Controls.Label3) > 0.3 && Slider->Value() > 0; }));
    EXPECT_GT(Host.Focused, 0) << "the job list takes the focus back";

    // "暂停" holds the picture (once the one on its way is shown).
    Click(Controls.bsSkinButton14);
    ASSERT_TRUE(WaitForLog("Pause", 2));
    WaitFor([] { return false; }, 200);
    const int held = ShownFrame();
    const std::string heldAt = Controls.Label3->Caption();
    WaitFor([] { return false; }, 200);
    EXPECT_EQ(ShownFrame(), held);
    EXPECT_EQ(Controls.Label3->Caption(), heldAt);

    // "静音": one of the pair shows at a time.
    Click(Controls.bsSkinButton16);
    EXPECT_TRUE(Panel->FFPlayer().Mute());
    EXPECT_TRUE(Controls.bsSkinButton20->Visible());
    EXPECT_FALSE(Controls.bsSkinButton16->Visible());
    Click(Controls.bsSkinButton20);
    EXPECT_FALSE(Panel->FFPlayer().Mute());
    EXPECT_FALSE(Controls.bsSkinButton20->Visible());
    EXPECT_TRUE(Controls.bsSkinButton16->Visible());

    // The volume track bar sets the player's volume.
    Controls.TrackBar2->SetPosition(40);
    EXPECT_EQ(Panel->FFPlayer().AudioVolume(), 40);

    // "停止" without a selected row does nothing; with one it reopens the
    // file paused at its start.
    Host.RowSelected = false;
    Click(Controls.bsSkinButton15);
    Pump();
    EXPECT_EQ(Host.Count("Stop"), 0);
    Host.RowSelected = true;
    Click(Controls.bsSkinButton15);
    ASSERT_TRUE(WaitForLog("Stop"));
    ASSERT_TRUE(WaitForLog("Pause", 3));
    EXPECT_EQ(Host.Count("Play"), 2);
    EXPECT_LE(HeldFrame(), 1) << "at the start again";
}

TEST_F(PreviewPanelTest, TheSliderSeeksWhereItIsLetGoAndPlaysOn) {
    const TSample& clip = Sample(TSampleKind::AllIntra);
    SelectFile(clip.Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Host.LogText();
    HeldFrame();

    // Held: the player pauses and position events leave slider and label alone.
    const std::string before = Controls.Label3->Caption();
    Panel->bsSkinSlider1MouseDown();
    EXPECT_EQ(Panel->SliderState(), "Down");
    Slider->SetValue(Slider->MaxValue() / 2);
    Panel->FFPlayer().Seek(Panel->Duration() / 4, {}, true);
    Pump();
    EXPECT_EQ(Slider->Value(), Slider->MaxValue() / 2);
    EXPECT_EQ(Controls.Label3->Caption(), before);

    // Let go at the middle: the file goes there and plays on.
    Panel->bsSkinSlider1MouseUp();
    EXPECT_EQ(Panel->SliderState(), "UP");
    const int64_t target = Panel->Duration() * (Slider->MaxValue() / 2) / Slider->MaxValue();
    ASSERT_TRUE(WaitFor([&] { return ShownFrame() >= int(target * 25 / 1000000); }));
    ASSERT_TRUE(WaitFor([&] { return Seconds(Controls.Label3) > target / 1e6; }));
    EXPECT_FALSE(Panel->FFPlayer().Paused());
}

TEST_F(PreviewPanelTest, DraggingTheSliderThumbWithTheMouseSeeks) {
    SelectFile(Sample(TSampleKind::AllIntra).Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Host.LogText();
    HeldFrame();
    // Drag the thumb from the start to the far end: press pauses, release
    // seeks there and resumes.
    const TRect thumb = Slider->ThumbRect();
    const TPoint from = Slider->ClientToScreen(TPoint{(thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2});
    Backend->MouseMove(from.X, from.Y);
    Pump();
    Backend->MouseDown(from.X, from.Y);
    Pump();
    EXPECT_EQ(Panel->SliderState(), "Down");
    for (int x = from.X; x <= from.X + Slider->Width(); x += 20) {
        Backend->MouseMove(x, from.Y);
        Pump();
    }
    Backend->MouseUp(from.X + Slider->Width(), from.Y);
    Pump();
    EXPECT_EQ(Panel->SliderState(), "UP");
    ASSERT_TRUE(WaitForLog("Resume")) << Host.LogText();
    EXPECT_TRUE(WaitFor([&] { return ShownFrame() >= 45; })) << "the seek went to the end";
}

TEST_F(PreviewPanelTest, TheEndOfTheFileReturnsToTheStartPausedEachTime) {
    SelectFile(Sample(TSampleKind::AllIntra).Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Host.LogText();
    HeldFrame();
    for (int round = 1; round <= 2; ++round) {
        Panel->bsSkinButton13Click();
        ASSERT_TRUE(WaitForLog("End", round, 15000)) << "round " << round << "\n" << Host.LogText() << Panel->FFPlayer().Paused() << " frame " << ShownFrame() << " pts " << Panel->FFPlayer().CurrentPTS();
        // Back at the start (the picture the seek lands on), and waiting there.
        ASSERT_TRUE(WaitFor([&] { return Panel->FFPlayer().Paused() && ShownFrame() >= 0 && ShownFrame() <= 2; }))
            << "round " << round << ": " << ShownFrame();
        EXPECT_LE(HeldFrame(), 1) << "round " << round;
        EXPECT_EQ(Host.Count("End"), round) << "the end is told once";
    }
}

TEST_F(PreviewPanelTest, AFileWithoutVideoShowsNoVideoStreamsAndNoSubtitles) {
    SelectFile(Sample(TSampleKind::Mp3Audio).Path);
    ASSERT_TRUE(WaitForLog("Play")) << Host.LogText();
    EXPECT_EQ(Controls.cboVideo->Items().Count(), 0);
    EXPECT_EQ(Controls.cboAudio->Items().Count(), 1);
    EXPECT_FALSE(Controls.cboSubtitle->Enabled());
}

TEST_F(PreviewPanelTest, SubtitleListGetsANoneEntryWhenVideoPlays) {
    SelectFile(Sample(TSampleKind::TaggedMatroska).Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Host.LogText();
    ASSERT_TRUE(Controls.cboSubtitle->Enabled());
    ASSERT_EQ(Controls.cboSubtitle->Items().Count(), 2);
    EXPECT_EQ(Controls.cboSubtitle->Items()[0], "Subtitle#-1");
    EXPECT_EQ(Controls.cboSubtitle->Items()[1], "Subtitle#2");
}

TEST_F(PreviewPanelTest, AClickThatLeavesNoRowSelectedClosesTheFile) {
    SelectFile(Sample(TSampleKind::AllIntra).Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Host.LogText();
    ASSERT_TRUE(WaitFor([&] { return ScreenPixel(120, 72) != RGB(16, 16, 16); }));
    Panel->lvFilesClick();  // a row is still selected
    EXPECT_TRUE(Panel->FFPlayer().FileOpened());
    Host.RowSelected = false;
    Panel->lvFilesClick();
    EXPECT_FALSE(Panel->FFPlayer().FileOpened());
    EXPECT_TRUE(WaitForLog("Stop"));
    EXPECT_TRUE(WaitFor([&] { return ScreenPixel(120, 72) == RGB(16, 16, 16); })) << "the screen is empty again";
}

TEST_F(PreviewPanelTest, StayOnTopFollowsThePlayStatesWhenAsked) {
    auto* onTop = new TCheckBox(Panel6->Owner());
    onTop->SetChecked(true);
    Controls.chkStayOnTop = onTop;
    Panel.reset();
    Panel = std::make_unique<TPreviewPanel>(Controls, Host);
    SelectFile(Sample(TSampleKind::AllIntra).Path);
    ASSERT_TRUE(WaitForLog("Pause")) << Host.LogText();
    EXPECT_EQ(Host.StayOnTop, (std::vector<bool>{true, false}));
}
