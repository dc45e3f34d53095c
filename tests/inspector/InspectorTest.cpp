// The inspector without a display: rows, selection and editors, keys, mouse, scrolling,
// commits, painting and frame; its item classes with their value texts and ranges.
#include "inspector/rmInspector.h"
#include "inspector/rmInspectorEditors.h"
#include "inspector/rmInspectorItems.h"

#include "ExpectMessage.h"
#include "RecordingCanvas.h"
#include "graphics/SystemColorNames.h"
#include "platform/DateText.h"
#include "platform/ManualTimerService.h"
#include "platform/PixelCanvas.h"
#include "support/CellRasterizer.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

namespace {

// An inspector under test: measured by a rasteriser of fixed cells (6 x 13 pixels a
// character, as RecordingCanvas measures), so rows are 20 pixels high, and driven by the
// mouse and key entry points a host would call.
class InspectorTest : public ::testing::Test {
protected:
    // "A/B" as the inspector's path of row B under row A.
    static std::string PathOf(std::string_view path)
    {
        std::string result = "\1";
        for (char c : path)
            result += c == '/' ? '\1' : c;
        return result;
    }
    // A row at `path` named after its last part.
    template <class T>
    T* Add(std::string_view path, const std::string& value)
    {
        auto* item = static_cast<T*>(inspector.AddInspectorItem(PathOf(path), value, T::Class));
        item->SetName(std::string(path.substr(path.rfind('/') + 1)));
        return item;
    }
    TrmTreeNonViewNode* Node(std::string_view path) { return inspector.Items().FindPathNode(PathOf(path)); }

    void Key(platform::KeyCode code, platform::ShiftState shift = platform::shift::None)
    {
        inspector.HostKeyDown(code, shift);
    }
    void Type(std::string_view text)
    {
        for (char c : text) {
            char32_t ch = static_cast<unsigned char>(c);
            inspector.HostKeyPress(ch);
        }
    }
    void Click(int32_t x, int32_t y)
    {
        inspector.HostMouseDown(platform::MouseButton::Left, platform::shift::Left, x, y);
        inspector.HostMouseUp(platform::MouseButton::Left, platform::shift::None, x, y);
    }
    // The middle of row `row` as shown now, in the name (false) or value (true) column.
    void ClickRow(int32_t row, bool valueColumn)
    {
        Click(valueColumn ? inspector.SplitPos() + 20 : inspector.SplitPos() - 20,
              (row - inspector.TopIndex()) * 20 + 10);
    }

    CellRasterizer rasterizer; // installed before the inspector exists
    TrmInspector inspector;
};

// A (node, expanded)          row 0
//   A1 (integer 5)            row 1
//   A2 (string abc)           row 2
//   A3 (node, collapsed)      row 3
//     A3x (integer 0)         hidden
// B (check box)               row 4
// C (blank)                   row 5
class InspectorRows : public InspectorTest {
protected:
    InspectorRows()
    {
        Add<TrmNodeInspectorItem>("A", "");
        Add<TrmIntegerInspectorItem>("A/A1", "5");
        Add<TrmStringInspectorItem>("A/A2", "abc");
        Add<TrmNodeInspectorItem>("A/A3", "");
        Add<TrmIntegerInspectorItem>("A/A3/A3x", "0");
        Add<TrmCheckBoxInspectorItem>("B", "True");
        Add<TrmBlankInspectorItem>("C", "text");
        Node("A")->SetExpanded(true);
        inspector.Invalidate();
    }
};

} // namespace

TEST_F(InspectorRows, VisibleRowsFollowTheExpandedNodesAndNodeRowsSumUpTheirChildren)
{
    EXPECT_EQ(inspector.VisibleItemCount(), 6);
    EXPECT_EQ(inspector.GetVisibleItem(3), Node("A/A3"));
    EXPECT_EQ(inspector.GetVisibleItem(-1), inspector.GetVisibleItem(6));
    EXPECT_EQ(inspector.GetVisibleItem(6), nullptr);
    EXPECT_EQ(inspector.VisibileNodeIndex(Node("A/A3/A3x")), -1);
    EXPECT_FALSE(inspector.IsNodeVisible(Node("A/A3/A3x")) || inspector.IsNodeVisible(nullptr));
    EXPECT_EQ(inspector.VisibileItemIndex(inspector.GetItemByName("C")), 5);
    TrmInspector other;
    EXPECT_EQ(inspector.VisibileItemIndex(other.AddItem(nullptr, TrmStringInspectorItem::Class)), -1);
    Node("A/A3")->SetExpanded(true);
    EXPECT_EQ(inspector.VisibileNodeIndex(Node("B")), 5);
    Node("A")->SetExpanded(false);
    EXPECT_EQ(inspector.VisibleItemCount(), 3);
    EXPECT_TRUE(inspector.IsItemVisible(inspector.GetItemByName("C")));
    EXPECT_FALSE(inspector.IsItemVisible(inspector.GetItemByName("A3x")));
    EXPECT_EQ(inspector.GetItemByName("A")->AsString(), "(5, abc, (...))");
    EXPECT_EQ(inspector.GetItemByName("A3")->AsString(), "(0)");
    // A child that is not a node row but has children of its own hides the whole summary.
    Add<TrmIntegerInspectorItem>("A/A1/Deep", "1");
    inspector.Invalidate();
    EXPECT_EQ(inspector.GetItemByName("A")->AsString(), "(...)");
}

