#pragma once
#include <string>
#include <string_view>
#include "platform/core/Strings.h"

// Text inside skins: ini files and the ini part of stored skins are read as
// UTF-8, or as UTF-16 when they start with its byte-order mark, and written as
// UTF-8 without a mark, each line ended by CR LF.

// The bytes of a skin text as UTF-8: a UTF-8 mark is dropped, UTF-16 (LE or BE,
// by its mark) is converted; unpaired surrogates become U+FFFD.
std::string SkinTextToUtf8(std::string_view Bytes);
// The same without copying UTF-8 text: the result views Bytes, or Storage
// when the text had to be converted from UTF-16.
std::string_view SkinTextAsUtf8(std::string_view Bytes, std::string& Storage);

// The lines as stored in a skin: UTF-8, CR LF after every line.
std::string SkinLinesToText(const TStrings& Lines);

// The whole file as UTF-8 text (EFOpenError when it cannot be opened).
std::string ReadSkinTextFile(const std::string& FileName);
