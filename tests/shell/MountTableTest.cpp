#include <gtest/gtest.h>

#include "platform/shell/MountTable.h"

// Lines as /proc/self/mountinfo writes them (a space in a mount point is "\040").
static const char* MountInfo =
    "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
    "23 22 0:5 / /proc rw,nosuid - proc proc rw\n"
    "24 22 0:21 / /sys rw - sysfs sysfs rw\n"
    "25 22 8:2 / /boot rw - ext4 /dev/sda2 rw\n"
    "26 22 8:17 / /media/u/USB\\040STICK rw shared:5 master:2 - vfat /dev/sdb1 rw\n"
    "27 22 0:50 / /mnt/nfs rw - nfs4 nas:/export rw\n"
    "28 22 0:51 / /home/u/share rw - cifs //server/share rw\n"
    "29 22 11:0 / /media/cdrom ro - iso9660 /dev/sr0 ro\n"
    "30 22 0:52 / /mnt/ram rw - tmpfs tmpfs rw\n"
    "31 22 8:33 / /run/media/u/disk rw - ext4 /dev/sdc1 rw\n"
    "32 22 8:49 / /run/media/other/disk rw - ext4 /dev/sdd1 rw\n"
    "33 22 8:50 / /mnt/x rw - ext4 /dev/sde1 rw\n"
    "34 33 8:51 / /mnt/x rw - xfs /dev/sde2 rw\n"
    "35 22 0:53 / /srv/sshfs rw - fuse.sshfs me@host:/data rw\n"
    "broken line\n";

TEST(MountTable, ParsesTheMountsOfInterestWithTheirKindAndName) {
    struct Expected {
        const char* mountPoint;
        const char* fileSystem;
        TMountKind kind;
        const char* name;
    };
    const Expected expected[] = {
        {"/", "ext4", mkFixed, "/"},
        {"/home/u/share", "cifs", mkNetwork, "//server/share"},
        {"/media/cdrom", "iso9660", mkOptical, "/media/cdrom"},
        {"/media/u/USB STICK", "vfat", mkRemovable, "/media/u/USB STICK"},
        {"/mnt/nfs", "nfs4", mkNetwork, "nas:/export"},
        {"/mnt/ram", "tmpfs", mkRam, "/mnt/ram"},
        {"/mnt/x", "xfs", mkFixed, "/mnt/x"},
        {"/run/media/u/disk", "ext4", mkRemovable, "/run/media/u/disk"},
        {"/srv/sshfs", "fuse.sshfs", mkNetwork, "me@host:/data"},
    };
    const auto mounts = ParseMountInfo(MountInfo, "u");
    ASSERT_EQ(mounts.size(), std::size(expected));
    for (size_t i = 0; i < mounts.size(); ++i) {
        EXPECT_EQ(mounts[i].MountPoint, expected[i].mountPoint) << i;
        EXPECT_EQ(mounts[i].FileSystem, expected[i].fileSystem) << expected[i].mountPoint;
        EXPECT_EQ(mounts[i].Kind, expected[i].kind) << expected[i].mountPoint;
        EXPECT_EQ(mounts[i].DisplayName(), expected[i].name) << expected[i].mountPoint;
    }
}

TEST(MountTable, KeepsTheRootWhenTheTableIsEmptyOrUnreadable) {
    const auto mounts = ParseMountInfo("", "u");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].MountPoint, "/");
    EXPECT_FALSE(ReadMountTable("nobody").empty());
}
