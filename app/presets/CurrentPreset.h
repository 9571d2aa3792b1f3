#pragma once
#include <string>

// The output settings of the file being added: written by the preset handlers,
// six of them read back from the option lists, then turned into a job's output
// options. An empty text leaves the value to the engine.
struct TCurrentPreset {
    std::string Video_OutPutFileName;
    std::string Video_AddFileName;      // set by the add path; Reset leaves it alone
    std::string Video_FileExt;
    std::string Video_FileFormat;
    std::string Video_VideoCodec;
    std::string Video_VideoTag;
    std::string Video_FrameSize;
    std::string Video_FrameRate;
    std::string Video_FrameAspectRatio;
    std::string Video_AudioCodec;
    std::string Video_AudioChannels;
    std::string Video_AudioSampleRate;
    std::string Video_AudioVolume = "256";
    std::string Video_TargetType;
    std::string Video_NormType;
    std::string Video_VideoFilters;
    std::string Video_CopyTimestamp;
    int Video_VideoBitrate = -1;        // bit/s; -1000 means automatic
    int Video_AudioBitrate = -1;
    bool Video_DisableVideo = false;

    // Every field back to its reset value except the file being added.
    void Reset()
    {
        TCurrentPreset fresh;
        fresh.Video_AddFileName = Video_AddFileName;
        *this = fresh;
    }
};
