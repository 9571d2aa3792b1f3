#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/player/Player.h"
#include "engine/player/VideoState.h"
#include "engine/util/FileNames.h"
#include "engine/util/MiscUtils.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"
#include "platform/core/Thread.h"

namespace {

constexpr int MaxQueueSize = 15 * 1024 * 1024;
constexpr int MaxAudioQueueSize = 320 * 1024;
constexpr int MinFrames = 5;

void SleepMS(int AMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(AMilliseconds)); }

// While paused nothing drains the queues, so the reader rests until the pause
// ends, a seek comes or the player closes; a file opening paused or a seek
// while paused still has its first pictures decoded, so those look again
// soon, as a playing file does.
void WaitForQueues(TVideoState* is) {
    const auto resting = [is] {
        return is->paused && !is->open_paused && !is->seek_paused && !is->seek_req && !is->abort_request;
    };
    if (resting())
        is->PauseChanged.WaitWhile(resting);
    else
        SleepMS(10);
}

// Lets the library give up a blocking read once the file is being closed.
int DecodeInterruptCallback(void* AOpaque) {
    return static_cast<TVideoState*>(AOpaque)->abort_request ? 1 : 0;
}

// Error recognition was a level; decoders now take flags. Each level adds
// to the one below, careful also checking the checksums the stream carries.
int ErrorRecognitionFlags(int ALevel) {
    int flags = 0;
    if (ALevel >= 1)
        flags |= AV_EF_CRCCHECK | AV_EF_CAREFUL;
    if (ALevel >= 2)
        flags |= AV_EF_COMPLIANT;
    if (ALevel >= 3)
        flags |= AV_EF_AGGRESSIVE;
    if (ALevel >= 4)
        flags |= AV_EF_EXPLODE;
    return flags;
}

std::string NameText(const char* AFormat, const std::string& AName) {
    char text[2048];
    snprintf(text, sizeof text, AFormat, AName.c_str());
    return text;
}

} // namespace

TVideoState::TVideoState() = default;

TVideoState::~TVideoState() {
    for (TSubtitleSlot& slot : subpq)
        if (slot.Sub.num_rects && AVLib.avsubtitle_free)
            AVLib.avsubtitle_free(&slot.Sub);
    if (rdft && AVLib.av_rdft_end)
        AVLib.av_rdft_end(rdft);
    if (AVLib.av_freep)
        for (float*& data : rdft_data)
            AVLib.av_freep(&data);
}

double WallClock() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

int64_t WallClockUS() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void TPictureSlot::Allocate(int AWidth, int AHeight) {
    Width = AWidth;
    Height = AHeight;
    Buffer.Layout(AV_PIX_FMT_YUV420P, AWidth, AHeight);
    for (int i = 0; i < 3; ++i) {
        Picture.Plane[i] = Buffer.Picture().data[i];
        Picture.Pitch[i] = Buffer.Picture().linesize[i];
    }
}

bool TCustomPlayer::StreamOpen(const std::string& AFileName, bool APaused) {
    auto state = std::make_unique<TVideoState>();
    TVideoState* is = state.get();
    is->Owner = this;
    if (APaused) {
        is->paused = 1;
        is->open_paused = 1;
        Fstep = false;
    }
    is->filename = AFileName;
    is->vfilters = Fvfilters;
    is->iformat = Ffile_iformat;
    is->av_sync_type = Fav_sync_type;
    is->parse_tid = std::thread([this, is] { DecodeThread(is); });
    WaitInMainThread(is->OpenDone);
    if (is->Opened == 1) {
        FVideoState = std::move(state);
        if (is->video_stream < 0 && !Fdisplay_disable)
            is->show_audio = int(FShowAudio);
        return true;
    }
    is->parse_tid.join();
    ResetState();
    return false;
}

void TCustomPlayer::StreamClose(TVideoState* is) {
    is->abort_request = 1;
    // Wake every wait of the reader and the decoders; the reader then closes
    // the components, which ends the decoder threads.
    is->videoq.Abort();
    is->audioq.Abort();
    is->subtitleq.Abort();
    is->PauseChanged.Notify();
    {
        std::lock_guard<std::mutex> lock(is->pictq_mutex);
        is->pictq_cond.notify_all();
    }
    if (is->parse_tid.joinable())
        is->parse_tid.join();
}

