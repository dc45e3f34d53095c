// The control base without a window: bounds, input dispatch, events and what it
// asks of its host.
#include "platform/Control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

// Records every request a control makes of its host.
class RecordingHost : public ControlHost {
public:
    void RequestRepaint() override { log.push_back("repaint"); }
    void RepaintNow(const Rect& a) override { log.push_back("repaint-now " + std::to_string(a.Width())); }
    void ApplyBounds(const Rect& b) override { log.push_back("bounds " + std::to_string(b.Width())); }
    void ApplyVisible(bool v) override { log.push_back(v ? "show" : "hide"); }
    void ApplyEnabled(bool e) override { log.push_back(e ? "enable" : "disable"); }
    void ApplyTabStop(bool t) override { log.push_back(t ? "tabstop" : "no-tabstop"); }
    void ApplyCursor(CursorId c) override { log.push_back("cursor " + std::to_string(c)); }
    void ApplyMouseCapture(bool c) override { log.push_back(c ? "capture" : "release"); }
    void TakeFocus() override { log.push_back("focus"); }
    Rect VisibleRect() const override { return {5, 6, 7, 8}; }
    std::vector<std::string> log;
};

} // namespace

TEST(Control, BoundsClampNegativeSizesAndResizeFiresOnlyOnSizeChange)
{
    Control control;
    int resizes = 0;
    control.OnResize = [&](TObject*) { ++resizes; };
    control.SetBounds(10, 20, -5, 30);
    EXPECT_EQ(control.BoundsRect(), (Rect{10, 20, 10, 50}));
    EXPECT_EQ(resizes, 1);
    control.SetLeft(40); // a move is not a resize
    EXPECT_EQ(resizes, 1);
    control.SetWidth(3);
    EXPECT_EQ(resizes, 2);
    control.SetBounds(40, 20, 3, 30); // unchanged
    EXPECT_EQ(resizes, 2);
    EXPECT_EQ(control.ClientRect(), (Rect{0, 0, 3, 30}));
}

TEST(Control, ClickNeedsLeftPressAndReleaseInside)
{
    Control control;
    control.SetBounds(0, 0, 50, 50);
    std::vector<std::string> events;
    control.OnMouseDown = [&](TObject*, MouseButton b, ShiftState s, int32_t x, int32_t y) {
        events.push_back("down " + std::to_string(int(b)) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                         std::to_string(y));
    };
    control.OnMouseUp = [&](TObject*, MouseButton, ShiftState, int32_t, int32_t) { events.push_back("up"); };
    control.OnClick = [&](TObject*) { events.push_back("click"); };
    control.OnDblClick = [&](TObject*) { events.push_back("dblclick"); };

    control.HostMouseDown(MouseButton::Left, shift::Left | shift::Ctrl, 3, 4);
    control.HostMouseUp(MouseButton::Left, shift::Ctrl, 3, 4);
    control.HostMouseDown(MouseButton::Left, shift::Left, 3, 4);
    control.HostMouseUp(MouseButton::Left, 0, 60, 4); // released outside: no click
    control.HostMouseDown(MouseButton::Right, shift::Right, 1, 1);
    control.HostMouseUp(MouseButton::Right, 0, 1, 1); // right button: no click
    // The second press of a double click: dblclick, a press marked Double, no click on release.
    control.HostDoubleClick(MouseButton::Left, shift::Left, 2, 2);
    control.HostMouseUp(MouseButton::Left, 0, 2, 2);

    const std::vector<std::string> expected{
        "down 0 12 3,4", "up", "click", "down 0 8 3,4", "up", "down 1 16 1,1", "up",
        "dblclick", "down 0 72 2,2", "up"};
    EXPECT_EQ(events, expected);
}

TEST(Control, DisabledControlTakesNoInput)
{
    Control control;
    int calls = 0;
    control.OnMouseDown = [&](TObject*, MouseButton, ShiftState, int32_t, int32_t) { ++calls; };
    control.OnKeyDown = [&](TObject*, KeyCode&, ShiftState) { ++calls; };
    control.OnMouseWheel = [&](TObject*, ShiftState, int32_t, Point, bool& handled) { handled = true; };
    control.SetEnabled(false);
    control.HostMouseDown(MouseButton::Left, 0, 1, 1);
    KeyCode k = key::Return;
    control.HostKeyDown(k, 0);
    EXPECT_FALSE(control.HostMouseWheel(0, 120, {}));
    EXPECT_EQ(calls, 0);
}

