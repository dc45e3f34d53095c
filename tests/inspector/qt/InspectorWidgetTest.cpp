// An inspector in its Qt host: clicks and keys reach the rows and their in-place editors,
// which commit what is typed, stay with their rows and show what the program sets; its
// message hook hears each input once the inspector handled it.
#include "graphics/SystemColorNames.h"
#include "inspector/rmInspector.h"
#include "inspector/rmInspectorEditors.h"
#include "platform/TextRasterizer.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtTextRasterizer.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// The Qt rasteriser measures while it is installed: from before the inspector is made
// until after it is gone.
struct InstalledRasterizer {
    InstalledRasterizer() { platform::SetTextRasterizer(&rasterizer); }
    ~InstalledRasterizer() { platform::SetTextRasterizer(nullptr); }
    platform::qt::QtTextRasterizer rasterizer;
};

class InspectorWidget : public ::testing::Test {
protected:
    template <class T>
    T* Add(const std::string& name, const std::string& value)
    {
        auto* item = static_cast<T*>(inspector.AddInspectorItem("\1" + name, value, T::Class));
        item->SetName(name);
        return item;
    }
    void Show()
    {
        widget.resize(225, 200);
        widget.show();
        widget.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
    }
    // The middle of a row's value (name) cell as shown now.
    QPoint Cell(int row, bool value = true)
    {
        const int height = inspector.ItemHeight();
        return {value ? inspector.SplitPos() + 30 : 20, (row - inspector.TopIndex()) * height + height / 2};
    }
    void ClickRow(int row, bool value = true) { QTest::mouseClick(&widget, Qt::LeftButton, {}, Cell(row, value)); }
    std::string EditorText() { return dynamic_cast<TCustomEdit&>(*inspector.Editor()).Text(); }
    InstalledRasterizer rasterizer;
    platform::qt::ControlWidget widget{std::make_unique<TrmInspector>()};
    TrmInspector& inspector = widget.HostedAs<TrmInspector>();
};

} // namespace

TEST_F(InspectorWidget, ClickTypeAndCommitInPlace)
{
    Add<TrmStringInspectorItem>("Name", "old");
    Add<TrmCheckBoxInspectorItem>("Flag", "False");
    std::vector<std::string> committed;
    inspector.OnItemChange = [&](TObject*) { committed.push_back(inspector.GetCurrentInspectorItem()->AsString()); };
    using enum platform::InputEvent;
    std::map<std::pair<platform::InputEvent, platform::KeyCode>, int> heard; // the row selected when last heard
    inspector.OnMessage = [&](const auto& Msg) { heard[{Msg.Event, Msg.Key}] = inspector.ItemIndex(); };
    ASSERT_NO_FATAL_FAILURE(Show());
    ClickRow(0);
    ASSERT_EQ(inspector.ItemIndex(), 0);
    EXPECT_EQ(std::tuple(heard.at({AppActivate, 0}), heard.at({FocusIn, 0}), heard.at({MouseDown, 0}),
                         heard.at({MouseUp, 0})), std::tuple(-1, -1, 0, 0)); // the press heard once it selected the row
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_TRUE(inspector.Editor()->Focused());
    EXPECT_TRUE(widget.testAttribute(Qt::WA_InputMethodEnabled)); // the editor with the keys takes text
    QTest::keyClick(&widget, Qt::Key_A, Qt::ControlModifier); // select all, then type over it
    QTest::keyClicks(&widget, "new");
    QTest::keyClick(&widget, Qt::Key_Return);
    EXPECT_EQ(inspector.GetItemByName("Name")->AsString(), "new");
    EXPECT_EQ(committed, (std::vector<std::string>{"n", "ne", "new"}));
    QTest::keyClick(&widget, Qt::Key_Down); // the editor hands Down to the inspector
    EXPECT_EQ(inspector.ItemIndex(), 1);
    EXPECT_EQ(heard.at({KeyDown, platform::key::Down}), 1);
    EXPECT_FALSE(widget.testAttribute(Qt::WA_InputMethodEnabled)); // a check box takes none
    QTest::keyClick(&widget, Qt::Key_Space);
    EXPECT_EQ(inspector.GetItemByName("Flag")->AsString(), "True");
    EXPECT_EQ(committed.back(), "True");
    EXPECT_EQ(committed.size(), 4u);
}

TEST_F(InspectorWidget, AValueSetWhileTheEditorIsOpenIsShownAndKept)
{
    auto* name = Add<TrmStringInspectorItem>("Name", "old");
    Add<TrmStringInspectorItem>("Other", "");
    ASSERT_NO_FATAL_FAILURE(Show());
    ClickRow(0);
    QTest::keyClick(&widget, Qt::Key_Tab); // the keys go back to the inspector, which takes no text
    EXPECT_FALSE(widget.testAttribute(Qt::WA_InputMethodEnabled));
    name->SetAsString("set");
    EXPECT_EQ(EditorText(), "set");
    ClickRow(1); // leaving the row commits what the editor shows
    EXPECT_EQ(name->AsString(), "set");
}

TEST_F(InspectorWidget, TheSelectionFollowsItsRowAndGoesWithIt)
{
    auto* group = Add<TrmNodeInspectorItem>("Group", "");
    group->Node()->SetExpanded(true);
    auto* name = Add<TrmStringInspectorItem>("Name", "");
    ASSERT_NO_FATAL_FAILURE(Show());
    ClickRow(1);
    for (const char* child : {"a", "b", "c"}) // three rows come above the selected one
        inspector.AddInspectorItem(std::string("\1Group\1") + child, "", TrmBlankInspectorItem::Class);
    EXPECT_EQ(inspector.ItemIndex(), 4);
    EXPECT_EQ(inspector.Editor()->Top(), 4 * inspector.ItemHeight() + 5);
    EXPECT_EQ(inspector.GetCurrentInspectorItem(), name);
    ClickRow(2); // a row without an editor, then its row goes
    inspector.ClearNode(group->Node());
    EXPECT_EQ(inspector.ItemIndex(), -1);
}

