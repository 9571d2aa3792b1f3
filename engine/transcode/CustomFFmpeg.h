#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/options/OptionState.h"
#include "engine/transcode/FrameHookChain.h"
#include "engine/transcode/HookBuffer.h"
#include "engine/transcode/JobFiles.h"
#include "engine/transcode/PictureHooks.h"
#include "engine/util/FFOptions.h"
#include "engine/util/Records.h"
#include "platform/core/Object.h"
#include "platform/core/Sync.h"
#include "platform/core/Thread.h"

class TConvertThread;
class TDoTerminateThread;

// Taken around every change and use of a job's post hooks.
extern TCriticalSection GlobalPostHookLock;

// What the pause gate tells the worker.
enum TPauseGate { pgGoOn, pgStop };

// Where a run spent its time, µs: in all (from the first read to the last
// trailer), and inside the codec libraries' reading, decoding, scaling,
// resampling, encoding and writing. The rest is the engine's own work.
struct TRunTimes {
    int64_t Total = 0;
    int64_t InLibraries = 0;
};

// One conversion job: the state of one command line (inputs, outputs, the
// option state the option layer fills) and its life cycle. A job runs at most
// once between two resets:
//   prepared --StartConvert--> running --end of run--> terminated
//   prepared --StopOrTerminate / a start that cannot start--> terminated
// Every job that leaves "prepared" reports its end exactly once (the
// terminate step and OnTerminate).
//
// Pause is cooperative: the run calls WaitIfPaused at every pass, so a paused
// worker never holds a lock. Stop opens the gate.
class TCustomFFmpeg : public TObject {
public:
    // AMaxFiles: inputs and outputs a job may have, 1..512.
    explicit TCustomFFmpeg(int AMaxFiles);
    ~TCustomFFmpeg() override;
    TCustomFFmpeg(const TCustomFFmpeg&) = delete;
    TCustomFFmpeg& operator=(const TCustomFFmpeg&) = delete;

    // ---- life cycle ----
    // Back to "prepared" with defaults; joins a finished worker first. Does
    // nothing while the conversion libraries are not loaded.
    void Reset();
    // Releases everything a set-up or a run holds (outputs left empty are deleted).
    void Cleanup();
    // Starts the run on a worker of its own (returned, already started) or, without
    // a thread, runs it in the calling thread and returns null. A running or
    // terminated job refuses (null, nothing done). Priorities above normal are
    // not available to an unprivileged process and run as normal.
    TThread* StartConvert(bool AUseThread, TThreadPriority APriority = tpNormal);
    // Asks the run to end at its next pass; with AWaitFor waits for the end of the
    // run, serving main-thread calls every 20 ms when called in the main thread.
    void Stop(bool AWaitFor);
    // A running job: Stop. A job that never started: its terminate step runs on a
    // thread of its own (waited for with AWaitFor). A terminated job: nothing.
    void StopOrTerminate(bool AWaitFor);
    void Pause();
    void Resume();
    bool Paused() const;
    // The run's gate: blocks while paused; pgStop at once when the job is stopped.
    TPauseGate WaitIfPaused();
    // Whether the run waits at the gate now: a paused job has come to rest.
    bool HeldAtGate() const;

    int MaxFiles() const { return FMaxFiles; }
    int nb_input_files() const { return int(FInputs.size()); }
    int nb_output_files() const { return int(Foutput_files.size()); }
    bool Converting() const { return FState == jsRunning; }
    bool Terminated() const { return FState == jsTerminated; }
    bool Broken() const { return FBroken; }
    bool Finished() const { return FFinished; }
    bool FatalException() const { return FFatalException; }
    std::string FatalMessage() const;
    // The last error line the media libraries logged while the job ran ("" for
    // none): their own reason for what the fatal message reports.
    std::string LibraryReason() const;
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    bool JoinMode() const { return FJoinMode; }
    // The times of the last run; read them once the job has terminated.
    const TRunTimes& RunTimes() const { return FRunTimes; }

    int64_t ReportInterval = 500000;   // least time between two progress reports, µs
    int64_t PreviewInterval = 100000;  // least time between two preview frames, µs

    // Called with the job as sender by the terminate step (on the worker, on the
    // terminate thread, or in the caller of a start that could not start).
    TJobTerminateEvent OnTerminate;
    TJobProgressEvent OnProgress;
    TJobPreviewBitmapEvent OnPreviewBitmap;
    TJobCustomHookEvent OnCustomHook;

    // ---- open-codec lists: contexts opened by the run, closed at its end ----
    using TCodecList = std::vector<AVCodecContext**>;
    static void AddCodecItem(TCodecList& AList, AVCodecContext** AContext);
    static void RemoveCodecItem(TCodecList& AList, AVCodecContext** AContext);
    TCodecList FEncoderList;
    TCodecList FDecoderList;

