#include "engine/transcode/Deinterlace.h"

#include <algorithm>
#include <cstring>

#include "engine/loader/EntryPoints.h"

namespace {

void DeinterlacePlane(uint8_t* ADest, int ADestPitch, const uint8_t* ASource, int ASourcePitch, int AWidth,
                      int AHeight) {
    auto line = [&](int y) { return ASource + ptrdiff_t(std::clamp(y, 0, AHeight - 1)) * ASourcePitch; };
    for (int y = 0; y < AHeight; ++y) {
        uint8_t* out = ADest + ptrdiff_t(y) * ADestPitch;
        if (y % 2 == 0) {
            std::memcpy(out, line(y), size_t(AWidth));
            continue;
        }
        const uint8_t *m2 = line(y - 2), *m1 = line(y - 1), *c = line(y), *p1 = line(y + 1), *p2 = line(y + 2);
        for (int x = 0; x < AWidth; ++x) {
            const int sum = -m2[x] + 4 * m1[x] + 2 * c[x] + 4 * p1[x] - p2[x];
            out[x] = uint8_t(std::clamp((sum + 4) >> 3, 0, 255));
        }
    }
}

// Planes of 8-bit samples, one sample per byte, no RGB and no palette.
bool IsPlanar8Bit(const AVPixFmtDescriptor* d) {
    if (!d || d->nb_components < 1)
        return false;
    if (d->flags & (AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_BITSTREAM | AV_PIX_FMT_FLAG_HWACCEL |
                    AV_PIX_FMT_FLAG_FLOAT | AV_PIX_FMT_FLAG_BAYER))
        return false;
    if (!(d->flags & AV_PIX_FMT_FLAG_PLANAR) && d->nb_components != 1)
        return false;
    for (int i = 0; i < d->nb_components; ++i)
        if (d->comp[i].depth != 8 || d->comp[i].step != 1 || d->comp[i].shift != 0 || d->comp[i].offset != 0)
            return false;
    return true;
}

} // namespace

bool DeinterlacePicture(const TAVPicture& ADest, const TAVPicture& ASource, AVPixelFormat APixFmt, int AWidth,
                        int AHeight) {
    const AVPixFmtDescriptor* d = AVLib.av_pix_fmt_desc_get(APixFmt);
    if (AWidth <= 0 || AHeight <= 0 || !IsPlanar8Bit(d))
        return false;
    for (int i = 0; i < d->nb_components; ++i) {
        const int plane = d->comp[i].plane;
        const bool chroma = (plane == 1 || plane == 2) && d->nb_components > 2;
        const int width = chroma ? -((-AWidth) >> d->log2_chroma_w) : AWidth;
        const int height = chroma ? -((-AHeight) >> d->log2_chroma_h) : AHeight;
        DeinterlacePlane(ADest.data[plane], ADest.linesize[plane], ASource.data[plane], ASource.linesize[plane],
                         width, height);
    }
    return true;
}
