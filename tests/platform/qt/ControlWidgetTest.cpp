// The Qt host of a control: Qt's events reach the control translated, what the control
// paints and asks for shows on the widget, pop-ups let the mouse through, and timers
// tick on Qt's event loop (a handler may disable its own timer from inside the tick).
// Controls in one another's widgets are parent and children; Tab follows their tab order.
#include "platform/ChildControls.h"
#include "platform/ManualTimerService.h"
#include "platform/Timer.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/PopupWindow.h"
#include "platform/qt/QtTimerService.h"
#include "platform/qt/QtWindowSystem.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;
using platform::qt::ControlWidget;
using Log = std::vector<std::string>;

namespace {

std::string Describe(const char* what, MouseButton b, ShiftState s, int32_t x, int32_t y)
{
    return what + (" " + std::to_string(int(b))) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
           std::to_string(y);
}

// Paints a pattern from its own pixel rows, logs input, and captures the mouse while the
// left button is down.
class PatternControl : public Control {
public:
    PatternControl()
    {
        SetBounds(0, 0, 40, 30);
        for (uint32_t y = 0; y < 30; ++y)
            for (uint32_t x = 0; x < 40; ++x)
                pixels.push_back(x * 6 << 24 | x * 6 << 16 | y * 8 << 8 | 0x40); // alpha varies: the copy ignores it
    }
    bool WantsArrowKeys() const override { return wantArrows; }
    bool WantsTabKey() const override { return wantTab; }

    std::vector<uint32_t> pixels;
    Log log;
    bool wantArrows = false, wantTab = false;

protected:
    void Paint(Canvas& canvas) override { canvas.BlitOpaque(0, 0, pixels.data(), 40, 30, 40); }
    void MouseDown(MouseButton b, ShiftState s, int32_t x, int32_t y) override { Note("down", b, s, x, y, true); }
    void MouseUp(MouseButton b, ShiftState s, int32_t x, int32_t y) override { Note("up", b, s, x, y, false); }
    void Note(const char* what, MouseButton b, ShiftState s, int32_t x, int32_t y, bool pressed)
    {
        log.push_back(Describe(what, b, s, x, y));
        if (b == MouseButton::Left)
            SetMouseCapture(pressed);
    }
    void Click() override { log.push_back("click"); }
    void KeyDown(KeyCode& k, ShiftState s) override
    {
        log.push_back("keydown " + std::to_string(k) + " " + std::to_string(s));
    }
    void KeyPress(char32_t& c) override { log.push_back("keypress " + std::to_string(uint32_t(c))); }
    void Resize() override { log.push_back("resize " + std::to_string(Width()) + "x" + std::to_string(Height())); }
};

struct Hosted {
    Hosted() : widget(std::make_unique<PatternControl>()), control(widget.HostedAs<PatternControl>())
    {
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
        control.log.clear();
    }
    ControlWidget widget;
    PatternControl& control;
};

} // namespace

TEST(ControlWidget, GrabShowsTheControlsPixelsOpaque)
{
    Hosted h;
    const QImage shot = h.widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(40, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) // alpha aside
            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, h.control.pixels[y * 40 + x] & 0xFFFFFF) << x << "," << y;
}

