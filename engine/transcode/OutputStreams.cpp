#include <cstdlib>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/FormatChoice.h"
#include "engine/transcode/FrameSizeFit.h"
#include "platform/core/SysUtils.h"

namespace {

// A copy of a quantiser matrix in the library's allocator: the encoder
// context frees it with itself.
uint16_t* MatrixCopy(const TQuantMatrix& AMatrix) {
    auto* copy = static_cast<uint16_t*>(AVLib.av_malloc(sizeof(uint16_t) * AMatrix.size()));
    if (!copy)
        throw FFmpegException("out of memory");
    std::memcpy(copy, AMatrix.data(), sizeof(uint16_t) * AMatrix.size());
    return copy;
}

// "start,end,q/start,end,q/...": q above 0 is a fixed quantiser, else a
// quality factor of -q/100. Each number is followed by one separator.
void ParseRcOverride(AVCodecContext* AContext, const std::string& AText) {
    std::vector<RcOverride> entries;
    const char* p = AText.c_str();
    while (*p) {
        RcOverride entry{};
        int values[3] = {};
        for (int k = 0; k < 3; ++k) {
            char* end = nullptr;
            const long v = std::strtol(p, &end, 10);
            // The start and the end must each be followed by a separator.
            if (end == p || (k < 2 && !*end))
                throw FFmpegException("error parsing rc_override");
            values[k] = int(v);
            p = *end ? end + 1 : end;
        }
        entry.start_frame = values[0];
        entry.end_frame = values[1];
        if (values[2] > 0) {
            entry.qscale = values[2];
            entry.quality_factor = 1.0f;
        } else {
            entry.qscale = 0;
            entry.quality_factor = -values[2] / 100.0f;
        }
        entries.push_back(entry);
    }
    if (entries.empty())
        return;
    auto* copy = static_cast<RcOverride*>(AVLib.av_malloc(sizeof(RcOverride) * entries.size()));
    if (!copy)
        throw FFmpegException("out of memory");
    std::memcpy(copy, entries.data(), sizeof(RcOverride) * entries.size());
    AContext->rc_override = copy;
    AContext->rc_override_count = int(entries.size());
}

std::string LayoutName(const AVChannelLayout& ALayout) {
    char name[128] = {};
    if (AVLib.av_channel_layout_describe(&ALayout, name, sizeof name) < 0)
        return Format("%d channels", ALayout.nb_channels);
    return name;
}

void SetLanguage(AVStream* AStream, std::string& ALanguage) {
    if (ALanguage.empty())
        return;
    AVLib.av_dict_set(&AStream->metadata, "language", ALanguage.c_str(), 0);
    ALanguage.clear();
}

void SetGlobalHeader(AVCodecContext* AContext, AVCodecContext* AGeneric) {
    AContext->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    if (AGeneric)
        AGeneric->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
}

// Makes the encoder context again for the chosen encoder, so that it starts
// from that encoder's own defaults (the H.264 encoder, for one, refuses the
// generic ones); what was set before the choice is carried over.
void RenewForEncoder(TJobOutputStream& AStream) {
    if (!AStream.codec)
        return;
    AVCodecContext* fresh = AVLib.avcodec_alloc_context3(AStream.codec);
    if (!fresh)
        throw FFmpegException("Could not alloc stream");
    const AVCodecContext* old = AStream.enc;
    fresh->codec_type = old->codec_type;
    fresh->thread_count = old->thread_count;
    fresh->codec_tag = old->codec_tag;
    fresh->flags = old->flags;
    fresh->flags2 = old->flags2;
    fresh->strict_std_compliance = old->strict_std_compliance;
    AVLib.avcodec_free_context(&AStream.enc);
    AStream.enc = fresh;
}

} // namespace