TEST_F(InspectorWidget, ChoiceRowsTakeOnlyTheirChoicesAndEscapeAppliesNothing)
{
    auto* choice = Add<TrmComboInspectorItem>("Owner", "Red");
    choice->SetItems({"none", "Red", "Blue"});
    std::vector<std::string> applied;
    inspector.OnItemChange = [&](TObject*) { applied.push_back(choice->AsString()); };
    ASSERT_NO_FATAL_FAILURE(Show());
    ClickRow(0);
    QTest::keyClicks(&widget, "Purple"); // letters choose by first letter: only r, Red again
    QTest::keyClick(&widget, Qt::Key_Backspace);
    EXPECT_EQ(choice->AsString(), "Red");
    QTest::keyClick(&widget, Qt::Key_B); // a typed letter chooses the next choice it starts
    EXPECT_EQ(choice->AsString(), "Blue");
    QTest::keyClick(&widget, Qt::Key_Down, Qt::AltModifier); // the list: a pick, then Escape
    QTest::keyClick(&widget, Qt::Key_Up);
    QTest::keyClick(&widget, Qt::Key_Escape);
    QTest::keyClick(&widget, Qt::Key_Escape); // and again with the list closed
    EXPECT_EQ(choice->AsString(), "Blue");
    EXPECT_EQ(EditorText(), "Blue");
    EXPECT_EQ(applied, (std::vector<std::string>{"Blue"}));
}

TEST_F(InspectorWidget, HintsLetTheMouseThrough)
{
    Add<TrmStringInspectorItem>("First", "");
    Add<TrmStringInspectorItem>("A name far too long for the name column", "");
    ASSERT_NO_FATAL_FAILURE(Show());
    const QPoint name = Cell(1, false);
    QTest::mouseMove(&widget, name);
    ASSERT_TRUE(inspector.HintWindow().Visible());
    QWidget* hint = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* host = dynamic_cast<platform::qt::ControlWidget*>(window);
            host && &host->HostedControl() == &inspector.HintWindow())
            hint = host;
    ASSERT_TRUE(hint && hint->isVisible() && hint->geometry().contains(widget.mapToGlobal(name)));
    // The window system hands a press on a window transparent to input to the window below.
    EXPECT_TRUE(hint->windowFlags().testFlag(Qt::WindowTransparentForInput));
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, name);
    EXPECT_EQ(inspector.ItemIndex(), 1);
}

TEST_F(InspectorWidget, TheScrollBarScrollsTheRowsAndTheBorderIsDrawn)
{
    for (int i = 0; i < 30; ++i)
        Add<TrmStringInspectorItem>("Row" + std::to_string(i), "v");
    ASSERT_NO_FATAL_FAILURE(Show());
    const TrmScrollBar& bar = inspector.VScrollBar();
    ASSERT_TRUE(bar.Visible());
    const QPoint value = Cell(1);
    ClickRow(1); // its editor opens, then the rows scroll away under it
    ASSERT_NE(inspector.Editor(), nullptr);
    EXPECT_EQ(bar.Left(), 225 - TrmScrollBar::kWidth);
    const platform::Rect thumb = bar.ThumbRect().Offset(bar.Left(), bar.Top());
    const QPoint grip((thumb.Left + thumb.Right) / 2, thumb.Top + 2);
    // The thumb dragged down by half the room the track leaves it: halfway.
    const QPoint halfway = grip + QPoint(0, (bar.Height() - 2 * bar.Width() - thumb.Height()) / 2);
    QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(&widget, halfway);
    QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, halfway);
    EXPECT_NEAR(inspector.TopIndex(), inspector.VScrollSize() / 2, 1);
    EXPECT_EQ(bar.Position(), inspector.TopIndex());
    const int top = inspector.TopIndex();
    const QPoint downArrow(bar.Left() + 8, bar.BoundsRect().Bottom - 8);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, downArrow);
    ASSERT_EQ(inspector.TopIndex(), top + 1);
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, value); // the row shown there takes it
    EXPECT_EQ(inspector.ItemIndex(), top + 2);
    QWheelEvent wheel(QPointF(20, 20), QPointF(widget.mapToGlobal(QPoint(20, 20))), {}, QPoint(0, 120 * 3),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
    EXPECT_EQ(bar.Position(), inspector.TopIndex());
    EXPECT_LT(inspector.TopIndex(), top);
    const auto pixel = [&](int x, int y) { return widget.grab().toImage().pixel(x, y) & 0xFFFFFFu; };
    EXPECT_EQ(pixel(0, 0), CanvasColorOf(clBtnFace));
    inspector.SetBorderStyle(bsSingle); // a sunken edge: shadow, then dark shadow inside
    EXPECT_EQ(pixel(0, 0), CanvasColorOf(clBtnShadow));
    EXPECT_EQ(pixel(1, 1), CanvasColorOf(cl3DDkShadow));
    EXPECT_EQ(pixel(224, 199), CanvasColorOf(clBtnHighlight));
    EXPECT_EQ(bar.Left(), 225 - 2 - TrmScrollBar::kWidth);
}
