#pragma once

class TbsSkinData;
class TbsFormFrame;
class TForm;

// The main window's two skin containers, which every form of the program and
// the skinned controls use: Main (the chosen skin) for forms and controls,
// ToolBar (its one fixed skin) for the tool bar buttons and the two format
// lists. The main window sets them when it is built; dialogs made before it,
// as in tests, stay plain.
struct TProgramSkins {
    TbsSkinData* Main = nullptr;
    TbsSkinData* ToolBar = nullptr;
};

TProgramSkins& ProgramSkins();

// The skinned frame's borders differ from skin to skin, and a new skin keeps
// the window's outer size: the program's windows set their client size again
// after every skin change, so that their controls keep their places.
void FitClientSize(TForm& AForm, int AWidth, int AHeight);
