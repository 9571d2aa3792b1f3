#pragma once
#include "platform/gfx/Geometry.h"
#include "platform/ui/controls/ListBox.h"

class TCanvas;
class TbsSkinData;
class TbsDataSkinButtonControl;

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

// The first of the named button elements that the skin holds, or null.
const TbsDataSkinButtonControl* FindButtonElement(const TbsSkinData* SkinData, std::initializer_list<const char*> Names);

// The face rectangle of a button element for a state: pressed falls back to
// hot, hot to normal when the skin leaves them empty.
TRect ButtonStateRect(const TbsDataSkinButtonControl& E, bool Pressed, bool Hot);

// A button element composed in nine parts to the size of R and drawn at
// R's top-left: corners kept, edges and centre stretched or tiled as the
// element says.
void DrawNinePartButton(TCanvas& Canvas, const TRect& R, const TbsSkinData& SkinData,
                        const TbsDataSkinButtonControl& E, bool Pressed, bool Hot);
