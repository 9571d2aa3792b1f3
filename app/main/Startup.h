#pragma once

// The program's start-up after the back end is chosen: the settings file's
// place, the skin layer's link to the forms, the conversion preview windows,
// then the forms in order (main window, about, options, output settings).
void CreateProgramForms();

class TOutputSettingsForm;
// The output settings dialog, made hidden after the options dialog.
extern TOutputSettingsForm* Form6;

// The whole program: desktop back end (or, with "--headless picture.png",
// an off-screen window saved as a picture), the forms and the message loop.
int RunProgram(int argc, char** argv);
