#include "platform/qt/QtFont.h"

#include "platform/Windows1252.h"

namespace platform::qt {

QFont ToQFont(const FontSpec& spec)
{
    QFont font;
    if (!spec.Family.empty())
        font.setFamily(QString::fromStdString(spec.Family));
    const int32_t pixels = FontPixelSize(spec.PointSize);
    font.setPixelSize(pixels > 0 ? pixels : 1);
    font.setBold(spec.Bold);
    font.setItalic(spec.Italic);
    font.setUnderline(spec.Underline);
    font.setStrikeOut(spec.StrikeOut);
    return font;
}

QString Utf8ToQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

QString Windows1252ToQString(std::string_view text)
{
    return Utf8ToQString(Windows1252ToUtf8(text));
}

} // namespace platform::qt
