#include "app/main/ProgramSkins.h"

#include "platform/ui/forms/Forms.h"

TProgramSkins& ProgramSkins()
{
    static TProgramSkins skins;
    return skins;
}

void FitClientSize(TForm& AForm, int AWidth, int AHeight)
{
    if (AForm.ClientWidth() != AWidth)
        AForm.SetClientWidth(AWidth);
    if (AForm.ClientHeight() != AHeight)
        AForm.SetClientHeight(AHeight);
}
