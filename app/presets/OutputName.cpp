#include "app/presets/OutputName.h"

#include "platform/core/Path.h"

namespace {

// The file name part of a path and the position of its extension's dot
// (npos when it has none). A dot that starts the name starts no extension,
// so ".hidden" keeps its name and gets the extension appended.
size_t ExtensionDot(const std::string& AName) {
    const size_t dot = AName.rfind('.');
    return dot == std::string::npos || dot == 0 ? std::string::npos : dot;
}

constexpr int MaxNumber = 1000000;

} // namespace

std::string BuildOutputName(const std::string& ASourceFile, const std::string& ANameExt,
                            const TOutputNameRule& ARule) {
    const std::string name = ExtractFileName(ASourceFile);
    if (name.empty())
        throw EOutputNameError("Cannot make an output name: \"" + ASourceFile + "\" names no file");
    const size_t dot = ExtensionDot(name);
    const std::string folder = ARule.Folder.empty() ? std::string() : IncludeTrailingPathDelimiter(ARule.Folder);
    const std::string stem = folder + (dot == std::string::npos ? name : name.substr(0, dot));

    auto exists = [&](const std::string& AName) {
        return ARule.FileExists ? ARule.FileExists(AName) : FileExists(AName);
    };
    auto taken = [&](const std::string& AName) {
        // A folder of that name can never be written over.
        return (ARule.Reserved && ARule.Reserved(AName)) || DirectoryExists(AName) ||
               (!ARule.Overwrite && exists(AName));
    };

    std::string candidate = stem + ANameExt;
    for (int n = 1; taken(candidate); ++n) {
        if (n > MaxNumber)
            throw EOutputNameError("Cannot make an output name: every numbered name of \"" + stem + ANameExt +
                                   "\" is taken");
        candidate = stem + "_" + std::to_string(n) + ANameExt;
    }
    return candidate;
}

std::string NameExtensionOf(const std::string& AFileName) {
    const std::string name = ExtractFileName(AFileName);
    const size_t dot = ExtensionDot(name);
    return dot == std::string::npos ? std::string() : name.substr(dot);
}
