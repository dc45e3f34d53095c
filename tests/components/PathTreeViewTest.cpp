// The path tree view: paths and their index, node structure and states, the item,
// expanded-state and text streams, the delayed change notification, the mouse and keys,
// label editing, drag and drop, hot tracking, the context popup, images and custom drawing.
#include "support/CellRasterizer.h"
#include "components/PixelChecks.h"
#include "components/rmPathTreeView.h"
#include "components/rmTreeStrings.h"
#include "inspector/ExpectMessage.h"
#include "inspector/RecordingCanvas.h"
#include "platform/ManualTimerService.h"
#include "platform/Stream.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

using platform::MouseButton;
namespace key = platform::key;
namespace shift = platform::shift;

namespace {

// Marks where each text starts, so that one can see where a label was drawn.
struct MarkingRasterizer : CellRasterizer {
    static constexpr uint32_t kMark = 0xABCDEF;
    void TextOut(const platform::PixelView& view, int32_t x, int32_t y, const platform::Rect& clip, std::string_view,
                 const platform::FontSpec&) override
    {
        if (clip.Contains(x, y) && x < view.Width && y < view.Height)
            view.Row(y)[x] = 0xFF000000u | kMark;
    }
};

struct TreeFixture : ::testing::Test {
    // a (b (c), d), e
    void MakeSample()
    {
        a = tree.Items().AddChild(nullptr, "a");
        b = tree.Items().AddChild(a, "b");
        c = tree.Items().AddChild(b, "c");
        d = tree.Items().AddChild(a, "d");
        e = tree.Items().AddChild(nullptr, "e");
    }
    std::vector<uint8_t> ItemStream() const
    {
        TMemoryStream stream;
        tree.Items().WriteData(stream);
        return stream.Bytes();
    }
    std::string Text() const
    {
        TMemoryStream stream;
        tree.SaveToStream(stream);
        return std::string(stream.Bytes().begin(), stream.Bytes().end());
    }
    void LoadText(const std::string& text)
    {
        TMemoryStream stream(std::vector<uint8_t>(text.begin(), text.end()));
        tree.LoadFromStream(stream);
    }
    // Every node's path in tree order, each followed by "?" when the index does not find
    // the node by it.
    std::string Paths() const
    {
        std::string paths;
        for (TrmTreeNode* node = tree.Items().GetFirstNode(); node; node = node->GetNext())
            paths += tree.NodePath(node) + (tree.FindPathNode(tree.NodePath(node)) == node ? " " : "? ");
        return paths;
    }
    void Press(platform::KeyCode code) { tree.HostKeyDown(code, shift::None); }
    // Mouse events at the middle of a node's label, in the view's own coordinates.
    static platform::Point LabelMiddle(const TrmTreeNode* node)
    {
        const platform::Rect label = node->DisplayRect(true);
        return {(label.Left + label.Right) / 2, (label.Top + label.Bottom) / 2};
    }
    void Click(const TrmTreeNode* node)
    {
        const platform::Point at = LabelMiddle(node);
        tree.HostMouseDown(MouseButton::Left, shift::Left, at.X, at.Y);
        tree.HostMouseUp(MouseButton::Left, shift::None, at.X, at.Y);
    }
    void MoveOver(const TrmTreeNode* node, platform::ShiftState state = shift::Left)
    {
        tree.HostMouseMove(state, LabelMiddle(node).X, LabelMiddle(node).Y);
    }
    MarkingRasterizer rasterizer;
    TrmPathTreeView tree;
    TrmTreeNode *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr, *e = nullptr;
};

void PutInt32s(std::vector<uint8_t>& bytes, std::initializer_list<int32_t> values)
{
    for (int32_t value : values)
        for (int shiftBits = 0; shiftBits < 32; shiftBits += 8)
            bytes.push_back(uint8_t(uint32_t(value) >> shiftBits));
}

} // namespace

