// Edit controls in real windows: the button edit, accelerators typed with Alt, a flat
// button enabled under the mouse and the date editor's pop-up calendar; turned text and
// file-type icons through the Qt window system.
#include "inspector/ExpectMessage.h"
#include "inspector/rmBtnEdit.h"
#include "inspector/rmCheckBox.h"
#include "inspector/rmComboCalendar.h"
#include "inspector/rmLibraryDraw.h"
#include "inspector/rmLibraryRanges.h"
#include "inspector/rmLibraryShell.h"
#include "inspector/rmLibrarySystem.h"
#include "inspector/rmSpeedBtns.h"
#include "platform/FileSystem.h"
#include "platform/qt/ControlWidget.h"

#include <QApplication>
#include <QCursor>
#include <QInputMethodEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>

using namespace platform;
using namespace std::string_literals;
using platform::qt::ControlWidget;

namespace {

constexpr TColor32 kPaper = 0xFF000000;

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
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("\u00E9")); // what an input method commits is typed
    QApplication::sendEvent(&widget, &composed);
    EXPECT_EQ(edit.Text(), "x\u00E9");
    for (const auto& [mode, charCase, readOnly, enabled, hints] :
         {std::tuple{imDontCare, ecNormal, false, true, Qt::InputMethodHints()},
          {imSAlpha, ecUpperCase, false, true, Qt::ImhPreferLatin | Qt::ImhPreferUppercase},
          {imDisable, ecNormal, false, false, Qt::InputMethodHints()},
          {imOpen, ecLowerCase, true, false, Qt::InputMethodHints()}}) {
        edit.SetImeMode(mode);
        edit.SetCharCase(charCase);
        edit.SetReadOnly(readOnly);
        EXPECT_EQ(std::pair(widget.testAttribute(Qt::WA_InputMethodEnabled), widget.inputMethodHints()),
                  std::pair(enabled, hints)) << int(mode);
    }
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, Centre(edit.GetButton(1)->BoundsRect()));
    EXPECT_EQ(clicks, 1);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(clicks, 1);
}

TEST(AcceleratorWidgets, AltWithACaptionsLetterClicksTheButtonAndFocusesAndTogglesTheBox)
{
    QWidget window;
    auto* editWidget = new ControlWidget(std::make_unique<TrmBtnEdit>(), &window);
    auto* goWidget = new ControlWidget(std::make_unique<TrmSpeedButton>(), &window);
    auto* wallsWidget = new ControlWidget(std::make_unique<TrmCheckBox>(), &window);
    auto& go = goWidget->HostedAs<TrmSpeedButton>();
    auto& walls = wallsWidget->HostedAs<TrmCheckBox>();
    go.SetBounds(0, 30, 40, 22);
    go.SetCaption("&Go");
    walls.SetBounds(50, 30, 90, 17);
    walls.SetCaption("&Walls");
    int clicks = 0;
    go.OnClick = [&](TObject*) { ++clicks; };
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    editWidget->setFocus();
    QTest::keyClick(editWidget, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(std::pair(clicks, editWidget->HostedAs<TrmBtnEdit>().Text()), std::pair(1, ""s)); // not typed
    const QImage unchecked = wallsWidget->grab().toImage();
    QTest::keyClick(editWidget, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(walls.Checked() && walls.Focused());
    EXPECT_NE(wallsWidget->grab().toImage(), unchecked);
    go.SetEnabled(false); // a disabled button leaves the key alone
    QTest::keyClick(wallsWidget, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

TEST(SpeedButtonWidget, AFlatButtonEnabledUnderTheRestingMouseShowsItsEdge)
{
    ControlWidget widget(std::make_unique<TrmSpeedButton>());
    auto& button = widget.HostedAs<TrmSpeedButton>();
    button.SetBounds(0, 0, 40, 22);
    button.SetFlat(true);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QImage shown[2];
    for (const bool over : {false, true}) {
        button.SetEnabled(false);
        QCursor::setPos(widget.mapToGlobal(over ? QPoint(20, 11) : QPoint(200, 200)));
        QApplication::processEvents();
        button.SetEnabled(true); // the mouse has not moved since
        EXPECT_EQ(button.MouseInControl(), over);
        shown[over] = widget.grab().toImage();
    }
    EXPECT_NE(shown[0], shown[1]);
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
    EXPECT_EQ(std::tuple(combo.SelectedDate(), combo.Text()), std::tuple(EncodeDate(2023, 10, 26), "10/26/2023"));
    EXPECT_FALSE(calendar.Visible() || popup->isVisible());
}

// The base line's middle lies at half the text's diagonal from the corner; the glyphs
// stand on it, turned anticlockwise.
TEST(RotateText, TurnsAboutTheMiddleOfTheBaseLine)
{
    platform::FontSpec font;
    font.PointSize = 14;
    font.Color = 0xFFFFFF;
    const std::string text = "MMMMMMMM";
    for (const double angle : {0.0, 90.0, 45.0}) {
        SCOPED_TRACE(angle);
        TBitmap32 bitmap;
        bitmap.SetSize(200, 200);
        bitmap.Clear(kPaper);
        const platform::Size extent = bitmap.Canvas().TextExtent(text, font);
        const int32_t half = RectDiameter(extent.Width, extent.Height) / 2, cx = 10 + half, cy = 20 + half;
        RotateText(bitmap.Canvas(), text, {10, 20, 190, 190}, angle, font);
        // The ink's bounds, and its mean height left and right of the centre column.
        TRect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        double sums[2] = {0, 0}, counts[2] = {0, 0};
        for (int32_t y = 0; y < bitmap.Height(); ++y)
            for (int32_t x = 0; x < bitmap.Width(); ++x)
                if (bitmap.GetPixel(x, y) != kPaper) {
                    ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
                           std::max(ink.Bottom, y + 1)};
                    sums[x >= cx] += y;
                    ++counts[x >= cx];
                }
        const int32_t width = ink.Right - ink.Left, height = ink.Bottom - ink.Top;
        if (angle == 0) {
            EXPECT_GT(width, 3 * height); // lying, above the base line, centred on cx
            EXPECT_LE(ink.Bottom, cy + 1);
            EXPECT_NEAR(ink.Left + width / 2.0, cx, 3);
        } else if (angle == 90) {
            EXPECT_GT(height, 3 * width); // standing, reading upwards, left of the base line
            EXPECT_LE(ink.Right, cx + 1);
            EXPECT_NEAR(ink.Top + height / 2.0, cy, 3);
        } else {
            EXPECT_NEAR(width, height, 4); // rising to the right
            ASSERT_TRUE(counts[0] > 0 && counts[1] > 0);
            EXPECT_GT(sums[0] / counts[0], sums[1] / counts[1] + width / 4.0);
        }
        EXPECT_GE(ink.Left, 10);
        EXPECT_GE(ink.Top, 20);
    }
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
    // Type names come from the MIME database; a type it does not know is named by its extension.
    EXPECT_EQ(std::pair(GetFileType("/no/such/map.png"), GetFileType("isle.qqz")), std::pair("PNG image"s, "QQZ File"s));
}
