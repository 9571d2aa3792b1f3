#include "tests/engine_task/ConverterTestSupport.h"

#include "engine/probe/AVProbe.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

using namespace tasktest;

namespace {

template <typename F>
std::string RaisedText(F&& call) {
    try {
        call();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

bool FileExists(const std::string& APath) { return GetFileSizeByName(APath) >= 0; }

} // namespace

TEST_F(ConverterTest, RefusesToChangeTheListWhileWorking) {
    Gate.Hold = true;
    Converter->Control = &Gate;
    AddTasks(2);
    Converter->Start(1);
    ASSERT_TRUE(WaitUntil([&] { return Gate.Running == 1; }));

    const struct {
        const char* Text;
        std::function<void()> Call;
    } refusals[] = {
        {"Cannot AddTask while working.", [&] { Converter->AddTask(InputFile(), nullptr); }},
        {"Cannot AddInputFile while working.", [&] { Converter->AddInputFile(0, InputFile(), nullptr); }},
        {"Cannot SetOutputFile while working.", [&] { Converter->SetOutputFile(0, Output(0), nullptr); }},
        {"Cannot Exchange while working.", [&] { Converter->Exchange(0, 1); }},
        {"Cannot RemoveTask while working.", [&] { Converter->RemoveTask(0); }},
        {"Cannot StartTask while working.", [&] { Converter->Start(1); }},
        {"Cannot ClearTasks while working.", [&] { Converter->ClearTasks(); }},
    };
    for (const auto& r : refusals)
        EXPECT_EQ(RaisedText(r.Call), r.Text) << "while running";

    Gate.Hold = false;
    ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
    EXPECT_TRUE(Converter->Working());
    EXPECT_TRUE(Converter->Terminated());
    // Done: still refused, except clearing.
    for (const auto& r : refusals)
        if (std::string(r.Text) != "Cannot ClearTasks while working.") {
            EXPECT_EQ(RaisedText(r.Call), r.Text) << "when done";
        }
    EXPECT_EQ(Converter->TasksCount(), 2);
    EXPECT_EQ(RaisedText([&] { Converter->ClearTasks(); }), "");
    EXPECT_EQ(Converter->TasksCount(), 0);
    EXPECT_FALSE(Converter->Working());
    EXPECT_FALSE(Converter->Terminated());
}

TEST_F(ConverterTest, LimitsFilesPerTaskAndReportsFailedAdds) {
    Converter->CustomMaxFiles = 2;
    AddTasks(1);
    EXPECT_TRUE(Converter->SetOutputFile(0, Output(0), nullptr)) << Converter->LastErrMsg();
    EXPECT_FALSE(Converter->SetOutputFile(0, Output(0), nullptr));
    EXPECT_EQ(Converter->LastErrMsg(), "max output files 2 reached");
    EXPECT_EQ(Converter->Task(0)->nb_output_files(), 2);

    EXPECT_TRUE(Converter->AddInputFile(0, InputFile(), nullptr)) << Converter->LastErrMsg();
    EXPECT_FALSE(Converter->AddInputFile(0, InputFile(), nullptr));
    EXPECT_EQ(Converter->LastErrMsg(), "max input files 2 reached");

    const std::string missing = Folder.File("missing.mp4");
    EXPECT_EQ(Converter->AddTask(missing, nullptr), -1);
    EXPECT_EQ(Converter->LastErrMsg(), missing + ": No such file or directory");
    EXPECT_EQ(Converter->TasksCount(), 1);

    // A record's empty file name is filled from the argument; option text reaches the task.
    TInputOptions input;
    InitInputOptions(input);
    EXPECT_EQ(Converter->AddTask(InputFile(), &input), 1) << Converter->LastErrMsg();
    EXPECT_EQ(input.FileName, InputFile());
    EXPECT_EQ(Converter->AddTask(InputFile(), std::string("f=nosuchformat")), -1);
    EXPECT_EQ(Converter->LastErrMsg(), "Unknown input format: \"nosuchformat\"");
    EXPECT_EQ(Converter->TasksCount(), 2);

    // Outside the list there is no probe, and no error.
    EXPECT_EQ(Converter->GetTaskAVProbe(5, 0), nullptr);
    EXPECT_EQ(Converter->GetTaskAVProbe(0, 2), nullptr);
    EXPECT_NE(Converter->GetTaskAVProbe(0, 1), nullptr);
}

TEST_F(ConverterTest, KeepsProgressIntervalAtLeast100) {
    const struct {
        int Set, Read;
    } cases[] = {{50, 100}, {100, 100}, {101, 101}, {-3, 100}};
    for (const auto& c : cases) {
        Converter->SetProgressInterval(c.Set);
        EXPECT_EQ(Converter->ProgressInterval(), c.Read) << c.Set;
    }
}

// Every thread count: each task ends once, in a run that ends with exactly one
// final event after all of them, at most "count" tasks at a time.
TEST_F(ConverterTest, RunsWithAnyThreadCount) {
    constexpr int TaskCount = 6;
    for (int threads : {0, 1, 4, 19}) {
        SCOPED_TRACE("threads " + std::to_string(threads));
        Converter->ClearTasks();
        Converter->Control = &Gate;
        Gate.MaxRunning = 0;
        Gate.Runs = 0;
        {
            std::lock_guard lock(Ends.Lock);
            Ends.Events.clear();
            Ends.InMainThread.clear();
        }
        AddTasks(TaskCount);
        Converter->Start(threads);
        if (threads <= 0) {
            EXPECT_EQ(Ends.Finals(), 1) << "the final event comes before Start returns";
        }
        ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
        std::this_thread::sleep_for(20ms);
        ProcessMessages();

        std::lock_guard lock(Ends.Lock);
        ASSERT_EQ(Ends.Events.size(), size_t(TaskCount + 1));
        std::vector<int> seen(TaskCount, 0);
        for (int i = 0; i < TaskCount; ++i) {
            const TTerminateInfo& e = Ends.Events[i];
            ASSERT_GE(e.TaskIndex, 0);
            ASSERT_LT(e.TaskIndex, TaskCount);
            ++seen[e.TaskIndex];
            EXPECT_TRUE(e.Finished);
            EXPECT_FALSE(e.Exception) << e.ExceptionMsg;
        }
        EXPECT_EQ(seen, std::vector<int>(TaskCount, 1));
        EXPECT_EQ(Ends.Events.back().TaskIndex, -1);
        EXPECT_TRUE(Ends.Events.back().Finished);
        for (bool inMain : Ends.InMainThread)
            EXPECT_TRUE(inMain);
        EXPECT_EQ(Gate.Runs, TaskCount);
        EXPECT_LE(Gate.MaxRunning, std::max(1, threads));
        EXPECT_TRUE(Converter->Working());
        EXPECT_TRUE(Converter->Terminated());
    }
}

TEST_F(ConverterTest, AnEmptyRunEndsAtOnce) {
    for (int threads : {0, 3}) {
        Converter->ClearTasks();
        const size_t before = Ends.Count();
        Converter->Start(threads);
        ASSERT_TRUE(WaitUntil([&] { return Ends.Count() == before + 1; })) << threads;
        EXPECT_EQ(Ends.Events.back().TaskIndex, -1);
        EXPECT_TRUE(Converter->Terminated());
        EXPECT_EQ(RaisedText([&] { Converter->ClearTasks(); }), "");
    }
}

// A task that cannot start ends at once with its reason; the run goes on.
TEST_F(ConverterTest, ATaskThatCannotStartReportsWhy) {
    for (int threads : {0, 2}) {
        Converter->ClearTasks();
        {
            std::lock_guard lock(Ends.Lock);
            Ends.Events.clear();
        }
        ASSERT_EQ(Converter->AddTask(InputFile(), nullptr), 0);
        AddTasks(1);
        Converter->Start(threads);
        ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
        std::lock_guard lock(Ends.Lock);
        ASSERT_EQ(Ends.Events.size(), 3u);
        EXPECT_EQ(Ends.Events[0].TaskIndex, 0);
        EXPECT_TRUE(Ends.Events[0].Exception);
        EXPECT_EQ(Ends.Events[0].ExceptionMsg, "At least one output file must be specified");
        EXPECT_EQ(Ends.Events[1].TaskIndex, 1);
        EXPECT_TRUE(Ends.Events[1].Finished);
        EXPECT_EQ(Ends.Events[2].TaskIndex, -1);
    }
}

TEST_F(ConverterTest, ProgressReachesTheMainThreadWithItsFields) {
    Converter->Control = &Gate;
    Gate.Report = true;
    AddTasks(3);
    std::vector<TProgressInfo> reports;
    std::atomic<bool> allInMain{true};
    Converter->OnProgress = [&](TObject* Sender, PProgressInfo AInfo) {
        EXPECT_EQ(Sender, Converter.get());
        allInMain = allInMain && IsMainThread();
        reports.push_back(*AInfo);
    };
    Converter->Start(2);
    ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(allInMain);
    std::vector<int> indexes;
    for (const auto& r : reports) {
        indexes.push_back(r.TaskIndex);
        EXPECT_EQ(r.FileIndex, 0);
        EXPECT_EQ(r.FrameNumber, 7);
        EXPECT_EQ(r.FPS, 25);
        EXPECT_FLOAT_EQ(r.Quality, 2.5f);
        EXPECT_FLOAT_EQ(r.BitRate, 800.0f);
        EXPECT_EQ(r.CurrentSize, 4096);
        EXPECT_EQ(r.CurrentDuration, 280000);
        EXPECT_EQ(r.TotalDuration, 400000);
    }
    std::sort(indexes.begin(), indexes.end());
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2}));
}