void TCustomPlayer::ApplyDecoderSettings(AVCodecContext* AContext, const AVCodec* ACodec) {
    AContext->workaround_bugs = Fworkaround_bugs;
    int lowres = std::max(Flowres, 0);
    if (lowres > ACodec->max_lowres) {
        GetFFLogger()->Log(this, llWarning, ::Format("The maximum value for lowres supported by the decoder is %d", ACodec->max_lowres));
        lowres = ACodec->max_lowres;
    }
    AContext->lowres = lowres;
    AContext->idct_algo = Fidct_algo;
    if (Ffast)
        AContext->flags2 |= AV_CODEC_FLAG2_FAST;
    AContext->skip_frame = Fskip_frame;
    AContext->skip_idct = Fskip_idct;
    AContext->skip_loop_filter = Fskip_loop_filter;
    AContext->err_recognition = ErrorRecognitionFlags(Ferror_recognition);
    AContext->error_concealment = Ferror_concealment;
}

AVCodecContext* TCustomPlayer::OpenDecoder(AVStream* AStream) {
    const AVCodec* codec = AVLib.avcodec_find_decoder(AStream->codecpar->codec_id);
    AVCodecContext* context = codec ? AVLib.avcodec_alloc_context3(codec) : nullptr;
    bool opened = false;
    if (context && AVLib.avcodec_parameters_to_context(context, AStream->codecpar) >= 0) {
        context->pkt_timebase = AStream->time_base;
        context->thread_count = 1;
        ApplyDecoderSettings(context, codec);
        TCriticalSectionGuard guard(GlobalCodecLock);
        opened = AVLib.avcodec_open2(context, codec, nullptr) >= 0;
    }
    if (!opened) {
        ReportError("avcodec_open() failed.", false);
        AVLib.avcodec_free_context(&context);
        return nullptr;
    }
    return context;
}

int TCustomPlayer::StreamComponentOpen(TVideoState* is, int AIndex) {
    if (AIndex < 0 || AIndex >= int(is->ic->nb_streams))
        return -1;
    AVStream* st = is->ic->streams[AIndex];
    AVCodecContext* decoder = OpenDecoder(st);
    if (!decoder)
        return -1;
    st->discard = AVDISCARD_DEFAULT;
    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        if (!CheckVideoFilters(is, decoder, st)) {
            st->discard = AVDISCARD_ALL;
            TCriticalSectionGuard guard(GlobalCodecLock);
            AVLib.avcodec_free_context(&decoder);
            return -1;
        }
        is->video_dec = decoder;
        is->video_stream = AIndex;
        is->video_st = st;
        is->videoq.Start();
        is->videoq.PutFlush();
        is->video_tid = std::thread([this, is] { VideoThread(is); });
        break;
    case AVMEDIA_TYPE_AUDIO:
        is->audio_dec = decoder;
        is->audio_st = st;
        if (!OpenAudioDevice(is)) {
            st->discard = AVDISCARD_ALL;
            is->audio_st = nullptr;
            TCriticalSectionGuard guard(GlobalCodecLock);
            AVLib.avcodec_free_context(&is->audio_dec);
            return -1;
        }
        is->audio_stream = AIndex;
        is->AudioDuration = st->duration != AV_NOPTS_VALUE
                                ? AVLib.av_rescale_q(st->duration, st->time_base, AVRational{1, AV_TIME_BASE})
                                : -1;
        is->audio_buf_size = 0;
        is->audio_buf_index = 0;
        is->audio_diff_avg_coef = std::exp(std::log(0.01) / 20);
        is->audio_diff_avg_count = 0;
        is->audio_diff_threshold = 2.0 * 1024 / is->audio_freq;
        is->audioq.Start();
        is->audioq.PutFlush();
        AVLib.SDL_PauseAudioDevice(is->audio_dev, 0);
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        is->subtitle_dec = decoder;
        is->subtitle_stream = AIndex;
        is->subtitle_st = st;
        is->subtitleq.Start();
        is->subtitleq.PutFlush();
        is->subtitle_tid = std::thread([this, is] { SubtitleThread(is); });
        break;
    default:
        TCriticalSectionGuard guard(GlobalCodecLock);
        AVLib.avcodec_free_context(&decoder);
        return -1;
    }
    return 0;
}

// A chain the library cannot parse or configure leaves the file without
// pictures: its video stream is not opened, so the sound plays on.
bool TCustomPlayer::CheckVideoFilters(TVideoState* is, const AVCodecContext* ADecoder, const AVStream* AStream) {
    if (is->vfilters.empty() || ADecoder->width <= 0 || ADecoder->height <= 0 || ADecoder->pix_fmt == AV_PIX_FMT_NONE)
        return true;
    TPlayerFilterGraph trial;
    const int err = trial.Configure(is->vfilters, ADecoder->width, ADecoder->height, ADecoder->pix_fmt,
                                    AStream->time_base, ADecoder->sample_aspect_ratio, Fsws_flags);
    if (err < 0)
        ReportError(AVErrorText("video filters \"" + is->vfilters + "\"", err), false);
    return err >= 0;
}

