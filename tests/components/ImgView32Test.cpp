// The scrollable image view: bar layout, centring and scrolling against hand-worked
// offsets, mouse presses routed to the bars, over-size and the size grip corner.
#include "components/ImgView32.h"
#include "platform/PixelCanvas.h"
#include "graphics/ControlTestHelpers.h"
#include "platform/ManualTimerService.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

using platform::MouseButton;
using platform::Rect;

namespace {

// A 300 x 200 view: with 17-pixel bars the viewport is 283 x 183.
struct ImgViewFixture : ::testing::Test {
    ImgViewFixture()
    {
        view.SetBounds(0, 0, 300, 200);
        view.OnScroll = [this](TObject*) { ++scrolls; };
    }
    void SetBitmap(int32_t width, int32_t height) { view.Bitmap()->SetSize(width, height); }
    void Click(int32_t x, int32_t y)
    {
        view.HostMouseDown(MouseButton::Left, 0, x, y);
        view.HostMouseUp(MouseButton::Left, 0, x, y);
    }
    ManualTimerService timers;
    TImgView32 view;
    int scrolls = 0;
};

// A host that shows the cursor asked for, counts the window sizings begun and says
// whether the parents fill the window.
struct SizingHost : FakeHost {
    using FakeHost::FakeHost;
    void ApplyCursor(platform::CursorId cursor) override { shownCursor = cursor; }
    bool BeginWindowSizing() override { return ++sizings > 0; }
    bool ParentFillsWindow() const override { return parentsFill; }
    int sizings = 0;
    bool parentsFill = true;
    platform::CursorId shownCursor = platform::cursor::Default;
};

} // namespace

TEST_F(ImgViewFixture, BarsLineTheViewportsBottomAndRightEdges)
{
    const auto layout = [this] {
        return std::tuple(view.GetViewportRect(), view.HorzScroll().BoundsRect(), view.VertScroll().BoundsRect());
    };
    EXPECT_EQ(layout(), std::tuple(Rect{0, 0, 283, 183}, Rect{0, 183, 283, 200}, Rect{283, 0, 300, 183}));
    EXPECT_EQ(std::pair(view.VertScroll().Kind(), view.HorzScroll().BorderStyle()), std::pair(sbVertical, bsNone));
    EXPECT_EQ(view.GetSizeGripRect(), (Rect{283, 183, 300, 200}));
    view.ScrollBars()->SetSize(20);
    EXPECT_EQ(layout(), std::tuple(Rect{0, 0, 280, 180}, Rect{0, 180, 280, 200}, Rect{280, 0, 300, 180}));
    view.ScrollBars()->SetIncrement(30);
    EXPECT_EQ(std::tuple(view.VertScroll().Increment(), view.ScrollBars()->Increment(), view.ScrollBars()->Size()),
              std::tuple(30, 30, 20));
}

TEST_F(ImgViewFixture, LargeBitmapOpensAtItsCentreAndKeepsItWhenScaled)
{
    SetBitmap(600, 400);
    // Positions 300 - 283 / 2 and 200 - 183 / 2; the bars stop at range - window: 317 and 217.
    EXPECT_EQ(std::pair(view.HorzScroll().Position(), view.VertScroll().Position()), std::pair(158.5f, 108.5f));
    int imagePresses = 0;
    view.OnMouseDown = [&](TObject*, MouseButton, platform::ShiftState, int32_t, int32_t, TCustomLayer*) {
        ++imagePresses;
    };
    Click(290, 175); // the vertical bar's next button steps by the increment at once, apart from the image
    Click(50, 50);
    EXPECT_EQ(std::tuple(view.VertScroll().Position(), scrolls, imagePresses), std::tuple(116.5f, 1, 1));
    for (const auto& [dx, dy, x, y] :
         {std::tuple{0, 0, -158.5f, -116.5f}, {10, -20, -168.5f, -96.5f}, {1000, 1000, -317.0f, -217.0f}}) {
        view.Scroll(dx, dy);
        EXPECT_EQ(std::pair(view.OffsetHorz(), view.OffsetVert()), std::pair(x, y)) << dx;
    }
    EXPECT_EQ(scrolls, 1); // OnScroll is for the user's scrolling only
    view.ScrollToCenter(100, 100);
    EXPECT_EQ(std::tuple(view.HorzScroll().Position(), view.OffsetHorz(), view.VertScroll().Position()),
              std::tuple(0.0f, 0.0f, 8.5f)); // 100 - 141.5 is below 0
    view.ScrollToCenter(300, 200);
    view.SetScale(2);
    // The centre stays at the middle: 600 - 141.5.
    EXPECT_EQ(std::tuple(view.HorzScroll().Range(), view.HorzScroll().Position(), view.OffsetHorz(),
                         view.GetBitmapRect().Right - view.GetBitmapRect().Left),
              std::tuple(1200, 458.5f, -458.5f, 1200));
}