// Pause holds the running tasks at their gate and tasks started meanwhile
// start paused; Stop ends the running ones and reports the others unstarted.
TEST_F(ConverterTest, PausesResumesAndStopsARun) {
    Converter->Control = &Gate;
    Gate.Hold = true;
    AddTasks(4);
    Converter->Start(2);
    ASSERT_TRUE(WaitUntil([&] { return Gate.Running == 2 && Gate.Passes > 4; }));

    Converter->Pause();
    EXPECT_TRUE(Converter->Paused());
    // Each running task may finish the pass it is in, then rests at its gate.
    ASSERT_TRUE(WaitUntil([&] { return HeldTasks(4) == 2; }));
    const int held = Gate.Passes;
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Gate.Passes, held) << "paused tasks go on converting";

    Converter->Resume();
    EXPECT_FALSE(Converter->Paused());
    ASSERT_TRUE(WaitUntil([&] { return Gate.Passes > held + 5; }));

    // A task that has not started has not created its output, nor will it after the stop.
    EXPECT_FALSE(FileExists(Outputs[3]));
    Converter->Stop(true);
    EXPECT_FALSE(Converter->Paused());
    ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
    std::lock_guard lock(Ends.Lock);
    ASSERT_EQ(Ends.Events.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        const TTerminateInfo& e = Ends.Events[i];
        EXPECT_FALSE(e.Finished) << e.TaskIndex;
        EXPECT_FALSE(e.Exception) << e.TaskIndex << ": " << e.ExceptionMsg;
    }
    EXPECT_EQ(Ends.Events[4].TaskIndex, -1);
    EXPECT_EQ(Gate.Runs, 2);
    EXPECT_FALSE(FileExists(Outputs[2]));
    EXPECT_FALSE(FileExists(Outputs[3]));
}

