// The trees shown as screen pop-ups: dropped down below their owner, a press outside
// hiding them and the keys their owner passes on.
#include "components/rmScreenTreeView.h"
#include "inspector/FakeWindowSystem.h"
#include "support/CellRasterizer.h"

#include <gtest/gtest.h>

using platform::MouseButton;
namespace key = platform::key;
namespace shift = platform::shift;

namespace {

template <class TTree>
struct ScreenTreeTest : ::testing::Test {
    ScreenTreeTest()
    {
        a = tree.Items().AddChild(nullptr, "a");
        b = tree.Items().AddChild(nullptr, "b");
    }

    FakeWindowSystem windows;
    CellRasterizer rasterizer;
    TTree tree;
    TrmTreeNode *a = nullptr, *b = nullptr;
};

using ScreenTrees = ::testing::Types<TrmCustomScreenTreeView, TrmCustomScreenPathTreeView>;
TYPED_TEST_SUITE(ScreenTreeTest, ScreenTrees);

} // namespace

TYPED_TEST(ScreenTreeTest, ALeftPressOutsideHidesAndIsThenHandledAsUsual)
{
    auto& tree = this->tree;
    int presses = 0;
    tree.OnMouseDown = [&](TObject*, MouseButton, platform::ShiftState, int32_t, int32_t) { ++presses; };
    platform::Control owner;
    owner.SetBounds(0, 0, 100, 20);
    tree.DropDown(owner, 120, 80, TDropAbove::WhenReachingBottom); // no desktop known: right below the owner
    EXPECT_EQ(tree.BoundsRect(), (platform::Rect{0, 20, 120, 100}));
    EXPECT_TRUE(tree.MouseCapture());
    // Inside, on the label of the second row: the tree's own.
    tree.HostMouseDown(MouseButton::Left, shift::Left, 25, 1 + tree.RowHeight() + tree.RowHeight() / 2);
    EXPECT_TRUE(tree.Visible());
    EXPECT_EQ(tree.Selected(), this->b);
    tree.HostMouseDown(MouseButton::Right, shift::Right, -5, 300);
    EXPECT_TRUE(tree.Visible()) << "only the left button hides";
    tree.HostMouseDown(MouseButton::Left, shift::Left, -5, 300);
    EXPECT_FALSE(tree.Visible());
    EXPECT_FALSE(tree.MouseCapture());
    EXPECT_EQ(presses, 3);
    EXPECT_EQ(tree.Selected(), this->b);
    tree.HostMouseLeave(); // hidden: the capture stays given up
    EXPECT_FALSE(tree.MouseCapture());
}

TYPED_TEST(ScreenTreeTest, OwnerKeysGoToTheShownTreeAsItsOwn)
{
    auto& tree = this->tree;
    std::vector<platform::KeyCode> ups;
    tree.OnKeyUp = [&](TObject*, platform::KeyCode& Key, platform::ShiftState) { ups.push_back(Key); };
    platform::KeyCode k = key::Down;
    EXPECT_FALSE(tree.TakeKeyDown(k, shift::None)) << "hidden";
    EXPECT_EQ(k, key::Down);
    tree.Show({0, 0, 120, 80});
    using Case = std::tuple<platform::KeyCode, platform::ShiftState, bool>; // the key, its shift, whether taken
    for (const auto& [code, state, taken] : {Case{key::Down, shift::None, true}, {key::Down, shift::Alt, false},
                                             {key::F4, shift::None, false}, {key::Down, shift::None, true}}) {
        k = code;
        EXPECT_EQ(tree.TakeKeyDown(k, state), taken) << code << " " << state;
        EXPECT_EQ(k, taken ? 0 : code) << "a taken key is used up";
    }
    EXPECT_EQ(tree.Selected(), this->b); // the first Down selects a, the second b
    k = key::Down;
    EXPECT_TRUE(tree.TakeKeyUp(k, shift::None));
    EXPECT_EQ(ups, std::vector<platform::KeyCode>{key::Down});
}
