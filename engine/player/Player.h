#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engine/player/PictureSlot.h"
#include "engine/player/PlayEventRing.h"
#include "engine/player/PlayerTypes.h"
#include "engine/probe/AVProbe.h"
#include "engine/util/FFBaseComponent.h"
#include "engine/util/MiscUtils.h"
#include "engine/util/Picture.h"
#include "platform/core/Sync.h"
#include "platform/gfx/Bitmap.h"
#include "platform/ui/WinTypes.h"

struct TVideoState;
class TPlayerWindow;

// Where the player shows its pictures. The player draws every picture into
// its surface (a bitmap of the host's pixel format) and tells the host, from
// any thread, that the surface changed; the host paints it from Surface()
// while holding LockSurface.
class TPlayerHost {
public:
    virtual ~TPlayerHost() = default;
    virtual void GetClientSize(int& AWidth, int& AHeight) = 0;
    virtual void SurfaceChanged() = 0;
    // The file was closed: the host repaints empty.
    virtual void SurfaceCleared() {}
};

using THookEvent = std::function<void(TObject* Sender, TBitmap* ABitmap, int64_t APTS)>;
using TFileOpenEvent = std::function<void(TObject* Sender, int64_t ADuration, int AFrameWidth, int AFrameHeight,
                                          int& AScreenWidth, int& AScreenHeight)>;
using TPositionEvent = std::function<void(TObject* Sender, int64_t APTS)>;
using TPlayStateEvent = std::function<void(TObject* Sender, TPlayState AState)>;

// Plays one media file at a time: a reader thread fills packet queues, decoder
// threads turn them into pictures, subtitles and sound, the play thread shows
// each picture when the master clock reaches it, and the event thread hands
// positions and states to the host. Times are microseconds.
class TCustomPlayer : public TFFBaseComponent {
public:
    explicit TCustomPlayer(TComponent* AOwner);
    ~TCustomPlayer() override;

    bool LoadAVLib(const std::string& APath);
    bool AVLibLoaded() const;
    void UnloadAVLib();

    // Shows the file in the host window (subclassed while the file plays),
    // or in a window of the player's own when AScreenHandle is null. Called
    // on the main thread, like Stop(true), since both touch windows.
    bool Open(const std::string& AFileName, HWND AScreenHandle = nullptr, bool APaused = false);
    // Shows the file through any host; a null host shows nothing.
    bool Open(const std::string& AFileName, TPlayerHost* AHost, bool APaused);
    void Stop(bool AWaitForStop);
    void Pause();
    void Resume();
    void TogglePause();
    void StepToNextFrame();
    // Waveform, spectrum, none, in turn, for the open file.
    void ToggleAudioDisplay();
    // To a time from the start (or a byte position with sfByte).
    void Seek(int64_t APTS, TSeekFlags ASeekFlags = {}, bool AWaitForSeekEnd = false);
    // By seconds from the current position (bytes estimated from the bit rate with sfByte).
    void SeekBy(double ADelta, TSeekFlags ASeekFlags = {}, bool AWaitForSeekEnd = false);

    // The picture on show as a 24-bit bitmap that stays the player's; 0 × 0
    // and APTS -1 without a picture.
    TBitmap* CurrentFrame();
    TBitmap* CurrentFrame(int64_t& APTS);

    // Nothing to do: the host window paints the surface itself wherever it
    // lies, so a moved form needs no word to the player.
    void UpdateScreenPosition() {}

    // The surface the host paints; hold the lock while reading it.
    std::mutex& SurfaceLock() { return FSurfaceLock; }
    const TBitmap& Surface() const { return FSurface; }

