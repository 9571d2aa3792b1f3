#include <cmath>
#include "resources/picgen/Catalog.h"
#include "resources/picgen/Pictograms.h"
#include "resources/picgen/Style.h"

namespace {

// A round coloured button face for the tool bar's conversion commands.
void DrawDisc(TInk& k, const TFrame& f, TInkColor colour, const TTone& tone)
{
    const TPt c = f.P(16, 16);
    k.Fill(::Circle(c.X, c.Y, f.L(14)), tone(Shade(colour, -0.3)));
    k.Fill(::Circle(c.X, c.Y, f.L(14) - 1), VGradient(c.Y - f.L(14), c.Y + f.L(14), tone(Shade(colour, 0.3)), tone(colour)));
}

void DrawStart(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawDisc(k, f, Style::Green, tone);
    k.Fill(f.Polygon({{12.5, 9}, {23.5, 16}, {12.5, 23}}), tone(Rgb(0xFFFFFF)));
}

void DrawStop(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawDisc(k, f, Style::Red, tone);
    k.Fill(f.RoundRect(10.5, 10.5, 21.5, 21.5, 1.5), tone(Rgb(0xFFFFFF)));
}

void DrawPause(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawDisc(k, f, Style::Orange, tone);
    k.Fill(f.RoundRect(10.5, 9.5, 14.5, 22.5, 1), tone(Rgb(0xFFFFFF)));
    k.Fill(f.RoundRect(17.5, 9.5, 21.5, 22.5, 1), tone(Rgb(0xFFFFFF)));
}

void DrawResume(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawDisc(k, f, Style::Blue, tone);
    k.Fill(f.RoundRect(9.5, 9.5, 12.5, 22.5, 1), tone(Rgb(0xFFFFFF)));
    k.Fill(f.Polygon({{15, 9.5}, {24, 16}, {15, 22.5}}), tone(Rgb(0xFFFFFF)));
}

void DrawDelete(TInk& k, const TFrame& f, const TTone& tone)
{
    k.Fill(f.Stroke({{7, 7}, {25, 25}}, 6), tone(Shade(Style::Red, -0.1)));
    k.Fill(f.Stroke({{25, 7}, {7, 25}}, 6), tone(Shade(Style::Red, -0.1)));
}

void DrawRename(TInk& k, const TFrame& f, const TTone& tone)
{
    // A pencil writing on a line.
    k.Fill(f.Box(3, 27, 29, 30), tone(Style::InkSoft));
    k.Fill(f.Polygon({{20, 3}, {28, 11}, {12, 27}, {4, 27}, {4, 19}}), tone(Shade(Style::Orange, -0.35)));
    k.Fill(f.Polygon({{20, 5.5}, {25.5, 11}, {11, 25.5}, {5.5, 20}}), tone(Style::Yellow));
    k.Fill(f.Polygon({{4, 19}, {12, 27}, {4, 27}}), tone(Rgb(0xF3D9B1)));
    k.Fill(f.Polygon({{4, 23.5}, {7.5, 27}, {4, 27}}), tone(Style::Ink));
    k.Fill(f.Polygon({{20, 3}, {28, 11}, {25, 14}, {17, 6}}), tone(Style::Pink));
}

void DrawClear(TInk& k, const TFrame& f, const TTone& tone)
{
    // A waste bin.
    const TInkColor edge = tone(Style::Ink);
    k.Fill(f.RoundRect(12, 2, 20, 7, 1.5), edge);
    k.Fill(f.RoundRect(4, 5, 28, 10, 1.5), edge);
    k.Fill(f.Polygon({{6, 10}, {26, 10}, {24, 30}, {8, 30}}), edge);
    const TPt a = f.P(6, 10), b = f.P(24, 30);
    k.Fill(::Polygon({{a.X + 1, a.Y}, {f.P(26, 0).X - 1, a.Y}, {b.X - 1, b.Y - 1}, {f.P(8, 0).X + 1, b.Y - 1}}),
           VGradient(a.Y, b.Y, tone(Rgb(0xDDE3EA)), tone(Rgb(0xB4BECB))));
    for (double x : {11.5, 16.0, 20.5})
        k.Fill(f.Box(x - 1, 13, x + 1, 27), tone(Style::InkSoft));
}

// The preview's small buttons: coloured marks that read on a light face and
// on a dark one alike.
void DrawPlayerPlay(TInk& k, const TFrame& f, const TTone& tone)
{
    k.Fill(f.Polygon({{9, 5}, {27, 16}, {9, 27}}), tone(Style::Green));
}

// A mark with a darker rim, so that it keeps its edge on any face.
void DrawRimmed(TInk& k, const TFrame& f, double l, double t, double r, double b, TInkColor colour, const TTone& tone)
{
    k.Fill(f.RoundRect(l, t, r, b, 2), tone(Shade(colour, -0.35)));
    k.Fill(f.RoundRect(l + 2, t + 2, r - 2, b - 2, 1), tone(colour));
}

void DrawPlayerPause(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawRimmed(k, f, 6, 5, 14, 27, Style::Orange, tone);
    DrawRimmed(k, f, 18, 5, 26, 27, Style::Orange, tone);
}

void DrawPlayerStop(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawRimmed(k, f, 6, 6, 26, 26, Style::Red, tone);
}

// A loudspeaker on the left half; the sound-on face adds two waves, the muted
// face a red cross where the waves would be.
void DrawSpeaker(TInk& k, const TFrame& f, const TTone& tone)
{
    k.Fill(f.Polygon({{3, 11}, {9, 11}, {17, 4}, {17, 28}, {9, 21}, {3, 21}}), tone(Style::Blue));
}

void DrawPlayerSound(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawSpeaker(k, f, tone);
    k.Fill(f.Stroke({{21, 12}, {23, 16}, {21, 20}}, 2.5), tone(Style::Blue));
    k.Fill(f.Stroke({{25, 7}, {29, 16}, {25, 25}}, 2.5), tone(Style::Blue));
}

void DrawPlayerMute(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawSpeaker(k, f, tone);
    k.Fill(f.Stroke({{20, 11}, {30, 21}}, 3.5), tone(Style::Red));
    k.Fill(f.Stroke({{30, 11}, {20, 21}}, 3.5), tone(Style::Red));
}

// The tool bar's "添加": a sheet with a green plus badge.
void DrawAdd(TInk& k, const TFrame& f, const TTone& tone)
{
    DrawDocument(k, TFrame{f.X - f.L(3), f.Y, f.Size}, tone);
    const TPt c = f.P(23, 23);
    k.Fill(::Circle(c.X, c.Y, f.L(8.5)), tone(Shade(Style::Green, -0.3)));
    k.Fill(::Circle(c.X, c.Y, f.L(8.5) - 1), VGradient(c.Y - f.L(8), c.Y + f.L(8), tone(Shade(Style::Green, 0.25)), tone(Style::Green)));
    k.Fill(f.Box(22, 18, 24, 28), tone(Style::White));
    k.Fill(f.Box(18, 22, 28, 24), tone(Style::White));
}

// The tool bar's "选项": a gear.
void DrawOptions(TInk& k, const TFrame& f, const TTone& tone)
{
    const TInkColor body = tone(Style::Indigo);
    for (int i = 0; i < 8; ++i) {
        const double a = i * M_PI / 4;
        k.Fill(f.Stroke({{16 + 8 * std::cos(a), 16 + 8 * std::sin(a)}, {16 + 14 * std::cos(a), 16 + 14 * std::sin(a)}}, 5.5),
               body);
    }
    const TPt c = f.P(16, 16);
    k.Fill(::Circle(c.X, c.Y, f.L(11)), VGradient(c.Y - f.L(11), c.Y + f.L(11), tone(Shade(Style::Indigo, 0.35)), body));
    k.Fill(::Circle(c.X, c.Y, f.L(4.5)), tone(Style::PaperShade));
}

using TGlyph = void (*)(TInk&, const TFrame&, const TTone&);

}  // namespace

