#pragma once
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/transcode/RunBuffers.h"

// What a video filter graph is built from: the decoded pictures it takes, the
// margins to cut off, the size the picture is scaled to before the user's
// chain, the user's chain and the pixel format the encoder wants.
struct TVideoFilterSetup {
    int width = 0, height = 0;                   // decoded pictures
    AVPixelFormat format = AV_PIX_FMT_NONE;
    AVRational sample_aspect_ratio{0, 1};
    AVRational time_base{1, AV_TIME_BASE};       // of the pictures' time stamps
    int rotation = 0;                            // clockwise turn to upright (DisplayRotation.h), first of all
    int topBand = 0, bottomBand = 0, leftBand = 0, rightBand = 0;  // of the upright picture
    int scale_width = 0, scale_height = 0;       // after the margins, before the user's chain
    std::string user_chain;                      // the library's graph syntax; may be empty
    int sws_flags = SWS_BICUBIC;
    AVPixelFormat output_format = AV_PIX_FMT_NONE;
    // A graph rebuilt for a running encoder must keep putting out the size the
    // encoder was opened with, whatever the user's chain makes of the new size.
    int fit_width = 0, fit_height = 0;           // 0: the chain decides
};

// One video filter graph: the library's "buffer" source, the turn upright
// ("transpose", or "hflip" and "vflip") when the source is stored turned, a "crop" when margins
// are set, a "scale" when the size after the margins is not the wanted one,
// the user's chain, a final "scale" when the output size is fixed, and the
// "buffersink" that accepts only the encoder's pixel format (the graph
// converts any other format on the way). Owns the library graph.
class TVideoFilterGraph {
public:
    TVideoFilterGraph() = default;
    ~TVideoFilterGraph();
    TVideoFilterGraph(const TVideoFilterGraph&) = delete;
    TVideoFilterGraph& operator=(const TVideoFilterGraph&) = delete;

    // Builds the graph; false with the library's reason in AError. A graph
    // that was built before is freed first.
    bool Build(const TVideoFilterSetup& ASetup, std::string& AError);

    const TVideoFilterSetup& Setup() const { return FSetup; }
    // The filters of the chain the engine linked, source first ("buffer",
    // "crop", "scale", "user", "scale", "buffersink"); "user" stands for the
    // user's chain.
    const std::vector<std::string>& Chain() const { return FChain; }
    // The pictures' size and format at the sink.
    int OutputWidth() const;
    int OutputHeight() const;
    AVPixelFormat OutputFormat() const;
    AVRational OutputTimeBase() const;

    // True when a decoded picture has the size and format the graph was built for.
    bool Accepts(const AVFrame* AFrame) const;

    // Hands a picture to the source (the caller keeps its reference); null ends
    // the input. A library error code, 0 on success.
    int Push(AVFrame* AFrame);
    bool Ended() const { return FEnded; }
    // Takes the next filtered picture: 0 when one was taken, AVERROR(EAGAIN)
    // when the graph needs more input, AVERROR_EOF once it has ended.
    int Pull(AVFrame* AFrame);

private:
    void Free();
    AVFilterContext* AddFilter(const char* AName, const std::string& AArgs, std::string& AError);
    // Build's steps, source to sink; each false or nullptr leaves its reason in AError.
    AVFilterContext* AddSource(std::string& AError);
    bool AppendFilter(AVFilterContext*& ALast, const char* AName, const std::string& AArgs, std::string& AError);
    bool AddUprightChain(AVFilterContext*& ALast, std::string& AError);
    AVFilterContext* AddSinkEnd(std::string& AError);
    bool JoinChain(AVFilterContext* ALast, AVFilterContext* ATail, std::string& AError);

    TVideoFilterSetup FSetup;
    AVFilterGraph* FGraph = nullptr;
    AVFilterContext* FSource = nullptr;
    AVFilterContext* FSink = nullptr;
    std::vector<std::string> FChain;
    int FFilterCount = 0;
    bool FEnded = false;  // the input was ended
};

// The filter stage's state of a run (FilteredVideo.cpp): the picture taken
// from a stream's graph (the graphs themselves belong to their output streams).
struct TFilterState {
    TOwnedFrame Filtered;
};
