#include <memory>
#include <vector>

#include "engine/util/Records.h"
#include "tests/engine_preview/PreviewTestSupport.h"

using namespace previewtest;

// The preview window of one job, driven from a worker as the post hook does.

namespace {

constexpr TColor Left = 0x2040C0;   // BGR: a red
constexpr TColor Right = 0xC06020;  // a blue

// A frame: its left half one colour, its right half another.
std::unique_ptr<TBitmap> Frame(int AWidth, int AHeight, TColor ALeft = Left, TColor ARight = Right) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(AWidth, AHeight);
    for (int y = 0; y < AHeight; ++y)
        for (int x = 0; x < AWidth; ++x)
            bitmap->SetPixel(x, y, x < AWidth / 2 ? ALeft : ARight);
    return bitmap;
}

class PreviewerTest : public PreviewTest {
protected:
    bool Paint(TPreviewer& APreviewer, TBitmap& ABitmap, int AFrame, int64_t APTS) {
        bool open = false;
        OnWorker([&] { open = APreviewer.PaintFrame(&ABitmap, AFrame, APTS); });
        Pump();
        return open;
    }
    // A client point of the window as a screen point.
    static TPoint At(HWND AWindow, int x, int y) {
        TPoint p{x, y};
        ClientToScreen(AWindow, p);
        return p;
    }
    // The colour the screen shows at a client point of the window.
    TColor PixelAt(HWND AWindow, int x, int y) {
        TRect r;
        GetWindowRect(AWindow, r);
        const TPoint p = At(AWindow, x, y);
        return Backend->CaptureWindow(AWindow)->GetPixel(p.X - r.Left, p.Y - r.Top) & 0xFFFFFF;
    }
    TRect WindowRect(HWND AWindow) {
        TRect r;
        GetWindowRect(AWindow, r);
        return r;
    }
    // Presses the left button on the picture and drags it by (dx, dy).
    void Drag(HWND AWindow, int dx, int dy) {
        const TPoint p = At(AWindow, 20, 20);
        Backend->MouseDown(p.X, p.Y);
        Backend->MouseMove(p.X + dx / 2, p.Y + dy / 2);
        Backend->MouseMove(p.X + dx, p.Y + dy);
        Backend->MouseUp(p.X + dx, p.Y + dy);
        Pump();
    }
    // The screen point of the caption's close button.
    static TPoint CloseButton(HWND AWindow) {
        TRect r;
        GetWindowRect(AWindow, r);
        for (int y = r.Top; y < r.Top + 24; ++y)
            for (int x = r.Right - 1; x > r.Left; --x)
                if (SendMessage(AWindow, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
                    return TPoint{x, y};
        return TPoint{-1, -1};
    }
};

} // namespace

TEST_F(PreviewerTest, TheFirstFrameOpensAStayOnTopToolWindowAtTheScreenCentre) {
    auto frame = Frame(160, 120);
    auto previewer = std::make_unique<TPreviewer>();
    EXPECT_EQ(previewer->FormHandle(), nullptr) << "no window before the first frame";
    ASSERT_TRUE(Paint(*previewer, *frame, 1, 65040000));

    const HWND window = previewer->FormHandle();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowText(window), "00:01:05.040");
    const LONG_PTR exStyle = GetWindowLong(window, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    TRect client;
    GetClientRect(window, client);
    EXPECT_EQ(client.Width(), 160);
    EXPECT_EQ(client.Height(), 120);
    const TRect r = WindowRect(window);
    EXPECT_EQ(r.Left, (1024 - r.Width()) / 2);
    EXPECT_EQ(r.Top, (768 - r.Height()) / 2);
    EXPECT_EQ(PixelAt(window, 10, 60), Left);
    EXPECT_EQ(PixelAt(window, 150, 60), Right);
    Backend->SaveScreenPicture(::testing::TempDir() + "preview_window.png");

    // The next frame replaces picture and caption; the window keeps its place and size.
    auto next = Frame(160, 120, Right, Left);
    ASSERT_TRUE(Paint(*previewer, *next, 2, NoTime));
    EXPECT_EQ(GetWindowText(window), "N/A");
    EXPECT_EQ(PixelAt(window, 10, 60), Right);
    EXPECT_EQ(WindowRect(window), r);

    OnWorker([&] { previewer.reset(); });
    EXPECT_FALSE(IsWindow(window)) << "freed in the main thread with its previewer";
}

TEST_F(PreviewerTest, TheWindowIsDraggedByItsPicture) {
    auto frame = Frame(200, 100);
    TPreviewer previewer;
    ASSERT_TRUE(Paint(previewer, *frame, 1, 0));
    const HWND window = previewer.FormHandle();
    const TRect before = WindowRect(window);
    Drag(window, 60, -40);
    TRect expected = before;
    expected.Offset(60, -40);
    EXPECT_EQ(WindowRect(window), expected);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(PixelAt(window, 190, 50), Right) << "the picture moved with the window";
}

TEST_F(PreviewerTest, AClosedWindowIsNeverPaintedAgain) {
    auto frame = Frame(160, 120);
    TPreviewer previewer;
    ASSERT_TRUE(Paint(previewer, *frame, 1, 1000000));
    const HWND window = previewer.FormHandle();
    const TPoint close = CloseButton(window);
    ASSERT_GE(close.X, 0) << "the tool caption has a close button";
    Backend->Click(close.X, close.Y);
    Pump();
    EXPECT_TRUE(previewer.Closed());
    EXPECT_FALSE(IsWindowVisible(window));

    auto other = Frame(160, 120, Right, Left);
    EXPECT_FALSE(Paint(previewer, *other, 2, 2000000));
    EXPECT_EQ(GetWindowText(window), "00:00:01.000") << "nothing painted once closed";
    EXPECT_FALSE(IsWindowVisible(window));
}

// Each job has its window; windows go in any order, and every window left
// (and the application's own message handler) keeps working.
TEST_F(PreviewerTest, SeveralWindowsComeAndGoInAnyOrder) {
    int appMessages = 0;
    Application->OnMessage = [&](TMsg&, bool&) { ++appMessages; };
    std::vector<std::unique_ptr<TPreviewer>> previewers;
    std::vector<std::unique_ptr<TBitmap>> frames;
    for (int i = 0; i < 3; ++i) {
        previewers.push_back(std::make_unique<TPreviewer>());
        frames.push_back(Frame(120 + 20 * i, 90));
        ASSERT_TRUE(Paint(*previewers.back(), *frames.back(), 1, i * 1000));
    }
    // Apart, so that each can be pressed on.
    for (int i = 0; i < 3; ++i)
        SetWindowPos(previewers[size_t(i)]->FormHandle(), nullptr, 20 + 300 * i, 50, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();

    for (int gone : {1, 0, 2}) {
        OnWorker([&] { previewers[size_t(gone)].reset(); });
        for (auto& previewer : previewers) {
            if (!previewer)
                continue;
            const HWND window = previewer->FormHandle();
            const TRect before = WindowRect(window);
            appMessages = 0;
            Drag(window, 10, 15);
            TRect expected = before;
            expected.Offset(10, 15);
            EXPECT_EQ(WindowRect(window), expected) << "after window " << gone << " went";
            EXPECT_GT(appMessages, 0) << "the application's handler is untouched";
        }
    }
    Application->OnMessage = nullptr;
}

// The job ends while the user holds the mouse on its window (dragging its
// picture, or pressing the close button): the window goes once that loop is
// over, and nothing runs on a freed form.
TEST_F(PreviewerTest, AJobEndingInsideTheWindowsMouseLoopFreesTheWindowAfterIt) {
    const struct {
        const char* Name;
        bool OnCloseButton;
    } cases[] = {{"drag by the picture", false}, {"press on the close button", true}};
    for (const auto& c : cases) {
        auto frame = Frame(160, 120);
        auto previewer = std::make_unique<TPreviewer>();
        ASSERT_TRUE(Paint(*previewer, *frame, 1, 0));
        const HWND window = previewer->FormHandle();
        std::atomic<bool> inLoop{false};
        TPreviewForm* form = previewer->Form();
        auto original = form->WindowProc;
        form->WindowProc = [&inLoop, original](TMessage& m) {
            if (m.Msg == WM_NCLBUTTONDOWN)
                inLoop = true;  // the loop starts inside this call
            original(m);
        };
        std::atomic<bool> freed{false};
        std::thread worker([&] {
            while (!inLoop)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            previewer.reset();  // waits for the main thread, inside the loop
            freed = true;
        });
        const TPoint p = c.OnCloseButton ? CloseButton(window) : At(window, 20, 20);
        Backend->MouseDown(p.X, p.Y);
        Backend->MouseMove(p.X + 1, p.Y + 1);
        {
            TDeadlockWatch watch(c.Name);
            while (!freed || IsWindow(window)) {
                Pump();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
        worker.join();
        Backend->MouseUp(p.X + 1, p.Y + 1);
        Pump();
        EXPECT_FALSE(IsWindow(window)) << c.Name;
        EXPECT_EQ(GetCapture(), nullptr) << c.Name;
    }
}
