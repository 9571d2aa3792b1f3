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
