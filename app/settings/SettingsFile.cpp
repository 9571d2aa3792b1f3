#include "app/settings/SettingsFile.h"

#include <algorithm>
#include <memory>
#include <fcntl.h>
#include <unistd.h>

#include "platform/core/Exception.h"
#include "platform/core/IniFile.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

namespace {

// Tried, not judged from permission bits (which say yes to root on a
// read-only mount): the file opened for appending, else a probe created
// and removed beside it.
bool CanWriteSettingsIn(const std::string& AFolder)
{
    const std::string file = IncludeTrailingPathDelimiter(AFolder) + TSettingsFile::FileName;
    if (FileExists(file)) {
        const int fd = open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (fd < 0)
            return false;
        close(fd);
        return true;
    }
    const std::string probe = file + ".probe";
    const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    close(fd);
    unlink(probe.c_str());
    return true;
}

std::unique_ptr<TSettingsFile>& Current()
{
    static std::unique_ptr<TSettingsFile> settings;
    return settings;
}

}  // namespace

std::string TSettingsFile::ChooseLocation(const std::string& AProgramFolder)
{
    std::string folder = GetEnvironmentVariable(FolderVariable);
    if (folder.empty()) {
        if (CanWriteSettingsIn(AProgramFolder))
            folder = AProgramFolder;
        else
            folder = IncludeTrailingPathDelimiter(ConfigFolder()) + "zarvompg";
    }
    return IncludeTrailingPathDelimiter(folder) + FileName;
}

bool TSettingsFile::Exists() const { return FileExists(FPath); }

std::optional<std::string> TSettingsFile::Read(const std::string& ASection, const std::string& AKey) const
{
    if (!Exists())
        return std::nullopt;
    std::string value;
    try {
        TIniFile ini(FPath);
        value = ini.ReadString(ASection, AKey, "Error");
    } catch (const Exception&) {
        return std::nullopt;  // unreadable: the caller's default stands
    }
    if (value.empty() || value == "Error")
        return std::nullopt;
    return value;
}

void TSettingsFile::Write(const std::string& ASection, const std::string& AKey, const std::string& AValue) const
{
    ForceDirectories(ExtractFileDir(FPath));
    TIniFile ini(FPath);
    ini.WriteString(ASection, AKey, AValue);
}

bool TSettingsFile::TryWrite(const std::string& ASection, const std::string& AKey, const std::string& AValue) const
{
    try {
        Write(ASection, AKey, AValue);
        return true;
    } catch (const Exception& e) {
        const std::string key = "[" + ASection + "] " + AKey;
        if (std::find(FFailedKeys.begin(), FFailedKeys.end(), key) == FFailedKeys.end())
            FFailedKeys.push_back(key);
        if (FFailureReason.empty())
            FFailureReason = e.what();
        return false;
    }
}

std::string TSettingsFile::TakeFailureReport() const
{
    if (FFailedKeys.empty())
        return {};
    std::string text = "以下设置无法保存到 \"" + FPath + "\"：\n";
    for (const std::string& key : FFailedKeys)
        text += key + "\n";
    text += "原因：" + FFailureReason + "\n程序照常运行，这些设置在本次运行中有效。";
    FFailedKeys.clear();
    FFailureReason.clear();
    return text;
}

TSettingsFile& ProgramSettings()
{
    if (!Current())
        Current() = std::make_unique<TSettingsFile>(TSettingsFile::ChooseLocation(ProgramFolder()));
    return *Current();
}

void SetProgramSettings(const std::string& APath) { Current() = std::make_unique<TSettingsFile>(APath); }
