#pragma once
#include <string>

#include "engine/loader/LibraryHeaders.h"

// The user's video filter chain during playback: a "buffer" source fed with
// decoded pictures, the chain, and a "buffersink" that gives YUV 4:2:0.
class TPlayerFilterGraph {
public:
    TPlayerFilterGraph() = default;
    TPlayerFilterGraph(const TPlayerFilterGraph&) = delete;
    TPlayerFilterGraph& operator=(const TPlayerFilterGraph&) = delete;
    ~TPlayerFilterGraph() { Reset(); }

    // Builds the graph for pictures of this size and format; a negative
    // library error when the chain cannot be parsed or configured.
    int Configure(const std::string& AFilters, int AWidth, int AHeight, AVPixelFormat AFormat, AVRational ATimeBase,
                  AVRational ASampleAspect, int ASwsFlags);
    bool Configured() const { return FGraph != nullptr; }
    // Whether pictures like this one fit the graph as configured.
    bool Fits(const AVFrame* AFrame) const;
    void Reset();

    // Hands a picture in (the caller keeps its own reference).
    int Push(AVFrame* AFrame);
    // The next filtered picture: 0, AVERROR(EAGAIN) when none waits, or an error.
    int Pull(AVFrame* AFrame);
    AVRational OutputTimeBase() const;

private:
    AVFilterGraph* FGraph = nullptr;
    AVFilterContext* FSource = nullptr;
    AVFilterContext* FSink = nullptr;
    int FWidth = 0, FHeight = 0;
    AVPixelFormat FFormat = AV_PIX_FMT_NONE;
};
