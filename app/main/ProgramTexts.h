#pragma once

class TbsResourceStrData;

// The program speaks Chinese: the texts of the skin layer's system menu,
// caption buttons, edit menu, message boxes and file, folder and skin
// dialogs, put into the program's text table over their English defaults.
void PutProgramTexts(TbsResourceStrData& ATable);