TEST_F(InspectorRows, NewRowsTakeTheFirstFreeNamesAndUsedPathsAddNoRow)
{
    TrmCustomInspectorItem* first = inspector.AddItem("A", TrmStringInspectorItem::Class);
    TrmCustomInspectorItem* second = inspector.AddItem(Node("A"), TrmStringInspectorItem::Class);
    EXPECT_EQ(inspector.NodePath(second->Node()), PathOf("A/New Item2"));
    EXPECT_EQ(second->Name(), "rmStringInspectorItem2");
    EXPECT_EQ(first->AsString(), "<Empty Value>");
    EXPECT_EQ(inspector.AddItem("missing", TrmStringInspectorItem::Class), nullptr);
    inspector.RemoveItem("rmStringInspectorItem1");
    TrmCustomInspectorItem* again = inspector.AddItem(Node("A"), TrmStringInspectorItem::Class);
    EXPECT_EQ(inspector.NodePath(again->Node()), PathOf("A/New Item1"));
    EXPECT_EQ(again->Name(), "rmStringInspectorItem1");
    // New rows start with their class's default text.
    for (const auto& [itemClass, text] : {std::pair{&TrmIntegerInspectorItem::Class, std::string("0")},
                                          {&TrmSafeIntegerInspectorItem::Class, std::string()},
                                          {&TrmDateInspectorItem::Class, platform::DateToStr(platform::Today())}})
        EXPECT_EQ(inspector.AddItem(nullptr, *itemClass)->AsString(), text);
    EXPECT_EQ(inspector.GetItemByName("rmDateInspectorItem1")->ClassName(), std::string("TrmDateInspectorItem"));
    const int32_t nodes = inspector.Items().Items().Count();
    // Without the leading separator the path names the same row.
    for (const std::string& path : {PathOf("B"), std::string("B")})
        ExpectThrowWithMessage<EAbort>([&] { inspector.AddInspectorItem(path, "x", TrmStringInspectorItem::Class); },
                                       "The specified path item already exists");
    EXPECT_THROW(Add<TrmIntegerInspectorItem>("New", "abc"), EConvertError);
    EXPECT_EQ(inspector.Items().Items().Count(), nodes);
    EXPECT_EQ(inspector.GetItemByName("B")->AsString(), "True");
}

TEST_F(InspectorRows, SelectionOpensEditorsOnlyForEditableRows)
{
    std::vector<int32_t> changes;
    inspector.OnItemIndexChanged = [&](TObject*) { changes.push_back(inspector.ItemIndex()); };
    inspector.SetItemIndex(1000);
    EXPECT_EQ(inspector.ItemIndex(), 5); // the blank row
    EXPECT_EQ(inspector.Editor(), nullptr);
    EXPECT_EQ(inspector.GetCurrentInspectorItem(), nullptr);
    inspector.SetItemIndex(-1);
    inspector.SetItemIndex(1);
    auto* edit = dynamic_cast<TrmInspectorEdit*>(inspector.Editor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Text(), "5");
    EXPECT_EQ(edit->BoundsRect(), (platform::Rect{101, 25, 225, 37})); // value cell, 5 down, 2 up
    EXPECT_EQ(inspector.GetCurrentInspectorItem(), inspector.GetItemByName("A1"));
    EXPECT_EQ(inspector.CurrentPath(), PathOf("A/A1"));
    inspector.SetItemIndex(4);
    EXPECT_NE(dynamic_cast<TrmInspectorCheckBox*>(inspector.Editor()), nullptr);
    EXPECT_EQ(changes, (std::vector<int32_t>{5, -1, 1, 4}));
    bool allow = false;
    inspector.OnItemIndexChanging = [&](TrmCustomInspectorItem* current, TrmCustomInspectorItem* next, bool& ok) {
        EXPECT_EQ(current, inspector.GetItemByName("B"));
        EXPECT_EQ(next, inspector.GetItemByName("A2"));
        ok = allow;
    };
    inspector.SetItemIndex(2);
    EXPECT_EQ(inspector.ItemIndex(), 4);
    allow = true;
    inspector.SetItemIndex(2);
    EXPECT_EQ(inspector.ItemIndex(), 2);
    ExpectThrowWithMessage<Exception>([&] { inspector.SetCurrentPath(PathOf("nowhere")); },
                                      "Unable to find Inspector Item");
    inspector.OnItemIndexChanging = nullptr;
    inspector.SetCurrentPath(PathOf("A/A3/A3x"));
    EXPECT_TRUE(Node("A/A3")->Expanded());
    EXPECT_EQ(inspector.GetCurrentInspectorItem(), inspector.GetItemByName("A3x"));
}

