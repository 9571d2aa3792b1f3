#include <algorithm>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/LibraryErrors.h"
#include "engine/util/FileNames.h"
#include "engine/util/MiscUtils.h"
#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

// The worker of a job: runs the run body, then tells waiters that it is over.
class TConvertThread : public TThread {
public:
    explicit TConvertThread(TCustomFFmpeg* AOwner) : TThread(true), FOwner(AOwner) {}

protected:
    void Execute() override {
        FOwner->FWorkerThreadId = CurrentThreadId();
        try {
            FOwner->Run();
        } catch (...) {
            // Run contains every error of its steps.
        }
        FOwner->FStopEvent.SetEvent();
    }

private:
    TCustomFFmpeg* FOwner;
};

// The terminate step of a job that never started, off the caller's thread.
class TDoTerminateThread : public TThread {
public:
    explicit TDoTerminateThread(TCustomFFmpeg* AOwner) : TThread(true), FOwner(AOwner) {}

protected:
    void Execute() override {
        FOwner->FWorkerThreadId = CurrentThreadId();
        try {
            FOwner->DoTerminate();
        } catch (const std::exception& e) {
            GetFFLogger()->Log(FOwner, llQuiet, e.what());
        }
        FOwner->FTermEvent.SetEvent();
    }

private:
    TCustomFFmpeg* FOwner;
};

namespace {

constexpr int MaxFilesLimit = 512;
constexpr uint32_t StopWaitStepMs = 20;

bool ConversionLibrariesLoaded() { return GlobalLoader().Loaded(ConversionLibraries); }

} // namespace

TCustomFFmpeg::TCustomFFmpeg(int AMaxFiles) : FMaxFiles(AMaxFiles) {
    if (AMaxFiles <= 0 || AMaxFiles > MaxFilesLimit)
        throw EAssertionFailed("Assertion failure");
    SetDefaults();
}

TCustomFFmpeg::~TCustomFFmpeg() {
    Stop(true);
    JoinThreads();
    Cleanup();
    if (ConversionLibrariesLoaded())
        AVLib.av_channel_layout_uninit(&FOptionState.Fchannel_layout);
}

void TCustomFFmpeg::JoinThreads() {
    if (FWorkerThreadId == CurrentThreadId())
        throw EInvalidOperation("A conversion job cannot be released by its own worker");
    if (FThread && FThread->Started())
        FThread->WaitFor();
    FThread.reset();
    if (FTermThread && FTermThread->Started())
        FTermThread->WaitFor();
    FTermThread.reset();
    FWorkerThreadId = 0;
}

void TCustomFFmpeg::SetDefaults() {
    if (ConversionLibrariesLoaded())
        AVLib.av_channel_layout_uninit(&FOptionState.Fchannel_layout);
    FOptionState = TOptionState();
}

void TCustomFFmpeg::Reset() {
    if (!ConversionLibrariesLoaded())
        return;
    if (Converting())
        Stop(true);
    JoinThreads();
    Cleanup();
    SetDefaults();
    FJoinMode = false;
    FEnableFilter = false;
    FBroken = false;
    FFinished = false;
    FFatalException = false;
    {
        std::lock_guard lock(FFatalLock);
        FFatalMessage.clear();
        FLibraryReason.clear();
    }
    FLastErrMsg.clear();
    FHookFrameNumber = 0;
    {
        std::lock_guard lock(FGateLock);
        FPaused = false;
    }
    FState = jsPrepared;
    AllocFFOptions(FOptions, FOptionState.Fsws_flags);
}

void TCustomFFmpeg::CheckAVLib() const {
    if (const char* missing = MissingCodecLibraryText())
        throw FFmpegException(missing);
}