    static std::string Version() { return "2.3"; }
    const std::string& FileName() const { return FFileName; }
    // The window the open file shows in (the host's or the player's own); null otherwise.
    HWND ScreenHandle() const { return FScreenHandle; }
    const std::string& LastErrMsg() const { return FLastErrMsg; }
    TAVProbe* AVProbe() const { return FAVProbe.get(); }
    int64_t CurrentPTS() const { return FCurrentPTS; }
    TPlayState PlayState() const { return FState; }
    bool Seeking() const { return FSeeking; }
    bool Paused() const;
    // Whether the display has come to rest: paused, no picture waits to be
    // shown, the video thread waits out the pause and the play thread is
    // between two refreshes. Until the pause ends the surface stays as it is.
    bool DisplayAtRest();
    // How many refreshes the play thread has finished: a caller that waits
    // for two more knows one began after it asked.
    uint64_t RefreshPasses() const { return FRefreshPasses; }
    bool FileOpened() const;
    int64_t Duration() const;

    TAudioVolume AudioVolume() const { return FAudioVolume; }
    void SetAudioVolume(int AValue) { FAudioVolume = TAudioVolume(AValue < 0 ? 0 : AValue > 128 ? 128 : AValue); }
    bool Mute() const { return FMute; }
    void SetMute(bool AValue) { FMute = AValue; }
    float AspectRatio() const { return FAspectRatio; }
    void SetAspectRatio(float AValue);
    TShowAudio ShowAudio() const { return FShowAudio; }
    void SetShowAudio(TShowAudio AValue);
    bool DisableAudio() const { return Faudio_disable; }
    void SetDisableAudio(bool AValue) { Faudio_disable = AValue; }
    bool DisableVideo() const { return Fvideo_disable; }
    void SetDisableVideo(bool AValue) { Fvideo_disable = AValue; }
    // For benchmarks only: no audio device, and every picture is shown as
    // soon as it is decoded instead of at its time, so that playing measures
    // the reader, queues, decoder thread, conversion and display path at
    // full speed. Taken at the next open.
    bool Unpaced() const { return FUnpaced; }
    void SetUnpaced(bool AValue) { FUnpaced = AValue; }
    bool DisableDisplay() const { return Fdisplay_disable; }
    void SetDisableDisplay(bool AValue) { Fdisplay_disable = AValue; }
    bool Hook() const { return FHook; }
    void SetHook(bool AValue) { FHook = AValue; }
    bool TriggerEventInMainThread() const { return FTriggerEventInMainThread; }
    void SetTriggerEventInMainThread(bool AValue) { FTriggerEventInMainThread = AValue; }
    int ScreenWidth() const { return Fscreen_width; }
    int ScreenHeight() const { return Fscreen_height; }
    void SetScreenWidth(int AValue) { Fscreen_width = AValue; }
    void SetScreenHeight(int AValue) { Fscreen_height = AValue; }
    TAudioDriver AudioDriver() const { return FAudioDriver; }
    void SetAudioDriver(TAudioDriver AValue) { FAudioDriver = AValue; }
    TVideoDriver VideoDriver() const { return FVideoDriver; }
    void SetVideoDriver(TVideoDriver AValue) { FVideoDriver = AValue; }
    std::string Format() const;
    void SetFormat(const std::string& AValue);

    int AudioStreamIndex() const;
    int VideoStreamIndex() const;
    int SubtitleStreamIndex() const;
    void SetAudioStreamIndex(int AValue);
    void SetVideoStreamIndex(int AValue);
    void SetSubtitleStreamIndex(int AValue);

    // Per-file settings: the close of a file resets them.
    int64_t PlayTime() const { return FPlayTime; }
    void SetPlayTime(int64_t AValue) { FPlayTime = AValue; }
    TRepeatType RepeatType() const { return FRepeatType; }
    void SetRepeatType(TRepeatType AValue) { FRepeatType = AValue; }
    // The filter chain the pictures pass through, e.g. "hflip" or
    // "scale=320:240"; empty for none. Taken at the next open.
    const std::string& VideoFilters() const { return Fvfilters; }
    void SetVideoFilters(const std::string& AValue) { Fvfilters = AValue; }
    bool VerticalFlip() const { return FVerticalFlip; }
    void SetVerticalFlip(bool AValue) { FVerticalFlip = AValue; }
    int64_t start_time() const { return Fstart_time; }
    void set_start_time(int64_t AValue) { Fstart_time = AValue; }
    int wanted_video_stream() const { return Fwanted_stream[AVMEDIA_TYPE_VIDEO + 1]; }
    int wanted_audio_stream() const { return Fwanted_stream[AVMEDIA_TYPE_AUDIO + 1]; }
    int wanted_subtitle_stream() const { return Fwanted_stream[AVMEDIA_TYPE_SUBTITLE + 1]; }
    void set_wanted_video_stream(int AValue) { Fwanted_stream[AVMEDIA_TYPE_VIDEO + 1] = AValue; }
    void set_wanted_audio_stream(int AValue) { Fwanted_stream[AVMEDIA_TYPE_AUDIO + 1] = AValue; }
    void set_wanted_subtitle_stream(int AValue) { Fwanted_stream[AVMEDIA_TYPE_SUBTITLE + 1] = AValue; }

