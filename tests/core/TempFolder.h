#pragma once
#include <stdlib.h>

#include <filesystem>
#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
class TTempFolder {
public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "zarvo-core-XXXXXX").string();
        FPath = mkdtemp(pattern.data());
        FPath += '/';
    }
    ~TTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(FPath, ec);
    }
    // The folder with a trailing "/".
    const std::string& Path() const { return FPath; }
    std::string operator/(const std::string& name) const { return FPath + name; }

private:
    std::string FPath;
};
