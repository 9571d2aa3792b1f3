#pragma once
#include <array>
#include <optional>
#include <string>

#include "app/presets/OptionLists.h"

// The job-list columns that keep a row's preset choice and the values it converts with.
constexpr int JobColumnOutputFile = 3;      // "输出文件": the output name without folder
constexpr int JobColumnSelectionCode = 9;   // "视频类别"
constexpr int JobColumnOptionCode = 10;     // "视频选项"

// The value column of an option combo: frame size 16, video bit rate 17, frame rate 18,
// audio bit rate 19, sample rate 20, aspect mode 21.
int OptionValueColumn(TOptionKind kind);

// The selection code: 100 × (category list item + 1) + format list item, in decimal.
std::string SelectionCode(int categoryItem, int formatItem);

struct TSelection {
    int CategoryItem = -1;
    int FormatItem = -1;
};

// The list items of a selection code; nothing for a text that is no such code.
std::optional<TSelection> ParseSelectionCode(const std::string& code);

// The option code keeps the six combos' item indexes in two digits each, in the
// order frame size, video bit rate, audio bit rate, aspect mode, frame rate, sample rate.
constexpr std::array<TOptionKind, OptionKindCount> OptionCodeOrder = {
    TOptionKind::FrameSize, TOptionKind::VideoBitrate, TOptionKind::AudioBitrate,
    TOptionKind::Aspect, TOptionKind::FrameRate, TOptionKind::SampleRate};

// The digit pair (0 to 5) of a combo in the option code.
int OptionCodePair(TOptionKind kind);

// The twelve digits of six item indexes given in fill order (OptionSlot), each 0 to 99.
// Throws EConvertError for an index outside that range.
std::string OptionCode(const std::array<int, OptionKindCount>& indexesByKind);

// The six item indexes in fill order; nothing for a text that is not twelve digits.
std::optional<std::array<int, OptionKindCount>> ParseOptionCode(const std::string& code);

// The code with one combo's pair replaced and the other ten digits kept. A code that is
// not twelve digits is first read as "000000000000".
std::string SpliceOptionCode(const std::string& code, TOptionKind kind, int index);
