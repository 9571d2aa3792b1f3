#include <gtest/gtest.h>

#include "ShellFixture.h"
#include "platform/shell/ShellFolder.h"
#include "platform/shell/ShellIcons.h"
#include "platform/ui/controls/ImageList.h"

namespace {

// A stand-in for the program's picture library: a plain square per name in a
// colour of its own, with no picture for the archive icon.
TColor StandInColor(int icon) {
    return RGB(10 * icon, 200 - 10 * icon, 90);
}

TBitmap StandIn(const std::string& name, int size) {
    for (int i = 0; i < siCount; ++i)
        if (name == ShellIconName(TShellIcon(i)) && i != siFileArchive) {
            TBitmap b(size, size, pf32bit);
            b.Fill(StandInColor(i), 255);
            b.SetAlphaFormat(afDefined);
            return b;
        }
    return TBitmap();
}

} // namespace

TEST_F(TShellFixture, IconsWithoutProviderAreAbsent) {
    EXPECT_EQ(ShellImageList(false), nullptr);
    EXPECT_EQ(ShellImageList(true), nullptr);
    EXPECT_EQ(FolderFromIDList(ParseDisplayName(Home))->ImageIndex(false), -1);
}

TEST_F(TShellFixture, IconsComeFromTheProviderAtStableIndexes) {
    SetShellIconProvider(StandIn);
    TImageList* small = ShellImageList(false);
    TImageList* large = ShellImageList(true);
    ASSERT_TRUE(small && large);
    EXPECT_EQ(small->Width(), 16);
    EXPECT_EQ(large->Width(), 32);
    EXPECT_EQ(small->Count(), int(siCount));
    EXPECT_EQ(large->Count(), int(siCount));
    for (int i = 0; i < siCount; ++i) {
        if (i == siFileArchive)
            continue;
        EXPECT_EQ(small->Image(i).GetPixel(8, 8) & 0xFFFFFF, StandInColor(i)) << ShellIconName(TShellIcon(i));
        EXPECT_EQ(large->Image(i).GetPixel(20, 20) & 0xFFFFFF, StandInColor(i)) << ShellIconName(TShellIcon(i));
    }

    struct Case {
        TItemIDList id;
        bool open;
        int index;
    };
    const Case cases[] = {
        {TItemIDList{}, false, siDesktop},
        {ParseDisplayName("主文件夹"), false, siHome},
        {ParseDisplayName("计算机"), false, siComputer},
        {TItemIDList{{ComputerItem(), MountItem("/")}}, false, siDisk},
        {TItemIDList{{ComputerItem(), MountItem(Usb)}}, false, siRemovable},
        {TItemIDList{{ComputerItem(), MountItem(NetMissing)}}, false, siNetwork},
        {ParseDisplayName(NetInHome), false, siNetwork},
        {ParseDisplayName(Home + "/b folder"), false, siFolder},
        {ParseDisplayName(Home + "/b folder"), true, siFolderOpen},
        {ParseDisplayName(Home + "/Videos"), false, siDesktop},  // the user's desktop folder
        {ParseDisplayName(Home + "/B.mp4"), false, siFileVideo},
        {ParseDisplayName(Home + "/bad\xff\xfe.mp4"), false, siFileVideo},
        {ParseDisplayName(Home + "/a.txt"), false, siFileText},
        {ParseDisplayName(Usb + "/photo.jpg"), false, siFileImage},
        {ParseDisplayName(Home + "/.dotfile"), false, siFile},
        {ParseDisplayName(Home + "/x.zip"), false, -1},  // no picture from the provider
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShellIconIndex(c.id, false, c.open), c.index) << ShellNameOf(c.id, snForParsing);
        EXPECT_EQ(ShellIconIndex(c.id, true, c.open), c.index) << ShellNameOf(c.id, snForParsing);
    }
    EXPECT_EQ(FolderFromIDList(ParseDisplayName(Home))->ImageIndex(true), siHome);

    // Installing again refills the same lists.
    SetShellIconProvider(StandIn);
    EXPECT_EQ(ShellImageList(false), small);
    EXPECT_EQ(small->Count(), int(siCount));
}

TEST(ShellIcons, FileKindsByExtension) {
    const std::pair<const char*, TShellIcon> cases[] = {
        {"a.MP4", siFileVideo}, {"a.rmvb", siFileVideo}, {"a.flac", siFileAudio}, {"a.JPeG", siFileImage},
        {"a.srt", siFileText}, {"a.tar.gz", siFileArchive}, {"run.sh", siFileProgram}, {"README", siFile},
        {".bashrc", siFile}, {"a.unknown", siFile}};
    for (const auto& [name, icon] : cases)
        EXPECT_EQ(FileIconOf(name), icon) << name;
}
