#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"

// The inputs and outputs a job opened, with one record per stream. Streams
// carry no codec context of their own today, so each record owns one: the
// decoder context of an input stream (filled from the stream's parameters),
// the encoder context of an output stream (or the parameters of a copied
// stream). A context is opened by the transcode set-up, listed in the job's
// open-codec lists while open, and freed by the job's clean-up.

struct TJobInputStream {
    AVStream* st = nullptr;          // the container's
    AVCodecContext* dec = nullptr;   // owned
    const AVCodec* codec = nullptr;  // decoder chosen by name; null: the stream's own
};

struct TJobInputFile {
    AVFormatContext* ctx = nullptr;  // owned
    std::string FileName;
    int64_t ts_offset = 0;           // added to the input's time stamps, microseconds
    std::vector<double> ts_scale;    // per stream; 0 or missing: not scaled
    std::vector<std::unique_ptr<TJobInputStream>> streams;
};

struct TJobOutputStream {
    AVStream* st = nullptr;             // the container's
    AVCodecContext* enc = nullptr;      // owned
    const AVCodec* codec = nullptr;     // encoder chosen by name, or the guessed one
    bool stream_copy = false;
    std::vector<const AVBitStreamFilter*> bitstream_filters;
    AVDictionary* codec_opts = nullptr;  // owned: options only the chosen encoder knows
};

struct TJobOutputFile {
    AVFormatContext* ctx = nullptr;       // owned, with its I/O context
    AVDictionary* muxer_opts = nullptr;   // owned: options only the muxer knows
    std::string FileName;
    // The file did not exist before this job opened it: only then may the
    // job delete it again.
    bool Created = false;
    std::vector<std::unique_ptr<TJobOutputStream>> streams;
};
