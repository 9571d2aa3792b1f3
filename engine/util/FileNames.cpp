#include "engine/util/FileNames.h"

#include <cstring>

namespace {

const char UnicodePrefix[] = "unicode:utf8:";
constexpr size_t UnicodePrefixLength = sizeof UnicodePrefix - 1;
const char KnownProtocols[] = ":unicode:stream:gopher:http:https:pipe:rtp:tcp:udp:";

// The scheme the libraries would read from the name: the text before the
// first ":", when it is made of scheme characters only (so no "/" before it).
bool SchemeOf(const std::string& name, std::string& scheme) {
    const size_t colon = name.find(':');
    if (colon == std::string::npos || colon == 0)
        return false;
    for (size_t i = 0; i < colon; ++i) {
        const char c = name[i];
        const bool schemeChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                                c == '+' || c == '-' || c == '.';
        if (!schemeChar)
            return false;
    }
    scheme = name.substr(0, colon);
    return true;
}

bool IsKnownProtocol(const std::string& scheme) {
    return std::strstr(KnownProtocols, (":" + scheme + ":").c_str()) != nullptr;
}

}  // namespace

bool IsUnicodeName(const std::string& AName) {
    return AName.size() > UnicodePrefixLength && AName.compare(0, UnicodePrefixLength, UnicodePrefix) == 0;
}

std::string FileNameToAV(const std::string& AFileName) {
    std::string scheme;
    if (SchemeOf(AFileName, scheme) && !IsKnownProtocol(scheme))
        return "file:" + AFileName;
    return AFileName;
}

std::string AVToFileName(const std::string& AName) {
    if (IsUnicodeName(AName))
        return AName.substr(UnicodePrefixLength);
    // Only the prefix that FileNameToAV adds is taken off again.
    std::string scheme;
    if (AName.compare(0, 5, "file:") == 0 && SchemeOf(AName.substr(5), scheme) && !IsKnownProtocol(scheme))
        return AName.substr(5);
    return AName;
}

std::string LocalFileOf(const std::string& AFileName) {
    if (IsUnicodeName(AFileName))
        return AFileName.substr(UnicodePrefixLength);
    std::string scheme;
    if (SchemeOf(AFileName, scheme) && IsKnownProtocol(scheme))
        return "";
    return AFileName;
}

void RegisterUnicodeProtocol() {}
