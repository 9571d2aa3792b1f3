#pragma once
#include <array>
#include <optional>
#include <string>

#include "app/presets/CurrentPreset.h"
#include "app/presets/OptionLists.h"

// Reading the option combos' entries back into the current preset. Every decoder
// returns nothing for a text it cannot read, and the callers then change nothing:
// a preset is never left half updated.

// "1280*720" stays as it is; the keep and no-video entries give "" (the source's size).
std::optional<std::string> DecodeFrameSize(const std::string& text);

// "816 kbps" gives 816000 bit/s; "无视频" gives -1000 (no video bit rate).
std::optional<int> DecodeVideoBitrate(const std::string& text);

// "25.00" and "15" stay as they are; the keep and no-video entries give "".
std::optional<std::string> DecodeFrameRate(const std::string& text);

// "128 kbps" gives 128000, "7.95 kbps" exactly 7950: decimals are read digit by digit,
// so neither rounding nor the locale can change the value.
std::optional<int> DecodeAudioBitrate(const std::string& text);

// "44100" stays as it is.
std::optional<std::string> DecodeSampleRate(const std::string& text);

// "普通视频4:3模式" gives "4:3", the keep and no-video entries "". An unknown text
// gives nothing, which leaves the aspect as it was.
std::optional<std::string> DecodeAspect(const std::string& text);

// A kilobit text ("12.2 kbps", or a bare "12.2") in bit/s: a whole number with up to
// three decimals after a ".", blanks around it ignored.
std::optional<int> ParseKilobits(const std::string& text);

// Decodes one entry into its field of the preset. Returns false, changing nothing,
// when the text cannot be read. An unknown aspect text leaves the aspect and succeeds.
bool ReadOptionInto(TOptionKind kind, const std::string& text, TCurrentPreset& preset);

// The entries of the six combos in fill order; an absent entry (nothing selected) or a
// slot switched off in `read` leaves its field alone. All or nothing: returns false,
// changing nothing, when any entry cannot be read.
bool ReadOptionsInto(const std::array<std::optional<std::string>, OptionKindCount>& entries, TCurrentPreset& preset);

// The field of the preset that a combo sets, as its job-row column shows it: bit rates
// in decimal ("-1000" for none), the others as text.
std::string OptionFieldText(TOptionKind kind, const TCurrentPreset& preset);
