// The frame drawn from a skin: geometry, caption-button layout, hit testing,
// window region, the caption's mouse commands, moving and sizing through the
// window manager's loops, window states, roll-up, magnetic snapping and a
// skin change under a shown form. Our base skin and a small test skin.
#include <filesystem>
#include "SkinFrameFixture.h"
#include "skin/draw/MonitorRects.h"

namespace {

class TSkinnedFrameTest : public TFrameTest {
protected:
    void TearDown() override
    {
        delete Form;
        Form = nullptr;
        TFrameTest::TearDown();
    }
    // A shown, active form of the outer size with our base skin.
    void MakeBaseSkinned(int w, int h, TBorderStyle bs = bsSizeable)
    {
        Base.Load(0);
        MakeForm(w, h, bs);
        Frame->OnCaptionPaint = nullptr;
        Frame->SetSkinData(&Base.Data);
        Activate();
    }
    // The test skin, built unless a test has built and changed it already.
    void MakeTestSkinned(int w, int h)
    {
        if (Small.Empty)
            TestSkin::Build(Small);
        MakeForm(w, h);
        Frame->OnCaptionPaint = nullptr;
        Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMaximize, TbsBorderIcon::biRollUp});
        Frame->SetSkinData(&Small);
        Activate();
    }
    void Activate()
    {
        SetForegroundWindow(Form->Handle());
        Pump();
    }
    TPoint ScreenOf(int x, int y)
    {
        TRect r;
        GetWindowRect(Form->Handle(), r);
        return TPoint{r.Left + x, r.Top + y};
    }
    // Hovers the centre of a frame object and lets the hover timer and the
    // morph run to the end.
    void Hover(const std::string& id)
    {
        TRect r = RectOf(Frame, id);
        TPoint p = ScreenOf((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
        Backend->MouseMove(p.X, p.Y);
        for (int i = 0; i < 12; ++i)
            Advance(30);
    }
    TColor FramePixel(int x, int y) { return Backend->CaptureWindow(Form->Handle())->GetPixel(x, y); }
    // Presses at a frame point, drags by (dx, dy) in the given steps and releases.
    void Drag(TPoint from, std::initializer_list<TPoint> steps)
    {
        TPoint p = ScreenOf(from.X, from.Y);
        Backend->MouseMove(p.X, p.Y);
        Advance(60);
        Backend->MouseDown(p.X, p.Y);
        TPoint last = p;
        for (TPoint d : steps) {
            last = TPoint{p.X + d.X, p.Y + d.Y};
            Backend->MouseMove(last.X, last.Y);
        }
        Backend->MouseUp(last.X, last.Y);
        Pump();
    }
    TLoadedSkin Base;
    TbsSkinData Small{nullptr};
};

// The skin's geometry at the form's size: client inset by the skin's client
// rect, caption buttons right to left from the caption's right end without
// gaps, the system-menu button at the caption's left, the caption between.
TEST_F(TSkinnedFrameTest, BaseSkinGeometryAndButtonRow)
{
    MakeBaseSkinned(400, 300);
    // Base skin: picture 200 x 150, client (1, 33, 199, 149), buttons 44 x 32, menu button 34.
    EXPECT_EQ(Frame->NewClRect, (TRect{1, 33, 399, 299}));
    EXPECT_EQ(Form->ClientWidth(), 398);
    EXPECT_EQ(Form->ClientHeight(), 266);
    EXPECT_EQ(RectOf(Frame, "closebutton"), (TRect{355, 1, 399, 33}));
    EXPECT_EQ(RectOf(Frame, "maxbutton"), (TRect{311, 1, 355, 33}));
    EXPECT_EQ(RectOf(Frame, "minbutton"), (TRect{267, 1, 311, 33}));
    EXPECT_EQ(RectOf(Frame, "rollupbutton"), (TRect{223, 1, 267, 33}));
    EXPECT_FALSE(Frame->ObjectList[size_t(Frame->GetIndex("traybutton"))]->Visible);
    EXPECT_EQ(RectOf(Frame, "sysmenubutton"), (TRect{1, 1, 35, 33}));
    EXPECT_EQ(RectOf(Frame, "caption"), (TRect{35, 1, 223, 33}));

    // A hidden button leaves no gap; the caption takes the room.
    Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu, TbsBorderIcon::biMinimize});
    Send(WM_NCPAINT);
    EXPECT_EQ(RectOf(Frame, "minbutton"), (TRect{311, 1, 355, 33}));
    EXPECT_EQ(RectOf(Frame, "caption"), (TRect{35, 1, 311, 33}));

    // The frame is painted from the skin: caption bar, border and the client left alone.
    Send(WM_NCPAINT);
    auto shot = Backend->CaptureWindow(Form->Handle());
    TColor border = shot->GetPixel(0, 150);
    EXPECT_EQ(border, shot->GetPixel(399, 150));
    EXPECT_NE(shot->GetPixel(150, 16), border);
    EXPECT_EQ(shot->GetPixel(200, 299), border);
}