TEST_F(ConverterTest, TasksStartedWhilePausedStartPaused) {
    Converter->Control = &Gate;
    Gate.Hold = true;
    AddTasks(2);
    Converter->Pause();
    Converter->Start(2);
    ASSERT_TRUE(WaitUntil([&] { return Gate.Running == 2 && HeldTasks(2) == 2; }));
    EXPECT_EQ(Gate.Passes, 0);
    Converter->Resume();
    ASSERT_TRUE(WaitUntil([&] { return Gate.Passes > 2; }));
    Gate.Hold = false;
    ASSERT_TRUE(WaitUntil([&] { return Ends.Finals() == 1; }));
}

// The final handler may clear the list and start the next run, in either mode,
// also while the main thread is inside Stop's wait.
TEST_F(ConverterTest, TheFinalHandlerMayClearAndStartAgain) {
    for (int threads : {0, 2}) {
        for (bool stop : {false, true}) {
            SCOPED_TRACE(std::to_string(threads) + (stop ? " stopped" : " finished"));
            Converter->ClearTasks();
            Converter->Control = &Gate;
            Gate.Hold = stop && threads > 0;
            AddTasks(3);
            int finals = 0;
            int secondRunEnds = 0;
            Converter->OnTerminate = [&](TObject*, const TTerminateInfo& AInfo) {
                if (AInfo.TaskIndex != -1)
                    return;
                if (++finals == 1) {
                    Converter->ClearTasks();
                    Gate.Hold = false;
                    AddTasks(1);
                    Converter->OnTerminate = [&](TObject*, const TTerminateInfo& ASecond) {
                        secondRunEnds += ASecond.TaskIndex == -1;
                    };
                    Converter->Start(threads);
                }
            };
            Converter->Start(threads);
            if (Gate.Hold) {
                ASSERT_TRUE(WaitUntil([&] { return Gate.Running == 2; }));
                Converter->Stop(true);
            }
            ASSERT_TRUE(WaitUntil([&] { return secondRunEnds == 1; }));
            EXPECT_EQ(finals, 1);
            EXPECT_EQ(Converter->TasksCount(), 1);
            Ends.Attach(*Converter);
        }
    }
}

