#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <cmath>

#include "platform/core/DateTime.h"
#include "platform/core/Exception.h"

TEST(DateTime, EncodesDaysSince18991230) {
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_DOUBLE_EQ(EncodeDate(1900, 1, 1), 2);
    EXPECT_DOUBLE_EQ(EncodeDate(1970, 1, 1), UnixDateDelta);
    EXPECT_DOUBLE_EQ(EncodeDate(2000, 3, 1), 36586);
    EXPECT_DOUBLE_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
    EXPECT_NO_THROW(EncodeDate(2024, 2, 29));

    const TDateTime t = EncodeDate(2026, 12, 10) + EncodeTime(23, 59, 59, 999);
    int y, m, d, h, n, s, ms;
    DecodeDate(t, y, m, d);
    DecodeTime(t, h, n, s, ms);
    EXPECT_EQ((std::vector<int>{y, m, d, h, n, s, ms}), (std::vector<int>{2026, 12, 10, 23, 59, 59, 999}));
    EXPECT_EQ(DateTimeToUnix(EncodeDate(2001, 9, 9) + EncodeTime(1, 46, 40, 0)), 1000000000);
    EXPECT_DOUBLE_EQ(UnixToDateTime(86400), UnixDateDelta + 1);
}

TEST(DateTime, FormatsThePatternsInUse) {
    const TDateTime t = EncodeDate(2026, 3, 7) + EncodeTime(14, 5, 9, 42);
    struct Case {
        const char *pattern, *expected;
    };
    const Case cases[] = {
        {"yyyy-mm-dd hh:nn:ss", "2026-03-07 14:05:09"},
        {"hhnnss", "140509"},
        {"yyyymmddhhnnsszzz", "20260307140509042"},
        {"yy/m/d h:n:s", "26/3/7 14:5:9"},
        {"hh:mm", "14:05"},  // "mm" after an hour is minutes
        {"ddd, mmm dddd mmmm", "Sat, Mar Saturday March"},
        {"h:nn am/pm", "2:05 pm"},
        {"hh:nn AMPM", "02:05 PM"},
        {"'at' hh\"h\"", "at 14h"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime(c.pattern, t), c.expected) << c.pattern;
}

TEST(DateTime, TimeZoneBiasFollowsDaylightSaving) {
    const std::string saved = getenv("TZ") ? getenv("TZ") : "";
    const bool hadTz = getenv("TZ") != nullptr;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(LocalTimeZoneBiasMinutes(1704067200), -60);   // 2024-01-01: winter
    EXPECT_EQ(LocalTimeZoneBiasMinutes(1719792000), -120);  // 2024-07-01: summer
    EXPECT_EQ(StandardTimeZoneBiasMinutes(), -60);
    setenv("TZ", "CST-8", 1);
    tzset();
    EXPECT_EQ(LocalTimeZoneBiasMinutes(1719792000), -480);
    // Now is local time: it differs from the UTC moment by the bias.
    const double diffMinutes = (Now() - UnixToDateTime(time(nullptr))) * 24 * 60;
    EXPECT_NEAR(diffMinutes, 480, 1);
    if (hadTz)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}
