#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/DisplayRotation.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/util/FileNames.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

namespace {

void SetInt(AVDictionary** ADict, const char* AKey, int64_t AValue) {
    AVLib.av_dict_set(ADict, AKey, IntToStr(AValue).c_str(), 0);
}

} // namespace

// What a raw or capture input needs to know before it can be read; the
// demuxers that have such settings take them, the others leave them.
AVDictionary* TCustomFFmpeg::InputOpenOptions(const TOptionState& AOptions) const {
    AVDictionary* options = nullptr;
    AVLib.av_dict_copy(&options, FOptions.format_dict, 0);
    if (AOptions.Faudio_sample_rate > 0)
        SetInt(&options, "sample_rate", AOptions.Faudio_sample_rate);
    if (AOptions.Faudio_channels > 0)
        SetInt(&options, "channels", AOptions.Faudio_channels);
    if (AOptions.Fframe_rate.num > 0 && AOptions.Fframe_rate.den > 0)
        AVLib.av_dict_set(&options, "framerate", Format("%d/%d", AOptions.Fframe_rate.num, AOptions.Fframe_rate.den).c_str(), 0);
    if (AOptions.Fframe_width > 0 && AOptions.Fframe_height > 0)
        AVLib.av_dict_set(&options, "video_size", Format("%dx%d", AOptions.Fframe_width, AOptions.Fframe_height).c_str(), 0);
    if (AOptions.Fframe_pix_fmt != AV_PIX_FMT_NONE)
        if (const char* name = AVLib.av_get_pix_fmt_name(AOptions.Fframe_pix_fmt))
            AVLib.av_dict_set(&options, "pixel_format", name, 0);
    if (AOptions.Fvideo_channel != 0)
        SetInt(&options, "channel", AOptions.Fvideo_channel);
    if (!AOptions.Fvideo_standard.empty())
        AVLib.av_dict_set(&options, "standard", AOptions.Fvideo_standard.c_str(), 0);
    if (AOptions.Floop_input)
        AVLib.av_dict_set(&options, "loop", "1", 0);  // the picture-sequence demuxer's
    return options;
}

void TCustomFFmpeg::AbortInputFile(AVFormatContext*& AContext) {
    FOptionState.Fvideo_codec_name.clear();
    FOptionState.Faudio_codec_name.clear();
    FOptionState.Fsubtitle_codec_name.clear();
    FOptionState.Fvideo_channel = 0;
    if (AContext)
        AVLib.avformat_close_input(&AContext);
}

bool TCustomFFmpeg::SelectProgram(AVFormatContext* AContext, const TOptionState& AOptions) {
    for (unsigned i = 0; i < AContext->nb_streams; ++i)
        AContext->streams[i]->discard = AVDISCARD_ALL;
    bool found = false;
    for (unsigned p = 0; p < AContext->nb_programs; ++p) {
        AVProgram* program = AContext->programs[p];
        if (program->id != AOptions.Fopt_programid) {
            program->discard = AVDISCARD_ALL;
            continue;
        }
        found = true;
        for (unsigned j = 0; j < program->nb_stream_indexes; ++j)
            if (program->stream_index[j] < AContext->nb_streams)
                AContext->streams[program->stream_index[j]]->discard = AVDISCARD_DEFAULT;
    }
    return found;
}

bool TCustomFFmpeg::OpenInputFile(const std::string& AFileName) {
    CheckAVLib();
    const AVInputFormat* format = nullptr;
    if (!FOptionState.Flast_asked_format.empty()) {
        format = AVLib.av_find_input_format(FOptionState.Flast_asked_format.c_str());
        if (!format)
            throw FFmpegException(Format("Unknown input format: \"%s\"", FOptionState.Flast_asked_format));
        FOptionState.Flast_asked_format.clear();
    }
    AVFormatContext* context = nullptr;
    if (nb_input_files() >= FMaxFiles) {
        FLastErrMsg = Format("max input files %d reached", FMaxFiles);
        AbortInputFile(context);
        return false;
    }
    context = AVLib.avformat_alloc_context();
    if (!context)
        throw FFmpegException("avformat_alloc_context failed");
    ApplyFFOptions(FOptions, context, FOptions.avformat_opts, AV_OPT_FLAG_DECODING_PARAM);

    if (!ForceInputDecoders(context)) {
        AbortInputFile(context);
        return false;
    }
    context->flags |= AVFMT_FLAG_NONBLOCK;
    if (FOptionState.Fpgmyuv_compatibility_hack)
        context->video_codec_id = AV_CODEC_ID_PGMYUV;

    AVDictionary* options = InputOpenOptions(FOptionState);
    // On failure the library frees the context itself and clears the pointer.
    const int opened = AVLib.avformat_open_input(&context, FileNameToAV(AFileName).c_str(), format, &options);
    if (opened >= 0)
        NoteTakenOptions(FOptions.format_dict, options);
    AVLib.av_dict_free(&options);
    if (opened < 0) {
        FLastErrMsg = AVErrorText(AFileName, opened);
        AbortInputFile(context);
        return false;
    }

    if (!ReadInputStreamInfo(context, AFileName)) {
        AbortInputFile(context);
        return false;
    }

    const int64_t timestamp = SeekInputStart(context, AFileName);

    auto input = std::make_unique<TJobInputFile>();
    input->ctx = context;
    input->FileName = AFileName;
    try {
        AddInputStreams(*input, FOptionState);
    } catch (...) {
        FreeInputFile(*input);  // closes the context too
        context = nullptr;
        AbortInputFile(context);
        throw;
    }

    if (context->duration != AV_NOPTS_VALUE && context->duration > FOptionState.FTotalOutputDuration)
        FOptionState.FTotalOutputDuration = context->duration;
    const size_t index = FInputs.size();
    if (index < FOptionState.Finput_files_ts_scale.size())
        input->ts_scale = FOptionState.Finput_files_ts_scale[index];
    input->ts_offset = FOptionState.Fcopy_ts ? FOptionState.Finput_ts_offset : FOptionState.Finput_ts_offset - timestamp;
    if (FOptionState.Fverbose >= 0)
        AVLib.av_dump_format(context, int(index), FileNameToAV(AFileName).c_str(), 0);
    FInputs.push_back(std::move(input));
    FOptionState.Fvideo_channel = 0;
    FOptionState.Fvideo_codec_name.clear();
    FOptionState.Faudio_codec_name.clear();
    FOptionState.Fsubtitle_codec_name.clear();
    return true;
}