// The ten ways a rectangle of the skin picture follows the frame's size.
TEST_F(TSkinnedFrameTest, ObjectRectsFollowTheCornerAreas)
{
    MakeTestSkinned(300, 160);   // dW = 200, dH = 100
    struct Case {
        TRect R, Expected;
    } cases[] = {
        {{1, 1, 5, 5}, {1, 1, 5, 5}},             // both in LT
        {{91, 1, 95, 5}, {291, 1, 295, 5}},       // both in RT
        {{1, 57, 5, 59}, {1, 157, 5, 159}},       // both in LB
        {{91, 57, 95, 59}, {291, 157, 295, 159}}, // both in RB
        {{1, 1, 95, 59}, {1, 1, 295, 159}},       // LT to RB
        {{1, 1, 95, 20}, {1, 1, 295, 20}},        // LT to RT
        {{1, 57, 95, 59}, {1, 157, 295, 159}},    // LB to RB
        {{1, 1, 5, 59}, {1, 1, 5, 159}},          // LT to LB
        {{91, 1, 95, 59}, {291, 1, 295, 159}},    // RT to RB
        {{20, 30, 40, 40}, {20, 30, 40, 40}},     // elsewhere
    };
    for (const Case& c : cases) {
        TRect r;
        Frame->CalcObjectRect(c.R, r);
        EXPECT_EQ(r, c.Expected) << c.R.Left << "," << c.R.Top << "," << c.R.Right << "," << c.R.Bottom;
    }
    // The buttons run right to left in the caption rect, parted by the skin's offset.
    EXPECT_EQ(RectOf(Frame, "closebutton"), (TRect{282, 4, 296, 18}));
    EXPECT_EQ(RectOf(Frame, "maxbutton"), (TRect{266, 4, 280, 18}));
    EXPECT_EQ(RectOf(Frame, "rollupbutton"), (TRect{250, 4, 264, 18}));
    EXPECT_EQ(RectOf(Frame, "caption"), (TRect{4, 4, 250, 22}));
}

// Where the mouse is: borders by the skin's border width and hit-test points,
// caption, objects, client; no resizing while maximized or rolled up.
TEST_F(TSkinnedFrameTest, HitTestTable)
{
    MakeBaseSkinned(400, 300);
    struct Case {
        TPoint P;
        int Code;
    } normal[] = {
        {{0, 0}, HTTOPLEFT},      {{399, 0}, HTTOPRIGHT},  {{0, 299}, HTBOTTOMLEFT}, {{399, 299}, HTBOTTOMRIGHT},
        {{200, 1}, HTTOP},        {{200, 299}, HTBOTTOM},  {{0, 150}, HTLEFT},       {{399, 150}, HTRIGHT},
        {{6, 6}, HTOBJECT},       {{200, 16}, HTCAPTION},  {{377, 16}, HTOBJECT},    {{200, 150}, HTCLIENT},
        {{10, 16}, HTOBJECT},     {{2, 150}, HTCLIENT},
    };
    for (const Case& c : normal)
        EXPECT_EQ(Frame->NCHitTestSkin(c.P), c.Code) << c.P.X << "," << c.P.Y;
    // Through the window message, with a screen point.
    EXPECT_EQ(Send(WM_NCHITTEST, 0, FramePoint(200, 16)), HTCAPTION);

    Frame->SetWindowState(wsMaximized);
    Pump();
    for (TPoint p : {TPoint{0, 0}, TPoint{0, 150}, TPoint{Form->Width() - 1, Form->Height() - 1}}) {
        int code = Frame->NCHitTestSkin(p);
        EXPECT_FALSE(code >= HTLEFT && code <= HTBOTTOMRIGHT) << p.X << "," << p.Y;
    }
    Frame->SetWindowState(wsNormal);
    Pump();
    Frame->SetRollUpState(true);
    Pump();
    EXPECT_EQ(Frame->NCHitTestSkin({200, 16}), HTCAPTION);
    EXPECT_EQ(Frame->NCHitTestSkin({0, 0}), HTOBJECT);
    EXPECT_EQ(Frame->NCHitTestSkin({399, 33}), HTOBJECT);
}

