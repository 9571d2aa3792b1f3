#include "app/presets/StreamRefusal.h"

#include "app/presets/LibraryFit.h"

namespace {

const char* const NoAudioForAudioPreset = "该文件没有音频，不能转换为只有音频的格式";
const char* const NoVideoForVideoPreset = "该文件没有视频，不能转换为视频格式";

}  // namespace

std::string StreamRefusal(const std::string& AOutputName, const TOutputOptions& AOptions, const TSourceStreams& ASource)
{
    if (AOptions.DisableVideo) {
        if (!ASource.Audio)
            return NoAudioForAudioPreset;
        return "";
    }
    if (!ASource.Video && !EffectiveVideoCodec(AOutputName, AOptions).empty())
        return NoVideoForVideoPreset;
    return "";
}
