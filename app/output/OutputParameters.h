#pragma once
#include <optional>
#include <string>
#include <vector>

#include "app/presets/CurrentPreset.h"

// The output settings dialog's encoding parameters of one preset key. Every field is
// tri-state: a value (possibly the empty text) is written into the current preset,
// nothing leaves the preset's field as it was.
struct TOutputParameters {
    int Key = 0;
    std::string NameExtension;  // the output file name's extension, dot included
    std::optional<std::string> FileExt;
    std::optional<std::string> VideoCodec;
    std::optional<std::string> VideoTag;
    std::optional<std::string> FrameSize;
    std::optional<std::string> FrameRate;
    std::optional<std::string> FrameAspectRatio;
    std::optional<int> VideoBitrate;  // bit/s; -1000 leaves the rate to the engine
    std::optional<std::string> AudioCodec;
    std::optional<std::string> AudioChannels;
    std::optional<std::string> AudioSampleRate;
    std::optional<int> AudioBitrate;
    std::optional<std::string> VideoFilters;
    std::optional<std::string> AudioVolume;
    std::optional<std::string> NormType;
    std::optional<std::string> CopyTimestamp;
    std::optional<std::string> FileFormat;
    std::optional<std::string> TargetType;
    std::optional<bool> DisableVideo;

    // Writes the fields that hold a value; the others keep what the preset had.
    void ApplyTo(TCurrentPreset& preset) const;
};

// The parameter rows in key order: one per format of the dialog. The five further iPod
// rows stand for keys 409 to 413 in order.
const std::vector<TOutputParameters>& OutputParameterRows();

// The parameters of a key, or nullptr.
const TOutputParameters* FindOutputParameters(int key);
