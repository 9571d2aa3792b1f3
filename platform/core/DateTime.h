#pragma once
#include <cstdint>
#include <ctime>
#include <string>

// Days since 1899-12-30 00:00 local time; the fraction is the time of day.
using TDateTime = double;

constexpr double MSecsPerDay = 86400000.0;
constexpr int64_t UnixDateDelta = 25569;  // days from 1899-12-30 to 1970-01-01

TDateTime Now();
TDateTime Date();
TDateTime Time();

// Raise EConvertError on an invalid date or time; the Try forms return false.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int min, int sec, int msec);
bool TryEncodeDate(int year, int month, int day, TDateTime& value);
bool TryEncodeTime(int hour, int min, int sec, int msec, TDateTime& value);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& min, int& sec, int& msec);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Unix seconds <-> TDateTime, without any time zone shift.
int64_t DateTimeToUnix(TDateTime value);
TDateTime UnixToDateTime(int64_t seconds);

// UTC minus local time in minutes at the given moment, daylight saving
// included (UTC+8 gives -480), as the classic time zone bias.
int LocalTimeZoneBiasMinutes(time_t at);
int LocalTimeZoneBiasMinutes();
// The zone's base bias: the same without any daylight-saving shift.
int StandardTimeZoneBiasMinutes();

// Patterns: yyyy yy m mm mmm mmmm d dd ddd dddd h hh n nn s ss z zzz am/pm ampm;
// "m"/"mm" right after an hour means minutes; text in '...' or "..." is
// copied; "/" and ":" are copied as they are.
std::string FormatDateTime(const std::string& format, TDateTime value);
