#pragma once
// The Qt font of a FontSpec, and Qt strings of the program's texts.
#include "platform/FontSpec.h"

#include <QFont>
#include <QString>

#include <string_view>

namespace platform::qt {

// Sized in pixels (FontPixelSize), so text has the same size on every screen and in
// every image whatever their resolution.
QFont ToQFont(const FontSpec& spec);

QString Utf8ToQString(std::string_view utf8);
QString Windows1252ToQString(std::string_view text);

} // namespace platform::qt
