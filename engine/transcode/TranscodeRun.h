#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/transcode/AudioOutput.h"
#include "engine/transcode/OutputWrite.h"
#include "engine/transcode/PacketDispatch.h"
#include "engine/transcode/Progress.h"
#include "engine/transcode/StreamRecords.h"
#include "engine/transcode/SubtitleOutput.h"
#include "engine/transcode/VideoFilterGraph.h"
#include "engine/transcode/VideoOutput.h"

class TCustomFFmpeg;
class TTranscode;

// The run of one conversion after its set-up: reads the inputs, decodes and
// dispatches their packets to the output paths, encodes and writes, reports
// progress and ends every output with its trailer. The run owns one state per
// stage, each defined in its stage's header beside the file that works on it:
// TranscodeLoop.cpp (reading order and the end: the run's own fields),
// PacketDispatch.h (decoding, input clocks, stream copy), VideoFilterGraph.h
// (filtered video), AudioOutput.h, VideoOutput.h and SubtitleOutput.h (the
// output paths), OutputWrite.h (encoders and the muxer) and Progress.h.
class TTranscodeRun {
public:
    TTranscodeRun(TCustomFFmpeg& AJob, TTranscode& ATables);
    ~TTranscodeRun();
    TTranscodeRun(const TTranscodeRun&) = delete;
    TTranscodeRun& operator=(const TTranscodeRun&) = delete;

    // The loop and the end sequence. True when it ended without a stop. A read
    // error ends every output with its trailer and then raises FFmpegException.
    bool Run();

    // Decodes one packet of ist (or, with none, drains its decoder) and hands
    // the result to every output stream fed from it. -1 when decoding failed.
    int OutputPacket(TAVInputStream& ist, int ist_index, const AVPacket* pkt);

    // Sends a frame to the stream's encoder (none: drain it) and writes every
    // packet it gives. The size of the last packet written, 0 when none.
    int EncodeFrame(TAVOutputStream& ost, AVFrame* frame);
    // Audio: encodes what waits in the FIFO (a last short frame, or one padded
    // with silence), then drains the encoder.
    void FlushEncoder(TAVOutputStream& ost);
    // Runs the packet through the stream's bit-stream filters and writes it
    // interleaved; pkt is in the output stream's time base.
    void WriteFrame(TAVOutputStream& ost, AVPacket* pkt);

    void DoAudioOut(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* decoded);
    void DoVideoOut(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture, int& frame_size);
    void DoVideoStats(TAVOutputStream& ost, int frame_size);
    // Encodes one decoded subtitle (twice for DVB: the second clears it) and
    // writes it; pts is the packet's time stamp in the input stream's time base.
    void DoSubtitleOut(TAVOutputStream& ost, TAVInputStream& ist, AVSubtitle& sub, int64_t pts);

    void PrintReport(int file_index, bool is_last_report);

    TOutputClock& Clock(const TAVOutputStream& ost) { return FMux.Clocks[ost.st]; }

    // Makes a call into the codec libraries (reading, decoding, scaling,
    // resampling, encoding, filtering, writing) and adds its time to the run's
    // account of time spent inside them.
    template <typename F>
    auto LibraryCall(F&& call) {
        struct TScope {
            int64_t& Total;
            const std::chrono::steady_clock::time_point Start = std::chrono::steady_clock::now();
            ~TScope() { Total += (std::chrono::steady_clock::now() - Start).count(); }
        } scope{FLibraryTime};
        return call();
    }

private:
    void CopyPacket(TAVOutputStream& ost, TAVInputStream& ist, const AVPacket& pkt);
    void DispatchDecoded(TAVInputStream& ist, int ist_index, AVFrame* frame);
    void AdvanceVideoClock(TAVInputStream& ist, const AVFrame* frame, const AVPacket* pkt);
    void WriteAudioFrames(TAVOutputStream& ost, bool AFlush);
    int Resample(TAVOutputStream& ost, const uint8_t** in, int in_samples);
    void DrainResampler(TAVOutputStream& ost);
    void EnsureResampler(TAVOutputStream& ost, AVFrame* decoded);
    void RescaleMargins(TAVOutputStream& ost, int width, int height);
    // DoVideoOut's steps: how many copies the clock asks for, the scaler
    // following the decoder's picture, crop, scale, and the encoding.
    int VideoFramesToWrite(TAVOutputStream& ost);
    void FollowPictureChange(TAVOutputStream& ost, TAVInputStream& ist, const AVFrame* picture);
    // nullptr: the crop failed and the picture is skipped.
    AVFrame* CropPicture(TAVOutputStream& ost, AVFrame* picture);
    AVFrame* ResamplePicture(TAVOutputStream& ost, AVFrame* formatted);
    void SetEncodedPictureProperties(const TAVOutputStream& ost, const AVFrame* picture, AVFrame* final);
    void EncodeVideoFrames(TAVOutputStream& ost, AVFrame* final, int nb_frames, int& frame_size);
    // A decoded picture to one encoded video output: through its filter graph
    // when it has one, then the video path and its statistics.
    void OutputVideo(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture);
    void EncodeVideo(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture);
    // Ends the graph's input and encodes what it still holds.
    void FlushVideoFilter(TAVOutputStream& ost);
    void PullFilteredVideo(TAVOutputStream& ost, TAVInputStream& ist);
    // Decodes one subtitle packet and hands the subtitle to its encoded outputs.
    int OutputSubtitle(TAVInputStream& ist, int ist_index, const AVPacket* pkt);

    // Loop steps (TranscodeLoop.cpp).
    int ChooseInput(int file_index);
    bool PrepareReadPacket(int file_index, AVPacket* pkt, int& ist_index);
    void EndOfJoinedInput(int k);
    // How far the stream's output has got, seconds: what its encoder was given,
    // written or still held back.
    double HandedOverTime(const TAVOutputStream& ost);
    void DrainAll();

    TCustomFFmpeg& FJob;
    TTranscode& T;
    // The stages' states.
    TDecodeState FDecode;
    TFilterState FFilter;
    TAudioOutState FAudioOut;
    TVideoOutState FVideoOut;
    TSubtitleOutState FSubtitleOut;
    TMuxState FMux;
    TProgressState FProgress;

    // The loop's own.
    std::string FReadError;           // a read failure that ends the job as failed
    std::chrono::steady_clock::time_point FStarted = std::chrono::steady_clock::now();
    int64_t FLibraryTime = 0;         // steady-clock ticks spent inside the codec libraries
};
