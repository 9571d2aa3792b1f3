#include "platform/core/Stream.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

namespace {

// Repeats a read or write until all is moved, the end is reached or it
// fails; a call a signal interrupts is simply made again.
template <typename TByte, typename TCall>
int64_t TransferAll(TByte* p, int64_t count, TCall call) {
    int64_t done = 0;
    while (done < count) {
        const ssize_t n = call(p + done, static_cast<size_t>(count - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += n;
    }
    return done;
}

}  // namespace

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count > 0 && Read(buffer, count) != count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count > 0 && Write(buffer, count) != count)
        throw EWriteError("Stream write error");
}

int64_t TStream::Position() const {
    return const_cast<TStream*>(this)->Seek(0, soCurrent);
}

int64_t TStream::Size() const {
    auto* self = const_cast<TStream*>(this);
    const int64_t pos = self->Seek(0, soCurrent);
    const int64_t size = self->Seek(0, soEnd);
    self->Seek(pos, soBeginning);
    return size;
}

void TStream::SetSize(int64_t) {
    throw EStreamError("Stream size cannot be changed");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, 1 << 20)));
    int64_t left = count;
    while (left > 0) {
        const int64_t n = std::min<int64_t>(left, static_cast<int64_t>(buffer.size()));
        source.ReadBuffer(buffer.data(), n);
        WriteBuffer(buffer.data(), n);
        left -= n;
    }
    return count;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    if (count <= 0 || FPosition >= Size())
        return 0;
    const int64_t n = std::min(count, Size() - FPosition);
    std::memcpy(buffer, FData.data() + FPosition, static_cast<size_t>(n));
    FPosition += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    const size_t end = static_cast<size_t>(FPosition + count);
    if (end > FData.size()) {
        // Appending many small pieces must not copy the whole stream each
        // time: the room at least doubles.
        if (end > FData.capacity())
            FData.reserve(std::max(end, FData.capacity() * 2));
        if (static_cast<size_t>(FPosition) >= FData.size()) {
            FData.resize(static_cast<size_t>(FPosition));       // a gap after a seek past the end reads as zeros
            FData.insert(FData.end(), bytes, bytes + count);
            FPosition += count;
            return count;
        }
        FData.resize(end);
    }
    std::memcpy(FData.data() + FPosition, bytes, static_cast<size_t>(count));
    FPosition += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == soCurrent)
        base = FPosition;
    else if (origin == soEnd)
        base = Size();
    const int64_t target = base + offset;
    if (target < 0)
        throw EStreamError("Seek before the start of the stream");
    FPosition = target;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t newSize) {
    if (newSize < 0)
        throw EStreamError("Negative stream size");
    FData.resize(static_cast<size_t>(newSize));
    FPosition = std::min(FPosition, newSize);
}

void TMemoryStream::Clear() {
    FData.clear();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
    stream.SetPosition(0);
    const int64_t size = stream.Size();
    SetSize(size);
    stream.ReadBuffer(FData.data(), size);
    FPosition = 0;
}

void TMemoryStream::SaveToStream(TStream& stream) const {
    stream.WriteBuffer(FData.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName) {
    if ((mode & 0xFF00) == fmCreate) {
        FHandle = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (FHandle < 0)
            throw EFCreateError(Format("Cannot create file \"%s\". %s", fileName, SysErrorMessage(errno)));
        return;
    }
    int flags = O_RDONLY;
    if ((mode & 3) == fmOpenWrite)
        flags = O_WRONLY;
    else if ((mode & 3) == fmOpenReadWrite)
        flags = O_RDWR;
    FHandle = ::open(fileName.c_str(), flags | O_CLOEXEC);
    if (FHandle < 0)
        throw EFOpenError(Format("Cannot open file \"%s\". %s", fileName, SysErrorMessage(errno)));
}

TFileStream::~TFileStream() {
    if (FHandle >= 0)
        ::close(FHandle);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
    return TransferAll(static_cast<uint8_t*>(buffer), count, [this](uint8_t* p, size_t n) { return ::read(FHandle, p, n); });
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
    return TransferAll(static_cast<const uint8_t*>(buffer), count,
                       [this](const uint8_t* p, size_t n) { return ::write(FHandle, p, n); });
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
    const int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
    const off_t r = ::lseek(FHandle, offset, whence);
    if (r < 0)
        throw EStreamError(Format("Cannot seek in \"%s\". %s", FFileName, SysErrorMessage(errno)));
    return r;
}

void TFileStream::SetSize(int64_t newSize) {
    if (::ftruncate(FHandle, newSize) != 0)
        throw EStreamError(Format("Cannot set the size of \"%s\". %s", FFileName, SysErrorMessage(errno)));
    if (Position() > newSize)
        Seek(newSize, soBeginning);
}

TStringStream::TStringStream(const std::string& data) {
    WriteString(data);
    SetPosition(0);
}

std::string TStringStream::DataString() const {
    return std::string(reinterpret_cast<const char*>(Memory()), static_cast<size_t>(Size()));
}

std::string TStringStream::ReadString(int64_t count) {
    std::string s(static_cast<size_t>(std::max<int64_t>(0, std::min(count, Size() - Position()))), '\0');
    s.resize(static_cast<size_t>(Read(s.data(), static_cast<int64_t>(s.size()))));
    return s;
}

void TStringStream::WriteString(const std::string& s) {
    WriteBuffer(s.data(), static_cast<int64_t>(s.size()));
}