TEST_F(TreeFixture, AddPathNodeCreatesTheMissingAncestorsOnce)
{
    std::vector<std::string> imaged;
    tree.OnGetImageIndex = [&](TObject*, TrmTreeNode* node) { imaged.push_back(node->Text()); };
    TrmTreeNode* made = tree.AddPathNode("a/b");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(std::tuple(Paths(), imaged), std::tuple("/a /a/b ", (std::vector<std::string>{"a", "b"})));
    for (const char* path : {"/a/b", "/a/b/", "a/b/"}) // one separator at the end names b
        EXPECT_EQ(tree.AddPathNode(path), made) << path;
    for (const char* path : {"/a/b/", "a/b", "", "/"})
        EXPECT_EQ(path[0] == 0 || path[1] == 0 ? tree.AddPathNode(path) : tree.FindPathNode(path), nullptr) << path;
    // Empty texts are levels: c under a's empty child is "/a//c", apart from a's own c.
    TrmTreeNode* a = made->GetParent();
    TrmTreeNode* under = tree.Items().AddChild(tree.Items().AddChild(a, ""), "c");
    TrmTreeNode* beside = tree.Items().AddChild(a, "c");
    EXPECT_EQ(std::tuple(tree.NodePath(under->GetParent()), tree.FindPathNode("/a//c"), tree.FindPathNode("/a/c")),
              std::tuple("/a/", under, beside));
    EXPECT_EQ(tree.AddPathNode("/a//c"), under);
    EXPECT_EQ(tree.AddPathNode("/a//d")->GetParent(), under->GetParent()); // the empty level found, not made again
    TrmTreeNode* deep = tree.AddPathNode("//x//y/");                       // "", x, "", y
    EXPECT_EQ(std::pair(tree.AddPathNode("//x//y"), tree.Items().Count()), std::pair(deep, 10));
    // Texts holding separators are found by their own paths as they stand.
    tree.Items().AddChild(nullptr, "x//y");
    tree.Items().AddChild(made, "z/");
    EXPECT_EQ(Paths(), "/a /a/b /a/b/z/ /a/? /a//c /a//d /a/c /? //x //x/? //x//y /x//y "); // empty texts are not filed
}

TEST_F(TreeFixture, EqualSiblingsShareOnePathUntilTheFirstGoes)
{
    TrmTreeNode* first = tree.Items().AddChild(nullptr, "twin");
    TrmTreeNode* second = tree.Items().AddChild(nullptr, "twin");
    EXPECT_EQ(tree.FindPathNode("/twin"), first);
    first->Delete();
    EXPECT_EQ(tree.FindPathNode("/twin"), second); // the survivor takes the path
    second->SetText("twin2");
    second->SetText("twin");
    EXPECT_EQ(tree.FindPathNode("/twin"), second);
}

TEST_F(TreeFixture, RenamingAndMovingRefileTheSubtree)
{
    MakeSample();
    a->SetText("z");
    EXPECT_EQ(std::tuple(Paths(), tree.FindPathNode("/a/b/c")), std::tuple("/z /z/b /z/b/c /z/d /e ", nullptr));
    b->MoveTo(e, naAddChild);
    e->MoveTo(c, naAddChild); // into its own subtree: refused
    EXPECT_EQ(std::tuple(Paths(), tree.FindPathNode("/z/b/c")), std::tuple("/z /z/d /e /e/b /e/b/c ", nullptr));
    EXPECT_TRUE(e->GetChildren() && e->Expanded());
    d->MoveTo(e, naAddChild);
    EXPECT_EQ(std::pair(a->GetChildren(), tree.Items().Index().Count()), std::pair(false, 5)); // a lost its only child
    // Into another tree, which does not own it: refused as adding there is.
    TrmPathTreeView other;
    EXPECT_THROW(d->MoveTo(other.Items().AddChild(nullptr, "x"), naAddChild), ETreeViewError);
    EXPECT_EQ(std::tuple(d->GetParent(), other.Items().Count()), std::tuple(e, 1));
}

TEST_F(TreeFixture, ChangesCostStepsByTheirOwnSizeNotTheTrees)
{
    const auto shownRows = [this] {
        int32_t rows = 0;
        for (const TrmTreeNode* node = tree.Items().GetFirstNode(); node; node = node->GetNextVisible())
            ++rows;
        return rows;
    };
    TrmTreeNode* root = tree.Items().AddChild(nullptr, "r");
    tree.Items().AddChild(root, "0");
    root->Expand(false);
    int64_t before = tree.WalkSteps();
    for (int i = 1; i < 2000; ++i)
        tree.Items().AddChild(root, std::to_string(i));
    EXPECT_LT(tree.WalkSteps() - before, 10 * 2000); // not a recount of the rows each time
    EXPECT_EQ(tree.ShownRowCount(), 2001);
    std::string deep;
    for (int i = 0; i < 2000; ++i)
        deep += "/d";
    before = tree.WalkSteps();
    TrmTreeNode* bottom = tree.AddPathNode(deep);
    EXPECT_LT(tree.WalkSteps() - before, 10 * 2000); // not a walk to the top for each level
    EXPECT_EQ(std::tuple(bottom->GetLevel(), tree.FindPathNode(deep)), std::tuple(1999, bottom));
    // The kept count against a recount, through the changes that show and hide rows.
    MakeSample();
    const std::function<void()> changes[] = {
        [&] { tree.FullExpand(); },                [&] { b->MoveTo(e, naAddChild); }, [&] { a->Collapse(true); },
        [&] { c->MoveTo(root, naAddChildFirst); }, [&] { root->Collapse(false); },    [&] { e->Delete(); },
        [&] { tree.FullExpand(); },                [&] { root->DeleteChildren(); },   [&] { tree.Items().Clear(); },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        changes[i]();
        EXPECT_EQ(tree.ShownRowCount(), shownRows()) << "change " << i;
    }
}

