#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "engine/transcode/DisplayRotation.h"
#include "engine/transcode/FFmpegException.h"
#include "engine/transcode/TranscodeRun.h"
#include "engine/transcode/TranscodeSetup.h"
#include "engine/transcode/VideoOutput.h"
#include "engine/util/Texts.h"
#include "platform/core/SysUtils.h"

// Video outputs with a filter text: the set-up builds one graph per such
// stream, the dispatch runs every decoded picture through it before the video
// path, which then neither crops nor scales.

namespace {

int JobSwsFlags(TCustomFFmpeg& AJob) {
    int64_t flags = 0;
    if (AJob.FOptions.sws_opts && AVLib.av_opt_get_int(AJob.FOptions.sws_opts, "sws_flags", 0, &flags) >= 0)
        AJob.Options().Fsws_flags = int(flags);
    return AJob.Options().Fsws_flags;
}

} // namespace

int TTranscode::ConfigureVideoFilters(TAVInputStream& AIst, TAVOutputStream& AOst) {
    AVCodecContext* enc = AOst.enc;
    const AVCodecContext* dec = AIst.dec;
    TVideoFilterSetup setup;
    setup.width = dec->width;
    setup.height = dec->height;
    setup.format = dec->pix_fmt;
    setup.sample_aspect_ratio = dec->sample_aspect_ratio;
    setup.time_base = AV_TIME_BASE_Q;  // pictures go in stamped with the input clock
    setup.rotation = DisplayRotation(AIst.st);
    setup.topBand = FJob.Options().Fframe_topBand;
    setup.bottomBand = FJob.Options().Fframe_bottomBand;
    setup.leftBand = FJob.Options().Fframe_leftBand;
    setup.rightBand = FJob.Options().Fframe_rightBand;
    setup.scale_width = enc->width;
    setup.scale_height = enc->height;
    setup.user_chain = FJob.Options().Fvfilters;
    setup.sws_flags = JobSwsFlags(FJob);
    setup.output_format = enc->pix_fmt;
    // In join mode the groups share one encoder, which an earlier group's graph
    // has sized already: later graphs scale as that one did and end at its size.
    for (const auto& other : ost_table) {
        if (other.get() == &AOst)
            break;
        if (other->enc == enc && other->filter_graph) {
            setup.scale_width = other->filter_graph->Setup().scale_width;
            setup.scale_height = other->filter_graph->Setup().scale_height;
            setup.fit_width = enc->width;
            setup.fit_height = enc->height;
            break;
        }
    }

    auto graph = std::make_unique<TVideoFilterGraph>();
    std::string error;
    if (!graph->Build(setup, error)) {
        // The set-up raises its own text; the library's reason goes to the log.
        GetFFLogger()->Log(&FJob, llError, error);
        return -1;
    }
    // The user's chain may change the size: the encoder takes what comes out.
    enc->width = graph->OutputWidth();
    enc->height = graph->OutputHeight();

    // The graph does all cropping and scaling; the video path sees pictures
    // of the encoder's size and format only.
    AOst.video_crop = 0;
    AOst.video_resample = 0;
    AVLib.av_frame_free(&AOst.pict_tmp);
    if (AOst.img_resample_ctx)
        AVLib.sws_freeContext(AOst.img_resample_ctx);
    AOst.img_resample_ctx = nullptr;
    AOst.topBand = AOst.bottomBand = AOst.leftBand = AOst.rightBand = 0;
    AOst.original_topBand = setup.topBand;
    AOst.original_bottomBand = setup.bottomBand;
    AOst.original_leftBand = setup.leftBand;
    AOst.original_rightBand = setup.rightBand;
    AOst.original_width = SwapsSides(setup.rotation) ? dec->height : dec->width;
    AOst.original_height = SwapsSides(setup.rotation) ? dec->width : dec->height;
    AOst.resample_width = enc->width;
    AOst.resample_height = enc->height;
    AOst.resample_pix_fmt = enc->pix_fmt;
    AOst.filter_graph = std::move(graph);
    return 0;
}

