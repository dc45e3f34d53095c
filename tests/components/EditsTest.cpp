// The edits: the decimal and time-of-day spin edits (reading and writing their texts,
// stepping, ranges, rounding, the time fields' wrapping and typing over a time) and the
// button-edit combo box (its list's size and place, picking from it by mouse and keys and
// stepping with the list closed; with the history combo box, the case of its text, its
// selection and what it asks of input methods).
#include "support/CellRasterizer.h"
#include "components/rmFloatSpinEdit.h"
#include "components/rmListControl.h"
#include "components/rmNewComboBox.h"
#include "components/rmTimeSpinEdit.h"
#include "graphics/ControlTestHelpers.h"
#include "inspector/ExpectMessage.h"
#include "graphics/SystemColorNames.h"
#include "inspector/ControlInput.h"
#include "inspector/FakeWindowSystem.h"
#include "inspector/RecordingCanvas.h"
#include "inspector/rmComboBox.h"
#include "platform/Exception.h"
#include "platform/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>

namespace key = platform::key;
namespace shift = platform::shift;
using platform::EncodeTime;

namespace {

// Selects position At (the field under the caret), presses Key and gives the text after.
std::string StepAt(TCustomEdit& edit, int32_t At, platform::KeyCode Key)
{
    edit.SetSelStart(At);
    edit.HostKeyDown(Key, 0);
    return edit.Text();
}

// Types Ch at position At and gives the text after.
std::string TypeAt(TCustomEdit& edit, int32_t At, char32_t Ch)
{
    edit.SetSelStart(At);
    edit.HostKeyPress(Ch);
    return edit.Text();
}

// Once twoMonitors is set: two monitors side by side, the left one shorter.
struct MonitorsWindowSystem : FakeWindowSystem {
    const platform::Rect none, left{0, 0, 800, 600}, right{800, 0, 1824, 768};
    platform::Rect MonitorRect(platform::Point At) override { return !twoMonitors ? none : At.X < 800 ? left : right; }
    bool twoMonitors = false;
};

struct NewComboBox : ::testing::Test {
    void Press(platform::KeyCode k, platform::ShiftState s = 0) { combo.HostKeyDown(k, s); }
    // A press on row Row of the open list, or outside it from row -1 up.
    void PressRow(int32_t Row)
    {
        const int32_t y = Row < 0 ? -5 : 1 + Row * combo.ItemHeight() + 1;
        combo.ListBox().HostMouseDown(platform::MouseButton::Left, shift::Left, Row < 0 ? -5 : 5, y);
    }
    MonitorsWindowSystem ws;
    TrmNewComboBox combo;
    int changed = 0, dropDowns = 0, closeUps = 0;
};

} // namespace

TEST(FloatText, ReadsPlainDecimalsOnlyAndWritesTwoRoundedHalfAwayFromZero)
{
    for (const auto& [text, value] : {std::pair{"0", 0.0}, {" 3.25 ", 3.25}, {"+7", 7}, {"-.5", -0.5}, {"5.", 5},
                                      {"1e3", 1000}, {"2.5E-2", 0.025}})
        EXPECT_EQ(StrToFloat(text, '.'), value) << text;
    EXPECT_EQ(StrToFloat("3,5", ','), 3.5);
    for (const char* bad : {"", " ", "-", ".", "1.2.3", "3,5", "1e", "1e+", "inf", "nan", "0x10", "1 2", "1e999"})
        EXPECT_THROW(StrToFloat(bad, '.'), EConvertError) << bad;
    ExpectThrowWithMessage<EConvertError>([] { StrToFloat("abc", '.'); },
                                          "'abc' is not a valid floating point value");
    for (const auto& [value, text] :
         {std::pair{3.14159, "3.14"}, {-0.5, "-0.50"}, {0, "0.00"}, {2.675, "2.68"}, {0.125, "0.13"}, {-2.675, "-2.68"},
          {9.995, "10.00"}, {99.999, "100.00"}, {-0.004, "0.00"}, {1e20, "100000000000000000000.00"}, {5e-324, "0.00"}})
        EXPECT_EQ(FormatTwoDecimals(value, '.'), text) << value;
    EXPECT_EQ(FormatTwoDecimals(1.5, ','), "1,50");
    EXPECT_EQ(FormatTwoDecimals(DBL_MAX, '.').size(), 309u + 3u);
}

