#include "engine/transcode/SubtitleOutput.h"

#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/TranscodeRun.h"
#include "engine/transcode/TranscodeSetup.h"

// The subtitle path: decoded subtitles are encoded for every subtitle output
// fed from their stream and written with their display times.

const char DefaultSubtitleHeader[] = "[Script Info]\r\n"
                                     "ScriptType: v4.00+\r\n"
                                     "PlayResX: 384\r\n"
                                     "PlayResY: 288\r\n"
                                     "\r\n"
                                     "[V4+ Styles]\r\n"
                                     "Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, "
                                     "BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, "
                                     "BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\r\n"
                                     "Style: Default,Arial,16,&Hffffff,&Hffffff,&H0,&H0,0,0,0,0,100,100,0,0,1,1,0,2,"
                                     "10,10,10,0\r\n"
                                     "\r\n"
                                     "[Events]\r\n"
                                     "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\r\n";

TSubtitleDisplayTimes SubtitleDisplayTimes(int64_t APacketTime, uint32_t AStartDisplayTime,
                                           uint32_t AEndDisplayTime) {
    TSubtitleDisplayTimes times;
    times.pts = APacketTime + int64_t(AStartDisplayTime) * 1000;
    times.end_display_time = AEndDisplayTime > AStartDisplayTime ? AEndDisplayTime - AStartDisplayTime : 0;
    return times;
}

void TTranscode::PrepareSubtitleEncoder(TAVOutputStream& AOst, TAVInputStream& AIst) {
    AVCodecContext* enc = AOst.enc;
    // Subtitle times are kept in microseconds; the muxer picks its own time base.
    if (enc->time_base.num <= 0 || enc->time_base.den <= 0)
        enc->time_base = AV_TIME_BASE_Q;
    if (enc->subtitle_header)
        return;
    // A styled-text input brings its styles in its extradata; other inputs get
    // the plain default style (bitmap encoders ignore it).
    const AVCodecParameters* in = AIst.st->codecpar;
    const bool styled = (in->codec_id == AV_CODEC_ID_ASS || in->codec_id == AV_CODEC_ID_SSA) &&
                        in->extradata && in->extradata_size > 0;
    const char* header = styled ? reinterpret_cast<const char*>(in->extradata) : DefaultSubtitleHeader;
    const size_t size = styled ? size_t(in->extradata_size) : sizeof DefaultSubtitleHeader - 1;
    auto* copy = static_cast<uint8_t*>(AVLib.av_mallocz(size + 1));
    if (!copy)
        throw FFmpegException("av_mallocz fail");
    std::memcpy(copy, header, size);
    enc->subtitle_header = copy;  // freed with the encoder context
    enc->subtitle_header_size = int(size);
}

int TTranscodeRun::OutputSubtitle(TAVInputStream& ist, int ist_index, const AVPacket* pkt) {
    if (!pkt)
        return 0;  // subtitle decoders hold nothing back
    AVSubtitle sub{};
    int got = 0;
    AVPacket* packet = const_cast<AVPacket*>(pkt);  // the decoder only reads it
    if (LibraryCall([&] { return AVLib.avcodec_decode_subtitle2(ist.dec, &sub, &got, packet); }) < 0)
        return -1;
    if (!got)
        return 0;
    struct TSubtitleGuard {
        AVSubtitle& s;
        ~TSubtitleGuard() { AVLib.avsubtitle_free(&s); }
    } guard{sub};
    if (FJob.Options().Fstart_time != 0 && ist.pts < FJob.Options().Fstart_time)
        return 0;
    for (auto& ost : T.ost_table)
        if (ost->source_index == ist_index && ost->encoding_needed && ost->enc->codec_type == AVMEDIA_TYPE_SUBTITLE)
            DoSubtitleOut(*ost, ist, sub, pkt->pts);
    return 0;
}

void TTranscodeRun::DoSubtitleOut(TAVOutputStream& ost, TAVInputStream& ist, AVSubtitle& sub, int64_t pts) {
    if (pts == AV_NOPTS_VALUE) {
        if (FJob.Options().Fexit_on_error)
            throw FFmpegException("Subtitle packets must have a pts");
        GetFFLogger()->Log(&FJob, llError, "Subtitle packets must have a pts");
        return;
    }
    if (FSubtitleOut.Buffer.empty())
        FSubtitleOut.Buffer.resize(SubtitleOutputBufferSize);
    AVCodecContext* enc = ost.enc;
    // The output starts at the job's start time, as the other paths do.
    const int64_t packetTime = AVLib.av_rescale_q(pts, ist.st->time_base, AV_TIME_BASE_Q) - FJob.Options().Fstart_time;
    const TSubtitleDisplayTimes times =
        SubtitleDisplayTimes(packetTime, sub.start_display_time, sub.end_display_time);
    sub.pts = times.pts;
    sub.start_display_time = 0;
    sub.end_display_time = times.end_display_time;

    // A DVB subtitle stays on screen until a second, empty one clears it.
    const bool dvb = enc->codec_id == AV_CODEC_ID_DVB_SUBTITLE;
    const unsigned rects = sub.num_rects;
    const AVRational ms{1, 1000};
    const AVRational otb = ost.st->time_base;
    for (int pass = 0; pass < (dvb ? 2 : 1); ++pass) {
        if (pass == 1)
            sub.num_rects = 0;
        const int size = LibraryCall([&] {
            return AVLib.avcodec_encode_subtitle(enc, FSubtitleOut.Buffer.data(), int(FSubtitleOut.Buffer.size()), &sub);
        });
        sub.num_rects = rects;
        if (size < 0)
            throw FFmpegException("Subtitle encoding failed");
        if (size == 0)
            continue;
        if (AVLib.av_new_packet(FMux.Packet, size) < 0)
            throw FFmpegException("av_mallocz fail");
        std::memcpy(FMux.Packet->data, FSubtitleOut.Buffer.data(), size_t(size));
        FMux.Packet->pts = AVLib.av_rescale_q(sub.pts, AV_TIME_BASE_Q, otb);
        FMux.Packet->duration = AVLib.av_rescale_q(sub.end_display_time, ms, otb);
        if (dvb && pass == 1)
            FMux.Packet->pts += AVLib.av_rescale_q(sub.end_display_time, ms, otb);
        FMux.Packet->dts = FMux.Packet->pts;
        FMux.Packet->stream_index = ost.index;
        WriteFrame(ost, FMux.Packet);
    }
    ost.frame_number += 1;
}
