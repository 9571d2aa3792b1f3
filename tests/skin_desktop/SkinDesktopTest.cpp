#include <thread>
#include "DesktopProgram.h"
#include "SdlFixture.h"
#include "SkinFrameFixture.h"
#include "platform/ui/WindowManager.h"
#include "platform/ui/sdl/SdlTray.h"
#include "skin/data/WindowDescriptions.h"
#include "skin/frame/LayerBorder.h"
#include "skin/frame/TrayIcon.h"
#include "skin/menus/SkinMenu.h"

// What the skin draws translucent, and its tray icon, on a real desktop: a
// private X server with a compositing manager (xcompmgr) or a tray host
// (trayer), read back from the screen. Without either program the tests
// that need it are skipped.

namespace {

struct TRgb {
    int R, G, B;
};

TRgb RgbOf(uint32_t p)
{
    return TRgb{int(p >> 16 & 0xFF), int(p >> 8 & 0xFF), int(p & 0xFF)};
}

bool Between(int v, int a, int b)
{
    return std::min(a, b) <= v && v <= std::max(a, b);
}

class SkinOnDesktop : public SdlDesktop {
protected:
    void SetUp() override
    {
        SdlDesktop::SetUp();
        if (IsSkipped())
            return;
        Application->Initialize();
        BindSkinFormLinkToScreen();
    }

    void TearDown() override
    {
        if (Backend) {
            delete Form;
            Form = nullptr;
            Application->SetMainForm(nullptr);
            SetSkinFormLink({});
        }
        SdlDesktop::TearDown();
        Compositor.Stop();
        Host.Stop();
    }

    // Starts a desktop program and waits until it owns its selection.
    static bool StartOwner(TDesktopProgram& program, const std::vector<std::string>& args, const char* selection)
    {
        TXDesktop probe;
        if (!program.Start(args))
            return false;
        for (auto end = TClock::now() + 10s; TClock::now() < end; std::this_thread::sleep_for(10ms)) {
            if (probe.SelectionOwned(selection))
                return true;
            if (program.Ended())
                return false;
        }
        return false;
    }
    bool StartCompositor() { return StartOwner(Compositor, {"xcompmgr"}, "_NET_WM_CM_S0"); }
    bool StartTrayHost()
    {
        return StartOwner(Host,
                          {"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                           "--heighttype", "pixel", "--height", "32", "--SetDockType", "false"},
                          "_NET_SYSTEM_TRAY_S0");
    }

    void MakeForm(const TRect& r)
    {
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetBorderStyle(bsSizeable);
        Form->SetCaption("Skinned");
        Form->SetBounds(r.Left, r.Top, r.Width(), r.Height());
        Frame = new TbsFormFrame(Form);
        Form->Show();
        WaitShown(Form->Handle());
    }

    // Something of ours, other than the form, shown on the screen: its rectangle.
    std::vector<TRect> ShownPopups() const
    {
        std::vector<TRect> list;
        for (HWND h : WM().TopLevels)
            if (h != Form->Handle() && IsWindowVisible(h)) {
                TRect r;
                GetWindowRect(h, r);
                list.push_back(r);
            }
        return list;
    }

    TDesktopProgram Compositor, Host;
    TForm* Form = nullptr;
    TbsFormFrame* Frame = nullptr;
};

// ------------------------------------------------------------ translucency

// A 40 x 40 layered-frame picture whose client (10, 10, 30, 30) stands for
// the form: 10 pixels all round, half-transparent by its grey mask.
void AddLayerFrame(TbsSkinData& S)
{
    auto picture = std::make_unique<TBitmap>(40, 40);
    TestSkin::Fill(*picture, TRect{0, 0, 40, 40}, TColor(0x0000C0));
    auto mask = std::make_unique<TBitmap>(40, 40);
    TestSkin::Fill(*mask, TRect{0, 0, 40, 40}, TColor(0x808080));
    S.FActivePictures.push_back(std::move(picture));
    S.FActivePictures.push_back(std::move(mask));
    auto lf = std::make_unique<TbsDataSkinLayerFrame>();
    lf->PictureIndex = int(S.FActivePictures.size()) - 2;
    lf->MaskPictureIndex = int(S.FActivePictures.size()) - 1;
    lf->LTPoint = TPoint{15, 10};
    lf->RTPoint = TPoint{25, 10};
    lf->LBPoint = TPoint{15, 30};
    lf->RBPoint = TPoint{25, 30};
    lf->ClRect = TRect{10, 10, 30, 30};
    lf->AlphaBlendValue = 255;
    lf->InActiveAlphaBlendValue = 255;
    lf->BorderRect = TRect{5, 5, 35, 35};
    lf->HitTestEnable = true;
    S.LayerFrame = std::move(lf);
}

class SkinComposited : public SkinOnDesktop {
protected:
    void SetUp() override
    {
        SkinOnDesktop::SetUp();
        if (IsSkipped())
            return;
        if (!StartCompositor())
            GTEST_SKIP() << "xcompmgr is missing";
        ASSERT_TRUE(PumpUntil([] { return PlatformCaps().PerPixelAlpha; }));
    }
};

// The border's half-transparent red shows blended with the desktop beside
// the form; with the compositor gone the form goes on without it.
TEST_F(SkinComposited, LayeredBorderBlendsWithTheDesktop)
{
    TbsSkinData skin{nullptr};
    TestSkin::Build(skin);
    AddLayerFrame(skin);
    MakeForm(Bounds(300, 200, 300, 200));
    Frame->SetSkinData(&skin);
    SetForegroundWindow(Form->Handle());
    auto* border = dynamic_cast<TbsFormLayerBorder*>(Frame->BorderLayer());
    ASSERT_NE(border, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return border->Visible() && border->Window(bsflLeft); }));
    HWND left = border->Window(bsflLeft)->Handle();
    ASSERT_TRUE(PumpUntil([&] { return X.Mapped(Backend->NativeWindow(left)); }));
    const TPoint beside{295, 300}, desk{150, 700};
    // Half of the border's red over the desktop (xcompmgr's grey).
    ASSERT_TRUE(PumpUntil([&] { return RgbOf(X.Pixel(beside.X, beside.Y)).R != RgbOf(X.Pixel(desk.X, desk.Y)).R; }));
    TRgb under = RgbOf(X.Pixel(desk.X, desk.Y)), mixed = RgbOf(X.Pixel(beside.X, beside.Y));
    EXPECT_NEAR(mixed.R, (0xC0 * 128 + under.R * 127) / 255, 4);
    EXPECT_NEAR(mixed.G, under.G * 127 / 255, 4);
    EXPECT_TRUE(Between(mixed.R, under.R, 0xC0) && mixed.R != under.R && mixed.R != 0xC0);
    X.SaveScreen(RenderPath("layered-border.png"));