TJobOutputStream& TCustomFFmpeg::AddOutputStream(TJobOutputFile& AOutput, AVMediaType AType, TOptionState& AOptions) {
    AVStream* st = AVLib.avformat_new_stream(AOutput.ctx, nullptr);
    if (!st)
        throw FFmpegException("Could not alloc stream");
    for (const auto& [index, id] : AOptions.Fstreamid_map)
        if (index == st->index)
            st->id = id;
    auto record = std::make_unique<TJobOutputStream>();
    record->st = st;
    record->enc = AVLib.avcodec_alloc_context3(nullptr);
    AOutput.streams.push_back(std::move(record));
    TJobOutputStream& stream = *AOutput.streams.back();
    if (!stream.enc)
        throw FFmpegException("Could not alloc stream");
    stream.enc->codec_type = AType;
    std::vector<const AVBitStreamFilter*>& pending = AType == AVMEDIA_TYPE_VIDEO   ? AOptions.Fvideo_bitstream_filters
                                                     : AType == AVMEDIA_TYPE_AUDIO ? AOptions.Faudio_bitstream_filters
                                                                                   : AOptions.Fsubtitle_bitstream_filters;
    stream.bitstream_filters = std::move(pending);
    pending.clear();
    AVLib.av_dict_copy(&stream.codec_opts, FOptions.codec_dict[AType], 0);
    return stream;
}

void TCustomFFmpeg::NewVideoStream(TJobOutputFile& AOutput, TOptionState& AOptions) {
    try {
        AVCodecContext* generic = FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO];
        TJobOutputStream& stream = AddOutputStream(AOutput, AVMEDIA_TYPE_VIDEO, AOptions);
        AVCodecContext* enc = stream.enc;
        const AVOutputFormat* format = AOutput.ctx->oformat;
        enc->thread_count = AOptions.Fthread_count;
        if (AOptions.Fvideo_codec_tag)
            enc->codec_tag = AOptions.Fvideo_codec_tag;
        if ((AOptions.Fvideo_global_header & 1) || (AOptions.Fvideo_global_header == 0 && (format->flags & AVFMT_GLOBALHEADER)))
            SetGlobalHeader(enc, generic);
        if (AOptions.Fvideo_global_header & 2) {
            enc->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
            if (generic)
                generic->flags2 |= AV_CODEC_FLAG2_LOCAL_HEADER;
        }

        auto setAspect = [&] {
            const double d = AOptions.Fframe_width * AOptions.Fframe_height != 0
                                 ? double(AOptions.Fframe_aspect_ratio) * AOptions.Fframe_height / AOptions.Fframe_width
                                 : double(AOptions.Fframe_aspect_ratio) * 3 / 4;
            enc->sample_aspect_ratio = AVLib.av_d2q(d, 255);
            stream.st->sample_aspect_ratio = enc->sample_aspect_ratio;
        };

        if (AOptions.Fvideo_stream_copy) {
            stream.stream_copy = true;
            setAspect();
        } else {
            AVRational rate = AOptions.Fframe_rate.num ? AOptions.Fframe_rate : AVRational{25, 1};
            AVCodecID id = AV_CODEC_ID_NONE;
            const AVCodec* codec = nullptr;
            if (!AOptions.Fvideo_codec_name.empty()) {
                if (!FindCodec(AOptions.Fvideo_codec_name, AVMEDIA_TYPE_VIDEO, true, enc->strict_std_compliance, id))
                    throw FFmpegException(FLastErrMsg);
                codec = AVLib.avcodec_find_encoder_by_name(AOptions.Fvideo_codec_name.c_str());
            } else {
                id = AVLib.av_guess_codec(format, nullptr, AOutput.ctx->url, nullptr, AVMEDIA_TYPE_VIDEO);
                codec = AVLib.avcodec_find_encoder(id);
            }
            stream.codec = codec;
            RenewForEncoder(stream);
            enc = stream.enc;
            enc->codec_id = id;
            ApplyFFOptions(FOptions, enc, generic, AV_OPT_FLAG_ENCODING_PARAM | AV_OPT_FLAG_VIDEO_PARAM);
            if (codec && codec->supported_framerates && !AOptions.Fforce_fps)
                rate = codec->supported_framerates[AVLib.av_find_nearest_q_idx(rate, codec->supported_framerates)];
            enc->time_base = AVRational{rate.den, rate.num};
            enc->framerate = rate;
            enc->width = AOptions.Fframe_width;
            enc->height = AOptions.Fframe_height;
            // A size taken from the source may be one the encoder or the muxer cannot take;
            // an asked one was fitted by whoever asked (or fails with the library's reason).
            std::string why;
            if (!AOptions.Fframe_size_asked && codec &&
                FitFrameSize(codec->name, format->name, enc->width, enc->height, why))
                GetFFLogger()->Log(this, llWarning,
                                   Format("Frame size %dx%d of the source: %s, using %dx%d", AOptions.Fframe_width,
                                          AOptions.Fframe_height, why, enc->width, enc->height));
            setAspect();
            enc->pix_fmt = AOptions.Fframe_pix_fmt;
            ChoosePixelFormat(enc, codec);
            if (!AOptions.Fframe_pix_fmt_asked)
                ChooseDeliveryPixelFormat(enc, codec);
            if (AOptions.Fintra_only)
                enc->gop_size = 0;
            if (AOptions.Fvideo_qscale != 0.0f || AOptions.Fsame_quality) {
                enc->flags |= AV_CODEC_FLAG_QSCALE;
                enc->global_quality = int(FF_QP2LAMBDA * AOptions.Fvideo_qscale);
            }
            if (AOptions.Fintra_matrix)
                enc->intra_matrix = MatrixCopy(*AOptions.Fintra_matrix);
            if (AOptions.Finter_matrix)
                enc->inter_matrix = MatrixCopy(*AOptions.Finter_matrix);
            ParseRcOverride(enc, AOptions.Fvideo_rc_override_string);
            if (enc->rc_initial_buffer_occupancy == 0)
                enc->rc_initial_buffer_occupancy = enc->rc_buffer_size * 3 / 4;
            enc->intra_dc_precision = AOptions.Fintra_dc_precision - 8;
            if (AOptions.Fdo_psnr)
                enc->flags |= AV_CODEC_FLAG_PSNR;
            if (AOptions.Fdo_pass == 1)
                enc->flags |= AV_CODEC_FLAG_PASS1;
            else if (AOptions.Fdo_pass == 2)
                enc->flags |= AV_CODEC_FLAG_PASS2;
        }
        CollectEncoderOptions(stream);
        SetLanguage(stream.st, AOptions.Fvideo_language);
    } catch (...) {
        AOptions.Fvideo_codec_name.clear();
        throw;
    }
    AOptions.Fvideo_disable = false;
    AOptions.Fvideo_codec_name.clear();
    AOptions.Fvideo_stream_copy = 0;
    AOptions.Fframe_pix_fmt = AV_PIX_FMT_NONE;
    AOptions.Fframe_pix_fmt_asked = false;
}

