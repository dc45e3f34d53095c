// The mission window driven by mouse and keys: typed one-line texts reach the
// string table (and mark the project modified), long texts go through the text
// dialog (typed or loaded from a file, within the row's limit), and hiding the
// window is reported.
#include <QPlainTextEdit>
#include <QPushButton>

#include <fstream>

#include "platform/FileSystem.h"
#include "ui/DlgComplex.h"
#include "ui/InspectorRows.h"
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

    // Opens the text dialog of the row, types `typed` at its end and presses `buttons`.
    void EditLongText(InspectorRow row, const QString& typed, std::vector<const char*> buttons)
    {
        ClickRow(host, Key(row));
        ClickEditorButton(host, [&] {
            TDlgComplex& dialog = frame.TextDialog();
            auto* memo = dialog.findChild<QPlainTextEdit*>("Memo");
            memo->moveCursor(QTextCursor::End);
            QTest::keyClicks(memo, typed);
            for (const char* button : buttons)
                QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        });
    }

    TMissFrame frame;
    platform::qt::ControlWidget& host;
};

TEST_F(MissFrameTest, ShowsTheSixMissionRowsWithTheTablesTextsAndReportsItsHiding)
{
    EXPECT_EQ(frame.RMIMission().VisibleItemCount(), 6);
    EXPECT_EQ(frame.RMIMission().GetVisibleItem(0)->Text(), "Mission Name");
    EXPECT_EQ(RowText(host, Key(InspectorRow::MisName)), "My Mission");
    EXPECT_EQ(RowText(host, Key(InspectorRow::DefeatMsg)), "You lose!");
    EXPECT_EQ(RowText(host, Key(InspectorRow::FDesc)), "<no row>");

    bool hidden = false;
    frame.OnHide = [&] { hidden = true; };
    frame.close();
    EXPECT_TRUE(hidden);
}

// The row and its open editor show what the table holds after every change.
TEST_F(MissFrameTest, TypedTextsAreStoredCutTo100CharactersAndAnEmptyTextIsIgnored)
{
    const struct {
        InspectorRow row;
        std::string CStringTable::*field;
        QString typed;
        std::string stored;
    } steps[] = {
        {InspectorRow::MisName, &CStringTable::missionName, QString::fromUtf8("Isl\xC3\xA9s"), "Isl\xE9s"},
        {InspectorRow::MisName, &CStringTable::missionName, "", "Isl\xE9s"},
        {InspectorRow::MisName, &CStringTable::missionName, QString(120, 'x'), std::string(100, 'x')},
        {InspectorRow::MisAuthor, &CStringTable::author, "Ann", "Ann"},
        {InspectorRow::MisAuthor, &CStringTable::author, QString(120, 'a'), std::string(100, 'a')},
        {InspectorRow::MisAuthor, &CStringTable::author, "", std::string(100, 'a')},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.typed.toStdString());
        ClickRow(host, Key(step.row));
        TypeOver(host, step.typed);
        EXPECT_EQ(Table().*step.field, step.stored);
        EXPECT_EQ(RowText(host, Key(step.row)), InspectorText(step.stored));
        EXPECT_EQ(EditorText(host), InspectorText(step.stored));
    }
    EXPECT_TRUE(project.IsModified());
}

TEST_F(MissFrameTest, LongTextsAreEditedInTheTextDialogAndCancelChangesNothing)
{
    EditLongText(InspectorRow::SDesc, "!", {"BtnCancel"});
    EXPECT_EQ(Table().shortDescription, "Short description");
    EXPECT_FALSE(project.IsModified());

    EditLongText(InspectorRow::SDesc, "!", {"BtnOk"});
    EXPECT_EQ(Table().shortDescription, "Short description!");
    EXPECT_EQ(RowText(host, Key(InspectorRow::SDesc)), "Short description!");
    EXPECT_EQ(EditorText(host), "Short description!"); // the row's open editor too
    EXPECT_TRUE(project.IsModified());

    // The author notes take at most 150 characters.
    EditLongText(InspectorRow::MisAuthorNotes, QString(200, 'n'), {"BtnOk"});
    EXPECT_EQ(Table().authorNotes, "No notes" + std::string(142, 'n'));
    // Load replaces the text by the file's, line breaks and the limit kept.
    const std::string bytes = "first\r\nsecond \xE9" + std::string(150, 'l');
    const platform::TemporaryFolder folder;
    std::ofstream(folder.Path() / "notes.txt", std::ios::binary) << bytes;
    frame.TextDialog().SetFileChooser([&] { return std::optional(folder.Path() / "notes.txt"); });
    EditLongText(InspectorRow::MisAuthorNotes, "", {"BitBtn", "BtnOk"});
    EXPECT_EQ(Table().authorNotes, bytes.substr(0, 150));
}

} // namespace
