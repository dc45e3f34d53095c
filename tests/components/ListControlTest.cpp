// The scrollable list base through the simple list control: index and scroll
// arithmetic, mouse, wheel, range selection, the window scroll bars and painting.
#include "support/CellRasterizer.h"
#include "components/PixelChecks.h"
#include "components/rmListControl.h"
#include "graphics/SystemColorNames.h"
#include "inspector/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using platform::MouseButton;
using platform::Rect;
namespace key = platform::key;
namespace shift = platform::shift;

namespace {

constexpr int32_t kRow = CellRasterizer::kLineHeight;

struct ListFixture : ::testing::Test {
    // A borderless list without bars, `rows` rows high, holding `count` lines "line i".
    void Make(int32_t count, int32_t rows)
    {
        list.SetBounds(0, 0, 100, rows * kRow);
        std::vector<std::string> lines;
        for (int32_t i = 0; i < count; ++i)
            lines.push_back("line " + std::to_string(i));
        list.SetItems(lines);
    }
    void Click(int32_t x, int32_t y, platform::ShiftState state = shift::None)
    {
        list.HostMouseDown(MouseButton::Left, state, x, y);
        list.HostMouseUp(MouseButton::Left, shift::None, x, y);
    }
    CellRasterizer rasterizer;
    TrmListControl list;
};

} // namespace

TEST(ExtendSelection, EveryCaseOfTheRangeTable)
{
    // The old index, the range, the new index; the new range. Forward from the range's end, past
    // a one-item range, past the end of a longer range, inside the range; back from the range's
    // start, still after the start, past the start of a longer range, past a one-item range.
    using Case = std::tuple<int32_t, int32_t, int32_t, int32_t, std::pair<int32_t, int32_t>>;
    const Case cases[] = {{3, 1, 3, 5, {1, 5}}, {1, 2, 2, 4, {2, 4}}, {1, 1, 3, 5, {3, 5}}, {1, 0, 4, 2, {2, 4}},
                          {4, 4, 6, 2, {2, 6}}, {6, 2, 5, 3, {2, 3}}, {6, 3, 5, 1, {1, 3}}, {6, 3, 3, 1, {1, 3}}};
    for (const auto& [old, start, end, now, range] : cases)
        EXPECT_EQ(ExtendSelection(old, start, end, now), range) << old << " " << start << ".." << end << " -> " << now;
}

TEST_F(ListFixture, EmptyListKeepsNoIndexAndPaintsOnlyBackground)
{
    Make(0, 4);
    list.SetItemIndex(5);
    platform::KeyCode down = key::Down;
    list.HostKeyDown(down, shift::None);
    EXPECT_EQ(list.ItemIndex(), -1);
    RecordingCanvas canvas;
    list.HostPaint(canvas);
    EXPECT_TRUE(canvas.texts.empty());
    ASSERT_EQ(canvas.fills.size(), 1u);
    EXPECT_EQ(std::pair(canvas.fills[0].Area, canvas.fills[0].Color),
              std::pair(Rect{0, 0, 100, 4 * kRow}, CanvasColorOf(clWindow)));
    // Emptied after use: no line stays current.
    list.Items().Add("x");
    list.Items().Clear();
    EXPECT_EQ(std::pair(list.ItemIndex(), list.SelStart()), std::pair(-1, -1));
}

