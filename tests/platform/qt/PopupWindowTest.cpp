// Pop-ups such as the hint window: never activated, transparent to the mouse, and told
// the size of the desktop they must stay on.
#include "platform/qt/ControlWidget.h"
#include "platform/qt/PopupWindow.h"

#include <QApplication>

#include <gtest/gtest.h>

using platform::qt::ControlWidget;

TEST(PopupWindow, LetsTheMouseThroughAndKnowsTheDesktop)
{
    auto control = std::make_unique<platform::Control>();
    platform::Control* hosted = control.get();
    ControlWidget widget(std::move(control));
    platform::qt::MakeMouseTransparentPopup(widget);
    EXPECT_TRUE(widget.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(widget.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(widget.windowType(), Qt::ToolTip);
    EXPECT_TRUE(widget.windowFlags() & Qt::WindowDoesNotAcceptFocus);

    widget.show();
    const platform::Rect desktop = hosted->DesktopRect();
    EXPECT_FALSE(desktop.IsEmpty());
    EXPECT_EQ(platform::Control().DesktopRect(), platform::Rect{}); // no host, no desktop
}
