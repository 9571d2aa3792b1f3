#include <gtest/gtest.h>

#include "platform/core/FileMask.h"

TEST(FileMask, MatchesLikeTheOpenDialogs) {
    struct Case {
        const char* name;
        const char* mask;
        bool matches;
    };
    const Case cases[] = {
        {"clip.avi", "*.*", true},
        {"README", "*.*", true},            // no extension: still every file
        {".hidden", "*.*", true},
        {"clip", "clip.*", true},
        {"clip.mp4", "clip.*", true},
        {"clips", "clip.*", false},
        {"CLIP.AVI", "*.avi", true},        // ASCII case does not count
        {"clip.avi", "*.AVI", true},
        {"clip.avix", "*.avi", false},
        {"clip.avi.txt", "*.avi", false},
        {"a.b.c", "*.c", true},
        {"片段.mkv", "??.mkv", true},       // "?" is one character, not one byte
        {"片段.mkv", "?.mkv", false},
        {"片段.mkv", "*段.MKV", true},
        {"abc", "a*b*c", true},
        {"aXbYc", "a*b*c", true},
        {"acb", "a*b*c", false},
        {"", "*", true},
        {"", "?", false},
        {"x", "", false},
        {"b.txt", "[a-c]*.txt", true},       // sets and ranges
        {"B.TXT", "[a-c]*.txt", true},
        {"d.txt", "[a-c]*.txt", false},
        {"apple", "[!a]*", false},
        {"Apple", "[!a]*", false},
        {"pear", "[!a]*", true},
        {"x1", "x[0-9]", true},
        {"x-", "x[a-]", true},              // a "-" before "]" is itself
        {"段", "[片段]", true},
        {"[a", "[a", true},                 // an unclosed "[" is a plain character
        {"bad\xff.mp4", "bad?.mp4", true},
        {"bad\xff.mp4", "bad\xfe.mp4", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
}

TEST(FileMask, TakesListsWithBlanks) {
    EXPECT_TRUE(MatchesMaskList("song.aiff", "*.aif; *.aiff"));
    EXPECT_TRUE(MatchesMaskList("song.aif", "*.aif; *.aiff"));
    EXPECT_FALSE(MatchesMaskList("song.aifc", "*.aif; *.aiff"));
    EXPECT_TRUE(MatchesMaskList("clip.m4v", "*.mp4;*.m4v;"));
    EXPECT_FALSE(MatchesMaskList("clip.m4v", ";; "));
}
