#pragma once
// A spin edit for a time of day, stepped and typed over field by field: "hh:mm" or
// "hh:mm:ss" in 24-hour form, or with a 12-hour hour and the morning or afternoon
// marker after a blank. The separator and the markers are the locale's.
//
// Character places of the text (the markers are two characters long):
//   0-1 hour   2 separator   3-4 minute   5 separator   6-7 second   8 blank   9-10 marker
//   without seconds:                      5 blank       6-7 marker
#include "inspector/rmSpinEdit.h"
#include "platform/DateTime.h"
#include "platform/LocaleFormats.h"

#include <string_view>

enum TrmTimeDisplay : uint8_t { td24Hour, td12Hour };

class TrmTimeSpinEdit : public TrmRangeSpinEdit<TDateTime> {
public:
    // Value, MinValue and MaxValue all start at noon.
    TrmTimeSpinEdit();
    const char* ClassName() const override { return "TrmTimeSpinEdit"; }

    TrmTimeDisplay TimeDisplay() const { return FTimeDisplay; }
    void SetTimeDisplay(TrmTimeDisplay Value);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool Value);
    int32_t Hour() const { return FHour; }
    int32_t Minute() const { return FMinute; }
    int32_t Second() const { return FSecond; }

    // Takes the time of day of NewValue, without a range check, and rebuilds the text.
    // Raises EConvertError for a value that is not a finite number.
    void SetValue(TDateTime NewValue) override;

protected:
    // The hour, minute and second as a day fraction.
    TDateTime GetValue() override;
    // Typing over the field under the caret: the key is valid when the text with it in
    // place still reads as a time, and then replaces the character under the caret.
    bool IsValidChar(char32_t& Key) override;
    // The field under the caret steps, wrapping within itself (no carry into the next
    // field), and is selected.
    void IncValue() override;
    void DecValue() override;
    // Delete is ignored: the text is typed over, never shortened.
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void UpdateText();
    // The locale's formats as the platform reports them.
    virtual platform::LocaleFormats PlatformFormats() const { return platform::CurrentLocaleFormats(); }

private:
    // PlatformFormats with a separator that fits the text's one separator place: one the
    // locale does not write as a single ASCII character (as Japanese, Chinese and Korean
    // write hours and minutes) gives way to ":", as their numeric time forms write it.
    platform::LocaleFormats TimeFormats() const;
    enum class TimeField : uint8_t { None, Hour, Minute, Second, Marker };
    // The field that stepping at caret place Position changes.
    TimeField FieldAt(int32_t Position) const;
    int32_t MarkerStart() const { return FShowSeconds ? 9 : 6; }
    void Step(int32_t Direction);
    void SelectField(TimeField Field);
    // The key a place of the text takes (Key, or the marker letter it stands for), or 0.
    char32_t KeyForPlace(int32_t Position, char32_t Key, const platform::LocaleFormats& Formats) const;
    void TakeTime(TDateTime Time);

    TrmTimeDisplay FTimeDisplay = td24Hour;
    int8_t FHour = 12; // 0-23
    int8_t FMinute = 0;
    int8_t FSecond = 0;
    bool FShowSeconds = false;
};

// Reads "h:m", "h:m:s" (one or two digits each, Separator between them), optionally
// followed by one blank and the AM or PM marker of Formats (any letter case), as a time
// of day. False for any other text or a time that does not exist.
bool TryReadTimeOfDay(std::u32string_view Text, const platform::LocaleFormats& Formats, TDateTime& Time);
