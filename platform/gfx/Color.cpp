#include "platform/gfx/Color.h"

namespace {

// The classic desktop scheme, indexed by system colour number.
constexpr TColor SystemPalette[] = {
    RGB(212, 208, 200),  // scroll bar
    RGB(58, 110, 165),   // desktop background
    RGB(10, 36, 106),    // active caption
    RGB(128, 128, 128),  // inactive caption
    RGB(212, 208, 200),  // menu
    RGB(255, 255, 255),  // window
    RGB(0, 0, 0),        // window frame
    RGB(0, 0, 0),        // menu text
    RGB(0, 0, 0),        // window text
    RGB(255, 255, 255),  // caption text
    RGB(212, 208, 200),  // active border
    RGB(212, 208, 200),  // inactive border
    RGB(128, 128, 128),  // application workspace
    RGB(10, 36, 106),    // highlight
    RGB(255, 255, 255),  // highlight text
    RGB(212, 208, 200),  // button face
    RGB(128, 128, 128),  // button shadow
    RGB(128, 128, 128),  // grey text
    RGB(0, 0, 0),        // button text
    RGB(212, 208, 200),  // inactive caption text
    RGB(255, 255, 255),  // button highlight
    RGB(64, 64, 64),     // 3D dark shadow
    RGB(212, 208, 200),  // 3D light
    RGB(0, 0, 0),        // info text
    RGB(255, 255, 225),  // info background
    RGB(181, 181, 181),  // unused slot
    RGB(0, 0, 128),      // hot light
    RGB(166, 202, 240),  // gradient active caption
    RGB(192, 192, 192),  // gradient inactive caption
    RGB(10, 36, 106),    // menu highlight
    RGB(212, 208, 200),  // menu bar
};

}  // namespace

TColor ColorToRGB(TColor color)
{
    if ((color & 0xFF000000) == clSystemColor) {
        unsigned index = color & 0xFF;
        if (index < sizeof(SystemPalette) / sizeof(SystemPalette[0]))
            return SystemPalette[index];
        return clBlack;
    }
    if (color == clNone || color == clDefault)
        return clBlack;
    return color & 0xFFFFFF;
}
