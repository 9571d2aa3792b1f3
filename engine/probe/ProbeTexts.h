#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/loader/LibraryHeaders.h"

// The pieces of the probe's information text, in the manner of the media
// libraries' own format dump.

// The warning of a call that needs an opened file.
inline constexpr char FileNotLoaded[] = "file not loaded.";

// The readable name of an ID3 frame name ("TIT2" gives "title"); a key that
// is not in the table, or differs in letter case, is returned as it is.
std::string ID3KeyName(const std::string& AKey);

// "<indent>Metadata:" and one "<indent>  <key padded to 16>: <value>" line per
// entry other than "language". Nothing for no set, an empty set, or a set that
// holds only "language".
void AddMetadataLines(std::vector<std::string>& ALines, const AVDictionary* AMetadata, const std::string& AIndent);

// ", 25 fps", ", 29.97 fps", ", 90k tbn": two decimals only when needed,
// thousands as "k" when the rate is a whole number of them.
std::string FormatRateText(double ARate, const std::string& AUnit);

// Seconds with six digits of microseconds, one leading sign when negative:
// "1.500000", "-0.023000".
std::string FormatSecondsText(int64_t ATimeUS);

// A time of a stream's base in microseconds. A base whose denominator is 0 is
// mended on a local copy (the library's own stream record stays untouched).
int64_t StreamTimeUS(int64_t ATime, AVRational ABase);

// The one-line description of a stream: index, id, language, time base,
// codec, aspect ratios, rates, start time and duration. Without its metadata.
std::string StreamLineText(const AVFormatContext* AContext, int AStreamIndex);
