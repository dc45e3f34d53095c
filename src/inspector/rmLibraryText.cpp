#include "inspector/rmLibraryText.h"

#include "platform/Exception.h"
#include "platform/AsciiText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

// Fixed notation as the classic float formatting gives it: at most Precision significant
// digits, then Digits decimals (padded with zeros); scientific when the integer part alone
// has more than Precision digits.
std::string FormatFixed(double value, int precision, int digits)
{
    const double magnitude = std::fabs(value);
    const int intDigits = magnitude < 1 ? 1 : int(std::floor(std::log10(magnitude))) + 1;
    char text[64];
    if (intDigits > precision) {
        std::snprintf(text, sizeof(text), "%.*E", precision - 1, value);
        return text;
    }
    const int decimals = std::min(digits, precision - intDigits);
    std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    std::string result = text;
    if (digits > decimals) {
        if (decimals == 0)
            result += '.';
        result.append(size_t(digits - decimals), '0');
    }
    return result;
}

std::string WithThousands(int64_t n)
{
    const std::string digits = std::to_string(n < 0 ? -static_cast<uint64_t>(n) : uint64_t(n));
    std::string result = n < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += ',';
        result += digits[i];
    }
    return result;
}

bool ParseInt(std::string_view text, int32_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

} // namespace

std::string BoolToStr(bool B)
{
    return B ? "True" : "False";
}

bool StrToBool(std::string_view S)
{
    const std::string_view t = platform::TrimBlanks(S);
    if (t.size() != 4)
        return false;
    return platform::LowerAscii(t) == "true";
}

char strtochar(std::string_view S)
{
    const std::string_view t = platform::TrimBlanks(S);
    // "#" alone is the character itself, as chartostr writes it.
    if (t.size() > 1 && t.front() == '#') {
        int32_t code = -1;
        if (!ParseInt(t.substr(1), code) || code < 0 || code > 255)
            throw EConvertError("Value must be between 0 and 255");
        return char(code);
    }
    if (t.size() != 1)
        throw EConvertError("Invalid property value");
    return t.front();
}

std::string chartostr(char C)
{
    const auto code = static_cast<unsigned char>(C);
    if (code >= 33)
        return std::string(1, C);
    return "#" + std::to_string(code);
}

std::string SizeInt(int64_t Bytes)
{
    constexpr int64_t kK = 1024, kM = kK * 1024, kG = kM * 1024;
    if (Bytes < 0)
        return WithThousands(Bytes);
    if (Bytes < kK)
        return FormatFixed(double(Bytes), 5, 0);
    if (Bytes < kM)
        return FormatFixed(double(Bytes) / double(kK), 5, 0) + " K";
    if (Bytes < kG)
        return FormatFixed(double(Bytes) / double(kM), 5, 1) + " M";
    return FormatFixed(double(Bytes) / double(kG), 5, 2) + " G";
}

int32_t DateToInt(TDateTime D)
{
    int32_t year = 0, month = 0, day = 0;
    platform::DecodeDate(D, year, month, day);
    return year * 10000 + month * 100 + day;
}

TDateTime IntToDate(int32_t I)
{
    const std::string text = std::to_string(I);
    int32_t year = 0, month = 0, day = 0;
    TDateTime date = 0;
    if (text.size() != 8 || !ParseInt(std::string_view(text).substr(0, 4), year) ||
        !ParseInt(std::string_view(text).substr(4, 2), month) || !ParseInt(std::string_view(text).substr(6, 2), day) ||
        !platform::TryEncodeDate(year, month, day, date))
        throw EConvertError(text + " is not a date written as YYYYMMDD");
    return date;
}

std::string rmDateTimeToStr(TDateTime D)
{
    int32_t year, month, day, hour, minute, second, millisecond;
    platform::DecodeDate(D, year, month, day);
    platform::DecodeTime(D, hour, minute, second, millisecond);
    std::string text;
    for (const int32_t part : {year, month, day, hour, minute, second, millisecond})
        text += std::to_string(part);
    return text;
}

std::string LeadingZero(int64_t N, int32_t Width)
{
    std::string text = std::to_string(N);
    if (int64_t(text.size()) < Width)
        text.insert(0, size_t(Width) - text.size(), '0');
    return text;
}

std::string PadLeft(std::string_view S, int32_t Width)
{
    std::string text(S);
    if (int64_t(text.size()) < Width)
        text.insert(0, size_t(Width) - text.size(), ' ');
    return text;
}

std::string PadRight(std::string_view S, int32_t Width)
{
    std::string text(S);
    if (int64_t(text.size()) < Width)
        text.append(size_t(Width) - text.size(), ' ');
    return text;
}

std::string StripString(std::string_view S, std::string_view Set, char Ch)
{
    std::string text(S);
    for (char& c : text)
        if (Set.find(c) != std::string_view::npos)
            c = Ch;
    return text;
}

