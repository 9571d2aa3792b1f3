#include "skin/dialogs/ShellDialogParts.h"

#include <sys/stat.h>

#include "resources/pictures/ResourcePictures.h"
#include "skin/data/ResourceStrings.h"
#include "skin/data/SkinData.h"
#include "skin/dialogs/SkinDialogComponent.h"
#include "skin/frame/FormFrame.h"

namespace ShellDialogParts {

std::string DialogText(const TbsSkinData* CtrlSkinData, const std::string& Key)
{
    return SkinResStr(CtrlSkinData, Key);
}

TBitmap Glyph(const std::string& Name)
{
    TBitmap b;
    FindResBitmap(Name, b);
    return b;
}

void FitClientSize(int& Width, int& Height, int DefaultWidth, int DefaultHeight, const TbsFormFrame& Frame)
{
    if (Width <= 0)
        Width = DefaultWidth;
    if (Height <= 0)
        Height = DefaultHeight;
    if (Frame.SkinData() && !Frame.SkinData()->Empty) {
        Width = std::max(Width, Frame.GetMinWidth());
        Height = std::max(Height, Frame.GetMinHeight());
    }
}

void SetUpFrame(TbsFormFrame& Frame, const TbsSkinDialogComponent& Dialog, int MinWidth, int MinHeight,
                bool AlphaBlend, int AlphaBlendValue, bool AlphaBlendAnimation)
{
    Frame.SetBorderIcons(TbsBorderIcons{});
    Frame.SetSkinData(Dialog.SkinData());
    Frame.SetMenusSkinData(Dialog.CtrlSkinData());
    Frame.MinWidth = MinWidth;
    Frame.MinHeight = MinHeight;
    Frame.SetAlphaBlend(AlphaBlend);
    Frame.AlphaBlendAnimation = AlphaBlendAnimation;
    Frame.SetAlphaBlendValue(AlphaBlendValue);
}

bool IsRegularFile(const std::string& Path)
{
    struct stat st{};
    return !Path.empty() && ::stat(Path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace ShellDialogParts
