// The decimal spin edit in a real widget: typed keys reach the text, a letter is
// refused, and a click on the upper half of the spin button steps the number.
#include "components/rmFloatSpinEdit.h"
#include "platform/LocaleFormats.h"
#include "platform/qt/ControlWidget.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(FloatSpinEditWidget, TypingThenClickingTheUpHalfStepsTheNumber)
{
    platform::qt::ControlWidget widget(std::make_unique<TrmFloatSpinEdit>());
    auto& spin = widget.HostedAs<TrmFloatSpinEdit>();
    spin.SetBounds(0, 0, 120, 22);
    spin.SetIncrement(0.25);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    widget.setFocus();

    // The application took the user's locale: type and read its decimal separator.
    const std::string point(1, platform::CurrentLocaleFormats().DecimalSeparator);
    QTest::keyClick(&widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(&widget, QString::fromStdString("2x" + point + "5"));
    EXPECT_EQ(spin.Text(), "2" + point + "5");

    const platform::Rect button = spin.Button().BoundsRect();
    const QPoint upHalf((button.Left + button.Right) / 2, button.Top + button.Height() / 4);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, upHalf);
    EXPECT_EQ(spin.Text(), "2" + point + "75");
    EXPECT_EQ(spin.SelLength(), 4);
    QTest::keyClick(&widget, Qt::Key_Down);
    EXPECT_EQ(spin.Value(), 2.5);
}
