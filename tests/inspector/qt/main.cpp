// GoogleTest entry point for the edit-control and window tests that need a QApplication (run
// offscreen), with the controls' timers and window-system services on Qt.
#include "platform/Timer.h"
#include "platform/WindowSystem.h"
#include "platform/qt/QtTimerService.h"
#include "platform/qt/QtWindowSystem.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    platform::qt::QtTimerService timers;
    platform::SetTimerService(&timers);
    platform::qt::QtWindowSystem windowSystem;
    platform::SetWindowSystem(&windowSystem);
    const int result = RUN_ALL_TESTS();
    platform::SetWindowSystem(nullptr);
    platform::SetTimerService(nullptr);
    return result;
}
