#include "resources/picgen/Pictograms.h"
#include <cmath>
#include "resources/picgen/Style.h"

TInkColor Plain(TInkColor c) { return c; }

TShape TFrame::RoundRect(double l, double t, double r, double b, double radius) const
{
    const TPt a = P(l, t), z = P(r, b);
    return ::RoundRect(a.X, a.Y, z.X, z.Y, L(radius));
}

TShape TFrame::Box(double l, double t, double r, double b) const
{
    const TPt a = P(l, t), z = P(r, b);
    return ::Box(a.X, a.Y, z.X, z.Y);
}

TShape TFrame::Circle(double cx, double cy, double radius) const
{
    const TPt c = P(cx, cy);
    return ::Circle(c.X, c.Y, L(radius));
}

TShape TFrame::Polygon(std::initializer_list<TPt> designPoints) const
{
    std::vector<TPt> pts;
    for (const TPt& p : designPoints)
        pts.push_back(P(p.X, p.Y));
    return ::Polygon(std::move(pts));
}

TShape TFrame::Stroke(std::initializer_list<TPt> designPoints, double width) const
{
    std::vector<TPt> pts;
    for (const TPt& p : designPoints)
        pts.push_back(P(p.X, p.Y));
    return ::Stroke(std::move(pts), W(width));
}

namespace {

// A rounded box with a one-pixel edge a shade darker than its face.
void EdgedBox(TInk& k, const TFrame& f, double l, double t, double r, double b, double radius, TInkColor top,
              TInkColor bottom, TInkColor edge)
{
    const TPt a = f.P(l, t), z = f.P(r, b);
    k.Fill(::RoundRect(a.X, a.Y, z.X, z.Y, f.L(radius)), edge);
    k.Fill(::RoundRect(a.X + 1, a.Y + 1, z.X - 1, z.Y - 1, std::max(0.0, f.L(radius) - 1)),
           VGradient(a.Y + 1, z.Y - 1, top, bottom));
}

}  // namespace

void DrawFolder(TInk& k, const TFrame& f, bool open, const TTone& tone)
{
    const TInkColor back = tone(Style::FolderBack), front = tone(Style::Yellow);
    const TInkColor edge = tone(Shade(Style::FolderBack, -0.25));
    // The back with its tab.
    k.Fill(f.RoundRect(2, 4, 14, 10, 2), edge);
    const double right = open ? 27 : 30;
    k.Fill(f.RoundRect(2, 7, right, 28, 2.5), edge);
    const TPt a = f.P(2, 4);
    k.Fill(::RoundRect(a.X + 1, a.Y + 1, f.P(14, 0).X - 1, f.P(0, 10).Y, std::max(0.0, f.L(2) - 1)), back);
    k.Fill(::RoundRect(a.X + 1, f.P(0, 7).Y + 1, f.P(right, 0).X - 1, f.P(0, 28).Y - 1, std::max(0.0, f.L(2.5) - 1)),
           back);
    if (!open) {
        EdgedBox(k, f, 2, 11, 30, 28, 2.5, Shade(front, 0.35), front, edge);
        return;
    }
    // A sheet in the open folder, and the front tipped forward: its top edge
    // lies well to the right of its bottom edge, so it reads as open.
    EdgedBox(k, f, 5, 8, 25, 22, 1, tone(Style::Paper), tone(Style::PaperShade), tone(Style::InkSoft));
    const TPt p0 = f.P(9, 14), p1 = f.P(31.5, 14), p2 = f.P(26, 28), p3 = f.P(2, 28);
    k.Fill(::Polygon({p0, p1, p2, p3}), edge);
    k.Fill(::Polygon({{p0.X + 1, p0.Y + 1}, {p1.X - 1.5, p1.Y + 1}, {p2.X - 0.7, p2.Y - 1}, {p3.X + 1.4, p3.Y - 1}}),
           VGradient(p0.Y, p3.Y, Shade(front, 0.35), front));
}

void DrawDocument(TInk& k, const TFrame& f, const TTone& tone)
{
    // A sheet with a folded top-right corner.
    const TInkColor edge = tone(Style::InkSoft);
    const TShape sheet = f.Polygon({{6, 2}, {20, 2}, {27, 9}, {27, 30}, {6, 30}});
    k.Fill(sheet, edge);
    const TPt a = f.P(6, 2), c = f.P(27, 30);
    const double fold = f.L(7);
    k.Fill(::Polygon({{a.X + 1, a.Y + 1},
                      {c.X - fold - 0.5, a.Y + 1},
                      {c.X - 1, a.Y + fold + 0.5},
                      {c.X - 1, c.Y - 1},
                      {a.X + 1, c.Y - 1}}),
           VGradient(a.Y, c.Y, tone(Style::Paper), tone(Rgb(0xEEF1F5))));
    k.Fill(::Polygon({{c.X - fold - 0.5, a.Y}, {c.X - fold - 0.5, a.Y + fold + 0.5}, {c.X, a.Y + fold + 0.5}}), edge);
    k.Fill(::Polygon({{c.X - fold + 0.5, a.Y + 1.5}, {c.X - fold + 0.5, a.Y + fold - 0.5}, {c.X - 1.5, a.Y + fold - 0.5}}),
           tone(Style::PaperShade));
}