TEST(ControlWidget, MouseClickArrivesTranslatedAndCaptureFollowsTheControl)
{
    Hosted h;
    QTest::mousePress(&h.widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    EXPECT_EQ(std::tuple(h.control.MouseCapture(), QWidget::mouseGrabber()), std::tuple(true, &h.widget));
    QTest::mouseRelease(&h.widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    EXPECT_EQ(std::tuple(h.control.MouseCapture(), QWidget::mouseGrabber()), std::tuple(false, nullptr));
    QTest::mouseClick(&h.widget, Qt::RightButton, Qt::ControlModifier, QPoint(7, 8));
    // Shift + left held, left released; Ctrl + right held, and no click for the right button.
    EXPECT_EQ(h.control.log, (Log{"down 0 9 5,6", "up 0 1 5,6", "click", "down 1 20 7,8", "up 1 4 7,8"}));
}

TEST(ControlWidget, KeysAndCharactersArriveAndArrowsOnlyWhenWanted)
{
    Hosted h;
    QTest::keyClick(&h.widget, 'A', Qt::ShiftModifier); // the Shift key goes down first
    QTest::keyClick(&h.widget, Qt::Key_Left);
    h.control.wantArrows = true;
    QTest::keyClick(&h.widget, Qt::Key_Left);
    QTest::keyClick(&h.widget, Qt::Key_F2);
    QTest::keyClick(&h.widget, Qt::Key_Menu);
    EXPECT_EQ(h.control.log,
              (Log{"keydown 16 1", "keydown 65 1", "keypress 65", "keydown 37 0", "keydown 113 0", "keydown 93 0"}));
}

TEST(ControlWidget, BoundsFollowInBothDirectionsAndCursorAndVisibilityAreApplied)
{
    Hosted h;
    h.control.SetBounds(0, 0, 50, 20);
    EXPECT_EQ(h.widget.size(), QSize(50, 20));
    h.widget.resize(60, 25);
    EXPECT_EQ((std::pair{h.control.Width(), h.control.Height()}), (std::pair{60, 25}));
    EXPECT_EQ(h.control.log, (Log{"resize 50x20", "resize 60x25"}));
    EXPECT_EQ(h.control.VisibleRect(), (Rect{0, 0, 60, 25}));
    // Qt's resizes keep within the control's limits, and a refused one comes undone.
    h.control.SetConstraints({30, 0, 70, 0});
    h.widget.resize(80, 25);
    h.control.OnCanResize = [](TObject*, int32_t&, int32_t& height, bool& resize) { resize = height != 40; };
    h.widget.resize(40, 40);
    EXPECT_EQ(std::pair(h.widget.width(), h.control.Width()), std::pair(70, 70));
    h.widget.resize(10, 25);
    EXPECT_EQ(std::pair(h.widget.width(), h.control.Width()), std::pair(30, 30));
    h.control.SetCursor(cursor::HandPoint);
    EXPECT_EQ(h.widget.cursor().shape(), Qt::PointingHandCursor);
    h.control.ShowCursor(cursor::SizeWE);
    EXPECT_EQ(h.widget.cursor().shape(), Qt::SizeHorCursor);
    h.control.SetVisible(false);
    EXPECT_FALSE(h.widget.isVisible());
}

TEST(ControlWidget, AClientChildFollowsAQtResizeAtOnceAndEscapeEndsADragWhereverTheFocusIs)
{
    QWidget window;
    auto* host = new ControlWidget(std::make_unique<Control>(), &window);
    Control& client = (new ControlWidget(std::make_unique<Control>(), host))->HostedControl();
    client.SetAlign(alClient);
    auto* sourceWidget = new ControlWidget(std::make_unique<Control>(), &window);
    Control& source = sourceWidget->HostedControl();
    source.SetBounds(0, 100, 50, 50);
    source.SetDragMode(dmAutomatic);
    (new ControlWidget(std::make_unique<Control>(), &window))->setFocus();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    host->resize(120, 80); // as a layout or the window manager would
    EXPECT_EQ(client.BoundsRect(), (Rect{0, 0, 120, 80}));
    int cancels = 0;
    source.OnEndDrag = [&](TObject*, TObject* target, int32_t, int32_t) { cancels += target == nullptr; };
    QTest::mousePress(sourceWidget, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseMove(sourceWidget, QPoint(20, 5));
    ASSERT_TRUE(source.Dragging());
    QTest::keyClick(window.windowHandle(), Qt::Key_Escape); // goes where the window's keys go
    EXPECT_EQ(std::tuple(source.Dragging(), cancels, QWidget::keyboardGrabber()), std::tuple(false, 1, nullptr));
    QTest::mouseRelease(sourceWidget, Qt::LeftButton, Qt::NoModifier, QPoint(20, 5));
}

TEST(ControlWidget, AControlInAnothersWidgetFollowsItsColourAndFontAndItsHintIsAToolTip)
{
    ManualTimerService timers;
    Hosted h;
    struct Counting : Control {
        void ColorChanged() override { log.push_back("colour"); }
        void FontChanged() override { log.push_back("font"); }
        Log log;
    } inner;
    inner.SetParentColor(true);
    auto child = std::make_unique<ControlWidget>(inner, &h.widget); // takes its parent's
    h.control.SetColor(0x123456);
    h.control.SetFont(FontSpec{"Serif"});
    EXPECT_EQ(inner.Color(), 0x123456u);
    child->setParent(nullptr); // no parent control: its own colour
    EXPECT_EQ(inner.log, (Log{"colour", "font", "colour", "font", "colour", "font"}));
    h.control.SetHint("Drawn");
    h.control.SetShowHint(true);
    QTest::mouseMove(&h.widget, QPoint(5, 5));
    timers.Advance(500);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "Drawn");
}

TEST(ControlWidget, TabFollowsTheTabOrderThroughHostedControlsAndTheChildControlsDrawnInsideOne)
{
    QWidget window;
    PatternControl x, y, drawn, c1, c2; // x, drawn and y in widgets; c1 and c2 drawn inside `drawn`
    x.wantTab = true; // Tab stays in x, Shift+Tab leaves it
    ChildControls inside(drawn);
    for (Control* c : {&x, &y, &drawn, &c1, &c2}) {
        c->SetBounds(c == &c2 ? 10 : 0, 0, 10, 10);
        c->SetTabStop(c != &drawn);
    }
    inside.Add(c1);
    inside.Add(c2);
    ControlWidget wx(x, &window), wDrawn(drawn, &window), wy(y, &window);
    y.SetTabOrder(0);
    x.SetTabOrder(5); // out of range: the last
    c2.SetTabOrder(0);
    EXPECT_EQ(std::tuple(y.TabOrder(), drawn.TabOrder(), x.TabOrder(), c1.TabOrder()), std::tuple(0, 1, 2, 1));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    wy.setFocus();
    Log cycle; // which of them has the focus after each key
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), i < 4 ? Qt::Key_Tab : Qt::Key_Backtab);
        cycle.emplace_back();
        for (const auto& [c, name] : {std::pair{&x, "x"}, {&y, "y"}, {&c1, "c1"}, {&c2, "c2"}})
            cycle.back() += c->Focused() ? name : "";
    }
    EXPECT_EQ(cycle, (Log{"c2", "c1", "x", "x", "c1", "c2", "y", "x"}));
    inside.Remove(c1);
    inside.Remove(c2); // nothing inside takes the keys: Tab passes `drawn` by
    EXPECT_EQ(wDrawn.focusPolicy(), Qt::NoFocus);
}

