#include <chrono>
#include <thread>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/AudioOutput.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/TranscodeRun.h"
#include "engine/transcode/TranscodeSetup.h"
#include "platform/core/SysUtils.h"

// Decoding and dispatch: one packet of one input stream becomes decoded
// blocks and pictures for the encoded outputs it feeds, and re-stamped
// packets for the outputs that copy it. The input stream's clock (pts and
// next_pts, microseconds) is reset by each packet's dts and advanced by the
// length of each decoded or copied unit.

namespace {

// Length of one picture of a stream, µs; 0 when nothing tells it.
int64_t PictureDuration(const AVRational rate, int repeat_pict) {
    if (rate.num <= 0 || rate.den <= 0)
        return 0;
    const int64_t one = 1000000LL * rate.den / rate.num;
    return one + one * repeat_pict / 2;
}

} // namespace

void TTranscodeRun::AdvanceVideoClock(TAVInputStream& ist, const AVFrame* frame, const AVPacket* pkt) {
    int64_t duration = PictureDuration(ist.dec->framerate, frame ? frame->repeat_pict : 0);
    if (duration == 0 && frame && frame->pkt_duration > 0)
        duration = AVLib.av_rescale_q(frame->pkt_duration, ist.st->time_base, AV_TIME_BASE_Q);
    if (duration == 0 && pkt && pkt->duration > 0)
        duration = AVLib.av_rescale_q(pkt->duration, ist.st->time_base, AV_TIME_BASE_Q);
    if (duration == 0)
        duration = PictureDuration(ist.st->avg_frame_rate, 0);
    if (duration == 0)
        duration = PictureDuration(ist.st->r_frame_rate, 0);
    ist.next_pts += duration;
}

int TTranscodeRun::OutputPacket(TAVInputStream& ist, int ist_index, const AVPacket* pkt) {
    if (ist.next_pts == AV_NOPTS_VALUE)
        ist.next_pts = ist.pts;
    if (pkt && pkt->dts != AV_NOPTS_VALUE)
        ist.pts = ist.next_pts = AVLib.av_rescale_q(pkt->dts, ist.st->time_base, AV_TIME_BASE_Q);
    const AVMediaType type = ist.st->codecpar->codec_type;

    // Copies first: they take the packet's own time.
    if (pkt && (FJob.Options().Fstart_time == 0 || ist.pts >= FJob.Options().Fstart_time))
        for (auto& ost : T.ost_table)
            if (ost->source_index == ist_index && !ost->encoding_needed)
                CopyPacket(*ost, ist, *pkt);

    if (!ist.decoding_needed) {
        if (!pkt)
            return 0;
        ist.pts = ist.next_pts;
        if (type == AVMEDIA_TYPE_AUDIO) {
            const AVCodecParameters* par = ist.st->codecpar;
            if (par->frame_size > 0 && par->sample_rate > 0)
                ist.next_pts += 1000000LL * par->frame_size / par->sample_rate;
            else if (pkt->duration > 0)
                ist.next_pts += AVLib.av_rescale_q(pkt->duration, ist.st->time_base, AV_TIME_BASE_Q);
        } else if (type == AVMEDIA_TYPE_VIDEO) {
            AdvanceVideoClock(ist, nullptr, pkt);
        }
        return 0;
    }
    if (type == AVMEDIA_TYPE_SUBTITLE)
        return OutputSubtitle(ist, ist_index, pkt);
    if (type != AVMEDIA_TYPE_AUDIO && type != AVMEDIA_TYPE_VIDEO)
        return -1;

    int ret = LibraryCall([&] { return AVLib.avcodec_send_packet(ist.dec, pkt); });
    if (ret == AVERROR_EOF && !pkt)
        return 0;  // already drained
    if (ret < 0 && ret != AVERROR(EAGAIN))
        return -1;
    for (;;) {
        ret = LibraryCall([&] { return AVLib.avcodec_receive_frame(ist.dec, FDecode.Frame); });
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            break;
        if (ret < 0)
            return -1;
        ist.pts = ist.next_pts;
        if (type == AVMEDIA_TYPE_AUDIO) {
            if (FDecode.Frame->sample_rate > 0)
                ist.next_pts += int64_t(FDecode.Frame->nb_samples) * 1000000 / FDecode.Frame->sample_rate;
        } else {
            AdvanceVideoClock(ist, FDecode.Frame, pkt);
        }
        DispatchDecoded(ist, ist_index, FDecode.Frame);
        AVLib.av_frame_unref(FDecode.Frame);
    }
    return 0;
}