void DrawHardDisk(TInk& k, const TFrame& f, const TTone& tone)
{
    EdgedBox(k, f, 1, 8, 31, 26, 3, tone(Rgb(0xC4CCD7)), tone(Rgb(0x8994A3)), tone(Style::Ink));
    k.Fill(f.Box(3.5, 17, 28.5, 17 + f.W(1.2) * 32 / f.Size), tone(Rgb(0x6F7A89)));
    k.Fill(f.Box(5, 21, 18, 21 + f.W(1.5) * 32 / f.Size), tone(Style::InkSoft));
    k.Fill(f.Circle(25, 21.8, 1.9), tone(Style::Green));
}

void DrawDisc(TInk& k, const TFrame& f, const TTone& tone)
{
    const TPt c = f.P(16, 16);
    k.Fill(::Circle(c.X, c.Y, f.L(14.5)), tone(Style::InkSoft));
    k.Fill(::Circle(c.X, c.Y, f.L(14.5) - 1), VGradient(c.Y - f.L(14), c.Y + f.L(14), tone(Rgb(0xF4F7FB)), tone(Rgb(0xB8C6D8))));
    // A coloured sheen across the data side.
    k.Fill(Intersect(::Ring(c.X, c.Y, f.L(9.5), f.L(7)), ::Polygon({c, f.P(32, -4), f.P(32, 16)})), tone(Rgb(0x9FD0F2)), 0.8);
    k.Fill(Intersect(::Ring(c.X, c.Y, f.L(9.5), f.L(7)), ::Polygon({c, f.P(0, 36), f.P(0, 16)})), tone(Rgb(0xC5B8F0)), 0.8);
    k.Fill(::Circle(c.X, c.Y, f.L(4.5)), tone(Style::InkSoft));
    k.Fill(::Circle(c.X, c.Y, f.L(4.5) - 1), tone(Rgb(0xDCE3EC)));
    k.Erase(::Circle(c.X, c.Y, f.L(2)));
}

void DrawUsbStick(TInk& k, const TFrame& f, const TTone& tone)
{
    // Connector at the top, body below.
    EdgedBox(k, f, 10, 2, 22, 11, 1, tone(Rgb(0xE9EDF2)), tone(Rgb(0xC3CBD5)), tone(Style::InkSoft));
    k.Fill(f.Box(13, 5, 15, 7), tone(Style::InkSoft));
    k.Fill(f.Box(17, 5, 19, 7), tone(Style::InkSoft));
    EdgedBox(k, f, 7, 10, 25, 30, 3, tone(Shade(Style::Blue, 0.25)), tone(Style::Blue), tone(Shade(Style::Blue, -0.35)));
    k.Fill(f.Circle(16, 24, 2), tone(Rgb(0xFFFFFF)), 0.85);
}

void DrawGlobe(TInk& k, const TFrame& f, const TTone& tone)
{
    const TPt c = f.P(16, 16);
    const TInkColor sea = tone(Style::Blue);
    k.Fill(::Circle(c.X, c.Y, f.L(14)), tone(Shade(Style::Blue, -0.35)));
    k.Fill(::Circle(c.X, c.Y, f.L(14) - 1), VGradient(c.Y - f.L(14), c.Y + f.L(14), Shade(sea, 0.3), sea));
    const TInkColor line = tone(Rgb(0xFFFFFF));
    const double w = f.W(1.6);
    k.Fill(Intersect(::Circle(c.X, c.Y, f.L(13)), ::Minus(::Ellipse(c.X, c.Y, f.L(6) + w / 2, f.L(13)),
                                                          ::Ellipse(c.X, c.Y, f.L(6) - w / 2, f.L(13) - w))),
           line, 0.9);
    k.Fill(::Box(c.X - w / 2, c.Y - f.L(13), c.X + w / 2, c.Y + f.L(13)), line, 0.9);
    k.Fill(Intersect(::Circle(c.X, c.Y, f.L(13)), ::Box(c.X - f.L(14), c.Y - w / 2, c.X + f.L(14), c.Y + w / 2)), line, 0.9);
    if (f.Size >= 24) {
        k.Fill(Intersect(::Circle(c.X, c.Y, f.L(13)), ::Box(c.X - f.L(14), c.Y - f.L(7) - w / 2, c.X + f.L(14), c.Y - f.L(7) + w / 2)),
               line, 0.9);
        k.Fill(Intersect(::Circle(c.X, c.Y, f.L(13)), ::Box(c.X - f.L(14), c.Y + f.L(7) - w / 2, c.X + f.L(14), c.Y + f.L(7) + w / 2)),
               line, 0.9);
    }
}

