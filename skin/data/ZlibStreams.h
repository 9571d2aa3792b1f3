#pragma once
#include <zlib.h>
#include <array>
#include <cstdint>
#include <functional>
#include "platform/core/Exception.h"
#include "platform/core/Stream.h"

// Streams that deflate into or inflate from another stream (RFC 1950 zlib
// format). Stored skins are deflated with TCompressionLevel::clMax.

class EZlibError : public Exception {
public:
    using Exception::Exception;
};
class ECompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};
class EDecompressionError : public EZlibError {
public:
    using EZlibError::EZlibError;
};

// Scoped: clNone and clDefault are also colour names.
enum class TCompressionLevel { clNone, clFastest, clDefault, clMax };

class TCustomZlibStream : public TStream {
public:
    ~TCustomZlibStream() override = default;
    TCustomZlibStream(const TCustomZlibStream&) = delete;
    TCustomZlibStream& operator=(const TCustomZlibStream&) = delete;

    // Called with the zlib stream after every raw buffer moved to or from the wrapped stream.
    std::function<void(TObject* Sender)> OnProgress;

protected:
    explicit TCustomZlibStream(TStream& Strm);
    void Progress();
    // Puts the wrapped stream back where this stream left it, in case someone moved it.
    void RestoreStrmPos();

    static constexpr int64_t BufferSize = 8192;

    TStream& FStrm;          // not owned
    int64_t FStrmPos = 0;    // where the next raw transfer takes place
    z_stream FZRec{};
    std::array<uint8_t, BufferSize> FBuffer{};
};

// Write-only: deflates everything written into the wrapped stream. Finish()
// completes the zlib stream; the destructor finishes it too but cannot report
// an error, so callers that care call Finish() themselves.
class TCompressionStream : public TCustomZlibStream {
public:
    TCompressionStream(TCompressionLevel CompressionLevel, TStream& Dest);
    ~TCompressionStream() override;

    int64_t Read(void* Buffer, int64_t Count) override;          // ECompressionError
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;   // only (0, soCurrent)
    void Finish();

    // (1 - bytes out / bytes in) x 100; 0 when nothing was written.
    double CompressionRate() const;

private:
    void FlushBuffer(int64_t Count);
    bool FFinished = false;
};

// Read-only: inflates from the wrapped stream. Reading stops at the end of the
// zlib stream (bytes after it are left alone); wrapped data that ends before
// the zlib stream does, or is not zlib data, raises EDecompressionError.
class TDecompressionStream : public TCustomZlibStream {
public:
    explicit TDecompressionStream(TStream& Source);
    ~TDecompressionStream() override;

    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;   // EDecompressionError
    // (0, soBeginning) starts again; forward moves inflate and discard; others raise.
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;

private:
    void Discard(int64_t Count);
    int64_t FStartPos = 0;
    bool FStreamEnd = false;
};

// Deflates all of Source (from position 0) at TCompressionLevel::clMax into Dest at Dest's position.
void CompressStream(TMemoryStream& Source, TStream& Dest);

// The most a stored skin may inflate to. Our own skins inflate to about 1.2 MB
// and the largest known skins to a few; a block beyond this is refused before
// it can take gigabytes and seconds.
constexpr int64_t MaxInflatedSkinSize = int64_t(32) << 20;

// Inflates Source (from position 0) into Dest. More than MaxSize inflated bytes
// raise EDecompressionError, so a small hostile block cannot exhaust memory.
void DecompressStream(TStream& Dest, TMemoryStream& Source, int64_t MaxSize = MaxInflatedSkinSize);
