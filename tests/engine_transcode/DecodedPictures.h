#pragma once
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

// The luma planes of every picture of a file's first video stream, decoded
// with the libraries directly, in display order.
struct TLumaPicture {
    int Width = 0, Height = 0;
    std::vector<uint8_t> Luma;  // Width × Height
    const uint8_t* Row(int y) const { return Luma.data() + size_t(y) * size_t(Width); }
};

inline std::vector<TLumaPicture> DecodeLuma(const std::string& path) {
    std::vector<TLumaPicture> pictures;
    AVFormatContext* ctx = nullptr;
    if (avformat_open_input(&ctx, path.c_str(), nullptr, nullptr) < 0)
        return pictures;
    avformat_find_stream_info(ctx, nullptr);
    const int index = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    AVCodecContext* dec = nullptr;
    if (index >= 0) {
        const AVCodec* codec = avcodec_find_decoder(ctx->streams[index]->codecpar->codec_id);
        dec = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(dec, ctx->streams[index]->codecpar);
        dec->thread_count = 1;
        if (avcodec_open2(dec, codec, nullptr) < 0)
            avcodec_free_context(&dec);
    }
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto receive = [&] {
        while (avcodec_receive_frame(dec, frame) >= 0) {
            TLumaPicture p;
            p.Width = frame->width;
            p.Height = frame->height;
            p.Luma.resize(size_t(p.Width) * size_t(p.Height));
            for (int y = 0; y < p.Height; ++y)
                std::copy(frame->data[0] + y * frame->linesize[0], frame->data[0] + y * frame->linesize[0] + p.Width,
                          p.Luma.begin() + ptrdiff_t(y) * p.Width);
            pictures.push_back(std::move(p));
            av_frame_unref(frame);
        }
    };
    while (dec && av_read_frame(ctx, pkt) >= 0) {
        if (pkt->stream_index == index && avcodec_send_packet(dec, pkt) >= 0)
            receive();
        av_packet_unref(pkt);
    }
    if (dec) {
        avcodec_send_packet(dec, nullptr);
        receive();
    }
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&dec);
    avformat_close_input(&ctx);
    return pictures;
}
