#include <cmath>
#include "resources/picgen/Catalog.h"
#include "resources/picgen/Pictograms.h"
#include "resources/picgen/Style.h"

namespace {

// The program's emblem: a film frame on a blue tile and an orange badge
// with an arrow, a picture being converted.
void DrawEmblem(TInk& k, const TFrame& f)
{
    const TPt a = f.P(1, 1), z = f.P(31, 31);
    k.Fill(::RoundRect(a.X, a.Y, z.X, z.Y, f.L(7)), Shade(Style::Indigo, -0.3));
    k.Fill(::RoundRect(a.X + 1, a.Y + 1, z.X - 1, z.Y - 1, f.L(7) - 1), VGradient(a.Y, z.Y, Rgb(0x4F9BF0), Style::Indigo));
    DrawFilmMark(k, TFrame{f.L(1), f.L(0), f.L(26)}, Rgb(0xFFFFFF), Rgb(0x3F7FE0));
    // The badge, ringed in the tile's colour so it stands off the frame.
    const TPt c = f.P(22.5, 22.5);
    k.Fill(::Circle(c.X, c.Y, f.L(8.5)), Shade(Style::Indigo, -0.1));
    k.Fill(::Circle(c.X, c.Y, f.L(8.5) - std::max(1.0, f.L(1.2))), VGradient(c.Y - f.L(8), c.Y + f.L(8), Rgb(0xFFB347), Style::Orange));
    DrawArrow(k, TFrame{c.X - f.L(6), c.Y - f.L(6), f.L(12)}, 0, Rgb(0xFFFFFF));
}

void DrawRoundSign(TInk& k, const TFrame& f, TInkColor colour)
{
    const TPt c = f.P(16, 16);
    k.Fill(::Circle(c.X, c.Y, f.L(15)), Shade(colour, -0.3));
    k.Fill(::Circle(c.X, c.Y, f.L(15) - 1), VGradient(c.Y - f.L(15), c.Y + f.L(15), Shade(colour, 0.3), colour));
}

void DrawHand(TInk& k, const TFrame& f)
{
    DrawRoundSign(k, f, Style::Red);
    k.Fill(f.Stroke({{10.5, 10.5}, {21.5, 21.5}}, 3.6), Rgb(0xFFFFFF));
    k.Fill(f.Stroke({{21.5, 10.5}, {10.5, 21.5}}, 3.6), Rgb(0xFFFFFF));
}

void DrawQuestion(TInk& k, const TFrame& f)
{
    DrawRoundSign(k, f, Style::Blue);
    const TPt c = f.P(16, 15.5);
    k.Fill(Text("?", c.X, c.Y, f.L(17)), Rgb(0xFFFFFF));
}

void DrawAsterisk(TInk& k, const TFrame& f)
{
    DrawRoundSign(k, f, Style::Blue);
    k.Fill(f.Circle(16, 8.8, 2.4), Rgb(0xFFFFFF));
    k.Fill(f.RoundRect(13.8, 13, 18.2, 25, 1), Rgb(0xFFFFFF));
}

void DrawExclamation(TInk& k, const TFrame& f)
{
    k.Fill(f.Stroke({{16, 3.5}, {29.2, 27}, {2.8, 27}, {16, 3.5}}, 4), Shade(Style::Orange, -0.2));
    k.Fill(f.Polygon({{16, 4}, {28.6, 27}, {3.4, 27}}), VGradient(f.P(0, 4).Y, f.P(0, 27).Y, Rgb(0xFFD966), Rgb(0xF5B21B)));
    k.Fill(f.Polygon({{14.2, 10}, {17.8, 10}, {17.1, 20}, {14.9, 20}}), Style::Ink);
    k.Fill(f.Circle(16, 23.2, 1.9), Style::Ink);
}

}  // namespace

void AddProgramPictures(TCatalog& Catalog)
{
    for (int size : {16, 32, 48}) {
        TInk k(size, size);
        DrawEmblem(k, TFrame{0, 0, double(size)});
        Catalog.AddAlpha("MAINICON_" + std::to_string(size), k);
    }
    // The about dialog's picture: the emblem, larger.
    TInk about(64, 64);
    DrawEmblem(about, TFrame{0, 0, 64});
    Catalog.AddAlpha("Image1", about);

    const std::pair<const char*, void (*)(TInk&, const TFrame&)> icons[] = {
        {"ICON_HAND", DrawHand},
        {"ICON_QUESTION", DrawQuestion},
        {"ICON_EXCLAMATION", DrawExclamation},
        {"ICON_ASTERISK", DrawAsterisk},
    };
    for (const auto& [name, draw] : icons)
        for (int size : {16, 32}) {
            TInk k(size, size);
            draw(k, TFrame{0, 0, double(size)});
            Catalog.AddAlpha(std::string(name) + "_" + std::to_string(size), k);
        }
}
