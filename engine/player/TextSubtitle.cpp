#include "engine/player/TextSubtitle.h"

#include <algorithm>
#include <array>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"
#include "platform/gfx/Text.h"

namespace {

// Fields of an ASS event before its text: ReadOrder, Layer, Style, Name,
// MarginL, MarginR, MarginV, Effect.
constexpr int AssFieldsBeforeText = 8;

std::string AssEventText(const std::string& AEvent) {
    size_t at = 0;
    for (int field = 0; field < AssFieldsBeforeText; ++field) {
        const size_t comma = AEvent.find(',', at);
        if (comma == std::string::npos)
            return AEvent;  // not an event line: the text as it is
        at = comma + 1;
    }
    std::string text;
    bool inOverride = false;
    for (size_t i = at; i < AEvent.size(); ++i) {
        const char c = AEvent[i];
        if (inOverride) {
            inOverride = c != '}';
        } else if (c == '{') {
            inOverride = true;
        } else if (c == '\\' && i + 1 < AEvent.size() && (AEvent[i + 1] == 'N' || AEvent[i + 1] == 'n')) {
            text += '\n';
            ++i;
        } else if (c == '\\' && i + 1 < AEvent.size() && AEvent[i + 1] == 'h') {
            text += ' ';
            ++i;
        } else if (c != '\r') {
            text += c;
        }
    }
    return text;
}

} // namespace

std::string SubtitleRectText(const AVSubtitleRect* ARect) {
    if (ARect->type == SUBTITLE_ASS && ARect->ass)
        return AssEventText(ARect->ass);
    if (ARect->type == SUBTITLE_TEXT && ARect->text)
        return ARect->text;
    return {};
}

void TTextSubtitle::SetText(const std::string& AText) {
    FText = AText;
    FWidth = FHeight = 0;
    FPixels.clear();
}

void TTextSubtitle::Clear() { SetText({}); }

void TTextSubtitle::Render(int AWidth, int AHeight) {
    if ((AWidth == FWidth && AHeight == FHeight) || AWidth <= 0 || AHeight <= 0)
        return;
    FWidth = AWidth;
    FHeight = AHeight;
    FPixels.clear();
    FW = FH = 0;
    if (FText.empty())
        return;
    // Text a tenth of the picture high, a twentieth above its bottom edge.
    const int margin = std::max(AHeight / 20, 1);
    TBitmap canvasBitmap(AWidth, AHeight, pf24bit);
    canvasBitmap.Fill(clBlack);
    TCanvas* canvas = canvasBitmap.Canvas();
    canvas->Lock();
    canvas->Font().SetName("Arial");
    canvas->Font().SetHeight(-std::max(AHeight / 10, 8));
    canvas->Font().SetColor(clWhite);
    canvas->Brush().SetStyle(bsClear);
    const unsigned flags = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    TRect bounds{margin, 0, AWidth - margin, AHeight};
    canvas->DrawText(FText, bounds, flags | DT_CALCRECT);
    const int textHeight = std::min(bounds.Height(), AHeight);
    TRect area{margin, AHeight - margin - textHeight, AWidth - margin, AHeight - margin};
    if (area.Top < 0)
        area.Top = 0;
    canvas->DrawText(FText, area, flags);
    canvas->Unlock();
    // The text's coverage: the green channel of white on black.
    FX = 0;
    FY = std::max(area.Top, 0);
    FW = AWidth;
    FH = std::min(AHeight, area.Bottom) - FY;
    if (FH <= 0)
        return;
    FPixels.resize(size_t(FW) * FH);
    for (int y = 0; y < FH; ++y) {
        const uint8_t* row = canvasBitmap.ScanLine(FY + y);
        for (int x = 0; x < FW; ++x)
            FPixels[size_t(y) * FW + x] = row[3 * x + 1];
    }
}

TSubtitleBitmap TTextSubtitle::Bitmap() const {
    if (FPixels.empty())
        return {};
    return TSubtitleBitmap{FX, FY, FW, FH, FPixels.data(), FW, TextPalette()};
}

const uint32_t* TTextSubtitle::TextPalette() {
    static const std::array<uint32_t, 256> palette = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t alpha = 0; alpha < 256; ++alpha)
            entries[alpha] = RGBAToYUVA((alpha << 24) | 0xFFFFFF);
        return entries;
    }();
    return palette.data();
}
