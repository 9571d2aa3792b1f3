#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "platform/core/Exception.h"
#include "platform/core/List.h"
#include "platform/core/SysUtils.h"

TEST(Format, FollowsPrintfRulesWithTypedArguments) {
    const int64_t big = 5000000000LL;
    EXPECT_EQ(Format("%d", big), "5000000000");
    EXPECT_EQ(Format("%d|%i", -7, static_cast<short>(3)), "-7|3");
    EXPECT_EQ(Format("%.2d:%.2d:%.3d", 5, 42, 7), "05:42:007");
    EXPECT_EQ(Format("%x %X %04X", 255, 255, 10), "ff FF 000A");
    EXPECT_EQ(Format("%x", -1), "ffffffff");  // the width of the argument, not 64 bits
    EXPECT_EQ(Format("%x", int64_t(-1)), "ffffffffffffffff");
    EXPECT_EQ(Format("%u", 4294967295u), "4294967295");
    EXPECT_EQ(Format("[%-16s]", "abc"), "[abc             ]");
    EXPECT_EQ(Format("[%5s][%.2s]", std::string("ab"), "xyz"), "[   ab][xy]");
    EXPECT_EQ(Format("%.2f %3.2f %1.0f", 3.14159, 2.5, 2.5), "3.14 2.50 2");
    EXPECT_EQ(Format("%lld %I64d %ld", big, big, 3L), "5000000000 5000000000 3");
    EXPECT_EQ(Format("%*d|%-*d|", 4, 7, 3, 1), "   7|1  |");
    EXPECT_EQ(Format("100%% %c", 'A'), "100% A");
    EXPECT_EQ(Format("%f", 2), "2.000000");  // an integer widens for a float conversion
    EXPECT_EQ(Format("no args"), "no args");
}

TEST(Format, RaisesOnMissingOrMismatchedArguments) {
    EXPECT_THROW(Format("%d %d", 1), EConvertError);
    EXPECT_THROW(Format("%d", 1.5), EConvertError);
    EXPECT_THROW(Format("%s", 12), EConvertError);
    EXPECT_THROW(Format("%d", "12"), EConvertError);
    EXPECT_THROW(Format("%n", 1), EConvertError);
    EXPECT_THROW(Format("50%"), EConvertError);
}

// A locale of our own whose numbers use a decimal comma, built with the C
// library's localedef into a temporary folder: the test needs no installed
// locale, so it runs on every machine.
namespace {
std::string MakeCommaLocale()
{
    const std::string dir = testing::TempDir() + "comma-locale";
    std::filesystem::create_directories(dir);
    std::ofstream(dir + "/comma.src") << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\n"
                                         "END LC_NUMERIC\n";
    // -c: the other categories are missing on purpose, which localedef warns about.
    std::string command = "localedef -c -i '" + dir + "/comma.src' '" + dir + "/comma' >/dev/null 2>&1";
    (void)std::system(command.c_str());
    return std::filesystem::exists(dir + "/comma/LC_NUMERIC") ? dir : std::string();
}
}  // namespace

TEST(Format, UsesThePointWhateverTheLocale) {
    const std::string folder = MakeCommaLocale();
    ASSERT_FALSE(folder.empty()) << "localedef could not build a locale with a decimal comma";
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    setenv("LOCPATH", folder.c_str(), 1);
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "comma"));
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(FloatToStr(1.5), "1.5");
    EXPECT_EQ(Format("%.2f|%g", 3.14159, 0.5), "3.14|0.5");
    EXPECT_DOUBLE_EQ(StrToFloat("2.25"), 2.25);
    EXPECT_FALSE(TryStrToFloat("2,25", *std::make_unique<double>()));
    std::setlocale(LC_NUMERIC, saved.c_str());
    unsetenv("LOCPATH");
}

