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
