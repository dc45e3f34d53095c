// The button-edit combo box: the list's size and place, picking from it by mouse and
// keys, stepping with the list closed and what the editor switch refuses.
#include "components/rmNewComboBox.h"
#include "graphics/ControlTestHelpers.h"
#include "inspector/FakeWindowSystem.h"

#include <gtest/gtest.h>

namespace key = platform::key;
namespace shift = platform::shift;

namespace {

void PressKey(platform::Control& c, platform::KeyCode k, platform::ShiftState s = 0)
{
    c.HostKeyDown(k, s);
}

std::vector<std::string> Numbered(int count)
{
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i)
        items.push_back("item " + std::to_string(i));
    return items;
}

// A press on row Row of the open list.
void PressRow(TrmCustomComboBox& combo, int32_t Row)
{
    const int32_t y = 1 + Row * combo.ItemHeight() + 1;
    combo.ListBox().HostMouseDown(platform::MouseButton::Left, shift::Left, 5, y);
}

} // namespace

TEST(NewComboBox, ListIsAsHighAsItsItemsUpToDropDownCount)
{
    FakeWindowSystem ws;
    TrmNewComboBox combo;
    combo.SetBounds(10, 20, 100, 21);
    combo.SetItemHeight(13);
    struct Case {
        int items;
        int32_t height;
    };
    for (const Case& c : {Case{3, 3 * 13 + 2}, {20, 8 * 13 + 2}, {0, 13 + 2}}) {
        combo.SetComboItems(Numbered(c.items));
        combo.ToggleListBox();
        ASSERT_TRUE(combo.DroppedDown());
        EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, 21, 100, 21 + c.height})) << c.items;
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

TEST(NewComboBox, PickingFromTheListFiresOnChangedOnlyForANewItem)
{
    FakeWindowSystem ws;
    TrmNewComboBox combo;
    combo.SetComboItems({"red", "green", "blue"});
    int changed = 0, dropDowns = 0, closeUps = 0;
    combo.OnChanged = [&](TObject*) { ++changed; };
    combo.OnDropDown = [&](TObject*) { ++dropDowns; };
    combo.OnCloseUp = [&](TObject*) { ++closeUps; };

    PressKey(combo, key::Down, shift::Alt);
    ASSERT_TRUE(combo.DroppedDown());
    PressRow(combo, 1);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.Text(), "green");
    EXPECT_TRUE(combo.Modified());
    EXPECT_EQ(changed, 1);

    combo.SetModified(false);
    PressKey(combo, key::F4);
    PressRow(combo, 1); // the same item again
    EXPECT_EQ(changed, 1);
    EXPECT_FALSE(combo.Modified());

    PressKey(combo, key::F4);
    PressKey(combo, key::Return); // the same item, chosen with Enter
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(combo.Text(), "green");

    PressKey(combo, key::F4);
    PressKey(combo, key::Down); // moves the list, not the text
    EXPECT_EQ(combo.ListBox().ItemIndex(), 2);
    EXPECT_EQ(combo.Text(), "green");
    PressKey(combo, key::Escape);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.Text(), "green");
    EXPECT_EQ(dropDowns, 4);
    EXPECT_EQ(closeUps, 0);

    PressKey(combo, key::Up, shift::Alt);
    PressKey(combo, key::Up, shift::Alt);
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(closeUps, 1);
    combo.ToggleListBox();
    combo.HostFocusChanged(true);
    combo.HostFocusChanged(false); // losing the focus closes it too
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(closeUps, 2);
    combo.ToggleListBox();
    combo.ListBox().HostMouseDown(platform::MouseButton::Left, shift::Left, -5, -5); // a press outside
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(closeUps, 3);
}

TEST(NewComboBox, EnterOnAnEmptySelectionKeepsTheText)
{
    FakeWindowSystem ws;
    TrmNewComboBox combo;
    combo.SetComboItems({"a", "b"});
    combo.ListBox().SetItemIndex(1);
    combo.ToggleListBox();
    combo.ListBox().SetItemIndex(-1);
    combo.SetText("typed");
    PressKey(combo, key::Return);
    EXPECT_EQ(combo.Text(), "typed");
}

TEST(NewComboBox, UpAndDownStepTheItemsWithTheListClosed)
{
    FakeWindowSystem ws;
    TrmNewComboBox combo;
    combo.SetComboItems({"a", "b", "c"});
    int changed = 0;
    combo.OnChanged = [&](TObject*) { ++changed; };
    PressKey(combo, key::Up); // nothing selected yet: Up has nowhere to go
    EXPECT_EQ(combo.Text(), "");
    PressKey(combo, key::Down);
    PressKey(combo, key::Down);
    PressKey(combo, key::Down);
    EXPECT_EQ(combo.Text(), "c");
    EXPECT_EQ(combo.ItemIndex(), 2);
    EXPECT_EQ(changed, 3);
    PressKey(combo, key::Down); // the last item: nothing changes
    EXPECT_EQ(combo.Text(), "c");
    EXPECT_EQ(changed, 3);
    PressKey(combo, key::Up);
    EXPECT_EQ(combo.Text(), "b");
    EXPECT_EQ(combo.SelLength(), 1);

    combo.SetText("not listed");
    EXPECT_EQ(combo.ItemIndex(), -1);
    combo.SetItemIndex(0);
    EXPECT_EQ(combo.Text(), "a");
    combo.SetItemIndex(7);
    EXPECT_EQ(combo.Text(), "");
}

TEST(NewComboBox, WithTheEditorOffNothingIsTypedDeletedOrPasted)
{
    FakeWindowSystem ws;
    ws.clipboard = "pasted";
    TrmNewComboBox combo;
    combo.SetText("kept");
    combo.SetEditorEnabled(false);
    combo.SelectAll();
    for (char32_t ch : std::u32string_view(U"x\r\x16\x18"))
        combo.HostKeyPress(ch);
    PressKey(combo, key::Delete);
    PressKey(combo, key::Insert, shift::Shift);
    EXPECT_EQ(combo.Text(), "kept");

    combo.SetEditorEnabled(true);
    char32_t enter = U'\r', letter = U'y';
    combo.HostKeyPress(enter);
    combo.HostKeyPress(letter);
    EXPECT_EQ(combo.Text(), "y");

    combo.SetEnabled(false);
    EXPECT_FALSE(combo.GetButton(1)->Enabled());
}
