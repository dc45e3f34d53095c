// The control base without a window: bounds and their limits, input dispatch, events,
// hints, context menus and what it asks of its host; child controls painted at their
// place, given the mouse in their own coordinates, taking their parent's properties, and
// their host requests forwarded to the parent.
#include "platform/ChildControls.h"
#include "platform/ManualTimerService.h"
#include "platform/PixelCanvas.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;
using Log = std::vector<std::string>;

namespace {

std::string At(int32_t x, int32_t y) { return std::to_string(x) + "," + std::to_string(y); }

// Records every request a control makes of its host.
class RecordingHost : public ControlHost {
public:
    void RequestRepaint() override { log.push_back("repaint"); }
    void RepaintNow(const Rect& a) override
    {
        log.push_back("repaint-now " + At(a.Left, a.Top) + " " + At(a.Right, a.Bottom));
    }
    void ApplyBounds(const Rect& b) override { log.push_back("bounds " + std::to_string(b.Width())); }
    void ApplyVisible(bool v) override { log.push_back(v ? "show" : "hide"); }
    void ApplyEnabled(bool e) override { log.push_back(e ? "enable" : "disable"); }
    void ApplyTabStop(bool t) override { log.push_back(t ? "tabstop" : "no-tabstop"); }
    void ApplyCursor(CursorId c) override { log.push_back("cursor " + std::to_string(c)); }
    void ApplyMouseCapture(bool c) override { log.push_back(c ? "capture" : "release"); }
    void ApplyKeyCapture(bool c) override { keysHeld.push_back(c); }
    void TakeFocus() override { log.push_back("focus"); }
    Rect VisibleRect() const override { return visible; }
    void ShowHint(Point p, std::string_view t) override { log.push_back("hint " + At(p.X, p.Y) + " " + std::string(t)); }
    void HideHint() override { log.push_back("unhint"); }
    Log log;
    std::vector<bool> keysHeld;
    Rect visible{5, 6, 7, 8};
};

// A child that fills itself and 5 pixels beyond (to show the clip), logs its mouse events
// and holds the capture while pressed.
class LoggingChild : public Control {
public:
    explicit LoggingChild(CanvasColor color) { SetColor(color); }
    Log log;

protected:
    void Paint(Canvas& canvas) override { canvas.FillRect(Rect{-5, -5, Width() + 5, Height() + 5}, Color()); }
    void MouseDown(MouseButton, ShiftState, int32_t x, int32_t y) override { Press("down ", x, y, true); }
    void MouseMove(ShiftState, int32_t x, int32_t y) override { log.push_back("move " + At(x, y)); }
    void MouseUp(MouseButton, ShiftState, int32_t x, int32_t y) override { Press("up ", x, y, false); }
    void Press(const char* what, int32_t x, int32_t y, bool capture)
    {
        log.push_back(what + At(x, y));
        SetMouseCapture(capture);
    }
    void MouseEnter() override { log.push_back("enter"); }
    void MouseLeave() override { log.push_back("leave"); }
};

// A 100 x 60 parent whose host shows (0, 0, 50, 40), with child a at (10, 10) sized
// 30 x 20 and child b at (30, 40) sized 50 x 10.
struct Family {
    Family()
    {
        parent.SetBounds(0, 0, 100, 60);
        host.visible = {0, 0, 50, 40};
        a.SetBounds(10, 10, 30, 20);
        b.SetBounds(30, 40, 50, 10);
        parent.AttachHost(&host);
        children.Add(a);
        children.Add(b);
        host.log.clear();
    }
    ~Family() { parent.AttachHost(nullptr); }

    Control parent;
    LoggingChild a{0xAA0000}, b{0x00BB00};
    RecordingHost host;
    ChildControls children{parent};
};

} // namespace

