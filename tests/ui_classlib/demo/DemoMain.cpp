#include <cstdio>
#include <memory>
#include <string>
#include "DemoForm.h"
#include "platform/core/Exception.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/sdl/SdlBackend.h"

// Shows the demo form on the desktop until it is closed:
//     build/tests/ui_classlib/ui_classlib_demo
//     xvfb-run -a build/tests/ui_classlib/ui_classlib_demo      (without a display)
// With "--headless picture.png" it renders the form off screen and saves it.
int main(int argc, char** argv)
{
    bool headless = argc > 2 && std::string(argv[1]) == "--headless";
    try {
        THeadlessBackend* screen = nullptr;
        if (headless)
            screen = &UseHeadlessBackend();
        else
            InstallBackend(std::make_unique<TSdlBackend>());
        Application->Initialize();
        Application->SetTitle("Plain controls");
        TDemoForm* form = nullptr;
        Application->CreateForm(form);
        if (headless) {
            form->Show();
            Application->ProcessMessages();
            screen->SaveWindowPicture(form->Handle(), argv[2]);
            std::printf("saved %s\n", argv[2]);
        } else {
            form->OnClose = [](TObject*, TCloseAction&) { Application->Terminate(); };
            Application->Run();
        }
        delete form;
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
