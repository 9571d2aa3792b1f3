#include "skin/draw/RectText.h"

#include <charconv>
#include <cstring>

namespace {

bool IsDelimiter(char c) {
    return std::strchr(" (),:;=", c) != nullptr && c != '\0';
}

std::string Trimmed(const std::string& s) {
    // Trimming drops blanks and control characters, as the classic Trim does.
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ')
        --e;
    return s.substr(b, e - b);
}

bool ParseInt(const std::string& text, int& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    if (first == last)
        return false;
    const auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last;
}

}  // namespace

void CutToken(std::string& S, std::string& Token) {
    Token.clear();
    std::size_t i = 0;
    while (i < S.size()) {
        const char c = S[i++];
        if (IsDelimiter(c))
            break;
        Token += c;
    }
    S.erase(0, i);
    Token = Trimmed(Token);
    S = Trimmed(S);
}

void StrToRectDef(const std::string& S, TRect& R) {
    std::string rest = S, token;
    int values[4];
    for (int& v : values) {
        CutToken(rest, token);
        if (!ParseInt(token, v)) {
            R = TRect{0, 0, 0, 0};
            return;
        }
    }
    R = TRect{values[0], values[1], values[2], values[3]};
}
