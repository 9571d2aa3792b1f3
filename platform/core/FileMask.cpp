#include "platform/core/FileMask.h"

#include <vector>

namespace {

// The characters of a UTF-8 text, one entry per code point, ASCII letters lowered.
std::vector<std::string> Characters(const std::string& AText) {
    std::vector<std::string> result;
    for (size_t i = 0; i < AText.size();) {
        const unsigned char lead = static_cast<unsigned char>(AText[i]);
        size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 1;
        if (i + length > AText.size())
            length = 1;  // a cut sequence counts byte by byte
        std::string c = AText.substr(i, length);
        if (length == 1 && lead >= 'A' && lead <= 'Z')
            c[0] = static_cast<char>(lead - 'A' + 'a');
        result.push_back(std::move(c));
        i += length;
    }
    return result;
}

// Glob matching with back-tracking to the last "*": linear in practice.
bool Match(const std::vector<std::string>& AName, const std::vector<std::string>& AMask) {
    size_t n = 0, m = 0;
    size_t starMask = std::string::npos, starName = 0;
    while (n < AName.size()) {
        if (m < AMask.size() && AMask[m] == "*") {
            starMask = m++;
            starName = n;
        } else if (m < AMask.size() && (AMask[m] == "?" || AMask[m] == AName[n])) {
            ++m;
            ++n;
        } else if (starMask != std::string::npos) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < AMask.size() && AMask[m] == "*")
        ++m;
    return m == AMask.size();
}

} // namespace

bool MatchesMask(const std::string& AName, const std::string& AMask) {
    const std::vector<std::string> name = Characters(AName);
    const std::vector<std::string> mask = Characters(AMask);
    if (Match(name, mask))
        return true;
    // "x.*" also means "x" without any extension.
    const bool anyExtension = mask.size() >= 2 && mask[mask.size() - 1] == "*" && mask[mask.size() - 2] == ".";
    if (anyExtension && AName.find('.') == std::string::npos)
        return Match(name, std::vector<std::string>(mask.begin(), mask.end() - 2));
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
