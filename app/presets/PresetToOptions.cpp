#include "app/presets/PresetToOptions.h"

#include "app/presets/LibraryFit.h"
#include "app/presets/PresetParameters.h"
#include "platform/core/SysUtils.h"

namespace {

// A whole number, or nothing for an empty or unreadable text.
bool ReadInt(const std::string& AText, int32_t& AValue) {
    int value = 0;
    if (!TryStrToInt(Trim(AText), value))
        return false;
    AValue = value;
    return true;
}

} // namespace

TOptionTargetType TargetTypeOf(const std::string& AText) {
    if (AText == "vcd")
        return ttVCD;
    if (AText == "svcd")
        return ttSVCD;
    if (AText == "dvd")
        return ttDVD;
    return ttIgnore;
}

TOptionNormType NormTypeOf(const std::string& AText) {
    if (AText == "PAL")
        return ntPAL;
    if (AText == "NTSC")
        return ntNTSC;
    return ntAuto;
}

void CurrentPresetToOutputOptions(const TCurrentPreset& P, TOutputOptions& O) {
    if (P.Video_VideoCodec == "libx264") {
        O.VideoCodec = "libx264";
        O.VideoPreset = "libx264-default";
    } else if (!P.Video_VideoCodec.empty()) {
        O.VideoCodec = P.Video_VideoCodec;
        O.VideoPreset.clear();
    }
    if (!P.Video_AudioCodec.empty() && P.Video_AudioCodec != "AUTO")
        O.AudioCodec = P.Video_AudioCodec;
    O.DisableVideo = P.Video_DisableVideo;
    if (!P.Video_AudioChannels.empty())
        ReadInt(P.Video_AudioChannels, O.AudioChannels);
    if (!P.Video_AudioSampleRate.empty() && P.Video_AudioSampleRate != "AUTO")
        ReadInt(P.Video_AudioSampleRate, O.AudioSampleRate);
    if (!P.Video_FrameSize.empty())
        O.FrameSize = P.Video_FrameSize;
    if (!P.Video_FrameRate.empty())
        O.FrameRate = P.Video_FrameRate;
    if (!P.Video_FrameAspectRatio.empty())
        O.FrameAspectRatio = P.Video_FrameAspectRatio;
    if (!P.Video_TargetType.empty())
        O.TargetType = TargetTypeOf(P.Video_TargetType);
    O.NormType = NormTypeOf(P.Video_NormType);
    if (P.Video_AudioVolume == "256")
        O.AudioVolume = 256;
    else
        ReadInt(P.Video_AudioVolume, O.AudioVolume);
    if (P.Video_AudioBitrate != AutoBitrate && P.Video_AudioBitrate != 2 * AutoBitrate)
        O.AudioBitrate = P.Video_AudioBitrate;
    if (P.Video_VideoBitrate != AutoBitrate)
        O.VideoBitrate = P.Video_VideoBitrate;
    if (!P.Video_FileFormat.empty())
        O.FileFormat = P.Video_FileFormat;
    if (!P.Video_VideoFilters.empty())
        O.VideoFilters = P.Video_VideoFilters;
    if (!P.Video_VideoTag.empty())
        O.VideoTag = P.Video_VideoTag;
}

std::vector<std::string> PresetOutputOptions(const TCurrentPreset& APreset, TOutputOptions& AOptions) {
    CurrentPresetToOutputOptions(APreset, AOptions);
    return FitOutputToLibraries(APreset.Video_OutPutFileName, AOptions);
}
