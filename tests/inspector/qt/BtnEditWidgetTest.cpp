// A button edit in its Qt host: keys typed at the widget reach the text, and a click on
// the ellipsis button fires its event.
#include "inspector/rmBtnEdit.h"
#include "platform/qt/ControlWidget.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(BtnEditWidget, TypedKeysEditTheTextAndTheButtonClicks)
{
    platform::qt::ControlWidget widget(std::make_unique<TrmBtnEdit>());
    auto& edit = widget.HostedAs<TrmBtnEdit>();
    edit.SetBounds(0, 0, 120, 21);
    int clicks = 0;
    edit.OnBtn1Click = [&](TObject*) { ++clicks; };
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.setFocus();

    QTest::keyClicks(&widget, "hello");
    EXPECT_EQ(edit.Text(), "hello");
    QTest::keyClick(&widget, Qt::Key_Backspace);
    QTest::keyClick(&widget, Qt::Key_Return); // no line break
    EXPECT_EQ(edit.Text(), "hell");
    QTest::keyClick(&widget, Qt::Key_A, Qt::ControlModifier); // select all, not an "a"
    QTest::keyClicks(&widget, "x");
    EXPECT_EQ(edit.Text(), "x");

    const platform::Rect button = edit.GetButton(1)->BoundsRect();
    const QPoint centre((button.Left + button.Right) / 2, (button.Top + button.Bottom) / 2);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}
