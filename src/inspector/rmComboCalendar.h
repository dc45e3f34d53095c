#pragma once
// A read-only button edit that shows a date as text and drops a calendar down from its
// button (or Alt+Down, or F4) to pick another. While the calendar is down, the edit keeps
// the focus and passes its keys on to it.
#include "inspector/rmBtnEdit.h"
#include "inspector/rmScreenCalendar.h"

#include <memory>
#include <string>

class TrmCustomComboCalendar : public TrmCustomBtnEdit {
public:
    // Today's date as "mm/dd/yyyy", a drop-down 180 pixels wide.
    TrmCustomComboCalendar();
    ~TrmCustomComboCalendar() override;
    const char* ClassName() const override { return "TrmCustomComboCalendar"; }

    TDateTime SelectedDate() const { return GetDate(); }
    TDateTime GetDate() const { return FSelectedDate; }
    // Stores the date cut to whole days and shows it in DateFormat.
    void SetDate(TDateTime Value);
    void SetSelectedDate(TDateTime Value) { SetDate(Value); }
    const std::string& DateFormat() const { return FDateFormat; }
    // An empty format gives "mm/dd/yyyy"; the date is written again.
    void SetDateFormat(const std::string& Value);
    int32_t DropDownWidth() const { return FDropDownWidth; }
    // Widths below 180 are ignored.
    void SetDropDownWidth(int32_t Value);
    TrmScreenCalendar& GetCalendar() { return *FCalendar; }
    const TrmScreenCalendar& GetCalendar() const { return *FCalendar; }

    // Drops the calendar down below the edit (above it where the screen ends), showing
    // the edit's date; closes it when it is down.
    void ToggleCalendar();

protected:
    // Alt+Down and F4 drop the calendar down; while it is down, keys go to it first.
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyUp(platform::KeyCode& Key, platform::ShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    // Leaving the edit closes the calendar.
    void DoExit() override;
    // The calendar picked a date: it becomes the edit's and the calendar closes.
    void SetSelectDate();

private:
    bool CalendarDown() const { return FCalendar->Visible(); }

    std::string FDateFormat;
    TDateTime FSelectedDate = 0;
    int32_t FDropDownWidth;
    std::unique_ptr<TrmScreenCalendar> FCalendar;
};

class TrmComboCalendar : public TrmCustomComboCalendar {
public:
    const char* ClassName() const override { return "TrmComboCalendar"; }
};