TEST(Control, BoundsClampNegativeSizesResizeFiresOnlyOnSizeChangeAndAutoSizeTakesTheProposedSize)
{
    struct FixedSize : Control {
        bool CanAutoSize(int32_t& w, int32_t& h) override
        {
            w = 64;
            h = 32;
            return true;
        }
    } control;
    int resizes = 0;
    control.OnResize = [&](TObject*) { ++resizes; };
    control.SetBounds(10, 20, -5, 30);
    EXPECT_EQ(std::tuple(control.BoundsRect(), resizes), std::tuple((Rect{10, 20, 10, 50}), 1));
    control.SetLeft(40); // a move is not a resize
    EXPECT_EQ(resizes, 1);
    control.SetWidth(3);
    control.SetBounds(40, 20, 3, 30); // unchanged
    EXPECT_EQ(std::tuple(resizes, control.ClientRect()), std::tuple(2, (Rect{0, 0, 3, 30})));
    control.SetAutoSize(true);
    EXPECT_EQ(control.BoundsRect(), (Rect{40, 20, 104, 52}));
    // By default a control fits around its children placed by hand at its left and top.
    Control parent, child, stretched;
    ChildControls children(parent);
    stretched.SetAnchors(akLeft | akRight);
    stretched.SetBounds(0, 0, 90, 90);
    children.Add(child);
    children.Add(stretched);
    parent.SetAutoSize(true);
    child.SetBounds(5, 6, 40, 30);
    EXPECT_EQ(parent.BoundsRect(), (Rect{0, 0, 45, 36}));
}

TEST(Control, SizesKeepWithinTheConstraintsAndOnCanResizeMayChangeOrRefuseThem)
{
    Control control;
    control.SetConstraints({20, 10, 60, 0});
    control.OnCanResize = [](TObject*, int32_t& w, int32_t& h, bool& resize) {
        resize = w != 33;
        h = h == 99 ? 98 : h;
    };
    // Below the minimum, above the maximum (no maximum height), refused, changed.
    for (const auto& [w, h, bounds] : {std::tuple{5, 5, Rect{0, 0, 20, 10}}, {100, 500, {0, 0, 60, 500}},
                                       {33, 40, {0, 0, 60, 500}}, {40, 99, {0, 0, 40, 98}}}) {
        control.SetBounds(0, 0, w, h);
        EXPECT_EQ(control.BoundsRect(), bounds) << w;
    }
    control.SetConstraints({50, 0, 30, 0}); // a maximum below the minimum is raised to it
    EXPECT_EQ(std::pair(control.Constraints().MaxWidth, control.Width()), std::pair(50, 50));
}

TEST(Control, AHintShowsOnceTheMouseRestsAndGoesOnLeavingOrAKeyOrAPress)
{
    ManualTimerService timers;
    RecordingHost host;
    Control control;
    control.AttachHost(&host);
    control.SetHint("Open|Opens a file");
    control.HostMouseMove(0, 3, 4);
    timers.Advance(1000); // hints are off
    control.SetShowHint(true);
    control.HostMouseLeave();
    // After a key or a press the hint stays away until the mouse comes back.
    const Log again{"hint 5,4 Open", "unhint", "hint 9,9 Open", "unhint"}, gone{"hint 5,4 Open", "unhint"};
    KeyCode shiftKey = key::Shift;
    const std::function<void()> ends[] = {[&] { control.HostMouseLeave(); }, [&] { control.HostKeyDown(shiftKey, 0); },
                                          [&] { control.HostMouseDown(MouseButton::Right, shift::Right, 3, 4); }};
    for (const auto& [end, shown] : {std::pair{0, again}, {1, gone}, {2, gone}}) {
        host.log.clear();
        control.HostMouseMove(0, 3, 4);
        timers.Advance(499);
        control.HostMouseMove(0, 5, 4); // the pause counts from the first move
        EXPECT_FALSE(control.HintShown());
        timers.Advance(1);
        ends[end]();
        control.HostMouseMove(0, 9, 9);
        timers.Advance(500);
        control.HostMouseLeave();
        EXPECT_EQ(host.log, shown) << end;
    }
}