    // Decoder and timing options, kept for the next open.
    Tav_sync_type av_sync_type() const { return Fav_sync_type; }
    void set_av_sync_type(Tav_sync_type AValue) { Fav_sync_type = AValue; }
    int framedrop() const { return Fframedrop; }
    void set_framedrop(int AValue) { Fframedrop = AValue; }
    int decoder_reorder_pts() const { return Fdecoder_reorder_pts; }
    void set_decoder_reorder_pts(int AValue) { Fdecoder_reorder_pts = AValue; }
    int rdftspeed() const { return Frdftspeed; }
    void set_rdftspeed(int AValue) { Frdftspeed = AValue; }

    // Settings copied into every decoder the next open makes. The skip levels
    // are AVDiscard values; error_recognition is a level (0 none, 1 careful,
    // 2 compliant, 3 aggressive, 4 very aggressive: stop at the first fault);
    // lowres is clamped to what the decoder supports; genpts asks the reader
    // to make up missing packet times. debug_mv is kept for callers only:
    // decoders no longer draw motion vectors themselves.
    int workaround_bugs() const { return Fworkaround_bugs; }
    void set_workaround_bugs(int AValue) { Fworkaround_bugs = AValue; }
    int debug_mv() const { return Fdebug_mv; }
    void set_debug_mv(int AValue) { Fdebug_mv = AValue; }
    bool fast() const { return Ffast; }
    void set_fast(bool AValue) { Ffast = AValue; }
    bool genpts() const { return Fgenpts; }
    void set_genpts(bool AValue) { Fgenpts = AValue; }
    int lowres() const { return Flowres; }
    void set_lowres(int AValue) { Flowres = AValue; }
    int idct_algo() const { return Fidct_algo; }
    void set_idct_algo(int AValue) { Fidct_algo = AValue; }
    AVDiscard skip_frame() const { return Fskip_frame; }
    void set_skip_frame(AVDiscard AValue) { Fskip_frame = AValue; }
    AVDiscard skip_idct() const { return Fskip_idct; }
    void set_skip_idct(AVDiscard AValue) { Fskip_idct = AValue; }
    AVDiscard skip_loop_filter() const { return Fskip_loop_filter; }
    void set_skip_loop_filter(AVDiscard AValue) { Fskip_loop_filter = AValue; }
    int error_recognition() const { return Ferror_recognition; }
    void set_error_recognition(int AValue) { Ferror_recognition = AValue; }
    int error_concealment() const { return Ferror_concealment; }
    void set_error_concealment(int AValue) { Ferror_concealment = AValue; }

    // Full screen: the output takes the desktop's size (taken at each open);
    // the player's own window then covers its monitor without a frame. A
    // change while a file plays applies at once.
    bool FullScreen() const { return Fis_full_screen; }
    bool is_full_screen() const { return Fis_full_screen; }
    void set_is_full_screen(bool AValue);
    int FullScreenWidth() const { return Ffs_screen_width; }
    int FullScreenHeight() const { return Ffs_screen_height; }

    THookEvent OnHook;
    TFileOpenEvent OnFileOpen;
    TPositionEvent OnPosition;
    TPlayStateEvent OnState;

private:
    friend struct TPlayerThreads;
    friend class TPlayerWindow;
    struct TPlayCommand;

