#pragma once
// The list a button combo drops down: a bordered list shown as a screen pop-up, with a
// vertical scroll bar inside its right edge while its items pass its height.
#include "inspector/rmScreenPopup.h"
#include "inspector/rmScrollBar.h"
#include "platform/ChildControls.h"

#include <string>
#include <string_view>
#include <vector>

class TrmCustomScreenListBox : public TrmScreenPopup<platform::Control> {
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
    const TrmScrollBar& ScrollBar() const { return FScrollBar; }

    // Shows the list with the selected item in view.
    void Show(const platform::Rect& Bounds) override;

    bool WantsArrowKeys() const override { return true; }

protected:
    void Paint(platform::Canvas& Canvas) override;
    // A left press on an item selects it; presses on the scroll bar are the bar's alone.
    void MouseDown(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseMove(platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseUp(platform::MouseButton Button, platform::ShiftState Shift, int32_t X, int32_t Y) override;
    void MouseLeave() override;
    void Resize() override;
    bool DoMouseWheel(platform::ShiftState Shift, int32_t WheelDelta, platform::Point MousePos) override;
    // The arrow keys, Page Up/Down, Home and End move the selection.
    void KeyDown(platform::KeyCode& Key, platform::ShiftState Shift) override;
    // A character selects the next item that starts with it.
    void KeyPress(char32_t& Key) override;

private:
    void MakeVisible(int32_t Index);
    // Shown, placed and set while the items pass the rows in view.
    void UpdateScrollBar();
    void Scroll(TrmScrollCode Code, int32_t Position);
    // Inside the border, left of a shown scroll bar.
    platform::Rect RowsArea() const;

    std::vector<std::string> FItems;
    int32_t FItemIndex = -1;
    int32_t FTopIndex = 0;
    int32_t FItemHeight = 0;
    platform::FontSpec FFont;
    TrmScrollBar FScrollBar;
    platform::ChildControls FChildren; // declared last: detaches the bar first
};