TEST(Control, ClickNeedsLeftPressAndReleaseInside)
{
    Control control;
    control.SetBounds(0, 0, 50, 50);
    Log events;
    control.OnMouseDown = [&](TObject*, MouseButton b, ShiftState s, int32_t x, int32_t y) {
        events.push_back("down " + std::to_string(int(b)) + " " + std::to_string(s) + " " + At(x, y));
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
    EXPECT_EQ(events, (Log{"down 0 12 3,4", "up", "click", "down 0 8 3,4", "up", "down 1 16 1,1", "up", "dblclick",
                           "down 0 72 2,2", "up"}));
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
    Log events;
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
    EXPECT_EQ(events, (Log{"wheel -120", "down", "wheel 120", "up", "wheel -120"}));
}

TEST(Control, KeysCanBeChangedBySetEvents)
{
    Control control;
    control.OnKeyDown = [](TObject*, KeyCode& k, ShiftState s) { k = k == key::Return && s == shift::Ctrl ? 0 : k; };
    control.OnKeyPress = [](TObject*, char32_t& c) { c = c == U'\r' ? 0 : c; };
    KeyCode ctrlReturn = key::Return, plainReturn = key::Return;
    control.HostKeyDown(ctrlReturn, shift::Ctrl);
    control.HostKeyDown(plainReturn, 0);
    EXPECT_EQ((std::pair{ctrlReturn, plainReturn}), (std::pair{KeyCode(key::None), KeyCode(key::Return)}));
    char32_t c = U'\r';
    control.HostKeyPress(c);
    EXPECT_EQ(c, 0u);
}

TEST(Control, FocusWithoutHostFollowsSetFocusAndNeedsVisibleEnabledControl)
{
    Control control;
    Log events;
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
    EXPECT_EQ(events, (Log{"enter", "exit"}));
}

TEST(Control, AsksItsHostOnlyForRealChangesAndShowsItsOwnCursorByDefault)
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
    control.SetCursor(cursor::HandPoint);
    control.ShowCursor(cursor::SizeWE);
    EXPECT_EQ(control.ShownCursor(), cursor::SizeWE);
    control.ShowCursor(cursor::Default); // back to the control's own
    EXPECT_EQ(control.ShownCursor(), cursor::HandPoint);
    EXPECT_EQ(control.VisibleRect(), (Rect{5, 6, 7, 8}));
    EXPECT_EQ(host.log, (Log{"bounds 30", "hide", "disable", "repaint", "tabstop", "capture", "release", "repaint",
                             "repaint-now 0,0 4,4", "cursor -21", "cursor -9", "cursor -21"}));
    control.AttachHost(nullptr);
    EXPECT_TRUE(control.VisibleRect().IsEmpty());
}

TEST(ChildControls, ForwardRepaintsAndPaintEachVisibleChildAtItsPlaceClippedToItsBounds)
{
    Family f;
    f.a.Invalidate();
    f.a.RepaintNow(Rect{0, 0, 100, 100});
    EXPECT_EQ(f.host.log, (Log{"repaint", "repaint-now 10,10 40,30"})); // within the child
    // The parent shows (0, 0, 50, 40): all of the first child, none of the second (it starts at y 40).
    EXPECT_EQ(std::tuple(f.a.VisibleRect(), f.b.VisibleRect().IsEmpty()), std::tuple((Rect{0, 0, 30, 20}), true));

    PixelCanvas canvas(100, 60, 0);
    f.children.Paint(canvas);
    // Inside each child's corners, and just outside them where the child's overdraw is clipped away.
    const std::tuple<int32_t, int32_t, uint32_t> expected[] = {
        {10, 10, 0xAA0000}, {39, 29, 0xAA0000}, {40, 29, 0}, {9, 10, 0},
        {30, 40, 0x00BB00}, {79, 49, 0x00BB00}, {80, 49, 0}, {29, 40, 0}};
    for (const auto& [x, y, color] : expected)
        EXPECT_EQ(canvas.At(x, y), color) << At(x, y);
    f.b.SetVisible(false);
    PixelCanvas again(100, 60, 0);
    f.children.Paint(again);
    EXPECT_EQ(again.At(40, 45), 0u);
}

TEST(ChildControls, RoutesMouseEventsInChildCoordinatesAndKeepsThePressedChild)
{
    Family f;
    EXPECT_FALSE(f.children.MouseMove(0, 5, 5)); // over the parent only
    EXPECT_TRUE(f.children.MouseMove(0, 12, 15));
    EXPECT_TRUE(f.children.MouseDown(MouseButton::Left, 0, 15, 16));
    EXPECT_EQ(f.host.log, Log{"capture"}); // the child's capture holds the parent's window
    // Dragged out over the other child and beyond: still the pressed child's events.
    EXPECT_TRUE(f.children.MouseMove(0, 35, 45));
    EXPECT_TRUE(f.children.MouseUp(MouseButton::Left, 0, 35, 45));
    EXPECT_EQ(f.host.log, (Log{"capture", "release"}));
    EXPECT_EQ(f.a.log, (Log{"enter", "move 2,5", "down 5,6", "move 25,35", "up 25,35", "leave"}));
    EXPECT_EQ(f.b.log, Log{"enter"}); // after the release the child under the mouse is entered
    f.children.MouseLeave();
    EXPECT_EQ(f.b.log.back(), "leave");
    EXPECT_EQ(std::tuple(f.children.ChildAt(50, 45), f.children.ChildAt(50, 39)), std::tuple(&f.b, nullptr));
}

