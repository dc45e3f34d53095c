// Edit controls in real windows: the button edit and the date editor's pop-up calendar;
// file-type icons through the Qt window system.
#include "inspector/ExpectMessage.h"
#include "inspector/rmBtnEdit.h"
#include "inspector/rmComboCalendar.h"
#include "inspector/rmLibraryDraw.h"
#include "inspector/rmLibraryShell.h"
#include "platform/FileSystem.h"
#include "platform/qt/ControlWidget.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace platform;
using platform::qt::ControlWidget;

namespace {

QPoint Centre(const Rect& r)
{
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
}

} // namespace

TEST(BtnEditWidget, TypedKeysEditTheTextAndTheButtonClicks)
{
    ControlWidget widget(std::make_unique<TrmBtnEdit>());
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
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, Centre(edit.GetButton(1)->BoundsRect()));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

TEST(ComboCalendarWidget, TheButtonDropsTheCalendarAndADoubleClickPicksADay)
{
    ControlWidget widget(std::make_unique<TrmComboCalendar>());
    auto& combo = widget.HostedAs<TrmComboCalendar>();
    combo.SetBounds(0, 0, 140, 21);
    combo.SetDate(EncodeDate(2023, 10, 10));
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, Centre(combo.GetButton(1)->BoundsRect()));
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
    const QPoint centre = Centre(cell);
    QTest::mouseMove(popup, centre);
    // A double click's first press and release, then its second press.
    QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(calendar.WorkingDate(), EncodeDate(2023, 10, 26));
    EXPECT_EQ(combo.SelectedDate(), EncodeDate(2023, 10, 10));
    QTest::mouseDClick(popup, Qt::LeftButton, Qt::NoModifier, centre);
    EXPECT_EQ(combo.SelectedDate(), EncodeDate(2023, 10, 26));
    EXPECT_EQ(combo.Text(), "10/26/2023");
    EXPECT_FALSE(calendar.Visible() || popup->isVisible());
}

TEST(FileIcons, OneIndexPerPictureAndShortcutsShowTheirTarget)
{
    platform::TemporaryFolder folder;
    const int32_t text = GetFileImageIndex("notes.txt", true);
    ASSERT_GE(text, 0);
    EXPECT_EQ(GetFileImageIndex("other.txt", true), text);
    const int32_t dir = GetFileImageIndex(folder.Path().string(), true);
    EXPECT_NE(dir, text);
    const std::string link = (folder.Path() / "folder.lnk").string();
    TShortcutDetails toFolder;
    toFolder.Target = folder.Path().string();
    WriteShortCutFile(link, toFolder);
    EXPECT_EQ(GetFileImageIndex(link, true), dir);
    TBitmap32 icon;
    GetFileIcon("notes.txt", true, icon);
    EXPECT_EQ((std::pair{icon.Width(), icon.Height()}), (std::pair{16, 16}));
    TBitmap32List images;
    GetFileImages(images, true);
    ASSERT_GT(images.Bitmaps()->Count(), std::max(text, dir));
    EXPECT_TRUE(images.Bitmaps()->Items(text)->Bitmap()->Equal(icon));
    GetFileIcon("notes.txt", false, icon);
    EXPECT_EQ(icon.Width(), 32);
    ExpectThrowWithMessage<Exception>([] { GetFileImageIndex("", true); }, "No file specified");
}