TEST(FloatSpinEdit, ValuesRangesStepsAndTyping)
{
    FakeWindowSystem ws;
    TrmFloatSpinEdit spin;
    EXPECT_EQ(spin.Text(), "0");
    spin.SetValue(3.14159);
    EXPECT_EQ(spin.Text(), "3.14");
    spin.SetIncrement(0.1);
    for (int i = 0; i < 3; ++i)
        StepAt(spin, 0, key::Up);
    EXPECT_EQ(std::pair(spin.Text(), spin.SelLength()), std::pair(std::string("3.44"), 4)); // no drift from tenths
    spin.SetMaxValue(10);
    spin.SetUseRanges(true);
    spin.SetValue(12);
    EXPECT_EQ(spin.Text(), "10.00");
    EXPECT_EQ(std::pair(spin.Button().UpEnabled(), spin.Button().DownEnabled()), std::pair(false, true));
    EXPECT_EQ(StepAt(spin, 0, key::Up), "10.00");
    spin.SetMinValue(11); // above the maximum: ignored
    spin.SetMaxValue(-1); // below the minimum: ignored
    EXPECT_EQ(std::pair(spin.MinValue(), spin.MaxValue()), std::pair(0.0, 10.0));
    spin.SetText("-3");
    spin.HostFocusChanged(true);
    spin.HostFocusChanged(false); // leaving brings it into the range
    EXPECT_EQ(std::tuple(spin.Text(), spin.Button().DownEnabled()), std::tuple("0.00", false));
    spin.SetUseRanges(false);
    spin.SetIncrement(DBL_MAX);
    spin.SetValue(DBL_MAX);
    const std::string before = spin.Text();
    EXPECT_EQ(StepAt(spin, 0, key::Up), before); // would overflow: refused with a beep
    EXPECT_EQ(ws.beeps, 1);
    EXPECT_THROW(spin.SetValue(std::numeric_limits<double>::quiet_NaN()), ERangeError);
    // Typing: a letter is refused with a beep; leaving with no number raises.
    spin.SelectAll();
    for (char32_t ch : std::u32string_view(U"-1x.5"))
        spin.HostKeyPress(ch);
    EXPECT_EQ(std::tuple(spin.Text(), spin.Value(), ws.beeps), std::tuple("-1.5", -1.5, 2));
    spin.SetText("");
    spin.HostFocusChanged(true);
    EXPECT_THROW(spin.HostFocusChanged(false), EConvertError);
    spin.SetText("2");
    spin.SetEditorEnabled(false);
    TypeAt(spin, 1, U'5');
    EXPECT_EQ(TypeAt(spin, 1, 0x08), "2");
}

TEST(TimeSpinEdit, StepsTheFieldUnderTheCaretWrappingWithinItOrStoppingAtTheRange)
{
    TrmTimeSpinEdit time;
    EXPECT_THROW(time.SetValue(std::nan("")), EConvertError);
    time.SetMaxValue(1);
    time.SetValue(EncodeTime(23, 59, 0, 0) + 45000); // the date part is not the edit's
    EXPECT_EQ(StepAt(time, 4, key::Up), "23:00"); // not the next day
    EXPECT_EQ(std::pair(time.SelStart(), time.SelLength()), std::pair(3, 2));
    EXPECT_EQ(StepAt(time, 0, key::Up), "00:00");
    EXPECT_EQ(StepAt(time, 0, key::Down), "23:00");
    time.SetTimeDisplay(td12Hour);
    time.SetValue(EncodeTime(11, 15, 0, 0));
    EXPECT_EQ(StepAt(time, 1, key::Up), "12:15 AM");
    EXPECT_EQ(time.Hour(), 0);
    EXPECT_EQ(StepAt(time, 6, key::Up), "12:15 PM"); // the marker, without seconds
    EXPECT_EQ(time.Hour(), 12);
    EXPECT_EQ(std::pair(time.SelStart(), time.SelLength()), std::pair(6, 2)); // its three places, cut to the text
    StepAt(time, 0, key::Down);
    EXPECT_EQ(time.Hour(), 23); // stays in the afternoon
    time.SetShowSeconds(true);
    EXPECT_EQ(StepAt(time, 10, key::Down), "11:15:00 AM");
    // Within a range, stepping stops at its end and leaving brings the time back into it.
    time.SetTimeDisplay(td24Hour);
    time.SetShowSeconds(false);
    time.SetMaxValue(EncodeTime(18, 0, 0, 0));
    time.SetMinValue(EncodeTime(8, 0, 0, 0));
    time.SetUseRanges(true);
    time.SetValue(EncodeTime(17, 30, 0, 0));
    EXPECT_EQ(StepAt(time, 0, key::Up), "18:00");
    EXPECT_FALSE(time.Button().UpEnabled());
    EXPECT_EQ(StepAt(time, 0, key::Up), "18:00");
    time.SetValue(EncodeTime(20, 0, 0, 0)); // set without a range check
    EXPECT_EQ(time.Text(), "20:00");
    time.HostFocusChanged(true);
    time.HostFocusChanged(false);
    EXPECT_EQ(time.Text(), "18:00");
}

