#include "engine/task/FFConverter.h"

#include <chrono>
#include <cstdint>
#include <thread>
#include <utility>

#include "engine/loader/Loader.h"
#include "engine/options/OptionRecords.h"
#include "engine/probe/AVProbe.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/util/MainThread.h"
#include "engine/util/WorkerCalls.h"
#include "platform/core/SysUtils.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace {

// Holds a canvas locked for its lifetime.
class TCanvasLock {
public:
    explicit TCanvasLock(TCanvas* ACanvas) : FCanvas(ACanvas) {
        if (FCanvas)
            FCanvas->Lock();
    }
    ~TCanvasLock() {
        if (FCanvas)
            FCanvas->Unlock();
    }
    TCanvasLock(const TCanvasLock&) = delete;
    TCanvasLock& operator=(const TCanvasLock&) = delete;

private:
    TCanvas* FCanvas;
};

// Counts, in the main thread, the event handlers of workers running there.
class TServingEvent {
public:
    explicit TServingEvent(int& ADepth) : FDepth(IsMainThread() ? &ADepth : nullptr) {
        if (FDepth)
            ++*FDepth;
    }
    ~TServingEvent() {
        if (FDepth)
            --*FDepth;
    }
    TServingEvent(const TServingEvent&) = delete;
    TServingEvent& operator=(const TServingEvent&) = delete;

private:
    int* FDepth;
};

// A task needs the conversion set; without it the job's set-up would reach
// unbound entry points.
void CheckConversionLibraries() {
    if (const char* missing = MissingCodecLibraryText())
        throw FFmpegException(missing);
}

} // namespace

TCustomFFConverter::TCustomFFConverter(TComponent* AOwner)
    : TFFBaseComponent(AOwner), FAVProbe(std::make_unique<TAVProbe>(nullptr)) {
    FDelivery = std::make_unique<TTerminateDelivery>([this](const TTerminateInfo& AInfo) { DeliverTerminate(AInfo); });
}

TCustomFFConverter::~TCustomFFConverter() {
    Stop(true);
    // Every end event is queued by now; deliver them while the component is whole.
    FDelivery.reset();
    FTasks.TakeAll().clear();
    FDeferredFree.clear();
}

// ---- library set ----

bool TCustomFFConverter::LoadAVLib(const std::string& APath) {
    GlobalLoader().SetLibraryPath(APath);
    const bool loaded = GlobalLoader().Load(ConversionLibraries);
    if (!loaded)
        FLastErrMsg = GlobalLoader().LastErrMsg();
    return loaded;
}

bool TCustomFFConverter::AVLibLoaded() const { return GlobalLoader().Loaded(ConversionLibraries); }

void TCustomFFConverter::UnloadAVLib() { GlobalLoader().Unload(ConversionLibraries); }

// ---- building tasks ----

void TCustomFFConverter::CheckIdle(const char* AOperation) const {
    if (FWorking)
        throw FFmpegException(Format("Cannot %s while working.", AOperation));
}

std::unique_ptr<TFFmpeg> TCustomFFConverter::CreateTask(int AMaxFiles) { return std::make_unique<TFFmpeg>(AMaxFiles); }

int TCustomFFConverter::TaskIndexOf(TObject* ASender) const {
    return FTasks.IndexOf(static_cast<TFFmpeg*>(ASender));
}

bool TCustomFFConverter::OpenInput(TFFmpeg& ATask, const std::string& AFileName, PInputOptions AOptions) {
    const int index = ATask.nb_input_files();
    if (AOptions) {
        if (AOptions->FileName.empty())
            AOptions->FileName = AFileName;
        ATask.StoreInputOptions(index, *AOptions);
        ApplyInputOptions(ATask, *AOptions);
    } else {
        ATask.ClearInputOptions(index);
    }
    if (!ATask.OpenInputFile(AFileName))
        return false;
    // The probe only borrows the input: the task empties it before it closes the input.
    ATask.Probe(index, true)->SetFileHandle(ATask.InputFile(index).ctx);
    return true;
}

