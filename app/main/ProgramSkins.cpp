#include "app/main/ProgramSkins.h"

#include "app/about/AboutForm.h"
#include "app/main/MainForm.h"
#include "app/options/OptionsForm.h"

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

void FitProgramForms()
{
    if (Form1)
        FitClientSize(*Form1, TForm1::DesignWidth, TForm1::DesignHeight);
    if (Form2)
        FitClientSize(*Form2, TForm2::DesignWidth, TForm2::DesignHeight);
    if (Form5)
        FitClientSize(*Form5, TForm5::DesignWidth, TForm5::DesignHeight);
}
