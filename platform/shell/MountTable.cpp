#include "platform/shell/MountTable.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace {

bool StartsWithFolder(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

// mountinfo writes space, tab, newline and backslash as "\ooo".
std::string DecodeOctalEscapes(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            const char a = s[i + 1], b = s[i + 2], c = s[i + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
                out += char((a - '0') * 64 + (b - '0') * 8 + (c - '0'));
                i += 3;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

bool IsPseudoFileSystem(const std::string& fs) {
    static const std::set<std::string> pseudo = {
        "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "pstore", "debugfs",
        "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs", "bpf", "binfmt_misc", "autofs",
        "efivarfs", "rpc_pipefs", "nsfs", "fuse.portal", "fuse.gvfsd-fuse",
        "fuse.lxcfs", "selinuxfs"};
    return pseudo.count(fs) > 0;
}

} // namespace

std::string TMountEntry::DisplayName() const {
    return Kind == mkNetwork && !Source.empty() ? Source : MountPoint;
}

bool IsNetworkFileSystem(const std::string& fs) {
    static const std::set<std::string> network = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "glusterfs",
        "fuse.sshfs", "fuse.rclone", "fuse.glusterfs", "fuse.s3fs", "davfs", "fuse.davfs2", "lustre", "gfs2"};
    return network.count(fs) > 0;
}

TMountKind MountKindOf(const std::string& fs, const std::string& mountPoint) {
    if (IsNetworkFileSystem(fs))
        return mkNetwork;
    if (fs == "iso9660" || fs == "udf")
        return mkOptical;
    if (fs == "tmpfs" || fs == "ramfs")
        return mkRam;
    if (StartsWithFolder(mountPoint, "/media") || StartsWithFolder(mountPoint, "/run/media"))
        return mkRemovable;
    return mkFixed;
}

std::vector<TMountEntry> ParseMountInfo(const std::string& text, const std::string& userName) {
    std::vector<TMountEntry> mounts;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        // id parent major:minor root mountpoint options [optional fields...] - fstype source superoptions
        std::istringstream fields(line);
        std::vector<std::string> f;
        for (std::string w; fields >> w;)
            f.push_back(w);
        const auto dash = std::find(f.begin(), f.end(), "-");
        if (f.size() < 5 || dash == f.end() || dash - f.begin() < 6 || f.end() - dash < 3)
            continue;
        TMountEntry e;
        e.MountPoint = DecodeOctalEscapes(f[4]);
        e.FileSystem = *(dash + 1);
        e.Source = DecodeOctalEscapes(*(dash + 2));
        if (e.MountPoint.empty() || e.MountPoint[0] != '/' || IsPseudoFileSystem(e.FileSystem))
            continue;
        if (e.MountPoint.size() > 1 && e.MountPoint.back() == '/')
            e.MountPoint.pop_back();
        e.Kind = MountKindOf(e.FileSystem, e.MountPoint);
        const bool wanted = e.MountPoint == "/" || e.Kind == mkNetwork || StartsWithFolder(e.MountPoint, "/media") ||
                            StartsWithFolder(e.MountPoint, "/mnt") ||
                            (!userName.empty() && StartsWithFolder(e.MountPoint, "/run/media/" + userName));
        if (!wanted)
            continue;
        // A later mount on the same point hides the earlier one.
        std::erase_if(mounts, [&](const TMountEntry& m) { return m.MountPoint == e.MountPoint; });
        mounts.push_back(std::move(e));
    }
    if (std::none_of(mounts.begin(), mounts.end(), [](const TMountEntry& m) { return m.MountPoint == "/"; }))
        mounts.push_back({"/", "", "", mkFixed});
    std::stable_sort(mounts.begin(), mounts.end(), [](const TMountEntry& a, const TMountEntry& b) {
        if ((a.MountPoint == "/") != (b.MountPoint == "/"))
            return a.MountPoint == "/";
        return a.MountPoint < b.MountPoint;
    });
    return mounts;
}

std::vector<TMountEntry> ReadMountTable(const std::string& userName) {
    std::ifstream in("/proc/self/mountinfo");
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    return ParseMountInfo(text.str(), userName);
}
