#pragma once
#include <cstddef>
#include <vector>

#include "skin/draw/PixelRoutines.h"

// A picture in memory for the pixel routines.
struct TRaster {
    TRaster(int w, int h, TbsColor fill = 0) : Width(w), Height(h), Pixels(static_cast<std::size_t>(w) * h, fill) {}
    TbsPixelView View() { return TbsPixelView{Pixels.data(), Width, Height}; }
    TbsColor& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
    int Width, Height;
    std::vector<TbsColor> Pixels;
};
