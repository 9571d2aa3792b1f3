#include "platform/gfx/TextLayout.h"

#include <algorithm>

namespace gfx_detail {

int TTabs::Next(int x) const
{
    if (Stops.size() > 1) {
        for (int s : Stops)
            if (s > x)
                return s;
    }
    int every = Every > 0 ? Every : 8;
    return (x >= 0 ? x / every + 1 : x / every) * every;
}

bool IsCjk(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x2FFFF);
}

TRun LayoutRun(TFontFace& face, const std::u32string& text, const std::vector<bool>& marks, const TTabs& tabs)
{
    TRun run;
    run.Text = text;
    run.Marks = marks;
    run.Marks.resize(text.size(), false);
    run.X.reserve(text.size() + 1);
    int x = 0;
    run.X.push_back(0);
    for (char32_t c : text) {
        if (c == U'\t' && tabs.Expand)
            x = tabs.Next(x + tabs.Origin) - tabs.Origin;
        else
            x += face.Advance(c);
        run.X.push_back(x);
    }
    return run;
}

void StripPrefixes(const std::u32string& in, std::u32string& out, std::vector<bool>& marks, bool showMarks)
{
    out.clear();
    marks.clear();
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] != U'&') {
            out.push_back(in[i]);
            marks.push_back(false);
            continue;
        }
        if (i + 1 >= in.size())
            break;
        ++i;
        out.push_back(in[i]);
        marks.push_back(in[i] != U'&' && showMarks);
    }
}

namespace {

TRun SubRun(TFontFace& face, const TRun& run, size_t from, size_t to, const TTabs& tabs)
{
    std::u32string text = run.Text.substr(from, to - from);
    std::vector<bool> marks(run.Marks.begin() + ptrdiff_t(from), run.Marks.begin() + ptrdiff_t(to));
    return LayoutRun(face, text, marks, tabs);
}

}  // namespace

std::vector<TRun> WrapParagraph(TFontFace& face, const TRun& paragraph, int maxWidth, const TTabs& tabs)
{
    std::vector<TRun> lines;
    const std::u32string& t = paragraph.Text;
    const size_t n = t.size();
    if (n == 0) {
        lines.push_back(LayoutRun(face, {}, {}, tabs));
        return lines;
    }
    size_t pos = 0;
    while (pos < n) {
        // Widths are measured from the line start, so tabs follow the line.
        TRun rest = SubRun(face, paragraph, pos, n, tabs);
        size_t end = n, next = n;
        bool haveBreak = false;
        size_t breakEnd = 0, breakNext = 0;
        for (size_t i = pos; i < n; ++i) {
            const char32_t c = t[i];
            const int right = rest.X[i - pos + 1];
            if (c != U' ' && right > maxWidth && i > pos) {
                if (IsCjk(c)) {
                    end = next = i;  // CJK text breaks between any two characters
                } else if (haveBreak) {
                    end = breakEnd;
                    next = breakNext;
                } else {
                    // A word longer than the line stays whole, as on the classic desktop.
                    size_t j = i;
                    while (j < n && t[j] != U' ' && !IsCjk(t[j]))
                        ++j;
                    end = next = j;
                }
                break;
            }
            if (c == U' ') {
                haveBreak = true;
                breakEnd = i;
                breakNext = i + 1;
            } else if (IsCjk(c)) {
                haveBreak = true;
                breakEnd = breakNext = i + 1;
            }
        }
        while (end > pos && t[end - 1] == U' ')
            --end;
        while (next < n && t[next] == U' ')
            ++next;
        if (next <= pos)
            next = end = pos + 1;
        lines.push_back(SubRun(face, paragraph, pos, end, tabs));
        pos = next;
    }
    return lines;
}

TRun EndEllipsis(TFontFace& face, const TRun& run, int maxWidth, const TTabs& tabs)
{
    if (run.Width() <= maxWidth)
        return run;
    const std::u32string dots = U"...";
    const int dotsWidth = face.Advance(U'.') * 3;
    size_t k = run.Text.size();
    while (k > 0 && run.X[k] + dotsWidth > maxWidth)
        --k;
    while (k > 0 && run.Text[k - 1] == U' ')
        --k;
    std::u32string text = run.Text.substr(0, k) + dots;
    std::vector<bool> marks(run.Marks.begin(), run.Marks.begin() + ptrdiff_t(k));
    return LayoutRun(face, text, marks, tabs);
}

TRun PathEllipsis(TFontFace& face, const TRun& run, int maxWidth, const TTabs& tabs)
{
    if (run.Width() <= maxWidth)
        return run;
    const size_t sep = run.Text.find_last_of(U"/\\");
    if (sep == std::u32string::npos)
        return EndEllipsis(face, run, maxWidth, tabs);
    const std::u32string tail = run.Text.substr(sep);
    const std::vector<bool> tailMarks(run.Marks.begin() + ptrdiff_t(sep), run.Marks.end());
    for (size_t k = sep; ; --k) {
        std::u32string text = run.Text.substr(0, k) + U"..." + tail;
        std::vector<bool> marks(run.Marks.begin(), run.Marks.begin() + ptrdiff_t(k));
        marks.insert(marks.end(), 3, false);
        marks.insert(marks.end(), tailMarks.begin(), tailMarks.end());
        TRun candidate = LayoutRun(face, text, marks, tabs);
        if (candidate.Width() <= maxWidth)
            return candidate;
        if (k == 0)
            break;
    }
    // Not even the last part fits after "...": its end is kept (the end of
    // the file name and its extension).
    for (size_t from = 1; from < tail.size(); ++from) {
        std::u32string text = U"..." + tail.substr(from);
        std::vector<bool> marks(3, false);
        marks.insert(marks.end(), tailMarks.begin() + ptrdiff_t(from), tailMarks.end());
        TRun candidate = LayoutRun(face, text, marks, tabs);
        if (candidate.Width() <= maxWidth)
            return candidate;
    }
    return EndEllipsis(face, run, maxWidth, tabs);
}

}  // namespace gfx_detail