TEST_F(InspectorRows, AChangingHandlerMayRebuildTheRows)
{
    bool rebuilt = false;
    inspector.OnItemIndexChanging = [&](TrmCustomInspectorItem*, TrmCustomInspectorItem*, bool&) {
        if (!std::exchange(rebuilt, true)) {
            inspector.ClearItems();
            Add<TrmStringInspectorItem>("X", "x");
            Add<TrmStringInspectorItem>("Y", "y");
        }
    };
    inspector.SetItemIndex(4); // the row asked for is gone: the last of the new rows
    EXPECT_EQ(inspector.ItemIndex(), 1);
    EXPECT_EQ(inspector.GetCurrentInspectorItem(), inspector.GetItemByName("Y"));
}

TEST_F(InspectorRows, KeysMoveFoldAndScroll)
{
    namespace key = platform::key;
    using platform::shift::None;
    // Each key, then the selected row and the rows shown; a shifted arrow is not the inspector's.
    const std::tuple<platform::KeyCode, platform::ShiftState, int32_t, int32_t> keys[] = {
        {key::Down, None, 0, 6}, {key::Left, None, 0, 3}, {key::Right, None, 0, 6}, {key::Down, None, 1, 6},
        {key::Down, None, 2, 6}, {key::Down, None, 3, 6}, {key::Right, None, 3, 7}, {key::Up, None, 2, 7},
        {key::Down, platform::shift::Shift, 2, 7}};
    for (const auto& [code, shift, row, shown] : keys) {
        Key(code, shift);
        EXPECT_EQ(std::pair(inspector.ItemIndex(), inspector.VisibleItemCount()), std::pair(row, shown)) << code;
    }
    for (int i = 0; i < 20; ++i)
        Add<TrmStringInspectorItem>("Z" + std::to_string(i), "z");
    inspector.SetItemIndex(0);
    Key(platform::key::PageDown); // nine rows on: ten rows show, the last just partly
    EXPECT_EQ(std::pair(inspector.ItemIndex(), inspector.TopIndex()), std::pair(9, 1));
    Key(platform::key::PageUp);
    EXPECT_EQ(std::pair(inspector.ItemIndex(), inspector.TopIndex()), std::pair(0, 0));
    inspector.HostMouseWheel(platform::shift::None, -120, {}); // towards the user: later rows
    EXPECT_EQ(inspector.TopIndex(), 6);
    inspector.HostMouseWheel(platform::shift::None, 120, {});
    EXPECT_EQ(inspector.TopIndex(), 0);
    inspector.VScroll(TrmScrollCode::scBottom, 0);
    EXPECT_EQ(inspector.TopIndex(), inspector.VScrollSize() - 1);
    inspector.VScroll(TrmScrollCode::scThumbTrack, 1000);
    EXPECT_EQ(inspector.TopIndex(), inspector.VScrollSize());
    inspector.SetItemIndex(26);
    Key(key::Tab); // from the row's editor too, Up and Down keep the selected row in view
    for (int step = 0; step < 20; ++step) {
        Key(step < 12 ? key::Up : key::Down);
        EXPECT_LE(uint32_t(inspector.ItemIndex() - inspector.TopIndex()), 8u) << step;
    }
    EXPECT_TRUE(inspector.Editor()->Focused());
}

