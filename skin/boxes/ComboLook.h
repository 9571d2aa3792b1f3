#pragma once
#include <string>
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"

class TbsDataSkinButtonControl;
class TbsDataSkinComboBox;

// What the two combo boxes (the edit combo and the office picker) copy from
// a skin's "combobox" element to paint their face, item and button.
struct TbsComboLook {
    TRect ActiveSkinRect, SItemRect, FocusItemRect, ActiveItemRect, ItemTextRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0;
    std::string FontName = "Arial";
    TFontStyles FontStyle = 0;
    int FontHeight = 14;
    TColor FontColor = 0, FocusFontColor = 0, ActiveFontColor = 0;
    TRect BtnRect, ActiveButtonRect, DownButtonRect, UnEnabledButtonRect;
    std::string ListBoxName;
    bool ItemStretchEffect = false, FocusItemStretchEffect = false, ShowFocus = false;

    // A focus rectangle of no size stands for the plain item's.
    void ReadComboLook(const TbsDataSkinComboBox& E);
    // The picture of the drop button in its state; an empty rectangle where
    // the face's own picture shows through.
    TRect ButtonSource(bool Enabled, bool Pressed, bool Hot) const;
};

// The menu marker a button element shows down, hot or plain, each falling
// back to the plain marker when the skin leaves it out.
TRect ComboMenuMarker(const TbsDataSkinButtonControl& E, bool Down, bool Hot);
