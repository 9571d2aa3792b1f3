// The skinned main window's full repaint (frame, tool bar, list, preview and
// buttons) through the headless back end, on one core: frames per second and
// the time of one repaint as a multiple of copying its pixels once.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main/MainForm.h"
#include "app/main/Startup.h"
#include "platform/ui/HeadlessBackend.h"
#include "platform/ui/Ui.h"
#include "platform/ui/forms/Application.h"

namespace {

// Seconds one copy of width x height 32-bit pixels takes, the best of many.
double CopySeconds(int width, int height)
{
    std::vector<uint32_t> from(size_t(width) * size_t(height), 0x123456u), to(from.size());
    double best = 1e9;
    for (int i = 0; i < 200; ++i) {
        auto start = std::chrono::steady_clock::now();
        std::memcpy(to.data(), from.data(), from.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        from[size_t(i)] ^= 1;
    }
    return best;
}

// The program's forms, made once for every run of the benchmark (the forms
// are named and exist once per process), in a home folder of their own.
HWND MainWindow()
{
    static HWND main = [] {
        static char folder[] = "/tmp/zarvo-repaint-XXXXXX";
        if (!mkdtemp(folder))
            return HWND(nullptr);
        setenv("HOME", folder, 1);
        UseHeadlessBackend();
        CreateProgramForms();
        Form1->Show();
        Application->ProcessMessages();
        std::atexit([] { std::filesystem::remove_all(folder); });
        return Form1->Handle();
    }();
    return main;
}

void MainWindowFullRepaint(benchmark::State& state)
{
    HWND main = MainWindow();
    if (!main) {
        state.SkipWithError("no temporary folder");
        return;
    }
    TRect r;
    GetWindowRect(main, r);
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        ProcessWindowMessages();
    }
    const double frame =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / double(state.iterations());
    const double copy = CopySeconds(r.Width(), r.Height());
    state.counters["fps"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["x_memcpy"] = frame / copy;
    state.counters["width"] = r.Width();
    state.counters["height"] = r.Height();
}

} // namespace

BENCHMARK(MainWindowFullRepaint)->Unit(benchmark::kMillisecond)->Iterations(500);
