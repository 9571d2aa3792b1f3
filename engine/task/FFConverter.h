#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/task/FFmpegTask.h"
#include "engine/task/TerminateDelivery.h"
#include "engine/util/FFBaseComponent.h"
#include "engine/util/Records.h"
#include "platform/core/Sync.h"
#include "platform/core/Thread.h"

class TAVProbe;
class TStream;

// The component through which the application converts files: a list of
// tasks (one job each) built while idle, run with a thread count, paused,
// resumed and stopped as a whole.
//
//   idle --Start--> running --last task ends--> done --ClearTasks--> idle
//
// Every task's end arrives as OnTerminate, then once more with task index -1.
// With a thread count above 0 the end events travel through one ordered
// queue served by a delivery thread, which runs each handler in the main
// thread; a worker never waits for a handler. With 0 or less every task runs
// inside Start and the events come in the calling thread, the final one
// before Start returns.
class TCustomFFConverter : public TFFBaseComponent {
public:
    explicit TCustomFFConverter(TComponent* AOwner);
    ~TCustomFFConverter() override;

    // ---- library set ----
    bool LoadAVLib(const std::string& APath);
    bool AVLibLoaded() const;
    void UnloadAVLib();

    // ---- building tasks (refused while working) ----
    // The task's list position, or -1 with the reason in LastErrMsg.
    int AddTask(const std::string& AFileName, PInputOptions AOptions = nullptr);
    int AddTask(const std::string& AFileName, const std::string& AExtOptions);
    // Stream forms: the name "stream:<address of the stream>:<private data>".
    // No protocol serves such names, so the library refuses to open them.
    int AddTask(TStream* AStream, const std::string& APrivateData, PInputOptions AOptions);
    bool SetOutputStream(int ATaskIndex, TStream* AStream, const std::string& APrivateData, POutputOptions AOptions);
    bool AddInputFile(int ATaskIndex, const std::string& AFileName, PInputOptions AOptions = nullptr);
    bool AddInputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions);
    bool SetOutputFile(int ATaskIndex, const std::string& AFileName, POutputOptions AOptions = nullptr);
    bool SetOutputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions);
    // The probe of a task's input; null for a position without one.
    TAVProbe* GetTaskAVProbe(int ATaskIndex, int AFileIndex);
    int TasksCount() const { return FTasks.Count(); }
    void RemoveTask(int ATaskIndex);
    void Exchange(int ATaskIndex1, int ATaskIndex2);
    // Frees every task and returns to idle; refused while running.
    void ClearTasks();

    // ---- running ----
    void Start(int AThreadCount);
    void Pause();
    void Resume();
    // With AWaitFor, returns once every task has ended; not so when a run on
    // workers is stopped by a handler of OnProgress or OnPreviewBitmap in the
    // main thread, whose worker waits for it (the tasks end once it returns).
    void Stop(bool AWaitFor);

    // ---- state ----
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    bool Working() const { return FWorking; }
    bool Terminated() const { return FTerminated; }
    bool Paused() const { return FPaused; }
    TAVProbe* AVProbe() const { return FAVProbe.get(); }
    // The task at a list position (the list's index error outside it).
    TFFmpeg* Task(int ATaskIndex) const { return FTasks.GetItem(ATaskIndex); }

    void* UserData = nullptr;
    int CustomMaxFiles = 20;
    int Verbose = 1;
    // Whether a task may replace a file that exists under its output's name
    // when it begins writing; read as each task starts.
    bool ReplaceExistingOutputs = true;
    TThreadPriority ThreadPriority = tpNormal;
    bool TriggerEventInMainThread = true;
    std::string About;
    static constexpr const char* Version = "3.3";

    bool Preview() const { return FPreview; }
    void SetPreview(bool value);
    bool PreviewBitmap() const { return FPreviewBitmap; }
    void SetPreviewBitmap(bool value);
    int ProgressInterval() const { return FProgressInterval; }
    void SetProgressInterval(int value) { FProgressInterval = value <= 100 ? 100 : value; }

    TCustomHookEvent OnCustomHook;
    TPreviewBitmapEvent OnPreviewBitmap;
    TProgressEvent OnProgress;
    TTerminateEvent OnTerminate;

protected:
    // The callbacks every task is bound to, with the task as sender.
    virtual void DoCustomHook(TObject* Sender, TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS, bool& AUpdate,
                              bool& AStopHook);
    virtual void DoPreviewBitmap(TObject* Sender, TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS);
    virtual void DoProgress(TObject* Sender, int32_t AFileIndex, int32_t AFrameNumber, int32_t AFPS, float AQuality,
                            float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration, int64_t ATotalDuration);
    virtual void DoTerminate(TObject* Sender);
    // Makes the job of a new task.
    virtual std::unique_ptr<TFFmpeg> CreateTask(int AMaxFiles);

private:
    static std::string StreamFileName(const TStream* AStream, const std::string& APrivateData);
    void CheckIdle(const char* AOperation) const;
    bool OpenInput(TFFmpeg& ATask, const std::string& AFileName, PInputOptions AOptions);
    TFFmpeg* PrepareNextTask();
    void StartNextTask();
    void FinalStep();
    void RaiseForeignEnds();
    void DeliverTerminate(const TTerminateInfo& AInfo);
    void RaiseTerminate(const TTerminateInfo& AInfo);
    int TaskIndexOf(TObject* ASender) const;

    std::string FLastErrMsg;
    std::unique_ptr<TAVProbe> FAVProbe;
    TFFmpegList FTasks;

    THookInfo FHookInfo;
    TProgressInfo FProgressInfo;
    TPreviewInfo FPreviewInfo;

    TCriticalSection FHookLock;
    TCriticalSection FPreviewLock;
    TCriticalSection FProgressLock;
    // Guards the counters and flags of a run and the start of the next task.
    TCriticalSection FTerminateLock;

    int FCompleteTasks = 0;
    int FCurrentTask = -1;
    int FPendingTasks = 0;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FWorking{false};
    std::atomic<bool> FPaused{false};
    bool FThreadMode = false;
    // Without threads every end event comes in the thread that called Start;
    // ends of tasks that a stop terminated elsewhere wait here for it.
    std::thread::id FStartThread;
    std::vector<TTerminateInfo> FForeignEnds;
    TEvent FEndsChanged{false, false};  // a task ended: Start looks at the counters again
    bool FFinalDone = false;
    std::atomic<int> FStopDepth{0};  // Stop calls under way in this component
    int FServingDepth = 0;  // main thread only: progress and picture handlers running there
    std::vector<std::unique_ptr<TFFmpeg>> FDeferredFree;
    bool FPreview = false;
    bool FPreviewBitmap = false;
    int FProgressInterval = 500;

    // Last member: ended first, after the tasks were stopped and their
    // remaining end events delivered.
    std::unique_ptr<TTerminateDelivery> FDelivery;
};

// The component as the application places it.
class TFFConverter : public TCustomFFConverter {
public:
    using TCustomFFConverter::TCustomFFConverter;
};
