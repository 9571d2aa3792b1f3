#include "app/jobs/RowOptions.h"

#include "app/jobs/JobColumns.h"
#include "app/presets/PresetToOptions.h"
#include "platform/core/SysUtils.h"

namespace {

void ReadInt(const std::string& AText, int32_t& AValue) {
    int value = 0;
    if (TryStrToInt(Trim(AText), value))
        AValue = value;
}

// What the preset and the fit to the libraries gave the options at the add:
// back to the defaults, so that nothing of a preset the row has left stays.
void ForgetPresetFields(TOutputOptions& O) {
    const TOutputOptions defaults;
    O.VideoCodec = defaults.VideoCodec;
    O.VideoPreset = defaults.VideoPreset;
    O.VideoTag = defaults.VideoTag;
    O.AudioCodec = defaults.AudioCodec;
    O.AudioChannels = defaults.AudioChannels;
    O.AudioSampleRate = defaults.AudioSampleRate;
    O.AudioBitrate = defaults.AudioBitrate;
    O.VideoBitrate = defaults.VideoBitrate;
    O.FrameSize = defaults.FrameSize;
    O.FrameRate = defaults.FrameRate;
    O.FrameAspectRatio = defaults.FrameAspectRatio;
    O.FileFormat = defaults.FileFormat;
    O.VideoFilters = defaults.VideoFilters;
    O.ExtOptions = defaults.ExtOptions;  // only the fit writes it, and the start fits again
}

} // namespace

void ApplyRowColumns(const TPresetJobRow& ARow, TOutputOptions& O) {
    ForgetPresetFields(O);
    auto col = [&](int c) { return ARow.SubItem(c); };
    const std::string videoCodec = col(JobColumnVideoCodec);
    if (videoCodec == "libx264") {
        O.VideoCodec = "libx264";
        O.VideoPreset = "libx264-default";
    } else if (!videoCodec.empty()) {
        O.VideoCodec = videoCodec;
        O.VideoPreset.clear();
    }
    const std::string audioCodec = col(JobColumnAudioCodec);
    if (!audioCodec.empty() && audioCodec != "AUTO")
        O.AudioCodec = audioCodec;
    if (!col(JobColumnAudioChannels).empty())
        ReadInt(col(JobColumnAudioChannels), O.AudioChannels);
    const std::string tag = col(JobColumnVideoTag);
    O.VideoTag = !tag.empty() && videoCodec != "libx264" ? tag : std::string();
    // Column 15 is not taken: the container follows the output name's extension,
    // so that a name and its contents never disagree.
    if (!col(JobColumnFrameSize).empty())
        O.FrameSize = col(JobColumnFrameSize);
    if (!col(JobColumnVideoBitrate).empty())
        ReadInt(col(JobColumnVideoBitrate), O.VideoBitrate);
    if (!col(JobColumnFrameRate).empty())
        O.FrameRate = col(JobColumnFrameRate);
    const std::string audioBitrate = col(JobColumnAudioBitrate);
    if (audioBitrate != "-1000" && audioBitrate != "-2000" && !audioBitrate.empty())
        ReadInt(audioBitrate, O.AudioBitrate);
    const std::string sampleRate = col(JobColumnSampleRate);
    if (!sampleRate.empty() && sampleRate != "AUTO")
        ReadInt(sampleRate, O.AudioSampleRate);
    if (!col(JobColumnAspect).empty())
        O.FrameAspectRatio = col(JobColumnAspect);
    O.DisableVideo = col(JobColumnDisableVideo) == "True";
    O.TargetType = TargetTypeOf(col(JobColumnTargetType));
    O.NormType = NormTypeOf(col(JobColumnNormType));
}
