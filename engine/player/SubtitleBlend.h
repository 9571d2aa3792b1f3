#pragma once
#include <cstdint>

// Bitmap subtitles are blended into YUV 4:2:0 pictures. Their palettes are
// turned from RGBA into YUVA entries: alpha in bits 24-31, then Y, U and V.
uint32_t RGBAToYUVA(uint32_t ARGBA);  // ARGBA: alpha 24-31, red 16-23, green 8-15, blue 0-7

struct TYUVPicture {
    uint8_t* Plane[3] = {};
    int Pitch[3] = {};
};

struct TSubtitleBitmap {
    int X = 0, Y = 0, W = 0, H = 0;
    const uint8_t* Pixels = nullptr;  // palette indexes, LineSize bytes per row
    int LineSize = 0;
    const uint32_t* Palette = nullptr;  // YUVA entries
};

// Blends the rectangle into a picture of AWidth × AHeight, clipped to it.
void BlendSubtitleRect(const TYUVPicture& APicture, const TSubtitleBitmap& ARect, int AWidth, int AHeight);
