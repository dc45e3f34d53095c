#pragma once
// Mouse buttons, shift states, key codes and cursor shapes as controls see them.
// The host translates the window system's events into these values.
#include <cstdint>

namespace platform {

enum class MouseButton : uint8_t { Left, Right, Middle };

// The kinds of input a host delivers to a control, one for each of Control's Host...
// entry points (focus changes split into gaining and losing it), and the control's window
// becoming the active one (the application's) or losing that.
enum class InputEvent : uint8_t {
    Paint, MouseDown, DoubleClick, MouseMove, MouseUp, MouseEnter, MouseLeave, MouseWheel,
    KeyDown, KeyUp, KeyPress, FocusIn, FocusOut, AppActivate, AppDeactivate
};

// Modifier keys and held mouse buttons at the time of an event, as bit flags.
using ShiftState = uint32_t;
namespace shift {
constexpr ShiftState None = 0;
constexpr ShiftState Shift = 1u << 0;
constexpr ShiftState Alt = 1u << 1;
constexpr ShiftState Ctrl = 1u << 2;
constexpr ShiftState Left = 1u << 3;   // left button held
constexpr ShiftState Right = 1u << 4;  // right button held
constexpr ShiftState Middle = 1u << 5; // middle button held
constexpr ShiftState Double = 1u << 6; // the press is the second of a double click
// Only the modifier keys, without the button bits.
constexpr ShiftState Keys = Shift | Alt | Ctrl;
} // namespace shift

// Key codes: the classic virtual-key numbers, so that letters and digits are
// their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).
using KeyCode = uint16_t;
namespace key {
constexpr KeyCode None = 0;
constexpr KeyCode Back = 0x08;
constexpr KeyCode Tab = 0x09;
constexpr KeyCode Return = 0x0D;
constexpr KeyCode Shift = 0x10;
constexpr KeyCode Control = 0x11;
constexpr KeyCode Alt = 0x12;
constexpr KeyCode Pause = 0x13;
constexpr KeyCode Escape = 0x1B;
constexpr KeyCode Space = 0x20;
constexpr KeyCode PageUp = 0x21;
constexpr KeyCode PageDown = 0x22;
constexpr KeyCode End = 0x23;
constexpr KeyCode Home = 0x24;
constexpr KeyCode Left = 0x25;
constexpr KeyCode Up = 0x26;
constexpr KeyCode Right = 0x27;
constexpr KeyCode Down = 0x28;
constexpr KeyCode Insert = 0x2D;
constexpr KeyCode Delete = 0x2E;
constexpr KeyCode Apps = 0x5D; // the menu key
constexpr KeyCode NumPad0 = 0x60; // the keypad's digits, NumPad0..NumPad0 + 9
constexpr KeyCode Multiply = 0x6A; // the keypad's *, +, -, . and /
constexpr KeyCode Add = 0x6B;
constexpr KeyCode Subtract = 0x6D;
constexpr KeyCode Decimal = 0x6E;
constexpr KeyCode Divide = 0x6F;
constexpr KeyCode F1 = 0x70; // F1..F12 follow in order
constexpr KeyCode F4 = 0x73;
constexpr KeyCode F10 = 0x79;
constexpr KeyCode F12 = 0x7B;
} // namespace key

// What a control asks of the window system's input methods (composing and converting
// typed text), as bit flags; 0 keeps them off, as for every control that takes no text.
using InputMethodHints = uint32_t;
namespace ime {
constexpr InputMethodHints Enabled = 1u << 0;
constexpr InputMethodHints PreferLatin = 1u << 1; // start in direct Latin entry
constexpr InputMethodHints PreferUppercase = 1u << 2;
constexpr InputMethodHints PreferLowercase = 1u << 3;
} // namespace ime

// Cursor shapes, 16-bit signed; 0 is the default, which shows the control's own cursor.
using CursorId = int16_t;
namespace cursor {
constexpr CursorId Default = 0;
constexpr CursorId None = -1;
constexpr CursorId Arrow = -2;
constexpr CursorId Cross = -3;
constexpr CursorId IBeam = -4;
constexpr CursorId SizeNESW = -6;
constexpr CursorId SizeNS = -7;
constexpr CursorId SizeNWSE = -8;
constexpr CursorId SizeWE = -9;
constexpr CursorId UpArrow = -10;
constexpr CursorId HourGlass = -11;
constexpr CursorId Drag = -12;
constexpr CursorId NoDrop = -13;
constexpr CursorId HSplit = -14;
constexpr CursorId VSplit = -15;
constexpr CursorId No = -18;
constexpr CursorId AppStart = -19;
constexpr CursorId Help = -20;
constexpr CursorId HandPoint = -21;
constexpr CursorId SizeAll = -22;
} // namespace cursor

} // namespace platform
