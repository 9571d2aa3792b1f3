#pragma once
#include "platform/gfx/Color.h"

class TbsSkinData;

// The colours a skin gives a selected row of a list: the face and text of the
// selected item of its "listbox" element, with the focus and without it.
// False when the skin has no list box element to take them from.
bool SkinSelectionColors(const TbsSkinData& ASkin, bool AFocused, TColor& AFace, TColor& AText);
