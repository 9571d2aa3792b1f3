#pragma once
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/loader/Loader.h"
#include "engine/probe/AVProbe.h"
#include "engine/task/FFConverter.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Thread.h"
#include "platform/gfx/Bitmap.h"
#include "tests/media/FramePattern.h"
#include "tests/media/MediaWriter.h"
#include "tests/media/TempFolder.h"

namespace tasktest {

using namespace std::chrono_literals;

// The frame index the generator drew into a picture; -1 when unreadable.
inline int ShownFrameNumber(const TBitmap& ABitmap) {
    return testmedia::ReadFrameNumberFromBGR(ABitmap.Width(), ABitmap.Height(),
                                             [&](int row) { return ABitmap.ScanLine(row); });
}

inline int MeanLevel(const TBitmap& ABitmap) {
    int64_t sum = 0;
    const int rowBytes = ABitmap.Width() * 3;
    for (int y = 0; y < ABitmap.Height(); ++y)
        for (int x = 0; x < rowBytes; ++x)
            sum += ABitmap.ScanLine(y)[x];
    return int(sum / std::max<int64_t>(1, int64_t(rowBytes) * ABitmap.Height()));
}

// One short video + audio file of InputFrames pictures, made once per test program.
inline constexpr int InputFrames = 10;

inline const std::string& InputFile() {
    static testmedia::TTempFolder folder;
    static const std::string path = [] {
        testmedia::TMediaPlan plan;
        plan.Video.push_back({});
        plan.Video[0].Frames = InputFrames;
        plan.Audio.push_back({});
        plan.Audio[0].Samples = 8820;
        const std::string name = folder.File("in.mp4");
        testmedia::WriteMediaFile(name, plan);
        return name;
    }();
    return path;
}

// What a converted file holds when it is opened and decoded again.
struct TOutputCheck {
    bool Opened = false;
    int VideoStreams = 0, AudioStreams = 0;
    int Width = -1, Height = -1;
    int VideoFrames = 0;                       // pictures decoded to the end
    std::vector<int> FrameNumbers;             // the number each picture shows
    std::vector<int> Levels;                   // the mean byte value of each picture
    std::string Error;
};

inline TOutputCheck ReopenOutput(const std::string& APath) {
    TOutputCheck check;
    TAVProbe probe(nullptr);
    if (!probe.LoadAVLib(GetExePath() + "LibAV") || !probe.LoadFile(APath)) {
        check.Error = probe.LastErrMsg();
        return check;
    }
    check.Opened = true;
    check.VideoStreams = probe.VideoStreamCount();
    check.AudioStreams = probe.AudioStreamCount();
    TBitmap bitmap;
    while (check.VideoStreams > 0 && probe.Decode()) {
        ++check.VideoFrames;
        if (!probe.CopyToBitmap(&bitmap))
            continue;
        check.Width = bitmap.Width();
        check.Height = bitmap.Height();
        check.FrameNumbers.push_back(ShownFrameNumber(bitmap));
        check.Levels.push_back(MeanLevel(bitmap));
    }
    return check;
}

// Waits in the main thread, serving its calls, until the condition holds.
template <typename F>
bool WaitUntil(F&& condition, std::chrono::milliseconds limit = 10000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        ProcessMessages();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// What the bodies of the gate tasks share with the test.
struct TGateControl {
    std::atomic<bool> Hold{false};     // the body passes the gate until released or stopped
    std::atomic<int> Running{0};
    std::atomic<int> MaxRunning{0};
    std::atomic<int> Passes{0};
    std::atomic<int> Runs{0};
    std::atomic<bool> Report{false};   // the body sends one progress report
};

// A task whose conversion is a loop at the pause gate instead of a transcode.
class TGateTask : public TFFmpeg {
public:
    TGateTask(int AMaxFiles, TGateControl& AControl) : TFFmpeg(AMaxFiles), FControl(AControl) {}
    ~TGateTask() override { Stop(true); }

protected:
    void Transcode() override {
        ++FControl.Runs;
        const int running = ++FControl.Running;
        int seen = FControl.MaxRunning;
        while (running > seen && !FControl.MaxRunning.compare_exchange_weak(seen, running)) {
        }
        if (FControl.Report && OnProgress)
            OnProgress(this, 0, 7, 25, 2.5f, 800.0f, 4096, 280000, 400000);
        bool stopped = false;
        do {
            if (WaitIfPaused() == pgStop) {
                stopped = true;
                break;
            }
            ++FControl.Passes;
            std::this_thread::sleep_for(1ms);
        } while (FControl.Hold);
        --FControl.Running;
        FFinished = !stopped && !Broken();
    }

private:
    TGateControl& FControl;
};

// A component whose tasks run the gate body (or the job's own, without control).
class TTestConverter : public TFFConverter {
public:
    using TFFConverter::TFFConverter;
    TGateControl* Control = nullptr;

protected:
    std::unique_ptr<TFFmpeg> CreateTask(int AMaxFiles) override {
        if (Control)
            return std::make_unique<TGateTask>(AMaxFiles, *Control);
        return TFFConverter::CreateTask(AMaxFiles);
    }
};

// The end events of a component, as they arrive.
struct TTerminateLog {
    std::mutex Lock;
    std::vector<TTerminateInfo> Events;
    std::vector<bool> InMainThread;

    void Attach(TCustomFFConverter& AConverter) {
        AConverter.OnTerminate = [this](TObject*, const TTerminateInfo& AInfo) {
            std::lock_guard lock(Lock);
            Events.push_back(AInfo);
            InMainThread.push_back(IsMainThread());
        };
    }
    int Finals() {
        std::lock_guard lock(Lock);
        int n = 0;
        for (const auto& e : Events)
            n += e.TaskIndex == -1;
        return n;
    }
    size_t Count() {
        std::lock_guard lock(Lock);
        return Events.size();
    }
};

class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override {
        GlobalLoader().SetLibraryPath(GetExePath() + "LibAV");
        ASSERT_TRUE(GlobalLoader().Loaded(ConversionLibraries) || GlobalLoader().Load(ConversionLibraries))
            << GlobalLoader().LastErrMsg();
        Converter = std::make_unique<TTestConverter>(nullptr);
        Ends.Attach(*Converter);
    }
    void TearDown() override { Converter.reset(); }

    // How many of the first ATasks tasks rest at their pause gate now.
    int HeldTasks(int ATasks) const {
        int held = 0;
        for (int i = 0; i < ATasks; ++i)
            held += Converter->Task(i)->HeldAtGate();
        return held;
    }

    // Adds ACount tasks over the input, each with an output of its own.
    void AddTasks(int ACount) {
        for (int i = 0; i < ACount; ++i) {
            const int index = Converter->AddTask(InputFile(), nullptr);
            ASSERT_EQ(index, Converter->TasksCount() - 1) << Converter->LastErrMsg();
            const std::string output = Output(index);
            Outputs.push_back(output);
            ASSERT_TRUE(Converter->SetOutputFile(index, output, nullptr)) << Converter->LastErrMsg();
        }
    }
    // Adds ACount tasks that really convert the input into MPEG program streams.
    void AddConversions(int ACount) {
        for (int i = 0; i < ACount; ++i) {
            const int index = Converter->AddTask(InputFile(), nullptr);
            ASSERT_EQ(index, Converter->TasksCount() - 1) << Converter->LastErrMsg();
            const std::string output = Folder.File("run" + std::to_string(++FOutputNumber) + ".mpg");
            Outputs.push_back(output);
            ASSERT_TRUE(Converter->SetOutputFile(index, output, nullptr)) << Converter->LastErrMsg();
        }
    }
    // Forgets the end events of earlier runs.
    void ForgetEnds() {
        std::lock_guard lock(Ends.Lock);
        Ends.Events.clear();
        Ends.InMainThread.clear();
    }
    std::string Output(int AIndex) { return Folder.File("out" + std::to_string(++FOutputNumber) + "_" +
                                                        std::to_string(AIndex) + ".mp4"); }

    testmedia::TTempFolder Folder;
    std::unique_ptr<TTestConverter> Converter;
    TTerminateLog Ends;
    TGateControl Gate;
    std::vector<std::string> Outputs;

private:
    int FOutputNumber = 0;
};

} // namespace tasktest
