#include <chrono>
#include <cmath>
#include <set>
#include <thread>
#include <vector>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/TranscodeRun.h"
#include "engine/transcode/TranscodeSetup.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

// The read-and-dispatch loop and the end of a run. Normally the input whose
// output lags most is read next, so outputs fed from several inputs stay
// interleaved; in join mode the inputs are read one after the other, each
// continuing where the previous one stopped.

TTranscodeRun::TTranscodeRun(TCustomFFmpeg& AJob, TTranscode& ATables) : FJob(AJob), T(ATables) {}

TTranscodeRun::~TTranscodeRun() {
    using namespace std::chrono;
    FJob.SetRunTimes({duration_cast<microseconds>(steady_clock::now() - FStarted).count(),
                      duration_cast<microseconds>(steady_clock::duration(FLibraryTime)).count()});
}

int TTranscodeRun::ChooseInput(int file_index) {
    const int G = T.G;
    auto limitReached = [this](const TAVOutputStream& ost) {
        const AVMediaType type = ost.enc->codec_type;
        const int limit = type == AVMEDIA_TYPE_VIDEO      ? FJob.Options().Fmax_frames[flVideo]
                          : type == AVMEDIA_TYPE_AUDIO    ? FJob.Options().Fmax_frames[flAudio]
                          : type == AVMEDIA_TYPE_SUBTITLE ? FJob.Options().Fmax_frames[flSubtitle]
                                                          : FJob.Options().Fmax_frames[flData];
        return ost.frame_number >= limit;
    };
    if (FJob.JoinMode()) {
        for (int i = G * file_index; i < G * (file_index + 1) && i < int(T.ost_table.size()); ++i)
            if (limitReached(*T.ost_table[size_t(i)]))
                return -1;
        return file_index;
    }
    double opts_min = 1e100, ipts_min = 1e100;
    int chosen = -1;
    for (auto& ostPtr : T.ost_table) {
        const TAVOutputStream& ost = *ostPtr;
        const TAVInputStream& ist = *T.ist_table[size_t(ost.source_index)];
        if (ist.is_past_recording_time || T.no_packet[size_t(ist.file_index)])
            continue;
        // What the encoder was given, not what it wrote: an encoder that looks ahead would
        // otherwise have its input read to the end before any other.
        const double opts = HandedOverTime(ost);
        const double ipts = double(ist.pts);
        if (!T.file_table[size_t(ist.file_index)].eof_reached) {
            if (ipts < ipts_min) {
                ipts_min = ipts;
                if (FJob.Options().Finput_sync)
                    chosen = ist.file_index;
            }
            if (opts < opts_min) {
                opts_min = opts;
                if (!FJob.Options().Finput_sync)
                    chosen = ist.file_index;
            }
        }
        if (limitReached(ost))
            return -1;
    }
    return chosen;
}

double TTranscodeRun::HandedOverTime(const TAVOutputStream& ost) {
    // An encoder that holds frames back has been given more than was written.
    double time = Clock(ost).time;
    const AVCodecContext* enc = ost.enc;
    if (ost.encoding_needed && enc->codec_type == AVMEDIA_TYPE_VIDEO)
        time = std::max(time, double(ost.sync_opts) * av_q2d(enc->time_base));
    else if (ost.encoding_needed && enc->codec_type == AVMEDIA_TYPE_AUDIO && enc->sample_rate > 0)
        time = std::max(time, double(ost.sync_opts + (ost.fifo ? AVLib.av_audio_fifo_size(ost.fifo) : 0)) /
                                  enc->sample_rate);
    return time;
}