TEST_F(ListFixture, WheelAndScrollRequestsStepAndClamp)
{
    Make(10, 3);
    using Case = std::tuple<TScrollBarKind, TScrollCode, int32_t, int32_t>; // the bar, request, position asked; place
    const Case cases[] = {
        {sbVertical, scLineDown, 0, 1},  {sbVertical, scPageDown, 0, 4}, {sbVertical, scBottom, 0, 7},
        {sbVertical, scLineDown, 0, 7},  {sbVertical, scTrack, 2, 2},    {sbVertical, scPageUp, 0, 0},
        {sbVertical, scPosition, 99, 7}, {sbVertical, scTop, 0, 0},
        // "line 0" is 36 pixels wide; a 20-pixel wide list scrolls 16 pixels, a page is 8.
        {sbHorizontal, scLineDown, 0, 1}, {sbHorizontal, scPageDown, 0, 9}, {sbHorizontal, scPageDown, 0, 16},
        {sbHorizontal, scLineUp, 0, 15},  {sbHorizontal, scTop, 0, 0},      {sbHorizontal, scBottom, 0, 16},
    };
    list.SetWidth(20);
    for (const auto& [bar, code, position, place] : cases) {
        list.Scroll(bar, code, position);
        EXPECT_EQ(bar == sbVertical ? list.TopIndex() : list.HScrollPos(), place) << int(bar) << " code " << int(code);
    }
    list.SetLongestLineLength(INT32_MAX); // a page past the 32-bit range stops at the end
    list.Scroll(sbHorizontal, scBottom, 0);
    list.Scroll(sbHorizontal, scPageDown, 0);
    EXPECT_EQ(list.HScrollPos(), INT32_MAX - 20);
    Make(20, 4);
    list.SetTopIndex(10);
    for (const auto& [delta, top] : {std::pair{240, 8}, {100, 8}, {-2400, 16}}) { // whole notches; 20 lines less 4 rows
        list.HostMouseWheel(shift::None, delta, {5, 5});
        EXPECT_EQ(list.TopIndex(), top) << delta;
    }
}

TEST_F(ListFixture, ClicksPickRowsAndStepOutsideTheClient)
{
    Make(10, 3);
    list.SetTopIndex(2);
    Click(5, kRow + 2);
    EXPECT_EQ(std::pair(list.ItemIndex(), list.Focused()), std::pair(3, true));
    Click(5, 3 * kRow + 40); // below the client counts as a row below its bottom edge: rows 2..4 show
    EXPECT_EQ(std::pair(list.ItemIndex(), list.TopIndex()), std::pair(6, 4));
    list.SetMultiSelect(true); // dragging with the button held extends with MultiSelect
    list.HostMouseDown(MouseButton::Left, shift::None, 5, 0);
    list.HostMouseMove(shift::Left, 5, 2 * kRow + 1);
    EXPECT_EQ(std::pair(list.SelStart(), list.SelEnd()), std::pair(4, 6));
}

