#pragma once
// Translation of Qt's input values into the platform layer's.
#include "platform/Input.h"

#include <Qt>
#include <optional>

class QCursor;

namespace platform::qt {

// The key code of a Qt key; key::None for keys the program does not know.
KeyCode KeyCodeFromQt(int qtKey);
ShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
std::optional<MouseButton> MouseButtonFromQt(Qt::MouseButton button);
Qt::CursorShape CursorShapeFor(CursorId cursor);

} // namespace platform::qt
