#include <cmath>
#include <string>

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

    if (ATarget == "vcd") {
        SetVideoCodec("mpeg1video");
        SetAudioCodec("mp2");
        SetFormat("vcd");
        SetFrameSize(pal ? "352x288" : "352x240");
        SetFrameRate(rate);
        SetGenericOption("g", pal ? "15" : "18");
        SetGenericOption("b", "1150000");
        SetGenericOption("maxrate", "1150000");
        SetGenericOption("minrate", "1150000");
        SetGenericOption("bufsize", "327680");
        SetGenericOption("ab", "224000");
        FOptionState.Faudio_sample_rate = 44100;
        FOptionState.Faudio_channels = 2;
        SetGenericOption("packetsize", "2324");
        SetGenericOption("muxrate", "1411200");
        // The decoder's buffer does not take the usual half second of preload.
        FOptionState.Fmux_preload = 0.44f;
        assumeAspect("4:3");
    } else if (ATarget == "svcd") {
        SetVideoCodec("mpeg2video");
        SetAudioCodec("mp2");
        SetFormat("svcd");
        SetFrameSize(pal ? "480x576" : "480x480");
        SetFrameRate(rate);
        SetGenericOption("g", pal ? "15" : "18");
        SetGenericOption("b", "2040000");
        SetGenericOption("maxrate", "2516000");
        SetGenericOption("minrate", "0");
        SetGenericOption("bufsize", "1835008");
        // Once a generic flag, today the MPEG-2 encoder's own option.
        SetGenericOption("scan_offset", "1");
        SetGenericOption("ab", "224000");
        FOptionState.Faudio_sample_rate = 44100;
        SetGenericOption("packetsize", "2324");
        if (FOptionState.Faudio_channels == 1)
            FOptionState.Faudio_channels = 2;
        assumeAspect("4:3");
    } else if (ATarget == "dvd") {
        SetVideoCodec("mpeg2video");
        SetAudioCodec("ac3");
        SetFormat("dvd");
        SetFrameSize(pal ? "720x576" : "720x480");
        SetFrameRate(rate);
        SetGenericOption("g", pal ? "15" : "18");
        SetGenericOption("b", "6000000");
        SetGenericOption("maxrate", "9000000");
        SetGenericOption("minrate", "0");
        SetGenericOption("bufsize", "1835008");
        SetGenericOption("packetsize", "2048");
        SetGenericOption("muxrate", "10080000");
        SetGenericOption("ab", "448000");
        FOptionState.Faudio_sample_rate = 48000;
        if (FOptionState.Faudio_channels == 1)
            FOptionState.Faudio_channels = 2;
        assumeAspect("16:9");
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
