#include "platform/core/FileMask.h"

#include <algorithm>
#include <vector>

namespace {

// The characters of a UTF-8 text as code points, ASCII letters lowered; a
// byte that starts no valid sequence stands for itself (as U+DC00 + byte, so
// that it matches only itself).
std::vector<char32_t> Characters(const std::string& AText) {
    std::vector<char32_t> result;
    for (size_t i = 0; i < AText.size();) {
        const unsigned char lead = static_cast<unsigned char>(AText[i]);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t c = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        for (size_t k = 1; k < length; ++k) {
            const unsigned char next = i + k < AText.size() ? static_cast<unsigned char>(AText[i + k]) : 0;
            if ((next & 0xC0) != 0x80) {
                length = 0;
                break;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (length == 0) {
            result.push_back(0xDC00 + lead);
            ++i;
            continue;
        }
        if (c >= 'A' && c <= 'Z')
            c = c - 'A' + 'a';
        result.push_back(c);
        i += length;
    }
    return result;
}

// One piece of a mask: a character, "?", "*" or a set "[...]" of characters
// and ranges, negated by "!" right after "[".
struct TMaskToken {
    enum { Literal, AnyOne, AnyRun, Set } Kind = Literal;
    char32_t Char = 0;
    bool Negated = false;
    std::vector<std::pair<char32_t, char32_t>> Ranges;

    bool Matches(char32_t c) const {
        switch (Kind) {
        case Literal: return c == Char;
        case AnyOne: return true;
        case AnyRun: return false;
        case Set: break;
        }
        bool in = false;
        for (const auto& [from, to] : Ranges)
            in = in || (c >= from && c <= to);
        return in != Negated;
    }
};

// An unclosed "[" is a plain character.
std::vector<TMaskToken> Tokens(const std::vector<char32_t>& AMask) {
    std::vector<TMaskToken> tokens;
    for (size_t i = 0; i < AMask.size(); ++i) {
        TMaskToken t;
        if (AMask[i] == '*') {
            t.Kind = TMaskToken::AnyRun;
        } else if (AMask[i] == '?') {
            t.Kind = TMaskToken::AnyOne;
        } else if (AMask[i] == '[' && std::find(AMask.begin() + long(i) + 1, AMask.end(), U']') != AMask.end()) {
            t.Kind = TMaskToken::Set;
            size_t k = i + 1;
            if (AMask[k] == '!') {
                t.Negated = true;
                ++k;
            }
            for (; AMask[k] != ']'; ++k) {
                if (k + 2 < AMask.size() && AMask[k + 1] == '-' && AMask[k + 2] != ']') {
                    t.Ranges.emplace_back(AMask[k], AMask[k + 2]);
                    k += 2;
                } else {
                    t.Ranges.emplace_back(AMask[k], AMask[k]);
                }
            }
            i = k;
        } else {
            t.Char = AMask[i];
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

// Glob matching with back-tracking to the last "*": linear in practice.
bool Match(const std::vector<char32_t>& AName, const std::vector<TMaskToken>& AMask) {
    size_t n = 0, m = 0;
    size_t starMask = std::string::npos, starName = 0;
    while (n < AName.size()) {
        if (m < AMask.size() && AMask[m].Kind == TMaskToken::AnyRun) {
            starMask = m++;
            starName = n;
        } else if (m < AMask.size() && AMask[m].Matches(AName[n])) {
            ++m;
            ++n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < AMask.size() && AMask[m].Kind == TMaskToken::AnyRun)
        ++m;
    return m == AMask.size();
}

} // namespace

bool MatchesMask(const std::string& AName, const std::string& AMask) {
    const std::vector<char32_t> name = Characters(AName);
    const std::vector<TMaskToken> mask = Tokens(Characters(AMask));
    if (Match(name, mask))
        return true;
    // "x.*" also means "x" without any extension.
    const size_t n = mask.size();
    const bool anyExtension = n >= 2 && mask[n - 1].Kind == TMaskToken::AnyRun && mask[n - 2].Kind == TMaskToken::Literal &&
                              mask[n - 2].Char == '.';
    if (anyExtension && AName.find('.') == std::string::npos)
        return Match(name, std::vector<TMaskToken>(mask.begin(), mask.end() - 2));
    return false;
}

bool MatchesMaskList(const std::string& AName, const std::string& AMasks) {
    size_t start = 0;
    while (start <= AMasks.size()) {
        size_t end = AMasks.find(';', start);
        if (end == std::string::npos)
            end = AMasks.size();
        std::string mask = AMasks.substr(start, end - start);
        const size_t first = mask.find_first_not_of(" \t");
        const size_t last = mask.find_last_not_of(" \t");
        mask = first == std::string::npos ? std::string() : mask.substr(first, last - first + 1);
        if (!mask.empty() && MatchesMask(AName, mask))
            return true;
        start = end + 1;
    }
    return false;
}
