#include "engine/transcode/VideoFilterGraph.h"

#include "engine/loader/EntryPoints.h"
#include "engine/transcode/DisplayRotation.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

TVideoFilterGraph::~TVideoFilterGraph() { Free(); }

void TVideoFilterGraph::Free() {
    // The graph owns its filters and links.
    if (FGraph)
        AVLib.avfilter_graph_free(&FGraph);
    FGraph = nullptr;
    FSource = FSink = nullptr;
    FChain.clear();
    FFilterCount = 0;
    FEnded = false;
}

AVFilterContext* TVideoFilterGraph::AddFilter(const char* AName, const std::string& AArgs, std::string& AError) {
    const AVFilter* filter = AVLib.avfilter_get_by_name(AName);
    if (!filter) {
        AError = Format("No such filter: '%s'", AName);
        return nullptr;
    }
    // Instance names are unique within a graph: the chain position makes them so.
    const std::string instance = Format("%s_%d", AName, FFilterCount++);
    AVFilterContext* context = nullptr;
    const int ret = AVLib.avfilter_graph_create_filter(&context, filter, instance.c_str(),
                                                       AArgs.empty() ? nullptr : AArgs.c_str(), nullptr, FGraph);
    if (ret < 0) {
        AError = AVErrorText(Format("%s (%s)", AName, AArgs), ret);
        return nullptr;
    }
    return context;
}

bool TVideoFilterGraph::Build(const TVideoFilterSetup& ASetup, std::string& AError) {
    Free();
    FSetup = ASetup;
    AVFilterContext* last = AddSource(AError);
    if (!last || !AddUprightChain(last, AError))
        return false;
    AVFilterContext* tail = AddSinkEnd(AError);
    if (!tail || !JoinChain(last, tail, AError))
        return false;
    if (tail != FSink)
        FChain.push_back("scale");
    FChain.push_back("buffersink");
    const int ret = AVLib.avfilter_graph_config(FGraph, nullptr);
    if (ret < 0) {
        AError = AVErrorText("Cannot configure the filter graph", ret);
        return false;
    }
    return true;
}

AVFilterContext* TVideoFilterGraph::AddSource(std::string& AError) {
    const TVideoFilterSetup& s = FSetup;
    FGraph = AVLib.avfilter_graph_alloc();
    if (!FGraph) {
        AError = "Cannot allocate the filter graph";
        return nullptr;
    }
    // A job converts on its one worker thread; the graph starts no threads of its own.
    FGraph->nb_threads = 1;
    // The scalers the graph inserts itself (format conversion) use the job's flags too.
    FGraph->scale_sws_opts = AVLib.av_strdup(Format("flags=%d", s.sws_flags).c_str());

    const AVRational sar = s.sample_aspect_ratio.num > 0 && s.sample_aspect_ratio.den > 0 ? s.sample_aspect_ratio
                                                                                         : AVRational{0, 1};
    FSource = AddFilter("buffer",
                        Format("video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", s.width, s.height,
                               int(s.format), s.time_base.num, s.time_base.den, sar.num, sar.den),
                        AError);
    if (FSource)
        FChain.push_back("buffer");
    return FSource;
}

bool TVideoFilterGraph::AppendFilter(AVFilterContext*& ALast, const char* AName, const std::string& AArgs,
                                     std::string& AError) {
    AVFilterContext* next = AddFilter(AName, AArgs, AError);
    if (!next)
        return false;
    const int ret = AVLib.avfilter_link(ALast, 0, next, 0);
    if (ret < 0) {
        AError = AVErrorText(Format("Cannot link %s", AName), ret);
        return false;
    }
    ALast = next;
    FChain.push_back(AName);
    return true;
}

bool TVideoFilterGraph::AddUprightChain(AVFilterContext*& ALast, std::string& AError) {
    const TVideoFilterSetup& s = FSetup;
    // Upright first: the margins, the sizes and the user's chain all mean the picture as shown.
    for (const TTurnFilter& turn : TurnFilters(s.rotation))
        if (!AppendFilter(ALast, turn.Name, turn.Args, AError))
            return false;
    const int uprightWidth = SwapsSides(s.rotation) ? s.height : s.width;
    const int uprightHeight = SwapsSides(s.rotation) ? s.width : s.height;

    // The crop keeps what the margins leave of the source.
    const int cropWidth = uprightWidth - s.leftBand - s.rightBand;
    const int cropHeight = uprightHeight - s.topBand - s.bottomBand;
    if (cropWidth <= 0 || cropHeight <= 0) {
        AError = Format("The margins leave nothing of a %dx%d picture", uprightWidth, uprightHeight);
        return false;
    }
    if (s.topBand + s.bottomBand + s.leftBand + s.rightBand != 0 &&
        !AppendFilter(ALast, "crop", Format("w=%d:h=%d:x=%d:y=%d", cropWidth, cropHeight, s.leftBand, s.topBand), AError))
        return false;
    if (s.scale_width > 0 && s.scale_height > 0 && (cropWidth != s.scale_width || cropHeight != s.scale_height) &&
        !AppendFilter(ALast, "scale", Format("w=%d:h=%d:flags=%d", s.scale_width, s.scale_height, s.sws_flags), AError))
        return false;
    return true;
}

