#pragma once
#include "resources/picgen/Ink.h"

// The one palette of the program's pictures: flat colours with a lighter
// top, a slate ink for outlines and pictograms, white for marks on colour.
namespace Style {
constexpr TInkColor Ink = Rgb(0x3C4654);        // outlines and dark pictograms
constexpr TInkColor InkSoft = Rgb(0x6B7685);
constexpr TInkColor Paper = Rgb(0xFFFFFF);
constexpr TInkColor PaperShade = Rgb(0xE4E9F0);
constexpr TInkColor Blue = Rgb(0x2F7BE0);
constexpr TInkColor Green = Rgb(0x27A556);
constexpr TInkColor Red = Rgb(0xE0443C);
constexpr TInkColor Orange = Rgb(0xF08C1E);
constexpr TInkColor Yellow = Rgb(0xF6C343);
constexpr TInkColor FolderBack = Rgb(0xE3A92C);
constexpr TInkColor Purple = Rgb(0x8656D2);
constexpr TInkColor Teal = Rgb(0x159C9A);
constexpr TInkColor Pink = Rgb(0xD9488F);
constexpr TInkColor Indigo = Rgb(0x4B5BD0);
constexpr TInkColor Graphite = Rgb(0x4A5260);
constexpr TInkColor Wine = Rgb(0xA8324A);
constexpr TInkColor White = Rgb(0xFFFFFF);   // marks on colour
}  // namespace Style