TEST_F(InspectorRows, ClicksSelectFoldAndMoveTheSplit)
{
    ClickRow(0, false); // the name column of a parent row folds it
    EXPECT_EQ(std::pair(inspector.ItemIndex(), inspector.VisibleItemCount()), std::pair(0, 3));
    ClickRow(0, false);
    EXPECT_EQ(inspector.VisibleItemCount(), 6);
    ClickRow(2, false); // the name column selects without giving the editor the keys
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_TRUE(inspector.Focused());
    EXPECT_FALSE(inspector.Editor()->Focused());
    ClickRow(1, true);
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_EQ(inspector.ItemIndex(), 1);
    EXPECT_TRUE(inspector.Editor()->Focused());
    inspector.SetSplitResize(true);
    inspector.HostMouseDown(platform::MouseButton::Left, platform::shift::Left, 100, 5);
    inspector.HostMouseMove(platform::shift::Left, 150, 5);
    inspector.HostMouseUp(platform::MouseButton::Left, platform::shift::None, 150, 5);
    EXPECT_EQ(std::pair(inspector.SplitPos(), inspector.ItemIndex()), std::pair(150, 1));
}

TEST_F(InspectorRows, RemovingTheCurrentRowLeavesNoCurrentItem)
{
    inspector.SetItemIndex(1);
    int changes = 0;
    inspector.OnItemIndexChanged = [&](TObject*) { ++changes; };
    inspector.RemoveNode(Node("A"));
    EXPECT_GE(changes, 1);
    EXPECT_EQ(inspector.GetCurrentInspectorItem(), nullptr);
    EXPECT_EQ(inspector.Editor(), nullptr);
    EXPECT_EQ(inspector.VisibleItemCount(), 2);
    EXPECT_EQ(inspector.GetItemByName("A1"), nullptr);
    // Deleted under an open editor, the editor goes with the row.
    inspector.SetItemIndex(0);
    changes = 0;
    inspector.DeleteItem(PathOf("B"));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(inspector.Editor(), nullptr);
    EXPECT_EQ(inspector.ItemIndex(), -1);
    inspector.ClearItems();
    inspector.SetItemIndex(3);
    EXPECT_EQ(std::pair(inspector.ItemIndex(), inspector.VisibleItemCount()), std::pair(-1, 0));
}

TEST_F(InspectorRows, AssignedItemsAreCopiesInTheSameRowsAndMovedRowsLandAfterTheTarget)
{
    auto* choice = Add<TrmComboInspectorItem>("K", "b");
    choice->SetItems({"a", "b"});
    static_cast<TrmIntegerInspectorItem*>(inspector.GetItemByName("A1"))->SetUseRange(true);
    TrmInspector copy;
    copy.AssignItems(inspector);
    EXPECT_EQ(copy.VisibleItemCount(), 7); // A3 stays folded
    for (const char* name : {"A", "A1", "A2", "A3", "A3x", "B", "C", "K"}) {
        const TrmCustomInspectorItem* from = inspector.GetItemByName(name);
        const TrmCustomInspectorItem* to = copy.GetItemByName(name);
        ASSERT_TRUE(to && to != from) << name;
        EXPECT_EQ(&to->ItemClass(), &from->ItemClass()) << name;
        EXPECT_EQ(to->AsString(), from->AsString()) << name;
        EXPECT_EQ(copy.NodePath(to->Node()), inspector.NodePath(from->Node())) << name;
        EXPECT_EQ(copy.GetNodeByItem(to), to->Node()) << name;
    }
    EXPECT_EQ(static_cast<TrmComboInspectorItem*>(copy.GetItemByName("K"))->Items(), choice->Items());
    EXPECT_THROW(copy.GetItemByName("A1")->SetAsString("2"), Exception); // the range came along
    copy.GetItemByName("A2")->SetAsString("zz");
    EXPECT_EQ(copy.GetItemByName("A")->AsString(), "(5, zz, (...))");
    EXPECT_EQ(inspector.GetItemByName("A2")->AsString(), "abc");
    auto roots = [&] {
        std::string names;
        for (TrmTreeNonViewNode* n = inspector.Items().Items().GetFirstNode(); n; n = n->GetNextSibling())
            names += n->Text();
        return names;
    };
    inspector.MoveItem(PathOf("A"), PathOf("B"));
    EXPECT_EQ(roots(), "BACK");
    inspector.MoveItem(PathOf("K"), PathOf("B"));
    EXPECT_EQ(roots(), "BKAC");
    inspector.MoveItem(0, 3);
    EXPECT_EQ(roots(), "KACB");
    inspector.MoveItem(Node("A"), Node("A/A3"), Node("A/A1"));
    EXPECT_EQ(Node("A")->Item(1), Node("A/A3"));
}

