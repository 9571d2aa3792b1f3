#include "app/presets/OptionReadBack.h"

#include <climits>
#include <cstdint>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const std::string& text)
{
    if (text.empty())
        return false;
    for (char c : text)
        if (!IsDigit(c))
            return false;
    return true;
}

std::string TrimBlanks(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// A number the engine can read as a frame rate: digits with at most one ".".
bool IsRateText(const std::string& text)
{
    size_t dot = text.find('.');
    if (dot == std::string::npos)
        return AllDigits(text);
    return AllDigits(text.substr(0, dot)) && AllDigits(text.substr(dot + 1));
}

} // namespace

std::optional<int> ParseKilobits(const std::string& text)
{
    std::string number = text;
    size_t unit = number.find("kbps");
    if (unit != std::string::npos)
        number.erase(unit);
    number = TrimBlanks(number);
    size_t dot = number.find('.');
    std::string whole = dot == std::string::npos ? number : number.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : number.substr(dot + 1);
    if (!AllDigits(whole) || whole.size() > 7)
        return std::nullopt;
    if (dot != std::string::npos && (!AllDigits(fraction) || fraction.size() > 3))
        return std::nullopt;
    int64_t value = 0;
    for (char c : whole)
        value = value * 10 + (c - '0');
    int64_t thousandths = 0;
    for (size_t i = 0; i < 3; ++i)
        thousandths = thousandths * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    value = value * 1000 + thousandths;
    if (value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<std::string> DecodeFrameSize(const std::string& text)
{
    if (text == KeepFrameSize || text == NoVideoFrameSize)
        return std::string();
    size_t star = text.find('*');
    if (star == std::string::npos || !AllDigits(text.substr(0, star)) || !AllDigits(text.substr(star + 1)))
        return std::nullopt;
    return text;
}

std::optional<int> DecodeVideoBitrate(const std::string& text)
{
    if (text == NoVideo)
        return -1000;
    return ParseKilobits(text);
}

std::optional<std::string> DecodeFrameRate(const std::string& text)
{
    if (text == KeepFrameRate || text == NoVideo)
        return std::string();
    if (!IsRateText(text))
        return std::nullopt;
    return text;
}

std::optional<int> DecodeAudioBitrate(const std::string& text)
{
    return ParseKilobits(text);
}

std::optional<std::string> DecodeSampleRate(const std::string& text)
{
    if (!AllDigits(text))
        return std::nullopt;
    return text;
}

std::optional<std::string> DecodeAspect(const std::string& text)
{
    static const std::pair<const char*, const char*> modes[] = {
        {KeepAspect, ""},
        {"普通视频4:3模式", "4:3"},
        {"宽屏视频16:9模式", "16:9"},
        {"宽屏视频37:20模式", "37:20"},
        {"宽屏视频47:20模式", "47:20"},
        {NoVideo, ""},
    };
    for (const auto& [entry, value] : modes)
        if (text == entry)
            return std::string(value);
    return std::nullopt;
}

bool ReadOptionInto(TOptionKind kind, const std::string& text, TCurrentPreset& preset)
{
    switch (kind) {
    case TOptionKind::FrameSize:
        if (auto value = DecodeFrameSize(text)) {
            preset.Video_FrameSize = *value;
            return true;
        }
        return false;
    case TOptionKind::VideoBitrate:
        if (auto value = DecodeVideoBitrate(text)) {
            preset.Video_VideoBitrate = *value;
            return true;
        }
        return false;
    case TOptionKind::FrameRate:
        if (auto value = DecodeFrameRate(text)) {
            preset.Video_FrameRate = *value;
            return true;
        }
        return false;
    case TOptionKind::AudioBitrate:
        if (auto value = DecodeAudioBitrate(text)) {
            preset.Video_AudioBitrate = *value;
            return true;
        }
        return false;
    case TOptionKind::SampleRate:
        if (auto value = DecodeSampleRate(text)) {
            preset.Video_AudioSampleRate = *value;
            return true;
        }
        return false;
    case TOptionKind::Aspect:
        if (auto value = DecodeAspect(text))
            preset.Video_FrameAspectRatio = *value;
        return true;
    }
    return false;
}

bool ReadOptionsInto(const std::array<std::optional<std::string>, OptionKindCount>& entries, TCurrentPreset& preset)
{
    TCurrentPreset result = preset;
    for (int slot = 0; slot < OptionKindCount; ++slot)
        if (entries[slot] && !ReadOptionInto(static_cast<TOptionKind>(slot), *entries[slot], result))
            return false;
    preset = std::move(result);
    return true;
}

std::string OptionFieldText(TOptionKind kind, const TCurrentPreset& preset)
{
    switch (kind) {
    case TOptionKind::FrameSize: return preset.Video_FrameSize;
    case TOptionKind::VideoBitrate: return std::to_string(preset.Video_VideoBitrate);
    case TOptionKind::FrameRate: return preset.Video_FrameRate;
    case TOptionKind::AudioBitrate: return std::to_string(preset.Video_AudioBitrate);
    case TOptionKind::SampleRate: return preset.Video_AudioSampleRate;
    case TOptionKind::Aspect: return preset.Video_FrameAspectRatio;
    }
    return {};
}
