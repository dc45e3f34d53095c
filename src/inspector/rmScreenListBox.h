#pragma once
// The list a button combo drops down: a bordered list shown as a screen pop-up, with a
// vertical scroll bar inside its right edge while its items pass its height. Its rows may
// be drawn by their owner, all ItemHeight high or each as high as its owner measures it.
#include "inspector/rmScreenPopup.h"
#include "inspector/rmScrollBar.h"
#include "platform/ChildControls.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// How the rows are drawn: by the list, or by OnDrawItem, all ItemHeight high (fixed) or
// each as high as OnMeasureItem makes it (variable).
enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// What an owner-drawn row is, as bit flags.
using TOwnerDrawState = uint16_t;
constexpr TOwnerDrawState odSelected = 1u << 0;
constexpr TOwnerDrawState odDisabled = 1u << 2;
constexpr TOwnerDrawState odFocused = 1u << 4;
constexpr TOwnerDrawState odComboBoxEdit = 1u << 12; // a combo box's own text field

// Rect is in the coordinates of the canvas the control offers while it draws.
using TDrawItemEvent =
    std::function<void(TObject* Control, int32_t Index, const platform::Rect& Rect, TOwnerDrawState State)>;
// Height comes in as ItemHeight.
using TMeasureItemEvent = std::function<void(TObject* Control, int32_t Index, int32_t& Height)>;

class TrmCustomScreenListBox : public TrmScreenPopup<platform::Control> {
public:
    TrmCustomScreenListBox();
    ~TrmCustomScreenListBox() override;
    const char* ClassName() const override { return "TrmCustomScreenListBox"; }

    const std::vector<std::string>& Items() const { return FItems; }
    // Kept in order (see Sorted) when sorted.
    void SetItems(const std::vector<std::string>& Value);
    // Whether the items are kept sorted, ignoring ASCII case (items that differ only in
    // case keep their order); switching it on sorts them.
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    // -1 for none; other values are clamped to the items.
    int32_t ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int32_t Value);
    int32_t TopIndex() const { return FTopIndex; }
    void SetTopIndex(int32_t Value);
    // 0 = from the font.
    int32_t ItemHeight() const;
    void SetItemHeight(int32_t Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    // The height of row Index: as measured with the variable style, else ItemHeight.
    int32_t RowHeight(int32_t Index) const;
    // Asks OnMeasureItem for every row's height (variable style only; at least 1 pixel).
    // Done when the list shows and whenever its items, style or item height change.
    void MeasureItems();
    // Rows from TopIndex that fit inside the border (at least 1).
    int32_t VisibleRows() const;
    // The height of as many rows as there are items, at least one and at most MaxRows, each
    // ItemHeight high (rows measured higher scroll), and the border.
    int32_t HeightForRows(int32_t MaxRows) const;
    // The item at control point Y, or -1.
    int32_t ItemAt(int32_t Y) const;
    // The item at Index; an empty text outside the items.
    std::string ItemText(int32_t Index) const;
    const TrmScrollBar& ScrollBar() const { return FScrollBar; }

    // Shows the list with the selected item in view.
    void Show(const platform::Rect& Bounds) override;

    // The canvas being painted on, while OnDrawItem runs; else null.
    platform::Canvas* Canvas() const { return FCanvas; }
    // How the list draws a row itself (over its background): the text, on the highlight
    // colour when selected, and a focus frame when focused.
    void DefaultDrawItem(int32_t Index, const platform::Rect& Rect, TOwnerDrawState State);

    // Owner-drawn styles only; without it the rows are drawn as DefaultDrawItem draws them.
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

    bool WantsArrowKeys() const override { return true; }

protected:
    // The height of the rows follows the font.
    void FontChanged() override;
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
    // Rows from First that fit inside the border, rows past the end counted ItemHeight high.
    int32_t RowsFitting(int32_t First) const;
    // The first row of the last rows that fit: the largest TopIndex.
    int32_t LastTopIndex() const;
    // The height rows may take: inside the border.
    int32_t RowsRoom() const;
    // Shown, placed and set while the items pass the rows in view.
    void UpdateScrollBar();
    void Scroll(TrmScrollCode Code, int32_t Position);
    // Inside the border, left of a shown scroll bar.
    platform::Rect RowsArea() const;

    std::vector<std::string> FItems;
    int32_t FItemIndex = -1;
    int32_t FTopIndex = 0;
    int32_t FItemHeight = 0;
    bool FSorted = false;
    TListBoxStyle FStyle = lbStandard;
    std::vector<int32_t> FHeights; // measured, with the variable style
    platform::Canvas* FCanvas = nullptr;
    TrmScrollBar FScrollBar;
    platform::ChildControls FChildren; // declared last: detaches the bar first
};
