// Conversion speed: a generated 720p clip of three seconds converted to
// MPEG-2 (the dvd target) and to MPEG-4 AVI, by one job and by four jobs at
// once. Prints frames per second, the real-time factor and the share of each
// job's run spent outside the codec libraries (the engine's own work, from
// the job's timers).
#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <thread>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/loader/Loader.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/util/MiscUtils.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"

namespace {

constexpr int ClipFrames = 75;  // 3 s at 25 fps

struct TClip {
    TClip() {
        testmedia::TMediaPlan plan;
        testmedia::TVideoTrack video;
        video.Width = 1280;
        video.Height = 720;
        video.Frames = ClipFrames;
        plan.Video.push_back(video);
        testmedia::TAudioTrack audio;
        audio.SampleRate = 48000;
        audio.Channels = 2;
        audio.Samples = 3 * 48000;
        plan.Audio.push_back(audio);
        Path = Folder.File("clip720.mp4");
        testmedia::WriteMediaFile(Path, plan);
    }
    testmedia::TTempFolder Folder;
    std::string Path;
};

void Convert(benchmark::State& state, const char* ext, const std::function<void(TCustomFFmpeg&)>& options) {
    static TClip clip;
    GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
    if (!GlobalLoader().Loaded(ConversionLibraries) && !GlobalLoader().Load(ConversionLibraries)) {
        state.SkipWithError(GlobalLoader().LastErrMsg().c_str());
        return;
    }
    const int jobs = int(state.range(0));
    int64_t frames = 0;
    int64_t runTime = 0, libraryTime = 0;
    for (auto _ : state) {
        // Each job's end is signalled (never polled: a sleep loop would add
        // its own processor time to the figures).
        std::mutex endLock;
        std::condition_variable endSignal;
        int ended = 0;
        std::vector<std::unique_ptr<TCustomFFmpeg>> running;
        for (int i = 0; i < jobs; ++i) {
            auto job = std::make_unique<TCustomFFmpeg>(4);
            job->Reset();
            job->OnTerminate = [&](TObject*) {
                std::lock_guard<std::mutex> lock(endLock);
                ++ended;
                endSignal.notify_all();
            };
            if (!job->OpenInputFile(clip.Path)) {
                state.SkipWithError(job->LastErrMsg().c_str());
                return;
            }
            options(*job);
            if (job->OpenOutputFile(clip.Folder.File("out" + std::to_string(i) + ext), false) < 0) {
                state.SkipWithError(job->LastErrMsg().c_str());
                return;
            }
            job->StartConvert(true);
            running.push_back(std::move(job));
        }
        {
            std::unique_lock<std::mutex> lock(endLock);
            endSignal.wait(lock, [&] { return ended == jobs; });
        }
        for (auto& job : running)
            while (!job->Terminated())   // set just before its end is signalled
                std::this_thread::yield();
        for (auto& job : running) {
            if (!job->Finished()) {
                state.SkipWithError(job->FatalMessage().c_str());
                return;
            }
            runTime += job->RunTimes().Total;
            libraryTime += job->RunTimes().InLibraries;
        }
        frames += int64_t(jobs) * ClipFrames;
    }
    state.counters["fps"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
    state.counters["realtime"] =
        benchmark::Counter(double(frames) / 25.0, benchmark::Counter::kIsRate);  // seconds of media per second
    if (runTime > 0)
        state.counters["outside_libs_pct"] = 100.0 * double(runTime - libraryTime) / double(runTime);
}

} // namespace

BENCHMARK_CAPTURE(Convert, dvd_mpeg2, ".mpg",
                  [](TCustomFFmpeg& j) { j.SetFrameSize("720x576"); j.SetVideoCodec("mpeg2video"); j.SetAudioCodec("ac3"); })
    ->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Convert, mpeg4_avi, ".avi",
                  [](TCustomFFmpeg& j) { j.SetVideoCodec("mpeg4"); j.SetAudioCodec("libmp3lame"); })
    ->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
