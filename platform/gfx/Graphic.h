#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "platform/core/Exception.h"
#include "platform/core/Object.h"
#include "platform/gfx/Geometry.h"

class TStream;
class TCanvas;
class TBitmap;

// A picture that cannot be read or written: malformed, truncated, of an
// unsupported kind or too large.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A call a picture cannot serve in its state (a row outside the bitmap, an
// assignment between unrelated kinds).
class EInvalidGraphicOperation : public Exception {
public:
    using Exception::Exception;
};

// Base of every picture kind: bitmaps and the compressed formats. Each kind
// reads and writes its own format; TPicture picks the kind by extension.
class TGraphic : public TPersistent {
public:

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual bool Empty() const = 0;

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool value);

    // Takes over the picture of any other kind (through a bitmap); raises
    // EInvalidGraphicOperation when the source cannot give one.
    virtual void Assign(const TGraphic& source) = 0;
    void Assign(const TPersistent* source) override;
    // A 24- or 32-bit bitmap of the picture.
    virtual void AssignTo(TBitmap& target) const = 0;

    virtual void Draw(TCanvas& canvas, const TRect& dest) const = 0;

    // Byte buffers hold the whole file image of the format.
    virtual void LoadFromBuffer(const uint8_t* data, size_t size) = 0;
    virtual std::vector<uint8_t> SaveToBuffer() const = 0;
    void LoadFromBuffer(const std::vector<uint8_t>& data) { LoadFromBuffer(data.data(), data.size()); }
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // Streams read from their position to their end.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

    std::function<void(TObject* Sender)> OnChange;

protected:
    void Changed();
    bool FTransparent = false;
};