TEST(TimeSpinEdit, TypingOverTheFields)
{
    FakeWindowSystem ws;
    TrmTimeSpinEdit time;
    using Case = std::tuple<int32_t, char32_t, const char*, int32_t>; // place, typed, text after, hour after
    const Case typing[] = {
        {0, U'7', "12:00", 12}, // 72:00: refused
        {1, U'1', "11:00", 11}, {2, U'4', "11:40", 11}, // the separator is skipped
        {3, U'6', "11:40", 11}, {3, U'x', "11:40", 11}, {5, U'1', "11:40", 11}, // past the end
    };
    for (const auto& [at, typed, text, hour] : typing) {
        EXPECT_EQ(TypeAt(time, at, typed), text) << at;
        EXPECT_EQ(time.Hour(), hour) << at;
    }
    EXPECT_EQ(time.Minute(), 40);
    EXPECT_EQ(StepAt(time, 5, key::Delete), "11:40");
    EXPECT_EQ(ws.beeps, 4);
    time.SetTimeDisplay(td12Hour);
    time.SetShowSeconds(true);
    const Case twelveHour[] = {
        {8, U'p', "11:40:00 PM", 23}, // the blank is skipped; either marker's letter is taken
        {10, U'x', "11:40:00 PM", 23}, {0, U'2', "11:40:00 PM", 23}, // 21 o'clock is not on a 12-hour clock
        {0, U'0', "01:40:00 PM", 13},  {9, U'a', "01:40:00 AM", 1},
    };
    for (const auto& [at, typed, text, hour] : twelveHour) {
        EXPECT_EQ(TypeAt(time, at, typed), text) << at;
        EXPECT_EQ(time.Hour(), hour) << at;
    }
    time.SetReadOnly(true);
    TypeAt(time, 0, U'1');
    EXPECT_EQ(time.Hour(), 1);
}

// A locale that writes hours and minutes with characters of several bytes ("12時30分").
class JapaneseTimeEdit : public TrmTimeSpinEdit {
protected:
    platform::LocaleFormats PlatformFormats() const override { return {'.', '\xE6', "午前", "午後"}; }
};

TEST(TimeSpinEdit, ASeparatorOfSeveralBytesGivesWayToTheColon)
{
    FakeWindowSystem ws;
    JapaneseTimeEdit time;
    time.SetTimeDisplay(td12Hour);
    EXPECT_EQ(time.Text(), "12:00 午後");
    TypeAt(time, 1, U'1');
    EXPECT_EQ(TypeAt(time, 3, U'3'), "11:30 午後");
    EXPECT_EQ(std::tuple(time.Hour(), ws.beeps), std::tuple(23, 0));
}

TEST(BorderStyle, ListsAndEditsShareOneSetOfValues)
{
    CellRasterizer rasterizer;
    TrmListControl list;
    TrmFloatSpinEdit spin;
    list.SetBorderStyle(bsSingle);
    spin.SetBorderStyle(list.BorderStyle());
    EXPECT_EQ(spin.BorderStyle(), bsSingle);
}

