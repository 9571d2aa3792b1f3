#include <functional>
#include "resources/picgen/Catalog.h"
#include "resources/picgen/Pictograms.h"
#include "resources/picgen/Style.h"

namespace {

// Classic palette colours for the 16-colour slider bitmaps.
constexpr TInkColor Black = Rgb(0x000000), Navy = Rgb(0x000080), Gray = Rgb(0x808080), Silver = Rgb(0xC0C0C0);
using Style::White;

// A slider thumb of Along x Across pixels whose last Point pixels narrow to a
// tip; Horizontal thumbs point down, vertical ones point right.
void DrawThumb(TInk& k, int ox, int along, int across, int point, bool pressed, bool horizontal)
{
    auto inside = [&](int a, int c) {
        if (a < 0 || c < 0 || a >= along || c >= across)
            return false;
        if ((a == 0 && (c == 0 || c == across - 1)))
            return false;   // rounded back corners
        const int inset = a - (along - point) + 1;
        return inset <= 0 || (c >= inset && c <= across - 1 - inset);
    };
    const TInkColor edge = pressed ? Navy : Gray, face = pressed ? Silver : White, grip = pressed ? Gray : Silver;
    for (int a = 0; a < along; ++a)
        for (int c = 0; c < across; ++c) {
            if (!inside(a, c))
                continue;
            const bool border = !inside(a - 1, c) || !inside(a + 1, c) || !inside(a, c - 1) || !inside(a, c + 1);
            TInkColor colour = border ? edge : face;
            // Three grip lines across the thumb's body.
            if (!border && c >= 2 && c <= across - 3 && (a == 3 || a == 5 || a == 7))
                colour = grip;
            if (horizontal)
                k.Pixel(ox + c, a, colour);
            else
                k.Pixel(ox + a, c, colour);
        }
}

// A sunken groove of Length x Thickness; horizontal runs along x.
void DrawGroove(TInk& k, int length, bool horizontal)
{
    auto put = [&](int a, int c, TInkColor colour) {
        if (horizontal)
            k.Pixel(a, c, colour);
        else
            k.Pixel(c, a, colour);
    };
    for (int a = 1; a < length - 1; ++a) {
        put(a, 2, Gray);
        put(a, 3, Black);
        put(a, 4, Silver);
        put(a, 5, White);
    }
    put(0, 3, Gray);
    put(0, 4, Gray);
    put(length - 1, 3, White);
    put(length - 1, 4, White);
}

void DrawRam(TInk& k, const TFrame& f)
{
    // A memory module on 16 x 11: board, chips and contacts.
    k.Fill(::Box(0, 1, 16, 9), Shade(Style::Green, -0.35));
    k.Fill(::Box(1, 2, 15, 8), Style::Green);
    for (int x : {2, 6, 10})
        k.Fill(::Box(x, 3, x + 3, 7), Style::Ink);
    for (int x = 1; x < 15; x += 2)
        k.Fill(::Box(x, 9, x + 1, 11), Rgb(0xD9A521));
    (void)f;
}

void DrawNetworkDrive(TInk& k, const TFrame& f)
{
    DrawHardDisk(k, TFrame{f.X, f.Y - f.L(5), f.Size});
    k.Fill(f.Box(14.5, 19, 17.5, 26), Style::Ink);
    k.Fill(f.Box(4, 26, 28, 29), Style::Ink);
}

void DrawCurrentFolder(TInk& k, const TFrame& f)
{
    DrawFolder(k, f, true);
    // The sheet shows writing: this is the folder being listed.
    k.Fill(f.Box(8, 10, 22, 12), Style::Blue);
}

void DrawNewFolder(TInk& k, const TFrame& f)
{
    DrawFolder(k, TFrame{f.X, f.Y + f.L(2), f.Size}, false);
    k.Fill(f.Circle(24.5, 8, 7.5), Rgb(0xFFFFFF));
    k.Fill(f.Box(23, 2, 26, 14), Style::Green);
    k.Fill(f.Box(18.5, 6.5, 30.5, 9.5), Style::Green);
}

void DrawBack(TInk& k, const TFrame& f) { DrawArrow(k, f, 180, Style::Blue); }

void DrawUp(TInk& k, const TFrame& f)
{
    DrawFolder(k, TFrame{f.X, f.Y + f.L(2), f.Size}, false);
    k.Fill(f.Polygon({{16, 9}, {25, 18}, {19.5, 18}, {19.5, 27}, {12.5, 27}, {12.5, 18}, {7, 18}}), Style::Green);
}

void DrawViewStyle(TInk& k, const TFrame& f)
{
    for (double y : {4.0, 18.0})
        for (double x : {4.0, 18.0}) {
            k.Fill(f.Box(x, y, x + 10, y + 10), Style::Ink);
            k.Fill(f.Box(x + 2, y + 2, x + 8, y + 8), x == 4 && y == 4 ? Style::Blue : Rgb(0xFFFFFF));
        }
}

void DrawStretch(TInk& k, const TFrame& f)
{
    k.Fill(f.Box(2, 2, 30, 30), Style::InkSoft);
    k.Fill(f.Box(4, 4, 28, 28), Rgb(0xFFFFFF));
    k.Fill(f.Stroke({{9, 9}, {23, 23}}, 3), Style::Blue);
    k.Fill(f.Polygon({{6, 6}, {15, 6}, {6, 15}}), Style::Blue);
    k.Fill(f.Polygon({{26, 26}, {17, 26}, {26, 17}}), Style::Blue);
}

}  // namespace