TEST_F(InspectorRows, OnItemChangeOncePerCommittedChange)
{
    std::string editorEvents; // the open editor's focus and keys; a 'q' typed is swallowed
    const auto log = [&](char c) { return [&editorEvents, c](auto&&...) { editorEvents += c; }; };
    inspector.OnEditorEnter = log('E'), inspector.OnEditorExit = log('X');
    inspector.OnEditorKeyDown = log('D'), inspector.OnEditorKeyUp = log('U');
    inspector.OnEditorKeyPress = [&](TObject*, char32_t& key) { editorEvents += char(key), key = key == 'q' ? 0 : key; };
    std::vector<std::string> changes;
    inspector.OnItemChange = [&](TObject* sender) {
        EXPECT_EQ(sender, inspector.Editor());
        changes.push_back(inspector.GetCurrentInspectorItem()->AsString());
    };
    ClickRow(2, true); // the string row, its editor taking the keys with the text selected
    Type("xqy");
    EXPECT_EQ(changes, (std::vector<std::string>{"x", "xy"}));
    EXPECT_EQ(inspector.GetItemByName("A")->AsString(), "(5, xy, (...))");
    inspector.Invalidate(); // the editor shows the item's value again: no change of the user's
    Key(platform::key::Escape);
    EXPECT_EQ(changes.size(), 2u);
    Key(platform::key::Down); // from the editor to the next row
    EXPECT_EQ(inspector.ItemIndex(), 3);
    Key(platform::key::Down);
    ASSERT_NE(dynamic_cast<TrmInspectorCheckBox*>(inspector.Editor()), nullptr);
    EXPECT_TRUE(inspector.Editor()->Focused()); // the editors keep the keys until Tab
    Key(platform::key::Space);
    platform::KeyCode space = platform::key::Space;
    inspector.HostKeyUp(space, platform::shift::None);
    EXPECT_EQ(changes.back(), "False");
    EXPECT_EQ(changes.size(), 3u);
    Key(platform::key::Tab); // back to the inspector
    EXPECT_FALSE(inspector.Editor()->Focused());
    auto* safe = Add<TrmSafeIntegerInspectorItem>("S", "");
    inspector.SetItemIndex(inspector.VisibileItemIndex(safe));
    EXPECT_FALSE(inspector.Editor()->Focused());
    Key(platform::key::Tab); // the editor gets the keys
    Type("300"); // 300 is out of range: dropped; the typing stays in the editor until committed
    EXPECT_EQ(changes.size(), 5u);
    EXPECT_EQ(safe->AsString(), "30");
    auto& spin = *static_cast<TrmSafeSpinEdit*>(inspector.Editor());
    EXPECT_EQ(spin.Text(), "300");
    Key(platform::key::Return);
    EXPECT_EQ(spin.Text(), "30");
    spin.SetText("");
    Type("-"); // half-typed: no value yet, and no error until it is committed
    EXPECT_EQ(spin.Text(), "-");
    EXPECT_EQ(safe->AsString(), "");
    EXPECT_THROW(Key(platform::key::Return), EConvertError);
    EXPECT_EQ(editorEvents, "ExqyDDXEDUDXE300D-D"); // each editor's enter, keys and exit in turn
}

TEST_F(InspectorRows, RefusedValuesAndReadonlyCommitNothing)
{
    auto* ranged = static_cast<TrmIntegerInspectorItem*>(inspector.GetItemByName("A1"));
    ranged->SetMaxValue(9);
    ranged->SetUseRange(true);
    int changes = 0;
    inspector.OnItemChange = [&](TObject*) { ++changes; };
    ClickRow(1, true);
    Type("7");
    EXPECT_THROW(Type("0"), Exception); // 70 is out of range
    EXPECT_EQ(ranged->Value(), 7);
    EXPECT_THROW(inspector.SetItemIndex(-1), Exception); // the editor still holds 70
    EXPECT_EQ(inspector.ItemIndex(), 1);
    Key(platform::key::Escape);
    inspector.SetItemIndex(-1);
    EXPECT_EQ(changes, 1);
    inspector.SetReadonly(true);
    inspector.SetItemIndex(2);
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_FALSE(inspector.Editor()->Visible());
    static_cast<TrmInspectorEdit*>(inspector.Editor())->SetText("typed");
    inspector.SetItemIndex(-1);
    EXPECT_EQ(inspector.GetItemByName("A2")->AsString(), "abc");
    EXPECT_EQ(changes, 1);
}