TEST(ChildControls, AChildTakesItsParentsColourFontLookAndHintSwitchUntilGivenItsOwn)
{
    struct Property {
        void (*set)(Control&, int);
        int (*get)(const Control&);
        void (*inherit)(Control&);
    };
    const Property properties[] = {
        {[](Control& c, int v) { c.SetColor(CanvasColor(v)); }, [](const Control& c) { return int(c.Color()); },
         [](Control& c) { c.SetParentColor(true); }},
        {[](Control& c, int v) { c.SetFont(FontSpec{"", v}); }, [](const Control& c) { return c.Font().PointSize; },
         [](Control& c) { c.SetParentFont(true); }},
        {[](Control& c, int v) { c.SetCtl3D(v != 0); }, [](const Control& c) { return int(c.Ctl3D()); },
         [](Control& c) { c.SetParentCtl3D(true); }},
        {[](Control& c, int v) { c.SetShowHint(v != 0); }, [](const Control& c) { return int(c.ShowHint()); },
         [](Control& c) { c.SetParentShowHint(true); }},
    };
    for (const auto& [set, get, inherit] : properties) {
        Control parent, child;
        ChildControls children(parent);
        children.Add(child);
        inherit(child);
        set(parent, 1);
        const int taken = get(child);
        set(parent, 0);
        const int followed = get(child);
        set(child, 1); // its own value switches the parent's off
        const int own = get(child);
        inherit(child);
        EXPECT_EQ(std::tuple(taken, followed, own, get(child)), std::tuple(1, 0, 1, 0));
    }
}

TEST(ChildControls, ARightClickOrTheMenuKeyPopsUpTheMenuUnlessHandledAndAChildWithoutOneAsksItsParent)
{
    Family f;
    struct Menu : TPopupMenu {
        void Popup(int32_t x, int32_t y) override { at.push_back(At(x, y)); }
        Log at;
    } own, parents;
    f.parent.SetPopupMenu(&parents);
    Log seen;
    bool handle = false;
    f.a.OnContextPopup = [&](TObject*, Point p, bool& handled) {
        seen.push_back(At(p.X, p.Y));
        handled = handle;
    };
    // At the mouse, or at the top-left corner from the keyboard.
    using Case = std::tuple<bool, TPopupMenu*, Log, Log>;
    for (const auto& [handled, menu, ownAt, parentsAt] : {Case{false, &own, {"15,16", "10,10", "10,10"}, {}},
                                                          {true, &own, {}, {}},
                                                          {false, nullptr, {}, {"15,16", "0,0", "0,0"}}}) {
        std::tie(handle, own.at, parents.at, seen) = std::tuple(handled, Log{}, Log{}, Log{});
        f.a.SetPopupMenu(menu);
        f.children.MouseDown(MouseButton::Right, shift::Right, 15, 16);
        f.children.MouseUp(MouseButton::Right, 0, 15, 16);
        for (const auto& [k, s] : {std::pair{key::Apps, shift::None}, {key::F10, shift::Shift}}) {
            KeyCode code = k;
            f.a.HostKeyDown(code, s);
            EXPECT_EQ(code, key::None);
        }
        EXPECT_EQ(seen, (Log{"5,6", "-1,-1", "-1,-1"}));
        EXPECT_EQ(std::pair(own.at, parents.at), std::pair(ownAt, parentsAt)) << handled;
    }
    // The parent's own right click: none over a child.
    f.parent.HostMouseUp(MouseButton::Right, 0, 15, 16);
    f.parent.HostMouseUp(MouseButton::Right, 0, 60, 5);
    EXPECT_EQ(parents.at, (Log{"15,16", "0,0", "0,0", "60,5"}));
}

