#pragma once
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/player/PacketQueue.h"
#include "engine/player/PictureSlot.h"
#include "engine/player/PlayerTypes.h"
#include "engine/player/SubtitleBlend.h"
#include "engine/player/TextSubtitle.h"
#include "engine/player/VideoFilter.h"
#include "platform/core/Sync.h"

class TCustomPlayer;

// What the threads that wait out a pause wait on: a resume, a step, a seek
// or a close notifies them, so a paused player rests instead of polling.
// A wait is still bounded, so a change that comes without a notice is seen
// within a step.
class TPauseSignal {
public:
    static constexpr int StepMS = 100;
    // Waits at most one step while AKeepWaiting answers true.
    template <class TPredicate>
    void WaitWhile(TPredicate AKeepWaiting) {
        std::unique_lock<std::mutex> lock(FLock);
        FChanged.wait_for(lock, std::chrono::milliseconds(StepMS), [&] { return !AKeepWaiting(); });
    }
    // Called after the state a waiter looks at has changed.
    void Notify() {
        { std::lock_guard<std::mutex> lock(FLock); }
        FChanged.notify_all();
    }

private:
    std::mutex FLock;
    std::condition_variable FChanged;
};

struct TSubtitleSlot {
    double Pts = 0;
    AVSubtitle Sub{};
    TTextSubtitle Text;  // a text subtitle, drawn at the size of the pictures it goes on
};

// One open file: its input, streams, queues, decoders, clocks and the threads
// that work on it. The player owns it (a unique pointer) from a successful
// StreamOpen until Stop(true), which frees it only after every one of its
// threads has ended, so no thread ever sees it go.
//
// The fields are grouped by the thread that owns them: what is fixed at open
// and only read afterwards; the signals every thread reads (atomics); the
// queues, which carry their own locks; then the reader's, the audio
// callback's, the video thread's, the subtitle thread's and the play thread's
// own state. A field another thread also reads is atomic or behind the lock
// named beside it.
struct TVideoState {
    static constexpr int PictureSlots = 2;
    static constexpr int SubtitleSlots = 4;

    // ---- fixed at open, read by every thread ----
    TCustomPlayer* Owner = nullptr;
    std::string filename;
    const AVInputFormat* iformat = nullptr;
    Tav_sync_type av_sync_type = AV_SYNC_AUDIO_MASTER;
    std::string vfilters;     // the filter chain
    int64_t StartTime = 0;    // µs; 0 when unknown
    int64_t Duration = -1;    // µs; -1 when unknown
    int64_t AudioDuration = -1;
    int IsImage2 = 0, IsDevice = 0;
    // The streams chosen (-1 none): changed only by the reader, under the player's data lock.
    std::atomic<int> audio_stream{-1}, video_stream{-1}, subtitle_stream{-1};
    AVStream* audio_st = nullptr;
    AVStream* video_st = nullptr;
    AVStream* subtitle_st = nullptr;

    // ---- signals between the threads ----
    std::atomic<int> abort_request{0};
    std::atomic<int> paused{0};
    std::atomic<int> seek_req{0};
    std::atomic<int> Opened{0};  // 0 opening, 1 open, -1 failed, -2 failed and the reader is done
    TEvent OpenDone{true, false};  // set once Opened left 0
    std::atomic<bool> Closed{false};
    std::atomic<bool> PlayStarted{false};  // the play thread has reported psPlay
    std::atomic<int> ErrorEOF{0}, EventEOF{0}, ReachEOF{0}, Reading{0};
    std::atomic<int> open_paused{0}, seek_paused{0}, seek_done{0}, seek_flushed{0};
    std::atomic<int> show_audio{0};
    std::atomic<bool> video_held{false};  // the video thread waits out the pause
    TPauseSignal PauseChanged;  // notified on resume, seek and close

