// The button combo's keys and list, and the combo box's history and completion.
#include "ControlInput.h"
#include "FakeWindowSystem.h"
#include "graphics/ControlTestHelpers.h"
#include "inspector/rmBtnCombo.h"
#include "inspector/rmComboBox.h"

#include <gtest/gtest.h>


namespace key = platform::key;
namespace shift = platform::shift;

namespace {

// A combo box keeping its history under "Soft\Names" of the current user's root `store`.
void KeepHistoryIn(TrmComboBox& combo, platform::KeyValueStore* store, const char* path = "Soft")
{
    combo.SetRegistryRoots({nullptr, store, nullptr, nullptr});
    combo.SetRegKey(rkHKEY_CURRENT_USER);
    combo.SetRegName("Names"); // a name before its path: the path gets the separator between them
    combo.SetRegPath(path);
}

} // namespace

TEST(BtnCombo, ListOpensTakesKeysAndClosesOnEnterOrOutsideClick)
{
    TrmBtnCombo combo;
    combo.SetBounds(0, 0, 100, 20);
    combo.SetComboItems({"a", "b", "c"});
    combo.SetText("a");
    int closeUps = 0, ellipsis = 0;
    combo.OnCloseUp = [&](TObject*) { ++closeUps; };
    combo.OnBtnClick = [&](TObject*) { ++ellipsis; };
    PressKey(combo, key::Down, shift::Alt);
    ASSERT_TRUE(combo.DroppedDown());
    EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, 20, 100, 180}));
    EXPECT_EQ(combo.ListBox().ItemIndex(), 0);
    EXPECT_TRUE(combo.ListBox().MouseCapture());
    PressKey(combo, key::Down); // goes to the list
    EXPECT_EQ(combo.Text(), "a");
    EXPECT_EQ(combo.ListBox().ItemIndex(), 1);
    PressKey(combo, key::Return);
    EXPECT_FALSE(combo.DroppedDown() || combo.ListBox().MouseCapture());
    EXPECT_EQ(combo.Text(), "b");
    EXPECT_EQ(closeUps, 1);
    combo.ToggleListBox();
    PressKey(combo, key::Down);
    combo.ListBox().HostMouseDown(platform::MouseButton::Left, shift::Left, -10, 300); // outside the list
    EXPECT_FALSE(combo.DroppedDown());
    EXPECT_EQ(combo.Text(), "b");
    EXPECT_EQ(closeUps, 1);
    PressKey(combo, key::Return, shift::Ctrl);
    EXPECT_EQ(ellipsis, 1);
}

TEST(BtnCombo, ALongListScrollsWithItsBarAndAPressOnTheBarTakesNoItem)
{
    TrmBtnCombo combo;
    combo.SetBounds(0, 0, 100, 20);
    std::vector<std::string> items;
    for (int i = 0; i < 20; ++i)
        items.push_back("i" + std::to_string(i));
    combo.SetComboItems(items);
    combo.SetText("i0");
    combo.ToggleListBox();
    TrmCustomScreenListBox& list = combo.ListBox();
    const TrmScrollBar& bar = list.ScrollBar();
    ASSERT_TRUE(bar.Visible());
    EXPECT_EQ(bar.Max(), 20 - list.VisibleRows());
    const int32_t x = bar.Left() + bar.Width() / 2, y = bar.BoundsRect().Bottom - 4; // the down arrow
    list.HostMouseDown(platform::MouseButton::Left, shift::Left, x, y);
    list.HostMouseUp(platform::MouseButton::Left, shift::None, x, y);
    EXPECT_EQ(list.TopIndex(), 1);
    EXPECT_EQ(bar.Position(), 1);
    EXPECT_TRUE(combo.DroppedDown());
    EXPECT_EQ(combo.Text(), "i0");
    combo.SetComboItems({"a", "b"});
    EXPECT_FALSE(bar.Visible());
}

TEST(BtnCombo, ListOpensAboveOnlyWhenItWouldPassTheDesktopBottom)
{
    TrmBtnCombo combo;
    combo.SetBounds(0, 0, 100, 20);
    FakeHost host(combo);
    // Below the edit the list spans 20..180.
    for (const auto& [desktopBottom, listTop] : {std::pair{179, -160}, {180, 20}, {181, 20}}) {
        host.desktop = {0, 0, 800, desktopBottom};
        combo.ToggleListBox();
        EXPECT_EQ(combo.ListBox().BoundsRect(), (platform::Rect{0, listTop, 100, listTop + 160})) << desktopBottom;
        combo.ToggleListBox();
    }
}

TEST(ComboBox, HistoryMovesCommittedTextsToTheTopAndSavesMaxHistoryLines)
{
    platform::KeyValueStore store;
    TrmComboBox combo, reader;
    KeepHistoryIn(combo, &store, "Soft\\");
    combo.SetMRUCombo(true);
    for (int i = 0; i < 25; ++i)
        combo.InsertText("t" + std::to_string(i));
    combo.InsertText("t3");
    ASSERT_EQ(combo.History().size(), 25u);
    EXPECT_EQ(combo.History()[0], "t3");
    EXPECT_EQ(combo.History()[1], "t24");
    EXPECT_TRUE(store.ValueExists("Soft\\Names", "Item_19"));
    EXPECT_FALSE(store.ValueExists("Soft\\Names", "Item_20"));
    KeepHistoryIn(reader, &store);
    reader.SetMRUCombo(true);
    reader.Loaded();
    ASSERT_EQ(reader.Items().size(), 20u);
    EXPECT_EQ(reader.Items()[0], "t3");
}

TEST(ComboBox, HistoryHoldsNonEmptyCommitsApartFromTheItemsAndStaysCleared)
{
    platform::KeyValueStore store;
    TrmComboBox combo;
    combo.SetRegistryRoots({&store, nullptr, nullptr, nullptr});
    combo.SetRegPath("Soft");
    combo.SetRegName("Names");
    combo.SetMRUCombo(true);
    combo.SetComboItems({"a", "b"});
    combo.InsertText("typed");
    combo.InsertText("");
    EXPECT_EQ(combo.History(), std::vector<std::string>{"typed"});
    EXPECT_EQ(combo.Items(), (std::vector<std::string>{"a", "b"}));
    combo.ClearHistory();
    combo.ToggleListBox(); // dropping down loads what was saved
    EXPECT_TRUE(combo.History().empty());
    EXPECT_FALSE(store.ValueExists("Soft\\Names", "Item_0"));
}

TEST(ComboBox, EscapeGoesBackEnterCommitsAndCompletionFillsInTheFirstMatch)
{
    TrmComboBox combo;
    combo.SetMRUCombo(true);
    combo.SetText("first");
    combo.SetFocus();
    Type(combo, U"x\x1B", true);
    EXPECT_EQ(combo.Text(), "first");
    Type(combo, U"y\r", true);
    EXPECT_EQ(combo.History().front(), "y");
    TrmComboBox completing;
    completing.SetTextCompletion(true);
    completing.SetComboItems({"Green", "Grey", "Blue"});
    Type(completing, U"gr", true);
    EXPECT_EQ(completing.Text(), "Green");
    EXPECT_EQ(completing.SelText(), "een");
    PressKey(completing, key::Down); // the next match of the typed part
    EXPECT_EQ(completing.Text(), "Grey");
    EXPECT_EQ(completing.SelText(), "ey");
    PressKey(completing, key::Right);
    EXPECT_EQ(completing.SelLength(), 0);
    EXPECT_EQ(completing.SelStart(), 4);
}
