#include "skin/controls/SelectionColors.h"
#include "platform/gfx/Bitmap.h"
#include "skin/data/ControlDescriptions.h"
#include "skin/data/SkinData.h"
#include "skin/draw/RectUtils.h"

bool SkinSelectionColors(const TbsSkinData& ASkin, bool AFocused, TColor& AFace, TColor& AText)
{
    if (ASkin.Empty)
        return false;
    const int index = ASkin.GetControlIndex("listbox");
    if (index < 0)
        return false;
    const auto* lb = dynamic_cast<const TbsDataSkinListBox*>(ASkin.CtrlList[size_t(index)].get());
    if (!lb)
        return false;
    const TRect& item = AFocused ? lb->FocusItemRect : lb->ActiveItemRect;
    const TBitmap* picture = ASkin.ActivePicture(lb->PictureIndex);
    if (!picture || IsNullRect(item) || item.Right > picture->Width() || item.Bottom > picture->Height())
        return false;
    // The item's middle: its face without the rounded ends.
    AFace = picture->GetPixel(item.Left + item.Width() / 2, item.Top + item.Height() / 2) & 0xFFFFFF;
    AText = AFocused ? lb->FocusFontColor : lb->ActiveFontColor;
    return true;
}
