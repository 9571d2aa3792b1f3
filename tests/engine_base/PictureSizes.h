#pragma once
// Picture sizes and formats of real files, for the checks that every path
// handing pictures to the scaler stays inside its buffers.
#include <cstring>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixdesc.h>
}

struct TPictureSizeCase {
    int Width, Height;
    AVPixelFormat Format;
    std::string Name() const {
        return std::to_string(Width) + "x" + std::to_string(Height) + " " + av_get_pix_fmt_name(Format);
    }
};

// Every even width from 640 to 736 and the widths around 1920, from 4:2:0,
// 4:2:2 and 10-bit sources. The rows' layout depends on the width; the usual
// heights are all tried with 4:2:0, the other formats take the smallest and
// the largest to keep the table quick.
inline std::vector<TPictureSizeCase> PictureSizeCases() {
    std::vector<int> widths;
    for (int w = 640; w <= 736; w += 2)
        widths.push_back(w);
    for (int w = 1918; w <= 1922; ++w)
        widths.push_back(w);
    struct TFormatHeights {
        AVPixelFormat Format;
        std::vector<int> Heights;
    };
    const TFormatHeights formats[] = {{AV_PIX_FMT_YUV420P, {360, 404, 576, 1080}},
                                      {AV_PIX_FMT_YUV422P, {360, 1080}},
                                      {AV_PIX_FMT_YUV420P10LE, {360, 1080}}};
    std::vector<TPictureSizeCase> cases;
    for (const TFormatHeights& f : formats)
        for (int height : f.Heights)
            for (int width : widths)
                cases.push_back({width, height, f.Format});
    return cases;
}

// A mid-grey picture of the case's size and format in the library's own layout.
inline AVFrame* MakeGreyFrame(const TPictureSizeCase& c) {
    AVFrame* frame = av_frame_alloc();
    frame->format = c.Format;
    frame->width = c.Width;
    frame->height = c.Height;
    if (av_frame_get_buffer(frame, 0) < 0) {
        av_frame_free(&frame);
        return nullptr;
    }
    const AVPixFmtDescriptor* desc = av_pix_fmt_desc_get(c.Format);
    const bool wide = desc->comp[0].depth > 8;
    for (int plane = 0; plane < 3; ++plane) {
        const int rows = plane ? AV_CEIL_RSHIFT(c.Height, desc->log2_chroma_h) : c.Height;
        const int columns = plane ? AV_CEIL_RSHIFT(c.Width, desc->log2_chroma_w) : c.Width;
        for (int y = 0; y < rows; ++y) {
            uint8_t* row = frame->data[plane] + y * frame->linesize[plane];
            if (wide) {
                for (int x = 0; x < columns; ++x) {
                    const uint16_t v = plane ? 512 : 504;
                    std::memcpy(row + 2 * x, &v, 2);
                }
            } else {
                std::memset(row, plane ? 128 : 126, size_t(columns));
            }
        }
    }
    return frame;
}