int TCustomFFConverter::AddTask(const std::string& AFileName, PInputOptions AOptions) {
    CheckIdle("AddTask");
    try {
        CheckConversionLibraries();
        std::unique_ptr<TFFmpeg> task = CreateTask(CustomMaxFiles);
        task->Reset();
        task->SetVerbose(Verbose);
        TPostHooks hooks;
        if (FPreview)
            hooks.Include(phPreview);
        if (FPreviewBitmap)
            hooks.Include(phBitmap);
        task->SetPostHooks(hooks);
        task->OnPreviewBitmap = [this](TObject* ASender, TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS) {
            DoPreviewBitmap(ASender, ABitmap, AFrameNumber, APTS);
        };
        if (!OpenInput(*task, AFileName, AOptions)) {
            FLastErrMsg = task->LastErrMsg();
            return -1;
        }
        task->OnProgress = [this](TObject* ASender, int32_t AFileIndex, int32_t AFrameNumber, int32_t AFPS,
                                  float AQuality, float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration,
                                  int64_t ATotalDuration) {
            DoProgress(ASender, AFileIndex, AFrameNumber, AFPS, AQuality, ABitRate, ACurrentSize, ACurrentDuration,
                       ATotalDuration);
        };
        task->OnTerminate = [this](TObject* ASender) { DoTerminate(ASender); };
        return FTasks.Add(std::move(task));
    } catch (const std::exception& e) {
        FLastErrMsg = e.what();
        return -1;
    }
}

int TCustomFFConverter::AddTask(const std::string& AFileName, const std::string& AExtOptions) {
    TInputOptions options;
    InputOptionsFromText(AExtOptions, options);
    return AddTask(AFileName, &options);
}

std::string TCustomFFConverter::StreamFileName(const TStream* AStream, const std::string& APrivateData) {
    return "stream:" + std::to_string(reinterpret_cast<intptr_t>(AStream)) + ":" + APrivateData;
}

int TCustomFFConverter::AddTask(TStream* AStream, const std::string& APrivateData, PInputOptions AOptions) {
    return AddTask(StreamFileName(AStream, APrivateData), AOptions);
}

bool TCustomFFConverter::AddInputFile(int ATaskIndex, const std::string& AFileName, PInputOptions AOptions) {
    CheckIdle("AddInputFile");
    TFFmpeg* task = nullptr;
    int index = -1;
    try {
        task = FTasks.GetItem(ATaskIndex);
        if (task->nb_input_files() >= task->MaxFiles()) {
            FLastErrMsg = Format("max input files %d reached", task->MaxFiles());
            return false;
        }
        index = task->nb_input_files();
        if (OpenInput(*task, AFileName, AOptions))
            return true;
        FLastErrMsg = task->LastErrMsg();
    } catch (const std::exception& e) {
        FLastErrMsg = e.what();
    }
    if (task && index >= 0)
        task->ClearInputOptions(index);
    return false;
}

bool TCustomFFConverter::AddInputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions) {
    TInputOptions options;
    InputOptionsFromText(AExtOptions, options);
    return AddInputFile(ATaskIndex, AFileName, &options);
}

bool TCustomFFConverter::SetOutputFile(int ATaskIndex, const std::string& AFileName, POutputOptions AOptions) {
    CheckIdle("SetOutputFile");
    TFFmpeg* task = nullptr;
    int index = -1;
    try {
        task = FTasks.GetItem(ATaskIndex);
        if (task->nb_output_files() >= task->MaxFiles()) {
            FLastErrMsg = Format("max output files %d reached", task->MaxFiles());
            return false;
        }
        index = task->nb_output_files();
        TStreamDefaults defaults;
        bool join = false;
        if (AOptions) {
            if (AOptions->FileName.empty())
                AOptions->FileName = AFileName;
            task->StoreOutputOptions(index, *AOptions);
            ApplyOutputOptions(*task, *AOptions, defaults);
            if (AOptions->CustomHook)
                task->OnCustomHook = [this](TObject* ASender, TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS,
                                            bool& AUpdate, bool& AStopHook) {
                    DoCustomHook(ASender, ABitmap, AFrameNumber, APTS, AUpdate, AStopHook);
                };
            join = AOptions->Join;
        } else {
            task->ClearOutputOptions(index);
        }
        if (task->OpenOutputFile(AFileName, join) >= 0) {
            if (AOptions)
                ApplyStreamOptions(*task, *AOptions, defaults);
            return true;
        }
        FLastErrMsg = task->LastErrMsg();
    } catch (const std::exception& e) {
        FLastErrMsg = e.what();
    }
    if (task && index >= 0)
        task->ClearOutputOptions(index);
    return false;
}