void AddControlGlyphs(TCatalog& Catalog)
{
    // The slider's default bitmaps, 16 colours, two thumb states side by side.
    {
        TInk k(18, 17);
        DrawThumb(k, 0, 16, 9, 5, false, true);
        DrawThumb(k, 9, 16, 9, 5, true, true);
        Catalog.AddSixteen("BS_HTB", k);
    }
    {
        TInk k(10, 8);
        DrawGroove(k, 10, true);
        Catalog.AddSixteen("BS_HRL", k);
    }
    {
        TInk k(38, 9);
        DrawThumb(k, 0, 18, 9, 5, false, false);
        DrawThumb(k, 19, 18, 9, 5, true, false);
        Catalog.AddSixteen("BS_VTB", k);
    }
    {
        TInk k(8, 10);
        DrawGroove(k, 10, false);
        Catalog.AddSixteen("BS_VRL", k);
    }

    struct TEntry {
        const char* Name;
        int Width, Height;
        std::function<void(TInk&, const TFrame&)> Draw;
    };
    const TEntry entries[] = {
        {"BS_FLOPPY", 16, 16, [](TInk& k, const TFrame& f) { DrawFloppy(k, f); }},
        {"BS_HARD", 16, 16, [](TInk& k, const TFrame& f) { DrawHardDisk(k, f); }},
        {"BS_NETWORK", 16, 16, DrawNetworkDrive},
        {"BS_CDROM", 16, 16, [](TInk& k, const TFrame& f) { DrawDisc(k, f); }},
        {"BS_RAM", 16, 11, DrawRam},
        {"BS_CLOSEDFOLDER", 16, 15, [](TInk& k, const TFrame& f) { DrawFolder(k, f, false); }},
        {"BS_OPENFOLDER", 16, 15, [](TInk& k, const TFrame& f) { DrawFolder(k, f, true); }},
        {"BS_CURRENTFOLDER", 16, 15, DrawCurrentFolder},
        {"BS_NEWFOLDER", 16, 16, DrawNewFolder},
        {"BS_BACK", 16, 16, DrawBack},
        {"BS_UP", 16, 16, DrawUp},
        {"BS_LVSTYLE", 16, 16, DrawViewStyle},
        {"BS_STRETCH", 16, 16, DrawStretch},
    };
    for (const TEntry& e : entries) {
        TInk k(e.Width, e.Height);
        // Pictures one row short of square drop their empty top row.
        e.Draw(k, TFrame{0, double(e.Height - e.Width), 16});
        Catalog.AddKeyed(e.Name, k);
    }
}
