#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "engine/loader/Loader.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/util/MiscUtils.h"
#include "tests/engine_job/JobTestSupport.h"

namespace {

using namespace std::chrono_literals;

// A job whose conversion is a body given by the test.
class TTestJob : public TCustomFFmpeg {
public:
    using TCustomFFmpeg::TCustomFFmpeg;
    ~TTestJob() override {
        Stop(true);  // the body reads members of this class
    }
    // True when the body ended normally.
    std::function<bool(TTestJob&)> Body;

protected:
    void Transcode() override {
        const bool normal = Body ? Body(*this) : true;
        FFinished = normal && !Broken();
    }
};

// Waits in the main thread, serving its calls, until the condition holds.
template <typename F>
bool WaitUntil(F&& condition, std::chrono::milliseconds limit = 5000ms) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        ProcessMessages();
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Passes the gate until the job is stopped, counting the passes.
bool GateLoop(TTestJob& AJob, std::atomic<int>& APasses) {
    while (AJob.WaitIfPaused() == pgGoOn) {
        ++APasses;
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

class JobLifeCycle : public JobTest {
protected:
    void SetUp() override {
        JobTest::SetUp();
        Job.reset();
    }
    void TearDown() override {
        TestJob.reset();
        JobTest::TearDown();
    }

    // A fresh job with one input and one output, counting its terminate steps.
    TTestJob& MakeJob(bool AWithFiles = true) {
        TestJob.reset();
        Terminates = 0;
        TestJob = std::make_unique<TTestJob>(4);
        TestJob->Reset();
        TTestJob* job = TestJob.get();
        TestJob->OnTerminate = [this, job](TObject* sender) {
            EXPECT_EQ(sender, job);
            TerminateThread = CurrentThreadId();
            ++Terminates;
        };
        if (AWithFiles) {
            EXPECT_TRUE(TestJob->OpenInputFile(Media("va")));
            OutputName = Scratch("run" + std::to_string(++FRunNumber) + ".mp4");
            EXPECT_EQ(TestJob->OpenOutputFile(OutputName, false), 1) << TestJob->LastErrMsg();
        }
        return *TestJob;
    }

    std::unique_ptr<TTestJob> TestJob;
    std::atomic<int> Terminates{0};
    std::atomic<uint32_t> TerminateThread{0};
    std::string OutputName;

private:
    int FRunNumber = 0;
};

} // namespace

TEST_F(JobLifeCycle, AJobWithoutFilesEndsAtOnce) {
    struct TCase {
        const char* Name;
        bool WithOutput;
        std::string Text;
    };
    const TCase cases[] = {
        {"nothing", false, "At least one output file must be specified"},
        {"output only", true, "At least one input file must be specified"},
    };
    for (const TCase& c : cases) {
        TTestJob& job = MakeJob(false);
        if (c.WithOutput) {
            ASSERT_EQ(job.OpenOutputFile(Scratch("alone.mp4"), false), 1);
        }
        EXPECT_EQ(job.StartConvert(true), nullptr) << c.Name;
        EXPECT_EQ(Terminates, 1) << c.Name;
        EXPECT_TRUE(job.Terminated()) << c.Name;
        EXPECT_TRUE(job.FatalException()) << c.Name;
        EXPECT_EQ(job.FatalMessage(), c.Text) << c.Name;
        EXPECT_TRUE(Log.Has(llQuiet, c.Text)) << c.Name;
        EXPECT_EQ(job.nb_output_files(), 0) << c.Name;
        EXPECT_EQ(job.StartConvert(true), nullptr) << c.Name;
        EXPECT_EQ(Terminates, 1) << c.Name << ": a terminated job refuses to start";
    }
}

TEST_F(JobLifeCycle, RunsInTheCallingThreadOrOnAWorker) {
    for (bool useThread : {false, true}) {
        TTestJob& job = MakeJob();
        std::atomic<uint32_t> bodyThread{0};
        job.Body = [&](TTestJob&) {
            bodyThread = CurrentThreadId();
            return true;
        };
        TThread* worker = job.StartConvert(useThread, tpLower);
        EXPECT_EQ(worker != nullptr, useThread);
        ASSERT_TRUE(WaitUntil([&] { return job.Terminated(); }));
        EXPECT_EQ(bodyThread == CurrentThreadId(), !useThread);
        EXPECT_EQ(TerminateThread.load(), bodyThread.load());
        EXPECT_EQ(Terminates, 1);
        EXPECT_TRUE(job.Finished());
        EXPECT_FALSE(job.FatalException());
        EXPECT_FALSE(job.Converting());
        EXPECT_EQ(job.nb_output_files(), 0);
        EXPECT_EQ(GetFileSizeByName(OutputName), -1) << "an output left empty is deleted";
    }
}

TEST_F(JobLifeCycle, AFailingRunStillClosesCleansUpAndTerminatesOnce) {
    TTestJob& job = MakeJob();
    job.Body = [](TTestJob& j) -> bool {
        // An opened encoder on the list, as the set-up leaves it when it fails later.
        TJobOutputStream& s = *j.OutputFile(0).streams.at(1);
        TCustomFFmpeg::AddCodecItem(j.FEncoderList, &s.enc);
        throw FFmpegException("Could not write header for output file #0 (incorrect codec parameters ?)");
    };
    job.StartConvert(true);
    ASSERT_TRUE(WaitUntil([&] { return job.Terminated(); }));
    EXPECT_TRUE(job.FatalException());
    EXPECT_EQ(job.FatalMessage(), "Could not write header for output file #0 (incorrect codec parameters ?)");
    EXPECT_FALSE(job.Finished());
    EXPECT_TRUE(job.FEncoderList.empty());
    EXPECT_EQ(Terminates, 1);
    EXPECT_EQ(job.nb_output_files(), 0);
    EXPECT_EQ(job.nb_input_files(), 0);
    EXPECT_EQ(GetFileSizeByName(OutputName), -1);
}

TEST_F(JobLifeCycle, StopRightAfterTheStartWaitsForTheRun) {
    for (int round = 0; round < 25; ++round) {
        TTestJob& job = MakeJob();
        std::atomic<int> passes{0};
        job.Body = [&](TTestJob& j) { return GateLoop(j, passes); };
        ASSERT_NE(job.StartConvert(true), nullptr);
        job.Stop(true);
        EXPECT_TRUE(job.Terminated()) << round;
        EXPECT_EQ(Terminates, 1) << round;
        EXPECT_FALSE(job.Finished()) << round;
    }
}

TEST_F(JobLifeCycle, PauseHoldsTheWorkerAtTheGateWithoutLocks) {
    TTestJob& job = MakeJob();
    std::atomic<int> passes{0};
    job.Body = [&](TTestJob& j) { return GateLoop(j, passes); };
    job.Pause();  // created paused: the worker waits at its first pass
    ASSERT_NE(job.StartConvert(true), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return job.HeldAtGate(); }));
    EXPECT_EQ(passes, 0);
    job.Resume();
    ASSERT_TRUE(WaitUntil([&] { return passes > 3; }));

