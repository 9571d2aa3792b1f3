#include "engine/transcode/FormatChoice.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

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
