#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>
#include "platform/gfx/Font.h"

// Our font alias rules (fontconfig XML): every name the program, its forms and
// its skins use maps onto one font of the fixed set the setup installs.
const char* FontAliasXml();

// The family and file a font name resolves to through the alias rules.
struct TFontMatch {
    std::string Family;
    std::string File;
    int Index = 0;
    bool Bold = false;    // the matched face is bold itself
    bool Italic = false;  // the matched face is italic or oblique itself
};
TFontMatch MatchFont(const std::string& name, TFontStyles style = 0);

namespace gfx_detail {

// One rendered glyph: 8-bit coverage, placed relative to the pen position on
// the baseline (Left to the right, Top upwards).
struct TGlyph {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int Advance = 0;
    std::vector<uint8_t> Coverage;
};

// A font realised at one pixel size: the matched face, the CJK fallback face
// for every glyph the first lacks, and a cache of rendered glyphs.
class TFontFace {
public:
    explicit TFontFace(const TFontData& data);
    ~TFontFace();
    TFontFace(const TFontFace&) = delete;
    TFontFace& operator=(const TFontFace&) = delete;

    const TTextMetric& Metrics() const { return FMetrics; }
    const TGlyph& Glyph(char32_t ch);
    int Advance(char32_t ch) { return Glyph(ch).Advance; }
    bool HasGlyph(char32_t ch) const;

    bool Underline() const { return FStyle & fsUnderline; }
    bool StrikeOut() const { return FStyle & fsStrikeOut; }
    // Offsets from the baseline, downwards positive, and line thickness.
    int UnderlineOffset() const { return FUnderlineOffset; }
    int StrikeOutOffset() const { return FStrikeOutOffset; }
    int LineThickness() const { return FLineThickness; }

private:
    struct TFace;
    std::unique_ptr<TFace> FPrimary;
    std::unique_ptr<TFace> FFallback;
    TFontStyles FStyle = 0;
    TTextMetric FMetrics;
    int FUnderlineOffset = 1;
    int FStrikeOutOffset = -3;
    int FLineThickness = 1;
    std::unordered_map<char32_t, TGlyph> FGlyphs;
};

// Text calls hold this lock: faces and their caches are shared by all threads.
std::recursive_mutex& TextMutex();
TFontFace& RealiseFont(const TFontData& data);

}  // namespace gfx_detail