    // ---- option handlers ----
    void SetVerbose(int value) { FOptionState.Fverbose = value; }
    void SetMeThreshold(int value) { FOptionState.Fme_threshold = value; }
    void SetTopFieldFirst(int value) { FOptionState.Ftop_field_first = value; }
    void SetVideoChannel(int value) { FOptionState.Fvideo_channel = value; }
    void SetAudioRate(int value);
    void SetAudioChannels(int value);
    void SetAudioVolume(int value);
    void SetAudioSyncMethod(int value) { FOptionState.Faudio_sync_method = value; }
    void SetVideoSyncMethod(int value) { FOptionState.Fvideo_sync_method = value; }
    void SetMuxMaxDelay(float value);
    void SetMuxPreload(float value);
    void SetProgramID(int value);
    void SetStartTime(int64_t value);
    void SetRecordingTime(int64_t value);
    void SetVideoFilters(const std::string& value);
    void SetRcOverride(const std::string& value) { FOptionState.Fvideo_rc_override_string = value; }
    void SetVideoStandard(const std::string& value) { FOptionState.Fvideo_standard = value; }
    void SetVStatsFile(const std::string& value) { FOptionState.Fvstats_filename = value; }
    void AddMetadata(const std::string& AKey, const std::string& AValue);
    void SetPostHooks(TPostHooks value);
    // Adds or removes one post hook, keeping the others (also those the worker
    // switches off meanwhile).
    void ChangePostHook(TPostHook AHook, bool AOn);

    void SetFormat(const std::string& AName);
    bool SetGenericOption(const std::string& AName, const std::string& AValue);
    bool SetGenericIntOption(const std::string& AName, int32_t AValue);
    bool SetBitrate(const std::string& AName, const std::string& AValue);
    void SetFrameRate(const std::string& value);
    void SetFrameSize(const std::string& value);
    void SetAspectRatio(const std::string& value);
    void SetPixelFormat(const std::string& AName);
    void SetSampleFormat(const std::string& AName);
    void SetCropTop(int value);
    void SetCropBottom(int value);
    void SetCropLeft(int value);
    void SetCropRight(int value);
    void SetVideoQScale(float value);
    void SetVideoCodec(const std::string& value);
    void SetAudioCodec(const std::string& value);
    void SetSubtitleCodec(const std::string& value);
    void SetVideoTag(const std::string& value);
    void SetAudioTag(const std::string& value);
    void SetSubtitleTag(const std::string& value);
    void AddVideoHook(const std::string& ACommandLine);
    void AddStreamMap(const std::string& value);
    void AddMetaDataMap(const std::string& value);
    void SetInputTsScale(const std::string& value);
    void SetRecordingTimeOption(const std::string& AName, const std::string& AValue);
    void SetStartTimeOption(const std::string& AName, const std::string& AValue);
    void SetInputTsOffset(const std::string& AName, const std::string& AValue);
    void SetRecordingTimestamp(const std::string& AName, const std::string& AValue);
    void AddMetadataOption(const std::string& value);
    void SetIntraMatrix(const std::string& value);
    void SetInterMatrix(const std::string& value);
    void SetPass(int value);
    void SetVStats(bool value);
    void AddBitstreamFilter(const std::string& AName, const std::string& AValue);
    void SetStreamId(const std::string& AName, const std::string& AValue);

    // ---- option language (engine/options) ----
    // The one entry point of the option language: a name (case-sensitive) and
    // its value text. Raises FFmpegException or EConvertError; names nobody
    // knows change nothing.
    void ParseOption(const std::string& AName, const std::string& AValue);
    // ANorm "pal", "ntsc", "film", anything else automatic; ADefaultNorm
    // "film", "ntsc", anything else PAL.
    void SetTarget(const std::string& ATarget, const std::string& ANorm, const std::string& ADefaultNorm);
    void SetTargetOption(const std::string& AValue);
    // AName "apre", "vpre", "spre" or "fpre"; AValue a built-in preset or a file.
    void ApplyPreset(const std::string& AName, const std::string& AValue);

    // After the set-up: logs each codec- or muxer-private option no encoder or
    // muxer took, once, as a warning.
    void ReportUnusedOptions();

    // Looks a codec up by name for a media type; false with the refusal in
    // LastErrMsg. An empty name gives AV_CODEC_ID_NONE and true.
    bool FindCodec(const std::string& AName, AVMediaType AType, bool AEncoder, int AStrict, AVCodecID& ACodecID);

    // ---- inputs ----
    // Opens, probes and adds one input; false with the reason in LastErrMsg.
    // Raises FFmpegException for an unknown forced format.
    bool OpenInputFile(const std::string& AFileName);
    // Which kinds the open inputs (or only the first) hold.
    void CheckInputStreamTypes(int& AHasVideo, int& AHasAudio, int& AHasSubtitle, bool AFirstOnly) const;
    TJobInputFile& InputFile(int AIndex) const { return *FInputs.at(AIndex); }