int32_t CountSections(std::string_view S, char Sep)
{
    if (S.empty())
        return 0;
    const auto separators = int32_t(std::count(S.begin(), S.end(), Sep));
    return S.back() == Sep ? separators : separators + 1;
}

std::string ParseSection(std::string_view S, int32_t Index, char Sep)
{
    if (Index < 1)
        return {};
    size_t start = 0;
    for (int32_t section = 1; section < Index; ++section) {
        const size_t sep = S.find(Sep, start);
        if (sep == std::string_view::npos)
            return {};
        start = sep + 1;
    }
    const size_t end = S.find(Sep, start);
    return std::string(S.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

bool MaskStrCmp(std::string_view Mask, std::string_view S)
{
    size_t m = 0, s = 0;
    while (m < Mask.size()) {
        const char c = Mask[m];
        if (c == '*') {
            while (m < Mask.size() && Mask[m] == '*')
                ++m;
            if (m == Mask.size())
                return true;
            s = S.find(Mask[m], s);
            if (s == std::string_view::npos)
                return false;
            continue;
        }
        if (s == S.size() || (c != '?' && c != S[s]))
            return false;
        ++m;
        ++s;
    }
    return s == S.size();
}

std::string Soundex(std::string_view S, bool KeepFirst, int32_t Length)
{
    // The digit of each letter A to Z; "0" letters are left out.
    static constexpr std::string_view kCodes = "01230120022455012623010202";
    std::string letters;
    for (const char c : platform::TrimBlanks(S)) {
        const char upper = platform::UpperAscii(c);
        if (upper >= 'A' && upper <= 'Z')
            letters += upper;
    }
    if (letters.empty())
        return {};
    if (letters.size() > 1 && letters.compare(0, 2, "PH") == 0)
        letters.replace(0, 2, "FA");
    std::string result;
    char previous = 0;
    size_t next = 0;
    if (KeepFirst) {
        result += letters[0];
        previous = letters[0];
        next = 1;
    }
    // Length counts the digits; a kept first letter comes on top of them.
    int64_t digits = 0;
    for (; next < letters.size() && digits < Length; ++next) {
        const char letter = letters[next];
        if (letter != previous) {
            const char code = kCodes[size_t(letter - 'A')];
            if (code != '0') {
                result += code;
                ++digits;
            }
        }
        previous = letter;
    }
    if (int64_t(result.size()) < Length)
        result.append(size_t(Length) - result.size(), '0');
    return result;
}

std::string PathEllipsis(std::string_view Path, int32_t MaxLen, bool WithName)
{
    constexpr std::string_view kSeparators = "\\/:";
    const size_t lastSep = Path.find_last_of(kSeparators);
    const size_t nameStart = lastSep == std::string_view::npos ? 0 : lastSep + 1;
    std::string tail;
    if (WithName) {
        // The file name keeps the separator that stood before it.
        const char sep = lastSep != std::string_view::npos && Path[lastSep] != ':' ? Path[lastSep] : '\\';
        tail = sep + std::string(Path.substr(nameStart));
    }
    std::string head(Path.substr(0, nameStart));
    while (!head.empty() && int64_t(head.size() + tail.size() + 3) > MaxLen)
        head.pop_back();
    const size_t keep = head.find_last_of(kSeparators);
    head.resize(keep == std::string::npos ? 0 : keep + 1);
    return head + "..." + tail;
}

bool FindCmdLineSwitchWithParam(std::span<const std::string> Args, std::string_view Switch, std::string_view Chars,
                                bool IgnoreCase, std::string& Param)
{
    Param.clear();
    for (const std::string& arg : Args) {
        if (arg.empty() || (!Chars.empty() && Chars.find(arg[0]) == std::string_view::npos))
            continue;
        const std::string_view name = std::string_view(arg).substr(1, Switch.size());
        if (name.size() != Switch.size())
            continue;
        const bool same = std::equal(name.begin(), name.end(), Switch.begin(), [IgnoreCase](char a, char b) {
            return IgnoreCase ? platform::LowerAscii(a) == platform::LowerAscii(b) : a == b;
        });
        if (same) {
            Param = arg.substr(1 + Switch.size());
            return true;
        }
    }
    return false;
}

int32_t StrToInt(std::string_view S)
{
    size_t i = 0;
    while (i < S.size() && S[i] == ' ')
        ++i;
    const bool negative = i < S.size() && S[i] == '-';
    if (i < S.size() && (S[i] == '-' || S[i] == '+'))
        ++i;
    int64_t value = 0;
    const size_t firstDigit = i;
    for (; i < S.size() && S[i] >= '0' && S[i] <= '9'; ++i) {
        value = value * 10 + (S[i] - '0');
        if (value > int64_t(INT32_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (i == firstDigit || i != S.size() || value > INT32_MAX || value < INT32_MIN)
        throw EConvertError("'" + std::string(S) + "' is not a valid integer value");
    return int32_t(value);
}
