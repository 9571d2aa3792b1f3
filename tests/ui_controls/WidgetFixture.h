#pragma once
#include <unistd.h>
#include <cctype>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include "../ui_classlib/ClassLibFixture.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Png.h"
#include "platform/ui/controls/StdMessages.h"

// A shown form to put widgets on, and helpers to type, press shortcuts, drag
// and read pixels of a control from the headless screen or a saved picture.
class TWidgetTest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Form = MakeForm(FormPlace.X, FormPlace.Y, FormClient.cx, FormClient.cy);
    }

    using TClassLibTest::At;
    using TClassLibTest::Click;
    static TPoint At(HWND h, int x, int y)
    {
        TPoint p{x, y};
        ClientToScreen(h, p);
        return p;
    }
    void Click(TPoint screen)
    {
        Backend->Click(screen.X, screen.Y);
        Pump();
    }
    void Key(int vk, const std::string& text = {})
    {
        Backend->KeyPress(vk, text);
        Pump();
    }
    // Letters and digits as their keys with their text, blanks as the space
    // bar, anything else as input-method text.
    void Type(const std::string& text)
    {
        for (char c : text) {
            const std::string s(1, c);
            if (std::isalpha(static_cast<unsigned char>(c)))
                Key(std::toupper(static_cast<unsigned char>(c)), s);
            else if (std::isdigit(static_cast<unsigned char>(c)))
                Key(c, s);
            else if (c == ' ')
                Key(VK_SPACE, s);
            else
                Key(VK_PROCESSKEY, s);
        }
    }
    void Chord(int modifier, int vk)
    {
        Backend->KeyDown(modifier);
        Backend->KeyPress(vk);
        Backend->KeyUp(modifier);
        Pump();
    }
    void DoubleClick(TControl* c, int x, int y)
    {
        TPoint p = At(c, x, y);
        Backend->Click(p.X, p.Y);
        Backend->Click(p.X, p.Y);
        Pump();
    }
    void Drag(TPoint from, TPoint to, const std::function<void()>& midway = {})
    {
        Backend->MouseDown(from.X, from.Y);
        Pump();
        Backend->MouseMove((from.X + to.X) / 2, (from.Y + to.Y) / 2);
        Pump();
        if (midway)
            midway();
        Backend->MouseMove(to.X, to.Y);
        Backend->MouseUp(to.X, to.Y);
        Pump();
    }

    // The colour at a client point of a control, from the composed screen.
    TColor PixelAt(TControl* c, int x, int y)
    {
        Pump();
        std::unique_ptr<TBitmap> screen = Backend->CaptureScreen();
        TPoint p = At(c, x, y);
        return screen->Canvas()->Pixels(p.X, p.Y);
    }
    // Whether any pixel of a client rectangle has the colour.
    bool AnyPixel(TControl* c, const TRect& r, TColor color)
    {
        Pump();
        std::unique_ptr<TBitmap> screen = Backend->CaptureScreen();
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                TPoint p = At(c, x, y);
                if (screen->Canvas()->Pixels(p.X, p.Y) == color)
                    return true;
            }
        return false;
    }
    // Whether a client rectangle holds a pixel darker than mid grey (text).
    bool HasDarkPixel(TControl* c, const TRect& r)
    {
        Pump();
        std::unique_ptr<TBitmap> screen = Backend->CaptureScreen();
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x) {
                TPoint p = At(c, x, y);
                TColor px = screen->Canvas()->Pixels(p.X, p.Y);
                if ((px & 0xFF) + ((px >> 8) & 0xFF) + ((px >> 16) & 0xFF) < 3 * 100)
                    return true;
            }
        return false;
    }

    // The form as a PNG file read back, as a reviewer would look at it.
    std::unique_ptr<TBitmap> Snapshot(const std::string& name)
    {
        Pump();
        // The process id keeps runs in parallel (other build folders, other checkouts) apart.
        std::string file = ::testing::TempDir() + name + "-" + std::to_string(getpid()) + ".png";
        Backend->SaveWindowPicture(Form->Handle(), file);
        TPngImage png;
        png.LoadFromFile(file);
        std::remove(file.c_str());
        auto out = std::make_unique<TBitmap>();
        png.AssignTo(*out);
        return out;
    }
    // A pixel of a snapshot at a screen point.
    TColor PixelAt(const TBitmap& shot, TPoint screen) const
    {
        TRect w;
        GetWindowRect(Form->Handle(), w);
        return shot.GetPixel(screen.X - w.Left, screen.Y - w.Top) & 0xFFFFFF;
    }

    TPoint FormPlace{100, 100};     // the form's screen position and client size
    TSize FormClient{400, 300};
    TForm* Form = nullptr;
};

// The views (list view, header, tree view, tab control) on a larger form.
class TViewTest : public TWidgetTest {
protected:
    TViewTest()
    {
        FormPlace = TPoint{50, 50};
        FormClient = TSize{420, 320};
    }
};
