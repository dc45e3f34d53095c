// The scrollable image view: bar layout, centring and scrolling against hand-worked
// offsets, over-size, the size grip corner, and mouse presses routed to the bars.
#include "components/ImgView32.h"
#include "platform/ManualTimerService.h"
#include "platform/PixelCanvas.h"

#include <gtest/gtest.h>

#include <limits>

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

    ManualTimerService timers;
    TImgView32 view;
    int scrolls = 0;
};

class CountingHost : public platform::ControlHost {
public:
    void RequestRepaint() override {}
    void RepaintNow(const Rect&) override {}
    void ApplyBounds(const Rect&) override {}
    void ApplyVisible(bool) override {}
    void ApplyEnabled(bool) override {}
    void ApplyTabStop(bool) override {}
    void ApplyCursor(platform::CursorId cursor) override { shownCursor = cursor; }
    void ApplyMouseCapture(bool) override {}
    void TakeFocus() override {}
    Rect VisibleRect() const override { return {0, 0, 300, 200}; }
    bool BeginWindowSizing() override
    {
        ++sizings;
        return true;
    }
    int sizings = 0;
    platform::CursorId shownCursor = platform::cursor::Default;
};

} // namespace

TEST_F(ImgViewFixture, BarsLineTheViewportsBottomAndRightEdges)
{
    EXPECT_EQ(view.GetViewportRect(), (Rect{0, 0, 283, 183}));
    EXPECT_EQ(view.HorzScroll().BoundsRect(), (Rect{0, 183, 283, 200}));
    EXPECT_EQ(view.VertScroll().BoundsRect(), (Rect{283, 0, 300, 183}));
    EXPECT_EQ(view.VertScroll().Kind(), sbVertical);
    EXPECT_EQ(view.HorzScroll().BorderStyle(), bsNone);
    EXPECT_EQ(view.GetSizeGripRect(), (Rect{283, 183, 300, 200}));
    view.ScrollBars()->SetSize(20);
    EXPECT_EQ(view.GetViewportRect(), (Rect{0, 0, 280, 180}));
    EXPECT_EQ(view.HorzScroll().BoundsRect(), (Rect{0, 180, 280, 200}));
    EXPECT_EQ(view.ScrollBars()->Size(), 20);
    view.ScrollBars()->SetIncrement(30);
    EXPECT_EQ(view.VertScroll().Increment(), 30);
    EXPECT_EQ(view.ScrollBars()->Increment(), 30);
}

TEST_F(ImgViewFixture, SmallBitmapSitsCentredAndNothingScrolls)
{
    SetBitmap(100, 50);
    EXPECT_FLOAT_EQ(view.OffsetHorz(), 91.5f); // (283 - 100) / 2
    EXPECT_FLOAT_EQ(view.OffsetVert(), 66.5f); // (183 - 50) / 2
    EXPECT_EQ(view.GetBitmapRect(), (TRect{92, 66, 192, 116}));
    EXPECT_EQ(view.HorzScroll().Range(), 100);
    EXPECT_EQ(view.HorzScroll().EffectiveWindow(), 283);
    EXPECT_FALSE(view.HorzScroll().DrawEnabled());
    EXPECT_FALSE(view.VertScroll().DrawEnabled());

    view.SetCentered(false);
    EXPECT_FLOAT_EQ(view.OffsetHorz(), 0);
    EXPECT_FLOAT_EQ(view.OffsetVert(), 0);
    EXPECT_FALSE(view.HorzScroll().Centered());
}

TEST_F(ImgViewFixture, LargeBitmapOpensAtItsCentre)
{
    SetBitmap(600, 400);
    // Positions 300 - 283 / 2 and 200 - 183 / 2.
    EXPECT_FLOAT_EQ(view.HorzScroll().Position(), 158.5f);
    EXPECT_FLOAT_EQ(view.VertScroll().Position(), 108.5f);
    EXPECT_FLOAT_EQ(view.OffsetHorz(), -158.5f);
    EXPECT_FLOAT_EQ(view.OffsetVert(), -108.5f);

    view.Scroll(10, -20);
    EXPECT_FLOAT_EQ(view.OffsetHorz(), -168.5f);
    EXPECT_FLOAT_EQ(view.OffsetVert(), -88.5f);
    view.Scroll(1000, 1000); // the bars stop at range - window: 317 and 217
    EXPECT_FLOAT_EQ(view.OffsetHorz(), -317);
    EXPECT_FLOAT_EQ(view.OffsetVert(), -217);
    EXPECT_EQ(scrolls, 0); // OnScroll is for the user's scrolling

    view.ScrollToCenter(100, 100);
    EXPECT_FLOAT_EQ(view.HorzScroll().Position(), 0); // 100 - 141.5 is below 0
    EXPECT_FLOAT_EQ(view.OffsetHorz(), 0);
    EXPECT_FLOAT_EQ(view.VertScroll().Position(), 8.5f);
}

TEST_F(ImgViewFixture, ScaleKeepsTheCentreInView)
{
    SetBitmap(600, 400);
    view.SetScale(2);
    EXPECT_EQ(view.HorzScroll().Range(), 1200);
    // The centre stays at the bitmap's middle: 600 - 141.5.
    EXPECT_FLOAT_EQ(view.HorzScroll().Position(), 458.5f);
    EXPECT_FLOAT_EQ(view.OffsetHorz(), -458.5f);
    EXPECT_EQ(view.GetBitmapRect().Right - view.GetBitmapRect().Left, 1200);
}