void TCustomFFmpeg::NewAudioStream(TJobOutputFile& AOutput, TOptionState& AOptions) {
    try {
        AVCodecContext* generic = FOptions.avcodec_opts[AVMEDIA_TYPE_AUDIO];
        TJobOutputStream& stream = AddOutputStream(AOutput, AVMEDIA_TYPE_AUDIO, AOptions);
        AVCodecContext* enc = stream.enc;
        const AVOutputFormat* format = AOutput.ctx->oformat;
        enc->thread_count = AOptions.Fthread_count;
        if (AOptions.Faudio_codec_tag)
            enc->codec_tag = AOptions.Faudio_codec_tag;
        if (format->flags & AVFMT_GLOBALHEADER)
            SetGlobalHeader(enc, generic);

        if (AOptions.Faudio_stream_copy) {
            stream.stream_copy = true;
            AVLib.av_channel_layout_default(&enc->ch_layout, AOptions.Faudio_channels);
            enc->sample_rate = AOptions.Faudio_sample_rate;
        } else {
            // Before the codec is chosen, so that a "strict" option takes part in its check.
            ApplyFFOptions(FOptions, enc, generic, AV_OPT_FLAG_ENCODING_PARAM | AV_OPT_FLAG_AUDIO_PARAM);
            AVCodecID id = AV_CODEC_ID_NONE;
            const AVCodec* codec = nullptr;
            if (!AOptions.Faudio_codec_name.empty()) {
                if (!FindCodec(AOptions.Faudio_codec_name, AVMEDIA_TYPE_AUDIO, true, enc->strict_std_compliance, id))
                    throw FFmpegException(FLastErrMsg);
                codec = AVLib.avcodec_find_encoder_by_name(AOptions.Faudio_codec_name.c_str());
            } else {
                id = AVLib.av_guess_codec(format, nullptr, AOutput.ctx->url, nullptr, AVMEDIA_TYPE_AUDIO);
                codec = AVLib.avcodec_find_encoder(id);
            }
            stream.codec = codec;
            RenewForEncoder(stream);
            enc = stream.enc;
            ApplyFFOptions(FOptions, enc, generic, AV_OPT_FLAG_ENCODING_PARAM | AV_OPT_FLAG_AUDIO_PARAM);
            enc->codec_id = id;
            if (AOptions.Faudio_qscale > -99999.0f) {
                enc->flags |= AV_CODEC_FLAG_QSCALE;
                enc->global_quality = int(FF_QP2LAMBDA * AOptions.Faudio_qscale);
            }
            // The input's layout when it has the wanted count, else the usual one for that count;
            // then the nearest one the encoder takes.
            if (AOptions.Fchannel_layout.nb_channels == AOptions.Faudio_channels)
                AVLib.av_channel_layout_copy(&enc->ch_layout, &AOptions.Fchannel_layout);
            else
                AVLib.av_channel_layout_default(&enc->ch_layout, AOptions.Faudio_channels);
            const std::string wanted = LayoutName(enc->ch_layout);
            if (ChooseChannelLayout(enc, codec) && wanted != LayoutName(enc->ch_layout))
                GetFFLogger()->Log(this, llWarning,
                                   Format("Channel layout '%s' is not supported by %s, using '%s'", wanted,
                                          std::string(codec ? codec->name : "the encoder"), LayoutName(enc->ch_layout)));
            enc->sample_fmt = AOptions.Faudio_sample_fmt;
            enc->sample_rate = AOptions.Faudio_sample_rate;
            ChooseSampleFormat(enc, codec);
            ChooseSampleRate(enc, codec);
        }
        enc->time_base = AVRational{1, enc->sample_rate > 0 ? enc->sample_rate : AOptions.Faudio_sample_rate};
        CollectEncoderOptions(stream);
        SetLanguage(stream.st, AOptions.Faudio_language);
    } catch (...) {
        AOptions.Faudio_codec_name.clear();
        AOptions.Faudio_language.clear();
        throw;
    }
    AOptions.Faudio_disable = false;
    AOptions.Faudio_codec_name.clear();
    AOptions.Faudio_stream_copy = 0;
}