TEST(TimeText, ReadsTheShapesTheEditWrites)
{
    const platform::LocaleFormats formats;
    const std::pair<const char32_t*, int32_t> cases[] = { // seconds into the day; -1: refused
        {U"12:00", 43200},  {U"7:5", 25500},     {U"23:59:59", 86399}, {U"12:00 am", 0},   {U"12:00 PM", 43200},
        {U"01:02:03 pm", 46923}, {U"24:00", -1}, {U"13:00 PM", -1},    {U"12:60", -1},     {U"12", -1},
        {U"12:", -1},       {U"123:00", -1},     {U"12:00 XM", -1},    {U"12:00  AM", -1}, {U"12:00:", -1},
        {U"12.00", -1}};
    for (const auto& [text, seconds] : cases) {
        TDateTime time = -1;
        const bool read = TryReadTimeOfDay(text, formats, time);
        EXPECT_EQ(read, seconds >= 0) << platform::CodePointsToUtf8(text);
        if (read) {
            EXPECT_EQ(std::lround(time * 86400), seconds) << platform::CodePointsToUtf8(text);
        }
    }
}

TEST_F(NewComboBox, ListIsAsHighAsItsItemsWithinTheEditsMonitorInTheEditsFont)
{
    combo.SetBounds(10, 20, 100, 21);
    combo.SetItemHeight(13);
    for (const auto& [items, height] : {std::pair{3, 3 * 13 + 2}, {20, 8 * 13 + 2}, {0, 13 + 2}}) {
        combo.SetComboItems(std::vector<std::string>(size_t(items), "item"));
        combo.ToggleListBox();
        ASSERT_TRUE(combo.DroppedDown());
        EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, 21, 100, 21 + height})) << items;
        combo.ToggleListBox();
    }
    // The list opens above the edit as soon as it would reach the desktop's bottom: below,
    // it would span 21..88.
    FakeHost host(combo);
    combo.SetDropDownWidth(150);
    combo.SetComboItems(std::vector<std::string>(5, "item"));
    for (const auto& [desktopBottom, listTop] : {std::pair{87, -67}, {88, -67}, {89, 21}}) {
        host.desktop = {0, 0, 800, desktopBottom};
        combo.ToggleListBox();
        EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, listTop, 150, listTop + 67})) << desktopBottom;
        combo.ToggleListBox();
    }
    // The bottom is that of the monitor showing the edit, not of the desktop they make: on
    // the shorter left one the list goes above.
    host.desktop = {0, 0, 1824, 768};
    ws.twoMonitors = true;
    for (const auto& [x, listTop] : {std::pair{0, 550 - 67}, {900, 550 + 21}}) {
        host.origin = {x, 550};
        combo.ToggleListBox();
        EXPECT_EQ(combo.ListBox().BoundsRect().Top, listTop) << x;
        combo.ToggleListBox();
    }
    // The list takes the edit's font at once, and its rows follow it.
    combo.SetItemHeight(0);
    combo.SetFont(platform::FontSpec{.Family = {}, .PointSize = 20});
    EXPECT_EQ(std::pair(combo.ItemHeight(), combo.ListBox().Font().PointSize), std::pair(29, 20));
}

TEST_F(NewComboBox, PickingFromTheListFiresOnChangedOnlyForANewItem)
{
    combo.SetComboItems({"red", "green", "blue"});
    combo.OnChanged = [&](TObject*) { ++changed; };
    combo.OnDropDown = [&](TObject*) { ++dropDowns; };
    combo.OnCloseUp = [&](TObject*) { ++closeUps; };
    Press(key::Down, shift::Alt);
    ASSERT_TRUE(combo.DroppedDown());
    PressRow(1);
    EXPECT_EQ(std::tuple(combo.DroppedDown(), combo.Text(), combo.Modified(), changed),
              std::tuple(false, "green", true, 1));
    combo.SetModified(false);
    Press(key::F4);
    PressRow(1); // the same item again
    EXPECT_EQ(std::pair(combo.Modified(), changed), std::pair(false, 1));
    Press(key::F4);
    Press(key::Return); // the same item, chosen with Enter
    EXPECT_EQ(std::pair(combo.Text(), changed), std::pair(std::string("green"), 2));
    Press(key::F4);
    Press(key::Down); // moves the list, not the text
    EXPECT_EQ(combo.ListBox().ItemIndex(), 2);
    Press(key::Escape);
    EXPECT_EQ(std::tuple(combo.DroppedDown(), combo.Text(), dropDowns, closeUps), std::tuple(false, "green", 4, 0));
    // Closed without a pick by the keys, by leaving and by a press outside the list.
    const std::function<void()> closings[] = {[&] { Press(key::Up, shift::Alt); },
                                              [&] { combo.HostFocusChanged(true); combo.HostFocusChanged(false); },
                                              [&] { PressRow(-1); }};
    for (size_t i = 0; i < std::size(closings); ++i) {
        combo.ToggleListBox();
        closings[i]();
        EXPECT_EQ(std::pair(combo.DroppedDown(), closeUps), std::pair(false, int(i) + 1)) << i;
    }
    EXPECT_EQ(changed, 2);
    combo.ToggleListBox();
    combo.ListBox().SetItemIndex(-1); // Enter on an empty selection keeps the typed text
    combo.SetText("typed");
    Press(key::Return);
    EXPECT_EQ(combo.Text(), "typed");
}

