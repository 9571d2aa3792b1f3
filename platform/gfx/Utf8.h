#pragma once
#include <string>

// UTF-8 to code points and back; malformed bytes become U+FFFD each.
std::u32string DecodeUtf8(const std::string& text);
std::string EncodeUtf8(const std::u32string& text);
