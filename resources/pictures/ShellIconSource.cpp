#include "resources/pictures/ShellIconSource.h"

#include "platform/shell/ShellIcons.h"
#include "resources/pictures/ResourcePictures.h"

void InstallShellIcons()
{
    SetShellIconProvider([](const std::string& name, int size) {
        TBitmap picture;
        // A size the set does not carry gives the namespace its empty answer.
        FindResBitmap(name + "_" + std::to_string(size), picture);
        return picture;
    });
}