// A skin with a mask: the region is the mask's black pixels at the form's
// size, the border is found on the mask, and a skin without one gives a
// rectangle.
TEST_F(TSkinnedFrameTest, RegionAndBorderFromTheMask)
{
    MakeTestSkinned(300, 160);
    TRegion rgn;
    ASSERT_NE(GetWindowRgn(Form->Handle(), rgn), 0);
    EXPECT_FALSE(rgn.Contains(0, 0));
    EXPECT_FALSE(rgn.Contains(299, 159));
    EXPECT_FALSE(rgn.Contains(298, 1));
    EXPECT_TRUE(rgn.Contains(3, 0));
    EXPECT_TRUE(rgn.Contains(150, 80));
    EXPECT_TRUE(rgn.Contains(150, 159));
    EXPECT_FALSE(Frame->PointInMask({1, 1}));
    EXPECT_TRUE(Frame->PointInMask({5, 1}));
    // Probes past the cut corner find the border; the corner code comes from the hit-test points.
    EXPECT_EQ(Frame->NCHitTestSkin({4, 1}), HTTOPLEFT);
    EXPECT_EQ(Frame->NCHitTestSkin({5, 5}), HTCAPTION);   // every probe is on the mask
    EXPECT_EQ(Frame->NCHitTestSkin({150, 1}), HTTOP);
    EXPECT_EQ(Frame->NCHitTestSkin({1, 80}), HTLEFT);
    EXPECT_EQ(Frame->NCHitTestSkin({150, 80}), HTCLIENT);

    // The base skin has no mask: a rectangle of the frame's size.
    Base.Load(0);
    Frame->SetSkinData(&Base.Data);
    Pump();
    ASSERT_NE(GetWindowRgn(Form->Handle(), rgn), 0);
    EXPECT_EQ(rgn, TRegion(TRect{0, 0, Form->Width(), Form->Height()}));
}

// Caption buttons: hover morphs to the hover image, a press shows the down
// image, hints follow the state the button toggles, and the release runs the
// command; an inactive form shows the inactive images.
TEST_F(TSkinnedFrameTest, CaptionButtonStatesHintsAndCommands)
{
    MakeTestSkinned(300, 160);
    // The skin's own hints, not the default texts.
    Frame->UseDefaultObjectHint = false;
    Frame->ApplySkinData();
    Frame->ShowObjectHint = true;
    auto* hint = new TFakeHint(Form, Trace);
    Frame->SetSkinHint(hint);
    Send(WM_NCPAINT);
    TRect max = RectOf(Frame, "maxbutton");
    EXPECT_EQ(FramePixel(max.Left + 3, max.Top + 3), TestSkin::Normal);

    Hover("maxbutton");
    auto* button = static_cast<TbsSkinStdButtonObject*>(Frame->ObjectList[size_t(Frame->GetIndex("maxbutton"))].get());
    EXPECT_TRUE(button->Active);
    EXPECT_DOUBLE_EQ(button->MorphKf(), 1.0);
    EXPECT_EQ(FramePixel(max.Left + 3, max.Top + 3), TestSkin::Hover);
    EXPECT_EQ(Trace.back(), "hint.Show Grow");

    TPoint p = ScreenOf(max.Left + 3, max.Top + 3);
    Backend->MouseDown(p.X, p.Y);
    Pump();
    EXPECT_TRUE(button->Down());
    EXPECT_EQ(FramePixel(max.Left + 3, max.Top + 3), TestSkin::Down);
    Backend->MouseUp(p.X, p.Y);
    Pump();
    EXPECT_EQ(Frame->WindowState(), wsMaximized);
    EXPECT_FALSE(button->Down());

    // Maximized: the restore image and the restore hint.
    Hover("caption");
    Hover("maxbutton");
    EXPECT_EQ(Trace.back(), "hint.Show Back");
    Hover("caption");
    Send(WM_NCPAINT);
    max = RectOf(Frame, "maxbutton");
    EXPECT_EQ(FramePixel(max.Left + 3, max.Top + 3), TestSkin::Restore);
    p = ScreenOf(max.Left + 3, max.Top + 3);
    Hover("maxbutton");
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(Frame->WindowState(), wsNormal);
    EXPECT_EQ(Form->BoundsRect(), (TRect{40, 30, 340, 190}));

    // Another form takes the activation: inactive images.
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    other->SetBounds(700, 600, 100, 60);
    other->Show();
    SetForegroundWindow(other->Handle());
    Pump();
    max = RectOf(Frame, "maxbutton");
    EXPECT_EQ(FramePixel(max.Left + 3, max.Top + 3), TestSkin::Inactive);
    // The caption follows the activation (it shows the inactive text colour).
    auto* caption = Frame->ObjectList[size_t(Frame->GetIndex("caption"))].get();
    EXPECT_FALSE(caption->Active);
    delete other;
    Activate();
    EXPECT_TRUE(caption->Active);

    // The close button closes the form.
    Activate();
    int closes = 0;
    Form->OnClose = [&](TObject*, TCloseAction& a) { ++closes; a = caNone; };
    TRect close = RectOf(Frame, "closebutton");
    Hover("closebutton");
    p = ScreenOf(close.Left + 3, close.Top + 3);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(closes, 1);
}

