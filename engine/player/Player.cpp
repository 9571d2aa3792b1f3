#include "engine/player/Player.h"

#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/player/PlayerWindow.h"
#include "engine/player/VideoState.h"
#include "platform/core/SysUtils.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WinConsts.h"
#include "platform/ui/Window.h"
#include "engine/util/MainThread.h"
#include "platform/core/Exception.h"
#include "platform/core/Thread.h"

namespace {

enum { cmdNone, cmdRefresh, cmdReopen, cmdQuit };  // a later one outranks an earlier
constexpr int RefreshPeriodMS = 5;
// A paused file's picture stays as it is until a picture is queued (the
// video thread wakes the play thread then), the pause ends or a command
// comes: meanwhile the play thread only looks at the end of the file.
constexpr int PausedRefreshPeriodMS = 100;

} // namespace

TCustomPlayer::TCustomPlayer(TComponent* AOwner)
    : TFFBaseComponent(AOwner), FAVProbe(std::make_unique<TAVProbe>(nullptr)) {
    InitOptions();
}

TCustomPlayer::~TCustomPlayer() {
    // The threads read the handlers until they have ended, so they are let go after the stop.
    Stop(true);
    OnPosition = nullptr;
    OnState = nullptr;
    OnHook = nullptr;
    FAVProbe.reset();
    if (AVLib.sws_freeContext) {
        FreeRGBConvertContext(FRGBContext);
        FreeRGBConvertContext(FHookContext);
        AVLib.sws_freeContext(FDisplaySws);
    }
}

void TCustomPlayer::InitOptions() {
    Fvfilters.clear();
    Fsws_flags = SWS_BICUBIC;
    Ffile_iformat = nullptr;
    FFileName.clear();
    Fav_sync_type = AV_SYNC_AUDIO_MASTER;
    Ffs_screen_width = 0;
    Ffs_screen_height = 0;
    Fdebug_mv = 0;
    Fworkaround_bugs = 1;
    Ffast = false;
    Fgenpts = false;
    Flowres = 0;
    Fidct_algo = 0;
    Fskip_frame = Fskip_idct = Fskip_loop_filter = AVDISCARD_DEFAULT;
    Ferror_recognition = 1;
    Ferror_concealment = 3;
    Fdecoder_reorder_pts = -1;
    Fframedrop = 1;
    Frdftspeed = 20;
    ResetState();
}

void TCustomPlayer::ResetState() {
    FLastPTS = AV_NOPTS_VALUE;
    FCurrentPTS = -1;
    Fstep = false;
    for (int& wanted : Fwanted_stream)
        wanted = -1;
    Fseek_by_bytes = -1;
    Fstart_time = AV_NOPTS_VALUE;
    FPlayTime = AV_NOPTS_VALUE;
    FRepeatType = rtStop;
    FVerticalFlip = false;
    FSeekEvent.SetEvent();
    FSeeking = false;
}

bool TCustomPlayer::AVLibLoaded() const { return GlobalLoader().Loaded(PlayerLibraries); }

bool TCustomPlayer::LoadAVLib(const std::string& APath) {
    GlobalLoader().SetLibraryPath(APath);
    if (GlobalLoader().Load(PlayerLibraries))
        return true;
    FLastErrMsg = GlobalLoader().LastErrMsg();
    return false;
}

void TCustomPlayer::UnloadAVLib() { GlobalLoader().Unload(PlayerLibraries); }

void TCustomPlayer::ReportError(const std::string& AMsg, bool AStore) {
    GetFFLogger()->Log(this, llError, AMsg);
    if (AStore)
        FLastErrMsg = AMsg;
}

bool TCustomPlayer::OpenedFile() const { return FVideoState && !FVideoState->Closed; }
bool TCustomPlayer::FileOpened() const { return OpenedFile(); }
bool TCustomPlayer::Paused() const { return !OpenedFile() || FVideoState->paused != 0; }

