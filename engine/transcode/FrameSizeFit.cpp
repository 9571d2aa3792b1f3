#include "engine/transcode/FrameSizeFit.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/core/SysUtils.h"

namespace {

constexpr std::pair<int, int> H263Sizes[] = {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}};

// The largest picture whose key frames the RM format still carries in its
// 64 kB packets at the presets' rates.
constexpr int64_t RmMaxArea = 1920 * 1200;

int Multiple(const std::string& AEncoder)
{
    if (AEncoder == "rv10")
        return 16;
    if (AEncoder == "rv20")
        return 4;
    if (AEncoder == "libx264" || AEncoder == "libxvid")
        return 2;
    return 1;
}

}  // namespace

bool FitFrameSize(const std::string& AEncoder, const std::string& AMuxer, int& AWidth, int& AHeight, std::string& AWhy)
{
    if (AWidth <= 0 || AHeight <= 0)
        return false;
    const int width = AWidth, height = AHeight;
    int w = width, h = height;
    std::string why;
    if (AMuxer == "rm" && int64_t(w) * h > RmMaxArea) {
        const double scale = std::sqrt(double(RmMaxArea) / (double(w) * h));
        w = int(w * scale);
        h = int(h * scale);
        why = Format("a %dx%d picture makes packets larger than the 64 kB the RM format carries", width, height);
    }
    if (AEncoder == "h263") {
        const std::pair<int, int>* best = nullptr;
        for (const auto& size : H263Sizes)
            if (!best || std::abs(size.first - w) + std::abs(size.second - h) <
                             std::abs(best->first - w) + std::abs(best->second - h))
                best = &size;
        if (best->first != w || best->second != h) {
            w = best->first;
            h = best->second;
            why = "H.263 codes only 128x96, 176x144, 352x288, 704x576 and 1408x1152 pictures";
        }
    } else if (const int m = Multiple(AEncoder); m > 1 && (w % m != 0 || h % m != 0)) {
        w = std::max(m, w / m * m);
        h = std::max(m, h / m * m);
        if (why.empty())
            why = Format("%s codes only widths and heights that are multiples of %d", AEncoder, m);
    }
    if (w == width && h == height)
        return false;
    AWidth = w;
    AHeight = h;
    AWhy = why;
    return true;
}