    // ---- outputs ----
    // Builds one output; the new number of output entries, or -1 with the
    // reason in LastErrMsg. The file itself is left alone: only its folder is
    // checked, and an output naming one of the job's inputs is refused.
    int OpenOutputFile(const std::string& AFileName, bool AJoin);
    // Opens an output's file for writing as the conversion begins: the one
    // step that creates or replaces an output file. Raises FFmpegException
    // with the system's reason, and refuses a file that is one of the inputs.
    void OpenOutputTarget(TJobOutputFile& AOutput);
    // Ends the writing of an output: flushes and closes its file. The
    // reason of a failed write or close naming the file, or "".
    static std::string CloseOutputTarget(TJobOutputFile& AOutput);
    // Whether a file that exists under an output's name when the conversion
    // begins may be replaced ("直接覆盖输出文件"); when not, the job fails
    // with "File exists" and the file stays as it is.
    bool ReplaceExisting() const { return FReplaceExisting; }
    void SetReplaceExisting(bool value) { FReplaceExisting = value; }
    void NewVideoStreamOption();
    void NewAudioStreamOption();
    void NewSubtitleStreamOption();
    // The output of an entry (in join mode every entry is the one output).
    TJobOutputFile& OutputFile(int AIndex) const { return *Foutput_files.at(AIndex); }

    // Feeds of a streaming server once gave an output the stream layout they
    // announce. The libraries read no feeds any more: this changes nothing,
    // logs why and returns AVERROR(ENOSYS).
    int ReadFeedStreams(AVFormatContext* s, const std::string& AFeedName);

    // Brings an audio encoder context's sample rate to one the encoder supports.
    void ChooseSampleRate(AVCodecContext* AContext, const AVCodec* ACodec);

    // What the option handlers set so far: the openers of inputs and outputs
    // read it and consume what belongs to the file or stream they open.
    TOptionState& Options() { return FOptionState; }
    const TOptionState& Options() const { return FOptionState; }

    TFFOptions FOptions;

protected:
    // The conversion itself, on the worker: converts until the inputs end or the
    // job is stopped; at its normal end sets Finished to "not stopped".
    virtual void Transcode();
    // Adds a frame-hook plug-in with its arguments (the plug-in first); 0 on success.
    virtual int AddFrameHook(const std::vector<std::string>& AArguments);

    void ReportFatal(const std::string& AMessage);
    void SetLastErrMsg(const std::string& AText) { FLastErrMsg = AText; }

    std::atomic<bool> FFinished{false};

private:
    friend class TConvertThread;
    friend class TDoTerminateThread;
    friend class TTranscode;
    friend class TTranscodeRun;
    friend struct TJobTestAccess;   // tests drive single steps of a run

    // ---- for the job's own stages (set-up and run) ----
    void SetDefaults();
    void SetRunTimes(const TRunTimes& value) { FRunTimes = value; }
    bool EnableFilter() const { return FEnableFilter; }
    int64_t ParseTimeSpec(const std::string& AName, const std::string& AValue, bool ADuration);
    void StorePostHooks(TPostHooks value);

    // ---- codec- and muxer-private options: the hand-over to the set-up ----
    // The option layer keeps options that only a particular encoder or muxer
    // knows in FOptions.codec_dict (per media type) and FOptions.format_dict.
    // Opening an output copies them into each new stream's codec_opts and the
    // output's muxer_opts; these calls then keep only what the chosen encoder
    // or muxer knows, drop values it refuses (logged as "Invalid value"), and
    // note what was taken. Output streams call CollectEncoderOptions once their
    // encoder is chosen and the output calls CollectMuxerOptions once its muxer
    // is known, so the transcode set-up finds dictionaries that
    // avcodec_open2(stream.enc, stream.codec, &stream.codec_opts) and
    // avformat_write_header(output.ctx, &output.muxer_opts) take whole. After
    // the last encoder and header are open the set-up calls
    // ReportUnusedOptions: every private option no consumer took is logged
    // once as a warning; nothing fails.
    void CollectEncoderOptions(TJobOutputStream& AStream);
    void CollectMuxerOptions(TJobOutputFile& AOutput);
    // Notes as taken the entries of AGiven that a library call consumed from
    // its copy ALeft (inputs: the demuxer's options after opening).
    void NoteTakenOptions(const AVDictionary* AGiven, const AVDictionary* ALeft);
    // A new stream of the output from the option state: takes what waits for
    // its kind (codec, tag, bit-stream filters, private options) and leaves
    // the state's per-stream values at their defaults for the next one.
    void NewVideoStream(TJobOutputFile& AOutput, TOptionState& AOptions);
    void NewAudioStream(TJobOutputFile& AOutput, TOptionState& AOptions);
    void NewSubtitleStream(TJobOutputFile& AOutput, TOptionState& AOptions);