// After a run no task exposes an input the run closed.
TEST_F(ConverterTest, ProbesNeverOutliveTheInputs) {
    AddTasks(2);
    for (int i = 0; i < 2; ++i) {
        TAVProbe* probe = Converter->GetTaskAVProbe(i, 0);
        ASSERT_NE(probe, nullptr);
        EXPECT_NE(probe->FileHandle(), nullptr);
        EXPECT_EQ(probe->StreamCount(), 2);
    }
    std::vector<AVFormatContext*> seenInHandler;
    Converter->OnTerminate = [&](TObject*, const TTerminateInfo& AInfo) {
        if (AInfo.TaskIndex >= 0)
            seenInHandler.push_back(Converter->GetTaskAVProbe(AInfo.TaskIndex, 0)->FileHandle());
    };
    Converter->Start(1);
    ASSERT_TRUE(WaitUntil([&] { return Converter->Terminated(); }));
    ASSERT_TRUE(WaitUntil([&] { return seenInHandler.size() == 2; }));
    for (AVFormatContext* handle : seenInHandler)
        EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(Converter->GetTaskAVProbe(0, 0)->FileHandle(), nullptr);
}

TEST_F(ConverterTest, SwitchesPreviewHooksOfEveryTask) {
    AddTasks(2);
    Converter->SetPreview(true);
    Converter->SetPreviewBitmap(true);
    Converter->SetPreview(false);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(Converter->Task(i)->Options().FPostHooks.Contains(phPreview));
        EXPECT_TRUE(Converter->Task(i)->Options().FPostHooks.Contains(phBitmap));
    }
    AddTasks(1);
    EXPECT_TRUE(Converter->Task(2)->Options().FPostHooks.Contains(phBitmap));
    EXPECT_FALSE(Converter->Task(2)->Options().FPostHooks.Contains(phPreview));
}

TEST_F(ConverterTest, LoadsItsLibrarySet) {
    EXPECT_TRUE(Converter->AVLibLoaded());
    EXPECT_TRUE(Converter->LoadAVLib(GetExePath() + "LibAV"));
    Converter->UnloadAVLib();  // gives back the use just taken
    EXPECT_TRUE(Converter->AVLibLoaded());
    EXPECT_EQ(std::string(TFFConverter::Version), "3.3");
}

// The stream forms name their stream; no protocol serves such names.
TEST_F(ConverterTest, StreamFormsNameTheirStream) {
    TMemoryStream stream;
    EXPECT_EQ(Converter->AddTask(&stream, "in", nullptr), -1);
    const std::string name = "stream:" + std::to_string(reinterpret_cast<intptr_t>(&stream)) + ":in";
    EXPECT_EQ(Converter->LastErrMsg().rfind(name + ": ", 0), 0u) << Converter->LastErrMsg();
    EXPECT_EQ(Converter->TasksCount(), 0);
    AddTasks(1);
    EXPECT_FALSE(Converter->SetOutputStream(0, &stream, "out", nullptr));
    EXPECT_NE(Converter->LastErrMsg().find("stream:"), std::string::npos) << Converter->LastErrMsg();
    EXPECT_EQ(Converter->Task(0)->nb_output_files(), 1);
}