void TCustomPlayer::StreamComponentClose(TVideoState* is, int AIndex) {
    if (AIndex < 0 || AIndex >= int(is->ic->nb_streams))
        return;
    AVStream* st = is->ic->streams[AIndex];
    AVCodecContext** decoder = nullptr;
    // The reader stops routing packets to the stream before its decoder goes.
    if (AIndex == is->audio_stream)
        is->audio_stream = -1;
    else if (AIndex == is->video_stream)
        is->video_stream = -1;
    else if (AIndex == is->subtitle_stream)
        is->subtitle_stream = -1;
    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_VIDEO:
        is->videoq.Abort();
        is->PauseChanged.Notify();
        {
            std::lock_guard<std::mutex> lock(is->pictq_mutex);
            is->pictq_cond.notify_all();
        }
        if (is->video_tid.joinable())
            is->video_tid.join();
        is->videoq.Flush();
        is->video_filter.Reset();
        decoder = &is->video_dec;
        break;
    case AVMEDIA_TYPE_AUDIO:
        is->audioq.Abort();
        AVLib.SDL_CloseAudioDevice(is->audio_dev);  // returns once the callback has left
        is->audio_dev = 0;
        is->audioq.Flush();
        AVLib.swr_free(&is->swr);
        AVLib.av_frame_free(&is->audio_frame);
        AVLib.av_packet_free(&is->audio_pkt);
        decoder = &is->audio_dec;
        break;
    case AVMEDIA_TYPE_SUBTITLE:
        is->subtitleq.Abort();
        is->PauseChanged.Notify();
        {
            std::lock_guard<std::mutex> lock(is->subpq_mutex);
            is->subtitle_stream_changed = true;
            is->subpq_cond.notify_all();
        }
        if (is->subtitle_tid.joinable())
            is->subtitle_tid.join();
        is->subtitleq.Flush();
        decoder = &is->subtitle_dec;
        break;
    default:
        return;
    }
    st->discard = AVDISCARD_ALL;
    {
        TCriticalSectionGuard guard(GlobalCodecLock);
        AVLib.avcodec_free_context(decoder);
    }
    switch (st->codecpar->codec_type) {
    case AVMEDIA_TYPE_AUDIO:
        is->audio_st = nullptr;
        is->AudioDuration = -1;
        break;
    case AVMEDIA_TYPE_VIDEO:
        is->video_st = nullptr;
        break;
    default:
        is->subtitle_st = nullptr;
        break;
    }
}

// The stream of each kind to play: the wanted one by its number among the
// streams of its kind, else the library's best one.
static int ChooseStream(AVFormatContext* AContext, AVMediaType AType, int AWanted) {
    if (AWanted >= 0) {
        int seen = 0;
        for (unsigned i = 0; i < AContext->nb_streams; ++i)
            if (AContext->streams[i]->codecpar->codec_type == AType && seen++ == AWanted)
                return int(i);
        return -1;
    }
    const int best = AVLib.av_find_best_stream(AContext, AType, -1, -1, nullptr, 0);
    return best >= 0 ? best : -1;
}

