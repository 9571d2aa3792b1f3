#include "platform/gfx/Graphic.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

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
        OnChange(nullptr);
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
    std::vector<uint8_t> data = ReadWholeFile(fileName);
    try {
        LoadFromBuffer(data.data(), data.size());
    } catch (const EInvalidGraphic& e) {
        throw EInvalidGraphic(fileName + ": " + e.Message());
    }
}

void TGraphic::SaveToFile(const std::string& fileName) const
{
    WriteWholeFile(fileName, SaveToBuffer());
}

std::vector<uint8_t> ReadWholeFile(const std::string& fileName)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(fileName.c_str(), "rb"), &std::fclose);
    if (!f)
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    std::vector<uint8_t> data;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof(chunk), f.get())) > 0)
        data.insert(data.end(), chunk, chunk + n);
    if (std::ferror(f.get()))
        throw EReadError("Cannot read file \"" + fileName + "\"");
    return data;
}

void WriteWholeFile(const std::string& fileName, const std::vector<uint8_t>& data)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(fileName.c_str(), "wb"), &std::fclose);
    if (!f)
        throw EFCreateError("Cannot create file \"" + fileName + "\". " + std::strerror(errno));
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f.get()) != data.size())
        throw EWriteError("Cannot write file \"" + fileName + "\"");
    if (std::fclose(f.release()) != 0)
        throw EWriteError("Cannot write file \"" + fileName + "\"");
}
