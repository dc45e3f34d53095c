// The button-edit combo box: the list's size and place, picking from it by mouse and
// keys, stepping with the list closed and what the editor switch refuses.
#include "components/rmNewComboBox.h"
#include "graphics/ControlTestHelpers.h"
#include "inspector/FakeWindowSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace key = platform::key;
namespace shift = platform::shift;

namespace {

struct NewComboBox : ::testing::Test {
    void Press(platform::KeyCode k, platform::ShiftState s = 0) { combo.HostKeyDown(k, s); }
    // A press on row Row of the open list, or outside it from row -1 up.
    void PressRow(int32_t Row)
    {
        const int32_t y = Row < 0 ? -5 : 1 + Row * combo.ItemHeight() + 1;
        combo.ListBox().HostMouseDown(platform::MouseButton::Left, shift::Left, Row < 0 ? -5 : 5, y);
    }

    FakeWindowSystem ws;
    TrmNewComboBox combo;
    int changed = 0, dropDowns = 0, closeUps = 0;
};

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i)
        items.push_back("item " + std::to_string(i));
    return items;
}

} // namespace

TEST_F(NewComboBox, ListIsAsHighAsItsItemsUpToDropDownCount)
{
    combo.SetBounds(10, 20, 100, 21);
    combo.SetItemHeight(13);
    for (const auto& [items, height] : {std::pair{3, 3 * 13 + 2}, {20, 8 * 13 + 2}, {0, 13 + 2}}) {
        combo.SetComboItems(Numbered(items));
        combo.ToggleListBox();
        ASSERT_TRUE(combo.DroppedDown());
        EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, 21, 100, 21 + height})) << items;
        combo.ToggleListBox();
        EXPECT_FALSE(combo.DroppedDown());
    }
    // The list opens above the edit as soon as it would reach the desktop's bottom: below,
    // it would span 21..88.
    FakeHost host(combo);
    combo.SetDropDownWidth(150);
    combo.SetComboItems(Numbered(5));
    for (const auto& [desktopBottom, listTop] : {std::pair{87, -67}, {88, -67}, {89, 21}}) {
        host.desktop = {0, 0, 800, desktopBottom};
        combo.ToggleListBox();
        EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, listTop, 150, listTop + 67})) << desktopBottom;
        combo.ToggleListBox();
    }
}

TEST_F(NewComboBox, PickingFromTheListFiresOnChangedOnlyForANewItem)
{
    combo.SetComboItems({"red", "green", "blue"});
    combo.OnChanged = [&](TObject*) { ++changed; };
    combo.OnDropDown = [&](TObject*) { ++dropDowns; };
    combo.OnCloseUp = [&](TObject*) { ++closeUps; };

    Press(key::Down, shift::Alt);
    ASSERT_TRUE(combo.DroppedDown());
    PressRow(1);
    EXPECT_EQ(std::tuple(combo.DroppedDown(), combo.Text(), combo.Modified(), changed),
              std::tuple(false, "green", true, 1));
    combo.SetModified(false);
    Press(key::F4);
    PressRow(1); // the same item again
    EXPECT_EQ(std::pair(combo.Modified(), changed), std::pair(false, 1));
    Press(key::F4);
    Press(key::Return); // the same item, chosen with Enter
    EXPECT_EQ(std::pair(combo.Text(), changed), std::pair(std::string("green"), 2));
    Press(key::F4);
    Press(key::Down); // moves the list, not the text
    EXPECT_EQ(combo.ListBox().ItemIndex(), 2);
    Press(key::Escape);
    EXPECT_EQ(std::tuple(combo.DroppedDown(), combo.Text(), dropDowns, closeUps), std::tuple(false, "green", 4, 0));

    // Closed without a pick by the keys, by leaving and by a press outside the list.
    const std::function<void()> closings[] = {[&] { Press(key::Up, shift::Alt); },
                                              [&] { combo.HostFocusChanged(true); combo.HostFocusChanged(false); },
                                              [&] { PressRow(-1); }};
    for (size_t i = 0; i < std::size(closings); ++i) {
        combo.ToggleListBox();
        closings[i]();
        EXPECT_EQ(std::pair(combo.DroppedDown(), closeUps), std::pair(false, int(i) + 1)) << i;
    }
    EXPECT_EQ(changed, 2);

    combo.ToggleListBox();
    combo.ListBox().SetItemIndex(-1); // Enter on an empty selection keeps the typed text
    combo.SetText("typed");
    Press(key::Return);
    EXPECT_EQ(combo.Text(), "typed");
}

TEST_F(NewComboBox, UpAndDownStepTheItemsWithTheListClosed)
{
    combo.SetComboItems({"a", "b", "c"});
    combo.OnChanged = [&](TObject*) { ++changed; };
    Press(key::Up); // nothing selected yet: Up has nowhere to go
    EXPECT_EQ(combo.Text(), "");
    for (const auto& [code, text, changes] : {std::tuple{key::Down, "a", 1}, {key::Down, "b", 2}, {key::Down, "c", 3},
                                              {key::Down, "c", 3}, {key::Up, "b", 4}}) { // nothing after the last
        Press(code);
        EXPECT_EQ(std::tuple(combo.Text(), changed, combo.SelLength()), std::tuple(text, changes, 1)) << text;
    }
    EXPECT_EQ(combo.ItemIndex(), 1);
    combo.SetText("not listed");
    EXPECT_EQ(combo.ItemIndex(), -1);
    for (const auto& [index, text] : {std::pair{0, "a"}, {7, ""}}) {
        combo.SetItemIndex(index);
        EXPECT_EQ(combo.Text(), text);
    }
}

TEST_F(NewComboBox, WithTheEditorOffNothingIsTypedDeletedOrPasted)
{
    ws.clipboard = "pasted";
    combo.SetText("kept");
    combo.SetEditorEnabled(false);
    combo.SelectAll();
    for (char32_t ch : std::u32string_view(U"x\r\x16\x18"))
        combo.HostKeyPress(ch);
    Press(key::Delete);
    Press(key::Insert, shift::Shift);
    EXPECT_EQ(combo.Text(), "kept");
    combo.SetEditorEnabled(true);
    for (char32_t ch : std::u32string_view(U"\ry"))
        combo.HostKeyPress(ch);
    EXPECT_EQ(combo.Text(), "y");
    combo.SetEnabled(false);
    EXPECT_FALSE(combo.GetButton(1)->Enabled());
}
