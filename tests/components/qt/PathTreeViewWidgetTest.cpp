// The path tree view in a real widget: clicking a node's expand button shows its
// children, clicking a child's label selects it and reports the change, and F2 edits the
// label in place from typed keys.
#include "components/rmPathTreeView.h"
#include "platform/qt/ControlWidget.h"

#include <QTest>

#include <gtest/gtest.h>

using platform::qt::ControlWidget;

namespace {

QPoint CentreOf(const platform::Rect& rect)
{
    return QPoint((rect.Left + rect.Right) / 2, (rect.Top + rect.Bottom) / 2);
}

} // namespace

TEST(PathTreeViewWidget, ClickingExpandsANodeAndSelectsItsChild)
{
    ControlWidget widget(std::make_unique<TrmPathTreeView>());
    auto& tree = widget.HostedAs<TrmPathTreeView>();
    tree.SetBounds(0, 0, 200, 150);
    TrmTreeNode* child = tree.AddPathNode("/maps/north");
    TrmTreeNode* top = child->GetParent();
    std::vector<TrmTreeNode*> changes;
    tree.OnChange = [&](TObject*, TrmTreeNode* node) { changes.push_back(node); };

    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    const platform::Rect topRow = top->DisplayRect(false);
    const platform::Rect topLabel = top->DisplayRect(true);
    // The button's column lies left of the label.
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier,
                      QPoint(topLabel.Left - tree.EffectiveIndent() / 2, CentreOf(topRow).y()));
    EXPECT_TRUE(top->Expanded());
    EXPECT_TRUE(changes.empty());

    const platform::Rect childLabel = child->DisplayRect(true);
    ASSERT_FALSE(childLabel.IsEmpty());
    EXPECT_GT(childLabel.Top, topRow.Top);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, CentreOf(childLabel));
    EXPECT_EQ(tree.Selected(), child);
    EXPECT_EQ(changes, (std::vector<TrmTreeNode*>{child}));
    EXPECT_TRUE(widget.hasFocus());

    QTest::keyClick(&widget, Qt::Key_F2);
    ASSERT_TRUE(tree.IsEditing());
    QTest::keyClicks(&widget, "south");
    QTest::keyClick(&widget, Qt::Key_Return);
    EXPECT_FALSE(tree.IsEditing());
    EXPECT_EQ(tree.FindPathNode("/maps/south"), child);
}
