#pragma once
#include <optional>
#include <string>

class TSettingsFile;

// The output folder and skin index kept in "option.ini" ([OutPath] OutPath,
// [Skin] SetSkin) and the program's default folders under the home folder.

std::string DefaultOutputFolder();     // ~/Zarvo视频软件/输出
std::string DefaultSnapshotFolder();   // ~/Zarvo视频软件/快照

// The output folder to use at start-up: the stored one (created when
// missing, the file left as it is), else the default, created and written.
// A folder that cannot be created is used all the same.
std::string ReadOutputFolder(const TSettingsFile& ASettings);
// Writes the folder only when it exists; false otherwise.
bool WriteOutputFolder(const TSettingsFile& ASettings, const std::string& AFolder);

// The skin index to select at start-up, or nothing to keep the one the form
// stores: no file writes "0" and keeps it; a stored whole number is given to
// the skin container (which refuses one outside its list); an absent or
// malformed value writes "0" and selects 0.
std::optional<int> ReadSkinIndex(const TSettingsFile& ASettings);
void WriteSkinIndex(const TSettingsFile& ASettings, int AIndex);
