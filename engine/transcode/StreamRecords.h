#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/transcode/JobFiles.h"
#include "engine/transcode/VideoFilterGraph.h"

struct SwrContext;
struct AVAudioFifo;
struct SwsContext;

// The records one conversion keeps while it runs: one per input, one per input
// stream and one per output stream. The set-up fills them, the packet loop and
// the output paths update them; they live for one conversion only and belong
// to its TTranscode.

struct TAVInputFile {
    int eof_reached = 0;   // 1 once reading this input has ended
    int ist_index = 0;     // its first stream in the input stream table
    int nb_streams = 0;    // its stream count at set-up
};

struct TAVInputStream {
    int file_index = 0;
    int index = 0;                      // stream number within its input
    AVStream* st = nullptr;             // the container's
    AVCodecContext* dec = nullptr;      // the job's decoder context of this stream
    TJobInputStream* source = nullptr;  // the job's record (decoder chosen by name)
    int discard = 1;                    // 0 once an output stream takes this stream
    int decoding_needed = 0;            // an encoded output stream is fed from it
    int64_t start = 0;                  // wall clock at set-up with frame-rate emulation, µs
    int64_t next_pts = AV_NOPTS_VALUE;  // time of the next decoded unit, µs
    int64_t pts = 0;                    // time of the current decoded unit, µs
    int is_start = 1;                   // cleared by the audio output after its first hard correction
    int showed_multi_packet_warning = 0;
    int is_past_recording_time = 0;
    int decoder_flushed = 0;            // join mode: flushed at the end of its input
};

struct TAVOutputStream {
    int file_index = 0;                 // output number (the group in join mode)
    int index = 0;                      // stream number within that output
    int source_index = 0;               // the feeding stream in the input stream table
    AVStream* st = nullptr;             // the container's
    AVCodecContext* enc = nullptr;      // encoder, or the copied stream's parameters
    TJobOutputStream* source = nullptr; // the job's record (encoder, options, filters)
    TJobOutputFile* output = nullptr;   // the job's output this stream is in
    int encoding_needed = 0;            // 0: stream copy
    int frame_number = 0;               // frames written (packets for a copy)
    TAVInputStream* sync_ist = nullptr; // whose clock this stream follows
    int64_t sync_opts = 0;              // output position of the audio and video paths

    // Video: the engine's own scaler from the cropped decoded size to the encoder's.
    int video_resample = 0;
    AVFrame* pict_tmp = nullptr;        // owned: the scaler's destination
    SwsContext* img_resample_ctx = nullptr;
    int resample_height = 0, resample_width = 0;
    AVPixelFormat resample_pix_fmt = AV_PIX_FMT_NONE;
    int original_height = 0, original_width = 0;  // decoded size at set-up
    int video_crop = 0;
    int topBand = 0, bottomBand = 0, leftBand = 0, rightBand = 0;
    int original_topBand = 0, original_bottomBand = 0, original_leftBand = 0, original_rightBand = 0;
    // With a video filter text the graph crops and scales instead: one graph
    // per filtered stream, rebuilt when the decoded size changes.
    std::unique_ptr<TVideoFilterGraph> filter_graph;

    // Audio: one resampler does rate, layout and sample-format conversion; it is
    // made by the audio path from the first decoded frame, whose format it
    // then knows. The FIFO holds encoder-ready samples until a frame is full.
    int audio_resample = 0;             // the rate differs or sync needs compensation
    SwrContext* swr = nullptr;          // owned
    AVAudioFifo* fifo = nullptr;        // owned, in the encoder's format and layout

    // Bit-stream filters in chain order, initialised from the stream's parameters.
    std::vector<AVBSFContext*> bsfs;    // owned

    FILE* logfile = nullptr;            // pass-1 statistics, owned
    AVCodecID codec_id = AV_CODEC_ID_NONE;  // join mode: the encoder's id at its first opening
    int show_fps = 0;                   // may supply frame number, speed and quality to the report
};
