#include "platform/core/SysUtils.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <locale.h>

#include "platform/core/Exception.h"

namespace {

[[noreturn]] void FormatError(std::string_view fmt) {
    throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// The C locale for this thread while it lives, so that "." stays the decimal
// separator whatever locale the program or a library has set.
class TCLocaleScope {
public:
    TCLocaleScope() : FOld(uselocale(CLocale())) {}
    ~TCLocaleScope() { uselocale(FOld); }
    TCLocaleScope(const TCLocaleScope&) = delete;
    TCLocaleScope& operator=(const TCLocaleScope&) = delete;

private:
    static locale_t CLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
        return c;
    }
    locale_t FOld;
};

std::string CFormat(const std::string& pattern, auto value) {
    TCLocaleScope cLocale;
    char small[128];
    const int n = std::snprintf(small, sizeof small, pattern.c_str(), value);
    if (n < 0)
        return {};
    if (static_cast<size_t>(n) < sizeof small)
        return std::string(small, n);
    std::string out(n + 1, '\0');
    std::snprintf(out.data(), out.size(), pattern.c_str(), value);
    out.resize(n);
    return out;
}

uint64_t MaskToWidth(const TFormatArg& a) {
    const auto u = static_cast<uint64_t>(a.Int);
    return a.Bits >= 64 ? u : (u & ((uint64_t(1) << a.Bits) - 1));
}

// The arguments in the order the format string consumes them.
struct TFormatReader {
    std::string_view Fmt;
    const TFormatArg* Args;
    size_t Count;
    size_t Next = 0;

    const TFormatArg& Take() {
        if (Next >= Count)
            FormatError(Fmt);
        return Args[Next++];
    }
    const TFormatArg& TakeInteger() {
        const TFormatArg& a = Take();
        if (a.Kind != TFormatArg::akInt && a.Kind != TFormatArg::akUInt)
            FormatError(Fmt);
        return a;
    }
};

// One conversion: "%", flags, width, precision and the conversion letter.
struct TFormatSpec {
    std::string Flags, Width, Precision;
    bool HasPrecision = false;
    char Conv = 0;