    job.Pause();
    // A pass already past the gate may still count itself; then the worker
    // rests at the gate and none passes after it.
    ASSERT_TRUE(WaitUntil([&] { return job.HeldAtGate(); }));
    const int held = passes;
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(passes, held);
    EXPECT_TRUE(job.Paused());
    // Another user of the codec lock is not blocked by a paused job.
    ASSERT_TRUE(GlobalCodecLock.TryEnter());
    GlobalCodecLock.Leave();

    job.Resume();
    ASSERT_TRUE(WaitUntil([&] { return passes > held + 3; }));
    job.Stop(true);
    EXPECT_FALSE(job.Finished());
    EXPECT_EQ(Terminates, 1);
}

TEST_F(JobLifeCycle, StopOpensThePauseGate) {
    for (int round = 0; round < 10; ++round) {
        TTestJob& job = MakeJob();
        std::atomic<int> passes{0};
        job.Body = [&](TTestJob& j) { return GateLoop(j, passes); };
        ASSERT_NE(job.StartConvert(true), nullptr);
        if (round % 2) {
            ASSERT_TRUE(WaitUntil([&] { return passes > 0; }));
        }
        job.Pause();
        job.Stop(true);
        EXPECT_TRUE(job.Terminated()) << round;
        EXPECT_FALSE(job.Finished()) << round;
        EXPECT_FALSE(job.Paused()) << round;
        EXPECT_EQ(Terminates, 1) << round;
    }
}

