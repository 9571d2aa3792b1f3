#include "engine/util/FFOptions.h"

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "platform/core/SysUtils.h"

namespace {

// Option flags that select a media type's codec options; 0 matches every option.
constexpr int TypeFlags[AVMEDIA_TYPE_NB] = {AV_OPT_FLAG_VIDEO_PARAM, AV_OPT_FLAG_AUDIO_PARAM, 0,
                                            AV_OPT_FLAG_SUBTITLE_PARAM, 0};

enum TSetResult { srNotFound, srSet, srRejected };

// Codec options that today's libraries flag for video and audio alike but
// that the option language means for the video encoder when given bare; the
// audio encoder has its own ("ab", or the name with an "a" in front).
bool VideoWhenBare(const std::string& AName) {
    for (const char* name : {"b", "maxrate", "minrate", "bufsize", "trellis"})
        if (AName == name)
            return true;
    return false;
}

TSetResult SetOn(void* obj, const std::string& name, const std::string& value, int flags) {
    if (!obj || !AVLib.av_opt_find(obj, name.c_str(), nullptr, flags, 0))
        return srNotFound;
    return AVLib.av_opt_set(obj, name.c_str(), value.c_str(), 0) < 0 ? srRejected : srSet;
}

// An option of one particular codec or format, found among the children of
// the library class without an object of that class.
bool KnownToChildren(const AVClass* cls, const std::string& name, int flags) {
    const AVClass* fake = cls;
    return AVLib.av_opt_find(&fake, name.c_str(), nullptr, flags, AV_OPT_SEARCH_CHILDREN | AV_OPT_SEARCH_FAKE_OBJ);
}

TSetResult SetGeneric(TFFOptions& o, const std::string& name, const std::string& value, std::string& found,
                      unsigned& media) {
    TSetResult r = srNotFound;
    const bool videoOnly = VideoWhenBare(name);
    for (int type = 0; type < AVMEDIA_TYPE_NB && r != srRejected; ++type) {
        if (videoOnly && type != AVMEDIA_TYPE_VIDEO)
            continue;
        // Looked up on the video context: all codec contexts share one class.
        if (!AVLib.av_opt_find(o.avcodec_opts[AVMEDIA_TYPE_VIDEO], name.c_str(), nullptr, TypeFlags[type], 0))
            continue;
        r = AVLib.av_opt_set(o.avcodec_opts[type], name.c_str(), value.c_str(), 0) < 0 ? srRejected : srSet;
        media |= 1u << type;
    }
    if (r == srNotFound)
        r = SetOn(o.avformat_opts, name, value, 0);
    if (r == srNotFound)
        r = SetOn(o.sws_opts, name, value, 0);
    if (r != srNotFound)
        found = name;
    return r;
}

TSetResult SetPrivate(TFFOptions& o, const std::string& name, const std::string& value) {
    bool known = false;
    for (int type = 0; type < AVMEDIA_TYPE_NB; ++type)
        if (TypeFlags[type] && KnownToChildren(AVLib.avcodec_get_class(), name, TypeFlags[type])) {
            AVLib.av_dict_set(&o.codec_dict[type], name.c_str(), value.c_str(), 0);
            known = true;
        }
    if (!known && KnownToChildren(AVLib.avformat_get_class(), name, 0)) {
        AVLib.av_dict_set(&o.format_dict, name.c_str(), value.c_str(), 0);
        known = true;
    }
    return known ? srSet : srNotFound;
}

}  // namespace

void ClearFFOptions(TFFOptions& AOptions) {
    AOptions = TFFOptions{};
}

void AllocFFOptions(TFFOptions& AOptions, int ASwsFlags) {
    for (int type = 0; type < AVMEDIA_TYPE_NB; ++type) {
        AOptions.avcodec_opts[type] = AVLib.avcodec_alloc_context3(nullptr);
        if (AOptions.avcodec_opts[type])
            AOptions.avcodec_opts[type]->codec_type = AVMediaType(type);
    }
    AOptions.avformat_opts = AVLib.avformat_alloc_context();
    AOptions.sws_opts = AVLib.sws_alloc_context();
    if (AOptions.sws_opts)
        AVLib.av_opt_set_int(AOptions.sws_opts, "sws_flags", ASwsFlags, 0);
}

void FreeFFOptions(TFFOptions& AOptions) {
    for (int type = 0; type < AVMEDIA_TYPE_NB; ++type) {
        if (AOptions.avcodec_opts[type])
            AVLib.avcodec_free_context(&AOptions.avcodec_opts[type]);
        if (AOptions.codec_dict[type])
            AVLib.av_dict_free(&AOptions.codec_dict[type]);
    }
    if (AOptions.avformat_opts)
        AVLib.avformat_free_context(AOptions.avformat_opts);
    if (AOptions.sws_opts)
        AVLib.sws_freeContext(AOptions.sws_opts);
    if (AOptions.format_dict)
        AVLib.av_dict_free(&AOptions.format_dict);
    ClearFFOptions(AOptions);
}

bool SetFFOption(TFFOptions& AOptions, const std::string& AName, const std::string& AValue) {
    if (Trim(AName).empty() || Trim(AValue).empty())
        return false;
    std::string found;
    unsigned media = 0;
    TSetResult r = SetGeneric(AOptions, AName, AValue, found, media);
    if (r == srNotFound)
        r = SetPrivate(AOptions, AName, AValue);
    if (r == srNotFound && AName.size() > 1) {
        const std::string rest = AName.substr(1);
        const int type = AName[0] == 'a'   ? AVMEDIA_TYPE_AUDIO
                         : AName[0] == 'v' ? AVMEDIA_TYPE_VIDEO
                         : AName[0] == 's' ? AVMEDIA_TYPE_SUBTITLE
                                           : -1;
        if (type >= 0) {
            r = SetOn(AOptions.avcodec_opts[type], rest, AValue, 0);
            if (r != srNotFound) {
                found = rest;
                media = 1u << type;
            }
        }
    }
    if (r == srRejected) {
        AVLib.av_log(nullptr, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", AValue.c_str(),
                     AName.c_str());
        return false;
    }
    if (r == srNotFound)
        return false;
    if (!found.empty()) {
        AOptions.opt_names.push_back(found);
        AOptions.opt_media.push_back(media);
    }
    const AVCodecContext* video = AOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO];
    if ((video && video->debug) || (AOptions.avformat_opts && AOptions.avformat_opts->debug))
        GetFFLogger()->SetLogLevel(llDebug);
    return true;
}

void ApplyFFOptions(const TFFOptions& AOptions, void* ATarget, void* ASource, int AFlagMask) {
    if (!ATarget || !ASource)
        return;
    unsigned sourceMedia = ~0u;  // the format and scaler contexts: every name
    for (int type = 0; type < AVMEDIA_TYPE_NB; ++type)
        if (ASource == AOptions.avcodec_opts[type])
            sourceMedia = 1u << type;
    for (size_t i = 0; i < AOptions.opt_names.size(); ++i) {
        const std::string& name = AOptions.opt_names[i];
        if (sourceMedia != ~0u && !(AOptions.opt_media[i] & sourceMedia))
            continue;
        if (!AVLib.av_opt_find(ASource, name.c_str(), nullptr, AFlagMask, 0))
            continue;
        uint8_t* value = nullptr;
        if (AVLib.av_opt_get(ASource, name.c_str(), 0, &value) >= 0 && value)
            AVLib.av_opt_set(ATarget, name.c_str(), reinterpret_cast<const char*>(value), 0);
        AVLib.av_free(value);
    }
}