TEST_F(NewComboBox, CaseOfTheTextSelectionWithoutFocusAndInputMethodsOfBothComboBoxes)
{
    using namespace platform::ime;
    using Text = RecordingCanvas::Text;
    TrmComboBox history;
    for (TrmDropDownEdit* edit : std::initializer_list<TrmDropDownEdit*>{&combo, &history}) {
        edit->SetComboItems({"Gr\u00FCn", "\u00FFes"});
        // The text there when the case is set, a text set, typed at its end, an item chosen.
        for (const auto& [charCase, mode, there, set, typed, chosen, hints] :
             {std::tuple{ecUpperCase, imClose, "GR\u00DCN", "GR\u00DCN", "GR\u00DCNX", "\u0178ES",
                         Enabled | PreferLatin | PreferUppercase},
              {ecLowerCase, imHira, "gr\u00FCn", "gr\u00FCn", "gr\u00FCnx", "\u00FFes", Enabled | PreferLowercase},
              {ecNormal, imDisable, "gr\u00FCn", "Gr\u00FCn", "Gr\u00FCnx", "\u00FFes", 0u}}) {
            edit->SetText("Gr\u00FCn");
            edit->SetCharCase(charCase);
            edit->SetImeMode(mode);
            EXPECT_EQ(edit->Text(), there);
            edit->SetText("Gr\u00FCn");
            EXPECT_EQ(std::pair(edit->Text(), edit->ItemIndex()), std::pair(std::string(set), 0));
            edit->SetSelStart(4);
            Type(*edit, U"x");
            EXPECT_EQ(edit->Text(), typed);
            edit->SetItemIndex(1);
            EXPECT_EQ(std::tuple(edit->Text(), edit->ItemIndex(), edit->InputMethod()), std::tuple(chosen, 1, hints));
        }
        edit->SelectAll();
        for (const auto& [hide, focused, shown] : {std::tuple{true, false, 0}, {false, false, 1}, {true, true, 1}}) {
            edit->SetHideSelection(hide);
            edit->HostFocusChanged(focused);
            RecordingCanvas canvas;
            edit->HostPaint(canvas);
            const auto selected = std::ranges::count(canvas.texts, CanvasColorOf(clHighlightText), &Text::Color);
            EXPECT_EQ(selected, shown) << hide << focused;
        }
    }
}

TEST_F(NewComboBox, UpAndDownStepTheItemsWithTheListClosed)
{
    combo.SetComboItems({"a", "b", "c"});
    combo.OnChanged = [&](TObject*) { ++changed; };
    Press(key::Up); // nothing selected yet: Up has nowhere to go
    EXPECT_EQ(combo.Text(), "");
    for (const auto& [code, text, changes] : {std::tuple{key::Down, "a", 1}, {key::Down, "b", 2}, {key::Down, "c", 3},
                                              {key::Down, "c", 3}, {key::Up, "b", 4}}) { // nothing after the last
        Press(code);
        EXPECT_EQ(std::tuple(combo.Text(), changed, combo.SelLength()), std::tuple(text, changes, 1)) << text;
    }
    EXPECT_EQ(combo.ItemIndex(), 1);
    combo.SetText("not listed");
    EXPECT_EQ(combo.ItemIndex(), -1);
    for (const auto& [index, text] : {std::pair{0, "a"}, {7, ""}}) {
        combo.SetItemIndex(index);
        EXPECT_EQ(combo.Text(), text);
    }
}