TEST_F(TreeFixture, IndexAccessAndChildAccessRaiseOutside)
{
    MakeSample();
    for (int32_t i : {0, 1, 2, 3, 4, 3, 2, 4, 0}) // in any order, from the kept place
        EXPECT_EQ(tree.Items().GetNodeFromIndex(i)->GetAbsoluteIndex(), i);
    EXPECT_EQ(std::pair(tree.Items().GetNodeFromIndex(3), a->GetItem(1)), std::pair(d, d));
    EXPECT_THROW(tree.Items().GetNodeFromIndex(5), ETreeViewError);
    EXPECT_THROW(tree.Items().GetNodeFromIndex(-1), ETreeViewError);
    ExpectThrowWithMessage<ETreeViewError>([&] { a->GetItem(2); }, "List index out of bounds (2)");
}

TEST_F(TreeFixture, ItemStreamHasTheHandWorkedBytes)
{
    TrmTreeNode* root = tree.Items().AddChild(nullptr, "ab");
    root->SetImageIndex(3);
    root->SetOverlayIndex(2);
    tree.Items().AddChild(root, "");
    // The top-level count, then each node depth first: its record size (25 + text),
    // image, selected, state and overlay indices, data and child count, and its text
    // with a length byte.
    std::vector<uint8_t> expected;
    PutInt32s(expected, {1, 27, 3, 0, -1, 2, 0, 1});
    expected.insert(expected.end(), {2, 'a', 'b'});
    PutInt32s(expected, {25, 0, 0, -1, -1, 0, 0});
    expected.push_back(0);
    EXPECT_EQ(ItemStream(), expected);
}

TEST_F(TreeFixture, ItemAndExpandedStateStreamsRoundTripAndCutLongTexts)
{
    MakeSample();
    a->Expand(true);
    TMemoryStream expanded, empty;
    tree.Items().WriteExpandedState(expanded);
    EXPECT_EQ(expanded.Bytes(), (std::vector<uint8_t>{5, 0, 0, 0, 1, 1, 0, 0, 0}));
    tree.FullCollapse();
    expanded.SetPosition(0);
    tree.Items().ReadExpandedState(expanded);
    EXPECT_TRUE(a->Expanded() && b->Expanded());
    tree.Items().ReadExpandedState(empty);
    c->SetText(std::string(300, 'x'));
    c->SetStateIndex(7);
    const std::vector<uint8_t> bytes = ItemStream();
    TrmPathTreeView copy;
    TMemoryStream stream(bytes);
    copy.Items().ReadData(stream);
    ASSERT_EQ(copy.Items().Count(), 5);
    EXPECT_EQ(copy.FindPathNode("/a/b/" + std::string(255, 'x'))->StateIndex(), 7);
    EXPECT_EQ(copy.FindPathNode("/e"), copy.Items().GetNodeFromIndex(4));
    const size_t at = 4 + 2 * (4 + 25 + 1); // the long node's record: 25 + 255 bytes
    EXPECT_EQ(bytes[at] | bytes[at + 1] << 8, 280);
    copy.Items().Assign(&tree.Items());
    EXPECT_EQ(std::pair(copy.Items().Count(), copy.FindPathNode("/a/b/" + std::string(300, 'x'))->StateIndex()),
              std::pair(5, 7));
}

TEST_F(TreeFixture, BadItemStreamsAreRefusedAndLeaveNothing)
{
    MakeSample();
    const std::vector<uint8_t> good = ItemStream();
    // The byte changed and its new value (-1: the stream is cut short there).
    const std::pair<size_t, int> cases[] = {
        {good.size() - 1, -1}, // cut short
        {3, 0xFF},             // a negative top-level count
        {2, 0x10},             // more top-level nodes than bytes
        {4, 24},               // a record shorter than its fixed part
        {4 + 4 + 24, 9},       // a text longer than its record
        {4 + 4 + 20, 0x7F},    // a child count past the end
    };
    for (const auto& [at, value] : cases) {
        std::vector<uint8_t> bytes = good;
        if (value < 0)
            bytes.resize(at);
        else
            bytes[at] = uint8_t(value);
        TMemoryStream stream(bytes);
        EXPECT_THROW(tree.Items().ReadData(stream), EStreamError) << "byte " << at;
        EXPECT_EQ(std::pair(tree.Items().Count(), tree.Items().Index().Count()), std::pair(0, 0)) << "byte " << at;
    }
}

