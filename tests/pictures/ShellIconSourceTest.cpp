#include <gtest/gtest.h>

#include "platform/shell/ShellIcons.h"
#include "platform/ui/controls/ImageList.h"
#include "resources/pictures/ShellIconSource.h"

// Every shell icon the namespace asks for is in the program's pictures, at both sizes.
TEST(ShellIconSource, FillsBothImageListsWithEveryIcon) {
    InstallShellIcons();
    for (bool large : {false, true}) {
        TImageList* list = ShellImageList(large);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->Width(), large ? 32 : 16);
    }
    for (int i = 0; i < siCount; ++i)
        EXPECT_EQ(ShellIconImageIndex(TShellIcon(i)), i) << ShellIconName(TShellIcon(i));
    SetShellIconProvider({});
}
