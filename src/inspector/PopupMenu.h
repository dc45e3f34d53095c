#pragma once
// A menu that pops up at a point of the desktop; the windows supply their own.
#include <cstdint>

class TPopupMenu {
public:
    virtual ~TPopupMenu() = default;
    virtual void Popup(int32_t X, int32_t Y) = 0;
};
