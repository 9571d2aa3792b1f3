#pragma once
#include <functional>
#include <string>
#include "platform/core/Object.h"
#include "platform/gfx/Color.h"

// Font styles as bits: Style() & fsBold.
using TFontStyles = unsigned;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

enum TFontPitch { fpDefault, fpVariable, fpFixed };

// Character sets are kept for the callers that store them; text is UTF-8 and
// glyphs come from the matched font or the CJK fallback whatever the charset.
constexpr int ANSI_CHARSET = 0;
constexpr int DEFAULT_CHARSET = 1;
constexpr int SYMBOL_CHARSET = 2;
constexpr int SHIFTJIS_CHARSET = 128;
constexpr int HANGEUL_CHARSET = 129;
constexpr int GB2312_CHARSET = 134;
constexpr int CHINESEBIG5_CHARSET = 136;

// Screen resolution used to turn points into pixels.
constexpr int ScreenPixelsPerInch = 96;

// What a device context holds of a font. Height is in pixels: positive is the
// cell height (ascent + descent), negative the character height (em size).
struct TFontData {
    std::string Name = "MS Sans Serif";
    int Height = -11;
    TFontStyles Style = 0;
    int Charset = DEFAULT_CHARSET;
    TFontPitch Pitch = fpDefault;
    bool operator==(const TFontData&) const = default;
};

// Metrics of a font as realised, in pixels.
struct TTextMetric {
    int Height = 0;          // ascent + descent: the line height
    int Ascent = 0;
    int Descent = 0;
    int InternalLeading = 0; // cell height minus em size
    int AveCharWidth = 0;
    int MaxCharWidth = 0;
};

class TFont : public TPersistent {
public:
    const std::string& Name() const { return FData.Name; }
    void SetName(const std::string& value);
    int Height() const { return FData.Height; }
    void SetHeight(int value);
    // Size in points at 96 pixels per inch; negative sizes are cell heights.
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return FData.Style; }
    void SetStyle(TFontStyles value);
    TColor Color() const { return FColor; }
    void SetColor(TColor value);
    int Charset() const { return FData.Charset; }
    void SetCharset(int value);
    TFontPitch Pitch() const { return FData.Pitch; }
    void SetPitch(TFontPitch value);

    void Assign(const TFont& source);
    void Assign(const TPersistent* source) override;
    const TFontData& Data() const { return FData; }

    std::function<void(TObject* Sender)> OnChange;

private:
    void Changed();
    TFontData FData;
    TColor FColor = clWindowText;
};

// Rounded a * b / c, as the classic MulDiv.
int MulDiv(int a, int b, int c);
