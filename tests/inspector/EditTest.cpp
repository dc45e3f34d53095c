// The edit controls: the line model, the button edit's keys, buttons and click areas,
// and the integer spin edit's ranges and increments.
#include "FakeWindowSystem.h"
#include "ExpectMessage.h"
#include "RecordingCanvas.h"
#include "inspector/EditLine.h"
#include "inspector/rmBtnEdit.h"
#include "inspector/rmSpinEdit.h"

#include <gtest/gtest.h>

using platform::MouseButton;
using platform::Rect;
namespace key = platform::key;
namespace shift = platform::shift;

namespace {

void Type(platform::Control& c, std::u32string_view chars)
{
    for (char32_t ch : chars)
        c.HostKeyPress(ch);
}

void PressKey(platform::Control& c, platform::KeyCode k, platform::ShiftState s = 0)
{
    c.HostKeyDown(k, s);
}

void ClickAt(platform::Control& c, int32_t x, int32_t y)
{
    c.HostMouseDown(MouseButton::Left, shift::Left, x, y);
    c.HostMouseUp(MouseButton::Left, 0, x, y);
}

} // namespace

TEST(EditLine, TypingRespectsMaxLengthAndCharacterBoundaries)
{
    EditLine line;
    line.SetText("h\xC3\xA9llo"); // 5 characters, 6 bytes
    EXPECT_EQ(line.Length(), 5);
    line.SetSelection(1, 2);
    EXPECT_EQ(line.SelText(), "\xC3\xA9");
    line.SetMaxLength(6);
    EXPECT_TRUE(line.ReplaceSelection("ab\tcd"));  // the tab is dropped, then 2 of 4 fit
    EXPECT_EQ(line.Text(), "hab" "llo");
    EXPECT_FALSE(line.ReplaceSelection("x"));
    EXPECT_TRUE(line.DeleteBackward());
    EXPECT_EQ(line.Text(), "hallo");
    line.SetText("\xFF\x41"); // a stray byte comes in as U+FFFD
    EXPECT_EQ(line.Text(), "\xEF\xBF\xBD" "A");
    line.SetMaxLength(0);
    line.SetText("one two  three");
    EXPECT_EQ(line.WordRight(0), 4);
    EXPECT_EQ(line.WordLeft(14), 9);
    line.SelectWordAt(5);
    EXPECT_EQ(line.SelText(), "two");
}

TEST(CustomEdit, TypingClipboardAndReadOnly)
{
    FakeWindowSystem ws;
    TrmCustomEdit edit;
    int changes = 0;
    edit.OnChange = [&](TObject*) { ++changes; };
    Type(edit, U"abc\b");
    EXPECT_EQ(edit.Text(), "ab");
    EXPECT_EQ(changes, 4);
    Type(edit, U"\x01\x03"); // Ctrl+A, Ctrl+C
    EXPECT_EQ(ws.clipboard, "ab");
    PressKey(edit, key::End);
    Type(edit, U"\x16");
    EXPECT_EQ(edit.Text(), "abab");
    edit.SetReadOnly(true);
    Type(edit, U"x\b\x16");
    EXPECT_EQ(edit.Text(), "abab");
    EXPECT_EQ(ws.beeps, 2);
    edit.SetReadOnly(false);
    edit.SetPasswordChar(U'*');
    ws.clipboard.clear();
    edit.SelectAll();
    Type(edit, U"\x03");
    EXPECT_EQ(ws.clipboard, "") << "hidden text must not reach the clipboard";
}

TEST(CustomEdit, ClickPlacesTheCaretByMeasuredText)
{
    TrmCustomEdit edit;
    edit.SetText("abcdef");
    RecordingCanvas canvas; // 6 pixels a character
    edit.HostPaint(canvas);
    // Border 2, margin 1: the boundary after "ab" lies at x = 2 + 1 + 12.
    edit.HostMouseDown(MouseButton::Left, shift::Left, 15, 5);
    edit.HostMouseMove(shift::Left, 27, 5);
    edit.HostMouseUp(MouseButton::Left, 0, 27, 5);
    EXPECT_EQ(edit.SelStart(), 2);
    EXPECT_EQ(edit.SelText(), "cd");
}

TEST(BtnEdit, ButtonsSitInsideTheRightEdgeAndNarrowTheText)
{
    TrmBtnEdit edit;
    edit.SetBounds(0, 0, 100, 21);
    EXPECT_EQ(edit.GetButton(1)->BoundsRect(), (Rect{2 + 100 - 16 - 4, 2, 2 + 100 - 4, 2 + 17}));
    EXPECT_EQ(edit.EditRect().Right, 96 - 16 - 1);
    edit.SetBtn2Visible(true);
    EXPECT_EQ(edit.GetButton(1)->Left(), 2 + 100 - 32 - 4);
    EXPECT_EQ(edit.GetButton(2)->Left(), 2 + 100 - 16 - 4);
    EXPECT_EQ(edit.EditRect().Right, 96 - 33);
    edit.SetBtn1Visible(false);
    EXPECT_FALSE(edit.GetButton(2)->Visible());
    EXPECT_EQ(edit.EditRect().Right, 96);
    EXPECT_EQ(edit.GetButton(3), nullptr);
}

