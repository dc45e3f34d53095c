// The mission window driven by mouse and keys: typed one-line texts reach the
// string table (and mark the project modified), long texts go through the text
// dialog, and hiding the window is reported.
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/DlgComplex.h"
#include "ui/InspectorKeys.h"
#include "ui/MissFrame.h"

#include "InspectorDriver.h"

namespace {

class MissFrameTest : public CatalogueProjectTest {
protected:
    MissFrameTest() : frame(project), host(HostOf(frame, "RMIMission"))
    {
        frame.Refill();
        ShowWindow(frame);
    }

    const std::string& Key(InspectorRow row) { return InspectorKeys().Key(row); }

    // Opens the text dialog of the row, types `typed` at its end and presses `button`.
    void EditLongText(InspectorRow row, const QString& typed, const char* button)
    {
        ClickRow(host, Key(row));
        ClickEditorButton(host, [&] {
            TDlgComplex& dialog = frame.TextDialog();
            auto* memo = dialog.findChild<QPlainTextEdit*>("Memo");
            memo->moveCursor(QTextCursor::End);
            QTest::keyClicks(memo, typed);
            QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    TMissFrame frame;
    platform::qt::ControlWidget& host;
};

TEST_F(MissFrameTest, ShowsTheSixMissionRowsWithTheTablesTexts)
{
    TrmInspector& inspector = frame.RMIMission();
    EXPECT_EQ(inspector.VisibleItemCount(), 6);
    EXPECT_EQ(inspector.GetVisibleItem(0)->Text(), "Mission Name");
    EXPECT_EQ(inspector.GetItemByName(Key(InspectorRow::MisName))->AsString(), "My Mission");
    EXPECT_EQ(inspector.GetItemByName(Key(InspectorRow::DefeatMsg))->AsString(), "You lose!");
    EXPECT_EQ(inspector.GetItemByName(Key(InspectorRow::FDesc)), nullptr);
}

TEST_F(MissFrameTest, TypedTextsAreStoredCutTo100CharactersAndAnEmptyTextIsIgnored)
{
    ClickRow(host, Key(InspectorRow::MisName));
    TypeOver(host, QString::fromUtf8("Isl\xC3\xA9s"));
    EXPECT_EQ(Table().missionName, "Isl\xE9s");
    EXPECT_TRUE(project.IsModified());

    TypeOver(host, QString());
    EXPECT_EQ(Table().missionName, "Isl\xE9s");

    TypeOver(host, QString(120, 'x'));
    EXPECT_EQ(Table().missionName, std::string(100, 'x'));

    ClickRow(host, Key(InspectorRow::MisAuthor));
    TypeOver(host, "Ann");
    EXPECT_EQ(Table().author, "Ann");
}

TEST_F(MissFrameTest, LongTextsAreEditedInTheTextDialogAndCancelChangesNothing)
{
    EditLongText(InspectorRow::SDesc, "!", "BtnCancel");
    EXPECT_EQ(Table().shortDescription, "Short description");
    EXPECT_FALSE(project.IsModified());

    EditLongText(InspectorRow::SDesc, "!", "BtnOk");
    EXPECT_EQ(Table().shortDescription, "Short description!");
    EXPECT_EQ(frame.RMIMission().GetItemByName(Key(InspectorRow::SDesc))->AsString(), "Short description!");
    EXPECT_EQ(EditorText(host), "Short description!"); // the row's open editor too
    EXPECT_TRUE(project.IsModified());

    // The author notes take at most 150 characters.
    EditLongText(InspectorRow::MisAuthorNotes, QString(200, 'n'), "BtnOk");
    EXPECT_EQ(Table().authorNotes, "No notes" + std::string(142, 'n'));
}

TEST_F(MissFrameTest, HidingTheWindowIsReported)
{
    bool hidden = false;
    frame.OnHide = [&] { hidden = true; };
    frame.close();
    EXPECT_TRUE(hidden);
}

} // namespace
