#pragma once
#include <string>

namespace testmedia {

// A fresh folder below the system's temporary folder, removed with all it
// holds when the object goes. Every generated file of a test lives in one.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder, without a trailing delimiter.
    const std::string& Path() const { return FPath; }
    // A name inside the folder.
    std::string File(const std::string& name) const { return FPath + "/" + name; }

private:
    std::string FPath;
};

} // namespace testmedia
