#pragma once
#include "engine/loader/LibraryHeaders.h"

// A frame or packet a stage of the run owns for its whole life: made with the
// stage, freed with it. Making one that the library cannot allocate raises
// FFmpegException.
class TOwnedFrame {
public:
    TOwnedFrame();
    ~TOwnedFrame();
    TOwnedFrame(const TOwnedFrame&) = delete;
    TOwnedFrame& operator=(const TOwnedFrame&) = delete;
    AVFrame* get() const { return FFrame; }
    AVFrame* operator->() const { return FFrame; }
    operator AVFrame*() const { return FFrame; }

private:
    AVFrame* FFrame;
};

class TOwnedPacket {
public:
    TOwnedPacket();
    ~TOwnedPacket();
    TOwnedPacket(const TOwnedPacket&) = delete;
    TOwnedPacket& operator=(const TOwnedPacket&) = delete;
    AVPacket* get() const { return FPacket; }
    AVPacket* operator->() const { return FPacket; }
    operator AVPacket*() const { return FPacket; }

private:
    AVPacket* FPacket;
};
