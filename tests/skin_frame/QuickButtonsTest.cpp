// Quick buttons: small image buttons at the left of a skinned caption, laid
// out, hovered, pressed and clicked by the caption object; the strip they
// take is no caption for dragging.
#include <filesystem>
#include "SkinFrameFixture.h"
#include "platform/ui/controls/ImageList.h"
#include "skin/frame/QuickButtons.h"

namespace {

TRect CaptionRect(TbsFormFrame* f)
{
    for (auto& o : f->ObjectList)
        if (dynamic_cast<TbsSkinCaptionObject*>(o.get()))
            return o->ObjectRect;
    return TRect{0, 0, 0, 0};
}

class TQuickButtonsTest : public TFrameTest {
protected:
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }
    void MakeQuick(TbsSkinData& skin, int w, int h, int imageW, int imageH)
    {
        MakeForm(w, h);
        Frame->OnCaptionPaint = nullptr;
        Images = new TImageList(Form, imageW, imageH);
        for (TColor c : {clRed, clLime, clBlue}) {
            TBitmap b(imageW, imageH);
            b.Canvas()->Brush().SetColor(c);
            b.Canvas()->FillRect(TRect{0, 0, imageW, imageH});
            Images->Add(b);
        }
        Frame->SetQuickImageList(Images);
        for (int i = 0; i < 3; ++i) {
            TbsQuickButtonItem& item = Frame->QuickButtons().Add();
            item.SetImageIndex(i);
            item.Hint = "Quick " + std::to_string(i);
            item.OnClick = [this, i](TObject* sender) {
                Clicks.push_back(i);
                Sender = sender;
            };
        }
        Frame->SetSkinData(&skin);
        SetForegroundWindow(Form->Handle());
        Pump();
    }
    TPoint ScreenOf(TPoint p)
    {
        TRect r;
        GetWindowRect(Form->Handle(), r);
        return TPoint{r.Left + p.X, r.Top + p.Y};
    }
    TPoint Centre(const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }
    void HoverAt(TPoint frame)
    {
        // The hover timer makes the caption the active object; the next
        // move reaches its buttons.
        TPoint p = ScreenOf(frame);
        Backend->MouseMove(p.X - 1, p.Y);
        for (int i = 0; i < 4; ++i)
            Advance(30);
        Backend->MouseMove(p.X, p.Y);
        Pump();
    }

    TImageList* Images = nullptr;
    std::vector<int> Clicks;
    TObject* Sender = nullptr;
    TbsSkinData Small{nullptr};
};

// Images 16 x 24 give item rects 20 x 28, 24 apart from the caption's left,
// vertically centred (less 2); a hidden item takes no room; the strip is
// no caption in the hit test; a visibility change repaints the frame.
TEST_F(TQuickButtonsTest, LayoutHitTestAndRepaint)
{
    TestSkin::Build(Small);
    MakeQuick(Small, 300, 200, 16, 24);
    const TRect cap = CaptionRect(Frame);
    TbsQuickButtonItems& q = Frame->QuickButtons();
    const int y = cap.Height() / 2 + cap.Top - 12 - 2;
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(q.Items(i).ItemRect, (TRect{cap.Left + 24 * i, y, cap.Left + 24 * i + 20, y + 28})) << i;

    const int inStrip = cap.Left + 3 * 24 - 2, pastStrip = cap.Left + 3 * 24 + 2, my = cap.Top + 5;
    EXPECT_EQ(Frame->NCHitTestSkin(TPoint{inStrip, my}), 19);
    EXPECT_EQ(Frame->NCHitTestSkin(TPoint{pastStrip, my}), HTCAPTION);

    int ncPaints = 0;
    auto framed = Form->WindowProc;
    Form->WindowProc = [&](TMessage& m) {
        ncPaints += m.Msg == WM_NCPAINT;
        framed(m);
    };
    q.Items(1).SetVisible(false);
    EXPECT_EQ(ncPaints, 1);
    Form->WindowProc = framed;
    Pump();
    EXPECT_EQ(q.Items(2).ItemRect.Left, cap.Left + 24);
}

// Hovering shows the hint, a press holds the button down, the release
// clicks it with the caption object as the sender.
TEST_F(TQuickButtonsTest, HoverPressAndClick)
{
    TestSkin::Build(Small);
    MakeQuick(Small, 300, 200, 12, 12);
    auto* hint = new TFakeHint(Form, Trace);
    Frame->SetSkinHint(hint);
    Frame->QuickButtonsShowHint = true;
    TbsQuickButtonItems& q = Frame->QuickButtons();
    const TPoint at = Centre(q.Items(1).ItemRect);
    HoverAt(at);
    EXPECT_TRUE(q.Items(1).Active);
    EXPECT_FALSE(q.Items(0).Active);
    ASSERT_FALSE(Trace.empty());
    EXPECT_EQ(Trace.back(), "hint.Show Quick 1");

    const TPoint s = ScreenOf(at);
    Backend->MouseDown(s.X, s.Y);
    Pump();
    EXPECT_TRUE(q.Items(1).Down);
    Backend->MouseUp(s.X, s.Y);
    Pump();
    EXPECT_FALSE(q.Items(1).Down);
    EXPECT_EQ(Clicks, std::vector<int>{1});
    EXPECT_NE(dynamic_cast<TbsSkinCaptionObject*>(Sender), nullptr);
    EXPECT_EQ(Form->BoundsRect().Left, 40);   // a quick button never drags the form

    // A disabled button neither hovers nor clicks.
    q.Items(0).SetEnabled(false);
    HoverAt(Centre(q.Items(0).ItemRect));
    EXPECT_FALSE(q.Items(0).Active);
    const TPoint s0 = ScreenOf(Centre(q.Items(0).ItemRect));
    Backend->MouseDown(s0.X, s0.Y);
    Backend->MouseUp(s0.X, s0.Y);
    Pump();
    EXPECT_EQ(Clicks, std::vector<int>{1});
}

// Rendered on our base skin, the second button hovered: the title is
// centred right of the strip.
TEST_F(TQuickButtonsTest, RenderOnOurBaseSkin)
{
    TLoadedSkin base;
    base.Load(0);
    MakeQuick(base.Data, 500, 160, 16, 16);
    HoverAt(Centre(Frame->QuickButtons().Items(1).ItemRect));
    std::filesystem::create_directories(FRAME_RENDER_DIR);
    Backend->SaveWindowPicture(Form->Handle(), std::string(FRAME_RENDER_DIR) + "/quick_buttons_skin0.png");
    EXPECT_TRUE(Frame->QuickButtons().Items(1).Active);
    delete Form;
    Form = nullptr;
}

}  // namespace
