#include "platform/shell/ShellIcons.h"

#include <array>
#include <memory>
#include <set>

#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "platform/shell/NamespaceFolder.h"
#include "platform/shell/ShellNamespace.h"
#include "platform/ui/controls/ImageList.h"

namespace {

constexpr const char* IconNames[siCount] = {
    "SHELL_FOLDER", "SHELL_FOLDER_OPEN", "SHELL_HOME", "SHELL_DESKTOP", "SHELL_COMPUTER", "SHELL_DISK",
    "SHELL_REMOVABLE", "SHELL_OPTICAL", "SHELL_NETWORK", "SHELL_FILE", "SHELL_FILE_VIDEO", "SHELL_FILE_AUDIO",
    "SHELL_FILE_IMAGE", "SHELL_FILE_TEXT", "SHELL_FILE_ARCHIVE", "SHELL_FILE_PROGRAM"};

struct TIconState {
    TShellIconProvider Provider;
    std::unique_ptr<TImageList> Small;
    std::unique_ptr<TImageList> Large;
    std::array<bool, siCount> Present{};
};

TIconState& Icons() {
    static TIconState state;
    return state;
}

void FillList(TImageList& list, int size, std::array<bool, siCount>& present) {
    list.Clear();
    TBitmap blank(size, size, pf32bit);
    blank.Fill(clBlack, 0);
    blank.SetAlphaFormat(afDefined);
    for (int i = 0; i < siCount; ++i) {
        TBitmap picture = Icons().Provider(IconNames[i], size);
        // Every index keeps its place; a missing picture leaves a clear one there.
        const bool ok = !picture.Empty();
        list.Add(ok ? picture : blank);
        if (!ok)
            present[i] = false;
    }
}

} // namespace

const char* ShellIconName(TShellIcon icon) {
    return icon >= 0 && icon < siCount ? IconNames[icon] : "";
}

TShellIcon FileIconOf(const std::string& fileName) {
    static const std::set<std::string> video = {
        ".3g2", ".3gp", ".asf", ".avi", ".dat", ".divx", ".dv", ".f4v", ".flv", ".m2ts", ".m2v", ".m4v",
        ".mkv", ".mod", ".mov", ".mp4", ".mpe", ".mpeg", ".mpg", ".mts", ".ogv", ".rm", ".rmvb", ".swf",
        ".tod", ".ts", ".vob", ".webm", ".wmv", ".y4m"};
    static const std::set<std::string> audio = {
        ".aac", ".ac3", ".aif", ".aiff", ".amr", ".ape", ".au", ".flac", ".m4a", ".mka", ".mp2", ".mp3",
        ".mpa", ".oga", ".ogg", ".opus", ".ra", ".wav", ".wma"};
    static const std::set<std::string> image = {
        ".bmp", ".gif", ".ico", ".jpeg", ".jpg", ".png", ".svg", ".tga", ".tif", ".tiff", ".webp"};
    static const std::set<std::string> text = {
        ".ass", ".csv", ".cue", ".ini", ".json", ".log", ".lrc", ".md", ".nfo", ".srt", ".ssa", ".sub",
        ".txt", ".xml"};
    static const std::set<std::string> archive = {
        ".7z", ".bz2", ".cab", ".gz", ".iso", ".rar", ".tar", ".tgz", ".xz", ".z", ".zip", ".zst"};
    static const std::set<std::string> program = {".appimage", ".bat", ".com", ".exe", ".run", ".sh"};
    const std::string ext = LowerCase(ExtractFileExt(fileName));
    if (ext.empty() || ext == fileName)
        return siFile;  // no extension, or a dot file
    if (video.count(ext))
        return siFileVideo;
    if (audio.count(ext))
        return siFileAudio;
    if (image.count(ext))
        return siFileImage;
    if (text.count(ext))
        return siFileText;
    if (archive.count(ext))
        return siFileArchive;
    if (program.count(ext))
        return siFileProgram;
    return siFile;
}

void SetShellIconProvider(TShellIconProvider provider) {
    TIconState& s = Icons();
    s.Provider = std::move(provider);
    s.Present.fill(bool(s.Provider));
    if (!s.Provider) {
        if (s.Small)
            s.Small->Clear();
        if (s.Large)
            s.Large->Clear();
        return;
    }
    if (!s.Small)
        s.Small = std::make_unique<TImageList>(nullptr, 16, 16);
    if (!s.Large)
        s.Large = std::make_unique<TImageList>(nullptr, 32, 32);
    FillList(*s.Small, 16, s.Present);
    FillList(*s.Large, 32, s.Present);
}

bool HasShellIconProvider() {
    return bool(Icons().Provider);
}

TImageList* ShellImageList(bool large) {
    TIconState& s = Icons();
    if (!s.Provider)
        return nullptr;
    return large ? s.Large.get() : s.Small.get();
}

int ShellIconImageIndex(TShellIcon icon) {
    const TIconState& s = Icons();
    if (!s.Provider || icon < 0 || icon >= siCount || !s.Present[icon])
        return -1;
    return icon;
}

TShellIcon ShellIconOf(const TItemIDList& absolute, bool open) {
    if (absolute.Empty())
        return siDesktop;
    const TShellIdItem& last = absolute.Items.back();
    if (last.Kind == ikHome)
        return siHome;
    if (last.Kind == ikComputer)
        return siComputer;
    std::string path;
    ShellPathOfID(absolute, path);
    if (const TMountEntry* m = MountAt(path); m && (last.Kind == ikMount || m->Kind == mkNetwork)) {
        switch (m->Kind) {
        case mkRemovable: return siRemovable;
        case mkOptical: return siOptical;
        case mkNetwork: return siNetwork;
        default: return siDisk;
        }
    }
    if (last.Kind == ikMount)
        return siDisk;
    if (!ShellAttributesOf(absolute).Contains(saFolder))
        return FileIconOf(last.Name);
    const auto& folders = ShellEnvironment().UserFolders;
    if (auto it = folders.find(ufDesktop); it != folders.end() && it->second == path)
        return siDesktop;
    return open ? siFolderOpen : siFolder;
}

int ShellIconIndex(const TItemIDList& absolute, bool /*large*/, bool open) {
    if (!HasShellIconProvider())
        return -1;
    return ShellIconImageIndex(ShellIconOf(absolute, open));
}
