#include <cmath>
#include <cstdlib>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "platform/core/DateTime.h"
#include "platform/core/Path.h"
#include "platform/core/SysUtils.h"

namespace {

// Stream indexes the per-stream option tables accept; they grow on demand,
// this only keeps a stray number from making a huge one.
constexpr int MaxStreamIndex = 1024;
// Entries of a plug-in's argument vector, the plug-in included.
constexpr size_t MaxHookArguments = 64;

// Reads a number like the C run-time's strtol with base 0 and moves past it;
// when the text goes on, one separator character is skipped too.
long ReadNumberAndSkip(const char*& p) {
    char* end = nullptr;
    const long value = std::strtol(p, &end, 0);
    p = end;
    if (*p)
        ++p;
    return value;
}

uint32_t MakeTag(const std::string& value) {
    const auto* b = reinterpret_cast<const unsigned char*>(value.data());
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

void SetTag(const std::string& value, uint32_t& ATag, const char* AKind) {
    if (value.empty())
        return;
    if (value.size() != 4)
        throw FFmpegException(Format("%s tag parameter must be 4 chars", AKind));
    ATag = MakeTag(value);
}

void SetCodec(int& AStreamCopy, std::string& ACodecName, const std::string& value) {
    if (value.empty())
        return;
    ACodecName.clear();
    if (value == "copy")
        AStreamCopy = 1;  // a later codec name does not clear an earlier "copy"
    else
        ACodecName = value;
}

} // namespace

TCriticalSection GlobalPostHookLock;

void TCustomFFmpeg::SetAudioRate(int value) {
    if (value > 0)
        FOptionState.Faudio_sample_rate = value;
}

void TCustomFFmpeg::SetAudioChannels(int value) {
    if (value > 0)
        FOptionState.Faudio_channels = value;
}

void TCustomFFmpeg::SetAudioVolume(int value) {
    if (value >= 0)
        FOptionState.Faudio_volume = value;
}

void TCustomFFmpeg::SetMuxMaxDelay(float value) {
    if (value > 0)
        FOptionState.Fmux_max_delay = value;
}

void TCustomFFmpeg::SetMuxPreload(float value) {
    if (value > 0)
        FOptionState.Fmux_preload = value;
}

void TCustomFFmpeg::SetProgramID(int value) {
    if (value >= 0)
        FOptionState.Fopt_programid = value;
}

void TCustomFFmpeg::SetStartTime(int64_t value) {
    if (value != NoTime)
        FOptionState.Fstart_time = value;
}

void TCustomFFmpeg::SetRecordingTime(int64_t value) {
    if (value == NoTime)
        return;
    FOptionState.Frecording_time = value;
    FOptionState.FTotalOutputDuration = value;
}

void TCustomFFmpeg::SetVideoFilters(const std::string& value) {
    if (!value.empty())
        FOptionState.Fvfilters = value;
}

void TCustomFFmpeg::AddMetadata(const std::string& AKey, const std::string& AValue) {
    FOptionState.Fmetadata.emplace_back(AKey, AValue);
}

void TCustomFFmpeg::SetPostHooks(TPostHooks value) {
    // A preview window switched off goes after the lock is left (it closes in the main thread).
    std::unique_ptr<TCustomPreviewer> closed;
    TCriticalSectionGuard lock(GlobalPostHookLock);
    StorePostHooks(value);
    closed = TakeIdlePreviewer();
}

void TCustomFFmpeg::StorePostHooks(TPostHooks value) {
    if (value == FOptionState.FPostHooks)
        return;
    FOptionState.FPostHooks = value;
}

void TCustomFFmpeg::SetFormat(const std::string& AName) {
    if (AName.empty())
        return;
    std::string name = AName;
    if (name == "pgmyuv") {
        FOptionState.Fpgmyuv_compatibility_hack = 1;
        name = "image2";
        GetFFLogger()->Log(this, llInfo, "pgmyuv format is deprecated, use image2");
    }
    FOptionState.Flast_asked_format = name;
}

bool TCustomFFmpeg::SetGenericOption(const std::string& AName, const std::string& AValue) {
    return SetFFOption(FOptions, AName, AValue);
}

bool TCustomFFmpeg::SetGenericIntOption(const std::string& AName, int32_t AValue) {
    return SetGenericOption(AName, IntToStr(AValue));
}

bool TCustomFFmpeg::SetBitrate(const std::string& AName, const std::string& AValue) {
    if (AName.empty() || AValue.empty())
        return false;
    if (!SetGenericOption(AName, AValue))
        return false;
    AVCodecContext* context = FOptions.avcodec_opts[AName[0] == 'a' ? AVMEDIA_TYPE_AUDIO : AVMEDIA_TYPE_VIDEO];
    int64_t bitrate = 0;
    if (context && AVLib.av_opt_get_int(context, "b", 0, &bitrate) >= 0 && bitrate < 1000)
        GetFFLogger()->Log(this, llWarning,
                           "WARNING: The bitrate parameter is set too low. It takes bits/s as argument, not kbits/s");
    return true;
}

void TCustomFFmpeg::SetFrameRate(const std::string& value) {
    if (value.empty())
        return;
    AVRational rate{0, 0};
    if (AVLib.av_parse_video_rate(&rate, value.c_str()) < 0)
        throw FFmpegException("Incorrect frame rate");
    FOptionState.Fframe_rate = rate;
}

void TCustomFFmpeg::SetFrameSize(const std::string& value) {
    if (value.empty())
        return;
    int width = 0, height = 0;
    if (AVLib.av_parse_video_size(&width, &height, value.c_str()) < 0)
        throw FFmpegException("Incorrect frame size");
    FOptionState.Fframe_width = width;
    FOptionState.Fframe_height = height;
    FOptionState.Fframe_size_asked = true;
}

void TCustomFFmpeg::SetAspectRatio(const std::string& value) {
    if (value.empty())
        return;
    double ratio = 0.0;
    const size_t colon = value.find(':');
    if (colon != std::string::npos) {
        const int x = StrToIntDef(value.substr(0, colon), 0);
        const int y = StrToIntDef(value.substr(colon + 1), 0);
        ratio = y > 0 ? double(x) / y : 0.0;
    } else {
        ratio = StrToFloatDef(value, 0.0);
    }
    // A ratio at or below 0 would reach the output as a negative or empty
    // sample aspect ratio.
    if (!(ratio > 0.0) || !std::isfinite(ratio))
        throw FFmpegException("Incorrect aspect ratio specification.");
    FOptionState.Fframe_aspect_ratio = float(ratio);
}

void TCustomFFmpeg::SetPixelFormat(const std::string& AName) {
    if (AName == "list") {
        TFFLogger* logger = GetFFLogger();
        logger->Log(this, llInfo, "name       nb_components nb_bits");
        for (const AVPixFmtDescriptor* d = AVLib.av_pix_fmt_desc_next(nullptr); d;
             d = AVLib.av_pix_fmt_desc_next(d))
            logger->Log(this, llInfo, Format("%-11s %7d %10d", d->name, int(d->nb_components),
                                             AVLib.av_get_bits_per_pixel(d)));
        return;
    }
    const AVPixelFormat format = AVLib.av_get_pix_fmt(AName.c_str());
    if (format == AV_PIX_FMT_NONE)
        throw FFmpegException(Format("Unknown pixel format requested: %s", AName));
    FOptionState.Fframe_pix_fmt = format;
    FOptionState.Fframe_pix_fmt_asked = true;
}

void TCustomFFmpeg::SetSampleFormat(const std::string& AName) {
    if (AName == "list") {
        char line[128];
        TFFLogger* logger = GetFFLogger();
        for (int format = -1; format < AV_SAMPLE_FMT_NB; ++format) {
            AVLib.av_get_sample_fmt_string(line, sizeof line, AVSampleFormat(format));
            logger->Log(this, llInfo, Trim(line));
        }
        return;
    }
    FOptionState.Faudio_sample_fmt = AVLib.av_get_sample_fmt(AName.c_str());
}

void TCustomFFmpeg::SetCrop(int value, int& ABand, int& ADimension, bool AVertical) {
    if (value <= 0)
        return;
    if (value >= ADimension)
        throw FFmpegException(Format("%s crop dimensions are outside the range of the original image.\n"
                                     "Remember to crop first and scale second.",
                                     AVertical ? "Vertical" : "Horizontal"));
    GetFFLogger()->Log(this, llWarning, "CropXXX is deprecated in favor of the crop avfilter");
    ABand = value;
    ADimension -= value;
}

void TCustomFFmpeg::SetCropTop(int value) { SetCrop(value, FOptionState.Fframe_topBand, FOptionState.Fframe_height, true); }
void TCustomFFmpeg::SetCropBottom(int value) { SetCrop(value, FOptionState.Fframe_bottomBand, FOptionState.Fframe_height, true); }
void TCustomFFmpeg::SetCropLeft(int value) { SetCrop(value, FOptionState.Fframe_leftBand, FOptionState.Fframe_width, false); }
void TCustomFFmpeg::SetCropRight(int value) { SetCrop(value, FOptionState.Fframe_rightBand, FOptionState.Fframe_width, false); }

void TCustomFFmpeg::SetVideoQScale(float value) {
    if (!(value > 0.0f) || value > 255.0f)
        throw FFmpegException("qscale must be > 0.0 and <= 255");
    FOptionState.Fvideo_qscale = value;
}

void TCustomFFmpeg::SetVideoCodec(const std::string& value) { SetCodec(FOptionState.Fvideo_stream_copy, FOptionState.Fvideo_codec_name, value); }
void TCustomFFmpeg::SetAudioCodec(const std::string& value) { SetCodec(FOptionState.Faudio_stream_copy, FOptionState.Faudio_codec_name, value); }
void TCustomFFmpeg::SetSubtitleCodec(const std::string& value) {
    SetCodec(FOptionState.Fsubtitle_stream_copy, FOptionState.Fsubtitle_codec_name, value);
}

void TCustomFFmpeg::SetVideoTag(const std::string& value) { SetTag(value, FOptionState.Fvideo_codec_tag, "video"); }
void TCustomFFmpeg::SetAudioTag(const std::string& value) { SetTag(value, FOptionState.Faudio_codec_tag, "audio"); }
void TCustomFFmpeg::SetSubtitleTag(const std::string& value) { SetTag(value, FOptionState.Fsubtitle_codec_tag, "subtitle"); }

void TCustomFFmpeg::AddVideoHook(const std::string& ACommandLine) {
    const char separator = ACommandLine.find('|') != std::string::npos ? '|' : ' ';
    std::vector<std::string> arguments;
    size_t start = 0;
    while (start <= ACommandLine.size()) {
        size_t end = ACommandLine.find(separator, start);
        if (end == std::string::npos)
            end = ACommandLine.size();
        if (end > start)
            arguments.push_back(ACommandLine.substr(start, end - start));
        start = end + 1;
    }
    if (arguments.empty() || arguments.size() > MaxHookArguments || AddFrameHook(arguments) != 0)
        throw FFmpegException("Failed to add video hook function: " + ACommandLine);
    FOptionState.Fusing_vhook = true;
}

int TCustomFFmpeg::AddFrameHook(const std::vector<std::string>& AArguments) {
    return FFrameHooks.AddFrameHook(AArguments);
}

void TCustomFFmpeg::AddStreamMap(const std::string& value) {
    const char* p = value.c_str();
    TAVStreamMap map;
    map.file_index = int32_t(ReadNumberAndSkip(p));
    map.stream_index = int32_t(ReadNumberAndSkip(p));
    if (*p) {
        map.sync_file_index = int32_t(ReadNumberAndSkip(p));
        map.sync_stream_index = int32_t(ReadNumberAndSkip(p));
    } else {
        map.sync_file_index = map.file_index;
        map.sync_stream_index = map.stream_index;
    }
    FOptionState.Fstream_maps.push_back(map);
}

void TCustomFFmpeg::AddMetaDataMap(const std::string& value) {
    const char* p = value.c_str();
    TAVMetaDataMap map;
    map.out_file = int32_t(ReadNumberAndSkip(p));
    map.in_file = int32_t(ReadNumberAndSkip(p));
    FOptionState.Fmeta_data_maps.push_back(map);
}

void TCustomFFmpeg::SetInputTsScale(const std::string& value) {
    const char* p = value.c_str();
    char* end = nullptr;
    const long index = std::strtol(p, &end, 0);
    p = end;
    if (*p)
        ++p;
    const double scale = std::strtod(p, nullptr);
    if (index < 0 || index >= MaxStreamIndex)
        throw FFmpegException(Format("stream index over MAX_STREAMS(%d)", MaxStreamIndex));
    const size_t input = size_t(nb_input_files());
    if (FOptionState.Finput_files_ts_scale.size() <= input)
        FOptionState.Finput_files_ts_scale.resize(input + 1);
    std::vector<double>& scales = FOptionState.Finput_files_ts_scale[input];
    if (scales.size() <= size_t(index))
        scales.resize(size_t(index) + 1, 0.0);
    scales[size_t(index)] = scale;
}

int64_t TCustomFFmpeg::ParseTimeSpec(const std::string& AName, const std::string& AValue, bool ADuration) {
    int64_t us = 0;
    if (AVLib.av_parse_time(&us, AValue.c_str(), ADuration) < 0)
        throw FFmpegException(Format("Invalid %s specification for %s: %s", ADuration ? "duration" : "date", AName,
                                     AValue));
    return us;
}

void TCustomFFmpeg::SetRecordingTimeOption(const std::string& AName, const std::string& AValue) {
    SetRecordingTime(ParseTimeSpec(AName, AValue, true));
}

void TCustomFFmpeg::SetStartTimeOption(const std::string& AName, const std::string& AValue) {
    FOptionState.Fstart_time = ParseTimeSpec(AName, AValue, true);
}

void TCustomFFmpeg::SetInputTsOffset(const std::string& AName, const std::string& AValue) {
    FOptionState.Finput_ts_offset = ParseTimeSpec(AName, AValue, true);
}

void TCustomFFmpeg::SetRecordingTimestamp(const std::string& AName, const std::string& AValue) {
    FOptionState.Frecording_timestamp = std::llround(double(ParseTimeSpec(AName, AValue, false)) / 1000000.0);
}

void TCustomFFmpeg::AddMetadataOption(const std::string& value) {
    const size_t equals = value.find('=');
    if (equals == std::string::npos)
        throw FFmpegException("Missing =");
    AddMetadata(value.substr(0, equals), value.substr(equals + 1));
}

void TCustomFFmpeg::ParseMatrix(std::optional<TQuantMatrix>& AMatrix, const std::string& value) {
    // Parsed aside, so a refused text leaves the matrix as it was.
    TQuantMatrix matrix{};
    const char* p = value.c_str();
    for (int i = 0; i < 64; ++i) {
        const long coeff = std::strtol(p, nullptr, 10);
        // 0 would reach a division in the encoder; a 16-bit entry above 255
        // is no quantiser either.
        if (coeff < 1 || coeff > 255)
            throw FFmpegException(
                Format("Matrix value out of range (1..255) in matrix \"%s\" at coeff %d", value, i));
        matrix[i] = uint16_t(coeff);
        if (i == 63)
            break;
        const char* comma = std::strchr(p, ',');
        if (!comma)
            throw FFmpegException(Format("Syntax error in matrix \"%s\" at coeff %d", value, i));
        p = comma + 1;
    }
    AMatrix = matrix;
}

void TCustomFFmpeg::SetIntraMatrix(const std::string& value) { ParseMatrix(FOptionState.Fintra_matrix, value); }
void TCustomFFmpeg::SetInterMatrix(const std::string& value) { ParseMatrix(FOptionState.Finter_matrix, value); }

void TCustomFFmpeg::SetPass(int value) {
    if (value != 1 && value != 2)
        throw FFmpegException("pass number can be only 1 or 2");
    FOptionState.Fdo_pass = value;
}

void TCustomFFmpeg::SetVStats(bool value) {
    FOptionState.Fvstats_filename.clear();
    if (value)
        FOptionState.Fvstats_filename = Format("%svstats_%s.log", IncludeTrailingPathDelimiter(CacheFolder()),
                                  FormatDateTime("hhnnss", Now()));
}

void TCustomFFmpeg::AddBitstreamFilter(const std::string& AName, const std::string& AValue) {
    if (AName.empty() || AValue.empty() || AValue[0] == '=')
        return;
    const std::string name = AValue.substr(0, AValue.find('='));
    const AVBitStreamFilter* filter = AVLib.av_bsf_get_by_name(name.c_str());
    if (!filter)
        throw FFmpegException(Format("Unknown bitstream filter %s", Trim(AValue)));
    if (AName[0] == 'v')
        FOptionState.Fvideo_bitstream_filters.push_back(filter);
    else if (AName[0] == 'a')
        FOptionState.Faudio_bitstream_filters.push_back(filter);
    else
        FOptionState.Fsubtitle_bitstream_filters.push_back(filter);
}

void TCustomFFmpeg::SetStreamId(const std::string& AName, const std::string& AValue) {
    if (AName.empty() || AValue.empty())
        return;
    const size_t colon = AValue.find(':');
    const std::string left = colon == std::string::npos ? AValue : AValue.substr(0, colon);
    const std::string right = colon == std::string::npos ? "" : AValue.substr(colon + 1);
    int index = 0;
    if (left.empty() || right.empty() || !TryStrToInt(left, index) || index < 0 || index >= MaxStreamIndex)
        throw FFmpegException(Format(
            "Invalid value \"%s\" for option \"%s\", required syntax is \"index:value\"", AValue, AName));
    const int id = StrToInt(right);
    for (auto& entry : FOptionState.Fstreamid_map)
        if (entry.first == index) {
            entry.second = id;
            return;
        }
    FOptionState.Fstreamid_map.emplace_back(index, id);
}

bool TCustomFFmpeg::FindCodec(const std::string& AName, AVMediaType AType, bool AEncoder, int AStrict,
                              AVCodecID& ACodecID) {
    if (AName.empty()) {
        ACodecID = AV_CODEC_ID_NONE;
        return true;
    }
    const char* kind = AEncoder ? "encoder" : "decoder";
    const AVCodec* codec = AEncoder ? AVLib.avcodec_find_encoder_by_name(AName.c_str())
                                    : AVLib.avcodec_find_decoder_by_name(AName.c_str());
    if (!codec) {
        FLastErrMsg = Format("Unknown %s '%s'", kind, AName);
        return false;
    }
    if (codec->type != AType) {
        FLastErrMsg = Format("Invalid %s type '%s'", kind, AName);
        return false;
    }
    if ((codec->capabilities & AV_CODEC_CAP_EXPERIMENTAL) && AStrict > FF_COMPLIANCE_EXPERIMENTAL) {
        FLastErrMsg = Format("%s '%s' is experimental and might produce bad results.\r\n"
                             "Add '-strict experimental' if you want to use it.",
                             kind, codec->name);
        const AVCodec* other =
            AEncoder ? AVLib.avcodec_find_encoder(codec->id) : AVLib.avcodec_find_decoder(codec->id);
        if (other && !(other->capabilities & AV_CODEC_CAP_EXPERIMENTAL))
            FLastErrMsg += Format("\r\nOr use the non experimental %s '%s'.", kind, other->name);
        return false;
    }
    ACodecID = codec->id;
    return true;
}
