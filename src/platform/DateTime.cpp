#include "platform/DateTime.h"

#include "platform/Exception.h"

#include <cmath>
#include <ctime>
#include <string>

namespace platform {

namespace {

constexpr int64_t kMillisecondsPerDay = 86'400'000;

// Days from 1970-01-01 to the given civil date (any year; months 1..12).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int32_t& year, int32_t& month, int32_t& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = int32_t(doy - (153 * mp + 2) / 5 + 1);
    month = int32_t(mp < 10 ? mp + 3 : mp - 9);
    year = int32_t(yoe + era * 400 + (month <= 2));
}

const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

} // namespace

bool IsLeapYear(int32_t year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int32_t DaysInMonth(int32_t year, int32_t month)
{
    static constexpr int32_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool TryEncodeDate(int32_t year, int32_t month, int32_t day, TDateTime& date)
{
    if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month))
        return false;
    date = TDateTime(DaysFromCivil(year, month, day) - kEpochDays);
    return true;
}

TDateTime EncodeDate(int32_t year, int32_t month, int32_t day)
{
    TDateTime date = 0;
    if (!TryEncodeDate(year, month, day, date))
        throw EConvertError("Invalid date: year " + std::to_string(year) + ", month " + std::to_string(month) +
                            ", day " + std::to_string(day) + " does not exist");
    return date;
}

void DecodeDate(TDateTime date, int32_t& year, int32_t& month, int32_t& day)
{
    CivilFromDays(int64_t(std::trunc(date)) + kEpochDays, year, month, day);
}

int32_t DayOfWeek(TDateTime date)
{
    // Day 0, 1899-12-30, was a Saturday.
    const int64_t days = int64_t(std::trunc(date));
    return int32_t(((days - 1) % 7 + 7) % 7) + 1;
}

TDateTime Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

namespace {

constexpr const char* kLongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
constexpr const char* kLongMonthNames[12] = {"January", "February", "March", "April", "May", "June",
                                             "July", "August", "September", "October", "November", "December"};

std::string TwoDigits(int32_t value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// One of the names, whole (long) or its first three letters.
std::string Name(const char* name, bool whole)
{
    return whole ? std::string(name) : std::string(name, 3);
}

} // namespace

std::string FormatDate(std::string_view format, TDateTime date)
{
    int32_t year, month, day;
    DecodeDate(date, year, month, day);
    std::string out;
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i];
        const char lower = char(c | 0x20);
        if (c == '\'' || c == '"') {
            const size_t end = format.find(c, i + 1);
            const size_t stop = end == std::string_view::npos ? format.size() : end;
            out.append(format.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        if (lower != 'd' && lower != 'm' && lower != 'y') {
            out += c;
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < format.size() && char(format[i + run] | 0x20) == lower)
            ++run;
        i += run;
        if (lower == 'd') {
            if (run >= 3)
                out += Name(kLongDayNames[DayOfWeek(date) - 1], run >= 4);
            else
                out += run == 2 ? TwoDigits(day) : std::to_string(day);
        } else if (lower == 'm') {
            if (run >= 3)
                out += Name(kLongMonthNames[month - 1], run >= 4);
            else
                out += run == 2 ? TwoDigits(month) : std::to_string(month);
        } else {
            if (run <= 2) {
                out += TwoDigits(year % 100);
            } else {
                const std::string digits = std::to_string(year);
                out += std::string(digits.size() < 4 ? 4 - digits.size() : 0, '0') + digits;
            }
        }
    }
    return out;
}

TDateTime EncodeTime(int32_t hour, int32_t minute, int32_t second, int32_t millisecond)
{
    if (hour < 0 || hour >= 24 || minute < 0 || minute >= 60 || second < 0 || second >= 60 || millisecond < 0 ||
        millisecond >= 1000)
        throw EConvertError("Invalid time: " + std::to_string(hour) + ":" + std::to_string(minute) + ":" +
                            std::to_string(second) + "." + std::to_string(millisecond) + " does not exist");
    return double(((int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond) / double(kMillisecondsPerDay);
}

void DecodeTime(TDateTime time, int32_t& hour, int32_t& minute, int32_t& second, int32_t& millisecond)
{
    const double fraction = std::fabs(time - std::trunc(time));
    int64_t ms = int64_t(std::llround(fraction * double(kMillisecondsPerDay)));
    if (ms >= kMillisecondsPerDay)
        ms = kMillisecondsPerDay - 1;
    millisecond = int32_t(ms % 1000);
    second = int32_t(ms / 1000 % 60);
    minute = int32_t(ms / 60'000 % 60);
    hour = int32_t(ms / 3'600'000);
}

} // namespace platform
