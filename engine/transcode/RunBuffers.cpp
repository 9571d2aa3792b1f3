#include "engine/transcode/RunBuffers.h"

#include "engine/loader/EntryPoints.h"
#include "engine/transcode/FFmpegException.h"

TOwnedFrame::TOwnedFrame() : FFrame(AVLib.av_frame_alloc()) {
    if (!FFrame)
        throw FFmpegException("av_mallocz fail");
}

TOwnedFrame::~TOwnedFrame() { AVLib.av_frame_free(&FFrame); }

TOwnedPacket::TOwnedPacket() : FPacket(AVLib.av_packet_alloc()) {
    if (!FPacket)
        throw FFmpegException("av_mallocz fail");
}

TOwnedPacket::~TOwnedPacket() { AVLib.av_packet_free(&FPacket); }
