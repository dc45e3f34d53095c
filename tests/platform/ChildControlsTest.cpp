// Child controls inside a parent: painting at their place, clipped to their bounds;
// mouse events routed to the child under the mouse or to the one that took the press,
// in the child's coordinates; repaint and capture requests forwarded to the parent.
#include "platform/ChildControls.h"
#include "platform/PixelCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A control that fills itself (and 5 pixels beyond, to show the clip) and logs its mouse events.
class LoggingControl : public platform::Control {
public:
    explicit LoggingControl(platform::CanvasColor color) { SetColor(color); }
    std::vector<std::string> log;

protected:
    void Paint(platform::Canvas& canvas) override
    {
        canvas.FillRect(platform::Rect{-5, -5, Width() + 5, Height() + 5}, Color());
    }
    void MouseDown(platform::MouseButton, platform::ShiftState, int32_t x, int32_t y) override
    {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        SetMouseCapture(true);
    }
    void MouseMove(platform::ShiftState, int32_t x, int32_t y) override
    {
        log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseUp(platform::MouseButton, platform::ShiftState, int32_t x, int32_t y) override
    {
        log.push_back("up " + std::to_string(x) + "," + std::to_string(y));
        SetMouseCapture(false);
    }
    void MouseEnter() override { log.push_back("enter"); }
    void MouseLeave() override { log.push_back("leave"); }
};

class RecordingHost : public platform::ControlHost {
public:
    void RequestRepaint() override { ++repaints; }
    void RepaintNow(const platform::Rect& area) override { repaintedNow.push_back(area); }
    void ApplyBounds(const platform::Rect&) override {}
    void ApplyVisible(bool) override {}
    void ApplyEnabled(bool) override {}
    void ApplyTabStop(bool) override {}
    void ApplyCursor(platform::CursorId) override {}
    void ApplyMouseCapture(bool capture) override { captured = capture; }
    void TakeFocus() override {}
    platform::Rect VisibleRect() const override { return {0, 0, 50, 40}; }

    int repaints = 0;
    std::vector<platform::Rect> repaintedNow;
    bool captured = false;
};

struct Fixture {
    Fixture()
    {
        parent.SetBounds(0, 0, 100, 60);
        a.SetBounds(10, 10, 30, 20);
        b.SetBounds(30, 40, 50, 10);
        parent.AttachHost(&host);
        children.Add(a);
        children.Add(b);
    }
    ~Fixture() { parent.AttachHost(nullptr); }

    platform::Control parent;
    LoggingControl a{0xAA0000};
    LoggingControl b{0x00BB00};
    RecordingHost host;
    platform::ChildControls children{parent};
};

} // namespace

TEST(ChildControls, PaintsEachChildAtItsPlaceClippedToItsBounds)
{
    Fixture f;
    PixelCanvas canvas(100, 60, 0);
    f.children.Paint(canvas);
    EXPECT_EQ(canvas.At(10, 10), 0xAA0000u);
    EXPECT_EQ(canvas.At(39, 29), 0xAA0000u);
    EXPECT_EQ(canvas.At(40, 29), 0u); // the child's overdraw is clipped away
    EXPECT_EQ(canvas.At(9, 10), 0u);
    EXPECT_EQ(canvas.At(30, 40), 0x00BB00u);
    EXPECT_EQ(canvas.At(79, 49), 0x00BB00u);
    EXPECT_EQ(canvas.At(80, 49), 0u);
    EXPECT_EQ(canvas.At(29, 40), 0u);

    f.b.SetVisible(false);
    PixelCanvas again(100, 60, 0);
    f.children.Paint(again);
    EXPECT_EQ(again.At(40, 45), 0u);
}

TEST(ChildControls, RoutesMouseEventsInChildCoordinatesAndKeepsThePressedChild)
{
    Fixture f;
    EXPECT_FALSE(f.children.MouseMove(0, 5, 5)); // over the parent only
    EXPECT_TRUE(f.children.MouseMove(0, 12, 15));
    EXPECT_TRUE(f.children.MouseDown(platform::MouseButton::Left, 0, 15, 16));
    EXPECT_TRUE(f.host.captured); // the child's capture holds the parent's window
    // Dragged out over the other child and beyond: still the pressed child's events.
    EXPECT_TRUE(f.children.MouseMove(0, 35, 45));
    EXPECT_TRUE(f.children.MouseUp(platform::MouseButton::Left, 0, 35, 45));
    EXPECT_FALSE(f.host.captured);
    const std::vector<std::string> expectedA{"enter",        "move 2,5",    "down 5,6", "move 25,35",
                                             "up 25,35",     "leave"};
    EXPECT_EQ(f.a.log, expectedA);
    // After the release the child under the mouse is entered.
    EXPECT_EQ(f.b.log, std::vector<std::string>{"enter"});

    f.children.MouseLeave();
    EXPECT_EQ(f.b.log.back(), "leave");
    EXPECT_EQ(f.children.ChildAt(50, 45), &f.b);
    EXPECT_EQ(f.children.ChildAt(50, 39), nullptr);
}

TEST(ChildControls, ForwardsRepaintsAndVisibility)
{
    Fixture f;
    f.a.Invalidate();
    EXPECT_EQ(f.host.repaints, 1);
    f.a.RepaintNow(platform::Rect{0, 0, 100, 100});
    ASSERT_EQ(f.host.repaintedNow.size(), 1u);
    EXPECT_EQ(f.host.repaintedNow[0], (platform::Rect{10, 10, 40, 30})); // within the child
    // The parent shows (0, 0, 50, 40): all of the first child, none of the second (it starts at y 40).
    EXPECT_EQ(f.a.VisibleRect(), (platform::Rect{0, 0, 30, 20}));
    EXPECT_TRUE(f.b.VisibleRect().IsEmpty());
}
