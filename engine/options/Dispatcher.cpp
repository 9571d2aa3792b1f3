#include <functional>
#include <string>
#include <unordered_map>

#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "platform/core/SysUtils.h"

namespace {

using TOptionHandler = std::function<void(TCustomFFmpeg& J, const std::string& N, const std::string& V)>;

// A flag is on unless its value is exactly "0"; an empty value turns it on.
bool Flag(const std::string& V) { return V != "0"; }
int Int(const std::string& V) { return StrToInt(V); }
float Number(const std::string& V) { return float(StrToFloat(V)); }

void OptionIgnored(TCustomFFmpeg& J, const std::string& N) {
    GetFFLogger()->Log(&J, llInfo, "Do nothing: option - " + N);
}

[[noreturn]] void OptionNotImplemented(const std::string& N) {
    throw FFmpegException("TODO: option - " + N);
}

// Every name the option language knows. Names match as a whole, letter case
// included; values are UTF-8 text, which is what the libraries take.
const std::unordered_map<std::string, TOptionHandler>& OptionTable() {
    static const std::unordered_map<std::string, TOptionHandler> table = [] {
        std::unordered_map<std::string, TOptionHandler> t;
        const auto ignored = [](TCustomFFmpeg& J, const std::string& N, const std::string&) { OptionIgnored(J, N); };
        for (const char* name : {"L", "h", "version", "formats", "codecs", "bsfs", "protocols", "filters",
                                 "benchmark", "i", "y"})
            t[name] = ignored;
        t["loglevel"] = [](auto&, auto&, auto& V) { GetFFLogger()->OptLogLevel(V); };
        t["v"] = [](auto& J, auto&, auto& V) { J.SetVerbose(Int(V)); };
        t["timelimit"] = [](auto& J, auto&, auto&) {
            GetFFLogger()->Log(&J, llWarning, "Warning: -timelimit not implemented on Windows");
        };
        t["threads"] = [](auto&, auto& N, auto&) { OptionNotImplemented(N); };
        t["f"] = [](auto& J, auto&, auto& V) { J.SetFormat(V); };
        t["target"] = [](auto& J, auto&, auto& V) { J.SetTargetOption(V); };
        for (const char* name : {"apre", "vpre", "spre", "fpre"})
            t[name] = [](auto& J, auto& N, auto& V) { J.ApplyPreset(N, V); };

        // Timing, limits and file-level settings.
        t["t"] = [](auto& J, auto& N, auto& V) { J.SetRecordingTimeOption(N, V); };
        t["ss"] = [](auto& J, auto& N, auto& V) { J.SetStartTimeOption(N, V); };
        t["itsoffset"] = [](auto& J, auto& N, auto& V) { J.SetInputTsOffset(N, V); };
        t["itsscale"] = [](auto& J, auto&, auto& V) { J.SetInputTsScale(V); };
        t["timestamp"] = [](auto& J, auto& N, auto& V) { J.SetRecordingTimestamp(N, V); };
        t["fs"] = [](auto& J, auto&, auto& V) { J.Options().Flimit_filesize = StrToInt64(V); };
        t["metadata"] = [](auto& J, auto&, auto& V) { J.AddMetadataOption(V); };
        t["map"] = [](auto& J, auto&, auto& V) { J.AddStreamMap(V); };
        t["map_meta_data"] = [](auto& J, auto&, auto& V) { J.AddMetaDataMap(V); };
        t["programid"] = [](auto& J, auto&, auto& V) { J.Options().Fopt_programid = Int(V); };
        t["loop_input"] = [](auto& J, auto&, auto& V) { J.Options().Floop_input = Flag(V); };
        t["loop_output"] = [](auto& J, auto&, auto& V) { J.Options().Floop_output = Int(V); };
        t["re"] = [](auto& J, auto&, auto& V) { J.Options().Frate_emu = Flag(V); };
        t["dump"] = [](auto& J, auto&, auto& V) { J.Options().Fdo_pkt_dump = Flag(V); };
        t["hex"] = [](auto& J, auto&, auto& V) { J.Options().Fdo_hex_dump = Flag(V); };
        t["copyts"] = [](auto& J, auto&, auto&) { J.Options().Fcopy_ts = true; };  // whatever the value, "0" included
        t["shortest"] = [](auto& J, auto&, auto& V) { J.Options().Fopt_shortest = Flag(V); };
        t["xerror"] = [](auto& J, auto&, auto&) { J.Options().Fexit_on_error = true; };
        t["vsync"] = [](auto& J, auto&, auto& V) { J.Options().Fvideo_sync_method = Int(V); };
        t["async"] = [](auto& J, auto&, auto& V) { J.Options().Faudio_sync_method = Int(V); };
        t["adrift_threshold"] = [](auto& J, auto&, auto& V) { J.Options().Faudio_drift_threshold = Number(V); };
        t["dts_delta_threshold"] = [](auto& J, auto&, auto& V) { J.Options().Fdts_delta_threshold = Number(V); };
        t["isync"] = [](auto& J, auto&, auto& V) { J.Options().Finput_sync = Flag(V); };
        t["muxdelay"] = [](auto& J, auto&, auto& V) { J.Options().Fmux_max_delay = Number(V); };
        t["muxpreload"] = [](auto& J, auto&, auto& V) { J.Options().Fmux_preload = Number(V); };
        t["streamid"] = [](auto& J, auto& N, auto& V) { J.SetStreamId(N, V); };
        t["copyinkf"] = [](auto& J, auto&, auto& V) { J.Options().Fcopy_initial_nonkeyframes = Int(V); };
        t["dframes"] = [](auto& J, auto&, auto& V) { J.Options().Fmax_frames[flData] = Int(V); };
        for (const char* name : {"b", "vb", "ab"})
            t[name] = [](auto& J, auto& N, auto& V) { J.SetBitrate(N, V); };

        // Video.
        t["vn"] = [](auto& J, auto&, auto& V) { J.Options().Fvideo_disable = Flag(V); };
        t["vcodec"] = [](auto& J, auto&, auto& V) { J.SetVideoCodec(V); };
        t["vframes"] = [](auto& J, auto&, auto& V) { J.Options().Fmax_frames[flVideo] = Int(V); };
        t["r"] = [](auto& J, auto&, auto& V) { J.SetFrameRate(V); };
        t["s"] = [](auto& J, auto&, auto& V) { J.SetFrameSize(V); };
        t["aspect"] = [](auto& J, auto&, auto& V) { J.SetAspectRatio(V); };
        t["pix_fmt"] = [](auto& J, auto&, auto& V) { J.SetPixelFormat(V); };
        t["croptop"] = [](auto& J, auto&, auto& V) { J.SetCropTop(Int(V)); };
        t["cropbottom"] = [](auto& J, auto&, auto& V) { J.SetCropBottom(Int(V)); };
        t["cropleft"] = [](auto& J, auto&, auto& V) { J.SetCropLeft(Int(V)); };
        t["cropright"] = [](auto& J, auto&, auto& V) { J.SetCropRight(Int(V)); };
        for (const char* name : {"padtop", "padbottom", "padleft", "padright", "padcolor"})
            t[name] = [](auto&, auto&, auto&) { throw FFmpegException("Please use vfilters=pad"); };
        for (const char* name : {"vfilters", "vf"})
            t[name] = [](auto& J, auto&, auto& V) { J.SetVideoFilters(V); };
        t["vhook"] = [](auto& J, auto&, auto& V) { J.AddVideoHook(V); };
        t["intra"] = [](auto& J, auto&, auto& V) { J.Options().Fintra_only = Flag(V); };
        t["vdt"] = [](auto& J, auto&, auto& V) { J.Options().Fvideo_discard = Int(V); };
        t["qscale"] = [](auto& J, auto&, auto& V) { J.SetVideoQScale(Number(V)); };
        t["sameq"] = [](auto& J, auto&, auto& V) { J.Options().Fsame_quality = Flag(V); };
        t["rc_override"] = [](auto& J, auto&, auto& V) { J.SetRcOverride(V); };
        t["me_threshold"] = [](auto& J, auto&, auto& V) { J.SetMeThreshold(Int(V)); };
        t["pass"] = [](auto& J, auto&, auto& V) { J.SetPass(Int(V)); };
        t["passlogfile"] = [](auto& J, auto&, auto& V) { J.Options().Fpass_logfilename_prefix = V; };
        t["deinterlace"] = [](auto& J, auto&, auto& V) { J.Options().Fdo_deinterlace = Flag(V); };
        t["psnr"] = [](auto& J, auto&, auto& V) { J.Options().Fdo_psnr = Flag(V); };
        t["vstats"] = [](auto& J, auto&, auto&) { J.SetVStats(true); };
        t["vstats_file"] = [](auto& J, auto&, auto& V) { J.SetVStatsFile(V); };
        t["intra_matrix"] = [](auto& J, auto&, auto& V) { J.SetIntraMatrix(V); };
        t["inter_matrix"] = [](auto& J, auto&, auto& V) { J.SetInterMatrix(V); };
        t["top"] = [](auto& J, auto&, auto& V) { J.SetTopFieldFirst(Int(V)); };
        t["dc"] = [](auto& J, auto&, auto& V) { J.Options().Fintra_dc_precision = Int(V); };
        t["vtag"] = [](auto& J, auto&, auto& V) { J.SetVideoTag(V); };
        t["vlang"] = [](auto& J, auto&, auto& V) { J.Options().Fvideo_language = V; };
        t["qphist"] = [](auto& J, auto&, auto& V) { J.Options().Fqp_hist = Flag(V); };
        t["force_fps"] = [](auto& J, auto&, auto& V) { J.Options().Fforce_fps = Flag(V); };
        t["vglobal"] = [](auto& J, auto&, auto& V) { J.Options().Fvideo_global_header = Int(V); };
        t["vc"] = [](auto& J, auto&, auto& V) { J.SetVideoChannel(Int(V)); };
        t["tvstd"] = [](auto& J, auto&, auto& V) { J.SetVideoStandard(V); };
        t["newvideo"] = [](auto& J, auto&, auto&) { J.NewVideoStreamOption(); };
        t["vbsf"] = [](auto& J, auto& N, auto& V) { J.AddBitstreamFilter(N, V); };

        // Audio.
        t["an"] = [](auto& J, auto&, auto& V) { J.Options().Faudio_disable = Flag(V); };
        t["acodec"] = [](auto& J, auto&, auto& V) { J.SetAudioCodec(V); };
        t["aframes"] = [](auto& J, auto&, auto& V) { J.Options().Fmax_frames[flAudio] = Int(V); };
        t["aq"] = [](auto& J, auto&, auto& V) { J.Options().Faudio_qscale = Number(V); };
        t["ar"] = [](auto& J, auto&, auto& V) { J.SetAudioRate(Int(V)); };
        t["ac"] = [](auto& J, auto&, auto& V) { J.SetAudioChannels(Int(V)); };
        t["atag"] = [](auto& J, auto&, auto& V) { J.SetAudioTag(V); };
        t["vol"] = [](auto& J, auto&, auto& V) { J.Options().Faudio_volume = Int(V); };
        t["alang"] = [](auto& J, auto&, auto& V) { J.Options().Faudio_language = V; };
        t["sample_fmt"] = [](auto& J, auto&, auto& V) { J.SetSampleFormat(V); };
        t["newaudio"] = [](auto& J, auto&, auto&) { J.NewAudioStreamOption(); };
        t["absf"] = [](auto& J, auto& N, auto& V) { J.AddBitstreamFilter(N, V); };

        // Subtitles.
        t["sn"] = [](auto& J, auto&, auto& V) { J.Options().Fsubtitle_disable = Flag(V); };
        t["scodec"] = [](auto& J, auto&, auto& V) { J.SetSubtitleCodec(V); };
        t["stag"] = [](auto& J, auto&, auto& V) { J.SetSubtitleTag(V); };
        t["slang"] = [](auto& J, auto&, auto& V) { J.Options().Fsubtitle_language = V; };
        t["newsubtitle"] = [](auto& J, auto&, auto&) { J.NewSubtitleStreamOption(); };
        t["sbsf"] = [](auto& J, auto& N, auto& V) { J.AddBitstreamFilter(N, V); };
        return t;
    }();
    return table;
}

} // namespace

void TCustomFFmpeg::ParseOption(const std::string& AName, const std::string& AValue) {
    const auto& table = OptionTable();
    const auto it = table.find(AName);
    if (it != table.end()) {
        it->second(*this, AName, AValue);
        return;
    }
    // The libraries' own codec, format and scaler options. An unknown name or
    // a refused value (logged by the setter) is dropped without an error.
    SetGenericOption(AName, AValue);
}
