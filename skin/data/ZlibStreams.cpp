#include "skin/data/ZlibStreams.h"
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace {

const char* const kCompressionError = "error";
const char* const kDecompressionError = "compression error";
const char* const kInvalidOperation = "Invalid stream operation";

int ZlibLevel(TCompressionLevel Level) {
    switch (Level) {
        case TCompressionLevel::clNone: return Z_NO_COMPRESSION;
        case TCompressionLevel::clFastest: return Z_BEST_SPEED;
        case TCompressionLevel::clMax: return Z_BEST_COMPRESSION;
        case TCompressionLevel::clDefault: break;
    }
    return Z_DEFAULT_COMPRESSION;
}

// zlib counts in unsigned int; larger requests are cut into pieces of this size.
constexpr int64_t kMaxPiece = int64_t(1) << 30;

}  // namespace

TCustomZlibStream::TCustomZlibStream(TStream& Strm) : FStrm(Strm), FStrmPos(Strm.Position()) {}

void TCustomZlibStream::Progress() {
    if (OnProgress)
        OnProgress(this);
}

void TCustomZlibStream::RestoreStrmPos() {
    if (FStrm.Position() != FStrmPos)
        FStrm.SetPosition(FStrmPos);
}

// ---- TCompressionStream

TCompressionStream::TCompressionStream(TCompressionLevel CompressionLevel, TStream& Dest) : TCustomZlibStream(Dest) {
    if (deflateInit(&FZRec, ZlibLevel(CompressionLevel)) != Z_OK)
        throw ECompressionError(kCompressionError);
    FZRec.next_out = FBuffer.data();
    FZRec.avail_out = BufferSize;
}

TCompressionStream::~TCompressionStream() {
    try {
        Finish();
    } catch (const Exception&) {
        // A destructor cannot report; Finish() was the caller's chance to see it.
    }
    deflateEnd(&FZRec);
}

void TCompressionStream::FlushBuffer(int64_t Count) {
    FStrm.WriteBuffer(FBuffer.data(), Count);
    FStrmPos = FStrm.Position();
    FZRec.next_out = FBuffer.data();
    FZRec.avail_out = BufferSize;
    Progress();
}

int64_t TCompressionStream::Write(const void* Buffer, int64_t Count) {
    if (FFinished)
        throw ECompressionError(kInvalidOperation);
    if (Count <= 0)
        return 0;
    RestoreStrmPos();
    auto* in = static_cast<const uint8_t*>(Buffer);
    int64_t left = Count;
    while (left > 0) {
        const int64_t piece = std::min(left, kMaxPiece);
        FZRec.next_in = const_cast<Bytef*>(in);
        FZRec.avail_in = static_cast<uInt>(piece);
        while (FZRec.avail_in > 0) {
            if (deflate(&FZRec, Z_NO_FLUSH) == Z_STREAM_ERROR)
                throw ECompressionError(kCompressionError);
            if (FZRec.avail_out == 0)
                FlushBuffer(BufferSize);
        }
        in += piece;
        left -= piece;
    }
    return Count;
}

void TCompressionStream::Finish() {
    if (FFinished)
        return;
    FFinished = true;
    FZRec.next_in = nullptr;
    FZRec.avail_in = 0;
    RestoreStrmPos();
    for (;;) {
        const int rc = deflate(&FZRec, Z_FINISH);
        if (rc == Z_STREAM_ERROR)
            throw ECompressionError(kCompressionError);
        if (rc == Z_STREAM_END || FZRec.avail_out != 0)
            break;
        FlushBuffer(BufferSize);
    }
    if (FZRec.avail_out < BufferSize)
        FlushBuffer(BufferSize - FZRec.avail_out);
}

int64_t TCompressionStream::Read(void*, int64_t) {
    throw ECompressionError(kInvalidOperation);
}

int64_t TCompressionStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    if (Offset == 0 && Origin == soCurrent)
        return static_cast<int64_t>(FZRec.total_in);
    throw ECompressionError(kInvalidOperation);
}