    Compositor.Stop();
    ASSERT_TRUE(PumpUntil([] { return !PlatformCaps().PerPixelAlpha; }));
    EXPECT_TRUE(PumpUntil([&] { return !border->Visible(); }));
    EXPECT_TRUE(PumpUntil([&] { return X.Pixel(beside.X, beside.Y) == X.Pixel(desk.X, desk.Y); }));
    EXPECT_TRUE(IsWindowVisible(Form->Handle()));

    ASSERT_TRUE(StartCompositor());
    EXPECT_TRUE(PumpUntil([&] { return border->Visible(); }));
}

// A skinned popup menu with alpha on the desktop: the desktop shows through.
TEST_F(SkinComposited, TranslucentMenuShowsTheDesktopThrough)
{
    TLoadedSkin skin;
    skin.Load(0);
    MakeForm(Bounds(200, 150, 400, 300));
    Frame->SetSkinData(&skin.Data);
    Frame->SetMenusAlphaBlend(true);
    Frame->SetMenusAlphaBlendValue(160);
    SetForegroundWindow(Form->Handle());
    auto* menu = new TbsSkinPopupMenu(Form);
    menu->SetSkinData(&skin.Data);
    for (const char* caption : {"Open", "Convert", "Settings", "Exit"}) {
        auto* item = new TMenuItem(menu->Items());
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    PumpUntil([] { return false; }, 100ms);
    menu->Popup(540, 170);             // half over the form, half over the desktop
    ASSERT_TRUE(PumpUntil([&] { return !ShownPopups().empty(); }));
    HWND popup = nullptr;
    for (HWND h : WM().TopLevels)
        if (h != Form->Handle() && IsWindowVisible(h))
            popup = h;
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(popup, nullptr, &alpha, nullptr));
    unsigned long xw = Backend->NativeWindow(popup);
    EXPECT_TRUE(PumpUntil([&] { return X.Mapped(xw) && X.CardinalProperty(xw, "_NET_WM_WINDOW_OPACITY") > 0; }));
    PumpUntil([] { return false; }, 200ms);
    X.SaveScreen(RenderPath("translucent-menu.png"));
    EXPECT_NEAR(double(X.CardinalProperty(xw, "_NET_WM_WINDOW_OPACITY")) / 0xFFFFFFFF, alpha / 255.0, 0.01);
    X.Type("Escape");
    EXPECT_TRUE(PumpUntil([&] { return ShownPopups().empty(); }));
}

// ------------------------------------------------------------ the tray icon

class SkinTray : public SkinOnDesktop {
protected:
    void SetUp() override
    {
        SkinOnDesktop::SetUp();
        if (IsSkipped())
            return;
        if (!StartTrayHost())
            GTEST_SKIP() << "trayer is missing";
        ASSERT_TRUE(PumpUntil([] { return PlatformCaps().TrayIcon; }));
        MakeForm(Bounds(200, 150, 300, 200));
        Application->SetMainForm(Form);
        Tray = new TbsTrayIcon(Form);
        Frame->SetTrayIcon(Tray);
        TBitmap icon(16, 16, pf24bit);
        TestSkin::Fill(icon, TRect{0, 0, 16, 16}, TColor(0x0000FF));
        Tray->SetIcon(icon);
        Tray->SetHint("ZarvoMPG");
        Tray->OnClick = [this](TObject*) { Events.push_back("Click"); };
        Tray->OnDblClick = [this](TObject*) { Events.push_back("DblClick"); };
    }

