#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "platform/core/Object.h"
#include "platform/core/Set.h"

class TBitmap;

// The records through which the application and the engine talk about a
// conversion. Numbers of 0 or less and empty texts leave the value to the
// engine, except where a field says it is always applied. Times are
// microseconds; the no-time value is the lowest 64-bit integer.

inline constexpr int64_t NoTime = INT64_MIN;

enum TOptionTargetType { ttIgnore, ttVCD, ttSVCD, ttDVD };
enum TOptionNormType { ntAuto, ntPAL, ntNTSC };
using TOptionNormDefault = TOptionNormType;  // ntPAL or ntNTSC

enum TPostHook { phPreview, phBitmap, phHBITMAP };
using TPostHooks = TSet<TPostHook>;

// One input file of a task.
struct TInputOptions {
    std::string FileName;
    std::string FileFormat;
    int64_t TimeStart = NoTime;
    int32_t ProgramID = -1;
    std::string ExtOptions;
    int32_t Tag = 0;
    void* Data = nullptr;
};
using PInputOptions = TInputOptions*;

// Metadata written into an output.
struct TStreamInfo {
    double TimeStamp = -1.0;  // local days since 1899-12-30; 0 now, negative none
    int32_t Year = -1;
    int32_t Track = -1;
    std::string Title;
    std::string Author;
    std::string Copyright;
    std::string Comment;
    std::string Album;
    std::string Genre;
};

// One output file of a task.
struct TOutputOptions {
    std::string FileName;
    std::string FileExt;
    std::string FileFormat;
    int32_t PacketSize = -1;
    int32_t MuxRate = -1;
    float MuxDelay = -1.0f;
    float MuxPreload = -1.0f;
    std::string AudioCodec;
    std::string AudioPreset;
    bool DisableAudio = false;
    int32_t AudioVolume = -1;
    int32_t AudioChannels = -1;
    int32_t AudioSampleRate = -1;
    int32_t AudioBitrate = -1;
    int32_t AudioBitRateTolerance = -1;
    std::string AudioLanguage;
    int32_t AudioSyncMethod = 0;  // always applied
    std::string AudioTag;
    std::string VideoCodec;
    std::string VideoPreset;
    bool DisableVideo = false;
    std::string FrameRate;
    std::string FrameSize;
    std::string FrameAspectRatio;
    int32_t CropTop = -1;
    int32_t CropBottom = -1;
    int32_t CropLeft = -1;
    int32_t CropRight = -1;
    int32_t GroupPictureSize = -1;
    int32_t VideoBitrate = -1;
    int32_t VideoMaxRate = -1;
    int32_t VideoMinRate = -1;
    int32_t VideoBitRateTolerance = -1;
    int32_t VideoBufSize = -1;
    int32_t VideoSyncMethod = -1;  // always applied; -1 automatic
    std::string VideoTag;
    std::string VideoFilters;
    std::string VideoLanguage;
    std::string SubtitleCodec;
    std::string SubtitlePreset;
    bool DisableSubtitle = false;
    std::string SubtitleLanguage;
    bool InputSync = false;
    bool CopyTimestamp = false;
    int64_t TimeStart = NoTime;
    int64_t TimeLength = NoTime;
    TStreamInfo Info;
    TOptionTargetType TargetType = ttIgnore;
    TOptionNormType NormType = ntAuto;
    TOptionNormDefault NormDefault = ntPAL;
    bool CustomHook = false;
    bool Join = false;
    std::string ExtOptions;
    int32_t Tag = 0;
    void* Data = nullptr;
};
using POutputOptions = TOutputOptions*;

void InitInputOptions(TInputOptions& AOptions);
void InitOutputOptions(TOutputOptions& AOptions);

// Reports of the conversion component.
struct TProgressInfo {
    int32_t TaskIndex = 0;
    int32_t FileIndex = 0;        // -1 in the report after the end
    int32_t FrameNumber = 0;      // -1 without video
    int32_t FPS = 0;              // -1 without video
    float Quality = 0.0f;         // -1.0 without an encoded video frame
    float BitRate = 0.0f;         // kbit/s
    int64_t CurrentSize = 0;      // bytes
    int64_t CurrentDuration = 0;  // microseconds
    int64_t TotalDuration = 0;    // microseconds; -1 unknown
};
using PProgressInfo = TProgressInfo*;

struct TTerminateInfo {
    int32_t TaskIndex = 0;  // -1 in the final event
    bool Finished = false;
    bool Exception = false;
    std::string ExceptionMsg;
    std::string LibraryReason;  // the last error line the media libraries logged for the task, "" for none
};

struct TPreviewInfo {
    int32_t TaskIndex = 0;
    TBitmap* Bitmap = nullptr;  // the engine's; valid during the event only
    int32_t FrameNumber = 0;
    int64_t PTS = 0;
};

struct THookInfo {
    int32_t TaskIndex = 0;
    TBitmap* Bitmap = nullptr;
    int32_t FrameNumber = 0;
    int64_t PTS = 0;
    bool Update = true;     // in and out: copy the picture back into the frame
    bool StopHook = false;  // in and out: no more hook calls for the task
};
using PHookInfo = THookInfo*;

// Events of the conversion component.
using TProgressEvent = std::function<void(TObject* Sender, PProgressInfo AProgressInfo)>;
using TTerminateEvent = std::function<void(TObject* Sender, const TTerminateInfo& ATerminateInfo)>;
using TPreviewBitmapEvent = std::function<void(TObject* Sender, const TPreviewInfo& APreviewInfo)>;
using TCustomHookEvent = std::function<void(TObject* Sender, PHookInfo AHookInfo)>;

// A job's own callbacks, bound by the conversion component.
using TJobProgressEvent =
    std::function<void(TObject* Sender, int32_t AFileIndex, int32_t AFrameNumber, int32_t AFPS, float AQuality,
                       float ABitRate, int64_t ACurrentSize, int64_t ACurrentDuration, int64_t ATotalDuration)>;
using TJobPreviewBitmapEvent =
    std::function<void(TObject* Sender, TBitmap* ABitmap, int32_t AFrameNumber, int64_t APTS)>;
using TJobCustomHookEvent = std::function<void(TObject* Sender, TBitmap* ABitmap, int32_t AFrameNumber,
                                               int64_t APTS, bool& AUpdate, bool& AStopHook)>;
using TJobTerminateEvent = std::function<void(TObject* Sender)>;
