#include "platform/ui/controls/TypeAhead.h"
#include "platform/gfx/Utf8.h"

namespace {

char32_t Fold(char32_t c)
{
    return c >= U'a' && c <= U'z' ? c - 32 : c;
}

}  // namespace

std::string TTypeAhead::Add(char32_t ch, uint32_t now)
{
    if (now - FTime >= FPause)
        FText.clear();
    FTime = now;
    FText.push_back(ch);
    return EncodeUtf8(FText);
}

bool TTypeAhead::Matches(const std::string& text, const std::string& prefix)
{
    std::u32string t = DecodeUtf8(text), p = DecodeUtf8(prefix);
    if (p.size() > t.size())
        return false;
    for (size_t i = 0; i < p.size(); ++i)
        if (Fold(t[i]) != Fold(p[i]))
            return false;
    return true;
}
