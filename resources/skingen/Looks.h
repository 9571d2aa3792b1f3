#pragma once
#include <string>
#include <vector>
#include "resources/skingen/Palette.h"

// One of the program's skins: its names and the palette and shape it is
// drawn with. Each has a character of its own: light ones in several
// accents, a rounded one with soft depth, a high-contrast one and a dark one.
// Every text colour reaches 4.5:1 against what it is drawn on.
struct TSkinLook {
    std::string Name;          // skinname, also the folder name
    std::string DisplayName;   // shown by the skin picker
    TPalette Palette;
};

// The seven skins of the first skin list, in their list order.
const std::vector<TSkinLook>& SkinLooks();

// A look whose surfaces are dark (light text on dark faces).
bool IsDark(const TPalette& P);
// The darkest of the looks: the tool-bar skin's dark twin is drawn with it.
const TSkinLook& DarkestLook();
