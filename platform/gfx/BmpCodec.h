#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class TBitmap;

// The largest picture any decoder accepts, in pixels (a declared size above
// it is treated as a broken file, not as a reason to exhaust memory).
constexpr int64_t MaxPicturePixels = int64_t(1) << 26;

// Reads BMP files of 1, 4, 8, 16, 24 and 32 bits, uncompressed, RLE4, RLE8
// or with bit fields, bottom-up or top-down. Monochrome files with a black
// and white palette load as pf1bit, 32-bit files as pf32bit, all else as
// pf24bit. Raises EInvalidGraphic on malformed or truncated data.
void DecodeBmp(const uint8_t* data, size_t size, TBitmap& into);
// Decodes a device-independent bitmap: the info header at dib, the pixels at
// pixelOffset (SIZE_MAX: right after header and palette). Icon images declare
// twice their height; pixelEnd receives the end of their colour data.
void DecodeDib(const uint8_t* dib, size_t size, size_t pixelOffset, bool icon, TBitmap& into, size_t* pixelEnd);
// Writes 24-bit and 32-bit bitmaps as such and monochrome ones as 1-bit.
std::vector<uint8_t> EncodeBmp(const TBitmap& bitmap);

// Checks a declared picture size; raises EInvalidGraphic when it is not sane.
void CheckPictureSize(int64_t width, int64_t height, const char* format);