TEST_F(JobLifeCycle, StopServesAWorkerBlockedInASynchronisedCall) {
    for (int round = 0; round < 10; ++round) {
        TTestJob& job = MakeJob();
        std::atomic<int> reports{0};
        job.Body = [&](TTestJob& j) {
            while (j.WaitIfPaused() == pgGoOn)
                TThread::Synchronize(nullptr, [&] { ++reports; });  // a progress report
            return false;
        };
        ASSERT_NE(job.StartConvert(true), nullptr);
        std::this_thread::sleep_for(5ms);  // the worker is now waiting for this thread
        job.Stop(true);
        EXPECT_TRUE(job.Terminated()) << round;
        EXPECT_EQ(Terminates, 1) << round;
    }
}

TEST_F(JobLifeCycle, StopOrTerminateEndsAJobThatNeverStarted) {
    TTestJob& job = MakeJob();
    job.StopOrTerminate(true);
    EXPECT_EQ(Terminates, 1);
    EXPECT_NE(TerminateThread.load(), CurrentThreadId());
    EXPECT_TRUE(job.Terminated());
    EXPECT_FALSE(job.Finished());
    EXPECT_FALSE(job.FatalException());
    job.StopOrTerminate(true);
    EXPECT_EQ(job.StartConvert(true), nullptr);
    EXPECT_EQ(Terminates, 1);

    // Without waiting, the step still runs once and the job's release waits for it.
    TTestJob& other = MakeJob();
    other.StopOrTerminate(false);
    TestJob.reset();
    EXPECT_EQ(Terminates, 1);
}

TEST_F(JobLifeCycle, AResetJobRunsAgain) {
    TTestJob& job = MakeJob();
    job.Body = [](TTestJob&) { return true; };
    job.StartConvert(false);
    EXPECT_EQ(Terminates, 1);
    job.Reset();
    EXPECT_FALSE(job.Terminated());
    EXPECT_FALSE(job.Finished());
    ASSERT_TRUE(job.OpenInputFile(Media("va")));
    ASSERT_EQ(job.OpenOutputFile(Scratch("again.mp4"), false), 1);
    job.StartConvert(true);
    ASSERT_TRUE(WaitUntil([&] { return job.Terminated(); }));
    EXPECT_EQ(Terminates, 2);
    EXPECT_TRUE(job.Finished());
}

TEST_F(JobLifeCycle, ReleasingARunningJobStopsAndJoinsIt) {
    TTestJob& job = MakeJob();
    std::atomic<int> passes{0};
    job.Body = [&](TTestJob& j) { return GateLoop(j, passes); };
    job.OnTerminate = [this](TObject* sender) {
        static_cast<TCustomFFmpeg*>(sender)->Stop(true);  // on its own worker: returns at once
        ++Terminates;
    };
    job.StartConvert(true);
    ASSERT_TRUE(WaitUntil([&] { return passes > 0; }));
    TestJob.reset();
    EXPECT_EQ(Terminates, 1);
}

TEST_F(JobLifeCycle, RepeatedLifeCyclesEndExactlyOnce) {
    for (int round = 0; round < 40; ++round) {
        TTestJob& job = MakeJob();
        std::atomic<int> passes{0};
        job.Body = [&](TTestJob& j) {
            for (int i = 0; i < 3 + round % 5; ++i)
                if (j.WaitIfPaused() == pgStop)
                    return false;
                else
                    ++passes;
            return true;
        };
        switch (round % 4) {
        case 0:
            job.StopOrTerminate(round % 8 == 0);
            break;
        case 1:
            job.StartConvert(true);
            job.Pause();
            job.Resume();
            break;
        case 2:
            job.Pause();
            job.StartConvert(true);
            job.StopOrTerminate(true);
            break;
        case 3:
            job.StartConvert(true);
            job.Stop(false);
            break;
        }
        ASSERT_TRUE(WaitUntil([&] { return job.Terminated(); })) << round;
        TestJob.reset();
        EXPECT_EQ(Terminates, 1) << round;
    }
}
