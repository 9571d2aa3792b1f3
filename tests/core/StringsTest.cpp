#include <gtest/gtest.h>

#include <vector>

#include "platform/core/Exception.h"
#include "platform/core/Strings.h"

namespace {
std::vector<std::string> Lines(const TStrings& s) {
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(s[i]);
    return out;
}
using V = std::vector<std::string>;
}  // namespace

TEST(NameValue, FollowsTheClassicRules) {
    TStringList list;
    list.SetText("Codec=mpeg4\nBitRate=128\nplain line\n=novalue\nPath=a=b\n");
    EXPECT_EQ(list.Values("codec"), "mpeg4");      // names ignore case
    EXPECT_EQ(list.Values("BITRATE"), "128");
    EXPECT_EQ(list.Values("Path"), "a=b");          // the first "=" separates
    EXPECT_EQ(list.Values("missing"), "");
    EXPECT_EQ(list.Values("plain line"), "");
    EXPECT_EQ(list.IndexOfName(""), -1);            // "=novalue" has no name
    EXPECT_EQ(list.Names(4), "Path");
    EXPECT_EQ(list.Names(2), "");
    EXPECT_EQ(list.ValueFromIndex(4), "a=b");

    list.SetValues("bitrate", "256");               // replaces in place, with the given spelling
    EXPECT_EQ(list[1], "bitrate=256");
    list.SetValues("New", "x");                     // appends
    EXPECT_EQ(list[list.Count() - 1], "New=x");
    list.SetValues("CODEC", "");                    // an empty value removes the line
    EXPECT_EQ(list.IndexOfName("codec"), -1);
    list.SetValues("absent", "");                   // and removing nothing is fine
    EXPECT_EQ(Lines(list), (V{"bitrate=256", "plain line", "=novalue", "Path=a=b", "New=x"}));
}

TEST(StringList, SortedFindAndDuplicates) {
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "banana", "apple"})
        list.Add(s);
    EXPECT_EQ(Lines(list), (V{"Apple", "banana", "pear"}));  // dupIgnore, case-insensitive
    int index = -1;
    EXPECT_TRUE(list.Find("BANANA", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(list.Find("cherry", index));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(list.IndexOf("PEAR"), 2);
    EXPECT_THROW(list.Insert(0, "x"), EListError);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("apple"), EListError);
    list.SetDuplicates(dupAccept);
    list.Add("apple");
    EXPECT_EQ(list.Count(), 4);

    TStringList unsorted;
    unsorted.SetText("b\nC\na\n");
    unsorted.SetSorted(true);
    EXPECT_EQ(Lines(unsorted), (V{"a", "b", "C"}));
}

TEST(StringList, ObjectsTravelWithTheirLines) {
    TObject a, b;
    TStringList list;
    list.AddObject("second", &b);
    list.InsertObject(0, "first", &a);
    list.SetSorted(true);
    list.Add("middle");
    EXPECT_EQ(list.Objects(list.IndexOf("first")), &a);
    EXPECT_EQ(list.Objects(list.IndexOf("second")), &b);
    EXPECT_EQ(list.Objects(list.IndexOf("middle")), nullptr);
    EXPECT_EQ(list.IndexOfObject(&b), 2);
    EXPECT_THROW(list.Objects(3), EListError);
}

TEST(StringList, ChangeEventsAndUpdates) {
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    EXPECT_EQ(changed, 1);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
    list.SetText("x\ny");  // one change for the whole text
    EXPECT_EQ(changed, 3);
}

TEST(StringList, TextAndCommaText) {
    struct Case {
        const char* text;
        V lines;
    };
    const Case texts[] = {
        {"a\nb\n", {"a", "b"}}, {"a\r\nb", {"a", "b"}}, {"a\rb\r\n\r\nc", {"a", "b", "", "c"}},
        {"", {}},               {"\n", {""}},           {"x\n\n", {"x", ""}},
    };
    for (const auto& c : texts) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Lines(list), c.lines) << c.text;
    }

    TStringList list;
    list.SetCommaText(R"(one, "two words",three,"say ""hi""",)");
    EXPECT_EQ(Lines(list), (V{"one", "two words", "three", "say \"hi\"", ""}));
    EXPECT_EQ(list.CommaText(), R"(one,"two words",three,"say ""hi""",)");
    list.SetCommaText("a b");
    EXPECT_EQ(Lines(list), (V{"a", "b"}));  // blanks separate too
    list.SetDelimiter(';');
    list.SetStrictDelimiter(true);
    list.SetDelimitedText("a b;c");
    EXPECT_EQ(Lines(list), (V{"a b", "c"}));
}
