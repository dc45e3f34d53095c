#pragma once
// Moving the settings file's layout records in and out of top-level Qt windows.
// Bounds are the window's client rectangle on the screen (QWidget::geometry),
// so that writing and reading them back gives the same window.
#include <QRect>

#include <optional>

#include "ui/SettingsFile.h"

class QWidget;

// Gives the window the stored bounds or, when they are unset (IsSet false),
// `firstPlace` (nothing when none is given); either way fitted into a screen,
// so that no window is placed out of reach.
void ApplyWindowBounds(QWidget& window, const CWindowBounds& bounds, std::optional<QRect> firstPlace = std::nullopt);
// The window's bounds; for a minimised or maximised window, those it returns to.
CWindowBounds WindowBoundsOf(const QWidget& window);

void ApplyWindowState(QWidget& window, platform::WindowState state);
platform::WindowState WindowStateOf(const QWidget& window);