void TCustomPlayer::DecodeThread(TVideoState* is) {
    int result = 0;
    const std::string name = is->filename;
    is->ic = AVLib.avformat_alloc_context();
    if (!is->ic) {
        FLastErrMsg = "av_mallocz() failed.";
        result = -1;
    }
    if (result == 0) {
        is->ic->interrupt_callback.callback = DecodeInterruptCallback;
        is->ic->interrupt_callback.opaque = is;
        // avformat_open_input frees the context itself when it fails.
        const int err = AVLib.avformat_open_input(&is->ic, FileNameToAV(name).c_str(), is->iformat, nullptr);
        if (err < 0) {
            FLastErrMsg = AVErrorText(name, err);
            result = -1;
        }
    }
    if (result == 0 && Fgenpts)
        is->ic->flags |= AVFMT_FLAG_GENPTS;
    if (result == 0 && AVLib.avformat_find_stream_info(is->ic, nullptr) < 0) {
        FLastErrMsg = NameText("%s: could not find codec parameters", name);
        result = -1;
    }
    if (result == 0) {
        if (is->ic->pb)
            is->ic->pb->eof_reached = 0;
        if (Fseek_by_bytes < 0)
            Fseek_by_bytes = (is->ic->iformat->flags & AVFMT_TS_DISCONT) ? 1 : 0;
        const std::string format = is->ic->iformat->name;
        is->IsImage2 = format == "image2";
        is->IsDevice = 0;
        is->StartTime = is->ic->start_time != AV_NOPTS_VALUE ? is->ic->start_time : 0;
        is->Duration = is->ic->duration != AV_NOPTS_VALUE ? is->ic->duration : -1;
        if (Fstart_time != AV_NOPTS_VALUE) {
            int64_t target = Fstart_time;
            if (is->ic->start_time != AV_NOPTS_VALUE)
                target += is->ic->start_time;
            if (AVLib.avformat_seek_file(is->ic, -1, INT64_MIN, target, INT64_MAX, 0) < 0) {
                char text[2048];
                snprintf(text, sizeof text, "%s: could not seek to position %0.3f", name.c_str(), double(target) / 1000000);
                ReportError(text, false);
            }
        }
        for (unsigned i = 0; i < is->ic->nb_streams; ++i)
            is->ic->streams[i]->discard = AVDISCARD_ALL;
        const int audio = !AudioWanted() ? -1 : ChooseStream(is->ic, AVMEDIA_TYPE_AUDIO, wanted_audio_stream());
        const int video = Fvideo_disable || Fdisplay_disable ? -1 : ChooseStream(is->ic, AVMEDIA_TYPE_VIDEO, wanted_video_stream());
        const int subtitle = Fvideo_disable || Fdisplay_disable ? -1 : ChooseStream(is->ic, AVMEDIA_TYPE_SUBTITLE, wanted_subtitle_stream());
        if (audio >= 0)
            StreamComponentOpen(is, audio);
        if (video >= 0 && StreamComponentOpen(is, video) < 0 && !Fdisplay_disable)
            is->show_audio = saRDFT;
        if (subtitle >= 0)
            StreamComponentOpen(is, subtitle);
        if (is->video_stream < 0 && is->audio_stream < 0) {
            FLastErrMsg = NameText("%s: could not open codecs, no stream to play.", name);
            result = -1;
        }
    }
    if (result == 0) {
        is->Opened = 1;
        is->OpenDone.SetEvent();
        result = ReadLoop(is);
        while (!is->abort_request)
            SleepMS(100);
    }
    if (is->Opened != 1) {
        is->Opened = -1;
        is->OpenDone.SetEvent();
    }
    if (is->ic) {
        StreamComponentClose(is, is->audio_stream);
        StreamComponentClose(is, is->video_stream);
        StreamComponentClose(is, is->subtitle_stream);
        AVLib.avformat_close_input(&is->ic);
    }
    AVLib.sws_freeContext(is->video_sws);
    is->video_sws = nullptr;
    if (is->Opened == -1)
        is->Opened = -2;
}

void TCustomPlayer::DoSeekRequest(TVideoState* is) {
    const int64_t target = is->seek_pos;
    const int64_t lower = is->seek_rel > 0 ? target - is->seek_rel + 2 : INT64_MIN;
    const int64_t upper = is->seek_rel < 0 ? target - is->seek_rel - 2 : INT64_MAX;
    int ret = AVLib.avformat_seek_file(is->ic, -1, lower, target, upper, is->seek_flags);
    if (ret < 0)
        ret = AVLib.av_seek_frame(is->ic, -1, target, is->seek_flags);
    if (ret < 0)
        ret = AVLib.av_seek_frame(is->ic, -1, target, is->seek_flags ^ AVSEEK_FLAG_BACKWARD);
    if (ret < 0) {
        ReportError(NameText("%s: error while seeking", is->filename), false);
        if (is->video_stream >= 0)
            FPictEvent.SetEvent();
    } else {
        if (is->audio_stream >= 0) {
            is->audioq.Flush();
            is->audioq.PutFlush();
        }
        if (is->subtitle_stream >= 0) {
            is->subtitleq.Flush();
            is->subtitleq.PutFlush();
        }
        if (is->video_stream >= 0) {
            is->seek_flushed = 0;
            is->videoq.Flush();
            is->videoq.PutFlush();
            FPictEvent.ResetEvent();
        }
        is->seek_done = 1;
    }
    is->ErrorEOF = 0;
    is->ReachEOF = 0;
    is->EventEOF = 0;  // the end is reported again after every seek
    is->end_queued = false;
    if (is->ic->pb)
        is->ic->pb->eof_reached = 0;
    is->seek_req = 0;
    FSeekEvent.SetEvent();
    if (is->video_stream < 0)
        FSeeking = false;
}

