// Decodes, converts and presents a generated 1080p H.264 clip as fast as the
// machine allows, the way the player's video path does: decoder picture to a
// YUV 4:2:0 slot, slot to the 24-bit surface at the output size. Prints the
// frames per second against the clip's own rate.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/player/BenchClip.h"
#include "platform/gfx/Bitmap.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

namespace {

using playerbench::Clip;
using playerbench::ClipFrames;
using playerbench::ClipRate;

void BM_DecodeConvertPresent1080p(benchmark::State& state) {
    const std::string& path = Clip();
    int frames = 0;
    std::vector<uint8_t> slot(size_t(1920) * 1080 * 3 / 2);
    uint8_t* planes[4] = {slot.data(), slot.data() + 1920 * 1080, slot.data() + 1920 * 1080 * 5 / 4, nullptr};
    int pitches[4] = {1920, 960, 960, 0};
    TBitmap surface(1280, 720, pf24bit);  // a host panel smaller than the picture
    SwsContext* present = nullptr;
    for (auto _ : state) {
        AVFormatContext* input = nullptr;
        avformat_open_input(&input, path.c_str(), nullptr, nullptr);
        avformat_find_stream_info(input, nullptr);
        AVStream* stream = input->streams[0];
        const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
        AVCodecContext* decoder = avcodec_alloc_context3(codec);
        avcodec_parameters_to_context(decoder, stream->codecpar);
        decoder->thread_count = 1;  // as the player opens its decoders
        avcodec_open2(decoder, codec, nullptr);
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        auto drain = [&] {
            while (avcodec_receive_frame(decoder, frame) >= 0) {
                av_image_copy(planes, pitches, const_cast<const uint8_t**>(frame->data), frame->linesize,
                              AV_PIX_FMT_YUV420P, 1920, 1080);
                present = sws_getCachedContext(present, 1920, 1080, AV_PIX_FMT_YUV420P, 1280, 720, AV_PIX_FMT_BGR24,
                                               SWS_BICUBIC, nullptr, nullptr, nullptr);
                uint8_t* dst[4] = {surface.ScanLine(0), nullptr, nullptr, nullptr};
                const int dstStride[4] = {surface.Stride(), 0, 0, 0};
                sws_scale(present, planes, pitches, 0, 1080, dst, dstStride);
                ++frames;
                av_frame_unref(frame);
            }
        };
        while (av_read_frame(input, packet) >= 0) {
            avcodec_send_packet(decoder, packet);
            av_packet_unref(packet);
            drain();
        }
        avcodec_send_packet(decoder, nullptr);
        drain();
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&decoder);
        avformat_close_input(&input);
    }
    sws_freeContext(present);
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["clip_fps"] = ClipRate;
    state.counters["times_realtime"] = benchmark::Counter(double(frames) / ClipRate, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DecodeConvertPresent1080p)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
