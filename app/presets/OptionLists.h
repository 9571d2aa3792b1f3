#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

// The six option combos of a preset, in fill order: the order of an option row's cells
// and of the filling of the combos.
enum class TOptionKind { FrameSize, VideoBitrate, FrameRate, AudioBitrate, SampleRate, Aspect };
constexpr int OptionKindCount = 6;
constexpr std::array<TOptionKind, OptionKindCount> OptionFillOrder = {
    TOptionKind::FrameSize, TOptionKind::VideoBitrate, TOptionKind::FrameRate,
    TOptionKind::AudioBitrate, TOptionKind::SampleRate, TOptionKind::Aspect};

inline int OptionSlot(TOptionKind kind) { return static_cast<int>(kind); }

// A named, constant list of entry texts for one option combo ("SIZE1", "VBR3", ...).
struct TOptionList {
    std::string Name;
    TOptionKind Kind = TOptionKind::FrameSize;
    std::vector<std::string> Entries;
};

// Every option list, kind by kind in fill order, in table order within a kind.
const std::vector<TOptionList>& OptionLists();

// The list of that name, or nullptr.
const TOptionList* FindOptionList(std::string_view name);

// The keep entries (the source's value stays) and the no-video entries.
inline constexpr const char* KeepFrameSize = "保持原分辨率";
inline constexpr const char* KeepFrameRate = "保持原帧速率";
inline constexpr const char* KeepAspect = "保持原视频模式";
inline constexpr const char* NoVideoFrameSize = "该格式无视频";
inline constexpr const char* NoVideo = "无视频";
