#include <filesystem>
#include <memory>

#include "FrameFixture.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Color.h"
#include "platform/gfx/Icon.h"

namespace {

// A form of 400 x 300: caption band, buttons right to left without gaps from
// W - 3, the system-menu button at the left, client inset by 3/caption+3/3/3.
TEST_F(TFrameTest, PlainGeometryOfNormalAndToolWindows)
{
    struct Case {
        TBorderStyle Style;
        int Caption, Button, MinHeight;
    } cases[] = {{bsSizeable, 19, 17, 25}, {bsSingle, 19, 17, 25}, {bsToolWindow, 15, 13, 21}, {bsSizeToolWin, 15, 13, 21}};
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.Style));
        MakeForm(400, 300, c.Style);
        const int s = c.Button;
        EXPECT_EQ(Frame->ObjectList.size(), 6u);
        EXPECT_EQ(RectOf(Frame, "closebutton"), (TRect{397 - s, 4, 397, 4 + s}));
        EXPECT_EQ(RectOf(Frame, "maxbutton"), (TRect{397 - 2 * s, 4, 397 - s, 4 + s}));
        EXPECT_EQ(RectOf(Frame, "minbutton"), (TRect{397 - 3 * s, 4, 397 - 2 * s, 4 + s}));
        EXPECT_EQ(RectOf(Frame, "rollupbutton"), (TRect{397 - 4 * s, 4, 397 - 3 * s, 4 + s}));
        EXPECT_EQ(RectOf(Frame, "sysmenubutton"), (TRect{3, 4, 3 + s, 4 + s}));
        EXPECT_FALSE(Frame->ObjectList[size_t(Frame->GetIndex("traybutton"))]->Visible);
        TRect caption;
        Frame->GetDefCaptionRect(caption);
        EXPECT_EQ(caption, (TRect{3 + s, 3, 397 - 4 * s, c.Caption}));
        EXPECT_EQ(Form->ClientWidth(), 394);
        EXPECT_EQ(Form->ClientHeight(), 300 - c.Caption - 6);
        EXPECT_EQ(Frame->GetMinHeight(), c.MinHeight);
        EXPECT_TRUE(Form->BorderIcons().Empty());
        delete Form;
        Form = nullptr;
    }
}

TEST_F(TFrameTest, PlainHitTestTable)
{
    MakeForm(400, 300, bsSizeable);
    struct Case {
        int X, Y, Code;
    } cases[] = {
        {0, 0, HTTOPLEFT},     {2, 2, HTTOPLEFT},      {399, 0, HTTOPRIGHT},  {398, 2, HTTOPRIGHT},
        {0, 299, HTBOTTOMLEFT}, {399, 299, HTBOTTOMRIGHT}, {1, 150, HTLEFT},   {200, 1, HTTOP},
        {398, 150, HTRIGHT},   {200, 298, HTBOTTOM},   {100, 10, HTCAPTION},  {200, 3, HTCAPTION},
        {200, 150, HTCLIENT},  {3, 22, HTCLIENT},      {385, 10, HTOBJECT},   {10, 10, HTOBJECT},
        {200, 20, HTOBJECT},   // under the caption rect, above the client: the frame's own
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.X) + "," + std::to_string(c.Y));
        Frame->ActiveObject = -1;
        EXPECT_EQ(Send(WM_NCHITTEST, 0, FramePoint(c.X, c.Y)), c.Code);
    }
    // A fixed border has no resize zones; while an object is hovered the
    // whole frame of a resizable form belongs to the objects.
    Frame->ActiveObject = 0;
    EXPECT_EQ(Frame->NCHitTestDefault(TPoint{200, 1}), HTOBJECT);
    Frame->ActiveObject = -1;
    Form->SetBorderStyle(bsSingle);
    EXPECT_EQ(Frame->NCHitTestDefault(TPoint{200, 1}), HTOBJECT);
    EXPECT_EQ(Frame->NCHitTestDefault(TPoint{1, 150}), HTOBJECT);
}

