#pragma once
// The list a button combo drops down: a bordered list in a top-level window of its own
// above every other window, which never takes the keyboard focus (the combo passes it
// its keys). While shown it holds the mouse capture, except while the mouse is over it,
// and a press outside it hides it.
#include "platform/Control.h"
#include "platform/WindowSystem.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TrmCustomScreenListBox : public platform::Control {
public:
    TrmCustomScreenListBox();
    ~TrmCustomScreenListBox() override;
    const char* ClassName() const override { return "TrmCustomScreenListBox"; }

    const std::vector<std::string>& Items() const { return FItems; }
    void SetItems(const std::vector<std::string>& Value);
    // -1 for none; other values are clamped to the items.
    int32_t ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int32_t Value);
    int32_t TopIndex() const { return FTopIndex; }
    void SetTopIndex(int32_t Value);
    // 0 = from the font.
    int32_t ItemHeight() const;
    void SetItemHeight(int32_t Value);
    const platform::FontSpec& Font() const { return FFont; }
    void SetFont(const platform::FontSpec& Value);
    // Rows that fit inside the border.
    int32_t VisibleRows() const;
    // The item at control point Y, or -1.
    int32_t ItemAt(int32_t Y) const;
    // The position of Text among the items, -1 when absent.
    int32_t IndexOf(std::string_view Text) const;
    // The item at Index; an empty text outside the items.
    std::string ItemText(int32_t Index) const;

    // Shows the list at Bounds (desktop coordinates) and takes the mouse; hiding gives it back.
    void Show(const platform::Rect& Bounds);
    void Hide();
    // Shows the list Width x Height below Owner's left edge, or above Owner when it would
    // pass the bottom of the desktop.
    void DropDown(const platform::Control& Owner, int32_t Width, int32_t Height);
    // The keys the owner of a shown list gets go to the list first, except with Alt and F4,
    // which open and close it: true when the list took Key (which is then used up).
    bool TakeKeyDown(platform::KeyCode& Key, platform::ShiftState Shift);
    bool TakeKeyUp(platform::KeyCode& Key, platform::ShiftState Shift);
    bool TakeKeyPress(char32_t& Key);

    bool WantsArrowKeys() const override { return true; }

protected:
    void Paint(platform::Canvas& Canvas) override;
    // Outside: hides the list (the press is then handled as usual); inside: selects.
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    // Over the list the capture is given up, so that the list's own window gets the mouse.
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    bool DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos) override;
    // The arrow keys, Page Up/Down, Home and End move the selection.
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    // A character selects the next item that starts with it.
    void KeyPress(char32_t& Key) override;

private:
    void MakeVisible(int32_t Index);
    bool TakesOwnerKey(platform::KeyCode Key, platform::ShiftState Shift) const;

    std::vector<std::string> FItems;
    int32_t FItemIndex = -1;
    int32_t FTopIndex = 0;
    int32_t FItemHeight = 0;
    platform::FontSpec FFont;
    std::unique_ptr<platform::PopupWindow> FWindow; // made on first show
};
