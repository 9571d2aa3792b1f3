// A report-style list view of the job list's size (839 x 400, six columns)
// over 10,000 owner-data rows: a whole repaint, and a scroll by one row
// followed by its repaint, printed as frames per second.
#include <benchmark/benchmark.h>
#include <string>
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/controls/ListView.h"
#include "platform/ui/forms/Application.h"
#include "platform/ui/forms/Forms.h"

namespace {

struct TListScene {
    THeadlessBackend* Screen = nullptr;
    TForm* Form = nullptr;
    TListView* List = nullptr;

    TListScene()
    {
        Screen = &UseHeadlessBackend();
        Application->Initialize();
        Form = NewForm<TForm>(nullptr, TFormCreation::New);
        Form->SetBounds(10, 10, 860, 440);
        List = new TListView(Form);
        List->SetBounds(4, 4, 839, 400);
        List->SetViewStyle(vsReport);
        List->SetOwnerData(true);
        List->SetGridLines(true);
        List->SetRowSelect(true);
        for (int c = 0; c < 6; ++c) {
            TListColumn* col = List->Columns().Add();
            col->SetCaption("Column " + std::to_string(c));
            col->SetWidth(c == 0 ? 240 : 110);
        }
        List->OnData = [](TObject*, TListItem* item) {
            int i = item->Index();
            item->SetCaption("clip-" + std::to_string(i) + ".mp4");
            for (int c = 1; c < 6; ++c)
                item->SubItems().Add(std::to_string(i * c % 9973));
        };
        List->SetParent(Form);
        List->Items().SetCount(10000);
        Form->Show();
        Application->ProcessMessages();
        List->SetItemIndex(3);
    }
    ~TListScene()
    {
        delete Form;
        UseHeadlessBackend();
    }
};

void ListViewRepaint(benchmark::State& state)
{
    TListScene scene;
    for (auto _ : state) {
        scene.List->Invalidate();
        ProcessWindowMessages();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pixels/frame"] = double(scene.Screen->PresentedPixels()) / double(state.iterations() + 1);
}
BENCHMARK(ListViewRepaint)->Unit(benchmark::kMillisecond);

void ListViewScrollByRow(benchmark::State& state)
{
    TListScene scene;
    HWND h = scene.List->Handle();
    int step = 1;
    for (auto _ : state) {
        int top = int(SendMessage(h, LVM_GETTOPINDEX));
        if (top + step < 0 || top + step > 9990)
            step = -step;
        SendMessage(h, WM_VSCROLL, step > 0 ? SB_LINEDOWN : SB_LINEUP, 0);
        ProcessWindowMessages();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(ListViewScrollByRow)->Unit(benchmark::kMillisecond);

}  // namespace