bool TCustomPlayer::DisplayAtRest() {
    if (!OpenedFile())
        return false;
    TVideoState* is = FVideoState.get();
    // A step ends paused with its picture queued: paused covers it too.
    if (!is->paused)
        return false;
    if (is->video_stream >= 0) {
        if (!is->video_held)
            return false;
        std::lock_guard<std::mutex> lock(is->pictq_mutex);
        if (is->pictq_size > 0)
            return false;
    }
    // Asked last: a refresh that began before the pause has ended by now.
    return !FRefreshing;
}

int64_t TCustomPlayer::Duration() const { return FVideoState ? FVideoState->Duration : -1; }

bool TCustomPlayer::Open(const std::string& AFileName, HWND AScreenHandle, bool APaused) {
    return OpenFile(AFileName, nullptr, true, AScreenHandle, APaused);
}

bool TCustomPlayer::Open(const std::string& AFileName, TPlayerHost* AHost, bool APaused) {
    return OpenFile(AFileName, AHost, false, nullptr, APaused);
}

bool TCustomPlayer::OpenFile(const std::string& AFileName, TPlayerHost* AHost, bool AWindow, HWND AScreenHandle,
                             bool APaused) {
    if (!AVLibLoaded()) {
        ReportError("libav or libsdl not loaded.", true);
        return false;
    }
    Stop(true);
    if (AWindow && AScreenHandle && !IsWindow(AScreenHandle)) {
        ReportError(::Format("Could not initialize SDL with ScreenHandle(%u): %s", unsigned(uintptr_t(AScreenHandle)),
                           "no such window"),
                    true);
        return false;
    }
    // SDL is shared with the user interface: only the audio subsystem is ours,
    // and the driver choice stays with the environment.
    if (AudioWanted() && !FAudioStarted) {
        if (AVLib.SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
            FAudioStarted = true;
        else
            GetFFLogger()->Log(this, llWarning, std::string("SDL audio: ") + AVLib.SDL_GetError());
    }
    // The full-screen size is the desktop's at open.
    Ffs_screen_width = GetSystemMetrics(SM_CXSCREEN);
    Ffs_screen_height = GetSystemMetrics(SM_CYSCREEN);
    // The last file's conversions go before the new file's video thread may
    // run the hook with them.
    if (FRGBContext.Bitmap || FRGBContext.RGBBuf)
        FreeRGBConvertContext(FRGBContext);
    if (FHookContext.Bitmap || FHookContext.RGBBuf)
        FreeRGBConvertContext(FHookContext);
    FHost = AHost;
    FPlayEvent.Clear();
    if (!StreamOpen(AFileName, APaused)) {
        FHost = nullptr;
        if (FAudioStarted) {
            AVLib.SDL_QuitSubSystem(SDL_INIT_AUDIO);
            FAudioStarted = false;
        }
        return false;
    }
    FFileName = AFileName;
    FAVProbe->SetFileHandle(FVideoState->ic);
    if (AWindow) {
        // The own window takes the output size out of full screen.
        const AVCodecContext* decoder = FVideoState->video_dec;
        int w = 0, h = 0;
        OutputSize(false, decoder ? decoder->width : 0, decoder ? decoder->height : 0, w, h);
        FWindow = std::make_unique<TPlayerWindow>(*this, AScreenHandle, w, h);
        if (Fis_full_screen)
            FWindow->SetFullScreen(true);
        FHost = FWindow.get();
        FScreenHandle = FWindow->Handle();
    }
    DoFileOpen();
    FEventEnded.ResetEvent();
    FStopEvent.ResetEvent();
    FEventThread = std::thread([this] { EventThreadExecute(); });
    FPlayThread = std::thread([this] { PlayThreadExecute(); });
    return true;
}

void TCustomPlayer::OutputSize(bool AFullScreen, int APictureWidth, int APictureHeight, int& AWidth,
                               int& AHeight) const {
    if (AFullScreen && Ffs_screen_width > 0 && Ffs_screen_height > 0) {
        AWidth = Ffs_screen_width;
        AHeight = Ffs_screen_height;
    } else if (!AFullScreen && Fscreen_width > 0 && Fscreen_height > 0) {
        AWidth = Fscreen_width;
        AHeight = Fscreen_height;
    } else if (APictureWidth > 1 && APictureHeight > 1) {
        AWidth = APictureWidth & ~1;
        AHeight = APictureHeight & ~1;
    } else {
        AWidth = 640;
        AHeight = 480;
    }
}

void TCustomPlayer::set_is_full_screen(bool AValue) {
    if (Fis_full_screen.exchange(AValue) == AValue || !OpenedFile())
        return;
    if (FWindow && FWindow->OwnWindow())
        FWindow->SetFullScreen(AValue);
    PushPlayCommand(cmdReopen);
}

void TCustomPlayer::ScreenResized(int AWidth, int AHeight) {
    if (AWidth == Fscreen_width && AHeight == Fscreen_height)
        return;
    Fscreen_width = AWidth;
    Fscreen_height = AHeight;
    if (OpenedFile())
        PushPlayCommand(cmdReopen);
}

void TCustomPlayer::WakePlayThread() { PushPlayCommand(cmdRefresh); }

// Called by the play thread, the only one that frees the open file's state.
bool TCustomPlayer::PausedWithNothingToShow() {
    TVideoState* is = FVideoState.get();
    if (!is || !is->paused || is->video_stream < 0 || FUnpaced)
        return false;
    std::lock_guard<std::mutex> lock(is->pictq_mutex);
    return is->pictq_size == 0;
}

void TCustomPlayer::PushPlayCommand(int ACommand) {
    {
        std::lock_guard<std::mutex> lock(FCommandLock);
        FCommand = std::max(FCommand, ACommand);
    }
    FCommandCond.notify_one();
}

void TCustomPlayer::Stop(bool AWaitForStop) {
    if (OpenedFile()) {
        if (FVideoState->paused)
            StreamPause();
        Fstep = false;
        PushPlayCommand(cmdQuit);
    }
    if (!AWaitForStop)
        return;
    WaitForStop();
    if (FVideoState) {
        FVideoState.reset();
        ResetState();
    }
    FHost = nullptr;
    FWindow.reset();  // the host gets its own procedure back
    FScreenHandle = nullptr;
    if (FAudioStarted && AVLib.SDL_QuitSubSystem) {
        AVLib.SDL_QuitSubSystem(SDL_INIT_AUDIO);
        FAudioStarted = false;
    }
}

// Waits in steps that keep serving the main thread's queued calls and
// messages, so event deliveries the player's threads wait on can complete.
void TCustomPlayer::WaitInMainThread(TEvent& AEvent) {
    while (AEvent.WaitFor(IsMainThread() ? 10 : 100) != wrSignaled)
        if (IsMainThread())
            ProcessMessages();
}

void TCustomPlayer::WaitForStop() {
    if (FPlayThread.joinable()) {
        WaitInMainThread(FStopEvent);
        FPlayThread.join();
    }
    if (FEventThread.joinable()) {
        WaitInMainThread(FEventEnded);
        FEventThread.join();
    }
    {
        std::lock_guard<std::mutex> lock(FCommandLock);
        FCommand = cmdNone;
    }
}

void TCustomPlayer::CloseVideoState() {
    if (FVideoState && !FVideoState->Closed) {
        FAVProbe->SetFileHandle(nullptr);
        StreamClose(FVideoState.get());
        FVideoState->Closed = true;
        ClearSurface();
    }
}

void TCustomPlayer::PlayThreadExecute() {
    SetPlayState(psPlay);
    FVideoState->PlayStarted = true;
    bool locked = false;
    try {
        for (;;) {
            int command;
            {
                // Decided before the command lock (the video thread wakes us
                // under the picture queue's lock); a wake in between leaves
                // its command set, so the wait below does not miss it.
                const int period = PausedWithNothingToShow() ? PausedRefreshPeriodMS : RefreshPeriodMS;
                std::unique_lock<std::mutex> lock(FCommandLock);
                FCommandCond.wait_for(lock, std::chrono::milliseconds(period), [this] { return FCommand != cmdNone; });
                command = FCommand;
                FCommand = cmdNone;
            }
            FDataLock.Acquire();
            locked = true;
            FRefreshing = true;
            if (!OpenedFile())
                break;
            if (command == cmdQuit) {
                CloseVideoState();
                break;
            }
            if (command == cmdReopen) {
                DisplayCurrent(FVideoState.get());
            } else if (FUnpaced) {
                // Every picture that waits, at once.
                while (OpenedFile() && RefreshVideo(FVideoState.get(), true)) {
                }
            } else {
                RefreshVideo(FVideoState.get(), true);
            }
            FRefreshing = false;
            ++FRefreshPasses;
            FDataLock.Release();
            locked = false;
        }
    } catch (const std::exception& e) {
        GetFFLogger()->Log(this, llFatal, std::string("PlayThread Exception: ") + e.what());
        if (!locked)
            FDataLock.Acquire();
        locked = true;
        CloseVideoState();
    }
    FRefreshing = false;
    if (locked)
        FDataLock.Release();
    SetPlayState(psStop);
    FStopEvent.SetEvent();
}

void TCustomPlayer::StreamPause() {
    if (FSeekEvent.WaitFor(250) != wrSignaled)
        FSeekEvent.SetEvent();  // a pending seek is given up waiting for
    TVideoState* is = FVideoState.get();
    if (!OpenedFile())
        return;
    if (is->paused) {
        // The pictures' times move on by the time spent paused, measured from
        // the picture on show; before the first one there is nothing to move.
        if (is->video_current_set) {
            const double now = WallClock();
            is->frame_timer = is->frame_timer + now + is->video_current_pts_drift - is->video_current_pts;
            is->video_current_pts = now + is->video_current_pts_drift;
            is->video_current_pts_drift = is->video_current_pts - now;
        }
        is->paused = 0;
        is->PauseChanged.Notify();
        WakePlayThread();
    } else {
        if (is->video_stream >= 0 && FPictEvent.WaitFor(250) != wrSignaled)
            FPictEvent.SetEvent();
        if (!OpenedFile())
            return;
        is->paused = 1;
    }
}

void TCustomPlayer::Pause() {
    if (OpenedFile() && !FVideoState->paused) {
        StreamPause();
        Fstep = false;
        SetPlayState(psPause);
    }
}

void TCustomPlayer::Resume() {
    if (OpenedFile() && FVideoState->paused) {
        StreamPause();
        Fstep = false;
        SetPlayState(psResume);
    }
}

void TCustomPlayer::TogglePause() {
    if (!OpenedFile())
        return;
    StreamPause();
    Fstep = false;
    SetPlayState(FVideoState->paused ? psPause : psResume);
}

void TCustomPlayer::StepToNextFrame() {
    if (!OpenedFile())
        return;
    // The step is marked before the pause ends: the video thread, woken by
    // the resume, must pause again after the very next picture.
    const bool stepping = Fstep.exchange(true);
    if (FVideoState->paused)
        StreamPause();
    if (!stepping)
        SetPlayState(psStep);
}

void TCustomPlayer::StreamSeek(int64_t APos, int64_t ARel, TSeekFlags AFlags, bool AWait) {
    TVideoState* is = FVideoState.get();
    if (is->seek_req)
        return;
    FSeeking = true;
    is->seek_paused = is->paused.load();
    is->seek_pos = APos;
    is->seek_rel = ARel;
    is->seek_flags = SeekFlagsToAVFlags(AFlags);
    FSeekEvent.ResetEvent();
    is->seek_req = 1;
    is->PauseChanged.Notify();
    if (AWait) {
        WaitInMainThread(FSeekEvent);
        if (is->video_stream >= 0)
            WaitInMainThread(FPictEvent);
    }
}

void TCustomPlayer::Seek(int64_t APTS, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    if (!OpenedFile())
        return;
    TVideoState* is = FVideoState.get();
    if (ASeekFlags.Contains(sfByte)) {
        StreamSeek(APTS, 0, ASeekFlags, AWaitForSeekEnd);
        return;
    }
    // An unknown duration does not limit the target.
    int64_t pos = is->Duration > 0 ? std::min(APTS, is->Duration) : APTS;
    if (is->ic->start_time != AV_NOPTS_VALUE)
        pos += is->ic->start_time;
    StreamSeek(pos, APTS <= 0 ? 1 : 0, ASeekFlags, AWaitForSeekEnd);
}

void TCustomPlayer::SeekBy(double ADelta, TSeekFlags ASeekFlags, bool AWaitForSeekEnd) {
    if (!OpenedFile())
        return;
    TVideoState* is = FVideoState.get();
    if (ASeekFlags.Contains(sfByte)) {
        const double bytes = is->ic->bit_rate > 0 ? ADelta * double(is->ic->bit_rate) / 8.0 : ADelta * 180000.0;
        const double pos = double(is->video_current_pos >= 0 ? is->video_current_pos.load() : (is->ic->pb ? AVLib.avio_seek(is->ic->pb, 0, SEEK_CUR) : 0)) + bytes;
        StreamSeek(std::llround(pos), std::llround(bytes), ASeekFlags, AWaitForSeekEnd);
        return;
    }
    StreamSeek(std::llround((GetMasterClock(is) + ADelta) * 1000000.0), std::llround(ADelta * 1000000.0), ASeekFlags,
               AWaitForSeekEnd);
}

void TCustomPlayer::SetAspectRatio(float AValue) {
    if (FAspectRatio == AValue)
        return;
    FAspectRatio = AValue;
    if (OpenedFile())
        PushPlayCommand(cmdReopen);
}


std::string TCustomPlayer::Format() const { return Ffile_iformat ? Ffile_iformat->name : ""; }

void TCustomPlayer::SetFormat(const std::string& AValue) {
    if (!AVLibLoaded()) {
        ReportError("libav or libsdl not loaded.", true);
        return;
    }
    if (AValue.empty()) {
        Ffile_iformat = nullptr;
        return;
    }
    const AVInputFormat* format = AVLib.av_find_input_format(AValue.c_str());
    if (!format)
        throw Exception("Unknown input format: " + AValue);
    Ffile_iformat = format;
}

int TCustomPlayer::AudioStreamIndex() const { return OpenedFile() ? FVideoState->audio_stream.load() : -1; }
int TCustomPlayer::VideoStreamIndex() const { return OpenedFile() ? FVideoState->video_stream.load() : -1; }
int TCustomPlayer::SubtitleStreamIndex() const { return OpenedFile() ? FVideoState->subtitle_stream.load() : -1; }

void TCustomPlayer::SetAudioStreamIndex(int AValue) {
    if (OpenedFile() && AValue != FVideoState->audio_stream)
        StreamCycleChannel(AVMEDIA_TYPE_AUDIO, AValue);
}

void TCustomPlayer::SetVideoStreamIndex(int AValue) {
    if (OpenedFile() && AValue != FVideoState->video_stream)
        StreamCycleChannel(AVMEDIA_TYPE_VIDEO, AValue);
}

void TCustomPlayer::SetSubtitleStreamIndex(int AValue) {
    if (OpenedFile() && AValue != FVideoState->subtitle_stream)
        StreamCycleChannel(AVMEDIA_TYPE_SUBTITLE, AValue);
}

TBitmap* TCustomPlayer::CurrentFrame() {
    int64_t pts;
    return CurrentFrame(pts);
}

TBitmap* TCustomPlayer::CurrentFrame(int64_t& APTS) {
    APTS = -1;
    if (!FRGBContext.Bitmap)
        FRGBContext.Bitmap = CreateFrameBitmap(0, 0, FRGBContext.BMPPixFmt);
    std::lock_guard<std::mutex> lock(FSurfaceLock);
    if (!FHasShown || !FVideoState || FVideoState->video_stream < 0) {
        FRGBContext.Bitmap->SetSize(0, 0, false);
        return FRGBContext.Bitmap.get();
    }
    APTS = std::llround(FShown.Pts * 1000000.0) - FVideoState->StartTime;
    TAVPicture picture;
    for (int i = 0; i < 3; ++i) {
        picture.data[i] = FShown.Picture.Plane[i];
        picture.linesize[i] = FShown.Picture.Pitch[i];
    }
    if (!PictureToBitmap(FRGBContext, picture, AV_PIX_FMT_YUV420P, FShown.Width, FShown.Height))
        FRGBContext.Bitmap->SetSize(0, 0, false);
    return FRGBContext.Bitmap.get();
}
