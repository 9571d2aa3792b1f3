#pragma once
#include <string>
#include <utility>
#include <vector>

// One built-in encoder preset: option lines "key=value", each ended by a line feed.
struct TOptionsPreset {
    std::string Name;
    std::string Value;
};

// The built-in presets in their search order.
const std::vector<TOptionsPreset>& BuiltInPresets();

// The text of the first built-in preset whose name equals AName without
// regard to letter case; empty when there is none.
std::string FindBuiltInPreset(const std::string& AName);

// The built-in presets were written for an older generation of the H.264
// encoder's wrapper, whose option words are gone. This gives today's option
// lines with the same intent for one preset line; lines whose words are still
// known come back unchanged, and a line that asks for what is the default
// today ("flags=+loop") may come back empty.
std::vector<std::pair<std::string, std::string>> TranslatePresetOption(const std::string& AKey,
                                                                       const std::string& AValue);