TEST(Conversion, IntegersFromText) {
    struct Case {
        const char* text;
        bool valid;
        int64_t value;
    };
    const Case cases[] = {
        {"0", true, 0},       {"42", true, 42},           {"-42", true, -42},   {"+7", true, 7},
        {" 12 ", true, 12},   {"$1F", true, 31},          {"0x1f", true, 31},   {"0X10", true, 16},
        {"-$10", true, -16},  {"", false, 0},             {" ", false, 0},      {"12a", false, 0},
        {"1.0", false, 0},    {"$", false, 0},            {"0x", false, 0},     {"1 2", false, 0},
        {"--1", false, 0},    {"9223372036854775807", true, INT64_MAX},
        {"9223372036854775808", false, 0},               {"-9223372036854775808", true, INT64_MIN},
    };
    for (const auto& c : cases) {
        int64_t v = -99;
        EXPECT_EQ(TryStrToInt64(c.text, v), c.valid) << "'" << c.text << "'";
        if (c.valid) {
            EXPECT_EQ(v, c.value) << "'" << c.text << "'";
        } else {
            EXPECT_THROW(StrToInt64(c.text), EConvertError) << "'" << c.text << "'";
        }
    }
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_EQ(StrToIntDef("x", 5), 5);
    EXPECT_EQ(StrToInt64Def("", -3), -3);
    try {
        StrToInt("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
    }
}

TEST(Conversion, FloatsFromAndToText) {
    struct Case {
        const char* text;
        bool valid;
        double value;
    };
    const Case cases[] = {
        {"1.5", true, 1.5}, {" -2.25 ", true, -2.25}, {"1e3", true, 1000}, {".5", true, 0.5}, {"+3", true, 3},
        {"1,5", false, 0},  {"", false, 0},           {"inf", false, 0},   {"nan", false, 0}, {"0x10", false, 0},
        {"1.5x", false, 0},
    };
    for (const auto& c : cases) {
        double v = 0;
        EXPECT_EQ(TryStrToFloat(c.text, v), c.valid) << "'" << c.text << "'";
        if (c.valid) {
            EXPECT_DOUBLE_EQ(v, c.value) << "'" << c.text << "'";
        }
    }
    EXPECT_THROW(StrToFloat("abc"), EConvertError);
    EXPECT_EQ(StrToFloatDef("?", 2.5), 2.5);

    struct Out {
        double value;
        const char* text;
    };
    const Out outs[] = {
        {0, "0"},          {1.5, "1.5"},       {-2, "-2"},    {128000, "128000"}, {0.1, "0.1"},
        {1.0 / 3, "0.333333333333333"},        {1e15, "1E15"}, {123456789012345, "123456789012345"},
        {1e-5, "1E-5"},    {0.0001, "0.0001"}, {0.00012, "0.00012"}, {-3.5e-7, "-3.5E-7"}, {2.5e20, "2.5E20"},
    };
    for (const auto& o : outs)
        EXPECT_EQ(FloatToStr(o.value), o.text) << o.value;
}

TEST(Conversion, BankersRoundingGoesToEven) {
    const std::pair<double, int64_t> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {3.5, 4}, {-0.5, 0}, {-1.5, -2},
                                                {-2.5, -2}, {2.4, 2}, {2.6, 3}, {-2.6, -3}, {7, 7}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(BankersRound(value), expected) << value;
}

TEST(Text, TrimCaseAndSearch) {
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
    EXPECT_EQ(TrimLeft("  x "), "x ");
    EXPECT_EQ(TrimRight("  x "), "  x");
    EXPECT_EQ(UpperCase("abc格式"), "ABC格式");
    EXPECT_TRUE(SameText("Section", "SECTION"));
    EXPECT_FALSE(SameText("abc", "abcd"));
    EXPECT_LT(CompareText("apple", "Banana"), 0);
    EXPECT_GT(CompareStr("apple", "Banana"), 0);
    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("b", "abcb", 3), 4);
    EXPECT_EQ(Pos("z", "abc"), 0);
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abc", 2, 100), "bc");
    EXPECT_EQ(Copy("abc", 5, 1), "");
    EXPECT_EQ(StringReplace("a.b.c", ".", "::", {rfReplaceAll}), "a::b::c");
    EXPECT_EQ(StringReplace("a.b.c", ".", "-", {}), "a-b.c");
    EXPECT_EQ(StringReplace("Xax", "x", "y", {rfReplaceAll, rfIgnoreCase}), "yay");
    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(IntToHex(255, 4), "00FF");
    EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
    EXPECT_EQ(IntToHex(int64_t(-2), 1), "FFFFFFFFFFFFFFFE");
    EXPECT_EQ(IntToHex(uint8_t(10), 1), "A");
    EXPECT_EQ(IntToStr(-5000000000LL), "-5000000000");
}

namespace {
int CompareInts(void* a, void* b) {
    return static_cast<int>(reinterpret_cast<intptr_t>(a) - reinterpret_cast<intptr_t>(b));
}
void* P(intptr_t v) { return reinterpret_cast<void*>(v); }
}  // namespace

TEST(List, KeepsOrderSortsAndChecksIndexes) {
    TList list;
    for (intptr_t v : {3, 1, 2})
        list.Add(P(v));
    list.Insert(0, P(9));
    EXPECT_EQ(list.IndexOf(P(2)), 3);
    EXPECT_EQ(list.Remove(P(1)), 2);
    EXPECT_EQ(list.Remove(P(1)), -1);
    list.Sort(CompareInts);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list[0], P(2));
    EXPECT_EQ(list[2], P(9));
    EXPECT_THROW(list.Items(3), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Insert(5, nullptr), EListError);
}

TEST(Random, ASeedReplaysTheSameSequenceInRange) {
    SetRandSeed(12345);
    std::vector<int> first;
    for (int i = 0; i < 100; ++i)
        first.push_back(Random(7));
    SetRandSeed(12345);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(Random(7), first[i]);
    EXPECT_TRUE(std::all_of(first.begin(), first.end(), [](int v) { return v >= 0 && v < 7; }));
    EXPECT_GT(std::set<int>(first.begin(), first.end()).size(), 5u);
    EXPECT_EQ(Random(0), 0);
    SetRandSeed(0);
    EXPECT_EQ(Random(1 << 30), 0);  // first step from seed 0 is 1: (1 * n) >> 32
}
