#pragma once
// Dates and times as one number: whole days since 1899-12-30 00:00, the fraction being
// the time of day. The calendar is the proleptic Gregorian one, years 1 to 9999.
#include <cstdint>
#include <string>
#include <string_view>

using TDateTime = double;

namespace platform {

bool IsLeapYear(int32_t year);
// 0 for a month outside 1..12.
int32_t DaysInMonth(int32_t year, int32_t month);

// False for a day that does not exist (or a year outside 1..9999).
bool TryEncodeDate(int32_t year, int32_t month, int32_t day, TDateTime& date);
// Raises EConvertError for a day that does not exist.
TDateTime EncodeDate(int32_t year, int32_t month, int32_t day);
void DecodeDate(TDateTime date, int32_t& year, int32_t& month, int32_t& day);
// 1 = Sunday .. 7 = Saturday, of the date's whole day.
int32_t DayOfWeek(TDateTime date);
// Today's date in local time, as whole days.
TDateTime Today();

// The date written by a pattern, letters in any case: d, dd (day, with leading zero),
// ddd, dddd (short and long day name), m, mm (month), mmm, mmmm (short and long month
// name), yy (two digits) and yyyy (four digits); text in single or double quotes stands
// as it is, and so does every other character. English names.
std::string FormatDate(std::string_view format, TDateTime date);

// Raises EConvertError unless hour < 24, minute < 60, second < 60 and millisecond < 1000.
TDateTime EncodeTime(int32_t hour, int32_t minute, int32_t second, int32_t millisecond);
void DecodeTime(TDateTime time, int32_t& hour, int32_t& minute, int32_t& second, int32_t& millisecond);

} // namespace platform
