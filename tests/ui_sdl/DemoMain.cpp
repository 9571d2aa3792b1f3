#include <cstdio>
#include "platform/core/Exception.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/sdl/SdlBackend.h"
#include "tests/ui_classlib/demo/DemoForm.h"

// The class library's demo form on the real desktop: closing it ends the
// program (run it under xvfb-run where no desktop is at hand).
int main()
{
    try {
        UseSdlBackend();
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    Application->Initialize();
    Application->SetTitle("Plain controls");
    TDemoForm* form = nullptr;
    Application->CreateForm(form);
    Application->Run();
    return 0;
}
