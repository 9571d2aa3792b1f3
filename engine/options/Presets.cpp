#include "engine/options/Presets.h"

#include <algorithm>
#include <cstring>

#include "platform/core/SysUtils.h"

namespace {

// The lines of the long presets that differ between them; nullptr: no such line.
struct TPresetRow {
    const char* Name;
    const char *coder, *flags, *partitions, *me_method, *subq, *me_range, *sc_threshold, *b_strategy, *bf, *refs,
        *directpred, *trellis, *flags2, *wpredp, *cqp;
};

constexpr const char* P4 = "+parti8x8+parti4x4+partp8x8+partb8x8";
constexpr const char* P5 = "+parti8x8+parti4x4+partp8x8+partp4x4+partb8x8";
constexpr const char* N4 = "-parti8x8-parti4x4-partp8x8-partb8x8";
constexpr const char* N5 = "-parti8x8-parti4x4-partp8x8-partp4x4-partb8x8";
constexpr const char* L4 = "+parti8x8+parti4x4+partp8x8+partp4x4-partb8x8";
constexpr const char* FirstPass2 = "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip";

// clang-format off
const TPresetRow LongPresets[] = {
    //                          coder flags  partitions  me     subq  range  sc    bstr  bf    refs  dpred trel  flags2 wpredp cqp
    {"default",                 "1", "+loop", P4, "hex",  "7",  "16", "40", "1", "3",  "3",  "1", "1", "+mixed_refs+wpred+dct8x8+fastpskip", "2", nullptr},
    {"fast",                    "1", "+loop", P4, "hex",  "6",  "16", "40", "1", "3",  "2",  "1", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2", nullptr},
    {"fast_firstpass",          "1", "+loop", N4, "dia",  "2",  "16", "40", "1", "3",  "1",  "1", "0", FirstPass2, "2", nullptr},
    {"faster",                  "1", "+loop", P4, "hex",  "4",  "16", "40", "1", "3",  "2",  "1", "1", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip", "1", nullptr},
    {"faster_firstpass",        "1", "+loop", N4, "dia",  "2",  "16", "40", "1", "3",  "1",  "1", "0", FirstPass2, "1", nullptr},
    {"fastfirstpass",           "1", "+loop", N5, "dia",  "2",  "16", "40", "1", "3",  "1",  "3", "0", "-bpyramid-wpred-mixed_refs-dct8x8+fastpskip", "2", nullptr},
    {"hq",                      "1", "+loop", P4, "umh",  "8",  "16", "40", "2", "3",  "4",  "3", "1", "+wpred+mixed_refs+dct8x8+fastpskip", "2", nullptr},
    {"lossless_fast",           "0", "+loop", "-parti8x8+parti4x4+partp8x8-partp4x4-partb8x8", "hex", "3", "16", "40", "1", nullptr, nullptr, "1", nullptr, "+fastpskip", "0", "0"},
    {"lossless_max",            "1", "+loop", L4, "esa",  "8",  "16", "40", "1", nullptr, "16", "1", nullptr, "+mixed_refs+dct8x8+fastpskip", "2", "0"},
    {"lossless_medium",         "1", "+loop", "-parti8x8+parti4x4+partp8x8+partp4x4-partb8x8", "hex", "5", "16", "40", "1", nullptr, nullptr, "1", nullptr, "+fastpskip", "2", "0"},
    {"lossless_slow",           "1", "+loop", L4, "umh",  "6",  "16", "40", "1", nullptr, "2",  "1", nullptr, "+dct8x8+fastpskip", "2", "0"},
    {"lossless_slower",         "1", "+loop", L4, "umh",  "8",  "16", "40", "1", nullptr, "4",  "1", nullptr, "+mixed_refs+dct8x8+fastpskip", "2", "0"},
    {"lossless_ultrafast",      "0", "+loop", N5, "dia",  "0",  "16", "40", "1", nullptr, nullptr, "1", nullptr, "+fastpskip", nullptr, "0"},
    {"max",                     "1", "+loop", P5, "tesa", "10", "24", "40", "2", "3",  "16", "3", "2", "+wpred+mixed_refs+dct8x8-fastpskip", "2", nullptr},
    {"medium",                  "1", "+loop", P4, "hex",  "7",  "16", "40", "1", "3",  "3",  "1", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2", nullptr},
    {"medium_firstpass",        "1", "+loop", N4, "dia",  "2",  "16", "40", "1", "3",  "1",  "1", "0", FirstPass2, "2", nullptr},
    {"normal",                  "1", "+loop", P4, "hex",  "6",  "16", "40", "1", "3",  "2",  "3", "0", "+wpred+dct8x8+fastpskip", "2", nullptr},
    {"placebo",                 "1", "+loop", P5, "tesa", "10", "24", "40", "2", "16", "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8-fastpskip", "2", nullptr},
    {"placebo_firstpass",       "1", "+loop", P5, "tesa", "10", "24", "40", "2", "16", "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8-fastpskip", "2", nullptr},
    {"slow",                    "1", "+loop", P4, "umh",  "8",  "16", "40", "2", "3",  "5",  "3", "1", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2", nullptr},
    {"slow_firstpass",          "1", "+loop", N4, "dia",  "2",  "16", "40", "2", "3",  "1",  "3", "0", FirstPass2, "2", nullptr},
    {"slower",                  "1", "+loop", P5, "umh",  "9",  "16", "40", "2", "3",  "8",  "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2", nullptr},
    {"slower_firstpass",        "1", "+loop", N4, "dia",  "2",  "16", "40", "2", "3",  "1",  "3", "0", FirstPass2, "2", nullptr},
    {"slowfirstpass",           "1", "+loop", P4, "hex",  "6",  "16", "40", "2", "3",  "1",  "3", "0", "+wpred+dct8x8+fastpskip", "2", nullptr},
    {"superfast",               "1", "+loop", "+parti8x8+parti4x4-partp8x8-partb8x8", "dia", "1", "16", "40", "1", "3", "1", "1", "0", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "0", nullptr},
    {"superfast_firstpass",     "1", "+loop", N4, "dia",  "1",  "16", "40", "1", "3",  "1",  "1", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree", "0", nullptr},
    {"ultrafast",               "0", "-loop", N4, "dia",  "0",  "16", "0",  "0", "0",  "1",  "1", "0", "-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "0", nullptr},
    {"ultrafast_firstpass",     "0", "-loop", N4, "dia",  "0",  "16", "0",  "0", "0",  "1",  "1", "0", "-bpyramid-mixed_refs-wpred-dct8x8+fastpskip-mbtree", "0", nullptr},
    {"veryfast",                "1", "+loop", P4, "hex",  "2",  "16", "40", "1", "3",  "1",  "1", "0", "+bpyramid-mixed_refs+wpred+dct8x8+fastpskip-mbtree", "0", nullptr},
    {"veryfast_firstpass",      "1", "+loop", N4, "dia",  "2",  "16", "40", "1", "3",  "1",  "1", "0", "+bpyramid-mixed_refs+wpred-dct8x8+fastpskip-mbtree", "0", nullptr},
    {"veryslow",                "1", "+loop", P5, "umh",  "10", "24", "40", "2", "8",  "16", "3", "2", "+bpyramid+mixed_refs+wpred+dct8x8+fastpskip", "2", nullptr},
    {"veryslow_firstpass",      "1", "+loop", N4, "dia",  "2",  "24", "40", "2", "8",  "1",  "3", "0", FirstPass2, "2", nullptr},
};
// clang-format on

// The long presets' lines in their one key order, the common block included.
std::string LongPresetText(const TPresetRow& r) {
    const std::pair<const char*, const char*> lines[] = {
        {"coder", r.coder},         {"flags", r.flags},   {"cmp", "+chroma"},         {"partitions", r.partitions},
        {"me_method", r.me_method}, {"subq", r.subq},     {"me_range", r.me_range},   {"g", "250"},
        {"keyint_min", "25"},       {"sc_threshold", r.sc_threshold}, {"i_qfactor", "0.71"},
        {"b_strategy", r.b_strategy}, {"qcomp", "0.6"},   {"qmin", "10"},             {"qmax", "51"},
        {"qdiff", "4"},             {"bf", r.bf},         {"refs", r.refs},           {"directpred", r.directpred},
        {"trellis", r.trellis},     {"flags2", r.flags2}, {"cqp", r.cqp},             {"wpredp", r.wpredp},
    };
    std::string text;
    for (const auto& [key, value] : lines)
        if (value)
            text += std::string(key) + "=" + value + "\n";
    return text;
}

std::vector<TOptionsPreset> MakeBuiltInPresets() {
    std::vector<TOptionsPreset> presets;
    for (const TPresetRow& row : LongPresets) {
        std::string text = LongPresetText(row);
        // This one ends with a character of code 1 instead of its last line
        // feed; trimming the whole text removes it.
        if (std::strcmp(row.Name, "fastfirstpass") == 0)
            text.back() = '\x01';
        presets.push_back({std::string("libx264-") + row.Name, text});
    }
    const TOptionsPreset shortPresets[] = {
        {"libx264-baseline", "coder=0\nbf=0\nflags2=-wpred-dct8x8\nwpredp=0\n"},
        {"libx264-main", "flags2=-dct8x8\n"},
        {"libx264-ipod320",
         "coder=0\nbf=0\nflags2=-wpred-dct8x8\nlevel=13\nmaxrate=768000\nbufsize=3000000\nwpredp=0\n"},
        {"libx264-ipod640",
         "coder=0\nbf=0\nrefs=1\nflags2=-wpred-dct8x8\nlevel=30\nmaxrate=10000000\nbufsize=10000000\nwpredp=0\n"},
    };
    presets.insert(presets.end(), std::begin(shortPresets), std::end(shortPresets));
    // The search order is alphabetical by name.
    std::sort(presets.begin(), presets.end(),
              [](const TOptionsPreset& a, const TOptionsPreset& b) { return a.Name < b.Name; });
    return presets;
}

// "+a-b+c" as (word, on) pairs.
std::vector<std::pair<std::string, bool>> FlagWords(const std::string& AValue) {
    std::vector<std::pair<std::string, bool>> words;
    size_t i = 0;
    while (i < AValue.size()) {
        bool on = true;
        if (AValue[i] == '+' || AValue[i] == '-')
            on = AValue[i++] == '+';
        const size_t end = AValue.find_first_of("+-", i);
        const std::string word = AValue.substr(i, end == std::string::npos ? std::string::npos : end - i);
        if (!word.empty())
            words.emplace_back(word, on);
        i = end == std::string::npos ? AValue.size() : end;
    }
    return words;
}

} // namespace

const std::vector<TOptionsPreset>& BuiltInPresets() {
    static const std::vector<TOptionsPreset> presets = MakeBuiltInPresets();
    return presets;
}

std::string FindBuiltInPreset(const std::string& AName) {
    const std::string name = LowerCase(AName);
    for (const TOptionsPreset& preset : BuiltInPresets())
        if (LowerCase(preset.Name) == name)
            return preset.Value;
    return "";
}

std::vector<std::pair<std::string, std::string>> TranslatePresetOption(const std::string& AKey,
                                                                       const std::string& AValue) {
    using TLines = std::vector<std::pair<std::string, std::string>>;
    const std::string key = LowerCase(AKey);
    if (key == "me_method")
        return {{"motion-est", AValue}};
    if (key == "directpred")
        return {{"direct-pred", AValue}};
    if (key == "wpredp")
        return {{"weightp", AValue}};
    if (key == "cqp")
        return {{"qp", AValue}};
    if (key == "flags" && (AValue == "+loop" || AValue == "-loop")) {
        // The deblocking filter is on by default; only turning it off needs a word.
        if (AValue == "+loop")
            return {};
        return {{"x264-params", "no-deblock=1"}};
    }
    if (key == "partitions") {
        // Today a list of the partitions to analyse; "none" when none is on.
        std::string list;
        for (const auto& [word, on] : FlagWords(AValue)) {
            if (!on || word.rfind("part", 0) != 0)
                continue;
            list += (list.empty() ? "" : ",") + word.substr(4);
        }
        return {{"partitions", list.empty() ? "none" : list}};
    }
    if (key == "flags2") {
        static const struct {
            const char* Old;
            const char* Key;
            const char* On;
            const char* Off;
        } words[] = {
            {"wpred", "weightb", "1", "0"},       {"mixed_refs", "mixed-refs", "1", "0"},
            {"dct8x8", "8x8dct", "1", "0"},        {"fastpskip", "fast-pskip", "1", "0"},
            {"bpyramid", "b-pyramid", "normal", "none"}, {"mbtree", "mbtree", "1", "0"},
        };
        TLines lines;
        TLines unknown;
        for (const auto& [word, on] : FlagWords(AValue)) {
            bool known = false;
            for (const auto& w : words)
                if (word == w.Old) {
                    lines.emplace_back(w.Key, on ? w.On : w.Off);
                    known = true;
                }
            if (!known)
                unknown.emplace_back(key, std::string(on ? "+" : "-") + word);
        }
        // Words still known to the generic flags stay there.
        lines.insert(lines.end(), unknown.begin(), unknown.end());
        return lines;
    }
    return {{AKey, AValue}};
}
