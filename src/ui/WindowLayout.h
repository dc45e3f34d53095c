#pragma once
// Moving the settings file's layout records in and out of top-level Qt windows.
// Bounds are the window's client rectangle on the screen (QWidget::geometry),
// so that writing and reading them back gives the same window.
#include "ui/SettingsFile.h"

class QWidget;

// Gives the window the stored bounds. Unset bounds (IsSet false) change
// nothing; bounds that lie on no screen keep the size but not the position, so
// a window is never restored out of reach.
void ApplyWindowBounds(QWidget& window, const CWindowBounds& bounds);
// The window's bounds; for a minimised or maximised window, those it returns to.
CWindowBounds WindowBoundsOf(const QWidget& window);

void ApplyWindowState(QWidget& window, platform::WindowState state);
platform::WindowState WindowStateOf(const QWidget& window);
