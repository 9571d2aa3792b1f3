// Plays a generated 1080p H.264 clip through the player itself, headless, on
// a 1280 × 720 host: reader, decoder thread, picture queue, display onto the
// surface. The paced run keeps the clip's own rate, so its figures are the
// pictures shown against those in the clip and the pictures the machine could
// decode and show per second of processor time. The unpaced run shows every
// picture as soon as it is decoded, without an audio device: its figures are
// the pictures per second the player's whole path reaches and the real-time
// factor (clip time per wall-clock time).
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
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

void BM_PlayerUnpaced1080p(benchmark::State& state) {
    const std::string& path = Clip();
    TFFPlayer player(nullptr);
    if (!player.LoadAVLib(GetExePath() + "LibAV")) {
        state.SkipWithError(player.LastErrMsg().c_str());
        return;
    }
    player.SetUnpaced(true);
    player.SetTriggerEventInMainThread(false);
    std::mutex lock;
    std::condition_variable endCond;
    bool ended = false;
    player.OnState = [&](TObject*, TPlayState s) {
        if (s != psEnd)
            return;
        std::lock_guard guard(lock);
        ended = true;
        endCond.notify_all();
    };
    int shown = 0;
    double wall = 0;
    for (auto _ : state) {
        TCountingHost host;
        ended = false;
        const auto start = std::chrono::steady_clock::now();
        if (!player.Open(path, &host, false)) {
            state.SkipWithError(player.LastErrMsg().c_str());
            return;
        }
        {
            std::unique_lock guard(lock);
            endCond.wait(guard, [&] { return ended; });
        }
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        player.Stop(true);
        shown += host.Shown;
    }
    const double iterations = double(state.iterations());
    const double clipSeconds = double(ClipFrames) / ClipRate;
    state.counters["shown_per_clip"] = shown / iterations;
    state.counters["clip_frames"] = ClipFrames;
    state.counters["pictures_per_second"] = wall > 0 ? shown / wall : 0;
    state.counters["realtime_factor"] = wall > 0 ? clipSeconds * iterations / wall : 0;
}
BENCHMARK(BM_PlayerUnpaced1080p)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace
