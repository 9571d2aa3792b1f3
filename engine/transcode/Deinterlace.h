#pragma once
#include "engine/loader/LibraryHeaders.h"
#include "engine/util/Picture.h"

// Deinterlaces a picture into another one of the same format and size: the
// lines of the top field (even lines) are kept, each line of the bottom field
// is rebuilt from the five lines around it with the vertical filter
// (-1 4 2 4 -1) / 8, lines past the edges repeating the edge line. Works on
// planar pictures of 8-bit samples (YUV, YUVA, grey); false, with nothing
// written, for any other format or a size that is not positive.
bool DeinterlacePicture(const TAVPicture& ADest, const TAVPicture& ASource, AVPixelFormat APixFmt, int AWidth,
                        int AHeight);