double TCompressionStream::CompressionRate() const {
    if (FZRec.total_in == 0)
        return 0;
    return (1.0 - double(FZRec.total_out) / double(FZRec.total_in)) * 100.0;
}

// ---- TDecompressionStream

TDecompressionStream::TDecompressionStream(TStream& Source) : TCustomZlibStream(Source), FStartPos(FStrmPos) {
    FZRec.next_in = FBuffer.data();
    FZRec.avail_in = 0;
    if (inflateInit(&FZRec) != Z_OK)
        throw EDecompressionError(kDecompressionError);
}

TDecompressionStream::~TDecompressionStream() {
    inflateEnd(&FZRec);
}

int64_t TDecompressionStream::Read(void* Buffer, int64_t Count) {
    if (Count <= 0 || FStreamEnd)
        return 0;
    Count = std::min(Count, kMaxPiece);
    FZRec.next_out = static_cast<Bytef*>(Buffer);
    FZRec.avail_out = static_cast<uInt>(Count);
    RestoreStrmPos();
    while (FZRec.avail_out > 0) {
        if (FZRec.avail_in == 0) {
            const int64_t got = FStrm.Read(FBuffer.data(), BufferSize);
            if (got <= 0)
                throw EDecompressionError(kDecompressionError);   // cut short before the stream end
            FStrmPos += got;
            FZRec.next_in = FBuffer.data();
            FZRec.avail_in = static_cast<uInt>(got);
            Progress();
        }
        const int rc = inflate(&FZRec, Z_NO_FLUSH);
        if (rc == Z_STREAM_END) {
            FStreamEnd = true;
            break;
        }
        // Z_BUF_ERROR with input left would mean no progress is possible: never spin on it.
        if (rc != Z_OK && !(rc == Z_BUF_ERROR && FZRec.avail_in == 0))
            throw EDecompressionError(kDecompressionError);
    }
    return Count - FZRec.avail_out;
}

int64_t TDecompressionStream::Write(const void*, int64_t) {
    throw EDecompressionError(kInvalidOperation);
}

void TDecompressionStream::Discard(int64_t Count) {
    std::array<uint8_t, BufferSize> scratch;
    while (Count > 0) {
        const int64_t got = Read(scratch.data(), std::min(Count, BufferSize));
        if (got == 0)
            break;
        Count -= got;
    }
}

int64_t TDecompressionStream::Seek(int64_t Offset, TSeekOrigin Origin) {
    const auto produced = static_cast<int64_t>(FZRec.total_out);
    if (Offset == 0 && Origin == soBeginning) {
        if (inflateReset(&FZRec) != Z_OK)
            throw EDecompressionError(kDecompressionError);
        FZRec.next_in = FBuffer.data();
        FZRec.avail_in = 0;
        FStreamEnd = false;
        FStrmPos = FStartPos;
        FStrm.SetPosition(FStartPos);
    } else if (Origin == soCurrent && Offset >= 0) {
        Discard(Offset);
    } else if (Origin == soBeginning && Offset > produced) {
        Discard(Offset - produced);
    } else if (!(Origin == soBeginning && Offset == produced)) {
        throw EDecompressionError(kInvalidOperation);
    }
    return static_cast<int64_t>(FZRec.total_out);
}

// ---- free routines

void CompressStream(TMemoryStream& Source, TStream& Dest) {
    TCompressionStream z(TCompressionLevel::clMax, Dest);
    z.WriteBuffer(Source.Memory(), Source.Size());
    z.Finish();
}

void DecompressStream(TStream& Dest, TMemoryStream& Source, int64_t MaxSize) {
    Source.SetPosition(0);
    TDecompressionStream z(Source);
    // Large pieces: each one is a call through the stream layers.
    std::vector<uint8_t> piece(256 * 1024);
    int64_t total = 0;
    for (;;) {
        const int64_t got = z.Read(piece.data(), int64_t(piece.size()));
        if (got == 0)
            break;
        total += got;
        if (total > MaxSize)
            throw EDecompressionError("The compressed data inflates to more than " + std::to_string(MaxSize) + " bytes");
        Dest.WriteBuffer(piece.data(), got);
    }
}