bool TCustomFFConverter::SetOutputFile(int ATaskIndex, const std::string& AFileName, const std::string& AExtOptions) {
    TOutputOptions options;
    OutputOptionsFromText(AExtOptions, options);
    return SetOutputFile(ATaskIndex, AFileName, &options);
}

bool TCustomFFConverter::SetOutputStream(int ATaskIndex, TStream* AStream, const std::string& APrivateData,
                                         POutputOptions AOptions) {
    return SetOutputFile(ATaskIndex, StreamFileName(AStream, APrivateData), AOptions);
}

TAVProbe* TCustomFFConverter::GetTaskAVProbe(int ATaskIndex, int AFileIndex) {
    if (ATaskIndex < 0 || ATaskIndex >= FTasks.Count())
        return nullptr;
    return FTasks.GetItem(ATaskIndex)->Probe(AFileIndex, false);
}

void TCustomFFConverter::RemoveTask(int ATaskIndex) {
    CheckIdle("RemoveTask");
    FTasks.Delete(ATaskIndex);
}

void TCustomFFConverter::Exchange(int ATaskIndex1, int ATaskIndex2) {
    CheckIdle("Exchange");
    FTasks.Exchange(ATaskIndex1, ATaskIndex2);
}

void TCustomFFConverter::ClearTasks() {
    std::vector<std::unique_ptr<TFFmpeg>> tasks;
    {
        TCriticalSectionGuard lock(FTerminateLock);
        if (FWorking && !FTerminated)
            throw FFmpegException("Cannot ClearTasks while working.");
        tasks = FTasks.TakeAll();
        FLastErrMsg.clear();
        FCompleteTasks = 0;
        FCurrentTask = -1;
        FPendingTasks = 0;
        FTerminated = false;
        FThreadMode = false;
        FForeignEnds.clear();
        FWorking = false;
        FPaused = false;
    }
    // A Stop that is waiting (its wait ran this handler) still walks these
    // tasks; they go when it returns.
    if (FStopDepth > 0)
        for (auto& task : tasks)
            FDeferredFree.push_back(std::move(task));
    tasks.clear();  // joins workers that are still returning from their run
}

// ---- running ----

TFFmpeg* TCustomFFConverter::PrepareNextTask() {
    --FPendingTasks;
    TFFmpeg* task = FTasks.GetItem(FCurrentTask);
    // The position moves on first: a task that cannot start terminates at
    // once, and its end starts the one after it.
    ++FCurrentTask;
    task->SetVerbose(Verbose);
    task->SetReplaceExisting(ReplaceExistingOutputs);
    task->ReportInterval = int64_t(FProgressInterval) * 1000;
    // The run closes the inputs the probes borrow.
    task->ReleaseProbes();
    task->RunStarted = true;
    // Only a worker can wait at the gate: in the calling thread nobody could resume it.
    if (FPaused && FThreadMode)
        task->Pause();
    return task;
}

void TCustomFFConverter::StartNextTask() {
    TCriticalSectionGuard lock(FTerminateLock);
    if (FPendingTasks > 0)
        PrepareNextTask()->StartConvert(true, ThreadPriority);
}

