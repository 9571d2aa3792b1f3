#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/core/Set.h"

// One argument of Format, carrying its kind so that "%d" takes any integer
// width and a mismatch raises EConvertError instead of reading garbage.
struct TFormatArg {
    enum TKind { akInt, akUInt, akFloat, akString, akPointer };
    TKind Kind = akInt;
    int64_t Int = 0;          // akInt and akUInt (bit pattern)
    int Bits = 64;            // width of the original integer, for %x/%u of negatives
    double Float = 0;
    std::string_view Str;
    const void* Ptr = nullptr;

    template <typename T>
        requires std::is_integral_v<T> && (!std::is_same_v<T, bool>)
    TFormatArg(T v) : Kind(std::is_signed_v<T> ? akInt : akUInt), Int(static_cast<int64_t>(v)), Bits(8 * sizeof(T)) {}
    TFormatArg(bool v) : Kind(akInt), Int(v ? 1 : 0), Bits(32) {}
    template <typename T>
        requires std::is_enum_v<T>
    TFormatArg(T v) : TFormatArg(static_cast<std::underlying_type_t<T>>(v)) {}
    TFormatArg(double v) : Kind(akFloat), Float(v) {}
    TFormatArg(float v) : Kind(akFloat), Float(v) {}
    TFormatArg(long double v) : Kind(akFloat), Float(static_cast<double>(v)) {}
    TFormatArg(const char* s) : Kind(akString), Str(s ? s : "") {}
    TFormatArg(char* s) : Kind(akString), Str(s ? s : "") {}
    TFormatArg(const std::string& s) : Kind(akString), Str(s) {}
    TFormatArg(std::string_view s) : Kind(akString), Str(s) {}
    TFormatArg(const void* p) : Kind(akPointer), Ptr(p) {}
    TFormatArg(void* p) : Kind(akPointer), Ptr(p) {}
    TFormatArg(std::nullptr_t) : Kind(akPointer), Ptr(nullptr) {}
};

// printf-style formatting: flags "-+ 0#", width and precision (also "*"),
// length modifiers are accepted and ignored (the argument knows its width);
// conversions d i u x X o c s f F e E g G a A p and "%%". A missing argument or
// one of the wrong kind raises EConvertError. Decimal separator is always ".".
std::string FormatArgs(std::string_view fmt, const TFormatArg* args, size_t count);

template <typename... Args>
std::string Format(std::string_view fmt, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        return FormatArgs(fmt, nullptr, 0);
    } else {
        const TFormatArg list[] = {TFormatArg(args)...};
        return FormatArgs(fmt, list, sizeof...(Args));
    }
}

// Number to text and back; "." is the decimal separator whatever the locale.
std::string IntToStr(int64_t value);
// Upper case, at least `digits` digits; a negative value shows the bit
// pattern of its own width (IntToHex(-1, 2) is "FFFFFFFF" for an int).
std::string IntToHexBits(uint64_t bits, int digits);
template <typename T>
    requires std::is_integral_v<T>
std::string IntToHex(T value, int digits) {
    return IntToHexBits(static_cast<uint64_t>(static_cast<std::make_unsigned_t<T>>(value)), digits);
}
// Decimal with optional sign and surrounding blanks, or hexadecimal after "$" or
// "0x"; anything else, or a value out of range, raises EConvertError.
int StrToInt(const std::string& s);
int64_t StrToInt64(const std::string& s);
int StrToIntDef(const std::string& s, int def);
int64_t StrToInt64Def(const std::string& s, int64_t def);
bool TryStrToInt(const std::string& s, int& value);
bool TryStrToInt64(const std::string& s, int64_t& value);
double StrToFloat(const std::string& s);
double StrToFloatDef(const std::string& s, double def);
bool TryStrToFloat(const std::string& s, double& value);
// 15 significant digits, trailing zeros removed, scientific ("1.5E20", "1E-6")
// when the value has more than 15 integer digits or is below 0.0001.
std::string FloatToStr(double value);
bool StrToBool(const std::string& s);  // "0"/"1"/"true"/"false" (any case), else EConvertError
std::string BoolToStr(bool value, bool useBoolStrs = false);  // "-1"/"0" or "True"/"False"

// Round half to even: 0.5 -> 0, 1.5 -> 2, 2.5 -> 2, -2.5 -> -2.
int64_t BankersRound(double value);
inline int RoundToInt(double value) { return static_cast<int>(BankersRound(value)); }

// Text helpers on UTF-8 strings; case rules are ASCII only, other bytes compare as they are.
std::string Trim(const std::string& s);       // removes characters up to and including blank
std::string TrimLeft(const std::string& s);
std::string TrimRight(const std::string& s);
std::string UpperCase(const std::string& s);
std::string LowerCase(const std::string& s);
int CompareStr(std::string_view a, std::string_view b);   // <0, 0, >0
int CompareText(std::string_view a, std::string_view b);  // ignoring ASCII case
bool SameText(std::string_view a, std::string_view b);
// 1-based position of sub in s, 0 when absent.
int Pos(std::string_view sub, std::string_view s, int offset = 1);
// 1-based substring, clamped to the string like the classic Copy.
std::string Copy(const std::string& s, int index, int count);

enum TReplaceFlag { rfReplaceAll, rfIgnoreCase };
using TReplaceFlags = TSet<TReplaceFlag>;
std::string StringReplace(const std::string& s, const std::string& oldPattern, const std::string& newPattern,
                          TReplaceFlags flags);

std::string QuotedStr(const std::string& s);                  // 'it''s'
std::string AnsiQuotedStr(const std::string& s, char quote);
// Reads a quoted string starting at s[pos] (which must be the quote), doubling
// rules as AnsiQuotedStr; advances pos past the closing quote.
std::string AnsiExtractQuotedStr(std::string_view s, size_t& pos, char quote);

// The classic linear congruential generator, so that a seed replays the same
// sequence: Random(n) is uniform in 0..n-1 (0 when n <= 0).
int Random(int n);
double Random();  // uniform in [0, 1)
void Randomize();  // seeds from the clock
uint32_t RandSeed();
void SetRandSeed(uint32_t seed);

// The reason of a system error number as text ("No such file or directory").
std::string SysErrorMessage(int errorCode);
// The value of an environment variable, "" when unset.
std::string GetEnvironmentVariable(const std::string& name);
