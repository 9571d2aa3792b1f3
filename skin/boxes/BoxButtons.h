#pragma once
#include "platform/gfx/Geometry.h"
#include "platform/ui/controls/ListBox.h"

// A small button of a box: its place, whether the mouse is over it, pressed.
struct TbsCBButtonX {
    TRect R;
    bool MouseIn = false;
    bool Down = false;
};

// The item area of a combo box.
struct TbsCBItem {
    TRect R;
    TOwnerDrawState State;
};
