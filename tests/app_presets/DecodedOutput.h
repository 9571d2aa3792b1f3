#pragma once
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/display.h>
}

#include "engine/transcode/LibraryErrors.h"

namespace presettest {

// What decoding a converted file with the libraries shows: its first video
// and audio streams as stored, and the last error line the decoders logged.
struct TDecodedOutput {
    bool Opened = false;
    AVPixelFormat PixelFormat = AV_PIX_FMT_NONE;  // of the stored video
    int Width = 0, Height = 0;
    bool Rotated = false;  // the video carries a display matrix
    int Pictures = 0;
    int Channels = 0;
    int AudioFrames = 0;
    std::string DecodeError;  // empty when every packet decoded cleanly
};

namespace detail {

inline AVCodecContext* OpenDecoder(const AVStream* AStream)
{
    const AVCodec* codec = avcodec_find_decoder(AStream->codecpar->codec_id);
    AVCodecContext* dec = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!dec)
        return nullptr;
    avcodec_parameters_to_context(dec, AStream->codecpar);
    dec->thread_count = 1;
    if (avcodec_open2(dec, codec, nullptr) < 0)
        avcodec_free_context(&dec);
    return dec;
}

}  // namespace detail

// Decodes every packet of the file's first video and audio streams. The
// caller's thread must not be decoding anything else meanwhile: the error
// lines are caught per thread.
inline TDecodedOutput DecodeOutput(const std::string& APath)
{
    TDecodedOutput out;
    TLibraryErrorCapture errors;
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, APath.c_str(), nullptr, nullptr) < 0)
        return out;
    out.Opened = true;
    avformat_find_stream_info(ctx, nullptr);
    const int vIndex = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int aIndex = av_find_best_stream(ctx, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    AVCodecContext* vdec = nullptr;
    AVCodecContext* adec = nullptr;
    if (vIndex >= 0) {
        const AVStream* st = ctx->streams[vIndex];
        out.PixelFormat = AVPixelFormat(st->codecpar->format);
        out.Width = st->codecpar->width;
        out.Height = st->codecpar->height;
        out.Rotated = av_stream_get_side_data(st, AV_PKT_DATA_DISPLAYMATRIX, nullptr) != nullptr;
        vdec = detail::OpenDecoder(st);
    }
    if (aIndex >= 0) {
        out.Channels = ctx->streams[aIndex]->codecpar->ch_layout.nb_channels;
        adec = detail::OpenDecoder(ctx->streams[aIndex]);
    }
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto drain = [&](AVCodecContext* ADec, int& ACount) {
        while (avcodec_receive_frame(ADec, frame) >= 0) {
            ++ACount;
            av_frame_unref(frame);
        }
    };
    while (av_read_frame(ctx, pkt) >= 0) {
        if (vdec && pkt->stream_index == vIndex) {
            avcodec_send_packet(vdec, pkt);
            drain(vdec, out.Pictures);
        } else if (adec && pkt->stream_index == aIndex) {
            avcodec_send_packet(adec, pkt);
            drain(adec, out.AudioFrames);
        }
        av_packet_unref(pkt);
    }
    for (auto [dec, count] : {std::pair{vdec, &out.Pictures}, std::pair{adec, &out.AudioFrames}})
        if (dec) {
            avcodec_send_packet(dec, nullptr);
            drain(dec, *count);
        }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&vdec);
    avcodec_free_context(&adec);
    avformat_close_input(&ctx);
    out.DecodeError = errors.LastLine();
    return out;
}

}  // namespace presettest