void AddButtonGlyphs(TCatalog& Catalog)
{
    // Name, size, drawing, and whether it is the disabled twin.
    struct TEntry {
        const char* Name;
        int Size;
        TGlyph Draw;
        bool Disabled;
    };
    const TEntry entries[] = {
        {"Image4", 32, DrawStart, true},   {"Image5", 32, DrawStart, false},
        {"Image6", 32, DrawPause, true},   {"Image7", 32, DrawPause, false},
        {"Image8", 32, DrawResume, true},  {"Image9", 32, DrawResume, false},
        {"Image10", 32, DrawStop, true},   {"Image11", 32, DrawStop, false},
        {"Image12", 16, DrawClear, true},  {"Image13", 16, DrawClear, false},
        {"Image14", 16, DrawDelete, true}, {"Image15", 16, DrawDelete, false},
        {"Image16", 16, DrawRename, false}, {"Image17", 16, DrawRename, true},
        {"PLAYER_PLAY", 16, DrawPlayerPlay, false},   {"PLAYER_PAUSE", 16, DrawPlayerPause, false},
        {"PLAYER_STOP", 16, DrawPlayerStop, false},   {"PLAYER_SOUND", 16, DrawPlayerSound, false},
        {"PLAYER_MUTE", 16, DrawPlayerMute, false},
        {"TOOL_ADD", 32, DrawAdd, false},             {"TOOL_OPTIONS", 32, DrawOptions, false},
    };
    for (const TEntry& e : entries) {
        TInk k(e.Size, e.Size);
        e.Draw(k, TFrame{0, 0, double(e.Size)}, e.Disabled ? TTone(Faded) : TTone(Plain));
        Catalog.AddKeyed(e.Name, k);
    }
}
