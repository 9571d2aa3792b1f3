#include "resources/picgen/Catalog.h"
#include "resources/picgen/Pictograms.h"
#include "resources/picgen/Style.h"

namespace {

// A document with a coloured band across its lower half carrying a mark.
void DrawTypedDocument(TInk& k, const TFrame& f, TInkColor band, const std::function<void(const TFrame&)>& mark)
{
    DrawDocument(k, f);
    k.Fill(f.RoundRect(8.5, 13, 24.5, 27.5, 1.5), band);
    // The mark, drawn in a frame fitted to the band.
    const double s = f.Size * 12 / 32;
    mark(TFrame{f.P(16, 20.25).X - s / 2, f.P(16, 20.25).Y - s / 2, s});
}

void DrawTextDocument(TInk& k, const TFrame& f)
{
    DrawDocument(k, f);
    const double step = f.Size >= 24 ? 4 : 6;
    for (double y = 12; y <= 26; y += step)
        k.Fill(f.Box(10, y, y < 25 ? 23 : 18, y + (f.Size >= 24 ? 1.6 : 2)), Style::InkSoft);
}

void DrawImageMark(TInk& k, const TFrame& m)
{
    k.Fill(m.Circle(22, 9, 4), Style::Yellow);
    k.Fill(m.Polygon({{0, 30}, {11, 12}, {19, 24}, {23, 18}, {32, 30}}), Rgb(0xFFFFFF));
}

void DrawArchiveDocument(TInk& k, const TFrame& f)
{
    DrawDocument(k, f);
    // A zipper down the middle, with its pull.
    const double w = f.Size >= 24 ? 2 : 4;
    for (double y = 3; y < 20; y += w) {
        const bool left = int((y - 3) / w) % 2 == 0;
        k.Fill(f.Box(left ? 14 : 16, y, left ? 16 : 18, y + w), Style::Ink);
    }
    k.Fill(f.RoundRect(12.5, 19, 19.5, 27, 1.5), Style::Orange);
    k.Fill(f.Box(14.5, 22, 17.5, 24.5), Rgb(0xFFFFFF));
}

void DrawProgramDocument(TInk& k, const TFrame& f)
{
    // An application window: a title bar and a body.
    k.Fill(f.RoundRect(2, 5, 30, 28, 2), Style::Ink);
    const TPt a = f.P(2, 5), z = f.P(30, 28);
    k.Fill(::Box(a.X + 1, f.P(0, 11).Y, z.X - 1, z.Y - 1), VGradient(a.Y, z.Y, Rgb(0xFFFFFF), Rgb(0xE6EBF1)));
    k.Fill(::RoundRect(a.X + 1, a.Y + 1, z.X - 1, f.P(0, 11).Y, 1), Style::Blue);
    k.Fill(f.Box(6, 15, 14, 23), Style::Blue, 0.35);
    k.Fill(f.Box(17, 15, 26, 16.8), Style::InkSoft);
    k.Fill(f.Box(17, 19, 24, 20.8), Style::InkSoft);
}

void DrawDesktop(TInk& k, const TFrame& f)
{
    // The desktop surface with a few icons and a task bar.
    k.Fill(f.RoundRect(1, 4, 31, 28, 2), Rgb(0x1F5FA8));
    const TPt a = f.P(1, 4), z = f.P(31, 28);
    k.Fill(::RoundRect(a.X + 1, a.Y + 1, z.X - 1, z.Y - 1, 1), VGradient(a.Y, z.Y, Rgb(0x7CC0F4), Style::Blue));
    k.Fill(f.Box(2, 23.5, 30, 27), Rgb(0x24313F));
    k.Fill(f.Box(4, 7, 9, 11.5), Style::Yellow);
    k.Fill(f.Box(4, 14, 9, 18.5), Rgb(0xFFFFFF));
    if (f.Size >= 24)
        k.Fill(f.Box(12, 7, 17, 11.5), Rgb(0xFFFFFF));
    k.Fill(f.Box(3.5, 24.5, 7, 26), Style::Green);
}

void DrawNetwork(TInk& k, const TFrame& f)
{
    // A globe over a network plug: a place reached over the network.
    DrawGlobe(k, TFrame{f.X + f.L(2), f.Y, f.L(28)});
    k.Fill(f.Box(14.5, 26, 17.5, 29), Style::Ink);
    k.Fill(f.RoundRect(4, 28, 28, 31, 1), Style::Ink);
}

using TDraw = std::function<void(TInk&, const TFrame&)>;

}  // namespace

void AddShellIcons(TCatalog& Catalog)
{
    const std::pair<const char*, TDraw> icons[] = {
        {"SHELL_FOLDER", [](TInk& k, const TFrame& f) { DrawFolder(k, f, false); }},
        {"SHELL_FOLDER_OPEN", [](TInk& k, const TFrame& f) { DrawFolder(k, f, true); }},
        {"SHELL_HOME", [](TInk& k, const TFrame& f) { DrawHouse(k, f); }},
        {"SHELL_DESKTOP", DrawDesktop},
        {"SHELL_COMPUTER", [](TInk& k, const TFrame& f) { DrawMonitor(k, f); }},
        {"SHELL_DISK", [](TInk& k, const TFrame& f) { DrawHardDisk(k, f); }},
        {"SHELL_REMOVABLE", [](TInk& k, const TFrame& f) { DrawUsbStick(k, f); }},
        {"SHELL_OPTICAL", [](TInk& k, const TFrame& f) { DrawDisc(k, f); }},
        {"SHELL_NETWORK", DrawNetwork},
        {"SHELL_FILE", [](TInk& k, const TFrame& f) { DrawDocument(k, f); }},
        {"SHELL_FILE_VIDEO",
         [](TInk& k, const TFrame& f) {
             DrawTypedDocument(k, f, Style::Blue, [&](const TFrame& m) { DrawPlayMark(k, m, Rgb(0xFFFFFF)); });
         }},
        {"SHELL_FILE_AUDIO",
         [](TInk& k, const TFrame& f) {
             DrawTypedDocument(k, f, Style::Green, [&](const TFrame& m) { DrawNoteMark(k, m, Rgb(0xFFFFFF)); });
         }},
        {"SHELL_FILE_IMAGE",
         [](TInk& k, const TFrame& f) {
             DrawTypedDocument(k, f, Style::Teal, [&](const TFrame& m) { DrawImageMark(k, m); });
         }},
        {"SHELL_FILE_TEXT", DrawTextDocument},
        {"SHELL_FILE_ARCHIVE", DrawArchiveDocument},
        {"SHELL_FILE_PROGRAM", DrawProgramDocument},
    };
    for (const auto& [name, draw] : icons)
        for (int size : {16, 32}) {
            TInk k(size, size);
            draw(k, TFrame{0, 0, double(size)});
            Catalog.AddAlpha(std::string(name) + "_" + std::to_string(size), k);
        }
}
