#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/loader/LibraryHeaders.h"
#include "engine/util/Picture.h"

// Where the media libraries' vector code may write: the scaler converts whole
// blocks of pixels and, when a row's line size leaves room, writes the last
// block past the picture's width (a 700 pixel BGR row gets 704 pixels). A
// picture handed to the scaler or a codec must therefore be laid out as the
// libraries lay out their own frames: the width rounded up until every line
// size is a multiple of the processor's widest vector, and spare bytes after
// the last line.
struct TPictureLayout {
    AVPixelFormat Format = AV_PIX_FMT_NONE;
    int PaddedWidth = 0, Height = 0;  // the width rounded up as the line sizes ask
    int Linesize[4] = {};
    size_t Size = 0;     // bytes to allocate, the spare tail included
    int Alignment = 0;   // of the buffer's start and of every line size
};

// False for a size or format the libraries refuse.
bool LibraryPictureLayout(AVPixelFormat AFormat, int AWidth, int AHeight, TPictureLayout& ALayout);

// Points the picture's planes into a buffer laid out as ALayout says.
void FillPicture(const TPictureLayout& ALayout, uint8_t* ABuffer, TAVPicture& APicture);

// A picture buffer of that layout in ordinary memory (no library allocator, so
// it may outlive the libraries), its start aligned; grows, never shrinks.
class TPictureBuffer {
public:
    // Lays out a picture of that format and size; false when the libraries refuse it.
    bool Layout(AVPixelFormat AFormat, int AWidth, int AHeight);
    const TAVPicture& Picture() const { return FPicture; }
    bool Empty() const { return FBytes.empty(); }

private:
    std::vector<uint8_t> FBytes;
    TAVPicture FPicture;
};
