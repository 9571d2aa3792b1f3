#pragma once
#include <functional>
#include <string>

// The program's help and contact: a short help page shipped beside the
// program stands for the maker's web site, and one contact address.
inline constexpr const char* ContactAddress = "support@zarvompg.example";
inline constexpr const char* ProgramVersionText = "版本:11.3.0.0";

// "help.html" in the program folder.
std::string HelpPageFile();
// Opens the help page with the desktop's opener; a failure is not shown.
void OpenHelpPage();
// Opens a folder, page or link; a failure is not shown. Tests replace it.
extern std::function<void(const std::string& ATarget)> DocumentOpener;
void OpenQuietly(const std::string& ATarget);
