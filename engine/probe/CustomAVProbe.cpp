#include "engine/probe/CustomAVProbe.h"

#include <cctype>
#include <vector>

#include "engine/loader/EntryPoints.h"
#include "engine/loader/Loader.h"
#include "engine/log/Logger.h"
#include "engine/probe/ProbeTexts.h"
#include "engine/util/FileNames.h"
#include "engine/util/MiscUtils.h"
#include "engine/util/Texts.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

namespace {


// The number a metadata value starts with ("2021-03-04" gives 2021, "3/12" gives 3); 0 when none.
int32_t LeadingNumber(const std::string& AText) {
    int64_t value = 0;
    size_t i = 0;
    while (i < AText.size() && AText[i] == ' ')
        ++i;
    for (; i < AText.size() && std::isdigit(static_cast<unsigned char>(AText[i])) && value < INT32_MAX; ++i)
        value = value * 10 + (AText[i] - '0');
    return value > INT32_MAX ? INT32_MAX : int32_t(value);
}

int32_t ClampToInt32(int64_t AValue) {
    return AValue > INT32_MAX ? INT32_MAX : AValue < INT32_MIN ? INT32_MIN : int32_t(AValue);
}

// -1 for the no-time value.
int64_t ScaledStreamTime(int64_t ATime, AVRational ABase) {
    return ATime == AV_NOPTS_VALUE ? -1 : StreamTimeUS(ATime, ABase);
}

const char* KindName(AVMediaType AKind) {
    switch (AKind) {
    case AVMEDIA_TYPE_AUDIO: return "audio";
    case AVMEDIA_TYPE_VIDEO: return "video";
    default: return "subtitle";
    }
}

// A program's provider or name: the demuxers of today keep them under "service_" keys.
std::string ProgramText(const AVProgram* AProgram, const char* AKey, const char* ATodayKey) {
    std::string text = GetMetadataText(AProgram->metadata, AKey);
    if (text.empty())
        text = GetMetadataText(AProgram->metadata, ATodayKey, "N/A");
    return text;
}

template <typename TInfo>
void FillCommon(TInfo& AInfo, const AVStream* AStream) {
    AInfo.Language = GetMetadataText(AStream->metadata, "language");
    AInfo.CodecName = CodecDescription(AStream->codecpar->codec_id, AStream->codecpar->codec_tag, false);
}

template <typename TInfo>
void FillTimes(TInfo& AInfo, const AVStream* AStream) {
    AInfo.StartTime = AStream->start_time;
    AInfo.StartTimeScaled = ScaledStreamTime(AStream->start_time, AStream->time_base);
    AInfo.Duration = AStream->duration;
    AInfo.DurationScaled = ScaledStreamTime(AStream->duration, AStream->time_base);
    AInfo.BitRate = ClampToInt32(AStream->codecpar->bit_rate);
}

} // namespace

TCustomAVProbe::TCustomAVProbe(TComponent* AOwner) : TFFBaseComponent(AOwner) {}

TCustomAVProbe::~TCustomAVProbe() { TCustomAVProbe::CloseFile(); }

bool TCustomAVProbe::AVLibLoaded() const { return GlobalLoader().Loaded(ProbeLibraries); }

bool TCustomAVProbe::LoadAVLib(const std::string& APath) {
    GlobalLoader().SetLibraryPath(APath);
    if (GlobalLoader().Load(ProbeLibraries))
        return true;
    FLastErrMsg = GlobalLoader().LastErrMsg();
    return false;
}

void TCustomAVProbe::UnloadAVLib() { GlobalLoader().Unload(ProbeLibraries); }

void TCustomAVProbe::CheckAVLib() const {
    if (const char* missing = MissingCodecLibraryText())
        throw EExternalException(missing);
}

void TCustomAVProbe::ReportError(int ALevel, const std::string& AText) {
    GetFFLogger()->Log(this, AVLevelToLogLevel(ALevel), AText);
    FLastErrMsg = AText;
}