int TCustomPlayer::ReadLoop(TVideoState* is) {
    AVPacket* packet = AVLib.av_packet_alloc();
    bool eof = false;
    while (!is->abort_request) {
        if (is->paused != is->last_paused)
            is->last_paused = is->paused;  // network pause is not used: files only
        if (is->seek_req) {
            DoSeekRequest(is);
            eof = false;
        }
        const bool audio = is->audio_stream >= 0, video = is->video_stream >= 0, subtitle = is->subtitle_stream >= 0;
        const int total = is->audioq.Size() + is->videoq.Size() + is->subtitleq.Size();
        const bool wanted = (audio && is->audioq.Size() <= MaxAudioQueueSize) ||
                            (video && is->videoq.Count() <= MinFrames) || (subtitle && is->subtitleq.Count() <= MinFrames);
        if (total > MaxQueueSize || !wanted) {
            WaitForQueues(is);
            continue;
        }
        if (eof || (is->ic->pb && AVLib.avio_feof(is->ic->pb))) {
            // The decoder gives out its held-back pictures once, on the end marker.
            if (video && !is->end_queued) {
                is->videoq.PutEnd();
                is->end_queued = true;
            }
            if (audio && !is->end_queued)
                is->end_queued = true;
            if (video)
                FPictEvent.SetEvent();
            WaitForQueues(is);
            if (is->audioq.Size() + is->videoq.Size() + is->subtitleq.Size() == 0)
                is->ReachEOF = 1;
            continue;
        }
        is->Reading = 1;
        const int ret = AVLib.av_read_frame(is->ic, packet);
        is->Reading = 0;
        if (is->abort_request)
            break;
        if (ret < 0) {
            if (ret == AVERROR(EAGAIN)) {
                SleepMS(10);
                continue;
            }
            if (video)
                FPictEvent.SetEvent();
            if (!is->IsImage2 && !is->ErrorEOF) {
                is->ErrorEOF = 1;
                if (ret == AVERROR_EOF)
                    GetFFLogger()->Log(this, llInfo, NameText("reach end of file: %s", is->filename));
                else
                    ReportError("error #" + std::to_string(ret) + " while reading file: " + is->filename, false);
            }
            if (ret == AVERROR_EOF) {
                eof = true;
                continue;
            }
            if (is->ic->pb && is->ic->pb->error)
                break;
            SleepMS(100);
            continue;
        }
        if (packet->stream_index == is->audio_stream)
            is->audioq.Put(packet);
        else if (packet->stream_index == is->video_stream)
            is->videoq.Put(packet);
        else if (packet->stream_index == is->subtitle_stream)
            is->subtitleq.Put(packet);
        AVLib.av_packet_unref(packet);
    }
    AVLib.av_packet_free(&packet);
    return 0;
}

bool TCustomPlayer::StreamCycleChannel(int AType, int AIndex) {
    TVideoState* is = FVideoState.get();
    const int current = AType == AVMEDIA_TYPE_VIDEO   ? is->video_stream
                        : AType == AVMEDIA_TYPE_AUDIO ? is->audio_stream
                                                      : is->subtitle_stream;
    const int lowest = AType == AVMEDIA_TYPE_SUBTITLE ? -1 : 0;
    auto fail = [this](const char* AText) {
        ReportError(AText, true);
        return false;
    };
    if (current < lowest)
        return fail("the current stream is not valid.");
    if (AIndex < lowest || AIndex >= int(is->ic->nb_streams))
        return fail("the stream index is not valid.");
    if (AIndex == current)
        return true;
    if (AIndex >= 0) {
        const AVCodecParameters* par = is->ic->streams[AIndex]->codecpar;
        if (par->codec_type != AType)
            return fail("the stream type is not matched.");
        if (AType == AVMEDIA_TYPE_AUDIO && (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0))
            return fail("the audio stream is not valid.");
    }
    FDataLock.Acquire();
    StreamComponentClose(is, current);
    StreamComponentOpen(is, AIndex);
    FDataLock.Release();
    // The packets of the new stream were dropped while it was off: read them
    // again from where the player is.
    if (AIndex >= 0 && AType != AVMEDIA_TYPE_VIDEO)
        Seek(std::max<int64_t>(FCurrentPTS, 0), {sfBackward}, false);
    return true;
}