TEST_F(TreeFixture, TextFormSavesTabsAndLoadsLevels)
{
    MakeSample();
    EXPECT_EQ(Text(), "a\r\n\tb\r\n\t\tc\r\n\td\r\ne\r\n");
    LoadText("a\n b\n\t\tc\n e\nf"); // tabs or spaces: one each a level
    EXPECT_EQ(Paths(), "/a /a/b /a/b/c /a/e /f ");
    ExpectThrowWithMessage<ETreeViewError>([&] { LoadText("a\n\t\tdeep"); }, "Invalid level (2) for item \"deep\"");
    EXPECT_EQ(tree.Items().Count(), 0);
    // The same lines as a list of strings, each with its node's data as its object.
    TTreeStrings lines(tree.Items());
    int data = 0;
    for (const char* line : {"a", "\tb", "\t\tc", "d"})
        lines.Add(line);
    EXPECT_EQ(lines.AddObject("\te", &data), 4);
    EXPECT_EQ(lines.Text(), "a\r\n\tb\r\n\t\tc\r\nd\r\n\te\r\n");
    EXPECT_EQ(std::pair(lines.Strings(2), lines.Objects(4) == &data), std::pair(std::string("\t\tc"), true));
    EXPECT_THROW(lines.Add("\t\t\tdeep"), ETreeViewError);
    EXPECT_EQ(lines.Count(), 5);
}

