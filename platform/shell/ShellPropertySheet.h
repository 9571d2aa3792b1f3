#pragma once
#include <string>
#include <utility>
#include <vector>

class TbsShellFolder;
class TForm;

// What an item's property sheet shows, as label and value rows: name,
// type, location, size (files) and modification time.
std::vector<std::pair<std::string, std::string>> ShellPropertyRows(const TbsShellFolder& item);

// Shows an item's property sheet: a small window of its own, not modal,
// that closes with its button and frees itself. Answers the window.
TForm* ShowShellPropertySheet(const TbsShellFolder& item);
