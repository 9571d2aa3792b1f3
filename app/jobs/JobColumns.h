#pragma once
#include <array>

// The 25 columns of the job list. Column 0 is the row caption (the input file);
// the others are its sub-items. Hidden columns are 0 wide and can be dragged
// no wider than 1 pixel.
constexpr int JobColumnCount = 25;

constexpr int JobColumnInputFile = 0;      // "输入文件": full path
constexpr int JobColumnDuration = 1;       // "视频时间"
constexpr int JobColumnSize = 2;           // "文件大小"
// 3 "输出文件" is JobColumnOutputFile (app/presets/JobRowCodes.h)
constexpr int JobColumnProgress = 4;       // "转换进度"
constexpr int JobColumnFPS = 5;            // hidden, no caption
constexpr int JobColumnTime = 6;           // "当前时间"
constexpr int JobColumnDoneSize = 7;       // "转换大小"
constexpr int JobColumnNumber = 8;         // "视频序号": the job's number in the list
// 9 and 10 hold the selection and option codes (JobRowCodes.h)
constexpr int JobColumnVideoCodec = 11;    // 11 to 24: the values the job converts with
constexpr int JobColumnAudioCodec = 12;
constexpr int JobColumnAudioChannels = 13;
constexpr int JobColumnVideoTag = 14;
constexpr int JobColumnFileExt = 15;
constexpr int JobColumnFrameSize = 16;
constexpr int JobColumnVideoBitrate = 17;
constexpr int JobColumnFrameRate = 18;
constexpr int JobColumnAudioBitrate = 19;
constexpr int JobColumnSampleRate = 20;
constexpr int JobColumnAspect = 21;
constexpr int JobColumnDisableVideo = 22;
constexpr int JobColumnTargetType = 23;
constexpr int JobColumnNormType = 24;

struct TJobColumn {
    const char* Caption;
    int Width;
    int MaxWidth;  // 0: no limit
};

extern const std::array<TJobColumn, JobColumnCount> JobColumns;
