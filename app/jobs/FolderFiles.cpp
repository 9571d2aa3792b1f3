#include "app/jobs/FolderFiles.h"

#include "platform/core/Exception.h"
#include "platform/core/FileMask.h"
#include "platform/core/Path.h"

std::vector<std::string> GetFilenames(const std::string& AFolder, const std::string& AMask) {
    std::vector<std::string> files;
    if (AFolder.empty() || !DirectoryExists(AFolder))
        return files;
    const std::string folder = IncludeTrailingPathDelimiter(AFolder);
    try {
        for (const TFolderEntry& entry : ListFolder(folder))
            if (!entry.IsDirectory && MatchesMask(entry.Name, AMask))
                files.push_back(folder + entry.Name);
    } catch (const Exception&) {
        files.clear();
    }
    return files;
}
