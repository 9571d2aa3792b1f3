#include "app/main/Startup.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/about/AboutForm.h"
#include "app/main/MainForm.h"
#include "app/main/MainOutputHost.h"
#include "app/output/OutputSettingsForm.h"
#include "app/options/OptionsForm.h"
#include "app/settings/SettingsFile.h"
#include "engine/preview/Previewer.h"
#include "engine/task/FFConverter.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/sdl/SdlBackend.h"
#include "resources/pictures/ShellIconSource.h"
#include "skin/data/SkinFormLink.h"

TOutputSettingsForm* Form6 = nullptr;

void CreateProgramForms()
{
    ProgramSettings();   // decides where "option.ini" lives, once
    Application->Initialize();
    Application->SetTitle(ApplicationTitle);
    BindSkinFormLinkToScreen();
    InstallShellIcons();   // folders and files in the file dialogs get their pictures
    InstallPreviewWindows();
    Application->CreateForm(Form1);
    Application->CreateForm(Form2);
    Application->CreateForm(Form5);
    // The live-preview box switches the conversion's preview at once.
    Form5->OnLivePreview = [](bool AOn) { Form1->FFConv().SetPreview(AOn); };
    Form1->FFConv().SetPreview(Form5->LivePreview());
    Form6 = CreateOutputSettingsForm(Application, Form1->OutputHost(), Form1->OutputHost(), Form1->bsSkinData1);
}

int RunProgram(int argc, char** argv)
{
    const bool headless = argc > 2 && std::string(argv[1]) == "--headless";
    try {
        THeadlessBackend* screen = nullptr;
        if (headless)
            screen = &UseHeadlessBackend();
        else
            InstallBackend(std::make_unique<TSdlBackend>());
        CreateProgramForms();
        if (headless) {
            Form1->Show();
            Application->ProcessMessages();
            screen->SaveWindowPicture(Form1->Handle(), argv[2]);
            std::printf("saved %s\n", argv[2]);
            Form1->Close();
            Application->ProcessMessages();
        } else {
            Application->Run();
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