void TCustomFFmpeg::FreeOutputFile(TJobOutputFile& AOutput, bool ADeleteEmpty) {
    {
        TCriticalSectionGuard lock(GlobalCodecLock);
        for (auto& stream : AOutput.streams)
            if (stream->enc) {
                AVLib.av_freep(&stream->enc->stats_in);
                AVLib.avcodec_free_context(&stream->enc);
            }
    }
    for (auto& stream : AOutput.streams)
        AVLib.av_dict_free(&stream->codec_opts);
    AOutput.streams.clear();
    AVLib.av_dict_free(&AOutput.muxer_opts);
    if (AVFormatContext* ctx = AOutput.ctx) {
        // A run that ended normally closed its files already and reported any
        // failure; here only what an error left open is closed.
        CloseOutputTarget(AOutput);
        AVLib.avformat_free_context(ctx);
        AOutput.ctx = nullptr;
    }
    // A file this job created and left empty is no output worth keeping; a
    // file that was there before is never deleted.
    if (ADeleteEmpty && AOutput.Created && GetFileSizeByName(AOutput.FileName) == 0)
        std::remove(AOutput.FileName.c_str());
    AOutput.Created = false;
}

void TCustomFFmpeg::FreeOutputs() {
    for (auto& output : FOutputs)
        FreeOutputFile(*output, true);
    Foutput_files.clear();
    FOutputs.clear();
}

void TCustomFFmpeg::FreeInputFile(TJobInputFile& AInput) {
    {
        TCriticalSectionGuard lock(GlobalCodecLock);
        for (auto& stream : AInput.streams)
            if (stream->dec)
                AVLib.avcodec_free_context(&stream->dec);
    }
    AInput.streams.clear();
    if (AInput.ctx)
        AVLib.avformat_close_input(&AInput.ctx);
}

void TCustomFFmpeg::FreeInputs() {
    for (auto& input : FInputs)
        FreeInputFile(*input);
    FInputs.clear();
}

void TCustomFFmpeg::Cleanup() {
    if (!ConversionLibrariesLoaded())
        return;
    FreeFFOptions(FOptions);
    FreeOutputs();
    FreeInputs();
    FEncoderList.clear();
    FDecoderList.clear();
    FOptionState.Fintra_matrix.reset();
    FOptionState.Finter_matrix.reset();
    FOptionState.Fvstats_filename.clear();
    FOptionState.Fvideo_codec_name.clear();
    FOptionState.Faudio_codec_name.clear();
    FOptionState.Fsubtitle_codec_name.clear();
    FOptionState.Fvideo_standard.clear();
    FOptionState.Fvideo_rc_override_string.clear();
    FOptionState.Fvideo_language.clear();
    FOptionState.Faudio_language.clear();
    FOptionState.Fsubtitle_language.clear();
    FOptionState.Fsubtitle_codec_tag = 0;
    FFrameHooks.ReleaseFrameHooks();
    ResetCustomHookContext();
    ResetPostHookContext();
}

TThread* TCustomFFmpeg::StartConvert(bool AUseThread, TThreadPriority APriority) {
    TJobState expected = jsPrepared;
    if (!FState.compare_exchange_strong(expected, jsRunning))
        return nullptr;

    const char* missing = FOutputs.empty() ? "At least one output file must be specified"
                          : FInputs.empty() ? "At least one input file must be specified"
                                            : nullptr;
    if (missing) {
        Cleanup();
        ReportFatal(missing);
        DoTerminate();
        return nullptr;
    }
    FBroken = false;
    FFinished = false;

    if (!AUseThread) {
        Run();
        return nullptr;
    }
    // Reset before the worker exists, so that a Stop right after this call
    // waits for the run instead of returning before it began.
    FStopEvent.ResetEvent();
    FThread = std::make_unique<TConvertThread>(this);
    try {
        FThread->SetPriority(std::min(APriority, tpNormal));
        FThread->Start();
    } catch (const std::exception& e) {
        FThread.reset();
        FStopEvent.SetEvent();
        ReportFatal(e.what());
        Cleanup();
        DoTerminate();
        return nullptr;
    }
    return FThread.get();
}

