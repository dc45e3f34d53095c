#pragma once
// Top-level pop-ups such as hint windows: on top of everything, without a frame, never
// activated, and transparent to the mouse so that a click reaches the window below.
class QWidget;

namespace platform::qt {

void MakeMouseTransparentPopup(QWidget& widget);

} // namespace platform::qt