bool TCustomAVProbe::LoadFile(const std::string& AFileName, const std::string& AFormatName) {
    CheckAVLib();
    CloseFile();

    const AVInputFormat* format = nullptr;
    if (!AFormatName.empty()) {
        format = AVLib.av_find_input_format(AFormatName.c_str());
        if (!format) {
            FLastErrMsg = Format("Unknown input format: %s", AFormatName);
            return false;
        }
    }

    AVFormatContext* context = AVLib.avformat_alloc_context();
    if (!context) {
        ReportError(AV_LOG_ERROR, AVErrorText(AFileName, AVERROR(ENOMEM)));
        return false;
    }
    context->flags |= AVFMT_FLAG_NONBLOCK;
    // On failure the library frees the context itself and clears the pointer.
    const int opened = AVLib.avformat_open_input(&context, FileNameToAV(AFileName).c_str(), format, nullptr);
    if (opened < 0) {
        ReportError(AV_LOG_ERROR, AVErrorText(AFileName, opened));
        CloseFile();
        return false;
    }
    FFileHandle = context;
    FOwnHandle = true;

    if (AVLib.avformat_find_stream_info(FFileHandle, nullptr) < 0) {
        FLastErrMsg = Format("%s: could not find codec parameters", AFileName);
        CloseFile();
        return false;
    }
    UpdateStreamCounts();
    FForceFormat = AFormatName;
    return true;
}

void TCustomAVProbe::CloseFile() {
    FForceFormat.clear();
    if (FFileHandle) {
        if (FOwnHandle)
            AVLib.avformat_close_input(&FFileHandle);
        FFileHandle = nullptr;
    }
    FOwnHandle = false;
    UpdateStreamCounts();
}

void TCustomAVProbe::SetFileHandle(AVFormatContext* AContext) {
    CheckAVLib();
    CloseFile();
    FOwnHandle = false;
    FFileHandle = AContext;
    UpdateStreamCounts();
}

void TCustomAVProbe::UpdateStreamCounts() {
    FFileSize = -1;
    FStreamCount = FProgramCount = -1;
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = -1;
    FFirstAudioStreamIndex = FFirstVideoStreamIndex = FFirstSubtitleStreamIndex = -1;
    if (!FFileHandle)
        return;

    // Formats that read their own files (image sequences) have no input buffer.
    const int64_t contextSize = FFileHandle->pb ? AVLib.avio_size(FFileHandle->pb) : 0;
    const int64_t diskSize = contextSize > 0 ? -1 : GetFileSizeByName(AVToFileName(FFileHandle->url ? FFileHandle->url : ""));
    FFileSize = contextSize > 0 ? contextSize : diskSize >= 0 ? diskSize : contextSize;

    FStreamCount = int(FFileHandle->nb_streams);
    FProgramCount = int(FFileHandle->nb_programs);
    FAudioStreamCount = FVideoStreamCount = FSubtitleStreamCount = 0;
    for (int i = 0; i < FStreamCount; ++i) {
        switch (FFileHandle->streams[i]->codecpar->codec_type) {
        case AVMEDIA_TYPE_VIDEO:
            ++FVideoStreamCount;
            if (FFirstVideoStreamIndex < 0)
                FFirstVideoStreamIndex = i;
            break;
        case AVMEDIA_TYPE_AUDIO:
            ++FAudioStreamCount;
            if (FFirstAudioStreamIndex < 0)
                FFirstAudioStreamIndex = i;
            break;
        case AVMEDIA_TYPE_SUBTITLE:
            ++FSubtitleStreamCount;
            if (FFirstSubtitleStreamIndex < 0)
                FFirstSubtitleStreamIndex = i;
            break;
        default:
            break;
        }
    }
}

std::string TCustomAVProbe::FileName() {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return {};
    }
    return AVToFileName(FFileHandle->url ? FFileHandle->url : "");
}

