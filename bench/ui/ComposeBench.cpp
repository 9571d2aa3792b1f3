// Composing and presenting a main-window-sized form (839 x 527) with an n x n
// grid of child windows through the headless back end, repainted whole and
// with one small dirty rectangle; printed as frames per second. The grid
// covers the same pixels whatever n, so the time per frame against the
// number of children shows what the window count alone costs.
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

    explicit TScene(int side = 10)
    {
        Screen = &UseHeadlessBackend();
        UnregisterClass("BenchPanel");
        WNDCLASS wc;
        wc.lpszClassName = "BenchPanel";
        wc.lpfnWndProc = PanelProc;
        wc.hbrBackground = clBtnFace;
        RegisterClass(wc);
        Form = CreateWindowEx(0, "BenchPanel", "form", WS_POPUP | WS_VISIBLE, 20, 20, 839, 527, nullptr);
        // A side x side grid of panels that overlap their neighbours a little.
        const int stepX = 820 / side, stepY = 510 / side;
        for (int row = 0; row < side; ++row)
            for (int col = 0; col < side; ++col)
                Children.push_back(CreateWindowEx(0, "BenchPanel", "", WS_CHILD | WS_VISIBLE, 8 + col * stepX,
                                                  8 + row * stepY, stepX + 6, stepY + 5, Form,
                                                  UINT_PTR(row * side + col + 1)));
        ProcessWindowMessages();
    }
};

void ComposeWholeWindow(benchmark::State& state)
{
    TScene scene(int(state.range(0)));
    for (auto _ : state) {
        RedrawWindow(scene.Form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        ProcessWindowMessages();
    }
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["pixels/frame"] = double(scene.Screen->PresentedPixels()) / double(state.iterations() + 1);
    state.counters["children"] = double(scene.Children.size());
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

// 25, 100, 400 and 900 children.
BENCHMARK(ComposeWholeWindow)->ArgName("side")->Arg(5)->Arg(10)->Arg(20)->Arg(30)->Unit(benchmark::kMicrosecond);
BENCHMARK(ComposeOneDirtyRectangle)->Unit(benchmark::kMicrosecond);