TEST_F(ImgViewFixture, OverSizeAddsScrollRoomOnEverySide)
{
    SetBitmap(200, 150);
    view.SetScale(2); // 400 x 300, larger than the viewport
    view.SetOverSize(10);
    EXPECT_EQ(std::pair(view.HorzScroll().Range(), view.VertScroll().Range()), std::pair(440, 340)); // 2 x 10 x 2 more
    view.ScrollToCenter(0, 0);
    EXPECT_EQ(std::tuple(view.HorzScroll().Position(), view.OffsetHorz(), view.OffsetVert()),
              std::tuple(0.0f, 20.0f, 20.0f));
    view.SetCentered(false); // not centred either: o minus the position
    EXPECT_FLOAT_EQ(view.OffsetHorz(), 20);
    // A bitmap that fits only without its over-size is scrolled, not centred.
    view.SetCentered(true);
    view.SetScale(1); // 200 + 20 < 283 fits; 150 + 20 < 183 fits
    EXPECT_FLOAT_EQ(view.OffsetHorz(), 41.5f);
    view.SetOverSize(50); // 200 + 100 > 283
    EXPECT_FLOAT_EQ(view.OffsetHorz(), 50 - view.HorzScroll().Position());
    // The largest over-size saturates the ranges instead of wrapping them round.
    view.SetOverSize(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(view.HorzScroll().Range(), std::numeric_limits<int32_t>::max());
    EXPECT_FLOAT_EQ(view.OffsetHorz(), float(std::numeric_limits<int32_t>::max()) - view.HorzScroll().Position());
}

TEST_F(ImgViewFixture, CornerHoldsTheGripOnlyWhereItSizesTheWindowFromTheViewsCorner)
{
    SizingHost host(view);
    // sgAuto: only a client-aligned view whose parents fill the window up to it.
    for (const auto& [style, align, parentsFill, grip] :
         {std::tuple{sgAuto, alClient, true, true}, {sgAuto, alNone, true, false}, {sgAuto, alClient, false, false},
          {sgNone, alClient, true, false}, {sgAlways, alNone, false, true}}) {
        view.SetSizeGrip(style);
        view.SetAlign(align);
        host.parentsFill = parentsFill;
        EXPECT_EQ(view.IsSizeGripVisible(), grip) << int(style);
        PixelCanvas corner(300, 200);
        view.HostPaint(corner);
        int ridges = 0;
        for (int32_t y = 183; y < 200; ++y)
            for (int32_t x = 283; x < 300; ++x)
                ridges += corner.At(x, y) != 0xF0F0F0u;
        EXPECT_EQ(ridges > 20, grip) << int(style) << " " << ridges;
        EXPECT_EQ(corner.At(284, 184), 0xF0F0F0u); // the far corner stays plain
        Click(295, 195);
        EXPECT_EQ(host.sizings, grip ? 1 : 0) << int(style);
        host.sizings = 0;
    }
    view.SetSizeGrip(sgAlways);
    view.HostMouseMove(0, 295, 195);
    EXPECT_EQ(host.shownCursor, platform::cursor::SizeNWSE);
    view.HostMouseMove(0, 100, 100);
    EXPECT_EQ(host.shownCursor, platform::cursor::Default);
}