void TTranscodeRun::EncodeVideo(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture) {
    int frame_size = 0;
    DoVideoOut(ost, ist, picture, frame_size);
    if (!FJob.Options().Fvstats_filename.empty() && frame_size != 0)
        DoVideoStats(ost, frame_size);
}

void TTranscodeRun::OutputVideo(TAVOutputStream& ost, TAVInputStream& ist, AVFrame* picture) {
    if (!ost.filter_graph) {
        EncodeVideo(ost, ist, picture);
        return;
    }
    TVideoFilterGraph& graph = *ost.filter_graph;
    if (!graph.Accepts(picture)) {
        // A new size mid-stream: what the old graph holds goes out first, then a
        // graph for the new size that still ends at the encoder's size.
        const char* formatName = AVLib.av_get_pix_fmt_name(AVPixelFormat(picture->format));
        GetFFLogger()->Log(&FJob, llQuiet, "Input Stream #%d.%d frame size changed to %dx%d, %s", ist.file_index,
                           ist.index, picture->width, picture->height,
                           std::string(formatName ? formatName : "none"));
        FlushVideoFilter(ost);
        TVideoFilterSetup setup = graph.Setup();
        setup.width = picture->width;
        setup.height = picture->height;
        setup.format = AVPixelFormat(picture->format);
        setup.sample_aspect_ratio = picture->sample_aspect_ratio;
        // The margins are of the upright picture.
        const bool swapped = SwapsSides(setup.rotation);
        const int uprightWidth = swapped ? picture->height : picture->width;
        const int uprightHeight = swapped ? picture->width : picture->height;
        setup.topBand = RescaleMargin(ost.original_topBand, uprightHeight, ost.original_height);
        setup.bottomBand = RescaleMargin(ost.original_bottomBand, uprightHeight, ost.original_height);
        setup.leftBand = RescaleMargin(ost.original_leftBand, uprightWidth, ost.original_width);
        setup.rightBand = RescaleMargin(ost.original_rightBand, uprightWidth, ost.original_width);
        setup.fit_width = ost.enc->width;
        setup.fit_height = ost.enc->height;
        std::string error;
        if (!graph.Build(setup, error)) {
            GetFFLogger()->Log(&FJob, llError, error);
            throw FFmpegException("Error opening filters!");
        }
    }
    picture->pts = ist.pts;
    const int ret = LibraryCall([&] { return graph.Push(picture); });
    if (ret < 0)
        throw FFmpegException(AVErrorText("Error while filtering", ret));
    PullFilteredVideo(ost, ist);
}

void TTranscodeRun::PullFilteredVideo(TAVOutputStream& ost, TAVInputStream& ist) {
    TVideoFilterGraph& graph = *ost.filter_graph;
    // A filtered picture carries its own time (the chain may retime); other
    // outputs of the same input keep the decoder's.
    const int64_t decodedPts = ist.pts;
    for (;;) {
        const int ret = LibraryCall([&] { return graph.Pull(FFilter.Filtered); });
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            break;
        if (ret < 0) {
            ist.pts = decodedPts;
            throw FFmpegException(AVErrorText("Error while filtering", ret));
        }
        if (FFilter.Filtered->pts != AV_NOPTS_VALUE)
            ist.pts = AVLib.av_rescale_q(FFilter.Filtered->pts, graph.OutputTimeBase(), AV_TIME_BASE_Q);
        try {
            EncodeVideo(ost, ist, FFilter.Filtered);
        } catch (...) {
            AVLib.av_frame_unref(FFilter.Filtered);
            ist.pts = decodedPts;
            throw;
        }
        AVLib.av_frame_unref(FFilter.Filtered);
    }
    ist.pts = decodedPts;
}

void TTranscodeRun::FlushVideoFilter(TAVOutputStream& ost) {
    if (!ost.filter_graph || ost.filter_graph->Ended())
        return;
    const int ret = LibraryCall([&] { return ost.filter_graph->Push(nullptr); });
    if (ret < 0 && ret != AVERROR_EOF)
        throw FFmpegException(AVErrorText("Error while filtering", ret));
    PullFilteredVideo(ost, *T.ist_table[size_t(ost.source_index)]);
}
