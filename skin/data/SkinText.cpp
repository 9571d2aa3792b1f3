#include "skin/data/SkinText.h"
#include <cstdint>
#include "platform/core/Stream.h"

namespace {

void AppendUtf8(std::string& Out, uint32_t Cp) {
    if (Cp < 0x80) {
        Out += static_cast<char>(Cp);
    } else if (Cp < 0x800) {
        Out += static_cast<char>(0xC0 | (Cp >> 6));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else if (Cp < 0x10000) {
        Out += static_cast<char>(0xE0 | (Cp >> 12));
        Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Cp >> 18));
        Out += static_cast<char>(0x80 | ((Cp >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Cp >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Cp & 0x3F));
    }
}

std::string Utf16ToUtf8(std::string_view Bytes, bool BigEndian) {
    constexpr uint32_t kReplacement = 0xFFFD;
    const size_t units = Bytes.size() / 2;   // an odd last byte is dropped
    auto unit = [&](size_t i) -> uint32_t {
        const auto a = static_cast<uint8_t>(Bytes[2 * i]);
        const auto b = static_cast<uint8_t>(Bytes[2 * i + 1]);
        return BigEndian ? (uint32_t(a) << 8 | b) : (uint32_t(b) << 8 | a);
    };
    std::string out;
    out.reserve(units);
    for (size_t i = 0; i < units; ++i) {
        const uint32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units) {
            const uint32_t low = unit(i + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u <= 0xDFFF) ? kReplacement : u);
    }
    return out;
}

}  // namespace

std::string_view SkinTextAsUtf8(std::string_view Bytes, std::string& Storage) {
    if (Bytes.starts_with("\xEF\xBB\xBF"))
        return Bytes.substr(3);
    if (Bytes.starts_with("\xFF\xFE") || Bytes.starts_with("\xFE\xFF")) {
        Storage = Utf16ToUtf8(Bytes.substr(2), Bytes[0] == '\xFE');
        return Storage;
    }
    return Bytes;
}

std::string SkinTextToUtf8(std::string_view Bytes) {
    std::string storage;
    return std::string(SkinTextAsUtf8(Bytes, storage));
}

std::string SkinLinesToText(const TStrings& Lines) {
    std::string text;
    for (int i = 0; i < Lines.Count(); ++i) {
        text += Lines[i];
        text += "\r\n";
    }
    return text;
}

std::string ReadSkinTextFile(const std::string& FileName) {
    TMemoryStream file;
    file.LoadFromFile(FileName);
    return SkinTextToUtf8(std::string_view(reinterpret_cast<const char*>(file.Memory()), file.Size()));
}
