#include <string>

#include "engine/loader/EntryPoints.h"
#include "engine/options/Presets.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/FFmpegException.h"
#include "platform/core/Path.h"
#include "platform/core/Stream.h"
#include "platform/core/SysUtils.h"

namespace {

AVMediaType PresetMediaType(const std::string& AOption) {
    switch (AOption[0]) {
    case 'a': return AVMEDIA_TYPE_AUDIO;
    case 's': return AVMEDIA_TYPE_SUBTITLE;
    default: return AVMEDIA_TYPE_VIDEO;  // "vpre", and "fpre" whose files mostly tune the video encoder
    }
}

bool IsGenericOption(const TFFOptions& AOptions, const std::string& AName) {
    auto knows = [&](void* obj, const std::string& name) {
        return obj && AVLib.av_opt_find(obj, name.c_str(), nullptr, 0, 0) != nullptr;
    };
    if (knows(AOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], AName) || knows(AOptions.avformat_opts, AName) ||
        knows(AOptions.sws_opts, AName))
        return true;
    // "ab", "vb": the name without its media prefix on the codec context.
    return AName.size() > 1 && (AName[0] == 'a' || AName[0] == 'v' || AName[0] == 's') &&
           knows(AOptions.avcodec_opts[AVMEDIA_TYPE_VIDEO], AName.substr(1));
}

std::string ReadPresetFile(const std::string& AFileName) {
    TMemoryStream file;
    file.LoadFromFile(AFileName);
    return std::string(reinterpret_cast<const char*>(file.Memory()), size_t(file.Size()));
}

// CR LF and a lone CR become LF.
std::string NormalizeLineBreaks(const std::string& AText) {
    std::string out;
    for (size_t i = 0; i < AText.size(); ++i) {
        if (AText[i] == '\r') {
            out += '\n';
            if (i + 1 < AText.size() && AText[i + 1] == '\n')
                ++i;
        } else {
            out += AText[i];
        }
    }
    return out;
}

} // namespace

// A preset line's option: a generic library option, or one that the encoder
// the preset is for keeps private (kept for that encoder's opening). False
// when neither knows the name or the value is refused.
static bool SetPresetOption(TFFOptions& AOptions, const AVCodec* AEncoder, AVMediaType AType,
                            const std::string& AKey, const std::string& AValue) {
    if (IsGenericOption(AOptions, AKey))
        return SetFFOption(AOptions, AKey, AValue);
    if (!AEncoder || !AEncoder->priv_class)
        return false;
    const AVClass* cls = AEncoder->priv_class;
    if (!AVLib.av_opt_find(&cls, AKey.c_str(), nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ))
        return false;
    AVCodecContext* probe = AVLib.avcodec_alloc_context3(AEncoder);
    const bool accepted = probe && AVLib.av_opt_set(probe->priv_data, AKey.c_str(), AValue.c_str(), 0) >= 0;
    AVLib.avcodec_free_context(&probe);
    if (!accepted) {
        AVLib.av_log(nullptr, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", AValue.c_str(),
                     AKey.c_str());
        return false;
    }
    AVLib.av_dict_set(&AOptions.codec_dict[AType], AKey.c_str(), AValue.c_str(), 0);
    return true;
}

void TCustomFFmpeg::ApplyPreset(const std::string& AName, const std::string& AValue) {
    if (AName.empty() || AValue.empty())
        return;
    std::string presetName = AValue;
    std::string text;
    if (AName[0] != 'f') {
        text = FindBuiltInPreset(AValue);
        if (text.empty()) {
            if (AName[0] == 'v' && !FOptionState.Fvideo_codec_name.empty())
                presetName = FOptionState.Fvideo_codec_name + "-" + AValue;
            else if (AName[0] == 'a' && !FOptionState.Faudio_codec_name.empty())
                presetName = FOptionState.Faudio_codec_name + "-" + AValue;
            else if (!FOptionState.Fsubtitle_codec_name.empty())
                presetName = FOptionState.Fsubtitle_codec_name + "-" + AValue;
            text = FindBuiltInPreset(presetName);
        }
    }
    if (text.empty()) {
        if (!FileExists(AValue))
            throw FFmpegException(Format("Preset \"%s\" not found", AValue));
        text = ReadPresetFile(AValue);
    }
    text = NormalizeLineBreaks(Trim(text));

    // The encoder whose private options the preset may use: the chosen one,
    // else the one a built-in preset is named after ("libx264-...").
    const AVMediaType type = PresetMediaType(AName);
    const std::string& chosen = type == AVMEDIA_TYPE_AUDIO      ? FOptionState.Faudio_codec_name
                                : type == AVMEDIA_TYPE_SUBTITLE ? FOptionState.Fsubtitle_codec_name
                                                                : FOptionState.Fvideo_codec_name;
    const AVCodec* encoder = chosen.empty() ? nullptr : AVLib.avcodec_find_encoder_by_name(chosen.c_str());
    if (!encoder && presetName.find('-') != std::string::npos) {
        const std::string prefix = presetName.substr(0, presetName.find('-'));
        encoder = AVLib.avcodec_find_encoder_by_name(prefix.c_str());
    }

    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        const size_t equals = line.find('=');
        const std::string key = equals == std::string::npos ? line : line.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        if (key.empty() || value.empty())
            throw FFmpegException(Format("%s: Invalid syntax: \"%s\"", presetName, line));
        const std::string lower = LowerCase(key);
        if (lower == "acodec") {
            SetAudioCodec(value);
        } else if (lower == "vcodec") {
            SetVideoCodec(value);
        } else if (lower == "scodec") {
            SetSubtitleCodec(value);
        } else {
            for (const auto& [k, v] : TranslatePresetOption(key, value))
                if (!SetPresetOption(FOptions, encoder, type, k, v))
                    throw FFmpegException(Format("%s: Invalid option or argument: \"%s\", parsed as \"%s\" = \"%s\"",
                                                 presetName, line, key, value));
        }
    }
}
