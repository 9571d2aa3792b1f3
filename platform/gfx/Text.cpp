#include "platform/gfx/Text.h"

#include <algorithm>
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/FontEngine.h"
#include "platform/gfx/Painter.h"
#include "platform/gfx/TextLayout.h"
#include "platform/gfx/Utf8.h"

using namespace gfx_detail;

namespace {

// Blends one glyph's coverage in the text colour; 32-bit pixels it touches
// get alpha 0, so text on zeroed pixels leaves its coverage in the colours.
void BlendGlyph(TPainter& p, const TGlyph& g, int sx, int sy, const TRect& limit, uint32_t color)
{
    if (g.Coverage.empty())
        return;
    TRect box = IntersectRect(Bounds(sx, sy, g.Width, g.Height), limit);
    if (box.IsEmpty())
        return;
    TBitmap& s = p.Surface();
    const TPixelFormat f = s.PixelFormat();
    const uint32_t tc[3] = {color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF};
    p.ForEachPart(box, [&](const TRect& part) {
        for (int y = part.Top; y < part.Bottom; ++y) {
            uint8_t* row = s.ScanLine(y);
            const uint8_t* cov = g.Coverage.data() + size_t(y - sy) * size_t(g.Width) - size_t(sx);
            for (int x = part.Left; x < part.Right; ++x) {
                const uint32_t a = cov[x];
                if (a == 0)
                    continue;
                if (f == pf1bit) {
                    if (a >= 128)
                        WritePixel(f, row, x, color);
                    continue;
                }
                uint8_t* d = row + x * (f == pf32bit ? 4 : 3);
                for (int c = 0; c < 3; ++c)
                    d[c] = uint8_t(Div255(tc[c] * a + d[c] * (255 - a)));
                if (f == pf32bit)
                    d[3] = 0;
            }
        }
    });
}

// Draws a laid-out run with its top-left cell corner at (x, y), logical
// coordinates, limited to clip (logical) when given.
void DrawRun(TDeviceContext& dc, TFontFace& face, int x, int y, const TRun& run, const TRect* clip)
{
    TPainter p(dc);
    if (!p.Valid())
        return;
    const TPoint o = p.Offset();
    const TRect everything{INT32_MIN / 4, INT32_MIN / 4, INT32_MAX / 4, INT32_MAX / 4};
    const TRect limit = clip ? clip->Offsetted(o.X, o.Y) : everything;
    const TRect logicalLimit = clip ? *clip : everything;
    const TTextMetric& m = face.Metrics();
    const uint32_t color = PenPixel(dc.TextColor());
    auto fill = [&](const TRect& r, uint32_t pixel) { p.FillRect(IntersectRect(r, logicalLimit), pixel); };

    if (dc.BkMode() == bkOpaque && run.Width() > 0)
        fill({x, y, x + run.Width(), y + m.Height}, PenPixel(dc.BkColor()));
    const int baseline = y + m.Ascent;
    for (size_t i = 0; i < run.Text.size(); ++i) {
        const TGlyph& g = face.Glyph(run.Text[i]);
        BlendGlyph(p, g, x + run.X[i] + g.Left + o.X, baseline - g.Top + o.Y, limit, color);
    }
    const int thick = face.LineThickness();
    const int underY = baseline + face.UnderlineOffset();
    if (face.Underline())
        fill({x, underY, x + run.Width(), underY + thick}, color);
    if (face.StrikeOut())
        fill({x, baseline + face.StrikeOutOffset(), x + run.Width(), baseline + face.StrikeOutOffset() + thick}, color);
    for (size_t i = 0; i < run.Text.size(); ++i)
        if (run.Marks[i])
            fill({x + run.X[i], underY, x + run.X[i + 1], underY + thick}, color);
}

TRun PlainRun(TFontFace& face, const std::string& text)
{
    std::u32string chars = DecodeUtf8(text);
    return LayoutRun(face, chars, std::vector<bool>(chars.size(), false), TTabs{});
}

TTabs TabsFor(TFontFace& face, const std::vector<int>& stops, int origin)
{
    TTabs tabs;
    tabs.Expand = true;
    tabs.Origin = origin;
    tabs.Every = face.Metrics().AveCharWidth * 8;
    if (stops.size() == 1 && stops[0] > 0)
        tabs.Every = stops[0];
    else if (stops.size() > 1)
        tabs.Stops = stops;
    return tabs;
}

}  // namespace

void TextOut(TDeviceContext& dc, int x, int y, const std::string& text)
{
    ExtTextOut(dc, x, y, 0, nullptr, text);
}

void ExtTextOut(TDeviceContext& dc, int x, int y, unsigned options, const TRect* r, const std::string& text)
{
    std::lock_guard<std::recursive_mutex> lock(TextMutex());
    if (r && (options & ETO_OPAQUE))
        TPainter(dc).FillRect(*r, PenPixel(dc.BkColor()));
    TFontFace& face = RealiseFont(dc.Font());
    DrawRun(dc, face, x, y, PlainRun(face, text), (r && (options & ETO_CLIPPED)) ? r : nullptr);
}

