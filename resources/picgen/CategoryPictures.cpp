#include <cmath>
#include <string>
#include "resources/picgen/Catalog.h"
#include "resources/picgen/Pictograms.h"
#include "resources/picgen/Style.h"

namespace {

using Style::White;

// What a category picture shows: a pictogram on a tile of its group's
// colour, and for the container formats a label naming them.
enum TMotif { mFilm, mNote, mWave, mHdScreen, mDisc, mCamcorder, mFlash, mPhone, mSmartPhone, mKeyPhone, mPlayer,
              mMediaPlayer, mTablet, mWideTablet,
              mHandheld, mGamepad, mTvBox, mTv, mSetTopBox };

struct TCategory {
    int Code;
    TMotif Motif;
    TInkColor Colour;
    const char* Label;   // empty: the pictogram alone
};

// Groups: video containers blue, audio green, HD purple, discs orange,
// camcorders teal, web video red, phones slate blue (Android ones green),
// players pink, consoles graphite, tablets and TVs indigo, RealMedia wine.
const TCategory Categories[35] = {
    {0, mFilm, Style::Blue, ""},          // common video
    {1, mNote, Style::Green, ""},         // common audio
    {2, mHdScreen, Style::Purple, "HD"},  // HD video
    {3, mPlayer, Style::Pink, ""},        // music players with video
    {4, mPhone, Rgb(0x3D6FB8), ""},       // phones of one maker
    {5, mHandheld, Style::Graphite, ""},  // handheld console
    {6, mKeyPhone, Rgb(0x3D6FB8), "3GP"}, // 3GPP and mobile phones
    {7, mTvBox, Style::Indigo, ""},       // a TV box
    {8, mGamepad, Style::Graphite, ""},   // a game console
    {9, mMediaPlayer, Style::Pink, ""},   // portable players
    {10, mFilm, Style::Blue, "MP4"},
    {11, mFlash, Style::Red, "FLV"},
    {12, mTablet, Style::Indigo, ""},
    {13, mFilm, Style::Blue, "MPG"},
    {14, mFlash, Style::Red, "SWF"},
    {15, mFilm, Style::Blue, "AVI"},
    {16, mFilm, Style::Blue, "MKV"},
    {17, mFilm, Style::Blue, "WMV"},
    {18, mFilm, Style::Blue, "ASF"},
    {19, mPhone, Style::Green, ""},        // Android phones
    {20, mDisc, Style::Orange, "VOB"},
    {21, mCamcorder, Style::Teal, "MTS"},
    {22, mCamcorder, Style::Teal, "MOD"},
    {23, mFilm, Style::Wine, "RM"},
    {24, mDisc, Style::Orange, "DVD"},
    {25, mFilm, Style::Blue, "MOV"},
    {26, mHdScreen, Style::Purple, "264"},
    {27, mCamcorder, Style::Purple, "HD"},
    {28, mNote, Style::Green, "WMA"},
    {29, mNote, Style::Green, "MP3"},
    {30, mWave, Style::Green, "WAV"},
    {31, mSmartPhone, Rgb(0x3D6FB8), ""},  // smartphones
    {32, mWideTablet, Style::Indigo, ""},  // tablets
    {33, mTv, Style::Indigo, ""},          // smart TVs
    {34, mSetTopBox, Style::Indigo, ""},   // network set-top boxes
};

void DrawPhone(TInk& k, const TFrame& f, bool keys)
{
    k.Fill(f.RoundRect(9, 2, 23, 30, 3), White);
    if (keys) {
        k.Fill(f.Box(11, 5, 21, 14), Style::Ink);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                k.Fill(f.Box(11.5 + c * 3.5, 16.5 + r * 3.8, 13.5 + c * 3.5, 18.5 + r * 3.8), Style::InkSoft);
    } else {
        k.Fill(f.Box(11, 5.5, 21, 25), Style::Ink);
        k.Fill(f.Circle(16, 27.6, 1.2), Style::InkSoft);
    }
}

// A phone whose screen shows a grid of programs.
void DrawSmartPhone(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(9, 2, 23, 30, 3), White);
    k.Fill(f.RoundRect(10.5, 4, 21.5, 28, 1.5), Style::Ink);
    const TInkColor apps[] = {Style::Orange, Style::Green, Rgb(0x6FB3F5), Style::Pink, Style::Yellow, Style::Teal};
    for (int i = 0; i < 6; ++i) {
        const double x = 12 + (i % 2) * 4.5, y = 7 + (i / 2) * 5;
        k.Fill(f.RoundRect(x, y, x + 3.2, y + 3.2, 0.8), apps[i]);
    }
}

