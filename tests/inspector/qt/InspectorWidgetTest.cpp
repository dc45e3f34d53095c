// An inspector in its Qt host: a click on a row's value selects the row and gives its
// in-place editor the keys; typed text is committed to the row's item with OnItemChange,
// and Enter leaves it committed.
#include "inspector/rmInspector.h"
#include "platform/TextRasterizer.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtTextRasterizer.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(InspectorWidget, ClickTypeAndCommitInPlace)
{
    platform::qt::QtTextRasterizer rasterizer;
    platform::SetTextRasterizer(&rasterizer);
    {
        platform::qt::ControlWidget widget(std::make_unique<TrmInspector>());
        auto& inspector = widget.HostedAs<TrmInspector>();
        inspector.AddInspectorItem("\1Name", "old", TrmStringInspectorItem::Class)->SetName("Name");
        inspector.AddInspectorItem("\1Flag", "False", TrmCheckBoxInspectorItem::Class)->SetName("Flag");
        std::vector<std::string> committed;
        inspector.OnItemChange = [&](TObject*) {
            committed.push_back(inspector.GetCurrentInspectorItem()->AsString());
        };
        widget.resize(225, 200);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        widget.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));

        const int rowHeight = inspector.ItemHeight();
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier,
                          QPoint(inspector.SplitPos() + 30, rowHeight / 2));
        ASSERT_EQ(inspector.ItemIndex(), 0);
        ASSERT_NE(inspector.Editor(), nullptr);
        EXPECT_TRUE(inspector.Editor()->Focused());

        QTest::keyClick(&widget, Qt::Key_A, Qt::ControlModifier); // select all, then type over it
        QTest::keyClicks(&widget, "new");
        QTest::keyClick(&widget, Qt::Key_Return);
        EXPECT_EQ(inspector.GetItemByName("Name")->AsString(), "new");
        EXPECT_EQ(committed, (std::vector<std::string>{"n", "ne", "new"}));

        QTest::keyClick(&widget, Qt::Key_Down); // the editor hands Down to the inspector
        EXPECT_EQ(inspector.ItemIndex(), 1);
        QTest::keyClick(&widget, Qt::Key_Space);
        EXPECT_EQ(inspector.GetItemByName("Flag")->AsString(), "True");
        EXPECT_EQ(committed.back(), "True");
        EXPECT_EQ(committed.size(), 4u);
    }
    platform::SetTextRasterizer(nullptr);
}

TEST(InspectorWidget, AClickAfterScrollingGoesToTheRowShownThere)
{
    platform::qt::QtTextRasterizer rasterizer;
    platform::SetTextRasterizer(&rasterizer);
    {
        platform::qt::ControlWidget widget(std::make_unique<TrmInspector>());
        auto& inspector = widget.HostedAs<TrmInspector>();
        for (int i = 0; i < 30; ++i)
            inspector.AddInspectorItem("\1Row" + std::to_string(i), "v", TrmStringInspectorItem::Class);
        widget.resize(225, 200);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));

        const QPoint value(inspector.SplitPos() + 30, inspector.ItemHeight() + inspector.ItemHeight() / 2);
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, value);
        ASSERT_EQ(inspector.ItemIndex(), 1);
        ASSERT_NE(inspector.Editor(), nullptr);

        QWheelEvent wheel(QPointF(value), QPointF(widget.mapToGlobal(value)), {}, QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget, &wheel);
        ASSERT_GT(inspector.TopIndex(), 1);
        QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, value);
        EXPECT_EQ(inspector.ItemIndex(), inspector.TopIndex() + 1);
    }
    platform::SetTextRasterizer(nullptr);
}