TEST_F(InspectorRows, ChoiceDateAndLongTextRowsEditInTheirOwnEditors)
{
    auto* choice = Add<TrmComboInspectorItem>("K", "b");
    choice->SetItems({"a", "b", "c"});
    std::vector<std::string> changes;
    inspector.OnItemChange = [&](TObject*) { changes.push_back(inspector.GetCurrentInspectorItem()->AsString()); };
    ClickRow(inspector.VisibileItemIndex(choice), true);
    auto* combo = dynamic_cast<TrmInspectorBtnCombo*>(inspector.Editor());
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Text(), "b");
    EXPECT_EQ(combo->Items().size(), 3u);
    Key(platform::key::Right);
    Key(platform::key::Left);
    EXPECT_EQ(changes, (std::vector<std::string>{"c", "b"}));
    Key(platform::key::Up); // with the list closed, Up is the inspector's
    EXPECT_EQ(inspector.ItemIndex(), 5);
    // The date editor shows the row's format and takes a pick as the calendar sets it.
    auto* date = Add<TrmDateInspectorItem>("D", "03/05/2024");
    date->SetDateFormat("dd.mm.yyyy");
    inspector.SetItemIndex(inspector.VisibileItemIndex(date));
    auto* calendar = dynamic_cast<TrmComboCalendar*>(inspector.Editor());
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->Text(), "05.03.2024");
    calendar->SetDate(platform::EncodeDate(2024, 3, 6));
    EXPECT_EQ(changes.back(), "03/06/2024");
    EXPECT_EQ(changes.size(), 3u);
    // The ellipsis buttons of the Ex choice row and of a long text row fire OnComplexEdit.
    auto* other = Add<TrmComboInspectorItemEx>("KX", "y");
    other->SetItems({"x", "y"});
    auto* text = Add<TrmComplexInspectorItem>("L", "long text");
    text->SetEditabled(true);
    TObject* sender = nullptr;
    inspector.OnComplexEdit = [&](TObject* s) { sender = s; };
    const auto clickEllipsis = [&](auto* edit, int32_t button) {
        ASSERT_NE(edit, nullptr);
        TrmSpeedButton* ellipsis = edit->GetButton(button);
        ASSERT_TRUE(ellipsis->Visible());
        Click(edit->Left() + ellipsis->Left() + 2, edit->Top() + ellipsis->Top() + 2);
        EXPECT_EQ(sender, edit);
    };
    inspector.SetItemIndex(inspector.VisibileItemIndex(other));
    auto* ex = dynamic_cast<TrmBtnCombo*>(inspector.Editor());
    EXPECT_TRUE(ex && ex->Text() == "y" && !ex->EditorEnabled());
    clickEllipsis(ex, 2);
    inspector.SetItemIndex(inspector.VisibileItemIndex(text));
    auto* edit = dynamic_cast<TrmBtnEdit*>(inspector.Editor());
    EXPECT_TRUE(edit && edit->Text() == "long text" && edit->ReadOnly());
    clickEllipsis(edit, 1);
}

TEST_F(InspectorRows, PaintsRowsCellsAndHints)
{
    inspector.SetItemIndex(1);
    RecordingCanvas canvas;
    inspector.HostPaint(canvas);
    auto textAt = [&](const std::string& chars) {
        for (const auto& t : canvas.texts)
            if (t.Chars == chars)
                return platform::Point{t.X, t.Y};
        return platform::Point{-1, -1};
    };
    EXPECT_EQ(textAt("A1"), (platform::Point{28, 23})); // one level in, centred in its 20 pixels
    EXPECT_EQ(textAt("abc"), (platform::Point{103, 43}));
    EXPECT_EQ(textAt("C"), (platform::Point{14, 103}));
    bool selectedValueCell = false;
    for (const auto& fill : canvas.fills)
        selectedValueCell |= fill.Area == platform::Rect{101, 20, 225, 39} && fill.Color == CanvasColorOf(clWindow);
    EXPECT_TRUE(selectedValueCell);
    auto* wide = Add<TrmStringInspectorItem>("W", std::string(30, 'w'));
    const int32_t row = inspector.VisibileItemIndex(wide);
    inspector.HostMouseMove(platform::shift::None, 150, row * 20 + 5);
    EXPECT_TRUE(inspector.HintWindow().Visible());
    EXPECT_EQ(inspector.HintWindow().Caption(), wide->AsString());
    EXPECT_EQ(inspector.HintWindow().Width(), 30 * 6 + 3);
    TrmInspector other; // one hint for all: another inspector's leaving keeps this one's
    other.HostMouseLeave();
    EXPECT_EQ(std::pair(&other.HintWindow(), other.HintWindow().Visible()), std::pair(&inspector.HintWindow(), true));
    inspector.HostMouseMove(platform::shift::None, 150, 5); // a short value needs no hint
    EXPECT_FALSE(inspector.HintWindow().Visible());
    inspector.SetToolTip(false);
    inspector.HostMouseMove(platform::shift::None, 150, row * 20 + 5);
    EXPECT_FALSE(inspector.HintWindow().Visible());
}

