#pragma once
#include "engine/loader/LibraryHeaders.h"

// Fit an encoder context's pixel or sample format to what the encoder (may
// be null) supports: kept when supported, else the encoder's first. MJPEG
// keeps YUV420P and YUV422P when unofficial extensions are allowed.
void ChoosePixelFormat(AVCodecContext* AContext, const AVCodec* ACodec);
void ChooseSampleFormat(AVCodecContext* AContext, const AVCodec* ACodec);