// A player held sideways: a wide screen and round controls beside it.
void DrawMediaPlayer(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(1.5, 8, 30.5, 24, 4), White);
    k.Fill(f.Box(5, 10.5, 21, 21.5), Style::Ink);
    DrawPlayMark(k, TFrame{f.P(8.5, 11).X, f.P(8.5, 11).Y, f.L(9)}, White);
    k.Fill(f.Circle(25.8, 16, 2.6), Rgb(0xC9D1DC));
}

void DrawWideTablet(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(1.5, 6, 30.5, 26, 3), White);
    k.Fill(f.Box(4.5, 8.5, 26, 23.5), Style::Ink);
    k.Fill(f.Circle(28.2, 16, 1.1), Style::InkSoft);
}

void DrawTablet(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(5, 3, 27, 30, 3), White);
    k.Fill(f.Box(7.5, 6, 24.5, 26), Style::Ink);
    k.Fill(f.Circle(16, 28, 1.1), Style::InkSoft);
}

void DrawPlayer(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(8, 2, 24, 30, 3), White);
    k.Fill(f.Box(10.5, 4.5, 21.5, 14), Style::Ink);
    k.Fill(f.Circle(16, 22, 5.5), Rgb(0xC9D1DC));
    k.Fill(f.Circle(16, 22, 2.2), White);
}

void DrawHandheld(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(1, 9, 31, 23, 6.5), White);
    k.Fill(f.Box(9, 11, 23, 21), Style::Ink);
    k.Fill(f.Box(3, 15, 8, 17), Style::InkSoft);
    k.Fill(f.Box(4.5, 13.5, 6.5, 18.5), Style::InkSoft);
    k.Fill(f.Circle(26.5, 14.5, 1.2), Style::InkSoft);
    k.Fill(f.Circle(26.5, 18, 1.2), Style::InkSoft);
}

void DrawGamepad(TInk& k, const TFrame& f)
{
    k.Fill(Union(f.RoundRect(3, 9, 29, 20, 5.5), Union(f.Circle(8.5, 20.5, 5.5), f.Circle(23.5, 20.5, 5.5))), White);
    k.Fill(f.Box(6, 14, 12, 16.5), Style::Ink);
    k.Fill(f.Box(7.75, 12.25, 10.25, 18.25), Style::Ink);
    k.Fill(f.Circle(21, 15, 1.5), Style::Green);
    k.Fill(f.Circle(24.5, 12.5, 1.5), Style::Orange);
    k.Fill(f.Circle(24.5, 17.5, 1.5), Style::Blue);
    k.Fill(f.Circle(28, 15, 1.5), Style::Red);
}

void DrawTvBox(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(4, 9, 28, 23, 4), White);
    DrawPlayMark(k, TFrame{f.P(10, 10).X, f.P(10, 10).Y, f.L(12)}, Style::Ink);
}

void DrawTv(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(2, 5, 30, 24, 2), White);
    k.Fill(f.Box(4, 7, 28, 22), Style::Ink);
    k.Fill(f.Box(14.5, 24, 17.5, 27), White);
    k.Fill(f.RoundRect(9, 27, 23, 29, 1), White);
}

void DrawSetTopBox(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(3, 17, 29, 26, 2), White);
    k.Fill(f.Circle(24.5, 21.5, 1.4), Style::Green);
    k.Fill(f.Box(6, 21, 16, 22.5), Style::InkSoft);
    // Waves over the box: it is on the network.
    const TPt c = f.P(16, 16);
    for (double r : {5.0, 9.5})
        k.Fill(Intersect(::Ring(c.X, c.Y, f.L(r), f.W(2.4)), ::Polygon({c, f.P(4, 0), f.P(28, 0)})), White);
}

void DrawHdScreen(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(2, 4, 30, 24, 2), White);
    k.Fill(f.Box(4, 6, 28, 22), Style::Ink);
    k.Fill(f.Box(14.5, 24, 17.5, 27), White);
    k.Fill(f.RoundRect(9, 27, 23, 29, 1), White);
    DrawPlayMark(k, TFrame{f.P(11, 9).X, f.P(11, 9).Y, f.L(10)}, White);
}