// A double click on the caption: maximize and restore on a sizeable form,
// roll-up on one that cannot be sized.
TEST_F(TSkinnedFrameTest, CaptionDoubleClick)
{
    MakeBaseSkinned(400, 300);
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, FramePoint(200, 16));
    EXPECT_EQ(Frame->WindowState(), wsMaximized);
    TRect wa;
    GetWindowMonitorRect(Form->Handle(), true, wa);
    EXPECT_EQ(Form->BoundsRect(), wa);
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, FramePoint(200, 16));
    EXPECT_EQ(Frame->WindowState(), wsNormal);
    EXPECT_EQ(Form->BoundsRect(), (TRect{40, 30, 440, 330}));

    Form->SetBorderStyle(bsSingle);
    Pump();
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, FramePoint(200, 16));
    EXPECT_TRUE(Frame->RollUpState());
    EXPECT_EQ(Form->Height(), 34);   // caption and borders: the picture less its client
    Send(WM_NCLBUTTONDBLCLK, HTCAPTION, FramePoint(200, 16));
    EXPECT_FALSE(Frame->RollUpState());
    EXPECT_EQ(Form->Height(), 300);
}

// Moving by the caption and sizing by the skinned borders run the window
// manager's loops; the skin's minimum size holds.
TEST_F(TSkinnedFrameTest, MoveAndSizeThroughTheLoops)
{
    MakeBaseSkinned(400, 300);
    Drag({200, 16}, {{10, 5}, {30, 20}});
    EXPECT_EQ(Form->BoundsRect(), (TRect{70, 50, 470, 350}));
    Drag({399, 150}, {{20, 0}, {50, 0}});
    EXPECT_EQ(Form->Width(), 450);
    EXPECT_EQ(Frame->NewClRect.Right, 449);
    EXPECT_EQ(RectOf(Frame, "closebutton").Right, 449);
    Drag({449, 299}, {{-400, -400}});
    EXPECT_EQ(Form->Width(), 160);    // the skin's least width
    EXPECT_EQ(Form->Height(), 34);    // its frame height
    EXPECT_EQ(Form->Left(), 70);
    EXPECT_EQ(Form->ClientHeight(), 0);
}

// Roll-up keeps the caption only; unrolling gives back the height, or the
// client height asked for.
TEST_F(TSkinnedFrameTest, RollUpAndRestore)
{
    MakeBaseSkinned(400, 300);
    Frame->SetRollUpState(true);
    EXPECT_EQ(Form->Height(), 34);
    EXPECT_EQ(Frame->RealHeight(), 300);
    Frame->SetRollUpState(false);
    EXPECT_EQ(Form->Height(), 300);
    Frame->ClientHeight = 200;
    Frame->SetRollUpState(true);
    Frame->SetRollUpState(false);
    EXPECT_EQ(Form->ClientHeight(), 200);
    // Without the roll-up command nothing happens.
    Frame->SetBorderIcons({TbsBorderIcon::biSystemMenu});
    Frame->SetRollUpState(true);
    EXPECT_FALSE(Frame->RollUpState());
    // Maximized and rolled up: restoring unrolls.
    Frame->SetBorderIcons({TbsBorderIcon::biRollUp, TbsBorderIcon::biMaximize});
    Frame->SetWindowState(wsMaximized);
    Frame->SetRollUpState(true);
    EXPECT_EQ(Form->Height(), 34);
    Frame->SetWindowState(wsNormal);
    EXPECT_FALSE(Frame->RollUpState());
    EXPECT_EQ(Form->ClientHeight(), 200);
}

