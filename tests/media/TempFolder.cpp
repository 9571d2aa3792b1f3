#include "tests/media/TempFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/core/Exception.h"

namespace testmedia {

TTempFolder::TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zarvo-media-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data()))
        throw EInOutError("cannot create a temporary folder: " + std::string(std::strerror(errno)));
    FPath = name.data();
}

TTempFolder::~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
}

} // namespace testmedia
