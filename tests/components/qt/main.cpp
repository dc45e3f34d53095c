// GoogleTest entry point for the component tests that need a QApplication (run
// offscreen), with the controls' timers on Qt's event loop and text measured by Qt.
#include "platform/TextRasterizer.h"
#include "platform/Timer.h"
#include "platform/qt/QtTextRasterizer.h"
#include "platform/qt/QtTimerService.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    platform::qt::QtTimerService timers;
    platform::SetTimerService(&timers);
    platform::qt::QtTextRasterizer text;
    platform::SetTextRasterizer(&text);
    const int result = RUN_ALL_TESTS();
    platform::SetTextRasterizer(nullptr);
    platform::SetTimerService(nullptr);
    return result;
}
