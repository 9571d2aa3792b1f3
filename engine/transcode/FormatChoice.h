#pragma once
#include "engine/loader/LibraryHeaders.h"

// Fit an encoder context's pixel or sample format to what the encoder (may
// be null) supports: kept when supported, else the encoder's first. MJPEG
// keeps YUV420P and YUV422P when unofficial extensions are allowed.
void ChoosePixelFormat(AVCodecContext* AContext, const AVCodec* ACodec);
// Players expect 8-bit 4:2:0 from the H.264, MPEG-4, MPEG-1/2, H.263, WMV,
// FLV and RealVideo encoders, though some of them take deeper or wider
// formats too: a source in such a format (10-bit, 4:2:2, 4:4:4) would give
// a profile most players refuse. Unless a format was asked for, these
// encoders get YUV420P.
void ChooseDeliveryPixelFormat(AVCodecContext* AContext, const AVCodec* ACodec);
// Fits the encoder context's channel layout to what the encoder (may be null)
// takes: a layout of unknown order becomes the usual one of its channel
// count; a layout the encoder does not list becomes the listed one nearest to
// it (fewest channels dropped, then fewest added, then most channels kept in
// place, so stereo before mono). Returns true when the layout changed.
bool ChooseChannelLayout(AVCodecContext* AContext, const AVCodec* ACodec);
void ChooseSampleFormat(AVCodecContext* AContext, const AVCodec* ACodec);
