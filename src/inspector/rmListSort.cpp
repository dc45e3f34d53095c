#include "inspector/rmListSort.h"

#include "platform/AsciiText.h"
#include "platform/DateText.h"
#include "platform/DateTime.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

template <class T>
int32_t CompareValues(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

std::optional<int64_t> ToInteger(std::string_view text)
{
    text = platform::TrimBlanks(text);
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> ToFloat(std::string_view text)
{
    const std::string copy(platform::TrimBlanks(text));
    char* end = nullptr;
    const double value = std::strtod(copy.c_str(), &end);
    if (copy.empty() || end != copy.c_str() + copy.size())
        return std::nullopt;
    return value;
}

// A date as the program writes it (the short date format) or as an ISO date.
std::optional<double> ToDate(std::string_view text)
{
    TDateTime date = 0;
    if (platform::TryStrToDate(text, date))
        return date;
    const std::string copy(platform::TrimBlanks(text));
    int year = 0, month = 0, day = 0, used = 0;
    if (std::sscanf(copy.c_str(), "%4d-%2d-%2d%n", &year, &month, &day, &used) != 3 || size_t(used) != copy.size() ||
        !platform::TryEncodeDate(year, month, day, date))
        return std::nullopt;
    return date;
}

std::string_view SubItem(const TListItemTexts& item, int32_t column)
{
    return column >= 0 && size_t(column) < item.SubItems.size() ? std::string_view(item.SubItems[size_t(column)])
                                                                : std::string_view();
}

template <class Convert>
int32_t CompareConverted(const TListItemTexts& item1, const TListItemTexts& item2, int32_t data, Convert convert)
{
    bool ascending = false;
    int32_t column = 0;
    DecodeSortData(data, ascending, column);
    const auto a = convert(SubItem(item1, column));
    const auto b = convert(SubItem(item2, column));
    int32_t result;
    if (!a || !b)
        result = a ? 1 : (b ? -1 : 0);
    else
        result = CompareValues(*a, *b);
    return ascending ? result : -result;
}

} // namespace

int32_t EncodeSortData(bool Ascending, int32_t Column)
{
    return Column * 2 + (Ascending ? 1 : 0);
}

void DecodeSortData(int32_t Data, bool& Ascending, int32_t& Column)
{
    Ascending = (Data & 1) != 0;
    Column = Data >> 1;
}

int32_t CaptionStringSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, bool Ascending)
{
    const int32_t result = platform::CompareTextIgnoringAsciiCase(Item1.Caption, Item2.Caption);
    return Ascending ? result : -result;
}

int32_t StringSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data)
{
    bool ascending = false;
    int32_t column = 0;
    DecodeSortData(Data, ascending, column);
    const int32_t result = platform::CompareTextIgnoringAsciiCase(SubItem(Item1, column), SubItem(Item2, column));
    return ascending ? result : -result;
}

int32_t IntegerSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data)
{
    return CompareConverted(Item1, Item2, Data, ToInteger);
}

int32_t FloatSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data)
{
    return CompareConverted(Item1, Item2, Data, ToFloat);
}

int32_t DateSortProc(const TListItemTexts& Item1, const TListItemTexts& Item2, int32_t Data)
{
    return CompareConverted(Item1, Item2, Data, ToDate);
}
