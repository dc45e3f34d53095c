#pragma once
// Conversions between values and texts, and small text routines shared by the controls.
// Texts are single-byte strings; every comparison is on bytes, ASCII case rules only.
#include "platform/DateTime.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// "True" or "False".
std::string BoolToStr(bool B);

// S as a decimal integer: leading blanks, an optional sign and at least one digit, within
// the 32-bit range. Anything else raises EConvertError "'S' is not a valid integer value".
int32_t StrToInt(std::string_view S);
// True exactly when S, trimmed and lower-cased, is "true"; any other text is false.
bool StrToBool(std::string_view S);

// A one-character text is that character; "#n" is the character with code n (0..255).
// Raises EConvertError otherwise.
char strtochar(std::string_view S);
// The character itself from code 33 on; below that "#" and the decimal code.
std::string chartostr(char C);

// A byte count for people: "512", "12 K", "3.5 M", "1.25 G".
std::string SizeInt(int64_t Bytes);

// year * 10000 + month * 100 + day.
int32_t DateToInt(TDateTime D);
// The reverse of DateToInt; raises EConvertError unless I is eight digits naming a real day.
TDateTime IntToDate(int32_t I);
// Year, month, day, hour, minute, second and millisecond in plain decimal, run together.
std::string rmDateTimeToStr(TDateTime D);

// The decimal text of N with "0" in front until it is Width long.
std::string LeadingZero(int64_t N, int32_t Width);
// S with blanks before / after until it is Width long; never shortened.
std::string PadLeft(std::string_view S, int32_t Width);
std::string PadRight(std::string_view S, int32_t Width);
// S with every character that is in Set replaced by Ch.
std::string StripString(std::string_view S, std::string_view Set, char Ch);

// The number of Sep-separated sections of S; a trailing section without a separator
// counts, an empty text has none.
int32_t CountSections(std::string_view S, char Sep);
// The Index-th section (from 1) of S; empty past the end and below 1.
std::string ParseSection(std::string_view S, int32_t Index, char Sep);

// Wildcard match without backtracking: "?" is any one character, "*" takes the text up
// to the first occurrence of the mask's next character (or all of it at the mask's end).
bool MaskStrCmp(std::string_view Mask, std::string_view S);

// The sound code of a name: letters only, similar sounds one digit, at most Length
// digits after the kept first letter, padded with "0" to Length characters.
std::string Soundex(std::string_view S, bool KeepFirst, int32_t Length);

// A folder-and-file path shortened to about MaxLen characters with "..." in place of
// the inner folders; the separators are "\", "/" and ":".
std::string PathEllipsis(std::string_view Path, int32_t MaxLen, bool WithName);

// Looks through Args for an argument whose characters from the second on start with
// Switch (any case when IgnoreCase) and whose first character is in Chars (any
// character when Chars is empty); Param receives the rest of that argument.
bool FindCmdLineSwitchWithParam(std::span<const std::string> Args, std::string_view Switch, std::string_view Chars,
                                bool IgnoreCase, std::string& Param);