void TTranscodeRun::DispatchDecoded(TAVInputStream& ist, int ist_index, AVFrame* frame) {
    const AVMediaType type = ist.st->codecpar->codec_type;
    // Hooks see the decoded picture before the filter graph does.
    if (type == AVMEDIA_TYPE_VIDEO)
        FJob.PreProcessVideoFrame(frame, ist.pts);
    if (type == AVMEDIA_TYPE_AUDIO && FJob.Options().Faudio_volume != 256) {
        if (AVLib.av_frame_make_writable(frame) < 0)
            throw FFmpegException("Out of memory in do_audio_out");
        ApplyVolume(frame->extended_data, frame->nb_samples, frame->ch_layout.nb_channels,
                    AVSampleFormat(frame->format), FJob.Options().Faudio_volume);
    }
    if (FJob.Options().Frate_emu) {
        const int64_t ahead = ist.pts - (AVLib.av_gettime() - ist.start);
        if (ahead > 1000)
            std::this_thread::sleep_for(std::chrono::milliseconds(ahead / 1000));
    }
    if (FJob.Options().Fstart_time != 0 && ist.pts < FJob.Options().Fstart_time)
        return;
    for (auto& ost : T.ost_table) {
        if (ost->source_index != ist_index || !ost->encoding_needed)
            continue;
        switch (ost->enc->codec_type) {
        case AVMEDIA_TYPE_AUDIO:
            DoAudioOut(*ost, ist, frame);
            break;
        case AVMEDIA_TYPE_VIDEO:
            OutputVideo(*ost, ist, frame);
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            break;
        default:
            throw FFmpegException("invalid codec_type");
        }
    }
}

void TTranscodeRun::CopyPacket(TAVOutputStream& ost, TAVInputStream& ist, const AVPacket& pkt) {
    const AVRational otb = ost.st->time_base;
    const int64_t start_tb = AVLib.av_rescale_q(FJob.Options().Fstart_time, AV_TIME_BASE_Q, otb);
    if (ost.frame_number == 0 && !(pkt.flags & AV_PKT_FLAG_KEY) && !FJob.Options().Fcopy_initial_nonkeyframes)
        return;
    const AVRational itb = ist.st->time_base;
    const int64_t dts = (pkt.dts != AV_NOPTS_VALUE ? AVLib.av_rescale_q(pkt.dts, itb, otb)
                                                   : AVLib.av_rescale_q(ist.pts, AV_TIME_BASE_Q, otb)) -
                        start_tb;
    // A joined input's audio may begin before the previous input's ended (an encoder's
    // priming stored ahead of the first sample); the stream's time must not go back,
    // so what overlaps is left out.
    const int64_t end_dts = Clock(ost).end_dts;
    if (FJob.JoinMode() && ost.file_index > 0 && ost.enc->codec_type == AVMEDIA_TYPE_AUDIO &&
        end_dts != AV_NOPTS_VALUE && dts < end_dts)
        return;
    if (ost.enc->codec_type == AVMEDIA_TYPE_AUDIO) {
        FMux.AudioBytes += pkt.size;
    } else if (ost.enc->codec_type == AVMEDIA_TYPE_VIDEO) {
        FMux.VideoBytes += pkt.size;
        ost.sync_opts += 1;
    }
    if (AVLib.av_packet_ref(FMux.Packet, &pkt) < 0)
        throw FFmpegException("av_mallocz fail");
    FMux.Packet->stream_index = ost.index;
    FMux.Packet->pts = pkt.pts != AV_NOPTS_VALUE ? AVLib.av_rescale_q(pkt.pts, itb, otb) - start_tb : AV_NOPTS_VALUE;
    FMux.Packet->dts = dts;
    FMux.Packet->duration = AVLib.av_rescale_q(pkt.duration, itb, otb);
    WriteFrame(ost, FMux.Packet);
    ost.frame_number += 1;
}
