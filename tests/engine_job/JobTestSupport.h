#pragma once
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/loader/Loader.h"
#include "engine/util/MiscUtils.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"

// The generated inputs of the job tests, made once per test program.
class TJobMedia {
public:
    static TJobMedia& Instance() {
        static TJobMedia media;
        return media;
    }
    // A file of the named kind: "va" (video + audio, 1 s), "video" (video only),
    // "two_audio" (video + two audio streams), "many" (a video and 24 audio streams).
    const std::string& operator[](const std::string& kind) { return FFiles.at(kind); }
    const testmedia::TMediaPlan& Plan(const std::string& kind) { return FPlans.at(kind); }
    std::string Scratch(const std::string& name) const { return FFolder.File(name); }

private:
    TJobMedia() {
        testmedia::TMediaPlan va;
        va.Video.push_back({});
        va.Audio.push_back({});
        Make("va", "va.mp4", va);

        testmedia::TMediaPlan video;
        video.Video.push_back({});
        video.Video[0].Frames = 10;
        Make("video", "video.avi", video);

        testmedia::TMediaPlan two = va;
        two.Audio.push_back({});
        two.Audio[1].SampleRate = 16000;
        two.Audio[1].Channels = 2;
        two.Audio[1].Samples = 8000;
        Make("two_audio", "two_audio.mkv", two);

        testmedia::TMediaPlan many;
        many.Video.push_back({});
        many.Video[0].Frames = 5;
        for (int i = 0; i < 24; ++i) {
            testmedia::TAudioTrack track;
            track.Samples = 2205;
            many.Audio.push_back(track);
        }
        Make("many", "many.mkv", many);
    }
    void Make(const std::string& kind, const std::string& name, const testmedia::TMediaPlan& plan) {
        FFiles[kind] = FFolder.File(name);
        FPlans[kind] = plan;
        testmedia::WriteMediaFile(FFiles[kind], plan);
    }
    testmedia::TTempFolder FFolder;
    std::map<std::string, std::string> FFiles;
    std::map<std::string, testmedia::TMediaPlan> FPlans;
};

// Collects what the logger delivers, on any thread.
class TLogCollector {
public:
    TLogCollector() {
        TFFLogger* logger = GetFFLogger();
        logger->SetTriggerEventInMainThread(false);
        logger->SetLogLevel(llVerbose);
        logger->OnLog = [this](TObject*, TLogThreadID, TLogLevel level, const std::string& text) {
            std::lock_guard lock(FLock);
            FLines.emplace_back(level, text);
        };
    }
    ~TLogCollector() { GetFFLogger()->OnLog = nullptr; }
    bool Has(TLogLevel level, const std::string& text) const {
        std::lock_guard lock(FLock);
        for (const auto& [l, t] : FLines)
            if (l == level && t == text)
                return true;
        return false;
    }
    size_t Count(TLogLevel level) const {
        std::lock_guard lock(FLock);
        size_t n = 0;
        for (const auto& line : FLines)
            n += line.first == level;
        return n;
    }
    std::vector<std::pair<TLogLevel, std::string>> Lines() const {
        std::lock_guard lock(FLock);
        return FLines;
    }

private:
    mutable std::mutex FLock;
    std::vector<std::pair<TLogLevel, std::string>> FLines;
};

// A job with its libraries bound, reset and ready for options.
class JobTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The process's loader: a job asks it whether its libraries are there.
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
        ASSERT_TRUE(GlobalLoader().Loaded(ConversionLibraries) || GlobalLoader().Load(ConversionLibraries))
            << GlobalLoader().LastErrMsg();
        Job = std::make_unique<TCustomFFmpeg>(20);
        Job->Reset();
    }
    void TearDown() override { Job.reset(); }

    const std::string& Media(const std::string& kind) { return TJobMedia::Instance()[kind]; }
    std::string Scratch(const std::string& name) { return TJobMedia::Instance().Scratch(name); }

    std::unique_ptr<TCustomFFmpeg> Job;
    TLogCollector Log;
};

// A job's codec option of one media type, its format option, and a dictionary
// entry ("" when absent), read back as the libraries hold them.
inline int64_t CodecInt(const TCustomFFmpeg& J, AVMediaType AType, const char* AName) {
    int64_t value = 0;
    AVLib.av_opt_get_int(J.FOptions.avcodec_opts[AType], AName, 0, &value);
    return value;
}

inline int64_t FormatInt(const TCustomFFmpeg& J, const char* AName) {
    int64_t value = 0;
    AVLib.av_opt_get_int(J.FOptions.avformat_opts, AName, 0, &value);
    return value;
}

inline std::string DictValue(const AVDictionary* ADict, const char* AKey) {
    const AVDictionaryEntry* e = AVLib.av_dict_get(ADict, AKey, nullptr, 0);
    return e ? e->value : "";
}

// The message of the exception a call raises; empty when it raises none.
template <typename F>
std::string RaisedText(F&& call) {
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}
