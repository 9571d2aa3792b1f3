// Plays a generated 1080p H.264 clip through the player itself, headless, on
// a 1280 × 720 host: reader, decoder thread, picture queue, clock-paced
// display onto the surface. Playback is paced by the clip's own rate, so the
// figures are the pictures shown against those in the clip, and the pictures
// the machine could decode and show per second of processor time.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "bench/player/BenchClip.h"
#include "engine/player/Player.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Thread.h"

namespace {

using playerbench::Clip;
using playerbench::ClipFrames;
using playerbench::ClipRate;

class TCountingHost : public TPlayerHost {
public:
    std::atomic<int> Shown{0};
    void GetClientSize(int& AWidth, int& AHeight) override {
        AWidth = 1280;
        AHeight = 720;
    }
    void SurfaceChanged() override { ++Shown; }
};

double ProcessorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_PlayerPlays1080p(benchmark::State& state) {
    const std::string& path = Clip();
    TFFPlayer player(nullptr);
    if (!player.LoadAVLib(GetExePath() + "LibAV")) {
        state.SkipWithError(player.LastErrMsg().c_str());
        return;
    }
    player.SetDisableAudio(true);
    std::atomic<bool> ended{false};
    player.SetTriggerEventInMainThread(false);
    player.OnState = [&](TObject*, TPlayState s) {
        if (s == psEnd)
            ended = true;
    };
    int shown = 0;
    double processor = 0;
    for (auto _ : state) {
        TCountingHost host;
        ended = false;
        const double before = ProcessorSeconds();
        if (!player.Open(path, &host, false)) {
            state.SkipWithError(player.LastErrMsg().c_str());
            return;
        }
        while (!ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        player.Stop(true);
        processor += ProcessorSeconds() - before;
        shown += host.Shown;
    }
    const double iterations = double(state.iterations());
    state.counters["shown_per_clip"] = shown / iterations;
    state.counters["clip_frames"] = ClipFrames;
    state.counters["clip_fps"] = ClipRate;
    state.counters["fps_per_cpu_second"] = processor > 0 ? shown / processor : 0;
}
BENCHMARK(BM_PlayerPlays1080p)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace
