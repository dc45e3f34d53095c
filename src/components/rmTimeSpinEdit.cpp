#include "components/rmTimeSpinEdit.h"

#include "inspector/rmLibraryText.h"
#include "platform/Exception.h"
#include "platform/Utf8.h"

#include <cmath>

namespace {

char32_t UpperAscii(char32_t C)
{
    return C >= U'a' && C <= U'z' ? C - U'a' + U'A' : C;
}

bool IsDigit(char32_t C)
{
    return C >= U'0' && C <= U'9';
}

bool SameIgnoringCase(std::u32string_view A, std::u32string_view B)
{
    if (A.size() != B.size())
        return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (UpperAscii(A[i]) != UpperAscii(B[i]))
            return false;
    return true;
}

// One or two digits at Text[At]; At moves past them.
bool ReadTwoDigits(std::u32string_view Text, size_t& At, int32_t& Value)
{
    const size_t start = At;
    Value = 0;
    while (At < Text.size() && At - start < 2 && IsDigit(Text[At]))
        Value = Value * 10 + int32_t(Text[At++] - U'0');
    return At > start;
}

// The hour as a 12-hour clock shows it.
int32_t TwelveHour(int32_t Hour)
{
    return Hour % 12 == 0 ? 12 : Hour % 12;
}

} // namespace

bool TryReadTimeOfDay(std::u32string_view Text, const platform::LocaleFormats& Formats, TDateTime& Time)
{
    const char32_t separator = char32_t(uint8_t(Formats.TimeSeparator));
    size_t at = 0;
    int32_t hour = 0, minute = 0, second = 0;
    if (!ReadTwoDigits(Text, at, hour) || at >= Text.size() || Text[at++] != separator ||
        !ReadTwoDigits(Text, at, minute))
        return false;
    if (at < Text.size() && Text[at] == separator && !ReadTwoDigits(Text, ++at, second))
        return false;
    if (at < Text.size()) {
        if (Text[at] != U' ' || hour > 12)
            return false;
        const std::u32string_view marker = Text.substr(at + 1);
        if (SameIgnoringCase(marker, platform::Utf8ToCodePoints(Formats.TimeAMString)))
            hour %= 12;
        else if (SameIgnoringCase(marker, platform::Utf8ToCodePoints(Formats.TimePMString)))
            hour = hour % 12 + 12;
        else
            return false;
    }
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    Time = platform::EncodeTime(hour, minute, second, 0);
    return true;
}

TrmTimeSpinEdit::TrmTimeSpinEdit()
{
    const TDateTime noon = platform::EncodeTime(12, 0, 0, 0);
    SetMaxValue(noon);
    SetMinValue(noon);
    UpdateText();
}

void TrmTimeSpinEdit::SetTimeDisplay(TrmTimeDisplay Value)
{
    if (Value == FTimeDisplay)
        return;
    FTimeDisplay = Value;
    UpdateText();
}

void TrmTimeSpinEdit::SetShowSeconds(bool Value)
{
    FShowSeconds = Value;
    UpdateText();
}

TDateTime TrmTimeSpinEdit::GetValue()
{
    return platform::EncodeTime(FHour, FMinute, FSecond, 0);
}

void TrmTimeSpinEdit::TakeTime(TDateTime Time)
{
    int32_t hour = 0, minute = 0, second = 0, millisecond = 0;
    platform::DecodeTime(Time, hour, minute, second, millisecond);
    FHour = int8_t(hour);
    FMinute = int8_t(minute);
    FSecond = int8_t(second);
}

void TrmTimeSpinEdit::SetValue(TDateTime NewValue)
{
    if (!std::isfinite(NewValue))
        throw EConvertError("The time is not a finite number");
    TakeTime(NewValue);
    UpdateText();
}

platform::LocaleFormats TrmTimeSpinEdit::TimeFormats() const
{
    platform::LocaleFormats formats = PlatformFormats();
    const auto separator = static_cast<unsigned char>(formats.TimeSeparator);
    if (separator <= ' ' || separator >= 0x7F)
        formats.TimeSeparator = ':';
    return formats;
}

void TrmTimeSpinEdit::UpdateText()
{
    const platform::LocaleFormats formats = TimeFormats();
    const bool twelve = FTimeDisplay == td12Hour;
    std::string text = LeadingZero(twelve ? TwelveHour(FHour) : FHour, 2);
    text += formats.TimeSeparator;
    text += LeadingZero(FMinute, 2);
    if (FShowSeconds) {
        text += formats.TimeSeparator;
        text += LeadingZero(FSecond, 2);
    }
    if (twelve)
        text += " " + (FHour < 12 ? formats.TimeAMString : formats.TimePMString);
    SetText(text);
}

TrmTimeSpinEdit::TimeField TrmTimeSpinEdit::FieldAt(int32_t Position) const
{
    const bool twelve = FTimeDisplay == td12Hour;
    if (Position >= 0 && Position <= 2)
        return TimeField::Hour;
    if (Position >= 3 && Position <= 5)
        return TimeField::Minute;
    if (Position >= 6 && Position <= 8)
        return !twelve || FShowSeconds ? TimeField::Second : TimeField::Marker;
    if (Position >= 9 && Position <= 11 && twelve && FShowSeconds)
        return TimeField::Marker;
    return TimeField::None;
}

void TrmTimeSpinEdit::Step(int32_t Direction)
{
    const TimeField field = FieldAt(SelStart());
    int32_t hour = FHour, minute = FMinute, second = FSecond;
    switch (field) {
    case TimeField::None: return;
    case TimeField::Hour:
        if (FTimeDisplay == td12Hour) {
            // Within its half of the day: 11 in the morning steps to 0, shown as 12 AM.
            const int32_t half = hour >= 12 ? 12 : 0;
            hour = half + (hour - half + Direction + 12) % 12;
        } else {
            hour = (hour + Direction + 24) % 24;
        }
        break;
    case TimeField::Minute: minute = (minute + Direction + 60) % 60; break;
    case TimeField::Second: second = (second + Direction + 60) % 60; break;
    case TimeField::Marker: hour = (hour + 12) % 24; break;
    }
    SetValue(CheckValue(platform::EncodeTime(hour, minute, second, 0)));
    SelectField(field);
}

void TrmTimeSpinEdit::SelectField(TimeField Field)
{
    switch (Field) {
    case TimeField::None: return;
    case TimeField::Hour: SetSelStart(0); break;
    case TimeField::Minute: SetSelStart(3); break;
    case TimeField::Second: SetSelStart(6); break;
    case TimeField::Marker:
        SetSelStart(MarkerStart());
        SetSelLength(3);
        return;
    }
    SetSelLength(2);
}

void TrmTimeSpinEdit::IncValue()
{
    Step(+1);
}

void TrmTimeSpinEdit::DecValue()
{
    Step(-1);
}

char32_t TrmTimeSpinEdit::KeyForPlace(int32_t Position, char32_t Key, const platform::LocaleFormats& Formats) const
{
    const bool digitPlace = (Position >= 0 && Position <= 1) || (Position >= 3 && Position <= 4) ||
                            (FShowSeconds && Position >= 6 && Position <= 7);
    if (digitPlace)
        return IsDigit(Key) ? Key : 0;
    const int32_t markerPlace = Position - MarkerStart();
    if (FTimeDisplay != td12Hour || markerPlace < 0 || markerPlace > 1)
        return 0;
    // Either marker's letter at this place, as the marker writes it.
    for (const std::string* marker : {&Formats.TimeAMString, &Formats.TimePMString}) {
        const std::u32string letters = platform::Utf8ToCodePoints(*marker);
        if (size_t(markerPlace) < letters.size() && UpperAscii(letters[size_t(markerPlace)]) == UpperAscii(Key))
            return letters[size_t(markerPlace)];
    }
    return 0;
}

bool TrmTimeSpinEdit::IsValidChar(char32_t& Key)
{
    if (!EditorEnabled() || ReadOnly())
        return false;
    int32_t position = SelStart();
    const bool onSeparator =
        position == 2 || position == 5 || (FTimeDisplay == td12Hour && FShowSeconds && position == 8);
    if (onSeparator)
        SetSelStart(++position);
    const platform::LocaleFormats formats = TimeFormats();
    std::u32string typed = Line().Chars();
    const char32_t placed = KeyForPlace(position, Key, formats);
    if (placed == 0 || size_t(position) >= typed.size())
        return false;
    typed[size_t(position)] = placed;
    TDateTime time = 0;
    if (!TryReadTimeOfDay(typed, formats, time))
        return false;
    Key = placed;
    SetSelLength(1);
    TakeTime(CheckValue(time));
    return true;
}

void TrmTimeSpinEdit::KeyDown(platform::KeyCode& Key, platform::ShiftState Shift)
{
    if (Key == platform::key::Delete) {
        Key = 0;
        return;
    }
    TrmRangeSpinEdit<TDateTime>::KeyDown(Key, Shift);
}
