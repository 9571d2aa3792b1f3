#include "engine/player/VideoFilter.h"

#include <cstdio>

#include "engine/loader/EntryPoints.h"

int TPlayerFilterGraph::Configure(const std::string& AFilters, int AWidth, int AHeight, AVPixelFormat AFormat,
                                 AVRational ATimeBase, AVRational ASampleAspect, int ASwsFlags) {
    Reset();
    FGraph = AVLib.avfilter_graph_alloc();
    if (!FGraph)
        return AVERROR(ENOMEM);
    FGraph->nb_threads = 1;  // like the decoders: no threads of the library's own
    const std::string swsOptions = ASwsFlags == SWS_BICUBIC ? "flags=bicubic" : "flags=" + std::to_string(ASwsFlags);
    FGraph->scale_sws_opts = AVLib.av_strdup(swsOptions.c_str());
    if (ASampleAspect.num <= 0 || ASampleAspect.den <= 0)
        ASampleAspect = AVRational{0, 1};
    char args[256];
    snprintf(args, sizeof args, "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", AWidth, AHeight,
             int(AFormat), ATimeBase.num, ATimeBase.den > 0 ? ATimeBase.den : 1, ASampleAspect.num, ASampleAspect.den);
    int err = AVLib.avfilter_graph_create_filter(&FSource, AVLib.avfilter_get_by_name("buffer"), "in", args, nullptr,
                                                 FGraph);
    if (err >= 0)
        err = AVLib.avfilter_graph_create_filter(&FSink, AVLib.avfilter_get_by_name("buffersink"), "out", nullptr,
                                                 nullptr, FGraph);
    if (err >= 0) {
        const AVPixelFormat formats[] = {AV_PIX_FMT_YUV420P};
        err = AVLib.av_opt_set_bin(FSink, "pix_fmts", reinterpret_cast<const uint8_t*>(formats), sizeof formats,
                                   AV_OPT_SEARCH_CHILDREN);
    }
    if (err >= 0) {
        // The chain reads from the output named "in" and writes to the input named "out".
        AVFilterInOut* outputs = AVLib.avfilter_inout_alloc();
        AVFilterInOut* inputs = AVLib.avfilter_inout_alloc();
        if (outputs && inputs) {
            outputs->name = AVLib.av_strdup("in");
            outputs->filter_ctx = FSource;
            inputs->name = AVLib.av_strdup("out");
            inputs->filter_ctx = FSink;
            err = AVLib.avfilter_graph_parse_ptr(FGraph, AFilters.c_str(), &inputs, &outputs, nullptr);
        } else {
            err = AVERROR(ENOMEM);
        }
        AVLib.avfilter_inout_free(&inputs);
        AVLib.avfilter_inout_free(&outputs);
    }
    if (err >= 0)
        err = AVLib.avfilter_graph_config(FGraph, nullptr);
    if (err < 0) {
        Reset();
        return err;
    }
    FWidth = AWidth;
    FHeight = AHeight;
    FFormat = AFormat;
    return 0;
}

bool TPlayerFilterGraph::Fits(const AVFrame* AFrame) const {
    return FGraph && AFrame->width == FWidth && AFrame->height == FHeight && AFrame->format == FFormat;
}

void TPlayerFilterGraph::Reset() {
    if (FGraph)
        AVLib.avfilter_graph_free(&FGraph);
    FSource = FSink = nullptr;
    FWidth = FHeight = 0;
    FFormat = AV_PIX_FMT_NONE;
}

int TPlayerFilterGraph::Push(AVFrame* AFrame) {
    return AVLib.av_buffersrc_add_frame_flags(FSource, AFrame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int TPlayerFilterGraph::Pull(AVFrame* AFrame) { return AVLib.av_buffersink_get_frame(FSink, AFrame); }

AVRational TPlayerFilterGraph::OutputTimeBase() const { return AVLib.av_buffersink_get_time_base(FSink); }
