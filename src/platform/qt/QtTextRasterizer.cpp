#include "platform/qt/QtTextRasterizer.h"

#include "platform/qt/QtFont.h"
#include "platform/qt/QtGeometry.h"

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace platform::qt {
namespace {

// Coverage is grey, the same in red, green and blue, so that one byte of a pixel tells
// it; sub-pixel (coloured) anti-aliasing would break that.
QFont RasterFont(const FontSpec& spec)
{
    QFont font = ToQFont(spec);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    return font;
}

// Format_RGB32 has the pixel layout of the view; Qt reads the alpha byte as 255 and
// writes 255 into every pixel it draws.
QImage WrapPixels(const PixelView& target)
{
    return QImage(reinterpret_cast<uchar*>(target.Pixels), target.Width, target.Height,
                  qsizetype(target.RowPixels) * 4, QImage::Format_RGB32);
}

int ToQtAlignment(uint32_t flags)
{
    int alignment = (flags & kTextCenter) ? Qt::AlignHCenter : (flags & kTextRight) ? Qt::AlignRight : Qt::AlignLeft;
    if (flags & kTextSingleLine) {
        alignment |= Qt::TextSingleLine;
        alignment |= (flags & kTextVCenter) ? Qt::AlignVCenter : (flags & kTextBottom) ? Qt::AlignBottom : Qt::AlignTop;
    } else {
        alignment |= Qt::AlignTop;
    }
    if (flags & kTextWordBreak)
        alignment |= Qt::TextWordWrap;
    return alignment;
}

} // namespace

Size QtTextRasterizer::TextExtent(std::string_view text, const FontSpec& font)
{
    const QFontMetrics metrics(RasterFont(font));
    return {metrics.horizontalAdvance(Windows1252ToQString(text)), metrics.height()};
}

void QtTextRasterizer::TextOut(const PixelView& target, int32_t x, int32_t y, const Rect& clip,
                               std::string_view text, const FontSpec& font)
{
    if (target.IsEmpty())
        return;
    const Rect area = clip.Intersect({0, 0, target.Width, target.Height});
    if (area.IsEmpty())
        return;
    QImage image = WrapPixels(target);
    QPainter painter(&image);
    const QFont qfont = RasterFont(font);
    painter.setClipRect(ToQRect(area));
    painter.setFont(qfont);
    painter.setPen(QColor::fromRgb(QRgb(font.Color | 0xFF000000u)));
    painter.drawText(x, y + QFontMetrics(qfont).ascent(), Windows1252ToQString(text));
}

void QtTextRasterizer::DrawText(const PixelView& target, const Rect& rect, uint32_t flags, std::string_view text,
                                const FontSpec& font)
{
    if (target.IsEmpty() || rect.IsEmpty())
        return;
    QImage image = WrapPixels(target);
    QPainter painter(&image);
    const QRect box = ToQRect(rect);
    // Qt clips text laid out in a box to the box unless told not to.
    int alignment = ToQtAlignment(flags);
    if (flags & kTextNoClip)
        alignment |= Qt::TextDontClip;
    else
        painter.setClipRect(box);
    painter.setFont(RasterFont(font));
    painter.setPen(QColor::fromRgb(QRgb(font.Color | 0xFF000000u)));
    painter.drawText(box, alignment, Windows1252ToQString(text));
}

Rect QtTextRasterizer::TextRect(const Rect& rect, uint32_t flags, std::string_view text, const FontSpec& font)
{
    const QFontMetrics metrics(RasterFont(font));
    const QRect box(rect.Left, rect.Top, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
    // Measured from the left and top so that alignment does not move the result.
    const int alignment = ToQtAlignment(flags & (kTextWordBreak | kTextSingleLine));
    const QRect bounds = metrics.boundingRect(box, alignment, Windows1252ToQString(text));
    return {rect.Left, rect.Top, rect.Left + bounds.width(), rect.Top + bounds.height()};
}

} // namespace platform::qt
