#pragma once
#include <string>
#include <vector>

// The full paths of the files of one folder (not of its subfolders) whose
// names match the mask (FileMask.h), hidden files included, in name order.
// A folder that does not exist or cannot be read gives no files.
std::vector<std::string> GetFilenames(const std::string& AFolder, const std::string& AMask);
