#include "skin/boxes/ComboLook.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/draw/RectUtils.h"

void TbsComboLook::ReadComboLook(const TbsDataSkinComboBox& E)
{
    ActiveSkinRect = E.ActiveSkinRect;
    ActiveFontColor = E.ActiveFontColor;
    SItemRect = E.SItemRect;
    ActiveItemRect = E.ActiveItemRect;
    FocusItemRect = IsNullRect(E.FocusItemRect) ? E.SItemRect : E.FocusItemRect;
    ItemLeftOffset = E.ItemLeftOffset;
    ItemRightOffset = E.ItemRightOffset;
    ItemTextRect = E.ItemTextRect;
    FontName = E.FontName;
    FontStyle = E.FontStyle;
    FontHeight = E.FontHeight;
    FontColor = E.FontColor;
    FocusFontColor = E.FocusFontColor;
    BtnRect = E.ButtonRect;
    ActiveButtonRect = E.ActiveButtonRect;
    DownButtonRect = E.DownButtonRect;
    UnEnabledButtonRect = E.UnEnabledButtonRect;
    ListBoxName = E.ListBoxName;
    ItemStretchEffect = E.ItemStretchEffect;
    FocusItemStretchEffect = E.FocusItemStretchEffect;
    ShowFocus = E.ShowFocus;
}

TRect TbsComboLook::ButtonSource(bool Enabled, bool Pressed, bool Hot) const
{
    if (!Enabled && !IsNullRect(UnEnabledButtonRect))
        return UnEnabledButtonRect;
    if (Pressed)
        return DownButtonRect;
    if (Hot)
        return ActiveButtonRect;
    return TRect{};
}

TRect ComboMenuMarker(const TbsDataSkinButtonControl& E, bool Down, bool Hot)
{
    if (Down && !IsNullRect(E.MenuMarkerDownRect))
        return E.MenuMarkerDownRect;
    if (Hot && !IsNullRect(E.MenuMarkerActiveRect))
        return E.MenuMarkerActiveRect;
    return E.MenuMarkerRect;
}
