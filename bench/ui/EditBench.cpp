// An edit of the main window's output-folder size (400 x 24) holding one line
// of 1 MB: a whole repaint, a scroll to the other end (Home or End and its
// repaint) and one typed character with its repaint; the time column is the
// time of one operation, "bytes" the text's length.
#include <benchmark/benchmark.h>
#include <string>
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/Edit.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"

namespace {

struct TEditScene {
    THeadlessBackend* Screen = nullptr;
    TForm* Form = nullptr;
    TEdit* Edit = nullptr;

    TEditScene()
    {
        Screen = &UseHeadlessBackend();
        Application->Initialize();
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetBounds(10, 10, 440, 80);
        Edit = new TEdit(Form);
        Edit->SetBounds(8, 8, 400, 24);
        Edit->SetParent(Form);
        std::string text;
        text.reserve(1 << 20);
        while (text.size() < (1 << 20))
            text += "/home/user/视频/输出/";
        Edit->SetText(text);
        Form->Show();
        Edit->SetFocus();
        Application->ProcessMessages();
    }
    ~TEditScene()
    {
        delete Form;
        UseHeadlessBackend();
    }
};

void Report(benchmark::State& state, const TEditScene& scene)
{
    state.counters["bytes"] = double(scene.Edit->Text().size());
}

void EditRepaintLongLine(benchmark::State& state)
{
    TEditScene scene;
    for (auto _ : state) {
        scene.Edit->Invalidate();
        ProcessWindowMessages();
    }
    Report(state, scene);
}
BENCHMARK(EditRepaintLongLine)->Unit(benchmark::kMillisecond);

void EditScrollLongLine(benchmark::State& state)
{
    TEditScene scene;
    bool atEnd = false;
    for (auto _ : state) {
        scene.Screen->KeyPress(atEnd ? VK_HOME : VK_END);
        ProcessWindowMessages();
        atEnd = !atEnd;
    }
    Report(state, scene);
}
BENCHMARK(EditScrollLongLine)->Unit(benchmark::kMillisecond);

void EditTypeIntoLongLine(benchmark::State& state)
{
    TEditScene scene;
    scene.Screen->KeyPress(VK_END);
    ProcessWindowMessages();
    for (auto _ : state) {
        scene.Screen->KeyPress('A', "a");
        ProcessWindowMessages();
    }
    Report(state, scene);
}
BENCHMARK(EditTypeIntoLongLine)->Unit(benchmark::kMillisecond);

}  // namespace