AVFilterContext* TVideoFilterGraph::AddSinkEnd(std::string& AError) {
    const TVideoFilterSetup& s = FSetup;
    FSink = AddFilter("buffersink", "", AError);
    if (!FSink)
        return nullptr;
    const AVPixelFormat formats[] = {s.output_format};
    if (s.output_format != AV_PIX_FMT_NONE) {
        const int ret = AVLib.av_opt_set_bin(FSink, "pix_fmts", reinterpret_cast<const uint8_t*>(formats),
                                             sizeof formats, AV_OPT_SEARCH_CHILDREN);
        if (ret < 0) {
            AError = AVErrorText("buffersink", ret);
            return nullptr;
        }
    }
    if (s.fit_width <= 0 || s.fit_height <= 0)
        return FSink;
    AVFilterContext* fit = AddFilter("scale", Format("w=%d:h=%d:flags=%d", s.fit_width, s.fit_height, s.sws_flags), AError);
    if (!fit)
        return nullptr;
    const int ret = AVLib.avfilter_link(fit, 0, FSink, 0);
    if (ret < 0) {
        AError = AVErrorText("Cannot link buffersink", ret);
        return nullptr;
    }
    return fit;
}

bool TVideoFilterGraph::JoinChain(AVFilterContext* ALast, AVFilterContext* ATail, std::string& AError) {
    const TVideoFilterSetup& s = FSetup;
    if (s.user_chain.empty()) {
        const int ret = AVLib.avfilter_link(ALast, 0, ATail, 0);
        if (ret < 0) {
            AError = AVErrorText("Cannot link buffersink", ret);
            return false;
        }
        return true;
    }
    AVFilterInOut* outputs = AVLib.avfilter_inout_alloc();
    AVFilterInOut* inputs = AVLib.avfilter_inout_alloc();
    int ret = AVERROR(ENOMEM);
    if (outputs && inputs) {
        outputs->name = AVLib.av_strdup("in");
        outputs->filter_ctx = ALast;
        outputs->pad_idx = 0;
        inputs->name = AVLib.av_strdup("out");
        inputs->filter_ctx = ATail;
        inputs->pad_idx = 0;
        ret = AVLib.avfilter_graph_parse_ptr(FGraph, s.user_chain.c_str(), &inputs, &outputs, nullptr);
    }
    AVLib.avfilter_inout_free(&inputs);
    AVLib.avfilter_inout_free(&outputs);
    if (ret < 0) {
        AError = AVErrorText(s.user_chain, ret);
        return false;
    }
    FChain.push_back("user");
    return true;
}

int TVideoFilterGraph::OutputWidth() const { return FSink ? AVLib.av_buffersink_get_w(FSink) : 0; }
int TVideoFilterGraph::OutputHeight() const { return FSink ? AVLib.av_buffersink_get_h(FSink) : 0; }

AVPixelFormat TVideoFilterGraph::OutputFormat() const {
    return FSink ? AVPixelFormat(AVLib.av_buffersink_get_format(FSink)) : AV_PIX_FMT_NONE;
}

AVRational TVideoFilterGraph::OutputTimeBase() const {
    return FSink ? AVLib.av_buffersink_get_time_base(FSink) : FSetup.time_base;
}

bool TVideoFilterGraph::Accepts(const AVFrame* AFrame) const {
    return AFrame->width == FSetup.width && AFrame->height == FSetup.height && AFrame->format == FSetup.format;
}

int TVideoFilterGraph::Push(AVFrame* AFrame) {
    if (!FSource)
        return AVERROR(EINVAL);
    if (FEnded)
        return AFrame ? AVERROR_EOF : 0;
    FEnded = !AFrame;
    return AVLib.av_buffersrc_add_frame_flags(FSource, AFrame, AV_BUFFERSRC_FLAG_KEEP_REF);
}

int TVideoFilterGraph::Pull(AVFrame* AFrame) {
    if (!FSink)
        return AVERROR(EINVAL);
    return AVLib.av_buffersink_get_frame(FSink, AFrame);
}