TEST(ChildControls, AlignedChildrenTakeTheParentsEdgesInOrderAndAnchoredOnesKeepTheirDistances)
{
    // A 100 x 60 parent: two top bars (the lower one placed second), a bottom, a left and a
    // right bar, a client-aligned child, one anchored to the right and bottom edges, one
    // to the left, top and right edges, and one to the top only (its centre keeps 40%).
    Control parent, top1, top2, bottom, left, right, client, corner, stretched, centred;
    parent.SetBounds(0, 0, 100, 60);
    ChildControls children(parent);
    const std::tuple<Control*, TAlign, TAnchors, Rect> setup[] = {
        {&top2, alTop, 0, {0, 50, 1, 55}},    {&top1, alTop, 0, {0, 0, 1, 10}},
        {&bottom, alBottom, 0, {0, 0, 1, 15}}, {&left, alLeft, 0, {0, 0, 20, 1}},
        {&right, alRight, 0, {0, 0, 5, 1}},    {&client, alClient, 0, {}},
        {&corner, alNone, akRight | akBottom, {80, 40, 90, 50}},
        {&stretched, alNone, akLeft | akTop | akRight, {10, 30, 90, 35}}, {&centred, alNone, akTop, {20, 20, 60, 25}}};
    for (const auto& [child, align, anchors, bounds] : setup) {
        child->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
        child->SetAlign(align);
        if (anchors)
            child->SetAnchors(anchors);
        children.Add(*child);
    }
    const auto layout = [&] {
        std::vector<Rect> places;
        for (const auto& [child, align, anchors, bounds] : setup)
            places.push_back(child->BoundsRect());
        return places;
    };
    // Too small a parent leaves the bars between the top and bottom ones no height.
    for (const auto& [width, height, places] :
         {std::tuple{200, 100,
                     std::vector<Rect>{{0, 10, 200, 15}, {0, 0, 200, 10}, {0, 85, 200, 100}, {0, 15, 20, 85},
                                       {195, 15, 200, 85}, {20, 15, 195, 85}, {180, 80, 190, 90}, {10, 30, 190, 35},
                                       {60, 20, 100, 25}}},
          {40, 20,
           {{0, 10, 40, 15}, {0, 0, 40, 10}, {0, 5, 40, 20}, {0, 15, 20, 15}, {35, 15, 40, 15}, {20, 15, 35, 15},
            {20, 0, 30, 10}, {10, 30, 30, 35}, {-4, 20, 36, 25}}},
          {100, 60,
           {{0, 10, 100, 15}, {0, 0, 100, 10}, {0, 45, 100, 60}, {0, 15, 20, 45}, {95, 15, 100, 45}, {20, 15, 95, 45},
            {80, 40, 90, 50}, {10, 30, 90, 35}, {20, 20, 60, 25}}}}) {
        parent.SetBounds(0, 0, width, height);
        EXPECT_EQ(layout(), places) << width;
    }
    // A bar hidden, or aligned otherwise, gives its room back at once.
    top1.SetVisible(false);
    right.SetAlign(alNone);
    EXPECT_EQ(std::tuple(top2.BoundsRect(), client.BoundsRect()), std::tuple(Rect{0, 0, 100, 5}, Rect{20, 5, 100, 45}));
    top1.SetVisible(true); // back in its place above the other, which now starts where it did
    EXPECT_EQ(std::tuple(top1.BoundsRect(), top2.BoundsRect()), std::tuple(Rect{0, 0, 100, 10}, Rect{0, 10, 100, 15}));
}