void TCustomFFConverter::Start(int AThreadCount) {
    {
        TCriticalSectionGuard lock(FTerminateLock);
        CheckIdle("StartTask");
        FCompleteTasks = 0;
        FCurrentTask = 0;
        FPendingTasks = FTasks.Count();
        FTerminated = false;
        FFinalDone = false;
        FThreadMode = AThreadCount > 0;
        FStartThread = std::this_thread::get_id();
        FForeignEnds.clear();
        FWorking = true;
        if (FThreadMode) {
            // Ends of early tasks wait for this lock, so the count of running
            // tasks never passes AThreadCount.
            while (FPendingTasks > 0 && AThreadCount-- > 0)
                StartNextTask();
            if (FTasks.Count() == 0)
                FinalStep();
            return;
        }
    }
    // In the calling thread, one task after another, without the lock: a
    // handler or another thread may pause or stop meanwhile.
    for (;;) {
        TFFmpeg* task;
        {
            TCriticalSectionGuard lock(FTerminateLock);
            if (FPendingTasks <= 0)
                break;
            task = PrepareNextTask();
        }
        task->StartConvert(false, ThreadPriority);
        RaiseForeignEnds();
    }
    // A stop may still be reporting tasks that never started.
    for (;;) {
        RaiseForeignEnds();
        {
            TCriticalSectionGuard lock(FTerminateLock);
            if (FCompleteTasks >= FTasks.Count() && FForeignEnds.empty())
                break;
        }
        FEndsChanged.WaitFor();
    }
    // The final event comes from here rather than from inside the last task's
    // run, so that its handler may free every task.
    FinalStep();
}

void TCustomFFConverter::RaiseForeignEnds() {
    std::vector<TTerminateInfo> ends;
    {
        TCriticalSectionGuard lock(FTerminateLock);
        ends.swap(FForeignEnds);
    }
    for (const TTerminateInfo& info : ends)
        RaiseTerminate(info);
}

void TCustomFFConverter::FinalStep() {
    {
        TCriticalSectionGuard lock(FTerminateLock);
        if (FFinalDone)
            return;
        FFinalDone = true;
        FTerminated = true;  // before the handler runs, so that it may clear the tasks
        FPaused = false;
    }
    const TTerminateInfo info{-1, true, false, ""};
    if (FThreadMode)
        FDelivery->Push(info);
    else
        RaiseTerminate(info);
}

void TCustomFFConverter::Pause() {
    TCriticalSectionGuard lock(FTerminateLock);
    FPaused = true;
    // Tasks running in the calling thread are not paused: that thread is the
    // one that would have to resume them.
    if (FThreadMode)
        FTasks.PauseAll();
}

void TCustomFFConverter::Resume() {
    TCriticalSectionGuard lock(FTerminateLock);
    FPaused = false;
    FTasks.ResumeAll();
}

void TCustomFFConverter::Stop(bool AWaitFor) {
    std::vector<TFFmpeg*> tasks;
    {
        TCriticalSectionGuard lock(FTerminateLock);
        // A handler of a worker's event (or a preview window's paint) runs while that worker, and any other
        // waiting for the event's lock, waits for it: waiting for them here
        // would never end. They end once the handler returns.
        if (FThreadMode && IsMainThread() && (FServingDepth > 0 || WorkerCallsInMainThread() > 0))
            AWaitFor = false;
        FPendingTasks = 0;  // nothing more starts
        FPaused = false;
        for (int i = 0; i < FTasks.Count(); ++i)
            tasks.push_back(FTasks.GetItem(i));
    }
    // Without the lock: the tasks' ends need it while this waits for them.
    ++FStopDepth;
    for (TFFmpeg* task : tasks)
        task->StopOrTerminate(AWaitFor);
    if (--FStopDepth == 0)
        FDeferredFree.clear();
}

// ---- callbacks of the tasks ----

void TCustomFFConverter::DoCustomHook(TObject* Sender, TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS,
                                      bool& AUpdate, bool& AStopHook) {
    if (!OnCustomHook)
        return;
    TCriticalSectionGuard lock(FHookLock);
    FHookInfo = THookInfo{TaskIndexOf(Sender), ABitmap, AFrameNumber, APTS, AUpdate, AStopHook};
    {
        // The handler draws on the bitmap: nobody else may meanwhile.
        TCanvasLock canvasLock(ABitmap ? ABitmap->Canvas() : nullptr);
        try {
            OnCustomHook(this, &FHookInfo);
        } catch (...) {
            FHookInfo.Bitmap = nullptr;
            throw;
        }
    }
    AUpdate = FHookInfo.Update;
    AStopHook = FHookInfo.StopHook;
    FHookInfo.Bitmap = nullptr;  // the task's: it may be gone after this call
}

