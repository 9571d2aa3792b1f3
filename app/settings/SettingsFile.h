#pragma once
#include <optional>
#include <string>
#include <vector>

// The program's settings file "option.ini". Its place is decided once at
// start-up: beside the program when the file can be written there, else in
// the user's configuration folder; every "file exists" test uses that one path.
// Values are read and written one key at a time, nothing is kept open.
class TSettingsFile {
public:
    explicit TSettingsFile(std::string APath) : FPath(std::move(APath)) {}

    // The folder the environment variable names, else the program folder when
    // "option.ini" can be written there, else <config folder>/zarvompg/.
    static std::string ChooseLocation(const std::string& AProgramFolder);
    static constexpr const char* FolderVariable = "ZARVO_SETTINGS_DIR";
    static constexpr const char* FileName = "option.ini";

    const std::string& Path() const { return FPath; }
    bool Exists() const;
    // Absent when the key is missing, empty or holds "Error", and when the
    // file cannot be read.
    std::optional<std::string> Read(const std::string& ASection, const std::string& AKey) const;
    // The first write creates the file (and its folder); throws when it cannot.
    void Write(const std::string& ASection, const std::string& AKey, const std::string& AValue) const;
    // Write that keeps going: false when the value could not be saved, the
    // setting and the reason kept for TakeFailureReport.
    bool TryWrite(const std::string& ASection, const std::string& AKey, const std::string& AValue) const;
    // The settings that could not be saved since the last call and why, as
    // the text of one message; empty when every write succeeded.
    std::string TakeFailureReport() const;

private:
    std::string FPath;
    mutable std::vector<std::string> FFailedKeys;  // "[Section] Key", each once
    mutable std::string FFailureReason;            // the first write's reason
};

// The settings file of the running program; set once by the start-up.
TSettingsFile& ProgramSettings();
void SetProgramSettings(const std::string& APath);
