#pragma once
// A menu that pops up at a point of the desktop; the windows supply their own. Every
// control may have one (Control::PopupMenu), and split buttons drop one down.
#include <cstdint>

class TPopupMenu {
public:
    virtual ~TPopupMenu() = default;
    virtual void Popup(int32_t X, int32_t Y) = 0;
};