TEST(InspectorHint, MadeWithTheFirstInspectorAndFreedWithTheLast)
{
    auto first = std::make_unique<TrmInspector>(), second = std::make_unique<TrmInspector>();
    const std::weak_ptr<TrmSharedHint> shared = first->SharedHint();
    first.reset();
    EXPECT_EQ(shared.lock(), second->SharedHint());
    second.reset();
    EXPECT_TRUE(shared.expired());
}

TEST_F(InspectorTest, ASingleBorderIsASunkenEdgeOrOneFlatLine)
{
    for (int i = 0; i < 12; ++i)
        Add<TrmStringInspectorItem>("R" + std::to_string(i), "v");
    inspector.SetBorderStyle(bsSingle);
    struct Case {
        bool ctl3D;
        int32_t border;
        TColor outer, inner; // the pixels at (0, 0) and (1, 1)
    } const cases[] = {{true, 2, clBtnShadow, cl3DDkShadow}, {false, 1, clWindowFrame, clBtnFace}};
    for (const Case& c : cases) {
        inspector.SetCtl3D(c.ctl3D);
        EXPECT_EQ(inspector.VScrollBar().BoundsRect(),
                  (platform::Rect{225 - c.border - TrmScrollBar::kWidth, c.border, 225 - c.border, 200 - c.border}))
            << c.ctl3D;
        PixelCanvas canvas(225, 200);
        inspector.HostPaint(canvas);
        EXPECT_EQ(canvas.At(0, 0), CanvasColorOf(c.outer)) << c.ctl3D;
        EXPECT_EQ(canvas.At(1, 1), CanvasColorOf(c.inner)) << c.ctl3D;
    }
}

TEST(InspectorScrollBar, HoldingTheTrackPagesUntilTheThumbReachesTheMouse)
{
    ManualTimerService timers;
    TrmScrollBar bar;
    bar.SetBounds(0, 0, TrmScrollBar::kWidth, 200);
    bar.SetScrollInfo(20, 5, 0);
    bar.OnScroll = [&](TrmScrollCode code, int32_t position) {
        bar.SetScrollInfo(20, 5, ScrolledTopIndex(code, position, bar.Position(), 5, 20));
    };
    const auto press = [&bar](int32_t y) {
        bar.HostMouseDown(platform::MouseButton::Left, platform::shift::Left, 8, y);
    };
    const auto release = [&bar] { bar.HostMouseUp(platform::MouseButton::Left, platform::shift::None, 8, 180); };
    // Held at y 180: a page at once, the next after 400 ms, then one every 100 ms until
    // the thumb covers the mouse.
    press(180);
    for (const auto& [ms, position] : {std::pair{0, 5}, {399, 5}, {1, 10}, {100, 15}, {100, 20}, {300, 20}}) {
        timers.Advance(ms);
        EXPECT_EQ(bar.Position(), position) << ms;
    }
    release();
    // Released at once: one page; held above the thumb: pages up.
    bar.SetScrollInfo(20, 5, 0);
    press(180);
    release();
    timers.Advance(1000);
    EXPECT_EQ(bar.Position(), 5);
    bar.SetScrollInfo(20, 5, 20);
    press(20);
    timers.Advance(500);
    release();
    EXPECT_EQ(bar.Position(), 5);
}

TEST(InspectorItemClasses, FoundByNameAndAnsweredByFirstListedAncestor)
{
    for (const TrmInspectorItemClass* itemClass : RegisteredInspectorItemClasses()) {
        ASSERT_EQ(FindInspectorItemClass(itemClass->Name), itemClass);
        const auto item = itemClass->Create();
        EXPECT_EQ(item->ClassName(), itemClass->Name);
        EXPECT_EQ(&item->ItemClass(), itemClass);
    }
    EXPECT_EQ(RegisteredInspectorItemClasses().size(), 11u);
    EXPECT_EQ(FindInspectorItemClass("TrmCustomInspectorItem"), nullptr);
    EXPECT_EQ(FindInspectorItemClass("trmstringinspectoritem"), nullptr);
    EXPECT_EQ(&TrmSafeIntegerInspectorItem().GetItemClass(), &TrmIntegerInspectorItem::Class);
    EXPECT_EQ(&TrmComboInspectorItemEx().GetItemClass(), &TrmComboInspectorItem::Class);
    EXPECT_EQ(&TrmCheckBoxExInspectorItem().GetItemClass(), &TrmCheckBoxExInspectorItem::Class);
    EXPECT_FALSE(TrmComplexInspectorItem().Editabled() || TrmNodeInspectorItem().Editabled());
    EXPECT_TRUE(TrmStringInspectorItem().Editabled());
}

