#include <algorithm>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/SharedEncoderTables.h"
#include "engine/transcode/TranscodeRun.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

// Encoders and the muxer: every packet of the run reaches its container here.

namespace {

uint32_t ReadLE32(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }

} // namespace

int TTranscodeRun::EncodeFrame(TAVOutputStream& ost, AVFrame* frame) {
    AVCodecContext* enc = ost.enc;
    const bool audio = enc->codec_type == AVMEDIA_TYPE_AUDIO;
    const char* failure = audio ? "Audio encoding failed" : "Video encoding failed";
    int ret = LibraryCall([&] {
        TSharedTablesLock tables(enc->codec, TSharedTablesLock::tuEncode);
        return AVLib.avcodec_send_frame(enc, frame);
    });
    if (ret == AVERROR_EOF && !frame)
        return 0;  // drained before
    if (ret < 0)
        throw FFmpegException(failure);
    TOutputClock& clock = Clock(ost);
    int last = 0;
    for (;;) {
        ret = LibraryCall([&] {
            TSharedTablesLock tables(enc->codec, TSharedTablesLock::tuEncode);
            return AVLib.avcodec_receive_packet(enc, FMux.Packet);
        });
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            break;
        if (ret < 0)
            throw FFmpegException(failure);
        const int size = FMux.Packet->size;
        if (audio) {
            FMux.AudioBytes += size;
        } else {
            FMux.VideoBytes += size;
            size_t sdSize = 0;
            const uint8_t* sd = AVLib.av_packet_get_side_data(FMux.Packet, AV_PKT_DATA_QUALITY_STATS, &sdSize);
            if (sd && sdSize >= 5) {
                clock.quality = float(ReadLE32(sd)) / float(FF_QP2LAMBDA);
                clock.pict_type = sd[4];
                const int errors = std::min<int>(sd[5], 3);
                for (int i = 0; i < errors && 8 + 8 * size_t(i) + 8 <= sdSize; ++i) {
                    uint64_t e = 0;
                    std::memcpy(&e, sd + 8 + 8 * i, 8);
                    clock.error[size_t(i)] = int64_t(e);
                }
            }
        }
        if (ost.logfile && enc->stats_out)
            AVLib.fprintf(ost.logfile, "%s", enc->stats_out);
        // A packet without payload would only confuse players, unless it carries side data
        // for the muxer (the final stream parameters of a FLAC encoder, for example).
        if (size == 0 && FMux.Packet->side_data_elems == 0) {
            AVLib.av_packet_unref(FMux.Packet);
            continue;
        }
        FMux.Packet->stream_index = ost.index;
        AVLib.av_packet_rescale_ts(FMux.Packet, enc->time_base, ost.st->time_base);
        WriteFrame(ost, FMux.Packet);
        last = size;
    }
    return last;
}

void TTranscodeRun::WriteFrame(TAVOutputStream& ost, AVPacket* pkt) {
    // The output time this stream has reached, for the reading order and the report.
    const int64_t ts = pkt->pts != AV_NOPTS_VALUE ? pkt->pts : pkt->dts;
    TOutputClock& clock = Clock(ost);
    if (ts != AV_NOPTS_VALUE) {
        const double end = double(ts + std::max<int64_t>(pkt->duration, 0)) * av_q2d(ost.st->time_base);
        if (end > clock.time)
            clock.time = end;
    }
    if (pkt->dts != AV_NOPTS_VALUE)
        clock.end_dts = pkt->dts + std::max<int64_t>(pkt->duration, 0);
    // Each filter of the chain in turn; a failing filter lets the packet pass unfiltered.
    for (AVBSFContext* bsf : ost.bsfs) {
        int ret = LibraryCall([&] { return AVLib.av_bsf_send_packet(bsf, pkt); });
        if (ret >= 0)
            ret = LibraryCall([&] { return AVLib.av_bsf_receive_packet(bsf, pkt); });
        if (ret == AVERROR(EAGAIN))
            return;  // the filter holds the packet back
        if (ret < 0) {
            const std::string text =
                Format("%s failed for stream %d, codec %s", bsf->filter->name, pkt->stream_index,
                       ost.encoding_needed ? std::string(ost.enc->codec->name) : std::string("copy"));
            const std::string full = AVErrorText(text, ret);
            if (FJob.Options().Fexit_on_error)
                throw FFmpegException(full);
            GetFFLogger()->Log(&FJob, llError, full);
        }
    }
    if (!pkt->data && pkt->size == 0 && pkt->side_data_elems == 0)
        return;  // consumed by a filter that then failed
    pkt->stream_index = ost.index;
    const int ret = LibraryCall([&] { return AVLib.av_interleaved_write_frame(ost.output->ctx, pkt); });
    AVLib.av_packet_unref(pkt);
    if (ret < 0)
        throw FFmpegException(AVErrorText(ost.output->FileName, ret));
}
