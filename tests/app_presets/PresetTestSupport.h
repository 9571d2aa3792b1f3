#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/presets/CurrentPreset.h"
#include "app/presets/LibraryFit.h"
#include "app/presets/OptionReadBack.h"
#include "app/presets/OptionRows.h"
#include "app/presets/PresetParameters.h"
#include "app/presets/PresetToOptions.h"
#include "engine/loader/Loader.h"
#include "engine/probe/AVProbe.h"
#include "engine/task/FFConverter.h"
#include "engine/util/MainThread.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Thread.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"

namespace presettest {

// The extension a format title ends in, "(*.avi)" giving ".avi".
inline std::string TitleExt(const std::string& ATitle) {
    const size_t open = ATitle.rfind("(*");
    return open == std::string::npos ? "" : ATitle.substr(open + 2, ATitle.size() - open - 3);
}

// One job as the add path makes it: the key's parameters, the output name,
// the six option texts read back, the output options and their fit.
struct TPresetJob {
    int Key = 0;
    std::string Label;
    TCurrentPreset Preset;
    TOutputOptions Options;
    std::vector<std::string> Notes;
};

inline TPresetJob MakeJob(int AKey, const std::string& ASource, const TOutputNameRule& ARule,
                          const std::array<std::string, 6>& ATexts) {
    TPresetJob job;
    job.Key = AKey;
    job.Preset.Video_AddFileName = ASource;
    ApplyPresetForFile(AKey, ARule, job.Preset);
    for (int i = 0; i < 6; ++i)
        EXPECT_TRUE(ReadOptionInto(OptionFillOrder[i], ATexts[i], job.Preset)) << AKey << " " << ATexts[i];
    InitOutputOptions(job.Options);
    job.Notes = PresetOutputOptions(job.Preset, job.Options);
    return job;
}

// The six default texts of an offered key.
inline std::array<std::string, 6> DefaultTexts(const TOptionRow& ARow) {
    std::array<std::string, 6> texts;
    for (int i = 0; i < 6; ++i)
        texts[i] = ARow.Cells[i].DefaultText;
    return texts;
}

// A picture of AFrames frames and a 44.1 kHz stereo tone of ASamples samples.
inline testmedia::TMediaPlan StereoClipPlan(int AFrames, int ASamples) {
    testmedia::TMediaPlan plan;
    plan.Video.push_back({});
    plan.Video[0].Frames = AFrames;
    plan.Audio.push_back({});
    plan.Audio[0].SampleRate = 44100;
    plan.Audio[0].Channels = 2;
    plan.Audio[0].Samples = ASamples;
    return plan;
}

// The clip of the plan under that name, made once per program in a folder
// that lasts as long.
inline std::string ClipOnce(const std::string& AName, const testmedia::TMediaPlan& APlan) {
    static testmedia::TTempFolder folder;
    static std::mutex lock;
    static std::set<std::string> made;
    const std::string path = folder.File(AName);
    std::lock_guard<std::mutex> guard(lock);
    if (made.insert(AName).second)
        testmedia::WriteMediaFile(path, APlan);
    return path;
}

// A short clip with a picture and a stereo tone.
inline const std::string& InputClip() {
    static const std::string path = [] {
        testmedia::TMediaPlan plan = StereoClipPlan(5, 8820);
        plan.Audio[0].BitRate = 64000;
        return ClipOnce("clip.mp4", plan);
    }();
    return path;
}

struct TRunResult {
    bool Ended = false;
    bool Finished = false;
    std::string Error;       // the end event's text, or why the task was not made
};

// Converts each job's input (AInputs[i] for job i) on worker threads and
// collects how each ended.
inline std::vector<TRunResult> ConvertAll(const std::vector<std::string>& AInputs, std::vector<TPresetJob>& AJobs,
                                          int AThreads = 4) {
    GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
    if (!GlobalLoader().Loaded(ConversionLibraries) && !GlobalLoader().Load(ConversionLibraries))
        throw std::runtime_error(GlobalLoader().LastErrMsg());
    std::vector<TRunResult> results(AJobs.size());
    TFFConverter converter(nullptr);
    std::vector<size_t> taskJob;
    std::mutex lock;
    bool final = false;
    converter.OnTerminate = [&](TObject*, const TTerminateInfo& AInfo) {
        std::lock_guard guard(lock);
        if (AInfo.TaskIndex < 0) {
            final = true;
            return;
        }
        TRunResult& r = results[taskJob[AInfo.TaskIndex]];
        r.Ended = true;
        r.Finished = AInfo.Finished && !AInfo.Exception;
        r.Error = AInfo.ExceptionMsg;
    };
    for (size_t i = 0; i < AJobs.size(); ++i) {
        const int task = converter.AddTask(AInputs[i], nullptr);
        if (task < 0) {
            results[i].Error = converter.LastErrMsg();
            continue;
        }
        if (!converter.SetOutputFile(task, AJobs[i].Preset.Video_OutPutFileName, &AJobs[i].Options)) {
            results[i].Error = converter.LastErrMsg();
            converter.RemoveTask(task);
            continue;
        }
        taskJob.push_back(i);
    }
    if (taskJob.empty())
        return results;
    converter.Start(AThreads);
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(20);
    while (true) {
        {
            std::lock_guard guard(lock);
            if (final)
                break;
        }
        if (std::chrono::steady_clock::now() > end)
            throw std::runtime_error("the conversions did not end");
        ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return results;
}

// Converts the one input once per job.
inline std::vector<TRunResult> ConvertAll(const std::string& AInput, std::vector<TPresetJob>& AJobs,
                                          int AThreads = 4) {
    return ConvertAll(std::vector<std::string>(AJobs.size(), AInput), AJobs, AThreads);
}

// What a converted file holds, by the probe.
struct TOutputFacts {
    bool Opened = false;
    std::string Error;
    std::string Format;
    int VideoStreams = 0, AudioStreams = 0;
    std::string VideoCodec, AudioCodec;  // decoder names
    int Width = -1, Height = -1;
    double FrameRate = 0.0;
    int SampleRate = -1, Channels = -1;
};

inline std::string DecoderName(const std::string& ADescription) {
    return ADescription.substr(0, ADescription.find('('));
}

inline TOutputFacts ProbeOutput(const std::string& APath) {
    TOutputFacts facts;
    TAVProbe probe(nullptr);
    if (!probe.LoadAVLib(GetExePath() + "LibAV") || !probe.LoadFile(APath)) {
        facts.Error = probe.LastErrMsg();
        return facts;
    }
    facts.Opened = true;
    facts.Format = probe.FormatName();
    facts.VideoStreams = probe.VideoStreamCount();
    facts.AudioStreams = probe.AudioStreamCount();
    if (facts.VideoStreams > 0) {
        const TVideoStreamInfo v = probe.FirstVideoStreamInfo();
        facts.VideoCodec = DecoderName(v.CodecName);
        facts.Width = v.Width;
        facts.Height = v.Height;
        if (v.FrameRate.den > 0)
            facts.FrameRate = double(v.FrameRate.num) / v.FrameRate.den;
    }
    if (facts.AudioStreams > 0) {
        const TAudioStreamInfo a = probe.FirstAudioStreamInfo();
        facts.AudioCodec = DecoderName(a.CodecName);
        facts.SampleRate = a.SampleRate;
        facts.Channels = a.Channels;
    }
    return facts;
}

} // namespace presettest
