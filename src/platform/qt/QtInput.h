#pragma once
// Translation of Qt's input values into the platform layer's.
#include "platform/Input.h"

#include <Qt>
#include <optional>

class QCursor;

namespace platform::qt {

// The key code of a Qt key; key::None for keys the program does not know. The keypad's
// digits and operators (Qt's keypad modifier set) have codes of their own.
KeyCode KeyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
ShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
std::optional<MouseButton> MouseButtonFromQt(Qt::MouseButton button);
Qt::CursorShape CursorShapeFor(CursorId cursor);
// The input-method hints of a control's wishes (ime::Enabled itself is the widget's
// WA_InputMethodEnabled attribute, not a hint).
Qt::InputMethodHints InputMethodHintsFor(InputMethodHints hints);

} // namespace platform::qt
