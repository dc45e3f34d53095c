#pragma once
// Drives an editor window's inspector as a user does: clicks on a row's value
// cell (found by the row's key), typed keys, a click on the row editor's button;
// and a project set up from the sample catalogue for the windows to show.
#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <string>

#include "inspector/CustomEdit.h"
#include "inspector/rmBtnEdit.h"
#include "inspector/rmInspector.h"
#include "model/MapProject.h"
#include "platform/TextRasterizer.h"
#include "platform/XmlDocument.h"
#include "platform/qt/ControlWidget.h"
#include "platform/qt/QtTextRasterizer.h"
#include "ui/InspectorIndexedKeys.h"
#include "ui/InspectorKeys.h"

#include <gtest/gtest.h>

class CatalogueProjectTest : public testing::Test {
protected:
    CatalogueProjectTest()
    {
        platform::SetTextRasterizer(&rasterizer);
        std::string error;
        EXPECT_TRUE(catalogue.Load(error)) << error;
        project.SetCatalogueDocument(&catalogue);
        project.SetResourceFolder(std::filesystem::path(VALDRUNE_DATA_DIR) / "res");
        project.ReadCatalogue();
        project.ReadAbilitiesAndAITypes();
        project.CreateDefaultPlayers();
        project.SetModified(false);
    }
    ~CatalogueProjectTest() override { platform::SetTextRasterizer(nullptr); }

    CStringTable& Table() { return *project.GetStringTables().GetAt(project.GetCurrentStringTable()); }

    platform::qt::QtTextRasterizer rasterizer;
    platform::XmlDocument catalogue{std::filesystem::path(VALDRUNE_DATA_DIR) / "fw.xml"};
    CMapProject project;
};

inline const std::string& Key(InspectorRow row) { return InspectorKeys().Key(row); }

// Shows the window and waits until it can take input.
inline void ShowWindow(QWidget& window)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
}

inline platform::qt::ControlWidget& HostOf(QWidget& window, const char* inspectorName)
{
    auto* host = window.findChild<platform::qt::ControlWidget*>(inspectorName);
    EXPECT_NE(host, nullptr) << inspectorName;
    return *host;
}

// Picks a row of a list with a click at its centre.
inline void ClickListRow(QTreeWidget& list, int index, Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    QTreeWidgetItem* row = list.topLevelItem(index);
    ASSERT_NE(row, nullptr) << list.objectName().toStdString() << " " << index;
    list.scrollToItem(row);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, keys, list.visualItemRect(row).center());
}

// The text of the row with that key; "<no row>" when the inspector has no such row.
inline std::string RowText(platform::qt::ControlWidget& host, const std::string& key)
{
    TrmCustomInspectorItem* item = host.HostedAs<TrmInspector>().GetItemByName(key);
    return item ? item->AsString() : "<no row>";
}

// Clicks the value cell of the row with that key (scrolled into view first).
inline void ClickRow(platform::qt::ControlWidget& host, const std::string& key)
{
    auto& inspector = host.HostedAs<TrmInspector>();
    TrmCustomInspectorItem* item = inspector.GetItemByName(key);
    ASSERT_NE(item, nullptr) << key;
    const int row = inspector.VisibileItemIndex(item);
    ASSERT_GE(row, 0) << key;
    while (row < inspector.TopIndex())
        inspector.VScroll(TrmScrollCode::scLineUp, 0);
    while (row - inspector.TopIndex() >= inspector.VisibleLines() - 1)
        inspector.VScroll(TrmScrollCode::scLineDown, 0);
    const int height = inspector.ItemHeight();
    QTest::mouseClick(&host, Qt::LeftButton, Qt::NoModifier,
                      QPoint(inspector.SplitPos() + 30, (row - inspector.TopIndex()) * height + height / 2));
    ASSERT_EQ(inspector.GetCurrentInspectorItem(), item) << key << " row " << row << " top " << inspector.TopIndex();
}

// Replaces the text of the selected row's editor by typing.
inline void TypeOver(platform::qt::ControlWidget& host, const QString& text)
{
    QTest::keyClick(&host, Qt::Key_A, Qt::ControlModifier);
    if (text.isEmpty())
        QTest::keyClick(&host, Qt::Key_Backspace);
    // One key per character, each carrying its text (QTest's own typing knows ASCII only).
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, &host, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Clicks the button of the selected long-text row's editor; `whileOpen` runs
// once the modal dialog it opens is up.
inline void ClickEditorButton(platform::qt::ControlWidget& host, std::function<void()> whileOpen)
{
    auto* editor = dynamic_cast<TrmCustomBtnEdit*>(host.HostedAs<TrmInspector>().Editor());
    ASSERT_NE(editor, nullptr);
    const platform::Rect button = editor->GetButton(1)->BoundsRect();
    QTimer::singleShot(0, whileOpen);
    QTest::mouseClick(&host, Qt::LeftButton, Qt::NoModifier,
                      QPoint(editor->Left() + (button.Left + button.Right) / 2,
                             editor->Top() + (button.Top + button.Bottom) / 2));
}

// Steps the selected choice row's combo to `choice` with the Right and Left keys.
inline void ChooseByKeys(platform::qt::ControlWidget& host, const std::string& choice)
{
    auto* row = dynamic_cast<TrmComboInspectorItem*>(host.HostedAs<TrmInspector>().GetCurrentInspectorItem());
    ASSERT_NE(row, nullptr);
    const auto& items = row->Items();
    const auto at = [&](const std::string& text) { return int(std::find(items.begin(), items.end(), text) - items.begin()); };
    const int target = at(choice);
    ASSERT_LT(target, int(items.size())) << choice;
    for (int steps = target - at(row->AsString()); steps != 0; steps += steps > 0 ? -1 : 1)
        QTest::keyClick(&host, steps > 0 ? Qt::Key_Right : Qt::Key_Left);
    ASSERT_EQ(row->AsString(), choice);
}

// The text that the selected row's in-place editor shows.
inline std::string EditorText(platform::qt::ControlWidget& host)
{
    auto* editor = dynamic_cast<TCustomEdit*>(host.HostedAs<TrmInspector>().Editor());
    return editor ? editor->Text() : "<no editor>";
}
inline int EditorCaret(platform::qt::ControlWidget& host)
{
    return dynamic_cast<TCustomEdit&>(*host.HostedAs<TrmInspector>().Editor()).SelStart();
}

// Once the pending repaints are done, the screen shows `widget` as a fresh painting of
// its present state does: nothing of an earlier state is left on it.
inline void ExpectScreenShowsItsState(QWidget& widget)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget.window()));
    QApplication::processEvents();
    const QPoint at = widget.mapTo(widget.window(), QPoint(0, 0));
    const QImage shown =
        widget.screen()->grabWindow(widget.window()->winId(), at.x(), at.y(), widget.width(), widget.height()).toImage();
    const QImage painted = widget.grab().toImage();
    EXPECT_TRUE(shown.convertToFormat(QImage::Format_RGB32) == painted.convertToFormat(QImage::Format_RGB32))
        << widget.objectName().toStdString() << " shows a picture of an earlier state";
}
