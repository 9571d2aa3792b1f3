#include <cstdio>
#include <string>
#include "DemoForm.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/forms/Application.h"

// Shows the demo form. Until a desktop back end is installed here it runs
// on the headless screen and saves the form as a picture (argument 1, or
// "classlib-demo.png").
int main(int argc, char** argv)
{
    std::string out = argc > 1 ? argv[1] : "classlib-demo.png";
    THeadlessBackend& screen = UseHeadlessBackend();
    Application->Initialize();
    Application->SetTitle("Plain controls");
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    form->Show();
    Application->ProcessMessages();
    screen.SaveWindowPicture(form->Handle(), out);
    std::printf("saved %s\n", out.c_str());
    delete form;
    return 0;
}