TEST(PopupWindow, LetsTheMouseThroughAndKnowsTheDesktopAndItsMonitors)
{
    ControlWidget widget(std::make_unique<Control>());
    qt::MakeMouseTransparentPopup(widget);
    EXPECT_TRUE(widget.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(widget.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(widget.windowType(), Qt::ToolTip);
    EXPECT_TRUE(widget.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    widget.show();
    EXPECT_FALSE(widget.HostedControl().DesktopRect().IsEmpty());
    EXPECT_EQ(Control().DesktopRect(), Rect{}); // no host, no desktop
    // Each monitor is found from a point on it; a point off them all finds the nearest.
    qt::QtWindowSystem system;
    const auto rectOf = [](QRect r) { return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; };
    for (const QScreen* screen : QGuiApplication::screens())
        EXPECT_EQ(system.MonitorRect({screen->geometry().x() + 5, screen->geometry().y() + 5}),
                  rectOf(screen->geometry()));
    EXPECT_EQ(system.MonitorRect({-100000, -100000}), rectOf(QGuiApplication::screenAt({0, 0})->geometry()));
}

TEST(QtTimerService, TicksUntilTheHandlerStopsItsOwnTimer)
{
    platform::qt::QtTimerService service;
    platform::SetTimerService(&service);
    int ticks = 0;
    platform::Timer timer([&] {
        if (++ticks == 3)
            timer.SetEnabled(false);
    });
    timer.SetInterval(5);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Running());
    QElapsedTimer clock;
    clock.start();
    while (ticks < 3 && clock.elapsed() < 5000)
        QTest::qWait(5);
    EXPECT_FALSE(timer.Running());
    QTest::qWait(30);
    EXPECT_EQ(ticks, 3);
    platform::SetTimerService(nullptr);
}