void TCustomFFmpeg::NewSubtitleStream(TJobOutputFile& AOutput, TOptionState& AOptions) {
    try {
        TJobOutputStream& stream = AddOutputStream(AOutput, AVMEDIA_TYPE_SUBTITLE, AOptions);
        AVCodecContext* enc = stream.enc;
        if (AOptions.Fsubtitle_codec_tag)
            enc->codec_tag = AOptions.Fsubtitle_codec_tag;
        if (AOptions.Fsubtitle_stream_copy) {
            stream.stream_copy = true;
        } else {
            AVCodecID id = AV_CODEC_ID_NONE;
            if (!FindCodec(AOptions.Fsubtitle_codec_name, AVMEDIA_TYPE_SUBTITLE, true, enc->strict_std_compliance, id))
                throw FFmpegException(FLastErrMsg);
            if (!AOptions.Fsubtitle_codec_name.empty()) {
                stream.codec = AVLib.avcodec_find_encoder_by_name(AOptions.Fsubtitle_codec_name.c_str());
            } else {
                // Without a name the container's usual subtitle codec: no codec
                // at all could never be encoded.
                id = AVLib.av_guess_codec(AOutput.ctx->oformat, nullptr, AOutput.ctx->url, nullptr,
                                          AVMEDIA_TYPE_SUBTITLE);
                stream.codec = AVLib.avcodec_find_encoder(id);
            }
            enc->codec_id = id;
        }
        CollectEncoderOptions(stream);
        SetLanguage(stream.st, AOptions.Fsubtitle_language);
    } catch (...) {
        AOptions.Fsubtitle_codec_name.clear();
        AOptions.Fsubtitle_language.clear();
        throw;
    }
    AOptions.Fsubtitle_disable = false;
    AOptions.Fsubtitle_codec_name.clear();
    AOptions.Fsubtitle_stream_copy = 0;
}
