#pragma once
// Top-level pop-ups. Hint windows: on top of everything, without a frame, never
// activated, and transparent to the mouse so that a click reaches the window below.
// Drop-down lists: the same but they take the mouse (they hold its capture while shown).
class QWidget;

namespace platform::qt {

void MakeMouseTransparentPopup(QWidget& widget);
void MakeDropDownPopup(QWidget& widget);

} // namespace platform::qt
