#include <functional>
#include "WmFixture.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Draw.h"
#include "platform/gfx/Picture.h"

using Strings = std::vector<std::string>;

class PaintTest : public TWmTest {
protected:
    // Windows that paint themselves one colour in WM_ERASEBKGND, into whatever
    // context they are given (their own or a print target).
    HWND Solid(const std::string& name, TRect r, HWND parent, TColor color, DWORD style = 0)
    {
        HWND h = Make(name, (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE | style, r, parent);
        On(h, WM_ERASEBKGND, [color](HWND w, WPARAM wp, LPARAM) {
            TRect c;
            GetClientRect(w, c);
            FillRect(*reinterpret_cast<TDeviceContext*>(wp), c, color);
            return std::optional<LRESULT>(1);
        });
        InvalidateRect(h, nullptr, true);
        return h;
    }

    static constexpr TColor Red = 0x0000FF, Green = 0x00FF00, Blue = 0xFF0000, White = 0xFFFFFF;
};

// A form with an L-shaped child (region), a grandchild wider than its parent
// and an upper sibling overlapping the child.
TEST_F(PaintTest, ChildrenAreComposedClippedByRegionsParentsAndSiblings)
{
    HWND form = Make("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 150));
    HWND a = Solid("a", Bounds(10, 10, 100, 80), form, Red);
    SetWindowRgn(a, new TRegion(TRegion::FromRects({Bounds(0, 0, 100, 40), Bounds(0, 40, 50, 40)})), true);
    Solid("g", Bounds(30, 5, 100, 20), a, Green);
    HWND b = Solid("b", Bounds(80, 60, 80, 60), form, Blue);
    Pump();
    auto shot = Screen->CaptureWindow(form);
    struct TCase {
        TPoint At;
        TColor Expected;
    };
    const TCase cases[] = {
        {{15, 15}, Red},   {{30, 70}, Red},    {{45, 20}, Green}, {{105, 20}, Green}, {{115, 20}, White},
        {{100, 80}, Blue}, {{85, 65}, Blue},   {{65, 55}, White}, {{75, 80}, White},  {{5, 5}, White},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(PixelAt(*shot, c.At.X, c.At.Y), c.Expected) << c.At.X << "," << c.At.Y;

    // Repainting the lower child never paints over the upper sibling.
    RedrawWindow(a, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    shot = Screen->CaptureWindow(form);
    EXPECT_EQ(PixelAt(*shot, 85, 65), Blue);

    // Moving the upper sibling away uncovers what lay beneath.
    SetWindowPos(b, nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    shot = Screen->CaptureWindow(form);
    EXPECT_EQ(PixelAt(*shot, 85, 65), White);
    EXPECT_EQ(PixelAt(*shot, 30, 70), Red);
    EXPECT_EQ(PixelAt(*shot, 160, 110), Blue);
}

// Where a window may draw is kept between paints; every change of what lies
// above it must be seen by its next paint: a lower child repainted whole after
// the change shows, or stays under, the upper sibling at a point both cover.
TEST_F(PaintTest, ALowerWindowsRepaintFollowsEveryChangeAboveIt)
{
    struct TCase {
        const char* Name;
        bool UpperShownFirst;
        std::function<void(HWND lower, HWND upper, HWND elsewhere)> Change;
        TColor Expected;
    };
    const TCase cases[] = {
        {"hidden", true, [](HWND, HWND u, HWND) { ShowWindow(u, SW_HIDE); }, Red},
        {"shown", false, [](HWND, HWND u, HWND) { ShowWindow(u, SW_SHOWNA); }, Blue},
        {"moved away", true, [](HWND, HWND u, HWND) { SetWindowPos(u, nullptr, 150, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }, Red},
        {"made small", true, [](HWND, HWND u, HWND) { SetWindowPos(u, nullptr, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER); }, Red},
        {"lower raised", true, [](HWND l, HWND, HWND) { SetWindowPos(l, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }, Red},
        {"region", true, [](HWND, HWND u, HWND) { SetWindowRgn(u, new TRegion(Bounds(0, 0, 10, 10)), true); }, Red},
        {"style", true, [](HWND, HWND u, HWND) { SetWindowLong(u, GWL_STYLE, GetWindowLong(u, GWL_STYLE) & ~WS_VISIBLE); }, Red},
        {"new parent", true, [](HWND, HWND u, HWND e) { SetParent(u, e); }, Red},
        {"destroyed", true, [](HWND, HWND u, HWND) { DestroyWindow(u); }, Red},
    };
    for (const TCase& c : cases) {
        HWND form = Make("form", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 200, 150));
        HWND elsewhere = Make("elsewhere", WS_POPUP | WS_VISIBLE, Bounds(300, 0, 100, 100));
        HWND lower = Solid("lower", Bounds(10, 10, 100, 80), form, Red);
        HWND upper = Solid("upper", Bounds(60, 40, 100, 80), form, Blue);
        if (!c.UpperShownFirst)
            ShowWindow(upper, SW_HIDE);
        Pump();
        // Painted once: the regions are worked out before the change.
        RedrawWindow(lower, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        c.Change(lower, upper, elsewhere);
        Pump();
        RedrawWindow(lower, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        auto shot = Screen->CaptureWindow(form);
        EXPECT_EQ(PixelAt(*shot, 80, 60), c.Expected) << c.Name;
        EXPECT_EQ(PixelAt(*shot, 20, 20), Red) << c.Name;
        DestroyWindow(form);
        DestroyWindow(elsewhere);
    }
}

TEST_F(PaintTest, ChildrenShareTheirParentsInvalidationUnlessItClipsThem)
{
    struct TCase {
        const char* Name;
        DWORD ParentStyle;
        UINT Flags;
        bool ChildPaints;
    };
    const TCase cases[] = {
        {"plain parent", 0, RDW_INVALIDATE | RDW_ERASE, true},
        {"WS_CLIPCHILDREN", WS_CLIPCHILDREN, RDW_INVALIDATE | RDW_ERASE, false},
        {"RDW_ALLCHILDREN", WS_CLIPCHILDREN, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN, true},
        {"RDW_NOCHILDREN", 0, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN, false},
    };
    for (const TCase& c : cases) {
        HWND parent = Make("parent", WS_POPUP | WS_VISIBLE | c.ParentStyle, Bounds(0, 0, 200, 100));
        HWND child = Make("child", WS_CHILD | WS_VISIBLE, Bounds(20, 20, 50, 50), parent);
        Pump();
        Watch({WM_PAINT});
        TRect r = Bounds(0, 0, 40, 40);
        RedrawWindow(parent, &r, nullptr, c.Flags);
        Pump();
        Strings expected{"parent PAINT"};
        if (c.ChildPaints)
            expected.push_back("child PAINT");
        EXPECT_EQ(Take(), expected) << c.Name;
        DestroyWindow(parent);
        (void)child;
    }
}

TEST_F(PaintTest, BeginPaintHandsTheUpdateAreaAndOnlyThatIsPresented)
{
    HWND form = Make("form", WS_POPUP | WS_VISIBLE, Bounds(40, 30, 200, 100));
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, Bounds(20, 10, 100, 50), form);
    Pump();
    TRect painted;
    bool erase = false;
    On(child, WM_PAINT, [&](HWND h, WPARAM, LPARAM) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        painted = ps.rcPaint;
        erase = ps.fErase != 0;
        FillRect(*dc, Bounds(0, 0, 100, 50), Green);     // clipped to the update area
        EndPaint(h, ps);
        return std::optional<LRESULT>(0);
    });
    int before = Screen->PresentCount();
    TRect r = Bounds(5, 5, 10, 8);
    InvalidateRect(child, &r, false);
    Pump();
    EXPECT_EQ(painted, r);
    EXPECT_FALSE(erase);
    EXPECT_EQ(Screen->PresentCount(), before + 1);
    EXPECT_EQ(Screen->LastPresented().Bounds(), Bounds(25, 15, 10, 8));     // store coordinates
    auto shot = Screen->CaptureWindow(form);
    EXPECT_EQ(PixelAt(*shot, 26, 16), Green);
    EXPECT_EQ(PixelAt(*shot, 40, 40), White);
}

TEST_F(PaintTest, AWindowPrintsIntoAnyContextAtAnOffset)
{
    HWND form = Make("form", WS_POPUP | WS_VISIBLE | WS_BORDER, Bounds(0, 0, 120, 80));
    HWND a = Solid("a", Bounds(10, 10, 40, 30), form, Red);
    Solid("g", Bounds(30, 0, 40, 10), a, Green);
    Pump();
    TBitmap target(200, 150, pf32bit);
    TDeviceContext dc(&target);
    FillRect(dc, Bounds(0, 0, 200, 150), Blue);
    dc.SetViewportOrg(50, 40);
    PrintWindow(form, &dc, PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT | PRF_CHILDREN);
    EXPECT_EQ(PixelAt(target, 49, 39), Blue);                 // before the offset: untouched
    EXPECT_EQ(PixelAt(target, 50 + 5, 40 + 5), White);        // client of the form (border 1)
    EXPECT_EQ(PixelAt(target, 50 + 1 + 12, 40 + 1 + 12), Red);
    EXPECT_EQ(PixelAt(target, 50 + 1 + 10 + 35, 40 + 1 + 10 + 5), Green);
    EXPECT_EQ(PixelAt(target, 50 + 1 + 10 + 45, 40 + 1 + 10 + 5), White);   // grandchild clipped by its parent
}

TEST_F(PaintTest, LayeredAlphaIsComposedOnTheScreenOrRefusedWithoutTheCapability)
{
    HWND back = Solid("back", Bounds(0, 0, 100, 100), nullptr, Blue);
    HWND glass = Solid("glass", Bounds(50, 0, 100, 100), nullptr, Red);
    SetWindowLong(glass, GWL_EXSTYLE, GetWindowLong(glass, GWL_EXSTYLE) | WS_EX_LAYERED);
    EXPECT_TRUE(SetLayeredWindowAttributes(glass, clNone, 128, LWA_ALPHA));
    Pump();
    auto screen = Screen->CaptureScreen();
    TColor mixed = PixelAt(*screen, 75, 50);
    EXPECT_NEAR(int(mixed & 0xFF), 128, 2);                   // red half
    EXPECT_NEAR(int((mixed >> 16) & 0xFF), 127, 2);           // blue half
    EXPECT_EQ(PixelAt(*screen, 25, 50), Blue);
    EXPECT_EQ(PixelAt(*screen, 300, 300), 0x808000u);         // the desktop

    TPlatformCaps plain;
    plain.ConstantAlpha = false;
    plain.PerPixelAlpha = false;
    Screen->SetCaps(plain);
    EXPECT_FALSE(PlatformCaps().ConstantAlpha);
    EXPECT_FALSE(SetLayeredWindowAttributes(glass, clNone, 200, LWA_ALPHA));
    (void)back;
}

TEST_F(PaintTest, APerPixelLayerTakesItsPictureFromABitmap)
{
    TPlatformCaps perPixel;
    perPixel.PerPixelAlpha = true;    // off by default on the headless screen
    Screen->SetCaps(perPixel);
    HWND layer = Make("layer", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 10, 10), nullptr, WS_EX_LAYERED | WS_EX_TRANSPARENT);
    TBitmap picture(20, 10, pf32bit);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            uint8_t* p = picture.ScanLine(y) + x * 4;
            p[0] = 0;
            p[1] = x < 10 ? 255 : 0;      // opaque green left, transparent right
            p[2] = 0;
            p[3] = x < 10 ? 255 : 0;
        }
    TDeviceContext src(&picture);
    TPoint at{30, 40};
    TSize size{20, 10};
    TPoint origin{0, 0};
    BLENDFUNCTION blend;
    blend.AlphaFormat = AC_SRC_ALPHA;
    EXPECT_TRUE(UpdateLayeredWindow(layer, nullptr, &at, &size, &src, &origin, clNone, &blend, ULW_ALPHA));
    Pump();
    auto screen = Screen->CaptureScreen();
    EXPECT_EQ(PixelAt(*screen, 35, 45), Green);
    EXPECT_EQ(PixelAt(*screen, 45, 45), 0x808000u);
    EXPECT_EQ(WindowFromPoint(TPoint{35, 45}), nullptr);      // a click-through layer
}

TEST_F(PaintTest, TheCaretIsInvertedInAndSurvivesRepainting)
{
    HWND edit = Make("edit", WS_POPUP | WS_VISIBLE, Bounds(0, 0, 100, 40));
    Pump();
    CreateCaret(edit, 2, 14);
    SetCaretPos(10, 5);
    ShowCaret(edit);
    FlushWindows();
    auto shot = Screen->CaptureWindow(edit);
    EXPECT_EQ(PixelAt(*shot, 10, 5), 0u);                      // white inverted
    EXPECT_EQ(PixelAt(*shot, 12, 5), White);
    InvalidateRect(edit, nullptr, true);
    Pump();
    shot = Screen->CaptureWindow(edit);
    EXPECT_EQ(PixelAt(*shot, 11, 18), 0u);                     // still exactly one caret after the erase
    SetCaretPos(50, 5);
    HideCaret(edit);
    shot = Screen->CaptureWindow(edit);
    EXPECT_EQ(PixelAt(*shot, 10, 5), White);
    EXPECT_EQ(PixelAt(*shot, 50, 5), White);
    ShowCaret(edit);
    shot = Screen->CaptureWindow(edit);
    EXPECT_EQ(PixelAt(*shot, 50, 5), 0u);
    DestroyCaret();
    shot = Screen->CaptureWindow(edit);
    EXPECT_EQ(PixelAt(*shot, 50, 5), White);
}

TEST_F(PaintTest, WindowsAndTheScreenAreSavedAsPng)
{
    HWND form = Make("form", WS_POPUP | WS_VISIBLE, Bounds(20, 10, 60, 40));
    Solid("a", Bounds(5, 5, 10, 10), form, Red);
    Pump();
    std::string folder = ::testing::TempDir();
    struct TCase {
        std::string File;
        TPoint At;
        TColor Expected;
        int Width;
    };
    Screen->SaveWindowPicture(form, folder + "wm_window.png");
    Screen->SaveScreenPicture(folder + "wm_screen.png");
    const TCase cases[] = {
        {"wm_window.png", {7, 7}, Red, 60},
        {"wm_screen.png", {27, 17}, Red, 1024},
        {"wm_screen.png", {2, 2}, 0x808000, 1024},
    };
    for (const TCase& c : cases) {
        TPicture picture;
        picture.LoadFromFile(folder + c.File);
        EXPECT_EQ(picture.Width(), c.Width) << c.File;
        TBitmap pixels;
        picture.Graphic()->AssignTo(pixels);
        EXPECT_EQ(PixelAt(pixels, c.At.X, c.At.Y), c.Expected) << c.File;
    }
}
