#include "platform/qt/QPainterCanvas.h"

#include "platform/qt/QtFont.h"
#include "platform/qt/QtGeometry.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QString>
#include <QTextOption>

#include <vector>

namespace platform::qt {
namespace {

QColor ToQColor(CanvasColor color)
{
    return QColor::fromRgb(QRgb(color | 0xFF000000u));
}

} // namespace

void QPainterCanvas::BlitOpaque(int32_t x, int32_t y, const uint32_t* pixels, int32_t width, int32_t height,
                                int32_t rowPixels)
{
    if (width <= 0 || height <= 0)
        return;
    // Format_RGB32 has the same 32-bit layout and ignores the alpha byte: the image
    // is a view of the caller's rows, drawn without a conversion copy.
    QImage view(reinterpret_cast<const uchar*>(pixels), width, height, qsizetype(rowPixels) * 4,
                QImage::Format_RGB32);
    painter_.drawImage(QPoint(x, y), view);
}

void QPainterCanvas::StretchBlitOpaque(const Rect& dest, const uint32_t* pixels, int32_t rowPixels,
                                       const Rect& source)
{
    if (dest.IsEmpty() || source.IsEmpty())
        return;
    // The view starts at the source's top-left pixel; without smooth transformation
    // QPainter scales by the nearest pixel.
    const uint32_t* first = pixels + int64_t(source.Top) * rowPixels + source.Left;
    QImage view(reinterpret_cast<const uchar*>(first), source.Width(), source.Height(), qsizetype(rowPixels) * 4,
                QImage::Format_RGB32);
    painter_.save();
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter_.drawImage(ToQRect(dest), view);
    painter_.restore();
}

void QPainterCanvas::FillRect(const Rect& rect, CanvasColor color)
{
    if (!rect.IsEmpty())
        painter_.fillRect(ToQRect(rect), ToQColor(color));
}

void QPainterCanvas::FrameRect(const Rect& rect, CanvasColor color)
{
    if (rect.IsEmpty())
        return;
    QColor c = ToQColor(color);
    const int w = rect.Width(), h = rect.Height();
    painter_.fillRect(QRect(rect.Left, rect.Top, w, 1), c);
    painter_.fillRect(QRect(rect.Left, rect.Bottom - 1, w, 1), c);
    painter_.fillRect(QRect(rect.Left, rect.Top, 1, h), c);
    painter_.fillRect(QRect(rect.Right - 1, rect.Top, 1, h), c);
}

void QPainterCanvas::DrawFocusRect(const Rect& rect)
{
    if (rect.IsEmpty())
        return;
    // Every other pixel of the outline, inverted, so the mark shows on any background.
    std::vector<QPoint> points;
    for (int32_t x = rect.Left; x < rect.Right; x += 2) {
        points.emplace_back(x, rect.Top);
        if (rect.Bottom - 1 > rect.Top)
            points.emplace_back(x, rect.Bottom - 1);
    }
    for (int32_t y = rect.Top + 2; y < rect.Bottom - 1; y += 2) {
        points.emplace_back(rect.Left, y);
        if (rect.Right - 1 > rect.Left)
            points.emplace_back(rect.Right - 1, y);
    }
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.setPen(QPen(Qt::white, 0));
    painter_.drawPoints(points.data(), int(points.size()));
    painter_.restore();
}

void QPainterCanvas::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2, CanvasColor color)
{
    painter_.setPen(QPen(ToQColor(color), 0));
    painter_.drawLine(x1, y1, x2, y2);
}

void QPainterCanvas::TextOut(int32_t x, int32_t y, std::string_view text, const FontSpec& font)
{
    QFont qfont = ToQFont(font);
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(font.Color));
    painter_.drawText(x, y + QFontMetrics(qfont, painter_.device()).ascent(), Utf8ToQString(text));
}

void QPainterCanvas::TextOutRightToLeft(int32_t right, int32_t y, std::string_view text, const FontSpec& font)
{
    const QFont qfont = ToQFont(font);
    const QString string = Utf8ToQString(text);
    const QFontMetrics metrics(qfont, painter_.device());
    const int width = metrics.horizontalAdvance(string);
    // Qt orders the characters for reading right to left and keeps the run at the right.
    QTextOption option(Qt::AlignRight | Qt::AlignTop);
    option.setTextDirection(Qt::RightToLeft);
    option.setWrapMode(QTextOption::NoWrap);
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(font.Color));
    painter_.drawText(QRectF(right - width, y, width, metrics.height()), string, option);
}

Size QPainterCanvas::TextExtent(std::string_view text, const FontSpec& font)
{
    QFontMetrics metrics(ToQFont(font), painter_.device());
    return {metrics.horizontalAdvance(Utf8ToQString(text)), metrics.height()};
}

void QPainterCanvas::TextOutRotated(int32_t x, int32_t y, std::string_view text, const FontSpec& font, double angle)
{
    const QFont qfont = ToQFont(font);
    const QString string = Utf8ToQString(text);
    const int width = QFontMetrics(qfont, painter_.device()).horizontalAdvance(string);
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-angle); // Qt turns clockwise on the screen
    painter_.setFont(qfont);
    painter_.setPen(ToQColor(font.Color));
    painter_.drawText(-width / 2, 0, string);
    painter_.restore();
}

void QPainterCanvas::SetClipRect(const Rect& rect)
{
    painter_.setClipRect(ToQRect(rect));
}

void QPainterCanvas::RemoveClip()
{
    painter_.setClipping(false);
}

} // namespace platform::qt