void TCustomFFConverter::DoPreviewBitmap(TObject* Sender, TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS) {
    if (!OnPreviewBitmap)
        return;
    TCriticalSectionGuard lock(FPreviewLock);
    FPreviewInfo = TPreviewInfo{TaskIndexOf(Sender), ABitmap, AFrameNumber, APTS};
    auto raise = [this] {
        TServingEvent serving(FServingDepth);
        // A copy: the handler may assign a new one while it runs.
        const TPreviewBitmapEvent handler = OnPreviewBitmap;
        if (handler)
            handler(this, FPreviewInfo);
    };
    try {
        if (TriggerEventInMainThread)
            CallInMainThread(raise);
        else
            raise();
    } catch (...) {
        FPreviewInfo.Bitmap = nullptr;
        throw;
    }
    FPreviewInfo.Bitmap = nullptr;  // the task's: it may be gone after this call
}

void TCustomFFConverter::DoProgress(TObject* Sender, int32_t AFileIndex, int32_t AFrameNumber, int32_t AFPS,
                                    float AQuality, float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration,
                                    int64_t ATotalDuration) {
    if (!OnProgress)
        return;
    TCriticalSectionGuard lock(FProgressLock);
    FProgressInfo = TProgressInfo{TaskIndexOf(Sender), AFileIndex,   AFrameNumber,     AFPS,          AQuality,
                                  ABitRate,            ACurrentSize, ACurrentDuration, ATotalDuration};
    auto raise = [this] {
        TServingEvent serving(FServingDepth);
        OnProgress(this, &FProgressInfo);
    };
    if (TriggerEventInMainThread)
        CallInMainThread(raise);
    else
        raise();
}

void TCustomFFConverter::DoTerminate(TObject* Sender) {
    auto* task = static_cast<TFFmpeg*>(Sender);
    if (!task->RunStarted) {
        // Stopped before it ran: nothing of it should stay behind, not even
        // the empty output files its set-up created.
        task->ReleaseProbes();
        task->Cleanup();
    }
    bool final = false;
    {
        TCriticalSectionGuard lock(FTerminateLock);
        const TTerminateInfo info{TaskIndexOf(Sender), task->Finished(), task->FatalException(),
                                  task->FatalMessage(), task->LibraryReason()};
        if (FThreadMode)
            FDelivery->Push(info);
        else if (std::this_thread::get_id() == FStartThread)
            RaiseTerminate(info);
        else
            FForeignEnds.push_back(info);  // a task a stop ended elsewhere: Start raises it
        ++FCompleteTasks;
        FEndsChanged.SetEvent();
        if (FPendingTasks >= 1) {
            if (FThreadMode)
                StartNextTask();
        } else if (FThreadMode && FCompleteTasks >= FTasks.Count()) {
            final = true;
        }
    }
    if (final)
        FinalStep();
}

void TCustomFFConverter::DeliverTerminate(const TTerminateInfo& AInfo) {
    auto raise = [this, &AInfo] { RaiseTerminate(AInfo); };
    if (TriggerEventInMainThread)
        CallInMainThread(raise);
    else
        raise();
}

void TCustomFFConverter::RaiseTerminate(const TTerminateInfo& AInfo) {
    // A copy: the handler may assign a new one while it runs.
    const TTerminateEvent handler = OnTerminate;
    if (handler)
        handler(this, AInfo);
}

// ---- properties ----

void TCustomFFConverter::SetPreview(bool value) {
    FTasks.SetPreviewAll(value);
    FPreview = value;
}

void TCustomFFConverter::SetPreviewBitmap(bool value) {
    FTasks.SetPreviewBitmapAll(value);
    FPreviewBitmap = value;
}
