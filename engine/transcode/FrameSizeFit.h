#pragma once
#include <string>

// Picture sizes some encoders and muxers cannot take, moved to the nearest
// size they can, by encoder name (as in "vcodec") and muxer name (the short
// name of the output format, "" when unknown):
//
// | Encoder, muxer        | Takes                                      | Becomes                            |
// |-----------------------|--------------------------------------------|------------------------------------|
// | libx264, libxvid      | even widths and heights (4:2:0)            | each rounded down to even          |
// | rv10                  | multiples of 16                            | each rounded down to a multiple    |
// | rv20                  | multiples of 4                             | each rounded down to a multiple    |
// | h263                  | 128x96, 176x144, 352x288, 704x576,         | the nearest of them (least sum of  |
// |                       | 1408x1152 only                             | width and height differences)      |
// | any video in "rm"     | pictures up to 1920x1200 pixels in area: a | scaled down to that area, keeping  |
// |                       | larger one's key frames outgrow the 64 kB  | the shape, then fitted as above    |
// |                       | packets of the format                      |                                    |
//
// Returns true when the size changed; AWhy then says why, for the log.
bool FitFrameSize(const std::string& AEncoder, const std::string& AMuxer, int& AWidth, int& AHeight, std::string& AWhy);