void TTranscodeRun::EndOfJoinedInput(int k) {
    // Only the decoders start afresh: the encoders run on through every input
    // and are drained once at the real end.
    const TAVInputFile& file = T.file_table[size_t(k)];
    for (int j = file.ist_index; j < file.ist_index + file.nb_streams; ++j) {
        TAVInputStream& ist = *T.ist_table[size_t(j)];
        if (!ist.decoding_needed)
            continue;
        OutputPacket(ist, j, nullptr);
        AVLib.avcodec_flush_buffers(ist.dec);
        ist.decoder_flushed = 1;
    }
    const int G = T.G;
    for (int i = G * k; i < G * (k + 1) && i < int(T.ost_table.size()); ++i)
        FlushVideoFilter(*T.ost_table[size_t(i)]);
    double end_time = 0.0;
    for (int i = G * k; i < G * (k + 1) && i < int(T.ost_table.size()); ++i) {
        TAVOutputStream& ost = *T.ost_table[size_t(i)];
        end_time = std::max(end_time, HandedOverTime(ost));
        ost.show_fps = 0;
    }
    for (size_t i = size_t(G) * size_t(k + 1); i < T.ost_table.size(); ++i) {
        TAVOutputStream& ost = *T.ost_table[i];
        const TAVOutputStream& prev = *T.ost_table[i - size_t(G)];
        ost.sync_opts = prev.sync_opts;
        ost.frame_number = prev.frame_number;
    }
    // Samples waiting for a full encoder frame go on with the next group.
    for (int i = G * k; i < G * (k + 1) && i + G < int(T.ost_table.size()); ++i)
        std::swap(T.ost_table[size_t(i)]->fifo, T.ost_table[size_t(i + G)]->fifo);
    if (k + 1 < FJob.nb_input_files())
        FJob.InputFile(k + 1).ts_offset += std::llround(end_time * 1000000.0);
}

void TTranscodeRun::DrainAll() {
    // A pause holds the drains too; a stop lets them finish, so that every output ends properly.
    for (size_t j = 0; j < T.ist_table.size(); ++j) {
        TAVInputStream& ist = *T.ist_table[j];
        if (ist.decoding_needed && ist.decoder_flushed != 1) {
            FJob.WaitIfPaused();
            OutputPacket(ist, int(j), nullptr);
        }
    }
    for (auto& ost : T.ost_table)
        FlushVideoFilter(*ost);
    // Each encoder once; in join mode the last group holds what waits in the FIFOs.
    for (auto it = T.ost_table.rbegin(); it != T.ost_table.rend(); ++it) {
        FJob.WaitIfPaused();
        FlushEncoder(**it);
    }
}

bool TTranscodeRun::PrepareReadPacket(int file_index, AVPacket* pkt, int& ist_index) {
    TJobInputFile& input = FJob.InputFile(file_index);
    const TAVInputFile& file = T.file_table[size_t(file_index)];
    if (FJob.Options().Fdo_pkt_dump)
        AVLib.av_pkt_dump_log2(nullptr, AV_LOG_DEBUG, pkt, FJob.Options().Fdo_hex_dump,
                               input.ctx->streams[pkt->stream_index]);
    if (pkt->stream_index >= file.nb_streams)
        return false;
    ist_index = file.ist_index + pkt->stream_index;
    TAVInputStream& ist = *T.ist_table[size_t(ist_index)];
    if (ist.discard)
        return false;
    const AVRational tb = ist.st->time_base;
    const int64_t offset = AVLib.av_rescale_q(input.ts_offset, AV_TIME_BASE_Q, tb);
    if (pkt->dts != AV_NOPTS_VALUE)
        pkt->dts += offset;
    if (pkt->pts != AV_NOPTS_VALUE)
        pkt->pts += offset;
    const double scale =
        size_t(pkt->stream_index) < input.ts_scale.size() ? input.ts_scale[size_t(pkt->stream_index)] : 0.0;
    if (scale != 0) {
        if (pkt->pts != AV_NOPTS_VALUE)
            pkt->pts = std::llround(double(pkt->pts) * scale);
        if (pkt->dts != AV_NOPTS_VALUE)
            pkt->dts = std::llround(double(pkt->dts) * scale);
    }
    if (pkt->dts != AV_NOPTS_VALUE && ist.next_pts != AV_NOPTS_VALUE &&
        (input.ctx->iformat->flags & AVFMT_TS_DISCONT)) {
        const int64_t pkt_dts = AVLib.av_rescale_q(pkt->dts, tb, AV_TIME_BASE_Q);
        const int64_t delta = pkt_dts - ist.next_pts;
        if ((std::llabs(delta) > int64_t(1000000.0 * FJob.Options().Fdts_delta_threshold) || pkt_dts + 1 < ist.pts) &&
            !FJob.Options().Fcopy_ts) {
            input.ts_offset -= delta;
            if (FJob.Options().Fverbose > 2)
                GetFFLogger()->Log(&FJob, llVerbose, "timestamp discontinuity %d, new offset= %d", delta,
                                   input.ts_offset);
            const int64_t shift = AVLib.av_rescale_q(delta, AV_TIME_BASE_Q, tb);
            pkt->dts -= shift;
            if (pkt->pts != AV_NOPTS_VALUE)
                pkt->pts -= shift;
        }
    }
    if (FJob.Options().Frecording_time != INT64_MAX && pkt->pts != AV_NOPTS_VALUE &&
        AVLib.av_compare_ts(pkt->pts, tb, FJob.Options().Frecording_time + FJob.Options().Fstart_time, AV_TIME_BASE_Q) >= 0) {
        ist.is_past_recording_time = 1;
        return false;
    }
    return true;
}

