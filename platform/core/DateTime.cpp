#include "platform/core/DateTime.h"

#include <cmath>

#include "platform/core/Exception.h"
#include "platform/core/SysUtils.h"

namespace {

constexpr const char* ShortMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* LongMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
constexpr const char* ShortDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* LongDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Proleptic Gregorian calendar days relative to 1970-01-01.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

// Milliseconds of the whole value, rounded once so that date and time agree.
int64_t TotalMs(TDateTime value) {
    return static_cast<int64_t>(std::llround(value * MSecsPerDay));
}

TDateTime FromLocal(const std::tm& tm, int msec) {
    return EncodeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday) +
           EncodeTime(tm.tm_hour, tm.tm_min, tm.tm_sec, msec);
}

}  // namespace

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& value) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    value = static_cast<double>(DaysFromCivil(year, month, day) + UnixDateDelta);
    return true;
}

bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value) {
    if (hour < 0 || hour > 23 || min < 0 || min > 59 || sec < 0 || sec > 59 || msec < 0 || msec > 999)
        return false;
    value = (((hour * 60.0 + min) * 60.0 + sec) * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime v = 0;
    if (!TryEncodeDate(year, month, day, v))
        throw EConvertError(Format("Invalid argument to date encode (%d-%d-%d)", year, month, day));
    return v;
}

TDateTime EncodeTime(int hour, int min, int sec, int msec) {
    TDateTime v = 0;
    if (!TryEncodeTime(hour, min, sec, msec, v))
        throw EConvertError(Format("Invalid argument to time encode (%d:%d:%d.%d)", hour, min, sec, msec));
    return v;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
    const int64_t ms = TotalMs(value);
    int64_t days = ms / 86400000;
    if (ms % 86400000 < 0)
        --days;
    CivilFromDays(days - UnixDateDelta, year, month, day);
}

void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec) {
    int64_t ms = TotalMs(value) % 86400000;
    if (ms < 0)
        ms += 86400000;
    msec = static_cast<int>(ms % 1000);
    sec = static_cast<int>(ms / 1000 % 60);
    min = static_cast<int>(ms / 60000 % 60);
    hour = static_cast<int>(ms / 3600000);
}

int64_t DateTimeToUnix(TDateTime value) {
    const int64_t ms = TotalMs(value - UnixDateDelta);
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}

TDateTime UnixToDateTime(int64_t seconds) {
    return seconds / 86400.0 + UnixDateDelta;
}

TDateTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    return FromLocal(tm, static_cast<int>(ts.tv_nsec / 1000000));
}

TDateTime Date() {
    return std::floor(Now());
}

TDateTime Time() {
    const TDateTime now = Now();
    return now - std::floor(now);
}

int LocalTimeZoneBiasMinutes(time_t at) {
    std::tm tm{};
    localtime_r(&at, &tm);
    return static_cast<int>(-tm.tm_gmtoff / 60);
}

int LocalTimeZoneBiasMinutes() {
    return LocalTimeZoneBiasMinutes(std::time(nullptr));
}

int StandardTimeZoneBiasMinutes() {
    tzset();
    // glibc keeps the standard offset, seconds west of UTC, in `timezone`.
    return static_cast<int>(timezone / 60);
}

std::string FormatDateTime(const std::string& format, TDateTime value) {
    int year, month, day, hour, min, sec, msec;
    DecodeDate(value, year, month, day);
    DecodeTime(value, hour, min, sec, msec);
    const int64_t dayNumber = TotalMs(value) / 86400000;
    const int weekDay = static_cast<int>(((dayNumber % 7) + 7 + 6) % 7);  // 1899-12-30 was a Saturday

    std::string out;
    bool afterHour = false;
    size_t i = 0;
    auto count = [&](char c) {
        size_t n = 0;
        while (i + n < format.size() && (format[i + n] | 0x20) == c)
            ++n;
        return n;
    };
    // A 12-hour clock when the pattern holds an am/pm marker anywhere.
    const std::string lower = LowerCase(format);
    auto startsWith = [&](const std::string& token) { return lower.compare(i, token.size(), token) == 0; };
    const bool pm = hour >= 12;
    const bool twelveHour = lower.find("am/pm") != std::string::npos || lower.find("ampm") != std::string::npos;
    const int shownHour = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;

    while (i < format.size()) {
        const char c = format[i];
        const char lc = static_cast<char>(c | 0x20);
        if (c == '\'' || c == '"') {
            const size_t close = format.find(c, i + 1);
            const size_t end = close == std::string::npos ? format.size() : close;
            out.append(format, i + 1, end - i - 1);
            i = end == format.size() ? end : end + 1;
            continue;
        }
        if (startsWith("am/pm")) {
            if (c == 'A')
                out += pm ? "PM" : "AM";
            else
                out += pm ? "pm" : "am";
            i += 5;
            continue;
        }
        if (startsWith("ampm")) {
            out += pm ? "PM" : "AM";
            i += 4;
            continue;
        }
        size_t n = (lc >= 'a' && lc <= 'z') ? count(lc) : 0;
        switch (lc) {
        case 'y':
            out += n <= 2 ? Format("%.2d", year % 100) : Format("%.4d", year);
            break;
        case 'm':
            if (afterHour && n <= 2) {
                out += n == 1 ? Format("%d", min) : Format("%.2d", min);
                afterHour = false;
            } else if (n == 1) {
                out += Format("%d", month);
            } else if (n == 2) {
                out += Format("%.2d", month);
            } else if (n == 3) {
                out += ShortMonthNames[month - 1];
            } else {
                out += LongMonthNames[month - 1];
            }
            break;
        case 'd':
            if (n == 1)
                out += Format("%d", day);
            else if (n == 2)
                out += Format("%.2d", day);
            else if (n == 3)
                out += ShortDayNames[weekDay];
            else
                out += LongDayNames[weekDay];
            break;
        case 'h':
            out += n == 1 ? Format("%d", shownHour) : Format("%.2d", shownHour);
            afterHour = true;
            break;
        case 'n':
            out += n == 1 ? Format("%d", min) : Format("%.2d", min);
            break;
        case 's':
            out += n == 1 ? Format("%d", sec) : Format("%.2d", sec);
            break;
        case 'z':
            out += n < 3 ? Format("%d", msec) : Format("%.3d", msec);
            break;
        default:
            out += c;
            n = 1;
            break;
        }
        if (lc != 'h' && lc != 'm' && lc >= 'a' && lc <= 'z')
            afterHour = false;
        i += n;
    }
    return out;
}
