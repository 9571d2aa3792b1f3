#include "engine/transcode/FormatChoice.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <tuple>

#include "engine/loader/EntryPoints.h"
#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"
#include "platform/core/SysUtils.h"

void ChoosePixelFormat(AVCodecContext* AContext, const AVCodec* ACodec) {
    if (!ACodec || !ACodec->pix_fmts)
        return;
    for (const AVPixelFormat* p = ACodec->pix_fmts; *p != AV_PIX_FMT_NONE; ++p)
        if (*p == AContext->pix_fmt)
            return;
    if (AContext->codec_id == AV_CODEC_ID_MJPEG && AContext->strict_std_compliance <= FF_COMPLIANCE_UNOFFICIAL &&
        (AContext->pix_fmt == AV_PIX_FMT_YUV420P || AContext->pix_fmt == AV_PIX_FMT_YUV422P))
        return;
    AContext->pix_fmt = ACodec->pix_fmts[0];
}

void ChooseDeliveryPixelFormat(AVCodecContext* AContext, const AVCodec* ACodec) {
    static constexpr AVCodecID Delivery[] = {
        AV_CODEC_ID_H264,     AV_CODEC_ID_MPEG4,    AV_CODEC_ID_MPEG1VIDEO, AV_CODEC_ID_MPEG2VIDEO,
        AV_CODEC_ID_H263,     AV_CODEC_ID_H263P,    AV_CODEC_ID_MSMPEG4V1,  AV_CODEC_ID_MSMPEG4V2,
        AV_CODEC_ID_MSMPEG4V3, AV_CODEC_ID_WMV1,    AV_CODEC_ID_WMV2,       AV_CODEC_ID_FLV1,
        AV_CODEC_ID_RV10,     AV_CODEC_ID_RV20};
    const AVCodecID id = ACodec ? ACodec->id : AContext->codec_id;
    if (AContext->pix_fmt == AV_PIX_FMT_YUV420P || std::find(std::begin(Delivery), std::end(Delivery), id) == std::end(Delivery))
        return;
    if (ACodec && ACodec->pix_fmts) {
        const AVPixelFormat* p = ACodec->pix_fmts;
        while (*p != AV_PIX_FMT_NONE && *p != AV_PIX_FMT_YUV420P)
            ++p;
        if (*p == AV_PIX_FMT_NONE)
            return;
    }
    AContext->pix_fmt = AV_PIX_FMT_YUV420P;
}

namespace {

// Channels of the layout that ARef holds as well (by position for layouts of
// other orders).
int SharedChannels(const AVChannelLayout& A, const AVChannelLayout& ARef) {
    if (A.order == AV_CHANNEL_ORDER_NATIVE && ARef.order == AV_CHANNEL_ORDER_NATIVE)
        return __builtin_popcountll(A.u.mask & ARef.u.mask);
    return std::min(A.nb_channels, ARef.nb_channels);
}

} // namespace

bool ChooseChannelLayout(AVCodecContext* AContext, const AVCodec* ACodec) {
    AVChannelLayout& layout = AContext->ch_layout;
    bool changed = false;
    if (layout.order == AV_CHANNEL_ORDER_UNSPEC && layout.nb_channels > 0) {
        const int channels = layout.nb_channels;
        AVLib.av_channel_layout_uninit(&layout);
        AVLib.av_channel_layout_default(&layout, channels);
        changed = true;
    }
    if (!ACodec || !ACodec->ch_layouts || layout.nb_channels <= 0)
        return changed;
    const AVChannelLayout* best = nullptr;
    auto rank = [&](const AVChannelLayout& ACandidate) {
        const int dropped = std::max(0, layout.nb_channels - ACandidate.nb_channels);
        const int added = std::max(0, ACandidate.nb_channels - layout.nb_channels);
        return std::tuple(dropped, added, -SharedChannels(ACandidate, layout));
    };
    for (const AVChannelLayout* p = ACodec->ch_layouts; p->nb_channels != 0; ++p) {
        if (AVLib.av_channel_layout_compare(p, &layout) == 0)
            return changed;
        if (!best || rank(*p) < rank(*best))
            best = p;
    }
    if (!best)
        return changed;
    AVLib.av_channel_layout_uninit(&layout);
    AVLib.av_channel_layout_copy(&layout, best);
    return true;
}

void ChooseSampleFormat(AVCodecContext* AContext, const AVCodec* ACodec) {
    if (!ACodec || !ACodec->sample_fmts)
        return;
    for (const AVSampleFormat* p = ACodec->sample_fmts; *p != AV_SAMPLE_FMT_NONE; ++p)
        if (*p == AContext->sample_fmt)
            return;
    AContext->sample_fmt = ACodec->sample_fmts[0];
}

void TCustomFFmpeg::ChooseSampleRate(AVCodecContext* AContext, const AVCodec* ACodec) {
    if (!ACodec || !ACodec->supported_samplerates)
        return;
    const int wanted = AContext->sample_rate;
    int best = 0;
    for (const int* p = ACodec->supported_samplerates; *p; ++p)
        if (!best || std::abs(*p - wanted) < std::abs(best - wanted))
            best = *p;
    if (best != wanted)
        GetFFLogger()->Log(this, llWarning,
                           Format("Requested sampling rate unsupported using closest supported (%d)", best));
    AContext->sample_rate = best;
}