bool TTranscodeRun::Run() {
    FProgress.TimerStart = AVLib.av_gettime();
    int64_t last_report = FProgress.TimerStart;
    int file_index = 0;
    auto resetNoPacket = [this] {
        std::fill(T.no_packet.begin(), T.no_packet.end(), false);
        T.no_packet_count = 0;
    };
    resetNoPacket();
    AVPacket* pkt = AVLib.av_packet_alloc();
    if (!pkt)
        throw FFmpegException("av_mallocz fail");
    struct TPacketGuard {
        AVPacket*& p;
        ~TPacketGuard() { AVLib.av_packet_free(&p); }
    } guard{pkt};
    const bool join = FJob.JoinMode();
    std::vector<bool> lastCorrupt(T.file_table.size(), false);
    TFFLogger* logger = GetFFLogger();

    while (!FJob.Broken()) {
        if (FJob.WaitIfPaused() == pgStop)
            break;
        file_index = ChooseInput(join ? file_index : 0);
        if (file_index < 0) {
            if (join || T.no_packet_count == 0)
                break;
            resetNoPacket();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            file_index = 0;
            continue;
        }
        if (FJob.Options().Flimit_filesize != 0) {
            AVIOContext* pb = FJob.OutputFile(0).ctx->pb;
            if (pb && AVLib.avio_seek(pb, 0, SEEK_CUR) > FJob.Options().Flimit_filesize)
                break;
        }
        const int ret = LibraryCall([&] { return AVLib.av_read_frame(FJob.InputFile(file_index).ctx, pkt); });
        if (ret == AVERROR(EAGAIN)) {
            T.no_packet[size_t(file_index)] = true;
            ++T.no_packet_count;
            continue;
        }
        if (ret < 0) {
            T.file_table[size_t(file_index)].eof_reached = 1;
            // Anything but the end of the input is a failure, and so is an input whose
            // last packet came short (the file was cut off); the outputs are still ended properly.
            if (ret != AVERROR_EOF || lastCorrupt[size_t(file_index)]) {
                FReadError = ret != AVERROR_EOF ? AVErrorText(FJob.InputFile(file_index).FileName, ret)
                                                : FJob.InputFile(file_index).FileName + ": Input is truncated";
                break;
            }
            if (!join) {
                if (FJob.Options().Fopt_shortest)
                    break;
                continue;
            }
            EndOfJoinedInput(file_index);
            if (file_index == FJob.nb_input_files() - 1)
                break;
            ++file_index;
            continue;
        }
        resetNoPacket();
        lastCorrupt[size_t(file_index)] = pkt->flags & AV_PKT_FLAG_CORRUPT;
        int ist_index = 0;
        if (PrepareReadPacket(file_index, pkt, ist_index)) {
            TAVInputStream& ist = *T.ist_table[size_t(ist_index)];
            if (OutputPacket(ist, ist_index, pkt) < 0) {
                const std::string text = Format("Error while decoding stream #%d.%d (%s)", ist.file_index, ist.index,
                                                MediaTypeName(ist.st->codecpar->codec_type));
                if (FJob.Options().Fexit_on_error)
                    throw FFmpegException(text);
                if (FJob.Options().Fverbose >= 0)
                    logger->Log(&FJob, llVerbose, text);
                AVLib.av_packet_unref(pkt);
                continue;
            }
        }
        AVLib.av_packet_unref(pkt);
        const int64_t now = AVLib.av_gettime();
        if (now - last_report > FJob.ReportInterval) {
            last_report = now;
            PrintReport(file_index, false);
        }
    }

    DrainAll();
    std::string writeError;
    LibraryCall([&] { writeError = T.WriteTrailers(); });
    PrintReport(-1, true);
    // A file that could not be written to its end is a failure, never a
    // finished job: the lost tail would otherwise go unnoticed.
    const std::string closeError = T.CloseOutputs();
    for (const std::string& error : {writeError, closeError, std::string(FReadError)})
        if (!error.empty())
            throw FFmpegException(error);
    return !FJob.Broken();
}
