#pragma once
// Laying text out in lines: prefixes, tabs, word breaks and ellipses. Shared
// by the text calls of this library.
#include <string>
#include <vector>
#include "platform/gfx/FontEngine.h"

namespace gfx_detail {

// Tab stops: with Expand, a tab moves to the next stop measured from the
// tab origin; Origin is where the run starts relative to that origin.
struct TTabs {
    bool Expand = false;
    int Origin = 0;
    std::vector<int> Stops;  // used when more than one
    int Every = 0;           // distance of regular stops
    int Next(int x) const;
};

// A line of text with the x of every character (X has one entry more: the width).
struct TRun {
    std::u32string Text;
    std::vector<bool> Marks;  // characters underlined as accelerators
    std::vector<int> X;
    int Width() const { return X.empty() ? 0 : X.back(); }
};

TRun LayoutRun(TFontFace& face, const std::u32string& text, const std::vector<bool>& marks, const TTabs& tabs);

// Removes the "&" prefixes: "&x" marks x, "&&" gives "&", a last lone "&" goes.
void StripPrefixes(const std::u32string& in, std::u32string& out, std::vector<bool>& marks, bool showMarks);

// Breaks a paragraph into lines no wider than maxWidth: after spaces and
// around CJK characters; a word longer than a line stays whole and overflows.
std::vector<TRun> WrapParagraph(TFontFace& face, const TRun& paragraph, int maxWidth, const TTabs& tabs);

// "abc..." and "C:\dir\...\file.txt" that fit maxWidth.
TRun EndEllipsis(TFontFace& face, const TRun& run, int maxWidth, const TTabs& tabs);
TRun PathEllipsis(TFontFace& face, const TRun& run, int maxWidth, const TTabs& tabs);

bool IsCjk(char32_t c);

}  // namespace gfx_detail
