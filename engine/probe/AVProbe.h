#pragma once
#include <cstdint>

#include "engine/probe/CustomAVProbe.h"
#include "engine/util/MiscUtils.h"
#include "engine/util/Picture.h"


// The probe that also seeks in a file it opened itself and decodes single
// video frames from it: the next frame, the next key frame, the previous
// frame and the previous key frame. The decoder of the decoded stream stays
// open between calls and the picture buffer is reused, so stepping frame by
// frame reopens and reallocates nothing.
//
// Decoding sends packets and takes frames: a decoder may hold frames back or
// give several for one packet, so waiting frames are handed out before more
// packets are read, and at the end of the file the decoder is drained (the
// last frames stay reachable) before the end is reported.
class TAVProbe : public TCustomAVProbe {
public:
    explicit TAVProbe(TComponent* AOwner);
    ~TAVProbe() override;

    void CloseFile() override;

    // Positions the file for decoding: APTS is microseconds from the start,
    // or a byte position with sfByte. False when the file cannot be sought.
    bool Seek(int64_t APTS, TSeekFlags ASeekFlags = {});
    // Decodes the next frame of the stream (-1: the current or first video
    // stream) into FrameInfo.
    bool Decode(int AStreamIndex = -1);
    bool DecodeNextKeyFrame(int AStreamIndex = -1);
    bool DecodePreviousFrame(int AStreamIndex = -1);
    bool DecodePreviousKeyFrame(int AStreamIndex = -1);
    // The current picture as 24-bit pixels; a black picture of its size when
    // the conversion fails.
    bool CopyToBitmap(TBitmap* ABitmap);

    // The end of the file was reached by decoding or seeking (EOF is a C macro).
    bool EndOfFile() const { return FEOF; }
    const TFrameInfo& FrameInfo() const { return FPicture; }
    // The input buffer's byte position; -1 without a file or buffer.
    int64_t Position();
    // Time and position of the frame before the current one.
    int64_t LastPTS() const { return FLastPTS; }
    int64_t LastPos() const { return FLastPos; }

protected:
    void UpdateStreamCounts() override;

private:
    void ResetFrameInfo();
    bool CheckSeekable();
    bool CanSeek();
    bool IsImageSequence() const;
    int SelectDecodeStream(int AStreamIndex);
    AVCodecContext* OpenProbeDecoder(int AStreamIndex);
    void CloseDecoder();
    void CaptureFrame(const AVFrame* AFrame);
    int64_t StreamFrameIntervalUS(int AStreamIndex) const;

    AVCodecContext* FCodec = nullptr;    // our decoder of stream FCodecIndex
    int FCodecIndex = -1;
    bool FDraining = false;              // the empty packet was sent at the end of the file
    TRGBConvertContext FRGBContext;
    int FSeekIndex = -1;
    int64_t FStartTime = -1;
    int FDecodeIndex = -1;
    bool FEOF = false;
    TFrameInfo FPicture;
    int64_t FLastPTS = AV_NOPTS_VALUE;
    int64_t FLastPos = -1;
    AVFrame* FFrame = nullptr;
    AVPacket* FPacket = nullptr;
};
