#pragma once
#include "engine/loader/LibraryHeaders.h"

class TObject;

// The picture a job's deinterlacing and frame hooks work on: a copy of the
// decoded picture in a buffer of the job's own, kept from picture to picture
// while its format and size stay and nothing else holds it, so a hook never
// writes into a picture the decoder still uses.
class THookBuffer {
public:
    THookBuffer() = default;
    ~THookBuffer() { Free(); }
    THookBuffer(const THookBuffer&) = delete;
    THookBuffer& operator=(const THookBuffer&) = delete;

    // The decoded picture copied (deinterlaced with ADeinterlace) into the
    // buffer, with its properties. Null, logged as "hook buf malloc error.",
    // when the buffer cannot be had. A format the deinterlacer cannot take
    // logs "Deinterlacing failed." and is copied as it came.
    AVFrame* Fill(TObject* ASender, const AVFrame* ASource, bool ADeinterlace);
    // The decoded picture becomes the buffer's picture (a reference to it).
    void HandTo(AVFrame* APicture);
    void Free();

private:
    AVFrame* FFrame = nullptr;
};