    bool Docked()
    {
        unsigned long w = Backend->Tray().IconWindow(Tray->Handle(), 1);
        return w && Backend->Tray().Docked(Tray->Handle(), 1) && X.Mapped(w) && X.Frame(w) != w;
    }

    TPoint IconCentre()
    {
        TRect r = X.Geometry(Backend->Tray().IconWindow(Tray->Handle(), 1));
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    void ClickIcon(int button = 1, int times = 1)
    {
        TPoint c = IconCentre();
        X.MoveTo(c.X, c.Y);
        for (int i = 0; i < times; ++i) {
            X.Press(button);
            X.Release(button);
        }
    }

    TbsTrayIcon* Tray = nullptr;
    std::vector<std::string> Events;
};

// A click fires OnClick once the double-click time is over; a double click
// fires OnDblClick and no click.
TEST_F(SkinTray, ClickAndDoubleClickReachTheTrayIcon)
{
    Tray->SetIconVisible(true);
    ASSERT_TRUE(Tray->IconShown());
    ASSERT_TRUE(PumpUntil([&] { return Docked(); }));
    ClickIcon();
    ASSERT_TRUE(PumpUntil([&] { return !Events.empty(); }));
    EXPECT_EQ(Events, std::vector<std::string>{"Click"});

    Events.clear();
    ClickIcon(1, 2);
    ASSERT_TRUE(PumpUntil([&] { return !Events.empty(); }));
    // No click follows once the double-click time is over.
    PumpUntil([] { return false; }, std::chrono::milliseconds(GetDoubleClickTime() + 200));
    EXPECT_EQ(Events, std::vector<std::string>{"DblClick"});

    Tray->ShowBalloonHint("Done", "All 3 files were converted.", bsbitInfo);
    EXPECT_TRUE(PumpUntil([&] { return Backend->Tray().BalloonWindow() && X.Mapped(Backend->Tray().BalloonWindow()); }));
    PumpUntil([] { return false; }, 100ms);
    X.SaveScreen(RenderPath("tray-icon-balloon.png"));
}

// The right button opens the icon's popup menu where the icon is.
TEST_F(SkinTray, PopupMenuOpensAtTheIcon)
{
    auto* menu = new TbsSkinPopupMenu(Form);
    for (const char* caption : {"Show", "Exit"}) {
        auto* item = new TMenuItem(menu->Items());
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    Tray->SetPopupMenu(menu);
    Tray->SetIconVisible(true);
    ASSERT_TRUE(PumpUntil([&] { return Docked(); }));
    TPoint c = IconCentre();
    ClickIcon(3);
    ASSERT_TRUE(PumpUntil([&] { return !ShownPopups().empty(); }));
    TRect r = ShownPopups().front();
    // The menu opens at the click: up from it near the screen's bottom, and
    // across it (kept on the screen).
    bool atX = r.Left <= c.X && c.X <= r.Right;
    bool atY = std::abs(r.Top - c.Y) <= 1 || std::abs(r.Bottom - c.Y) <= 1;
    EXPECT_TRUE(atX && atY) << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << " at " << c.X << ","
                            << c.Y;
    X.Type("Escape");
    EXPECT_TRUE(PumpUntil([&] { return ShownPopups().empty(); }));
}

// Minimising hides the form into the tray; a click on the icon brings it back.
TEST_F(SkinTray, MinimiseToTrayAndBack)
{
    Tray->SetIconVisible(false);
    Tray->OnClick = [this](TObject*) { Tray->ShowMainForm(); };
    unsigned long xw = Backend->NativeWindow(Form->Handle());
    Application->Minimize();
    ASSERT_TRUE(PumpUntil([&] { return !Form->Visible() && Docked(); }));
    EXPECT_TRUE(PumpUntil([&] { return !X.Mapped(xw); })) << IsWindowVisible(Form->Handle()) << IsIconic(Form->Handle()) << (xw == Backend->NativeWindow(Form->Handle()));

    ClickIcon();
    ASSERT_TRUE(PumpUntil([&] { return Form->Visible(); }));
    EXPECT_TRUE(PumpUntil([&] { return X.Mapped(Backend->NativeWindow(Form->Handle())); }));
}

// A tray host that starts after the icon was asked for takes it; one that
// restarts takes it again.
TEST_F(SkinTray, ATrayHostStartedLaterTakesTheIcon)
{
    Host.Stop();
    ASSERT_TRUE(PumpUntil([] { return !PlatformCaps().TrayIcon; }));
    Tray->SetIconVisible(true);
    EXPECT_FALSE(Tray->IconShown());
    ASSERT_TRUE(StartTrayHost());
    EXPECT_TRUE(PumpUntil([&] { return Tray->IconShown() && Docked(); }));

    Host.Stop();
    EXPECT_TRUE(PumpUntil([] { return !PlatformCaps().TrayIcon; }));
    ASSERT_TRUE(StartTrayHost());
    EXPECT_TRUE(PumpUntil([&] { return Docked(); }));
}

} // namespace