    // ---- queues between the threads, each with its lock ----
    TPacketQueue audioq, videoq, subtitleq;  // reader -> decoders
    // Decoded pictures: the video thread writes, the play thread shows.
    TPictureSlot pictq[PictureSlots];
    int pictq_size = 0, pictq_rindex = 0, pictq_windex = 0;  // pictq_mutex
    std::mutex pictq_mutex;
    std::condition_variable pictq_cond;
    // Decoded subtitles: the subtitle thread writes, the play thread shows.
    TSubtitleSlot subpq[SubtitleSlots];
    int subpq_size = 0, subpq_rindex = 0, subpq_windex = 0;  // subpq_mutex
    bool subtitle_stream_changed = false;                    // subpq_mutex
    std::mutex subpq_mutex;
    std::condition_variable subpq_cond;
    // The audio display's recent samples (16-bit, the device's channels
    // interleaved): the audio callback writes, the play thread reads.
    static constexpr int SampleArraySize = 131072;
    std::mutex sample_lock;
    std::vector<int16_t> sample_array = std::vector<int16_t>(SampleArraySize);
    int sample_array_index = 0;  // sample_lock

    // ---- the clocks: written by their thread, read by every other ----
    std::atomic<double> audio_clock{0};
    std::atomic<double> video_clock{0};
    std::atomic<double> frame_timer{0};
    std::atomic<double> video_current_pts{0}, video_current_pts_drift{0};
    std::atomic<bool> video_current_set{false};  // a picture has been on show
    std::atomic<int64_t> video_current_pos{-1};
    std::atomic<double> skip_frames{1};

    // ---- the reader thread ----
    std::thread parse_tid;  // the reader itself: started by StreamOpen, joined by StreamClose
    std::thread video_tid, subtitle_tid;  // the decoders: started and joined by the reader
    AVFormatContext* ic = nullptr;
    int last_paused = 0;
    int seek_flags = 0;  // with seek_pos and seek_rel, set by a seek request before seek_req
    int64_t seek_pos = 0, seek_rel = 0;
    bool end_queued = false;  // the end marker went into the video queue since the last seek

    // ---- the audio device's callback thread (it decodes) ----
    AVCodecContext* audio_dec = nullptr;
    SDL_AudioDeviceID audio_dev = 0;
    int audio_freq = 0, audio_channels = 0;  // what the device takes
    int audio_hw_buf_size = 0;
    SwrContext* swr = nullptr;
    AVFrame* audio_frame = nullptr;
    AVPacket* audio_pkt = nullptr;
    bool audio_eof_sent = false;
    double audio_diff_cum = 0, audio_diff_avg_coef = 0, audio_diff_threshold = 0;
    int audio_diff_avg_count = 0;
    std::vector<uint8_t> audio_buf;  // 16-bit samples being played
    std::atomic<int> audio_buf_size{0}, audio_buf_index{0};
    std::atomic<bool> audio_buf_silent{false};  // silence played for want of data: no time of the file

    // ---- the video thread ----
    AVCodecContext* video_dec = nullptr;
    SwsContext* video_sws = nullptr;  // decoder pictures of other formats to YUV 4:2:0
    double frame_last_pts = 0, frame_last_delay = 0;
    double skip_frames_index = 0;
    TPlayerFilterGraph video_filter;
    bool filter_failed = false;

    // ---- the subtitle thread ----
    AVCodecContext* subtitle_dec = nullptr;

    // ---- the play thread ----
    int width = 0, height = 0;  // output area
    int last_i_start = 0;
    RDFTContext* rdft = nullptr;
    int rdft_bits = 0;
    float* rdft_data[2] = {};  // per channel; the transform wants the library's alignment
    int xpos = 0;
    double last_audio_display = 0;

    TVideoState();
    ~TVideoState();
};

// Seconds of the wall clock (steady), and its microseconds.
double WallClock();
int64_t WallClockUS();

// Keeps the newest samples of a frame for the audio display.
void UpdateSampleDisplay(TVideoState* is, const uint8_t* ASamples, int ASize);
