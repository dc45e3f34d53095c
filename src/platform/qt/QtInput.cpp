#include "platform/qt/QtInput.h"

#include <array>
#include <utility>

namespace platform::qt {

KeyCode KeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return KeyCode(key::NumPad0 + (qtKey - Qt::Key_0));
        static constexpr std::array<std::pair<int, KeyCode>, 5> keypad{{
            {Qt::Key_Asterisk, key::Multiply}, {Qt::Key_Plus, key::Add},      {Qt::Key_Minus, key::Subtract},
            {Qt::Key_Period, key::Decimal},    {Qt::Key_Slash, key::Divide},
        }};
        for (const auto& [qt, code] : keypad)
            if (qt == qtKey)
                return code;
        // The keypad's other keys (arrows, Home, Enter...) are the same as the main ones.
    }
    // Letters, digits and the space bar carry the same numbers in both.
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
        qtKey == Qt::Key_Space)
        return KeyCode(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12)
        return KeyCode(key::F1 + (qtKey - Qt::Key_F1));
    static constexpr std::array<std::pair<int, KeyCode>, 21> table{{
        {Qt::Key_Backspace, key::Back}, {Qt::Key_Tab, key::Tab},        {Qt::Key_Backtab, key::Tab},
        {Qt::Key_Return, key::Return},  {Qt::Key_Enter, key::Return},   {Qt::Key_Shift, key::Shift},
        {Qt::Key_Control, key::Control}, {Qt::Key_Alt, key::Alt},      {Qt::Key_Pause, key::Pause},
        {Qt::Key_Escape, key::Escape},  {Qt::Key_PageUp, key::PageUp}, {Qt::Key_PageDown, key::PageDown},
        {Qt::Key_End, key::End},        {Qt::Key_Home, key::Home},      {Qt::Key_Left, key::Left},
        {Qt::Key_Up, key::Up},          {Qt::Key_Right, key::Right},    {Qt::Key_Down, key::Down},
        {Qt::Key_Insert, key::Insert},  {Qt::Key_Delete, key::Delete},  {Qt::Key_Menu, key::Apps},
    }};
    for (const auto& [qt, code] : table)
        if (qt == qtKey)
            return code;
    return key::None;
}

ShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    ShiftState state = shift::None;
    if (modifiers & Qt::ShiftModifier)
        state |= shift::Shift;
    if (modifiers & Qt::AltModifier)
        state |= shift::Alt;
    if (modifiers & Qt::ControlModifier)
        state |= shift::Ctrl;
    if (buttons & Qt::LeftButton)
        state |= shift::Left;
    if (buttons & Qt::RightButton)
        state |= shift::Right;
    if (buttons & Qt::MiddleButton)
        state |= shift::Middle;
    return state;
}

std::optional<MouseButton> MouseButtonFromQt(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return MouseButton::Left;
    case Qt::RightButton:
        return MouseButton::Right;
    case Qt::MiddleButton:
        return MouseButton::Middle;
    default:
        return std::nullopt;
    }
}

Qt::InputMethodHints InputMethodHintsFor(InputMethodHints hints)
{
    Qt::InputMethodHints result = Qt::ImhNone;
    if (hints & ime::PreferLatin)
        result |= Qt::ImhPreferLatin;
    if (hints & ime::PreferUppercase)
        result |= Qt::ImhPreferUppercase;
    if (hints & ime::PreferLowercase)
        result |= Qt::ImhPreferLowercase;
    return result;
}

Qt::CursorShape CursorShapeFor(CursorId cursor)
{
    switch (cursor) {
    case cursor::None:
        return Qt::BlankCursor;
    case cursor::Cross:
        return Qt::CrossCursor;
    case cursor::IBeam:
        return Qt::IBeamCursor;
    case cursor::SizeNESW:
        return Qt::SizeBDiagCursor;
    case cursor::SizeNS:
        return Qt::SizeVerCursor;
    case cursor::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case cursor::SizeWE:
        return Qt::SizeHorCursor;
    case cursor::UpArrow:
        return Qt::UpArrowCursor;
    case cursor::HourGlass:
        return Qt::WaitCursor;
    case cursor::Drag:
        return Qt::DragMoveCursor;
    case cursor::NoDrop:
    case cursor::No:
        return Qt::ForbiddenCursor;
    case cursor::HSplit:
        return Qt::SplitHCursor;
    case cursor::VSplit:
        return Qt::SplitVCursor;
    case cursor::AppStart:
        return Qt::BusyCursor;
    case cursor::Help:
        return Qt::WhatsThisCursor;
    case cursor::HandPoint:
        return Qt::PointingHandCursor;
    case cursor::SizeAll:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

} // namespace platform::qt