TEST(Control, WheelGoesToUpOrDownOnlyWhenTheWheelEventLeavesItUnhandled)
{
    Control control;
    std::vector<std::string> events;
    bool handleInWheel = false;
    control.OnMouseWheel = [&](TObject*, ShiftState, int32_t delta, Point, bool& handled) {
        events.push_back("wheel " + std::to_string(delta));
        handled = handleInWheel;
    };
    control.OnMouseWheelDown = [&](TObject*, ShiftState, Point, bool& handled) {
        events.push_back("down");
        handled = true;
    };
    control.OnMouseWheelUp = [&](TObject*, ShiftState, Point, bool&) { events.push_back("up"); };
    EXPECT_TRUE(control.HostMouseWheel(0, -120, {}));
    EXPECT_FALSE(control.HostMouseWheel(0, 120, {}));
    handleInWheel = true;
    EXPECT_TRUE(control.HostMouseWheel(0, -120, {}));
    EXPECT_EQ(events, (std::vector<std::string>{"wheel -120", "down", "wheel 120", "up", "wheel -120"}));
}

TEST(Control, KeysCanBeChangedBySetEvents)
{
    Control control;
    control.OnKeyDown = [](TObject*, KeyCode& k, ShiftState s) {
        if (k == key::Return && s == shift::Ctrl)
            k = key::None;
    };
    control.OnKeyPress = [](TObject*, char32_t& c) {
        if (c == U'\r')
            c = 0;
    };
    KeyCode k = key::Return;
    control.HostKeyDown(k, shift::Ctrl);
    EXPECT_EQ(k, key::None);
    k = key::Return;
    control.HostKeyDown(k, 0);
    EXPECT_EQ(k, key::Return);
    char32_t c = U'\r';
    control.HostKeyPress(c);
    EXPECT_EQ(c, 0u);
}

TEST(Control, FocusWithoutHostFollowsSetFocusAndNeedsVisibleEnabledControl)
{
    Control control;
    std::vector<std::string> events;
    control.OnEnter = [&](TObject*) { events.push_back("enter"); };
    control.OnExit = [&](TObject*) { events.push_back("exit"); };
    control.SetVisible(false);
    control.SetFocus();
    EXPECT_FALSE(control.Focused());
    control.SetVisible(true);
    control.SetFocus();
    control.SetFocus();
    EXPECT_TRUE(control.Focused());
    control.HostFocusChanged(false);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "exit"}));
}

TEST(Control, AsksItsHostOnlyForRealChanges)
{
    Control control;
    RecordingHost host;
    control.AttachHost(&host);
    control.SetBounds(0, 0, 30, 10);
    control.SetBounds(0, 0, 30, 10);
    control.SetVisible(false);
    control.SetVisible(false);
    control.SetEnabled(false); // also repaints
    control.SetTabStop(true);
    control.SetMouseCapture(true);
    control.SetMouseCapture(true);
    control.SetMouseCapture(false);
    control.SetColor(0x123456);
    control.SetColor(0x123456);
    control.RepaintNow({0, 0, 4, 4});
    EXPECT_EQ(control.VisibleRect(), (Rect{5, 6, 7, 8}));
    const std::vector<std::string> expected{"bounds 30", "hide", "disable", "repaint", "tabstop", "capture",
                                            "release", "repaint", "repaint-now 4"};
    EXPECT_EQ(host.log, expected);
    control.AttachHost(nullptr);
    EXPECT_EQ(control.VisibleRect(), (Rect{0, 0, 30, 10}));
}

TEST(Control, ShownCursorFallsBackToTheControlsOwnCursor)
{
    Control control;
    RecordingHost host;
    control.AttachHost(&host);
    control.SetCursor(cursor::HandPoint);
    control.ShowCursor(cursor::SizeWE);
    EXPECT_EQ(control.ShownCursor(), cursor::SizeWE);
    control.ShowCursor(cursor::Default);
    EXPECT_EQ(control.ShownCursor(), cursor::HandPoint);
    EXPECT_EQ(host.log, (std::vector<std::string>{"cursor -21", "cursor -9", "cursor -21"}));
    control.AttachHost(nullptr);
}

TEST(Control, AutoSizeTakesTheProposedSize)
{
    class FixedSize : public Control {
    protected:
        bool CanAutoSize(int32_t& w, int32_t& h) override
        {
            w = 64;
            h = 32;
            return true;
        }
    } control;
    control.SetBounds(1, 2, 10, 10);
    control.SetAutoSize(true);
    EXPECT_EQ(control.BoundsRect(), (Rect{1, 2, 65, 34}));
}
