#pragma once
#include <cstdint>
#include <string>

#include "engine/loader/LibraryHeaders.h"
#include "engine/probe/ProbeRecords.h"
#include "engine/util/FFBaseComponent.h"

// Opens a media file (or adopts a container that someone else opened) and
// reports what it holds: size, times, bit rate and metadata of the container,
// the streams by kind, and an information text. Values are read live from the
// container; only the size, the counts and the first indexes are computed once
// per open. Used by one thread at a time.
class TCustomAVProbe : public TFFBaseComponent {
public:
    explicit TCustomAVProbe(TComponent* AOwner);
    ~TCustomAVProbe() override;

    // The probe's libraries (avcodec, avformat, avutil, swscale and the C run-time).
    bool AVLibLoaded() const;
    bool LoadAVLib(const std::string& APath);
    void UnloadAVLib();

    // Opens and probes a file; AFormatName forces an input format. False with
    // the reason in LastErrMsg; the probe is then empty. Raises when the
    // libraries are not loaded.
    bool LoadFile(const std::string& AFileName, const std::string& AFormatName = "");
    virtual void CloseFile();

    // The container in use; null when none. A context given to SetFileHandle
    // stays its owner's: the probe never closes it, and must be emptied
    // (CloseFile) before the owner closes it.
    AVFormatContext* FileHandle() const { return FFileHandle; }
    virtual void SetFileHandle(AVFormatContext* AContext);

    const std::string& LastErrMsg() const { return FLastErrMsg; }
    const std::string& ForceFormat() const { return FForceFormat; }
    int64_t FileSize() const { return FFileSize; }
    int StreamCount() const { return FStreamCount; }
    int ProgramCount() const { return FProgramCount; }
    int AudioStreamCount() const { return FAudioStreamCount; }
    int VideoStreamCount() const { return FVideoStreamCount; }
    int SubtitleStreamCount() const { return FSubtitleStreamCount; }
    int FirstAudioStreamIndex() const { return FFirstAudioStreamIndex; }
    int FirstVideoStreamIndex() const { return FFirstVideoStreamIndex; }
    int FirstSubtitleStreamIndex() const { return FFirstSubtitleStreamIndex; }

    std::string FileName();
    std::string FormatName();
    std::string FormatLongName();
    TFileStreamInfo FileStreamInfo();
    // Every line ends with a carriage return and a line feed.
    std::string FileInfoText();

    bool IsAudioStream(int AStreamIndex);
    bool IsVideoStream(int AStreamIndex);
    bool IsSubtitleStream(int AStreamIndex);

    // A negative index means the first stream of the kind.
    TAudioStreamInfo AudioStreamInfo(int AStreamIndex);
    TVideoStreamInfo VideoStreamInfo(int AStreamIndex);
    TSubtitleStreamInfo SubtitleStreamInfo(int AStreamIndex);
    TAudioStreamInfo FirstAudioStreamInfo() { return AudioStreamInfo(-1); }
    TVideoStreamInfo FirstVideoStreamInfo() { return VideoStreamInfo(-1); }
    TSubtitleStreamInfo FirstSubtitleStreamInfo() { return SubtitleStreamInfo(-1); }

    // Logs the text at the library level (16 error, 24 warning, 32 info,
    // 48 debug) and keeps it in LastErrMsg.
    void ReportError(int ALevel, const std::string& AText);

protected:
    // Raises EExternalException naming the first library that is not loaded.
    void CheckAVLib() const;
    virtual void UpdateStreamCounts();
    // The stream of that index, or null after reporting why not.
    const AVStream* StreamOfKind(int AStreamIndex, AVMediaType AKind);
    bool OwnHandle() const { return FOwnHandle; }
    void SetLastErrMsg(const std::string& AText) { FLastErrMsg = AText; }

    AVFormatContext* FFileHandle = nullptr;

private:
    bool IsStreamOfType(int AStreamIndex, AVMediaType AKind);

    bool FOwnHandle = false;
    std::string FLastErrMsg;
    std::string FForceFormat;
    int64_t FFileSize = -1;
    int FStreamCount = -1;
    int FProgramCount = -1;
    int FAudioStreamCount = -1;
    int FVideoStreamCount = -1;
    int FSubtitleStreamCount = -1;
    int FFirstAudioStreamIndex = -1;
    int FFirstVideoStreamIndex = -1;
    int FFirstSubtitleStreamIndex = -1;
};
