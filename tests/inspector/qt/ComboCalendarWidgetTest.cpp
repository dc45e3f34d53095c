// The date editor in a real window: its button drops the calendar down in a pop-up window,
// and a double click on a day there picks it.
#include "inspector/rmComboCalendar.h"
#include "platform/qt/ControlWidget.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace platform;
using platform::qt::ControlWidget;

TEST(ComboCalendarWidget, TheButtonDropsTheCalendarAndADoubleClickPicksADay)
{
    ControlWidget widget(std::make_unique<TrmComboCalendar>());
    auto& combo = widget.HostedAs<TrmComboCalendar>();
    combo.SetBounds(0, 0, 140, 21);
    combo.SetDate(EncodeDate(2023, 10, 10));
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));

    const TrmSpeedButton& button = *combo.GetButton(1);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier,
                      QPoint(button.Left() + button.Width() / 2, button.Top() + button.Height() / 2));
    TrmScreenCalendar& calendar = combo.GetCalendar();
    ASSERT_TRUE(calendar.Visible());
    QWidget* popup = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &widget && top->isVisible())
            popup = top;
    ASSERT_NE(popup, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(popup));
    EXPECT_EQ(popup->geometry().top(), widget.mapToGlobal(QPoint(0, 21)).y());
    popup->repaint();

    int32_t row, col;
    calendar.GetRowColInfo(EncodeDate(2023, 10, 26), row, col);
    const Rect cell = calendar.Grid().CellRect(col, row).Offset(calendar.Grid().Left(), calendar.Grid().Top());
    const QPoint centre(cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);
    QTest::mouseMove(popup, centre);
    // A double click's first press and release, then its second press.
    QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(combo.SelectedDate(), EncodeDate(2023, 10, 10));
    QTest::mouseDClick(popup, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(combo.SelectedDate(), EncodeDate(2023, 10, 26));
    EXPECT_EQ(combo.Text(), "10/26/2023");
    EXPECT_FALSE(calendar.Visible());
    EXPECT_FALSE(popup->isVisible());
}
