#include "platform/gfx/Graphic.h"

#include "platform/core/Stream.h"
#include "platform/gfx/Bitmap.h"

void TGraphic::SetTransparent(bool value)
{
    if (value == FTransparent)
        return;
    FTransparent = value;
    Changed();
}

void TGraphic::Changed()
{
    if (OnChange)
        OnChange(this);
}

void TGraphic::Assign(const TPersistent* source)
{
    if (auto graphic = dynamic_cast<const TGraphic*>(source))
        Assign(*graphic);
    else
        TPersistent::Assign(source);
}

void TGraphic::LoadFromStream(TStream& stream)
{
    const int64_t left = stream.Size() - stream.Position();
    std::vector<uint8_t> data(size_t(left > 0 ? left : 0));
    if (!data.empty())
        stream.ReadBuffer(data.data(), int64_t(data.size()));
    LoadFromBuffer(data.data(), data.size());
}

void TGraphic::SaveToStream(TStream& stream) const
{
    std::vector<uint8_t> data = SaveToBuffer();
    if (!data.empty())
        stream.WriteBuffer(data.data(), int64_t(data.size()));
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
    TFileStream stream(fileName, fmOpenRead | fmShareDenyWrite);
    try {
        LoadFromStream(stream);
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(fileName + ": " + e.Message());
    }
}

void TGraphic::SaveToFile(const std::string& fileName) const
{
    TFileStream stream(fileName, fmCreate);
    SaveToStream(stream);
}
