#include "platform/shell/ShellNamespace.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "platform/core/Path.h"
#include "platform/core/Process.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/ShellErrors.h"
#include "platform/shell/ShellTexts.h"

namespace {

std::optional<TShellEnvironment> GEnvironment;
std::vector<TMountEntry> GMounts;
bool GMountsRead = false;

std::string CurrentUserName() {
    std::string name = GetEnvironmentVariable("USER");
    if (name.empty()) {
        passwd pw{};
        passwd* found = nullptr;
        char buf[4096];
        if (getpwuid_r(getuid(), &pw, buf, sizeof buf, &found) == 0 && found && found->pw_name)
            name = found->pw_name;
    }
    return name;
}

// XDG_VIDEOS_DIR="$HOME/Videos" lines; a folder set to the home folder itself is switched off.
std::map<TUserFolder, std::string> ReadUserFolders(const std::string& home) {
    static const std::pair<const char*, TUserFolder> keys[] = {
        {"XDG_DESKTOP_DIR", ufDesktop}, {"XDG_DOCUMENTS_DIR", ufDocuments}, {"XDG_MUSIC_DIR", ufMusic},
        {"XDG_PICTURES_DIR", ufPictures}, {"XDG_VIDEOS_DIR", ufVideos}};
    std::map<TUserFolder, std::string> folders;
    std::ifstream in(ConfigFolder() + "user-dirs.dirs");
    for (std::string line; std::getline(in, line);) {
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string::npos)
            continue;
        const std::string key = Trim(line.substr(0, eq));
        std::string value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.rfind("$HOME", 0) == 0)
            value = home + value.substr(5);
        value = NormalizeShellPath(value);
        for (const auto& [name, folder] : keys)
            if (key == name && !value.empty() && value != home)
                folders[folder] = value;
    }
    return folders;
}

TShellEnvironment& Environment() {
    if (!GEnvironment)
        SetShellEnvironment(SystemShellEnvironment());
    return *GEnvironment;
}

bool IsInFolder(const std::string& path, const std::string& folder) {
    if (folder == "/")
        return path.size() > 1 && path[0] == '/';
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

// Splits the part of path below folder into names.
void AppendNames(TItemIDList& id, const std::string& path, size_t from) {
    size_t i = from;
    while (i < path.size()) {
        if (path[i] == '/') {
            ++i;
            continue;
        }
        const size_t end = path.find('/', i);
        id.Items.push_back(NameItem(path.substr(i, end == std::string::npos ? std::string::npos : end - i)));
        i = end == std::string::npos ? path.size() : end;
    }
}

int KindRank(TShellItemKind kind) {
    switch (kind) {
    case ikHome: return 0;
    case ikComputer: return 1;
    case ikMount: return 2;
    default: return 3;
    }
}

} // namespace

TShellEnvironment SystemShellEnvironment() {
    TShellEnvironment env;
    env.HomeFolder = NormalizeShellPath(HomeFolder());
    env.UserName = CurrentUserName();
    env.UserFolders = ReadUserFolders(env.HomeFolder);
    const std::string user = env.UserName;
    env.ReadMounts = [user] { return ReadMountTable(user); };
    env.Opener = [](const std::string& path) { OpenDocument(path); };
    return env;
}

void SetShellEnvironment(TShellEnvironment env) {
    env.HomeFolder = NormalizeShellPath(env.HomeFolder);
    for (auto& [folder, path] : env.UserFolders)
        path = NormalizeShellPath(path);
    GEnvironment = std::move(env);
    GMountsRead = false;
    GMounts.clear();
}

const TShellEnvironment& ShellEnvironment() {
    return Environment();
}

const std::vector<TMountEntry>& ShellMounts() {
    if (!GMountsRead)
        RefreshShellMounts();
    return GMounts;
}

void RefreshShellMounts() {
    const TShellEnvironment& env = Environment();
    std::vector<TMountEntry> mounts = env.ReadMounts ? env.ReadMounts() : std::vector<TMountEntry>{};
    for (auto& m : mounts)
        m.MountPoint = NormalizeShellPath(m.MountPoint);
    std::erase_if(mounts, [](const TMountEntry& m) { return m.MountPoint.empty(); });
    if (std::none_of(mounts.begin(), mounts.end(), [](const TMountEntry& m) { return m.MountPoint == "/"; }))
        mounts.insert(mounts.begin(), TMountEntry{"/", "", "", mkFixed});
    GMounts = std::move(mounts);
    GMountsRead = true;
}