TEST_F(ListFixture, SelectionShowsOnlyWhenFocusedAndNotHidden)
{
    Make(3, 3);
    list.SetItemIndex(1);
    std::vector<bool> selected;
    list.OnFormatDrawing = [&](TObject*, TrmRowCanvas& row, bool isSelected, std::string& text) {
        selected.push_back(isSelected);
        text += "!";
        if (!isSelected)
            row.Font.Color = 0x123456;
    };
    const auto paint = [&](RecordingCanvas& canvas) {
        selected.clear();
        list.HostPaint(canvas);
        return std::count_if(canvas.fills.begin(), canvas.fills.end(),
                             [](const auto& fill) { return fill.Color == CanvasColorOf(clHighlight); });
    };
    RecordingCanvas unfocused, focused, hidden;
    EXPECT_EQ(paint(unfocused), 0);
    EXPECT_EQ(selected, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(std::pair(unfocused.texts[0].Chars, unfocused.texts[0].Color),
              std::pair(std::string("line 0!"), 0x123456u));
    list.SetFocus();
    EXPECT_EQ(paint(focused), 1);
    EXPECT_EQ(focused.texts[1].Color, CanvasColorOf(clHighlightText));
    EXPECT_EQ(focused.focusRects, (std::vector<Rect>{{0, kRow, 100, 2 * kRow}}));
    list.SetHideSelection(true);
    EXPECT_EQ(paint(hidden), 0);
    EXPECT_EQ(selected, (std::vector<bool>{false, false, false}));
}

TEST_F(ListFixture, TheHorizontalBarFollowsEveryLineGivenBeforeItShows)
{
    list.SetScrollBars(ssBoth);
    list.SetItems({std::string(100, 'w')}); // 600 pixels in a 383-pixel client
    RecordingCanvas canvas;
    list.HostPaint(canvas);
    EXPECT_TRUE(list.WindowScrollBars().Bar(sbHorizontal).DrawEnabled());
    TrmListControl added; // filled line by line, then sized: the widest line counts
    added.SetScrollBars(ssBoth);
    for (size_t length : {2, 60, 10})
        added.Items().Add(std::string(length, 'w'));
    added.SetWidth(300);
    EXPECT_EQ(std::pair(added.MaxItemLength(), added.WindowScrollBars().Bar(sbHorizontal).DrawEnabled()),
              std::pair(360, true));
}

TEST_F(ListFixture, BarClicksAskForLinesAndPagesAndThumbsShowThePage)
{
    // 100,000 lines ten rows at a time; the bar lies at x 181..197, y 2..131: buttons of
    // 17 pixels at each end, the track between.
    list.SetBounds(0, 0, 200, 10 * kRow + 4);
    list.SetBorderStyle(bsSingle);
    list.SetScrollBars(ssVertical);
    list.SetItems(std::vector<std::string>(100000, "x"));
    ASSERT_EQ(list.VisibleItems(), 10);
    for (const auto& [y, top] : {std::pair{100, 10}, {100, 20}, {125, 21}, {10, 20}, {40, 30}}) {
        Click(190, y, shift::Left);
        EXPECT_EQ(list.TopIndex(), top) << y;
    }
    // Dragging the 17-pixel thumb 40 of the 79 pixels it can travel.
    list.HostMouseDown(MouseButton::Left, shift::Left, 190, 27);
    list.HostMouseMove(shift::Left, 190, 67);
    list.HostMouseUp(MouseButton::Left, shift::None, 190, 67);
    EXPECT_EQ(list.TopIndex(), 30 + 50628); // round(99,990 x 40 / 79)
    // The thumb is as long as the page is against the whole track (96 pixels), 17 at least.
    const TrmWindowScrollBar& bar = list.WindowScrollBars().Bar(sbVertical);
    EXPECT_EQ(bar.GetHandleRect().Height(), 17);
    list.SetItems(std::vector<std::string>(40, "x"));
    EXPECT_EQ(bar.GetHandleRect().Height(), 24); // 96 x 10 / 40
}

TEST_F(ListFixture, ScrollBarsTakeTheirRoomAndFollowTheTop)
{
    Make(10, 4);
    list.SetBorderStyle(bsSingle);
    list.SetScrollBars(ssBoth);
    const int32_t bar = TrmWindowScrollBars::kThickness, height = 4 * kRow;
    // A single border: a sunken 3-D edge two pixels wide, or one line without Ctl3D.
    for (const auto& [ctl3D, border, outer, inner] :
         {std::tuple{true, 2, clBtnShadow, cl3DDkShadow}, {false, 1, clWindowFrame, clWindow}}) {
        list.SetCtl3D(ctl3D);
        EXPECT_EQ(list.ClientArea(), (Rect{border, border, 100 - border - bar, height - border - bar}));
        PixelCanvas canvas(100, height);
        list.HostPaint(canvas);
        ExpectPixels(canvas, {{0, 5, CanvasColorOf(outer)}, {1, 5, CanvasColorOf(inner)},
                              {99, 5, CanvasColorOf(ctl3D ? clBtnHighlight : clWindowFrame)}});
    }
    EXPECT_EQ(list.VisibleItems(), (height - 2 - bar) / kRow);
    std::vector<int32_t> changed;
    list.OnScrollBarChanged = [&](TObject*, int32_t which) { changed.push_back(which); };
    list.Scroll(sbVertical, scBottom, 0);
    EXPECT_EQ(std::pair(list.TopIndex(), changed), std::pair(10 - list.VisibleItems(), std::vector<int32_t>{1}));
}
