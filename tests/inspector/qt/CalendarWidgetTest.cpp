// The calendar in a real window: Qt's mouse clicks reach its day cells.
#include "inspector/rmCalendar.h"
#include "platform/qt/ControlWidget.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace platform;
using platform::qt::ControlWidget;

TEST(CalendarWidget, ClickingADayMakesItWorkingAndADoubleClickSelectsIt)
{
    ControlWidget widget(std::make_unique<TrmCalendar>());
    auto& cal = widget.HostedAs<TrmCalendar>();
    cal.SetSelectedDate(EncodeDate(2023, 10, 10));
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));

    int32_t row, col;
    cal.GetRowColInfo(EncodeDate(2023, 10, 26), row, col);
    const Rect cell = cal.Grid().CellRect(col, row).Offset(cal.Grid().Left(), cal.Grid().Top());
    const QPoint centre(cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);

    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(cal.WorkingDate(), EncodeDate(2023, 10, 26));
    EXPECT_EQ(cal.SelectedDate(), EncodeDate(2023, 10, 10));
    EXPECT_TRUE(cal.Focused());

    // The focused cell shows after the repaint; from then on a double click selects.
    widget.repaint();
    int32_t selections = 0;
    cal.OnSelectedDateChange = [&](TObject*) { ++selections; };
    QTest::mouseDClick(&widget, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(cal.SelectedDate(), EncodeDate(2023, 10, 26));
    EXPECT_EQ(selections, 1);
}