// Minimized forms shrink to the caption and stack along the bottom of the
// work area; restoring puts each back.
TEST_F(TSkinnedFrameTest, MinimizedFormsStack)
{
    Base.Load(0);
    TRect wa;
    GetPrimaryScreenRect(true, wa);
    std::vector<TForm*> forms;
    for (int i = 0; i < 3; ++i) {
        auto* f = NewForm<TForm>(nullptr, TFormCreation::New);
        f->SetBounds(50 + 20 * i, 50, 300, 200);
        auto* frame = new TbsFormFrame(f);
        frame->SetSkinData(&Base.Data);
        f->Show();
        Pump();
        frame->SetWindowState(wsMinimized);
        Pump();
        EXPECT_EQ(f->BoundsRect(), (TRect{wa.Left + 160 * i, wa.Bottom - 34, wa.Left + 160 * (i + 1), wa.Bottom}));
        forms.push_back(f);
    }
    GetFormFrame(forms[1])->SetWindowState(wsNormal);
    EXPECT_EQ(forms[1]->BoundsRect(), (TRect{70, 50, 370, 250}));
    for (TForm* f : forms)
        delete f;

    // The main form is minimized through the application and keeps its state.
    MakeBaseSkinned(400, 300);
    Application->SetMainForm(Form);
    int minimized = 0;
    Frame->OnMinimize = [&](TObject*) { ++minimized; };
    Frame->SetWindowState(wsMinimized);
    Pump();
    EXPECT_TRUE(Application->Minimized());
    EXPECT_EQ(Frame->WindowState(), wsNormal);
    EXPECT_EQ(Form->BoundsRect(), (TRect{40, 30, 440, 330}));
    EXPECT_EQ(minimized, 1);
    Application->Restore();
    Pump();
}

// At its first show a form is centred on its monitor's work area or whole
// screen, as asked; the default keeps its place.
TEST_F(TSkinnedFrameTest, PositionInMonitorAtFirstShow)
{
    Base.Load(0);
    struct Case {
        TbsPositionInMonitor Position;
        TPoint Expected;
    } cases[] = {{bspDefault, {40, 30}}, {bspDesktopCenter, {312, 219}}, {bspScreenCenter, {312, 234}}};
    for (const Case& c : cases) {
        MakeForm(400, 300, bsSizeable, false);
        Frame->PositionInMonitor = c.Position;
        Frame->SetSkinData(&Base.Data);
        Form->Show();
        Pump();
        EXPECT_EQ(Form->Left(), c.Expected.X) << int(c.Position);
        EXPECT_EQ(Form->Top(), c.Expected.Y) << int(c.Position);
        delete Form;
        Form = nullptr;
    }
}

// Magnetic: a dragged form snaps to a work-area edge within the magnetic
// size, stays while the cursor keeps near, then follows it; it also snaps to
// another form's facing edge.
TEST_F(TSkinnedFrameTest, MagneticSnapping)
{
    MakeBaseSkinned(300, 200);
    Frame->Magnetic = true;
    // The form is at left 40: the caption dragged 37 to the left proposes left 3.
    Drag({100, 16}, {{-37, 0}});
    EXPECT_EQ(Form->Left(), 0);
    EXPECT_EQ(Form->Top(), 30);
    // Starting at 0: the same 2 px left and 2 px right keep it; 10 px lets it go.
    Drag({100, 16}, {{2, 0}, {4, 0}});
    EXPECT_EQ(Form->Left(), 0);
    Drag({100, 16}, {{12, 0}});
    EXPECT_EQ(Form->Left(), 12);

    // Another form at 500: this form's right edge (left + 300) snaps to it.
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    other->SetBounds(500, 30, 200, 200);
    other->Show();
    Activate();
    int dx = 500 - 3 - 300 - Form->Left();   // proposed right edge 497
    Drag({100, 16}, {{dx, 0}});
    EXPECT_EQ(Form->Left(), 200);
    delete other;
}

