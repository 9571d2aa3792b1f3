#include <string>
#include <vector>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"

namespace {

bool ClassKnows(const AVClass* AClass, const char* AName) {
    if (!AClass)
        return false;
    const AVClass* cls = AClass;
    return AVLib.av_opt_find(&cls, AName, nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ) != nullptr;
}

void LogInvalidValue(const char* AName, const char* AValue) {
    AVLib.av_log(nullptr, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", AValue, AName);
}

// Keeps the entries of ADict that AClass knows and APrivate (an object of
// that class with its defaults) accepts; notes the names kept in ATaken.
void KeepKnownOptions(AVDictionary*& ADict, const AVClass* AClass, void* APrivate, std::set<std::string>& ATaken) {
    AVDictionary* kept = nullptr;
    const AVDictionaryEntry* e = nullptr;
    while ((e = AVLib.av_dict_get(ADict, "", e, AV_DICT_IGNORE_SUFFIX))) {
        if (!ClassKnows(AClass, e->key))
            continue;  // meant for another encoder or muxer
        if (APrivate && AVLib.av_opt_set(APrivate, e->key, e->value, 0) < 0) {
            LogInvalidValue(e->key, e->value);
            continue;
        }
        AVLib.av_dict_set(&kept, e->key, e->value, 0);
        ATaken.insert(e->key);
    }
    AVLib.av_dict_free(&ADict);
    ADict = kept;
}

} // namespace

void TCustomFFmpeg::CollectEncoderOptions(TJobOutputStream& AStream) {
    if (AStream.stream_copy || !AStream.codec || !AStream.codec->priv_class) {
        AVLib.av_dict_free(&AStream.codec_opts);  // no encoder takes them
        return;
    }
    // An encoder context of its own checks the values: its private part
    // carries the encoder's class with its defaults.
    AVCodecContext* probe = AVLib.avcodec_alloc_context3(AStream.codec);
    KeepKnownOptions(AStream.codec_opts, AStream.codec->priv_class, probe ? probe->priv_data : nullptr,
                     FOptionState.Fprivate_options_taken);
    AVLib.avcodec_free_context(&probe);
}

void TCustomFFmpeg::CollectMuxerOptions(TJobOutputFile& AOutput) {
    const AVOutputFormat* format = AOutput.ctx ? AOutput.ctx->oformat : nullptr;
    if (!format || !format->priv_class) {
        AVLib.av_dict_free(&AOutput.muxer_opts);
        return;
    }
    AVFormatContext* probe = nullptr;
    AVLib.avformat_alloc_output_context2(&probe, format, nullptr, nullptr);
    KeepKnownOptions(AOutput.muxer_opts, format->priv_class, probe ? probe->priv_data : nullptr,
                     FOptionState.Fprivate_options_taken);
    if (probe)
        AVLib.avformat_free_context(probe);
}

void TCustomFFmpeg::NoteTakenOptions(const AVDictionary* AGiven, const AVDictionary* ALeft) {
    const AVDictionaryEntry* e = nullptr;
    while ((e = AVLib.av_dict_get(AGiven, "", e, AV_DICT_IGNORE_SUFFIX)))
        if (!AVLib.av_dict_get(ALeft, e->key, nullptr, 0))
            FOptionState.Fprivate_options_taken.insert(e->key);
}

void TCustomFFmpeg::ReportUnusedOptions() {
    std::vector<std::string> unused;
    auto collect = [&](const AVDictionary* ADict) {
        const AVDictionaryEntry* e = nullptr;
        while ((e = AVLib.av_dict_get(ADict, "", e, AV_DICT_IGNORE_SUFFIX)))
            if (!FOptionState.Fprivate_options_taken.count(e->key)) {
                bool seen = false;
                for (const auto& name : unused)
                    seen = seen || name == e->key;
                if (!seen)
                    unused.push_back(e->key);
            }
    };
    for (const AVDictionary* dict : FOptions.codec_dict)
        collect(dict);
    collect(FOptions.format_dict);
    for (const auto& name : unused) {
        GetFFLogger()->Log(this, llWarning, "Option \"" + name + "\" was not used by any encoder or muxer");
        FOptionState.Fprivate_options_taken.insert(name);  // warned once
    }
}
