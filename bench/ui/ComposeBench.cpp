// Composing and presenting a main-window-sized form (839 x 527) with 100
// child windows through the headless back end, repainted whole and with one
// small dirty rectangle; printed as frames per second.
#include <benchmark/benchmark.h>
#include <vector>
#include "platform/gfx/Draw.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"

namespace {

LRESULT PanelProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_PAINT && !wp) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(h, ps);
        TRect r;
        GetClientRect(h, r);
        TColor colour = TColor(reinterpret_cast<uintptr_t>(h) * 2654435761u) & 0xFFFFFF;
        FillRect(*dc, r, colour);
        FrameRect(*dc, r, clBlack);
        EndPaint(h, ps);
        return 0;
    }
    return DefWindowProc(h, msg, wp, lp);
}

struct TScene {
    THeadlessBackend* Screen = nullptr;
    HWND Form = nullptr;
    std::vector<HWND> Children;

    TScene()
    {
        Screen = &UseHeadlessBackend();
        UnregisterClass("BenchPanel");
        WNDCLASS wc;
        wc.lpszClassName = "BenchPanel";
        wc.lpfnWndProc = PanelProc;
        wc.hbrBackground = clBtnFace;
        RegisterClass(wc);
        Form = CreateWindowEx(0, "BenchPanel", "form", WS_POPUP | WS_VISIBLE, 20, 20, 839, 527, nullptr);
        // A 10 x 10 grid of panels that overlap their neighbours a little.
        for (int row = 0; row < 10; ++row)
            for (int col = 0; col < 10; ++col)
                Children.push_back(CreateWindowEx(0, "BenchPanel", "", WS_CHILD | WS_VISIBLE, 8 + col * 82,
                                                  8 + row * 51, 88, 56, Form, UINT_PTR(row * 10 + col + 1)));
        ProcessWindowMessages();
    }
};

void ComposeWholeWindow(benchmark::State& state)
{
    TScene scene;
    for (auto _ : state) {
        RedrawWindow(scene.Form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        ProcessWindowMessages();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pixels/frame"] = double(scene.Screen->PresentedPixels()) / double(state.iterations() + 1);
}

void ComposeOneDirtyRectangle(benchmark::State& state)
{
    TScene scene;
    HWND target = scene.Children[45];
    TRect small = Bounds(10, 10, 24, 16);
    int64_t before = scene.Screen->PresentedPixels();
    for (auto _ : state) {
        InvalidateRect(target, &small, true);
        ProcessWindowMessages();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pixels/frame"] = double(scene.Screen->PresentedPixels() - before) / double(state.iterations());
}

} // namespace

BENCHMARK(ComposeWholeWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComposeOneDirtyRectangle)->Unit(benchmark::kMicrosecond);