TEST(IntegerInspectorItem, RangeIsCheckedOnlyWithUseRangeAndBoundsStayOrdered)
{
    TrmIntegerInspectorItem item;
    item.SetAsString("2"); // the range 0..1 is not checked yet
    EXPECT_EQ(item.Value(), 2);
    item.SetUseRange(true);
    ExpectThrowWithMessage<Exception>([&] { item.SetAsString("-1"); }, "Value must be between 0 and 1");
    ExpectThrowWithMessage<Exception>([&] { item.SetValue(5); }, "Value must be between 0 and 1");
    EXPECT_THROW(item.SetAsString("abc"), EConvertError);
    EXPECT_EQ(item.AsString(), "2");
    item.SetAsString(" 1");
    EXPECT_EQ(item.Value(), 1);
    item.SetUseRange(false);
    item.SetMaxValue(0); // not above MinValue
    EXPECT_EQ(item.MaxValue(), 1);
    item.SetMaxValue(100);
    item.SetValue(80);
    item.SetMaxValue(50); // no range check: the value stays
    EXPECT_EQ(item.Value(), 80);
    item.SetUseRange(true);
    item.SetMaxValue(40);
    EXPECT_EQ(item.Value(), 40);
    item.SetMinValue(40); // not below MaxValue
    EXPECT_EQ(item.MinValue(), 0);
    item.SetValue(3);
    item.SetMinValue(10);
    EXPECT_EQ(item.Value(), 10);
}

TEST(SafeIntegerInspectorItem, EmptyTextAndSilentRange)
{
    TrmSafeIntegerInspectorItem item; // 0..255, checked
    // Each text set, then the text shown: out of range and refused values are dropped.
    const std::pair<const char*, const char*> texts[] = {{"007", "7"}, {"300", "7"}, {"", ""}};
    for (const auto& [text, shown] : texts) {
        item.SetAsString(text);
        EXPECT_EQ(item.AsString(), shown) << text;
    }
    EXPECT_THROW(item.SetAsString("x"), EConvertError);
    item.SetMaxValue(5); // an empty text stays empty
    EXPECT_EQ(item.AsString(), "");
    item.SetAsString("5");
    item.SetValue(-1);
    item.SetMaxValue(3);
    EXPECT_EQ(item.AsString(), "3");
    item.SetMinValue(3); // not below MaxValue 3
    EXPECT_EQ(item.MinValue(), 0);
    item.SetMinValue(2);
    item.SetAsString("1"); // below the new minimum: dropped
    EXPECT_EQ(item.AsString(), "3");
    item.SetUseRange(false);
    item.SetAsString("0042");
    EXPECT_EQ(item.AsString(), "0042");
    item.SetValue(999);
    EXPECT_EQ(item.AsString(), "999");
}

TEST(ValueInspectorItems, CheckBoxTextsOfTwoAndThreeStatesAndShortDates)
{
    TrmCheckBoxInspectorItem box;
    box.SetAsString("TRUE ");
    EXPECT_EQ(box.AsString(), "True");
    box.SetAsString("yes");
    EXPECT_EQ(box.AsString(), "False");
    TrmCheckBoxExInspectorItem three;
    TrmCheckBoxExStrings texts;
    texts.SetTrueState("on");
    texts.SetFalseState("off");
    texts.SetUndefined("");
    three.SetStrings(texts);
    texts.SetTrueState("changed later"); // the item keeps a copy
    three.SetAsString("on");
    EXPECT_EQ(three.State(), cbxTrue);
    three.SetAsString("maybe");
    EXPECT_EQ(three.State(), cbxUndefined);
    EXPECT_EQ(three.AsString(), "");
    three.Strings().SetFalseState("on"); // both texts equal: the false test comes later and wins
    three.SetAsString("on");
    EXPECT_EQ(three.State(), cbxFalse);
    TrmDateInspectorItem date;
    date.SetAsString("3/5/2024");
    EXPECT_EQ(date.Value(), platform::EncodeDate(2024, 3, 5));
    EXPECT_EQ(date.AsString(), "03/05/2024");
    for (const char* bad : {"", "13/01/2024", "02/30/2024", "1/2", "01/02/2024x", "a/b/c"})
        EXPECT_THROW(date.SetAsString(bad), EConvertError) << bad;
    EXPECT_EQ(date.AsString(), "03/05/2024");
}
