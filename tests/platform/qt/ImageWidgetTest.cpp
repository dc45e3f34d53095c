// The image control in a real widget: a click on a layer reaches OnMouseDown with
// that layer, and the widget shows the control's buffer.
#include "graphics/Image32.h"
#include "platform/qt/ControlWidget.h"

#include <QImage>
#include <QTest>

#include <gtest/gtest.h>

using platform::qt::ControlWidget;

TEST(ImageWidget, ClickOnALayerReachesOnMouseDownAndTheWidgetShowsTheBuffer)
{
    ControlWidget widget(std::make_unique<TImage32>());
    auto& image = widget.HostedAs<TImage32>();
    image.SetBounds(0, 0, 64, 48);
    image.SetScaleMode(smScale);
    image.SetScale(2);
    image.Bitmap()->SetSize(24, 20);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 24; ++x)
            image.Bitmap()->SetPixel(x, y, 0xFF000000 | uint32_t(x * 10) << 16 | uint32_t(y * 12) << 8 | 0x40);
    auto* layer = image.Layers()->Add<TBitmapLayer>();
    layer->Bitmap()->SetSize(4, 4);
    layer->Bitmap()->Clear(0xC000FF00);
    layer->Bitmap()->SetDrawMode(dmBlend);
    layer->SetLocation(TFloatRect{5, 5, 10, 10});
    layer->SetScaled(true); // control pixels 10..20

    struct Press {
        platform::MouseButton button;
        int32_t x, y;
        TCustomLayer* layer;
    };
    std::vector<Press> presses;
    image.OnMouseDown = [&](TObject* sender, platform::MouseButton button, platform::ShiftState, int32_t x, int32_t y,
                            TCustomLayer* l) {
        EXPECT_EQ(sender, &image);
        presses.push_back({button, x, y, l});
    };

    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(15, 12));
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(40, 40));
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[0].button, platform::MouseButton::Left);
    EXPECT_EQ(presses[0].x, 15);
    EXPECT_EQ(presses[0].y, 12);
    EXPECT_EQ(presses[0].layer, layer);
    EXPECT_EQ(presses[1].layer, nullptr);
    EXPECT_FALSE(image.MouseCapture()); // released with the button

    const QImage shot = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), QSize(64, 48));
    ASSERT_TRUE(image.BufferValid());
    const TBitmap32* buffer = image.Buffer();
    for (int32_t y = 0; y < 48; ++y)
        for (int32_t x = 0; x < 64; ++x)
            ASSERT_EQ(shot.pixel(x, y) & 0xFFFFFF, buffer->GetPixel(x, y) & 0xFFFFFF) << x << "," << y;
    // The layer is in the picture: blended green over the bitmap.
    EXPECT_GT(qGreen(shot.pixel(15, 15)), 200);
    EXPECT_EQ(buffer->GetPixel(30, 30), 0xFF000000u | uint32_t(15 * 10) << 16 | uint32_t(15 * 12) << 8 | 0x40);
}