TEST(ChildControls, ADragFindsTheChildUnderTheMouseAndDropsOnTheOneThatTakesIt)
{
    Family f;
    Log log;
    const auto record = [&](std::string what, int32_t x, int32_t y) { log.push_back(what + " " + At(x, y)); };
    f.b.OnDragOver = [&](TObject*, TObject* source, int32_t x, int32_t y, TDragOverState state, bool& accept) {
        record("over" + std::to_string(state), x, y);
        accept = source == &f.a && x < 40;
    };
    f.b.OnDragDrop = [&](TObject*, TObject*, int32_t x, int32_t y) { record("drop", x, y); };
    f.a.OnStartDrag = [&](TObject*) { log.push_back("start"); };
    f.a.OnEndDrag = [&](TObject*, TObject* target, int32_t x, int32_t y) {
        record(target == &f.b ? "end on b" : "end", x, y);
    };
    f.a.SetDragMode(dmAutomatic);
    f.a.SetDragCursor(cursor::HandPoint); // the source's, not b's own (Drag), shows where it drops
    f.children.MouseDown(MouseButton::Left, shift::Left, 15, 15);
    f.children.MouseMove(shift::Left, 18, 15); // within the threshold: a still gets the move
    EXPECT_FALSE(f.a.Dragging());
    // Over a itself (no OnDragOver: refused), over b, over b where it refuses, back to b.
    for (const auto& [x, y, target, shown] :
         {std::tuple{25, 15, &f.a, cursor::NoDrop}, {45, 45, &f.b, cursor::HandPoint}, {75, 45, &f.b, cursor::NoDrop},
          {35, 42, &f.b, cursor::HandPoint}}) {
        f.children.MouseMove(shift::Left, x, y);
        EXPECT_EQ(std::tuple(f.a.DragTarget(), f.a.ShownCursor()), std::tuple(target, shown)) << At(x, y);
    }
    f.children.MouseUp(MouseButton::Left, 0, 35, 42);
    // Refused, or escaped, a drag drops nothing.
    f.children.MouseDown(MouseButton::Left, shift::Left, 15, 15);
    f.children.MouseMove(shift::Left, 75, 45);
    f.children.MouseUp(MouseButton::Left, 0, 75, 45);
    f.children.MouseDown(MouseButton::Left, shift::Left, 15, 15);
    f.children.MouseMove(shift::Left, 45, 45);
    KeyCode escape = key::Escape;
    f.a.HostKeyDown(escape, 0);
    EXPECT_EQ(std::tuple(f.a.Dragging(), escape, f.a.ShownCursor()), std::tuple(false, key::None, cursor::Default));
    EXPECT_EQ(log, (Log{"start", "over0 15,5", "over2 45,5", "over2 5,2", "drop 5,2", "end on b 5,2", "start",
                        "over0 45,5", "over1 45,5", "end 65,35", "start", "over0 15,5", "over1 15,5", "end 35,35"}));
    // The source sees its press and release, and no moves while it drags.
    EXPECT_EQ(f.a.log, (Log{"enter", "down 5,5", "move 8,5", "up 25,32", "leave", "enter", "down 5,5", "up 65,35",
                            "leave", "enter", "down 5,5"}));
    // A dock drag of the control itself: no control is asked, and it ends on none.
    f.a.SetDragKind(dkDock);
    log.clear();
    f.a.OnStartDock = [&](TObject*) { log.push_back("dock"); };
    f.a.OnEndDock = [&](TObject*, TObject* target, int32_t x, int32_t y) { record(target ? "docked" : "undocked", x, y); };
    f.children.MouseUp(MouseButton::Left, 0, 15, 15);
    f.children.MouseDown(MouseButton::Left, shift::Left, 15, 15);
    f.children.MouseMove(shift::Left, 45, 45);
    f.children.MouseUp(MouseButton::Left, 0, 45, 45);
    EXPECT_EQ(log, (Log{"dock", "undocked 35,35"}));
}

TEST(ChildControls, ADragIsCancelledWhenItsSourceGoesIsDisabledOrEscapeComesAndForgetsATargetThatGoes)
{
    // a dragged onto `target`, which takes it, at the parent's (x, y).
    const auto dragOnto = [](Family& f, Control& target, int32_t x, int32_t y) {
        target.OnDragOver = [](TObject*, TObject*, int32_t, int32_t, TDragOverState, bool&) {};
        f.a.SetDragMode(dmAutomatic);
        f.children.MouseDown(MouseButton::Left, shift::Left, 15, 15);
        f.children.MouseMove(shift::Left, x, y);
        ASSERT_EQ(f.a.DragTarget(), &target);
    };
    using Break = void (*)(Family&);
    for (const auto& [what, interrupt] :
         {std::pair<const char*, Break>{"escape", [](Family& f) { KeyCode k = key::Escape; f.parent.HostKeyDown(k, 0); }},
          {"disabled", [](Family& f) { f.a.SetEnabled(false), f.a.SetEnabled(true); }},
          {"removed", [](Family& f) { f.children.Remove(f.a); }}}) {
        Log ends;
        Family f;
        f.a.OnEndDrag = [&](TObject*, TObject* target, int32_t, int32_t) { ends.push_back(target ? "dropped" : "cancelled"); };
        dragOnto(f, f.b, 45, 45);
        interrupt(f);
        f.a.HostMouseMove(0, 20, 20); // no button held: an ordinary move
        // The parent's window held the keys while the drag ran.
        EXPECT_EQ(std::tuple(ends, f.a.log.back(), f.parent.ShownCursor(), f.host.keysHeld),
                  std::tuple(Log{"cancelled"}, "move 20,20", cursor::Default, std::vector{true, false})) << what;
    }
    // A target that goes mid-drag is forgotten: the next move finds what lies there now.
    Family f;
    auto gone = std::make_unique<LoggingChild>(0);
    gone->SetBounds(60, 0, 30, 30);
    f.children.Add(*gone);
    dragOnto(f, *gone, 70, 20);
    f.children.Remove(*gone);
    gone.reset();
    EXPECT_EQ(std::pair(f.a.DragTarget(), f.a.ShownCursor()), (std::pair<Control*, CursorId>(nullptr, cursor::NoDrop)));
    f.children.MouseMove(shift::Left, 70, 45);
    EXPECT_EQ(f.a.DragTarget(), &f.b);
}
