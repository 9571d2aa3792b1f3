#include "platform/gfx/Picture.h"

#include <cstring>
#include <typeinfo>
#include "platform/gfx/Gif.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/Jpeg.h"
#include "platform/gfx/Png.h"

namespace {

std::string ExtensionOf(const std::string& fileName)
{
    const size_t slash = fileName.find_last_of('/');
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return fileName.substr(dot);
}

std::string KindOf(std::string extension)
{
    if (!extension.empty() && extension[0] == '.')
        extension.erase(0, 1);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (extension == "bmp" || extension == "dib")
        return "bmp";
    if (extension == "jpg" || extension == "jpeg" || extension == "jpe" || extension == "jfif")
        return "jpeg";
    if (extension == "png" || extension == "gif" || extension == "ico")
        return extension;
    return {};
}

std::string KindOfBytes(const uint8_t* data, size_t size)
{
    auto starts = [&](const char* magic, size_t n) { return size >= n && std::memcmp(data, magic, n) == 0; };
    if (starts("BM", 2))
        return "bmp";
    if (starts("\x89PNG", 4))
        return "png";
    if (starts("\xFF\xD8", 2))
        return "jpeg";
    if (starts("GIF8", 4))
        return "gif";
    if (starts("\0\0\1\0", 4))
        return "ico";
    return {};
}

std::unique_ptr<TGraphic> CreateKind(const std::string& kind)
{
    if (kind == "bmp") return std::make_unique<TBitmap>();
    if (kind == "png") return std::make_unique<TPngImage>();
    if (kind == "jpeg") return std::make_unique<TJPEGImage>();
    if (kind == "gif") return std::make_unique<TGIFImage>();
    if (kind == "ico") return std::make_unique<TIcon>();
    return nullptr;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

std::unique_ptr<TGraphic> TPicture::CreateGraphicFor(const std::string& extension)
{
    auto graphic = CreateKind(KindOf(extension));
    if (!graphic)
        throw EInvalidGraphic("Unknown picture file extension (" + extension + ")");
    return graphic;
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic)
{
    FGraphic = std::move(graphic);
    Changed();
}

void TPicture::SetGraphic(const TGraphic* graphic)
{
    if (!graphic) {
        Adopt(nullptr);
        return;
    }
    if (graphic == FGraphic.get())
        return;
    std::unique_ptr<TGraphic> copy;
    if (dynamic_cast<const TBitmap*>(graphic)) copy = std::make_unique<TBitmap>();
    else if (dynamic_cast<const TPngImage*>(graphic)) copy = std::make_unique<TPngImage>();
    else if (dynamic_cast<const TJPEGImage*>(graphic)) copy = std::make_unique<TJPEGImage>();
    else if (dynamic_cast<const TGIFImage*>(graphic)) copy = std::make_unique<TGIFImage>();
    else if (dynamic_cast<const TIcon*>(graphic)) copy = std::make_unique<TIcon>();
    else copy = std::make_unique<TBitmap>();
    copy->Assign(*graphic);
    Adopt(std::move(copy));
}

TBitmap& TPicture::Bitmap()
{
    auto* bitmap = dynamic_cast<TBitmap*>(FGraphic.get());
    if (!bitmap) {
        auto fresh = std::make_unique<TBitmap>();
        bitmap = fresh.get();
        Adopt(std::move(fresh));
    }
    return *bitmap;
}

void TPicture::LoadFromFile(const std::string& fileName)
{
    auto graphic = CreateGraphicFor(ExtensionOf(fileName));
    graphic->LoadFromFile(fileName);
    Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) const
{
    if (!FGraphic)
        throw EInvalidGraphicOperation("Cannot save an empty picture");
    auto target = CreateGraphicFor(ExtensionOf(fileName));
    if (typeid(*target) == typeid(*FGraphic)) {
        FGraphic->SaveToFile(fileName);
        return;
    }
    target->Assign(*FGraphic);
    target->SaveToFile(fileName);
}

void TPicture::LoadFromBuffer(const uint8_t* data, size_t size, const std::string& extension)
{
    const std::string kind = extension.empty() ? KindOfBytes(data, size) : KindOf(extension);
    auto graphic = CreateKind(kind);
    if (!graphic)
        throw EInvalidGraphic(extension.empty() ? "Unknown picture format" : "Unknown picture file extension (" + extension + ")");
    graphic->LoadFromBuffer(data, size);
    Adopt(std::move(graphic));
}

void TPicture::Assign(const TPersistent* source)
{
    if (!source) {
        Adopt(nullptr);
    } else if (auto picture = dynamic_cast<const TPicture*>(source)) {
        SetGraphic(picture->Graphic());
    } else if (auto graphic = dynamic_cast<const TGraphic*>(source)) {
        SetGraphic(graphic);
    } else {
        TPersistent::Assign(source);
    }
}
