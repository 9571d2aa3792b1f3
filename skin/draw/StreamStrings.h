#pragma once
#include <string>

class TStream;

// Length-prefixed strings of the skin layer's streams: an Int32 byte count
// (little-endian) followed by the UTF-8 bytes.

// Raises EReadError for a negative count or one past the end of the stream.
void ReadStreamString(TStream& Stream, std::string& S);
void WriteStreamString(TStream& Stream, const std::string& S);

// Little-endian Int32 values of the same streams.
int ReadStreamInt32(TStream& Stream);
void WriteStreamInt32(TStream& Stream, int Value);
