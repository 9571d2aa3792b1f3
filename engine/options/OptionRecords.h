#pragma once
#include <string>
#include <utility>
#include <vector>

#include "engine/util/Records.h"

class TCustomFFmpeg;

// Option records to the options of a job.
//
// Option text (the records' ExtOptions and the text forms of the conversion
// component) holds "name=value" lines: the whole text is trimmed, CR LF, a
// lone CR, a lone LF and the six characters "<CRLF>" each end a line; a
// line's name is the text before its first "=" (not trimmed), its value the
// rest, unchanged. Names are compared without regard to letter case here and
// reach the option parser lower-cased.

using TOptionLine = std::pair<std::string, std::string>;
std::vector<TOptionLine> SplitOptionText(const std::string& AText);

// The text forms: a record with its defaults, the text's "TimeStart" (and for
// an output "TimeLength", "Join", "Hook"/"CustomHook") lines in their fields
// and every other line appended to ExtOptions as "name=value\n".
void InputOptionsFromText(const std::string& AText, TInputOptions& AOptions);
void OutputOptionsFromText(const std::string& AText, TOutputOptions& AOptions);

// The per-stream defaults of one output: "def_acodec" ... "def_vf" from the
// record, followed by the stream lines of its option text in their order
// ("vfilters" written as "vf"). The n-th new stream of a kind takes the n-th
// value given for each of its keys, then the output's default.
class TStreamDefaults {
public:
    // The value of the first line of that name; empty when there is none.
    std::string Get(const std::string& AName) const;
    // Replaces the first line of that name; an empty value removes it.
    void Set(const std::string& AName, const std::string& AValue);
    void Append(const std::string& AName, const std::string& AValue);
    // The value of the first line named AKey, removing it; once none is left,
    // the value of "def_" + AKey.
    std::string TakeNext(const std::string& AKey);
    const std::vector<TOptionLine>& Lines() const { return FLines; }

private:
    std::vector<TOptionLine> FLines;
};

// An input's record, before the input is opened: its option text, then the
// forced format, the start position and the program, which thus override
// what the text set.
void ApplyInputOptions(TCustomFFmpeg& AJob, const TInputOptions& AOptions);

// An output's record, before the output is opened, in this order: the stream
// defaults (filled into ADefaults), the target, the codecs, the presets, the
// option text, the record's fields, then frame size and filters. Handler
// errors propagate; what was applied before them stays.
void ApplyOutputOptions(TCustomFFmpeg& AJob, const TOutputOptions& AOptions, TStreamDefaults& ADefaults);

// After the output was opened: each "newaudio", "newvideo" and "newsubtitle"
// line of the option text takes the next values of its kind's keys from
// ADefaults and then adds its stream to that output.
void ApplyStreamOptions(TCustomFFmpeg& AJob, const TOutputOptions& AOptions, TStreamDefaults& ADefaults);