    std::string Pattern() const {
        return "%" + Flags + Width + (HasPrecision ? "." + (Precision.empty() ? "0" : Precision) : "");
    }
};

std::string ReadDigits(std::string_view fmt, size_t& i) {
    std::string digits;
    while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9')
        digits += fmt[i++];
    return digits;
}

// Reads from just after the "%" up to and including the conversion letter;
// "*" takes its number from the arguments.
TFormatSpec ParseFormatSpec(TFormatReader& r, size_t& i) {
    const std::string_view fmt = r.Fmt;
    TFormatSpec spec;
    while (i < fmt.size() && std::strchr("-+ 0#", fmt[i]))
        spec.Flags += fmt[i++];
    if (i < fmt.size() && fmt[i] == '*') {
        spec.Width = std::to_string(r.TakeInteger().Int);
        ++i;
    } else {
        spec.Width = ReadDigits(fmt, i);
    }
    if (i < fmt.size() && fmt[i] == '.') {
        spec.HasPrecision = true;
        ++i;
        if (i < fmt.size() && fmt[i] == '*') {
            spec.Precision = std::to_string(std::max<int64_t>(r.TakeInteger().Int, 0));
            ++i;
        } else {
            spec.Precision = ReadDigits(fmt, i);
        }
    }
    // Length modifiers carry no meaning here: the argument knows its type.
    while (i < fmt.size() && std::strchr("hlLqjzt", fmt[i]))
        ++i;
    if (i + 2 < fmt.size() && fmt[i] == 'I' && fmt[i + 1] == '6' && fmt[i + 2] == '4')
        i += 3;
    if (i >= fmt.size())
        FormatError(fmt);
    spec.Conv = fmt[i];
    return spec;
}

// Cut and padded by hand, so that the text need not be terminated.
void AppendString(std::string& out, const TFormatSpec& spec, std::string_view text) {
    if (spec.HasPrecision)
        text = text.substr(0, std::strtoul(spec.Precision.c_str(), nullptr, 10));
    const size_t w = spec.Width.empty() ? 0 : std::strtoul(spec.Width.c_str(), nullptr, 10);
    const bool left = spec.Flags.find('-') != std::string::npos;
    const size_t pad = w > text.size() ? w - text.size() : 0;
    if (!left)
        out.append(pad, ' ');
    out.append(text);
    if (left)
        out.append(pad, ' ');
}

void AppendConversion(std::string& out, const TFormatSpec& spec, const TFormatArg& a, std::string_view fmt) {
    const std::string pattern = spec.Pattern();
    const bool integer = a.Kind == TFormatArg::akInt || a.Kind == TFormatArg::akUInt;
    switch (spec.Conv) {
    case 'd':
    case 'i':
        if (a.Kind == TFormatArg::akInt)
            out += CFormat(pattern + "lld", static_cast<long long>(a.Int));
        else if (a.Kind == TFormatArg::akUInt)
            out += CFormat(pattern + "llu", static_cast<unsigned long long>(a.Int));
        else
            FormatError(fmt);
        break;
    case 'u':
    case 'x':
    case 'X':
    case 'o':
        if (!integer)
            FormatError(fmt);
        out += CFormat(pattern + "ll" + spec.Conv, static_cast<unsigned long long>(MaskToWidth(a)));
        break;
    case 'c':
        if (!integer)
            FormatError(fmt);
        out += CFormat(pattern + "c", static_cast<int>(static_cast<unsigned char>(a.Int)));
        break;
    case 's':
        if (a.Kind != TFormatArg::akString)
            FormatError(fmt);
        AppendString(out, spec, a.Str);
        break;
    case 'f':
    case 'F':
    case 'e':
    case 'E':
    case 'g':
    case 'G':
    case 'a':
    case 'A':
        // Integers widen to floating point without loss of meaning.
        if (a.Kind == TFormatArg::akFloat)
            out += CFormat(pattern + spec.Conv, a.Float);
        else if (a.Kind == TFormatArg::akInt)
            out += CFormat(pattern + spec.Conv, static_cast<double>(a.Int));
        else if (a.Kind == TFormatArg::akUInt)
            out += CFormat(pattern + spec.Conv, static_cast<double>(static_cast<uint64_t>(a.Int)));
        else
            FormatError(fmt);
        break;
    case 'p':
        if (a.Kind != TFormatArg::akPointer)
            FormatError(fmt);
        out += CFormat(pattern + "p", a.Ptr);
        break;
    default:
        FormatError(fmt);
    }
}

}  // namespace

std::string FormatArgs(std::string_view fmt, const TFormatArg* args, size_t count) {
    std::string out;
    out.reserve(fmt.size() + 16);
    TFormatReader reader{fmt, args, count};
    for (size_t i = 0; i < fmt.size(); ++i) {
        if (fmt[i] != '%') {
            out += fmt[i];
            continue;
        }
        if (++i >= fmt.size())
            FormatError(fmt);
        if (fmt[i] == '%') {
            out += '%';
            continue;
        }
        const TFormatSpec spec = ParseFormatSpec(reader, i);
        AppendConversion(out, spec, reader.Take(), fmt);
    }
    return out;
}

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string IntToHexBits(uint64_t bits, int digits) {
    return Format("%.*X", digits < 0 ? 0 : digits, bits);
}

bool TryStrToInt64(const std::string& s, int64_t& value) {
    size_t i = 0, end = s.size();
    while (i < end && IsBlank(s[i]))
        ++i;
    while (end > i && IsBlank(s[end - 1]))
        --end;
    bool negative = false;
    if (i < end && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < end && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < end && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= end)
        return false;
    uint64_t magnitude = 0;
    const auto [ptr, ec] = std::from_chars(s.data() + i, s.data() + end, magnitude, base);
    if (ec != std::errc() || ptr != s.data() + end)
        return false;
    if (base == 16 && !negative) {
        // Hexadecimal may spell a negative number by its bit pattern ($FFFFFFFFFFFFFFFF).
        value = static_cast<int64_t>(magnitude);
        return true;
    }
    const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1 : uint64_t(std::numeric_limits<int64_t>::max());
    if (magnitude > limit)
        return false;
    value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    return true;
}