    bool OpenFile(const std::string& AFileName, TPlayerHost* AHost, bool AWindow, HWND AScreenHandle, bool APaused);
    void ScreenResized(int AWidth, int AHeight);  // the window's client area changed size
    // The size of the output: in full screen the desktop's, else the wanted
    // size; failing these the picture's (even), else 640 × 480.
    void OutputSize(bool AFullScreen, int APictureWidth, int APictureHeight, int& AWidth, int& AHeight) const;
    void InitOptions();
    void ResetState();
    void ReportError(const std::string& AMsg, bool AStore);
    bool OpenedFile() const;  // a file is open and its play thread has not closed it
    bool AudioWanted() const { return !Faudio_disable && !FUnpaced; }

    // Component shell.
    void PlayThreadExecute();
    void EventThreadExecute();
    void WaitForStop();
    void CloseVideoState();
    void PushPlayCommand(int ACommand);
    void WakePlayThread();  // a picture waits to be shown, or the pause ended
    bool PausedWithNothingToShow();
    void StreamPause();
    void StreamSeek(int64_t APos, int64_t ARel, TSeekFlags AFlags, bool AWait);
    void WaitInMainThread(TEvent& AEvent);
    bool StreamCycleChannel(int AType, int AIndex);

    // Reader and queues.
    bool StreamOpen(const std::string& AFileName, bool APaused);
    void StreamClose(TVideoState* is);
    void DecodeThread(TVideoState* is);
    int ReadLoop(TVideoState* is);
    void DoSeekRequest(TVideoState* is);
    int StreamComponentOpen(TVideoState* is, int AIndex);
    void StreamComponentClose(TVideoState* is, int AIndex);
    AVCodecContext* OpenDecoder(AVStream* AStream);
    void ApplyDecoderSettings(AVCodecContext* AContext, const AVCodec* ACodec);

    // Video.
    void VideoThread(TVideoState* is);
    int HandleVideoFrame(TVideoState* is, AVFrame* AFrame);
    int OutputPicture(TVideoState* is, AVFrame* AFrame, int64_t AStamp, AVRational ATimeBase);
    bool CheckVideoFilters(TVideoState* is, const AVCodecContext* ADecoder, const AVStream* AStream);
    int QueuePicture(TVideoState* is, AVFrame* AFrame, double APts, int64_t APos);
    bool CopyFrameToSlot(TVideoState* is, AVFrame* AFrame, TPictureSlot& ASlot);
    void RunHook(TPictureSlot& ASlot, double APts, int64_t AStartTime);
    double ComputeTargetTime(TVideoState* is, double APts);

    // Audio.
    static void AudioCallback(void* AUserData, Uint8* AStream, int ALen);
    int AudioDecodeFrame(TVideoState* is);
    int SynchronizeAudio(TVideoState* is, int ASize);
    bool OpenAudioDevice(TVideoState* is);

    // Display, clocks and subtitles.
    // True when a picture was shown (and, with AAdvance, taken off the queue).
    bool RefreshVideo(TVideoState* is, bool AAdvance);
    void DisplayCurrent(TVideoState* is);
    void DisplayVideoImage(TVideoState* is);
    void DisplayAudio(TVideoState* is);
    int AudioDisplayStart(TVideoState* is, int AWidth, int ANbFreq);
    void DrawWaveform(TVideoState* is, int AStart);
    void DrawSpectrum(TVideoState* is, int AStart, int ABits);
    void ExpireSubtitles(TVideoState* is);
    void SubtitleThread(TVideoState* is);
    void ClearSurface();
    double GetAudioClock(TVideoState* is) const;
    double GetVideoClock(TVideoState* is) const;
    double GetExternalClock() const;
    double GetMasterClock(TVideoState* is) const;

    // Events.
    void SetPlayState(TPlayState AState);
    void CheckPosition(TVideoState* is);
    void DoFileOpen();

    std::unique_ptr<TAVProbe> FAVProbe;
    // The open file; made by StreamOpen, freed by Stop(true) once its threads ended.
    std::unique_ptr<TVideoState> FVideoState;
    TPlayerHost* FHost = nullptr;
    std::unique_ptr<TPlayerWindow> FWindow;  // the window binding of the open file
    HWND FScreenHandle = nullptr;
    std::string FFileName;
    std::string FLastErrMsg;
    const AVInputFormat* Ffile_iformat = nullptr;

