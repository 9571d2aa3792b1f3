// The program itself on a real desktop: started as scripts/run.sh starts it,
// its main window appears with the program's title, is photographed from
// the screen, and the program ends on the window's close request.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "platform/core/Path.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Png.h"
#include "tests/app_desktop/ProgramRun.h"
#include "tests/media/TempFolder.h"
#include "tests/ui_sdl/XDesktop.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

bool WaitFor(const std::function<bool()>& ADone, std::chrono::seconds ALimit = 20s)
{
    for (auto end = std::chrono::steady_clock::now() + ALimit; std::chrono::steady_clock::now() < end;
         std::this_thread::sleep_for(20ms))
        if (ADone())
            return true;
    return false;
}

// The screen's pixels in a rectangle, read in one request.
TBitmap ScreenPicture(const TRect& ARect)
{
    TBitmap picture(ARect.Width(), ARect.Height());
    Display* d = XOpenDisplay(nullptr);
    if (!d)
        return picture;
    XImage* image = XGetImage(d, DefaultRootWindow(d), ARect.Left, ARect.Top, unsigned(ARect.Width()),
                              unsigned(ARect.Height()), AllPlanes, ZPixmap);
    if (image) {
        for (int y = 0; y < ARect.Height(); ++y)
            for (int x = 0; x < ARect.Width(); ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                picture.SetPixel(x, y, RGB(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)));
            }
        XDestroyImage(image);
    }
    XCloseDisplay(d);
    return picture;
}

TEST_F(ProgramWindow, StartsShowsItsMainWindowAndEndsOnACloseRequest)
{
    char* args[] = {const_cast<char*>(ZARVO_PROGRAM), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, ZARVO_PROGRAM, nullptr, nullptr, args, environ), 0);

    unsigned long window = 0;
    EXPECT_TRUE(WaitFor([&] { return (window = Desktop.FindMapped("ZarvoMPG格式转换器")) != 0; }))
        << "the main window never appeared";
    if (window) {
        std::this_thread::sleep_for(500ms);   // its first paint
        const TRect r = Desktop.Geometry(window);
        EXPECT_GT(r.Width(), 839);
        EXPECT_GT(r.Height(), 527);
        TBitmap shot = ScreenPicture(r);
        std::filesystem::create_directories(APP_DESKTOP_RENDER_DIR);
        TPngImage png;
        png.Assign(shot);
        png.SaveToFile(std::string(APP_DESKTOP_RENDER_DIR) + "/main_window_on_xvfb.png");
        // The window is painted: not one colour.
        int differing = 0;
        for (int y = 0; y < shot.Height(); y += 8)
            for (int x2 = 0; x2 < shot.Width(); x2 += 8)
                differing += shot.GetPixel(x2, y) != shot.GetPixel(0, 0);
        EXPECT_GT(differing, 500);
        EXPECT_TRUE(FileExists(HomeFile("config/option.ini")));
        Desktop.RequestClose(window);
    }
    const int status = WaitForProgramEnd(pid, 20s);
    if (status == -1)
        FAIL() << "the program did not end on a close request";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

} // namespace
