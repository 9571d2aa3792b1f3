#pragma once
#include <memory>
#include <string>
#include "platform/gfx/Bitmap.h"

// A holder of one picture of any kind. Files choose the kind by extension,
// on loading and on saving (a picture saved under another kind's extension
// is converted). Supported: .bmp .dib, .png, .jpg .jpeg .jpe .jfif, .gif, .ico.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // The picture, or nullptr when empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Takes a copy of graphic (of the same kind); nullptr empties the picture.
    void SetGraphic(const TGraphic* graphic);
    // The picture as a bitmap; a picture of another kind is replaced by an
    // empty bitmap first, as the classic picture did.
    TBitmap& Bitmap();

    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    // Without an extension the kind is recognised from the first bytes.
    void LoadFromBuffer(const uint8_t* data, size_t size, const std::string& extension = {});

    void Assign(const TPersistent* source) override;

    // A new empty graphic for an extension (with or without the dot, any
    // case); raises EInvalidGraphic for an unknown one.
    static std::unique_ptr<TGraphic> CreateGraphicFor(const std::string& extension);

    std::function<void(TObject* Sender)> OnChange;

private:
    void Changed();
    void Adopt(std::unique_ptr<TGraphic> graphic);
    std::unique_ptr<TGraphic> FGraphic;
};
