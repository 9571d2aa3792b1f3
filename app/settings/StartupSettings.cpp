#include "app/settings/StartupSettings.h"

#include "app/settings/SettingsFile.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

namespace {

std::string ProgramDataFolder() { return IncludeTrailingPathDelimiter(HomeFolder()) + "Zarvo视频软件/"; }

std::string UseDefaultOutputFolder(const TSettingsFile& ASettings)
{
    const std::string folder = DefaultOutputFolder();
    ForceDirectories(folder);
    // An unwritable settings file still leaves the folder in use.
    ASettings.TryWrite("OutPath", "OutPath", folder);
    return folder;
}

}  // namespace

std::string DefaultOutputFolder() { return ProgramDataFolder() + "输出"; }
std::string DefaultSnapshotFolder() { return ProgramDataFolder() + "快照"; }

std::string ReadOutputFolder(const TSettingsFile& ASettings)
{
    try {
        if (!ASettings.Exists())
            return UseDefaultOutputFolder(ASettings);
        if (std::optional<std::string> stored = ASettings.Read("OutPath", "OutPath")) {
            ForceDirectories(*stored);
            return *stored;
        }
    } catch (const Exception&) {
        // A file that cannot be read counts as no folder stored.
    }
    return UseDefaultOutputFolder(ASettings);
}

bool WriteOutputFolder(const TSettingsFile& ASettings, const std::string& AFolder)
{
    if (AFolder.empty() || !DirectoryExists(AFolder))
        return false;
    return ASettings.TryWrite("OutPath", "OutPath", AFolder);
}

std::optional<int> ReadSkinIndex(const TSettingsFile& ASettings)
{
    if (!ASettings.Exists()) {
        ASettings.TryWrite("Skin", "SetSkin", "0");
        return std::nullopt;
    }
    if (std::optional<std::string> stored = ASettings.Read("Skin", "SetSkin")) {
        int index = 0;
        if (TryStrToInt(*stored, index))
            return index;
    }
    ASettings.TryWrite("Skin", "SetSkin", "0");
    return 0;
}

void WriteSkinIndex(const TSettingsFile& ASettings, int AIndex)
{
    ASettings.TryWrite("Skin", "SetSkin", std::to_string(AIndex));
}
