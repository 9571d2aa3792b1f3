#include "skin/draw/StreamStrings.h"

#include <cstdint>
#include <limits>

#include "platform/core/Exception.h"
#include "platform/core/Stream.h"

int ReadStreamInt32(TStream& Stream) {
    std::uint8_t b[4];
    Stream.ReadBuffer(b, 4);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
                                     static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24);
}

void WriteStreamInt32(TStream& Stream, int Value) {
    const auto u = static_cast<std::uint32_t>(Value);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                               static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
    Stream.WriteBuffer(b, 4);
}

void ReadStreamString(TStream& Stream, std::string& S) {
    const int count = ReadStreamInt32(Stream);
    if (count < 0 || count > Stream.Size() - Stream.Position())
        throw EReadError("Stream string of " + std::to_string(count) + " bytes does not fit the stream");
    std::string text(static_cast<std::size_t>(count), '\0');
    if (count > 0)
        Stream.ReadBuffer(text.data(), count);
    S = std::move(text);
}

void WriteStreamString(TStream& Stream, const std::string& S) {
    if (S.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
        throw EWriteError("Stream string too long");
    WriteStreamInt32(Stream, static_cast<int>(S.size()));
    if (!S.empty())
        Stream.WriteBuffer(S.data(), static_cast<std::int64_t>(S.size()));
}
