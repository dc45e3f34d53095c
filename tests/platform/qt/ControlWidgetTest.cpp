// The Qt host of a control: Qt's events reach the control translated, and what
// the control paints and asks for shows up on the widget.
#include "platform/qt/ControlWidget.h"

#include <QApplication>
#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;
using platform::qt::ControlWidget;

namespace {

// Paints a pattern from its own pixel rows, records input, and captures the mouse while the left button is down.
class PatternControl : public Control {
public:
    PatternControl()
    {
        SetBounds(0, 0, 40, 30);
        pixels.resize(40 * 30);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 40; ++x)
                // Alpha varies too: the copy must ignore it.
                pixels[y * 40 + x] = uint32_t(x * 6) << 24 | uint32_t(x * 6) << 16 | uint32_t(y * 8) << 8 | 0x40;
    }
    bool WantsArrowKeys() const override { return wantArrows; }

    std::vector<uint32_t> pixels;
    std::vector<std::string> log;
    bool wantArrows = false;

protected:
    void Paint(Canvas& canvas) override { canvas.BlitOpaque(0, 0, pixels.data(), 40, 30, 40); }
    void MouseDown(MouseButton b, ShiftState s, int32_t x, int32_t y) override
    {
        log.push_back("down " + std::to_string(int(b)) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                      std::to_string(y));
        if (b == MouseButton::Left)
            SetMouseCapture(true);
    }
    void MouseUp(MouseButton b, ShiftState s, int32_t x, int32_t y) override
    {
        log.push_back("up " + std::to_string(int(b)) + " " + std::to_string(s) + " " + std::to_string(x) + "," +
                      std::to_string(y));
        if (b == MouseButton::Left)
            SetMouseCapture(false);
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
    Hosted() : widget(std::make_unique<PatternControl>()), control(widget.HostedAs<PatternControl>()) {}
    void Show()
    {
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        control.log.clear();
    }
    ControlWidget widget;
    PatternControl& control;
};

} // namespace

TEST(ControlWidget, GrabShowsTheControlsPixelsOpaque)
{
    Hosted h;
    h.Show();
    QImage shot = h.widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(40, 30));
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, h.control.pixels[y * 40 + x] & 0xFFFFFF) << x << "," << y;
}

TEST(ControlWidget, MouseClickArrivesTranslatedAndCaptureFollowsTheControl)
{
    Hosted h;
    h.Show();
    QTest::mousePress(&h.widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    EXPECT_TRUE(h.control.MouseCapture());
    EXPECT_EQ(QWidget::mouseGrabber(), &h.widget);
    QTest::mouseRelease(&h.widget, Qt::LeftButton, Qt::ShiftModifier, QPoint(5, 6));
    EXPECT_FALSE(h.control.MouseCapture());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    QTest::mouseClick(&h.widget, Qt::RightButton, Qt::ControlModifier, QPoint(7, 8));
    const std::vector<std::string> expected{
        "down 0 9 5,6", "up 0 1 5,6", "click", // Shift + left held; left released
        "down 1 20 7,8", "up 1 4 7,8"};        // Ctrl + right held; no click for the right button
    EXPECT_EQ(h.control.log, expected);
}

TEST(ControlWidget, KeysAndCharactersArriveAndArrowsOnlyWhenWanted)
{
    Hosted h;
    h.Show();
    QTest::keyClick(&h.widget, 'A', Qt::ShiftModifier); // the Shift key goes down first
    QTest::keyClick(&h.widget, Qt::Key_Left);
    h.control.wantArrows = true;
    QTest::keyClick(&h.widget, Qt::Key_Left);
    QTest::keyClick(&h.widget, Qt::Key_F2);
    const std::vector<std::string> expected{"keydown 16 1", "keydown 65 1", "keypress 65", "keydown 37 0", "keydown 113 0"};
    EXPECT_EQ(h.control.log, expected);
}

TEST(ControlWidget, BoundsFollowInBothDirections)
{
    Hosted h;
    h.Show();
    h.control.SetBounds(0, 0, 50, 20);
    EXPECT_EQ(h.widget.size(), QSize(50, 20));
    h.widget.resize(60, 25);
    EXPECT_EQ(h.control.Width(), 60);
    EXPECT_EQ(h.control.Height(), 25);
    EXPECT_EQ(h.control.log, (std::vector<std::string>{"resize 50x20", "resize 60x25"}));
    EXPECT_EQ(h.control.VisibleRect(), (Rect{0, 0, 60, 25}));
}

TEST(ControlWidget, CursorAndVisibilityAreApplied)
{
    Hosted h;
    h.Show();
    h.control.SetCursor(cursor::HandPoint);
    EXPECT_EQ(h.widget.cursor().shape(), Qt::PointingHandCursor);
    h.control.ShowCursor(cursor::SizeWE);
    EXPECT_EQ(h.widget.cursor().shape(), Qt::SizeHorCursor);
    h.control.SetVisible(false);
    EXPECT_FALSE(h.widget.isVisible());
}