void DrawMonitor(TInk& k, const TFrame& f, const TTone& tone)
{
    EdgedBox(k, f, 1, 3, 31, 23, 2, tone(Rgb(0x5A6475)), tone(Style::Ink), tone(Rgb(0x2A313B)));
    const TPt a = f.P(3, 5), z = f.P(29, 21);
    k.Fill(::Box(a.X, a.Y, z.X, z.Y), VGradient(a.Y, z.Y, tone(Rgb(0x6FB3F5)), tone(Style::Blue)));
    k.Fill(f.Polygon({{12, 23}, {20, 23}, {21.5, 28}, {10.5, 28}}), tone(Style::InkSoft));
    k.Fill(f.RoundRect(7, 27, 25, 30, 1), tone(Style::Ink));
}

void DrawHouse(TInk& k, const TFrame& f, const TTone& tone)
{
    const TInkColor roof = tone(Style::Red), wall = tone(Rgb(0xFFF6E6));
    EdgedBox(k, f, 6, 14, 26, 30, 1, wall, tone(Rgb(0xF1E2C6)), tone(Style::InkSoft));
    k.Fill(f.Stroke({{3, 16}, {16, 4}, {29, 16}}, 4.5), roof);
    k.Fill(f.Box(21, 4, 25, 11), roof);
    EdgedBox(k, f, 13, 20, 19, 30, 1, tone(Style::Blue), tone(Shade(Style::Blue, -0.2)), tone(Shade(Style::Blue, -0.4)));
}

void DrawFloppy(TInk& k, const TFrame& f, const TTone& tone)
{
    EdgedBox(k, f, 3, 3, 29, 29, 2, tone(Shade(Style::Indigo, 0.1)), tone(Style::Indigo), tone(Shade(Style::Indigo, -0.4)));
    k.Fill(f.Box(9, 4, 23, 12), tone(Rgb(0xD5DBE3)));
    k.Fill(f.Box(18, 5.5, 21, 10.5), tone(Style::InkSoft));
    k.Fill(f.RoundRect(7, 17, 25, 29, 1), tone(Rgb(0xFFFFFF)));
    k.Fill(f.Box(9, 20, 23, 21.5), tone(Rgb(0xB9C2CE)));
    k.Fill(f.Box(9, 24, 23, 25.5), tone(Rgb(0xB9C2CE)));
}

void DrawFilmMark(TInk& k, const TFrame& f, TInkColor c, TInkColor hole)
{
    k.Fill(f.RoundRect(4, 7, 28, 25, 2), c);
    for (int i = 0; i < 4; ++i) {
        const double x = 6.5 + i * 5.5;
        k.Fill(f.Box(x, 8.5, x + 2.5, 10.5), hole);
        k.Fill(f.Box(x, 21.5, x + 2.5, 23.5), hole);
    }
    k.Fill(f.Polygon({{13, 12}, {20.5, 16}, {13, 20}}), hole);
}

void DrawNoteMark(TInk& k, const TFrame& f, TInkColor c)
{
    k.Fill(f.Box(19, 5, 22, 22), c);
    k.Fill(f.Polygon({{19, 5}, {28, 8}, {28, 13}, {22, 11}}), c);
    const TPt h = f.P(15.5, 22.5);
    k.Fill(::Ellipse(h.X, h.Y, f.L(6), f.L(4.6)), c);
}

void DrawPlayMark(TInk& k, const TFrame& f, TInkColor c) { k.Fill(f.Polygon({{11, 7}, {25, 16}, {11, 25}}), c); }

void DrawArrow(TInk& k, const TFrame& f, double angleDegrees, TInkColor c)
{
    // An arrow pointing right, turned about the centre.
    const double a = angleDegrees * M_PI / 180, ca = std::cos(a), sa = std::sin(a);
    auto T = [&](double x, double y) {
        const double dx = x - 16, dy = y - 16;
        return f.P(16 + dx * ca - dy * sa, 16 + dx * sa + dy * ca);
    };
    k.Fill(::Polygon({T(4, 12.5), T(16, 12.5), T(16, 5), T(28, 16), T(16, 27), T(16, 19.5), T(4, 19.5)}), c);
}
