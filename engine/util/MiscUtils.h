#pragma once
#include <cstdint>
#include <string>

#include "engine/loader/LibraryHeaders.h"
#include "platform/core/Set.h"

enum TSeekFlag { sfBackward, sfByte, sfAny, sfFrame };
using TSeekFlags = TSet<TSeekFlag>;

// The ordinal is the library's picture type number.
enum TPictureType { ptUnknown, ptI, ptP, ptB, ptS, ptSI, ptSP, ptBI };

// Library seek flags: backward 1, byte 2, any 4, frame 8.
int SeekFlagsToAVFlags(TSeekFlags ASeekFlags);

// Microseconds per frame of a rate; 40000 when either part is 0.
int64_t FrameIntervalUS(AVRational ARate);

// Size of an existing file in bytes (any name: no wildcards are read); -1 when
// there is none or it is a folder.
int64_t GetFileSizeByName(const std::string& AFileName);
// The running program's file and its folder (with a trailing "/").
std::string GetExeFileName();
std::string GetExePath();

// The text before the first separator; with ARemove the text keeps only what
// follows the separator (or becomes empty when there is none).
std::string TakeToken(std::string& AText, const std::string& ASeparator, bool ARemove);

// Local date-time (days since 1899-12-30) of seconds since 1970 UTC, with the
// time-zone offset in force at that instant (daylight saving included).
double UnixTimeToDateTime(int64_t AUnixTime);
// Seconds since 1970 UTC of a local date-time, rounded half to even.
int64_t DateTimeToUnixTime(double ADateTime);
// The date-time in the platform's format rules, e.g. "yyyy-mm-dd hh:nn:ss".
std::string DateTimeText(const std::string& AFormat, double ADateTime);

// Reads a whole file through the C run-time into a buffer of the library
// allocator with a zero byte after the contents (ASize counts it). 0, -1 when
// the file cannot be opened, AVERROR(ENOMEM) when the buffer cannot be had.
int ReadWholeFile(const std::string& AFileName, char** ABuffer, int64_t* ASize);
