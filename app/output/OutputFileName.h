#pragma once
#include <functional>
#include <string>

// How the output settings dialog names an output file: the source's file name with the
// preset's name extension, in the output folder, numbered "_1", "_2", ... while the name
// is taken. Paths are joined with std::filesystem, so a folder that already ends with a
// separator gives no doubled one.
struct TOutputNameRules {
    // Whether a file of that name exists on disk (std::filesystem::exists when not set).
    std::function<bool(const std::string&)> FileExists;
    // Whether a job of the list already writes that name; such a name is always taken,
    // also when existing files may be overwritten, so that two jobs never write one file.
    std::function<bool(const std::string&)> TakenByJob;
    // The options dialog's choice to overwrite existing output files.
    bool Overwrite = false;
};

// The folder joined with the file-name part of `source`, its extension replaced by
// `extension` (added when it has none). Empty when the source has no file name: a
// source-less name would be the folder itself.
std::string OutputFileNameFor(const std::string& folder, const std::string& source, const std::string& extension);

// The file-name part of `name` moved into `folder`, numbered while taken:
// "out/clip.avi", else "out/clip_1.avi", "out/clip_2.avi", ... Empty when `name` has
// no file name.
std::string UniqueOutputFileName(const std::string& folder, const std::string& name, const TOutputNameRules& rules);
