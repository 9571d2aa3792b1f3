#include "app/presets/PresetParameters.h"

#include <algorithm>

#include "app/presets/PresetParameterTable.h"
#include "platform/core/SysUtils.h"

const TPresetParameters* FindPresetParameters(int AKey) {
    if (AKey <= 0)
        return nullptr;
    for (const TPresetParameterRow& row : PresetParameterRows())
        if (std::find(row.Keys.begin(), row.Keys.end(), AKey) != row.Keys.end())
            return &row.Set;
    return nullptr;
}

std::vector<int> PresetParameterKeys() {
    std::vector<int> keys;
    for (const TPresetParameterRow& row : PresetParameterRows())
        for (int key : row.Keys)
            if (key > 0)
                keys.push_back(key);
    std::sort(keys.begin(), keys.end());
    return keys;
}

bool IsAudioOnlyPreset(int AKey) {
    const TPresetParameters* set = FindPresetParameters(AKey);
    return set && set->AudioOnly;
}

bool ApplyPresetParameters(int AKey, TCurrentPreset& APreset) {
    APreset.Reset();
    const TPresetParameters* set = FindPresetParameters(AKey);
    if (!set)
        return false;
    APreset.Video_FileExt = set->FileExt;
    APreset.Video_VideoCodec = set->VideoCodec;
    APreset.Video_VideoTag = set->VideoTag;
    APreset.Video_FrameSize = set->FrameSize;
    APreset.Video_FrameRate = set->FrameRate;
    APreset.Video_VideoBitrate = set->VideoBitrate;
    APreset.Video_FrameAspectRatio = set->FrameAspectRatio;
    APreset.Video_AudioCodec = set->AudioCodec;
    APreset.Video_AudioChannels = set->AudioChannels;
    APreset.Video_AudioSampleRate = set->AudioSampleRate;
    APreset.Video_AudioBitrate = set->AudioBitrate;
    APreset.Video_TargetType = set->TargetType;
    APreset.Video_NormType = set->NormType;
    APreset.Video_DisableVideo = set->AudioOnly;
    return true;
}

bool ApplyPresetForFile(int AKey, const TOutputNameRule& ARule, TCurrentPreset& APreset) {
    if (!ApplyPresetParameters(AKey, APreset))
        return false;
    if (!APreset.Video_AddFileName.empty())
        APreset.Video_OutPutFileName =
            BuildOutputName(APreset.Video_AddFileName, FindPresetParameters(AKey)->NameExt, ARule);
    return true;
}

std::array<std::string, 14> PresetRowColumns(const TCurrentPreset& APreset) {
    return {APreset.Video_VideoCodec,
            APreset.Video_AudioCodec,
            APreset.Video_AudioChannels,
            APreset.Video_VideoTag,
            APreset.Video_FileExt,
            APreset.Video_FrameSize,
            IntToStr(APreset.Video_VideoBitrate),
            APreset.Video_FrameRate,
            IntToStr(APreset.Video_AudioBitrate),
            APreset.Video_AudioSampleRate,
            APreset.Video_FrameAspectRatio,
            APreset.Video_DisableVideo ? "True" : "False",
            APreset.Video_TargetType,
            APreset.Video_NormType};
}
