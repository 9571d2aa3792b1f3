#pragma once
#include <string>
#include <vector>

// What a mount holds, as far as its file system type tells.
enum TMountKind { mkFixed, mkRemovable, mkOptical, mkNetwork, mkRam };

struct TMountEntry {
    std::string MountPoint;   // absolute, without a trailing "/" (except "/")
    std::string Source;       // the device or remote share ("//server/share")
    std::string FileSystem;   // "ext4", "nfs4", ...
    TMountKind Kind = mkFixed;

    // The name a user knows it by: the mount point, a network mount by its source.
    std::string DisplayName() const;
    bool operator==(const TMountEntry&) const = default;
};

bool IsNetworkFileSystem(const std::string& fileSystem);
// Network by type; optical (iso9660, udf) and RAM (tmpfs, ramfs) by type;
// otherwise removable under /media and /run/media, else fixed.
TMountKind MountKindOf(const std::string& fileSystem, const std::string& mountPoint);

// The mounts a user browses, from the text of /proc/self/mountinfo: "/", the
// mounts under /media, /run/media/<user> and /mnt, and every network mount
// wherever it is. Pseudo file systems are left out; a mount point mounted over
// keeps its last entry; "/" is always there. Sorted: "/" first, then by mount point.
std::vector<TMountEntry> ParseMountInfo(const std::string& text, const std::string& userName);
// The same from the running system; only "/" when the table cannot be read.
std::vector<TMountEntry> ReadMountTable(const std::string& userName);