bool TryStrToInt(const std::string& s, int& value) {
    int64_t v = 0;
    if (!TryStrToInt64(s, v))
        return false;
    const bool hex = s.find_first_of("$xX") != std::string::npos;
    if (hex && v >= 0 && v <= 0xFFFFFFFFLL) {
        value = static_cast<int32_t>(static_cast<uint32_t>(v));  // $FFFFFFFF is -1, as for 32-bit integers
        return true;
    }
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(v);
    return true;
}

int64_t StrToInt64(const std::string& s) {
    int64_t v = 0;
    if (!TryStrToInt64(s, v))
        throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int StrToInt(const std::string& s) {
    int v = 0;
    if (!TryStrToInt(s, v))
        throw EConvertError("'" + s + "' is not a valid integer value");
    return v;
}

int StrToIntDef(const std::string& s, int def) {
    int v = 0;
    return TryStrToInt(s, v) ? v : def;
}

int64_t StrToInt64Def(const std::string& s, int64_t def) {
    int64_t v = 0;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToFloat(const std::string& s, double& value) {
    size_t i = 0, end = s.size();
    while (i < end && IsBlank(s[i]))
        ++i;
    while (end > i && IsBlank(s[end - 1]))
        --end;
    if (i < end && s[i] == '+')
        ++i;
    if (i >= end)
        return false;
    // Only digits, one sign, "." and an exponent: no "inf", "nan" or hexadecimal.
    for (size_t k = i; k < end; ++k) {
        const char c = s[k];
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+'))
            return false;
    }
    double v = 0;
    const auto [ptr, ec] = std::from_chars(s.data() + i, s.data() + end, v, std::chars_format::general);
    if (ec != std::errc() || ptr != s.data() + end || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

double StrToFloat(const std::string& s) {
    double v = 0;
    if (!TryStrToFloat(s, v))
        throw EConvertError("'" + s + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(const std::string& s, double def) {
    double v = 0;
    return TryStrToFloat(s, v) ? v : def;
}

std::string FloatToStr(double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    constexpr int precision = 15;
    char buf[64];
    {
        TCLocaleScope cLocale;
        std::snprintf(buf, sizeof buf, "%.*e", precision - 1, value);
    }
    // buf: [-]d.dddddddddddddde[+-]xx
    std::string text = buf;
    const bool negative = text[0] == '-';
    if (negative)
        text.erase(0, 1);
    const size_t ePos = text.find('e');
    const int exponent = std::atoi(text.c_str() + ePos + 1);
    std::string digits = text.substr(0, 1) + text.substr(2, ePos - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string result;
    if (exponent >= precision || exponent < -4) {
        result = digits.substr(0, 1);
        if (digits.size() > 1)
            result += "." + digits.substr(1);
        result += "E" + std::to_string(exponent);
    } else if (exponent < 0) {
        result = "0." + std::string(-exponent - 1, '0') + digits;
    } else {
        const size_t intDigits = exponent + 1;
        if (digits.size() <= intDigits)
            result = digits + std::string(intDigits - digits.size(), '0');
        else
            result = digits.substr(0, intDigits) + "." + digits.substr(intDigits);
    }
    return negative ? "-" + result : result;
}

bool StrToBool(const std::string& s) {
    const std::string t = Trim(s);
    if (SameText(t, "true"))
        return true;
    if (SameText(t, "false"))
        return false;
    int64_t v = 0;
    if (TryStrToInt64(t, v))
        return v != 0;
    throw EConvertError("'" + s + "' is not a valid boolean value");
}

std::string BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs)
        return value ? "True" : "False";
    return value ? "-1" : "0";
}

int64_t BankersRound(double value) {
    const double floor = std::floor(value);
    const double diff = value - floor;
    double r;
    if (diff > 0.5)
        r = floor + 1;
    else if (diff < 0.5)
        r = floor;
    else
        r = std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
    return static_cast<int64_t>(r);
}

std::string TrimLeft(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

std::string TrimRight(const std::string& s) {
    size_t end = s.size();
    while (end > 0 && IsBlank(s[end - 1]))
        --end;
    return s.substr(0, end);
}

std::string Trim(const std::string& s) {
    return TrimLeft(TrimRight(s));
}

std::string UpperCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        c = AsciiUpper(c);
    return r;
}

std::string LowerCase(const std::string& s) {
    std::string r = s;
    for (char& c : r)
        c = AsciiLower(c);
    return r;
}

int CompareStr(std::string_view a, std::string_view b) {
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareText(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
        const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareText(a, b) == 0;
}

int Pos(std::string_view sub, std::string_view s, int offset) {
    if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > s.size())
        return 0;
    const size_t p = s.find(sub, offset - 1);
    return p == std::string_view::npos ? 0 : static_cast<int>(p) + 1;
}

std::string Copy(const std::string& s, int index, int count) {
    if (index < 1)
        index = 1;
    if (count <= 0 || static_cast<size_t>(index) > s.size())
        return {};
    return s.substr(index - 1, count);
}

std::string StringReplace(const std::string& s, const std::string& oldPattern, const std::string& newPattern,
                          TReplaceFlags flags) {
    if (oldPattern.empty())
        return s;
    const bool ignoreCase = flags.Contains(rfIgnoreCase);
    const std::string haystack = ignoreCase ? LowerCase(s) : s;
    const std::string needle = ignoreCase ? LowerCase(oldPattern) : oldPattern;
    std::string out;
    size_t from = 0;
    while (true) {
        const size_t p = haystack.find(needle, from);
        if (p == std::string::npos)
            break;
        out.append(s, from, p - from);
        out += newPattern;
        from = p + needle.size();
        if (!flags.Contains(rfReplaceAll))
            break;
    }
    out.append(s, from, std::string::npos);
    return out;
}

std::string AnsiQuotedStr(const std::string& s, char quote) {
    std::string r(1, quote);
    for (char c : s) {
        r += c;
        if (c == quote)
            r += quote;
    }
    r += quote;
    return r;
}

std::string QuotedStr(const std::string& s) {
    return AnsiQuotedStr(s, '\'');
}

std::string AnsiExtractQuotedStr(std::string_view s, size_t& pos, char quote) {
    std::string r;
    if (pos >= s.size() || s[pos] != quote)
        return r;
    ++pos;
    while (pos < s.size()) {
        if (s[pos] == quote) {
            if (pos + 1 < s.size() && s[pos + 1] == quote) {
                r += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return r;
        }
        r += s[pos++];
    }
    return r;
}

namespace {

std::atomic<uint32_t> GRandSeed{0};

uint32_t NextRandom() {
    uint32_t seed = GRandSeed.load(std::memory_order_relaxed);
    uint32_t next;
    do {
        next = seed * 0x08088405u + 1;
    } while (!GRandSeed.compare_exchange_weak(seed, next, std::memory_order_relaxed));
    return next;
}

}  // namespace

int Random(int n) {
    if (n <= 0)
        return 0;
    return static_cast<int>((static_cast<uint64_t>(NextRandom()) * static_cast<uint64_t>(n)) >> 32);
}

double Random() {
    return NextRandom() / 4294967296.0;
}

void Randomize() {
    GRandSeed = static_cast<uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

uint32_t RandSeed() {
    return GRandSeed;
}

void SetRandSeed(uint32_t seed) {
    GRandSeed = seed;
}

std::string SysErrorMessage(int errorCode) {
    char buf[256];
    // GNU strerror_r returns the text, which may or may not live in buf.
    return strerror_r(errorCode, buf, sizeof buf);
}

std::string GetEnvironmentVariable(const std::string& name) {
    const char* v = std::getenv(name.c_str());
    return v ? v : "";
}