TEST_F(ImgViewFixture, OverSizeAddsScrollRoomOnEverySide)
{
    SetBitmap(200, 150);
    view.SetScale(2); // 400 x 300, larger than the viewport
    view.SetOverSize(10);
    EXPECT_EQ(view.HorzScroll().Range(), 440); // round(2 x 10 x 2) = 40 more
    EXPECT_EQ(view.VertScroll().Range(), 340);
    view.ScrollToCenter(0, 0);
    EXPECT_FLOAT_EQ(view.HorzScroll().Position(), 0);
    EXPECT_FLOAT_EQ(view.OffsetHorz(), 20);
    EXPECT_FLOAT_EQ(view.OffsetVert(), 20);
    // Not centred either: o minus the position.
    view.SetCentered(false);
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

TEST_F(ImgViewFixture, DraggingTheHorizontalHandleScrollsTheImage)
{
    SetBitmap(600, 400);
    // The bar: 283 long, 17-pixel buttons, track 249; handle round(249 x 283 / 600) = 117
    // long at round(249 x 158.5 / 600) = 66 into the track: view x 83..200.
    EXPECT_EQ(view.HorzScroll().GetHandleRect(), (Rect{83, 0, 200, 17}));
    view.HostMouseDown(MouseButton::Left, 0, 141, 191);
    EXPECT_EQ(view.HorzScroll().DragZone(), zHandle);
    view.HostMouseMove(platform::shift::Left, 191, 191);
    // 50 pixels of 249 over a range of 600.
    const float position = 158.5f + 600.0f * 50 / 249;
    EXPECT_FLOAT_EQ(view.HorzScroll().Position(), position);
    EXPECT_FLOAT_EQ(view.OffsetHorz(), -position);
    EXPECT_FLOAT_EQ(view.OffsetVert(), -108.5f);
    EXPECT_EQ(scrolls, 1);
    view.HostMouseUp(MouseButton::Left, 0, 191, 191);
    EXPECT_EQ(view.HorzScroll().DragZone(), zNone);
    EXPECT_FALSE(view.MouseCapture());
}

TEST_F(ImgViewFixture, PressesOnTheBarsStayAwayFromTheImage)
{
    SetBitmap(600, 400);
    int imagePresses = 0, clicks = 0;
    view.OnMouseDown = [&](TObject*, MouseButton, platform::ShiftState, int32_t, int32_t, TCustomLayer*) {
        ++imagePresses;
    };
    view.OnClick = [&](TObject*) { ++clicks; };
    // The vertical bar's next button: one step of the increment at once.
    view.HostMouseDown(MouseButton::Left, 0, 290, 175);
    view.HostMouseUp(MouseButton::Left, 0, 290, 175);
    EXPECT_FLOAT_EQ(view.VertScroll().Position(), 116.5f);
    EXPECT_FLOAT_EQ(view.OffsetVert(), -116.5f);
    EXPECT_EQ(scrolls, 1);
    EXPECT_EQ(imagePresses, 0);
    EXPECT_EQ(clicks, 0);
    view.HostMouseDown(MouseButton::Left, 0, 50, 50);
    view.HostMouseUp(MouseButton::Left, 0, 50, 50);
    EXPECT_EQ(imagePresses, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ImgViewFixture, CornerHoldsTheGripAsItsStyleAndTheBarsSay)
{
    CountingHost host;
    view.AttachHost(&host);
    struct Case {
        TSizeGripStyle style;
        bool bothBars, grip;
    } const cases[] = {{sgAuto, true, true}, {sgAuto, false, false}, {sgNone, true, false}, {sgAlways, false, true}};
    for (const Case& c : cases) {
        view.SetSizeGrip(c.style);
        view.HorzScroll().SetVisible(c.bothBars);
        EXPECT_EQ(view.IsSizeGripVisible(), c.grip) << int(c.style);
        PixelCanvas corner(300, 200);
        view.HostPaint(corner);
        int ridges = 0;
        for (int32_t y = 183; y < 200; ++y)
            for (int32_t x = 283; x < 300; ++x)
                ridges += corner.At(x, y) != 0xF0F0F0u;
        EXPECT_EQ(ridges > 20, c.grip) << int(c.style) << " " << ridges;
        EXPECT_EQ(corner.At(284, 184), 0xF0F0F0u); // the far corner stays plain
        view.HostMouseDown(MouseButton::Left, 0, 295, 195);
        view.HostMouseUp(MouseButton::Left, 0, 295, 195);
        EXPECT_EQ(host.sizings, c.grip ? 1 : 0) << int(c.style);
        host.sizings = 0;
    }
    view.HorzScroll().SetVisible(true);
    view.HostMouseMove(0, 295, 195);
    EXPECT_EQ(host.shownCursor, platform::cursor::SizeNWSE);
    view.HostMouseMove(0, 100, 100);
    EXPECT_EQ(host.shownCursor, platform::cursor::Default);
    view.HostMouseDown(MouseButton::Left, 0, 295, 195);
    EXPECT_EQ(host.sizings, 1);
    view.HostMouseUp(MouseButton::Left, 0, 295, 195);
    view.AttachHost(nullptr);
}

TEST_F(ImgViewFixture, PaintsTheBitmapAndTheBarsInTheirPlaces)
{
    SetBitmap(100, 50);
    view.Bitmap()->Clear(0xFF336699);
    PixelCanvas canvas(300, 200);
    view.HostPaint(canvas);
    EXPECT_EQ(canvas.At(92, 66), 0x336699u);
    EXPECT_EQ(canvas.At(191, 115), 0x336699u);
    EXPECT_NE(canvas.At(91, 66), 0x336699u);
    EXPECT_NE(canvas.At(192, 116), 0x336699u);
    // The bars' buttons: the face colour inside their raised edges.
    EXPECT_EQ(canvas.At(8, 186), 0xF0F0F0u);
    EXPECT_EQ(canvas.At(290, 178), 0xF0F0F0u);
}
