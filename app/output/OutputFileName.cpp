#include "app/output/OutputFileName.h"

#include <filesystem>

#include "app/presets/PresetFormats.h"

namespace {

std::string FileNamePart(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

std::string Join(const std::string& folder, const std::string& fileName)
{
    if (folder.empty())
        return fileName;
    return (std::filesystem::path(folder) / fileName).string();
}

} // namespace

std::string OutputFileNameFor(const std::string& folder, const std::string& source, const std::string& extension)
{
    std::string fileName = FileNamePart(source);
    if (fileName.empty() || fileName == "." || fileName == "..")
        return {};
    return Join(folder, ReplaceExtension(fileName, extension));
}

std::string UniqueOutputFileName(const std::string& folder, const std::string& name, const TOutputNameRules& rules)
{
    std::string fileName = FileNamePart(name);
    if (fileName.empty() || fileName == "." || fileName == "..")
        return {};
    // The extension is what follows the last dot of the file name; a leading dot
    // (".avi" alone) is part of the base, not an extension of an empty name.
    size_t dot = fileName.find_last_of('.');
    std::string extension = dot == std::string::npos || dot == 0 ? std::string() : fileName.substr(dot);
    std::string base = Join(folder, fileName.substr(0, fileName.size() - extension.size()));
    auto taken = [&](const std::string& candidate) {
        if (rules.TakenByJob && rules.TakenByJob(candidate))
            return true;
        if (rules.Overwrite)
            return false;
        if (rules.FileExists)
            return rules.FileExists(candidate);
        std::error_code error;
        return std::filesystem::exists(candidate, error);
    };
    std::string candidate = base + extension;
    for (int n = 1; taken(candidate); ++n)
        candidate = base + "_" + std::to_string(n) + extension;
    return candidate;
}