TEST_F(TreeFixture, AHiddenSelectionMovesUpAndTheDelayedChangeReportsTheLastSelectionOnce)
{
    ManualTimerService timers;
    MakeSample();
    a->Expand(false);
    tree.SetSelected(b);
    a->Collapse(false); // the hidden selection moves up
    EXPECT_EQ(tree.Selected(), a);
    std::vector<TrmTreeNode*> changes;
    tree.OnChange = [&](TObject*, TrmTreeNode* node) { changes.push_back(node); };
    tree.SetChangeDelay(300);
    for (TrmTreeNode* node : {a, d, e}) {
        tree.SetSelected(node);
        timers.Advance(100);
    }
    timers.Advance(199);
    EXPECT_TRUE(changes.empty());
    timers.Advance(1);
    EXPECT_EQ(changes, (std::vector<TrmTreeNode*>{e}));
    tree.SetSelected(a);
    tree.Items().AddChild(e, "new"); // the insertion drops the pending report
    timers.Advance(1000);
    tree.SetSelected(d);
    d->Delete(); // the pending node goes: nothing is reported about it
    timers.Advance(1000);
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(TreeFixture, NodesMarkedAsHavingChildrenAskOnExpandingBeforeTheyOpen)
{
    MakeSample();
    e->SetChildren(true); // filled on demand
    std::vector<std::string> asked;
    tree.OnExpanding = [&](TObject*, TrmTreeNode* node, bool&) {
        asked.push_back(node->Text());
        if (node == e && !e->getFirstChild())
            tree.Items().AddChild(tree.Items().AddChild(e, "loaded"), "deeper");
    };
    tree.HostMouseDown(MouseButton::Left, shift::Left, e->DisplayRect(true).Left - 9, e->DisplayRect(true).Top + 2);
    EXPECT_EQ(std::tuple(e->Expanded(), e->GetCount(), tree.ShownRowCount()), std::tuple(true, 1, 3));
    tree.FullExpand(); // also into what the handler added
    EXPECT_EQ(std::pair(asked, tree.ShownRowCount()), std::pair(std::vector<std::string>{"e", "a", "b", "loaded"}, 7));
    TrmTreeNode* empty = tree.Items().AddChild(nullptr, "empty");
    empty->SetChildren(true);
    empty->Expand(false); // nothing added: it stays closed, its mark kept
    EXPECT_EQ(std::tuple(empty->Expanded(), empty->GetChildren(), asked.back()), std::tuple(false, true, "empty"));
}

TEST_F(TreeFixture, TypedLettersSelectByTheirStartAndAPauseStartsAgain)
{
    ManualTimerService timers;
    for (const char* name : {"Ash", "birch", "Beech", "cedar"})
        tree.Items().AddChild(nullptr, name);
    // Keys typed ("." waits out the pause), then the text of the node selected.
    const std::pair<const char*, const char*> steps[] = {
        {"b", "birch"}, {"b", "Beech"}, {"b", "birch"}, // one letter again steps round
        {".be", "Beech"}, {"x", "Beech"},              // "bex" starts no text
        {".A", "Ash"},  {".c", "cedar"},  {".", "cedar"},
    };
    for (const auto& [keys, selected] : steps) {
        for (const char* k = keys; *k; ++k) {
            if (*k == '.') {
                timers.Advance(TrmPathTreeView::kTypeAheadPauseMs);
                continue;
            }
            Press(platform::KeyCode(std::toupper(*k)));
            char32_t typed = char32_t(*k);
            tree.HostKeyPress(typed);
        }
        EXPECT_EQ(tree.Selected()->Text(), selected) << keys;
    }
}

TEST_F(TreeFixture, LabelsAreEditedInPlaceByMouseAndKeys)
{
    MakeSample();
    std::vector<std::string> edited;
    tree.OnEdited = [&](TObject*, TrmTreeNode*, std::string& s) {
        edited.push_back(s);
        s += "!";
    };
    Click(a); // selects
    EXPECT_FALSE(tree.IsEditing());
    Click(a); // a second click on the selected label edits it
    ASSERT_TRUE(tree.IsEditing());
    EXPECT_EQ(std::pair(tree.EditControl()->Text(), tree.EditControl()->BoundsRect().Left),
              std::pair(std::string("a"), a->DisplayRect(true).Left));
    // Started by F2 or a click, ended by Enter, Escape or leaving the view.
    using Edit = std::tuple<const char32_t*, platform::KeyCode, const char*>; // typed, ending key (0: leaving), text
    for (const auto& [typed, end, text] :
         {Edit{U"xy", key::Return, "xy!"}, {U"zz", key::Escape, "xy!"}, {U"w", 0, "w!"}}) {
        if (!tree.IsEditing())
            Press(key::F1 + 1);
        ASSERT_TRUE(tree.IsEditing());
        for (char32_t ch : std::u32string_view(typed))
            tree.HostKeyPress(ch);
        if (end != 0)
            Press(end);
        else
            tree.HostFocusChanged(false);
        EXPECT_EQ(std::pair(tree.IsEditing(), a->Text()), std::pair(false, std::string(text))) << end;
        tree.HostFocusChanged(true);
    }
    EXPECT_EQ(std::tuple(edited, tree.FindPathNode("/w!/b/c")), std::tuple((std::vector<std::string>{"xy", "w"}), c));
    tree.OnEditing = [](TObject*, TrmTreeNode* node, bool& allow) { allow = node->Text() != "e"; };
    EXPECT_FALSE(e->EditText());
    tree.SetReadOnly(true);
    EXPECT_FALSE(d->EditText());
    tree.SetReadOnly(false);
    EXPECT_TRUE(d->EditText());
    d->EndEdit(true);
    EXPECT_FALSE(tree.IsEditing());
}

TEST_F(TreeFixture, NodesAreDraggedWithinTheViewOntoAcceptingTargets)
{
    MakeSample();
    a->Expand(true); // rows: a b c d e
    tree.SetDragMode(dmAutomatic);
    tree.OnDragOver = [&](TObject*, TObject* source, int32_t x, int32_t y, TDragOverState, bool& accept) {
        const TrmTreeNode* target = tree.GetNodeAt(x, y);
        accept = source == &tree && target && target != tree.DraggedNode() && !target->HasAsParent(tree.DraggedNode());
    };
    tree.OnDragDrop = [&](TObject*, TObject*, int32_t, int32_t) {
        tree.DraggedNode()->MoveTo(tree.DropTarget(), naAddChild);
    };
    std::vector<bool> ends; // whether each drag ended on a target
    tree.OnEndDrag = [&](TObject*, TObject* target, int32_t, int32_t) { ends.push_back(target != nullptr); };
    const platform::Point from = LabelMiddle(b), drop = LabelMiddle(e);
    tree.HostMouseDown(MouseButton::Left, shift::Left, from.X, from.Y);
    tree.HostMouseMove(shift::Left, from.X + 3, from.Y); // within the threshold: no drag yet
    EXPECT_EQ(tree.DraggedNode(), nullptr);
    namespace cursor = platform::cursor;
    using Step = std::tuple<TrmTreeNode*, TrmTreeNode*, platform::CursorId>; // over, target, cursor
    for (const auto& [over, target, shown] :
         {Step{e, e, cursor::Drag}, {c, nullptr, cursor::NoDrop}, {d, d, cursor::Drag}, {e, e, cursor::Drag}}) {
        MoveOver(over);
        // The drag image is b's label, moved with the mouse.
        const platform::Point at = LabelMiddle(over);
        EXPECT_EQ(std::tuple(tree.DraggedNode(), tree.DropTarget(), tree.ShownCursor(), tree.DragImageRect()),
                  std::tuple(b, target, shown, b->DisplayRect(true).Offset(at.X - from.X, at.Y - from.Y)))
            << over->Text();
    }
    // The drag image list holds what the view draws under the mouse, b's label in it.
    ASSERT_EQ(tree.GetDragImages()->Bitmaps()->Count(), 1);
    const TBitmap32& image = *tree.GetDragImages()->Bitmap(0);
    const platform::Rect shown = tree.DragImageRect();
    ASSERT_EQ(std::pair(image.Width(), image.Height()), std::pair(shown.Width(), shown.Height()));
    PixelCanvas canvas(121, 97);
    tree.HostPaint(canvas);
    for (int32_t y = 0; y < image.Height(); ++y)
        for (int32_t x = 0; x < image.Width(); ++x)
            ASSERT_EQ(canvas.At(shown.Left + x, shown.Top + y), image.GetPixel(x, y) & 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(image.GetPixel(2, 1) & 0xFFFFFFu, MarkingRasterizer::kMark);
    tree.HostMouseUp(MouseButton::Left, shift::None, drop.X, drop.Y);
    EXPECT_EQ(Paths(), "/a /a/d /e /e/b /e/b/c ");
    EXPECT_EQ(std::tuple(tree.DraggedNode(), tree.DropTarget(), tree.GetDragImages()->Bitmaps()->Count()),
              std::tuple(nullptr, nullptr, 0));
    // Escape cancels a drag: nothing moves.
    tree.HostMouseDown(MouseButton::Left, shift::Left, LabelMiddle(d).X, LabelMiddle(d).Y);
    tree.HostMouseMove(shift::Left, drop.X, drop.Y);
    ASSERT_EQ(tree.DraggedNode(), d);
    Press(key::Escape);
    tree.HostMouseUp(MouseButton::Left, shift::None, drop.X, drop.Y);
    EXPECT_EQ(std::pair(d->GetParent(), ends), std::pair(a, std::vector<bool>{true, false}));
}

TEST_F(TreeFixture, RightToLeftReadingLaysTheRowsOutFromTheRightEdge)
{
    MakeSample();
    a->Expand(true); // rows: a b c d e
    tree.SetRowSelect(true);
    tree.SetSelected(b);
    tree.SetFocus();
    tree.SetBiDiMode(bdRightToLeft);
    RecordingCanvas canvas;
    tree.HostPaint(canvas);
    EXPECT_TRUE(canvas.texts.empty());
    // The focused row's mark runs, as the row is mirrored, from its label to the left edge.
    const platform::Rect label = b->DisplayRect(true);
    EXPECT_EQ(canvas.focusRects.at(0), (platform::Rect{tree.ClientArea().Left, label.Top, label.Right, label.Bottom}));
    // Each label ends one indent a level (and one for the root column) in from the right
    // edge; its text, read right to left, ends 2 pixels inside the label.
    const int32_t right = tree.ClientArea().Right, indent = tree.EffectiveIndent();
    for (const auto& [node, level, row] : {std::tuple{a, 1, 0}, {b, 2, 1}, {c, 3, 2}, {e, 1, 4}}) {
        const platform::Rect label = node->DisplayRect(true);
        EXPECT_EQ(label.Right, right - level * indent) << node->Text();
        const RecordingCanvas::Text& text = canvas.rightToLeftTexts.at(size_t(row));
        EXPECT_EQ(std::tuple(text.Chars, text.X), std::tuple(node->Text(), label.Right - 2));
        EXPECT_EQ(tree.GetHitTestInfoAt(LabelMiddle(node).X, LabelMiddle(node).Y), hit::htOnItem | hit::htOnLabel);
    }
    EXPECT_EQ(tree.GetHitTestInfoAt(right - indent / 2, LabelMiddle(b).Y), hit::htOnIndent);
    Click(c);
    // The label edit reads as the view does, growing leftwards from the label's right end.
    ASSERT_TRUE(c->EditText());
    EXPECT_EQ(std::tuple(tree.Selected(), tree.EditControl()->BiDiMode(), tree.EditControl()->BoundsRect().Right),
              std::tuple(c, bdRightToLeft, c->DisplayRect(true).Right));
}

TEST_F(TreeFixture, HotTrackingAndTheHintOfCutOffNamesFollowTheMouse)
{
    MakeSample();
    e->SetText(std::string(30, 'n')); // wider than the client area
    tree.SetHotTrack(true);
    const auto colorOfA = [this] {
        RecordingCanvas canvas;
        tree.HostPaint(canvas);
        for (const RecordingCanvas::Text& t : canvas.texts)
            if (t.Chars == "a")
                return t.Color;
        return platform::CanvasColor(0xDEAD);
    };
    EXPECT_EQ(colorOfA(), CanvasColorOf(clWindowText));
    for (const auto& [at, hot, hint] : {std::tuple<platform::Point, TrmTreeNode*, bool>{LabelMiddle(a), a, false},
                                        {{60, 60}, nullptr, false}, {LabelMiddle(e), e, true}}) {
        tree.HostMouseMove(shift::None, at.X, at.Y);
        EXPECT_EQ(std::pair(tree.HotNode(), tree.NameHint().Visible()), std::pair(hot, hint)) << at.Y;
        if (hot == a) {
            EXPECT_EQ(colorOfA(), CanvasColorOf(clHighlight)); // drawn hot
        }
    }
    EXPECT_EQ(tree.NameHint().Caption(), e->Text());
    tree.HostMouseMove(shift::None, 60, 60);
    tree.SetBiDiMode(bdRightToLeft); // the one hint window reads as the view that shows it
    tree.HostMouseMove(shift::None, LabelMiddle(e).X, LabelMiddle(e).Y);
    EXPECT_EQ(std::pair(tree.NameHint().Visible(), tree.NameHint().BiDiMode()), std::pair(true, bdRightToLeft));
    // All views show their hints in one window; another view's leaving keeps this one's.
    TrmPathTreeView other;
    other.HostMouseLeave();
    EXPECT_EQ(std::pair(&other.NameHint(), other.NameHint().Visible()), std::pair(&tree.NameHint(), true));
    const std::pair<TrmTreeNode*, bool> none(nullptr, false);
    ASSERT_TRUE(tree.WindowScrollBars().Shows(sbHorizontal));
    tree.HostMouseMove(shift::None, 60, tree.Height() - 5); // over the bar
    EXPECT_EQ(std::pair(tree.HotNode(), tree.NameHint().Visible()), none);
    tree.HostMouseMove(shift::None, LabelMiddle(e).X, LabelMiddle(e).Y);
    tree.HostMouseLeave();
    EXPECT_EQ(std::pair(tree.HotNode(), tree.NameHint().Visible()), none);
    tree.SetToolTips(false);
    tree.SetHotTrack(false);
    MoveOver(e, shift::None);
    EXPECT_EQ(std::pair(tree.HotNode(), tree.NameHint().Visible()), none);
}

TEST_F(TreeFixture, ImagesCustomDrawScrollingAutoExpandAndReCreation)
{
    MakeSample();
    TBitmap32List images, states;
    for (TColor32 color : {0xFF0000FFu, 0xFF00FF00u, 0x00FFFFFFu}) {
        TBitmap32* image = images.Bitmaps()->Add()->Bitmap();
        image->SetSize(16, 16);
        image->Clear(color);
    }
    images.Bitmap(2)->FillRect(0, 8, 8, 16, 0xFFFF0000u); // see-through but for an opaque bottom-left quarter
    states.Bitmaps()->Add()->Bitmap()->SetSize(8, 16);
    states.Bitmap(0)->Clear(0xFFFF0000u);
    tree.SetImages(&images);
    tree.SetStateImages(&states);
    a->SetSelectedIndex(1);
    e->SetStateIndex(0);
    e->SetOverlayIndex(2);
    // Rows 16 high from y 2; a's button column is x 2..21, its state image 21..29, its
    // image 29..45 with the overlay blended over it, its label from 45.
    EXPECT_EQ(a->DisplayRect(true).Left, 45);
    EXPECT_EQ(std::pair(tree.GetHitTestInfoAt(25, 10), tree.GetHitTestInfoAt(35, 10)),
              std::pair(THitTests(hit::htOnItem | hit::htOnStateIcon), THitTests(hit::htOnItem | hit::htOnIcon)));
    PixelCanvas unselected(121, 97), selected(121, 97);
    tree.HostPaint(unselected);
    ExpectPixels(unselected, {{35, 10, 0x0000FF}, {25, 26, 0xFF0000}, {35, 20, 0x0000FF}, {35, 26, 0xFF0000}});
    tree.SetSelected(a); // the selected index now
    tree.HostPaint(selected);
    ExpectPixels(selected, {{35, 10, 0x00FF00}});
    // Custom draw: e is left to the handler; the stages come before and after the items.
    std::vector<TCustomDrawStage> stages;
    tree.OnCustomDrawItem = [&](TObject*, TrmTreeNode* node, TCustomDrawState state, bool& defaultDraw) {
        defaultDraw = node != e;
        EXPECT_EQ((state & cds::cdsSelected) != 0, node == tree.Selected());
    };
    tree.OnAdvancedCustomDraw = [&](TObject*, const platform::Rect&, TCustomDrawStage stage, bool&) {
        stages.push_back(stage);
        EXPECT_NE(tree.Canvas(), nullptr);
    };
    RecordingCanvas canvas;
    tree.HostPaint(canvas);
    EXPECT_EQ(canvas.texts.size(), 1u);
    EXPECT_EQ(stages, (std::vector<TCustomDrawStage>{cdPrePaint, cdPostPaint}));
    // A name wider than the client area brings the horizontal bar; it scrolls by pixels.
    EXPECT_FALSE(tree.WindowScrollBars().Shows(sbHorizontal));
    e->SetText(std::string(40, 'n'));
    ASSERT_TRUE(tree.WindowScrollBars().Shows(sbHorizontal));
    const int32_t left = e->DisplayRect(true).Left;
    tree.Scroll(sbHorizontal, scPageDown, 0);
    EXPECT_GT(tree.LeftPixel(), 0);
    EXPECT_EQ(e->DisplayRect(true).Left, left - tree.LeftPixel());
    // AutoExpand: the node selected opens, the one selected before closes.
    tree.SetAutoExpand(true);
    tree.SetSelected(b);
    EXPECT_TRUE(a->Expanded() && b->Expanded());
    tree.SetSelected(d);
    EXPECT_TRUE(a->Expanded() && !b->Expanded());
    // A new border re-creates the window: nodes, open states, selection and top stay.
    tree.SetTopItem(d);
    const TrmTreeNode* top = tree.TopItem();
    tree.SetBorderStyle(bsNone);
    EXPECT_EQ(tree.ClientArea().Left, 0);
    EXPECT_EQ(std::tuple(tree.Items().Count(), a->Expanded(), tree.Selected(), tree.TopItem()),
              std::tuple(5, true, d, top));
    // A border width is a margin in the view's colour inside the border.
    for (const auto& [width, inside] : {std::pair{-4, 0}, {3, 3}}) {
        tree.SetBorderWidth(width);
        EXPECT_EQ(std::pair(tree.ClientArea().Top, top->DisplayRect(true).Top), std::pair(inside, inside)) << width;
    }
    PixelCanvas margin(121, 97);
    tree.HostPaint(margin);
    EXPECT_EQ(margin.At(2, 2), tree.Color());
    // The lists are followed: a larger image makes the rows higher at once; a list that
    // goes away leaves the view.
    ASSERT_FALSE(tree.WindowScrollBars().Shows(sbVertical));
    states.Bitmap(0)->SetSize(8, 32);
    EXPECT_EQ(std::pair(tree.RowHeight(), tree.WindowScrollBars().Shows(sbVertical)), std::pair(32, true));
    tree.SetImages(std::make_unique<TBitmap32List>().get()); // gone at once
    EXPECT_EQ(tree.Images(), nullptr);
}

TEST_F(TreeFixture, ARightClickRaisesTheContextPopupWithTheNodeItSelects)
{
    MakeSample();
    struct Menu : TPopupMenu {
        void Popup(int32_t X, int32_t Y) override { at.push_back({X, Y}); }
        std::vector<platform::Point> at;
    } menu;
    tree.SetPopupMenu(&menu);
    bool refuse = false, handle = false;
    tree.OnChanging = [&](TObject*, TrmTreeNode*, bool& allow) { allow = !refuse; };
    TrmTreeNode* seen = nullptr;
    tree.OnContextPopup = [&](TObject*, platform::Point, bool& handled) {
        seen = tree.Selected();
        handled = handle;
    };
    // Right-click select, refused change, handled popup; the selection during and after.
    using Case = std::tuple<bool, bool, bool, TrmTreeNode*, TrmTreeNode*>;
    for (const auto& [select, refused, handled, during, after] :
         {Case{false, false, false, a, a}, {true, false, false, e, e}, {true, true, true, e, a}}) {
        refuse = false;
        tree.SetSelected(a);
        tree.SetRightClickSelect(select);
        std::tie(refuse, handle) = std::pair(refused, handled);
        menu.at.clear();
        const platform::Point at = LabelMiddle(e);
        tree.HostMouseDown(MouseButton::Right, shift::Right, at.X, at.Y);
        tree.HostMouseUp(MouseButton::Right, shift::None, at.X, at.Y);
        EXPECT_EQ(std::pair(seen, tree.Selected()), std::pair(during, after)) << select << refused;
        // No host: the screen is the view's own coordinates.
        EXPECT_EQ(menu.at, handled ? std::vector<platform::Point>{} : std::vector<platform::Point>{at});
    }
}
