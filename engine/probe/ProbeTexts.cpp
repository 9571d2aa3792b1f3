#include "engine/probe/ProbeTexts.h"

#include <cmath>
#include <cstring>

#include "engine/loader/EntryPoints.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

namespace {

struct TID3Key {
    const char* Frame;
    const char* Name;
};

const TID3Key ID3Keys[] = {
    {"TALB", "album"},     {"TAL", "album"},       {"TCOM", "composer"},   {"TCON", "genre"},
    {"TCO", "genre"},      {"TCOP", "copyright"},  {"TDRL", "date"},       {"TENC", "encoder"},
    {"TEN", "encoder"},    {"TIT2", "title"},      {"TT2", "title"},       {"TLAN", "language"},
    {"TPE1", "artist"},    {"TP1", "artist"},      {"TPOS", "disc"},       {"TPUB", "publisher"},
    {"TRCK", "track"},     {"TRK", "track"},       {"TSOA", "albumsort"},  {"TSOP", "authorsort"},
    {"TSOT", "titlesort"}, {"TYER", "year"},
};

const char LanguageKey[] = "language";

std::string CodecText(const AVCodecParameters* AParameters) {
    // The description needs a codec context; a temporary one is made from the parameters.
    AVCodecContext* context = AVLib.avcodec_alloc_context3(nullptr);
    if (!context)
        return {};
    char text[256] = {};
    if (AVLib.avcodec_parameters_to_context(context, AParameters) >= 0)
        AVLib.avcodec_string(text, sizeof text, context, 0);
    AVLib.avcodec_free_context(&context);
    return text;
}

} // namespace

int64_t StreamTimeUS(int64_t ATime, AVRational ABase) {
    if (ABase.den == 0)
        ABase.den = ABase.num != 0 ? ABase.num : 1;
    return AVLib.av_rescale_q(ATime, ABase, AVRational{1, AV_TIME_BASE});
}

std::string ID3KeyName(const std::string& AKey) {
    for (const TID3Key& k : ID3Keys)
        if (AKey == k.Frame)
            return k.Name;
    return AKey;
}

void AddMetadataLines(std::vector<std::string>& ALines, const AVDictionary* AMetadata, const std::string& AIndent) {
    const int count = AMetadata ? AVLib.av_dict_count(AMetadata) : 0;
    if (count == 0)
        return;
    if (count == 1 && AVLib.av_dict_get(AMetadata, LanguageKey, nullptr, 0))
        return;
    ALines.push_back(AIndent + "Metadata:");
    const AVDictionaryEntry* entry = nullptr;
    while ((entry = AVLib.av_dict_get(AMetadata, "", entry, AV_DICT_IGNORE_SUFFIX)))
        if (std::strcmp(entry->key, LanguageKey) != 0)
            ALines.push_back(Format("%s  %-16s: %s", AIndent, ID3KeyName(entry->key), entry->value));
}

std::string FormatRateText(double ARate, const std::string& AUnit) {
    const long long v = std::llround(ARate * 100);
    if (v % 100 != 0)
        return Format(", %3.2f %s", ARate, AUnit);
    if (v % (100 * 1000) != 0)
        return Format(", %1.0f %s", ARate, AUnit);
    return Format(", %1.0fk %s", ARate / 1000, AUnit);
}

std::string FormatSecondsText(int64_t ATimeUS) {
    // Split the magnitude, so that a negative time gets one sign in front only.
    const uint64_t magnitude = ATimeUS < 0 ? 0 - uint64_t(ATimeUS) : uint64_t(ATimeUS);
    return Format("%s%d.%.6d", ATimeUS < 0 ? "-" : "", magnitude / 1000000, magnitude % 1000000);
}

std::string StreamLineText(const AVFormatContext* AContext, int AStreamIndex) {
    const AVStream* st = AContext->streams[AStreamIndex];
    const AVCodecParameters* par = st->codecpar;
    std::string line = Format("Stream #%d", AStreamIndex);
    if (AContext->iformat && (AContext->iformat->flags & AVFMT_SHOW_IDS))
        line += Format("[0x%x]", st->id);
    if (const AVDictionaryEntry* language = AVLib.av_dict_get(st->metadata, LanguageKey, nullptr, 0))
        line += Format("(%s)", language->value);

    int64_t g = AVLib.av_gcd(st->time_base.num, st->time_base.den);
    if (g == 0)
        g = 1;
    line += Format(", %d/%d", st->time_base.num / g, st->time_base.den / g);
    line += ": " + CodecText(par);

    const AVRational sar = st->sample_aspect_ratio;
    const AVRational codecSar = par->sample_aspect_ratio;
    if (sar.num != 0 && int64_t(sar.num) * codecSar.den != int64_t(codecSar.num) * sar.den) {
        int darNum = 0, darDen = 0;
        AVLib.av_reduce(&darNum, &darDen, int64_t(par->width) * sar.num, int64_t(par->height) * sar.den,
                        1024 * 1024);
        line += Format(", PAR %d:%d DAR %d:%d", sar.num, sar.den, darNum, darDen);
    }

    if (par->codec_type == AVMEDIA_TYPE_VIDEO) {
        // The codec's own time base ("tbc") is only known to an opened decoder: left out.
        const struct {
            AVRational Rate;
            const char* Unit;
        } rates[] = {
            {st->avg_frame_rate, "fps"},
            {st->r_frame_rate, "tbr"},
            {AVRational{st->time_base.den, st->time_base.num}, "tbn"},
        };
        for (const auto& r : rates)
            if (r.Rate.num != 0 && r.Rate.den != 0)
                line += FormatRateText(double(r.Rate.num) / r.Rate.den, r.Unit);
    }

    if (st->start_time != AV_NOPTS_VALUE)
        line += ", StartTime: " + FormatSecondsText(StreamTimeUS(st->start_time, st->time_base));
    if (st->duration == AV_NOPTS_VALUE)
        line += ", Duration: N/A";
    else
        line += ", Duration: " + FormatAVTime(StreamTimeUS(st->duration, st->time_base));
    return line;
}
