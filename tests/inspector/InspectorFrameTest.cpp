// The inspector's frame: its border with and without the 3-D look, and the scroll bar's
// track paging while held.
#include "InspectorFixture.h"
#include "graphics/SystemColorNames.h"
#include "platform/ManualTimerService.h"
#include "platform/PixelCanvas.h"

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
