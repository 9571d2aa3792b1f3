#include "skin/dialogs/PathRoutines.h"
#include <algorithm>
#include <sys/stat.h>
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Canvas.h"
#include "platform/shell/ShellNamespace.h"

bool IsExistingDir(const std::string& Name)
{
    if (Name.empty())
        return false;
    struct stat st{};
    return ::stat(Name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string JoinPath(const std::string& Dir, const std::string& Name)
{
    if (Dir.empty())
        return Name;
    return Dir.back() == '/' ? Dir + Name : Dir + "/" + Name;
}

void DropFirstDir(std::string& Path)
{
    if (Path == "/") {
        Path.clear();
        return;
    }
    std::string lead;
    if (!Path.empty() && Path.front() == '/') {
        lead = "/";
        Path.erase(0, 1);
    }
    if (!Path.empty() && Path.front() == '.')
        Path.erase(0, std::min<size_t>(4, Path.size()));   // the ".../" of an earlier step
    const size_t slash = Path.find('/');
    if (slash != std::string::npos)
        Path = ".../" + Path.substr(slash + 1);
    else
        Path.clear();
    Path = lead + Path;
}

std::string FitPathToWidth(const std::string& FileName, TCanvas& Canvas, int MaxLen)
{
    std::string result = FileName;
    std::string dir = ExtractFilePath(FileName);
    const std::string name = ExtractFileName(FileName);
    while (!dir.empty() && Canvas.TextWidth(result) > MaxLen) {
        if (dir == "/.../")
            dir = ".../";
        else
            DropFirstDir(dir);
        result = dir + name;
    }
    return result;
}

std::string DriveVolumeLabel(const std::string& MountPoint)
{
    const std::string name = MountPoint == "/" ? "/" : ExtractFileName(ExcludeTrailingPathDelimiter(MountPoint));
    return "[" + name + "]";
}

std::string DriveDisplayName(const std::string& MountPoint)
{
    for (const TMountEntry& m : ShellMounts())
        if (m.MountPoint == MountPoint && m.Kind == mkNetwork)
            return m.Source;
    return DriveVolumeLabel(MountPoint);
}

void SplitFilePath(const std::string& Path, const std::string& BaseDir, std::string& Drive, std::string& DirPart,
                   std::string& FilePart)
{
    // A file box shows folders as "[name]": such an entry stands for the
    // folder of that name in the base folder (unless it names itself).
    std::string path = Path;
    if (path.size() > 2 && path.front() == '[' && path.back() == ']' && !FileExists(JoinPath(BaseDir, path)) &&
        !IsExistingDir(JoinPath(BaseDir, path)))
        path = path.substr(1, path.size() - 2);
    const std::string full = NormalizeShellPath(!path.empty() && path.front() == '/' ? path : JoinPath(BaseDir, path));
    if (full.empty())
        throw EInOutError(Format("Cannot use the path \"%s\".", Path.c_str()));
    Drive = "/";
    if (full == "/") {
        DirPart = "/";
        FilePart.clear();
        return;
    }
    FilePart = ExtractFileName(full);
    DirPart = ExtractFileDir(full);
    if (!IsExistingDir(DirPart))
        throw EInOutError(Format("Cannot open the folder \"%s\".", DirPart.c_str()));
    const bool wild = FilePart.find_first_of("*?") != std::string::npos;
    if (!FilePart.empty() && !wild && !FileExists(full)) {
        if (!IsExistingDir(full))
            throw EInOutError(Format("Cannot open the folder \"%s\".", full.c_str()));
        DirPart = full;
        FilePart.clear();
    }
}

std::string MountOfPath(const std::string& Path)
{
    std::string best = "/";
    for (const TMountEntry& m : ShellMounts())
        if ((Path == m.MountPoint || Path.compare(0, m.MountPoint.size() + 1, m.MountPoint + "/") == 0) &&
            m.MountPoint.size() > best.size())
            best = m.MountPoint;
    return best;
}

int SlashCount(const std::string& S) { return int(std::count(S.begin(), S.end(), '/')); }
