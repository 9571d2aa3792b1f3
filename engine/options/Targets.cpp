#include <cmath>
#include <string>
#include <utility>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "platform/core/SysUtils.h"

namespace {

enum TNorm { nmPAL, nmNTSC, nmFilm, nmUnknown };

const char* const TargetFrameRates[] = {"25", "30000/1001", "24000/1001"};

// The norm a frame rate stands for: 25 fps PAL, 29.97 or 23.976 fps NTSC.
TNorm NormOfRate(AVRational ARate) {
    if (ARate.num <= 0 || ARate.den <= 0)
        return nmUnknown;
    const long fr = std::lround(double(ARate.num) * 1000.0 / ARate.den);
    if (fr == 25000)
        return nmPAL;
    if (fr == 29970 || fr == 23976)
        return nmNTSC;
    return nmUnknown;
}


// When a disc target makes the audio two channels.
enum TStereo { stAlways, stNotMono };

// The settings of the disc targets; the group of pictures follows the norm
// (15 for PAL, 18 for NTSC) and the frame rate is the norm's own.
struct TDiscTarget {
    const char* Name;
    const char *VideoCodec, *AudioCodec, *Format, *PalSize, *NtscSize;
    // Generic options in the order they are set; {nullptr, nullptr} ends the list early.
    std::pair<const char*, const char*> Options[9];
    int SampleRate;
    TStereo Stereo;
    // 0: keep the usual preload.
    float MuxPreload;
    const char* Aspect;
};

// clang-format off
const TDiscTarget DiscTargets[] = {
    {"vcd", "mpeg1video", "mp2", "vcd", "352x288", "352x240",
     {{"b", "1150000"}, {"maxrate", "1150000"}, {"minrate", "1150000"}, {"bufsize", "327680"}, {"ab", "224000"},
      {"packetsize", "2324"}, {"muxrate", "1411200"}},
     // The decoder's buffer does not take the usual half second of preload.
     44100, stAlways, 0.44f, "4:3"},
    {"svcd", "mpeg2video", "mp2", "svcd", "480x576", "480x480",
     // scan_offset: once a generic flag, today the MPEG-2 encoder's own option.
     {{"b", "2040000"}, {"maxrate", "2516000"}, {"minrate", "0"}, {"bufsize", "1835008"}, {"scan_offset", "1"},
      {"ab", "224000"}, {"packetsize", "2324"}},
     44100, stNotMono, 0.0f, "4:3"},
    {"dvd", "mpeg2video", "ac3", "dvd", "720x576", "720x480",
     {{"b", "6000000"}, {"maxrate", "9000000"}, {"minrate", "0"}, {"bufsize", "1835008"}, {"packetsize", "2048"},
      {"muxrate", "10080000"}, {"ab", "448000"}},
     48000, stNotMono, 0.0f, "16:9"},
};
// clang-format on

const TDiscTarget* FindDiscTarget(const std::string& AName) {
    for (const TDiscTarget& target : DiscTargets)
        if (AName == target.Name)
            return &target;
    return nullptr;
}

} // namespace

void TCustomFFmpeg::SetTarget(const std::string& ATarget, const std::string& ANorm, const std::string& ADefaultNorm) {
    TNorm norm = ANorm == "pal" ? nmPAL : ANorm == "ntsc" ? nmNTSC : ANorm == "film" ? nmFilm : nmUnknown;
    if (norm == nmUnknown) {
        if (FOptionState.Fframe_rate.den == 0)
            throw FFmpegException("frame_rate is invalid.");
        norm = NormOfRate(FOptionState.Fframe_rate);
        // The inputs' video streams: the rate the container and the stream
        // give, since a decoder context knows no rate before it decodes.
        for (int i = 0; norm == nmUnknown && i < nb_input_files(); ++i) {
            AVFormatContext* ctx = InputFile(i).ctx;
            for (unsigned s = 0; norm == nmUnknown && ctx && s < ctx->nb_streams; ++s)
                if (ctx->streams[s]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
                    norm = NormOfRate(AVLib.av_guess_frame_rate(ctx, ctx->streams[s], nullptr));
        }
        if (norm == nmUnknown)
            norm = ADefaultNorm == "film" ? nmFilm : ADefaultNorm == "ntsc" ? nmNTSC : nmPAL;
        if (FOptionState.Fverbose > 0)
            GetFFLogger()->Log(this, llVerbose,
                               Format("Assuming %s for target.", norm == nmPAL ? "PAL" : "NTSC"));
    }
    const bool pal = norm == nmPAL;
    const std::string rate = TargetFrameRates[norm];

    auto assumeAspect = [this](const char* AAspect) {
        if (FOptionState.Fframe_aspect_ratio != 0.0f)
            return;
        GetFFLogger()->Log(this, llInfo, Format("Assuming %s for aspect ratio", AAspect));
        SetAspectRatio(AAspect);
    };

    if (const TDiscTarget* disc = FindDiscTarget(ATarget)) {
        SetVideoCodec(disc->VideoCodec);
        SetAudioCodec(disc->AudioCodec);
        SetFormat(disc->Format);
        SetFrameSize(pal ? disc->PalSize : disc->NtscSize);
        SetFrameRate(rate);
        SetGenericOption("g", pal ? "15" : "18");
        for (const auto& [key, value] : disc->Options)
            if (key)
                SetGenericOption(key, value);
        FOptionState.Faudio_sample_rate = disc->SampleRate;
        if (disc->Stereo == stAlways || (disc->Stereo == stNotMono && FOptionState.Faudio_channels == 1))
            FOptionState.Faudio_channels = 2;
        if (disc->MuxPreload > 0.0f)
            FOptionState.Fmux_preload = disc->MuxPreload;
        assumeAspect(disc->Aspect);
    } else if (ATarget == "dv" || ATarget == "dv50") {
        SetFormat("dv");
        SetFrameSize(pal ? "720x576" : "720x480");
        SetPixelFormat(ATarget == "dv50" ? "yuv422p" : pal ? "yuv420p" : "yuv411p");
        SetFrameRate(rate);
        FOptionState.Faudio_sample_rate = 48000;
        FOptionState.Faudio_channels = 2;
    } else {
        throw FFmpegException("Unknown target type");
    }
}

void TCustomFFmpeg::SetTargetOption(const std::string& AValue) {
    const std::string value = Trim(AValue);
    std::string norm = "auto";
    std::string target = value;
    for (const char* prefix : {"pal-", "ntsc-", "film-"}) {
        const std::string p = prefix;
        if (value.compare(0, p.size(), p) == 0) {
            norm = p.substr(0, p.size() - 1);
            target = value.substr(p.size());
            break;
        }
    }
    SetTarget(target, norm, "ntsc");
}
