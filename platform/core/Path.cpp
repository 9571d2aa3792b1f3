#include "platform/core/Path.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

namespace {

size_t NameStart(const std::string& path) {
    const size_t slash = path.rfind(PathDelim);
    return slash == std::string::npos ? 0 : slash + 1;
}

size_t ExtStart(const std::string& path) {
    const size_t dot = path.rfind('.');
    return dot == std::string::npos || dot < NameStart(path) ? std::string::npos : dot;
}

std::string XdgFolder(const char* variable, const char* fallback) {
    const std::string value = GetEnvironmentVariable(variable);
    // The base directory rules ignore relative values.
    if (!value.empty() && value[0] == '/')
        return IncludeTrailingPathDelimiter(value);
    return HomeFolder() + fallback;
}

}  // namespace

std::string ExtractFileName(const std::string& path) {
    return path.substr(NameStart(path));
}

std::string ExtractFilePath(const std::string& path) {
    return path.substr(0, NameStart(path));
}

std::string ExtractFileDir(const std::string& path) {
    const size_t start = NameStart(path);
    if (start == 0)
        return {};
    if (start == 1)
        return "/";
    return path.substr(0, start - 1);
}

std::string ExtractFileExt(const std::string& path) {
    const size_t dot = ExtStart(path);
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string ChangeFileExt(const std::string& path, const std::string& ext) {
    const size_t dot = ExtStart(path);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ext;
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
    if (!path.empty() && path.back() == PathDelim)
        return path;
    return path + PathDelim;
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
    if (path.size() > 1 && path.back() == PathDelim)
        return path.substr(0, path.size() - 1);
    return path;
}

bool FileExists(const std::string& path) {
    struct stat st{};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string& path) {
    struct stat st{};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool ForceDirectories(const std::string& dir) {
    const std::string path = ExcludeTrailingPathDelimiter(dir);
    if (path.empty())
        return false;
    if (DirectoryExists(path))
        return true;
    const std::string parent = ExtractFileDir(path);
    if (!parent.empty() && parent != path && !ForceDirectories(parent))
        return false;
    return ::mkdir(path.c_str(), 0777) == 0 || (errno == EEXIST && DirectoryExists(path));
}

bool DeleteFile(const std::string& path) {
    return !DirectoryExists(path) && ::unlink(path.c_str()) == 0;
}

bool RenameFile(const std::string& oldName, const std::string& newName) {
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

int64_t FileSizeByName(const std::string& path) {
    struct stat st{};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

namespace {

void FillFromStat(TFolderEntry& entry, const struct stat& st, bool details) {
    entry.IsDirectory = S_ISDIR(st.st_mode);
    entry.Kind = entry.IsDirectory ? fekDirectory : S_ISREG(st.st_mode) ? fekFile : fekSpecial;
    if (details) {
        entry.Size = entry.IsDirectory ? 0 : static_cast<int64_t>(st.st_size);
        entry.Modified = static_cast<int64_t>(st.st_mtim.tv_sec);
    }
}

}  // namespace

void ScanFolder(const std::string& dir, bool details, const std::function<bool(const TFolderEntry&)>& Visit,
                const std::function<bool(const std::string& path)>& IsStatSkipped) {
    std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(dir.c_str()), ::closedir);
    if (!handle)
        throw EInOutError(Format("Cannot read the folder \"%s\". %s", dir, SysErrorMessage(errno)));
    const std::string prefix = IncludeTrailingPathDelimiter(dir);
    while (dirent* e = ::readdir(handle.get())) {
        TFolderEntry entry;
        entry.Name = e->d_name;
        if (entry.Name == "." || entry.Name == "..")
            continue;
        const std::string path = prefix + entry.Name;
        const bool known = e->d_type == DT_DIR || e->d_type == DT_REG || e->d_type == DT_FIFO ||
                           e->d_type == DT_SOCK || e->d_type == DT_CHR || e->d_type == DT_BLK;
        if (IsStatSkipped && IsStatSkipped(path)) {
            entry.IsDirectory = true;
            entry.Kind = fekDirectory;
        } else if (details || !known) {
            struct stat st{};
            if (::stat(path.c_str(), &st) == 0)
                FillFromStat(entry, st, details);
        } else {
            entry.IsDirectory = e->d_type == DT_DIR;
            entry.Kind = entry.IsDirectory ? fekDirectory : e->d_type == DT_REG ? fekFile : fekSpecial;
        }
        if (!Visit(entry))
            return;
    }
}

std::vector<TFolderEntry> ListFolder(const std::string& dir) {
    std::vector<TFolderEntry> entries;
    ScanFolder(dir, true, [&](const TFolderEntry& e) {
        entries.push_back(e);
        return true;
    });
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.Name < b.Name; });
    return entries;
}

std::string ProgramFolder() {
    std::string buffer(4096, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0)
        return "./";
    buffer.resize(static_cast<size_t>(n));
    return ExtractFilePath(buffer);
}

std::string HomeFolder() {
    std::string home = GetEnvironmentVariable("HOME");
    if (home.empty()) {
        passwd pw{};
        passwd* found = nullptr;
        char buf[4096];
        if (getpwuid_r(getuid(), &pw, buf, sizeof buf, &found) == 0 && found && found->pw_dir)
            home = found->pw_dir;
    }
    return home.empty() ? "/" : IncludeTrailingPathDelimiter(home);
}

std::string ConfigFolder() {
    return XdgFolder("XDG_CONFIG_HOME", ".config/");
}

std::string CacheFolder() {
    return XdgFolder("XDG_CACHE_HOME", ".cache/");
}