// The skin changes under a shown form: the frame takes the new look, sizes
// and client at once.
TEST_F(TSkinnedFrameTest, SkinChangeUnderAShownForm)
{
    MakeBaseSkinned(400, 300);
    Send(WM_NCPAINT);
    TColor before = FramePixel(150, 16);
    TLoadedSkin second;
    second.Load(1);
    Frame->SetSkinData(&second.Data);
    Pump();
    Send(WM_NCPAINT);
    EXPECT_NE(FramePixel(150, 16), before);
    EXPECT_EQ(Form->ClientWidth(), Form->Width() - second.Data.FPicture->Width() + second.Data.ClRect.Width());

    // The same container reloaded: the objects are made anew from the new skin.
    TestSkin::Build(Small);
    Frame->SetSkinData(&Small);
    Pump();
    EXPECT_EQ(Frame->NewClRect, (TRect{4, 24, Form->Width() - 4, Form->Height() - 4}));
    Base.Load(2);
    Frame->SetSkinData(&Base.Data);
    Pump();
    Base.Load(3);
    Pump();
    Send(WM_NCPAINT);
    EXPECT_EQ(Frame->GetIndex("sysmenubutton") >= 0, true);
    EXPECT_EQ(RectOf(Frame, "closebutton").Right, Form->Width() - 1);
    // Back to no skin: the plain frame.
    Frame->SetSkinData(nullptr);
    Pump();
    EXPECT_FALSE(Frame->SkinSupport());
    EXPECT_EQ(Form->ClientWidth(), Form->Width() - 6);
}

}  // namespace

namespace {

// Strip animations count their time in 25 ms ticks; a hover transition moves
// in fifths and never leaves 0..1; an area the application paints follows
// its corner of the frame.
TEST_F(TSkinnedFrameTest, AnimationMorphAndUserObjects)
{
    auto logo = std::make_unique<TbsDataUserObject>("logo");
    logo->SkinRect = TRect{91, 57, 95, 59};   // in the bottom-right corner area
    Small.ObjectList.push_back(std::move(logo));
    MakeTestSkinned(300, 160);
    std::vector<TRect> painted;
    Frame->OnPaintEvent = [&](const std::string& id, TCanvas&, const TRect& r) {
        if (id == "logo")
            painted.push_back(r);
    };
    Send(WM_NCPAINT);
    ASSERT_FALSE(painted.empty());
    EXPECT_EQ(RectOf(Frame, "logo"), (TRect{291, 157, 295, 159}));
    // Painted into the bottom strip, which starts at the client's bottom (156).
    EXPECT_EQ(painted.back(), (TRect{291, 1, 295, 3}));

    TbsDataSkinAnimate d("spinner");
    d.ActivePictureIndex = 0;
    d.SkinRect = TRect{0, 0, TestSkin::Cell, TestSkin::Cell};
    d.ActiveSkinRect = d.SkinRect;
    d.CountFrames = 5;
    d.TimerInterval = 60;
    TbsSkinAnimateObject a(Frame, &d);
    a.Start();
    std::vector<int> frames;
    for (int tick = 0; tick < 15 && a.Active; ++tick) {
        a.ChangeFrame();
        frames.push_back(a.Frame());
    }
    // A frame every third tick (75 ms), stopping at the last without Cycle.
    EXPECT_EQ(frames, (std::vector<int>{1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5}));
    EXPECT_FALSE(a.Active);
    a.Increment = true;
    a.SetFrame(6);
    EXPECT_EQ(a.Frame(), 1);
    d.TimerInterval = 10;
    EXPECT_EQ(TbsSkinAnimateObject(Frame, &d).TimerInterval, 25);

    auto* max = Frame->ObjectList[size_t(Frame->GetIndex("maxbutton"))].get();
    max->SetMorphKf(1.4);
    EXPECT_EQ(max->MorphKf(), 1.0);
    max->SetMorphKf(-0.2);
    EXPECT_EQ(max->MorphKf(), 0.0);
    max->Active = true;
    int steps = 0;
    while (max->CanMorphing() && steps < 10) {
        max->DoMorphing();
        ++steps;
    }
    EXPECT_EQ(steps, 5);
}

}  // namespace

namespace {

// A skin that renders its inactive look itself: the strips of an inactive
// form get the skin's effect; the active form shows the picture as it is.
TEST_F(TSkinnedFrameTest, InactiveEffectOnTheStrips)
{
    TestSkin::Build(Small);
    Small.AutoRenderingInActiveImage = true;
    Small.InActiveEffect = ieInvert;
    MakeTestSkinned(300, 160);
    Send(WM_NCPAINT);
    EXPECT_EQ(FramePixel(150, 158), TestSkin::Frame);
    auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
    other->SetBounds(700, 600, 100, 60);
    other->Show();
    SetForegroundWindow(other->Handle());
    Pump();
    EXPECT_EQ(FramePixel(150, 158), TColor(0xFFFFFF - 0x996633));
    EXPECT_EQ(FramePixel(150, 80), TestSkin::Client);   // the client is not the frame's
    delete other;
}

}  // namespace