std::string NormalizeShellPath(const std::string& path) {
    if (path.empty() || path[0] != '/')
        return "";
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < path.size()) {
        const size_t end = std::min(path.find('/', i), path.size());
        const std::string part = path.substr(i, end - i);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = end + 1;
    }
    std::string out;
    for (const auto& p : parts)
        out += "/" + p;
    return out.empty() ? "/" : out;
}

bool ShellPathOfID(const TItemIDList& id, std::string& path) {
    const auto& items = id.Items;
    size_t next = 0;
    if (items.empty())
        return false;
    if (items[0].Kind == ikHome) {
        path = Environment().HomeFolder;
        next = 1;
    } else if (items[0].Kind == ikComputer) {
        if (items.size() < 2)
            return false;
        if (items[1].Kind != ikMount)
            return false;
        path = items[1].Name;
        next = 2;
    } else {
        return false;
    }
    for (size_t i = next; i < items.size(); ++i) {
        if (items[i].Kind != ikName || items[i].Name.empty())
            return false;
        path += path == "/" ? items[i].Name : "/" + items[i].Name;
    }
    return true;
}

TItemIDList ParseDisplayName(const std::string& text) {
    TItemIDList id;
    if (text == ShellText::Desktop)
        return id;
    if (text == ShellText::Computer) {
        id.Items.push_back(ComputerItem());
        return id;
    }
    if (text == ShellText::Home) {
        id.Items.push_back(HomeItem());
        return id;
    }
    const std::string path = NormalizeShellPath(text);
    if (path.empty())
        throw EInvalidPath(Format(ShellText::ErrorSettingPath, text));
    const std::string& home = Environment().HomeFolder;
    if (!home.empty() && home != "/" && (path == home || IsInFolder(path, home))) {
        id.Items.push_back(HomeItem());
        AppendNames(id, path, home.size());
        return id;
    }
    const TMountEntry* best = nullptr;
    for (const auto& m : ShellMounts())
        if ((path == m.MountPoint || IsInFolder(path, m.MountPoint)) &&
            (!best || m.MountPoint.size() > best->MountPoint.size()))
            best = &m;
    id.Items.push_back(ComputerItem());
    const std::string mountPoint = best ? best->MountPoint : "/";
    id.Items.push_back(MountItem(mountPoint));
    AppendNames(id, path, mountPoint == "/" ? 0 : mountPoint.size());
    return id;
}

bool IDListsEqual(const TItemIDList& a, const TItemIDList& b) {
    std::string pa, pb;
    const bool hasA = ShellPathOfID(a, pa);
    const bool hasB = ShellPathOfID(b, pb);
    if (hasA || hasB)
        return hasA && hasB && pa == pb;
    if (a.Items.size() != b.Items.size())
        return false;
    for (size_t i = 0; i < a.Items.size(); ++i)
        if (!a.Items[i].SameItem(b.Items[i]))
            return false;
    return true;
}

int CompareShellItems(const TShellIdItem& a, const TShellIdItem& b) {
    if (a.Kind != b.Kind)
        return KindRank(a.Kind) - KindRank(b.Kind);
    if (a.Kind == ikMount) {
        if ((a.Name == "/") != (b.Name == "/"))
            return a.Name == "/" ? -1 : 1;
    } else if (a.Kind == ikName && a.Folder != b.Folder) {
        return a.Folder ? -1 : 1;
    }
    if (const int byText = CompareText(a.Name, b.Name); byText != 0)
        return byText;
    return CompareStr(a.Name, b.Name);
}

const TMountEntry* MountAt(const std::string& path) {
    for (const auto& m : ShellMounts())
        if (m.MountPoint == path)
            return &m;
    return nullptr;
}

const TMountEntry* NetworkMountOf(const std::string& path) {
    for (const auto& m : ShellMounts())
        if (m.Kind == mkNetwork && (path == m.MountPoint || IsInFolder(path, m.MountPoint)))
            return &m;
    return nullptr;
}
