// The image view in a real widget: dragging the horizontal scroll bar's handle with the
// mouse scrolls the picture the widget shows.
#include "components/ImgView32.h"
#include "platform/qt/ControlWidget.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using platform::qt::ControlWidget;

namespace {

// Bitmap column x shows red x mod 256 and green x div 256, so the shown column can be read back.
TColor32 ColumnColor(int32_t x)
{
    return 0xFF000000u | uint32_t(x & 0xFF) << 16 | uint32_t(x >> 8) << 8 | 0x40;
}

int32_t ShownColumn(const QImage& shot, int32_t x, int32_t y)
{
    const QRgb pixel = shot.pixel(x, y);
    return qRed(pixel) + 256 * qGreen(pixel);
}

} // namespace

TEST(ImgViewWidget, DraggingTheScrollBarHandleMovesThePicture)
{
    ControlWidget widget(std::make_unique<TImgView32>());
    auto& view = widget.HostedAs<TImgView32>();
    view.SetBounds(0, 0, 300, 200);
    view.Bitmap()->SetSize(600, 400);
    for (int32_t y = 0; y < 400; ++y)
        for (int32_t x = 0; x < 600; ++x)
            view.Bitmap()->SetPixel(x, y, ColumnColor(x));
    int scrolls = 0;
    view.OnScroll = [&](TObject*) { ++scrolls; };

    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    // Opened at the centre: offset -158.5 draws bitmap column 158 (halves to even) at x 0.
    QImage shot = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(ShownColumn(shot, 10, 10), 168);

    // The handle spans x 83..200 of the bottom bar (y 183..200); drag it 50 pixels right.
    QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(141, 191));
    QTest::mouseMove(&widget, QPoint(166, 191));
    QTest::mouseMove(&widget, QPoint(191, 191));
    QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(191, 191));

    // 50 pixels of a 249-pixel track over a range of 600: 120.48 further.
    EXPECT_NEAR(view.HorzScroll().Position(), 158.5 + 600.0 * 50 / 249, 1e-3);
    EXPECT_NEAR(view.OffsetHorz(), -(158.5 + 600.0 * 50 / 249), 1e-3);
    EXPECT_EQ(scrolls, 2);
    EXPECT_FALSE(view.MouseCapture());
    shot = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(ShownColumn(shot, 10, 10), 289); // offset rounds to -279
    EXPECT_EQ(ShownColumn(shot, 282, 182), 279 + 282);
    // The bar shows its handle moved: the track left of the old handle is now track.
    EXPECT_NE(shot.pixel(120, 191) & 0xFFFFFF, shot.pixel(141, 191) & 0xFFFFFF);
}
