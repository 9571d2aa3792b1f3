#pragma once
#include <string>

// File name masks as the open dialogs and folder listings use them: "*" stands
// for any run of characters, "?" for exactly one character (a whole UTF-8
// sequence), "[...]" for one character of a set of characters and ranges
// ("[a-c]"; "!" right after "[" takes every other), and letters match without
// regard to ASCII case. A mask ending in
// ".*" also takes names without an extension, so "*.*" matches every name and
// "clip.*" matches "clip".
bool MatchesMask(const std::string& AName, const std::string& AMask);

// A list of masks separated by ";" (blanks around each mask are ignored, empty
// ones skipped), as in a dialog filter's "*.aif; *.aiff": true when any matches.
bool MatchesMaskList(const std::string& AName, const std::string& AMasks);