bool TCustomFFmpeg::ForceInputDecoders(AVFormatContext* context) {
    // Forced decoders.
    struct TForced {
        const std::string& Name;
        AVMediaType Type;
        AVCodecID* Id;
        const AVCodec** Codec;
    } forced[] = {
        {FOptionState.Fvideo_codec_name, AVMEDIA_TYPE_VIDEO, &context->video_codec_id, &context->video_codec},
        {FOptionState.Faudio_codec_name, AVMEDIA_TYPE_AUDIO, &context->audio_codec_id, &context->audio_codec},
        {FOptionState.Fsubtitle_codec_name, AVMEDIA_TYPE_SUBTITLE, &context->subtitle_codec_id, &context->subtitle_codec},
    };
    for (const TForced& f : forced) {
        const AVCodecContext* generic = FOptions.avcodec_opts[f.Type];
        if (!FindCodec(f.Name, f.Type, false, generic ? generic->strict_std_compliance : 0, *f.Id)) {
            return false;
        }
        if (!f.Name.empty())
            *f.Codec = AVLib.avcodec_find_decoder_by_name(f.Name.c_str());
    }
    return true;
}

// The program asked for and the streams' parameters; false with the reason in FLastErrMsg.
bool TCustomFFmpeg::ReadInputStreamInfo(AVFormatContext* context, const std::string& AFileName) {
    if (FOptionState.Fopt_programid != 0) {
        if (!SelectProgram(context, FOptionState)) {
            FLastErrMsg = "Specified program id not found";
            return false;
        }
        FOptionState.Fopt_programid = 0;
    }

    int found;
    {
        TCriticalSectionGuard lock(GlobalCodecLock);
        found = AVLib.avformat_find_stream_info(context, nullptr);
    }
    if (found < 0 && FOptionState.Fverbose >= 0) {
        FLastErrMsg = Format("%s: could not find codec parameters", AFileName);
        GetFFLogger()->Log(this, llVerbose, FLastErrMsg);
        return false;
    }

    return true;
}

// Seeks to the start time asked for; returns that time on the file's own clock.
int64_t TCustomFFmpeg::SeekInputStart(AVFormatContext* context, const std::string& AFileName) {
    int64_t timestamp = FOptionState.Fstart_time;
    if (context->start_time != AV_NOPTS_VALUE)
        timestamp += context->start_time;
    if (FOptionState.Fstart_time != 0) {
        if (AVLib.av_seek_frame(context, -1, timestamp, AVSEEK_FLAG_BACKWARD) < 0 && FOptionState.Fverbose > 0)
            GetFFLogger()->Log(this, llVerbose, Format("%s: could not seek to position %0.3f", AFileName,
                                                       double(timestamp) / AV_TIME_BASE));
        FOptionState.Fstart_time = 0;
    }
    return timestamp;
}

