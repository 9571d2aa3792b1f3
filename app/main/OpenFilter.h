#pragma once
#include <string>

// The filter of the two open dialogs: 42 entries, "description|patterns|"
// each, the first ("所有文件格式 (*.*)") selected when a dialog opens.
std::string OpenDialogFilter();