void DrawCamcorder(TInk& k, const TFrame& f)
{
    k.Fill(f.RoundRect(2, 9, 22, 25, 3), White);
    k.Fill(f.Polygon({{21, 14}, {30, 9.5}, {30, 24.5}, {21, 20}}), White);
    k.Fill(f.Circle(8, 14, 2.6), Style::Ink);
    k.Fill(f.Circle(8, 14, 1), White);
    k.Fill(f.Circle(17, 14, 1.6), Style::Red);
}

void DrawFlash(TInk& k, const TFrame& f)
{
    k.Fill(f.Polygon({{18, 2}, {7, 18}, {15, 18}, {12, 30}, {25, 12}, {17, 12}, {21, 2}}), White);
}

void DrawWave(TInk& k, const TFrame& f)
{
    const double heights[] = {5, 10, 16, 22, 14, 24, 18, 9, 13, 6};
    for (int i = 0; i < 10; ++i) {
        const double x = 4 + i * 2.5, h = heights[i] * 0.9;
        k.Fill(f.RoundRect(x, 16 - h / 2, x + 1.8, 16 + h / 2, 0.9), White);
    }
}

void DrawMotif(TInk& k, const TFrame& f, const TCategory& c)
{
    switch (c.Motif) {
        case mFilm: DrawFilmMark(k, f, White, c.Colour); break;
        case mNote: DrawNoteMark(k, f, White); break;
        case mWave: DrawWave(k, f); break;
        case mHdScreen: DrawHdScreen(k, f); break;
        case mDisc: DrawDisc(k, f); break;
        case mCamcorder: DrawCamcorder(k, f); break;
        case mFlash: DrawFlash(k, f); break;
        case mPhone: DrawPhone(k, f, false); break;
        case mSmartPhone: DrawSmartPhone(k, f); break;
        case mKeyPhone: DrawPhone(k, f, true); break;
        case mMediaPlayer: DrawMediaPlayer(k, f); break;
        case mPlayer: DrawPlayer(k, f); break;
        case mTablet: DrawTablet(k, f); break;
        case mWideTablet: DrawWideTablet(k, f); break;
        case mHandheld: DrawHandheld(k, f); break;
        case mGamepad: DrawGamepad(k, f); break;
        case mTvBox: DrawTvBox(k, f); break;
        case mTv: DrawTv(k, f); break;
        case mSetTopBox: DrawSetTopBox(k, f); break;
    }
}

void DrawCategory(TInk& k, int size, const TCategory& c)
{
    const TFrame f{0, 0, double(size)};
    const TPt a = f.P(1, 1), z = f.P(31, 31);
    k.Fill(::RoundRect(a.X, a.Y, z.X, z.Y, f.L(6)), Shade(c.Colour, -0.3));
    k.Fill(::RoundRect(a.X + 1, a.Y + 1, z.X - 1, z.Y - 1, f.L(6) - 1), VGradient(a.Y, z.Y, Shade(c.Colour, 0.3), c.Colour));
    const std::string label = c.Label;
    if (label.empty()) {
        DrawMotif(k, TFrame{f.L(5), f.L(5), f.L(22)}, c);
        return;
    }
    // Pictogram above, label on a white band below.
    DrawMotif(k, TFrame{f.L(9), f.L(2.5), f.L(14)}, c);
    const TShape band = f.RoundRect(4, 17.5, 28, 28.5, 2);
    k.Fill(band, White);
    const TPt mid = f.P(16, 23);
    k.Fill(Text(label, mid.X, mid.Y, f.L(label.size() > 2 ? 6.6 : 7.2)), Shade(c.Colour, -0.25));
}

}  // namespace

void AddCategoryPictures(TCatalog& Catalog)
{
    std::vector<std::string> large, small;
    for (const TCategory& c : Categories)
        for (int size : {48, 32}) {
            TInk k(size, size);
            DrawCategory(k, size, c);
            const std::string name = "CATEGORY_" + std::to_string(c.Code) + "_" + std::to_string(size);
            Catalog.AddAlpha(name, k);
            (size == 48 ? large : small).push_back(name);
        }
    Catalog.AddList("CATEGORIES", large);
    Catalog.AddList("FORMATS", small);
}
