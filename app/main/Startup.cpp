#include "app/main/Startup.h"

#include <cstdio>
#include <memory>
#include <string>

#include "app/about/AboutForm.h"
#include "app/main/MainFaces.h"
#include "app/main/MainForm.h"
#include "app/main/MainOutputHost.h"
#include "app/output/OutputSettingsForm.h"
#include "app/options/OptionsForm.h"
#include "app/settings/SettingsFile.h"
#include "engine/preview/Previewer.h"
#include "engine/task/FFConverter.h"
#include "platform/core/Exception.h"
#include "platform/core/Path.h"
#include "platform/core/Thread.h"
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
    // Settings that could not be saved at start-up are told once, when the loop runs.
    TThread::ForceQueue(nullptr, [] {
        if (Form1)
            Form1->ReportSettingsFailures();
    });
}

namespace {

// The headless render has nobody to close a message box: its messages go to
// the standard output.
struct TPrintedMessages : TMessageBoxFace {
    void ShowMessage(const std::string& AText, const std::string& ACaption, TMessageKind) override
    {
        std::printf("message: %s: %s\n", ACaption.c_str(), AText.c_str());
    }
};

}  // namespace

// The forms go before main returns: freeing the main window stops the player
// and the conversion and waits for every thread of theirs (the waits serve
// calls into the main thread, so the conversion's last end event is delivered
// or dropped by its detached handler). A call into the main thread that still
// comes later is dropped rather than waited for.
void FreeProgramForms()
{
    Application->DestroyComponents();
    Form1 = nullptr;
    Form2 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    TThread::EndMainThreadCalls();
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
            Form1->Faces().Messages = std::make_unique<TPrintedMessages>();
            Form1->Show();
            Application->ProcessMessages();
            screen->SaveWindowPicture(Form1->Handle(), argv[2]);
            std::printf("saved %s\n", argv[2]);
            Form1->Close();
            Application->ProcessMessages();
        } else {
            Application->Run();
        }
        FreeProgramForms();
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