    // ---- picture hooks (PictureHooks.cpp), on the worker ----
    // Every decoded video picture, before its outputs: counts it and lets the
    // custom hook see and change it (pts in µs).
    void PreProcessVideoFrame(AVFrame* picture, int64_t pts);
    // Every picture handed to a video encoder: the bitmap or the preview post
    // hook, at most once per PreviewInterval.
    void RunPostHooks(const AVFrame* picture, const AVCodecContext* enc);

    enum TJobState { jsPrepared, jsRunning, jsTerminating, jsTerminated };

    void Run();
    void DoTerminate();
    void CloseCodecList(TCodecList& AList, bool AEncoders);
    void JoinThreads();
    void SetCrop(int value, int& ABand, int& ADimension, bool AVertical);
    void ParseMatrix(std::optional<TQuantMatrix>& AMatrix, const std::string& value);
    void CheckAVLib() const;
    void FreeInputs();
    void FreeOutputs();
    static void FreeInputFile(TJobInputFile& AInput);
    static void FreeOutputFile(TJobOutputFile& AOutput, bool ADeleteEmpty);
    // The input openers' steps, reading (and consuming) the option state given.
    AVDictionary* InputOpenOptions(const TOptionState& AOptions) const;
    bool SelectProgram(AVFormatContext* AContext, const TOptionState& AOptions);
    void AddInputStreams(TJobInputFile& AInput, TOptionState& AOptions);
    bool ForceInputDecoders(AVFormatContext* context);
    bool ReadInputStreamInfo(AVFormatContext* context, const std::string& AFileName);
    int64_t SeekInputStart(AVFormatContext* context, const std::string& AFileName);
    void AbortInputFile(AVFormatContext*& AContext);
    int AbortOutputFile(std::unique_ptr<TJobOutputFile>& AOutput);
    // The output opener's steps; each refusal is left in FLastErrMsg.
    const AVOutputFormat* ChooseOutputFormat(const std::string& AFileName, const std::string& AAVName);
    bool AddOutputFileStreams(TJobOutputFile& AOutput, bool AJoin);
    void SetOutputMetadata(AVFormatContext* AContext);
    bool CheckOutputTarget(const std::string& AFileName, const std::string& AAVName, const AVOutputFormat* AFormat);
    void SetMuxerOptions(TJobOutputFile& AOutput);
    void SetUpJoinMode();
    TJobOutputStream& AddOutputStream(TJobOutputFile& AOutput, AVMediaType AType, TOptionState& AOptions);
    void ApplyOutputOptions(TJobOutputFile& AOutput);
    void RunCustomHook(AVFrame* picture, int64_t pts);
    // The preview window once phPreview is off and no paint is under way.
    std::unique_ptr<TCustomPreviewer> TakeIdlePreviewer();
    void ResetPostHookContext();
    void ResetCustomHookContext();

    const int FMaxFiles;
    TOptionState FOptionState;
    std::vector<std::unique_ptr<TJobInputFile>> FInputs;
    std::vector<std::unique_ptr<TJobOutputFile>> FOutputs;  // owned, one per distinct output
    std::vector<TJobOutputFile*> Foutput_files;             // entries; join repeats the one output
    bool FJoinMode = false;
    bool FReplaceExisting = true;
    bool FEnableFilter = false;
    std::string FLastErrMsg;
    TRunTimes FRunTimes;

    std::atomic<TJobState> FState{jsPrepared};
    std::atomic<bool> FBroken{false};
    std::atomic<bool> FFatalException{false};
    mutable std::mutex FFatalLock;
    std::string FFatalMessage;
    std::string FLibraryReason;

    mutable std::mutex FGateLock;
    std::condition_variable FGate;
    bool FPaused = false;
    bool FHeld = false;

    TEvent FStopEvent{true, true};  // set while no run is under way
    TEvent FTermEvent{true, true};  // set while no separate terminate step is under way
    std::atomic<uint32_t> FWorkerThreadId{0};  // the thread running the run or the terminate step
    std::unique_ptr<TConvertThread> FThread;
    std::unique_ptr<TDoTerminateThread> FTermThread;

    int FHookFrameNumber = 0;  // decoded video pictures of the run
    std::unique_ptr<TCustomHookContext> FHookContext = std::make_unique<TCustomHookContext>();
    std::unique_ptr<TPostHookContext> FPostContext = std::make_unique<TPostHookContext>();
    TFrameHookChain FFrameHooks;  // the "vhook" plug-ins; released by Cleanup
    THookBuffer FHookBuffer;      // the picture deinterlacing and the hooks work on
};
