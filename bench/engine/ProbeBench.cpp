// Probing speed: open a file, read its stream information and close it, over
// a batch of generated files of several kinds. Prints files per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "engine/probe/AVProbe.h"
#include "engine/util/MiscUtils.h"
#include "tests/media/SampleMedia.h"
#include "tests/media/TempFolder.h"

namespace {

struct TBatch {
    TBatch() {
        for (auto kind : {testmedia::TSampleKind::VideoTwoAudio, testmedia::TSampleKind::TaggedMatroska,
                          testmedia::TSampleKind::H264BFrames, testmedia::TSampleKind::Mp3Audio,
                          testmedia::TSampleKind::WavAudio, testmedia::TSampleKind::NonAsciiName,
                          testmedia::TSampleKind::AllIntra, testmedia::TSampleKind::RawElementary})
            Files.push_back(testmedia::MakeSample(Folder.Path(), kind).Path);
    }
    testmedia::TTempFolder Folder;
    std::vector<std::string> Files;
};

void ProbeFiles(benchmark::State& state, bool withText) {
    static TBatch batch;
    TAVProbe probe(nullptr);
    if (!probe.LoadAVLib(GetExePath() + "LibAV")) {
        state.SkipWithError(probe.LastErrMsg().c_str());
        return;
    }
    int64_t files = 0;
    for (auto _ : state) {
        for (const std::string& file : batch.Files) {
            if (!probe.LoadFile(file)) {
                state.SkipWithError(probe.LastErrMsg().c_str());
                return;
            }
            benchmark::DoNotOptimize(probe.FileStreamInfo());
            if (probe.VideoStreamCount() > 0)
                benchmark::DoNotOptimize(probe.FirstVideoStreamInfo());
            if (probe.AudioStreamCount() > 0)
                benchmark::DoNotOptimize(probe.FirstAudioStreamInfo());
            if (withText)
                benchmark::DoNotOptimize(probe.FileInfoText());
            probe.CloseFile();
            ++files;
        }
    }
    state.counters["files_per_second"] = benchmark::Counter(double(files), benchmark::Counter::kIsRate);
}

void BM_ProbeStreamInfo(benchmark::State& state) { ProbeFiles(state, false); }
void BM_ProbeWithInfoText(benchmark::State& state) { ProbeFiles(state, true); }

} // namespace

BENCHMARK(BM_ProbeStreamInfo)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ProbeWithInfoText)->Unit(benchmark::kMillisecond);
