#include "engine/transcode/DisplayRotation.h"

#include <cmath>

#include "engine/loader/EntryPoints.h"

int DisplayRotation(const AVStream* AStream)
{
    if (!AStream || !AVLib.av_stream_get_side_data)
        return 0;
    const auto* matrix =
        reinterpret_cast<const int32_t*>(AVLib.av_stream_get_side_data(AStream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (!matrix)
        return 0;
    // The matrix gives the turn counter-clockwise.
    const double angle = -AVLib.av_display_rotation_get(matrix);
    if (std::isnan(angle))
        return 0;
    const int quarter = int(std::lround(angle / 90.0)) % 4;
    return (quarter + 4) % 4 * 90;
}

std::vector<TTurnFilter> TurnFilters(int ARotation)
{
    switch (ARotation) {
    case 90: return {{"transpose", "dir=clock"}};
    case 180: return {{"hflip", ""}, {"vflip", ""}};
    case 270: return {{"transpose", "dir=cclock"}};
    default: return {};
    }
}