std::string TCustomAVProbe::FormatName() {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return {};
    }
    return FFileHandle->iformat && FFileHandle->iformat->name ? FFileHandle->iformat->name : "";
}

std::string TCustomAVProbe::FormatLongName() {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return {};
    }
    return FFileHandle->iformat && FFileHandle->iformat->long_name ? FFileHandle->iformat->long_name : "";
}

TFileStreamInfo TCustomAVProbe::FileStreamInfo() {
    TFileStreamInfo info;
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return info;
    }
    const AVFormatContext* c = FFileHandle;
    info.StartTime = c->start_time == AV_NOPTS_VALUE ? -1 : c->start_time;
    info.Duration = c->duration == AV_NOPTS_VALUE ? -1 : c->duration;
    info.BitRate = ClampToInt32(c->bit_rate);

    // The old container fields of time stamp, year and track live in the metadata today.
    info.TimeStamp = 0;
    const std::string created = GetMetadataText(c->metadata, "creation_time");
    int64_t createdUS = 0;
    if (!created.empty() && AVLib.av_parse_time(&createdUS, created.c_str(), 0) >= 0)
        info.TimeStamp = createdUS / 1000000;
    std::string year = GetMetadataText(c->metadata, "date");
    if (year.empty())
        year = GetMetadataText(c->metadata, "year");
    info.Year = LeadingNumber(year);
    info.Track = LeadingNumber(GetMetadataText(c->metadata, "track"));

    info.Title = GetMetadataText(c->metadata, "title");
    info.Author = GetMetadataText(c->metadata, "author");
    if (info.Author.empty())
        info.Author = GetMetadataText(c->metadata, "artist");
    info.Copyright = GetMetadataText(c->metadata, "copyright");
    info.Comment = GetMetadataText(c->metadata, "comment");
    info.Album = GetMetadataText(c->metadata, "album");
    info.Genre = GetMetadataText(c->metadata, "genre");
    return info;
}

std::string TCustomAVProbe::FileInfoText() {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return {};
    }
    const AVFormatContext* c = FFileHandle;
    const TFileStreamInfo info = FileStreamInfo();
    std::vector<std::string> lines;
    lines.push_back("File Name: " + FileName());
    lines.push_back("Format Name: " + FormatName());
    lines.push_back("Format Long Name: " + FormatLongName());
    lines.push_back("File Size: " + FormatByteSize(FFileSize));
    lines.push_back(info.Duration < 0 ? "Duration: N/A" : "Duration: " + FormatAVTime(info.Duration));
    if (info.StartTime >= 0)
        lines.push_back("StartTime: " + FormatSecondsText(info.StartTime));
    lines.push_back(info.BitRate < 1 ? "Bit Rate: N/A" : Format("Bit Rate: %d kb/s", info.BitRate / 1000));
    if (info.TimeStamp > 0)
        lines.push_back("Time Stamp: " + FormatDateTime("yyyy-mm-dd hh:nn:ss", UnixTimeToDateTime(info.TimeStamp)));
    AddMetadataLines(lines, c->metadata, "");

    std::vector<bool> shown(c->nb_streams, false);
    for (unsigned p = 0; p < c->nb_programs; ++p) {
        const AVProgram* program = c->programs[p];
        lines.push_back(Format("Program %d %s@%s", program->id, ProgramText(program, "provider_name", "service_provider"),
                               ProgramText(program, "name", "service_name")));
        AddMetadataLines(lines, program->metadata, "  ");
        for (unsigned k = 0; k < program->nb_stream_indexes; ++k) {
            const unsigned index = program->stream_index[k];
            if (index >= c->nb_streams)
                continue;
            lines.push_back(StreamLineText(c, int(index)));
            AddMetadataLines(lines, c->streams[index]->metadata, "  ");
            shown[index] = true;
        }
    }
    for (unsigned i = 0; i < c->nb_streams; ++i)
        if (!shown[i]) {
            lines.push_back(StreamLineText(c, int(i)));
            AddMetadataLines(lines, c->streams[i]->metadata, "  ");
        }

    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