void TCustomFFmpeg::Run() {
    auto guarded = [this](auto step) {
        try {
            step();
        } catch (const std::exception& e) {
            ReportFatal(e.what());
        } catch (...) {
            ReportFatal("Unknown error");
        }
    };
    guarded([this] {
        FFinished = false;
        // What the libraries say while this job runs on this thread is its own.
        TLibraryErrorCapture libraryErrors;
        try {
            Transcode();
        } catch (...) {
            std::lock_guard lock(FFatalLock);
            FLibraryReason = libraryErrors.LastReason();
            throw;
        }
    });
    guarded([this] { CloseCodecList(FEncoderList, true); });
    guarded([this] { CloseCodecList(FDecoderList, false); });
    guarded([this] { Cleanup(); });
    guarded([this] { DoTerminate(); });
}

void TCustomFFmpeg::ReportFatal(const std::string& AMessage) {
    GetFFLogger()->Log(this, llQuiet, AMessage);
    {
        std::lock_guard lock(FFatalLock);
        FFatalMessage = AMessage;
    }
    FFatalException = true;
}

std::string TCustomFFmpeg::LibraryReason() const {
    std::lock_guard lock(FFatalLock);
    return FLibraryReason;
}

std::string TCustomFFmpeg::FatalMessage() const {
    std::lock_guard lock(FFatalLock);
    return FFatalMessage;
}

void TCustomFFmpeg::DoTerminate() {
    FState = jsTerminated;
    if (OnTerminate)
        OnTerminate(this);
}

void TCustomFFmpeg::AddCodecItem(TCodecList& AList, AVCodecContext** AContext) {
    AList.insert(AList.begin(), AContext);
}

void TCustomFFmpeg::RemoveCodecItem(TCodecList& AList, AVCodecContext** AContext) {
    auto it = std::find(AList.begin(), AList.end(), AContext);
    if (it != AList.end())
        AList.erase(it);
}

void TCustomFFmpeg::CloseCodecList(TCodecList& AList, bool AEncoders) {
    while (!AList.empty()) {
        AVCodecContext** context = AList.front();
        AList.erase(AList.begin());
        if (!*context)
            continue;
        TCriticalSectionGuard lock(GlobalCodecLock);
        if (AEncoders)
            AVLib.av_freep(&(*context)->stats_in);
        AVLib.avcodec_free_context(context);
    }
}

void TCustomFFmpeg::Stop(bool AWaitFor) {
    FBroken = true;
    {
        std::lock_guard lock(FGateLock);
        FPaused = false;
    }
    FGate.notify_all();
    // The worker itself (a terminate handler) cannot wait for its own end.
    if (!AWaitFor || FWorkerThreadId == CurrentThreadId())
        return;
    // Waiting in short steps lets a worker that waits for the main thread
    // (a synchronised progress call) finish.
    while (FStopEvent.WaitFor(StopWaitStepMs) == wrTimeout)
        if (IsMainThread())
            ProcessMessages();
}

void TCustomFFmpeg::StopOrTerminate(bool AWaitFor) {
    if (FState == jsRunning) {
        Stop(AWaitFor);
        return;
    }
    TJobState expected = jsPrepared;
    if (!FState.compare_exchange_strong(expected, jsTerminating))
        return;
    FTermEvent.ResetEvent();
    FTermThread = std::make_unique<TDoTerminateThread>(this);
    try {
        FTermThread->Start();
    } catch (const std::exception&) {
        FTermThread.reset();
        DoTerminate();
        FTermEvent.SetEvent();
        return;
    }
    if (AWaitFor)
        FTermEvent.WaitFor(INFINITE);
}

void TCustomFFmpeg::Pause() {
    std::lock_guard lock(FGateLock);
    FPaused = true;
}

void TCustomFFmpeg::Resume() {
    {
        std::lock_guard lock(FGateLock);
        FPaused = false;
    }
    FGate.notify_all();
}

bool TCustomFFmpeg::Paused() const {
    std::lock_guard lock(FGateLock);
    return FPaused;
}

TPauseGate TCustomFFmpeg::WaitIfPaused() {
    std::unique_lock lock(FGateLock);
    FHeld = true;
    FGate.wait(lock, [this] { return !FPaused || FBroken; });
    FHeld = false;
    return FBroken ? pgStop : pgGoOn;
}

bool TCustomFFmpeg::HeldAtGate() const {
    std::lock_guard lock(FGateLock);
    return FHeld;
}
