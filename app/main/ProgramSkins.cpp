#include "app/main/ProgramSkins.h"

TProgramSkins& ProgramSkins()
{
    static TProgramSkins skins;
    return skins;
}
