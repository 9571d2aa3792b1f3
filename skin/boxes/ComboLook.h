#pragma once
#include <string>
#include "platform/gfx/Font.h"
#include "platform/gfx/Geometry.h"

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
};