TEST(BtnEdit, ButtonClickFiresItsEventAndNoClickOfTheEdit)
{
    FakeWindowSystem ws;
    TrmBtnEdit edit;
    edit.SetBounds(0, 0, 100, 21);
    edit.SetReadOnly(true);
    int btn1 = 0, editClicks = 0;
    edit.OnBtn1Click = [&](TObject* sender) {
        EXPECT_EQ(sender, &edit);
        ++btn1;
    };
    edit.OnClick = [&](TObject*) { ++editClicks; };
    ClickAt(edit, 85, 10);
    EXPECT_EQ(btn1, 1);
    EXPECT_EQ(editClicks, 0);
    ClickAt(edit, 20, 10);
    EXPECT_EQ(btn1, 1);
    EXPECT_EQ(editClicks, 1);
    PressKey(edit, key::Return, shift::Ctrl);
    EXPECT_EQ(btn1, 2);
    // Read-only: paste is ignored.
    ws.clipboard = "pasted";
    Type(edit, U"\x16");
    EXPECT_EQ(edit.Text(), "");
    // A disabled button cannot be clicked from the keyboard.
    edit.SetBtn1Enabled(false);
    PressKey(edit, key::Return, shift::Ctrl);
    EXPECT_EQ(btn1, 2);
}

TEST(BtnEdit, EnterTypesNoLineBreakAndEscapeRestoresTheText)
{
    TrmBtnEdit edit;
    edit.SetText("start");
    edit.SetFocus();
    PressKey(edit, key::End);
    Type(edit, U"ed\r\n");
    EXPECT_EQ(edit.Text(), "started");
    PressKey(edit, key::Escape);
    EXPECT_EQ(edit.Text(), "start");
    EXPECT_EQ(edit.SelLength(), 5);
    // Enter saves the text Escape goes back to.
    Type(edit, U"new");
    PressKey(edit, key::Return);
    Type(edit, U"er");
    PressKey(edit, key::Escape);
    EXPECT_EQ(edit.Text(), "new");
}

TEST(SpinEdit, StepsWithoutRange)
{
    TrmSpinEdit spin;
    spin.SetText("5");
    PressKey(spin, key::Up);
    EXPECT_EQ(spin.Text(), "6");
    EXPECT_TRUE(spin.Button().UpEnabled());
    EXPECT_TRUE(spin.Button().DownEnabled());
    spin.SetIncrement(10);
    spin.Button().OnDownClick(&spin.Button());
    EXPECT_EQ(spin.Text(), "-4");
    spin.SetText("2147483640");
    PressKey(spin, key::Up);
    EXPECT_EQ(spin.Text(), "2147483647") << "steps stop at the end of the integer range";
}

TEST(SpinEdit, RangeClampsAndDisablesTheEndHalves)
{
    TrmSpinEdit spin;
    spin.SetMaxValue(10);
    spin.SetUseRanges(true);
    spin.SetText("10");
    spin.SetMaxValue(10); // refreshes the halves
    EXPECT_FALSE(spin.Button().UpEnabled());
    PressKey(spin, key::Up);
    EXPECT_EQ(spin.Text(), "10");
    PressKey(spin, key::Down);
    EXPECT_EQ(spin.Text(), "9");
    EXPECT_TRUE(spin.Button().UpEnabled());

    spin.SetMaxValue(-1); // below MinValue 0: ignored
    EXPECT_EQ(spin.MaxValue(), 10);
    spin.SetMinValue(11);
    EXPECT_EQ(spin.MinValue(), 0);

    spin.SetFocus();
    spin.SetText("99");
    spin.HostFocusChanged(false);
    EXPECT_EQ(spin.Text(), "10");
    spin.SetFocus();
    spin.SetText("abc");
    ExpectThrowWithMessage<EConvertError>([&] { spin.HostFocusChanged(false); }, "'abc' is not a valid integer value");
}

TEST(SpinEdit, OnlyDigitsAndMinusAreTyped)
{
    FakeWindowSystem ws;
    TrmSpinEdit spin;
    spin.SetText("");
    Type(spin, U"1a-2\r");
    EXPECT_EQ(spin.Text(), "1-2");
    EXPECT_EQ(ws.beeps, 2);
    spin.SetEditorEnabled(false);
    Type(spin, U"3\b");
    EXPECT_EQ(spin.Text(), "1-2");
    spin.SetReadOnly(true);
    PressKey(spin, key::Up);
    EXPECT_EQ(ws.beeps, 5);
}