TSize GetTextExtent(TDeviceContext& dc, const std::string& text)
{
    std::lock_guard<std::recursive_mutex> lock(TextMutex());
    TFontFace& face = RealiseFont(dc.Font());
    return {PlainRun(face, text).Width(), face.Metrics().Height};
}

TTextMetric GetTextMetrics(TDeviceContext& dc)
{
    std::lock_guard<std::recursive_mutex> lock(TextMutex());
    return RealiseFont(dc.Font()).Metrics();
}

TSize TabbedTextOut(TDeviceContext& dc, int x, int y, const std::string& text, const std::vector<int>& tabStops, int tabOrigin)
{
    std::lock_guard<std::recursive_mutex> lock(TextMutex());
    TFontFace& face = RealiseFont(dc.Font());
    std::u32string chars = DecodeUtf8(text);
    TRun run = LayoutRun(face, chars, std::vector<bool>(chars.size(), false), TabsFor(face, tabStops, x - tabOrigin));
    DrawRun(dc, face, x, y, run, nullptr);
    return {run.Width(), face.Metrics().Height};
}

TSize GetTabbedTextExtent(TDeviceContext& dc, const std::string& text, const std::vector<int>& tabStops)
{
    std::lock_guard<std::recursive_mutex> lock(TextMutex());
    TFontFace& face = RealiseFont(dc.Font());
    std::u32string chars = DecodeUtf8(text);
    TRun run = LayoutRun(face, chars, std::vector<bool>(chars.size(), false), TabsFor(face, tabStops, 0));
    return {run.Width(), face.Metrics().Height};
}

int DrawText(TDeviceContext& dc, const std::string& text, TRect& r, unsigned flags)
{
    std::lock_guard<std::recursive_mutex> lock(TextMutex());
    TFontFace& face = RealiseFont(dc.Font());
    const int lineHeight = face.Metrics().Height;
    const bool singleLine = flags & DT_SINGLELINE;

    std::u32string chars;
    std::vector<bool> marks;
    std::u32string all = DecodeUtf8(text);
    if (flags & DT_NOPREFIX) {
        chars = all;
        marks.assign(chars.size(), false);
    } else {
        StripPrefixes(all, chars, marks, !(flags & DT_HIDEPREFIX));
    }
    if (chars.empty()) {
        if (flags & DT_CALCRECT) {
            r.Right = r.Left;
            r.Bottom = r.Top;
        }
        return 0;
    }

    TTabs tabs;
    tabs.Expand = flags & DT_EXPANDTABS;
    tabs.Every = face.Metrics().AveCharWidth * 8;
    const int maxWidth = r.Width();

    // Paragraphs end at CR, LF or CR LF unless the text is one line.
    std::vector<TRun> lines;
    size_t start = 0;
    auto paragraph = [&](size_t from, size_t to) {
        TRun run = LayoutRun(face, chars.substr(from, to - from),
                             std::vector<bool>(marks.begin() + ptrdiff_t(from), marks.begin() + ptrdiff_t(to)), tabs);
        if ((flags & DT_WORDBREAK) && !singleLine) {
            for (TRun& line : WrapParagraph(face, run, maxWidth, tabs))
                lines.push_back(std::move(line));
        } else {
            lines.push_back(std::move(run));
        }
    };
    if (singleLine) {
        paragraph(0, chars.size());
    } else {
        for (size_t i = 0; i < chars.size(); ++i) {
            if (chars[i] != U'\r' && chars[i] != U'\n')
                continue;
            paragraph(start, i);
            if (chars[i] == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n')
                ++i;
            start = i + 1;
        }
        if (start < chars.size())
            paragraph(start, chars.size());
    }
    for (TRun& line : lines) {
        if (flags & DT_PATH_ELLIPSIS)
            line = PathEllipsis(face, line, maxWidth, tabs);
        else if (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS))
            line = EndEllipsis(face, line, maxWidth, tabs);
    }

    const int total = int(lines.size()) * lineHeight;
    if (flags & DT_CALCRECT) {
        int widest = 0;
        for (const TRun& line : lines)
            widest = std::max(widest, line.Width());
        r.Right = r.Left + widest;
        r.Bottom = r.Top + total;
        return total;
    }

    int top = r.Top;
    if (singleLine && (flags & DT_VCENTER))
        top = r.Top + (r.Height() - lineHeight) / 2;
    else if (singleLine && (flags & DT_BOTTOM))
        top = r.Bottom - lineHeight;
    const TRect* clip = (flags & DT_NOCLIP) ? nullptr : &r;
    int y = top;
    for (const TRun& line : lines) {
        int x = r.Left;
        if (flags & DT_CENTER)
            x = r.Left + (maxWidth - line.Width()) / 2;
        else if (flags & DT_RIGHT)
            x = r.Right - line.Width();
        DrawRun(dc, face, x, y, line, clip);
        y += lineHeight;
    }
    if (singleLine && (flags & (DT_VCENTER | DT_BOTTOM)))
        return top - r.Top + total;
    return total;
}
