#pragma once
// The names and lengths the calendar shows. Each table wraps one step past both ends
// (December before January, January after December, Saturday before Sunday and Sunday
// after Saturday), so that the neighbours of the first and last entries need no special case.
#include <array>
#include <cstdint>
#include <string_view>

// Index 1..12 is January..December; 0 is December and 13 January.
inline constexpr std::array<std::string_view, 14> MonthNames = {
    "December", "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December", "January"};

// Index 1..7 is Sunday..Saturday; 0 is Saturday and 8 Sunday.
inline constexpr std::array<std::string_view, 9> DayNames = {"Sat", "Sun", "Mon", "Tue", "Wed",
                                                             "Thu", "Fri", "Sat", "Sun"};

// In the order of MonthNames; February has 28 days here and gains one in a leap year
// wherever a length is used.
inline constexpr std::array<int32_t, 14> MonthLengths = {31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31, 31};