// The caption band holds 14 lines (band rows 2..15), light first, in a
// normal window; the three rings run cl3DLight, clBtnHighlight, clBtnFace.
TEST_F(TFrameTest, PlainCaptionLinesAndBorderRings)
{
    MakeForm(400, 300, bsSizeable);
    Frame->OnCaptionPaint = nullptr;
    TBitmap shot(400, 300);
    shot.Fill(clBlack);
    ASSERT_EQ(Send(WM_PRINTSKINFRAME, WPARAM(shot.Canvas()->Handle()), 0), PRINTSKINFRAME_DONE);
    const int x = 40;   // right of the system-menu button, left of the text
    int lines = 0;
    for (int y = 3; y < 3 + 19; ++y) {
        TColor p = shot.GetPixel(x, y);
        if (p == ColorToRGB(clBtnFace))
            continue;
        EXPECT_EQ(p, ColorToRGB((y - 3) % 2 == 0 ? clBtnHighlight : clBtnShadow)) << y;
        ++lines;
    }
    EXPECT_EQ(lines, 14);
    EXPECT_EQ(shot.GetPixel(x, 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(shot.GetPixel(200, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(shot.GetPixel(200, 1), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(shot.GetPixel(200, 2), ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.GetPixel(200, 299), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(shot.GetPixel(200, 298), ColorToRGB(clBtnShadow));
    EXPECT_EQ(shot.GetPixel(200, 150), ColorToRGB(clBlack));   // the client is left alone
}

// A plain caption button: face colour at rest, a dark-blue frame on the hot
// fill under the mouse, the pressed fill and a glyph one pixel further while down.
TEST_F(TFrameTest, PlainButtonHoveredAndPressed)
{
    MakeForm(400, 300);
    Frame->OnCaptionPaint = nullptr;
    auto* close = dynamic_cast<TbsSkinStdButtonObject*>(Frame->ObjectList[size_t(Frame->GetIndex("closebutton"))].get());
    ASSERT_NE(close, nullptr);
    const TRect r = close->ObjectRect;
    auto shoot = [&] {
        auto b = std::make_unique<TBitmap>(400, 300);
        Send(WM_PRINTSKINFRAME, WPARAM(b->Canvas()->Handle()), 0);
        return b;
    };
    // The glyph's box: the pixels of the text colour inside the button.
    auto glyphBox = [&](const TBitmap& b) {
        TRect box{1000, 1000, -1, -1};
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (b.GetPixel(x, y) == ColorToRGB(clBtnText))
                    box = TRect{std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y)};
        return box;
    };
    auto rest = shoot();
    EXPECT_EQ(rest->GetPixel(r.Left, r.Top), ColorToRGB(clBtnFace));
    close->FMouseIn = true;
    auto hot = shoot();
    EXPECT_EQ(hot->GetPixel(r.Left, r.Top), TColor(0x800000));
    EXPECT_EQ(hot->GetPixel(r.Right - 1, r.Bottom - 1), TColor(0x800000));
    EXPECT_EQ(hot->GetPixel(r.Left + 1, r.Top + 1), TColor(0xD2BDB6));
    close->FDown = true;
    auto down = shoot();
    EXPECT_EQ(down->GetPixel(r.Left, r.Top), TColor(0x800000));
    EXPECT_EQ(down->GetPixel(r.Left + 1, r.Top + 1), TColor(0xB59385));
    TRect a = glyphBox(*hot), b = glyphBox(*down);
    ASSERT_LT(a.Left, a.Right);
    EXPECT_EQ(b, a.Offsetted(1, 1));
    EXPECT_EQ(glyphBox(*rest), a);
}

// The mouse through the window layer: hovering a caption button lights it,
// a click on it runs its command.
TEST_F(TFrameTest, CaptionButtonsByMouse)
{
    MakeForm(400, 300);
    SetForegroundWindow(Form->Handle());
    Pump();
    int closes = 0;
    Form->OnClose = [&](TObject*, TCloseAction& a) { ++closes; a = caNone; };
    TRect wr;
    GetWindowRect(Form->Handle(), wr);
    auto at = [&](const char* id) {
        TRect r = RectOf(Frame, id);
        return TPoint{wr.Left + r.Left + 8, wr.Top + r.Top + 8};
    };
    TPoint p = at("closebutton");
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    EXPECT_EQ(Frame->ActiveObject, Frame->GetIndex("closebutton"));
    EXPECT_TRUE(Frame->ObjectList[size_t(Frame->ActiveObject)]->FMouseIn);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(Frame->MouseCaptureObject, -1);

    // Pressed on a button and released away from it: nothing runs.
    p = at("maxbutton");
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    EXPECT_EQ(Frame->ActiveObject, Frame->GetIndex("maxbutton"));
    Backend->MouseDown(p.X, p.Y);
    Pump();
    Backend->MouseMove(wr.Left + 200, wr.Top + 150);
    Advance(60);
    Backend->MouseUp(wr.Left + 200, wr.Top + 150);
    Pump();
    EXPECT_EQ(Frame->WindowState(), wsNormal);

    p = at("maxbutton");
    Backend->MouseMove(p.X, p.Y);
    Advance(60);
    Backend->Click(p.X, p.Y);
    Pump();
    EXPECT_EQ(Frame->WindowState(), wsMaximized);
}

// With ShowIcon the system-menu button is the small icon: the form's picture
// scaled to 16 x 16 and blended; with no icon at all nothing is drawn there.
TEST_F(TFrameTest, FormIconOnTheSystemMenuButton)
{
    MakeForm(400, 300);
    Frame->OnCaptionPaint = nullptr;
    Frame->SetShowIcon(true);
    ASSERT_TRUE(Application->Icon().Empty());
    TBitmap shot(400, 300);
    Send(WM_PRINTSKINFRAME, WPARAM(shot.Canvas()->Handle()), 0);
    EXPECT_EQ(RectOf(Frame, "sysmenubutton"), (TRect{3, 4, 19, 20}));
    TRect caption;
    Frame->GetDefCaptionRect(caption);
    EXPECT_EQ(caption.Left, 19);
    EXPECT_EQ(shot.GetPixel(11, 12), ColorToRGB(clBtnFace));

    TBitmap picture(32, 32, pf32bit);
    picture.Fill(clRed, 255);
    for (int x = 0; x < 32; ++x)   // a transparent left half
        for (int y = 0; y < 32; ++y)
            if (x < 16)
                picture.ScanLine(y)[x * 4 + 3] = 0;
    picture.SetAlphaFormat(afDefined);
    Form->Icon().Assign(picture);
    Send(WM_PRINTSKINFRAME, WPARAM(shot.Canvas()->Handle()), 0);
    EXPECT_EQ(shot.GetPixel(15, 12), clRed);
    EXPECT_EQ(shot.GetPixel(5, 12), ColorToRGB(clBtnFace));
    EXPECT_EQ(shot.GetPixel(20, 12), ColorToRGB(clBtnFace));
}

TEST_F(TFrameTest, SizeLimitsWithoutAndWithASkin)
{
    MakeForm(400, 300);
    for (int minWidth : {0, -5}) {
        Frame->MinWidth = minWidth;
        EXPECT_EQ(Frame->GetMinWidth(), 120);
    }
    Frame->MinWidth = 150;
    EXPECT_EQ(Frame->GetMinWidth(), 150);
    Frame->MinWidth = 0;
    EXPECT_GT(Frame->GetMaxWidth(), 0);
    Frame->MaxWidth = -1;   // not a negative tracking size: the monitor's
    EXPECT_GT(Frame->GetMaxWidth(), 0);
    Frame->MaxWidth = 0;

    TbsSkinData skin(nullptr);
    skin.FPicture = std::make_unique<TBitmap>(300, 100);
    skin.ClRect = TRect{5, 30, 295, 95};
    skin.Empty = false;
    Frame->MinWidth = 400;
    Frame->SetSkinData(&skin);
    EXPECT_TRUE(Frame->SkinSupport());
    EXPECT_EQ(Frame->GetMinWidth(), 400);
    EXPECT_EQ(Frame->GetMinHeight(), 35);
    MINMAXINFO mmi;
    Send(WM_GETMINMAXINFO, 0, LPARAM(&mmi));
    EXPECT_EQ(mmi.ptMinTrackSize, (TPoint{400, 35}));
    Frame->SetWindowState(wsMinimized);
    EXPECT_EQ(Frame->GetMinWidth(), 300);
    Frame->SetWindowState(wsNormal);
    Frame->SetSkinData(nullptr);
}

// Applying a skin to a form smaller than both minima resizes it once, to both.
TEST_F(TFrameTest, ApplyingASkinGrowsASmallFormInOneStep)
{
    MakeForm(130, 40);
    TbsSkinData skin(nullptr);
    skin.FPicture = std::make_unique<TBitmap>(300, 100);
    skin.ClRect = TRect{5, 30, 295, 40};   // a frame 90 high
    skin.Empty = false;
    Watched = WM_WINDOWPOSCHANGED;
    Frame->SetSkinData(&skin);
    Watched = 0;
    EXPECT_EQ(Form->Width(), 300);
    EXPECT_EQ(Form->Height(), 90);
    EXPECT_EQ(Trace, TTrace{"saved"});
    Frame->SetSkinData(nullptr);
}

TEST_F(TFrameTest, OwnerMustBeAForm)
{
    TComponent owner(nullptr);
    EXPECT_THROW(TbsFormFrame frame(&owner), Exception);
}

// A container used as both skins goes: both references are cleared.
TEST_F(TFrameTest, RemovalClearsEveryReference)
{
    MakeForm(400, 300);
    auto* skin = new TbsSkinData(nullptr);
    Frame->SetSkinData(skin);
    Frame->SetMenusSkinData(skin);
    auto* hint = new TFakeHint(nullptr, Trace);
    Frame->SetSkinHint(hint);
    delete skin;
    delete hint;
    EXPECT_EQ(Frame->SkinData(), nullptr);
    EXPECT_EQ(Frame->MenusSkinData(), nullptr);
    EXPECT_EQ(Frame->SkinHint(), nullptr);
}

// The form's shortcut handler passes the frame first and gets its own
// handler back when the frame goes; so does its window procedure.
TEST_F(TFrameTest, DestroyRestoresShortCutAndWindowProc)
{
    Form = NewForm<TForm>(nullptr, TFormCreation::New);
    int own = 0, frames = 0;
    Form->OnShortCut = [&](TMessage&, bool&) { ++own; };
    Frame = new TbsFormFrame(Form);
    Frame->OnShortCut = [&](TMessage&, bool& handled) { ++frames; handled = true; };
    TMessage key{WM_KEYDOWN, 'A', 0, 0};
    bool handled = false;
    Form->OnShortCut(key, handled);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(own, 0);
    Form->Show();
    Pump();
    EXPECT_EQ(SendMessage(Form->Handle(), WM_QUERYSKINFRAME, 0, 0), QUERYSKINFRAME_SKINNABLE);
    delete Frame;
    Frame = nullptr;
    handled = false;
    Form->OnShortCut(key, handled);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(SendMessage(Form->Handle(), WM_QUERYSKINFRAME, 0, 0), 0);
}

// Switching the skinned frame off gives the window layer's frame back, and on again the plain one.
TEST_F(TFrameTest, FormSwitchedBetweenSkinnedAndPlain)
{
    MakeForm(400, 300, bsSizeable);
    Frame->SetBorderIcons({TbsBorderIcon::biMinimize});
    Frame->SetSkinnableForm(false);
    Pump();
    EXPECT_FALSE(Frame->SkinnableForm());
    EXPECT_EQ(Send(WM_QUERYSKINFRAME), QUERYSKINFRAME_PLAIN);
    EXPECT_TRUE(Form->BorderIcons().Contains(biSystemMenu));
    EXPECT_TRUE(Form->BorderIcons().Contains(biMinimize));
    EXPECT_FALSE(Form->BorderIcons().Contains(biMaximize));
    EXPECT_NE(Form->ClientHeight(), 300 - 25);   // the window layer's own frame
    EXPECT_NE(Send(WM_NCHITTEST, 0, FramePoint(200, 150)), HTOBJECT);

    Frame->SetSkinnableForm(true);
    Pump();
    EXPECT_EQ(Send(WM_QUERYSKINFRAME), QUERYSKINFRAME_SKINNABLE);
    EXPECT_TRUE(Form->BorderIcons().Empty());
    EXPECT_EQ(Form->ClientWidth(), 394);
    EXPECT_EQ(Form->ClientHeight(), 275);
    Send(WM_NCPAINT);   // the plain frame makes its buttons when it paints
    EXPECT_EQ(Send(WM_NCHITTEST, 0, FramePoint(390, 10)), HTOBJECT);   // close
    EXPECT_EQ(Send(WM_NCHITTEST, 0, FramePoint(10, 10)), HTCAPTION);   // no system menu offered
}

// Renders of the plain frame: the main window and a dialog, active and inactive.
TEST_F(TFrameTest, PlainFrameRenders)
{
    const std::filesystem::path dir = FRAME_RENDER_DIR;
    std::filesystem::create_directories(dir);
    struct Case {
        const char* Name;
        const char* Caption;
        int ClientW, ClientH;
    } cases[] = {{"main", "ZarvoMPG格式转换器", 839, 527}, {"dialog", "关于", 338, 267}};
    for (const Case& c : cases) {
        MakeForm(c.ClientW + 6, c.ClientH + 25, bsSingle, true, c.Caption);
        Frame->OnCaptionPaint = nullptr;
        // The main window offers minimize only; a dialog no commands but close.
        Frame->SetBorderIcons(std::string(c.Name) == "main" ? TbsBorderIcons{TbsBorderIcon::biMinimize}
                                                             : TbsBorderIcons{});
        Application->SetMainForm(Form);
        EXPECT_EQ(Form->ClientWidth(), c.ClientW);
        EXPECT_EQ(Form->ClientHeight(), c.ClientH);
        SetForegroundWindow(Form->Handle());
        Pump();
        ASSERT_TRUE(Form->Active());
        Send(WM_NCPAINT);
        Backend->SaveWindowPicture(Form->Handle(), (dir / (std::string(c.Name) + "_active.png")).string());
        // Another window takes the activation.
        auto* other = NewForm<TForm>(nullptr, TFormCreation::New);
        other->SetBounds(900, 700, 100, 60);
        other->Show();
        SetForegroundWindow(other->Handle());
        Pump();
        EXPECT_FALSE(Form->Active());
        Backend->SaveWindowPicture(Form->Handle(), (dir / (std::string(c.Name) + "_inactive.png")).string());
        delete other;
        Application->SetMainForm(nullptr);
        delete Form;
        Form = nullptr;
    }
}

}  // namespace

namespace {

// Settings the frame refuses: a negative menu item limit, a zero default
// menu item height, a multi-document form style; object names match by case.
TEST_F(TFrameTest, RefusedSettingsAndCaseSensitiveNames)
{
    MakeForm(400, 300);
    Frame->SetMaxMenuItemsInWindow(5);
    Frame->SetMaxMenuItemsInWindow(-1);
    EXPECT_EQ(Frame->MaxMenuItemsInWindow(), 5);
    Frame->SetDefMenuItemHeight(0);
    EXPECT_EQ(Frame->DefMenuItemHeight(), 20);
    Frame->SetFormStyle(fsMDIForm);
    EXPECT_EQ(Form->FormStyle(), fsNormal);
    Frame->SetFormStyle(fsStayOnTop);
    EXPECT_EQ(Form->FormStyle(), fsStayOnTop);
    ASSERT_GE(Frame->GetIndex("closebutton"), 0);
    EXPECT_EQ(Frame->GetIndex("CloseButton"), -1);
}

}  // namespace