    // Options.
    int Fsws_flags = SWS_BICUBIC;
    std::string Fvfilters;
    std::atomic<int> Fscreen_width{0}, Fscreen_height{0};
    bool Faudio_disable = false, Fvideo_disable = false, Fdisplay_disable = false;
    std::atomic<bool> FUnpaced{false};
    int Fwanted_stream[7] = {-1, -1, -1, -1, -1, -1, -1};  // by media type -1..5
    int Fseek_by_bytes = -1;
    Tav_sync_type Fav_sync_type = AV_SYNC_AUDIO_MASTER;
    int64_t Fstart_time = AV_NOPTS_VALUE;
    std::atomic<bool> Fstep{false};
    int Fdecoder_reorder_pts = -1;
    int Fworkaround_bugs = 1, Fdebug_mv = 0, Flowres = 0, Fidct_algo = 0;
    bool Ffast = false, Fgenpts = false;
    AVDiscard Fskip_frame = AVDISCARD_DEFAULT, Fskip_idct = AVDISCARD_DEFAULT, Fskip_loop_filter = AVDISCARD_DEFAULT;
    int Ferror_recognition = 1, Ferror_concealment = 3;
    std::atomic<bool> Fis_full_screen{false};
    std::atomic<int> Ffs_screen_width{0}, Ffs_screen_height{0};
    int Fframedrop = 1;
    int Frdftspeed = 20;
    std::atomic<float> FAspectRatio{0};
    std::atomic<TAudioVolume> FAudioVolume{MaxAudioVolume};
    TShowAudio FShowAudio = saWave;
    std::atomic<bool> FMute{false};
    std::atomic<int64_t> FPlayTime{AV_NOPTS_VALUE};
    std::atomic<TRepeatType> FRepeatType{rtStop};
    std::atomic<bool> FVerticalFlip{false};
    TAudioDriver FAudioDriver = adDefault;
    TVideoDriver FVideoDriver = vdDefault;
    std::atomic<bool> FHook{false};
    bool FTriggerEventInMainThread = true;

    // State.
    std::atomic<int64_t> FLastPTS{AV_NOPTS_VALUE};
    std::atomic<int64_t> FCurrentPTS{-1};
    std::atomic<TPlayState> FState{psStop};
    std::atomic<bool> FSeeking{false};
    std::atomic<int64_t> Faudio_callback_time{0};
    bool FAudioStarted = false;  // SDL's audio subsystem is ours until the close
    std::mutex FPositionLock;    // CheckPosition runs on the play and the video thread

    // Threads and their signals.
    TMutex FDataLock;
    TEvent FSeekEvent{true, true}, FPictEvent{true, true}, FStopEvent{true, true}, FEventEnded{true, true};
    std::thread FPlayThread, FEventThread;
    std::mutex FCommandLock;
    std::condition_variable FCommandCond;
    int FCommand = 0;  // the pending play-thread command (quit outranks re-open)
    std::atomic<bool> FRefreshing{false};      // the play thread is within a refresh
    std::atomic<uint64_t> FRefreshPasses{0};   // refreshes the play thread finished
    TPlayEventRing FPlayEvent;
    int64_t FEventPTS = 0;
    TPlayState FEventState = psStop;

    // Display.
    std::mutex FSurfaceLock;
    TBitmap FSurface;
    TPictureSlot FShown;        // the picture on show (guarded by FSurfaceLock)
    bool FHasShown = false;
    SwsContext* FDisplaySws = nullptr;  // play thread only
    TPictureBuffer FDisplayRows;        // the scaler's output before it goes into the surface
    TRGBConvertContext FRGBContext;     // CurrentFrame
    TRGBConvertContext FHookContext;    // the video thread's hook
};

// The component placed on forms.
class TFFPlayer : public TCustomPlayer {
public:
    using TCustomPlayer::TCustomPlayer;
};
