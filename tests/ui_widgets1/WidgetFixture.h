#pragma once
#include <cctype>
#include <memory>
#include <string>
#include "../ui_classlib/ClassLibFixture.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/controls/StdMessages.h"

// A shown form and helpers to type, press shortcuts and read pixels of a
// control from the headless screen.
class TWidgetTest : public TClassLibTest {
protected:
    void SetUp() override
    {
        TClassLibTest::SetUp();
        Form = MakeForm(100, 100, 400, 300);
    }

    // Letters, digits and blanks as keys; anything else as input-method text.
    void Type(const std::string& text)
    {
        for (char c : text) {
            if (std::isalnum(static_cast<unsigned char>(c)))
                Backend->KeyPress(std::toupper(static_cast<unsigned char>(c)));
            else if (c == ' ')
                Backend->KeyPress(VK_SPACE);
            else
                Backend->KeyPress(VK_PROCESSKEY, std::string(1, c));
        }
        Pump();
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

    TForm* Form = nullptr;
};
