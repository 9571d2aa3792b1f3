#pragma once
#include <cstdint>
#include <string>

#include "engine/loader/LibraryHeaders.h"

// "1024 Byte", "1.00 KB", "1024.00 MB", "1.00 GB": each unit from just above
// the one below it.
std::string FormatByteSize(int64_t ASize);
// "hh:mm:ss.zzz" of microseconds, hours not wrapped; "N/A" for the no-time
// value; a negative time has one leading sign.
std::string FormatAVTime(int64_t ATime);
// "<file name>: <reason>" for a library error code.
std::string AVErrorText(const std::string& AFileName, int AErrorCode);
// "Video", "Audio", "Data", "Subtitle", "Attachment", else "Unknown".
std::string MediaTypeName(int AMediaType);
// The codec's "name(long name)", or "mpeg2ts", or its tag as letters and hex.
std::string CodecDescription(AVCodecID ACodecID, uint32_t ACodecTag, bool AEncoder);
std::string CodecDescription(const AVCodecContext* ACodecContext, bool AEncoder);
// The value of the first entry whose key matches without regard to letter
// case; ADefault when there is none.
std::string GetMetadataText(const AVDictionary* AMetadata, const std::string& AKey,
                            const std::string& ADefault = "");
