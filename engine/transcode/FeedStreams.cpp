#include "engine/log/Logger.h"
#include "engine/transcode/CustomFFmpeg.h"

int TCustomFFmpeg::ReadFeedStreams(AVFormatContext*, const std::string& AFeedName) {
    GetFFLogger()->Log(this, llError, "Cannot read the streams of feed %s: feeds are not supported", AFeedName);
    return AVERROR(ENOSYS);
}
