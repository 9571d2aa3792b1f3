#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/player/SubtitleBlend.h"

// The plain text of a decoded text subtitle rectangle: an ASS event loses
// its leading fields and its override blocks, "\N" breaks the line and "\h"
// is a space.
std::string SubtitleRectText(const AVSubtitleRect* ARect);

// A text subtitle drawn for pictures of one size: white anti-aliased text at
// the bottom centre, kept as coverage values that index TextPalette().
class TTextSubtitle {
public:
    void SetText(const std::string& AText);
    const std::string& Text() const { return FText; }
    // Draws the text for pictures of AWidth × AHeight, unless already drawn for that size.
    void Render(int AWidth, int AHeight);
    TSubtitleBitmap Bitmap() const;
    void Clear();

    // 256 YUVA entries: white at alpha 0 .. 255.
    static const uint32_t* TextPalette();

private:
    std::string FText;
    int FWidth = 0, FHeight = 0;
    int FX = 0, FY = 0, FW = 0, FH = 0;
    std::vector<uint8_t> FPixels;
};
