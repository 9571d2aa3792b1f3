#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Object.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// A sequence of bytes with a position. Read and Write move as far as they can
// and return the count; ReadBuffer and WriteBuffer raise on a short transfer.
class TStream : public TObject {
public:
    virtual int64_t Read(void* buffer, int64_t count) = 0;
    virtual int64_t Write(const void* buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

    void ReadBuffer(void* buffer, int64_t count);         // EReadError when short
    void WriteBuffer(const void* buffer, int64_t count);  // EWriteError when short

    int64_t Position() const;
    void SetPosition(int64_t position) { Seek(position, soBeginning); }
    virtual int64_t Size() const;
    virtual void SetSize(int64_t newSize);
    // Copies count bytes from the source's position; count 0 copies the whole
    // source from its start. Returns the bytes copied.
    int64_t CopyFrom(TStream& source, int64_t count);
};

// A stream in memory, growing as it is written.
class TMemoryStream : public TStream {
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t newSize) override;

    void Clear();
    uint8_t* Memory() { return FData.data(); }
    const uint8_t* Memory() const { return FData.data(); }
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

// Open modes of TFileStream. The share flags are accepted and have no effect.
constexpr unsigned fmCreate = 0xFF00;       // create or truncate, read and write
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;

// A stream on a file. Opening raises EFOpenError, creating EFCreateError,
// each with the file name and the system's reason.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;

    const std::string& FileName() const { return FFileName; }
    int Handle() const { return FHandle; }

private:
    std::string FFileName;
    int FHandle = -1;
};

// A memory stream whose contents are read and set as a string.
class TStringStream : public TMemoryStream {
public:
    explicit TStringStream(const std::string& data = {});
    std::string DataString() const;
    std::string ReadString(int64_t count);
    void WriteString(const std::string& s);
};