bool TCustomAVProbe::IsStreamOfType(int AStreamIndex, AVMediaType AKind) {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return false;
    }
    if (AStreamIndex < 0 || AStreamIndex >= FStreamCount) {
        ReportError(AV_LOG_ERROR, Format("stream index #%d is invalid.", AStreamIndex));
        return false;
    }
    return FFileHandle->streams[AStreamIndex]->codecpar->codec_type == AKind;
}

bool TCustomAVProbe::IsAudioStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_AUDIO); }
bool TCustomAVProbe::IsVideoStream(int AStreamIndex) { return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_VIDEO); }
bool TCustomAVProbe::IsSubtitleStream(int AStreamIndex) {
    return IsStreamOfType(AStreamIndex, AVMEDIA_TYPE_SUBTITLE);
}

const AVStream* TCustomAVProbe::StreamOfKind(int AStreamIndex, AVMediaType AKind) {
    if (!FFileHandle) {
        ReportError(AV_LOG_WARNING, FileNotLoaded);
        return nullptr;
    }
    if (AStreamIndex < 0) {
        AStreamIndex = AKind == AVMEDIA_TYPE_AUDIO   ? FFirstAudioStreamIndex
                       : AKind == AVMEDIA_TYPE_VIDEO ? FFirstVideoStreamIndex
                                                     : FFirstSubtitleStreamIndex;
        if (AStreamIndex < 0) {
            ReportError(AV_LOG_ERROR, Format("no %s stream.", KindName(AKind)));
            return nullptr;
        }
    } else if (AStreamIndex >= FStreamCount) {
        ReportError(AV_LOG_ERROR, Format("stream index #%d is invalid.", AStreamIndex));
        return nullptr;
    }
    const AVStream* stream = FFileHandle->streams[AStreamIndex];
    if (stream->codecpar->codec_type != AKind) {
        ReportError(AV_LOG_ERROR, Format("stream #%d is not %s stream.", AStreamIndex, KindName(AKind)));
        return nullptr;
    }
    return stream;
}

TAudioStreamInfo TCustomAVProbe::AudioStreamInfo(int AStreamIndex) {
    TAudioStreamInfo info;
    const AVStream* stream = StreamOfKind(AStreamIndex, AVMEDIA_TYPE_AUDIO);
    if (!stream)
        return info;
    FillCommon(info, stream);
    FillTimes(info, stream);
    info.Channels = stream->codecpar->ch_layout.nb_channels;
    info.SampleRate = stream->codecpar->sample_rate;
    info.SampleFormat = stream->codecpar->format;
    return info;
}

TVideoStreamInfo TCustomAVProbe::VideoStreamInfo(int AStreamIndex) {
    TVideoStreamInfo info;
    const AVStream* stream = StreamOfKind(AStreamIndex, AVMEDIA_TYPE_VIDEO);
    if (!stream)
        return info;
    const AVCodecParameters* par = stream->codecpar;
    FillCommon(info, stream);
    FillTimes(info, stream);
    info.Height = par->height;
    info.Width = par->width;
    if (par->sample_aspect_ratio.den != 0 && par->height != 0)
        info.AspectRatio = float(double(par->width) * par->sample_aspect_ratio.num / par->sample_aspect_ratio.den /
                                 par->height);
    info.PixFmt = par->format;
    info.FrameRate = stream->r_frame_rate;
    return info;
}

TSubtitleStreamInfo TCustomAVProbe::SubtitleStreamInfo(int AStreamIndex) {
    TSubtitleStreamInfo info;
    const AVStream* stream = StreamOfKind(AStreamIndex, AVMEDIA_TYPE_SUBTITLE);
    if (stream)
        FillCommon(info, stream);
    return info;
}