void TCustomFFmpeg::AddInputStreams(TJobInputFile& AInput, TOptionState& AOptions) {
    AVFormatContext* context = AInput.ctx;
    auto decoderByName = [this](const std::string& AName) -> const AVCodec* {
        return AName.empty() ? nullptr : AVLib.avcodec_find_decoder_by_name(AName.c_str());
    };
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        AVStream* st = context->streams[i];
        auto record = std::make_unique<TJobInputStream>();
        record->st = st;
        AVCodecContext* dec = record->dec = AVLib.avcodec_alloc_context3(nullptr);
        AInput.streams.push_back(std::move(record));
        TJobInputStream& stream = *AInput.streams.back();
        if (!dec || AVLib.avcodec_parameters_to_context(dec, st->codecpar) < 0)
            throw FFmpegException("out of memory");
        dec->thread_count = AOptions.Fthread_count;
        dec->pkt_timebase = st->time_base;

        switch (dec->codec_type) {
        case AVMEDIA_TYPE_VIDEO: {
            ApplyFFOptions(FOptions, dec, FOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO],
                           AV_OPT_FLAG_DECODING_PARAM | AV_OPT_FLAG_VIDEO_PARAM);
            AOptions.Fframe_width = dec->width;
            AOptions.Fframe_height = dec->height;
            AOptions.Fframe_size_asked = false;
            const AVRational sar = st->sample_aspect_ratio.num ? st->sample_aspect_ratio : dec->sample_aspect_ratio;
            const double ratio = sar.num && sar.den ? double(sar.num) / sar.den : 0.0;
            if (dec->width * dec->height != 0)
                AOptions.Fframe_aspect_ratio = float(ratio != 0.0 ? dec->width * ratio / dec->height
                                                         : double(dec->width) / dec->height);
            else
                AOptions.Fframe_aspect_ratio = float(ratio != 0.0 ? ratio : 4.0 / 3.0);
            if (dec->pix_fmt == AV_PIX_FMT_NONE)
                dec->pix_fmt = AV_PIX_FMT_YUV420P;
            AOptions.Fframe_pix_fmt = dec->pix_fmt;
            AOptions.Fframe_pix_fmt_asked = false;
            if (dec->lowres) {
                AOptions.Fframe_width >>= dec->lowres;
                AOptions.Fframe_height >>= dec->lowres;
            }
            // A picture stored turned converts upright: its size and shape are the upright one's.
            if (SwapsSides(DisplayRotation(st))) {
                std::swap(AOptions.Fframe_width, AOptions.Fframe_height);
                if (AOptions.Fframe_aspect_ratio > 0.0f)
                    AOptions.Fframe_aspect_ratio = 1.0f / AOptions.Fframe_aspect_ratio;
            }
            const AVRational avg = st->avg_frame_rate, real = st->r_frame_rate;
            if (avg.num && avg.den && real.num && real.den && (avg.num != real.num || avg.den != real.den) &&
                AOptions.Fverbose >= 0)
                GetFFLogger()->Log(
                    this, llInfo,
                    Format("Seems stream %d codec frame rate differs from container frame rate: "
                           "%2.2f (%d/%d) -> %2.2f (%d/%d)",
                           int(i), double(avg.num) / avg.den, avg.num, avg.den, double(real.num) / real.den,
                           real.num, real.den));
            AOptions.Fframe_rate = real;
            stream.codec = decoderByName(AOptions.Fvideo_codec_name);
            if (AOptions.Fvideo_disable)
                st->discard = AVDISCARD_ALL;
            else if (AOptions.Fvideo_discard)
                st->discard = AVDiscard(AOptions.Fvideo_discard);
            break;
        }
        case AVMEDIA_TYPE_AUDIO:
            ApplyFFOptions(FOptions, dec, FOptions.avcodec_opts[AVMEDIA_TYPE_AUDIO],
                           AV_OPT_FLAG_DECODING_PARAM | AV_OPT_FLAG_AUDIO_PARAM);
            AVLib.av_channel_layout_uninit(&AOptions.Fchannel_layout);
            AVLib.av_channel_layout_copy(&AOptions.Fchannel_layout, &dec->ch_layout);
            AOptions.Faudio_channels = dec->ch_layout.nb_channels;
            AOptions.Faudio_sample_rate = dec->sample_rate;
            AOptions.Faudio_sample_fmt = dec->sample_fmt;
            stream.codec = decoderByName(AOptions.Faudio_codec_name);
            if (AOptions.Faudio_disable)
                st->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            stream.codec = decoderByName(AOptions.Fsubtitle_codec_name);
            if (AOptions.Fsubtitle_disable)
                st->discard = AVDISCARD_ALL;
            break;
        case AVMEDIA_TYPE_DATA:
        case AVMEDIA_TYPE_ATTACHMENT:
        case AVMEDIA_TYPE_UNKNOWN:
            break;
        default:
            throw FFmpegException("invalid codec_type");
        }
    }
}

void TCustomFFmpeg::CheckInputStreamTypes(int& AHasVideo, int& AHasAudio, int& AHasSubtitle, bool AFirstOnly) const {
    AHasVideo = AHasAudio = AHasSubtitle = 0;
    const size_t count = AFirstOnly ? std::min<size_t>(1, FInputs.size()) : FInputs.size();
    for (size_t f = 0; f < count; ++f) {
        const AVFormatContext* context = FInputs[f]->ctx;
        for (unsigned i = 0; i < context->nb_streams; ++i)
            switch (context->streams[i]->codecpar->codec_type) {
            case AVMEDIA_TYPE_VIDEO: AHasVideo = 1; break;
            case AVMEDIA_TYPE_AUDIO: AHasAudio = 1; break;
            case AVMEDIA_TYPE_SUBTITLE: AHasSubtitle = 1; break;
            case AVMEDIA_TYPE_DATA:
            case AVMEDIA_TYPE_ATTACHMENT:
            case AVMEDIA_TYPE_UNKNOWN: break;
            default: throw FFmpegException("invalid codec_type of input file");
            }
    }
}
